// The BLOK_STAK activity and its four machines.
#include "BLOK_STAK.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "Actor.h"
#include "AppBindings.h"
#include "Backdrop.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "Rand.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kBackdrop = 5000;
constexpr std::uint32_t kIntroVoice = 5000, kHelpVoice = 5001, kIdleVoice = 5002;
constexpr std::uint16_t kMusic = 5999;
constexpr std::uint16_t kFirstAlphabetPicture = 5600;
constexpr std::uint16_t kBlockImageBase = 5561;    // + letter
constexpr std::uint16_t kBlockPressedBase = 5587;  // + letter
constexpr std::uint16_t kBlockRollover = 5002, kBlockHitMask = 5003;
constexpr std::uint16_t kPointerLetters = 5001;
constexpr std::uint32_t kLetterNameBase = 5568;  // + letter
constexpr std::uint32_t kRightVoice = 5400, kStackingVoice = 5401, kTowerDoneVoice = 5210;
constexpr std::uint32_t kCharacterIds[BLOK_STAK::kCharacterClips] = {5100, 5101, 5110, 5111, 5120, 5121, 5130,
                                                                      5140, 5141, 5142, 5150, 5151, 5160};
constexpr std::uint32_t kFirstAsking = 5161;
constexpr std::uint32_t kBlocksArrive = 5200, kBlocksLeave = 5201;
constexpr std::uint32_t kStackFinished = 5550;
constexpr std::uint32_t kClosing[] = {5500, 5501, 5502, 500};
constexpr std::uint16_t kOverlay = 5551;
constexpr int kGroups = 9;
constexpr char kGroupStarts[kGroups] = {'A', 'D', 'G', 'J', 'M', 'P', 'R', 'U', 'X'};
constexpr Point kBlockPlaces[BLOK_STAK::kBlocks] = {{222, 194}, {360, 195}, {504, 195}};
constexpr Point kCarryMouse{195, 195};

// The closing sequence follows the first stack of the cycling groups only, once a run.
bool closingPlayed = false;

bool starts(ClipState value) { return value == ClipState::idle || value == ClipState::reported; }
bool ends(ClipState value) { return value == ClipState::stopped || value == ClipState::ended; }

char shifted(char letter, int by) { return static_cast<char>('A' + (letter - 'A' + by) % BLOK_STAK::kLetters); }

// The first tower animation of a letter's class; the second is the next id.
std::uint32_t towerPlaced(char letter) {
    if (std::string_view("ABCMNO").find(letter) != std::string_view::npos) return 5202;
    if (std::string_view("JKLXYZ").find(letter) != std::string_view::npos) return 5206;
    return 5204;
}

std::uint32_t stackFirstHalf(int group) { return group < 6 ? 5300 + group : 5301 + group; }
std::uint32_t stackSecondHalf(int group) { return group == kGroups - 1 ? 5300 : stackFirstHalf(group) + 1; }

}  // namespace

BLOK_STAK::BLOK_STAK() : Activity("BLOK_STAK", kBackdrop, kBackdrop, kKitPointerXpk) {
    for (int i = 0; i < kLetters; ++i) {
        AlphabetEntry& entry = alphabet_[i];
        entry.bank = ShapeBankLoad(static_cast<std::uint16_t>(kFirstAlphabetPicture + i));
        ShapeGetImageRect(&entry.image, entry.bank, 0, 0, 0, 0);
    }
    letterBank_ = ShapeBankLoad(kPointerLetters);
    Rect frame{};
    ShapeGetFrameRect(&frame, letterBank_, 0, 0, 0, 0);
    letterOffset_ = {static_cast<std::int16_t>(-RectWidth(&frame) / 2), static_cast<std::int16_t>(-RectHeight(&frame) / 2)};
    introSound_ = kIntroVoice;
    helpSound_ = kHelpVoice;
    idleSound_ = kIdleVoice;
    interactive_ = 0;
    for (int i = 0; i < kCharacterClips; ++i) characters_[i].LoadHeld(kCharacterIds[i]);
    StartMusic(kMusic);
}

BLOK_STAK::~BLOK_STAK() {
    tower_.Close();
    stack_.Close();
    spare_.Close();
    for (AnimClip& clip : characters_) clip.Close();
    for (AlphabetEntry& entry : alphabet_) ShapeBankFree(&entry.bank);
    for (CommandButton& block : blocks_) block.Remove();
    carryLetter(false);
    ShapeBankFree(&letterBank_);
    ShapeBankFree(&overlay_);
}

