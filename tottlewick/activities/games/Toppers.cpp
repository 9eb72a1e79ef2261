// The Toppers activity: the turn and level machine run on every timer tick, the picks and the drawing.
#include "Toppers.h"

#include <iterator>

#include "AppBindings.h"
#include "Backdrop.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "KitSample.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "Rand.h"
#include "SndSample.h"
#include "Sprite.h"
#include "Timer.h"

namespace {

enum State : std::uint32_t {
    kStart = 0,
    kIntro = 1,
    kNewTurn = 2,
    kAsking = 5,
    kChoosing = 6,
    kCelebrating = 7,
    kWrong = 8,
    kLevelEnd = 9,
    kLevelEndFirst = 10,
    kLevelEndSecond = 11,
    kClosing = 12,
    kClosingPlays = 13,
};

constexpr std::uint16_t kArt = 1000;
constexpr std::uint16_t kHatBank = 1002;
constexpr std::int16_t kFirstHatSprite = 1002;  // cats 0-2, then the target
constexpr std::uint32_t kFirstCatCommand = 1011;
constexpr std::uint32_t kCatStride = 10;
constexpr std::uint32_t kCatAnim = 1031;
constexpr std::uint16_t kFirstHitBank = 1103;
constexpr std::uint16_t kFirstHighlight = 1100;
constexpr std::uint32_t kFirstIdleAnim = 1010;
constexpr std::uint32_t kFirstCelebration = 1012;
constexpr std::uint32_t kQuestion = 1400;
constexpr std::uint32_t kPraise = 1480;
constexpr std::uint16_t kIdleTimer = 1000;
constexpr std::uint16_t kIdleInterval = 2000;
constexpr std::int16_t kLevels = 8;
constexpr std::uint16_t kTurnsPerLevel = 3;
constexpr std::int16_t kEffectPriority = 32767;
constexpr std::uint16_t kAskSound = 1911;
constexpr std::uint16_t kRightSound = 1922;
constexpr std::uint16_t kWrongSound = 1930;

constexpr Point kCatPlaces[Toppers::kCats] = {{115, 148}, {261, 149}, {408, 146}};
// By place (cats 0-2, the target) and the hat's variant.
constexpr Point kHatPlaces[Toppers::kCats + 1][4] = {
    {{157, 304}, {158, 300}, {159, 299}, {158, 287}},
    {{304, 305}, {304, 301}, {305, 300}, {304, 288}},
    {{451, 304}, {451, 300}, {452, 299}, {452, 287}},
    {{295, 100}, {296, 96}, {296, 96}, {296, 90}},
};
constexpr std::uint32_t kClosingIds[] = {1465, 1250, 1475, 1251, 500};
constexpr std::uint16_t kPreloadAnims[] = {1010, 1012, 1020, 1022, 1030, 1031, 1032, 1200, 1210};
constexpr std::uint16_t kPreloadSounds[] = {1010, 1020, 1030};

// The closing sequence follows the first level end of the run only.
bool gClosingPlayed = false;

// Three different values in 0-3.
void threeDistinct(std::uint16_t* out) {
    for (int i = 0; i < 3; ++i) {
        bool repeated = true;
        while (repeated) {
            out[i] = static_cast<std::uint16_t>(RandRange(0, 4));
            repeated = false;
            for (int j = 0; j < i; ++j) repeated = repeated || out[j] == out[i];
        }
    }
}

bool ended(ClipState state) {
    return state != ClipState::playing;
}

}  // namespace

Toppers::Toppers() : Activity("Toppers", kArt, kArt, kKitPointerXpk) {
    introSound_ = 1800;
    helpSound_ = 1811;
    idleSound_ = 1810;
    for (const std::uint16_t id : kPreloadAnims) {
        preload_[preloadCount_++] = {resType("XPK "), id};
        preload_[preloadCount_++] = {resType("XMV "), id};
    }
    for (const std::uint16_t id : kPreloadSounds) preload_[preloadCount_++] = {resType("AIF "), id};
    if (SndCacheStart(preloadCount_, preload_, 0)) {
        while (SndCacheIsBusy()) SndCacheService();
    }
    level_ = static_cast<std::uint16_t>(RandRange(1, kLevels + 1));
    hats_ = ShapeBankLoad(kHatBank);
    for (int k = 0; k < kCats; ++k) {
        AnimSpot& cat = cats_[k];
        cat.Load(kCatAnim, kFirstCatCommand + kCatStride * k, gPrefClickOnly, 0);
        cat.SetPosition(kCatPlaces[k].h, kCatPlaces[k].v);
        ShapeBank unused = cat.SetHitBank(static_cast<std::uint16_t>(kFirstHitBank + k));
        ShapeBankFree(&unused);
        if (gPrefClickOnly) cat.SetHighlightBank(static_cast<std::uint16_t>(kFirstHighlight + k), 0);
    }
    askSample_ = SndLoadSample(kAskSound);
    rightSample_ = SndLoadSample(kRightSound);
    wrongSample_ = SndLoadSample(kWrongSound);
    const Point mouse{200, 100};
    KitMoveMouse(mouse);
    pointer_.MoveTo(mouse);
    TimerSet(DisplayGetWindow(), kIdleTimer, kIdleInterval);
    setHelpActive(0);
    StartMusic(1999);
}

