// Drawing a placed shape into a canvas's pixels: plainly into the current port, through a mask, and
// comparing it with a canvas. All three share the steps from the clip to the locked pixels.
#include "CanvasRecord.h"
#include "Port.h"
#include "ShapeAccess.h"
#include "ShapeFormats.h"
#include "ShapePlace.h"
#include "ShapeRun8.h"

namespace {

// A canvas's pixels locked for the lifetime of the object; false for a canvas without direct access.
class PixelLock {
public:
    explicit PixelLock(Canvas canvas) : canvas_(canvas) {
        locked_ = canvas && CanvasLockPixels(canvas, &target.base, &target.step, &target.depth, &area);
    }
    ~PixelLock() {
        if (locked_) CanvasUnlockPixels(canvas_);
    }
    PixelLock(const PixelLock&) = delete;
    PixelLock& operator=(const PixelLock&) = delete;
    explicit operator bool() const { return locked_; }

    ShapeTarget target{};
    Rect area{};  // the device rect at (0, 0)

private:
    Canvas canvas_;
    bool locked_ = false;
};

// One placed shape over a canvas, in pixel coordinates: `met` is the part of the image inside the
// canvas's clip (`cut` the same, cut again to the locked pixels).
struct Placement {
    const XpkBank& bank;
    const XpkShape& shape;
    const PixelLock& pixels;
    Rect image;
    Rect met;
    Rect cut;
    bool hasCut;
};

// The steps every drawing operation shares: clip the placed image rectangle to the canvas's bounds and
// clip, report the part inside, move both to pixel coordinates and lock the canvas's pixels; `act` runs
// whenever the shape met the clip, with or without pixels.
template <class Act>
std::int16_t drawPlaced(Rect* out, Canvas canvas, const BankAccess& access, std::uint16_t index, std::int16_t x,
                        std::int16_t y, std::uint16_t flags, Act act) {
    if (out) RectSetEmpty(out);
    CanvasFrame frame{};
    if (!canvasGetFrame(canvas, &frame)) return 0;
    XpkShape shape;
    Rect image{};
    Rect met{};
    Rect& clip = frame.clip;
    if (!access.place(index, x, y, flags, &shape, &image) || !RectIntersect(&clip, &clip, &frame.bounds) ||
        !RectIntersect(&met, &image, &clip)) {
        return 0;
    }
    if (out) *out = met;
    const auto dx = static_cast<std::int16_t>(-frame.origin.h);
    const auto dy = static_cast<std::int16_t>(-frame.origin.v);
    RectOffset(&image, dx, dy);
    RectOffset(&met, dx, dy);
    const PixelLock pixels(canvas);
    Rect cut{};
    const bool hasCut = pixels && RectIntersect(&cut, &met, &pixels.area);
    act(Placement{access.bank(), shape, pixels, image, met, cut, hasCut});
    return 1;
}

// Draws into the current port; `out` receives the part that met its clip.
std::int16_t drawInPort(Rect* out, const BankAccess& bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                        std::uint16_t flags) {
    return drawPlaced(out, PortGet(), bank, index, x, y, flags, [&](const Placement& p) {
        if (!p.hasCut) return;
        shapeDrawDecoded(p.bank, p.shape, p.pixels.target, p.cut, p.image, shapeBlendTable(), shapeMirrored(flags));
    });
}

}  // namespace

std::int16_t ShapeDraw(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                       std::uint16_t flags) {
    return drawInPort(out, BankAccess(bank), index, x, y, flags);
}

std::int16_t shapeDrawFrom(const BankAccess& bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                           std::uint16_t flags) {
    return drawInPort(nullptr, bank, index, x, y, flags);
}

std::int16_t ShapeDrawMasked(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                             std::uint16_t flags, Canvas mask) {
    return drawPlaced(out, PortGet(), BankAccess(bank), index, x, y, flags, [&](const Placement& p) {
        const PixelLock maskPixels(mask);
        if (!p.hasCut || p.bank.format() != kXpkRun8 || p.pixels.target.depth != 8 || !maskPixels ||
            maskPixels.target.depth != 8) {
            return;
        }
        // The mask pairs with the drawn part's top-left; the cut to the locked pixels moves into it.
        const int dx = p.cut.left - p.met.left;
        const int dy = p.cut.top - p.met.top;
        const ShapeMask view{
            static_cast<const std::uint8_t*>(maskPixels.target.base) + dy * maskPixels.target.step + dx,
            maskPixels.target.step, static_cast<std::int16_t>(RectWidth(&maskPixels.area) - dx),
            static_cast<std::int16_t>(RectHeight(&maskPixels.area) - dy)};
        if (view.width > 0 && view.height > 0) {
            ShapeDrawMaskedRun8(p.pixels.target.base, p.pixels.target.step, &p.cut, &p.image, p.shape.data,
                                p.shape.size, view);
        }
    });
}

std::int16_t ShapeCompare(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                          std::uint16_t flags, Canvas canvas, std::uint32_t* matches, std::uint32_t* mismatches) {
    return drawPlaced(out, canvas, BankAccess(bank), index, x, y, flags, [&](const Placement& p) {
        if (p.bank.format() != kXpkRun8 || !matches || !mismatches) return;
        *matches = 0;
        *mismatches = 0;
        if (p.pixels && p.pixels.target.depth == 8) {
            ShapeCompareRun8(p.pixels.target.base, p.pixels.target.step, &p.pixels.area, &p.image, p.shape.data,
                             p.shape.size, matches, mismatches);
        }
    });
}
