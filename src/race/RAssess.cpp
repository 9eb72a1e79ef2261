// The assessment race: construction, the scenery step, speech, the problem and answer cycle, judging,
// results, the finish and the repeats. Each step sets up the next as a link and returns.
#include "RAssess.h"

#include "AssessmentResults.h"
#include "CharacterSpeechAction.h"
#include "DelayAction.h"
#include "DescriptorFile.h"
#include "OMSParameter.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"
#include "RCharacter.h"
#include "RHotSpot.h"
#include "RandStep.h"

namespace {

constexpr OMRect kRaceBounds{40, 0, 570, 272};
constexpr std::int32_t kSceneryFrames = 16;
constexpr std::int32_t kTopSpeed = 30;
constexpr std::int32_t kStartSpeed = 6;
constexpr std::int32_t kStopBelow = 5;
constexpr std::int32_t kProblemPauseMs = 2000;

OMScriptableObject* makeRace() {
    popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    return window ? new RAssess(window) : nullptr;
}

}  // namespace

OMSR RAssess::classRecord{"RAssess", makeRace};

RAssess::RAssess(OMTrinketWindow* owner) : OMTrinket(owner, kRedrawRegion), descriptor(currentDescriptorFile()) {
    exitButton_ = activityPicture(param("ExitButton", 1), window, false);
    if (exitButton_) {
        exitButton_->show();
        exitButton_->setTouchy(1);
        const OMLinkToObj<RAssess> pressed(this, &RAssess::exitPressed);
        replaceLink(exitButton_->mouseDownLink, &pressed);
    }
    finishAnim_ = hiddenPicture("Finish", 1, 101);
    scenery_ = hiddenPicture("Scenery", 1, 0);
    rightAnswerAnim_ = hiddenPicture("RightAnswer", 1, 160);
    for (std::size_t i = 0; i < corners_.size(); ++i) corners_[i] = hiddenPicture("Corners", std::int32_t(i) + 1, 180);
    planeArriving_ = hiddenPicture("PlaneAnims", 1, 120);
    planeFlying_ = hiddenPicture("PlaneAnims", 3, 120);
    planeWrong_ = hiddenPicture("PlaneAnims", 4, 120);
    setBounds(kRaceBounds);
    corralRect = kRaceBounds;
    setTouchy(0);
    setMovable(0);
    sendToBack();
    helpCharacter_ = std::make_unique<RCharacter>(static_cast<std::int16_t>(param("HelpChar", 1)), OMAnimation::kAtPlacement,
                                                  OMAnimation::kAtPlacement, 200, window);
    helpCharacter_->setMovable(0);
    helpCharacter_->show();
    helpCharacter_->addSpeechAnim(static_cast<std::int16_t>(param("HelpChar", 2)));
    horn_ = activityPicture(param("Horn", 1), window, false);
    if (horn_) {
        horn_->show();
        horn_->setTouchy(1);
        const OMLinkToObj<RAssess> pressed(this, &RAssess::hornPressed);
        replaceLink(horn_->mouseDownLink, &pressed);
    }
    answerHotSpot_ = hotSpot("AnswerHS", &RAssess::answerAreaPressed);
    answerHotSpot_->setZ(141);
    problemHotSpot_ = hotSpot("ProblemHS", &RAssess::problemRepeatPressed);
    newSpeechQueue();
    addAllSpeech("IntroSpeech");
    invalidateAll();
    setTouchy(1);
    invalidateAll();
    show();
}

RAssess::~RAssess() {
    if (speechQueue_) speechQueue_->halt();
    speechQueue_.reset();
    retiredQueues_.clear();
}

void RAssess::registerProperties() {
    addEventProperty("goToConfirmation");
    addEventProperty("goToExit");
}

std::int32_t RAssess::param(const char* command, std::int32_t n) const {
    return descriptor ? descriptor->intParam(command, n) : 0;
}

std::unique_ptr<OMAnimation> RAssess::hiddenPicture(const char* command, std::int32_t n, std::int32_t atZ) {
    auto picture = activityPicture(param(command, n), window, true);
    if (picture && atZ != 0) picture->setZ(atZ);
    return picture;
}

