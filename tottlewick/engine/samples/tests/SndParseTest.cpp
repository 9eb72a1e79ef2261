// 'SND' and AIFF/AIFC headers of well-formed files, and damaged files that each give their status without a
// read outside their bytes (which lie against a page that faults when read).
#include <cstring>
#include <memory>

#include "EngineTestSupport.h"
#include "SndParse.h"
#include "SndScale.h"
#include "SoundWriter.h"

namespace {

struct PagesFree {
    void operator()(std::uint8_t* pages) const { VirtualFree(pages, 0, MEM_RELEASE); }
};
using Pages = std::unique_ptr<std::uint8_t, PagesFree>;

// Copies the bytes to the very end of a readable page, followed by one that faults when touched.
Pages guarded(const std::string& bytes, const std::uint8_t** data) {
    const std::size_t page = 4096, count = bytes.size() / page + 2;
    Pages pages(static_cast<std::uint8_t*>(VirtualAlloc(nullptr, count * page, MEM_COMMIT, PAGE_READWRITE)));
    DWORD old = 0;
    VirtualProtect(pages.get() + (count - 1) * page, page, PAGE_NOACCESS, &old);
    std::uint8_t* at = pages.get() + (count - 1) * page - bytes.size();
    std::memcpy(at, bytes.data(), bytes.size());
    *data = at;
    return pages;
}

enum class Kind { snd, aiff };

// Parses, then decodes every block the header promises from where the data lies.
SndStatus parseAndDecode(Kind kind, const std::string& bytes, SndParsed& parsed) {
    const std::uint8_t* data = nullptr;
    const Pages pages = guarded(bytes, &data);
    const auto size = static_cast<std::uint32_t>(bytes.size());
    SndMemorySource source(data, size);
    SndStatus status = kind == Kind::snd ? SndParseSnd(source, parsed) : SndParseAiff(source, parsed);
    if (status != SndStatus::ok) return status;
    std::vector<std::uint8_t> out(std::size_t(parsed.header.frames) * parsed.header.outBytesPerFrame);
    std::uint32_t converted = SndConvertBlocks(parsed.header, data + parsed.dataOffset, size - parsed.dataOffset,
                                               out.data(), parsed.header.blocks);
    EXPECT_EQ(converted, parsed.header.blocks);
    return status;
}

SndParsed parsedOk(Kind kind, const std::string& bytes) {
    SndParsed parsed;
    SndStatus status = parseAndDecode(kind, bytes, parsed);
    EXPECT_EQ(status, SndStatus::ok) << SndStatusText(status);
    return parsed;
}

AiffSound pcm16(std::uint16_t channels, std::uint32_t frames, std::uint32_t rate = 22050) {
    return pcmSound(std::vector<std::int16_t>(std::size_t(frames) * channels, 100), channels, rate);
}

// 50 frames of mono 16-bit sound, changed.
template <class Change>
std::string changed(Change change) {
    AiffSound s = pcm16(1, 50);
    change(s);
    return writeAiff(s);
}

// A sustain loop from marker `begin` to marker `end`, of markers 1 to count at frames 10, 20, ...
void markedLoop(AiffSound& s, int count, std::uint16_t begin, std::uint16_t end) {
    for (int i = 1; i <= count; ++i) s.markers.push_back({std::uint16_t(i), std::uint32_t(10 * i), "m"});
    s.writeMarkers = s.writeInstrument = true;
    s.sustainBegin = begin;
    s.sustainEnd = end;
}

// A copy of bytes with the big-endian word at offset replaced.
std::string patched32(std::string bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + std::size_t(i)] = static_cast<char>(value >> (24 - 8 * i));
    return bytes;
}

TEST(SndParseTest, SndVersionsThreeAndFour) {
    SndParsed v3 = parsedOk(Kind::snd, writeSnd3(11025, std::string(1000, '\x80')));
    EXPECT_EQ(v3.header.frames, 1000u) << "1006 bytes";
    EXPECT_EQ((Both{v3.header.fileRate, v3.header.rate}), Both(11025, 11025));
    EXPECT_EQ((Results{v3.header.format, v3.header.loopEnd, v3.dataOffset}), (Results{kSndUnsigned8Mono, 1000, 6}));
    SndParsed v4 = parsedOk(Kind::snd, writeSnd4(22050, 300, std::string(400, '\x10')));
    EXPECT_EQ((Both{v4.header.frames, v4.dataOffset}), Both(300, 8));
    // A count past the end is cut to the samples present.
    EXPECT_EQ(parsedOk(Kind::snd, writeSnd4(22050, 100000, std::string(50, '\x10'))).header.frames, 50u);
}

