// The SID player's resources, slots, plays and envelope service over the sound manager.
#include "Sid.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "EngineClock.h"
#include "Res.h"
#include "SidFormat.h"
#include "SndChannel.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SndScale.h"

namespace {

constexpr ResType kSidType = resType("SID");
constexpr std::uint16_t kNoChannel = 0xFFFF;
constexpr std::uint16_t kFullVolume = 1024;
constexpr std::int16_t kPanLimit = 512;

struct SidSlot {
    SidRef ref = 0;
    std::uint16_t channel = kNoChannel;
    std::uint16_t hasEnvelope = 0;
    std::uint32_t start = 0;
    std::uint16_t volume = kFullVolume;
    std::int16_t pan = 0;
    MemHandle sid = 0;
    const std::uint8_t* address = nullptr;
    bool releaseAtEnd = false;  // SidFree came while this play held the SID locked
};

SidSlot slots[kSidSlotCount];
std::uint16_t serial = 0;

// A view of a loaded SID, locked while it lives.
class SidAccess {
public:
    explicit SidAccess(MemHandle sid) : handle_(sid) {
        bytes_ = sid ? static_cast<std::uint8_t*>(MemHandleLock(sid)) : nullptr;
        if (bytes_) view_.open(bytes_, MemHandleGetSize(sid), kSidNativeOrder);
    }
    ~SidAccess() {
        if (bytes_) MemHandleUnlock(handle_);
    }
    SidAccess(const SidAccess&) = delete;
    SidAccess& operator=(const SidAccess&) = delete;
    const SidView* operator->() const { return &view_; }
    const SidView& view() const { return view_; }
    std::uint8_t* bytes() const { return bytes_; }

private:
    MemHandle handle_;
    std::uint8_t* bytes_ = nullptr;
    SidView view_;
};

void sidConvert(void* data) {
    // The conversion is handed only the block's address; its length comes from the handle that holds it.
    const MemHandle handle = MemHandleFromPtr(data);
    if (handle) sidSwap(static_cast<std::uint8_t*>(data), MemHandleGetSize(handle));
}

std::int16_t clampPan(int pan) { return static_cast<std::int16_t>(std::clamp(pan, -kPanLimit + 0, +kPanLimit)); }

bool heldByPlay(MemHandle sid) {
    return std::any_of(std::begin(slots), std::end(slots), [&](const SidSlot& s) { return s.ref && s.sid == sid; });
}

SidSlot* slotOf(SidRef ref) {
    const std::uint16_t index = ref & 0xFFFF;
    return ref && index < kSidSlotCount && slots[index].ref == ref ? &slots[index] : nullptr;
}

void apply(const SidSlot& slot) {
    SidView view;
    if (!slot.address || !view.open(slot.address, MemHandleGetSize(slot.sid), kSidNativeOrder)) return;
    const SidLevel level = view.levelAt(ClockMilliseconds() - slot.start);
    SndChannelSetVolumePan(static_cast<std::int16_t>(slot.channel),
                           static_cast<std::uint16_t>(std::uint32_t{level.volume} * slot.volume >> 10),
                           clampPan(slot.pan + level.pan));
}

std::int16_t startSound(const SidView& view, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    const auto id = static_cast<std::uint16_t>(view.soundId());
    const std::uint16_t flags = view.flags();
    if (!(flags & kSidStreamed))
        return flags & kSidLooped ? SndPlayIdLooped(id, priority, volume, pan) : SndPlayId(id, priority, volume, pan);
    if (!(flags & kSidLooped)) return SndPlayIdStreamed(id, priority, volume, pan);
    return SndPlayIdStreamedOpt(id, flags & kSidStreamOptionAll ? 1 : 0, priority, volume, pan);
}

// Plays with the SID's completion, channel mask and time scale, the manager's own put back afterwards.
std::int16_t playInSlot(const SidView& view, std::uint16_t index, std::int16_t priority, std::uint16_t volume,
                        std::int16_t pan) {
    const SndCompletionProc proc = SndSetDoneProc(SidCompletion);
    const std::uint32_t data = SndSetDoneData(index);
    const std::uint32_t mask = SndSetChannelMask(view.channelMask());
    const std::uint32_t scale = SndSetScale(view.timeScale());
    const std::int16_t channel = startSound(view, priority, volume, pan);
    SndSetScale(scale);
    SndSetChannelMask(mask);
    SndSetDoneData(data);
    SndSetDoneProc(proc);
    return channel;
}

// A slot in use, holding the SID locked.
SidSlot slotFor(SidRef ref, std::int16_t channel, MemHandle sid, const SidView& view, std::uint32_t start,
                std::uint16_t volume, std::int16_t pan) {
    return {ref,
            static_cast<std::uint16_t>(channel),
            static_cast<std::uint16_t>(view.pointTable() ? 1 : 0),
            start,
            volume,
            pan,
            sid,
            static_cast<const std::uint8_t*>(MemHandleLock(sid))};
}

}  // namespace

MemHandle SidLoad(std::uint16_t id) {
    MemHandle handle = ByteOrderLoad(kSidType, id, sidConvert);
    if (!handle) return 0;
    bool sound = false;
    if (const auto* bytes = static_cast<const std::uint8_t*>(MemHandleLock(handle))) {
        SidView view;
        sound = !ByteOrderNeedsSwap(ByteOrderReadMarker(bytes)) &&
                view.open(bytes, MemHandleGetSize(handle), kSidNativeOrder);
        MemHandleUnlock(handle);
    }
    if (sound) return handle;
    MemHandleFree(&handle);
    return 0;
}