Toppers::~Toppers() {
    StopMusic();
    for (int p = 0; p <= kCats; ++p) SpriteDispose(static_cast<std::int16_t>(kFirstHatSprite + p));
    ShapeBankFree(&hats_);
    effectChannel_.Stop();
    askChannel_.Stop();
    SndFreeSample(&askSample_);
    SndFreeSample(&rightSample_);
    SndFreeSample(&wrongSample_);
    TimerKill(DisplayGetWindow(), kIdleTimer);
}

void Toppers::setHelpActive(std::int16_t on) {
    ActorSetActive(helpButton_.Id(), on);
}

void Toppers::showCats(std::uint16_t on) {
    for (AnimSpot& cat : cats_) cat.SetVisible(on);
}

// Stops the effect this activity started before, if it still sounds.
void Toppers::playEffect(MemHandle sample, std::uint16_t soundId) {
    effectChannel_.Play(sample, soundId, kEffectPriority);
}

// Levels 1-4: every cat its own style and variant; levels 5-8: one variant for all.
void Toppers::dealCodes() {
    std::uint16_t styles[kCats];
    std::uint16_t variants[kCats];
    threeDistinct(styles);
    if (level_ <= 4) {
        threeDistinct(variants);
    } else {
        variants[0] = variants[1] = variants[2] = static_cast<std::uint16_t>(RandRange(0, 4));
    }
    for (int k = 0; k < kCats; ++k) codes_[k] = static_cast<std::uint16_t>(styles[k] * 4 + variants[k]);
    target_ = static_cast<std::uint16_t>(RandRange(0, kCats));
    codes_[kCats] = codes_[target_];
}

void Toppers::placeHats() {
    for (int p = 0; p <= kCats; ++p) {
        const Point place = kHatPlaces[p][codes_[p] % 4];
        const auto position = static_cast<std::uint32_t>(static_cast<std::uint16_t>(place.h)) |
                              static_cast<std::uint32_t>(static_cast<std::uint16_t>(place.v)) << 16;
        SpriteCreate(position, hats_, codes_[p], static_cast<std::int16_t>(kFirstHatSprite + p));
    }
}

void Toppers::newTurn() {
    if (++turn_ > kTurnsPerLevel) {
        level_ = static_cast<std::uint16_t>(level_ % kLevels + 1);
        turn_ = 0;
        state_ = kLevelEnd;
        return;
    }
    for (int p = 0; p <= kCats; ++p) SpriteDispose(static_cast<std::int16_t>(kFirstHatSprite + p));
    dealCodes();
    placeHats();
    for (AnimSpot& cat : cats_) {
        cat.SetVisible(1);
        cat.Replay();
    }
    playEffect(askSample_, kAskSound);
    question_.Play(kQuestion + codes_[kCats], 1, 0, 0);
    state_ = kAsking;
}

void Toppers::pickRight(int cat) {
    state_ = kCelebrating;
    right_ = 1;
    setHelpActive(0);
    voice_.Stop();
    showCats(0);
    celebration_[cat].Load(kFirstCelebration + kCatStride * cat, 1);
    playEffect(rightSample_, kRightSound);
    question_.Play(kPraise + codes_[kCats], 1, 0, 0);
}

// The picked cat reacts; the turn goes on with the same target.
void Toppers::pickWrong(int cat) {
    state_ = kWrong;
    right_ = 0;
    setHelpActive(0);
    cats_[cat].Replay();
    playEffect(wrongSample_, kWrongSound);
    askChannel_.Play(askSample_, kAskSound, kEffectPriority);
}

void Toppers::startIdle() {
    idle_.Load(kFirstIdleAnim + kCatStride * static_cast<std::uint32_t>(RandRange(0, kCats)), 0);
}

