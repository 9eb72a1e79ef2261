// The BlueGoo activity: the board of blobs, their flights into the jars, the feeding of the jars and the
// closing of a round.
#include "BlueGoo.h"

#include <vector>

#include "AppBindings.h"
#include "Backdrop.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "KitSample.h"
#include "OverlayPicture.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "Rand.h"
#include "SndCache.h"
#include "SndSample.h"
#include "SpriteCycler.h"
#include "Sprite.h"
#include "Timer.h"

namespace {

enum BlueGooState : std::uint32_t {
    kIntro = 0,
    kIntroVoice = 1,
    kOpening = 2,
    kOpeningPlays = 3,
    kPicking = 5,
    kFlying = 6,
    kLanding = 7,
    kJarFills = 8,
    kAllInVoice = 9,
    kAllInVoicePlays = 10,
    kFeeding = 11,
    kFeedPlays = 13,
    kClosing = 14,
    kClosingPlays = 15,
    kSequence = 16,
    kSequencePlays = 17,
};

// The item states of a spot.
enum Item : std::uint32_t {
    kBlob = 0,
    kDecoration = 1,
    kDecorationPlays = 2,
    kJarFilling = 3,
    kJarFull = 4,
    kJarFed = 6,
    kJarSounding = 7,
};

enum Sample { kOpeningSound, kBackgroundLoop, kBackgroundLoop4, kPickSound, kLandSound, kFeedSound, kJarLoop,
              kDecorationSound, kFlightLoop };
constexpr std::uint16_t kSampleIds[BlueGoo::kSamples] = {4940, 4905, 4901, 4721, 4980, 4950, 4960, 4020, 4915};

constexpr Point kBlobPlaces[6] = {{155, 103}, {449, 109}, {62, 221}, {307, 175}, {220, 286}, {452, 263}};
constexpr Point kJarPlaces[BlueGoo::kBlobs] = {{80, 239}, {176, 239}, {272, 239}, {370, 239}, {465, 239}};
constexpr std::uint32_t kFirstSpotCommand = 4050;
constexpr std::uint32_t kDecorationAnim = 4060;
constexpr std::uint32_t kOpeningAnim = 4040;
constexpr std::uint32_t kClosingAnim = 4200;
constexpr std::uint32_t kClosingSequence[] = {4245, 4550, 4255, 4551, 500};
constexpr std::int16_t kForeground = 4095;
constexpr std::int16_t kFilledJar = 4089;  // + jar number 1-5: sprite and 'XPK' id
constexpr std::uint16_t kFlightXpk = 4070;
constexpr std::int16_t kFlightOffset = 50;
constexpr double kFlightSpeed = 100.0;
constexpr Point kDecorationShift{-10, -27};
constexpr std::int16_t kSamplePriority = -32767;
constexpr std::uint16_t kIdleDelay = 15000;

// Set by the first closing sequence of the run: later rounds go straight back to a new board.
std::uint16_t closingShown = 0;

// The resources read ahead while the activity starts.
std::vector<SndCacheItem> preloadList() {
    std::vector<SndCacheItem> list;
    const auto add = [&list](const char* type, std::uint16_t first, std::uint16_t last) {
        for (std::uint16_t id = first; id <= last; ++id) list.push_back({resType(type), id});
    };
    constexpr std::uint16_t kPictureRanges[][2] = {{4010, 4012}, {4040, 4040}, {4050, 4055}, {4060, 4062},
                                                    {4070, 4070}, {4080, 4084}, {4100, 4104}, {4150, 4154},
                                                    {4160, 4164}, {4200, 4200}, {4255, 4255}, {4550, 4551}};
    for (const char* type : {"XPK", "XMV"}) {
        for (const auto& range : kPictureRanges) add(type, range[0], range[1]);
    }
    add("AIF", 4040, 4040);
    add("AIF", 4080, 4084);
    add("AIF", 4090, 4095);
    return list;
}

// Plays a spot's next animation moved by (dx, dy) from where its last one was.
void playMoved(AnimSpot& spot, std::uint32_t animId, Point shift) {
    const std::int16_t x = spot.Record().x, y = spot.Record().y;
    spot.Play(animId);
    AnimSetPosition(&spot.Record(), static_cast<std::int16_t>(x + shift.h), static_cast<std::int16_t>(y + shift.v));
}

}  // namespace

