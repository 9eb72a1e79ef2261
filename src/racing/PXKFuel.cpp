// The fuel gauge's picture follows its core on every tick.
#include "PXKFuel.h"

#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"
#include "PXKPictures.h"

PXKFuel::PXKFuel(const OMLink* unitLost, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion),
      unitLost_(unitLost ? unitLost->clone() : nullptr),
      core_([this] {
          if (unitLost_) unitLost_->invoke();
      }),
      gauge_(loadPicture(13137, 125, 304, window, false)) {
    setMovable(0);
    if (gauge_) {
        gauge_->pause();
        setBounds(gauge_->getBounds());
    }
}

PXKFuel::~PXKFuel() = default;

void PXKFuel::fill() { core_.fill(ticks60()); }

void PXKFuel::tick() {
    if (core_.tick(ticks60())) showPosition(gauge_.get(), core_.position());
}

void PXKFuel::onMouseUp() {
    const POINT point = currentMessagePoint();
    core_.adjust(point.y > (bounds.top + bounds.bottom) / 2);
    showPosition(gauge_.get(), core_.position());
}
