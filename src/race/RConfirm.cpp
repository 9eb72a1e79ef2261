// The confirm screen: its buttons, the level marks read from the descriptor file where the race stored the
// levels, and the two ways out.
#include "RConfirm.h"

#include "DescriptorFile.h"
#include "OMTrinketWindow.h"
#include "PXKPictures.h"
#include "ResultsFile.h"

namespace {

constexpr std::int32_t kExitDelayMs = 4000;
constexpr std::int32_t kExitPictureZ = 100;

OMScriptableObject* makeConfirm() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    return window ? new RConfirm(window) : nullptr;
}

}  // namespace

OMSR RConfirm::classRecord{"RConfirm", makeConfirm};

RConfirm::RConfirm(OMTrinketWindow* owner) : OMTrinket(owner, kRedrawRegion), descriptor(currentDescriptorFile()) {
    confirmButton_ = makeButton(1, &RConfirm::keepPressed);
    discardButton_ = makeButton(2, &RConfirm::discardPressed);
    addLevelMarks();
}

RConfirm::~RConfirm() {
    if (exitQueue) exitQueue->halt();
}

void RConfirm::registerProperties() { addEventProperty("goToExit"); }

std::unique_ptr<OMAnimation> RConfirm::makeButton(std::int32_t parameter, void (RConfirm::*pressed)()) {
    auto button = activityPicture(descriptor ? descriptor->intParam("ConfButton", parameter) : 0, window, false);
    if (!button) return nullptr;
    button->show();
    button->setTouchy(1);
    const OMLinkToObj<RConfirm> link(this, pressed);
    replaceLink(button->mouseDownLink, &link);
    return button;
}

// One mark per skill area 1, 2, 3 ... up to the first missing one, in the column of its stored level.
void RConfirm::addLevelMarks() {
    if (!descriptor) return;
    for (std::int32_t k = 1; const SkillAreaSet* area = descriptor->findSkillAreaSet(k); ++k) {
        auto mark = loadPicture(descriptor->intParam("ConfLevelAnim", 1), descriptor->intParam("ConfLevelX", area->level),
                                descriptor->intParam("ConfSkillY", k), window, false);
        if (!mark) continue;
        mark->show();
        levelMarks_.push_front(std::move(mark));
    }
}

// The click first: a missing button leaves at once.
void RConfirm::press(OMAnimation* button, std::int32_t keep) {
    keepResults = keep;
    clickSound.play(descriptor ? descriptor->intParam("ClickSound", 1) : 0);
    OMLinkToObj<RConfirm> ended(this, &RConfirm::leave);
    playThen(button, ended);
}

void RConfirm::leave() {
    if (!keepResults) {
        if (descriptor) deleteResultsFile(descriptor->stringParam("DataFile", 1));
        return exec();
    }
    exitPicture_ = activityPicture(descriptor ? descriptor->intParam("ConfExit", 2) : 0, window, false);
    if (exitPicture_) {
        exitPicture_->show();
        exitPicture_->setZ(kExitPictureZ);
    }
    if (exitQueue) exitQueue->halt();
    exitQueue.reset();
    exitDelay = std::make_unique<DelayAction>(kExitDelayMs, 1);
    exitQueue = std::make_unique<RQueue>(1, 1);
    exitQueue->addAction(exitDelay.get());
    const OMLinkToObj<RConfirm> done(this, &RConfirm::exec);
    exitQueue->setFinishedListener(&done);
    exitQueue->start();
}
