// The four backdrop slots: building a tiled or pre-rendered backdrop, drawing it, releasing it.
#include "Backdrop.h"

#include "BackdropGrid.h"
#include "Canvas.h"
#include "CanvasCopy.h"
#include "Port.h"

namespace {

constexpr std::uint16_t kOwnsBank = 1;
constexpr std::uint16_t kPrerendered = 2;

// One cell of the table in a slot's memory handle.
struct BackdropCell {
    std::uint16_t index;
    Rect rect;
};

struct BackdropSlot {
    MemHandle cells;  // 0 while the slot is free
    ShapeBank bank;   // 0 for a pre-rendered backdrop
    std::uint16_t cellCount;
    BackdropGrid grid;  // a pre-rendered backdrop: one cell of the whole picture's size
    std::uint16_t flags;
};

BackdropSlot slots[kBackdropSlots];
Canvas pictures[kBackdropSlots];
std::uint32_t caching = 0;

int firstFree() {
    for (int i = 0; i < kBackdropSlots; ++i) {
        if (!slots[i].cells) return i;
    }
    return -1;
}

BackdropSlot* slotOf(std::int16_t number) {
    return number >= 1 && number <= kBackdropSlots && slots[number - 1].cells ? &slots[number - 1] : nullptr;
}

// The size of shape 0's frame, the size of every tile.
void tileSize(ShapeBank bank, std::uint16_t* width, std::uint16_t* height) {
    Rect frame{};
    ShapeGetFrameRect(&frame, bank, 0, 0, 0, 0);
    *width = std::uint16_t(RectWidth(&frame));
    *height = std::uint16_t(RectHeight(&frame));
}

bool fillCells(BackdropSlot& slot, std::uint16_t count) {
    slot.cells = MemHandleAlloc(std::uint32_t(count) * sizeof(BackdropCell));
    auto* cells = static_cast<BackdropCell*>(MemHandleLock(slot.cells));
    if (!cells) {
        MemHandleFree(&slot.cells);
        return false;
    }
    for (std::uint16_t i = 0; i < count; ++i) cells[i] = {i, backdropCellRect(slot.grid, i)};
    MemHandleUnlock(slot.cells);
    slot.cellCount = count;
    return true;
}

bool buildTiled(BackdropSlot& slot, ShapeBank bank, std::uint16_t columns, std::uint16_t rows, std::int16_t x,
                std::int16_t y, std::uint16_t flags) {
    if (!bank) return false;
    slot.grid = {x, y, columns, rows, 0, 0};
    tileSize(bank, &slot.grid.cellWidth, &slot.grid.cellHeight);
    if (!fillCells(slot, std::uint16_t(columns * rows))) return false;
    slot.bank = bank;
    slot.flags = flags;
    return true;
}

// The whole grid drawn once into a memory canvas whose logical coordinates are the screen's.
bool buildPrerendered(int number, ShapeBank* bank, std::uint16_t columns, std::uint16_t rows, std::int16_t x,
                      std::int16_t y) {
    BackdropSlot& slot = slots[number];
    BackdropGrid tiles{x, y, columns, rows, 0, 0};
    tileSize(*bank, &tiles.cellWidth, &tiles.cellHeight);
    const std::uint16_t width = std::uint16_t(columns * tiles.cellWidth);
    const std::uint16_t height = std::uint16_t(rows * tiles.cellHeight);
    slot.grid = {x, y, 1, 1, width, height};
    if (!fillCells(slot, 1)) return false;
    CanvasDispose(&pictures[number]);
    if (!CanvasCreate(&pictures[number], width | std::uint32_t(height) << 16, kCanvasMemory)) {
        MemHandleFree(&slot.cells);
        slot = BackdropSlot{};
        return false;
    }
    const Rect picture{x, y, std::int16_t(x + width), std::int16_t(y + height)};
    CanvasSetBounds(pictures[number], &picture);
    PortPush(pictures[number]);
    for (int i = 0; i < columns * rows; ++i) {
        const Rect cell = backdropCellRect(tiles, i);
        ShapeDraw(nullptr, *bank, std::uint16_t(i), cell.left, cell.top, 0);
    }
    PortPop();
    slot.bank = 0;
    slot.flags = kOwnsBank | kPrerendered;
    ShapeBankFree(bank);
    return true;
}

void drawTiled(const BackdropSlot& slot, const Rect& rect) {
    const BackdropSpan span = backdropSpan(slot.grid, rect);
    const auto* cells = static_cast<const BackdropCell*>(MemHandleLock(slot.cells));
    if (!cells || span.empty()) {
        if (cells) MemHandleUnlock(slot.cells);
        return;
    }
    const Canvas port = PortGet();
    Rect saved{};
    CanvasGetClip(&saved, port);
    CanvasSetClip(port, &rect);
    for (int row = span.firstRow; row <= span.lastRow; ++row) {
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            // A grid of more cells than the 16-bit count holds has a shorter table.
            const int i = row * slot.grid.columns + column;
            if (i >= slot.cellCount) continue;
            const BackdropCell& cell = cells[i];
            ShapeDraw(nullptr, slot.bank, cell.index, cell.rect.left, cell.rect.top, 0);
        }
    }
    CanvasSetClip(port, &saved);
    MemHandleUnlock(slot.cells);
}

}  // namespace

