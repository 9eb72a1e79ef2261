// QUOMB_32's wave sounds: the header of a RIFF WAVE file or a big-endian sound resource of format 1 or 2,
// found in the first bytes of the stream. What it gives never points before the stream's start.
#include <vector>

#include "FuzzParts.h"
#include "OMWaveHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const OMWaveHeader header = parseWaveHeader(bytes.data(), bytes.size());
    FUZZ_CHECK(header.length >= 0 && header.dataOffset >= 0);
    return 0;
}