BlueGoo::BlueGoo() : Activity("BlueGoo", 4000, 4000, kKitPointerXpk) {
    const std::vector<SndCacheItem> list = preloadList();
    if (SndCacheStart(static_cast<std::uint16_t>(list.size()), list.data(), 0)) {
        while (SndCacheIsBusy()) SndCacheService();
    }
    introSound_ = 4800;
    SetInteractive(0, nullptr);
    character_.LoadHeld(kOpeningAnim);
    background_.SetMode(AnimClip::loop);
    background_.Load(4010, 0);
    for (int k = 0; k < kSpots; ++k) {
        spots_[k].Load(kDecorationAnim, kFirstSpotCommand + k, gPrefClickOnly, 0);
        spots_[k].SetVisible(0);
    }
    cycler_ = SpriteCyclerAdd(kFlightXpk);
    SpriteCyclerSetVisible(cycler_, 0);
    SpriteCyclerSetRate(cycler_, 10, 1);
    for (int i = 0; i < kSamples; ++i) samples_[i] = SndLoadSample(kSampleIds[i]);
    SpriteCreate(0, ShapeBankLoad(kForeground), 0, kForeground);
    const Point start{300, 70};
    KitMoveMouse(start);
    pointer_.MoveTo(start);
    StartMusic(4999);
}

BlueGoo::~BlueGoo() {
    SpriteCyclerRemove(cycler_);
    MoverFree(mover_);
    for (KitSamplePlay* channel : {&effectChannel_, &backgroundChannel_, &flightChannel_}) channel->Stop();
    for (KitSamplePlay& channel : jarChannels_) channel.Stop();
    for (MemHandle& sample : samples_) SndFreeSample(&sample);
    for (std::int16_t id = kFilledJar + 1; id <= kForeground; ++id) SpriteFreeWithBank(id);
}

void BlueGoo::playSample(KitSamplePlay& channel, int sample, bool looped) {
    channel.Play(samples_[sample], kSampleIds[sample], kSamplePriority, looped);
}

// Centres spot k's animation on blob place `place`, its hit rectangle with it.
void BlueGoo::centre(int k, int place) {
    const Rect bounds = spots_[k].Bounds();
    const auto x = static_cast<std::int16_t>(kBlobPlaces[place].h - (bounds.right - bounds.left) / 2);
    const auto y = static_cast<std::int16_t>(kBlobPlaces[place].v - (bounds.bottom - bounds.top) / 2);
    AnimSetPosition(&spots_[k].Record(), x, y);
    spots_[k].SetRect(Rect{x, y, static_cast<std::int16_t>(x + bounds.right - bounds.left),
                           static_cast<std::int16_t>(y + bounds.bottom - bounds.top)});
}

void BlueGoo::setPointer(std::uint16_t xpkId, Point offset) {
    ShapeBank old = pointer_.SetShape(ShapeBankLoad(xpkId), 0);
    ShapeBankFree(&old);
    pointer_.SetOffset(offset);
    showPointer(1);
}

void BlueGoo::showPointer(std::uint16_t on) {
    pointerShown_ = on;
    pointer_.SetVisible(on);
}

