// A frame step. The current frame is decoded ahead, when the movie opens, steps or jumps, so that its
// palette is in the handle before SmackDoFrame shows it (callers install the palette first); its sound
// waits until then. SmackDoFrame finds what changed since the frame last shown and copies that much to
// the caller's buffer (all of it when the buffer moved).
#include "SmackMovie.h"

#include <cstring>

namespace {

bool sameTarget(const TargetBuffer& a, const TargetBuffer& b) {
    return a.pixels == b.pixels && a.left == b.left && a.top == b.top && a.pitch == b.pitch && a.height == b.height &&
           a.reversed == b.reversed;
}

}  // namespace

SmackMovie::SmackMovie(std::unique_ptr<SmackDecoder> decoder, std::unique_ptr<SmackSound> sound, DecoderClock clock,
                       bool maySkip, std::uint32_t openTime)
    : decoder_(std::move(decoder)),
      sound_(std::move(sound)),
      clock_(clock),
      lastClock_(clock()),
      clockMs_(lastClock_),
      maySkip_(maySkip),
      openTime_(openTime) {
    handle.Width = decoder_->width();
    handle.Height = decoder_->height();
    handle.Frames = decoder_->frames();
    handle.MSPerFrame = decoder_->frameTime();
    handle.movie = this;
    shown_.assign(std::size_t(handle.Width) * handle.Height, 0);
    prepare();
}

// What decoding took comes from the decoder's own times, which read the clock already.
void SmackMovie::prepare() {
    const DecoderTimes& times = decoder_->times();
    const std::uint32_t before = times.read + times.decompress;
    heldSound_.bytes.clear();
    prepared_ = decoder_->decode(handle.FrameNum, sound_ ? &heldSound_ : nullptr);
    if (prepared_ && takePalette()) showWhole_ = true;
    prepareTime_ = times.read + times.decompress - before;
}

// Callers name the buffer before every frame: only a different one is a move.
void SmackMovie::toBuffer(const TargetBuffer& target) {
    if (sameTarget(target, target_)) return;
    target_ = target;
    targetMoved_ = true;
}

std::uint64_t SmackMovie::nowMs() {
    const std::uint32_t clock = clock_();
    clockMs_ += clock - lastClock_;
    lastClock_ = clock;
    return clockMs_;
}

void SmackMovie::doFrame() {
    const std::uint64_t startMs = nowMs();
    const auto start = static_cast<std::uint32_t>(startMs);
    if (!prepared_) prepare();
    if (!prepared_) return;
    if (soundOn_ && sound_ && !heldSound_.bytes.empty()) sound_->play(heldSound_.bytes.data(), heldSound_.bytes.size());
    heldSound_.bytes.clear();
    const PixelRect all{0, 0, static_cast<std::int32_t>(handle.Width), static_cast<std::int32_t>(handle.Height)};
    const PixelRect changed = showWhole_ ? all
                                         : changedBounds(shown_.data(), handle.Width, decoder_->pixels(),
                                                         decoder_->stride(), handle.Width, handle.Height);
    copyToTarget(decoder_->pixels(), decoder_->stride(), changed,
                 TargetBuffer{shown_.data(), 0, 0, handle.Width, handle.Height, false});
    copyToTarget(decoder_->pixels(), decoder_->stride(), targetMoved_ ? all : changed, target_);
    pending_ = changed;
    pending_.x += target_.left;
    pending_.y += target_.top;
    targetMoved_ = showWhole_ = false;
    const std::uint32_t end = clock_();
    blitTime_ += end - start;
    countFrame(startMs, end + prepareTime_);
    prepareTime_ = 0;
    if (sound_) sound_->serve();
}

