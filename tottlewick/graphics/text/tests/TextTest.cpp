// Fonts and text boxes: a forged shape font laid out and drawn into memory canvases (metrics, maps, tabs,
// wrapping, scrolling, paragraphs), system fonts and the text-style stack on the 8-bit display, and port
// scrolling.
#include <algorithm>

#include "Font.h"
#include "FontMap.h"
#include "PortScroll.h"
#include "TextBox.h"
#include "TextLayout.h"
#include "TextStyle.h"
#include "UpdateTestSupport.h"

namespace {

// Shape i is an 8 x 10 block of palette index i + 1; shape 27 (the space) is 5 wide, shape 56 ("X") 10
// wide, and every frame 14 high.
ForgeBank fontBank(int count) {
    ForgeBank bank;
    for (int i = 0; i < count; ++i) {
        ForgeShape shape;
        shape.width = i == 27 ? 5 : i == 56 ? 10 : 8;
        shape.height = 10;
        shape.frameWidth = std::int16_t(shape.width);
        shape.frameHeight = 14;
        shape.pixels.assign(std::size_t(shape.width * shape.height), ForgePixel{ForgePixel::opaque, std::uint16_t(i + 1)});
        bank.shapes.push_back(shape);
    }
    return bank;
}

constexpr std::uint8_t kBlank = 0;
constexpr std::uint16_t kShapeA = 34;  // 'A' is shape 33

// The pieces of a text: (characters, how it ended, whether it was cut) each.
std::vector<std::string> piecesOf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t position = 0;
    for (TextPiece piece; textNextPiece(text.data(), text.size(), &position, &piece);)
        out.push_back(std::to_string(piece.count) + "/" + std::to_string(int(piece.end)) + (piece.cut ? "c" : ""));
    return out;
}

TEST(TextLayoutTest, PiecesAndTabStops) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(piecesOf("ab\r\ncd\r\r\tef"), (Pieces{"2/1", "2/1", "0/1", "0/2", "2/0"}));
    EXPECT_EQ(piecesOf(std::string(1038, 'a') + "  b"), (Pieces{"1037/0c", "4/0"}))
        << "cut at 1040: the trailing blanks and the last character start the next piece";
    EXPECT_EQ(piecesOf(std::string(1100, ' ')).front(), "1/0c") << "a run of blanks still moves on";
    EXPECT_EQ((Results{textTabStop(0, 10), textTabStop(40, 10), textTabStop(13, 0)}), (Results{40, 80, 13}));
}

struct TextTest : ScreenUpdateTest {
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ASSERT_TRUE(writeResources(folder.file("Font.PRS"), {{"XPK", 1, forgeXpk(fontBank(96), ByteOrder::big)},
                                                             {"XPK", 2, forgeXpk(fontBank(40), ByteOrder::big)},
                                                             {"MAP", 1, std::string("\x01\x02", 2)},
                                                             {"MAP", 2, std::string("\x05\x06\x07", 3)}}));
        ASSERT_NE(ResOpenFile("Font"), 0u);
        font = FontNewShape(1);
        ASSERT_NE(font, 0u);
        ASSERT_EQ(TextBoxNew(&box), 1);
        TextBoxSetFont(box, font);
        canvas = memory(100, 40);
        PortSet(canvas);
    }
    void TearDown() override {
        FontSetCurrent(0);
        TextBoxFree(&box);
        FontFree(&font);
        FontMapsTerm();
        TextTerm();
        ScreenUpdateTest::TearDown();
    }
    // The box at (0, 0) of the given size with these flags, the pen at its top-left.
    void boxOf(int width, int height, std::uint32_t flags) {
        const Rect rect{0, 0, std::int16_t(width), std::int16_t(height)};
        TextBoxSetRect(box, &rect);
        TextBoxSetAlign(box, flags & kTextLayoutMask);
        TextBoxSetMode(box, (flags & kTextModeMask) >> 2);
        TextBoxSetBackMode(box, (flags & kTextBackMask) >> 6);
        TextBoxSetNoScroll(box, flags & kTextNoScroll ? 1 : 0);
    }
    Point pen() const {
        Point p{};
        TextBoxGetPen(box, &p);
        return p;
    }
    // The rightmost column of row y that holds a drawn pixel, -1 when none does.
    int lastDrawn(int y) const {
        for (int x = CanvasGetWidth(canvas) - 1; x >= 0; --x)
            if (pixelAt(canvas, x, y) != kBlank) return x;
        return -1;
    }
    Font font = 0;
    TextBox box = 0;
    Canvas canvas = 0;
};

