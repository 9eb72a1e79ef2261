// One page of an image on a printer DC, with the abort dialog, over the print seam.
#include "PrintImage.h"

#include "AppBox.h"
#include "Canvas.h"
#include "Cursor.h"
#include "Dib.h"
#include "PrintJob.h"
#include "PrintLayout.h"
#include "PrintPlatform.h"
#include "Port.h"
#include "Str.h"

namespace {

constexpr const char* kDocumentName = "Printing image";
constexpr std::uint32_t kMessageProblem = 34;
constexpr std::uint32_t kMessageProblemCaption = 35;

// The document started, its page printed unless a step failed; false at the first failure. A job the
// user cancelled is no failure, though its EndPage fails.
bool printPage(HWND window, const void* bits, DibHeader* header, HDC dc, const Rect* rect, const Rect& placed,
               HCURSOR previous) {
    const PrintPlatform& platform = PrintGetPlatform();
    if (!PrintShowAbortDialog(window)) {
        EnableWindow(window, TRUE);
        platform.endDoc(dc);
        return false;
    }
    EnableWindow(window, FALSE);
    CursorSet(previous);
    bool printed = platform.startPage(dc) > 0;
    if (printed) {
        PrintStretchDib(dc, placed.left, placed.top, RectWidth(&placed), RectHeight(&placed), header, bits,
                        rect->left, header ? header->height - rect->bottom : 0, RectWidth(rect), RectHeight(rect),
                        SRCCOPY, DIB_RGB_COLORS);
        printed = platform.endPage(dc) > 0 || PrintIsAborted();
    }
    platform.endDoc(dc);
    return printed;
}

std::int16_t printPortImage(HWND window, HDC dc, const Rect* rect, int scale) {
    const Canvas port = PortGet();
    DibHeader* header = CanvasGetDib(port);
    const void* bits = CanvasGetBits(port);
    if (!header || !bits) return 1;
    // The table holds palette indices; a printer is given the palette's colours for the page.
    DibSetColorTable(header, CanvasGetPalette(port), kDibTableColors);
    const std::int16_t result = PrintImage(window, bits, header, dc, rect, scale);
    DibSetColorTable(header, nullptr, kDibTableIndices);
    return result;
}

bool userRetries() {
    const char* text = StrGetMessage(kMessageProblem,
                                     "There is a printing problem. Please see\nthe documentation in the CD package.");
    return AppMessageBox(text, StrGetMessage(kMessageProblemCaption, "Problem Printing"),
                         MB_RETRYCANCEL | MB_DEFBUTTON2) == IDRETRY;
}

}  // namespace

std::int16_t PrintImage(HWND window, const void* bits, DibHeader* header, HDC dc, const Rect* rect, int scale) {
    const PrintPlatform& platform = PrintGetPlatform();
    PrintResetAbort();
    const Rect page{0, 0, static_cast<std::int16_t>(platform.getDeviceCaps(dc, HORZRES)),
                    static_cast<std::int16_t>(platform.getDeviceCaps(dc, VERTRES))};
    const Rect placed = PrintImageRect(page, *rect, platform.getDeviceCaps(dc, LOGPIXELSX),
                                       platform.getDeviceCaps(dc, LOGPIXELSY), scale);
    const HCURSOR previous = CursorSetWait();
    platform.setAbortProc(dc, PrintAbortProc);
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = kDocumentName;
    const bool printed = platform.startDoc(dc, &info) > 0 && printPage(window, bits, header, dc, rect, placed, previous);
    CursorSet(previous);
    if (!PrintIsAborted()) {
        EnableWindow(window, TRUE);
        PrintCloseAbortDialog();
    }
    return printed ? 0 : 1;
}

std::int16_t PrintCanvasImage(HWND window, HDC dc, const Rect* rect, int scale) {
    std::int16_t result;
    while ((result = printPortImage(window, dc, rect, scale)) != 0 && userRetries()) {
    }
    return result;
}

std::int16_t PrintStretchDib(HDC dc, int x, int y, int width, int height, DibHeader* header, const void* bits,
                             int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rasterOp,
                             UINT colorUse) {
    if (!header) return PatBlt(dc, x, y, width, height, rasterOp) ? 1 : 0;
    const bool topDown = header->height < 0;
    if (topDown) header->height = -header->height;
    const int lines = StretchDIBits(dc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, bits,
                                    reinterpret_cast<BITMAPINFO*>(header), colorUse, rasterOp);
    if (topDown) header->height = -header->height;
    return lines > 0 ? 1 : 0;
}

void PrintMonochrome(HDC dc, int x, int y, const std::uint8_t* pixels, int pitch, const Rect* rect,
                     const std::uint8_t* map) {
    for (int row = rect->top; row < rect->bottom; ++row) {
        const std::uint8_t* line = pixels + static_cast<std::ptrdiff_t>(row) * pitch + rect->left;
        for (const PrintRun& run : PrintMonoRuns(line, RectWidth(rect), map))
            PatBlt(dc, x + run.start, y + row - rect->top, run.length, 1, run.ink ? BLACKNESS : WHITENESS);
    }
}
