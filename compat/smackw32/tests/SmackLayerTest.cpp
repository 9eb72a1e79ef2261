// smackw32.dll driven through its exports: writer movies decode to the writer's pixels, palettes and
// samples; pacing, changed rectangles, goto, reversed and clipped buffers; damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Files.h"
#include "SmackerWriter.h"
#include "TempFolder.h"
#include "smackw32.h"

namespace {

// The 8-bit level a 6-bit palette component shows as: its bits repeated, (c << 2) | (c >> 4).
std::uint8_t levelOf(std::uint8_t component) {
    return static_cast<std::uint8_t>(component << 2 | component >> 4);
}

std::uint32_t state = 1;
std::uint32_t noise() {
    state = state * 1103515245u + 12345u;
    return state >> 16;
}

std::vector<SmackerColor> palette(std::uint8_t shift) {
    std::vector<SmackerColor> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[i] = SmackerColor{std::uint8_t((i + shift) & 63), std::uint8_t((i / 4 + shift) & 63),
                                  std::uint8_t((255 - i) & 63)};
    return colours;
}

SmackerFrame picture(std::uint32_t width, std::uint32_t height) {
    SmackerFrame frame;
    frame.pixels.resize(std::size_t(width) * height);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) frame.pixels[y * width + x] = std::uint8_t(x + y + noise() % 3);
    return frame;
}

void fill(SmackerFrame& frame, std::uint32_t width, int left, int top, int right, int bottom, std::uint8_t index) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) frame.pixels[std::size_t(y) * width + std::size_t(x)] = index;
}
// 2 frames of 32 x 32, noise over a gradient.
SmackerMovie smallMovie() {
    state = 1;
    SmackerMovie movie{32, 32, 10000, 0, {picture(32, 32), picture(32, 32)}};
    movie.frames[0].palette = palette(0);
    return movie;
}

// 7 frames of 64 x 48: fills, two-colour and full blocks, frame 1 changing (8, 4)-(20, 12) of frame 0,
// frame 2 equal to frame 1, new palettes at frames 3 and 5.
SmackerMovie blockMovie() {
    state = 2;
    SmackerMovie movie{64, 48, 6666, 0, {}};
    SmackerFrame first = picture(64, 48);
    fill(first, 64, 0, 0, 64, 16, 7);    // fills
    for (int y = 16; y < 32; ++y)        // two colours
        for (int x = 0; x < 64; ++x) first.pixels[std::size_t(y) * 64 + std::size_t(x)] = (x + y) % 3 ? 20 : 200;
    first.palette = palette(0);
    movie.frames.push_back(first);
    SmackerFrame changed = first;
    changed.palette.clear();
    fill(changed, 64, 8, 4, 20, 12, 99);
    movie.frames.push_back(changed);
    movie.frames.push_back(changed);
    for (int i = 3; i < 7; ++i) {
        SmackerFrame next = picture(64, 48);
        if (i == 3 || i == 5) next.palette = palette(std::uint8_t(i * 5));
        movie.frames.push_back(next);
    }
    return movie;
}

// 30 frames of 320 x 200 at 15 frames a second with 22050 Hz sound, 1470 samples a frame.
SmackerMovie soundMovie() {
    state = 3;
    SmackerMovie movie{320, 200, 6666, 22050, {}};
    std::int16_t level = 0;
    for (int i = 0; i < 30; ++i) {
        SmackerFrame frame = picture(320, 200);
        if (i == 0) frame.palette = palette(1);
        for (int s = 0; s < 1470; ++s) {
            level = static_cast<std::int16_t>(level + static_cast<std::int16_t>(noise() % 2001) - 1000);
            frame.sound.push_back(level);
        }
        movie.frames.push_back(frame);
    }
    return movie;
}

std::uint32_t now = 0;
std::uint32_t testClock() { return now; }
std::vector<std::uint8_t> heard;
void hear(const void* bytes, std::uint32_t size) {
    heard.insert(heard.end(), static_cast<const std::uint8_t*>(bytes), static_cast<const std::uint8_t*>(bytes) + size);
}

