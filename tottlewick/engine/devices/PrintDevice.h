// The default printer: its profile entry, its device context prepared for a job, and its page metrics.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr std::uint16_t kPrintErrorNoPrinter = 26;  // no printer, or no abort dialog
constexpr std::uint16_t kPrintErrorNoDC = 27;

std::uint16_t PrintGetLastError();
void PrintSetLastError(std::uint16_t error);
// Reads and splits the "device" entry into buffer; the parts point into it. The entry's length, or 0
// when it is missing, longer than the buffer or incomplete.
std::uint32_t PrintGetDefaultPrinter(char* buffer, std::uint32_t size, char** name, char** driver, char** port);
HDC PrintOpenDefaultDC();
// 0 when a default printer exists; else says so in a box and gives 1.
std::int16_t PrintCheckPrinter();
// A DC on the default printer with the given orientation and colour mode, or 0 after a box.
HDC PrintCreateDC(std::uint16_t orientation, std::uint16_t colorMode);
std::int16_t PrintIsColor();
// PrintIsColor that tells a printer without colour from no printer at all (false, after its box).
bool PrintProbeColor(std::int16_t* isColor);

struct PrintPageMetrics {
    POINT offset;
    SIZE paper;
    SIZE resolution;
};
PrintPageMetrics PrintGetPageMetrics(HDC dc);
