// smackw32's movie decoder: FFmpeg's Smacker demuxer and decoders behind the decoder's own header checks,
// then the frame step's changed bounds and clipped copy. Every frame is decoded (one goes back to frame 0
// to rewind) into a buffer smaller than the frame, which must not be written past.
#include <algorithm>
#include <vector>

#include "FrameCopy.h"
#include "FuzzParts.h"
#include "SmackDecoder.h"

// Debian's FFmpeg leaks the audio decoder's code tables when a frame's trees are bad (smka_decode_frame
// grows them with av_realloc_f, which only FFmpeg calls, and drops them on that error). FFmpeg is built
// without frame pointers, so the leak's stack ends at av_realloc_f: only that allocator's leaks are ignored.
extern "C" const char* __lsan_default_suppressions() { return "leak:av_realloc_f\n"; }

namespace {

std::uint32_t stillClock() { return 0; }

struct CountingSink final : SoundSink {
    void play(const std::uint8_t*, std::size_t size) override { bytes += size; }
    std::size_t bytes = 0;
};

constexpr std::uint32_t kMostFrames = 64;
constexpr std::uint32_t kTargetSide = 48;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto decoder = SmackDecoder::open(movieFromBytes(std::vector<std::uint8_t>(data, data + size)), true, stillClock);
    if (!decoder) return 0;
    const std::uint32_t width = decoder->width(), height = decoder->height();
    std::vector<std::uint8_t> shown(std::size_t(width) * height, 0);
    std::vector<std::uint8_t> target(kTargetSide * kTargetSide + 64, 0xEE);
    CountingSink sink;
    const std::uint32_t frames = std::min(decoder->frames(), kMostFrames);
    for (std::uint32_t n = 0; n < frames + 1; ++n) {
        if (!decoder->decode(n == frames ? 0 : n, &sink)) break;
        const PixelRect changed = changedBounds(shown.data(), width, decoder->pixels(), decoder->stride(), width, height);
        FUZZ_CHECK(changed.empty() || (changed.x >= 0 && changed.y >= 0 && std::uint32_t(changed.x + changed.w) <= width &&
                                       std::uint32_t(changed.y + changed.h) <= height));
        copyToTarget(decoder->pixels(), decoder->stride(), changed, TargetBuffer{shown.data(), 0, 0, width, height, false});
        copyToTarget(decoder->pixels(), decoder->stride(), changed,
                     TargetBuffer{target.data(), -3, 5, kTargetSide, kTargetSide - 5, n % 2 == 1});
    }
    FUZZ_CHECK(std::all_of(target.end() - 64, target.end(), [](std::uint8_t b) { return b == 0xEE; }));
    return 0;
}
