// The racing fuel gauge: five units shown by ASEQ 13137, refilled at the start of a race and losing one
// unit for each wrong answer; the owner hears when the loss has been shown.
#pragma once

#include <memory>

#include "OMLink.h"
#include "OMTrinket.h"
#include "PXKFuelCore.h"

class OMAnimation;

class PXKFuel : public OMTrinket {
public:
    PXKFuel(const OMLink* unitLost, OMTrinketWindow* owner);
    ~PXKFuel() override;

    OMScriptableObject* clone() override { return nullptr; }
    void draw() override {}
    void tick() override;
    void onMouseUp() override;

    void fill();
    std::int32_t level() const { return core_.level(); }
    void loseUnit() { core_.loseUnit(); }
    void togglePause() { core_.togglePause(); }

private:
    std::unique_ptr<OMLink> unitLost_;
    PXKFuelCore core_;
    std::unique_ptr<OMAnimation> gauge_;
};
