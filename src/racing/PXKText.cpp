// The problem panel over an RText.
#include "PXKText.h"

#include "RText.h"

namespace {

constexpr std::int16_t kPanelColour = 114;
constexpr std::uint16_t kPanelFont = 31262;

}  // namespace

PXKText::PXKText(const OMRect& box, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion), panel_(std::make_unique<RText>("", nullptr, kPanelColour, box, 0, owner)) {
    panel_->setFontById(kPanelFont);
    panel_->show();
    panel_->setMovable(0);
    panel_->setTouchy(0);
    setMovable(0);
    setTouchy(0);
}

PXKText::~PXKText() = default;

void PXKText::setText(const char* text) {
    text_ = text;
    panel_->setText(text_.c_str());
}

void PXKText::showText() { panel_->show(); }
void PXKText::hideText() { panel_->hide(); }
