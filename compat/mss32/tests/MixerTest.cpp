// The mixing core on plain buffers: gains, interpolating resampling, source layouts and output formats.
#include <gtest/gtest.h>

#include <vector>

#include "Mixer.h"

namespace {

std::vector<std::uint8_t> words(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return bytes;
}

std::vector<int> wordsOf(const std::vector<std::uint8_t>& bytes) {
    std::vector<int> values;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) values.push_back(std::int16_t(bytes[i] | bytes[i + 1] << 8));
    return values;
}

// Mixes `frames` frames of one voice playing `data` of the given type at `rate`.
std::vector<std::uint8_t> mixOne(const OutputFormat& output, std::int32_t type, std::uint32_t flags,
                                 std::uint32_t rate, const std::vector<std::uint8_t>& data, std::uint32_t frames,
                                 int volume = 127, int pan = 64, int loops = 1) {
    SampleVoice voice;
    voice.init(output.rate);
    voice.setType(type, flags);
    voice.setRate(static_cast<std::int32_t>(rate));
    voice.setVolume(volume);
    voice.setPan(pan);
    voice.setLoopCount(loops);
    voice.setAddress(data.data(), static_cast<std::uint32_t>(data.size()));
    voice.start();
    SampleVoice* list[] = {&voice};
    std::vector<std::uint8_t> out(frames * static_cast<std::uint32_t>(output.bytesPerFrame()));
    Mixer mixer(output);
    mixer.mix(list, 1, out.data(), frames);
    return out;
}

TEST(MixerTest, SourceLayoutsReachTheOutput) {
    OutputFormat stereo16{44100, 2, 16};
    struct Case { const char* name; std::int32_t type; std::uint32_t flags; std::vector<std::uint8_t> frame;
                  int left, right; } cases[] = {
        {"8-bit unsigned", 0, 0, {0xC0}, 16384, 16384},
        {"8-bit signed", 0, 1, {0xC0}, -16384, -16384},
        {"16-bit signed", 1, 1, words({-1234}), -1234, -1234},
        {"16-bit unsigned", 1, 0, words({0x8000 + 100}), 100, 100},
        {"stereo 8-bit", 2, 0, {0x00, 0xFF}, -32768, 32512},
        {"stereo 16-bit", 3, 1, words({300, -300}), 300, -300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> out = wordsOf(mixOne(stereo16, c.type, c.flags, 44100, c.frame, 2));
        EXPECT_EQ(out, (std::vector<int>{c.left, c.right, 0, 0}));
    }
}

// Between source frames a and b, a fraction f of the way, the output is a + (b - a) x f; the last frame leads
// into the first when the data loops and holds when it ends. Steps of multiples of 4000 keep the values exact.
TEST(MixerTest, RatesAreResampledByLinearInterpolation) {
    struct Case { const char* name; std::uint32_t rate; std::initializer_list<int> data; int loops;
                  std::vector<int> out; } cases[] = {
        {"halves", 22050, {0, 4000, -4000}, 1, {0, 2000, 4000, 0, -4000, -4000, 0}},
        {"quarters", 11025, {0, 4000}, 1, {0, 1000, 2000, 3000, 4000, 4000, 4000, 4000, 0}},
        {"three quarters", 33075, {0, 4000, 8000, 12000}, 1, {0, 3000, 6000, 9000, 12000, 12000, 0}},
        {"every other frame", 88200, {1, 2, 3, 4, 5}, 1, {1, 3, 5, 0}},
        {"looped twice", 22050, {0, 4000}, 2, {0, 2000, 4000, 2000, 0, 2000, 4000, 4000, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> out = mixOne({44100, 1, 16}, 1, 1, c.rate, words(c.data),
                                               static_cast<std::uint32_t>(c.out.size()), 127, 64, c.loops);
        EXPECT_EQ(wordsOf(out), c.out);
    }
}

TEST(MixerTest, OutputFormatsScaleAndClamp) {
    // 16384 at volume 64 on a mono output: 16384 x 16513 >> 15 = 8256.
    EXPECT_EQ(wordsOf(mixOne({22050, 1, 16}, 0, 0, 22050, {0xC0}, 1, 64)), (std::vector<int>{8256}));
    // Stereo source on a mono output takes the mean: (1000 + 3000) / 2.
    EXPECT_EQ(wordsOf(mixOne({22050, 1, 16}, 3, 1, 22050, words({1000, 3000}), 1)), (std::vector<int>{2000}));
    // 8-bit output: (value >> 8) + 128.
    EXPECT_EQ(mixOne({22050, 1, 8}, 1, 1, 22050, words({-256, 16384, 32767}), 3),
              (std::vector<std::uint8_t>{127, 192, 255}));
    // Two voices of 30000 clamp at 32767; of -30000 at -32768.
    for (int value : {30000, -30000}) {
        SCOPED_TRACE(value);
        std::vector<std::uint8_t> data = words({value});
        SampleVoice a, b;
        for (SampleVoice* v : {&a, &b}) {
            v->init(44100);
            v->setType(1, 1);
            v->setAddress(data.data(), 2);
            v->start();
        }
        SampleVoice* list[] = {&a, &b};
        std::vector<std::uint8_t> out(2);
        Mixer({44100, 1, 16}).mix(list, 2, out.data(), 1);
        EXPECT_EQ(wordsOf(out), (std::vector<int>{value > 0 ? 32767 : -32768}));
    }
}

}  // namespace
