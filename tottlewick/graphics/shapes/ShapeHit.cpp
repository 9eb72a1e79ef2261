// Testing points, rectangles and other shapes against a placed shape's non-skipped pixels.
#include "ShapeAccess.h"
#include "ShapeFormats.h"
#include "ShapePlace.h"

std::int16_t ShapeHitRect(const Rect* rect, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                          std::uint16_t flags) {
    BankAccess access(bank);
    XpkShape shape;
    Rect image{};
    if (!rect || !access.place(index, x, y, flags, &shape, &image)) return 0;
    return shapeHitDecoded(access.bank(), shape, *rect, image, shapeMirrored(flags));
}

std::int16_t ShapeHitTest(std::int16_t pointX, std::int16_t pointY, ShapeBank bank, std::uint16_t index,
                          std::int16_t x, std::int16_t y, std::uint16_t flags) {
    Rect point{};
    RectSetBySize(&point, pointX, pointY, 1, 1);
    return ShapeHitRect(&point, bank, index, x, y, flags);
}

std::int16_t ShapesOverlap(ShapeBank bank1, std::uint16_t index1, std::int16_t x1, std::int16_t y1,
                           std::uint16_t flags1, ShapeBank bank2, std::uint16_t index2, std::int16_t x2,
                           std::int16_t y2, std::uint16_t flags2) {
    Rect first{};
    Rect second{};
    Rect both{};
    ShapeGetImageRect(&first, bank1, index1, x1, y1, flags1);
    ShapeGetImageRect(&second, bank2, index2, x2, y2, flags2);
    if (!RectIsValid(&first) || !RectIsValid(&second) || !RectIntersect(&both, &first, &second)) return 0;
    return ShapeHitRect(&both, bank1, index1, x1, y1, flags1) && ShapeHitRect(&both, bank2, index2, x2, y2, flags2)
               ? 1
               : 0;
}
