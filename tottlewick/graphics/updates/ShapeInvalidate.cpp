// A placed shape's area marked dirty through the update manager.
#include "ShapeMgr.h"
#include "Update.h"

void ShapeInvalidate(ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y, std::uint16_t flags) {
    Rect image{};
    ShapeGetImageRect(&image, bank, index, x, y, flags);
    UpdateInvalRect(&image);
}
