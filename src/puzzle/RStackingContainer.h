// A container whose answers stack upward from its bottom edge; solved when the "value" properties of its
// answers add up to its target.
#pragma once

#include <cstdint>

#include "OMSR.h"
#include "RContainer.h"

class RStackingContainer : public RContainer {
public:
    // Graphic form: the ASEQ of id at (x, y) (11111, 11111: its own placement).
    RStackingContainer(std::int16_t id, std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t value,
                       std::int32_t solvedAnswerCount, OMTrinketWindow* owner);
    // Box form.
    RStackingContainer(const OMRect& box, std::int32_t z, std::int32_t value, std::int32_t solvedAnswerCount,
                       OMTrinketWindow* owner);

    void registerProperties() override;
    // Centred on the stack top, which moves up by the answer's effective height.
    void acceptAnswer(RAnswer* answer) override;
    // Accepts while enabled, when the answer's region meets the bounds and its effective height still fits.
    std::int32_t hitScore(RAnswer* answer, std::int32_t& score) override;
    // 1 once the placed answers' effective heights reach the height of the bounds.
    std::int32_t isFull() override;
    std::int32_t isSolved() override;
    // The answers above the removed one move down by its effective height.
    void removeAnswer(RAnswer* answer) override;
    // The stack top moves with the container.
    void offsetBy(std::int32_t& dx, std::int32_t& dy) override;

    std::int32_t stackTop;
    std::int32_t solvedAnswerCount;
    std::int32_t value;
    std::uint16_t droppedSound = 0xFFFF;

    // The class's registry record ("RStackingContainer"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    std::int32_t stackedHeight() const;
    std::int32_t answerValue() const;
    void getAnswerValue(OMArg buffer) { writeInteger(buffer, answerValue()); }
    void setDroppedSound(OMArg text) { droppedSound = static_cast<std::uint16_t>(integerOf(text)); }
    void getDroppedSound(OMArg buffer) { writeInteger(buffer, droppedSound); }
    void setSolvedCount(OMArg text) { solvedAnswerCount = integerOf(text); }
    void getSolvedCount(OMArg buffer) { writeInteger(buffer, solvedAnswerCount); }
    void setValue(OMArg text) { value = integerOf(text); }
    void getValue(OMArg buffer) { writeInteger(buffer, value); }
};
