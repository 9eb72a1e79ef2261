// Printing: the default printer's entry, Wine's world without a printer, page arithmetic by hand, and
// ImagePrint, PrintImage and the monochrome runs through the print seam onto a memory DC.
#include <algorithm>
#include <cstring>
#include <utility>

#include "AppStandIn.h"
#include "CanvasPalette.h"
#include "DisplayWindow.h"
#include "Port.h"
#include "PrintCanvas.h"
#include "PrintDevice.h"
#include "PrintImage.h"
#include "PrintJob.h"
#include "PrintLayout.h"
#include "PrintPlatform.h"

namespace {

std::string profileEntry;

// GetProfileString's way: at most size - 1 characters, their count returned.
DWORD WINAPI fakeProfile(LPCSTR, LPCSTR, LPCSTR, LPSTR buffer, DWORD size) {
    const std::string copied = profileEntry.substr(0, size - 1);
    lstrcpyA(buffer, copied.c_str());
    return static_cast<DWORD>(copied.size());
}

std::string rectText(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

struct PrintTest : AppTest {
    void TearDown() override {
        PrintSetPlatform(nullptr);
        AppTest::TearDown();
    }
};

}  // namespace

TEST_F(PrintTest, DefaultPrinterEntrySplitsIntoThreeParts) {
    PrintPlatform platform = PrintGetPlatform();
    platform.getProfileString = fakeProfile;
    PrintSetPlatform(&platform);
    struct Case {
        const char* entry;
        std::uint32_t size;
        std::uint32_t result;
        const char* parts;
    };
    for (const Case& c : {Case{" HP, winspool,LPT1:", 64, 19, "HP|winspool|LPT1:"}, Case{"HP,winspool", 64, 0, ""},
                          Case{"HP,winspool,LPT1:", 12, 0, ""}, Case{"HP,,LPT1:", 64, 0, ""}}) {
        SCOPED_TRACE(c.entry);
        profileEntry = c.entry;
        char buffer[64];
        char *name, *driver, *port;
        const std::uint32_t result = PrintGetDefaultPrinter(buffer, c.size, &name, &driver, &port);
        EXPECT_EQ(result, c.result);
        if (result) {
            EXPECT_EQ(std::string(name) + "|" + driver + "|" + port, c.parts);
        }
    }
}

// Wine 8.0 without a printer has no "device" entry; a written entry naming no real printer cannot be opened.
TEST_F(PrintTest, WineWithoutAPrinter) {
    char entry[64] = "x";
    EXPECT_EQ(GetProfileStringA("windows", "device", "", entry, sizeof entry), 0u);
    EXPECT_STREQ(entry, "");
    standin::script.boxAnswer = IDOK;
    EXPECT_EQ(PrintCheckPrinter(), 1);
    EXPECT_EQ(PrintCreateDC(1, 2), nullptr);
    const Rect picture{0, 0, 64, 48};
    EXPECT_EQ(ImagePrint(0, nullptr, &picture, 0), 0);
    EXPECT_EQ(ImagePrint(0, nullptr, &picture, kPrintColor), 0);  // one failure, one box
    const std::string noPrinter = "box Tottlewick|No Printer found. Please check your printer setup.|2030";
    ASSERT_TRUE(WriteProfileStringA("windows", "device", "Nobody,winspool,LPT1:"));
    EXPECT_EQ(PrintCreateDC(1, 2), nullptr);
    WriteProfileStringA("windows", "device", nullptr);
    EXPECT_EQ(standin::log, (std::vector<std::string>{noPrinter, noPrinter, noPrinter, noPrinter,
                                                        "box Tottlewick|Can't open printer.|2030"}));
}

namespace {

// The printer of the seam: a memory DC over a 24-bit DIB section of the printable 290 x 400 pixels, on
// paper 320 x 420 printed from (10, 5); its calls are logged, and EndPage runs the abort procedure.
constexpr int kPrinterStride = (290 * 3 + 3) & ~3;

struct MemoryPrinter {
    std::vector<std::string> calls;
    ABORTPROC abort = nullptr;
    bool failStartPage = false;
    bool cancelOnStartPage = false;
    bool failSetMode = false;
    int failEndPages = 0;
    const char* driverName = "PCL";
    const char* deviceName = "Memory";
    int writtenColor = -1;
    int openPrinters = 0;
    std::uint8_t* pixels = nullptr;
    HBITMAP section = nullptr;
};
MemoryPrinter printer;

BOOL WINAPI memoryOpen(LPSTR, LPHANDLE handle, LPPRINTER_DEFAULTSA) {
    return *handle = reinterpret_cast<HANDLE>(++printer.openPrinters), TRUE;
}
BOOL WINAPI memoryGetPrinter(HANDLE, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
    *needed = sizeof *info;
    if (level != 2 || size < sizeof *info) return FALSE;
    *info = PRINTER_INFO_2A{};
    info->pDriverName = const_cast<char*>(printer.driverName);
    return TRUE;
}
LONG WINAPI memoryProperties(HWND, HANDLE, LPSTR, PDEVMODEA out, PDEVMODEA in, DWORD mode) {
    if (mode == 0) return sizeof(DEVMODEA);
    if (mode == DM_OUT_BUFFER) *out = DEVMODEA{}, lstrcpyA(reinterpret_cast<char*>(out->dmDeviceName), printer.deviceName);
    if (mode & DM_IN_BUFFER) printer.writtenColor = in->dmColor;
    return printer.failSetMode && mode == (DM_IN_BUFFER | DM_OUT_BUFFER) ? -1 : IDOK;
}
BOOL WINAPI memoryClose(HANDLE) { return --printer.openPrinters, TRUE; }
HDC WINAPI memoryDC(LPCSTR, LPCSTR, LPCSTR, const DEVMODEA*) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 290, -400, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    printer.pixels = static_cast<std::uint8_t*>(bits);
    printer.section = section;
    std::fill_n(printer.pixels, kPrinterStride * 400, std::uint8_t{0x80});
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, section);
    return dc;
}
int WINAPI memoryAbortProc(HDC, ABORTPROC procedure) { return printer.abort = procedure, 1; }
int WINAPI memoryStartDoc(HDC, const DOCINFOA*) { return printer.calls.push_back("StartDoc"), 1; }
int WINAPI memoryStartPage(HDC) {
    printer.calls.push_back("StartPage");
    HWND dialog = FindWindowA("#32770", "Printing");
    if (printer.cancelOnStartPage && dialog)
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    return printer.failStartPage ? -1 : 1;
}
int WINAPI memoryEndPage(HDC dc) {
    printer.calls.push_back("EndPage");
    return printer.abort(dc, 0) && printer.failEndPages-- <= 0 ? 1 : -1;
}
int WINAPI memoryEndDoc(HDC) { return printer.calls.push_back("EndDoc"), 1; }
int WINAPI memoryCaps(HDC, int index) {
    const std::pair<int, int> caps[] = {{HORZRES, 290},      {VERTRES, 400},       {PHYSICALOFFSETX, 10},
                                        {PHYSICALOFFSETY, 5}, {PHYSICALWIDTH, 320}, {PHYSICALHEIGHT, 420},
                                        {BITSPIXEL, 24},      {PLANES, 1}};
    for (const auto& [key, value] : caps)
        if (key == index) return value;
    return 0;
}