std::uint32_t BackdropSetCached(std::uint32_t on) {
    const std::uint32_t previous = caching;
    caching = on;
    return previous;
}

std::int16_t BackdropLoad(std::uint16_t id, std::uint16_t columns, std::uint16_t rows, std::int16_t x, std::int16_t y) {
    const int number = firstFree();
    if (number < 0) return 0;
    ShapeBank bank = ShapeBankLoad(id);
    if (!bank) return 0;
    if (caching && buildPrerendered(number, &bank, columns, rows, x, y)) return std::int16_t(number + 1);
    if (buildTiled(slots[number], bank, columns, rows, x, y, kOwnsBank)) return std::int16_t(number + 1);
    ShapeBankFree(&bank);
    return 0;
}

std::int16_t BackdropAdd(ShapeBank bank, std::uint16_t columns, std::uint16_t rows, std::int16_t x, std::int16_t y) {
    const int number = firstFree();
    if (number < 0 || !buildTiled(slots[number], bank, columns, rows, x, y, 0)) return 0;
    return std::int16_t(number + 1);
}

void BackdropFree(std::int16_t number) {
    BackdropSlot* slot = slotOf(number);
    if (!slot) return;
    MemHandleFree(&slot->cells);
    if (slot->flags & kOwnsBank) ShapeBankFree(&slot->bank);
    if (slot->flags & kPrerendered) CanvasDispose(&pictures[number - 1]);
    *slot = BackdropSlot{};
}

void BackdropFreeAll() {
    for (std::int16_t number = 1; number <= kBackdropSlots; ++number) BackdropFree(number);
}

void BackdropDraw(std::int16_t number, const Rect* rect) {
    const BackdropSlot* slot = slotOf(number);
    if (!slot || !rect) return;
    if (slot->flags & kPrerendered) {
        CanvasCopyClipped(PortGet(), rect->left, rect->top, pictures[number - 1], rect);
    } else {
        drawTiled(*slot, *rect);
    }
}

void BackdropDrawAll(const Rect* rect) {
    for (std::int16_t number = 1; number <= kBackdropSlots; ++number) BackdropDraw(number, rect);
}

std::int16_t BackdropLoadMain(std::uint16_t id, std::uint16_t columns, std::uint16_t rows, std::int16_t x,
                              std::int16_t y) {
    if (slots[0].cells) return 0;
    return BackdropLoad(id, columns, rows, x, y) ? 1 : 0;
}

void BackdropFreeMain() { BackdropFree(1); }
void BackdropDrawMain(const Rect* rect) { BackdropDraw(1, rect); }
