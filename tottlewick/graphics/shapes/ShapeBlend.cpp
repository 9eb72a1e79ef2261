// Filling the blend table.
#include "ShapeBlend.h"

void shapeBlendTableFill(std::uint8_t* table) {
    for (unsigned i = 0; i < kBlendTableSize; ++i) {
        const unsigned a = i >> 10;
        const unsigned b = i >> 5 & 31;
        const unsigned c = i & 31;
        table[i] = static_cast<std::uint8_t>(((32 - a) * b + (a + 1) * c) >> 5);
    }
}
