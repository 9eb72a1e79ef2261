// NFNT fonts: reading the resource and turning the strike into a device bitmap.
#include "OMNFNTFont.h"

#include <cstring>

#include "OMIStream.h"
#include "OMIStreamRes.h"

OMNFNTFont::OMNFNTFont(OMIStream& stream) {
    if (stream.whole) build(stream);
}

OMNFNTFont::OMNFNTFont(std::int16_t id, OMResFile* file) {
    OMIStreamRes stream(id, "NFNT", file, kStreamWhole, nullptr);
    build(stream);
}

OMNFNTFont::~OMNFNTFont() {
    if (!memoryDC) return;
    if (strikeBitmap) {
        SelectObject(memoryDC, previousBitmap);
        DeleteObject(strikeBitmap);
    }
    DeleteDC(memoryDC);
}

void OMNFNTFont::build(OMIStream& stream) {
    name = copyOfText("NFNT");
    stream.seek(0);
    const std::int32_t count = stream.read();
    status = data.parse(stream.current, count > 0 ? static_cast<std::size_t>(count) : 0);
    if (status != NFNTStatus::built) return;
    buildStrike();
    fontSize = ascent() + descent() + leading();
    fontStyle = 0;
}

// Rows are stored bottom-up, so the first strike row becomes the last row in memory; the padding
// bytes stay zero.
void OMNFNTFont::buildStrike() {
    const std::int32_t height = data.header.fRectHeight;
    const std::size_t rowBytes = data.rowBytes();
    const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
    strikeDIB.assign(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + stride * height, 0);
    BITMAPINFO* info = strikeInfo();
    info->bmiHeader = {sizeof(BITMAPINFOHEADER), data.strikeWidth(), height, 1, 1, BI_RGB,
                       static_cast<DWORD>(stride * height), 0, 0, 2, 0};
    strikeColors()[1] = {255, 255, 255, 0};
    std::uint8_t* bits = strikeDIB.data() + sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD);
    for (std::int32_t row = 0; row < height; ++row) {
        std::memcpy(bits + (height - 1 - row) * stride, data.strike.data() + row * rowBytes, rowBytes);
    }
    memoryDC = CreateCompatibleDC(nullptr);
    strikeBitmap = CreateDIBitmap(memoryDC, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    if (strikeBitmap) previousBitmap = SelectObject(memoryDC, strikeBitmap);
}