struct SmackLayerTest : ::testing::Test {
    void SetUp() override {
        now = 1000;
        heard.clear();
        SmackTestUseVirtualDevice(testClock, hear);
    }
    void TearDown() override {
        if (smack) SmackClose(smack);
        SmackTestUseVirtualDevice(nullptr, nullptr);
    }
    Smack* open(const std::vector<std::uint8_t>& bytes, std::uint32_t flags = kSmackNoSkip) {
        writeWholeFile(folder.file("m.smk"), std::string(bytes.begin(), bytes.end()));
        return smack = SmackOpen(folder.file("m.smk").c_str(), flags, 0);
    }
    Smack* open(const SmackerMovie& movie, std::uint32_t flags = kSmackNoSkip) { return open(writeSmacker(movie), flags); }
    // Shows the current frame in the test's screen, a buffer of the movie's size, and returns a copy.
    std::vector<std::uint8_t> show(std::uint32_t reversed = 0) {
        screen.resize(std::size_t(smack->Width) * smack->Height);
        SmackToBuffer(smack, 0, 0, smack->Width, smack->Height, screen.data(), reversed);
        SmackDoFrame(smack);
        return screen;
    }
    std::vector<std::uint32_t> rect() {
        if (!SmackToBufferRect(smack, 0)) return {};
        return {smack->LastRectx, smack->LastRecty, smack->LastRectw, smack->LastRecth};
    }

    TempFolder folder;
    Smack* smack = nullptr;
    std::vector<std::uint8_t> screen;
};

void expectPalette(const Smack& smack, const std::vector<SmackerColor>& palette) {
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(smack.Palette[i * 3], levelOf(palette[i].r));
        EXPECT_EQ(smack.Palette[i * 3 + 1], levelOf(palette[i].g));
        EXPECT_EQ(smack.Palette[i * 3 + 2], levelOf(palette[i].b));
    }
}

TEST_F(SmackLayerTest, DecodesTheWritersPixelsPalettesAndSamples) {
    for (const SmackerMovie& movie : {smallMovie(), blockMovie(), soundMovie()}) {
        SCOPED_TRACE(movie.width);
        heard.clear();
        std::vector<SmackerBlockCounts> kinds;
        ASSERT_NE(open(writeSmacker(movie, &kinds), kSmackNoSkip | kSmackTracks), nullptr);
        EXPECT_EQ(smack->Width, movie.width);
        EXPECT_EQ(smack->Height, movie.height);
        EXPECT_EQ(smack->Frames, movie.frames.size());
        EXPECT_EQ(smack->MSPerFrame, movie.frameTime);
        const std::vector<SmackerColor>* palette = nullptr;
        std::vector<std::int16_t> samples;
        for (std::size_t i = 0; i < movie.frames.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(smack->FrameNum, i);
            // The frame's palette is there before it is shown, for the caller to install first.
            if (!movie.frames[i].palette.empty()) palette = &movie.frames[i].palette;
            EXPECT_EQ(smack->NewPalette, movie.frames[i].palette.empty() ? 0u : 1u);
            smack->NewPalette = 0;
            expectPalette(*smack, *palette);
            EXPECT_EQ(show(), movie.frames[i].pixels);
            samples.insert(samples.end(), movie.frames[i].sound.begin(), movie.frames[i].sound.end());
            SmackNextFrame(smack);
        }
        EXPECT_EQ(smack->FrameNum, 0u);
        now += 10000;
        SmackWait(smack);
        ASSERT_GE(heard.size(), samples.size() * 2);
        std::vector<std::int16_t> played(samples.size());
        std::copy(heard.begin(), heard.begin() + static_cast<std::ptrdiff_t>(samples.size() * 2),
                  reinterpret_cast<std::uint8_t*>(played.data()));
        EXPECT_EQ(played, samples);
        SmackClose(smack);
        smack = nullptr;
        for (int kind = 0; kind < 4 && movie.width == 64; ++kind)
            EXPECT_GT(std::count_if(kinds.begin(), kinds.end(), [&](const auto& k) { return k[kind] > 0; }), 0) << kind;
    }
}

// Plain sound of 8 or 16 bits, mono or stereo, is heard as the bytes the movie holds.
TEST_F(SmackLayerTest, PlainSoundTracksPlayAsStored) {
    for (const std::uint8_t bits : {8, 16}) {
        for (const std::uint8_t channels : {1, 2}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(channels) + " channels");
            SmackerMovie movie = smallMovie();
            movie.soundRate = 11025;
            movie.soundPacked = false;
            movie.soundBits = bits;
            movie.soundChannels = channels;
            std::vector<std::uint8_t> stored;
            for (SmackerFrame& frame : movie.frames) {
                for (int i = 0; i < 100 * channels; ++i) {
                    const auto sample = static_cast<std::int16_t>(bits == 8 ? noise() % 256 : noise() * 2 - 32768);
                    frame.sound.push_back(sample);
                    stored.push_back(static_cast<std::uint8_t>(sample));
                    if (bits == 16) stored.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(sample) >> 8));
                }
            }
            heard.clear();
            if (smack) SmackClose(smack);
            ASSERT_NE(open(movie, kSmackNoSkip | kSmackTracks), nullptr);
            for (std::size_t i = 0; i < movie.frames.size(); ++i, SmackNextFrame(smack)) show();
            now += 10000;
            SmackWait(smack);
            ASSERT_GE(heard.size(), stored.size());
            EXPECT_EQ(std::vector<std::uint8_t>(heard.begin(), heard.begin() + static_cast<std::ptrdiff_t>(stored.size())), stored);
        }
    }
}

