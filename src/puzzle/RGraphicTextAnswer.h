// An answer that shows a text (child 2) over its graphic (child 1).
#pragma once

#include <cstdint>

#include "RGraphicAnswer.h"

class OMFont;
class RText;

// It shares the graphic, attribute and value of the plain kind but registers no hot point: containers
// judge it by its rectangle.
class RGraphicTextAnswer : public RGraphicAnswer {
public:
    // The text hangs from the middle of the answer's bounds as they are after the graphic is added.
    RGraphicTextAnswer(POINT home, std::int32_t z, std::int16_t graphicId, const char* text, const char* attribute,
                       std::int32_t value, OMTrinketWindow* owner);
    // Gives back the font reference.
    ~RGraphicTextAnswer() override;

    void registerProperties() override;
    RText* text() const;

    OMFont* font = nullptr;
    POINT textOffset = {0, 0};
    std::int16_t textColorIndex = 0;

    // The class's registry record ("RGraphicTextAnswer"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    void setTextText(OMArg text);
    void getTextText(OMArg buffer);
    void setTextColor(OMArg text);
    void getTextColor(OMArg buffer) { writeInteger(buffer, textColorIndex); }
    void setTextOffsetX(OMArg text) { moveText(integerOf(text), textOffset.y); }
    void getTextOffsetX(OMArg buffer) { writeInteger(buffer, textOffset.x); }
    void setTextOffsetY(OMArg text) { moveText(textOffset.x, integerOf(text)); }
    void getTextOffsetY(OMArg buffer) { writeInteger(buffer, textOffset.y); }
    void moveText(std::int32_t x, std::int32_t y);
    // Font id and colour, or name, size, style and colour.
    void setFontVerb();
};
