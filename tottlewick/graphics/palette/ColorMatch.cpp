// Nearest colour by weighted distance, stopping at the first black entry as the palettes expect: the
// palettes the engine builds keep pure black out of the searched range.
#include "ColorMatch.h"

#include <cmath>
#include <cstdlib>

namespace {

int channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

}  // namespace

std::uint32_t colorNearestIndex(const std::uint32_t* colors, std::uint32_t first, std::uint32_t count,
                                std::uint32_t colour, bool exact) {
    double best = 4294967295.0;
    std::uint32_t result = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t c = colors[i];
        if (c == 0) return 0;
        const int dr = std::abs(channel(c, 0) - channel(colour, 0));
        const int dg = std::abs(channel(c, 8) - channel(colour, 8));
        const int db = std::abs(channel(c, 16) - channel(colour, 16));
        if (dr == 0 && dg == 0 && db == 0) return first + i;
        const double d = std::sqrt((0.3 * dr) * (0.3 * dr) + (0.59 * dg) * (0.59 * dg) + (0.11 * db) * (0.11 * db));
        if (d < best) {
            best = d;
            result = first + i;
        }
    }
    return exact ? 0 : result;
}
