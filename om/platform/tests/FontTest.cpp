// NFNT bitmap fonts drawn into memory canvases and measured, damaged fonts refused, the TrueType and
// system fonts, and the font cache with its loader, fallbacks and substitutions.
#include <cctype>

#include "DrawingSupport.h"
#include "NfntWriter.h"
#include "OMFont.h"
#include "OMFontCache.h"
#include "OMNFNTFont.h"
#include "OMTTFont.h"

namespace {
using Image = std::vector<std::string>;
const Image kA = {".###.", "#...#", "#...#", "#####", "#...#", ".....", "....."};
const Image kDot = {"#", ".", ".", ".", ".", ".", "."};
const Image kTilde = {"......", ".##..#", "#..##.", "......", "......", "......", "......"};

// ascent 5, descent 2, firstChar 0, lastChar 127: 'A' (offset 1, advance 7), '~' (the missing-glyph
// stand-in, code 126; offset 0, advance 8) and '.' (advance 0); 'B' is marked missing.
NfntFont testFont(ByteOrder order = ByteOrder::big) {
    return NfntFont{order, 0, 127, 0, 5, 2, 0, 0, {{'A', 1, 7, kA}, {'~', 0, 8, kTilde}, {'.', 0, 0, kDot}}};
}

// The marks of a width x height canvas drawn by hand: each glyph image at (left, baseline - 5).
Image expectedMarks(std::int32_t width, std::int32_t height, std::int32_t baseline,
                    const std::vector<std::pair<std::int32_t, const Image*>>& glyphs) {
    Image marks(height, std::string(width, '.'));
    for (const auto& [left, image] : glyphs) {
        for (std::int32_t r = 0; r < 7; ++r) {
            for (std::int32_t x = 0; x < std::int32_t((*image)[r].size()); ++x) {
                const std::int32_t column = left + x, row = baseline - 5 + r;
                if ((*image)[r][x] == '#' && column >= 0 && column < width && row >= 0 && row < height) {
                    marks[row][column] = '#';
                }
            }
        }
    }
    return marks;
}

struct FontTest : ::testing::Test {
    std::unique_ptr<OMNFNTFont> fontOf(const std::string& bytes) {
        return std::make_unique<OMNFNTFont>(*streamOver(folder, "f" + std::to_string(++files) + ".fnt", bytes));
    }
    // The text drawn at (x, 7) of a 24 x 10 canvas in colour 249, as marks: '#' ink, '.' white, '?' other.
    Image drawn(OMNFNTFont& font, const char* text, std::int32_t x, const OMRect* clip = nullptr) {
        OMMemCanvas canvas(24, 10, 8, 1);
        canvas.font = &font;
        canvas.textColor = {0, 0, 0, 249};
        if (clip) canvas.clip.setRect(*clip);
        canvas.drawText(x, 7, text);
        Image rows(10);
        for (std::int32_t i = 0; i < 240; ++i) {
            const std::uint8_t p = pixelAt(canvas, i % 24, i / 24);
            rows[i / 24] += p == 249 ? '#' : p == 255 ? '.' : '?';
        }
        return rows;
    }
    TempFolder folder;
    int files = 0;
};

TEST_F(FontTest, TheRecordIsReadInEitherByteOrder) {
    for (const auto& [order, start, bigEndian] :
         {std::tuple{ByteOrder::big, "\x90\x00", true}, {ByteOrder::little, "\x00\x90", false}}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string bytes = writeNfnt(testFont(order));
        EXPECT_EQ(bytes.substr(0, 2), std::string(start, 2));
        const std::unique_ptr<OMNFNTFont> font = fontOf(bytes);
        ASSERT_EQ(font->status, NFNTStatus::built);
        EXPECT_EQ(font->data.bigEndian, bigEndian);
        EXPECT_EQ(std::tuple(font->ascent(), font->descent(), font->leading(), font->size()), std::tuple(5, 2, 0, 7));
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
    const struct { const char *name, *text; OMNFNTFont* font; const OMRect* clip;
                   std::vector<std::pair<std::int32_t, const Image*>> glyphs; } cases[] = {
        {"kerned", "AA", tight.get(), nullptr, {{1, &kA}, {8, &kA}}},
        {"advance 0 keeps the pen", ".A", plain.get(), nullptr, {{2, &kDot}, {3, &kA}}},
        {"outside the clip: not drawn, still advances", "AA", plain.get(), &right, {{10, &kA}}},
        {"missing: drawn as lastChar - 1", "B", plain.get(), nullptr, {{2, &kTilde}}},
        {"beyond the tables: drawn as lastChar - 1", "\xC8\x81", plain.get(), nullptr, {{2, &kTilde}, {10, &kTilde}}},
        {"missing without a stand-in: empty", "BA", bare.get(), nullptr, {{3, &kA}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(drawn(*c.font, c.text, 2, c.clip), expectedMarks(24, 10, 7, c.glyphs));
    }
    EXPECT_EQ(std::make_pair(plain->textWidth("B\xC8"), bare->textWidth("BA")), std::make_pair(16, 7));
}

// A strike taller than ascent + descent: only the font's rows are drawn.
TEST_F(FontTest, DeepMemoryCanvasesDrawOnlyTheFontsRowsInTheGlyphColour) {
    NfntFont tall = testFont();
    tall.strikeRows = 9;
    tall.glyphs[0].image.insert(tall.glyphs[0].image.end(), {"#####", "#####"});
    const std::unique_ptr<OMNFNTFont> font = fontOf(writeNfnt(tall));
    ASSERT_EQ(font->status, NFNTStatus::built);
    const Image want = expectedMarks(12, 12, 6, {{1, &kA}});
    for (std::int32_t depth : {8, 32}) {
        OMMemCanvas canvas(12, 12, depth, 1);
        canvas.font = font.get();
        canvas.textColor = depth == 8 ? OMColorRecord{0, 0, 0, 249} : colorOf(0x12, 0x34, 0x56);
        canvas.drawText(0, 6, "A");
        for (std::int32_t i = 0; i < 144; ++i) {
            const bool ink = want[i / 12][i % 12] == '#';
            const std::uint32_t got = pixel32At(canvas, i % 12, i / 12, depth / 8);
            EXPECT_EQ(got, depth == 8 ? (ink ? 249u : 255u) : (ink ? 0x123456u : 0xFFFFFFu)) << depth << ": " << i;
        }
    }
}

TEST_F(FontTest, WidthsAndBoundsFollowOffsetsAdvancesKernAndImageWidths) {
    const std::unique_ptr<OMNFNTFont> nfnt = fontOf(writeNfnt(NfntFont{
        ByteOrder::big, 0, 127, -2, 5, 2, 0, 0, {{'A', 1, 7, {"######"}}, {'B', 0, 4, {"###"}}, {'z', 0, 0, {}}, {'y', 3, 0, {}}}}));
    // Code 200 lies outside the tables, and '~' has no glyph either.
    const std::tuple<const char*, std::int32_t, OMRect> cases[] = {
        {"", 0, {0, -5, 0, 2}}, {"A", 7, {-1, -5, 5, 2}},   {"AB", 11, {-1, -5, 8, 2}},
        {"zy", 0, {-2, -5, 1, 2}}, {"B\xC8", 4, {-2, -5, 2, 2}}};
    for (const auto& [text, width, want] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(nfnt->textWidth(text), width);
        OMRect bounds{};
        nfnt->textBounds(bounds, text);
        EXPECT_EQ(std::tuple(bounds.left, bounds.top, bounds.right, bounds.bottom),
                  std::tuple(want.left, want.top, want.right, want.bottom));
    }
}

TEST_F(FontTest, DamagedFontsAreRefusedAndDrawNothing) {
    const std::string good = writeNfnt(testFont());
    auto word = [&good](std::size_t offset, std::uint16_t value) {
        std::string bytes = good;
        bytes[offset] = static_cast<char>(value >> 8);
        bytes[offset + 1] = static_cast<char>(value);
        return bytes;
    };
    const std::tuple<const char*, std::string, NFNTStatus> cases[] = {
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
    for (const auto& [name, bytes, status] : cases) {
        SCOPED_TRACE(name);
        const std::unique_ptr<OMNFNTFont> font = fontOf(bytes);
        EXPECT_EQ(std::make_tuple(font->status, font->strikeBitmap == nullptr, font->textWidth("AAA")),
                  std::make_tuple(status, true, 0));
        EXPECT_EQ(drawn(*font, "A~B", 2), expectedMarks(24, 10, 7, {}));
    }
    writeWholeFile(folder.file("block.fnt"), good);
    OMIStreamFile blocks(folder.file("block.fnt").c_str(), 0, nullptr);
    EXPECT_EQ(OMNFNTFont(blocks).status, NFNTStatus::notRead);
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

// Style 3 is bold (700) italic, style 4 underlined at the default weight; a font file that cannot be
// installed leaves nothing behind and the font is still made, in the default face.
TEST(TrueTypeFontTest, FacesAreLookedUpExactlyAndStylesMakeTheirFaces) {
    TempFolder folder;
    OMTTFont notInstalled("No Such Face", "nosuchfont", folder.path().c_str(), folder.path().c_str());
    EXPECT_EQ(notInstalled.installedFile, nullptr);
    EXPECT_FALSE(fileExists(folder.file("nosuchfont.fot")));
    EXPECT_EQ(notInstalled.name, nullptr);
    EXPECT_NE(notInstalled.handle, nullptr);
    const std::string face = someTrueTypeFace();
    if (face.empty()) GTEST_SKIP() << "no TrueType family installed";
    EXPECT_TRUE(trueTypeFamilyInstalled(face.c_str()));
    std::string otherCase = face;
    for (char& c : otherCase) c = static_cast<char>(std::islower(std::uint8_t(c)) ? std::toupper(c) : std::tolower(c));
    for (const std::string& absent : {otherCase, std::string("No Such Face")})
        EXPECT_FALSE(trueTypeFamilyInstalled(absent.c_str())) << absent;
    OMTTFont font(face.c_str(), nullptr, nullptr, nullptr);
    EXPECT_STREQ(font.name.get(), face.c_str());
    EXPECT_EQ(logicalFont(font.handle).lfHeight, -16);
    for (const auto& [style, weight, italic, underline] :
         {std::tuple<std::int32_t, LONG, BYTE, BYTE>{3, 700, 1, 0}, {4, 0, 0, 1}}) {
        font.setStyle(style);
        font.setSize(24);
        const LOGFONTA logical = logicalFont(font.handle);
        EXPECT_EQ(std::tuple(logical.lfWeight, logical.lfItalic, logical.lfUnderline, logical.lfHeight),
                  std::tuple(weight, italic, underline, LONG(-24))) << style;
        EXPECT_STREQ(logical.lfFaceName, face.c_str());
    }
    OMRect bounds{};
    font.textBounds(bounds, "");
    EXPECT_TRUE(bounds == (OMRect{0, -font.ascent(), 0, font.descent()}));
}

// The cache's loader: id 7 opens a good font, id 8 a damaged one; every call is counted.
int loads = 0;
std::string fontFolder;
OMIStream* loadFont(std::uint16_t id) {
    ++loads;
    if (id != 7 && id != 8) return nullptr;
    return new OMIStreamFile((fontFolder + (id == 7 ? "\\good.fnt" : "\\bad.fnt")).c_str(), -1, nullptr);
}

struct FontCacheTest : ::testing::Test {
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

// One id shares one font until every look-up is released; fonts that cannot be had are distinct system
// fonts, registered by pointer.
TEST_F(FontCacheTest, OneIdSharesOneFontAndFailedLookUpsGiveDistinctSystemFonts) {
    OMFont* first = findFontByID(7);
    EXPECT_EQ(findFontByID(7), first);
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
    for (std::uint16_t id : {8, 9}) {
        OMFont* one = findFontByID(id);
        OMFont* other = findFontByID(id);
        EXPECT_STREQ(one->typeName(), "OMSysFont") << id;
        EXPECT_NE(one, other);
        EXPECT_EQ(findFontByPointer(one), one);
        for (OMFont* font : {one, one, other}) releaseFont(font);
    }
    OMFont* noFace = findFontByName("No Such Face", 0, 12);
    EXPECT_STREQ(noFace->typeName(), "OMSysFont");
    releaseFont(noFace);
    setNFNTFontLoader(nullptr);
    OMFont* noLoader = findFontByID(7);
    EXPECT_STREQ(noLoader->typeName(), "OMSysFont");
    releaseFont(noLoader);
}

TEST_F(FontCacheTest, SubstitutionsSendOneKeysLookUpsToAnother) {
    addFontSubstitution(fontKeyForID(40), fontKeyForID(7));
    OMFont* substituted = findFontByID(40);
    OMFont* direct = findFontByID(7);
    EXPECT_EQ(std::make_pair(substituted, loads), std::make_pair(direct, 1));
    addFontSubstitution(fontKeyForID(40), fontKeyForName("No Such Face", 0, 9));
    OMFont* replaced = findFontByID(40);
    EXPECT_STREQ(replaced->typeName(), "OMSysFont") << "a second substitution of a key replaces the first";
    addFontSubstitution(fontKeyForName("Alias", 2, 10), fontKey(direct));
    EXPECT_EQ(findFontByName("Alias", 2, 10), direct);
    addFontSubstitution(fontKeyForID(40), fontKeyForID(41));
    addFontSubstitution(fontKeyForName("Alias", 2, 10), fontKeyForID(41));
    for (OMFont* font : {substituted, direct, direct, replaced}) releaseFont(font);
    const std::string face = someTrueTypeFace();
    if (face.empty()) GTEST_SKIP() << "no TrueType family installed";
    OMFont* named = findFontByName(face.c_str(), 1, 20);
    ASSERT_STREQ(named->typeName(), "OMTTFont");
    EXPECT_EQ(std::pair(named->size(), named->style()), std::pair(20, 1));
    EXPECT_EQ(findFontByName(face.c_str(), 1, 20), named) << "names share by exact name, style and size";
    OMFont* larger = findFontByName(face.c_str(), 1, 21);
    OMFont* plainer = findFontByName(face.c_str(), 0, 20);
    EXPECT_NE(larger, named);
    EXPECT_NE(plainer, named);
    for (OMFont* font : {named, named, larger, plainer}) releaseFont(font);
}
}  // namespace
