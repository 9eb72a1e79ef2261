// Copying an SMF frame into pixels, row by row.
#include "SmfFrameCopy.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

void SmfCopyFrame(const SmfFrameTarget& frame, Point at, const Rect& rect, Point shift, const SmfPixelView& view) {
    // The rectangle in the view's pixels, cut to the view's area and to the frame.
    const int left = std::max({rect.left + shift.h, int(view.area.left), at.h + shift.h});
    const int right = std::min({rect.right + shift.h, int(view.area.right), at.h + shift.h + frame.width});
    const int top = std::max({rect.top + shift.v, int(view.area.top), at.v + shift.v});
    const int bottom = std::min({rect.bottom + shift.v, int(view.area.bottom), at.v + shift.v + frame.height});
    if (!frame.pixels || left >= right) return;
    const int frameX = left - shift.h - at.h;
    for (int y = top; y < bottom; ++y) {
        const int frameY = y - shift.v - at.v;
        std::memcpy(view.base + std::ptrdiff_t(y) * view.step + left,
                    frame.pixels + std::size_t(frameY) * frame.width + frameX, std::size_t(right - left));
    }
}
