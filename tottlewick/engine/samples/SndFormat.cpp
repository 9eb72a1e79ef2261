// The format table and the block converters.
#include "SndFormat.h"

#include <algorithm>
#include <cstring>

#include "SndCodec.h"

std::uint16_t SndFormatChannels(std::uint16_t format) { return format <= kSndIma4Stereo && (format & 1) ? 2 : 1; }

std::uint16_t SndFormatBits(std::uint16_t format) { return format <= kSndSigned8Stereo ? 8 : 16; }

bool SndFormatIsCompressed(std::uint16_t format) { return format >= kSndIma4Mono; }

std::uint8_t SndSilenceByte(std::uint16_t format) { return SndFormatBits(format) == 8 ? 0x80 : 0x00; }

namespace {

void convertSigned8(const std::uint8_t* in, std::size_t count, std::uint8_t* out) {
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(in[i] - 128);
}

// Safe in place: a streamed sample converts its chunks where they were read.
void swapPairs(const std::uint8_t* in, std::size_t count, std::uint8_t* out) {
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        std::uint8_t first = in[i];
        out[i] = in[i + 1];
        out[i + 1] = first;
    }
}

void decodeIma(const std::uint8_t* in, std::uint32_t blocks, std::uint16_t channels, std::uint8_t* out) {
    std::size_t frameBytes = 2u * channels;
    for (std::uint32_t b = 0; b < blocks; ++b) {
        for (std::uint16_t c = 0; c < channels; ++c, in += kImaBlockBytes)
            SndImaDecodeBlock(in, out + 2u * c, frameBytes);
        out += kImaBlockFrames * frameBytes;
    }
}

}  // namespace

std::uint32_t SndConvertBlocks(SndSampleHeader& header, const std::uint8_t* in, std::size_t inBytes,
                               std::uint8_t* out, std::uint32_t blocks) {
    if (header.inBytesPerBlock == 0) return 0;
    blocks = static_cast<std::uint32_t>(std::min<std::size_t>(blocks, inBytes / header.inBytesPerBlock));
    std::size_t bytes = std::size_t(blocks) * header.inBytesPerBlock;
    switch (header.format) {
    case kSndUnsigned8Mono:
    case kSndUnsigned8Stereo:
    case kSndLittle16Mono:
    case kSndLittle16Stereo:
        if (bytes && out != in) std::memmove(out, in, bytes);
        break;
    case kSndSigned8Mono:
    case kSndSigned8Stereo:
        convertSigned8(in, bytes, out);
        break;
    case kSndBig16Mono:
    case kSndBig16Stereo:
        swapPairs(in, bytes, out);
        break;
    case kSndIma4Mono:
    case kSndIma4Stereo:
        decodeIma(in, blocks, SndFormatChannels(header.format), out);
        break;
    case kSndSqs2:
        header.decoderState = static_cast<std::uint16_t>(
            SndSqs2Decode(in, bytes, out, static_cast<std::int16_t>(header.decoderState)));
        break;
    default:
        return 0;
    }
    return blocks;
}