std::unique_ptr<RHotSpot> RAssess::hotSpot(const char* command, void (RAssess::*pressed)()) {
    auto spot = std::make_unique<RHotSpot>(POINT{param(command, 1), param(command, 2)},
                                           POINT{param(command, 3), param(command, 4)}, 0, window);
    spot->setTouchy(1);
    spot->setMovable(0);
    const OMLinkToObj<RAssess> link(this, pressed);
    replaceLink(spot->mouseDownLink, &link);
    return spot;
}

void RAssess::setInput(std::int32_t on) { hornEnabled_ = helpEnabled_ = problemRepeatEnabled_ = answerAreaEnabled_ = on; }

void RAssess::playEffect(const char* command, std::int32_t n, OMLink* finished) {
    effectSound_.play(param(command, n), finished);
}

// The introduction starts on the first tick, not in the constructor: a race whose every step runs at once
// would otherwise raise goToConfirmation before its creator could bind it. Without pictures or speeches the
// whole race may run inside its start, and the handler may drop it: nothing follows the start.
// Scenery step: 60 / speed sixtieths a frame; speeding up or slowing down by one at every odd frame.
void RAssess::tick() {
    retiredQueues_.clear();
    if (!introStarted_) {
        introStarted_ = true;
        return startSpeech(&RAssess::introSpoken);
    }
    if (!scenery_ || speed_ == 0) return;
    const auto now = static_cast<std::int32_t>(ticks60());
    if (now - nextSceneryTime_ < 0) return;
    sceneryFrame_ = sceneryFrame_ % kSceneryFrames + 1;
    invalidate();
    const bool odd = sceneryFrame_ % 2 == 1;
    if (speedMode_ == 1 && speed_ != kTopSpeed && odd) ++speed_;
    if (speedMode_ == 2 && odd) {
        if (speed_ < kStopBelow) {
            speed_ = 0;
            speedMode_ = 0;
            // The stop may end the race, whose handler may drop it: nothing of the race follows the call.
            if (stopLink_) stopLink_->invoke();
            return;
        }
        --speed_;
    }
    if (speed_ != 0) nextSceneryTime_ = now + 60 / speed_;
}

void RAssess::draw() {
    if (scenery_) scenery_->drawPositionInto(sceneryFrame_, sceneryX_, sceneryY_, *window->offscreen, bounds);
    for (auto& corner : corners_) showPicture(corner.get());
}

RQueue& RAssess::newSpeechQueue() {
    if (speechQueue_) {
        speechQueue_->halt();
        retiredQueues_.push_back(std::move(speechQueue_));
    }
    speechQueue_ = std::make_unique<RQueue>(1, 1);
    return *speechQueue_;
}

void RAssess::addSpeech(std::int16_t soundId) {
    speechQueue_->addAction(new CharacterSpeechAction(helpCharacter_.get(), soundId, 1), 1);
}

void RAssess::addAllSpeech(const char* command) {
    for (std::int32_t n = 1, id = param(command, 1); id != 0; id = param(command, ++n))
        addSpeech(static_cast<std::int16_t>(id));
}

void RAssess::startSpeech(void (RAssess::*finished)()) {
    const OMLinkToObj<RAssess> link(this, finished);
    speechQueue_->setFinishedListener(&link);
    speechQueue_->start();
}

void RAssess::speakAll(const char* command, void (RAssess::*finished)()) {
    newSpeechQueue();
    addAllSpeech(command);
    startSpeech(finished);
}

void RAssess::introSpoken() { speakAll("GameStartSpeech", &RAssess::startSpoken); }

void RAssess::startSpoken() {
    speed_ = kStartSpeed;
    nextSceneryTime_ = static_cast<std::int32_t>(ticks60()) + 60 / kStartSpeed;
    speedMode_ = 1;
    OMLinkToObj<RAssess> started(this, &RAssess::engineStarted);
    engineSound_.play(param("EngineSnds", 3), &started);
}

