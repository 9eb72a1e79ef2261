// The racing road's fixed numbers: glyph pictures, the two sign types with their segment limits, scroll
// rates and approach delays by speed, the pass-away speeds and the reward flight's sweep lines.
#pragma once

#include <cstdint>

namespace pxk {

constexpr std::int32_t kGlyphCount = 38;  // 'a'..'z', '0'..'9', '+', any other character

// 0..25 for letters (either case), 26..35 for digits, 36 for '+', 37 for anything else.
std::int32_t glyphIndex(char c);
// The ASEQ id of a glyph index.
std::int32_t glyphResource(std::int32_t glyph);

// The segments where a sign's approach ends, its right-answer run finishes and a fresh choice passes away.
struct SignLimits {
    std::int32_t lastApproach;
    std::int32_t finish;
    std::int32_t reset;
};
// Texts that start with a digit use the number type, all others the word type.
SignLimits signLimits(bool numberType);

// Speed 1..4 to scenery frames per second.
std::int32_t scrollRate(std::int32_t speed);
// The delay in sixtieths before the next approach segment (segment 1..), by speed 1..4 and sign type.
std::int32_t approachDelay(std::int32_t speed, bool numberType, std::int32_t segment);
std::int32_t passAwayDelay(std::int32_t speed);
std::int32_t glyphGap(std::int32_t segment);
std::int32_t passAwayStartSpeed(std::int32_t segment);

// Sweeps x of the point (x, y) across the line of reward step k (1..14); false leaves it untouched.
bool sweep(std::int32_t k, std::int32_t x, std::int32_t y, std::int32_t& sweptX);

struct Offset {
    std::int32_t x;
    std::int32_t y;
};
// Where the reward flyer is drawn at counter 0..15.
Offset flyerPosition(std::int32_t counter);

}  // namespace pxk
