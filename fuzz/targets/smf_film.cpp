// SMF films: the header, the command table and every command run to the end over buffers of exactly the
// header's sizes (so that a write or read past one is a finding), with the film held as a file in memory.
#include <limits>
#include <string>
#include <vector>

#include "FuzzParts.h"
#include "MemoryFiles.h"
#include "SmfDecode.h"

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

void play(FileRef file, const SmfHeader& h, const std::vector<std::uint32_t>& table) {
    SmfFilmBuffers b;
    SmfFilmBuffersInit(&b, h, file, std::uint32_t(kSmfHeaderBytes + table.size() * 4));
    Buffers owned;
    for (int t = 0; t < kSmfTracks; ++t)
        if (!(b.trackData[t] = sized(owned.tracks[t], b.capacity[t]))) b.capacity[t] = 0;
    b.frameData = sized(owned.frame, SmfFrameBytes(h));
    b.audioData = sized(owned.audio, SmfAudioBytes(h));
    SmfDecodeHost host(b);
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
