// The Zibb activity: dealing the six pictures, the naming, choosing and reward machine run on every timer
// tick, and a key that answers by pointing at the named picture.
#include "Zibb.h"

#include <iterator>

#include "AppBindings.h"
#include "AppModule.h"
#include "Backdrop.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "KitSample.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "Rand.h"
#include "SndSample.h"
#include "Update.h"

namespace {

enum State : std::uint32_t {
    kStarting = 1,
    kDealing = 2,
    kNaming = 4,
    kFeedback = 5,
    kReward = 8,
    kCheering = 9,
    kFollowUp = 10,
    kSequence = 11,
    kNewTurn = 12,
    kChoosing = 13,
};

constexpr std::uint16_t kArt = 3000;
constexpr std::uint16_t kLoopingAnim = 3020;
constexpr std::uint32_t kFirstCommand = 3050;
constexpr std::uint16_t kHitMaskOffset = 100;
constexpr std::uint16_t kNameOffset = 760;
constexpr std::uint32_t kFollowUpOffset = 40;
constexpr std::uint16_t kFirstName = 3810;
constexpr std::uint16_t kVariant1Offset = 300;
constexpr std::uint32_t kWaiting = 3224;
constexpr std::uint32_t kAfterReward = 3226;
constexpr std::uint32_t kCheeringAnim = 3219;
constexpr std::uint32_t kTurnVoice = 3700;
constexpr std::uint16_t kChoiceSound = 3900;
constexpr std::uint16_t kCheer2Sound = 3232;
constexpr std::uint16_t kCheer1Sound = 3233;
constexpr std::int16_t kSoundPriority = -32767;
constexpr std::uint32_t kSequenceIds[] = {3200, 3195, 3201, 500};

// Where each picture lies on the board, by its name sound - 3810.
constexpr Point kPicturePoints[20] = {
    {83, 146},  {157, 120}, {89, 183},  {163, 153}, {161, 216}, {161, 248}, {143, 277},
    {210, 345}, {198, 366}, {232, 265}, {317, 359}, {326, 385}, {367, 223}, {366, 209},
    {515, 127}, {547, 68},  {446, 193}, {462, 207}, {269, 150}, {495, 339},
};

// The extra sequence plays in the first rewarded turn of the run only.
bool gSequencePlayed = false;

std::uint16_t drawFrom(int first, int last) {
    return static_cast<std::uint16_t>(RandRange(static_cast<std::int16_t>(first), static_cast<std::int16_t>(last + 1)));
}

std::uint16_t nameSound(std::uint16_t picture) {
    return static_cast<std::uint16_t>(picture + kNameOffset);
}

void setHidden(AnimClip& clip, std::int16_t hidden) {
    AnimSetHidden(&clip.Record(), hidden);
}

}  // namespace

Zibb::Zibb() : Activity("Zibb", kArt, kArt, kLoopingAnim), loopSound_(kLoopingAnim) {
    introSound_ = 3800;
    helpSound_ = idleSound_ = 3805;
    variant_ = static_cast<std::uint16_t>(RandRange(1, 3));
    choiceSample_ = SndLoadSample(kChoiceSound);
    cheer2Sample_ = SndLoadSample(kCheer2Sound);
    cheer1Sample_ = SndLoadSample(kCheer1Sound);
    loopSound_.SetMode(AnimClip::loop);
    loopSound_.Play(0);
    clipA_.SetMode(AnimClip::loop);
    startTurnClips();
    StartMusic(3999);
    PlayIntro();
}

Zibb::~Zibb() {
    StopMusic();
    line_.Stop();
    voice_.Stop();
    loopSound_.Stop();
    clipA_.Stop();
    clipB_.Stop();
    clipC_.Stop();
    choiceChannel_.Stop();
    cheerChannel_.Stop();
    SndFreeSample(&choiceSample_);
    SndFreeSample(&cheer2Sample_);
    SndFreeSample(&cheer1Sample_);
    for (CommandButton& button : buttons_) button.Remove();
}

// Clip A waits in the open, clip B holds its first frame out of sight.
void Zibb::startTurnClips() {
    clipA_.Load(kWaiting + variant_, 0);
    setHidden(clipA_, 0);
    clipB_.LoadHeld(kCheeringAnim + variant_);
    setHidden(clipB_, 1);
}

void Zibb::showA(std::int16_t on) {
    setHidden(clipA_, static_cast<std::int16_t>(!on));
    setHidden(clipB_, on);
}

void Zibb::playSample(MemHandle sample, std::uint16_t soundId) {
    choiceChannel_.Play(sample, soundId, kSoundPriority);
}

void Zibb::addButton(int i, std::uint16_t picture) {
    pictures_[i] = picture;
    const std::uint16_t offset = variant_ == 1 ? kVariant1Offset : 0;
    buttons_[i].Add(kFirstCommand + static_cast<std::uint32_t>(i), static_cast<std::uint16_t>(picture + offset), 0, 0,
                    static_cast<std::uint16_t>(picture + kHitMaskOffset), 0, 0);
    buttons_[i].Register(this, gPrefClickOnly, 1);
}

