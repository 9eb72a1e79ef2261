// Inside the shape manager: a bank locked and read for the length of one operation, and the blend table.
#pragma once

#include <cstdint>

#include "ShapeMgr.h"
#include "XpkFormat.h"

// Locks the bank's handle for the lifetime of the object; false for a 0 or unlockable handle or a block
// too short for the tables its header names.
class BankAccess {
public:
    explicit BankAccess(ShapeBank bank);
    ~BankAccess();
    BankAccess(const BankAccess&) = delete;
    BankAccess& operator=(const BankAccess&) = delete;

    explicit operator bool() const { return open_; }
    const XpkBank& bank() const { return view_; }
    // Shape `index` and its image rectangle placed at (x, y) by the flags; false for an index past the
    // last shape.
    bool place(std::uint16_t index, std::int16_t x, std::int16_t y, std::uint16_t flags, XpkShape* shape,
               Rect* image) const;

private:
    ShapeBank handle_;
    XpkBank view_;
    bool open_ = false;
};

// ShapeDraw through a bank already locked, for walks that draw many of its shapes.
std::int16_t shapeDrawFrom(const BankAccess& bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                           std::uint16_t flags);

// The table filled by ShapeMgrInit; null before it and after ShapeMgrTerm.
const std::uint8_t* shapeBlendTable();
