// TrueType fonts: installation from a file, the family look-up, metrics and re-creation on size and
// style changes.
#include "OMTTFont.h"

#include <cstring>
#include <string>

#include "OMIStream.h"

namespace {

struct FamilySearch {
    const char* face;
    bool found;
};

int CALLBACK matchFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM argument) {
    FamilySearch* search = reinterpret_cast<FamilySearch*>(argument);
    if ((type & TRUETYPE_FONTTYPE) && std::strcmp(font->lfFaceName, search->face) == 0) {
        search->found = true;
        return 0;
    }
    return 1;
}

// `folder` (the system folder when empty) + "\" + base + extension.
std::string fontFilePath(const char* folder, const char* base, const char* extension) {
    std::string path = folder ? folder : "";
    if (path.empty()) {
        char system[260];
        path.assign(system, GetSystemDirectoryA(system, sizeof system));
    }
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + base + extension;
}

}  // namespace

bool trueTypeFamilyInstalled(const char* face) {
    FamilySearch search{face, false};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, nullptr, matchFamily, reinterpret_cast<LPARAM>(&search));
    ReleaseDC(nullptr, screen);
    return search.found;
}

OMTTFont::OMTTFont(const char* face, const char* fileBase, const char* ttfFolder, const char* fotFolder) {
    if (fileBase && *fileBase) install(fileBase, ttfFolder, fotFolder);
    if (face && *face && trueTypeFamilyInstalled(face)) name = copyOfText(face);
    setSize(16);
    setStyle(0);
}

void OMTTFont::install(const char* fileBase, const char* ttfFolder, const char* fotFolder) {
    const std::string fot = fontFilePath(fotFolder, fileBase, ".fot");
    const std::string ttf = fontFilePath(ttfFolder, fileBase, ".ttf");
    if (CreateScalableFontResourceA(0, fot.c_str(), ttf.c_str(), nullptr) && AddFontResourceA(fot.c_str()) != 0) {
        installedFile = copyOfText(fot.c_str());
    }
}

OMTTFont::~OMTTFont() {
    if (installedFile) {
        RemoveFontResourceA(installedFile.get());
        DeleteFileA(installedFile.get());
    }
    DeleteObject(handle);
}

std::int32_t OMTTFont::ascent() { return textMetricsOf(handle).tmAscent; }
std::int32_t OMTTFont::descent() { return textMetricsOf(handle).tmDescent; }
std::int32_t OMTTFont::leading() { return textMetricsOf(handle).tmExternalLeading; }
std::int32_t OMTTFont::textWidth(const char* text) { return textExtentOf(handle, text); }

void OMTTFont::textBounds(OMRect& bounds, const char* text) {
    bounds.set(0, -ascent(), 0, descent());
    const std::size_t length = std::strlen(text);
    if (length == 0) return;
    const UINT first = static_cast<unsigned char>(text[0]);
    const UINT last = static_cast<unsigned char>(text[length - 1]);
    ABC firstWidths{};
    ABC lastWidths{};
    {
        ScreenFontContext context(handle);
        GetCharABCWidthsA(context.dc(), first, first, &firstWidths);
        GetCharABCWidthsA(context.dc(), last, last, &lastWidths);
    }
    bounds.left = firstWidths.abcA;
    bounds.right = textWidth(text) - lastWidths.abcC;
}

void OMTTFont::setSize(std::int32_t pixels) {
    fontSize = pixels;
    recreate();
}

void OMTTFont::setStyle(std::int32_t bits) {
    fontStyle = bits;
    recreate();
}

void OMTTFont::recreate() {
    HFONT created = CreateFontA(-fontSize, 0, 0, 0, (fontStyle & kFontBold) ? 700 : 0, (fontStyle & kFontItalic) ? 1 : 0,
                                (fontStyle & kFontUnderline) ? 1 : 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, name.get());
    DeleteObject(handle);
    handle = created;
}
