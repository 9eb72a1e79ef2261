// Creating and disposing of the four kinds of canvas, and the getters of the record.
#include "Canvas.h"

#include <cstring>

#include "CanvasPalette.h"
#include "CanvasRecord.h"
#include "Dib.h"
#include "GraphicsAlert.h"
#include "Palette.h"
#include "Port.h"
#include "WinRect.h"

namespace {

std::uint16_t defaultDepth = 8;

constexpr COLORREF kDefaultBackColor = 0xFFFFFF;
constexpr std::uint16_t kDefaultBackColorWord = 255;
constexpr std::uint16_t kFormOwnedSection = 2;

void setArea(CanvasRecord& r, std::int16_t width, std::int16_t height) {
    RectSet(&r.device, 0, 0, width, height);
    r.bounds = r.device;
}

void selectColors(const CanvasRecord& r) {
    SetTextColor(r.dc, r.textColor);
    SetBkColor(r.dc, r.backColor);
}

// Kinds 1 and 2 take their size as width | height << 16; a size of 0 or less makes no canvas.
bool unpackSize(std::uintptr_t argument, std::int16_t* width, std::int16_t* height) {
    *width = static_cast<std::int16_t>(argument & 0xFFFF);
    *height = static_cast<std::int16_t>((argument >> 16) & 0xFFFF);
    return *width > 0 && *height > 0;
}

bool createOverDC(CanvasRecord& r, HDC dc) {
    if (!dc) return false;
    r.dc = dc;
    setArea(r, static_cast<std::int16_t>(GetDeviceCaps(dc, HORZRES)),
            static_cast<std::int16_t>(GetDeviceCaps(dc, VERTRES)));
    selectColors(r);
    return true;
}

bool createBitmap(CanvasRecord& r, std::uintptr_t size) {
    std::int16_t width = 0;
    std::int16_t height = 0;
    if (!unpackSize(size, &width, &height)) return false;
    setArea(r, width, height);
    HDC portDC = PortGetDC();
    HDC reference = portDC ? portDC : GetDC(nullptr);
    r.dc = CreateCompatibleDC(reference);
    HBITMAP bitmap = nullptr;
    if (r.dc) {
        bitmap = (r.kindWord & 0xF000) == kCanvasDepth1 ? CreateBitmap(width, height, 1, 1, nullptr)
                                                         : CreateCompatibleBitmap(reference, width, height);
    }
    if (!portDC) ReleaseDC(nullptr, reference);
    if (!bitmap) {
        if (r.dc) DeleteDC(r.dc);
        return false;
    }
    r.previous = SelectObject(r.dc, bitmap);
    selectColors(r);
    return true;
}

// The decoders write 16-bit pixels as 5-6-5 (red in bits 11-15, green in 5-10, blue in 0-4); a plain
// 16-bit DIB would be read as 5-5-5, so the section carries the three masks in its first colour slots.
void useMasks565(DibHeader* dib) {
    constexpr DWORD masks[] = {0xF800, 0x07E0, 0x001F};
    dib->compression = BI_BITFIELDS;
    std::memcpy(reinterpret_cast<std::uint8_t*>(dib) + kDibHeaderSize, masks, sizeof masks);
}

void releaseDib(CanvasRecord& r) {
    if (!r.dibHandle) return;
    MemHandleUnlock(r.dibHandle);
    DibFree(&r.dibHandle);
    r.dib = nullptr;
}

bool createMemory(CanvasRecord& r, std::uintptr_t size) {
    std::int16_t width = 0;
    std::int16_t height = 0;
    if (!unpackSize(size, &width, &height)) return false;
    setArea(r, width, height);
    r.form = kFormOwnedSection;
    RectToWinRect(&r.bounds, &r.clip);
    const std::uint16_t depth = canvasDepthOf(r.kindWord);
    if (!DibCreate(&r.dibHandle, depth, 1, 1)) return false;
    r.dib = static_cast<DibHeader*>(MemHandleLock(r.dibHandle));
    r.dib->width = width;
    r.dib->height = height;
    r.dib->imageSize = DibStride(r.dib) * static_cast<std::uint32_t>(height);
    if (depth == 16) useMasks565(r.dib);
    r.dc = CreateCompatibleDC(nullptr);
    HBITMAP section = r.dc ? CreateDIBSection(r.dc, reinterpret_cast<BITMAPINFO*>(r.dib), DIB_RGB_COLORS, &r.bits,
                                              nullptr, 0)
                           : nullptr;
    if (!section) {
        if (r.dc) DeleteDC(r.dc);
        releaseDib(r);
        return false;
    }
    r.previous = SelectObject(r.dc, section);
    return true;
}

bool createWindow(CanvasRecord& r, HWND window) {
    if (!window) return false;
    r.window = window;
    RECT client{};
    GetClientRect(window, &client);
    setArea(r, static_cast<std::int16_t>(client.right), static_cast<std::int16_t>(client.bottom));
    r.dc = GetDC(window);
    if (r.dc) selectColors(r);
    return true;
}

bool createKind(CanvasRecord& r, std::uintptr_t argument) {
    switch (r.kind()) {
    case kCanvasDeviceContext: return createOverDC(r, reinterpret_cast<HDC>(argument));
    case kCanvasBitmap: return createBitmap(r, argument);
    case kCanvasMemory: return createMemory(r, argument);
    default: return createWindow(r, reinterpret_cast<HWND>(argument));
    }
}

std::int16_t disposeKind(CanvasRecord& r) {
    switch (r.kind()) {
    case kCanvasDeviceContext: return DeleteDC(r.dc) ? 1 : 0;
    case kCanvasBitmap: {
        HGDIOBJ bitmap = SelectObject(r.dc, r.previous);
        DeleteObject(bitmap);
        return DeleteDC(r.dc) ? 1 : 0;
    }
    case kCanvasMemory: {
        HGDIOBJ section = SelectObject(r.dc, r.previous);
        DeleteObject(section);
        const BOOL deleted = DeleteDC(r.dc);
        r.bits = nullptr;
        releaseDib(r);
        return deleted ? 1 : 0;
    }
    case kCanvasWindow: return r.window && r.dc ? static_cast<std::int16_t>(ReleaseDC(r.window, r.dc)) : 1;
    default: return 0;
    }
}

}  // namespace

