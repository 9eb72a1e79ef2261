// Shared palette records, animations and static pictures on deep canvases, and RRGB palettes read into tables.
#include "AOPaletteRecord.h"
#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "ModuleResources.h"
#include "ProgramRun.h"
#include "TrinketFixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Frame 0 is 3 x 1: skip, index 20, index 30; the list: frame 0, end.
std::string animation() {
    return writeAseq({8, {}, 0, {{{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}}, {{3, 1, {0, 20, 30}, {}}}}, ByteOrder::little);
}

// A one-image picture, 3 x 2, big-endian: (skip, 20, 30) over (30, 30, 30).
std::string picture() {
    const AseqPicture p{8, {}, 0, {{{0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}},
                        {{3, 2, {0, 20, 30, 30, 30, 30}, {}}}};
    return writeAseq(p, ByteOrder::big);
}

// Index 20 is `color`, index 30 its complement; the components' low bytes are 0x34, which are ignored.
std::string rrgb(std::uint32_t color) {
    std::vector<std::uint32_t> colors(256, 0);
    colors[20] = color;
    colors[30] = color ^ 0xFFFFFF;
    return writeRrgb(colors, 0x34);
}

AOPaletteRecord* palette(std::int16_t id, std::uint32_t color, std::size_t cut = 0) {
    const std::string bytes = rrgb(color);
    return AOPaletteRecord::createFromRrgb(id, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() - cut);
}

struct AnimationDeepTest : TrinketFixture {
    void TearDown() override {
        AOPaletteRecord::emptyList();
        TrinketFixture::TearDown();
    }
    // The window composes into a 32-bit canvas (a DIB: frames are drawn through the palette directly).
    void deepWindow() {
        delete window->offscreen;
        window->offscreen = new OMMemCanvas(640, 460, 32, kSystemMemorySurface);
        window->invalidateAll();
    }
    // The colour at (x, y) of the window's 32-bit canvas.
    std::uint32_t backColor(std::int32_t x, std::int32_t y) const {
        const Bytes b = pixels(*window->offscreen, 1, 3, 4 * x, y);
        return b.size() == 3 ? static_cast<std::uint32_t>(b[2] << 16 | b[1] << 8 | b[0]) : 0;
    }
    // `count` bytes from byte `from` of each of `rows` rows from row `top` of the canvas.
    static Bytes pixels(OMMemCanvas& canvas, std::int32_t rows, std::int32_t count, std::int32_t from = 0,
                        std::int32_t top = 0) {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        Bytes bytes;
        if (!canvas.lockBits(bits, pitch)) return bytes;
        for (std::int32_t y = top; y < top + rows; ++y) bytes.insert(bytes.end(), bits + y * pitch + from, bits + y * pitch + from + count);
        canvas.unlockBits();
        return bytes;
    }
    AnimationFiles data;
};
using AnimationImageTest = AnimationDeepTest;

TEST_F(AnimationDeepTest, TheLastUsedPaletteIsCurrentFindMakesOneCurrentAgainAndTheLastReleaseDestroys) {
    AOPaletteRecord* const none = nullptr;
    EXPECT_EQ(std::tuple(palette(5, 0x102030, 1), AOPaletteRecord::current()), std::tuple(none, none)) << "short data";
    AOPaletteRecord* first = palette(5, 0x102030);
    AOPaletteRecord* second = palette(6, 0x405060);
    EXPECT_EQ(AOPaletteRecord::current(), second);
    const OMColorRecord& c = second->colors[20];
    EXPECT_EQ(std::tuple(c.red, c.green, c.blue), std::tuple(0x4000, 0x5000, 0x6000));
    EXPECT_EQ(AOPaletteRecord::find(5), first);
    EXPECT_EQ(std::tuple(AOPaletteRecord::current(), first->references), std::tuple(first, 2));
    EXPECT_EQ(AOPaletteRecord::find(7), nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), first);
    AOPaletteRecord::release(first);
    EXPECT_EQ(std::tuple(first->references, AOPaletteRecord::listSize()), std::tuple(1, 2u));
    AOPaletteRecord::release(first);
    EXPECT_EQ(std::tuple(AOPaletteRecord::current(), AOPaletteRecord::listSize()), std::tuple(second, 1u))
        << "the last release destroyed the record";
    std::vector<OMColorRecord> table(256, colorOf(1, 2, 3));
    EXPECT_EQ(AOPaletteRecord::createFromTable(table.data())->id, 0);
}

TEST_F(AnimationDeepTest, AnAnimationDrawsWithThePaletteCurrentAtAttachAndCopiesShareIt) {
    deepWindow();
    AOPaletteRecord* older = palette(1, 0x102030);
    AOPaletteRecord* newer = palette(2, 0x405060);
    auto* a = new OMAnimation(window, data.stream(animation()), 100, 50);
    auto* copy = static_cast<OMAnimation*>(a->clone());
    EXPECT_EQ(std::tuple(older->references, newer->references), std::tuple(1, 3)) << "creation, the animation and its copy";
    EXPECT_EQ(a->clipKind, kRedrawRegion) << "colour-keyed copies follow the damaged region";
    window->update();
    EXPECT_EQ(std::tuple(backColor(100, 50), backColor(101, 50), backColor(102, 50)), std::tuple(0xFFFFFFu, 0x405060u, 0xBFAF9Fu))
        << "the skipped pixel keeps the background";
    delete copy;
    delete a;
    EXPECT_EQ(newer->references, 1) << "back to its creation reference";
}

// On a deep display the factory makes the palette of the animation's id current, from the palette
// look-up's data when there is none yet.
TEST_F(AnimationDeepTest, OnADeepDisplayLoadedAndFoundPalettesBecomeCurrent) {
    ASSERT_GT(displayBitsPerPixel(0), 8) << "palettes are shared on displays deeper than 8 bits only";
    for (const std::int16_t id : {7, 9}) data.animation(id, animation());
    data.palette(7, rrgb(0x654321));
    ASSERT_NE(createObject("OMAnimation", "0", "0", "7"), nullptr);
    AOPaletteRecord* seven = AOPaletteRecord::current();
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(std::tuple(seven->id, seven->colors[20].red), std::tuple(7, 0x6500)) << "made from the look-up's data";
    palette(8, 0xFEDCBA);
    ASSERT_NE(createObject("OMAnimation", "0", "0", "7"), nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), seven) << "found by id and made current again";
    ASSERT_NE(createObject("OMAnimation", "0", "0", "9"), nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), seven) << "no palette of id 9 and no data for it";
}

