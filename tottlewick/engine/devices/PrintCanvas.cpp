// Printer canvases and ImagePrint over the print job.
#include "PrintCanvas.h"

#include "CanvasCopy.h"
#include "Palette.h"
#include "PrintDevice.h"
#include "PrintJob.h"
#include "PrintLayout.h"
#include "PrintPlatform.h"
#include "Port.h"

namespace {

constexpr const char* kDefaultName = "image";

// The printable size as the printer reports it, so that the canvas's bounds match the page.
void takePrintableSize(Canvas printer, HDC dc) {
    const PrintPlatform& platform = PrintGetPlatform();
    Rect bounds{0, 0, static_cast<std::int16_t>(platform.getDeviceCaps(dc, HORZRES)),
                static_cast<std::int16_t>(platform.getDeviceCaps(dc, VERTRES))};
    CanvasSetDeviceRect(printer, &bounds);
    CanvasSetBounds(printer, &bounds);
}

// A palette printer gets the current palette; others get the colours of the copy's own table.
void selectPalette(HDC dc) {
    if (!(PrintGetPlatform().getDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return;
    SelectPalette(dc, PalGetCurrent(), FALSE);
    RealizePalette(dc);
}

}  // namespace

std::int16_t PrintOpenCanvas(Canvas* out, const char* name, std::uint16_t flags) {
    *out = 0;
    const std::uint16_t orientation = (flags & kPrintPortrait) ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE;
    std::int16_t isColor = 0;
    if ((flags & kPrintColor) && !PrintProbeColor(&isColor)) return 0;  // its box is shown once
    HDC dc = PrintCreateDC(orientation, isColor ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    if (!dc) return 0;
    if (!CanvasCreate(out, reinterpret_cast<std::uintptr_t>(dc), kCanvasDeviceContext)) {
        DeleteDC(dc);
        return 0;
    }
    takePrintableSize(*out, dc);
    selectPalette(dc);
    if (PrintStartDoc(dc, name)) return 1;
    CanvasDispose(out);
    return 0;
}

std::int16_t PrintBeginPage(Canvas printer) {
    PortPush(printer);
    return PrintStartPage(CanvasGetDC(printer));
}

std::int16_t PrintFinishPage(Canvas printer) {
    PortPop();
    return PrintEndPage(CanvasGetDC(printer));
}

std::int16_t PrintCloseCanvas(Canvas* printer) {
    if (!PrintEndDoc(CanvasGetDC(*printer))) return 0;
    CanvasDispose(printer);
    return 1;
}

void PrintPageArea(Canvas printer, Rect* area) {
    const PrintPageMetrics metrics = PrintGetPageMetrics(CanvasGetDC(printer));
    Rect bounds{};
    CanvasGetBounds(&bounds, printer);
    *area = PrintPageAreaOf(metrics.offset.x, metrics.offset.y, metrics.paper.cx, metrics.paper.cy,
                            RectWidth(&bounds), RectHeight(&bounds));
}

std::int16_t ImagePrint(Canvas canvas, const char* name, const Rect* rect, std::uint16_t flags) {
    Rect source{};
    if (rect) {
        source = *rect;
    } else {
        CanvasGetBounds(&source, canvas);
    }
    if (!RectIsValid(&source)) return 0;  // nothing to print: no job is started
    Canvas printer = 0;
    if (!PrintOpenCanvas(&printer, name ? name : kDefaultName, flags)) return 0;
    Rect area{};
    PrintPageArea(printer, &area);
    Rect placed{};
    PrintPlaceInArea(area, RectWidth(&source), RectHeight(&source), &placed);
    std::int16_t printed = 0;
    if (PrintBeginPage(printer)) {
        CanvasCopyScaled(printer, &placed, canvas, &source);
        const bool finished = PrintFinishPage(printer) != 0;
        printed = PrintCloseCanvas(&printer) && finished ? 1 : 0;
    } else {
        PortPop();
        PrintEndDoc(CanvasGetDC(printer));
    }
    // An aborted job keeps its canvas through PrintCloseCanvas; it is disposed of here all the same.
    if (printer) CanvasDispose(&printer);
    return printed;
}
