// Animations on a deep off-screen canvas: the current shared palette taken at attach and shared by copies,
// frames drawn through it with skipped pixels left alone; and, on a deep display, the script factory's
// palette step.
#include <cstring>
#include <string>
#include <vector>

#include "AOPaletteRecord.h"
#include "AseqWriter.h"
#include "Files.h"
#include "OMAnimation.h"
#include "OMIStreamFile.h"
#include "TempFolder.h"
#include "TrinketFixture.h"

namespace {

// Frame 0 is 3 x 1: skip, index 20, index 30; the list: frame 0, end.
std::string animation() {
    AseqPicture p;
    p.sequences = {{{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}};
    p.frames = {{3, 1, {0, 20, 30}, {}}};
    return writeAseq(p, ByteOrder::little);
}

// Index 20 is `color`, index 30 its complement.
std::string rrgb(std::uint32_t color) {
    std::vector<std::uint32_t> colors(256, 0);
    colors[20] = color;
    colors[30] = color ^ 0xFFFFFF;
    return writeRrgb(colors);
}

AOPaletteRecord* palette(std::int16_t id, std::uint32_t color) {
    const std::string bytes = rrgb(color);
    return AOPaletteRecord::createFromRrgb(id, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

class AnimationDeepTest : public TrinketFixture {
protected:
    void TearDown() override {
        AOPaletteRecord::emptyList();
        OMAnimation::animationHook = nullptr;
        OMAnimation::paletteHook = nullptr;
        TrinketFixture::TearDown();
    }
    OMIStream* stream(const std::string& bytes) {
        const std::string path = folder.file("data" + std::to_string(++files));
        writeWholeFile(path, bytes);
        return new OMIStreamFile(path.c_str(), kStreamWhole, nullptr);
    }
    // The window composes into a 32-bit canvas (a DIB: frames are drawn through the palette directly).
    void deepWindow() {
        delete window->offscreen;
        window->offscreen = new OMMemCanvas(640, 460, 32, kSystemMemorySurface);
        window->invalidateAll();
    }
    std::uint32_t backColor(std::int32_t x, std::int32_t y) const {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        if (!window->offscreen->lockBits(bits, pitch)) return 0;
        std::uint32_t value = 0;
        std::memcpy(&value, bits + y * pitch + x * 4, 4);
        window->offscreen->unlockBits();
        return value & 0xFFFFFF;
    }

    TempFolder folder;
    int files = 0;
    static inline std::string hookFile;
    static inline std::string paletteFile;
};

TEST_F(AnimationDeepTest, AnAnimationDrawsWithThePaletteCurrentAtAttachAndCopiesShareIt) {
    deepWindow();
    AOPaletteRecord* older = palette(1, 0x102030);
    AOPaletteRecord* newer = palette(2, 0x405060);
    auto* a = new OMAnimation(window, stream(animation()), 100, 50);
    auto* copy = static_cast<OMAnimation*>(a->clone());
    EXPECT_EQ(older->references, 1);
    EXPECT_EQ(newer->references, 3) << "creation, the animation and its copy";
    window->update();
    EXPECT_EQ(backColor(100, 50), 0xFFFFFFu) << "the skipped pixel keeps the background";
    EXPECT_EQ(backColor(101, 50), 0x405060u);
    EXPECT_EQ(backColor(102, 50), 0xBFAF9Fu);
    delete copy;
    delete a;
    EXPECT_EQ(newer->references, 1) << "back to its creation reference";
}

// On a deep display the factory makes the palette of the animation's id current, from the palette hook's
// data when there is none yet.
TEST_F(AnimationDeepTest, OnADeepDisplayLoadedAndFoundPalettesBecomeCurrent) {
    if (displayBitsPerPixel(0) <= 8) GTEST_SKIP() << "palettes are shared on displays deeper than 8 bits only";
    hookFile = folder.file("hook.seq");
    writeWholeFile(hookFile, animation());
    OMAnimation::animationHook = [](std::int16_t) -> OMIStream* {
        return new OMIStreamFile(hookFile.c_str(), kStreamWhole, nullptr);
    };
    paletteFile = folder.file("hook.rgb");
    writeWholeFile(paletteFile, rrgb(0x654321));
    OMAnimation::paletteHook = [](std::int16_t id) -> OMIStream* {
        return id == 7 ? new OMIStreamFile(paletteFile.c_str(), kStreamWhole, nullptr) : nullptr;
    };
    ASSERT_NE(createObject("OMAnimation", "0", "0", "7"), nullptr);
    AOPaletteRecord* seven = AOPaletteRecord::current();
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->id, 7) << "made from the hook's data";
    EXPECT_EQ(seven->colors[20].red, 0x6500);
    palette(8, 0xFEDCBA);
    ASSERT_NE(createObject("OMAnimation", "0", "0", "7"), nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), seven) << "found by id and made current again";
    ASSERT_NE(createObject("OMAnimation", "0", "0", "9"), nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), seven) << "no palette of id 9 and no data for it";
}

}  // namespace
