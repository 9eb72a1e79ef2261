// BLOK_STAK: three letter blocks stand in front of an alphabet of 26 pictures; a character asks for a
// letter, the child picks its block (the pointer then carries the letter) and the character stacks it.
// Three stacked blocks make a tower; the letters go through the alphabet in groups of three. Four
// machines (voice, character, tower, stack) step on every timer tick, each on the end state of its clip.
#pragma once

#include <cstdint>

#include "Activity.h"
#include "AnimClip.h"

class BLOK_STAK : public Activity {
public:
    static constexpr int kBlocks = 3;
    static constexpr int kLetters = 26;
    static constexpr int kCharacterClips = 13;
    // 0 first group, 1 its second half, 2 cycling groups.
    enum Mode : std::uint32_t { firstGroup = 0, secondHalf = 1, cycling = 2 };

    BLOK_STAK();
    ~BLOK_STAK() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;
    void PlayHelp() override;
    void PlayIdlePrompt() override;

    bool Interactive() const { return interactive_ != 0; }
    std::uint32_t CurrentMode() const { return mode_; }
    std::uint8_t Group() const { return group_; }
    char Target() const { return target_; }
    bool LetterShown(char letter) const { return alphabet_[letter - 'A'].shown != 0; }
    std::uint32_t VoiceState() const { return voiceState_; }
    std::uint32_t CharacterState() const { return characterState_; }
    std::uint32_t TowerState() const { return towerState_; }
    std::uint32_t StackState() const { return stackState_; }

private:
    struct AlphabetEntry {
        std::uint16_t shown = 1;
        ShapeBank bank = 0;
        Rect image{};  // where the picture lies: a redrawn rectangle that misses it skips its drawing
    };

    void voiceMachine(ClipState value);
    void characterMachine(ClipState value);
    void characterStart();
    void characterEnd();
    void towerMachine(ClipState value);
    void stackMachine(ClipState value);
    void playCharacter(std::uint32_t id);
    void closeCharacter();
    void blockSetUp();
    void pickNextTarget(bool asking);
    bool voiceFree() const;
    void showBlocks(bool on);
    // The three letters from first (wrapping past 'Z') in or out of the alphabet.
    void showLetters(char first, bool on);
    // Kept apart from the block's actor id, which is none when none of its pictures loaded.
    char blockLetter(int k) const { return letters_[k]; }
    void carryLetter(bool on);
    void showOverlay(bool on);

    CommandButton blocks_[kBlocks];
    char letters_[kBlocks] = {'A', 'B', 'C'};
    AlphabetEntry alphabet_[kLetters];
    AnimClip tower_;
    AnimClip stack_;
    AnimClip spare_;
    AnimClip characters_[kCharacterClips];
    AnimClip* current_ = nullptr;

    std::uint32_t voiceState_ = 1;
    std::uint32_t characterState_ = 1;
    std::uint32_t towerState_ = 0;
    std::uint32_t stackState_ = 0;
    std::uint32_t mode_ = firstGroup;
    std::uint8_t group_ = 0;
    std::uint8_t firstGroup_ = 0;
    char target_ = 'A';
    ShapeBank letterBank_ = 0;
    Point letterOffset_{};
    ShapeBank savedBank_ = 0;
    Point savedOffset_{};
    bool carrying_ = false;
    ShapeBank overlay_ = 0;
};
