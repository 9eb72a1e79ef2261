// Loaded animations over the resource and shape managers: the block stays locked only for one operation.
#include "AnimRes.h"

#include <cstring>

#include "AnimFrameMemo.h"
#include "ByteOrder.h"
#include "PrsFile.h"
#include "Res.h"
#include "ShapeAccess.h"
#include "ShapeMgr.h"
#include "SndChannelIter.h"
#include "SndPlayControl.h"
#include "Update.h"

namespace {

constexpr ResType kXmvType = resType("XMV");

// Locks the animation's handle for the lifetime of the object; false for a 0 handle or a failed check.
class AnimAccess {
public:
    explicit AnimAccess(AnimRes anim) : handle_(anim) {
        void* bytes = anim ? MemHandleLock(anim) : nullptr;
        if (!bytes) {
            handle_ = 0;
            return;
        }
        bytes_ = static_cast<std::uint8_t*>(bytes);
        open_ = view_.open(bytes, MemHandleGetSize(anim));
    }
    ~AnimAccess() {
        if (handle_) MemHandleUnlock(handle_);
    }
    AnimAccess(const AnimAccess&) = delete;
    AnimAccess& operator=(const AnimAccess&) = delete;

    explicit operator bool() const { return open_; }
    const XmvAnim& view() const { return view_; }
    std::uint8_t* bytes() const { return bytes_; }

private:
    AnimRes handle_;
    std::uint8_t* bytes_ = nullptr;
    XmvAnim view_;
    bool open_ = false;
};

bool nativeAndSound(MemHandle handle) {
    const auto* bytes = static_cast<const std::uint8_t*>(MemHandleLock(handle));
    if (!bytes) return false;
    const bool sound = !ByteOrderNeedsSwap(ByteOrderReadMarker(bytes)) &&
                       xmvCheck(bytes, MemHandleGetSize(handle), kXmvNativeOrder);
    MemHandleUnlock(handle);
    return sound;
}

void storeBank(AnimRes anim, ShapeBank bank) {
    AnimAccess access(anim);
    if (access) std::memcpy(access.bytes() + kXmvBankAt, &bank, sizeof bank);
}

// A hit test's event placed for the walk's animation position, with the bank it tests.
struct FrameWalk {
    ShapeBank bank;
    std::int16_t x;
    std::int16_t y;
    std::int16_t pointX = 0;
    std::int16_t pointY = 0;
};

// Invalidating and drawing read the image rectangles through the bank locked once for the whole walk;
// drawing also gathers the frame that lets later clips pass the animation over.
struct InvalidateWalk {
    const BankAccess& bank;
    std::int16_t x;
    std::int16_t y;
};

std::int16_t invalidateEvent(const XmvEvent& event, std::uint32_t, void* context) {
    const auto& walk = *static_cast<InvalidateWalk*>(context);
    if (!event.draws()) return 1;
    std::int16_t x = 0, y = 0;
    xmvEventPoint(event, walk.x, walk.y, &x, &y);
    XpkShape shape;
    Rect image{};
    walk.bank.place(event.shape, x, y, 0, &shape, &image);
    UpdateInvalRect(&image);
    return 1;
}

struct DrawWalk {
    const BankAccess& bank;
    std::int16_t x;
    std::int16_t y;
    const Rect* clip;
    Rect frame{};
};

std::int16_t drawEvent(const XmvEvent& event, std::uint32_t, void* context) {
    auto& walk = *static_cast<DrawWalk*>(context);
    if (!event.draws()) return 1;
    std::int16_t x = 0, y = 0;
    xmvEventPoint(event, walk.x, walk.y, &x, &y);
    XpkShape shape;
    Rect image{}, meet{};
    walk.bank.place(event.shape, x, y, 0, &shape, &image);
    if (RectIsValid(&image)) RectUnion(&walk.frame, &walk.frame, &image);
    if (!walk.clip || RectIntersect(&meet, &image, walk.clip)) shapeDrawFrom(walk.bank, event.shape, x, y, 0);
    return 1;
}

std::int16_t hitEvent(const XmvEvent& event, std::uint32_t, void* context) {
    const auto& walk = *static_cast<FrameWalk*>(context);
    if (!event.draws()) return 1;
    std::int16_t x = 0, y = 0;
    xmvEventPoint(event, walk.x, walk.y, &x, &y);
    return ShapeHitTest(walk.pointX, walk.pointY, walk.bank, event.shape, x, y, 0) ? 0 : 1;
}

}  // namespace

void AnimResSwap(void* data) {
    // The conversion is handed only the block's address; its length comes from the handle that holds it.
    const MemHandle handle = MemHandleFromPtr(data);
    if (handle) xmvSwap(static_cast<std::uint8_t*>(data), MemHandleGetSize(handle));
}

AnimRes AnimResLoadRaw(std::uint16_t id) {
    MemHandle handle = ByteOrderLoad(kXmvType, id, AnimResSwap);
    if (!handle) return 0;
    if (!nativeAndSound(handle)) {
        ResReleaseHandle(&handle);
        return 0;
    }
    ResDetach(handle);
    AnimAccess access(handle);
    std::memset(access.bytes() + kXmvBankAt, 0, kXmvRunTimeSize);
    return handle;
}

