// The scene background: a picture canvas of the window's size that the scene commands draw into, copied
// under the trinkets; stamps are kept by the base.
#pragma once

#include <memory>

#include "OMMemCanvas.h"
#include "OMTBackground.h"

class AOBackground : public OMTBackground {
public:
    explicit AOBackground(OMMemCanvas* picture) : picture_(picture) {}

    OMCanvas* canvas() override { return picture_.get(); }
    OMMemCanvas& picture() { return *picture_; }
    // Copies the picture under `area` into target.
    std::int32_t draw(OMCanvas* target, const OMRegion* area, OMRect* changed) override;
    void setColorTable(const OMColorRecord* table) override { picture_->setColorTable(table); }

private:
    std::unique_ptr<OMMemCanvas> picture_;
};