// Deep canvases take index 20 as 0x102030 and 30 as 0xEFDFCF from the current palette; 8-bit ones the
// indices themselves. The skipped corner keeps the canvas's white.
TEST_F(AnimationImageTest, APictureDrawsAtTheOriginInTheCanvasFormat) {
    ASSERT_NE(palette(0, 0x102030), nullptr);
    const struct { std::int32_t depth; Bytes rows; } cases[] = {
        {8, {255, 20, 30, 30, 30, 30}},
        // 5 bits a component: 0x10 >> 3 = 2, 0x20 >> 3 = 4, 0x30 >> 3 = 6 -> 0x0886; 0xEF/0xDF/0xCF -> 0x7779.
        {16, {0xFF, 0x7F, 0x86, 0x08, 0x79, 0x77, 0x79, 0x77, 0x79, 0x77, 0x79, 0x77}},
        {24, {0xFF, 0xFF, 0xFF, 0x30, 0x20, 0x10, 0xCF, 0xDF, 0xEF, 0xCF, 0xDF, 0xEF, 0xCF, 0xDF, 0xEF, 0xCF, 0xDF, 0xEF}},
        {32, {0xFF, 0xFF, 0xFF, 0, 0x30, 0x20, 0x10, 0, 0xCF, 0xDF, 0xEF, 0,
              0xCF, 0xDF, 0xEF, 0, 0xCF, 0xDF, 0xEF, 0, 0xCF, 0xDF, 0xEF, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        OMMemCanvas canvas(8, 4, c.depth, kSystemMemorySurface);
        const std::int32_t row = 3 * c.depth / 8;
        const Bytes white = pixels(canvas, 2, row);
        OMAnimation::drawStreamImage(&canvas, data.stream(picture().substr(0, 60)), 0);
        EXPECT_EQ(pixels(canvas, 2, row), white) << "a damaged picture draws nothing";
        OMAnimation::drawStreamImage(&canvas, data.stream(picture()), 0);
        Bytes expected = c.rows;
        if (c.depth == 32) std::copy(white.begin(), white.begin() + 4, expected.begin());
        EXPECT_EQ(pixels(canvas, 2, row), expected);
    }
}

// Module data may not be written: a big-endian picture drawn from a locked resource, or an animation of one,
// is converted in a copy. Palettes keep the components' high bytes; short data leave the table as it was.
TEST_F(AnimationImageTest, PicturesAndPalettesComeFromStreamsAndModuleResources) {
    const std::string module = data.folder.file("pictures.dll");
    ASSERT_TRUE(writeModuleWithResources(ProgramWindow::ownFolder() + "ResModule.dll", module,
                                         {{"ASEQ", 3, picture()}, {"RRGB", 4, rrgb(0xABCDEF)}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    OMMemCanvas canvas(8, 4, 8, kSystemMemorySurface);
    OMAnimation::drawResourceImage(&canvas, new OMRes(3, "ASEQ", &file), 0);
    OMAnimation::drawResourceImage(&canvas, new OMRes(9, "ASEQ", &file), 0);
    EXPECT_EQ(pixels(canvas, 2, 3), (Bytes{255, 20, 30, 30, 30, 30}));
    // An animation of a locked resource converts a copy; the resource goes with the last lock.
    auto* a = new OMAnimation(window, new OMRes(3, "ASEQ", &file), 100, 50);
    auto* copy = static_cast<OMAnimation*>(a->clone());
    OMList<OMAnimation>& live = OMAnimation::liveAnimations();
    EXPECT_EQ(std::tuple(a->status(), a->bounds, a->clipKind, live.contains(a), live.contains(copy)),
              std::tuple(AseqStatus::ok, OMRect{100, 50, 103, 52}, kRedrawBoundingRect, 1, 1));
    EXPECT_EQ(std::tuple(copy->frameWidth(0), copy->frameHeight(0), copy->frameWidth(1), copy->frameHeight(-1)), std::tuple(3, 2, 0, 0));
    delete a;
    EXPECT_EQ(std::tuple(file.resources.count, live.contains(a)), std::tuple(1, 0)) << "the copy still uses it";
    delete copy;
    OMRes* held = new OMRes(3, "ASEQ", &file);
    void* bytes = nullptr;
    ASSERT_EQ(held->lock(&bytes), kResLoaded);
    delete new OMAnimation(window, held, 0, 0);
    EXPECT_EQ(std::tuple(file.resources.count, held->lockCount, live.contains(copy)), std::tuple(1, 1, 0)) << "its own lock keeps it";
    static_cast<void>(held->unlock());
    delete held;
    OMColorRecord table[256];
    OMAnimation::loadPalette(new OMRes(4, "RRGB", &file), table);
    EXPECT_EQ(std::tuple(table[20].red, table[20].green, table[20].blue, table[20].index),
              std::tuple(0xAB00, 0xCD00, 0xEF00, kColorFromComponents));
    EXPECT_EQ(AOPaletteRecord::listSize(), displayBitsPerPixel(0) > 8 ? 1u : 0u) << "shared on deep displays only";
    OMAnimation::loadPalette(data.stream(writeRrgb({}).substr(0, 1535)), table);
    EXPECT_EQ(table[20].red, 0xAB00) << "short data change nothing";
}

}  // namespace
