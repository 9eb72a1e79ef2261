// The racing game's problem panel: a text in palette colour 114 and font 31262, centred in its box.
#pragma once

#include <memory>
#include <string>

#include "OMTrinket.h"

class RText;

class PXKText : public OMTrinket {
public:
    PXKText(const OMRect& box, OMTrinketWindow* owner);
    ~PXKText() override;

    OMScriptableObject* clone() override { return nullptr; }
    void draw() override {}

    void setText(const char* text);
    void clear() { setText(""); }
    const std::string& text() const { return text_; }
    void showText();
    void hideText();
    void togglePause() { paused_ = !paused_; }

private:
    std::unique_ptr<RText> panel_;
    std::string text_;
    bool paused_ = false;
};
