// RIFF WAVE writer: chunks with their sizes and pad bytes, and the PCM format record.
#include "WaveWriter.h"

#include "NeModuleWriter.h"

namespace {

void appendChunk(std::string& out, const std::string& id, const std::string& data) {
    const std::size_t at = out.size();
    out += id.substr(0, 4);
    out.resize(at + 4, ' ');
    putU32(out, at + 4, static_cast<std::uint32_t>(data.size()));
    out += data;
    if (data.size() % 2) out += '\0';
}

void appendChunks(std::string& out, const std::vector<WaveChunk>& chunks) {
    for (const WaveChunk& chunk : chunks) appendChunk(out, chunk.id, chunk.data);
}

std::string formatRecord(const WaveSound& sound) {
    std::string format;
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(sound.channels * ((sound.bitsPerSample + 7) / 8));
    putU16(format, 0, 1);
    putU16(format, 2, sound.channels);
    putU32(format, 4, sound.sampleRate);
    putU32(format, 8, sound.sampleRate * blockAlign);
    putU16(format, 12, blockAlign);
    putU16(format, 14, sound.bitsPerSample);
    return format;
}

} // namespace

std::string writeWave(const WaveSound& sound) {
    std::string out = "RIFF????WAVE";
    appendChunks(out, sound.first);
    appendChunk(out, "fmt ", formatRecord(sound));
    appendChunks(out, sound.middle);
    appendChunk(out, "data", sound.samples);
    appendChunks(out, sound.last);
    putU32(out, 4, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}
