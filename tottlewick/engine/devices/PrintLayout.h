// Page arithmetic of printing, on plain numbers: where a picture lands on the page.
#pragma once

#include <cstdint>
#include <vector>

#include "Rect.h"

// A rectangle of pixels taken as 1/72 inch, converted at dpi and scaled by a percentage, centred in page.
Rect PrintImageRect(const Rect& page, const Rect& source, int dpiX, int dpiY, int scale);

// The usable area of the page: with margins lm, tm and the printable size W x H, the right and bottom
// margins (raised to lm, tm) less the left and top ones, then W and H: (rm - lm, bm - tm, W, H).
Rect PrintPageAreaOf(int left, int top, int paperWidth, int paperHeight, int width, int height);

// The source's width scaled to the area's (16.16), centred both ways; false for an empty source.
bool PrintPlaceInArea(const Rect& area, int sourceWidth, int sourceHeight, Rect* placed);

// A run of one row whose pixels map to the same entry (0 white, 1 black) of a 256-entry map.
struct PrintRun {
    int start;
    int length;
    std::uint8_t ink;
};
// The runs of pixels that map to 0 or 1; pixels mapping elsewhere are left out.
std::vector<PrintRun> PrintMonoRuns(const std::uint8_t* row, int width, const std::uint8_t* map);
