// The process-wide font cache: one shared, reference-counted font per key (a font object, a 16-bit
// bitmap-font id, or a face name with style and size), substitutions between keys, and the system font
// standing in for any font that cannot be had.
#pragma once

#include <cstdint>
#include <memory>

class OMFont;
class OMIStream;

// Key kinds, also the kinds of cache records.
inline constexpr std::int32_t kFontByPointer = 0;
inline constexpr std::int32_t kFontByID = 1;
inline constexpr std::int32_t kFontByName = 2;

// A key of the cache; `name` is not owned.
struct OMFontKey {
    std::int32_t kind;
    OMFont* font;
    std::uint16_t id;
    const char* name;
    std::int32_t style;
    std::int32_t size;
};

inline OMFontKey fontKey(OMFont* font) { return {kFontByPointer, font, 0, nullptr, 0, 0}; }
inline OMFontKey fontKeyForID(std::uint16_t id) { return {kFontByID, nullptr, id, nullptr, 0, 0}; }
inline OMFontKey fontKeyForName(const char* name, std::int32_t style, std::int32_t size) {
    return {kFontByName, nullptr, 0, name, style, size};
}

// Each successful look-up adds a reference that one releaseFont gives back. The results are never null.
OMFont* findFontByID(std::uint16_t id);
// Exact, case-sensitive names; a TrueType family of exactly that name must be installed.
OMFont* findFontByName(const char* name, std::int32_t style, std::int32_t size);
// The cache takes ownership of a font it did not hold yet.
OMFont* findFontByPointer(OMFont* font);
// At the last reference the font is deleted; a font the cache does not hold is ignored.
void releaseFont(OMFont* font);

// Opens the "NFNT" data of an id, or gives null; the cache deletes the stream.
using OMNFNTFontLoader = OMIStream* (*)(std::uint16_t id);
void setNFNTFontLoader(OMNFNTFontLoader loader);

// Makes look-ups of `from` answer the look-up of `to`, replacing an earlier substitution of `from`.
void addFontSubstitution(const OMFontKey& from, const OMFontKey& to);