TEST_F(SmackLayerTest, WaitsForTheFrameTimeAndReportsChangedRectangles) {
    SmackerMovie movie = blockMovie();
    ASSERT_NE(open(movie), nullptr);
    EXPECT_EQ(SmackWait(smack), 0u);
    std::vector<std::uint8_t> pixels(100 * 42, 0);
    SmackToBuffer(smack, 3, 2, 100, 40, pixels.data(), 0);
    SmackDoFrame(smack);
    EXPECT_EQ(rect(), (std::vector<std::uint32_t>{3, 2, 64, 48}));
    EXPECT_TRUE(rect().empty());
    SmackNextFrame(smack);
    now += 66;
    EXPECT_EQ(SmackWait(smack), 1u);
    now += 1;
    EXPECT_EQ(SmackWait(smack), 0u);
    pixels[2 * 100 + 3] = 0xAB;  // outside the change: the same buffer named again is not a move
    SmackToBuffer(smack, 3, 2, 100, 40, pixels.data(), 0);
    SmackDoFrame(smack);
    EXPECT_EQ(rect(), (std::vector<std::uint32_t>{3 + 8, 2 + 4, 12, 8}));
    EXPECT_EQ(pixels[2 * 100 + 3], 0xAB);
    SmackNextFrame(smack);
    SmackDoFrame(smack);
    EXPECT_TRUE(rect().empty()) << "an unchanged frame";
    SmackNextFrame(smack);
    SmackDoFrame(smack);
    EXPECT_EQ(rect(), (std::vector<std::uint32_t>{3, 2, 64, 48})) << "a new palette";
}

// The millisecond clock wraps to 0 between frames 0 and 1: frame 1 is due a frame time after frame 0 all
// the same, not four billion milliseconds later.
TEST_F(SmackLayerTest, FramesStayDueAcrossTheClocksWrap) {
    now = 0xFFFFFFFFu - 30;
    ASSERT_NE(open(blockMovie()), nullptr);
    std::string waits;
    for (int frame = 0; frame < 3; ++frame) {
        show();
        SmackNextFrame(smack);
        now += 1;
        waits += std::to_string(SmackWait(smack));
        now += 66;
        waits += std::to_string(SmackWait(smack)) + " ";
    }
    EXPECT_EQ(waits, "10 10 10 ") << "waiting just after a frame, due a frame time later";
}

// Two changed pixels, (c, 1) and (99 - c, 2), in rows of 100, set by a frame and undone by the next: wherever
// they fall in the row comparison's steps, the rectangle holds exactly them.
TEST_F(SmackLayerTest, ChangedRectangleOfTwoPixelsAnywhereInTheRow) {
    const int columns[] = {0, 15, 16, 47, 63, 64, 79, 80, 95, 96};
    SmackerMovie movie{100, 4, 6666, 0, {SmackerFrame{}}};
    movie.frames[0].pixels.assign(400, 1);
    movie.frames[0].palette = palette(0);
    for (int c : columns) {
        SmackerFrame marked = movie.frames[0];
        marked.palette.clear();
        marked.pixels[100 + c] = marked.pixels[200 + 99 - c] = 2;
        movie.frames.push_back(marked);
        movie.frames.push_back(movie.frames.back());
        movie.frames.back().pixels = movie.frames[0].pixels;
    }
    ASSERT_NE(open(movie), nullptr);
    std::vector<std::uint8_t> pixels(400);
    SmackToBuffer(smack, 0, 0, 100, 4, pixels.data(), 0);
    SmackDoFrame(smack);
    rect();
    for (int c : columns) {
        SCOPED_TRACE(c);
        const std::vector<std::uint32_t> expected{std::uint32_t(std::min(c, 99 - c)), 1,
                                                  std::uint32_t(std::abs(99 - 2 * c) + 1), 2};
        for (int undo = 0; undo < 2; ++undo) {
            SmackNextFrame(smack);
            SmackDoFrame(smack);
            EXPECT_EQ(rect(), expected) << undo;
        }
    }
}

