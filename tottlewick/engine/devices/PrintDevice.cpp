// The default printer and its device context, over the print seam.
#include "PrintDevice.h"

#include <memory>
#include <string>
#include <vector>

#include "AppGlobals.h"
#include "EngineMessageBox.h"
#include "PrintEntry.h"
#include "PrintPlatform.h"
#include "Str.h"

namespace {

constexpr std::uint32_t kEntrySize = 256;
constexpr std::uint32_t kPrinterInfoSize = 2500;
constexpr std::uint32_t kMessageNoPrinter = 26;
constexpr std::uint32_t kMessageCantOpen = 29;
constexpr std::uint32_t kMessageCantGet = 30;
constexpr std::uint32_t kMessageCantSet = 31;
constexpr unsigned kProblemStyle = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL;  // 0x2030
// This driver mishandles a colour field written into its device mode.
constexpr const char* kNoColorDriver = "Brother HL-6";

std::uint16_t lastError = 0;

void problem(std::uint32_t message, const char* defaultText) {
    EngineMessageBox(nullptr, StrGetMessage(message, defaultText), AppGetProductName(), kProblemStyle);
}

// Owns an open printer handle and closes it on every path.
struct OpenedPrinter {
    HANDLE handle = nullptr;
    ~OpenedPrinter() {
        if (handle) PrintGetPlatform().closePrinter(handle);
    }
};

// The driver of the printer as its level-2 information names it; false after a box when it cannot be read.
bool readDriverName(HANDLE printer, std::string* name) {
    alignas(PRINTER_INFO_2A) char info[kPrinterInfoSize];
    DWORD needed = 0;
    if (!PrintGetPlatform().getPrinter(printer, 2, reinterpret_cast<LPBYTE>(info), sizeof info, &needed)) {
        problem(kMessageCantGet, "Can't get printer.");
        return false;
    }
    const char* driver = reinterpret_cast<const PRINTER_INFO_2A*>(info)->pDriverName;
    *name = driver ? driver : "";
    return true;
}

// The printer's current device mode with orientation and colour changed, in a buffer of our own; empty
// after a box when it cannot be had.
std::vector<char> preparedMode(HANDLE printer, char* name, std::uint16_t orientation, std::uint16_t colorMode) {
    const PrintPlatform& platform = PrintGetPlatform();
    std::string driver;
    if (!readDriverName(printer, &driver)) return {};
    const LONG size = platform.documentProperties(nullptr, printer, name, nullptr, nullptr, 0);
    std::vector<char> mode(size > 0 ? static_cast<std::size_t>(size) : 0);
    auto* devmode = reinterpret_cast<DEVMODEA*>(mode.data());
    if (mode.size() < sizeof(DEVMODEA) ||
        platform.documentProperties(nullptr, printer, name, devmode, nullptr, DM_OUT_BUFFER) != IDOK) {
        problem(kMessageCantGet, "Can't get printer.");
        return {};
    }
    devmode->dmOrientation = static_cast<short>(orientation);
    if (driver != kNoColorDriver) devmode->dmColor = static_cast<short>(colorMode);
    if (platform.documentProperties(nullptr, printer, name, devmode, devmode, DM_IN_BUFFER | DM_OUT_BUFFER) !=
        IDOK) {
        problem(kMessageCantSet, "Can't set printer.");
        return {};
    }
    return mode;
}

}  // namespace

std::uint16_t PrintGetLastError() {
    return lastError;
}

void PrintSetLastError(std::uint16_t error) {
    lastError = error;
}

std::uint32_t PrintGetDefaultPrinter(char* buffer, std::uint32_t size, char** name, char** driver, char** port) {
    const DWORD length = PrintGetPlatform().getProfileString("windows", "device", "", buffer, size);
    PrintEntryParts parts;
    if (length == 0 || length + 1 >= size || !PrintSplitEntry(buffer, parts)) return 0;
    *name = const_cast<char*>(parts.name);
    *driver = const_cast<char*>(parts.driver);
    *port = const_cast<char*>(parts.port);
    return length;
}

HDC PrintOpenDefaultDC() {
    char entry[kEntrySize];
    char *name, *driver, *port;
    HDC dc = PrintGetDefaultPrinter(entry, kEntrySize, &name, &driver, &port)
                 ? PrintGetPlatform().createDC(driver, name, port, nullptr)
                 : nullptr;
    if (!dc) lastError = kPrintErrorNoDC;
    return dc;
}

std::int16_t PrintCheckPrinter() {
    char entry[kEntrySize];
    char *name, *driver, *port;
    if (PrintGetDefaultPrinter(entry, kEntrySize, &name, &driver, &port)) return 0;
    problem(kMessageNoPrinter, "No Printer found. Please check your printer setup.");
    return 1;
}

HDC PrintCreateDC(std::uint16_t orientation, std::uint16_t colorMode) {
    char entry[kEntrySize];
    char *name, *driver, *port;
    if (!PrintGetDefaultPrinter(entry, kEntrySize, &name, &driver, &port)) {
        problem(kMessageNoPrinter, "No Printer found. Please check your printer setup.");
        return nullptr;
    }
    OpenedPrinter printer;
    if (!PrintGetPlatform().openPrinter(name, &printer.handle, nullptr)) {
        printer.handle = nullptr;
        problem(kMessageCantOpen, "Can't open printer.");
        return nullptr;
    }
    const std::vector<char> mode = preparedMode(printer.handle, name, orientation, colorMode);
    if (mode.empty()) return nullptr;
    return PrintGetPlatform().createDC(driver, name, port, reinterpret_cast<const DEVMODEA*>(mode.data()));
}

bool PrintProbeColor(std::int16_t* isColor) {
    *isColor = 0;
    HDC dc = PrintCreateDC(DMORIENT_PORTRAIT, DMCOLOR_COLOR);
    if (!dc) return false;
    const PrintPlatform& platform = PrintGetPlatform();
    const int bits = platform.getDeviceCaps(dc, BITSPIXEL) * platform.getDeviceCaps(dc, PLANES);
    DeleteDC(dc);
    *isColor = bits > 1 ? 1 : 0;
    return true;
}

std::int16_t PrintIsColor() {
    std::int16_t isColor;
    PrintProbeColor(&isColor);
    return isColor;
}

PrintPageMetrics PrintGetPageMetrics(HDC dc) {
    const PrintPlatform& platform = PrintGetPlatform();
    return {{platform.getDeviceCaps(dc, PHYSICALOFFSETX), platform.getDeviceCaps(dc, PHYSICALOFFSETY)},
            {platform.getDeviceCaps(dc, PHYSICALWIDTH), platform.getDeviceCaps(dc, PHYSICALHEIGHT)},
            {platform.getDeviceCaps(dc, LOGPIXELSX), platform.getDeviceCaps(dc, LOGPIXELSY)}};
}
