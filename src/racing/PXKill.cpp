// The racing game's script face, its start-up and payoff steps, and its reactions to the horn, the fuel
// gauge and the road's codes.
#include "PXKill.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "DataProperties.h"
#include "OMAnimation.h"
#include "OMSParameter.h"
#include "OMSound.h"
#include "OMTrinketWindow.h"
#include "PXKFuel.h"
#include "PXKGame.h"
#include "PXKHorn.h"
#include "PXKPictures.h"
#include "PXKText.h"

namespace {

constexpr OMRect kPanelBox{303, 334, 473, 405};
constexpr OMRect kLampColumn{592, 18, 630, 216};

OMScriptableObject* makeGame() {
    const std::int32_t raceLength = std::atoi(popParameter());
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    return window ? new PXKill(raceLength, window) : nullptr;
}

const char* bySpeed(std::int32_t speed, const char* one, const char* two, const char* faster) {
    return speed == 1 ? one : speed == 2 ? two : faster;
}

void play(RDitty& player, const char* id) { static_cast<void>(player.playResource("WAVE", id)); }

}  // namespace

OMSR PXKill::classRecord{"PXKill", makeGame};

std::string& PXKill::lastAnswer() {
    static std::string text = "empty";
    return text;
}

PXKill::PXKill(std::int32_t raceLength, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion), raceLength_(raceLength), rightNeeded_(raceLength) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const OMLinkToObj<PXKill> pressed(this, &PXKill::hornPressed), over(this, &PXKill::gameOver),
        lost(this, &PXKill::unitLost), sound(this, nullptr, &PXKill::playEffect),
        code(this, nullptr, &PXKill::roadCode);
    horn_ = std::make_unique<PXKHorn>(&pressed, &over, &sound, window);
    fuel_ = std::make_unique<PXKFuel>(&lost, window);
    road_ = std::make_unique<PXKGame>(&code, &sound, window);
    text_ = std::make_unique<PXKText>(kPanelBox, window);
    for (std::size_t i = 0; i < lamps_.size(); ++i)
        lamps_[i] = loadPicture(13288, 592, 18 + 40 * std::int32_t(i), window, true);
    sheet_ = loadPicture(13315, 0, 0, window, true);
    setBounds(kLampColumn);
    setTouchy(0);
    setMovable(0);
}

PXKill::~PXKill() {
    stopPlayers();
    OMSound::resumeOutput();
}

void PXKill::registerProperties() {
    OMTrinket::registerProperties();
    for (const char* event : {"startTS", "showTS", "dropTS", "gameOver", "showHiscores", "dropHiscores", "saveData",
                              "rewardPrizeTicket", "stateProblem", "reStateProblem", "sayNextProblem",
                              "disableBopple", "rightAnswer", "wrongAnswer"})
        addEventProperty(event);
    const std::pair<const char*, void (PXKill::*)()> verbs[] = {
        {"attractModeStart", &PXKill::nothing},   {"pause", &PXKill::pauseVerb},
        {"resume", &PXKill::resumeVerb},          {"tsToMap", &PXKill::tsToMapVerb},
        {"startGame", &PXKill::startGameVerb},    {"shutOff", &PXKill::shutOffVerb},
        {"cheatOn", &PXKill::cheatOnVerb},        {"textBox", &PXKill::textBoxVerb},
        {"playPayoff", &PXKill::playPayoffVerb},  {"startProblem", &PXKill::startProblemVerb},
        {"showRoad", &PXKill::showRoadVerb},      {"showAnswer", &PXKill::showAnswerVerb},
        {"nextProblemSign", &PXKill::nextProblemSignVerb}};
    for (const auto& [name, method] : verbs) {
        const OMLinkToObj<PXKill> link(this, method);
        addMethodProperty(name, &link);
    }
    static const DataProperty<PXKill> data[] = {{"userScore", nullptr, &PXKill::getUserScore},
                                                {"mode", nullptr, &PXKill::getMode},
                                                {"speed", &PXKill::setSpeed, nullptr},
                                                {"diffLevel", &PXKill::setDiffLevel, &PXKill::getDiffLevel},
                                                {"volume", nullptr, &PXKill::getVolume},
                                                {"pxSpeechID", nullptr, &PXKill::getSpeechId}};
    addDataProperties(this, data);
}

