// Conversions between the engine's 16-bit geometry and the system's 32-bit geometry.
#include "WinRect.h"

namespace {

std::int16_t low16(LONG value) { return static_cast<std::int16_t>(value & 0xFFFF); }

}  // namespace

void RectToWinRect(const Rect* rect, RECT* out) { *out = RECT{rect->left, rect->top, rect->right, rect->bottom}; }

void PointToWinPoint(const Point* point, POINT* out) { *out = POINT{point->h, point->v}; }

void RectFromWinRect(Rect* out, const RECT* rect) {
    *out = Rect{low16(rect->left), low16(rect->top), low16(rect->right), low16(rect->bottom)};
}

void PointFromWinPoint(Point* out, const POINT* point) { *out = Point{low16(point->x), low16(point->y)}; }
