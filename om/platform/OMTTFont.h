// A TrueType face created through GDI, optionally installed from a ".ttf" file for the object's life.
#pragma once

#include <cstdint>
#include <memory>

#include "OMFont.h"

// Whether an installed TrueType family has exactly this face name (letter case counts).
bool trueTypeFamilyInstalled(const char* face);

class OMTTFont : public OMFont {
public:
    // With a file base name: "<fot folder>\<base>.fot" is made from "<ttf folder>\<base>.ttf" and added
    // to the system's fonts (an empty folder means the system folder). The face is used only when a
    // TrueType family of that name is installed; the font starts at 16 pixels, plain.
    OMTTFont(const char* face, const char* fileBase, const char* ttfFolder, const char* fotFolder);
    ~OMTTFont() override;

    std::int32_t ascent() override;
    std::int32_t descent() override;
    std::int32_t leading() override;
    std::int32_t textWidth(const char* text) override;
    // The ink from the first glyph to the last: the first character's leading ABC width to the extent
    // less the last character's trailing one; from -ascent to descent.
    void textBounds(OMRect& bounds, const char* text) override;
    void setSize(std::int32_t pixels) override;
    void setStyle(std::int32_t bits) override;
    const char* typeName() const override { return "OMTTFont"; }

    // The ".fot" file added while this font lives, or null.
    std::unique_ptr<char[]> installedFile;

private:
    void install(const char* fileBase, const char* ttfFolder, const char* fotFolder);
    void recreate();
};