std::uint16_t canvasDepthOf(std::uint16_t kindWord) {
    switch (kindWord >> 12) {
    case 0x0: return defaultDepth;
    case 0xA: return 24;
    case 0xB: return 16;
    case 0xC: return 15;
    case 0xD: return 8;
    case 0xE: return 4;
    case 0xF: return 1;
    default: return 0;
    }
}

HDC canvasSourceDC(CanvasRecord& record) {
    if (record.kind() == kCanvasWindow && !record.dc) record.dc = GetDC(record.window);
    return record.kind() <= kCanvasWindow ? record.dc : nullptr;
}

HDC canvasDC(CanvasRecord& record) {
    canvasSelectPendingClip(record);
    return canvasSourceDC(record);
}

std::int16_t CanvasCreate(Canvas* out, std::uintptr_t argument, std::uint16_t kindWord) {
    if (!out) return 0;
    *out = 0;
    const std::uint16_t kind = kindWord & 0xFF;
    if (kind > kCanvasWindow) return 0;
    Canvas canvas = MemHandleAllocFlags(sizeof(CanvasRecord), kMemZeroFill);
    bool made = false;
    if (canvas) {
        CanvasAccess r(canvas);
        if (r) {
            r->kindWord = kindWord;
            r->backColor = kDefaultBackColor;
            r->backColorWord = kDefaultBackColorWord;
            r->palette = PalGetCurrent();
            made = createKind(*r, argument);
        }
    }
    if (!made) {
        if (canvas) MemHandleFree(&canvas);
        if (kind == kCanvasWindow) graphicsAlert("Failed creating window canvas");
        return 0;
    }
    MemHandleSetLabel(canvas, kCanvasLabel, kindWord);
    if (kind == kCanvasMemory && PalGetCurrent()) {
        CanvasSetPalette(canvas, nullptr);
        CanvasRealize(canvas);
    }
    *out = canvas;
    return 1;
}

std::int16_t CanvasDispose(Canvas* canvas) {
    if (!canvas) return 0;
    std::int16_t result = 0;
    {
        CanvasAccess r(*canvas);
        if (!r) return 0;
        result = disposeKind(*r);
    }
    MemHandleFree(canvas);
    *canvas = 0;
    return result;
}

std::uint16_t CanvasGetKind(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? r->kind() : kCanvasNoKind;
}

std::uint16_t CanvasGetUsage(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? r->kindWord & kCanvasUsageMask : 0;
}

std::uint16_t CanvasGetDepth(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? canvasDepthOf(r->kindWord) : 0;
}

std::uint16_t CanvasSetDefaultDepth(std::uint16_t bits) {
    const std::uint16_t previous = defaultDepth;
    if (bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24) defaultDepth = bits;
    return previous;
}

std::uint16_t CanvasGetDefaultDepth() { return defaultDepth; }

std::int16_t CanvasGetWidth(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? RectWidth(&r->bounds) : 0;
}

std::int16_t CanvasGetHeight(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? RectHeight(&r->bounds) : 0;
}

HPALETTE CanvasGetPalette(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? r->palette : nullptr;
}

std::uint32_t CanvasGetUserWord(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? r->userWord : 0;
}

std::uint32_t CanvasSetUserWord(Canvas canvas, std::uint32_t value) {
    CanvasAccess r(canvas);
    if (!r) return 0;
    const std::uint32_t previous = r->userWord;
    r->userWord = value;
    return previous;
}

HDC CanvasGetDC(Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? canvasDC(*r) : nullptr;
}

DibHeader* CanvasGetDib(Canvas canvas) {
    CanvasAccess r(canvas);
    return r && r->kind() == kCanvasMemory ? r->dib : nullptr;
}

void* CanvasGetBits(Canvas canvas) {
    CanvasAccess r(canvas);
    return r && r->kind() == kCanvasMemory ? r->bits : nullptr;
}
