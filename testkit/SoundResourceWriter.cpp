// Big-endian sound resources of formats 1 and 2 with a standard or an extended sound header.
#include "SoundResourceWriter.h"

#include "ByteWriter.h"

namespace {

constexpr std::uint16_t kSampledSynth = 5;
constexpr std::uint16_t kBufferCommand = 0x8051;
constexpr std::uint8_t kExtendedEncoding = 0xFF;
constexpr std::uint8_t kBaseNote = 60;

void writeHeader(ByteWriter& out, const SoundResource& sound) {
    const std::uint32_t length = sound.storedLength.value_or(static_cast<std::uint32_t>(sound.samples.size()));
    for (std::uint32_t word : {0u, sound.extended ? 1u : length, sound.rateFixed, 0u, 0u}) out.u32(word);
    out.u8(sound.extended ? kExtendedEncoding : 0);
    out.u8(kBaseNote);
    if (!sound.extended) return;
    out.u32(length);
    out.text(std::string(10, '\0'));  // the rate as an 80-bit float, unread
    for (int unused = 0; unused < 3; ++unused) out.u32(0);  // markers, instruments, AES
    out.u16(8);
    out.text(std::string(14, '\0'));
}

}  // namespace

std::string writeSoundResource(const SoundResource& sound) {
    ByteWriter out(ByteOrder::big);
    out.u16(sound.format);
    if (sound.format == 2) {
        out.u16(0);
    } else {
        out.u16(1);
        out.u16(kSampledSynth);
        out.u32(0);
    }
    out.u16(1);  // one command: a buffer command pointing at the sound header
    out.u16(kBufferCommand);
    out.u16(0);
    out.u32(sound.format == 2 ? 14 : 20);
    writeHeader(out, sound);
    out.text(sound.samples);
    return out.str();
}
