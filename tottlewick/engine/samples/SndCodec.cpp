// IMA ADPCM block decoding and the 'SQS2' table.
#include "SndCodec.h"

#include <algorithm>
#include <array>

const std::int16_t kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10422, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

const std::int8_t kImaIndexShift[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

namespace {

void putSample(std::uint8_t* out, int value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

constexpr std::array<std::int16_t, 256> sqs2Table() {
    std::array<std::int16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        int s = (b >= 128 ? b - 256 : b) >> 1;
        int magnitude = s * (s < 0 ? -s : s);
        table[std::size_t(b)] = static_cast<std::int16_t>(b & 1 ? 2 * magnitude : 8 * magnitude);
    }
    return table;
}

constexpr std::array<std::int16_t, 256> kSqs2 = sqs2Table();

}  // namespace

void SndImaDecodeBlock(const std::uint8_t* block, std::uint8_t* out, std::size_t stride) {
    int header = block[0] << 8 | block[1];
    int predictor = std::int16_t(header & 0xFF80);
    int index = std::min(header & 0x7F, 88);
    for (std::size_t i = 0; i < kImaBlockFrames; ++i, out += stride) {
        int code = (block[2 + i / 2] >> (i % 2 ? 4 : 0)) & 0x0F;
        int step = kImaSteps[index];
        int difference = step >> 3;
        if (code & 1) difference += step >> 2;
        if (code & 2) difference += step >> 1;
        if (code & 4) difference += step;
        if (code & 8) difference = -difference;
        index = std::clamp(index + kImaIndexShift[code], 0, 88);
        predictor = std::clamp(predictor + difference, -32768, 32767);
        putSample(out, predictor);
    }
}

std::int16_t SndSqs2Value(std::uint8_t b) { return kSqs2[b]; }

std::int16_t SndSqs2Decode(const std::uint8_t* in, std::size_t count, std::uint8_t* out, std::int16_t state) {
    for (std::size_t i = 0; i < count; ++i, out += 2) {
        std::uint8_t b = in[i];
        state = b & 1 ? static_cast<std::int16_t>(state + kSqs2[b]) : kSqs2[b];
        putSample(out, state);
    }
    return state;
}