void BLOK_STAK::OnTimer(std::uint32_t timerId, std::int32_t lParam) {
    Activity::OnTimer(timerId, lParam);
    voiceMachine(voice_.TakeEndState());
    towerMachine(tower_.Tick());
    stackMachine(stack_.Tick());
    characterMachine(current_ ? current_->Tick() : ClipState::idle);
}

void BLOK_STAK::voiceMachine(ClipState value) {
    if (starts(value) && voiceState_ % 2 == 1 && voiceState_ <= 13) {
        switch (voiceState_) {
        case 1: PlayIntro(); break;
        case 3: Activity::PlayHelp(); break;
        case 5: Activity::PlayIdlePrompt(); break;
        case 7: voice_.Play(kStackingVoice, 1, 0, 0); break;
        case 9: voice_.Play(kLetterNameBase + static_cast<std::uint32_t>(target_), 1, 0, 0); break;
        case 11: voice_.Play(kRightVoice, 1, 0, 0); break;
        case 13:
            voice_.Play(kTowerDoneVoice, 1, 0, 0);
            gPickerCompletion[kChoiceBLOK_STAK] = 1;
            break;
        }
        ++voiceState_;
    } else if (ends(value)) {
        switch (voiceState_) {
        case 2:
            voiceState_ = 0;
            stackState_ = 3;
            introPlaying_ = 0;
            break;
        case 8:
            voiceState_ = 9;
            characterState_ = 25;
            break;
        case 14:
            voiceState_ = 0;
            towerState_ = 4;
            break;
        case 4: case 6: case 10: case 12: voiceState_ = 0; break;
        }
    }
}

// Hides the clip shown so far and plays id on its held clip, else on the spare one.
void BLOK_STAK::playCharacter(std::uint32_t id) {
    if (current_) AnimSetHidden(&current_->Record(), 1);
    const std::uint32_t* held = std::find(std::begin(kCharacterIds), std::end(kCharacterIds), id);
    current_ = held == std::end(kCharacterIds) ? &spare_ : &characters_[held - kCharacterIds];
    current_->SetMode(id == 5141 ? AnimClip::loop : AnimClip::once);
    current_->Load(id, 0);
}

void BLOK_STAK::characterMachine(ClipState value) {
    if (starts(value) && characterState_ % 2 == 1 && characterState_ <= 27) characterStart();
    else if (ends(value) && characterState_ % 2 == 0) characterEnd();
}

void BLOK_STAK::characterStart() {
    static constexpr std::uint32_t kPlays[] = {5100, 5101, 5110, 5111, 0, 5120, 5121, 5130, 5140, 5141, 5142,
                                               5150, 5151, 5160};
    const std::uint32_t state = characterState_;
    playCharacter(state == 9 ? kFirstAsking + static_cast<std::uint32_t>(RandRange(0, 4)) : kPlays[state / 2]);
    if (state == 5) towerState_ = 1;
    if (state == 27) showOverlay(true);
    characterState_ = state + 1;
}

void BLOK_STAK::characterEnd() {
    switch (characterState_) {
    case 2: case 4: characterState_ = RandRange(0, 2) > 0 ? 3 : 1; break;
    case 6: characterState_ = 0; break;
    case 8: case 10: characterState_ = 23; break;
    case 12:
        characterState_ = 0;
        towerState_ = 2;
        break;
    case 14: case 26: characterState_ = 1; break;
    case 16:
        characterState_ = 1;
        towerState_ = 2;
        break;
    case 18: characterState_ = 19; break;
    case 22:
        if (mode_ != cycling) {
            characterState_ = 5;
        } else if (!closingPlayed) {
            closingPlayed = true;
            characterState_ = 27;
        } else {
            characterState_ = 1;
            stackState_ = 3;
        }
        break;
    case 24:
        interactive_ = 1;
        voiceState_ = 7;
        characterState_ = 0;
        carryLetter(true);
        KitMoveMouse(kCarryMouse);
        pointer_.MoveTo(kCarryMouse);
        break;
    case 28:
        characterState_ = 1;
        stackState_ = 7;
        break;
    }
}