TEST_F(TextTest, ShapeFontMetricsMapsAndCharactersPastTheBank) {
    EXPECT_EQ((Results{FontGetKind(font), FontGetSpaceWidth(font), FontGetSpacing(font), FontGetCapHeight(font),
                       FontGetLineHeight(font)}),
              (Results{kFontShape, 5, 1, 10, 14}));
    FontSetCurrent(font);
    EXPECT_EQ(FontTextWidth("ABC", -1), 26);
    EXPECT_EQ(TextBoxWidth(box, "ABC", 3), 26);
    EXPECT_EQ(TextBoxWidth(0, "ABC", 3), 0);
    const ShapeBank bank = FontGetBank(font);
    EXPECT_EQ((Results{FontShapeIndex(bank, 'A'), FontShapeIndex(bank, 255), FontHasChar(bank, 255),
                       FontHasChar(bank, 'A'), FontHasChar(bank, '\t'), FontHasChar(bank, 127), FontCharWidth(font, 127)}),
              (Results{33, 95, 0, 1, 0, 1, 8})) << "127 is shape 95 itself";
    FontDrawString(0, 0, "\xFF");
    EXPECT_EQ(pixelAt(canvas, 0, 0), 96) << "shape 95 stands for a character past the bank";

    // In a bank of 40 shapes, shape 95 does not exist: nothing is drawn.
    Font small = FontNewShape(2);
    ASSERT_NE(small, 0u);
    FontSetCurrent(small);
    FontDrawString(10, 20, "z");
    EXPECT_EQ(pixelAt(canvas, 10, 20), kBlank);
    FontSetCurrent(0);
    FontFree(&small);

    // MAP 2 of three bytes maps ' ', '!' and '"' only; MAP 1 translates in slots B and C.
    ASSERT_EQ(FontMapsInit(), 1);
    EXPECT_EQ((Results{FontShapeIndex(bank, ' '), FontShapeIndex(bank, '"'), FontShapeIndex(bank, '#'),
                       FontMapChar(kFontMapB, '!'), FontMapChar(kFontMapC, '"'), FontMapChar(kFontMapC, 'A'),
                       FontMapChar(kFontMapB, 10), FontMapLoad(kFontMapA, 0), FontMapChar(kFontMapA, '!')}),
              (Results{5, 7, 3, 34, '"', 'A', 10, 2, '!'}));

    // The current-font stack refuses a ninth push and a pop with nothing pushed.
    for (int i = 0; i < kFontStackSize; ++i) EXPECT_EQ(FontPush(font), 1);
    EXPECT_EQ(FontPush(font), 0);
    TextBoxSetFont(box, font);
    TextBoxDraw(box, "A", nullptr);
    EXPECT_EQ(FontPush(font), 0) << "a text box pops nothing it did not push";
    for (int i = 0; i < kFontStackSize; ++i) FontPop();
    EXPECT_EQ(FontPop(), 0u);
}

TEST_F(TextTest, TabsAndWordWrap) {
    TextBoxDraw(box, "\tA", nullptr);  // no rectangle of its own: the port's bounds
    EXPECT_EQ((Results{pen().h, pixelAt(canvas, 40, 0), pixelAt(canvas, 39, 0)}), (Results{48, kShapeA, kBlank}));

    // A box 30 wide holds three letters (26 pixels); a fourth would need 35.
    boxOf(30, 100, kTextWordWrap);
    const Point indented{5, 0};
    EXPECT_EQ(TextBoxFitChars(box, "ABCDEFG"), 3);
    EXPECT_EQ(TextBoxFitWord(box, "ABCDEFG"), 3) << "a word wider than the box breaks at its edge";
    EXPECT_EQ(TextBoxFitWord(box, "AB ABCDEFG"), 2) << "up to the blank after the last whole word";
    TextBoxSetPen(box, &indented);
    EXPECT_EQ(TextBoxFitWord(box, "ABCDEFG"), 0) << "a word that does not start the line moves on";
    TextBoxSetPen(box, &indented);
    TextBoxDraw(box, "ABCDEFG", nullptr);
    EXPECT_EQ((Results{pen().h, pen().v, pixelAt(canvas, 5, 0), pixelAt(canvas, 0, 14), pixelAt(canvas, 0, 28)}),
              (Results{8, 42, kBlank, kShapeA, kShapeA + 3}));

    // A box narrower than any letter still takes one per line.
    boxOf(5, 100, 0);
    TextBoxDraw(box, "AB", nullptr);
    EXPECT_EQ((Results{pen().h, pen().v, pixelAt(canvas, 0, 14)}), (Results{5, 14, kShapeA + 1}));
}

