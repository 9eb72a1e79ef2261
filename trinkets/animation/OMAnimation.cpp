// Animations on the trinket window: reading and placing the ASEQ, stepping it on the window's clock,
// drawing the frame shown and hit-testing its pixels, copies and the script face.
#include "OMAnimation.h"

#include <cstdio>
#include <utility>

#include "AseqRuns.h"
#include "OMAnimationDeep.h"
#include "OMMemCanvas.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"

bool OMAnimation::defaultUsePlacement = true;
bool OMAnimation::defaultSoundOn = true;
bool OMAnimation::defaultSoundSync = true;
bool OMAnimation::defaultNoDrift = true;
OMAnimation::StreamHook OMAnimation::animationHook = nullptr;
OMAnimation::StreamHook OMAnimation::soundHook = nullptr;
OMAnimation::StreamHook OMAnimation::paletteHook = nullptr;
OMAnimation* OMAnimation::stepping = nullptr;

namespace {

std::shared_ptr<AnimationData> readStream(OMIStream* stream) {
    auto data = std::make_shared<AnimationData>();
    data->stream.reset(stream);
    if (!stream) return data;
    stream->setBuffer(kStreamWhole, nullptr);
    stream->seek(0);
    const std::int32_t count = stream->read();
    if (count > 0) data->status = attachSequence(stream->current, static_cast<std::size_t>(count), data->layout);
    return data;
}

std::shared_ptr<AnimationData> readResource(OMRes* resource) {
    auto data = std::make_shared<AnimationData>();
    data->resource = resource;
    void* locked = nullptr;
    if (!resource || resource->lock(&locked) != kResLoaded || !locked) return data;
    const auto* bytes = static_cast<const std::uint8_t*>(locked);
    data->resourceBytes.assign(bytes, bytes + resource->size);
    data->status = attachSequence(data->resourceBytes.data(), data->resourceBytes.size(), data->layout);
    return data;
}

// Deep windows compose through colour-keyed copies, which follow the damaged region exactly.
std::int32_t streamClipKind(const OMTrinketWindow* owner) {
    return owner->offscreen->depth > 8 ? kRedrawRegion : kRedrawBoundingRect;
}

std::int32_t coordinate(std::int32_t given, bool usePlacement, std::int32_t placement) {
    if (given != OMAnimation::kAtPlacement) return given;
    return usePlacement ? placement : 0;
}

}  // namespace

AnimationData::~AnimationData() {
    if (!resource) return;
    static_cast<void>(resource->unlock());
    if (resource->lockCount <= 0) delete resource;
}

OMList<OMAnimation>& OMAnimation::liveAnimations() {
    static OMList<OMAnimation> animations;
    return animations;
}

OMAnimation::OMAnimation(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y)
    : OMAnimation(owner, streamClipKind(owner), readStream(stream), x, y) {}

OMAnimation::OMAnimation(OMTrinketWindow* owner, OMRes* resource, std::int32_t x, std::int32_t y)
    : OMAnimation(owner, kRedrawBoundingRect, readResource(resource), x, y) {}

OMAnimation::OMAnimation(OMTrinketWindow* owner, std::int32_t clip, std::shared_ptr<AnimationData> data,
                         std::int32_t x, std::int32_t y)
    : OMTrinket(owner, clip),
      usePlacement(defaultUsePlacement),
      soundOn(defaultSoundOn),
      data_(std::move(data)) {
    liveAnimations().append(this);
    playback.soundSync = defaultSoundSync;
    playback.noDrift = defaultNoDrift;
    if (status() != AseqStatus::ok) return;
    const AseqLayout& layout = data_->layout;
    playback.frameRate = layout.frameRate;
    sequences.attach(layout.sequences);
    selectSequence(0);
    if (usePlacement) setZ(layout.placeZ);
    x = coordinate(x, usePlacement, layout.placeX);
    y = coordinate(y, usePlacement, layout.placeY);
    shownEntry = playback.firstFrameEntry();
    const AseqEntry first = playback.entry(shownEntry);
    currentFrame = frameImage(layout, first.frame);
    setBounds(x + first.x, y + first.y, x + first.x + currentFrame.width, y + first.y + currentFrame.height);
    attachDeep();
    playback.begin();
}

