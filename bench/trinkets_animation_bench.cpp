// ASEQ frame drawing beside memcpy, measured in the same run: 320 x 240 frames with skips drawn straight
// from their runs into 8-bit pixels, against memcpy of the same number of destination bytes (goal: at
// least 30% of memcpy's speed for the picture with skips), and the cost per frame of kinds of frames; then
// the deep path's one-time cost per frame: the palette packed and the frame drawn into 24- and 32-bit
// pixels, beside memcpy of the same number of bytes; last the cost per frame of decoding the sample title's
// animations (read from build/sample beside bin/).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AseqFormat.h"
#include "CannotMeasure.h"
#include "AseqPixelWriter.h"
#include "AseqRuns.h"
#include "AseqWriter.h"
#include "BenchClock.h"
#include "OMIStreamDLL16.h"
#include "ProgramWindow.h"
#include "SampleIds.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kBatches = 5;
constexpr int kRounds = 40;

struct Kind {
    const char* name;
    // The palette index at (x, y); 0 is transparent.
    std::uint8_t (*pixel)(int x, int y);
    bool goal;
};

// A figure on a transparent ground: an ellipse of horizontal bands with a textured middle.
std::uint8_t figure(int x, int y) {
    const int dx = x - kWidth / 2;
    const int dy = y - kHeight / 2;
    if (dx * dx * 4 + dy * dy * 9 > 150 * 150) return 0;
    return static_cast<std::uint8_t>(std::abs(dx) < 40 ? 10 + (x * 7 + y * 3) % 200 : 20 + y / 8);
}

const Kind kKinds[] = {
    {"figure with skips", figure, true},
    {"literals only", [](int x, int y) { return static_cast<std::uint8_t>(1 + (x * 7 + y * 3) % 250); }, false},
    {"fills only", [](int, int y) { return static_cast<std::uint8_t>(1 + y % 250); }, false},
    {"sparse: 1 pixel in 8", [](int x, int y) { return static_cast<std::uint8_t>(x % 8 == 0 ? 1 + y % 250 : 0); }, false},
};

std::vector<std::uint8_t> encode(const Kind& kind) {
    AseqPicture picture;
    picture.sequences = {{{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}};
    AseqPictureFrame frame{kWidth, kHeight, {}, {}};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) frame.pixels.push_back(kind.pixel(x, y));
    picture.frames = {frame};
    const std::string bytes = writeAseq(picture, ByteOrder::little);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// Every frame of each of the sample's animations drawn from its runs into an 8-bit area of its size.
void sampleAnimations() {
    const std::string module = ProgramWindow::ownFolder() + "\\..\\sample\\PRsc\\" + kSamplePictureModule;
    const std::pair<const char*, std::uint16_t> animations[] = {
        {"sun", kSunAnimation}, {"button", kPlayButton}, {"settle pose", kCharacterSettle},
        {"hop", kCharacterFidgets[2]}, {"speech", kCharacterSpeech}};
    for (const auto& [name, id] : animations) {
        OMIStreamDLL16 stream(static_cast<std::int16_t>(id), "ASEQ", module.c_str(), kStreamWhole, nullptr);
        const std::int32_t size = stream.read();
        std::vector<std::uint8_t> bytes(stream.current, stream.current + std::max(size, 0));
        AseqLayout layout;
        if (size <= 0 || attachSequence(bytes.data(), bytes.size(), layout) != AseqStatus::ok) {
            std::printf("sample %-12s not found in %s (build the sample_title target)\n", name, module.c_str());
            continue;
        }
        const std::int32_t frames = static_cast<std::int32_t>(layout.frames.size());
        std::int32_t width = 0;
        std::int32_t height = 0;
        for (std::int32_t i = 0; i < frames; ++i) {
            width = std::max(width, frameImage(layout, i).width);
            height = std::max(height, frameImage(layout, i).height);
        }
        std::vector<std::uint8_t> area(static_cast<std::size_t>(width * height), 0);
        const double each = fastestEach(kBatches, kRounds, [&](int) {
            for (std::int32_t i = 0; i < frames; ++i)
                drawFrame8(frameImage(layout, i), {area.data(), width, 8}, 0, 0, {0, 0, width, height});
        }) / frames;
        std::printf("sample %-12s %2d frames, up to %3d x %3d  %6.2f us per frame\n", name, frames, width, height,
                    each * 1e6);
    }
}

}  // namespace

int main() {
    std::vector<std::uint8_t> source(kWidth * kHeight, 7);
    std::vector<std::uint8_t> canvas(kWidth * kHeight, 0);
    const double floor =
        fastestEach(kBatches, kRounds, [&](int) { std::memcpy(canvas.data(), source.data(), source.size()); });
    std::printf("memcpy of %d bytes: %8.1f us\n", kWidth * kHeight, floor * 1e6);
    for (const Kind& kind : kKinds) {
        std::vector<std::uint8_t> buffer = encode(kind);
        AseqLayout layout;
        if (attachSequence(buffer.data(), buffer.size(), layout) != AseqStatus::ok) cannotMeasure("a frame did not attach");
        const AseqFrame frame = frameImage(layout, 0);
        const OMPixelView view{canvas.data(), kWidth, 8};
        const double whole =
            fastestEach(kBatches, kRounds, [&](int) { drawFrame8(frame, view, 0, 0, {0, 0, kWidth, kHeight}); });
        const double clipped =
            fastestEach(kBatches, kRounds, [&](int) { drawFrame8(frame, view, 0, 0, {40, 30, 280, 210}); });
        std::printf("%-22s %6zu bytes of runs  whole %8.1f us (%4.0f%% of memcpy's speed%s)  clipped %8.1f us\n",
                    kind.name, frame.runsSize, whole * 1e6, 100.0 * floor / whole, kind.goal ? ", goal >= 30%" : "",
                    clipped * 1e6);
    }
    std::vector<std::uint8_t> deep(kWidth * kHeight * 4, 0);
    std::vector<std::uint8_t> deepSource(deep.size(), 7);
    OMColorRecord table[256];
    for (int i = 0; i < 256; ++i) table[i] = colorOf(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 0x40);
    std::vector<std::uint8_t> buffer = encode(kKinds[0]);
    AseqLayout layout;
    if (attachSequence(buffer.data(), buffer.size(), layout) != AseqStatus::ok) cannotMeasure("a frame did not attach");
    const AseqFrame frame = frameImage(layout, 0);
    for (const int bytes : {3, 4}) {
        const PixelFormat format = pixelFormatOf(bytes * 8, 0xFF0000, 0x00FF00, 0x0000FF);
        const std::size_t size = static_cast<std::size_t>(kWidth * kHeight * bytes);
        const double copy = fastestEach(kBatches, kRounds, [&](int) { std::memcpy(deep.data(), deepSource.data(), size); });
        volatile std::uint32_t sink = 0;
        const double pack = fastestEach(kBatches, kRounds, [&](int) { sink = sink + packColors(table, format)[255]; });
        const PackedColors colors = packColors(table, format);
        const OMPixelView view{deep.data(), kWidth * bytes, bytes * 8};
        const double draw = fastestEach(kBatches, kRounds, [&](int) {
            drawFrameDeep(frame, view, 0, 0, {0, 0, kWidth, kHeight}, colors, format);
        });
        std::printf("deep %d-bit, %-13s palette packed %6.1f us  frame drawn %8.1f us (memcpy of %zu bytes %8.1f us, %4.0f%%)\n",
                    bytes * 8, kKinds[0].name, pack * 1e6, draw * 1e6, size, copy * 1e6, 100.0 * copy / draw);
    }
    sampleAnimations();
    return 0;
}
