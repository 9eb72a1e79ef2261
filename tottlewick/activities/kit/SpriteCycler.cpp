// The sprite cyclers over the shape manager, timed by the kit clock.
#include "SpriteCycler.h"

#include <vector>

#include "KitClock.h"
#include "ShapeMgr.h"

namespace {

struct CyclerSlot {
    ShapeBank bank;  // 0: the slot is free
    std::uint16_t frame;
    std::int16_t x, y;
    std::uint32_t flags;  // shape drawing flags; bits 0-1 mirror
    std::uint16_t firstFrame;
    std::uint16_t lastFrame;
    std::uint16_t rate;  // frames per second, 0 still
    std::uint32_t lastStep;
    std::uint16_t visible;
    std::uint16_t loop;
    std::uint16_t depth;  // draw-order key
};

std::vector<CyclerSlot> slots;
std::vector<std::uint16_t> order;  // slot numbers in drawing order, ending with 0
bool orderStale = false;

CyclerSlot* slotAt(std::uint16_t slot) {
    return slot >= 1 && slot <= slots.size() ? &slots[slot - 1] : nullptr;
}

void invalidate(const CyclerSlot& s) {
    if (s.bank) ShapeInvalidate(s.bank, s.frame, s.x, s.y, static_cast<std::uint16_t>(s.flags));
}

// Each filled slot goes before the first listed one of greater depth, so equal depths keep slot order.
void rebuildOrder() {
    order.clear();
    for (std::uint16_t number = 1; number <= slots.size(); ++number) {
        if (!slots[number - 1].bank) continue;
        auto at = order.begin();
        while (at != order.end() && slots[*at - 1].depth <= slots[number - 1].depth) ++at;
        order.insert(at, number);
    }
    order.push_back(0);
    orderStale = false;
}

void step(CyclerSlot& s, std::uint32_t now) {
    if (!s.bank || !s.rate || s.lastStep + 1000u / s.rate >= now) return;
    invalidate(s);
    if (s.frame < s.lastFrame) ++s.frame;
    else s.frame = s.loop ? s.firstFrame : s.lastFrame;
    s.lastStep = now;
    invalidate(s);
}

}  // namespace

std::int16_t SpriteCyclerInit(std::uint16_t count) {
    slots.assign(count, CyclerSlot{});
    order.assign(count + 1u, 0);
    orderStale = false;
    KitClockStart();
    return 1;
}

void SpriteCyclerShutdown() {
    for (CyclerSlot& s : slots) ShapeBankFree(&s.bank);
    slots.clear();
    order.clear();
    KitClockStop();
}

std::uint16_t SpriteCyclerAdd(std::uint16_t xpkId) {
    ShapeBank bank = ShapeBankLoad(xpkId);
    if (!bank) return 0;
    for (std::uint16_t number = 1; number <= slots.size(); ++number) {
        CyclerSlot& s = slots[number - 1];
        if (s.bank) continue;
        s = CyclerSlot{};
        s.bank = bank;
        s.lastFrame = static_cast<std::uint16_t>(ShapeBankCount(bank) - 1);
        s.lastStep = KitClockNow();
        s.depth = number;
        orderStale = true;
        return number;
    }
    ShapeBankFree(&bank);
    return 0;
}

void SpriteCyclerRemove(std::uint16_t slot) {
    CyclerSlot* s = slotAt(slot);
    if (!s) return;
    invalidate(*s);
    ShapeBankFree(&s->bank);
    *s = CyclerSlot{};
    orderStale = true;
}

void SpriteCyclerSetPosition(std::uint16_t slot, std::int16_t x, std::int16_t y) {
    CyclerSlot* s = slotAt(slot);
    if (!s) return;
    invalidate(*s);
    s->x = x;
    s->y = y;
    s->visible = 1;
    invalidate(*s);
}

std::uint16_t SpriteCyclerSetVisible(std::uint16_t slot, std::uint16_t on) {
    CyclerSlot* s = slotAt(slot);
    if (!s) return 0;
    const std::uint16_t old = s->visible;
    s->visible = on;
    invalidate(*s);
    return old;
}

void SpriteCyclerSetRate(std::uint16_t slot, std::uint16_t framesPerSecond, std::uint16_t loop) {
    CyclerSlot* s = slotAt(slot);
    if (!s) return;
    s->rate = framesPerSecond;
    s->loop = loop;
    invalidate(*s);
}

void SpriteCyclerInvalidate(std::uint16_t slot) {
    if (const CyclerSlot* s = slotAt(slot)) invalidate(*s);
}

std::uint16_t SpriteCyclerGetFrame(std::uint16_t slot) {
    const CyclerSlot* s = slotAt(slot);
    return s ? s->frame : 0;
}

void SpriteCyclersTick() {
    const std::uint32_t now = KitClockNow();
    for (CyclerSlot& s : slots) step(s, now);
}

void SpriteCyclersDraw(const Rect& clip) {
    if (orderStale) rebuildOrder();
    for (const std::uint16_t number : order) {
        if (!number) break;
        const CyclerSlot& s = slots[number - 1];
        if (!s.bank || !s.visible) continue;
        const auto flags = static_cast<std::uint16_t>(s.flags);
        Rect image{};
        Rect met{};
        ShapeGetImageRect(&image, s.bank, s.frame, s.x, s.y, flags);
        if (RectIntersect(&met, &image, &clip)) ShapeDraw(nullptr, s.bank, s.frame, s.x, s.y, flags);
    }
}