void BlueGoo::setUpBoard() {
    std::int16_t shuffled[6] = {0, 1, 2, 3, 4, 5};
    RandShuffle(shuffled, 6);
    background_.Load(4010, 0);
    helpSound_ = idleSound_ = 4810;
    for (int k = 0; k <= kBlobs; ++k) {
        AnimSpot& spot = spots_[k];
        spot.SetMode(k < kBlobs ? AnimClip::once : AnimClip::loop);
        spot.Play(k < kBlobs ? kFirstSpotCommand + k : kDecorationAnim);
        places_[k] = shuffled[k];
        centre(k, shuffled[k]);
        items_[k] = k < kBlobs ? kBlob : kDecoration;
        spot.SetVisible(1);
    }
    for (int k = kBlobs + 1; k < kSpots; ++k) {
        spots_[k].SetMode(AnimClip::loop);
        spots_[k].Play(kDecorationAnim);
        items_[k] = kDecoration;
        spots_[k].SetVisible(0);
    }
    picked_ = 0;
    state_ = kPicking;
    SetInteractive(1, nullptr);
    gSpotHovered = kNoKitId;
    setPointer(4003, Point{-21, -43});
    playSample(backgroundChannel_, kBackgroundLoop, true);
}

void BlueGoo::pick(int k) {
    AnimSpot& spot = spots_[k];
    if (items_[k] == kDecoration) {
        spot.SetMode(AnimClip::once);
        playMoved(spot, 4020, kDecorationShift);
        items_[k] = kDecorationPlays;
        return;
    }
    if (items_[k] != kBlob) return;
    voice_.Stop();
    playSample(effectChannel_, kPickSound, false);
    playSample(flightChannel_, kFlightLoop, true);
    pickedSpot_ = static_cast<std::uint16_t>(k);
    const Point from = kBlobPlaces[places_[k]];
    const Point jar = kJarPlaces[picked_];
    mover_ = MoverCreate(static_cast<std::int16_t>(from.h + kFlightOffset), from.v, jar.h, jar.v);
    MoverSetSpeed(mover_, kFlightSpeed);
    MoverStart(mover_);
    SpriteCyclerSetVisible(cycler_, 1);
    showPointer(0);
    state_ = kFlying;
    SetInteractive(0, nullptr);
    spot.Close();
    AnimSpot& pour = spots_[k + kBlobs + 1];
    pour.SetMode(AnimClip::loop);
    pour.Replay();
    centre(k + kBlobs + 1, places_[k]);
    pour.SetVisible(1);
    ++picked_;
    if (picked_ == 4) playSample(backgroundChannel_, kBackgroundLoop4, true);
    if (picked_ == kBlobs) backgroundChannel_.Stop();
}

void BlueGoo::feed(int k) {
    voice_.Stop();
    if (items_[k] != kJarFull) return;
    AnimSpot& spot = spots_[k];
    spot.SetMode(AnimClip::once);
    spot.Play(spot.Record().resId + 50);
    playSample(effectChannel_, kFeedSound, false);
    spot.SetRectFromBounds();
    items_[k] = kJarFed;
    state_ = kFeedPlays;
    SetInteractive(0, nullptr);
    ++picked_;
}

void BlueGoo::startPhase2() {
    state_ = kFeeding;
    SetInteractive(1, nullptr);
    gSpotHovered = kNoKitId;
    background_.Load(4011, 1);
    helpSound_ = 4825;
    idleSound_ = 4826;
    setPointer(4002, Point{-10, -20});
    picked_ = 0;
}

void BlueGoo::flyStep() {
    if (MoverIsMoving(mover_)) {
        MoverStep(mover_);
        const std::uint32_t at = MoverGetPosition(mover_);
        SpriteCyclerSetPosition(cycler_, static_cast<std::int16_t>(at & 0xFFFF), static_cast<std::int16_t>(at >> 16));
        SpriteCyclersTick();
        return;
    }
    SpriteCyclerInvalidate(cycler_);
    MoverFree(mover_);
    mover_ = nullptr;
    flightChannel_.Stop();
    state_ = kLanding;
}

void BlueGoo::closeRound() {
    gPickerCompletion[kChoiceBlueGoo] = 1;
    for (int k = 0; k < kBlobs; ++k) {
        spots_[k].Close();
        jarChannels_[k].Stop();
    }
    character_.Load(kClosingAnim, 1);
    state_ = kClosingPlays;
}