OMAnimation::OMAnimation(const OMAnimation& other)
    : OMTrinket(other),
      resourceId(other.resourceId),
      usePlacement(other.usePlacement),
      soundOn(other.soundOn),
      waitSoundsAtEnd(other.waitSoundsAtEnd),
      data_(other.data_),
      sequences(other.sequences),
      currentSequence(other.currentSequence),
      shownEntry(other.shownEntry),
      currentFrame(other.currentFrame),
      entryLink(other.entryLink ? other.entryLink->clone() : nullptr),
      endLink(other.endLink ? other.endLink->clone() : nullptr),
      soundsDoneLink(other.soundsDoneLink ? other.soundsDoneLink->clone() : nullptr),
      palette(other.palette) {
    liveAnimations().append(this);
    if (palette) AOPaletteRecord::use(palette);
    if (status() != AseqStatus::ok) return;
    playback.select(sequences.at(currentSequence));
    const AseqPlayback& from = other.playback;
    playback.state = from.state;
    playback.dueTime = from.dueTime;
    playback.frameRate = from.frameRate;
    playback.repeatCount = from.repeatCount;
    playback.syncLatency = from.syncLatency;
    playback.currentEntry = from.currentEntry;
    playback.stopEntry = from.stopEntry;
    playback.noDrift = from.noDrift;
    playback.soundSync = from.soundSync;
}

OMAnimation::~OMAnimation() {
    if (stepping == this) stepping = nullptr;
    unstamp();
    liveAnimations().remove(this);
    releaseSounds();
    detachSounds();
    AOPaletteRecord::release(palette);
}

OMScriptableObject* OMAnimation::clone() {
    auto* copy = new OMAnimation(*this);
    copyPropertiesTo(copy);
    return copy;
}

void OMAnimation::describe(char* buffer, std::size_t size) {
    std::snprintf(buffer, size, "%d %d %d", static_cast<int>(bounds.left), static_cast<int>(bounds.top),
                  static_cast<int>(resourceId));
}

std::int32_t OMAnimation::frameWidth(std::int32_t i) const { return frameImage(data_->layout, i).width; }

std::int32_t OMAnimation::frameHeight(std::int32_t i) const { return frameImage(data_->layout, i).height; }

std::int32_t OMAnimation::queryOne() { return playback.state == PlayState::playing ? playback.frameRate : 1; }

bool OMAnimation::hitTest(POINT point) {
    return !bounds.hasNoArea() && rectContains(bounds, point) && hitPixel(point.x, point.y);
}

bool OMAnimation::hitPixel(std::int32_t x, std::int32_t y) {
    return framePixelHit(currentFrame, x - bounds.left, y - bounds.top);
}

void OMAnimation::tick() { static_cast<void>(step()); }

bool OMAnimation::step() {
    if (status() != AseqStatus::ok) return true;
    stepping = this;
    if (!playback.tick(window->frameTime)) return false;
    stepping = nullptr;
    return true;
}

void OMAnimation::draw() {
    OMMemCanvas& canvas = *window->offscreen;
    if (canvas.depth != 8 && canvas.drawsOnSurface()) return drawDeep();
    OMRect clip = bounds;
    if (canvas.clip.handle()) clip = clip & canvas.clip.bounds();
    drawCurrentInto(bounds.left, bounds.top, canvas, clip);
}

void OMAnimation::drawCurrentInto(std::int32_t x, std::int32_t y, OMMemCanvas& canvas, const OMRect& clip) {
    drawImageInto(currentFrame, x, y, canvas, clip);
}

void OMAnimation::drawPositionInto(std::int32_t n, std::int32_t x, std::int32_t y, OMMemCanvas& canvas,
                                   const OMRect& clip) {
    if (n > 0) drawFrameClippedTo(playback.entry(entryAtPosition(n)).frame, x, y, canvas, clip);
}

void OMAnimation::drawFrame(std::int32_t i, std::int32_t x, std::int32_t y, OMMemCanvas& canvas) {
    drawFrameClippedTo(i, x, y, canvas, {0, 0, canvas.width(), canvas.height()});
}

void OMAnimation::drawFrameClippedTo(std::int32_t i, std::int32_t x, std::int32_t y, OMMemCanvas& canvas,
                                     const OMRect& clip) {
    if (status() != AseqStatus::ok || i < 0 || static_cast<std::size_t>(i) >= data_->layout.frames.size()) return;
    drawImageInto(frameImage(data_->layout, i), x, y, canvas, clip);
}

void OMAnimation::drawImageInto(const AseqFrame& image, std::int32_t x, std::int32_t y, OMMemCanvas& canvas,
                                const OMRect& clip) const {
    // 8-bit canvases take the indices as they are: their colour table is not read.
    OMColorRecord scratch[256];
    drawFrameInto(canvas, image, x, y, clip, canvas.depth == 8 ? nullptr : drawingColors(palette, canvas, scratch));
}

void OMAnimation::stamp() {
    OMTBackground* background = window->background;
    if (userFlag || !background) return;
    userFlag = 1;
    if (background->saveStamp(bounds)) {
        invalidate();
        drawCurrentInto(bounds.left, bounds.top, *static_cast<OMMemCanvas*>(background->canvas()), bounds);
    }
    playback.state = PlayState::stopped;
    setVisible(0);
}

void OMAnimation::unstamp() {
    if (!userFlag) return;
    if (window->background) window->background->restoreStamp();
    userFlag = 0;
    playback.state = PlayState::paused;
    setVisible(1);
    invalidate();
}

