// Page arithmetic of printing.
#include "PrintLayout.h"

#include <algorithm>

namespace {

constexpr int kPointsPerInch = 72;

int rounded(std::int64_t value, int divisor) {
    return static_cast<int>((value + divisor / 2) / divisor);
}

std::int16_t s16(std::int64_t value) {
    return static_cast<std::int16_t>(value);
}

}  // namespace

Rect PrintImageRect(const Rect& page, const Rect& source, int dpiX, int dpiY, int scale) {
    const int width = rounded(std::int64_t{rounded(std::int64_t{RectWidth(&source)} * dpiX, kPointsPerInch)} * scale, 100);
    const int height =
        rounded(std::int64_t{rounded(std::int64_t{RectHeight(&source)} * dpiY, kPointsPerInch)} * scale, 100);
    Rect placed{0, 0, s16(width), s16(height)};
    RectAlign(&page, &placed, kAlignCenterH | kAlignCenterV);
    return placed;
}

Rect PrintPageAreaOf(int left, int top, int paperWidth, int paperHeight, int width, int height) {
    const int right = std::max(paperWidth - (width + left), left);
    const int bottom = std::max(paperHeight - (height + top), top);
    return Rect{s16(right - left), s16(bottom - top), s16(width), s16(height)};
}

bool PrintPlaceInArea(const Rect& area, int sourceWidth, int sourceHeight, Rect* placed) {
    if (sourceWidth <= 0 || sourceHeight <= 0) return false;
    const std::int64_t scale = (std::int64_t{RectWidth(&area)} << 16) / sourceWidth;
    *placed = Rect{0, 0, s16((sourceWidth * scale) >> 16), s16((sourceHeight * scale) >> 16)};
    RectAlign(&area, placed, kAlignCenterH | kAlignCenterV);
    return true;
}

std::vector<PrintRun> PrintMonoRuns(const std::uint8_t* row, int width, const std::uint8_t* map) {
    std::vector<PrintRun> runs;
    for (int x = 0; x < width;) {
        const std::uint8_t ink = map[row[x]];
        int end = x + 1;
        while (end < width && map[row[end]] == ink) ++end;
        if (ink <= 1) runs.push_back({x, end - x, ink});
        x = end;
    }
    return runs;
}
