// Text layout and the SID service beside their floors, measured in the same run:
//   - TextBoxDraw of 4 KB of words with word wrap in a 300-pixel box with a shape font (8-pixel letters)
//     against FontDrawText of the same characters on lines cut beforehand (goal: at most 1.5x);
//   - SidServiceAll with 32 slots whose envelopes run, against 32 bare SndChannelSetVolumePan calls, on
//     the sound library's virtual device.
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "EngineClock.h"
#include "File.h"
#include "Font.h"
#include "MemHandle.h"
#include "Palette.h"
#include "Port.h"
#include "PrsWriter.h"
#include "Res.h"
#include "Sid.h"
#include "SidWriter.h"
#include "SndChannel.h"
#include "SndManager.h"
#include "TempFolder.h"
#include "TextBox.h"
#include "XpkForge.h"
#include "mss32.h"

namespace {

constexpr int kBoxWidth = 300;
constexpr int kCanvasHeight = 2000;

std::uint32_t now = 1000;
std::uint32_t clockNow() { return now; }

// 96 shapes of 8 x 10 opaque pixels in 14-pixel frames; the blank 5 wide.
ForgeBank fontBank() {
    ForgeBank bank;
    for (int i = 0; i < 96; ++i) {
        ForgeShape shape;
        shape.width = i == 27 ? 5 : 8;
        shape.height = 10;
        shape.frameWidth = std::int16_t(shape.width);
        shape.frameHeight = 14;
        shape.pixels.assign(std::size_t(shape.width * shape.height), ForgePixel{ForgePixel::opaque, std::uint16_t(i + 10)});
        bank.shapes.push_back(shape);
    }
    return bank;
}

std::string words(std::size_t size) {
    std::string text;
    for (std::uint32_t seed = 7; text.size() < size; seed = seed * 1103515245 + 12345) {
        text.append(2 + (seed >> 16) % 9, char('a' + (seed >> 8) % 26));
        text += ' ';
    }
    text.resize(size);
    return text;
}

// The lines TextBoxDraw lays the text into, found once with TextBoxFitWord.
std::vector<std::string> cutLines(TextBox box, const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t count = std::size_t(TextBoxFitWord(box, text.c_str() + at));
        if (!count) count = 1;
        lines.push_back(text.substr(at, count));
        at += count;
        while (at < text.size() && text[at] == ' ') ++at;
    }
    return lines;
}

void textBench(Font font) {
    Canvas canvas = 0;
    CanvasCreate(&canvas, std::uintptr_t(kBoxWidth) | std::uintptr_t(kCanvasHeight) << 16, kCanvasMemory | kCanvasDepth8);
    PortSet(canvas);
    TextBox box = 0;
    TextBoxNew(&box);
    TextBoxSetFont(box, font);
    const Rect rect{0, 0, kBoxWidth, kCanvasHeight};
    TextBoxSetRect(box, &rect);
    TextBoxSetMode(box, kTextWordWrap >> 2);
    TextBoxSetNoScroll(box, 1);
    const std::string text = words(4096);
    const std::vector<std::string> lines = cutLines(box, text);
    const Point home{0, 0};
    const double laid = fastestEach(5, 20, [&](int) {
        TextBoxSetPen(box, &home);
        TextBoxDraw(box, text.c_str(), nullptr);
    });
    FontSetCurrent(font);
    const double drawn = fastestEach(5, 20, [&](int) {
        std::int16_t y = 0;
        for (const std::string& line : lines) {
            FontDrawText(0, y, std::int16_t(line.size()), line.c_str());
            y = std::int16_t(y + 14);
        }
    });
    std::printf("4 KB of words, %zu lines in a %d-pixel box\n", lines.size(), kBoxWidth);
    std::printf("  %-44s %9.1f us\n", "FontDrawText of the cut lines (baseline)", drawn * 1e6);
    std::printf("  %-44s %9.1f us   %6.2fx the baseline (goal 1.5x)\n", "TextBoxDraw with word wrap", laid * 1e6,
                laid / drawn);
    FontSetCurrent(0);
    TextBoxFree(&box);
    PortSet(0);
    CanvasDispose(&canvas);
}

void sidBench() {
    ClockSetSource(clockNow);
    MssTestUseVirtualDevice(clockNow);
    if (SndInit(nullptr, 8, 2, 16, 22050) != 0) cannotMeasure("the sound manager did not start");
    MemHandle sid = SidLoad(1);
    SidTestHoldFreeSlots(sid, 8);
    const int passes = 20000;
    const double bare = secondsEach(passes, [](int i) {
        for (int slot = 0; slot < kSidSlotCount; ++slot)
            SndChannelSetVolumePan(std::int16_t(slot % 8), std::uint16_t(512 + i % 100), 0);
    });
    const double served = secondsEach(passes, [](int) {
        ++now;
        SidServiceAll();
    });
    std::printf("32 SID slots with envelopes\n");
    std::printf("  %-44s %9.3f us\n", "32 x SndChannelSetVolumePan (baseline)", bare * 1e6);
    std::printf("  %-44s %9.3f us   %6.2fx the baseline\n", "SidServiceAll", served * 1e6, served / bare);
    for (std::uint32_t slot = 0; slot < kSidSlotCount; ++slot) SidCompletion(0, 0, 0, slot);
    SidFree(&sid);
    SndShutdown();
    MssTestUseVirtualDevice(nullptr);
    ClockSetSource(nullptr);
}

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    FileInit();
    PalMgrInit();
    ShapeMgrInit();
    TempFolder folder;
    SidResource envelope;
    envelope.soundId = 1;
    envelope.flags = 0x0080;
    envelope.points = {{0, -200, 700}, {1024, 300, 900}, {600, 0, 400}};
    writeResources(folder.file("Bench.PRS"),
                   {{"XPK", 1, forgeXpk(fontBank(), ByteOrder::big)}, {"SID", 1, writeSid(envelope, ByteOrder::big)}});
    const std::string base = folder.path() + "\\";
    const char* folders[] = {base.c_str()};
    ResSetSearchFolders(1, folders);
    ResOpenFile("Bench");
    Font font = FontNewShape(1);
    if (font) textBench(font);
    else std::printf("the shape font did not load\n");
    FontFree(&font);
    sidBench();
    while (ResSource top = ResGetTopSource()) ResCloseSource(top);
    ShapeMgrTerm();
    PalMgrTerm();
    FileTerm();
    MemTerm();
    return 0;
}
