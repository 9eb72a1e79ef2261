// The dissolve's block order.
#include "DissolveOrder.h"

std::vector<std::uint16_t> dissolveOrder() {
    constexpr std::uint16_t kSeed = 576;
    std::vector<std::uint16_t> order;
    std::uint16_t state = kSeed;
    for (;;) {
        const bool out = state & 1;
        state = static_cast<std::uint16_t>(state >> 1);
        if (out) state ^= kSeed;
        if (state == kSeed) return order;
        order.push_back(state);
    }
}
