// Choosing the decoder family by the bank's format word.
#include "ShapeFormats.h"

#include "ShapeDirect16.h"
#include "ShapeMapped16.h"
#include "ShapePlain8.h"
#include "ShapeRun8.h"

void shapeDrawDecoded(const XpkBank& bank, const XpkShape& shape, const ShapeTarget& target, const Rect& clip,
                      const Rect& image, const std::uint8_t* blend, bool mirrored) {
    const std::int16_t m = mirrored ? 1 : 0;
    switch (bank.format()) {
    case kXpkRun8:
        ShapeDrawRun8(target.base, target.step, target.depth, &clip, &image, shape.data, shape.size, m);
        break;
    case kXpkPlain8:
        ShapeDrawPlain8(target.base, target.step, target.depth, &clip, &image, shape.data, shape.size, m);
        break;
    case kXpkMapped16: {
        std::uint16_t map[kXpkColourMapMax];
        bank.colourMap(map);
        ShapeDrawMapped16(target.base, target.step, target.depth, &clip, &image, blend, map, shape.data, shape.size, m);
        break;
    }
    case kXpkDirect16:
        ShapeDrawDirect16(target.base, target.step, target.depth, &clip, &image, blend, shape.data, shape.size, m);
        break;
    default: break;
    }
}

std::int16_t shapeHitDecoded(const XpkBank& bank, const XpkShape& shape, const Rect& test, const Rect& image,
                             bool mirrored) {
    const std::int16_t m = mirrored ? 1 : 0;
    switch (bank.format()) {
    case kXpkRun8: return ShapeHitRun8(&test, &image, shape.data, shape.size, m);
    case kXpkPlain8: return ShapeHitPlain8(&test, &image, shape.data, shape.size, m);
    case kXpkMapped16: return ShapeHitMapped16(&test, &image, shape.data, shape.size, m);
    case kXpkDirect16: return ShapeHitDirect16(&test, &image, shape.data, shape.size, m);
    default: return 0;
    }
}