TEST_F(TextTest, ScrollingAtTheBottomAndWritingOnBelow) {
    boxOf(100, 28, kTextOpaque);
    TextBoxSetBackColor(box, kPalIndexTag | 7);
    Rect out{};
    TextBoxDraw(box, "A\rB\rC", &out);
    EXPECT_EQ((Results{pixelAt(canvas, 0, 0), pixelAt(canvas, 0, 14), pixelAt(canvas, 9, 14), pixelAt(canvas, 0, 28),
                       pen().v}),
              (Results{kShapeA + 1, kShapeA + 2, 7, kBlank, 14}))
        << "B moved up a line, C below it on the filled strip";
    EXPECT_EQ(rectCsv(out), "0,0,100,28");

    PortSet(canvas = memory(100, 40));
    boxOf(100, 28, kTextOpaque | kTextNoScroll);
    TextBoxDraw(box, "A\rB\rC", nullptr);
    EXPECT_EQ((Results{pixelAt(canvas, 0, 0), pixelAt(canvas, 0, 28), pen().v}), (Results{kShapeA, kShapeA + 2, 28}));

    // A line end that leaves the pen on the bottom edge scrolls nothing; the next line makes its room.
    PortSet(canvas = memory(100, 40));
    boxOf(100, 28, kTextOpaque);
    TextBoxDraw(box, "A\rB\r", nullptr);
    EXPECT_EQ((Results{pixelAt(canvas, 0, 0), pixelAt(canvas, 0, 14), pen().v}), (Results{kShapeA, kShapeA + 1, 28}))
        << "the text ends with a line end: A and B stay";
    TextBoxDraw(box, "C", nullptr);
    EXPECT_EQ((Results{pixelAt(canvas, 0, 0), pixelAt(canvas, 0, 14), pen().v}), (Results{kShapeA + 1, kShapeA + 2, 14}));
}

TEST_F(TextTest, ParagraphsSpreadCentredAndJustified) {
    const Rect target{0, 0, 100, 40}, tall{0, 0, 100, 200};
    TextBoxDrawInRect(box, "A", &target, kTextSpread, nullptr);
    EXPECT_EQ((Results{pixelAt(canvas, 0, 12), pixelAt(canvas, 0, 13), pixelAt(canvas, 0, 22)}),
              (Results{kBlank, kShapeA, kShapeA}))
        << "one line centred: (40 - 14) / 2 = 13";
    PortSet(canvas = memory(100, 200));
    TextBoxDrawInRect(box, "A\rB\rC", &tall, kTextSpread, nullptr);
    EXPECT_EQ((Results{pixelAt(canvas, 0, 0), pixelAt(canvas, 0, 93), pixelAt(canvas, 0, 186)}),
              (Results{kShapeA, kShapeA + 1, kShapeA + 2})) << "lines (200 - 14) / 2 = 93 apart";
    PortSet(canvas = memory(100, 40));
    boxOf(100, 40, kTextOneLine);
    TextBoxDrawInRect(box, "A\rB", &target, 0, nullptr);
    EXPECT_EQ(pixelAt(canvas, 0, 14), kShapeA + 1) << "in a one-line box, a line that ended at a line end goes on";
    boxOf(100, 40, 0);

    PortSet(canvas = memory(100, 40));
    TextBoxSetMode(box, kTextWordWrap >> 2);
    TextBoxDrawInRect(box, "AB AB AB AB AB AB AB", &target, kTextJustify, nullptr);
    EXPECT_GE(lastDrawn(0), 97) << "the first line stretched to the box's width";
    EXPECT_LT(lastDrawn(14), 90) << "the paragraph's last line keeps its width";
    EXPECT_EQ(TextBoxGetAlign(box), kTextProportional) << "the box's settings come back";

    // Long runs without a line end, with and without word wrap, end.
    boxOf(300, 40, kTextWordWrap);
    const std::string blanks(1100, ' '), letters(3000, 'A');
    TextBoxDraw(box, (blanks + letters).c_str(), nullptr);
    TextBoxSetMode(box, 0);
    TextBoxDraw(box, (letters + blanks).c_str(), nullptr);
    EXPECT_GE(pen().v, 0);
}

