// The trinket window's life, its update pass (tick, background, compose, present), palettes, the frame
// clock and its settings.
#include "OMTrinketWindow.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "OMApp.h"
#include "OMCanvas.h"
#include "OMColorTable.h"
#include "OMMemCanvas.h"
#include "OMMultiTrinket.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTask.h"
#include "OMTrinket.h"
#include "OMWaveOutMixer.h"
#include "OMWndCanvas.h"

OMTrinketWindow* OMTrinketWindow::mainTrinketWindow = nullptr;
OMTrinket* OMTrinketWindow::hoverTrinket = nullptr;
std::int32_t OMTrinketWindow::hoverGuard = 0;
POINT OMTrinketWindow::lastPoint = {0, 0};
OMTInputRecord OMTrinketWindow::inputRecord = {kInputKey, 0, 0};

namespace {

// Off-screen canvas flags: a plain surface, or one for page flipping.
constexpr std::uint32_t kPlainSurface = 1;
constexpr std::uint32_t kFlippingSurface = 2;

// Magenta is one of the static colours, so it shows as itself on every palette.
constexpr OMColorRecord kFlashColour = colorOf(255, 0, 255);

std::int32_t byZ(OMTrinket* e, OMTrinket* x) { return e->z <= x->z ? 1 : 0; }

void invoke(OMLink* link) {
    if (link) link->invoke();
}

// Runs `step` on every trinket from the lowest z; steps may add or delete trinkets.
void eachTrinket(OMList<OMTrinket>& trinkets, std::int32_t (*step)(OMTrinket*, OMArg), OMArg argument) {
    OMListCallbackBlock<OMTrinket> block;
    block.functionWithArgument = step;
    trinkets.forEach(3, block, argument);
}

std::int32_t tickOne(OMTrinket* trinket, OMArg window) {
    std::int32_t& tickMax = reinterpret_cast<OMTrinketWindow*>(window)->tickMax;
    tickMax = std::max(tickMax, trinket->queryOne());
    if (!(trinket->inputMask & kNoTick)) trinket->tick();
    return 0;
}

std::int32_t composeOne(OMTrinket* trinket, OMArg) {
    trinket->compose();
    return 0;
}

}  // namespace

OMTrinketWindow::OMTrinketWindow(const OMRect* rect, OMTBackground* ground, std::int32_t frameKind,
                                 std::int32_t doubleBuffer)
    : OMWindow(rect, frameKind, 0), trinkets(byZ), background(ground) {
    const std::int32_t depth = directDrawActive ? displayBitsPerPixel(theApp->displayNumber) : 8;
    offscreen = new OMMemCanvas(rect->right - rect->left, rect->bottom - rect->top, depth,
                                doubleBuffer ? kFlippingSurface : kPlainSurface);
    if (doubleBuffer && directDrawActive) doubleBuffered = canvas->attachMemCanvas(offscreen) ? 1 : 0;
    invalidateAll();
    const OMLinkToObj<OMTrinketWindow> run(this, &OMTrinketWindow::update);
    updateTask = new OMTask(&run, 0);
    appendTask(updateTask);
    const OMLinkToObj<OMTrinketWindow> shift(this, nullptr, &OMTrinketWindow::shiftClock);
    resumeLink = shift.clone();
    OMWaveOutMixer::timingShifts().append(resumeLink);
    if (!mainTrinketWindow) mainTrinketWindow = this;
}

OMTrinketWindow::~OMTrinketWindow() {
    closing = true;
    delete updateTask;
    OMWaveOutMixer::timingShifts().remove(resumeLink);
    delete resumeLink;
    for (OMLink** link : {&presentedLink, &preTickLink, &postTickLink, &preComposeLink, &postComposeLink, &endLink}) {
        replaceLink(*link, nullptr);
    }
    canvas->setCursor(nullptr);
    deleteTrinkets();
    for (OMLink** link : {&activityLink, &mouseMoveLink, &startLink}) replaceLink(*link, nullptr);
    if (doubleBuffered) canvas->detachMemCanvas(offscreen);
    delete offscreen;
    delete background;
    if (mainTrinketWindow == this) mainTrinketWindow = nullptr;
}

