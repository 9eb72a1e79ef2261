// The abstract font and the stock system font.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "OMRect.h"

// Style bits of a font.
inline constexpr std::int32_t kFontBold = 1;
inline constexpr std::int32_t kFontItalic = 2;
inline constexpr std::int32_t kFontUnderline = 4;

// A font of one of three kinds, told apart by typeName. Fonts come from the font cache and go back to
// it; their users never delete them.
class OMFont {
public:
    OMFont() = default;
    OMFont(const OMFont&) = delete;
    OMFont& operator=(const OMFont&) = delete;
    virtual ~OMFont();

    virtual std::int32_t ascent() = 0;
    virtual std::int32_t descent() = 0;
    virtual std::int32_t leading() = 0;
    // Advance width of a zero-terminated text in pixels.
    virtual std::int32_t textWidth(const char* text) = 0;
    virtual std::int32_t size() { return fontSize; }
    virtual std::int32_t style() { return fontStyle; }
    // The text's box relative to the start of its baseline.
    virtual void textBounds(OMRect& bounds, const char* text) = 0;
    virtual void setSize(std::int32_t) {}
    virtual void setStyle(std::int32_t) {}
    virtual const char* typeName() const = 0;

    // The face name, or null.
    std::unique_ptr<char[]> name;
    // Null for bitmap fonts.
    HFONT handle = nullptr;
    // TrueType: the character height in pixels; system and bitmap fonts: the line height.
    std::int32_t fontSize = 0;
    std::int32_t fontStyle = 0;
};

// A screen device context with `font` selected, restored and given back at the end of the scope.
class ScreenFontContext {
public:
    explicit ScreenFontContext(HFONT font) : dc_(GetDC(nullptr)), previous_(SelectObject(dc_, font)) {}
    ScreenFontContext(const ScreenFontContext&) = delete;
    ScreenFontContext& operator=(const ScreenFontContext&) = delete;
    ~ScreenFontContext() {
        SelectObject(dc_, previous_);
        ReleaseDC(nullptr, dc_);
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The metrics and extent of a GDI font, read through a screen device context.
TEXTMETRICA textMetricsOf(HFONT font);
std::int32_t textExtentOf(HFONT font, const char* text);

// The stock system font, "System font"; its size is the line height measured at construction.
class OMSysFont : public OMFont {
public:
    OMSysFont();

    std::int32_t ascent() override;
    std::int32_t descent() override;
    std::int32_t leading() override;
    std::int32_t textWidth(const char* text) override;
    // (0, -ascent, text width, descent).
    void textBounds(OMRect& bounds, const char* text) override;
    const char* typeName() const override { return "OMSysFont"; }
};
