// The nine SMF audio codecs: raw 8-bit, byte-swapped 16-bit, LZSS, LZSS deltas, IMA ADPCM and the
// square-root delta code.
#include "SmfAudio.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "SmfFormat.h"
#include "SmfLzss.h"
#include "SndCodec.h"

namespace {

// Bits per sample and bytes per count unit of a tag.
struct AudioCodec {
    std::uint32_t tag;
    std::uint16_t bits;
    std::uint16_t unitBytes;
};

constexpr AudioCodec kCodecs[] = {
    {SmfTag("a8um"), 8, 1}, {SmfTag("a8us"), 8, 2},  {SmfTag("a16m"), 16, 2},
    {SmfTag("a16s"), 16, 4}, {SmfTag("alz8"), 8, 1}, {SmfTag("ald8"), 8, 1},
    {SmfTag("adpm"), 16, 2}, {SmfTag("adps"), 16, 4}, {SmfTag("a3DO"), 16, 2},
};

// One IMA ADPCM channel: the predictor clamped to -32767..32767 and the step index to 0..88, the index
// read from the stream included.
struct ImaChannel {
    std::int32_t predictor;
    std::int32_t index;
    std::int16_t step(std::uint8_t nibble) {
        index = std::clamp(index, 0, 88);
        const std::int32_t stepSize = kImaSteps[index];
        std::int32_t difference = stepSize >> 3;
        if (nibble & 1) difference += stepSize >> 2;
        if (nibble & 2) difference += stepSize >> 1;
        if (nibble & 4) difference += stepSize;
        if (nibble & 8) difference = -difference;
        predictor = std::clamp(predictor + difference, -32767, 32767);
        index += kImaIndexShift[nibble];
        return static_cast<std::int16_t>(predictor);
    }
};

void put16(std::uint8_t* out, std::int32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

std::int32_t big16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] << 8 | p[1]); }

std::uint32_t copyBytes(const std::uint8_t* in, std::size_t length, std::uint32_t count, std::uint32_t unit,
                        std::uint8_t* out) {
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(count, length / unit));
    std::memcpy(out, in, std::size_t{n} * unit);
    return n;
}

std::uint32_t swap16(const std::uint8_t* in, std::size_t length, std::uint32_t count, std::uint32_t unit,
                     std::uint8_t* out) {
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(count, length / unit));
    for (std::size_t i = 0; i < std::size_t{n} * unit; i += 2) {
        out[i] = in[i + 1];
        out[i + 1] = in[i];
    }
    return n;
}

std::uint32_t unpackDeltas(const std::uint8_t* in, std::size_t length, std::uint32_t count, std::uint8_t* out) {
    std::uint8_t running = 128;
    return static_cast<std::uint32_t>(SmfLzssUnpack(in, length, count, [&](std::uint8_t b) {
        running = static_cast<std::uint8_t>(running + b);
        *out++ = running;
    }));
}

std::uint32_t imaMono(const std::uint8_t* in, std::size_t length, std::uint32_t count, std::uint8_t* out) {
    if (length < 4) return 0;
    ImaChannel s{big16(in), big16(in + 2)};
    std::uint32_t n = 0;
    for (std::size_t at = 4; at < length && n < count; ++at) {
        put16(out + 2 * n++, s.step(in[at] >> 4));
        if (n < count) put16(out + 2 * n++, s.step(in[at] & 0x0F));
    }
    return n;
}

std::uint32_t imaStereo(const std::uint8_t* in, std::size_t length, std::uint32_t count, std::uint8_t* out) {
    if (length < 8) return 0;
    ImaChannel left{big16(in), big16(in + 2)}, right{big16(in + 4), big16(in + 6)};
    std::uint32_t n = 0;
    for (std::size_t at = 8; at < length && n < count; ++at, ++n) {
        put16(out + 4 * n, left.step(in[at] >> 4));
        put16(out + 4 * n + 2, right.step(in[at] & 0x0F));
    }
    return n;
}

// v = 2 m m with m = s (even s) or s >> 1 (odd s), negative for negative s; odd s steps from the last value.
std::uint32_t squareRootDeltas(const std::uint8_t* in, std::size_t length, std::uint32_t count, std::uint8_t* out) {
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(count, length));
    std::uint16_t last = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const int s = static_cast<std::int8_t>(in[i]);
        const int m = (s & 1) ? s >> 1 : s;
        std::uint16_t v = static_cast<std::uint16_t>(s < 0 ? -2 * m * m : 2 * m * m);
        if (s & 1) v = static_cast<std::uint16_t>(v + last);
        last = v;
        put16(out + 2 * i, v);
    }
    return n;
}

std::uint32_t decode(const AudioCodec& codec, const std::uint8_t* in, std::size_t length, std::uint32_t count,
                     std::uint8_t* out) {
    switch (codec.tag) {
    case SmfTag("a8um"):
    case SmfTag("a8us"): return copyBytes(in, length, count, codec.unitBytes, out);
    case SmfTag("a16m"):
    case SmfTag("a16s"): return swap16(in, length, count, codec.unitBytes, out);
    case SmfTag("alz8"):
        return static_cast<std::uint32_t>(SmfLzssUnpack(in, length, count, [&](std::uint8_t b) { *out++ = b; }));
    case SmfTag("ald8"): return unpackDeltas(in, length, count, out);
    case SmfTag("adpm"): return imaMono(in, length, count, out);
    case SmfTag("adps"): return imaStereo(in, length, count, out);
    default: return squareRootDeltas(in, length, count, out);
    }
}

}  // namespace

std::uint32_t SmfDecodeAudio(std::uint32_t tag, const std::uint8_t* source, std::size_t length,
                             std::uint32_t count, std::uint32_t slot, const SmfAudioTarget& target) {
    const auto codec = std::find_if(std::begin(kCodecs), std::end(kCodecs),
                                    [tag](const AudioCodec& c) { return c.tag == tag; });
    const std::uint32_t frameBytes = target.sampleSize / 8u * target.channels;
    if (codec == std::end(kCodecs) || codec->bits != target.sampleSize || codec->unitBytes > frameBytes ||
        slot >= target.bufferFrames)
        return 0;
    count = std::min(count, target.bufferFrames - slot);
    std::uint8_t* out = target.buffer + std::size_t{slot} * frameBytes;
    const std::uint32_t decoded = source ? decode(*codec, source, length, count, out) : 0;
    const std::size_t used = std::size_t{decoded} * codec->unitBytes, whole = std::size_t{count} * frameBytes;
    std::memset(out + used, target.sampleSize == 8 ? 128 : 0, whole - used);
    return decoded;
}