// A SID that is playing stays locked by its plays, which go on with their envelopes: the last of them to
// end releases it.
void SidFree(MemHandle* sid) {
    if (!sid || !*sid) return;
    if (!heldByPlay(*sid)) {
        ResReleaseHandle(sid);
        return;
    }
    for (SidSlot& slot : slots)
        if (slot.ref && slot.sid == *sid) slot.releaseAtEnd = true;
    *sid = 0;
}

std::uint16_t SidGetFlags(MemHandle sid) { return SidAccess(sid)->flags(); }
std::int16_t SidGetPriority(MemHandle sid) { return SidAccess(sid)->priority(); }
std::uint32_t SidGetChannelMask(MemHandle sid) { return SidAccess(sid)->channelMask(); }
std::uint32_t SidGetTimeScale(MemHandle sid) { return SidAccess(sid)->timeScale(); }

void SidGetName(MemHandle sid, char* out) {
    const SidAccess access(sid);
    std::strncpy(out, access->name(), kSidNameMax - 1);
    out[kSidNameMax - 1] = '\0';
}

std::uint16_t SidGetValueCount(MemHandle sid) { return SidAccess(sid)->valueCount(); }

std::uint32_t SidGetValue(MemHandle sid, std::uint16_t index) {
    const SidAccess access(sid);
    std::uint32_t value = 0;
    if (index < access->valueCount()) std::memcpy(&value, access.bytes() + access->valueOffset(index), 4);
    return value;
}

void SidSetValue(MemHandle sid, std::uint16_t index, std::uint32_t value) {
    const SidAccess access(sid);
    if (index < access->valueCount()) std::memcpy(access.bytes() + access->valueOffset(index), &value, 4);
}

std::uint16_t SidGetVolumeAt(MemHandle sid, std::uint32_t ms) { return SidAccess(sid)->levelAt(ms).volume; }
std::int16_t SidGetPanAt(MemHandle sid, std::uint32_t ms) { return SidAccess(sid)->levelAt(ms).pan; }

SidRef SidPlay(MemHandle sid, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    const auto free = std::find_if(std::begin(slots), std::end(slots), [](const SidSlot& s) { return !s.ref; });
    if (free == std::end(slots)) return 0;
    const auto index = static_cast<std::uint16_t>(free - slots);
    const SidAccess access(sid);
    if (!access.bytes()) return 0;
    if (priority == kSidOwnPriority) priority = access->priority();
    const SidLevel initial = access->initial();
    const std::int16_t channel =
        playInSlot(access.view(), index, priority,
                   static_cast<std::uint16_t>(std::uint32_t{volume} * initial.volume >> 10), clampPan(pan + initial.pan));
    if (channel == -1) return 0;
    serial = static_cast<std::uint16_t>((serial + 1) | 0x8000);
    *free = slotFor(SidRef{serial} << 16 | index, channel, sid, access.view(),
                    ClockMilliseconds() - SndGetPosition(channel), volume, pan);
    return free->ref;
}

SidRef SidPlayDefault(MemHandle sid) { return SidPlay(sid, kSidOwnPriority, kFullVolume, 0); }

std::int16_t SidStop(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? SndStop(static_cast<std::int16_t>(slot->channel)) : -1;
}

std::int16_t SidStopAtEnd(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? SndStopAtEnd(static_cast<std::int16_t>(slot->channel)) : -1;
}

std::int16_t SidIsPlaying(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? SndIsPlaying(static_cast<std::int16_t>(slot->channel)) : 0;
}

std::int16_t SidIsLooping(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? SndIsLooping(static_cast<std::int16_t>(slot->channel)) : 0;
}

std::int16_t SidGetChannel(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? static_cast<std::int16_t>(slot->channel) : -1;
}

std::uint32_t SidGetElapsed(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? ClockMilliseconds() - slot->start : 0;
}

std::uint16_t SidGetVolume(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? slot->volume : kFullVolume;
}

std::int16_t SidGetPan(SidRef ref) {
    const SidSlot* slot = slotOf(ref);
    return slot ? slot->pan : 0;
}

void SidSetVolume(SidRef ref, std::uint16_t volume) { SidSetVolumePan(ref, volume, SidGetPan(ref)); }
void SidSetPan(SidRef ref, std::int16_t pan) { SidSetVolumePan(ref, SidGetVolume(ref), pan); }

void SidSetVolumePan(SidRef ref, std::uint16_t volume, std::int16_t pan) {
    SidSlot* slot = slotOf(ref);
    if (!slot) return;
    slot->volume = volume;
    slot->pan = pan;
    apply(*slot);
}

void SidServiceAll() {
    for (const SidSlot& slot : slots)
        if (slot.ref && slot.hasEnvelope) apply(slot);
}

void SidCompletion(std::int16_t, std::uint32_t, MemHandle, std::uint32_t data) {
    if (data >= kSidSlotCount) return;
    const SidSlot ended = slots[data];
    slots[data] = SidSlot{};
    if (ended.address) MemHandleUnlock(ended.sid);
    MemHandle sid = ended.sid;
    if (ended.releaseAtEnd && !heldByPlay(sid)) ResReleaseHandle(&sid);
}

void SidTestHoldFreeSlots(MemHandle sid, std::int16_t channels) {
    const SidAccess access(sid);
    for (SidSlot& slot : slots) {
        if (slot.ref) continue;
        const auto index = static_cast<std::uint16_t>(&slot - slots);
        slot = slotFor(SidRef{0x8000} << 16 | index, std::int16_t(channels > 0 ? index % channels : 0), sid,
                       access.view(), ClockMilliseconds(), kFullVolume, 0);
    }
}