// The death registry is gone by now and tells no group of a child's end, so the groups first let go of
// the children that scripts gave them: whatever order those go in, no group touches a deleted one. The
// trinkets that scripts made go next: each deletes the parts it owns (a game's road, a race's hot spots),
// which would otherwise be deleted here before their owner, and then again by it.
void OMTrinketWindow::deleteTrinkets() {
    for (OMListElement<OMTrinket>* n = trinkets.head; n; n = n->next) {
        if (auto* group = dynamic_cast<OMMultiTrinket*>(n->element)) group->releaseUnowned();
    }
    const auto scriptMade = [this]() -> OMTrinket* {
        for (OMListElement<OMTrinket>* n = trinkets.head; n; n = n->next) {
            if (n->element->className) return n->element;
        }
        return nullptr;
    };
    while (OMTrinket* made = scriptMade()) delete made;
    while (trinkets.head) delete trinkets.head->element;
}

void OMTrinketWindow::update() {
    invoke(startLink);
    invoke(preTickLink);
    tickTrinkets();
    invoke(postTickLink);
    if (needsUpdate) {
        needsUpdate = 0;
        if (drawBackground) drawBackgroundStep();
        invoke(preComposeLink);
        composeTrinkets();
        invoke(postComposeLink);
        if (presentEnabled || presentRequested) present();
    }
    invoke(endLink);
}

void OMTrinketWindow::tickTrinkets() {
    tickMax = 1;
    frameTime = static_cast<std::int32_t>(ticksMs()) - pausedTime;
    eachTrinket(trinkets, tickOne, reinterpret_cast<OMArg>(this));
}

void OMTrinketWindow::drawBackgroundStep() {
    if (!background) return;
    flash(redrawRegion[bufferIndex]);
    OMRect changed = kEmptyRect;
    if (!background->draw(offscreen, &redrawRegion[bufferIndex], &changed)) return;
    const OMRegion more = regionOf(changed);
    addRedrawRegion(more);
    addPresentRegion(more);
}

void OMTrinketWindow::composeTrinkets() {
    presentRegion[bufferIndex] = redrawRegion[bufferIndex];
    eachTrinket(trinkets, composeOne, 0);
    redrawRegion[bufferIndex].clear();
}

// Only the bounding rectangle of the present region is copied, clipped to the region.
void OMTrinketWindow::present() {
    OMRegion& region = presentRegion[bufferIndex];
    if (!region.handle()) return;
    flash(region);
    if (doubleBuffered) {
        region.clear();
        bufferIndex = 1 - bufferIndex;
        canvas->restoreSurfaces();
    } else {
        const OMRect box = region.bounds();
        canvas->copyFrom(*offscreen, box.left, box.top, box.right - box.left, box.bottom - box.top, box.left, box.top,
                         kCopyRop, &region);
        region.clear();
    }
    invoke(presentedLink);
}

void OMTrinketWindow::paintBackgroundImage() {
    OMCanvas* picture = background ? background->canvas() : nullptr;
    if (picture) offscreen->copyFrom(*picture, 0, 0, picture->width(), picture->height(), 0, 0, kCopyRop, nullptr);
}

void OMTrinketWindow::repaint() {
    if (!presentEnabled && !presentRequested) return;
    if (doubleBuffered) return invalidateAll();
    canvas->copyFrom(*offscreen, 0, 0, offscreen->width(), offscreen->height(), 0, 0, kCopyRop, nullptr);
}

void OMTrinketWindow::setBackground(OMTBackground* ground) {
    delete background;
    background = ground;
    invalidateAll();
}