TEST_F(SmackLayerTest, GotoReversedRowsAndClipping) {
    SmackerMovie movie = blockMovie();
    ASSERT_NE(open(movie), nullptr);
    show();
    SmackGoto(smack, 5);
    EXPECT_EQ(smack->FrameNum, 5u);
    EXPECT_EQ(show(), movie.frames[5].pixels);
    EXPECT_EQ(rect(), (std::vector<std::uint32_t>{0, 0, 64, 48}));
    SmackGoto(smack, 1);
    std::vector<std::uint8_t> reversed = show(1);
    for (std::uint32_t y = 0; y < 48; ++y)
        EXPECT_TRUE(std::equal(reversed.begin() + (47 - y) * 64, reversed.begin() + (48 - y) * 64,
                               movie.frames[1].pixels.begin() + y * 64)) << y;
    // A 40 x 20 buffer with the frame at (10, 5): 30 columns and 15 rows of it fit; a guard follows.
    std::vector<std::uint8_t> clipped(40 * 20 + 64, 0xEE);
    SmackGoto(smack, 0);
    SmackToBuffer(smack, 10, 5, 40, 15, clipped.data(), 0);
    SmackDoFrame(smack);
    for (std::uint32_t y = 0; y < 20; ++y)
        for (std::uint32_t x = 0; x < 40; ++x) {
            bool inside = x >= 10 && y >= 5;
            std::uint8_t expected = inside ? movie.frames[0].pixels[(y - 5) * 64 + x - 10] : 0xEE;
            ASSERT_EQ(clipped[y * 40 + x], expected) << x << "," << y;
        }
    EXPECT_TRUE(std::all_of(clipped.begin() + 800, clipped.end(), [](std::uint8_t b) { return b == 0xEE; }));
}

// Three frame times after frame 0, the next frame is 3 (1 and 2 skipped and counted), or 1 with kSmackNoSkip.
TEST_F(SmackLayerTest, SkipsLateFramesUnlessToldNotToAndSumsUp) {
    const SmackerMovie movie = blockMovie();
    for (std::uint32_t flags : {0u, kSmackNoSkip}) {
        SCOPED_TRACE(flags);
        if (smack) SmackClose(smack);
        ASSERT_NE(open(movie, flags), nullptr);
        show();
        now += 200;
        SmackNextFrame(smack);
        const std::uint32_t next = flags ? 1 : 3;
        EXPECT_EQ(smack->FrameNum, next);
        EXPECT_EQ(show(), movie.frames[next].pixels);
        SmackSum sum;
        std::fill_n(reinterpret_cast<std::uint32_t*>(&sum), 19, 77u);
        SmackSummary(smack, &sum);
        EXPECT_EQ(sum.TotalTime, 200u);
        EXPECT_EQ(sum.MS100PerFrame, 6666u);
        EXPECT_EQ(sum.TotalFrames, 2u);
        EXPECT_EQ(sum.SkippedFrames, flags ? 0u : 2u);
        EXPECT_GT(sum.AverageFrameSize, 32u);
        EXPECT_EQ(sum.HighestExtraUsed, 0u);
    }
}

// Missing, foreign, truncated and damaged files: a null open, or frames that stop at the damage, with
// nothing written outside the buffer.
TEST_F(SmackLayerTest, BadInput) {
    EXPECT_EQ(SmackOpen(folder.file("none.smk").c_str(), 0, 0), nullptr);
    const std::vector<std::uint8_t> good = writeSmacker(blockMovie());
    EXPECT_EQ(open(std::vector<std::uint8_t>(good.begin(), good.begin() + 60)), nullptr);
    std::vector<std::uint8_t> foreign = good;
    foreign[0] = 'X';
    EXPECT_EQ(open(foreign), nullptr);
    std::vector<std::vector<std::uint8_t>> damaged;
    damaged.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    auto sizes = good;
    sizes[104 + 4 * 2 + 3] = 0x7F;  // frame 2 far past the end
    damaged.push_back(sizes);
    for (std::size_t at = 104 + 7 * 5; at < 104 + 7 * 5 + 40; at += 3) {
        auto trees = good;
        trees[at] = static_cast<std::uint8_t>(trees[at] ^ 0x5A);
        damaged.push_back(trees);
    }
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        if (smack) SmackClose(smack);
        if (!open(damaged[i], kSmackNoSkip | kSmackPreloadAll)) continue;
        std::vector<std::uint8_t> buffer(64 * 48 + 256, 0xEE);
        SmackToBuffer(smack, 0, 0, 64, 48, buffer.data(), 0);
        for (int frame = 0; frame < 7; ++frame, SmackNextFrame(smack)) SmackDoFrame(smack);
        EXPECT_TRUE(std::all_of(buffer.begin() + 64 * 48, buffer.end(), [](std::uint8_t b) { return b == 0xEE; }));
    }
}

}  // namespace
