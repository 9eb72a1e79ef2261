// 'SND' and AIFF/AIFC headers: the fields of well-formed files written by the fixture writers, and a corpus
// of damaged files that each give their status without a read outside the bytes (they lie against a page
// that may not be read).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "SndParse.h"
#include "SndScale.h"
#include "SoundWriter.h"

namespace {

// Bytes placed at the very end of a readable page, followed by one that faults when touched.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes) {
        std::size_t pages = bytes.size() / kPage + 2;
        base_ = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, pages * kPage, MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + (pages - 1) * kPage, kPage, PAGE_NOACCESS, &old);
        data_ = base_ + (pages - 1) * kPage - bytes.size();
        std::memcpy(data_, bytes.data(), bytes.size());
        size_ = static_cast<std::uint32_t>(bytes.size());
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    const std::uint8_t* data() const { return data_; }
    std::uint32_t size() const { return size_; }

private:
    static constexpr std::size_t kPage = 4096;
    std::uint8_t* base_ = nullptr;
    std::uint8_t* data_ = nullptr;
    std::uint32_t size_ = 0;
};

enum class Kind { snd, aiff };

// Parses, then decodes every block the header promises from where the data lies.
SndStatus parseAndDecode(Kind kind, const std::string& bytes, SndParsed& parsed) {
    GuardedBytes guarded(bytes);
    SndMemorySource source(guarded.data(), guarded.size());
    SndStatus status = kind == Kind::snd ? SndParseSnd(source, parsed) : SndParseAiff(source, parsed);
    if (status != SndStatus::ok) return status;
    std::vector<std::uint8_t> out(std::size_t(parsed.header.frames) * parsed.header.outBytesPerFrame);
    std::uint32_t converted = SndConvertBlocks(parsed.header, guarded.data() + parsed.dataOffset,
                                               guarded.size() - parsed.dataOffset, out.data(), parsed.header.blocks);
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
    AiffSound s;
    s.channels = channels;
    s.frames = frames;
    s.rate = rate;
    s.data = bigEndianSamples(std::vector<std::int16_t>(std::size_t(frames) * channels, 100));
    return s;
}

std::vector<AiffMarker> markers(int count) {
    std::vector<AiffMarker> list;
    for (int i = 1; i <= count; ++i) list.push_back({std::uint16_t(i), std::uint32_t(10 * i), "m" + std::to_string(i)});
    return list;
}

// A copy of bytes with the big-endian word at offset replaced.
std::string patched32(std::string bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + std::size_t(i)] = static_cast<char>(value >> (24 - 8 * i));
    return bytes;
}

TEST(SndParseTest, SndVersionsThreeAndFour) {
    SndParsed v3 = parsedOk(Kind::snd, writeSnd3(11025, std::string(1000, '\x80')));
    EXPECT_EQ(v3.header.frames, 1000u);
    EXPECT_EQ(v3.header.fileRate, 11025);
    EXPECT_EQ(v3.header.rate, 11025);
    EXPECT_EQ(v3.header.format, kSndUnsigned8Mono);
    EXPECT_EQ(v3.header.loopEnd, 1000u);
    EXPECT_EQ(v3.dataOffset, 6u);

    SndParsed v4 = parsedOk(Kind::snd, writeSnd4(22050, 300, std::string(400, '\x10')));
    EXPECT_EQ(v4.header.frames, 300u);
    EXPECT_EQ(v4.dataOffset, 8u);
    // A count past the end is cut to the samples present.
    EXPECT_EQ(parsedOk(Kind::snd, writeSnd4(22050, 100000, std::string(50, '\x10'))).header.frames, 50u);
}

TEST(SndParseTest, AiffFormatsAndTheExtendedRate) {
    SndParsed stereo = parsedOk(Kind::aiff, writeAiff(pcm16(2, 100, 44100)));
    EXPECT_EQ(stereo.header.format, kSndBig16Stereo);
    EXPECT_EQ(stereo.header.inBytesPerBlock, 4);
    EXPECT_EQ(stereo.header.outBytesPerFrame, 4);
    EXPECT_EQ(stereo.header.frames, 100u);
    EXPECT_EQ(stereo.header.fileRate, 44100);

    AiffSound mono8;
    mono8.bits = 8;
    mono8.frames = 5;
    mono8.rate = 8000;
    mono8.data = "\x01\x02\x03\x04\x05";
    SndParsed eight = parsedOk(Kind::aiff, writeAiff(mono8));
    EXPECT_EQ(eight.header.format, kSndSigned8Mono);
    EXPECT_EQ(eight.header.frames, 5u);
    EXPECT_EQ(eight.header.fileRate, 8000);

    AiffSound ima;
    ima.aifc = true;
    ima.compression = "ima4";
    ima.channels = 2;
    ima.frames = 3;  // blocks
    ima.data = std::string(3 * 68, '\0');
    SndParsed adpcm = parsedOk(Kind::aiff, writeAiff(ima));
    EXPECT_EQ(adpcm.header.format, kSndIma4Stereo);
    EXPECT_EQ(adpcm.header.framesPerBlock, 64);
    EXPECT_EQ(adpcm.header.inBytesPerBlock, 68);
    EXPECT_EQ(adpcm.header.outBytesPerFrame, 4);
    EXPECT_EQ(adpcm.header.blocks, 3u);
    EXPECT_EQ(adpcm.header.frames, 192u);

    AiffSound sqs2;
    sqs2.aifc = true;
    sqs2.compression = "SQS2";
    sqs2.frames = 4;
    sqs2.data = "\x80\x81\xFF\x02";
    SndParsed square = parsedOk(Kind::aiff, writeAiff(sqs2));
    EXPECT_EQ(square.header.format, kSndSqs2);
    EXPECT_EQ(square.header.outBytesPerFrame, 2);
}

