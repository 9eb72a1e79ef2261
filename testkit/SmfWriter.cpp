// SMF films and their codecs' encoders, for tests and fuzz seeds.
#include "SmfWriter.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

// The IMA ADPCM tables as the format uses them: entry 76 of the steps is 10422.
constexpr std::int32_t kSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10422, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr int kIndexShift[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMaxMatch = 18;

struct ImaEncoder {
    std::int32_t predictor;
    std::int32_t index = 0;
    std::uint8_t encode(std::int32_t sample) {
        const std::int32_t step = kSteps[index];
        std::int32_t diff = sample - predictor;
        std::uint8_t nibble = 0;
        if (diff < 0) {
            nibble = 8;
            diff = -diff;
        }
        if (diff >= step) nibble |= 4, diff -= step;
        if (diff >= step / 2) nibble |= 2, diff -= step / 2;
        if (diff >= step / 4) nibble |= 1;
        std::int32_t delta = step >> 3;
        if (nibble & 1) delta += step >> 2;
        if (nibble & 2) delta += step >> 1;
        if (nibble & 4) delta += step;
        predictor = std::clamp(predictor + (nibble & 8 ? -delta : delta), -32767, 32767);
        index = std::clamp(index + kIndexShift[nibble & 7], 0, 88);
        return nibble;
    }
};

std::string be16(std::uint32_t v) { return {char(v >> 8), char(v)}; }

// The longest earlier run (distance 1-4096, length 3-18) matching at `at`, found through a chain of
// earlier positions with the same three bytes.
struct MatchFinder {
    const std::string& s;
    std::map<std::string, std::vector<std::size_t>> seen;
    std::pair<std::size_t, std::size_t> find(std::size_t at) {
        if (s.size() - at < 3) return {0, 0};
        auto& chain = seen[s.substr(at, 3)];
        std::size_t bestLength = 0, bestDistance = 0, tried = 0;
        for (auto it = chain.rbegin(); it != chain.rend() && at - *it <= kWindow && tried++ < 64; ++it) {
            std::size_t length = 0;
            while (length < kMaxMatch && at + length < s.size() && s[*it + length] == s[at + length]) ++length;
            if (length > bestLength) bestLength = length, bestDistance = at - *it;
            if (length == kMaxMatch) break;
        }
        return {bestLength, bestDistance};
    }
    void add(std::size_t at) {
        if (s.size() - at >= 3) seen[s.substr(at, 3)].push_back(at);
    }
};

// Items behind one flag byte; flush() writes the group.
struct LzssGroups {
    std::string out, items;
    std::uint8_t flags = 0;
    int count = 0;
    void literal(char c) { push(c, 0); }
    void reference(std::size_t length, std::size_t distance) {
        const std::size_t d = distance - 1;
        items += char((length - 3) << 4 | d >> 8);
        push(char(d & 0xFF), 1);
    }
    void push(char last, int bit) {
        items += last;
        flags = std::uint8_t(flags | bit << count);
        if (++count == 8) flush();
    }
    void flush() {
        if (count == 0) return;
        out += char(flags);
        out += items;
        items.clear();
        flags = 0;
        count = 0;
    }
};

}  // namespace

std::uint32_t smfEntry(std::uint16_t delay, int type, int track, int flags) {
    return std::uint32_t(type & 15) << 28 | std::uint32_t(track & 15) << 24 | std::uint32_t(flags & 15) << 16 | delay;
}

std::uint32_t smfPack(int high, int low) { return std::uint32_t(high & 0xFFFF) << 16 | std::uint32_t(low & 0xFFFF); }

void SmfWriter::command(std::uint16_t delay, int type, int track, const std::vector<std::int64_t>& operands) {
    int flags = 0;
    for (std::size_t i = 0; i < operands.size(); ++i)
        if (operands[i] >= 0) flags |= 1 << i;
    table_.push_back(smfEntry(delay, type, track, flags));
    for (std::int64_t operand : operands)
        if (operand >= 0) table_.push_back(std::uint32_t(operand));
}

void SmfWriter::load(std::uint16_t delay, int track, const std::string& bytes, bool append) {
    command(delay, append ? 1 : 0, track, {std::int64_t(bytes.size())});
    data_ += bytes;
}

void SmfWriter::frame(std::uint16_t delay, int track, std::int64_t tag, std::int64_t origin, std::int64_t size,
                      std::int64_t offset) {
    command(delay, 2, track, {tag, origin, size, offset});
}

void SmfWriter::audio(std::uint16_t delay, int track, std::int64_t tag, std::int64_t length) {
    command(delay, 3, track, {tag, length});
}

