// The shape manager's blend table, filled once for the targets that draw blended shapes.
#pragma once

#include <cstdint>
#include <vector>

#include "ShapeBlend.h"

inline const std::uint8_t* blendTable() {
    static const std::vector<std::uint8_t> table = [] {
        std::vector<std::uint8_t> t(kBlendTableSize);
        shapeBlendTableFill(t.data());
        return t;
    }();
    return table.data();
}
