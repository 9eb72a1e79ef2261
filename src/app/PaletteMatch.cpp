// The program-wide match table and the nearest-colour search.
#include "PaletteMatch.h"

#include <cstdlib>

#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"

namespace {

constexpr std::int32_t kFirstOwnEntry = 10;
constexpr std::int32_t kLastOwnEntry = 245;
constexpr std::int32_t kCloseEnough = 10;

OMColorRecord matchTable[256];

}  // namespace

void captureWindowPalette() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window || !window->canvas) return;
    for (std::int32_t i = kFirstOwnEntry; i <= kLastOwnEntry; ++i) matchTable[i] = window->canvas->colorAt(i);
}

std::int32_t nearestPaletteIndex(std::int32_t red, std::int32_t green, std::int32_t blue) {
    std::int32_t best = kFirstOwnEntry;
    std::int32_t bestSum = -1;
    for (std::int32_t i = kFirstOwnEntry; i <= kLastOwnEntry; ++i) {
        const OMColorRecord& c = matchTable[i];
        const std::int32_t sum =
            std::abs((c.red >> 8) - red) + std::abs((c.green >> 8) - green) + std::abs((c.blue >> 8) - blue);
        if (sum < kCloseEnough) return i;
        if (bestSum < 0 || sum < bestSum) {
            best = i;
            bestSum = sum;
        }
    }
    return best;
}
