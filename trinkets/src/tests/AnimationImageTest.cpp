// Backgrounds' static operations: RRGB palettes read into tables, and one-image ASEQ pictures drawn at
// (0, 0) over memory canvases of 8, 16, 24 and 32 bits, the deep ones through the current shared palette.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "AOPaletteRecord.h"
#include "AseqWriter.h"
#include "Files.h"
#include "ModuleResources.h"
#include "OMAnimation.h"
#include "OMIStreamFile.h"
#include "OMSystemUtilities.h"
#include "TempFolder.h"

namespace {

class AnimationImageTest : public ::testing::Test {
protected:
    void TearDown() override { AOPaletteRecord::emptyList(); }

    // A stream over the bytes, for the operation to delete.
    OMIStream* stream(const std::string& bytes) {
        const std::string path = folder.file("data" + std::to_string(++files));
        writeWholeFile(path, bytes);
        return new OMIStreamFile(path.c_str(), kStreamWhole, nullptr);
    }
    // The first `count` bytes of each of the canvas's first `rows` rows.
    static std::vector<std::uint8_t> pixels(OMMemCanvas& canvas, std::int32_t rows, std::int32_t count) {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        std::vector<std::uint8_t> bytes;
        if (!canvas.lockBits(bits, pitch)) return bytes;
        for (std::int32_t row = 0; row < rows; ++row) bytes.insert(bytes.end(), bits + row * pitch, bits + row * pitch + count);
        canvas.unlockBits();
        return bytes;
    }

    TempFolder folder;
    int files = 0;
};

// A one-image picture, 3 x 2, big-endian: (skip, 20, 30) over (30, 30, 30).
std::string picture() {
    AseqPicture p;
    p.sequences = {{{0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}};
    p.frames = {{3, 2, {0, 20, 30, 30, 30, 30}, {}}};
    return writeAseq(p, ByteOrder::big);
}

// Deep canvases take index 20 as 0x102030 and 30 as 0x405060 from the current palette; 8-bit ones the
// indices themselves. The skipped corner keeps the canvas's white.
TEST_F(AnimationImageTest, APictureDrawsAtTheOriginInTheCanvasFormat) {
    std::vector<std::uint32_t> colors(256, 0);
    colors[20] = 0x102030;
    colors[30] = 0x405060;
    const std::string rrgb = writeRrgb(colors);
    ASSERT_NE(AOPaletteRecord::createFromRrgb(0, reinterpret_cast<const std::uint8_t*>(rrgb.data()), rrgb.size()), nullptr);
    const struct {
        std::int32_t depth;
        std::vector<std::uint8_t> rows;
    } cases[] = {
        {8, {255, 20, 30, 30, 30, 30}},
        // 5 bits a component: 0x10 >> 3 = 2, 0x20 >> 3 = 4, 0x30 >> 3 = 6 -> 0x0886; 0x40/0x50/0x60 -> 0x214C.
        {16, {0xFF, 0x7F, 0x86, 0x08, 0x4C, 0x21, 0x4C, 0x21, 0x4C, 0x21, 0x4C, 0x21}},
        {24, {0xFF, 0xFF, 0xFF, 0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x60, 0x50, 0x40, 0x60, 0x50, 0x40, 0x60, 0x50, 0x40}},
        {32, {0xFF, 0xFF, 0xFF, 0, 0x30, 0x20, 0x10, 0, 0x60, 0x50, 0x40, 0,
              0x60, 0x50, 0x40, 0, 0x60, 0x50, 0x40, 0, 0x60, 0x50, 0x40, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        OMMemCanvas canvas(8, 4, c.depth, kSystemMemorySurface);
        const std::int32_t row = 3 * c.depth / 8;
        const std::vector<std::uint8_t> white = pixels(canvas, 2, row);
        OMAnimation::drawStreamImage(&canvas, stream(picture().substr(0, 60)), 0);
        EXPECT_EQ(pixels(canvas, 2, row), white) << "a damaged picture draws nothing";
        OMAnimation::drawStreamImage(&canvas, stream(picture()), 0);
        std::vector<std::uint8_t> expected = c.rows;
        if (c.depth == 32) std::copy(white.begin(), white.begin() + 4, expected.begin());
        EXPECT_EQ(pixels(canvas, 2, row), expected);
    }
}

// Module data may not be written: a big-endian picture drawn from a locked resource is converted in a
// copy. Palettes keep the components' high bytes; short data leave the table as it was.
TEST_F(AnimationImageTest, PicturesAndPalettesComeFromStreamsAndModuleResources) {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const std::string module = folder.file("pictures.dll");
    std::vector<std::uint32_t> colors(256, 0);
    colors[20] = 0xABCDEF;
    ASSERT_TRUE(writeModuleWithResources(own.substr(0, own.find_last_of('\\') + 1) + "ResModule.dll", module,
                                         {{"ASEQ", 3, picture()}, {"RRGB", 4, writeRrgb(colors, 0x9A)}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    OMMemCanvas canvas(8, 4, 8, kSystemMemorySurface);
    OMAnimation::drawResourceImage(&canvas, new OMRes(3, "ASEQ", &file), 0);
    OMAnimation::drawResourceImage(&canvas, new OMRes(9, "ASEQ", &file), 0);
    EXPECT_EQ(pixels(canvas, 2, 3), (std::vector<std::uint8_t>{255, 20, 30, 30, 30, 30}));
    OMColorRecord table[256];
    OMAnimation::loadPalette(new OMRes(4, "RRGB", &file), table);
    EXPECT_EQ(std::tuple(table[20].red, table[20].green, table[20].blue, table[20].index),
              std::tuple(0xAB00, 0xCD00, 0xEF00, kColorFromComponents));
    EXPECT_EQ(AOPaletteRecord::listSize(), displayBitsPerPixel(0) > 8 ? 1u : 0u) << "shared on deep displays only";
    OMAnimation::loadPalette(stream(writeRrgb({}).substr(0, 1535)), table);
    EXPECT_EQ(table[20].red, 0xAB00) << "short data change nothing";
}

}  // namespace