// Outside 1..4 the generator and the road have no tables: such values are taken as the nearest end.
void PXKill::setSpeed(OMArg text) {
    speed_ = std::clamp(integerOf(text), 1, 4);
    if (road_) road_->setSpeed(speed_);
}

void PXKill::setDiffLevel(OMArg text) { difficulty_ = std::clamp(integerOf(text), 1, 4); }

void PXKill::tick() {
    if (mode_ != 4) return;
    if (phase_ == 29 && effect_.status() == 0) {
        resetPlayers();
        // Cleared before the event: a "pause" in its handler saves phase 0, so resuming cannot give the prize again.
        phase_ = 0;
        if (!raise("rewardPrizeTicket")) return;
    }
    runPayoffStep();
}

// The spoken introduction: each step waits until its player is silent.
void PXKill::runPayoffStep() {
    switch (payoffStep_) {
    case 1:
        if (speech_.status() != 0) return;
        speech_.setVolume(50);
        play(speech_, bySpeed(speed_, "13198", "13199", "13200"));
        if (road_) road_->go();
        horn_->captureMouse();
        payoffStep_ = 2;
        break;
    case 2:
        if (speech_.status() != 0) return;
        cue_.setCache(0);
        play(cue_, "13206");
        play(speech_, bySpeed(speed_, "13201", "13202", "13203"));
        speech_.setRepeat(-2);
        payoffStep_ = 3;
        break;
    case 3:
        if (cue_.status() != 0) return;
        cue_.setCache(1);
        payoffStep_ = 0;
        nextProblem();
        break;
    case 4:
        if (speech_.status() != 0) return;
        play(speech_, bySpeed(speed_, "13201", "13202", "13203"));
        payoffStep_ = 0;
        break;
    default: break;
    }
}

void PXKill::nextProblem() {
    choiceCursor_ = 0;
    signTurns_ = 0;
    problem_ = ::nextProblem(difficulty_, lastAnswer());
    if (difficulty_ == 1) {
        paintPicture(problem_.pictureCount);
        text_->hideText();
        text_->setText(std::string(std::size_t(problem_.pictureCount + 1), '0').c_str());
    } else {
        text_->showText();
        text_->setText(problem_.text.c_str());
    }
    raise("stateProblem");
}

void PXKill::hornPressed() {
    if (mode_ != 4 || phase_ != 0 || !road_ || !road_->signInReach()) return;
    if (choiceCursor_ != problem_.answerIndex) {
        road_->wrong();
        play(cue_, "13218");
        phase_ = 2;
        return;
    }
    if (rightCount_ < std::int32_t(lamps_.size()) && lamps_[std::size_t(rightCount_)]) lamps_[std::size_t(rightCount_)]->show();
    road_->right();
    play(cue_, "13205");
    phase_ = 1;
}

void PXKill::judge() {
    phase_ = 0;
    if (choiceCursor_ == problem_.answerIndex) ++rightCount_;
    if (rightCount_ < rightNeeded_) return;
    hideLamps();
    stopPlayers();
    play(effect_, "13242");
    phase_ = 0;
    if (road_) road_->showSign(1);
}

void PXKill::gameOver() {
    if (mode_ != 4) return;
    if (road_) {
        road_->dropScenery();
        road_->hide();
    }
    resetPlayers();
    mode_ = 0;
    phase_ = 0;
    raise("gameOver");
}

void PXKill::unitLost() {
    if (mode_ == 4) raise("wrongAnswer");
}

void PXKill::playEffect(OMArg id) { play(effect_, reinterpret_cast<const char*>(id)); }

// The next choice on the sign; every tenth pass without an answer asks the script to state the problem again.
void PXKill::passChoice() {
    if (++signTurns_ == 10) {
        signTurns_ = 0;
        if (!raise("reStateProblem")) return;
    }
    choiceCursor_ = (choiceCursor_ + 1) % 5;
    if (road_) road_->showChoice(problem_.choices[std::size_t(choiceCursor_)], true);
    horn_->startBlink();
}

