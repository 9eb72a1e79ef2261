// Scene, BlackScreen, copyPal, fadeToBlack and fadeFromBlack on the main trinket window.
#include "SceneCommands.h"

#include <cstdint>

#include "AOBackground.h"
#include "DescriptorFile.h"
#include "DissolveOrder.h"
#include "OMAnimation.h"
#include "OMApp.h"
#include "OMSParameter.h"
#include "OMTrinket.h"
#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"
#include "ResourceFinder.h"

namespace {

constexpr std::int32_t kPaletteEntries = 256;
constexpr OMRect kScreenArea{0, 0, 640, 460};

OMColorRecord windowPalette[kPaletteEntries];

OMTrinketWindow* trinketWindow() { return OMTrinketWindow::mainTrinketWindow; }

AOBackground* sceneBackground() {
    OMTrinketWindow* window = trinketWindow();
    return window ? dynamic_cast<AOBackground*>(window->background) : nullptr;
}

void loadPaletteInto(std::uint16_t id, OMColorRecord* table) { OMAnimation::loadPalette(findResource(id, "RRGB"), table); }

void drawPicture(OMMemCanvas& canvas, std::uint16_t id) {
    OMAnimation::drawStreamImage(&canvas, findResource(id, "ASEQ"), 0);
}

void firstScene(OMTrinketWindow& window, std::uint16_t id) {
    loadPaletteInto(id, windowPalette);
    const std::int32_t depth = directDrawActive ? window.canvas->depth : 8;
    auto* picture = new OMMemCanvas(window.canvas->width(), window.canvas->height(), depth, 1);
    drawPicture(*picture, id);
    window.setBackground(new AOBackground(picture));
    window.setPalette(windowPalette, 0);
    window.canvas->erase(OMColorRecord{0, 0, 0, kNoColor});
    window.offscreen->erase(OMColorRecord{0, 0, 0, 0});
    window.showInactive();
}

// A blackening of the window canvas or a copy from the picture, block by block in the dissolve's order.
template <class Visit>
void dissolve(Visit visit) {
    for (const std::uint16_t block : dissolveOrder()) {
        const std::int32_t column = block % kDissolveColumns;
        const std::int32_t row = block / kDissolveColumns;
        visit(OMRect{column * kDissolveBlockWidth, row * kDissolveBlockHeight, (column + 1) * kDissolveBlockWidth,
                     (row + 1) * kDissolveBlockHeight});
    }
}

bool inPalette(std::int32_t index) { return index >= 0 && index < kPaletteEntries; }

}  // namespace

OMColorRecord* windowPaletteTable() { return windowPalette; }

void sceneCommand(OMArg) {
    OMTrinketWindow* window = trinketWindow();
    const DescriptorFile* descriptor = currentDescriptorFile();
    if (!window || !descriptor) return;
    const auto id = static_cast<std::uint16_t>(descriptor->intParam(popParameter(), 1));
    if (id == 0) return;
    AOBackground* background = sceneBackground();
    if (!background) return firstScene(*window, id);
    loadPaletteInto(id, windowPalette);
    window->setPalette(windowPalette, 0);
    drawPicture(background->picture(), id);
    window->invalidateAll();
}

void blackScreenCommand(OMArg) {
    AOBackground* background = sceneBackground();
    const std::int32_t n = decimalValue(popParameter());
    if (!background) return;
    const OMColorRecord colour = n == 0 ? colorOf(0, 0, 0) : OMColorRecord{0, 0, 0, n};
    fillArea(background->picture(), regionOf(kScreenArea), colour);
    trinketWindow()->invalidateAll();
}

// Indices outside 0..255 are left out, so a script cannot write past either table.
void copyPalCommand(OMArg) {
    static OMColorRecord copied[kPaletteEntries];
    const std::int32_t id = decimalValue(popParameter());
    const std::int32_t first = decimalValue(popParameter());
    const std::int32_t last = decimalValue(popParameter());
    const std::int32_t destination = decimalValue(popParameter());
    if (!sceneBackground()) return;
    loadPaletteInto(static_cast<std::uint16_t>(id), copied);
    for (std::int32_t i = first; i <= last; ++i) {
        const std::int32_t to = destination + (i - first);
        if (inPalette(i) && inPalette(to)) windowPalette[to] = copied[i];
    }
    trinketWindow()->setPalette(windowPalette, 0);
    trinketWindow()->invalidateAll();
}

void fadeToBlackCommand(OMArg) {
    OMTrinketWindow* window = trinketWindow();
    if (!window) return;
    OMCanvas& canvas = *window->canvas;
    dissolve([&canvas](const OMRect& block) { fillArea(canvas, regionOf(block), colorOf(0, 0, 0)); });
    blackScreenCommand(0);
}

void fadeFromBlackCommand(OMArg) {
    AOBackground* background = sceneBackground();
    if (!background) return;
    OMTrinketWindow* window = trinketWindow();
    window->invalidateAll();
    OMCanvas& canvas = *window->canvas;
    OMMemCanvas& picture = background->picture();
    dissolve([&canvas, &picture](const OMRect& block) {
        canvas.copyFrom(picture, block.left, block.top, block.right - block.left, block.bottom - block.top, block.left,
                        block.top, kCopyRop, nullptr);
    });
}