void OMAnimation::remap(std::int32_t count, const std::uint8_t* from, const std::uint8_t* to, std::int32_t frame) {
    if (status() != AseqStatus::ok || window->offscreen->depth != 8) return;
    AseqColourMap map;
    for (std::size_t c = 0; c < map.size(); ++c) map[c] = static_cast<std::uint8_t>(c);
    // Filled from the last pair to the first, so that the first pair naming a colour decides it.
    for (std::int32_t k = count - 1; k >= 0; --k) map[from[k]] = to[k];
    const AseqLayout& layout = data_->layout;
    const auto frames = static_cast<std::int32_t>(layout.frames.size());
    if (frame == -1) frame = playback.entry(playback.currentEntry).frame;
    for (std::int32_t i = 0; i < frames; ++i)
        if (frame == -2 || i == frame) remapFrame(frameImage(layout, i), map);
    invalidate();
}

void OMAnimation::replacePaletteEntry(std::uint8_t from, std::uint8_t to, std::int32_t frame) {
    remap(1, &from, &to, frame);
}

void OMAnimation::swapPaletteEntries(std::uint8_t a, std::uint8_t b, std::int32_t frame) {
    const std::uint8_t from[] = {a, b};
    const std::uint8_t to[] = {b, a};
    remap(2, from, to, frame);
}

void OMAnimation::selectSequence(std::int32_t index, bool force) {
    const std::int32_t count = sequences.size();
    if (count == 0) return;
    index = index < 0 ? 0 : (index >= count ? count - 1 : index);
    if (index == currentSequence && !force) return;
    currentSequence = index;
    playback.select(sequences.at(currentSequence));
    shownEntry = 0;
}

void OMAnimation::showCurrentEntry(bool force) {
    const AseqEntry now = playback.entry(playback.currentEntry);
    const AseqEntry shown = playback.entry(shownEntry);
    const std::int32_t dx = now.x - shown.x;
    const std::int32_t dy = now.y - shown.y;
    if (!force && dx == 0 && dy == 0 && now.frame == shown.frame) return;
    shownEntry = playback.currentEntry;
    invalidate();
    currentFrame = frameImage(data_->layout, now.frame);
    const std::int32_t left = bounds.left + dx;
    const std::int32_t top = bounds.top + dy;
    setBounds(left, top, left + currentFrame.width, top + currentFrame.height);
}

void OMAnimation::restart() {
    playback.dueTime = 0;
    playback.state = PlayState::playing;
    invalidateAll();
}

std::int32_t OMAnimation::entryAtPosition(std::int32_t n) const {
    const std::int32_t end = playback.endIndex();
    std::int32_t at = 0;
    for (std::int32_t seen = 0; at < end; ++at) {
        if (playback.entry(at).frame >= 0 && ++seen == n) break;
    }
    while (at > 0 && (at >= end || playback.entry(at).frame < 0)) --at;
    return at;
}

void OMAnimation::setFramePosition(std::int32_t n, bool force) {
    if (n <= 0 || status() != AseqStatus::ok) return;
    playback.currentEntry = entryAtPosition(n);
    showCurrentEntry(force);
    pause();
}

void OMAnimation::showEntryAt(std::int32_t i) {
    if (status() != AseqStatus::ok || i == playback.currentEntry || i < 0 || i >= playback.endIndex()) return;
    playback.currentEntry = i;
    if (playback.entry(i).frame < 0) return invalidate();
    showCurrentEntry(false);
}

std::int32_t OMAnimation::framePosition() const {
    std::int32_t position = 0;
    for (std::int32_t i = 0; i <= playback.currentEntry && i < playback.endIndex(); ++i)
        if (playback.entry(i).frame >= 0) ++position;
    return position;
}

std::int32_t OMAnimation::frameEntryCount() const {
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < playback.endIndex(); ++i)
        if (playback.entry(i).frame >= 0) ++count;
    return count;
}

std::uint8_t* OMAnimation::currentEntryBytes() const {
    if (status() != AseqStatus::ok) return nullptr;
    const AseqSequence sequence = sequences.at(currentSequence);
    if (playback.currentEntry < 0 || playback.currentEntry >= sequence.count) return nullptr;
    return sequence.entries + playback.currentEntry * static_cast<std::int32_t>(kAseqEntrySize);
}

void OMAnimation::setEntryLink(const OMLink* link) { entryLink.reset(link ? link->clone() : nullptr); }

bool OMAnimation::entryAdvanced() {
    OMAnimation* const self = this;
    if (entryLink) entryLink->invoke();
    return stepping == self;
}

bool OMAnimation::raise(const char* event) {
    OMAnimation* const self = this;
    signalEvent(event);
    return stepping == self;
}

bool OMAnimation::special() { return raise("special"); }

void OMAnimation::hideAtEnd() {
    setVisible(0);
    setUpdateMode(0);
}
