// Cel animations: construction from an ASEQ id, runs on the sixtieths clock, stamping, mouse events, and the
// script class "RToon" with its own properties only.
#include "RToon.h"

#include <cstdlib>

#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"

namespace {

constexpr std::int32_t kTicksPerSecond = 60;

// Arguments: x, y, ASEQ id, visible, frame, stampEachFrame.
OMScriptableObject* makeToon() {
    std::int32_t v[6];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    return RToon::make(window, v[0], v[1], static_cast<std::int16_t>(v[2]), v[3], v[4], v[5]);
}

struct ToonProperty {
    const char* name;
    void (RToon::*set)(OMArg);
    // Null: the getter writes nothing.
    void (RToon::*get)(OMArg);
};

}  // namespace

OMSR RToon::classRecord{"RToon", makeToon};

RToon* RToon::make(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int16_t aseqId, std::int32_t visible,
                   std::int32_t frame, std::int32_t stamp) {
    OMIStream* stream = animationHook ? animationHook(aseqId) : nullptr;
    if (!stream) return nullptr;
    auto* toon = new RToon(owner, stream, x, y, aseqId, visible, frame, stamp);
    if (toon->OMAnimation::status() == AseqStatus::ok) return toon;
    delete toon;
    return nullptr;
}

RToon::RToon(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y, std::int16_t aseqId,
             std::int32_t shown, std::int32_t frame, std::int32_t stamp)
    : OMAnimation(owner, stream, x, y) {
    resourceId = aseqId;
    setUp(x, y, shown, frame, stamp);
}

RToon::RToon(OMTrinketWindow* owner, OMRes* aseq, std::int32_t x, std::int32_t y, std::int32_t shown,
             std::int32_t frame, std::int32_t stamp)
    : OMAnimation(owner, aseq, x, y) {
    setUp(x, y, shown, frame, stamp);
}

void RToon::setUp(std::int32_t x, std::int32_t y, std::int32_t shown, std::int32_t frame, std::int32_t stamp) {
    originX = x;
    originY = y;
    currentFrame = shownFrame = frame;
    stampEachFrame = stamp;
    setTouchy(0);
    if (OMAnimation::status() != AseqStatus::ok) return;
    pause();
    showFrame(frame);
    setVisible(shown);
    frames = countFrames();
    setRate(playback.frameRate);
    if (stampEachFrame) OMAnimation::stamp();
    dueTime = now() + ticksPerFrame;
}

std::int32_t RToon::now() { return static_cast<std::int32_t>(ticks60()); }

std::int32_t RToon::countFrames() const {
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < playback.endIndex(); ++i) {
        const std::int16_t code = playback.entry(i).frame;
        if (code != kAseqHold && code != kAseqLoop) ++count;
    }
    return count;
}

// Above 60 frames a second the period is 0: a frame on every pass.
void RToon::setRate(std::int32_t framesPerSecond) {
    rate = framesPerSecond;
    if (rate != 0) ticksPerFrame = kTicksPerSecond / rate;
}

void RToon::startToon(std::int32_t first, std::int32_t last, std::int32_t repeat, std::int32_t delay) {
    firstFrame = currentFrame = first;
    lastFrame = last;
    repeatCount = repeat == 0 ? 1 : repeat;
    status = first < last ? kForward : first > last ? kBackward : kOneFrame;
    dueTime = now() + (delay != 0 ? delay : ticksPerFrame);
    showFrame(first);
    setVisible(1);
}

// Late steps are not made up: the next one is due a period after this one.
void RToon::tick() {
    if (now() < dueTime) return;
    dueTime = now() + ticksPerFrame;
    switch (status) {
    case kOneFrame:
        showFrame(currentFrame);
        shownFrame = currentFrame;
        status = kIdle;
        return;
    case kForward: return stepRun(1);
    case kBackward: return stepRun(-1);
    default: return;
    }
}

// "finished" comes last, so a handler may start another run or delete the toon. Each frame reaches the
// background as the "stamp" verb paints it: the one stamp kept to be undone is the constructor's, and a
// run for ever saves nothing per frame.
void RToon::stepRun(std::int32_t direction) {
    showFrame(currentFrame);
    shownFrame = currentFrame;
    if (stampEachFrame) {
        stampVerb();
        setVisible(1);
    }
    if (currentFrame != lastFrame) {
        currentFrame += direction;
        return;
    }
    currentFrame = firstFrame;
    if (repeatCount != -1 && --repeatCount == 0) {
        status = kIdle;
        signalEvent("finished");
    }
}

