// Answers that show a graphic (child 1) and carry an attribute and a value; the plain kind can judge by
// a hot point, the text kind (RGraphicTextAnswer) shows a text over its graphic.
#pragma once

#include <cstdint>
#include <string>

#include "OMSR.h"
#include "RAnswer.h"

class OMAnimation;

class RGraphicAnswer : public RAnswer {
public:
    // The graphic of the ASEQ id at the home point; a missing resource leaves the answer without graphic.
    RGraphicAnswer(POINT home, std::int32_t z, std::int16_t graphicId, const char* attribute, std::int32_t value,
                   OMTrinketWindow* owner);

    void registerProperties() override;

    std::int32_t isUsingHotPoint = 0;
    std::string attribute;
    std::int32_t value;
    // Relative to the answer's position.
    POINT hotPoint = {0, 0};

    // The class's registry record ("RGraphicAnswer"); referring to it links the class into a program.
    static OMSR classRecord;

protected:
    // "attribute", "graphicID", "value", "playAnimation" and "stopAnimation", which both kinds have.
    void registerGraphicFace();
    OMAnimation* graphic() const;

private:
    void setAttribute(OMArg text) { attribute = reinterpret_cast<const char*>(text); }
    void getAttribute(OMArg buffer);
    // Replaces the graphic by the ASEQ of that id at the home point.
    void setGraphicId(OMArg text);
    void getNothing(OMArg) {}
    void setValue(OMArg text) { value = integerOf(text); }
    void getValue(OMArg buffer) { writeInteger(buffer, value); }
    void setHotPointX(OMArg text) { hotPoint.x = integerOf(text); }
    void getHotPointX(OMArg buffer) { writeInteger(buffer, bounds.left + hotPoint.x); }
    void setHotPointY(OMArg text) { hotPoint.y = integerOf(text); }
    void getHotPointY(OMArg buffer) { writeInteger(buffer, bounds.top + hotPoint.y); }
    void setUsingHotPoint(OMArg text) { isUsingHotPoint = integerOf(text); }
    void getUsingHotPoint(OMArg buffer) { writeInteger(buffer, isUsingHotPoint); }
    void playAnimationVerb();
    void stopAnimationVerb();
    void replacePaletteEntryVerb();
};
