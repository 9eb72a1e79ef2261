// Pictures with every block kind, palettes of distinct entries and deterministic noise samples.
#include "SmackMovies.h"

namespace {

std::uint32_t state = 1;
std::uint32_t noise() {
    state = state * 1103515245u + 12345u;
    return state >> 16;
}

std::vector<SmackerColor> palette(std::uint8_t shift) {
    std::vector<SmackerColor> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[i] = SmackerColor{std::uint8_t((i + shift) & 63), std::uint8_t((i / 4 + shift) & 63),
                                  std::uint8_t((255 - i) & 63)};
    return colours;
}

SmackerFrame picture(std::uint32_t width, std::uint32_t height) {
    SmackerFrame frame;
    frame.pixels.resize(std::size_t(width) * height);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) frame.pixels[y * width + x] = std::uint8_t(x + y + noise() % 3);
    return frame;
}

void fill(SmackerFrame& frame, std::uint32_t width, int left, int top, int right, int bottom, std::uint8_t index) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) frame.pixels[std::size_t(y) * width + std::size_t(x)] = index;
}

}  // namespace

SmackerMovie smallMovie() {
    state = 1;
    SmackerMovie movie{32, 32, 10000, 0, {picture(32, 32), picture(32, 32)}};
    movie.frames[0].palette = palette(0);
    return movie;
}

SmackerMovie blockMovie() {
    state = 2;
    SmackerMovie movie{64, 48, 6666, 0, {}};
    SmackerFrame first = picture(64, 48);
    fill(first, 64, 0, 0, 64, 16, 7);    // fills
    for (int y = 16; y < 32; ++y)        // two colours
        for (int x = 0; x < 64; ++x) first.pixels[std::size_t(y) * 64 + std::size_t(x)] = (x + y) % 3 ? 20 : 200;
    first.palette = palette(0);
    movie.frames.push_back(first);
    SmackerFrame changed = first;
    changed.palette.clear();
    fill(changed, 64, 8, 4, 20, 12, 99);
    movie.frames.push_back(changed);
    movie.frames.push_back(changed);
    for (int i = 3; i < 7; ++i) {
        SmackerFrame next = picture(64, 48);
        if (i == 3 || i == 5) next.palette = palette(std::uint8_t(i * 5));
        movie.frames.push_back(next);
    }
    return movie;
}

SmackerMovie soundMovie() {
    state = 3;
    SmackerMovie movie{320, 200, 6666, 22050, {}};
    std::int16_t level = 0;
    for (int i = 0; i < 30; ++i) {
        SmackerFrame frame = picture(320, 200);
        if (i == 0) frame.palette = palette(1);
        for (int s = 0; s < 1470; ++s) {
            level = static_cast<std::int16_t>(level + static_cast<std::int16_t>(noise() % 2001) - 1000);
            frame.sound.push_back(level);
        }
        movie.frames.push_back(frame);
    }
    return movie;
}