// The colour at (x, y) of the printed page as 0xRRGGBB.
std::uint32_t printedAt(int x, int y) {
    const std::uint8_t* p = printer.pixels + y * kPrinterStride + x * 3;
    return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

// A canvas laid out as the Global picture: 64 x 48, index 20 (red) above and 30 (blue) below.
struct SeamPrintTest : PrintTest {
    void SetUp() override {
        PrintTest::SetUp();
        ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1);
        printer = MemoryPrinter{};
        profileEntry = "Memory,winspool,MEM:";
        const PrintPlatform platform = {fakeProfile,     memoryOpen,      memoryGetPrinter, memoryProperties,
                                        memoryClose,     memoryDC,        memoryAbortProc,  memoryStartDoc,
                                        memoryStartPage, memoryEndPage,   memoryEndDoc,     memoryCaps};
        PrintSetPlatform(&platform);
        DisplaySetWindow(makeWindow(DefWindowProcA));
        struct {
            WORD version = 0x300, count = 256;
            PALETTEENTRY entries[256];
        } log;
        for (int i = 0; i < 256; ++i) log.entries[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
        log.entries[kRed] = {255, 0, 0, 0};
        log.entries[kBlue] = {0, 0, 255, 0};
        palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
        ASSERT_TRUE(CanvasCreate(&canvas, 64 | 48 << 16, kCanvasMemory | kCanvasDepth8));
        CanvasSetPalette(canvas, palette);
        void* base;
        std::int32_t step;
        std::uint16_t depth;
        Rect area;
        CanvasLockPixels(canvas, &base, &step, &depth, &area);
        for (int y = 0; y < 48; ++y) std::memset(static_cast<std::uint8_t*>(base) + y * step, y < 24 ? kRed : kBlue, 64);
        CanvasUnlockPixels(canvas);
    }
    void TearDown() override {
        CanvasDispose(&canvas);
        DeleteObject(palette);
        DeleteObject(printer.section);
        DisplaySetWindow(nullptr);
        MemTerm();
        PrintTest::TearDown();
    }
    static constexpr int kRed = 20;
    static constexpr int kBlue = 30;
    Canvas canvas = 0;
    HPALETTE palette = nullptr;
};

}  // namespace

