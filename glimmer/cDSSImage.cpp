// Loading and drawing of splash-screen pictures.
#include "cDSSImage.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "DssTrace.h"
#include "JpegDecoder.h"
#include "cDSSFile.h"

cDSSImage::~cDSSImage() { release(); }

void cDSSImage::release() {
    std::free(bits_);
    bits_ = nullptr;
    if (palette_ != nullptr) DeleteObject(palette_);
    palette_ = nullptr;
    colourTable_ = nullptr;
    info_ = {};
    width_ = height_ = depth_ = 0;
}

bool cDSSImage::load(const std::string& path, int wantedDepth) {
    release();
    cDSSFile file;
    if (!file.open(path, cDSSFile::kRead)) {
        dssError("Could not open JPEG file [%s]\n", path.c_str());
        return false;
    }
    const long size = file.size();
    std::vector<std::uint8_t> bytes(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (size < 0 || file.read(bytes.data(), size) < size) {
        dssError("Error reading from JPEG file\n");
        return false;
    }
    JpegDibResult decoded;
    std::uint16_t code = decodeJpegToDib(bytes.data(), bytes.size(), wantedDepth, &decoded);
    if (code != kJpegOk) {
        dssError("Decompression of JPEG failed (returned %d)\n", code);
        return false;
    }
    bits_ = decoded.bits;
    width_ = static_cast<int>(decoded.width);
    height_ = static_cast<int>(decoded.height);
    depth_ = (wantedDepth > 0 && wantedDepth < 32 && decoded.colourCount == (1u << wantedDepth)) ? wantedDepth : 8;

    BITMAPINFOHEADER& header = info_.header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width_;
    header.biHeight = height_;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(depth_);
    header.biCompression = BI_RGB;
    header.biSizeImage = decoded.byteCount;
    header.biClrUsed = depth_ == 8 ? 256 : 0;
    if (depth_ == 8) {
        std::memcpy(info_.colours, decoded.colourTable, sizeof info_.colours);
        colourTable_ = info_.colours;
        createPalette();
    }
    return true;
}

void cDSSImage::createPalette() {
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[256];
    } logical = {0x300, 256, {}};
    for (int i = 0; i < 256; ++i) {
        logical.entries[i] = {colourTable_[i].rgbRed, colourTable_[i].rgbGreen, colourTable_[i].rgbBlue, 0};
    }
    palette_ = CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
}

bool cDSSImage::draw(HDC dc) const {
    if (bits_ == nullptr) return false;
    HPALETTE previous = nullptr;
    if (palette_ != nullptr) {
        previous = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
    }
    int lines = StretchDIBits(dc, 0, 0, width_, height_, 0, 0, width_, height_, bits_, info(), DIB_RGB_COLORS, SRCCOPY);
    if (previous != nullptr) SelectPalette(dc, previous, TRUE);
    return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}