void BlueGoo::OnTimer(std::uint32_t timerId, std::int32_t lParam) {
    AnimSpot::AnimSpotsTickAll();
    Activity::OnTimer(timerId, lParam);
    background_.Tick();
    runState();
}

void BlueGoo::runState() {
    switch (state_) {
    case kIntro:
        PlayIntro();
        state_ = kIntroVoice;
        SetInteractive(0, nullptr);
        break;
    case kIntroVoice:
        if (voice_.TakeEndState() != ClipState::playing) state_ = kOpening;
        break;
    case kOpening:
        character_.Load(kOpeningAnim, 0);
        playSample(effectChannel_, kOpeningSound, false);
        background_.Load(4012, 0);
        state_ = kOpeningPlays;
        break;
    case kOpeningPlays:
        if (character_.Tick() == ClipState::playing) break;
        TimerKill(DisplayGetWindow(), kNoInputTimerId);
        TimerSet(DisplayGetWindow(), kNoInputTimerId, kIdleDelay);
        character_.CloseAnimOnly();
        setUpBoard();
        break;
    case kFlying:
        flyStep();
        break;
    case kLanding: {
        AnimSpot& spot = spots_[pickedSpot_];
        spot.Play(4079u + picked_);
        spot.SetRectFromBounds();
        playSample(effectChannel_, kLandSound, false);
        items_[pickedSpot_] = kJarFilling;
        const Point mouse{static_cast<std::int16_t>(kJarPlaces[picked_ - 1].h + 50),
                          static_cast<std::int16_t>(kJarPlaces[picked_ - 1].v + 43)};
        KitMoveMouse(mouse);
        showPointer(1);
        state_ = kJarFills;
        break;
    }
    case kAllInVoice:
        voice_.Play(4820, 1, 0, 0);
        state_ = kAllInVoicePlays;
        break;
    case kAllInVoicePlays:
        if (voice_.TakeEndState() == ClipState::playing) break;
        startPhase2();
        for (std::int16_t id = kFilledJar + 1; id < kForeground; ++id) SpriteFreeWithBank(id);
        break;
    case kClosing:
        closeRound();
        break;
    case kClosingPlays:
        if (character_.Tick() == ClipState::playing) break;
        if (closingShown) {
            state_ = kOpening;
            break;
        }
        closingShown = 1;
        character_.SetPaused(1);
        state_ = kSequence;
        break;
    case kSequence:
        sequence_.PlaySequence(kClosingSequence, 5);
        state_ = kSequencePlays;
        break;
    case kSequencePlays:
        if (sequence_.Tick() != ClipState::playing) state_ = kOpening;
        break;
    default:
        break;
    }
}

void BlueGoo::OnNotify(std::uint32_t code) {
    if (code < kFirstSpotCommand || code >= kFirstSpotCommand + kSpots) return;
    const int k = static_cast<int>(code - kFirstSpotCommand);
    AnimSpot& spot = spots_[k];
    switch (items_[k]) {
    case kBlob:
        spot.Play(static_cast<std::uint32_t>(RandRange(4050, 4056)));
        centre(k, places_[k]);
        return;
    case kDecorationPlays:
        spot.SetMode(AnimClip::loop);
        playMoved(spot, static_cast<std::uint32_t>(RandRange(4060, 4063)), Point{10, 27});
        items_[k] = kDecoration;
        break;
    case kJarFilling: {
        const auto jar = static_cast<std::int16_t>(kFilledJar + picked_);
        SpriteCreate(0, ShapeBankLoad(static_cast<std::uint16_t>(jar)), 0, jar);
        spot.SetMode(AnimClip::loop);
        spot.Play(4099u + picked_);
        items_[k] = kJarFull;
        if (picked_ == kBlobs) {
            state_ = kAllInVoice;
            SetInteractive(0, nullptr);
            return;
        }
        state_ = kPicking;
        break;
    }
    case kJarFed:
        spot.SetMode(AnimClip::loop);
        spot.Play(spot.Record().resId + 10);
        items_[k] = kJarSounding;
        playSample(jarChannels_[k], kJarLoop, true);
        if (picked_ == kBlobs) {
            state_ = kClosing;
            SetInteractive(0, nullptr);
            return;
        }
        state_ = kFeeding;
        break;
    default:
        return;
    }
    SetInteractive(1, nullptr);
    gSpotHovered = kNoKitId;
}

