// The racing road's state cycle: 5 and 6 bring a sign's choice closer segment by segment, 9 lets an
// unanswered choice pass away, 8, 10, 11 and 12 run a right answer to the finish and fly the reward,
// 15 and 16 run a wrong answer off the road; each ends in the standing state 0 with a code for the owner.
#include "PXKRoad.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

using namespace pxk;

namespace {

constexpr std::size_t kMaxText = 32;
constexpr std::size_t kMaxSparkles = 8;

}  // namespace

PXKRoad::PXKRoad(Notify code, Notify sound, GlyphSize glyphSize)
    : code_(std::move(code)), sound_(std::move(sound)), glyphSize_(std::move(glyphSize)) {}

void PXKRoad::start(std::int32_t speed, bool freeRun, std::uint32_t now) {
    speed_ = speed;
    rate_ = 0;
    signPhase_ = 0;
    sparkles_.clear();
    segment_ = 0;
    starting_ = false;
    dirty = true;
    if (!freeRun) {
        state_ = 0;
        return;
    }
    rate_ = scrollRate(speed_);
    sceneryTimer_ = now + std::uint32_t(60 / rate_);
}

void PXKRoad::go(std::uint32_t now) {
    state_ = 1;
    timer_ = now + 100;
    starting_ = true;
    startTimer_ = timer_;
}

// When the introduction's sounds are short or missing, the first problem's sign takes the state before the
// start is due; the scenery then starts rolling all the same, at the starting rate, and the sign keeps the
// state. Without this the road would stand for ever and a sign waiting for scenery frame 1 never come.
void PXKRoad::startRolling(std::uint32_t now) {
    starting_ = false;
    rate_ = 6;
    sceneryTimer_ = now + 60 / 6;
    if (state_ == 1) state_ = 3;
}

void PXKRoad::setSpeed(std::int32_t speed) {
    speed_ = speed;
    if (state_ != 3 && state_ != 4) rate_ = scrollRate(speed_);
}

void PXKRoad::showSign(std::int32_t kind) {
    signKind_ = kind;
    signPhase_ = 1;
    state_ = 0;
    signCounter_ = 0;
}

void PXKRoad::showChoice(const std::string& text, bool fresh) {
    glyphs_.clear();
    for (char c : text.substr(0, kMaxText)) glyphs_.push_back({glyphIndex(c), 0, 0, 0, 0});
    fresh_ = fresh;
    numberType_ = !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
    limits_ = signLimits(numberType_);
    state_ = 5;
}

void PXKRoad::resetScenery() {
    rate_ = 0;
    signPhase_ = 0;
    sparkles_.clear();
    segment_ = 0;
    sceneryFrame_ = 1;
    state_ = 0;
    starting_ = false;
    dirty = true;
}

void PXKRoad::judged(std::int32_t state, std::uint32_t now) {
    if (!signInReach()) return;
    state_ = state;
    timer_ = now + 1;
    static_cast<void>(send(2));
}

bool PXKRoad::send(std::int32_t code) {
    return guard_.call([this, code] { code_(code); });
}

bool PXKRoad::tick(std::uint32_t now) {
    if (paused_) return true;
    if (starting_ && std::int32_t(now - startTimer_) >= 0) startRolling(now);
    if (state_ != 0 && std::int32_t(now - timer_) >= 0 && !work(now)) return false;
    if (rate_ != 0 && std::int32_t(now - sceneryTimer_) >= 0) return sceneryStep(now);
    return true;
}

bool PXKRoad::work(std::uint32_t now) {
    switch (state_) {
    case 5:
        segment_ = 1;
        centreX_ = 300;
        centreY_ = 140;
        dx_ = 0;
        dy_ = -20;
        factorX_ = factorY_ = 0;
        state_ = 6;
        dirty = true;
        layout(glyphGap(segment_));
        timer_ = approachDue(now);
        break;
    case 6: return approach(now);
    case 8: rightRun(now); break;
    case 9:
    case 16: return passAway(now);
    case 10:
        state_ = 11;
        rewardCounter_ = 1;
        dirty = true;
        timer_ = now + 3;
        sound_(13216);
        break;
    case 11: return rewardGlyphs(now);
    case 12: return rewardSparkles(now);
    case 15: wrongRun(now); break;
    default: break;
    }
    return true;
}

std::uint32_t PXKRoad::approachDue(std::uint32_t now) const {
    return now + std::uint32_t(approachDelay(speed_, numberType_, segment_));
}

// An unanswered choice comes closer until the last approach segment, then passes away; a fresh choice
// passes from the reset segment, faster.
bool PXKRoad::approach(std::uint32_t now) {
    ++segment_;
    dirty = true;
    layout(glyphGap(segment_));
    timer_ = approachDue(now);
    if (segment_ != limits_.lastApproach) return true;
    if (fresh_) segment_ = limits_.reset;
    startPassAway(9);
    timer_ = now + 1;
    if (!send(2)) return false;
    sound_(13229);
    return true;
}

void PXKRoad::startPassAway(std::int32_t state) {
    state_ = state;
    dx_ = 0;
    dy_ = -passAwayStartSpeed(segment_);
    factorX_ = 0;
    factorY_ = 140;
    spacing_ = 3;
}