TEST(PrintLayoutTest, PagesWorkedByHand) {
    const Rect printed = PrintImageRect({0, 0, 2550, 3300}, {0, 0, 640, 480}, 300, 300, 50);
    EXPECT_EQ(rectText(printed), rectText({608, 1150, 1942, 2150}));
    const Rect area = PrintPageAreaOf(50, 60, 2550, 3300, 2400, 3150);
    EXPECT_EQ(rectText(area), rectText({50, 30, 2400, 3150}));
    Rect placed{};
    ASSERT_TRUE(PrintPlaceInArea(area, 640, 480, &placed));
    EXPECT_EQ(rectText(placed), rectText({50, 709, 2400, 2471}));
    EXPECT_FALSE(PrintPlaceInArea(area, 0, 480, &placed));
}

TEST_F(SeamPrintTest, ImagePrintScalesTheGlobalPictureOntoThePage) {
    EXPECT_EQ(ImagePrint(canvas, "Global", nullptr, 0), 1);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"StartDoc", "StartPage", "EndPage", "EndDoc"}));
    EXPECT_EQ(printer.openPrinters, 0);
    // Painted (10, 100, 290, 310): red above, blue below, the page's grey around it.
    const struct Probe {
        int x, y;
        std::uint32_t colour;
    } probes[] = {{150, 150, 0xFF0000}, {10, 100, 0xFF0000}, {150, 260, 0x0000FF}, {289, 309, 0x0000FF},
                  {9, 150, 0x808080},   {150, 99, 0x808080}, {150, 310, 0x808080}};
    for (const Probe& probe : probes) EXPECT_EQ(printedAt(probe.x, probe.y), probe.colour) << probe.x << "," << probe.y;
    const auto* indices = reinterpret_cast<const std::uint16_t*>(CanvasGetDib(canvas) + 1);
    EXPECT_EQ(indices[kRed], kRed);
    EXPECT_TRUE(IsWindowEnabled(DisplayGetWindow()));
    const Rect empty{5, 5, 5, 20};
    printer.calls.clear();
    EXPECT_EQ(ImagePrint(canvas, nullptr, &empty, 0), 0);
    EXPECT_TRUE(printer.calls.empty());
    // A device mode that cannot be set: message 31, and the printer is closed all the same.
    printer.failSetMode = true;
    EXPECT_EQ(ImagePrint(canvas, nullptr, nullptr, 0), 0);
    EXPECT_EQ(standin::log.back(), "box Tottlewick|Can't set printer.|2030");
    EXPECT_EQ(printer.openPrinters, 0);
}