TEST(SndParseTest, ExtendedConversions) {
    struct Case {
        std::uint32_t value;
        std::vector<std::uint8_t> ten;
    } cases[] = {
        {44100, {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {22050, {0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}},
        {8000, {0x40, 0x0B, 0xFA, 0x00, 0, 0, 0, 0, 0, 0}},
        {1, {0x3F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0}},
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SndExtendedToLong(c.ten.data()), c.value);
        std::uint8_t ten[10];
        SndLongToExtended(c.value, ten);
        EXPECT_EQ(std::vector<std::uint8_t>(ten, ten + 10), c.ten);
        std::string written = extendedRate(c.value);
        EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), c.ten);
    }
    const std::uint8_t fraction[10] = {0x40, 0x0D, 0xAC, 0x44, 0x80};  // 22050.5 truncates
    const std::uint8_t negative[10] = {0xC0, 0x0D, 0xAC, 0x44};
    const std::uint8_t huge[10] = {0x40, 0x3F, 0x80};
    EXPECT_EQ(SndExtendedToLong(fraction), 22050u);
    EXPECT_EQ(SndExtendedToLong(negative), 0u);
    EXPECT_EQ(SndExtendedToLong(huge), 0xFFFFFFFFu);
}

TEST(SndParseTest, TheTimeScaleSetsThePlayedRate) {
    std::uint32_t previous = SndSetScale(0x8000);
    EXPECT_EQ(SndScaleTime(22050), 11025);
    EXPECT_EQ(parsedOk(Kind::snd, writeSnd3(22050, "abc")).header.rate, 11025);
    SndSetScale(0x30000);
    EXPECT_EQ(SndScaleTime(22050), 65535);
    SndSetScale(0x18000);
    EXPECT_EQ(SndScaleTime(3), 5);  // 4.5 rounds up
    SndSetScale(0x1);
    EXPECT_EQ(SndScaleTime(1), 0);
    SndParsed unused;
    EXPECT_EQ(parseAndDecode(Kind::snd, writeSnd3(22050, "abc"), unused), SndStatus::badRate);
    SndSetScale(previous);
}

TEST(SndParseTest, SustainLoopFromMarkersBeforeTheSound) {
    AiffSound s = pcm16(1, 400);
    s.writeMarkers = s.writeInstrument = true;
    s.markers = markers(3);
    s.sustainBegin = 1;
    s.sustainEnd = 3;
    SndParsed looped = parsedOk(Kind::aiff, writeAiff(s));
    EXPECT_EQ(looped.header.loopStart, 10u);
    EXPECT_EQ(looped.header.loopEnd, 30u);

    struct Case {
        const char* name;
        AiffSound sound;
    } cases[] = {{"after SSND", s}, {"play mode 0", s}, {"MARK only", s}, {"end marker missing", s}};
    cases[0].sound.loopChunksFirst = false;
    cases[1].sound.sustainMode = 0;
    cases[2].sound.writeInstrument = false;
    cases[3].sound.sustainEnd = 9;  // no such marker: the loop runs to the end
    std::uint32_t expectedStart[] = {0, 0, 0, 10};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].name);
        SndParsed parsed = parsedOk(Kind::aiff, writeAiff(cases[i].sound));
        EXPECT_EQ(parsed.header.loopStart, expectedStart[i]);
        EXPECT_EQ(parsed.header.loopEnd, 400u);
    }
}

TEST(SndParseTest, MarkKeepsSixteenMarkers) {
    AiffSound s = pcm16(1, 400);
    s.writeMarkers = s.writeInstrument = true;
    s.markers = markers(20);
    s.sustainBegin = 2;
    s.sustainEnd = 16;
    SndParsed kept = parsedOk(Kind::aiff, writeAiff(s));
    EXPECT_EQ(kept.header.loopStart, 20u);
    EXPECT_EQ(kept.header.loopEnd, 160u);
    s.sustainEnd = 17;  // the 17th marker is not kept
    EXPECT_EQ(parsedOk(Kind::aiff, writeAiff(s)).header.loopEnd, 400u);
}

