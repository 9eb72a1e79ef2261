// NFNT bitmap fonts drawn into memory canvases and measured, damaged fonts refused, the TrueType and
// system fonts, and the font cache with its loader, fallbacks and substitutions.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DrawingSupport.h"
#include "NfntWriter.h"
#include "OMFont.h"
#include "OMFontCache.h"
#include "OMNFNTFont.h"
#include "OMTTFont.h"

namespace {

const std::vector<std::string> kA = {".###.", "#...#", "#...#", "#####", "#...#", ".....", "....."};
const std::vector<std::string> kDot = {"#", ".", ".", ".", ".", ".", "."};
const std::vector<std::string> kTilde = {"......", ".##..#", "#..##.", "......", "......", "......", "......"};

// ascent 5, descent 2, firstChar 0, lastChar 127: 'A' (offset 1, advance 7), '~' (the missing-glyph
// stand-in, code 126; offset 0, advance 8) and '.' (advance 0); 'B' is marked missing.
NfntFont testFont(ByteOrder order = ByteOrder::big) {
    NfntFont font;
    font.order = order;
    font.ascent = 5;
    font.descent = 2;
    font.glyphs = {{'A', 1, 7, kA}, {'~', 0, 8, kTilde}, {'.', 0, 0, kDot}};
    return font;
}

// Marks of an 8-bit canvas: '#' the text colour 249, '.' white, '?' anything else.
std::vector<std::string> marksOf(OMMemCanvas& canvas) {
    std::vector<std::string> rows;
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        std::string row;
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            const std::uint8_t p = pixelAt(canvas, x, y);
            row += p == 249 ? '#' : p == 255 ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// The same marks drawn by hand: each glyph image placed at (pen x + offset + kern, baseline - ascent).
struct Placed {
    std::int32_t left;
    const std::vector<std::string>* image;
};
std::vector<std::string> expectedMarks(std::int32_t width, std::int32_t height, std::int32_t baseline,
                                       const std::vector<Placed>& glyphs, std::int32_t rows = 7) {
    std::vector<std::string> marks(height, std::string(width, '.'));
    for (const Placed& glyph : glyphs) {
        for (std::int32_t r = 0; r < rows; ++r) {
            for (std::size_t x = 0; x < (*glyph.image)[r].size(); ++x) {
                const std::int32_t column = glyph.left + static_cast<std::int32_t>(x);
                const std::int32_t row = baseline - 5 + r;
                if ((*glyph.image)[r][x] == '#' && column >= 0 && column < width && row >= 0 && row < height) {
                    marks[row][column] = '#';
                }
            }
        }
    }
    return marks;
}

class FontTest : public ::testing::Test {
protected:
    std::unique_ptr<OMNFNTFont> fontOf(const std::string& bytes) {
        const std::unique_ptr<OMIStreamFile> stream = streamOver(folder, "f" + std::to_string(++files) + ".fnt", bytes);
        return std::make_unique<OMNFNTFont>(*stream);
    }
    std::vector<std::string> drawn(OMNFNTFont& font, const char* text, std::int32_t x, const OMRect* clip = nullptr) {
        OMMemCanvas canvas(24, 10, 8, 1);
        canvas.font = &font;
        canvas.textColor = {0, 0, 0, 249};
        if (clip) canvas.clip.setRect(*clip);
        canvas.drawText(x, 7, text);
        return marksOf(canvas);
    }
    TempFolder folder;
    int files = 0;
};

TEST_F(FontTest, TheRecordIsReadInEitherByteOrder) {
    struct Case {
        ByteOrder order;
        const char* start;
        bool bigEndian;
    };
    for (const Case& c : {Case{ByteOrder::big, "\x90\x00", true}, Case{ByteOrder::little, "\x00\x90", false}}) {
        SCOPED_TRACE(c.start[0] ? "big-endian" : "little-endian");
        const std::string bytes = writeNfnt(testFont(c.order));
        EXPECT_EQ(bytes.substr(0, 2), std::string(c.start, 2));
        const std::unique_ptr<OMNFNTFont> font = fontOf(bytes);
        ASSERT_EQ(font->status, NFNTStatus::built);
        EXPECT_EQ(font->data.bigEndian, c.bigEndian);
        EXPECT_EQ(font->ascent() * 100 + font->descent() * 10 + font->leading(), 520);
        EXPECT_EQ(font->size(), 7);
        EXPECT_STREQ(font->name.get(), "NFNT");
        EXPECT_EQ(font->data.locationTable.size(), 130u);
        EXPECT_EQ(font->data.locationTable['A'], 1) << "'.' comes first in the strike";
        EXPECT_EQ(font->data.locationTable['B'], 6);
        EXPECT_EQ(drawn(*font, "A~", 2), expectedMarks(24, 10, 7, {{3, &kA}, {9, &kTilde}}));
    }
}

TEST_F(FontTest, EachGlyphsInkLandsAtThePenPlusItsOffsetAndTheKern) {
    NfntFont kerned = testFont();
    kerned.kernMax = -2;
    NfntFont noStandIn = testFont();
    noStandIn.glyphs.erase(noStandIn.glyphs.begin() + 1);
    const std::unique_ptr<OMNFNTFont> plain = fontOf(writeNfnt(testFont()));
    const std::unique_ptr<OMNFNTFont> tight = fontOf(writeNfnt(kerned));
    const std::unique_ptr<OMNFNTFont> bare = fontOf(writeNfnt(noStandIn));
    const OMRect right{9, 0, 24, 10};
    struct Case {
        const char* name;
        OMNFNTFont* font;
        const char* text;
        const OMRect* clip;
        std::vector<Placed> glyphs;
    };
    const Case cases[] = {
        {"one glyph", plain.get(), "A", nullptr, {{3, &kA}}},
        {"kerned", tight.get(), "AA", nullptr, {{1, &kA}, {8, &kA}}},
        {"advance 0 keeps the pen", plain.get(), ".A", nullptr, {{2, &kDot}, {3, &kA}}},
        {"outside the clip: not drawn, still advances", plain.get(), "AA", &right, {{10, &kA}}},
        {"missing: drawn as lastChar - 1", plain.get(), "B", nullptr, {{2, &kTilde}}},
        {"beyond the tables: drawn as lastChar - 1", plain.get(), "\xC8\x81", nullptr, {{2, &kTilde}, {10, &kTilde}}},
        {"missing without a stand-in: empty", bare.get(), "BA", nullptr, {{3, &kA}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(drawn(*c.font, c.text, 2, c.clip), expectedMarks(24, 10, 7, c.glyphs));
    }
    EXPECT_EQ(plain->textWidth("B\xC8"), 16);
    EXPECT_EQ(bare->textWidth("BA"), 7);
}

TEST_F(FontTest, DeepMemoryCanvasesDrawOnlyTheFontsRowsInTheGlyphColour) {
    NfntFont tall = testFont();
    tall.strikeRows = 9;
    tall.glyphs[0].image.insert(tall.glyphs[0].image.end(), {"#####", "#####"});
    const std::unique_ptr<OMNFNTFont> font = fontOf(writeNfnt(tall));
    ASSERT_EQ(font->status, NFNTStatus::built);
    for (std::int32_t depth : {8, 32}) {
        SCOPED_TRACE(depth);
        OMMemCanvas canvas(12, 12, depth, 1);
        canvas.font = font.get();
        canvas.textColor = depth == 8 ? OMColorRecord{0, 0, 0, 249} : colorOf(0x12, 0x34, 0x56);
        canvas.drawText(0, 6, "A");
        const std::vector<std::string> want = expectedMarks(12, 12, 6, {{1, &kA}});
        for (std::int32_t i = 0; i < 144; ++i) {
            const bool ink = want[i / 12][i % 12] == '#';
            const std::uint32_t got = depth == 8 ? pixelAt(canvas, i % 12, i / 12) : pixel32At(canvas, i % 12, i / 12);
            EXPECT_EQ(got, depth == 8 ? (ink ? 249u : 255u) : (ink ? 0x123456u : 0xFFFFFFu)) << "pixel " << i;
        }
    }
}

TEST_F(FontTest, WidthsAndBoundsFollowOffsetsAdvancesKernAndImageWidths) {
    NfntFont font;
    font.ascent = 5;
    font.descent = 2;
    font.kernMax = -2;
    font.glyphs = {{'A', 1, 7, {"######"}}, {'B', 0, 4, {"###"}}, {'z', 0, 0, {}}, {'y', 3, 0, {}}};
    const std::unique_ptr<OMNFNTFont> nfnt = fontOf(writeNfnt(font));
    struct Case {
        const char* text;
        std::int32_t width;
        OMRect bounds;
    };
    const Case cases[] = {
        {"", 0, {0, -5, 0, 2}},
        {"A", 7, {-1, -5, 5, 2}},
        {"AB", 11, {-1, -5, 8, 2}},
        {"zy", 0, {-2, -5, 1, 2}},
        {"B\xC8", 4, {-2, -5, 2, 2}},  // code 200 lies outside the tables, and '~' has no glyph either
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(nfnt->textWidth(c.text), c.width);
        OMRect bounds{};
        nfnt->textBounds(bounds, c.text);
        EXPECT_TRUE(bounds == c.bounds) << bounds.left << " " << bounds.top << " " << bounds.right << " " << bounds.bottom;
    }
}

TEST_F(FontTest, TablesAndTheStrikeTakeTheSizesTheRecordGives) {
    NfntFont wide;
    wide.ascent = 1;
    wide.lastChar = 255;
    wide.glyphs = {{'a', 0, 20, {std::string(20, '#')}}, {'b', 0, 20, {std::string(20, '#')}}};
    const std::unique_ptr<OMNFNTFont> font = fontOf(writeNfnt(wide));
    ASSERT_EQ(font->status, NFNTStatus::built);
    EXPECT_EQ(font->data.locationTable.size(), 258u);
    EXPECT_EQ(font->data.owTable.size(), 516u);
    EXPECT_EQ(font->data.header.rowWords, 3);
    const BITMAPINFOHEADER& strike = font->strikeInfo()->bmiHeader;
    EXPECT_EQ(strike.biWidth, 48);
    EXPECT_EQ(strike.biSizeImage, 8u) << "rows of 6 bytes padded to 8";
    ASSERT_NE(font->strikeBitmap, nullptr);
    EXPECT_EQ(GetCurrentObject(font->memoryDC, OBJ_BITMAP), font->strikeBitmap);
}

TEST_F(FontTest, DamagedFontsAreRefusedAndDrawNothing) {
    const std::string good = writeNfnt(testFont());
    auto word = [&good](std::size_t offset, std::uint16_t value) {
        std::string bytes = good;
        bytes[offset] = static_cast<char>(value >> 8);
        bytes[offset + 1] = static_cast<char>(value);
        return bytes;
    };
    struct Case {
        const char* name;
        std::string bytes;
        NFNTStatus status;
    };
    const Case cases[] = {
        {"empty", "", NFNTStatus::truncated},
        {"shorter than the record", good.substr(0, 25), NFNTStatus::truncated},
        {"record only", good.substr(0, 26), NFNTStatus::damaged},
        {"last table entry cut", good.substr(0, good.size() - 1), NFNTStatus::damaged},
        {"offset/width table past the end", word(16, 0x7000), NFNTStatus::damaged},
        {"location table before the start", word(16, 0xFFF0), NFNTStatus::damaged},
        {"strike wider than the data", word(24, 0x7FFF), NFNTStatus::damaged},
        {"strike taller than the data", word(14, 0x4000), NFNTStatus::damaged},
        {"negative strike height", word(14, 0xFFFF), NFNTStatus::damaged},
        {"lastChar far below firstChar", word(4, 0xFF00), NFNTStatus::damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<OMNFNTFont> font = fontOf(c.bytes);
        EXPECT_EQ(font->status, c.status);
        EXPECT_EQ(font->strikeBitmap, nullptr);
        EXPECT_EQ(font->textWidth("AAA"), 0);
        EXPECT_EQ(drawn(*font, "A~B", 2), expectedMarks(24, 10, 7, {}));
    }
    writeWholeFile(folder.file("block.fnt"), good);
    OMIStreamFile blocks(folder.file("block.fnt").c_str(), 0, nullptr);
    OMNFNTFont unread(blocks);
    EXPECT_EQ(unread.status, NFNTStatus::notRead);
}

int CALLBACK firstTrueType(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM found) {
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == '@') return 1;
    *reinterpret_cast<std::string*>(found) = font->lfFaceName;
    return 0;
}

// The first installed TrueType family, or empty.
std::string someTrueTypeFace() {
    std::string face;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, nullptr, firstTrueType, reinterpret_cast<LPARAM>(&face));
    ReleaseDC(nullptr, screen);
    return face;
}

LOGFONTA logicalFont(HFONT font) {
    LOGFONTA logical{};
    GetObjectA(font, sizeof logical, &logical);
    return logical;
}

TEST(TrueTypeFontTest, FacesAreLookedUpExactlyAndStylesMakeTheirFaces) {
    const std::string face = someTrueTypeFace();
    if (face.empty()) GTEST_SKIP() << "no TrueType family installed";
    EXPECT_TRUE(trueTypeFamilyInstalled(face.c_str()));
    std::string otherCase = face;
    for (char& c : otherCase) c = static_cast<char>(std::islower(static_cast<unsigned char>(c)) ? std::toupper(c) : std::tolower(c));
    EXPECT_FALSE(trueTypeFamilyInstalled(otherCase.c_str()));
    EXPECT_FALSE(trueTypeFamilyInstalled("No Such Face"));

    OMTTFont font(face.c_str(), nullptr, nullptr, nullptr);
    EXPECT_STREQ(font.name.get(), face.c_str());
    EXPECT_EQ(logicalFont(font.handle).lfHeight, -16);
    struct Case {
        std::int32_t style;
        LONG weight;
        BYTE italic, underline;
    };
    for (const Case& c : {Case{3, 700, 1, 0}, Case{4, 0, 0, 1}}) {
        SCOPED_TRACE(c.style);
        font.setStyle(c.style);
        font.setSize(24);
        const LOGFONTA logical = logicalFont(font.handle);
        EXPECT_EQ(logical.lfWeight * 100 + logical.lfItalic * 10 + logical.lfUnderline, c.weight * 100 + c.italic * 10 + c.underline);
        EXPECT_EQ(logical.lfHeight, -24);
        EXPECT_STREQ(logical.lfFaceName, face.c_str());
    }
    OMRect bounds{};
    font.textBounds(bounds, "");
    EXPECT_TRUE(bounds == (OMRect{0, -font.ascent(), 0, font.descent()}));
}

TEST(TrueTypeFontTest, AFontFileThatCannotBeInstalledLeavesNothingBehind) {
    TempFolder folder;
    OMTTFont font("No Such Face", "nosuchfont", folder.path().c_str(), folder.path().c_str());
    EXPECT_EQ(font.installedFile, nullptr);
    EXPECT_FALSE(fileExists(folder.file("nosuchfont.fot")));
    EXPECT_EQ(font.name, nullptr);
    EXPECT_NE(font.handle, nullptr) << "the font is still made, in the default face";
}

// The cache's loader: id 7 opens a good font, id 8 a damaged one; every call is counted.
int loads = 0;
std::string fontFolder;
OMIStream* loadFont(std::uint16_t id) {
    ++loads;
    if (id != 7 && id != 8) return nullptr;
    return new OMIStreamFile((fontFolder + (id == 7 ? "\\good.fnt" : "\\bad.fnt")).c_str(), -1, nullptr);
}

class FontCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        fontFolder = folder.path();
        writeWholeFile(folder.file("good.fnt"), writeNfnt(testFont()));
        writeWholeFile(folder.file("bad.fnt"), writeNfnt(testFont()).substr(0, 40));
        loads = 0;
        setNFNTFontLoader(loadFont);
    }
    void TearDown() override { setNFNTFontLoader(nullptr); }
    TempFolder folder;
};

TEST_F(FontCacheTest, OneIdSharesOneFontUntilEveryLookUpIsReleased) {
    OMFont* first = findFontByID(7);
    OMFont* second = findFontByID(7);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first->typeName(), "OMNFNTFont");
    EXPECT_EQ(loads, 1);
    releaseFont(first);
    EXPECT_EQ(findFontByID(7), first) << "one reference is left";
    EXPECT_EQ(loads, 1);
    releaseFont(first);
    releaseFont(first);
    OMFont* again = findFontByID(7);
    EXPECT_EQ(loads, 2) << "the last release deleted the font";
    releaseFont(again);
    OMSysFont stranger;
    releaseFont(&stranger);
    EXPECT_STREQ(stranger.name.get(), "System font");
}

