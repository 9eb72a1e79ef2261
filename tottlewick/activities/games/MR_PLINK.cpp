// The MR_PLINK activity: the voice machine A (intro, help, idle prompt, the confirming sound) and the play
// machine B (prompt, the chosen spot's animation, reward and closing sequence), fed with the clips' end
// states on every tick.
#include "MR_PLINK.h"

#include "AppBindings.h"
#include "Backdrop.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "Rand.h"

namespace {

constexpr std::uint16_t kNone = MR_PLINK::kSpots;  // no target left, no spot chosen
constexpr std::uint32_t kReplay = 6070;
constexpr std::uint32_t kClosingSequence[] = {6040, 6041, 6042, 6043, 500};
constexpr std::int16_t kNoSet = -1;

// Module-wide: kept from one MR_PLINK activity to the next for the whole run.
struct Game {
    std::int16_t set = kNoSet;
    std::int16_t order[MR_PLINK::kSpots] = {};
    std::uint16_t position = 0;
    std::uint16_t target = kNone;
    std::uint16_t chosen = kNone;
    std::uint16_t voice = 0;  // machine A
    std::uint16_t play = 0;   // machine B
    std::uint16_t closingShown = 0;
} game;

std::uint16_t newOrder() {
    for (std::int16_t i = 0; i < MR_PLINK::kSpots; ++i) game.order[i] = i;
    RandShuffle(game.order, MR_PLINK::kSpots);
    game.position = 0;
    return static_cast<std::uint16_t>(game.order[0]);
}

std::uint16_t nextTarget() {
    return ++game.position < MR_PLINK::kSpots ? static_cast<std::uint16_t>(game.order[game.position]) : kNone;
}

std::uint32_t spotAnim(int set, int i) {
    return static_cast<std::uint32_t>((set + 61) * 100 + 10 * i);
}

bool idle(ClipState status) {
    return status == ClipState::idle || status == ClipState::reported;
}

bool finished(ClipState status) {
    return status == ClipState::stopped || status == ClipState::ended;
}

}  // namespace

MR_PLINK::MR_PLINK() : Activity("MR_PLINK", 6000, 6000, kKitPointerXpk) {
    if (game.set == kNoSet) game.set = RandRange(0, 3);
    const int set = game.set;
    reward_.Record().resId = static_cast<std::uint32_t>((set + 601) * 10);
    for (int i = 0; i < kSpots; ++i) {
        prompts_[i].Record().resId = static_cast<std::uint32_t>(6050 + 6 * set + i);
        spots_[i].Load(spotAnim(set, i), static_cast<std::uint32_t>(i), 1, 0);
    }
    replay_.Add(kReplay, kReplay, kReplay + 1, 0, 0, 0, 0);
    replay_.Register(this, gPrefClickOnly, 1);
    game.chosen = kNone;
    game.target = newOrder();
    game.voice = 1;
    game.play = 0;
    introSound_ = 6000;
    helpSound_ = 6001;
    idleSound_ = 6002;
    prompt_ = &prompts_[game.target];
    game.set = static_cast<std::int16_t>((set + 1) % 3);
    StartMusic(6999);
    SetInteractive(0, nullptr);
}

void MR_PLINK::newGame() {
    game.play = 1;
    game.target = newOrder();
    prompt_ = &prompts_[game.target];
}

void MR_PLINK::OnTimer(std::uint32_t timerId, std::int32_t lParam) {
    AnimSpot::AnimSpotsTickAll();
    Activity::OnTimer(timerId, lParam);
    voiceEvent(voice_.TakeEndState());
    playEvent(prompt_->Tick());
    if (game.play == 6) playEvent(reward_.Tick());
    if (game.play == 8) playEvent(closing_.Tick());
}

void MR_PLINK::voiceEvent(ClipState status) {
    if (idle(status)) voiceIdle();
    else if (finished(status)) voiceFinished();
}

void MR_PLINK::playEvent(ClipState status) {
    if (idle(status)) playIdle();
    else if (finished(status)) playFinished();
}

