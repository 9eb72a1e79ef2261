// Builds SMF films for tests and fuzz seeds, in either byte order: the 100-byte header, the command table
// and the data area that the loads read in order, with encoders for every codec written from the rules
// of the format (LZSS literal-only and greedy, LZSS deltas, IMA ADPCM mono and stereo, the square-root
// delta code by table search, big-endian 16- and 32-bit rows).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint32_t smfTag(const char (&name)[5]) {
    return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16 |
           std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint8_t(name[3]);
}

struct SmfFilmHeader {
    std::uint32_t capacity[16] = {};
    std::uint16_t width = 0, height = 0, depth = 8;
    std::uint16_t sampleSize = 0, channels = 0, rate = 0;
    std::uint32_t blockLength = 0;
    std::uint32_t reserved = 0;
    std::uint32_t clockStart = 0;
    std::uint32_t duration = 0;
};

// Commands in table order; every load's bytes go to the data area in the same order.
class SmfWriter {
public:
    explicit SmfWriter(bool bigEndian = false) : bigEndian_(bigEndian) {}
    SmfFilmHeader header;
    // A load (type 0) or append (type 1) with its size as operand.
    void load(std::uint16_t delay, int track, const std::string& bytes, bool append = false);
    // A frame command with the operands given (flags 1, 2, 4, 8 for those not negative).
    void frame(std::uint16_t delay, int track, std::int64_t tag, std::int64_t origin = -1, std::int64_t size = -1,
               std::int64_t offset = -1);
    void audio(std::uint16_t delay, int track, std::int64_t tag, std::int64_t length = -1);
    // Any entry as it stands, and bytes added to the data area.
    void entry(std::uint32_t value) { table_.push_back(value); }
    void data(const std::string& bytes) { data_ += bytes; }
    std::string bytes() const;

private:
    void command(std::uint16_t delay, int type, int track, const std::vector<std::int64_t>& operands);
    bool bigEndian_;
    std::vector<std::uint32_t> table_;
    std::string data_;
};

std::uint32_t smfEntry(std::uint16_t delay, int type, int track, int flags);
std::uint32_t smfPack(int high, int low);  // (high << 16) | low, for origins and sizes

// A film from timed pictures (track 0) and audio blocks (track 1), each loaded and then shown or played,
// in time order; the delays follow the times, counted from the header's clock start.
struct SmfPicture {
    std::uint32_t time;
    std::uint32_t tag;
    std::int16_t x, y, w, h;
    std::string data;  // encoded
};
struct SmfSound {
    std::uint32_t time;
    std::uint32_t tag;
    std::uint32_t frames;
    std::string data;  // encoded
};
std::string smfFilm(SmfFilmHeader header, const std::vector<SmfPicture>& pictures,
                    const std::vector<SmfSound>& sounds, bool bigEndian = false);

// Encoders.
std::string smfLzssLiteral(const std::string& bytes);
std::string smfLzssGreedy(const std::string& bytes);
std::string smfDeltas8(const std::string& samples);  // ald8: differences from 128 on, packed greedily
std::string smfImaMono(const std::vector<std::int16_t>& samples);
std::string smfImaStereo(const std::vector<std::int16_t>& interleaved);
std::string smfSquareRoot(const std::vector<std::int16_t>& samples);  // a3DO
std::string smfBigEndian16(const std::vector<std::uint16_t>& values);   // a16m, a16s, vr16
std::string smfBigEndian32(const std::vector<std::uint32_t>& values);   // vr32
