// A container that holds one answer and is solved when that answer's "attribute" equals its own; it
// judges by overlap, by the answer's hot point or by its graphic's pixels, and can pull the answer to an
// anchor point.
#pragma once

#include <cstdint>
#include <string>

#include "OMSR.h"
#include "RContainer.h"

class RAttributeContainer : public RContainer {
public:
    // Graphic form: the ASEQ of id at (x, y) (11111, 11111: its own placement).
    RAttributeContainer(std::int16_t id, std::int32_t x, std::int32_t y, std::int32_t z, const char* attribute,
                        OMTrinketWindow* owner);
    // Box form.
    RAttributeContainer(const OMRect& box, std::int32_t z, const char* attribute, OMTrinketWindow* owner);
    ~RAttributeContainer() override;

    void registerProperties() override;
    // Centred in the bounds or at the anchor point (hot point first when the answer uses one), one z above
    // the container, and anchored when locking and solved.
    void acceptAnswer(RAnswer* answer) override;
    std::int32_t hitScore(RAnswer* answer, std::int32_t& score) override;
    std::int32_t isFull() override { return answers.count == 1 ? 1 : 0; }
    std::int32_t isSolved() override;

    std::int32_t anchorAnswerAtPoint = 0;
    std::int32_t doPixelCompare = 0;
    std::string attribute;
    POINT anchorPoint = {0, 0};

    // The class's registry record ("RAttributeContainer"); referring to it links the class into a program.
    static OMSR classRecord;
    // The attribute containers' own dispatch depth and destroyed list, kept while locking after a placing.
    static std::int32_t ownDispatchDepth;
    static OMList<RAttributeContainer>& ownDestroyed();

private:
    // The hot point as the answer reports it, in window coordinates (missing: 0, 0).
    static POINT hotPointOf(RAnswer& answer);
    bool hasAttributeOf(RAnswer& answer) const;

    void setAnchorAtPoint(OMArg text) { anchorAnswerAtPoint = integerOf(text); }
    void getAnchorAtPoint(OMArg buffer) { writeInteger(buffer, anchorAnswerAtPoint); }
    void setAnchorX(OMArg text) { anchorPoint.x = integerOf(text); }
    void getAnchorX(OMArg buffer) { writeInteger(buffer, anchorPoint.x); }
    void setAnchorY(OMArg text) { anchorPoint.y = integerOf(text); }
    void getAnchorY(OMArg buffer) { writeInteger(buffer, anchorPoint.y); }
    // The argument of the get names the property of the one placed answer.
    void getAnswerProperty(OMArg buffer);
    void setAttribute(OMArg text) { attribute = reinterpret_cast<const char*>(text); }
    void getAttribute(OMArg buffer);
    void setPixelCompare(OMArg text) { doPixelCompare = integerOf(text); }
    void getPixelCompare(OMArg buffer) { writeInteger(buffer, doPixelCompare); }
    void replacePaletteEntryVerb();
};
