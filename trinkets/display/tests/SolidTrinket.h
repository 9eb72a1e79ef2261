// A test trinket ("RSolid" x y width height index): one palette index drawn inside the clip, its draws counted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "OMMemCanvas.h"
#include "OMSParameter.h"
#include "OMTrinket.h"
#include "OMTrinketWindow.h"

struct SolidTrinket : OMTrinket {
    SolidTrinket(OMTrinketWindow* owner, const OMRect& rect, std::uint8_t index, std::int32_t clip = kRedrawRegion)
        : OMTrinket(owner, clip), colorIndex(index) {
        setBounds(rect);
        invalidateAll();
    }
    SolidTrinket(const SolidTrinket& other) = default;
    OMScriptableObject* clone() override {
        auto* copy = new SolidTrinket(*this);
        copyPropertiesTo(copy);
        return copy;
    }
    void draw() override {
        OMMemCanvas& canvas = *window->offscreen;
        ++draws;
        lastClip = canvas.clip.bounds();
        OMRegion area = regionOf(bounds & OMRect{0, 0, canvas.width(), canvas.height()});
        if (canvas.clip.handle()) area &= canvas.clip;
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        if (!area.handle() || !canvas.lockBits(bits, pitch)) return;
        for (const RECT& r : rectsOf(area))
            for (LONG y = r.top; y < r.bottom; ++y) std::memset(bits + y * pitch + r.left, colorIndex, std::size_t(r.right - r.left));
        canvas.unlockBits();
    }
    // The rectangles GDI keeps for a region.
    static std::vector<RECT> rectsOf(const OMRegion& region) {
        const DWORD size = GetRegionData(region.handle(), 0, nullptr);
        std::vector<std::uint8_t> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (!size || !GetRegionData(region.handle(), size, header)) return {};
        const RECT* first = reinterpret_cast<const RECT*>(header->Buffer);
        return std::vector<RECT>(first, first + header->rdh.nCount);
    }
    std::uint8_t colorIndex;
    int draws = 0;
    OMRect lastClip = kEmptyRect;
};

// The factory of "RSolid": x, y, width, height and the palette index, on the main trinket window.
inline OMScriptableObject* makeSolidTrinket() {
    std::int32_t v[5];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    return new SolidTrinket(window, {v[0], v[1], v[0] + v[2], v[1] + v[3]}, static_cast<std::uint8_t>(v[4]));
}