// Copies the decoded palette when it differs from the one last shown; true then. The decoder's own words
// are compared first, so that an unchanged palette costs one comparison.
bool SmackMovie::takePalette() {
    const std::uint32_t* colours = decoder_->palette();
    if (paletteShown_ && std::memcmp(colours, shownPalette_, sizeof shownPalette_) == 0) return false;
    std::memcpy(shownPalette_, colours, sizeof shownPalette_);
    std::uint8_t rgb[768];
    for (int i = 0; i < 256; ++i) {
        rgb[i * 3] = static_cast<std::uint8_t>(colours[i] >> 16);
        rgb[i * 3 + 1] = static_cast<std::uint8_t>(colours[i] >> 8);
        rgb[i * 3 + 2] = static_cast<std::uint8_t>(colours[i]);
    }
    if (paletteShown_ && std::memcmp(rgb, handle.Palette, sizeof rgb) == 0) return false;
    std::memcpy(handle.Palette, rgb, sizeof rgb);
    handle.NewPalette = 1;
    paletteShown_ = true;
    return true;
}

void SmackMovie::countFrame(std::uint64_t startMs, std::uint32_t end) {
    const auto start = static_cast<std::uint32_t>(startMs);
    if (!started_) {
        started_ = true;
        firstShownAt_ = start;
        due100_ = startMs * 100;
    }
    ++framesShown_;
    std::uint32_t took = end - start;
    if (took > slowest_[0]) {
        slowest_[1] = slowest_[0];
        slowestFrame_[1] = slowestFrame_[0];
        slowest_[0] = took;
        slowestFrame_[0] = handle.FrameNum;
    } else if (took > slowest_[1]) {
        slowest_[1] = took;
        slowestFrame_[1] = handle.FrameNum;
    }
}

bool SmackMovie::takeRect() {
    if (pending_.empty()) return false;
    handle.LastRectx = static_cast<std::uint32_t>(pending_.x);
    handle.LastRecty = static_cast<std::uint32_t>(pending_.y);
    handle.LastRectw = static_cast<std::uint32_t>(pending_.w);
    handle.LastRecth = static_cast<std::uint32_t>(pending_.h);
    pending_ = PixelRect{};
    return true;
}

bool SmackMovie::wait() {
    if (sound_) sound_->serve();
    return now100() < due100_;
}

// The next frame is due one frame time after this one. A movie that may skip passes over the frames whose
// successor is already due (never the last); after a stall longer than a frame the pace starts again from
// now rather than hurrying through the late frames.
void SmackMovie::nextFrame() {
    handle.FrameNum = (handle.FrameNum + 1) % handle.Frames;
    due100_ += handle.MSPerFrame;
    const std::uint64_t now = now100();
    for (; maySkip_ && handle.MSPerFrame && handle.FrameNum + 1 < handle.Frames && now >= due100_ + handle.MSPerFrame;
         due100_ += handle.MSPerFrame, ++skipped_)
        ++handle.FrameNum;
    if (now > due100_ + handle.MSPerFrame) due100_ = now;
    prepare();
}

void SmackMovie::gotoFrame(std::uint32_t frame) {
    if (frame >= handle.Frames) frame = handle.Frames - 1;
    handle.FrameNum = frame;
    showWhole_ = true;
    prepare();
    due100_ = now100();
}

bool SmackMovie::switchSound(bool on) {
    if (!sound_) return false;
    soundOn_ = on;
    if (!on) sound_->stop();
    return true;
}

void SmackMovie::summary(SmackSum& sum) {
    sum = SmackSum{};
    sum.TotalTime = started_ ? clock_() - firstShownAt_ : 0;
    sum.MS100PerFrame = handle.MSPerFrame;
    sum.TotalOpenTime = openTime_;
    sum.TotalFrames = framesShown_;
    sum.SkippedFrames = skipped_;
    sum.TotalBlitTime = blitTime_;
    sum.TotalReadTime = decoder_->times().read;
    sum.TotalDecompTime = decoder_->times().decompress;
    sum.SlowestFrameTime = slowest_[0];
    sum.Slowest2FrameTime = slowest_[1];
    sum.SlowestFrameNum = slowestFrame_[0];
    sum.Slowest2FrameNum = slowestFrame_[1];
    sum.AverageFrameSize = decoder_->averageFrameSize();
}
