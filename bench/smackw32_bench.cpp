// What the video library's frame step costs as the movie trinket calls it (SmackToBuffer with the same
// canvas, SmackDoFrame, the changed rectangles, SmackNextFrame) into an 8-bit canvas over a 320 x 240
// writer movie, beside FFmpeg's own decode loop of the same file (the decoder alone, without the copy into
// the canvas or the search), measured in the same run; the goal is a ratio within 1.3. FFmpeg does not tell
// which blocks a frame skipped, so the search compares every row with the frame shown before: that
// comparison (about 3 us here with SSE2, 6 us with memcmp) is the floor of the difference.
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "Files.h"
#include "SmackDecoder.h"
#include "SmackerWriter.h"
#include "TempFolder.h"
#include "smackw32.h"

namespace {

constexpr std::uint32_t kWidth = 320, kHeight = 240, kFrames = 60;
constexpr int kRounds = 5;

std::uint32_t noClock() { return 0; }

// A still picture with a busy band and a square that moves 4 pixels a frame: every block kind, and a
// changed area of about a fifth of the frame.
SmackerMovie benchMovie() {
    SmackerMovie movie{kWidth, kHeight, 6666, 0, {}};
    std::uint32_t state = 7;
    std::vector<std::uint8_t> still(kWidth * kHeight);
    for (std::uint32_t i = 0; i < still.size(); ++i) {
        state = state * 1103515245u + 12345u;
        const std::uint32_t y = i / kWidth;
        still[i] = static_cast<std::uint8_t>(y < 80 ? 20 : y < 160 ? 10 + (state >> 16) % 200 : 30 + (i % 2));
    }
    for (std::uint32_t f = 0; f < kFrames; ++f) {
        SmackerFrame frame;
        frame.pixels = still;
        for (std::uint32_t y = 100; y < 180; ++y)
            for (std::uint32_t x = 4 * f; x < 4 * f + 64; ++x) frame.pixels[y * kWidth + x] = static_cast<std::uint8_t>(200 + f % 40);
        if (f == 0)
            for (int c = 0; c < 256; ++c) frame.palette.push_back(SmackerColor{std::uint8_t(c & 63), std::uint8_t(c >> 2), 9});
        movie.frames.push_back(frame);
    }
    return movie;
}

}  // namespace

int main() {
    TempFolder folder;
    const std::vector<std::uint8_t> bytes = writeSmacker(benchMovie());
    const std::string path = folder.file("bench.smk");
    writeWholeFile(path, std::string(bytes.begin(), bytes.end()));

    auto decoder = SmackDecoder::open(movieFromBytes(bytes), false, noClock);
    Smack* smack = SmackOpen(path.c_str(), kSmackPreloadAll | kSmackNoSkip, 0);
    if (!decoder || !smack) cannotMeasure("the movie did not open");
    std::vector<std::uint8_t> canvas(kWidth * kHeight);
    std::uint32_t rects = 0;
    const double ffmpeg = fastestEach(kRounds, kFrames, [&](int i) {
        static_cast<void>(decoder->decode(static_cast<std::uint32_t>(i), nullptr));
    });
    const double layer = fastestEach(kRounds, kFrames, [&](int) {
        SmackToBuffer(smack, 0, 0, kWidth, kHeight, canvas.data(), 0);
        SmackDoFrame(smack);
        while (SmackToBufferRect(smack, 0)) ++rects;
        SmackNextFrame(smack);
    });
    std::printf("320x240 frame step: SmackToBuffer + SmackDoFrame + rectangles %8.1f us   FFmpeg decode loop %8.1f us   ratio %.2f"
                " (goal <= 1.3x)   (%u rectangles)\n",
                layer * 1e6, ffmpeg * 1e6, layer / ffmpeg, rects);
    SmackClose(smack);
    return 0;
}
