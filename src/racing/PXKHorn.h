// The racing horn: the child presses it with the mouse, Space or Enter; it blinks while a sign is in
// reach and plays the crash sequence when the fuel is out. The owner hears through three links.
#pragma once

#include <memory>

#include "OMLink.h"
#include "OMTrinket.h"
#include "PXKHornCore.h"

class OMAnimation;

class PXKHorn : public OMTrinket {
public:
    // sound is invoked with a resource id text.
    PXKHorn(const OMLink* pressed, const OMLink* outOfFuel, const OMLink* sound, OMTrinketWindow* owner);
    ~PXKHorn() override;

    OMScriptableObject* clone() override { return nullptr; }
    void draw() override {}
    void tick() override;
    void onMouseDown() override { press(); }
    void onDblClick() override { press(); }
    void onKey() override;

    void press();
    void startBlink();
    void stopBlink() { core_.stopBlink(); }
    void startCrash();

private:
    void showState();

    std::unique_ptr<OMLink> pressed_;
    std::unique_ptr<OMLink> outOfFuel_;
    std::unique_ptr<OMLink> sound_;
    PXKHornCore core_;
    std::unique_ptr<OMAnimation> horn_;
    std::unique_ptr<OMAnimation> crash_;
};
