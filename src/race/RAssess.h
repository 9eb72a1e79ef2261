// "RAssess": the assessment race. A plane flies over scrolling scenery while a help character reads each
// quizlet's problem aloud and its four answers are shown in turn; the child picks the answer on show with
// the horn or the answer area. Each quizlet set gets a result from 1 to 3; at the end each skill area's
// level goes to the results file, a closing speech is spoken and "goToConfirmation" is raised.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "ActivityParts.h"
#include "OMSR.h"
#include "OMTrinket.h"
#include "RQueue.h"

class DescriptorFile;
class RCharacter;
class RHotSpot;
struct Quizlet;
struct QuizletSet;

class RAssess : public OMTrinket {
public:
    explicit RAssess(OMTrinketWindow* owner);
    ~RAssess() override;

    OMScriptableObject* clone() override { return nullptr; }
    // The events goToConfirmation and goToExit only.
    void registerProperties() override;
    // The scenery step.
    void tick() override;
    // The scenery frame, then the corners shown.
    void draw() override;

    // What tests drive and watch.
    OMAnimation* horn() const { return horn_.get(); }
    OMAnimation* exitButton() const { return exitButton_.get(); }
    RHotSpot* answerHotSpot() const { return answerHotSpot_.get(); }
    RHotSpot* problemHotSpot() const { return problemHotSpot_.get(); }
    RCharacter* helpCharacter() const { return helpCharacter_.get(); }
    RQueue* speechQueue() const { return speechQueue_.get(); }
    std::int32_t sceneryFrame() const { return sceneryFrame_; }
    std::int32_t speed() const { return speed_; }
    std::int32_t shownAnswerSlot() const { return shownAnswerSlot_; }
    std::int32_t correctAnswerSlot() const { return correctAnswerSlot_; }
    bool answerAreaEnabled() const { return answerAreaEnabled_ != 0; }

    // The class's registry record ("RAssess"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    std::int32_t param(const char* command, std::int32_t n) const;
    std::unique_ptr<OMAnimation> hiddenPicture(const char* command, std::int32_t n, std::int32_t atZ);
    std::unique_ptr<RHotSpot> hotSpot(const char* command, void (RAssess::*pressed)());
    void setInput(std::int32_t on);
    void playEffect(const char* command, std::int32_t n, OMLink* finished = nullptr);

    // Speech: a new queue replaces the current one; the old one is halted and deleted on the next tick,
    // outside any of its own notifications.
    RQueue& newSpeechQueue();
    void addSpeech(std::int16_t soundId);
    // Parameters 1, 2, 3 ... of the command up to the first 0.
    void addAllSpeech(const char* command);
    void startSpeech(void (RAssess::*finished)());
    void speakAll(const char* command, void (RAssess::*finished)());

    // The steps, in the order of the race.
    void introSpoken();
    void startSpoken();
    void engineStarted();
    // The next set from setNumber on that has a quizlet 2 (sets without one keep result 0), or null.
    QuizletSet* nextSetToAsk();
    void flyIn();
    void presentProblem();
    void dealAnswers();
    void showNextAnswer();
    void hornPressed();
    void answerAreaPressed();
    void judge();
    void rightVerdict();
    void rightShown();
    void praised();
    void wrongVerdict();
    void recordResult(bool right);
    void nextSet();
    void finish();
    void finishSounded();
    void sceneryStopped();
    void closingSpoken() { signalEvent("goToConfirmation"); }
    void helpPressed();
    void problemRepeatPressed();
    // Hides the answer on show so that it comes back after the speech (the game help or the problem).
    void prepareRepeat(bool gameHelp);
    void repeat(bool gameHelp);
    void exitPressed();
    void exitPlayed() { runScriptCommand("exitQUOMB"); }
    void planeLooped();
    OMAnimation* answerOnShow() const { return answerPictures_[std::size_t(shownAnswerSlot_)].get(); }

    DescriptorFile* descriptor;
    std::unique_ptr<RQueue> speechQueue_;
    std::vector<std::unique_ptr<RQueue>> retiredQueues_;
    std::unique_ptr<OMAnimation> exitButton_;
    std::unique_ptr<OMAnimation> rightAnswerAnim_;
    std::unique_ptr<OMAnimation> finishAnim_;
    std::array<std::unique_ptr<OMAnimation>, 4> corners_;
    std::unique_ptr<OMAnimation> scenery_;
    std::unique_ptr<OMAnimation> problemPicture_;
    std::unique_ptr<OMAnimation> horn_;
    std::unique_ptr<OMAnimation> planeArriving_;
    std::unique_ptr<OMAnimation> planeFlying_;
    std::unique_ptr<OMAnimation> planeWrong_;
    std::array<std::unique_ptr<OMAnimation>, 4> answerPictures_;
    ActivitySound effectSound_;
    // The exit button's click sounds beside the effect: taking the effect's slot would stop the finish sound
    // and drop its finish hook, and after "No" in the exit dialog the race would never end.
    ActivitySound clickSound_;
    ActivitySound hornSound_;
    ActivitySound engineSound_;
    std::unique_ptr<RHotSpot> problemHotSpot_;
    std::unique_ptr<RHotSpot> answerHotSpot_;
    std::unique_ptr<RCharacter> helpCharacter_;
    QuizletSet* currentSet_ = nullptr;
    Quizlet* currentQuizlet_ = nullptr;
    std::int32_t sceneryFrame_ = 1;
    std::int32_t sceneryX_ = 40;
    std::int32_t sceneryY_ = 0;
    std::int32_t speedMode_ = 0;
    std::int32_t speed_ = 0;
    std::int32_t helpToggle_ = 1;
    std::int32_t setNumber_ = 1;
    std::int32_t quizletNumber_ = 2;
    std::int32_t nextAnswerSlot_ = 0;
    std::int32_t shownAnswerSlot_ = 0;
    std::int32_t correctAnswerSlot_ = 0;
    std::int32_t rightSpeechIndex_ = 1;
    std::int32_t nextSceneryTime_ = 0;
    std::int32_t hornEnabled_ = 0;
    std::int32_t helpEnabled_ = 0;
    std::int32_t problemRepeatEnabled_ = 0;
    std::int32_t answerAreaEnabled_ = 0;
    std::int32_t firstProblem_ = 1;
    std::int32_t cycleDone_ = 0;
    bool introStarted_ = false;
    std::unique_ptr<OMLink> stopLink_;
};
