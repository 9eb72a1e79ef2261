// The movie trinket's life: opening, the sound device handed to the library while any movie exists,
// start and stop with the window's update task swapped for the play task, the two display modes and the
// frame step.
#include "RSmackerMovie.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "CDRoot.h"
#include "OMCachedFile.h"
#include "OMMemCanvas.h"
#include "OMSound.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "OMTrinketWindow.h"
#include "OMWaveSound.h"
#include "OMWndCanvas.h"
#include "smackw32.h"

namespace {

constexpr unsigned kAlertFlags = 0x3000;

bool fileThere(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::int32_t RSmackerMovie::movieSound = 1;
std::int32_t RSmackerMovie::moviesAlive = 0;
RSmackerMovie* RSmackerMovie::directMovie = nullptr;
OMColorRecord RSmackerMovie::savedPalette[256];
RSmackerMovie::PaletteHook RSmackerMovie::paletteHook = nullptr;

void RSmackerMovie::setPaletteHook(PaletteHook hook) { paletteHook = hook; }

RSmackerMovie::RSmackerMovie(const char* movieName, std::int32_t x, std::int32_t y, const OMLink* finish,
                             std::int32_t extra, std::int32_t followPalette, std::int32_t preloadFile,
                             std::int32_t soundOn)
    : OMTrinket(OMTrinketWindow::mainTrinketWindow, kRedrawRegion), preload(preloadFile), usePalette(followPalette),
      finishLink(finish ? finish->clone() : nullptr), extraBuffer(extra), name(movieName ? movieName : "") {
    if (moviesAlive++ == 0) {
        OMSound::stopAll();
        OMWaveSound::closeDevice();
    }
    if (usePalette && window->canvas) window->canvas->getColorTable(savedPalette);
    std::uint32_t flags = kSmackNoSkip | (movieSound ? kSmackTracks : 0) | (preload ? kSmackPreloadAll : 0);
    movie = SmackOpen(findMovie(name).c_str(), flags, static_cast<std::uint32_t>(extraBuffer));
    if (!movie) {
        invokeLink(finishLink);
    } else {
        const auto left = x, top = y;
        setBounds(left, top, left + static_cast<std::int32_t>(movie->Width), top + static_cast<std::int32_t>(movie->Height));
        if (!soundOn) SmackSoundOnOff(movie, 0);
    }
    setUpdateMode(kClean);
    directMovie = this;
}

// The handlers go first, so that the stop inside release raises nothing.
RSmackerMovie::~RSmackerMovie() {
    bindEvent("finished", nullptr, nullptr);
    bindEvent("signal", nullptr, nullptr);
    release();
    delete finishLink;
    delete signalLink;
    delete ownCanvas;
    delete[] summary;
    delete playTask;
    if (directMovie == this) directMovie = nullptr;
    if (--moviesAlive == 0) static_cast<void>(OMWaveSound::openDevice(1));
}

// Without a CD root there is no second place to look; the alert then names the bare name.
std::string RSmackerMovie::findMovie(const std::string& movieName) {
    std::string path = "rsc\\" + movieName;
    if (fileThere(path)) return path;
    path = cdRoot() + movieName;
    if (!cdRoot().empty() && fileThere(path)) return path;
    const std::string text = "Can't find required resource.\r\rPlease make sure your CD is inserted and its surface "
                             "is clean.\r\rCode: " + path + " ";
    alertBox(text.c_str(), kAlertFlags, nullptr);
    std::exit(1);
}

void RSmackerMovie::start() {
    if (!movie || playing) return;
    if (!ownCanvas) takeOverUpdate();
    if (!preload) suspendCachedFileTask();
    nextSignal = 0;
    playing = 1;
}

void RSmackerMovie::stop() {
    if (!movie || !playing) return;
    playing = 0;
    if (!ownCanvas) giveBackUpdate();
    if (!preload) resumeCachedFileTask();
    if (restorePalette && usePalette) window->setPalette(savedPalette, 0);
    raise("finished", finishLink);
}

void RSmackerMovie::release() {
    const std::uint32_t me = serial();
    stop();
    if (!isAlive(this, me) || !movie) return;
    SmackSoundOnOff(movie, 1);
    SmackClose(movie);
    movie = nullptr;
}

void RSmackerMovie::takeOverUpdate() {
    if (OMList<OMTask>* tasks = appTaskList()) tasks->remove(window->updateTask);
    const OMLinkToObj<RSmackerMovie> step(this, &RSmackerMovie::tick);
    if (!playTask) playTask = new OMTask(&step, 0);
    appendTask(playTask);
}

void RSmackerMovie::giveBackUpdate() {
    if (window->updateTask) appendTask(window->updateTask);
    window->update();
    delete playTask;
    playTask = nullptr;
}

void RSmackerMovie::setCollecting(bool on) {
    if (!movie || on == (ownCanvas != nullptr)) return;
    const std::int32_t width = static_cast<std::int32_t>(movie->Width), height = static_cast<std::int32_t>(movie->Height);
    if (on) {
        if (directMovie == this) directMovie = nullptr;
        giveBackUpdate();
        // 8 bits whatever the window's depth: the library writes one palette index a pixel.
        ownCanvas = new OMMemCanvas(width, height, 8, kSystemMemorySurface);
        OMColorRecord table[256];
        window->canvas->getColorTable(table);
        ownCanvas->setColorTable(table);
        ownCanvas->copyFrom(*window->offscreen, bounds.left, bounds.top, width, height, 0, 0, kCopyRop, nullptr);
        invalidate();
        return;
    }
    if (directMovie && directMovie != this) return;
    window->offscreen->copyFrom(*ownCanvas, 0, 0, width, height, bounds.left, bounds.top, kCopyRop, nullptr);
    window->canvas->copyFrom(*ownCanvas, 0, 0, width, height, bounds.left, bounds.top, kCopyRop, nullptr);
    delete ownCanvas;
    ownCanvas = nullptr;
    directMovie = this;
    // A movie that is not playing leaves the window's task alone until it starts.
    if (playing) takeOverUpdate();
}

// Steps 1-6 of a frame: due, palette, decode, changed rectangles, then the end or a signal and the next
// frame. The end rewinds a summary already taken (one never taken is still taken at its first read) and
// runs the whole stop sequence.
void RSmackerMovie::tick() {
    if (!playing || !movie || SmackWait(movie)) return;
    followPalette();
    decodeFrame();
    showChangedRects();
    if (movie->FrameNum + 1 >= movie->Frames) {
        if (summaryIndex != -1) summaryIndex = 0;
        return stop();
    }
    if (nextSignal < signals.size() && signals[nextSignal] == static_cast<std::int32_t>(movie->FrameNum)) {
        ++nextSignal;
        const std::uint32_t me = serial();
        raise("signal", signalLink);
        if (!isAlive(this, me) || !movie) return;
    }
    SmackNextFrame(movie);
}

void RSmackerMovie::followPalette() {
    if (!usePalette || !movie->NewPalette) return;
    OMColorRecord table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = OMColorRecord{static_cast<std::uint16_t>(movie->Palette[i * 3] * 257),
                                 static_cast<std::uint16_t>(movie->Palette[i * 3 + 1] * 257),
                                 static_cast<std::uint16_t>(movie->Palette[i * 3 + 2] * 257), kColorFromComponents};
    if (paletteHook) paletteHook(table);
    window->setPalette(table, 0);
    if (ownCanvas) ownCanvas->setColorTable(table);
    movie->NewPalette = 0;
}

void RSmackerMovie::decodeFrame() {
    OMMemCanvas& target = ownCanvas ? *ownCanvas : *window->offscreen;
    std::uint8_t* pixels = nullptr;
    std::int32_t pitch = 0;
    if (!target.lockBits(pixels, pitch)) return;
    const std::int32_t left = ownCanvas ? 0 : bounds.left, top = ownCanvas ? 0 : bounds.top;
    // A movie whose top lies below the canvas has no rows in it (not a negative count read as unsigned).
    const std::int32_t rows = std::max(target.height() - top, 0);
    SmackToBuffer(movie, left, top, static_cast<std::uint32_t>(pitch), static_cast<std::uint32_t>(rows), pixels,
                  OMMemCanvas::anyCreated ? 0 : 1);
    SmackDoFrame(movie);
    target.unlockBits();
}

void RSmackerMovie::showChangedRects() {
    while (SmackToBufferRect(movie, 0)) {
        const auto x = static_cast<std::int32_t>(movie->LastRectx), y = static_cast<std::int32_t>(movie->LastRecty);
        const auto w = static_cast<std::int32_t>(movie->LastRectw), h = static_cast<std::int32_t>(movie->LastRecth);
        if (ownCanvas) addDirty(regionOf(OMRect{x + bounds.left, y + bounds.top, x + bounds.left + w, y + bounds.top + h}));
        else window->canvas->copyFrom(*window->offscreen, x, y, w, h, x, y, kCopyRop, nullptr);
    }
}

void RSmackerMovie::draw() {
    if (!ownCanvas) return;
    window->offscreen->copyFrom(*ownCanvas, 0, 0, ownCanvas->width(), ownCanvas->height(), bounds.left, bounds.top,
                                kCopyRop, nullptr);
}

void RSmackerMovie::raise(const char* event, OMLink* instead) {
    if (instead) instead->invoke();
    else signalEvent(event);
}