TEST(SndParseTest, ALoopShorterThanABlockIsNoLoop) {
    AiffSound ima;
    ima.aifc = true;
    ima.compression = "ima4";
    ima.frames = 4;
    ima.data = std::string(4 * 34, '\0');
    ima.writeMarkers = ima.writeInstrument = true;
    ima.markers = {{1, 10, ""}, {2, 50, ""}, {3, 200, ""}, {4, 9999, ""}};
    struct Case {
        std::uint16_t begin, end;
        std::uint32_t loopStart, loopEnd;
    } cases[] = {{1, 3, 10, 200}, {1, 2, 0, 256}, {3, 1, 0, 256}, {1, 4, 10, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.begin << " to " << c.end);
        ima.sustainBegin = c.begin;
        ima.sustainEnd = c.end;
        SndParsed parsed = parsedOk(Kind::aiff, writeAiff(ima));
        EXPECT_EQ(parsed.header.loopStart, c.loopStart);
        EXPECT_EQ(parsed.header.loopEnd, c.loopEnd);
    }
}

TEST(SndParseTest, DamagedFilesGiveTheirStatus) {
    std::string good = writeAiff(pcm16(1, 50));
    // The COMM chunk follows the 12-byte FORM header: its size is at 16, its frame count at 22.
    AiffSound threeChannels = pcm16(1, 50), twelveBits = pcm16(1, 50), noBits = pcm16(1, 50);
    threeChannels.channels = 3;
    twelveBits.bits = 12;
    noBits.bits = 0;
    AiffSound ulaw = pcm16(1, 50), stereoSqs2 = pcm16(2, 50);
    ulaw.aifc = stereoSqs2.aifc = true;
    ulaw.compression = "ulaw";
    stereoSqs2.compression = "SQS2";
    AiffSound rateZero = pcm16(1, 50, 0);
    AiffSound hugeMarks = pcm16(1, 50);
    hugeMarks.writeMarkers = true;
    hugeMarks.markers = markers(2);
    AiffSound shortInst = pcm16(1, 50);
    shortInst.extra = {{"INST", std::string(10, '\0')}};
    AiffSound shortSsnd = pcm16(1, 50);
    AiffSound wideChunk = pcm16(1, 50);
    wideChunk.extra = {{"APPL", "data"}};
    AiffSound noData = pcm16(1, 50);
    noData.data.clear();

    std::string marks = writeAiff(hugeMarks);
    std::size_t markAt = marks.find("MARK");
    std::string ssndOnly = "FORM" + std::string("\0\0\0\x14", 4) + "AIFFSSND" + std::string("\0\0\0\x08", 4) +
                           std::string(8, '\0');
    std::string wide = writeAiff(wideChunk);
    std::string ssndShort = writeAiff(shortSsnd);
    std::size_t ssndAt = ssndShort.find("SSND");

    struct Case {
        const char* name;
        Kind kind;
        std::string bytes;
        SndStatus status;
    } cases[] = {
        {"empty AIFF", Kind::aiff, "", SndStatus::truncated},
        {"FORM alone", Kind::aiff, "FORM", SndStatus::truncated},
        {"RIFF", Kind::aiff, "RIFF" + good.substr(4), SndStatus::notForm},
        {"WAVE form", Kind::aiff, good.substr(0, 8) + "WAVE" + good.substr(12), SndStatus::badFormType},
        {"COMM of 10 bytes", Kind::aiff, patched32(good, 16, 10), SndStatus::truncated},
        {"file ends inside COMM", Kind::aiff, good.substr(0, 30), SndStatus::truncated},
        {"no COMM", Kind::aiff, ssndOnly, SndStatus::noComm},
        {"no SSND", Kind::aiff, good.substr(0, 38), SndStatus::noSsnd},
        {"FORM size too small", Kind::aiff, patched32(good, 4, 4), SndStatus::noComm},
        {"chunk size past the end", Kind::aiff, patched32(wide, 16, 0xFFFFFFF0u), SndStatus::noComm},
        {"SSND of 4 bytes", Kind::aiff, patched32(ssndShort, ssndAt + 4, 4), SndStatus::truncated},
        {"three channels", Kind::aiff, writeAiff(threeChannels), SndStatus::badChannels},
        {"12-bit samples", Kind::aiff, writeAiff(twelveBits), SndStatus::badSampleSize},
        {"0-bit samples", Kind::aiff, writeAiff(noBits), SndStatus::badSampleSize},
        {"compression ulaw", Kind::aiff, writeAiff(ulaw), SndStatus::unknownCompression},
        {"stereo SQS2", Kind::aiff, writeAiff(stereoSqs2), SndStatus::stereoSqs2},
        {"AIFF rate 0", Kind::aiff, writeAiff(rateZero), SndStatus::badRate},
        {"65535 markers, 2 present", Kind::aiff, marks.substr(0, markAt + 8) + "\xFF\xFF" + marks.substr(markAt + 10),
         SndStatus::truncated},
        {"INST of 10 bytes", Kind::aiff, writeAiff(shortInst), SndStatus::truncated},
        {"frames but no data", Kind::aiff, writeAiff(noData), SndStatus::noData},
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