void OMTrinketWindow::invalidateAll() {
    if (!background) return;
    const OMRegion whole = regionOf({0, 0, offscreen->width(), offscreen->height()});
    addRedrawRegion(whole);
    addPresentRegion(whole);
}

void OMTrinketWindow::addRedrawRegion(const OMRegion& region) {
    for (std::int32_t b = 0; b < bufferCount(); ++b) redrawRegion[b] |= region;
    needsUpdate = 1;
}

void OMTrinketWindow::addPresentRegion(const OMRegion& region) {
    for (std::int32_t b = 0; b < bufferCount(); ++b) presentRegion[b] |= region;
}

void OMTrinketWindow::clearRegions() {
    presentRegion[bufferIndex].clear();
    redrawRegion[bufferIndex].clear();
}

void OMTrinketWindow::flash(const OMRegion& area) {
    if (!flashTicks || !area.handle()) return;
    fillArea(*canvas, area, kFlashColour);
    GdiFlush();
    // The pass itself waits: nothing else runs before the area is drawn or copied.
    const std::uint32_t start = ticks60();
    while (ticks60() - start < static_cast<std::uint32_t>(flashTicks)) {
    }
}

void OMTrinketWindow::flash(const OMRect& area) {
    if (flashTicks) flash(regionOf(area));
}

// Entries are compared as the canvas stores them (pure black and white of the program's entries are
// nudged), so installing the palette already shown never blacks the window out.
std::int32_t OMTrinketWindow::hasChangedColors(const OMColorRecord* table) {
    OMColorRecord current[kPaletteSize];
    OMColorRecord system[kPaletteSize];
    OMPaletteEntry wanted[kPaletteSize];
    canvas->getColorTable(current);
    buildSystemColorTable(system);
    programPaletteEntries(system, table, wanted);
    for (int i = kStaticEntriesLow; i < kStaticEntriesHigh; ++i) {
        const OMColorRecord stored = recordOf(wanted[i]);
        if ((current[i].red >> 8) != (stored.red >> 8) || (current[i].green >> 8) != (stored.green >> 8) ||
            (current[i].blue >> 8) != (stored.blue >> 8)) {
            return 1;
        }
    }
    return 0;
}

void OMTrinketWindow::setPalette(const OMColorRecord* table, std::int32_t blackOut) {
    if (blackOut && canvas->depth == 8 && hasChangedColors(table)) {
        fillArea(*canvas, regionOf({0, 0, canvas->width(), canvas->height()}), colorOf(0, 0, 0));
    }
    offscreen->setColorTable(table);
    if (background) background->setColorTable(table);
    canvas->setColorTable(table);
}

void OMTrinketWindow::shiftClock(OMArg ms) {
    if (trinkets.count) pausedTime += static_cast<std::int32_t>(ms);
}

void OMTrinketWindow::setZFloor(std::int32_t floor) { zFloor = std::clamp(floor, kLowestZFloor, kHighestZ); }

void OMTrinketWindow::noteZ(std::int32_t value) {
    if (value > maxZ) {
        maxZ = value;
    } else if (value < minZ) {
        minZ = value;
    }
}

void OMTrinketWindow::setInputMask(std::uint32_t bits, const char* className, bool on) {
    if (!bits) return;
    defaultInputMask = on ? defaultInputMask | bits : defaultInputMask & ~bits;
    for (OMListElement<OMTrinket>* n = trinkets.head; n; n = n->next) {
        OMTrinket* t = n->element;
        if (className && (!t->className || std::strcmp(t->className, className) != 0)) continue;
        t->inputMask = on ? t->inputMask | bits : t->inputMask & ~bits;
    }
}

void OMTrinketWindow::setInputBits(std::uint32_t bits, const char* className) { setInputMask(bits, className, true); }
void OMTrinketWindow::clearInputBits(std::uint32_t bits, const char* className) {
    setInputMask(bits, className, false);
}
