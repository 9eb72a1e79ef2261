// The sample movie: a square moving right over a plain ground, 12 frames of 160 x 120 at 15 frames a
// second, new colours from frame 6 and a short tone under frame 0. Every pixel uses an entry of 10-245 and
// no colour is pure black or white, so the window shows them unchanged.
#include "SampleIntroMovie.h"

#include "SampleMovie.h"
#include "SmackerWriter.h"

namespace {

constexpr std::uint8_t kGroundEntry = 30, kSquareEntry = 61;
constexpr std::uint32_t kToneRate = 11025;

// 6-bit components between 1 and 60. The ground and the square: (12, 40, 50) and (55, 20, 8) first,
// (40, 50, 12) and (20, 8, 55) from frame 6: 0xA2CB30 and 0x5120DF at 8 bits.
std::vector<SmackerColor> palette(bool late) {
    std::vector<SmackerColor> colours(256);
    for (int c = 0; c < 256; ++c) {
        const auto a = static_cast<std::uint8_t>(1 + c % 60), b = static_cast<std::uint8_t>(1 + (c * 7) % 60);
        colours[c] = late ? SmackerColor{a, b, 33} : SmackerColor{33, a, b};
    }
    colours[kGroundEntry] = late ? SmackerColor{40, 50, 12} : SmackerColor{12, 40, 50};
    colours[kSquareEntry] = late ? SmackerColor{20, 8, 55} : SmackerColor{55, 20, 8};
    return colours;
}

std::vector<std::int16_t> tone() {
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < kToneRate / 15; ++i) samples.push_back(static_cast<std::int16_t>(i % 50 < 25 ? 3000 : -3000));
    return samples;
}

}  // namespace

std::string introMovieFile() {
    SmackerMovie movie{kMovieWidth, kMovieHeight, 6666, kToneRate, {}};
    for (int i = 0; i < kMovieFrames; ++i) {
        SmackerFrame frame;
        frame.pixels.assign(kMovieWidth * kMovieHeight, kGroundEntry);
        for (int y = 40; y < 80; ++y)
            for (int x = 8 * i; x < 8 * i + 40; ++x) frame.pixels[static_cast<std::size_t>(y * kMovieWidth + x)] = kSquareEntry;
        if (i == 0 || i == 6) frame.palette = palette(i == 6);
        if (i == 0) frame.sound = tone();
        movie.frames.push_back(frame);
    }
    const std::vector<std::uint8_t> bytes = writeSmacker(movie);
    return std::string(bytes.begin(), bytes.end());
}
