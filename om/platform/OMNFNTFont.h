// A bitmap font from an NFNT resource: the strike as a one-bit bitmap selected into a memory device
// context of its own, from which canvases copy the glyphs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "NFNTData.h"
#include "OMFont.h"

class OMIStream;
class OMResFile;

class OMNFNTFont : public OMFont {
public:
    // Builds the font from a whole-mode stream, which the caller keeps; any other leaves it unbuilt.
    explicit OMNFNTFont(OMIStream& stream);
    // Builds the font from the "NFNT" resource `id` of `file`.
    OMNFNTFont(std::int16_t id, OMResFile* file);
    ~OMNFNTFont() override;

    std::int32_t ascent() override { return data.header.ascent; }
    std::int32_t descent() override { return data.header.descent; }
    std::int32_t leading() override { return data.header.leading; }
    std::int32_t textWidth(const char* text) override { return data.textWidth(text); }
    void textBounds(OMRect& bounds, const char* text) override { bounds = data.textBounds(text); }
    const char* typeName() const override { return "OMNFNTFont"; }

    // The strike as a bottom-up one-bit DIB: info header, colours 0 and 1, rows.
    BITMAPINFO* strikeInfo() { return reinterpret_cast<BITMAPINFO*>(strikeDIB.data()); }
    RGBQUAD* strikeColors() { return reinterpret_cast<RGBQUAD*>(strikeDIB.data() + sizeof(BITMAPINFOHEADER)); }
    const std::uint8_t* strikeBits() const { return strikeDIB.data() + sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD); }

    NFNTStatus status = NFNTStatus::notRead;
    NFNTData data;
    HDC memoryDC = nullptr;
    HBITMAP strikeBitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::vector<std::uint8_t> strikeDIB;

private:
    void build(OMIStream& stream);
    void buildStrike();
};
