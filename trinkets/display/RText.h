// The text trinket: one string in one font and one palette colour, centred in a box (on one line or
// word-wrapped) or hanging from an anchor point with bounds that follow the measured text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "OMLink.h"
#include "OMSR.h"
#include "OMTrinket.h"

class OMCanvas;
class OMFont;

class RText : public OMTrinket {
public:
    // Box form: the text centred in bounds, wrapped at blanks when wrap is non-zero.
    RText(const char* text, OMFont* font, std::int16_t colorIndex, OMRect box, std::int32_t wrap,
          OMTrinketWindow* owner);
    // Point form: anchor is the text's top-left corner, or its centre when centred is non-zero.
    RText(const char* text, OMFont* font, std::int16_t colorIndex, POINT anchor, std::int32_t centred,
          OMTrinketWindow* owner);
    // Gives the font back to the cache and tells the class-wide death hook.
    ~RText() override;

    // Texts are not copied.
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    // The point form's anchor follows the move that was applied.
    void offsetBy(std::int32_t& dx, std::int32_t& dy) override;
    void draw() override;

    void setText(const char* text);
    const char* getText() const { return text_.get(); }
    void setColorIndex(std::int16_t index);
    std::int16_t getColorIndex() const { return colorIndex_; }
    // Each takes a reference from the font cache and gives back the one held before.
    void setFont(OMFont* font);
    void setFontById(std::uint16_t id);
    void setFontByName(const char* name, std::int32_t size, std::int32_t style);
    OMFont* getFont() const { return font_; }
    void setWrap(std::int32_t wrap);
    // The free string scripts keep on the text.
    void setUserData(const char* data);
    std::int32_t getWrap() const { return wrap_; }
    std::int32_t getCentred() const { return centred_; }
    std::int32_t getSizedToText() const { return sizedToText_; }
    // Point form only: the bounds become the measured text at the anchor, with 5 pixels of slack at the right.
    void fitBoundsToText();

    // The class-wide hook invoked with every text being destroyed (the application's death notifier).
    static void setDeathHook(const OMLink* link);
    static OMLink* getDeathHook();

    // The class's registry record ("RText"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    RText(const char* text, OMFont* font, std::int16_t colorIndex, OMTrinketWindow* owner);
    // Replaces the held font by the cache's answer, then repaints and re-measures.
    void takeFont(OMFont* fromCache);
    void drawWrapped(OMCanvas& canvas);
    // Breaks the text into lines for the box width unless the lines kept are for this text, font and width.
    void wrapLines(OMFont& font, std::int32_t boxWidth);

    void setColorIndexText(OMArg text);
    void getColorIndexText(OMArg buffer);
    void getAscentText(OMArg buffer);
    void getDescentText(OMArg buffer);
    void getLeadingText(OMArg buffer);
    void setTextText(OMArg text) { setText(reinterpret_cast<const char*>(text)); }
    void getTextText(OMArg buffer);
    void getTextHeightText(OMArg buffer);
    void getTextWidthText(OMArg buffer);
    void setUserDataText(OMArg text) { setUserData(reinterpret_cast<const char*>(text)); }
    void getUserDataText(OMArg buffer);
    void setWrapText(OMArg text) { setWrap(integerOf(text)); }
    void getWrapText(OMArg buffer) { writeInteger(buffer, wrap_); }
    void setFontVerb();

    std::int32_t centred_;
    std::int32_t sizedToText_;
    std::int32_t wrap_ = 0;
    std::unique_ptr<char[]> text_;
    std::unique_ptr<char[]> userData_;
    OMFont* font_;
    POINT anchor_ = {0, 0};
    std::int16_t colorIndex_;

    // The wrapped lines with their widths and the line height, kept while the text, the font and the box
    // width stay: a text in a font measures the same until one of them changes, and a measure may cost a
    // device context.
    struct WrappedLine {
        std::string text;
        std::int32_t width;
    };
    std::vector<WrappedLine> lines_;
    std::int32_t lineCount_ = 0;
    std::int32_t lineHeight_ = 0;
    const OMFont* wrappedFont_ = nullptr;  // null: no lines kept
    std::int32_t wrappedWidth_ = 0;
};
