// The record inside a font's memory handle, and the scoped lock through which it is read.
#pragma once

#include "Font.h"

struct FontRecord {
    std::uint16_t kind;
    ShapeBank bank;
    std::uint16_t bankId;
    std::int16_t spaceWidth;
    std::int16_t spacing;
    std::int16_t capHeight;
    std::int16_t lineHeight;
    std::uint8_t* widths;   // 256 entries (shape fonts)
    std::uint8_t* indexes;  // 256 entries (shape fonts)
    HFONT systemFont;
    std::int16_t size;
    std::uint16_t style;
};

class FontAccess {
public:
    explicit FontAccess(Font font)
        : font_(font), record_(font ? static_cast<FontRecord*>(MemHandleLock(font)) : nullptr) {}
    ~FontAccess() {
        if (record_) MemHandleUnlock(font_);
    }
    FontAccess(const FontAccess&) = delete;
    FontAccess& operator=(const FontAccess&) = delete;

    explicit operator bool() const { return record_ != nullptr; }
    FontRecord* operator->() const { return record_; }

private:
    Font font_;
    FontRecord* record_;
};
