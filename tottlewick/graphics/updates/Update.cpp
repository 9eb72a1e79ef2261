// The update lists in their memory handle, the current list, invalidation and the flush.
//
//   +----------------------------------------+
//   | capacity, screen rect                  |
//   | list A count, position ----------------+--.
//   | list B count, position ----------------+--|--.
//   | window, offscreen, background canvases |  |  |
//   | erase, redraw, copy, transition procs  |  |  |
//   +----------------------------------------+  |  |
//   | capacity Rects (list A at creation)    |<-'  |
//   +----------------------------------------+     |
//   | capacity Rects (list B at creation)    |<----'
//   +----------------------------------------+
//
// A swap exchanges the counts and positions; the arrays never move.
#include "Update.h"

#include <algorithm>
#include <utility>

#include "CanvasCopy.h"
#include "CanvasRecord.h"
#include "Draw.h"
#include "Port.h"
#include "UpdateDisplay.h"
#include "UpdateRects.h"

namespace {

struct UpdateRecord {
    std::uint16_t capacity;
    Rect screen;
    std::uint16_t countA;
    std::uint32_t positionA;
    std::uint16_t countB;
    std::uint32_t positionB;
    Canvas window;
    Canvas offscreen;
    Canvas background;
    UpdateProc erase;
    UpdateProc redraw;
    UpdateProc copy;
    UpdateProc transition;

    Rect* at(std::uint32_t position) {
        return reinterpret_cast<Rect*>(reinterpret_cast<std::uint8_t*>(this) + position);
    }
    Rect* listA() { return at(positionA); }
    Rect* listB() { return at(positionB); }
};

// Locks a list for the lifetime of the object; false for a null or unlockable handle.
class UpdateAccess {
public:
    explicit UpdateAccess(UpdateList list)
        : list_(list), record_(list ? static_cast<UpdateRecord*>(MemHandleLock(list)) : nullptr) {}
    ~UpdateAccess() {
        if (record_) MemHandleUnlock(list_);
    }
    UpdateAccess(const UpdateAccess&) = delete;
    UpdateAccess& operator=(const UpdateAccess&) = delete;
    explicit operator bool() const { return record_ != nullptr; }
    UpdateRecord* operator->() const { return record_; }
    UpdateRecord& operator*() const { return *record_; }

private:
    UpdateList list_;
    UpdateRecord* record_;
};

UpdateList current = 0;
UpdateList initList = 0;
bool flushing = false;

template <class Value>
Value replaceField(Value UpdateRecord::*field, Value value) {
    UpdateAccess access(current);
    if (!access) return Value{};
    const Value previous = (*access).*field;
    (*access).*field = value;
    return previous;
}

std::uint16_t copyOut(std::uint16_t count, const Rect* rects, Rect* out) {
    if (out) std::copy(rects, rects + count, out);
    return count;
}

void addRect(UpdateRecord& record, const Rect& rect, std::int16_t which) {
    if (which) {
        record.countB = updateAddRect(record.listB(), record.countB, record.capacity, record.screen, rect);
    } else {
        record.countA = updateAddRect(record.listA(), record.countA, record.capacity, record.screen, rect);
    }
}

void invalidate(const Rect* rect, std::int16_t which) {
    UpdateAccess access(current);
    Rect whole{};
    if (!rect) {
        if (access && access->offscreen) {
            CanvasGetBounds(&whole, access->offscreen);
        } else if (access) {
            whole = access->screen;
        }
        rect = &whole;
        which = 1;
    }
    if (flushing) {
        flushing = false;
        return;
    }
    if (access) addRect(*access, *rect, which);
}

// The offscreen canvas as the current port with its clip kept, for the redraw and erase steps.
class OffscreenPort {
public:
    explicit OffscreenPort(Canvas offscreen) : offscreen_(offscreen), previous_(PortSet(offscreen)) {
        CanvasGetClip(&clip_, offscreen);
    }
    ~OffscreenPort() {
        CanvasSetClip(offscreen_, &clip_);
        PortSet(previous_);
    }
    OffscreenPort(const OffscreenPort&) = delete;
    OffscreenPort& operator=(const OffscreenPort&) = delete;
    const Rect& clip() const { return clip_; }

private:
    Canvas offscreen_;
    Canvas previous_;
    Rect clip_{};
};

// List B cut to the window canvas's clip, one prepared copy for all of it.
void copyListToWindow(UpdateRecord& record) {
    Rect clip{};
    CanvasGetClip(&clip, record.window);
    CanvasBeginCopy(record.window, record.offscreen, 0);
    for (std::uint16_t i = 0; i < record.countB; ++i) {
        Rect cut{};
        if (RectIntersect(&cut, &record.listB()[i], &clip)) CanvasCopyPrepared(cut.left, cut.top, &cut);
    }
    CanvasEndCopy();
}

}  // namespace

std::int16_t UpdateInit(std::uint16_t capacity) {
    Rect screen{};
    updateDisplayScreenRect(&screen);
    initList = UpdateListCreate(capacity, &screen);
    if (!initList) return 0;
    UpdateSetCurrent(initList);
    UpdateSetWindowCanvas(updateDisplayWindowCanvas());
    UpdateSetOffscreenCanvas(updateDisplayOffscreenCanvas());
    return 1;
}

void UpdateTerm() {
    if (current == initList) UpdateSetCurrent(0);
    MemHandleFree(&initList);
}

