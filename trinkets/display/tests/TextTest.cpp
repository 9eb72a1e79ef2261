// Texts on the trinket window with a fixed-width bitmap font: where the box and point forms draw, their
// bounds, a dragged point text, and the script face's long texts.
#include <gtest/gtest.h>

#include <string>

#include "../../../om/platform/tests/DrawingSupport.h"
#include "NfntWriter.h"
#include "OMNFNTFont.h"
#include "RText.h"
#include "TempFolder.h"
#include "TrinketFixture.h"

namespace {

constexpr std::uint8_t kInk = 249;

// Every glyph 6 pixels wide, the blank too; ascent 8, descent 2, leading 1. A letter inks only its top-left
// pixel, so each ink pixel of a drawn text is a letter's pen position at baseline - 8.
std::string fixedFont() {
    NfntFont font{ByteOrder::big, 0, 127, 0, 8, 2, 1, 0, {}};
    const std::vector<std::string> blank(10, "......");
    std::vector<std::string> letter = blank;
    letter[0] = "#.....";
    font.glyphs.push_back({' ', 0, 6, blank});
    for (char c = 'a'; c <= 'f'; ++c) font.glyphs.push_back({static_cast<std::uint8_t>(c), 0, 6, letter});
    font.glyphs.push_back({'~', 0, 6, blank});
    return writeNfnt(font);
}

struct TextTest : TrinketFixture {
    OMFont* font() {
        streams.push_back(streamOver(folder, "f" + std::to_string(streams.size()) + ".fnt", fixedFont()));
        return new OMNFNTFont(*streams.back());
    }
    // The pen positions "x,baseline" of the letters the text draws into a cleared off-screen canvas.
    std::string drawnLetters(RText& text) {
        window->offscreen->erase(colorOf(255, 255, 255));
        text.draw();
        std::string letters;
        for (std::int32_t y = 0; y < 460; ++y)
            for (std::int32_t x = 0; x < 640; ++x)
                if (backPixel(x, y) == kInk) letters += std::to_string(x) + "," + std::to_string(y + 8) + " ";
        return letters;
    }
    TempFolder folder;
    std::vector<std::unique_ptr<OMIStreamFile>> streams;
};

TEST_F(TextTest, TheBoxFormCentresOneLineOrWrapsAtBlanks) {
    const struct { const char* text; std::int32_t wrap; const char* letters; } cases[] = {
        {"a b c", 1, "101,65 113,65 107,76 "},
        {"abcdef", 1, "92,65 98,65 104,65 110,65 116,65 122,65 "},
        {"abcdef", 0, "92,73 98,73 104,73 110,73 116,73 122,73 "},
        {"a b    c", 1, "101,65 113,65 107,76 "},
        {"", 1, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " wrap " + std::to_string(c.wrap));
        RText text(c.text, font(), kInk, OMRect{100, 50, 120, 90}, c.wrap, window);
        EXPECT_EQ(c.letters, drawnLetters(text));
        EXPECT_STREQ(c.text, text.getText());
    }
}

// A wrapped text keeps its lines between draws, and wraps again for a new text or a new box width.
TEST_F(TextTest, AWrappedTextWrapsAgainForANewTextOrBoxWidth) {
    RText text("a b c", font(), kInk, OMRect{100, 50, 120, 90}, 1, window);
    std::string drawn = drawnLetters(text) + "/ " + drawnLetters(text) + "/ ";
    text.setText("abcdef");
    drawn += drawnLetters(text) + "/ ";
    text.setBounds(OMRect{100, 50, 160, 90});
    drawn += drawnLetters(text);
    EXPECT_EQ(drawn, "101,65 113,65 107,76 / 101,65 113,65 107,76 / 92,65 98,65 104,65 110,65 116,65 122,65 / "
                     "112,70 118,70 124,70 130,70 136,70 142,70 ");
}

TEST_F(TextTest, ThePointFormFollowsItsTextAndKeepsAMove) {
    RText empty("", font(), kInk, POINT{10, 20}, 0, window);
    EXPECT_EQ("10 20 15 30", numbers(empty.getBounds()));
    RText centred("ab", font(), kInk, POINT{100, 100}, 1, window);
    EXPECT_EQ("94 95 111 105", numbers(centred.getBounds()));
    EXPECT_EQ("94,103 100,103 ", drawnLetters(centred));
    std::int32_t dx = 3, dy = 4;
    empty.offsetBy(dx, dy);
    empty.setText("abc");
    EXPECT_EQ("13 24 36 34", numbers(empty.getBounds()));
}

TEST_F(TextTest, TheScriptFaceCutsLongTextsAtTheResultBuffer) {
    RText text("a", font(), kInk, POINT{10, 20}, 0, window);
    text.registerProperties();
    const std::string longText(300, 'b');
    for (const char* name : {"text", "userData"}) {
        ASSERT_NE(0, text.setProperty(name, longText.c_str())) << name;
        EXPECT_EQ(longText.substr(0, 255), text.getProperty(name)) << name;
    }
    EXPECT_EQ(0, text.setProperty("fontAscent", "3"));
    EXPECT_NE(0, text.setProperty("textWidth", "3"));
    std::string measures;
    for (const char* name : {"fontAscent", "fontDescent", "fontLeading", "textHeight", "textWidth"})
        measures += std::string(text.getProperty(name)) + " ";
    EXPECT_EQ("8 2 1 10 1800 ", measures);
    // A font id alone keeps the colour; with a colour it takes that too. No bitmap font 7 exists, so the
    // cache gives the system font.
    ASSERT_NE(0, text.invokeMethod("setFont", "7"));
    EXPECT_EQ("249 OMSysFont", std::string(text.getProperty("colorIndex")) + " " + text.getFont()->typeName());
    ASSERT_NE(0, text.invokeMethod("setFont", "7", "33"));
    EXPECT_EQ("33", std::string(text.getProperty("colorIndex")));
}

// An empty font id with a colour reads as font id 0: the colour, then that font (the cache's system font).
TEST_F(TextTest, SetFontWithAnEmptyIdAndAColourTakesFontZero) {
    RText text("a", font(), kInk, POINT{10, 20}, 0, window);
    text.registerProperties();
    ASSERT_NE(0, text.invokeMethod("setFont", "", "33"));
    EXPECT_EQ("33 OMSysFont", std::string(text.getProperty("colorIndex")) + " " + text.getFont()->typeName());
}

}  // namespace
