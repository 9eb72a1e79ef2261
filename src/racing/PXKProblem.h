// The racing game's problem generator: counting problems with a picture, sums and differences up to ten,
// and five answer choices of which one is right. Numbers come from the run-time's rand() (0 to 32767).
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct PXKProblem {
    std::array<std::string, 5> choices;
    std::int32_t answerIndex = 0;
    std::string text;  // stated on the panel: the expression and "=?" (empty for counting)
    std::int32_t speechId = 0;
    // Counting only: the number of objects, the picture's sheet position (1-based) and its layout.
    std::int32_t pictureCount = 0;
    std::int32_t picture = 0;
    std::int32_t layout = 0;
};

// The first index whose running total of the percentages reaches v; the last index takes the rest.
std::int32_t weightedPick(const std::int32_t* percentages, std::int32_t count, std::int32_t v);

// One problem of the difficulty (1 counting, 2 sums, 3 differences, 4 expressions as choices).
PXKProblem makeProblem(std::int32_t difficulty);

// Problems until the right choice's text differs from lastAnswer, which then takes that text.
PXKProblem nextProblem(std::int32_t difficulty, std::string& lastAnswer);