TEST(SndParseTest, AiffFormatsAndTheExtendedRate) {
    AiffSound mono8 = pcm16(1, 5, 8000);
    mono8.bits = 8;
    mono8.data = "\x01\x02\x03\x04\x05";
    struct Case { const char* name; AiffSound sound; std::uint16_t format, framesPerBlock, inBytes, outBytes;
                  std::uint32_t blocks, frames; std::uint16_t rate; };
    const Case cases[] = {
        {"16-bit stereo", pcm16(2, 100, 44100), kSndBig16Stereo, 1, 4, 4, 100, 100, 44100},
        {"8-bit mono", mono8, kSndSigned8Mono, 1, 1, 1, 5, 5, 8000},
        {"ima4 stereo", compressedSound("ima4", 3, std::string(3 * 68, '\0'), 2), kSndIma4Stereo, 64, 68, 4, 3, 192,
         22050},
        {"SQS2", compressedSound("SQS2", 4, "\x80\x81\xFF\x02"), kSndSqs2, 1, 1, 2, 4, 4, 22050},
    };
    for (const Case& c : cases) {
        const SndSampleHeader h = parsedOk(Kind::aiff, writeAiff(c.sound)).header;
        EXPECT_EQ((Results{h.format, h.framesPerBlock, h.inBytesPerBlock, h.outBytesPerFrame, h.blocks, h.frames,
                           h.fileRate}),
                  (Results{c.format, c.framesPerBlock, c.inBytes, c.outBytes, c.blocks, c.frames, c.rate}))
            << c.name;
    }
}

