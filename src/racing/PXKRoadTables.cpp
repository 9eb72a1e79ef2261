// The racing road's tables, each looked up through a function that keeps its index inside the table.
#include "PXKRoadTables.h"

#include <algorithm>

namespace pxk {
namespace {

constexpr std::int32_t kWordDelays[4][17] = {
    {60, 54, 46, 40, 32, 26, 22, 20, 18, 16, 15, 14, 13, 10, 10, 10, 10},
    {60, 54, 46, 40, 32, 26, 20, 18, 16, 14, 12, 10, 8, 8, 8, 8, 8},
    {30, 27, 23, 20, 16, 13, 10, 9, 8, 7, 6, 5, 4, 8, 8, 8, 8},
    {22, 20, 17, 14, 12, 9, 7, 6, 5, 4, 3, 3, 3, 8, 8, 8, 8}};
constexpr std::int32_t kNumberDelays[4][22] = {
    {60, 54, 46, 40, 32, 26, 22, 20, 18, 16, 15, 14, 13, 12, 12, 12, 12, 12, 24, 24, 24, 24},
    {60, 54, 46, 40, 32, 26, 20, 18, 16, 14, 12, 10, 9, 8, 8, 8, 8, 8, 16, 16, 16, 16},
    {30, 27, 23, 20, 16, 13, 10, 9, 8, 7, 6, 5, 4, 4, 4, 4, 4, 4, 8, 8, 8, 8},
    {22, 20, 17, 14, 12, 9, 7, 6, 5, 4, 3, 3, 3, 3, 3, 3, 3, 3, 8, 8, 8, 8}};

// Sweep lines (x0, y0) to (x1, y1) of reward steps 1..14.
constexpr std::int32_t kSweepLines[14][4] = {
    {432, 276, 586, 246}, {379, 276, 586, 189}, {353, 276, 558, 132}, {340, 276, 506, 82},
    {327, 276, 444, 41},  {321, 276, 381, 19},  {311, 276, 317, 14},  {256, 2, 305, 276},
    {195, 2, 300, 276},   {116, 2, 293, 276},   {54, 40, 282, 276},   {55, 128, 264, 276},
    {55, 198, 232, 276},  {55, 252, 248, 276}};

constexpr Offset kFlyerOffsets[16] = {
    {0, 0},       {0, 0},       {-52, -56},   {-77, -115},  {-91, -164},  {-103, -203}, {-109, -226}, {-120, -232},
    {-171, -227}, {-224, -211}, {-274, -185}, {-318, -149}, {-354, -106}, {-377, -55},  {-377, 0},    {-377, 0}};

std::size_t speedRow(std::int32_t speed) { return std::size_t(std::clamp(speed, 1, 4) - 1); }

}  // namespace

std::int32_t glyphIndex(char c) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= '0' && c <= '9') return 26 + (c - '0');
    return c == '+' ? 36 : 37;
}

std::int32_t glyphResource(std::int32_t glyph) {
    if (glyph < 26) return 6580 + glyph;
    if (glyph < 36) return 6550 + glyph - 26;
    return glyph == 36 ? 6704 : 6707;
}

SignLimits signLimits(bool numberType) { return numberType ? SignLimits{19, 22, 23} : SignLimits{14, 17, 18}; }

std::int32_t scrollRate(std::int32_t speed) {
    static const std::int32_t rates[4] = {15, 20, 30, 60};
    return rates[speedRow(speed)];
}

std::int32_t approachDelay(std::int32_t speed, bool numberType, std::int32_t segment) {
    const std::size_t row = speedRow(speed);
    if (numberType) return kNumberDelays[row][std::clamp(segment, 1, 22) - 1];
    return kWordDelays[row][std::clamp(segment, 1, 17) - 1];
}

std::int32_t passAwayDelay(std::int32_t speed) { return approachDelay(speed, false, 14); }

std::int32_t glyphGap(std::int32_t segment) { return segment == 0 ? 0 : 1; }

std::int32_t passAwayStartSpeed(std::int32_t segment) { return segment <= 8 ? 1 : segment - 7; }

bool sweep(std::int32_t k, std::int32_t x, std::int32_t y, std::int32_t& sweptX) {
    if (k < 1 || k > 14) return false;
    const std::int32_t* line = kSweepLines[k - 1];
    const std::int32_t x0 = line[0], y0 = line[1];
    const double slope = double(line[2] - x0) / double(line[3] - y0);
    const std::int32_t d = y == y0 ? 1 : y - y0;
    const double q = double(x - x0) / double(d);
    if (x < x0 || (k < 8 && q > slope) || (k >= 8 && q < slope)) return false;
    sweptX = x0 + std::int32_t(double(y - y0) * slope);
    return true;
}

Offset flyerPosition(std::int32_t counter) {
    const Offset offset = kFlyerOffsets[std::clamp(counter, 0, 15)];
    return {430 + offset.x, 245 + offset.y};
}

}  // namespace pxk