void BLOK_STAK::towerMachine(ClipState value) {
    const std::uint32_t placed = towerPlaced(target_);
    if (starts(value) && towerState_ >= 1 && towerState_ <= 4) {
        if (towerState_ == 2) showBlocks(false);
        static constexpr std::uint32_t kFixed[] = {0, kBlocksArrive, kBlocksLeave};
        tower_.Load(towerState_ <= 2 ? kFixed[towerState_] : placed + (towerState_ - 3), 0);
        towerState_ += 4;
        return;
    }
    if (!ends(value)) return;
    switch (towerState_) {
    case 5:
        towerState_ = 0;
        characterState_ = 7;
        showBlocks(true);
        break;
    case 6:
        towerState_ = 3;
        if (mode_ == secondHalf) characterState_ = 13;
        break;
    case 7:
        towerState_ = 0;
        voiceState_ = 13;
        showLetters(blockLetter(0), true);
        break;
    case 8:
        towerState_ = 0;
        if (mode_ == secondHalf) {
            characterState_ = 5;
            blockSetUp();
        } else if (mode_ == cycling) {
            characterState_ = 17;
            stackState_ = 1;
        }
        break;
    }
}

void BLOK_STAK::stackMachine(ClipState value) {
    if (starts(value)) {
        switch (stackState_) {
        case 1:
            tower_.Close();
            stack_.Load(kStackFinished, 1);
            FadeMusicOut();
            break;
        case 3:
            blockSetUp();
            showLetters(blockLetter(0), false);
            stack_.Load(stackFirstHalf(group_), 0);
            break;
        case 5:
            showLetters(shifted(blockLetter(0), 3), false);
            stack_.Load(stackSecondHalf(group_), 0);
            break;
        case 7: stack_.PlaySequence(kClosing, static_cast<std::uint16_t>(std::size(kClosing))); break;
        default: return;
        }
        ++stackState_;
        return;
    }
    if (!ends(value)) return;
    switch (stackState_) {
    case 2:
        stackState_ = 0;
        characterState_ = 21;
        closeCharacter();
        FadeMusicIn();
        break;
    case 4: stackState_ = 5; break;
    case 6:
        stackState_ = 0;
        characterState_ = 5;
        closeCharacter();
        break;
    case 8:
        stackState_ = 3;
        showOverlay(false);
        break;
    }
}

// Ends the character's clip (the looping 5141 among them), so that the state just set starts at once.
void BLOK_STAK::closeCharacter() {
    if (current_) current_->Close();
}

// Mode 2 moves on to the next group; back at the cycle's first group it draws a new one as mode 0 does.
void BLOK_STAK::blockSetUp() {
    if (mode_ == cycling) {
        group_ = static_cast<std::uint8_t>((group_ + 1) % kGroups);
        if (group_ == firstGroup_) mode_ = firstGroup;
    }
    if (mode_ == firstGroup) {
        group_ = static_cast<std::uint8_t>(RandRange(0, kGroups));
        firstGroup_ = group_;
    }
    // All three go before any is added: groups share letters (P-R and R-T), and an id still in the actor
    // table would be refused.
    for (CommandButton& block : blocks_) block.Remove();
    for (int k = 0; k < kBlocks; ++k) {
        const char letter = letters_[k] = shifted(kGroupStarts[group_], k + (mode_ == secondHalf ? 3 : 0));
        blocks_[k].Add(static_cast<std::uint32_t>(letter), static_cast<std::uint16_t>(kBlockImageBase + letter),
                       kBlockRollover, static_cast<std::uint16_t>(kBlockPressedBase + letter), kBlockHitMask,
                       kBlockPlaces[k].h, kBlockPlaces[k].v);
        blocks_[k].Register(this, gPrefClickOnly, 0);
    }
    showBlocks(false);
    if (mode_ != cycling) ++mode_;
    pickNextTarget(false);
}

void BLOK_STAK::pickNextTarget(bool asking) {
    const auto available = [this](int k) { return !ActorIsPressed(blocks_[k].Id()); };
    bool any = false;
    for (int k = 0; k < kBlocks; ++k) any = any || available(k);
    if (!any) {
        if (mode_ == secondHalf) characterState_ = 11;
        else if (mode_ == cycling) characterState_ = 15;
    } else {
        int k = RandRange(0, kBlocks);
        while (!available(k)) k = RandRange(0, kBlocks);
        target_ = blockLetter(k);
        if (asking) characterState_ = 9;
    }
    interactive_ = 0;
    carryLetter(false);
}

