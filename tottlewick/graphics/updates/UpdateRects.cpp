// Adding to an update list. Two rectangles merge when either's centre lies in the other, or when they
// share both side edges or both top and bottom edges and overlap or touch; merging moves the list's last
// entry into the freed place, so nothing is allocated and the walk goes on at the same index.
#include "UpdateRects.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Centre {
    int x;
    int y;
};

Centre centreOf(const Rect& r) { return {(r.left + r.right) >> 1, (r.top + r.bottom) >> 1}; }

bool holds(const Rect& r, Centre c) { return r.left <= c.x && c.x <= r.right && r.top <= c.y && c.y <= r.bottom; }

bool mergeable(const Rect& n, const Rect& e) {
    if (holds(e, centreOf(n)) || holds(n, centreOf(e))) return true;
    if (n.left == e.left && n.right == e.right && n.top <= e.bottom && n.bottom >= e.top) return true;
    return n.top == e.top && n.bottom == e.bottom && n.left <= e.right && n.right >= e.left;
}

// Rounded out and cut to the screen in full-width arithmetic, so that an edge near the 16-bit limit is not
// wrapped round; false when nothing remains.
bool roundInto(Rect* out, const Rect& rect, const Rect& screen) {
    const int left = std::max(rect.left & ~3, int(screen.left));
    const int top = std::max(rect.top & ~1, int(screen.top));
    const int right = std::min((rect.right + 3) & ~3, int(screen.right));
    const int bottom = std::min((rect.bottom + 1) & ~1, int(screen.bottom));
    *out = {std::int16_t(left), std::int16_t(top), std::int16_t(right), std::int16_t(bottom)};
    return left < right && top < bottom;
}

}  // namespace

std::uint16_t updateAddRect(Rect* rects, std::uint16_t count, std::uint16_t capacity, const Rect& screen,
                            const Rect& rect) {
    Rect n{};
    if (!roundInto(&n, rect, screen)) return count;
    for (std::uint16_t i = 0; i < count;) {
        if (mergeable(n, rects[i])) {
            RectUnion(&n, &n, &rects[i]);
            rects[i] = rects[--count];
        } else {
            ++i;
        }
    }
    if (count >= capacity) {
        count = 0;
        n = screen;
    }
    rects[count] = n;
    return count + 1;
}