TEST_F(FontCacheTest, FontsThatCannotBeHadAreDistinctSystemFonts) {
    for (std::uint16_t id : {8, 9}) {
        SCOPED_TRACE(id);
        OMFont* first = findFontByID(id);
        OMFont* second = findFontByID(id);
        EXPECT_STREQ(first->typeName(), "OMSysFont");
        EXPECT_NE(first, second);
        EXPECT_EQ(findFontByPointer(first), first) << "registered by pointer";
        releaseFont(first);
        releaseFont(first);
        releaseFont(second);
    }
    setNFNTFontLoader(nullptr);
    OMFont* noLoader = findFontByID(7);
    EXPECT_STREQ(noLoader->typeName(), "OMSysFont");
    releaseFont(noLoader);
    OMFont* noFace = findFontByName("No Such Face", 0, 12);
    EXPECT_STREQ(noFace->typeName(), "OMSysFont");
    releaseFont(noFace);
}

TEST_F(FontCacheTest, NamesShareByExactNameStyleAndSize) {
    const std::string face = someTrueTypeFace();
    if (face.empty()) GTEST_SKIP() << "no TrueType family installed";
    OMFont* first = findFontByName(face.c_str(), 1, 20);
    ASSERT_STREQ(first->typeName(), "OMTTFont");
    EXPECT_EQ(first->size(), 20);
    EXPECT_EQ(first->style(), 1);
    EXPECT_EQ(findFontByName(face.c_str(), 1, 20), first);
    OMFont* larger = findFontByName(face.c_str(), 1, 21);
    OMFont* plainer = findFontByName(face.c_str(), 0, 20);
    EXPECT_NE(larger, first);
    EXPECT_NE(plainer, first);
    for (OMFont* font : {first, first, larger, plainer}) releaseFont(font);
}

TEST_F(FontCacheTest, SubstitutionsSendOneKeysLookUpsToAnother) {
    addFontSubstitution(fontKeyForID(40), fontKeyForID(7));
    OMFont* substituted = findFontByID(40);
    OMFont* direct = findFontByID(7);
    EXPECT_EQ(substituted, direct);
    EXPECT_EQ(loads, 1);
    addFontSubstitution(fontKeyForID(40), fontKeyForName("No Such Face", 0, 9));
    OMFont* replaced = findFontByID(40);
    EXPECT_STREQ(replaced->typeName(), "OMSysFont") << "a second substitution of a key replaces the first";
    addFontSubstitution(fontKeyForName("Alias", 2, 10), fontKey(direct));
    EXPECT_EQ(findFontByName("Alias", 2, 10), direct);
    addFontSubstitution(fontKeyForID(40), fontKeyForID(40 + 1));
    addFontSubstitution(fontKeyForName("Alias", 2, 10), fontKeyForID(41));
    for (OMFont* font : {substituted, direct, direct, replaced}) releaseFont(font);
}

}  // namespace