// Each button from its own range; buttons 3-5 from one of two layouts by a coin toss.
void Zibb::drawPictures() {
    addButton(0, drawFrom(3050, 3053));
    addButton(1, drawFrom(3054, 3059));
    addButton(2, drawFrom(3060, 3061));
    if (RandRange(0, 2) == 0) {
        addButton(3, drawFrom(3066, 3067));
        addButton(4, 3068);
        addButton(5, 3069);
    } else {
        addButton(3, drawFrom(3062, 3063));
        addButton(4, drawFrom(3064, 3065));
        addButton(5, drawFrom(3068, 3069));
    }
}

// The target never names the same picture as the turn before.
void Zibb::deal() {
    for (CommandButton& button : buttons_) button.Remove();
    drawPictures();
    do {
        target_ = static_cast<std::uint16_t>(RandRange(0, kButtons));
    } while (nameSound(pictures_[target_]) == previousSound_);
    previousSound_ = nameSound(pictures_[target_]);
    helpSound_ = idleSound_ = previousSound_;
    voice_.Play(previousSound_, 1, 0, 0);
    state_ = kNaming;
}

void Zibb::reward() {
    gPickerCompletion[kChoiceZibb] = 1;
    SetInteractive(0, nullptr);
    clipB_.Play(0);
    cheerChannel_.Play(variant_ == 2 ? cheer2Sample_ : cheer1Sample_, variant_ == 2 ? kCheer2Sound : kCheer1Sound,
                       kSoundPriority);
    showA(0);
    state_ = kCheering;
}

void Zibb::newTurn() {
    line_.Play(kTurnVoice, 1, 0, 0);
    RevealScene();
    variant_ = static_cast<std::uint16_t>(3 - variant_);
    startTurnClips();
    state_ = kNewTurn;
}

void Zibb::step() {
    switch (state_) {
    case kStarting:
        if (!voice_.IsPlaying()) {
            showA(0);
            state_ = kDealing;
        }
        break;
    case kDealing:
        deal();
        break;
    case kNaming:
        if (!voice_.IsPlaying()) {
            loopSound_.Stop();
            showA(0);
            gLastHoveredActor = kNoKitId;
            state_ = kChoosing;
            SetInteractive(1, &exitButton_);
        }
        break;
    case kFeedback:
        if (!choiceChannel_.IsPlaying()) {
            if (!right_) {
                state_ = kChoosing;
                break;
            }
            for (CommandButton& button : buttons_) ActorHide(button.Id());
            right_ = 0;
            state_ = kReward;
        }
        break;
    case kReward:
        reward();
        break;
    case kCheering:
        if (clipB_.Tick() != ClipState::playing) {
            clipA_.Load(kAfterReward + variant_, 0);
            showA(1);
            line_.Play(previousSound_ + kFollowUpOffset, 1, 0, 0);
            state_ = kFollowUp;
        }
        break;
    case kFollowUp:
        if (line_.IsPlaying()) break;
        if (gSequencePlayed) {
            newTurn();
            break;
        }
        gSequencePlayed = true;
        clipC_.PlaySequence(kSequenceIds, static_cast<std::uint16_t>(std::size(kSequenceIds)));
        state_ = kSequence;
        break;
    case kSequence:
        if (clipC_.Tick() != ClipState::playing) newTurn();
        break;
    case kNewTurn:
        if (!line_.IsPlaying()) {
            UpdateSetTransition(1);
            UpdateInvalRectOnce(&screenRect_);
            deal();
        }
        break;
    default:
        break;
    }
}

void Zibb::OnTimer(std::uint32_t timerId, std::int32_t lParam) {
    Activity::OnTimer(timerId, lParam);
    loopSound_.Tick();
    clipA_.Tick();
    step();
}

// A release cuts the voice line short while one is being said.
std::int32_t Zibb::OnMouseUp(Point point) {
    if (state_ == kSequence) clipC_.Stop();
    if (state_ == kNaming || state_ == kFollowUp || state_ == kNewTurn || state_ == kSequence) {
        voice_.Stop();
        line_.Stop();
    }
    return Activity::OnMouseUp(point);
}

std::int32_t Zibb::OnCommand(std::uint32_t commandId) {
    const std::uint32_t index = commandId - kFirstCommand;
    if (state_ == kChoosing && index < kButtons) {
        loopSound_.Stop();
        playSample(choiceSample_, kChoiceSound);
        right_ = index == target_ ? 1 : 0;
        state_ = kFeedback;
    }
    return Activity::OnCommand(commandId);
}

// A key answers for the child: the pointer goes onto the named picture, which is chosen as if clicked.
std::int32_t Zibb::OnKey() {
    const Point point = kPicturePoints[(previousSound_ - kFirstName) % std::size(kPicturePoints)];
    KitMoveMouse(point);
    pointer_.MoveTo(point);
    CommandButton::ButtonsTrackMouse(point);
    AppSendMessage(DisplayGetWindow(), kAppCommand, kFirstCommand + target_, 0);
    return 1;
}

void Zibb::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    clipA_.Draw(&rect);
    clipB_.Draw(&rect);
    ActorDrawAll(&rect);
    clipC_.Draw(&rect);
    loopSound_.Draw(&rect);
    pointer_.Draw(&rect);  // the system cursor is hidden: the child always sees where the mouse is
}