void RToon::showCursor() {
    if (hot) return OMAnimation::showCursor();
    showDefaultCursor();
}

void RToon::onMouseUp() {
    const OMTInputRecord& input = OMTrinketWindow::inputRecord;
    signalEvent(hitTest(POINT{input.x, input.y}) ? "hit" : "rectHit");
}

void RToon::registerProperties() {
    addEventProperty("finished");
    addEventProperty("hit");
    addEventProperty("rectHit");
    addEventProperty("dblClick");
    const OMLinkToObj<RToon> start(this, &RToon::startVerb), stop(this, &RToon::stopVerb);
    const OMLinkToObj<RToon> stamp(this, &RToon::stampVerb);
    addMethodProperty("startToon", &start);
    addMethodProperty("stopToon", &stop);
    addMethodProperty("stamp", &stamp);
    static constexpr ToonProperty kProperties[] = {
        {"visible", &RToon::setVisibleText, &RToon::getVisibleText},
        {"rate", &RToon::setRateText, &RToon::getRateText},
        {"frame", &RToon::setFrameText, &RToon::getFrameText},
        {"status", &RToon::ignore, &RToon::getStatusText},
        {"movable", &RToon::setMovableText, nullptr},
        {"offset", &RToon::setOffsetText, nullptr},
        {"frames", &RToon::ignore, &RToon::getFramesText},
        {"width", &RToon::ignore, &RToon::getWidthText},
        {"height", &RToon::ignore, &RToon::getHeightText},
        {"hot", &RToon::setHotText, nullptr},
        {"touchy", &RToon::setTouchyText, nullptr}};
    for (const ToonProperty& p : kProperties) {
        const OMLinkToObj<RToon> set(this, nullptr, p.set), get(this, nullptr, p.get);
        addDataProperty(p.name, &set, &get);
    }
}

void RToon::startVerb() {
    std::int32_t v[4];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    startToon(v[0], v[1], v[2], v[3]);
}

// The frame is shown at the next step, and the toon goes idle.
void RToon::stopVerb() {
    currentFrame = std::atoi(popParameter());
    status = kOneFrame;
    dueTime = now() + ticksPerFrame;
    setVisible(1);
}

// Paints the frame shown into the background picture; the toon stays as it is.
void RToon::stampVerb() {
    OMTBackground* background = window->background;
    auto* picture = background ? static_cast<OMMemCanvas*>(background->canvas()) : nullptr;
    if (picture) drawCurrentInto(bounds.left, bounds.top, *picture, bounds);
}

void RToon::getVisibleText(OMArg buffer) { writeInteger(buffer, isVisible()); }
void RToon::setVisibleText(OMArg text) { setVisible(integerOf(text)); }
void RToon::getRateText(OMArg buffer) { writeInteger(buffer, rate); }
void RToon::setRateText(OMArg text) { setRate(integerOf(text)); }
void RToon::getFrameText(OMArg buffer) { writeInteger(buffer, shownFrame); }

void RToon::setFrameText(OMArg text) {
    firstFrame = lastFrame = currentFrame = shownFrame = integerOf(text);
    showFrame(shownFrame);
}

void RToon::getStatusText(OMArg buffer) { writeInteger(buffer, status); }
void RToon::setMovableText(OMArg text) { setMovable(integerOf(text)); }

// The value is dy; dx is the next parameter. Toons do not move.
void RToon::setOffsetText(OMArg text) {
    std::int32_t dx = std::atoi(popParameter());
    std::int32_t dy = integerOf(text);
    offsetBy(dx, dy);
}

void RToon::getFramesText(OMArg buffer) { writeInteger(buffer, frames); }
void RToon::getWidthText(OMArg buffer) { writeInteger(buffer, bounds.right - bounds.left); }
void RToon::getHeightText(OMArg buffer) { writeInteger(buffer, bounds.bottom - bounds.top); }

void RToon::setHotText(OMArg text) {
    hot = integerOf(text);
    setTouchy(hot != 0 ? 1 : 0);
}

void RToon::setTouchyText(OMArg text) { setTouchy(integerOf(text) != 0 ? 1 : 0); }