void MR_PLINK::voiceIdle() {
    switch (game.voice) {
    case 1:
        game.voice = 2;
        PlayIntro();
        break;
    case 3:
        game.voice = 4;
        Activity::PlayHelp();
        break;
    case 5:
        game.voice = 6;
        Activity::PlayIdlePrompt();
        break;
    case 7:
        game.voice = 8;
        voice_.Play(spots_[game.target].Record().resId + 1, 1, 0, 0);
        break;
    default:
        break;
    }
}

void MR_PLINK::voiceFinished() {
    switch (game.voice) {
    case 2:
        game.voice = 3;
        break;
    case 4:
    case 6:
        game.play = 1;
        break;
    case 8:
        game.target = nextTarget();
        if (game.target == kNone) {
            gPickerCompletion[kChoiceMR_PLINK] = 1;
            game.voice = 0;
            game.play = 5;
        } else {
            game.play = 1;
            prompt_ = &prompts_[game.target];
        }
        break;
    default:
        break;
    }
}

void MR_PLINK::playIdle() {
    switch (game.play) {
    case 1:
        game.play = 2;
        prompt_->Load(prompt_->Record().resId, 1);
        ActorHide(kReplay);
        break;
    case 3:
        game.play = 4;
        spots_[game.chosen].Replay();
        break;
    case 5:
        game.play = 6;
        FadeMusicOut();
        reward_.Load(reward_.Record().resId, 1);
        break;
    case 7:
        game.play = 8;
        closing_.PlaySequence(kClosingSequence, 5);
        break;
    default:
        break;
    }
}

void MR_PLINK::playFinished() {
    switch (game.play) {
    case 2: {
        game.play = 0;
        SetInteractive(1, nullptr);
        ActorShow(kReplay);
        CommandButton::ButtonsTrackMouse(KitMouseLocation());
        break;
    }
    case 4:
        game.play = 0;
        spots_[game.chosen].Hold();
        if (game.chosen != game.target) SetInteractive(1, nullptr);
        else game.voice = 7;
        game.chosen = kNone;
        break;
    case 6:
        FadeMusicIn();
        if (game.closingShown) {
            newGame();
            break;
        }
        game.play = 7;
        game.closingShown = 1;
        break;
    case 8:
        newGame();
        break;
    default:
        break;
    }
}

std::int32_t MR_PLINK::OnCommand(std::uint32_t commandId) {
    if (interactive_ && commandId < kSpots) {
        game.chosen = static_cast<std::uint16_t>(commandId);
        game.play = 3;
        game.voice = 0;
        SetInteractive(0, nullptr);
        voice_.Stop();
    } else if (interactive_ && commandId == kReplay) {
        game.play = 1;
        SetInteractive(0, nullptr);
        return 1;
    }
    return Activity::OnCommand(commandId);
}

void MR_PLINK::OnNotify(std::uint32_t code) {
    if (code == game.chosen) playEvent(ClipState::ended);
}

// A key acts as a click on a random spot.
std::int32_t MR_PLINK::OnKey() {
    KitPost(kAppCommand, static_cast<std::uint32_t>(RandRange(0, kSpots)));
    return 1;
}

void MR_PLINK::PlayHelp() {
    if (interactive_) game.voice = 3;
}

void MR_PLINK::PlayIdlePrompt() {
    game.voice = 5;
}

// A click skips a voice, the reward or the closing sequence.
std::int32_t MR_PLINK::OnMouseUp(Point point) {
    Activity::OnMouseUp(point);
    if (game.voice == 4 || game.voice == 6 || game.voice == 8) voice_.Stop();
    if (game.play == 6) reward_.Stop();
    if (game.play == 8) closing_.Stop();
    return 1;
}

void MR_PLINK::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    if (game.play != 6) {
        for (const AnimSpot& spot : spots_) spot.Draw(&rect);
        prompt_->Draw(&rect);
    }
    ActorDrawAll(&rect);
    if (game.play == 6) reward_.Draw(&rect);
    if (game.play == 8) closing_.Draw(&rect);
    pointer_.Draw(&rect);
}