void Toppers::step() {
    switch (state_) {
    case kStart:
        PlayIntro();
        state_ = kIntro;
        break;
    case kIntro:
        if (!voice_.IsPlaying()) state_ = kNewTurn;
        break;
    case kNewTurn:
        newTurn();
        break;
    case kCelebrating:
        if (ended(celebration_[lastPick_].Tick())) {
            showCats(1);
            state_ = kNewTurn;
        }
        break;
    case kLevelEnd:
        gPickerCompletion[kChoiceToppers] = 1;
        for (int p = 0; p < kCats; ++p) SpriteDispose(static_cast<std::int16_t>(kFirstHatSprite + p));
        showCats(0);
        levelEnd_.Load(1210, 1);
        state_ = kLevelEndFirst;
        break;
    case kLevelEndFirst:
        if (ended(levelEnd_.Tick())) {
            FadeMusicOut();
            levelEnd_.Load(1200, 0);
            state_ = kLevelEndSecond;
        }
        break;
    case kLevelEndSecond:
        if (ended(levelEnd_.Tick())) {
            levelEnd_.Close();
            showCats(1);
            FadeMusicIn();
            state_ = gClosingPlayed ? kNewTurn : kClosing;
            gClosingPlayed = true;
        }
        break;
    case kClosing:
        closing_.PlaySequence(kClosingIds, static_cast<std::uint16_t>(std::size(kClosingIds)));
        state_ = kClosingPlays;
        break;
    case kClosingPlays:
        if (ended(closing_.Tick())) {
            closing_.Close();
            state_ = kNewTurn;
        }
        break;
    default:
        break;
    }
}

void Toppers::OnTimer(std::uint32_t timerId, std::int32_t) {
    pointer_.Tick();
    AnimSpot::AnimSpotsTickAll();
    const bool idleStates = state_ == kIntro || state_ == kChoosing;
    if (state_ == kChoosing && timerId == kNoInputTimerId) PlayIdlePrompt();
    if (idleStates && timerId == kIdleTimer) startIdle();
    idle_.Tick();
    step();
}

// A cat's animation ended: the asking turn becomes interactive, a wrong pick may be tried again. The idle
// animations play on a clip of their own, which tells no end, so a cat's end counts even while its idle
// plays (a dropped end left the turn waiting for ever).
void Toppers::OnNotify(std::uint32_t code) {
    if (state_ == kAsking && code == kCatAnim) {
        state_ = kChoosing;
        gSpotHovered = kNoKitId;
        setHelpActive(1);
    } else if (state_ == kWrong && code == lastPick_ * kCatStride + kFirstCatCommand) {
        state_ = kChoosing;
        setHelpActive(1);
    }
}

std::int32_t Toppers::OnCommand(std::uint32_t commandId) {
    if (state_ != kChoosing) {
        if (commandId == kActivityHelpCommand) return 0;
        return Activity::OnCommand(commandId);
    }
    if (commandId == kActivityHelpCommand) {
        PlayHelp();
        return 1;
    }
    const bool cat = commandId >= kFirstCatCommand && (commandId - kFirstCatCommand) % kCatStride == 0 &&
                     (commandId - kFirstCatCommand) / kCatStride < kCats;
    if (!cat) return Activity::OnCommand(commandId);
    const int k = static_cast<int>((commandId - kFirstCatCommand) / kCatStride);
    lastPick_ = static_cast<std::uint16_t>(k);
    if (k == target_) pickRight(k);
    else pickWrong(k);
    return 1;
}

// A key answers for the child: the right cat.
std::int32_t Toppers::OnKey() {
    KitPost(kAppCommand, kFirstCatCommand + kCatStride * target_);
    return 1;
}

std::int32_t Toppers::OnMouseDown(Point point) {
    voice_.Stop();
    if (state_ == kLevelEndSecond) {
        levelEnd_.Close();
        KitPost(kAppNotify, kFirstCatCommand);
    }
    if (state_ == kClosingPlays) closing_.Stop();
    CommandButton::ButtonsMouseDown(point);
    AnimSpot::AnimSpotsMouseDown();
    return 1;
}

std::int32_t Toppers::OnMouseUp(Point point) {
    CommandButton::ButtonsMouseUp(point);
    AnimSpot::AnimSpotsMouseUp(point);
    return 1;
}

std::int32_t Toppers::OnMouseMove(Point point) {
    pointer_.MoveTo(point);
    CommandButton::ButtonsTrackMouse(point);
    AnimSpot::AnimSpotsTrackMouse(point);
    return 1;
}

void Toppers::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    SpriteDrawAll(&rect);
    ActorDrawAll(&rect);
    AnimSpot::AnimSpotsDrawAll(&rect);
    if (state_ == kCelebrating) celebration_[lastPick_].Draw(&rect);
    if (state_ == kIntro || state_ == kChoosing) idle_.Draw(&rect);
    levelEnd_.Draw(&rect);
    closing_.Draw(&rect);
    pointer_.Draw(&rect);
}
