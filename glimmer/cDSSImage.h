// A splash-screen picture: a JPEG file decoded into a bottom-up DIB at the screen's depth, with a
// logical palette at 8 bits, drawn with StretchDIBits.
#pragma once

#include <windows.h>

#include <string>

class cDSSImage {
public:
    cDSSImage() = default;
    cDSSImage(const cDSSImage&) = delete;
    cDSSImage& operator=(const cDSSImage&) = delete;
    ~cDSSImage();

    [[nodiscard]] bool load(const std::string& path, int wantedDepth);
    [[nodiscard]] bool draw(HDC dc) const;

    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(&info_); }
    HPALETTE palette() const { return palette_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void release();
    void createPalette();

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info_ = {};
    RGBQUAD* colourTable_ = nullptr;  // inside info_ at 8 bits, else null
    unsigned char* bits_ = nullptr;
    HPALETTE palette_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
};