std::string SmfWriter::bytes() const {
    std::string out;
    const auto u32 = [&](std::uint32_t v) {
        const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
        if (bigEndian_) out.append({b[3], b[2], b[1], b[0]});
        else out.append(b, 4);
    };
    const auto u16 = [&](std::uint16_t v) {
        if (bigEndian_) out += be16(v);
        else out.append({char(v), char(v >> 8)});
    };
    // Marker bytes, lowest first: 'M', 'S', '~', 'S' ^ 'M' ^ 0xD4 (valid; native order when little-endian).
    u32(0xCA7E534Du);
    for (std::uint32_t c : header.capacity) u32(c);
    for (std::uint16_t v : {header.width, header.height, header.depth, header.sampleSize, header.channels, header.rate})
        u16(v);
    for (std::uint32_t v : {header.blockLength, header.reserved, header.clockStart, header.duration,
                            std::uint32_t(table_.size())})
        u32(v);
    for (std::uint32_t v : table_) u32(v);
    return out + data_;
}

std::string smfFilm(SmfFilmHeader header, const std::vector<SmfPicture>& pictures,
                    const std::vector<SmfSound>& sounds, bool bigEndian) {
    struct Event {
        std::uint32_t time;
        const SmfPicture* picture;
        const SmfSound* sound;
    };
    std::vector<Event> events;
    for (const SmfPicture& p : pictures) events.push_back({p.time, &p, nullptr});
    for (const SmfSound& s : sounds) events.push_back({s.time, nullptr, &s});
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.time < b.time; });
    SmfWriter w(bigEndian);
    std::uint32_t last = header.clockStart;
    for (const Event& e : events) {
        const std::uint16_t delay = std::uint16_t(e.time - last);
        last = e.time;
        if (const SmfPicture* p = e.picture) {
            header.capacity[0] = std::max<std::uint32_t>(header.capacity[0], std::uint32_t(p->data.size()));
            w.load(delay, 0, p->data);
            w.frame(0, 0, p->tag, smfPack(p->x, p->y), smfPack(p->w, p->h));
        } else {
            header.capacity[1] = std::max<std::uint32_t>(header.capacity[1], std::uint32_t(e.sound->data.size()));
            w.load(delay, 1, e.sound->data);
            w.audio(0, 1, e.sound->tag, e.sound->frames);
        }
    }
    w.header = header;
    return w.bytes();
}

std::string smfLzssLiteral(const std::string& bytes) {
    LzssGroups g;
    for (char c : bytes) g.literal(c);
    g.flush();
    return g.out;
}

std::string smfLzssGreedy(const std::string& bytes) {
    LzssGroups g;
    MatchFinder finder{bytes, {}};
    for (std::size_t at = 0; at < bytes.size();) {
        const auto [length, distance] = finder.find(at);
        const std::size_t taken = length >= 3 ? length : 1;
        if (length >= 3) g.reference(length, distance);
        else g.literal(bytes[at]);
        for (std::size_t i = 0; i < taken; ++i) finder.add(at + i);
        at += taken;
    }
    g.flush();
    return g.out;
}

std::string smfDeltas8(const std::string& samples) {
    std::string deltas;
    std::uint8_t running = 128;
    for (char c : samples) {
        deltas += char(std::uint8_t(c) - running);
        running = std::uint8_t(c);
    }
    return smfLzssGreedy(deltas);
}

std::string smfImaMono(const std::vector<std::int16_t>& samples) {
    ImaEncoder e{samples.empty() ? 0 : samples[0]};
    std::string out = be16(std::uint16_t(e.predictor)) + be16(0);
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        const std::uint8_t high = e.encode(samples[i]);
        const std::uint8_t low = i + 1 < samples.size() ? e.encode(samples[i + 1]) : 0;
        out += char(high << 4 | low);
    }
    return out;
}

std::string smfImaStereo(const std::vector<std::int16_t>& interleaved) {
    ImaEncoder left{interleaved.size() > 0 ? interleaved[0] : 0}, right{interleaved.size() > 1 ? interleaved[1] : 0};
    std::string out = be16(std::uint16_t(left.predictor)) + be16(0) + be16(std::uint16_t(right.predictor)) + be16(0);
    for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2)
        out += char(left.encode(interleaved[i]) << 4 | right.encode(interleaved[i + 1]));
    return out;
}

std::string smfSquareRoot(const std::vector<std::int16_t>& samples) {
    std::string out;
    std::int16_t last = 0;
    for (std::int16_t target : samples) {
        int bestError = 1 << 30;
        std::int16_t bestValue = 0;
        char bestByte = 0;
        for (int s = -128; s < 128; ++s) {
            const int m = (s & 1) ? s >> 1 : s;
            int v = (s < 0 ? -2 : 2) * m * m;
            if (s & 1) v += last;
            const std::int16_t value = std::int16_t(std::uint16_t(v));
            const int error = std::abs(int(target) - value);
            if (error < bestError) bestError = error, bestValue = value, bestByte = char(s);
        }
        out += bestByte;
        last = bestValue;
    }
    return out;
}

std::string smfBigEndian16(const std::vector<std::uint16_t>& values) {
    std::string out;
    for (std::uint16_t v : values) out += be16(v);
    return out;
}

std::string smfBigEndian32(const std::vector<std::uint32_t>& values) {
    std::string out;
    for (std::uint32_t v : values) out += be16(v >> 16) + be16(v & 0xFFFF);
    return out;
}
