// A device-independent bitmap read from a "BITMAP" resource or a stream, with a transparent colour and
// the one-bit mask made from it on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "OMColorRecord.h"
#include "OMDib.h"

class OMIStream;
class OMResFile;

class OMBitmap {
public:
    // Loads the "BITMAP" resource `resourceNumber` of `file` (null: the program's own module).
    OMBitmap(std::int16_t resourceNumber, OMResFile* file);
    // Loads from a whole-mode stream; a block-mode stream leaves the bitmap without data.
    explicit OMBitmap(OMIStream& stream);
    OMBitmap(const OMBitmap&) = delete;
    OMBitmap& operator=(const OMBitmap&) = delete;
    ~OMBitmap();

    // Takes the stream's whole contents from position 0.
    [[nodiscard]] OMBitmapStatus load(OMIStream& stream);
    void buildMask();
    // One record per colour-table entry (colours-used count); true when the count is above 0.
    bool getColorTable(OMColorRecord* table) const;
    // A mask already built is kept.
    void setTransparentColor(const OMColorRecord& color) { transparentColor = color; }

    // The info header of the loaded bitmap and its pixels, or null.
    const std::uint8_t* info() const { return dib.get(); }
    const std::uint8_t* pixels() const { return dib ? dib.get() + layout.pixelOffset : nullptr; }
    const std::uint8_t* maskInfo() const { return mask.empty() ? nullptr : mask.data(); }
    const std::uint8_t* maskPixels() const;

    std::int32_t bitmapHeight = 0;
    std::int32_t bitmapWidth = 0;
    OMColorRecord transparentColor;
    std::int32_t bitCount = 0;
    std::unique_ptr<std::uint8_t[]> dib;
    std::vector<std::uint8_t> mask;
    OMBitmapStatus status = OMBitmapStatus::notABitmap;

private:
    OMDibLayout layout;
};