void RAssess::engineStarted() {
    engineSound_.play(param("EngineSnds", 1), nullptr, -1, 50);
    const OMLinkToObj<RAssess> help(this, &RAssess::helpPressed);
    replaceLink(helpCharacter_->mouseDownLink, &help);
    helpEnabled_ = 0;
    firstProblem_ = 1;
    currentSet_ = nextSetToAsk();
    if (!currentSet_) return finish();
    flyIn();
    playEffect("PlaneAnims", 2);
}

QuizletSet* RAssess::nextSetToAsk() {
    if (!descriptor) return nullptr;
    QuizletSet* set = descriptor->findQuizletSet(setNumber_);
    for (; set && !set->quizletByNumber(2); set = descriptor->findQuizletSet(++setNumber_)) {
    }
    return set;
}

void RAssess::flyIn() {
    showPicture(planeArriving_.get());
    OMLinkToObj<RAssess> arrived(this, &RAssess::presentProblem);
    playThen(planeArriving_.get(), arrived);
}

void RAssess::presentProblem() {
    hidePicture(planeArriving_.get());
    showPicture(planeFlying_.get());
    planeLooped();
    nextAnswerSlot_ = 0;
    cycleDone_ = 0;
    currentQuizlet_ = currentSet_->quizletByNumber(quizletNumber_);
    problemPicture_ = activityPicture(currentQuizlet_->problemPicture, window, false);
    showPicture(problemPicture_.get());
    dealAnswers();
    newSpeechQueue();
    addSpeech(currentQuizlet_->problemSound);
    speechQueue_->addAction(new DelayAction(kProblemPauseMs, 1), 1);
    startSpeech(&RAssess::showNextAnswer);
}

// The flying plane plays again at its end for as long as the problem lasts; a missing one does not loop.
void RAssess::planeLooped() {
    if (!planeFlying_) return;
    OMLinkToObj<RAssess> again(this, &RAssess::planeLooped);
    playThen(planeFlying_.get(), again);
}

// Slot i gets answer picture k of a draw without repetition; the slot of picture 1 holds the right answer.
void RAssess::dealAnswers() {
    RandStep deal(1, 4);
    for (std::size_t slot = 0; slot < answerPictures_.size(); ++slot) {
        const std::int32_t k = deal.next();
        answerPictures_[slot] = activityPicture(currentQuizlet_->answerPictures[k - 1], window, true);
        if (k == 1) correctAnswerSlot_ = std::int32_t(slot);
    }
}

// Each answer stays for the quizlet's time; when the cycle comes back to slot 0 the problem (or, on the
// first problem, the game help) is spoken again first.
void RAssess::showNextAnswer() {
    setInput(1);
    hidePicture(answerOnShow());
    playEffect("ChangeSound", 1);
    if (OMAnimation* next = answerPictures_[std::size_t(nextAnswerSlot_)].get()) {
        next->setZ(140);
        next->show();
    }
    shownAnswerSlot_ = nextAnswerSlot_;
    if (nextAnswerSlot_ == 3) {
        nextAnswerSlot_ = 0;
        cycleDone_ = 1;
    } else {
        ++nextAnswerSlot_;
    }
    auto* delay = new DelayAction(currentQuizlet_->time * 1000, 1);
    newSpeechQueue();
    if (shownAnswerSlot_ == 0 && cycleDone_) {
        cycleDone_ = 0;
        prepareRepeat(firstProblem_ != 0);
    }
    speechQueue_->addAction(delay, 1);
    startSpeech(&RAssess::showNextAnswer);
}

void RAssess::hornPressed() {
    if (hornEnabled_) judge();
}

void RAssess::answerAreaPressed() {
    if (answerAreaEnabled_) judge();
}

void RAssess::judge() {
    setInput(0);
    if (speechQueue_) speechQueue_->halt();
    hornSound_.play(param("Horn", 1));
    OMLinkToObj<RAssess> verdict(this, shownAnswerSlot_ == correctAnswerSlot_ ? &RAssess::rightVerdict
                                                                              : &RAssess::wrongVerdict);
    playThen(horn_.get(), verdict);
}

