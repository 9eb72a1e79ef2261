// SMF films: the header, the command table and every command run to the end over buffers of exactly the
// header's sizes (so that a write or read past one is a finding), with the film held as a file in memory.
// Each block to play is checked against the audio buffer as the driver would read it, and each frame is
// drawn into pixels of a 64 x 48 canvas, at the position the header's reserved word gives (x low, y high).
#include <limits>
#include <string>
#include <vector>

#include "FuzzParts.h"
#include "MemoryFiles.h"
#include "SmfDecode.h"
#include "SmfFrameCopy.h"

namespace {

// Larger buffers than this are left out (the player would ask the memory manager for them).
constexpr std::uint32_t kLargest = 1u << 22;

struct Buffers {
    std::vector<std::uint8_t> tracks[kSmfTracks], frame, audio;
};

std::uint8_t* sized(std::vector<std::uint8_t>& v, std::uint32_t bytes) {
    if (bytes == 0 || bytes > kLargest) return nullptr;
    v.assign(bytes, 0);
    return v.data();
}

constexpr int kViewWidth = 64, kViewHeight = 48;

// The player's host without Win32: blocks queued and frames drawn as the player would.
class PlayerHost final : public SmfDecodeHost {
public:
    PlayerHost(SmfFilmBuffers& b, std::uint32_t audioBytes, std::uint32_t reserved)
        : SmfDecodeHost(b), audioBytes_(audioBytes), at_{std::int16_t(reserved), std::int16_t(reserved >> 16)} {}

    void frame(int track, const SmfCommandState& state) override {
        SmfDecodeHost::frame(track, state);
        if (b_.depth != 8) return;  // the player draws 8-bit frames only
        // A bottom-up canvas, as a DIB section is: rows run backwards from the last one.
        std::vector<std::uint8_t> pixels(kViewWidth * kViewHeight);
        const SmfPixelView view{pixels.data() + (kViewHeight - 1) * kViewWidth, -kViewWidth,
                                {0, 0, kViewWidth, kViewHeight}};
        const Rect& f = state.frameRect;
        const Rect moved{std::int16_t(f.left + at_.h), std::int16_t(f.top + at_.v), std::int16_t(f.right + at_.h),
                         std::int16_t(f.bottom + at_.v)};
        SmfCopyFrame({b_.frameData, b_.width, b_.height, b_.depth}, at_, moved, {0, 0}, view);
    }

    void audio(int track, const SmfCommandState& state) override {
        SmfDecodeHost::audio(track, state);
        std::size_t offset = 0;
        if (SmfBlockToPlay(b_, &offset))
            FUZZ_CHECK(offset + std::uint64_t{b_.currentBlock} * b_.channels * b_.sampleSize / 8 <= audioBytes_);
    }

private:
    std::uint32_t audioBytes_;
    Point at_;
};

void play(FileRef file, const SmfHeader& h, const std::vector<std::uint32_t>& table) {
    SmfFilmBuffers b;
    SmfFilmBuffersInit(&b, h, file, std::uint32_t(kSmfHeaderBytes + table.size() * 4));
    Buffers owned;
    for (int t = 0; t < kSmfTracks; ++t)
        if (!(b.trackData[t] = sized(owned.tracks[t], b.capacity[t]))) b.capacity[t] = 0;
    b.frameData = sized(owned.frame, SmfFrameBytes(h));
    b.audioData = sized(owned.audio, SmfAudioBytes(h));
    PlayerHost host(b, std::uint32_t(owned.audio.size()), h.reserved);
    SmfCommandState state;
    state.lastTime = h.clockStart;
    const auto count = std::uint32_t(table.size());
    while (SmfRunDue(table.data(), count, std::numeric_limits<std::uint32_t>::max(), &state, &host) ==
           SmfWalkEnd::stopped)
        FUZZ_CHECK(state.next <= count);
    for (int t = 0; t < kSmfTracks; ++t) FUZZ_CHECK(b.fill[t] <= b.capacity[t]);
    FUZZ_CHECK(b.audioFrames == 0 || b.writeSlot < b.audioFrames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    memoryFiles().clear();
    memoryFiles()["film"] = std::string(reinterpret_cast<const char*>(data), size);
    const FileRef file = FileOpen("film", kFileRead);
    SmfHeader h;
    if (SmfReadHeader(file, 0, &h) && h.entries <= size / 4) {
        std::vector<std::uint32_t> table(h.entries);
        if (SmfReadTable(file, h, table.data())) play(file, h, table);
    }
    FileClose(file);
    return 0;
}