TEST(SndParseTest, ExtendedConversions) {
    struct Case { std::uint32_t value; std::vector<std::uint8_t> ten; } cases[] = {
        {44100, {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}}, {22050, {0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {8000, {0x40, 0x0B, 0xFA, 0x00, 0, 0, 0, 0, 0, 0}},  {1, {0x3F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0}},
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::uint8_t ten[10];
        SndLongToExtended(c.value, ten);
        EXPECT_EQ(SndExtendedToLong(c.ten.data()), c.value);
        EXPECT_EQ(std::vector<std::uint8_t>(ten, ten + 10), c.ten) << c.value;
    }
    const std::uint8_t fraction[10] = {0x40, 0x0D, 0xAC, 0x44, 0x80};  // 22050.5 truncates
    const std::uint8_t negative[10] = {0xC0, 0x0D, 0xAC, 0x44};
    const std::uint8_t huge[10] = {0x40, 0x3F, 0x80};
    EXPECT_EQ((Both{SndExtendedToLong(fraction), SndExtendedToLong(negative)}), Both(22050, 0));
    EXPECT_EQ(SndExtendedToLong(huge), 0xFFFFFFFFu);
}

TEST(SndParseTest, TheTimeScaleSetsThePlayedRate) {
    const std::uint32_t previous = SndGetScale();
    auto scaled = [](std::uint32_t factor, std::uint32_t time) { return SndSetScale(factor), SndScaleTime(time); };
    EXPECT_EQ((Results{scaled(0x30000, 22050), scaled(0x18000, 3), scaled(0x1, 1), scaled(0x8000, 22050)}),
              (Results{65535, 5, 0, 11025})) << "4.5 rounds up";
    EXPECT_EQ(parsedOk(Kind::snd, writeSnd3(22050, "abc")).header.rate, 11025);
    SndSetScale(0x1);
    SndParsed unused;
    EXPECT_EQ(parseAndDecode(Kind::snd, writeSnd3(22050, "abc"), unused), SndStatus::badRate);
    SndSetScale(previous);
}

// Loops count only from MARK and INST chunks before the sound; MARK keeps 16 markers.
TEST(SndParseTest, SustainLoopsFromMarkersBeforeTheSound) {
    struct Case { const char* name; int markers; std::uint16_t begin, end; void (*change)(AiffSound&);
                  std::uint32_t loopStart, loopEnd; };
    const Case cases[] = {
        {"markers 1 to 3", 3, 1, 3, [](AiffSound&) {}, 10, 30},
        {"after SSND", 3, 1, 3, [](AiffSound& s) { s.loopChunksFirst = false; }, 0, 400},
        {"play mode 0", 3, 1, 3, [](AiffSound& s) { s.sustainMode = 0; }, 0, 400},
        {"MARK only", 3, 1, 3, [](AiffSound& s) { s.writeInstrument = false; }, 0, 400},
        {"end marker missing: to the end", 3, 1, 9, [](AiffSound&) {}, 10, 400},
        {"end marker before the begin: no loop", 3, 3, 1, [](AiffSound&) {}, 0, 400},
        {"16th of 20 markers", 20, 2, 16, [](AiffSound&) {}, 20, 160},
        {"17th of 20 markers is not kept", 20, 2, 17, [](AiffSound&) {}, 20, 400},
    };
    for (const Case& c : cases) {
        AiffSound s = pcm16(1, 400);
        markedLoop(s, c.markers, c.begin, c.end);
        c.change(s);
        const SndSampleHeader h = parsedOk(Kind::aiff, writeAiff(s)).header;
        EXPECT_EQ(Both(h.loopStart, h.loopEnd), Both(c.loopStart, c.loopEnd)) << c.name;
    }
}

TEST(SndParseTest, DamagedFilesGiveTheirStatus) {
    // The COMM chunk follows the 12-byte FORM header: its size is at 16, its frame count at 22.
    const std::string good = writeAiff(pcm16(1, 50));
    const std::string marks = changed([](AiffSound& s) {
        markedLoop(s, 2, 1, 2);
        s.writeInstrument = false;
    });
    const std::size_t markAt = marks.find("MARK"), ssndAt = good.find("SSND");
    const std::string ssndOnly = "FORM" + std::string("\0\0\0\x14", 4) + "AIFFSSND" + std::string("\0\0\0\x08", 4) +
                                 std::string(8, '\0');
    struct Case { const char* name; Kind kind; std::string bytes; SndStatus status; } cases[] = {
        {"empty AIFF", Kind::aiff, "", SndStatus::truncated}, {"FORM alone", Kind::aiff, "FORM", SndStatus::truncated},
        {"RIFF", Kind::aiff, "RIFF" + good.substr(4), SndStatus::notForm},
        {"WAVE form", Kind::aiff, good.substr(0, 8) + "WAVE" + good.substr(12), SndStatus::badFormType},
        {"COMM of 10 bytes", Kind::aiff, patched32(good, 16, 10), SndStatus::truncated},
        {"empty COMM", Kind::aiff, patched32(good, 16, 0), SndStatus::truncated},
        {"file ends inside COMM", Kind::aiff, good.substr(0, 30), SndStatus::truncated},
        {"no COMM", Kind::aiff, ssndOnly, SndStatus::noComm},
        {"no SSND", Kind::aiff, good.substr(0, 38), SndStatus::noSsnd},
        {"FORM size too small", Kind::aiff, patched32(good, 4, 4), SndStatus::noComm},
        {"chunk size past the end", Kind::aiff,
         patched32(changed([](AiffSound& s) { s.extra = {{"APPL", "data"}}; }), 16, 0xFFFFFFF0u), SndStatus::noComm},
        {"SSND of 4 bytes", Kind::aiff, patched32(good, ssndAt + 4, 4), SndStatus::truncated},
        {"three channels", Kind::aiff, changed([](AiffSound& s) { s.channels = 3; }), SndStatus::badChannels},
        {"12-bit samples", Kind::aiff, changed([](AiffSound& s) { s.bits = 12; }), SndStatus::badSampleSize},
        {"0-bit samples", Kind::aiff, changed([](AiffSound& s) { s.bits = 0; }), SndStatus::badSampleSize},
        {"compression ulaw", Kind::aiff, writeAiff(compressedSound("ulaw", 50, std::string(100, '\0'))),
         SndStatus::unknownCompression},
        {"stereo SQS2", Kind::aiff, writeAiff(compressedSound("SQS2", 50, std::string(100, '\0'), 2)),
         SndStatus::stereoSqs2},
        {"AIFF rate 0", Kind::aiff, changed([](AiffSound& s) { s.rate = 0; }), SndStatus::badRate},
        {"65535 markers, 2 present", Kind::aiff, marks.substr(0, markAt + 8) + "\xFF\xFF" + marks.substr(markAt + 10),
         SndStatus::truncated},
        {"INST of 10 bytes", Kind::aiff, changed([](AiffSound& s) { s.extra = {{"INST", std::string(10, '\0')}}; }),
         SndStatus::truncated},
        {"frames but no data", Kind::aiff, changed([](AiffSound& s) { s.data.clear(); }), SndStatus::noData},
        {"empty SND", Kind::snd, "", SndStatus::truncated},
        {"SND of 5 bytes", Kind::snd, writeSnd3(11025, "").substr(0, 5), SndStatus::truncated},
        {"SND without samples", Kind::snd, writeSnd3(11025, ""), SndStatus::noData},
        {"SND version 5", Kind::snd, std::string("\0\x05", 2) + writeSnd4(11025, 1, "x").substr(2),
         SndStatus::badVersion},
        {"SND rate 0", Kind::snd, writeSnd4(0, 3, "abc"), SndStatus::badRate},
        {"SND count past the end", Kind::snd, writeSnd4(8000, 0xFFFFFFFFu, "abc"), SndStatus::ok},
        {"AIFF frames past the end", Kind::aiff, patched32(good, 22, 0x7FFFFFFFu), SndStatus::ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SndParsed parsed;
        SndStatus status = parseAndDecode(c.kind, c.bytes, parsed);
        EXPECT_EQ(status, c.status) << SndStatusText(status);
    }
}

}  // namespace