UpdateList UpdateListCreate(std::uint16_t capacity, const Rect* screen) {
    // Room for one rectangle at least, where a list of capacity 0 keeps the screen.
    const std::uint32_t room = std::max<std::uint32_t>(capacity, 1) * sizeof(Rect);
    UpdateList list = MemHandleAllocFlags(sizeof(UpdateRecord) + 2 * room, kMemZeroFill);
    UpdateAccess access(list);
    if (!access) return 0;
    access->capacity = capacity;
    access->screen = *screen;
    access->positionA = sizeof(UpdateRecord);
    access->positionB = sizeof(UpdateRecord) + room;
    return list;
}

UpdateList UpdateGetCurrent() { return current; }

UpdateList UpdateSetCurrent(UpdateList list) {
    flushing = false;
    return std::exchange(current, list);
}

Canvas UpdateSetWindowCanvas(Canvas canvas) { return replaceField(&UpdateRecord::window, canvas); }
Canvas UpdateSetOffscreenCanvas(Canvas canvas) { return replaceField(&UpdateRecord::offscreen, canvas); }
Canvas UpdateSetBackgroundCanvas(Canvas canvas) { return replaceField(&UpdateRecord::background, canvas); }
UpdateProc UpdateSetEraseProc(UpdateProc proc) { return replaceField(&UpdateRecord::erase, proc); }
UpdateProc UpdateSetRedrawProc(UpdateProc proc) { return replaceField(&UpdateRecord::redraw, proc); }
UpdateProc UpdateSetCopyProc(UpdateProc proc) { return replaceField(&UpdateRecord::copy, proc); }
UpdateProc UpdateSetTransitionProc(UpdateProc proc) { return replaceField(&UpdateRecord::transition, proc); }

std::uint16_t UpdateGetCapacity() {
    UpdateAccess access(current);
    return access ? access->capacity : 0;
}

std::uint16_t UpdateGetOnceRects(Rect* out) {
    UpdateAccess access(current);
    return access ? copyOut(access->countA, access->listA(), out) : 0;
}

std::uint16_t UpdateGetRects(Rect* out) {
    UpdateAccess access(current);
    return access ? copyOut(access->countB, access->listB(), out) : 0;
}

void UpdateInvalRect(const Rect* rect) { invalidate(rect, 1); }
void UpdateInvalRectOnce(const Rect* rect) { invalidate(rect, 0); }

void UpdateAddRect(UpdateList list, const Rect* rect, std::int16_t which) {
    UpdateAccess access(list);
    if (access && rect) addRect(*access, *rect, which);
}

void UpdateFlush() {
    flushing = true;
    if (current) {
        UpdateSwapLists();
        UpdateMergePrevious();
        UpdateRedraw();
        UpdateCopyList();
        UpdateClearCurrent();
    }
    flushing = false;
}

void UpdateFlushWithErase() {
    if (!current) return;
    UpdateErase();
    UpdateRedraw();
    UpdateSwapLists();
    UpdateMergePrevious();
    UpdateCopyList();
    UpdateClearCurrent();
}

void UpdateCopyToScreen(const Rect* rect) {
    UpdateAccess access(current);
    if (!rect) return;
    if (access && access->copy) {
        access->copy(1, rect);
    } else if (access) {
        CanvasCopy(access->window, rect->left, rect->top, access->offscreen, rect);
    } else {
        CanvasCopy(updateDisplayWindowCanvas(), rect->left, rect->top, updateDisplayOffscreenCanvas(), rect);
    }
}

void UpdateClearCurrent() {
    UpdateAccess access(current);
    if (access) access->countB = 0;
}

void UpdateSwapLists() {
    UpdateAccess access(current);
    if (!access) return;
    std::swap(access->countA, access->countB);
    std::swap(access->positionA, access->positionB);
}

void UpdateMergePrevious() {
    UpdateAccess access(current);
    if (!access) return;
    for (std::uint16_t i = 0; i < access->countA; ++i) addRect(*access, access->listA()[i], 1);
}

void UpdateErase() {
    UpdateAccess access(current);
    if (!access) return;
    UpdateRecord& record = *access;
    const OffscreenPort port(record.offscreen);
    if (record.erase) {
        if (record.countA) record.erase(record.countA, record.listA());
        return;
    }
    std::uint8_t colour = 0;
    if (CanvasAccess offscreen{record.offscreen}) colour = std::uint8_t(offscreen->backColorWord);
    for (std::uint16_t i = 0; i < record.countA; ++i) {
        Rect cut{};
        if (!record.background) {
            DrawFillRectIndex(&record.listA()[i], colour);
        } else if (RectIntersect(&cut, &record.listA()[i], &port.clip())) {
            CanvasCopy(record.offscreen, cut.left, cut.top, record.background, &cut);
        }
    }
}

void UpdateRedraw() {
    UpdateAccess access(current);
    if (!access) return;
    const OffscreenPort port(access->offscreen);
    if (access->redraw && access->countB) access->redraw(access->countB, access->listB());
}

void UpdateCopyList() {
    UpdateAccess access(current);
    if (!access) return;
    UpdateRecord& record = *access;
    if (record.transition) {
        if (record.countB) record.transition(record.countB, record.listB());
        record.transition = nullptr;
    } else if (record.copy) {
        if (record.countB) record.copy(record.countB, record.listB());
    } else {
        copyListToWindow(record);
    }
}