TEST_F(TextTest, SystemFontsAndTheStyleStack) {
    struct Case { const char* face; std::uint16_t style; const char* created; LONG weight; };
    for (const Case& c : {Case{"xTimes", kFontBold, "Times New Roman", 700}, Case{"Foo", kFontItalic, "Foo", 400}}) {
        SCOPED_TRACE(c.face);
        Font system = FontNewSystem(c.face, c.style, 20);
        LOGFONTA logFont{};
        ASSERT_EQ(GetObjectA(FontGetSystemFont(system), sizeof logFont, &logFont), int(sizeof logFont));
        EXPECT_STREQ(logFont.lfFaceName, c.created);
        EXPECT_EQ((Results{logFont.lfHeight, logFont.lfWeight, logFont.lfItalic, FontGetSpacing(system)}),
                  (Results{-20, c.weight, (c.style & kFontItalic) ? 1 : 0, 0}));
        FontFree(&system);
    }
    Font system = FontNewSystem("xHelv", 0, 16);
    TextBoxSetFont(box, system);
    HDC dc = PortGetDC();
    const HGDIOBJ before = SelectObject(dc, FontGetSystemFont(system));
    SIZE extent{};
    GetTextExtentPoint32A(dc, "Quill", 5, &extent);
    SelectObject(dc, before);
    EXPECT_EQ(TextBoxWidth(box, "Quill", 5), extent.cx);

    EXPECT_EQ(TextBeginStyle(box), 0) << "no stack before TextInit";
    ASSERT_EQ(TextInit(), 1);
    SetTextAlign(dc, TA_BOTTOM);
    SetTextColor(dc, RGB(1, 2, 3));
    const DcTextState saved = dcSaveText(dc);
    TextBoxSetTextColor(box, RGB(200, 0, 0));
    TextBoxSetBackMode(box, 1);
    for (int i = 0; i < kTextStyleLevels; ++i) ASSERT_EQ(TextBeginStyle(box), 1);
    EXPECT_EQ(TextBeginStyle(box), 0) << "a 21st level";
    EXPECT_EQ((Results{GetCurrentObject(dc, OBJ_FONT) == FontGetSystemFont(system), GetBkMode(dc), GetTextAlign(dc)}),
              (Results{1, OPAQUE, 0}));
    for (int i = 0; i < kTextStyleLevels + 1; ++i) TextEndStyle();
    const DcTextState after = dcSaveText(dc);
    EXPECT_EQ((Results{after.font == saved.font, after.backMode, after.backColor, after.textColor, after.align}),
              (Results{1, saved.backMode, saved.backColor, RGB(1, 2, 3), TA_BOTTOM}));
    TextBoxSetFont(box, font);
    FontFree(&system);
}

// Pixel (x, y) of a 4-bit memory canvas (the left pixel of a byte in its high half), written first when
// a value is given.
int nibbleAt(Canvas canvas, int x, int y, int value = -1) {
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect area{};
    if (!CanvasLockPixels(canvas, &base, &step, &depth, &area)) return -1;
    std::uint8_t* p = static_cast<std::uint8_t*>(base) + y * step + x / 2;
    const int shift = x % 2 ? 0 : 4;
    if (value >= 0) *p = std::uint8_t((*p & ~(0xF << shift)) | value << shift);
    CanvasUnlockPixels(canvas);
    return *p >> shift & 0xF;
}

TEST_F(TextTest, PortScrollMovesRowsAndGivesTheUncoveredStrip) {
    for (std::uint16_t depth : {kCanvasDepth8, kCanvasDepth4}) {
        SCOPED_TRACE(depth);
        const bool bytes = depth == kCanvasDepth8;
        const int values = bytes ? 256 : 16;
        const auto pixel = [&](int x, int y) { return bytes ? int(pixelAt(canvas, x, y)) : nibbleAt(canvas, x, y); };
        PortSet(canvas = memory(100, 100, depth));
        std::vector<std::uint16_t> rows;
        for (int y = 0; y < 100; ++y) rows.insert(rows.end(), 100, std::uint16_t(y));
        if (bytes) canvasPixels(canvas, &rows);
        else for (int i = 0; i < 100 * 100; ++i) nibbleAt(canvas, i % 100, i / 100, i / 100 % 16);
        const Rect all{0, 0, 100, 100};
        Rect uncovered{1, 1, 1, 1};
        PortScrollVertical(canvas, &uncovered, &all, 0);
        EXPECT_EQ((Results{pixel(50, 0), pixel(0, 99)}), (Results{0, 99 % values}));
        PortScrollVertical(canvas, &uncovered, &all, -10);
        EXPECT_EQ((Results{pixel(50, 0), pixel(0, 89), pixel(99, 89)}), (Results{10, 99 % values, 99 % values}));
        EXPECT_EQ(rectCsv(uncovered), "0,90,100,100");
        PortScrollHorizontal(canvas, &uncovered, &all, 30);
        EXPECT_EQ((Results{pixel(30, 0), pixel(99, 5)}), (Results{10, 15}));
        EXPECT_EQ(rectCsv(uncovered), "0,0,30,100");
    }
}

}  // namespace
