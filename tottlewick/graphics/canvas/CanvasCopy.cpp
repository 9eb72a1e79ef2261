// The copy engine. GDI blits between device contexts carry every copy, except memory canvas to printer:
// the printer gets the DIB through StretchDIBits with the palette's colours in its table for the time of
// the copy, because the printer has no palette of its own to resolve indices against.
#include "CanvasCopy.h"

#include "CanvasRecord.h"
#include "Dib.h"
#include "Port.h"

namespace {

enum class CopyMethod { none, blit, dibits };

struct CopyState {
    bool prepared = false;
    CopyMethod method = CopyMethod::none;
    Canvas destinationCanvas = 0;
    HDC destination = nullptr;
    HDC source = nullptr;
    int sourceX = 0, sourceY = 0;  // the origins
    int destinationX = 0, destinationY = 0;
    Rect clip{};  // logical, of the destination
    DWORD rasterOp = SRCCOPY;
    std::uint16_t mode = 0;
    DibHeader* dib = nullptr;
    void* bits = nullptr;
    UINT colorUse = DIB_RGB_COLORS;
};

CopyState copy;

std::int16_t s16(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

std::int16_t CanvasBeginCopy(Canvas destination, Canvas source, std::uint16_t mode) {
    CanvasEndCopy();
    CanvasAccess to(destination);
    CanvasAccess from(source);
    if (!to || !from) return 0;
    if (to->kind() == kCanvasWindow && from->kind() == kCanvasWindow) return 0;
    copy.sourceX = from->originX();
    copy.sourceY = from->originY();
    copy.destinationX = to->originX();
    copy.destinationY = to->originY();
    Rect clip{};
    CanvasGetClip(&clip, destination);
    RectIntersect(&copy.clip, &clip, &to->device);
    copy.rasterOp = portRasterOp();
    copy.mode = mode;
    copy.destinationCanvas = destination;
    copy.destination = canvasBlitTargetDC(*to, copy.clip);
    copy.source = canvasSourceDC(*from);
    copy.method = CopyMethod::blit;
    if (from->kind() == kCanvasMemory && to->kind() == kCanvasDeviceContext) {
        DibSetColorTable(from->dib, from->palette, kDibTableColors);
        copy.method = CopyMethod::dibits;
        copy.colorUse = DIB_RGB_COLORS;
        copy.dib = from->dib;
        copy.bits = from->bits;
    }
    copy.prepared = true;
    return 1;
}

void CanvasEndCopy() {
    if (copy.method == CopyMethod::dibits && copy.dib) DibSetColorTable(copy.dib, nullptr, kDibTableIndices);
    copy = CopyState{};
}

std::int16_t CanvasBlit(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height, std::int16_t sourceX,
                        std::int16_t sourceY) {
    if (!copy.prepared) return 0;
    Rect r{};
    RectSetBySize(&r, x, y, width, height);
    if (!RectIntersect(&r, &r, &copy.clip)) return 0;
    const int toX = r.left - copy.destinationX;
    const int toY = r.top - copy.destinationY;
    const int fromX = sourceX + r.left - x - copy.sourceX;
    const int fromY = sourceY + r.top - y - copy.sourceY;
    const int w = RectWidth(&r);
    const int h = RectHeight(&r);
    if (copy.method == CopyMethod::dibits) {
        return StretchDIBits(copy.destination, toX, toY, w, h, fromX, copy.dib->height - (fromY + h), w, h, copy.bits,
                             reinterpret_cast<BITMAPINFO*>(copy.dib), copy.colorUse, copy.rasterOp) > 0
                   ? 1
                   : 0;
    }
    return BitBlt(copy.destination, toX, toY, w, h, copy.source, fromX, fromY, copy.rasterOp) ? 1 : 0;
}

std::int16_t CanvasStretchBlit(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                               std::int16_t sourceX, std::int16_t sourceY, std::int16_t sourceWidth,
                               std::int16_t sourceHeight) {
    if (!copy.prepared) return 0;
    const int toX = x - copy.destinationX;
    const int toY = y - copy.destinationY;
    const int fromX = sourceX - copy.sourceX;
    const int fromY = sourceY - copy.sourceY;
    // Only the destination's clip region cuts a scaled copy.
    if (CanvasAccess to{copy.destinationCanvas}) canvasSelectPendingClip(*to);
    if (copy.method == CopyMethod::dibits) {
        return StretchDIBits(copy.destination, toX, toY, width, height, fromX,
                             copy.dib->height - (fromY + sourceHeight), sourceWidth, sourceHeight, copy.bits,
                             reinterpret_cast<BITMAPINFO*>(copy.dib), copy.colorUse, copy.rasterOp) > 0
                   ? 1
                   : 0;
    }
    return StretchBlt(copy.destination, toX, toY, width, height, copy.source, fromX, fromY, sourceWidth, sourceHeight,
                      copy.rasterOp)
               ? 1
               : 0;
}

std::int16_t CanvasCopyPrepared(std::int16_t x, std::int16_t y, const Rect* sourceRect) {
    return CanvasBlit(x, y, RectWidth(sourceRect), RectHeight(sourceRect), sourceRect->left, sourceRect->top);
}

std::int16_t CanvasCopyRect(Canvas destination, std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                            Canvas source, std::int16_t sourceX, std::int16_t sourceY, std::int16_t sourceWidth,
                            std::int16_t sourceHeight) {
    CanvasBeginCopy(destination, source, 0);
    if (width == sourceWidth && height == sourceHeight) CanvasBlit(x, y, width, height, sourceX, sourceY);
    else CanvasStretchBlit(x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight);
    CanvasEndCopy();
    return 1;
}

std::int16_t CanvasCopy(Canvas destination, std::int16_t x, std::int16_t y, Canvas source, const Rect* sourceRect) {
    const std::int16_t w = RectWidth(sourceRect);
    const std::int16_t h = RectHeight(sourceRect);
    return CanvasCopyRect(destination, x, y, w, h, source, sourceRect->left, sourceRect->top, w, h);
}

std::int16_t CanvasCopyScaled(Canvas destination, const Rect* destinationRect, Canvas source, const Rect* sourceRect) {
    return CanvasCopyRect(destination, destinationRect->left, destinationRect->top, RectWidth(destinationRect),
                          RectHeight(destinationRect), source, sourceRect->left, sourceRect->top,
                          RectWidth(sourceRect), RectHeight(sourceRect));
}

void CanvasCopyClipped(Canvas destination, std::int16_t x, std::int16_t y, Canvas source, const Rect* rect) {
    Rect device{};
    CanvasGetDeviceRect(&device, source);
    const Rect area = rect ? *rect : device;
    Rect r{};
    if (!RectIntersect(&r, &device, &area)) return;
    CanvasCopy(destination, s16(x + r.left - area.left), s16(y + r.top - area.top), source, &r);
}

void PortCopyWithin(std::int16_t x, std::int16_t y, const Rect* rect) {
    const Canvas port = PortGet();
    CanvasCopyClipped(port, x, y, port, rect);
}
