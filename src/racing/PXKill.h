// The racing mini-game "PXKill": problems stated on a panel, their five choices passing on road signs, the
// horn to pick the right one, lamps for right answers and fuel for wrong ones, and the events a script
// answers. It owns the road, the horn, the fuel gauge and the panel, and four sound players.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "OMSR.h"
#include "OMTrinket.h"
#include "PXKProblem.h"
#include "RDitty.h"

class OMAnimation;
class PXKFuel;
class PXKGame;
class PXKHorn;
class PXKText;

class PXKill : public OMTrinket {
public:
    // race length: the right answers needed to finish.
    PXKill(std::int32_t raceLength, OMTrinketWindow* owner);
    ~PXKill() override;

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    void tick() override;
    void draw() override {}

    // The right answer of the last problem, shared by every game ("empty" at first).
    static std::string& lastAnswer();

    // The class's registry record ("PXKill"); referring to it links the class into a program.
    static OMSR classRecord;

    // The parts, for tests that drive the game as the child would.
    PXKGame* road() const { return road_.get(); }
    PXKHorn* horn() const { return horn_.get(); }
    PXKFuel* fuel() const { return fuel_.get(); }
    PXKText* panel() const { return text_.get(); }
    OMAnimation* lamp(std::size_t i) const { return lamps_[i].get(); }
    const PXKProblem& problem() const { return problem_; }
    std::int32_t choiceCursor() const { return choiceCursor_; }
    std::int32_t phase() const { return phase_; }
    // The speech, effect, cue and fourth players.
    const RDitty& player(std::size_t i) const { return *std::array<const RDitty*, 4>{&speech_, &effect_, &cue_, &fourth_}[i]; }

private:
    // Children's links.
    void hornPressed();
    void gameOver();
    void unitLost();
    void playEffect(OMArg id);
    void roadCode(OMArg code);

    void runPayoffStep();
    void nextProblem();
    void judge();
    void wrongAnswerPassed();
    void passChoice();
    // The blue sign behind the problem, with count objects of the problem's picture (none for -1).
    void paintPicture(std::int32_t count);
    void hideLamps();
    void stopPlayers();
    void resetPlayers();
    // Raises an event whose script handler may end the game: false when the game is gone afterwards.
    bool raise(const char* event) {
        const std::uint32_t me = serial();
        signalEvent(event);
        return isAlive(this, me);
    }

    // Verbs.
    void pauseVerb();
    void resumeVerb();
    void tsToMapVerb();
    void startGameVerb();
    void shutOffVerb();
    void cheatOnVerb() { rightNeeded_ = 1; }
    void textBoxVerb();
    void playPayoffVerb() { rightCount_ = 24; }
    void startProblemVerb();
    void showRoadVerb();
    void showAnswerVerb();
    void nextProblemSignVerb();
    void nothing() {}

    void getUserScore(OMArg buffer) { writeInteger(buffer, userScore_); }
    void getMode(OMArg buffer) { writeInteger(buffer, mode_); }
    void setSpeed(OMArg text);
    void setDiffLevel(OMArg text);
    void getDiffLevel(OMArg buffer) { writeInteger(buffer, difficulty_); }
    void getVolume(OMArg buffer) { writeInteger(buffer, 100); }
    void getSpeechId(OMArg buffer) { writeInteger(buffer, problem_.speechId); }

    // Destroyed after the parts.
    RDitty speech_;
    RDitty effect_;
    RDitty cue_;
    RDitty fourth_;
    std::int32_t choiceCursor_ = 0;
    PXKProblem problem_;
    std::unique_ptr<PXKHorn> horn_;
    std::unique_ptr<PXKFuel> fuel_;
    std::unique_ptr<PXKGame> road_;
    std::unique_ptr<PXKText> text_;
    std::array<std::unique_ptr<OMAnimation>, 5> lamps_;
    std::unique_ptr<OMAnimation> sheet_;
    std::int32_t mode_ = 0;  // 0 idle, 2 to the map, 4 racing, 6 paused
    std::int32_t savedMode_ = 0;
    std::int32_t phase_ = 0;  // 0 ready, 1 right, 2 wrong, 29 finish reached
    std::int32_t savedPhase_ = 0;
    std::int32_t payoffStep_ = 0;
    std::int32_t difficulty_ = 1;
    std::int32_t raceLength_;
    std::int32_t userScore_ = 0;
    std::int32_t speed_ = 1;
    std::int32_t rightCount_ = 0;
    std::int32_t signTurns_ = 0;
    std::int32_t rightNeeded_;
};
