// The sample title's generated resource modules, read with the title's own readers: every id the
// scripts and the character use is there, with the sizes, play lists, colours and sound lengths that the
// sample's pictures and sounds are made to have.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AseqFormat.h"
#include "OMIStreamDLL16.h"
#include "OMWaveHeader.h"
#include "RrgbColors.h"
#include "SampleFolder.h"
#include "SampleIds.h"

namespace {

std::vector<std::uint8_t> resource(std::uint16_t id, const char* type, const char* module) {
    const std::string path = sampleFolder() + "\\PRsc\\" + module;
    OMIStreamDLL16 stream(static_cast<std::int16_t>(id), type, path.c_str(), kStreamWhole, nullptr);
    const std::int32_t n = stream.read();
    if (n <= 0 || !stream.current) return {};
    return {stream.current, stream.current + n};
}

// The first play list as words: "fN" shows frame N, "end", "loop", "hold", "cueN" plays sound N.
std::string playList(const AseqLayout& layout) {
    std::string words;
    const AseqSequence& s = layout.sequences.at(0);
    for (std::int32_t i = 0; i < s.count; ++i) {
        const AseqEntry e = readEntry(s.entries + i * kAseqEntrySize);
        if (!words.empty()) words += ' ';
        if (e.frame >= 0) words += "f" + std::to_string(e.frame);
        else if (e.frame == kAseqEnd) words += "end";
        else if (e.frame == kAseqLoop) words += "loop";
        else if (e.frame == kAseqHold) words += "hold";
        else if (e.frame == kAseqSoundCue) words += "cue" + std::to_string(e.param);
        else words += std::to_string(e.frame);
    }
    return words;
}

std::string repeated(const std::string& word, int count) {
    std::string words;
    for (int i = 0; i < count; ++i) words += word + " ";
    return words;
}

struct AnimationCase {
    const char* name;
    std::uint16_t id;
    std::size_t frames;
    std::int32_t width;
    std::int32_t height;
    std::string playList;
};

TEST(SampleModulesTest, AnimationsHaveTheirFramesAndPlayLists) {
    const std::string speech = "cue" + std::to_string(kGreetingSpeech) + " " + repeated("f1 f1 f0", 5) + "hold end";
    const AnimationCase cases[] = {
        {"meadow", kMeadowScene, 1, 640, 460, "f0 end"},
        {"night", kNightScene, 1, 640, 460, "f0 end"},
        {"sun", kSunAnimation, 8, 64, 64, "f0 f1 f2 f3 f4 f5 f6 f7 loop end"},
        {"button", kPlayButton, 3, 120, 48, "hold f0 f1 f2 end"},
        {"settle pose", kCharacterSettle, 2, 96, 96, repeated("f0", 14) + "f1 loop end"},
        {"look left", kCharacterFidgets[0], 2, 96, 96, repeated("f0", 6) + "f1 hold end"},
        {"look right", kCharacterFidgets[1], 2, 96, 96, repeated("f0", 6) + "f1 hold end"},
        {"hop", kCharacterFidgets[2], 1, 96, 96, repeated("f0", 7) + "hold end"},
        {"speech", kCharacterSpeech, 2, 96, 96, speech},
        {"cat", kCatPicture, 1, 40, 40, "hold f0 loop end"},
        {"dog house", kDogHouse, 1, 100, 100, "hold f0 loop end"},
        {"horn", kRacingHorn, 4, 80, 60, "f0 f1 f2 f3 hold f3"},
    };
    for (const AnimationCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> data = resource(c.id, "ASEQ", kSamplePictureModule);
        AseqLayout layout;
        ASSERT_EQ(AseqStatus::ok, attachSequence(data.data(), data.size(), layout));
        ASSERT_EQ(c.frames, layout.frames.size());
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(c.frames); ++i) {
            EXPECT_EQ(c.width, frameImage(layout, i).width) << "frame " << i;
            EXPECT_EQ(c.height, frameImage(layout, i).height) << "frame " << i;
        }
        EXPECT_EQ(c.playList, playList(layout));
    }
}

TEST(SampleModulesTest, ScenePalettesHoldTheirGroundColour) {
    const struct {
        std::uint16_t id;
        std::uint16_t red, green, blue;
    } cases[] = {{kMeadowScene, 0x0000, 0x8000, 0x0000}, {kNightScene, 0x0000, 0x0000, 0x8000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const std::vector<std::uint8_t> data = resource(c.id, "RRGB", kSamplePictureModule);
        OMColorRecord table[kRrgbEntries];
        ASSERT_TRUE(convertColorTable(data.data(), data.size(), table));
        const OMColorRecord& ground = table[kGroundIndex];
        EXPECT_EQ(c.red, ground.red);
        EXPECT_EQ(c.green, ground.green);
        EXPECT_EQ(c.blue, ground.blue);
    }
}

TEST(SampleModulesTest, SoundsAreEightBitWavesOfTheirLength) {
    // 11025 samples a second: 30 ms, 400 ms and 1.875 s, truncated.
    const struct {
        std::uint16_t id;
        std::int32_t samples;
    } cases[] = {{kClickSound, 330}, {kChimeSound, 4410}, {kGreetingSpeech, 20671}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const std::vector<std::uint8_t> data = resource(c.id, "WAVE", kSampleSoundModule);
        const OMWaveHeader header = parseWaveHeader(data.data(), data.size());
        EXPECT_EQ(11025, header.rate);
        EXPECT_EQ(c.samples, header.length);
        // "RIFF" size "WAVE", the 16-byte format chunk, then the data chunk's header.
        EXPECT_EQ(12 + 24 + 8, header.dataOffset);
    }
}

}  // namespace
