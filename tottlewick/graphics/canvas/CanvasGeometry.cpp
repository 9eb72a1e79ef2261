// The mapping between a canvas's logical coordinates and its device, clipping, and pixel access.
#include "Canvas.h"

#include "CanvasRecord.h"
#include "WinRect.h"

namespace {

std::int16_t s16(int value) { return static_cast<std::int16_t>(value); }

// A copy of the rectangle given or, for null, of the bounds.
Rect rectOrBounds(const CanvasRecord& r, const Rect* rect) { return rect ? *rect : r.bounds; }

void selectClipRect(HDC dc, int left, int top, int right, int bottom) {
    HRGN region = CreateRectRgn(left, top, right, bottom);
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

// The kept clip of a memory canvas moves with its pixels and stays inside its bounds.
void moveKeptClip(CanvasRecord& r, std::int16_t dx, std::int16_t dy) {
    if (r.kind() != kCanvasMemory) return;
    Rect clip{};
    RectFromWinRect(&clip, &r.clip);
    RectOffset(&clip, dx, dy);
    if (!RectIntersect(&clip, &clip, &r.bounds)) RectSetEmpty(&clip);
    RectToWinRect(&clip, &r.clip);
}

// The clip in logical coordinates: a memory canvas keeps its own; another asks its device context, and
// one without a usable clip box is clipped to its bounds.
Rect clipOf(CanvasRecord& r) {
    Rect clip{};
    if (r.kind() == kCanvasMemory) {
        RectFromWinRect(&clip, &r.clip);
        return clip;
    }
    RECT box{};
    const int type = GetClipBox(canvasDC(r), &box);
    RectFromWinRect(&clip, &box);
    if (type == ERROR || type == NULLREGION || !RectIsValid(&clip)) return r.bounds;
    RectOffset(&clip, r.originX(), r.originY());
    return clip;
}

}  // namespace

void CanvasGetBounds(Rect* out, Canvas canvas) {
    CanvasAccess r(canvas);
    if (r) *out = r->bounds;
    else RectSetEmpty(out);
}

void CanvasGetDeviceRect(Rect* out, Canvas canvas) {
    CanvasAccess r(canvas);
    if (r) *out = r->device;
    else RectSetEmpty(out);
}

void CanvasSetBounds(Canvas canvas, const Rect* rect) {
    CanvasAccess r(canvas);
    if (!r) return;
    const std::int16_t dx = rect ? s16(rect->left - r->bounds.left) : s16(-r->device.left);
    const std::int16_t dy = rect ? s16(rect->top - r->bounds.top) : s16(-r->device.top);
    RectOffset(&r->device, dx, dy);
    if (rect) RectSetBySize(&r->bounds, rect->left, rect->top, RectWidth(rect), RectHeight(rect));
    else r->bounds = r->device;
    moveKeptClip(*r, dx, dy);
}

void CanvasSetDeviceRect(Canvas canvas, const Rect* rect) {
    CanvasAccess r(canvas);
    if (!r) return;
    const int px = r->bounds.left - r->device.left;
    const int py = r->bounds.top - r->device.top;
    const Rect size = rect ? *rect : r->device;
    if (rect) RectOffset(&r->device, s16(px - rect->left), s16(py - rect->top));
    else RectOffset(&r->device, s16(px), s16(py));
    RectSetBySize(&r->bounds, r->bounds.left, r->bounds.top, RectWidth(&size), RectHeight(&size));
}

std::int16_t CanvasXToDevice(std::int16_t x, Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? s16(x - r->originX()) : x;
}

std::int16_t CanvasYToDevice(std::int16_t y, Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? s16(y - r->originY()) : y;
}

std::int16_t CanvasXFromDevice(std::int16_t x, Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? s16(x + r->originX()) : x;
}

std::int16_t CanvasYFromDevice(std::int16_t y, Canvas canvas) {
    CanvasAccess r(canvas);
    return r ? s16(y + r->originY()) : y;
}

void CanvasToDevice(Point* point, Canvas canvas) {
    CanvasAccess r(canvas);
    if (!r) return;
    point->h = s16(point->h - r->originX());
    point->v = s16(point->v - r->originY());
}

void CanvasFromDevice(Point* point, Canvas canvas) {
    CanvasAccess r(canvas);
    if (!r) return;
    point->h = s16(point->h + r->originX());
    point->v = s16(point->v + r->originY());
}

void CanvasRectToDevice(Rect* rect, Canvas canvas) {
    CanvasAccess r(canvas);
    if (r) RectOffset(rect, s16(-r->originX()), s16(-r->originY()));
}

void CanvasRectFromDevice(Rect* rect, Canvas canvas) {
    CanvasAccess r(canvas);
    if (r) RectOffset(rect, r->originX(), r->originY());
}

void CanvasRefreshWindowDC(Canvas canvas) {
    CanvasAccess r(canvas);
    if (!r || r->kind() != kCanvasWindow) return;
    if (r->dc) ReleaseDC(r->window, r->dc);
    r->dc = GetDC(r->window);
    RECT client{};
    GetClientRect(r->window, &client);
    selectClipRect(r->dc, client.left, client.top, client.right, client.bottom);
    r->device.right = s16(r->device.left + client.right - client.left);
    r->device.bottom = s16(r->device.top + client.bottom - client.top);
}

void CanvasSetClip(Canvas canvas, const Rect* rect) {
    CanvasAccess r(canvas);
    if (!r) return;
    Rect clip = rectOrBounds(*r, rect);
    if (RectWidth(&clip) == 0 || RectHeight(&clip) == 0) return;
    if (r->kind() != kCanvasMemory) {
        RectOffset(&clip, s16(-r->originX()), s16(-r->originY()));
        selectClipRect(canvasDC(*r), clip.left, clip.top, clip.right, clip.bottom);
        return;
    }
    if (r->dc) {
        r->dcClip = {clip.left, clip.top, clip.right, clip.bottom};
        r->dcClipPending = true;
    }
    RectIntersect(&clip, &clip, &r->bounds);
    RectToWinRect(&clip, &r->clip);
}

void canvasSelectPendingClip(CanvasRecord& record) {
    if (!record.dcClipPending) return;
    record.dcClipPending = false;
    record.dcUnclipped = false;
    const RECT& clip = record.dcClip;
    selectClipRect(record.dc, clip.left, clip.top, clip.right, clip.bottom);
}

HDC canvasBlitTargetDC(CanvasRecord& record, const Rect& area) {
    const RECT& clip = record.dcClip;
    const int left = area.left - record.originX(), top = area.top - record.originY();
    const int right = area.right - record.originX(), bottom = area.bottom - record.originY();
    const bool held = clip.left <= left && clip.top <= top && right <= clip.right && bottom <= clip.bottom;
    if (record.kind() != kCanvasMemory || !record.dcClipPending || !held) return canvasDC(record);
    if (!record.dcUnclipped) SelectClipRgn(record.dc, nullptr);
    record.dcUnclipped = true;
    return record.dc;
}

void CanvasGetClip(Rect* out, Canvas canvas) {
    CanvasAccess r(canvas);
    if (r) *out = clipOf(*r);
    else RectSetEmpty(out);
}

bool canvasGetFrame(Canvas canvas, CanvasFrame* out) {
    CanvasAccess r(canvas);
    if (!r) return false;
    *out = {r->bounds, clipOf(*r), {r->originX(), r->originY()}};
    return true;
}

std::int16_t CanvasLockPixels(Canvas canvas, void** base, std::int32_t* step, std::uint16_t* depth, Rect* area) {
    *base = nullptr;
    *step = 0;
    *depth = 0;
    CanvasAccess r(canvas);
    if (!r) {
        RectSetEmpty(area);
        return 0;
    }
    *area = r->device;
    RectOffset(area, s16(-r->device.left), s16(-r->device.top));
    if (r->kind() != kCanvasMemory || !r->bits) return 0;
    const auto stride = static_cast<std::int32_t>(DibStride(r->dib));
    auto* bits = static_cast<std::uint8_t*>(r->bits);
    *step = stride;
    if (r->dib->height >= 0) {
        bits += stride * (r->dib->height - 1);
        *step = -stride;
    }
    *base = bits;
    *depth = canvasDepthOf(r->kindWord);
    ++r->pixelLocks;
    return 1;
}

void CanvasUnlockPixels(Canvas canvas) {
    CanvasAccess r(canvas);
    if (r && r->kind() == kCanvasMemory && r->pixelLocks) --r->pixelLocks;
}
