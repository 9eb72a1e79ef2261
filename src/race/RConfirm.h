// "RConfirm": the confirm screen after the assessment race. It marks each skill area's level on a chart
// and offers two buttons, keeping or deleting the results file; both end in the script command exec.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "ActivityParts.h"
#include "DelayAction.h"
#include "OMSR.h"
#include "OMTrinket.h"
#include "RQueue.h"

class DescriptorFile;

class RConfirm : public OMTrinket {
public:
    explicit RConfirm(OMTrinketWindow* owner);
    ~RConfirm() override;

    OMScriptableObject* clone() override { return nullptr; }
    // The event goToExit only, which nothing raises.
    void registerProperties() override;
    void draw() override {}

    OMAnimation* confirmButton() const { return confirmButton_.get(); }
    OMAnimation* discardButton() const { return discardButton_.get(); }
    OMAnimation* exitPicture() const { return exitPicture_.get(); }
    // Newest first: the mark of the highest skill area leads.
    const std::deque<std::unique_ptr<OMAnimation>>& levelMarks() const { return levelMarks_; }

    // The class's registry record ("RConfirm"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    std::unique_ptr<OMAnimation> makeButton(std::int32_t parameter, void (RConfirm::*pressed)());
    void addLevelMarks();
    void keepPressed() { press(confirmButton_.get(), 1); }
    void discardPressed() { press(discardButton_.get(), 0); }
    void press(OMAnimation* button, std::int32_t keep);
    // When the pressed button's animation ends.
    void leave();
    void exec() { runScriptCommand("exec"); }

    DescriptorFile* descriptor;
    std::int32_t keepResults = 0;
    std::unique_ptr<OMAnimation> exitPicture_;
    std::unique_ptr<OMAnimation> confirmButton_;
    std::unique_ptr<OMAnimation> discardButton_;
    // The queue is destroyed (and halted) before its delay.
    std::unique_ptr<DelayAction> exitDelay;
    std::unique_ptr<RQueue> exitQueue;
    std::deque<std::unique_ptr<OMAnimation>> levelMarks_;
    ActivitySound clickSound;
};