TEST_F(SeamPrintTest, CancelAndFailedPageGiveZero) {
    printer.cancelOnStartPage = true;
    EXPECT_EQ(ImagePrint(canvas, nullptr, nullptr, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(DisplayGetWindow()));
    printer = MemoryPrinter{};
    printer.failStartPage = true;
    const Canvas port = PortGet();
    EXPECT_EQ(ImagePrint(canvas, nullptr, nullptr, 0), 0);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"StartDoc", "StartPage", "EndDoc"}));
    EXPECT_EQ(PortGet(), port);
    EXPECT_TRUE(IsWindowEnabled(DisplayGetWindow()));
    // PrintImage goes from the failed page straight to ending the document.
    printer.calls.clear();
    HDC dc = memoryDC(nullptr, nullptr, nullptr, nullptr);
    const Rect picture{0, 0, 64, 48};
    EXPECT_EQ(PrintImage(DisplayGetWindow(), CanvasGetBits(canvas), CanvasGetDib(canvas), dc, &picture, 100), 1);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"StartDoc", "StartPage", "EndDoc"}));
    EXPECT_TRUE(IsWindowEnabled(DisplayGetWindow()));
    // Without its dialog (no owner to show it over) the job is not started: the document ends, result 0.
    printer.calls.clear();
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    DisplaySetWindow(gone);
    EXPECT_EQ(PrintStartDoc(dc, "C:\\Pictures\\Hat"), 0);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"StartDoc", "EndDoc"}));
    DeleteDC(dc);
}

TEST_F(SeamPrintTest, MonochromeRunsPaintWhiteBlackWhite) {
    HDC dc = memoryDC(nullptr, nullptr, nullptr, nullptr);
    const std::uint8_t row[] = {0, 0, 1, 1, 0};
    std::uint8_t map[256] = {0, 1};
    const Rect rect{0, 0, 5, 1};
    PrintMonochrome(dc, 3, 7, row, 5, &rect, map);
    for (const auto& [x, colour] : {std::pair{3, 0xFFFFFFu}, {5, 0x000000u}, {7, 0xFFFFFFu}, {8, 0x808080u}})
        EXPECT_EQ(printedAt(x, 7), colour) << x;
    DeleteDC(dc);
}

// The colour field is left alone for one driver, named by the printer information, not by the printer.
TEST_F(SeamPrintTest, ColourModeIsWrittenUnlessTheDriverIsTheBrother) {
    const struct {
        const char* driver;
        const char* device;
        int color;
    } cases[] = {{"Brother HL-6", "Office", 0}, {"PCL", "Brother HL-6", DMCOLOR_COLOR}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver);
        printer.driverName = c.driver;
        printer.deviceName = c.device;
        DeleteObject(printer.section);
        HDC dc = PrintCreateDC(DMORIENT_PORTRAIT, DMCOLOR_COLOR);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(printer.writtenColor, c.color);
        DeleteDC(dc);
    }
}

// A page that fails brings the problem box once; Retry prints it again, Cancel gives up; a job the user
// cancels is no failure and brings no box.
TEST_F(SeamPrintTest, ProblemBoxRetriesAFailedPage) {
    HDC dc = memoryDC(nullptr, nullptr, nullptr, nullptr);
    const Rect picture{0, 0, 64, 48};
    PortPush(canvas);
    const std::string problem = "box Problem Printing|There is a printing problem. Please see\nthe documentation "
                                "in the CD package.|2105";
    const std::vector<std::string> page = {"StartDoc", "StartPage", "EndPage", "EndDoc"};
    std::vector<std::string> twice = page;
    twice.insert(twice.end(), page.begin(), page.end());
    const struct {
        int failEndPages;
        bool cancel;
        int answer;
        std::int16_t result;
        std::vector<std::string> calls, boxes;
    } cases[] = {{1, false, IDRETRY, 0, twice, {problem}},
                 {1, false, IDCANCEL, 1, page, {problem}},
                 {0, true, IDRETRY, 0, page, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        printer.calls.clear();
        standin::log.clear();
        printer.failEndPages = c.failEndPages;
        printer.cancelOnStartPage = c.cancel;
        standin::script.boxAnswer = c.answer;
        EXPECT_EQ(PrintCanvasImage(DisplayGetWindow(), dc, &picture, 100), c.result);
        EXPECT_EQ(printer.calls, c.calls);
        EXPECT_EQ(standin::log, c.boxes);
        EXPECT_TRUE(IsWindowEnabled(DisplayGetWindow()));
    }
    PortPop();
    DeleteDC(dc);
}