// Spot commands are 4050-4060, one for each of the eleven spots.
std::int32_t BlueGoo::OnCommand(std::uint32_t commandId) {
    if (commandId >= kFirstSpotCommand && commandId < kFirstSpotCommand + kSpots) {
        const int k = static_cast<int>(commandId - kFirstSpotCommand);
        if (state_ == kFeeding) {
            feed(k);
            return 1;
        }
        if (state_ == kPicking) {
            pick(k);
            return 1;
        }
    }
    if (commandId == kActivityHelpCommand && !interactive_) return 0;
    return Activity::OnCommand(commandId);
}

// A key picks the first blob still in place, or feeds the first filled jar.
std::int32_t BlueGoo::OnKey() {
    const std::uint32_t wanted = state_ == kPicking ? kBlob : kJarFull;
    if (state_ != kPicking && state_ != kFeeding) return 1;
    for (int k = 0; k < kBlobs; ++k) {
        if (items_[k] != wanted) continue;
        KitPost(kAppCommand, kFirstSpotCommand + k);
        break;
    }
    return 1;
}

std::int32_t BlueGoo::OnMouseMove(Point point) {
    if (!pointerShown_) return 1;
    AnimSpot::AnimSpotsTrackMouse(point);
    CommandButton::ButtonsTrackMouse(point);
    pointer_.MoveTo(point);
    return 1;
}

std::int32_t BlueGoo::OnMouseDown(Point point) {
    switch (state_) {
    case kIntroVoice:
    case kAllInVoicePlays:
        voice_.Stop();
        break;
    case kOpeningPlays:
        effectChannel_.Stop();
        character_.LoadHeld(kOpeningAnim);
        break;
    case kClosingPlays:
        character_.LoadHeld(kOpeningAnim);
        break;
    case kSequencePlays:
        sequence_.Stop();
        break;
    default:
        break;
    }
    if (pointerShown_) AnimSpot::AnimSpotsMouseDown();
    CommandButton::ButtonsMouseDown(point);
    return 1;
}

std::int32_t BlueGoo::OnMouseUp(Point point) {
    if (pointerShown_) AnimSpot::AnimSpotsMouseUp(point);
    CommandButton::ButtonsMouseUp(point);
    return 1;
}

void BlueGoo::drawSpots(const Rect& rect, std::uint32_t fromItem, std::uint32_t toItem) const {
    for (int k = 0; k < kSpots; ++k) {
        if (items_[k] >= fromItem && items_[k] <= toItem) spots_[k].Draw(&rect);
    }
}

void BlueGoo::drawSpotRange(const Rect& rect, int first, int last) const {
    for (int k = first; k <= last; ++k) spots_[k].Draw(&rect);
}

void BlueGoo::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    ActorDrawAll(&rect);
    if (state_ < kFeeding) {
        drawSpots(rect, kBlob, kDecorationPlays);
        SpriteDraw(kForeground, &rect);
        if (state_ == kFlying) SpriteCyclersDraw(rect);
        drawSpots(rect, kJarFilling, kJarFull);
        background_.Draw(&rect);
    } else {
        drawSpotRange(rect, kBlobs, kSpots - 1);
        background_.Draw(&rect);
        drawSpotRange(rect, 0, kBlobs - 1);
    }
    character_.Draw(&rect);
    sequence_.Draw(&rect);
    for (std::int16_t id = kFilledJar + 1; id < kForeground; ++id) SpriteDraw(id, &rect);
    pointer_.Draw(&rect);
}
