// The call stack of a script thread: cell positions of calls, and of open statements while compiling.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

constexpr std::int32_t YTSTACK = 2048;

class YCallStack {
public:
    // At most YTSTACK - 1 entries are used; false when full.
    [[nodiscard]] bool push(std::uint16_t position) {
        if (sp >= YTSTACK - 1) return false;
        entries[static_cast<std::size_t>(sp++)] = position;
        return true;
    }
    // Puts position at depth at, below the entries above it; false when full.
    [[nodiscard]] bool insert(std::int32_t at, std::uint16_t position) {
        if (sp >= YTSTACK - 1 || at < 0 || at > sp) return false;
        std::copy_backward(entries.begin() + at, entries.begin() + sp, entries.begin() + sp + 1);
        entries[static_cast<std::size_t>(at)] = position;
        ++sp;
        return true;
    }
    // False when empty.
    [[nodiscard]] bool pop(std::uint16_t* position) {
        if (sp == 0) return false;
        *position = entries[static_cast<std::size_t>(--sp)];
        return true;
    }
    std::int32_t depth() const { return sp; }
    void setDepth(std::int32_t depth) { sp = depth >= 0 && depth < YTSTACK ? depth : 0; }
    void clear() { sp = 0; }

private:
    std::array<std::uint16_t, YTSTACK> entries{};
    std::int32_t sp = 0;
};