void PXKRoad::rightRun(std::uint32_t now) {
    ++segment_;
    layout(glyphGap(segment_));
    timer_ = segment_ <= limits_.lastApproach ? now + 1 : approachDue(now);
    if (segment_ == limits_.lastApproach) sound_(13215);
    if (segment_ == limits_.finish - 1) placeSparkles();
    if (segment_ != limits_.finish) return;
    state_ = 10;
    timer_ = now + 50;
}

bool PXKRoad::passAway(std::uint32_t now) {
    centreX_ += dx_;
    centreY_ += dy_;
    layout(spacing_);
    dx_ = dx_ * factorX_ / 100;
    dy_ = dy_ * factorY_ / 100;
    spacing_ *= 2;
    dirty = true;
    const bool wrongRunning = state_ == 16;
    timer_ = wrongRunning ? now + 1 : now + std::uint32_t(passAwayDelay(speed_));
    if (centreY_ >= (wrongRunning ? -80 : -60)) return true;
    state_ = 0;
    return send(wrongRunning ? 6 : 3);
}

void PXKRoad::wrongRun(std::uint32_t now) {
    ++segment_;
    centreY_ -= 3 + passAwayStartSpeed(segment_);
    dirty = true;
    layout(glyphGap(segment_));
    timer_ = now + 1;
    if (segment_ != limits_.lastApproach) return;
    segment_ = limits_.reset;
    startPassAway(16);
}

// The glyphs fly off behind the sweep line of each step; the ones left of the road drift further left.
bool PXKRoad::rewardGlyphs(std::uint32_t now) {
    dirty = true;
    timer_ = now + 3;
    const std::int32_t k = ++rewardCounter_;
    if (k == 15) {
        state_ = 12;
        return send(4);
    }
    for (Glyph& glyph : glyphs_) {
        std::int32_t x = 0;
        if (sweep(k, glyph.x + glyph.width, glyph.y + 30, x)) {
            glyph.x = x - glyph.width;
            glyph.y -= 2 * k;
        } else if (glyph.x < 200 && k > 11) {
            glyph.x -= 40;
        }
    }
    return true;
}

bool PXKRoad::rewardSparkles(std::uint32_t now) {
    const std::int32_t k = --rewardCounter_;
    if (k >= 1 && k < 13) {
        sparkles_.erase(std::remove_if(sparkles_.begin(), sparkles_.end(),
                                       [k](const Sparkle& s) {
                                           std::int32_t x = 0;
                                           return !sweep(k, s.x, s.y, x);
                                       }),
                        sparkles_.end());
    }
    timer_ = now + 3;
    dirty = true;
    if (k != 0) return true;
    state_ = 0;
    return send(5);
}

bool PXKRoad::sceneryStep(std::uint32_t now) {
    sceneryFrame_ = sceneryFrame_ % 16 + 1;
    dirty = true;
    const bool odd = sceneryFrame_ % 2 == 1;
    if (state_ == 3 && odd && rate_ < scrollRate(speed_)) ++rate_;
    if (state_ == 4 && odd && --rate_ < 5) {
        rate_ = 0;
        state_ = 0;
        if (!send(9)) return false;
    }
    if (rate_ != 0) sceneryTimer_ = now + std::uint32_t(60 / rate_);
    return signStep();
}

// A sign appears with scenery frame 1 and counts scenery steps: a finish sign slows the road to a stop,
// the others end after a fixed run.
bool PXKRoad::signStep() {
    if (signPhase_ == 1 && sceneryFrame_ == 1) signPhase_ = 2;
    if (signPhase_ != 2) return true;
    const std::int32_t count = ++signCounter_;
    if (signKind_ == 1) {
        if (count == 1 || count == 4 || count == 9 || count == 14) rate_ = rate_ * 80 / 100;
        if (count != 18) return true;
        rate_ = 0;
        return send(15);
    }
    const bool longRun = signKind_ >= 3;
    if (count != (longRun ? 75 : 32)) return true;
    signPhase_ = 0;
    if (longRun) return send(signKind_ == 3 ? 11 : signKind_ == 4 ? 12 : 13);
    return send(signKind_ == 0 ? 1 : 7);
}

void PXKRoad::layout(std::int32_t gap) {
    if (glyphs_.empty()) return;
    std::int32_t total = 0;
    for (Glyph& glyph : glyphs_) {
        const Size size = glyphSize_(glyph.index, segment_ - 1);
        glyph.width = size.width;
        glyph.height = size.height;
        total += size.width + gap;
    }
    Glyph& first = glyphs_.front();
    first.x = centreX_ - total / 2;
    first.y = centreY_ - first.height / 2;
    for (std::size_t i = 1; i < glyphs_.size(); ++i) {
        Glyph& glyph = glyphs_[i];
        const Glyph& previous = glyphs_[i - 1];
        glyph.x = previous.x + previous.width + gap;
        glyph.y = glyph.index < 36 ? first.y : first.y + (first.height - glyph.height) / 2;
    }
}

void PXKRoad::placeSparkles() {
    sparkles_.clear();
    std::int32_t frame = std::rand() % 6 + 1;
    for (const Glyph& glyph : glyphs_) {
        if (sparkles_.size() == kMaxSparkles) break;
        if (std::rand() % 2 != 0) continue;
        std::int32_t x = glyph.x + std::rand() % 40;
        const std::int32_t y = glyph.y + std::rand() % 50;
        if (x == 0) x = 1;
        sparkles_.push_back({x, y, frame});
        frame = (frame + 4) % 6 + 1;
    }
}