void PXKill::wrongAnswerPassed() {
    text_->clear();
    paintPicture(-1);
    if (fuel_->level() > 0) {
        judge();
        raise("sayNextProblem");
        return;
    }
    if (road_) road_->brake();
    speech_.stop();
    play(speech_, bySpeed(speed_, "13240", "13239", "13238"));
}

void PXKill::roadCode(OMArg text) {
    const bool racing = mode_ == 4;
    switch (std::atoi(reinterpret_cast<const char*>(text))) {
    case 0:
        if (road_) road_->showSign(0);
        break;
    case 1:
    case 8: nextProblem(); break;
    case 2:
        if (racing) horn_->stopBlink();
        break;
    case 3:
        if (racing && phase_ == 0) passChoice();
        else if (racing && phase_ == 2) wrongAnswerPassed();
        break;
    case 4:
        text_->clear();
        paintPicture(-1);
        break;
    case 5:
        judge();
        if (rightCount_ < rightNeeded_) raise("rightAnswer");
        break;
    case 6:
        fuel_->loseUnit();
        play(effect_, "13230");
        break;
    case 7:
        if (racing && road_) road_->showChoice(problem_.choices[std::size_t(problem_.answerIndex)], false);
        break;
    case 9:
        horn_->startCrash();
        effect_.stop();
        play(effect_, "13257");
        break;
    case 10:
        mode_ = 2;
        phase_ = 0;
        text_->clear();
        break;
    case 11: phase_ = 17; break;
    case 12: phase_ = 25; break;
    case 13: payoffStep_ = 4; break;
    case 14: horn_->press(); break;
    case 15: phase_ = 29; break;
    default: break;
    }
}

void PXKill::pauseVerb() {
    if (mode_ != 6) {
        savedMode_ = mode_;
        savedPhase_ = phase_;
        mode_ = 6;
        phase_ = 0;
        OMSound::pauseOutput();
    } else {
        mode_ = savedMode_;
        phase_ = savedPhase_;
        OMSound::resumeOutput();
    }
    if (road_) road_->togglePause();
    text_->togglePause();
    fuel_->togglePause();
}

void PXKill::resumeVerb() {
    mode_ = savedMode_;
    phase_ = savedPhase_;
}

void PXKill::tsToMapVerb() {
    mode_ = 2;
    phase_ = 0;
}

void PXKill::startGameVerb() {
    mode_ = 4;
    phase_ = 0;
    rightCount_ = 0;
    text_->clear();
    paintPicture(-1);
    fuel_->fill();
    if (road_) road_->start(raceLength_, speed_, false);
    hideLamps();
    speech_.setVolume(100);
    payoffStep_ = 1;
}

void PXKill::shutOffVerb() {
    OMSound::resumeOutput();
    stopPlayers();
    text_->clear();
    paintPicture(-1);
    road_.reset();
    mode_ = 0;
    phase_ = 0;
}

void PXKill::textBoxVerb() { text_->setText(popParameter()); }

void PXKill::startProblemVerb() {
    if (mode_ != 4 || !road_) return;
    road_->showChoice(problem_.choices[std::size_t(choiceCursor_)], true);
    horn_->startBlink();
    phase_ = 0;
}

void PXKill::showRoadVerb() {
    if (road_) road_->loadScenery();
}

// After shutOff there is no road: the sign verbs then do nothing.
void PXKill::showAnswerVerb() {
    if (road_) road_->showSign(2);
}

void PXKill::nextProblemSignVerb() {
    if (road_) road_->showSign(0);
}

void PXKill::hideLamps() {
    for (auto& lamp : lamps_)
        if (lamp) lamp->hide();
}

void PXKill::stopPlayers() {
    for (RDitty* player : {&speech_, &effect_, &cue_, &fourth_}) player->stop();
}

void PXKill::resetPlayers() {
    for (RDitty* player : {&speech_, &effect_, &cue_, &fourth_}) player->reset();
}