void RAssess::rightVerdict() {
    hidePicture(answerOnShow());
    hidePicture(planeFlying_.get());
    showPicture(rightAnswerAnim_.get());
    playEffect("RightAnswer", 2);
    // Without the picture the race goes on at once, maybe to its end, whose handler may drop it.
    OMLinkToObj<RAssess> shown(this, &RAssess::rightShown);
    playThen(rightAnswerAnim_.get(), shown);
}

// The praise list runs from parameter 1 to its 0 and starts again; after a restart the next right answer
// goes on with parameter 2.
void RAssess::rightShown() {
    hidePicture(rightAnswerAnim_.get());
    hidePicture(problemPicture_.get());
    std::int32_t id = param("RightAnswerSpch", rightSpeechIndex_);
    if (id == 0) {
        rightSpeechIndex_ = 1;
        id = param("RightAnswerSpch", 1);
    }
    ++rightSpeechIndex_;
    newSpeechQueue();
    addSpeech(static_cast<std::int16_t>(id));
    startSpeech(&RAssess::praised);
}

void RAssess::praised() {
    hidePicture(rightAnswerAnim_.get());
    recordResult(true);
    nextSet();
}

void RAssess::wrongVerdict() {
    effectSound_.reset();
    hidePicture(problemPicture_.get());
    hidePicture(answerOnShow());
    hidePicture(planeFlying_.get());
    showPicture(planeWrong_.get());
    recordResult(false);
    OMLinkToObj<RAssess> next(this, &RAssess::nextSet);
    playThen(planeWrong_.get(), next);
}

// Every set starts with quizlet 2; only a right answer to it asks quizlet 3 when the set has one.
void RAssess::recordResult(bool right) {
    if (right && quizletNumber_ == 2 && currentSet_->quizletByNumber(3)) {
        quizletNumber_ = 3;
        return;
    }
    currentSet_->result = quizletNumber_ == 2 ? (right ? 2 : 1) : (right ? 3 : 2);
    ++setNumber_;
    quizletNumber_ = 2;
}

void RAssess::nextSet() {
    firstProblem_ = 0;
    currentSet_ = nextSetToAsk();
    hidePicture(planeWrong_.get());
    if (!currentSet_) return finish();
    flyIn();
}

void RAssess::finish() {
    OMLinkToObj<RAssess> sounded(this, &RAssess::finishSounded);
    playEffect("FinishSound", 1, &sounded);
}

// Without scenery nothing slows down: the stop comes at once.
void RAssess::finishSounded() {
    hidePicture(planeFlying_.get());
    setInput(0);
    speedMode_ = 2;
    engineSound_.play(param("EngineSnds", 2));
    stopLink_ = std::make_unique<OMLinkToObj<RAssess>>(this, &RAssess::sceneryStopped);
    if (!scenery_ || speed_ == 0) sceneryStopped();
}

void RAssess::sceneryStopped() {
    if (finishAnim_) {
        finishAnim_->show();
        finishAnim_->rewind();
        finishAnim_->restart();
    }
    if (descriptor) writeAssessmentResults(*descriptor);
    speakAll("FinishSpch", &RAssess::closingSpoken);
}

// On the first problem the help alternates between the game help and the problem.
void RAssess::helpPressed() {
    if (!helpEnabled_) return;
    bool gameHelp = false;
    if (firstProblem_) {
        gameHelp = helpToggle_ == 1;
        helpToggle_ = gameHelp ? 2 : 1;
    }
    repeat(gameHelp);
}

void RAssess::problemRepeatPressed() {
    if (problemRepeatEnabled_) repeat(false);
}

void RAssess::prepareRepeat(bool gameHelp) {
    setInput(0);
    hidePicture(answerOnShow());
    nextAnswerSlot_ = shownAnswerSlot_;
    if (gameHelp) addAllSpeech("GameHelpSpeech");
    else addSpeech(currentQuizlet_->problemSound);
}

void RAssess::repeat(bool gameHelp) {
    newSpeechQueue();
    prepareRepeat(gameHelp);
    startSpeech(&RAssess::showNextAnswer);
}

void RAssess::exitPressed() {
    OMLinkToObj<RAssess> played(this, &RAssess::exitPlayed);
    playThen(exitButton_.get(), played);
    clickSound_.play(param("ClickSound", 1));
}
