// Look-ups in an open PRS file's resource list without walking it. The list is the order that decides
// which entry a look-up finds: the first listed entry of a (type, id), and the first listed entry that
// holds a memory block. A stored index (PRX, PRD) may list its entries in any order and a file may hold
// the same (type, id) twice, so these indexes remember that first entry instead of assuming a sorted list.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "PlatMem.h"

// (type, id) to the first listed entry of that key, by binary search. Type 0 (free space) is never
// indexed, since a look-up never finds it.
class PrsKeyIndex {
public:
    struct Listed {
        std::uint32_t type;
        std::uint16_t id;
        std::uint16_t number;
    };

    // Replaces the index by the keys of `inListOrder`, the list's entries from its head.
    void assign(const std::vector<Listed>& inListOrder);
    // The first listed entry of the key, or 0.
    std::uint16_t find(std::uint32_t type, std::uint16_t id) const;
    // Enters an entry whose key no listed entry has yet.
    void insert(std::uint32_t type, std::uint16_t id, std::uint16_t number);
    void erase(std::uint32_t type, std::uint16_t id);

private:
    using Keyed = std::pair<std::uint64_t, std::uint16_t>;
    static std::uint64_t keyOf(std::uint32_t type, std::uint16_t id) { return std::uint64_t{type} << 16 | id; }

    std::vector<Keyed> sorted_;  // by key, one entry per key
};

// Memory block to the entries holding it. A block is held by one entry as a rule; when a caller has
// given one block to several, the caller of `holder` walks the list for the first of them.
class PrsBlockIndex {
public:
    // Records that entry `number` now holds `block` instead of `previous` (either may be null).
    void change(PlatBlock previous, PlatBlock block, std::uint16_t number);
    // An entry holding block, 0 when none; `shared` tells whether several hold it.
    std::uint16_t holder(PlatBlock block, bool* shared) const;

private:
    std::unordered_multimap<PlatBlock, std::uint16_t> holders_;
};
