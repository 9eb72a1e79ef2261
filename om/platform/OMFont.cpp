// The abstract font's destructor, GDI font metrics and the stock system font.
#include "OMFont.h"

#include <cstring>

#include "OMIStream.h"

OMFont::~OMFont() = default;

TEXTMETRICA textMetricsOf(HFONT font) {
    ScreenFontContext context(font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(context.dc(), &metrics);
    return metrics;
}

std::int32_t textExtentOf(HFONT font, const char* text) {
    ScreenFontContext context(font);
    SIZE extent{};
    GetTextExtentPointA(context.dc(), text, static_cast<int>(std::strlen(text)), &extent);
    return extent.cx;
}

OMSysFont::OMSysFont() {
    handle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    name = copyOfText("System font");
    fontSize = ascent() + descent() + leading();
}

std::int32_t OMSysFont::ascent() { return textMetricsOf(handle).tmAscent; }
std::int32_t OMSysFont::descent() { return textMetricsOf(handle).tmDescent; }
std::int32_t OMSysFont::leading() { return textMetricsOf(handle).tmExternalLeading; }
std::int32_t OMSysFont::textWidth(const char* text) { return textExtentOf(handle, text); }

void OMSysFont::textBounds(OMRect& bounds, const char* text) {
    bounds.set(0, -ascent(), textWidth(text), descent());
}