AnimRes AnimResLoad(std::uint16_t id) {
    AnimRes anim = AnimResLoadRaw(id);
    if (!anim) return 0;
    std::uint32_t bankId = 0;
    {
        AnimAccess access(anim);
        bankId = access.view().u32(kXmvBankIdAt);
    }
    const ShapeBank bank = ShapeBankLoad(static_cast<std::uint16_t>(bankId));
    if (!bank) {
        AnimResFree(&anim);
        return 0;
    }
    storeBank(anim, bank);
    return anim;
}

void AnimResFree(AnimRes* anim) {
    if (!anim || !*anim) return;
    ShapeBank bank = 0;
    std::uint32_t masks[2] = {};
    {
        AnimAccess access(*anim);
        if (access) {
            bank = access.view().u32(kXmvBankAt);
            masks[0] = access.view().u32(kXmvSoundMasksAt);
            masks[1] = access.view().u32(kXmvSoundMasksAt + 4);
        }
    }
    for (std::uint32_t mask : masks) SndForEachChannel(mask, SndStop);
    animFrameForget(*anim);
    ShapeBankFree(&bank);
    MemHandleFree(anim);
}

std::uint32_t AnimResGetDuration(AnimRes anim) { return AnimAccess(anim).view().u32(kXmvDurationAt); }

std::uint16_t AnimResGetRate(AnimRes anim) {
    return static_cast<std::uint16_t>(AnimAccess(anim).view().u32(kXmvRateAt));
}

std::int16_t AnimResFlagIsZero(AnimRes anim) { return AnimResGetScanMode(anim, nullptr) == 0; }

MemHandle AnimResGetBank(AnimRes anim) { return AnimAccess(anim).view().u32(kXmvBankAt); }

std::uint16_t AnimResGetScanMode(AnimRes anim, std::uint32_t* value) {
    AnimAccess access(anim);
    if (value) *value = access.view().u32(kXmvScanValueAt);
    return access.view().u16(kXmvScanModeAt);
}

void AnimResGetBounds(Rect* out, AnimRes anim) {
    AnimAccess access(anim);
    *out = access ? access.view().bounds() : Rect{};
}

void AnimResGetBoundsAt(Rect* out, AnimRes anim, std::int16_t x, std::int16_t y) {
    AnimResGetBounds(out, anim);
    RectOffset(out, static_cast<std::int16_t>(x - out->left), static_cast<std::int16_t>(y - out->top));
}

std::int16_t AnimResForEachEvent(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, XmvEventProc proc,
                                 void* context) {
    AnimAccess access(anim);
    return access ? xmvForEachEvent(access.view(), scan, cursor, proc, context) : 0;
}

std::uint32_t AnimResSeekEvent(AnimRes anim, std::uint32_t start, std::uint32_t previousTime, std::uint32_t time) {
    AnimAccess access(anim);
    return access ? xmvSeekEvent(access.view(), start, previousTime, time) : 0;
}

std::uint32_t AnimResLastEvent(AnimRes anim, std::uint32_t time) {
    AnimAccess access(anim);
    return access ? xmvLastEvent(access.view(), time) : 0;
}

void AnimResGetFrameBounds(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y,
                           Rect* out) {
    RectSetEmpty(out);
    AnimAccess access(anim);
    if (!access) return;
    BankAccess bank(access.view().u32(kXmvBankAt));
    if (bank) xmvFrameBounds(access.view(), bank.bank(), scan, cursor, x, y, out);
}

void AnimResInvalidateFrame(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y) {
    AnimAccess access(anim);
    if (!access) return;
    const BankAccess bank(access.view().u32(kXmvBankAt));
    InvalidateWalk walk{bank, x, y};
    xmvForEachEvent(access.view(), scan, cursor, invalidateEvent, &walk);
}

void AnimResDrawFrame(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y,
                      const Rect* clip) {
    Rect meet{};
    if (const AnimFrame* known = clip ? animFrameFind(anim, scan, x, y) : nullptr;
        known && !RectIntersect(&meet, &known->frame, clip)) {
        if (cursor) *cursor = known->cursor;
        return;
    }
    AnimAccess access(anim);
    if (!access) return;
    const BankAccess bank(access.view().u32(kXmvBankAt));
    DrawWalk walk{bank, x, y, clip};
    std::uint32_t reached = 0;
    xmvForEachEvent(access.view(), scan, &reached, drawEvent, &walk);
    animFrameStore(anim, scan, x, y, AnimFrame{walk.frame, reached});
    if (cursor) *cursor = reached;
}

std::int16_t AnimResHitTest(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y,
                            std::int16_t pointX, std::int16_t pointY) {
    FrameWalk walk{AnimResGetBank(anim), x, y, pointX, pointY};
    AnimAccess access(anim);
    return access && !xmvForEachEvent(access.view(), scan, cursor, hitEvent, &walk) ? 1 : 0;
}