void BLOK_STAK::showBlocks(bool on) {
    for (const CommandButton& block : blocks_) {
        if (on) ActorShow(block.Id());
        else ActorHide(block.Id());
    }
}

void BLOK_STAK::showLetters(char first, bool on) {
    for (int k = 0; k < kBlocks; ++k) alphabet_[shifted(first, k) - 'A'].shown = on ? 1 : 0;
    UpdateInvalRect(&screenRect_);
}

void BLOK_STAK::carryLetter(bool on) {
    if (on == carrying_) return;
    carrying_ = on;
    if (on) {
        savedBank_ = pointer_.SetShape(letterBank_, static_cast<std::uint16_t>(target_ - 'A'));
        savedOffset_ = pointer_.SetOffset(letterOffset_);
    } else {
        pointer_.SetShape(savedBank_, 0);
        pointer_.SetOffset(savedOffset_);
    }
}

void BLOK_STAK::showOverlay(bool on) {
    if (on && !overlay_) overlay_ = ShapeBankLoad(kOverlay);
    if (!on) ShapeBankFree(&overlay_);
    UpdateInvalRect(&screenRect_);
}

std::int32_t BLOK_STAK::OnCommand(std::uint32_t commandId) {
    voice_.Stop();
    if (interactive_ && commandId == static_cast<std::uint32_t>(target_)) {
        for (CommandButton& block : blocks_) {
            if (block.Id() == commandId) block.SetPressedLook(1);
        }
        voiceState_ = 11;
        pickNextTarget(true);
    }
    return Activity::OnCommand(commandId);
}

std::int32_t BLOK_STAK::OnKey() {
    KitPost(kAppCommand, static_cast<std::uint32_t>(target_));
    return 1;
}

void BLOK_STAK::PlayHelp() {
    if (voiceFree()) voiceState_ = 3;
}

void BLOK_STAK::PlayIdlePrompt() {
    if (voiceFree()) voiceState_ = 5;
}

// Help and the idle prompt take the voice only when no step waits on it: a voice still to start (odd
// states), or one whose end moves another machine on (the intro, the stacking voice, the tower's), would
// be lost, and with it the blocks or the tower.
bool BLOK_STAK::voiceFree() const {
    return voiceState_ % 2 == 0 && voiceState_ != 2 && voiceState_ != 8 && voiceState_ != 14;
}

std::int32_t BLOK_STAK::OnMouseUp(Point point) {
    Activity::OnMouseUp(point);
    if (voiceState_ == 4 || voiceState_ == 6 || voiceState_ == 10) voice_.Stop();
    if (towerState_ == 5) tower_.RewindClock();
    if (towerState_ == 6 || towerState_ == 8) tower_.Close();
    if (towerState_ == 7) {
        towerState_ = 8;
        showLetters(blockLetter(0), true);
        tower_.Close();
    }
    if ((characterState_ == 10 || characterState_ == 26) && current_) current_->SetPaused(1);
    if (characterState_ == 28) {
        characterState_ = 1;
        stackState_ = 3;
        showOverlay(false);
    }
    if (stackState_ == 4) {
        stackState_ = 6;
        showLetters(shifted(blockLetter(0), 3), false);
        stack_.Close();
    } else if (stackState_ == 8) {
        stack_.Stop();
    } else if (stackState_ == 2 || stackState_ == 6) {
        stack_.Close();
    }
    return 1;
}

void BLOK_STAK::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    if (overlay_) {
        ShapeDraw(nullptr, overlay_, 0, 0, 0, 0);
    } else {
        for (const AlphabetEntry& entry : alphabet_) {
            Rect meet{};
            if (entry.shown && entry.bank && RectIntersect(&meet, &entry.image, &rect)) {
                ShapeDraw(nullptr, entry.bank, 0, 0, 0, 0);
            }
        }
    }
    tower_.Draw(&rect);
    for (const CommandButton& block : blocks_) {
        if (ActorIsActive(block.Id()) > 0) block.Draw(rect);
    }
    ActorDrawAll(&rect);
    if (current_) current_->Draw(&rect);
    stack_.Draw(&rect);
    pointer_.Draw(&rect);
}
