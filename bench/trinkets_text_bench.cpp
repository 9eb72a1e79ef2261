// A three-line word-wrapped text beside the same three lines drawn already split, in the same run: the
// text measures and breaks its lines on every draw (as the window's compose pass calls it), the baseline
// only draws them with OMCanvas::drawText at the same places. Both in the system font into the window's
// 8-bit off-screen canvas, once in the system font, whose every measure borrows a screen device context
// (Wine's round trips), once in a bitmap font, measured from its tables. Microseconds per draw side by
// side; the goal is a ratio within 2x.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "OMApp.h"
#include "NfntWriter.h"
#include "OMFont.h"
#include "OMIStreamFile.h"
#include "OMNFNTFont.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "RText.h"
#include "RTextLayout.h"

namespace {

constexpr int kRounds = 5;
constexpr int kDraws = 2000;
constexpr char kText[] = "Drag each little pet into the house that has its own colour";

struct Line {
    std::string text;
    std::int32_t x;
    std::int32_t y;
};

// The lines the text draws and where, worked out once with the same layout.
std::vector<Line> splitLines(RText& text, OMFont& font) {
    const OMRect& box = text.getBounds();
    std::string copy = text.getText();
    RTextLayout layout(copy.data(), font, box.right - box.left);
    layout.breakLines();
    const std::int32_t h = font.ascent() + font.descent() + font.leading();
    const std::int32_t n = layout.countLines();
    std::int32_t baseline = box.top + (box.bottom - box.top) / 2 - h * ((n - 1) / 2) - (n % 2 == 0 ? h / 2 : 0);
    std::vector<Line> lines;
    layout.forEachLine([&](const char* line, std::int32_t width) {
        lines.push_back({line, box.left + (box.right - box.left - width) / 2, baseline});
        baseline += h;
    });
    return lines;
}

// A bitmap font of 9-pixel glyphs, each a filled 8 x 8 block, for the letters and the blank.
OMFont* bitmapFont() {
    NfntFont font{ByteOrder::big, 0, 127, 0, 8, 2, 1, 0, {}};
    std::vector<std::string> block(10, "........");
    for (int row = 0; row < 8; ++row) block[row] = "########";
    font.glyphs.push_back({' ', 0, 9, std::vector<std::string>(10, "........")});
    for (int c = 'a'; c <= 'z'; ++c) font.glyphs.push_back({static_cast<std::uint8_t>(c), 0, 9, block});
    font.glyphs.push_back({'D', 0, 9, block});
    font.glyphs.push_back({'~', 0, 9, block});
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "text_bench.fnt";
    FILE* file = std::fopen(path.c_str(), "wb");
    const std::string bytes = writeNfnt(font);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    OMIStreamFile stream(path.c_str(), kStreamWhole, nullptr);
    return new OMNFNTFont(stream);
}

void measure(const char* name, OMTrinketWindow* window, OMFont* given) {
    auto* text = new RText(kText, given, 249, OMRect{100, 100, 300, 200}, 1, window);
    OMMemCanvas& canvas = *window->offscreen;
    OMFont& font = *text->getFont();
    const std::vector<Line> lines = splitLines(*text, font);
    const double wrapped = fastestEach(kRounds, kDraws, [&](int) { text->draw(); });
    const double split = fastestEach(kRounds, kDraws, [&](int) {
        OMFont* saved = canvas.font;
        canvas.font = &font;
        canvas.textColor = OMColorRecord{0, 0, 0, 249};
        for (const Line& line : lines) canvas.drawText(line.x, line.y, line.text.c_str());
        canvas.font = saved;
    });
    std::printf("%-12s  %5zu  %22.2f  %21.2f  %5.2fx\n", name, lines.size(), wrapped * 1e6, split * 1e6,
                wrapped / split);
    delete text;
}

}  // namespace

void applicationMain() {
    const OMRect frame{0, 0, 640, 460};
    auto* app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
    auto* window = new OMTrinketWindow(&frame, new OMTBackground, kFrameNone, 0);
    std::printf("font          lines  wrapped RText us/draw  split drawText us/draw  ratio (goal <= 2x)\n");
    measure("system font", window, nullptr);
    measure("bitmap font", window, bitmapFont());
    delete window;
    delete app;
}
