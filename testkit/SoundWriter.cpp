// Sound fixture writers and their encoders.
#include "SoundWriter.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "ByteWriter.h"

namespace {

void chars(ByteWriter& w, const std::string& text) {
    std::string four = (text + "    ").substr(0, 4);
    w.text(four);
}

void chunk(ByteWriter& w, const std::string& id, std::string data) {
    if (data.size() % 2) data += '\0';
    chars(w, id);
    w.u32(static_cast<std::uint32_t>(data.size()));
    w.text(data);
}

std::string counted(const std::string& text) {
    std::string out(1, static_cast<char>(text.size()));
    out += text;
    if (out.size() % 2) out += '\0';
    return out;
}

std::string commChunk(const AiffSound& s) {
    ByteWriter w(ByteOrder::big);
    w.u16(s.channels);
    w.u32(s.frames);
    w.u16(s.bits);
    w.text(extendedRate(s.rate));
    if (s.aifc) {
        chars(w, s.compression);
        w.text(counted(s.compressionName));
    }
    return w.str();
}

std::string ssndChunk(const AiffSound& s) {
    ByteWriter w(ByteOrder::big);
    w.u32(0);
    w.u32(0);
    w.text(s.data);
    return w.str();
}

std::string markChunk(const AiffSound& s) {
    ByteWriter w(ByteOrder::big);
    w.u16(static_cast<std::uint16_t>(s.markers.size()));
    for (const AiffMarker& m : s.markers) {
        w.u16(m.id);
        w.u32(m.position);
        w.text(counted(m.name));
    }
    return w.str();
}

std::string instChunk(const AiffSound& s) {
    ByteWriter w(ByteOrder::big);
    for (std::uint8_t note : {60, 0, 0, 127, 1, 127}) w.u8(note);
    w.u16(0);
    w.u16(s.sustainMode);
    w.u16(s.sustainBegin);
    w.u16(s.sustainEnd);
    w.u16(0);
    w.u16(0);
    w.u16(0);
    return w.str();
}

void loopChunks(ByteWriter& w, const AiffSound& s) {
    if (s.writeMarkers) chunk(w, "MARK", markChunk(s));
    if (s.writeInstrument) chunk(w, "INST", instChunk(s));
}

// ---- IMA ADPCM, from the published algorithm ----

const int kSteps[89] = {7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
                        25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
                        88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
                        307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
                        1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
                        3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10422, 11487,
                        12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
const int kIndexStep[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

struct ImaChannel {
    int predictor = 0;
    int index = 0;
};

// Chooses the code for one sample by successive approximation and moves the state as a decoder would.
int imaCode(ImaChannel& c, int sample) {
    int step = kSteps[c.index];
    int difference = sample - c.predictor;
    int code = difference < 0 ? 8 : 0;
    difference = std::abs(difference);
    int rebuilt = step >> 3;
    for (int bit = 4; bit; bit >>= 1, step >>= 1) {
        if (difference >= step) {
            code |= bit;
            difference -= step;
            rebuilt += step;
        }
    }
    c.predictor = std::clamp(c.predictor + (code & 8 ? -rebuilt : rebuilt), -32768, 32767);
    c.index = std::clamp(c.index + kIndexStep[code & 7], 0, 88);
    return code;
}

// One channel's block; the rebuilt samples go to the same places in `decoded`.
std::string imaBlock(ImaChannel& c, const std::vector<std::int16_t>& samples, std::size_t first, int channels,
                     std::vector<std::int16_t>& decoded) {
    c.predictor = static_cast<std::int16_t>(samples[first] & 0xFF80);
    std::string out;
    out += static_cast<char>((c.predictor >> 8) & 0xFF);
    out += static_cast<char>((c.predictor & 0x80) | c.index);
    int codes[2] = {};
    for (std::size_t i = 0; i < 64; ++i) {
        std::size_t at = first + i * std::size_t(channels);
        codes[i % 2] = imaCode(c, samples[at]);
        decoded[at] = static_cast<std::int16_t>(c.predictor);
        if (i % 2) out += static_cast<char>(codes[0] | codes[1] << 4);
    }
    return out;
}

int sqs2Decoded(int b, int previous) {
    int s = static_cast<std::int8_t>(b) >> 1;
    int square = s * std::abs(s);
    return b & 1 ? static_cast<std::int16_t>(previous + 2 * square) : 8 * square;
}

}  // namespace

std::string writeSnd3(std::uint16_t rate, const std::string& samples) {
    ByteWriter w(ByteOrder::big);
    w.u16(3);
    w.u16(0);
    w.u16(rate);
    w.text(samples);
    return w.str();
}

std::string writeSnd4(std::uint16_t rate, std::uint32_t count, const std::string& samples) {
    ByteWriter w(ByteOrder::big);
    w.u16(4);
    w.u32(count);
    w.u16(rate);
    w.text(samples);
    return w.str();
}

std::string extendedRate(std::uint32_t rate) {
    std::string ten(10, '\0');
    if (rate == 0) return ten;
    int exponent = 16383 + 31;
    std::uint64_t mantissa = std::uint64_t(rate) << 32;
    while (!(mantissa & 0x8000000000000000ull)) {
        mantissa <<= 1;
        --exponent;
    }
    ten[0] = static_cast<char>(exponent >> 8);
    ten[1] = static_cast<char>(exponent & 0xFF);
    for (int i = 0; i < 8; ++i) ten[std::size_t(2 + i)] = static_cast<char>((mantissa >> (56 - 8 * i)) & 0xFF);
    return ten;
}

std::string writeAiff(const AiffSound& s) {
    ByteWriter body(ByteOrder::big);
    chars(body, s.aifc ? "AIFC" : "AIFF");
    if (s.aifc) chunk(body, "FVER", std::string("\xA2\x80\x51\x40", 4));
    for (const AiffChunk& c : s.extra) chunk(body, c.id, c.data);
    if (s.loopChunksFirst) loopChunks(body, s);
    chunk(body, "COMM", commChunk(s));
    chunk(body, "SSND", ssndChunk(s));
    if (!s.loopChunksFirst) loopChunks(body, s);
    ByteWriter w(ByteOrder::big);
    chars(w, "FORM");
    w.u32(static_cast<std::uint32_t>(body.size()));
    w.span(body.bytes.data(), body.size());
    return w.str();
}

std::string bigEndianSamples(const std::vector<std::int16_t>& samples) {
    ByteWriter w(ByteOrder::big);
    for (std::int16_t v : samples) w.u16(static_cast<std::uint16_t>(v));
    return w.str();
}

AiffSound pcmSound(const std::vector<std::int16_t>& samples, std::uint16_t channels, std::uint32_t rate) {
    AiffSound s;
    s.channels = channels;
    s.frames = static_cast<std::uint32_t>(samples.size() / channels);
    s.rate = rate;
    s.data = bigEndianSamples(samples);
    return s;
}

AiffSound compressedSound(const std::string& compression, std::uint32_t frames, std::string data,
                          std::uint16_t channels) {
    AiffSound s;
    s.aifc = true;
    s.compression = compression;
    s.channels = channels;
    s.frames = frames;
    s.data = std::move(data);
    return s;
}

void setSustainLoop(AiffSound& sound, std::uint32_t start, std::uint32_t end) {
    sound.markers = {{1, start, "start"}, {2, end, "end"}};
    sound.writeMarkers = sound.writeInstrument = true;
    sound.sustainBegin = 1;
    sound.sustainEnd = 2;
}

std::string encodeIma4(const std::vector<std::int16_t>& samples, int channels, std::vector<std::int16_t>* decoded) {
    std::vector<std::int16_t> padded = samples;
    std::size_t frame = std::size_t(channels) * 64;
    while (!padded.empty() && padded.size() % frame) padded.push_back(padded[padded.size() - std::size_t(channels)]);
    std::vector<std::int16_t> rebuilt(padded.size());
    std::vector<ImaChannel> state(static_cast<std::size_t>(channels));
    std::string out;
    for (std::size_t block = 0; block < padded.size(); block += frame)
        for (int c = 0; c < channels; ++c)
            out += imaBlock(state[std::size_t(c)], padded, block + std::size_t(c), channels, rebuilt);
    if (decoded) *decoded = rebuilt;
    return out;
}

std::string encodeSqs2(const std::vector<std::int16_t>& samples, std::vector<std::int16_t>* decoded) {
    std::string out;
    int previous = 0;
    for (std::int16_t target : samples) {
        int best = 0;
        for (int b = 1; b < 256; ++b)
            if (std::abs(sqs2Decoded(b, previous) - target) < std::abs(sqs2Decoded(best, previous) - target)) best = b;
        previous = sqs2Decoded(best, previous);
        out += static_cast<char>(best);
        if (decoded) decoded->push_back(static_cast<std::int16_t>(previous));
    }
    return out;
}
