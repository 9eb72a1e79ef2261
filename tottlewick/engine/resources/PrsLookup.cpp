// The look-up indexes of an open PRS file: a sorted vector of keys and a multimap of memory blocks.
#include "PrsLookup.h"

#include <algorithm>

void PrsKeyIndex::assign(const std::vector<Listed>& inListOrder) {
    sorted_.clear();
    sorted_.reserve(inListOrder.size());
    for (const Listed& e : inListOrder) {
        if (e.type != 0) sorted_.emplace_back(keyOf(e.type, e.id), e.number);
    }
    // Stable: of equal keys the first listed comes first and is the one kept.
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [](const Keyed& a, const Keyed& b) { return a.first < b.first; });
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end(),
                              [](const Keyed& a, const Keyed& b) { return a.first == b.first; }),
                  sorted_.end());
}

std::uint16_t PrsKeyIndex::find(std::uint32_t type, std::uint16_t id) const {
    const std::uint64_t key = keyOf(type, id);
    auto at = std::lower_bound(sorted_.begin(), sorted_.end(), Keyed{key, 0});
    return at != sorted_.end() && at->first == key ? at->second : 0;
}

void PrsKeyIndex::insert(std::uint32_t type, std::uint16_t id, std::uint16_t number) {
    if (type == 0) return;
    const Keyed keyed{keyOf(type, id), number};
    sorted_.insert(std::lower_bound(sorted_.begin(), sorted_.end(), keyed), keyed);
}

void PrsKeyIndex::erase(std::uint32_t type, std::uint16_t id) {
    const std::uint64_t key = keyOf(type, id);
    auto at = std::lower_bound(sorted_.begin(), sorted_.end(), Keyed{key, 0});
    if (at != sorted_.end() && at->first == key) sorted_.erase(at);
}

void PrsBlockIndex::change(PlatBlock previous, PlatBlock block, std::uint16_t number) {
    if (previous == block) return;
    if (previous) {
        auto [first, last] = holders_.equal_range(previous);
        for (auto it = first; it != last; ++it) {
            if (it->second == number) {
                holders_.erase(it);
                break;
            }
        }
    }
    if (block) holders_.emplace(block, number);
}

std::uint16_t PrsBlockIndex::holder(PlatBlock block, bool* shared) const {
    auto found = holders_.find(block);
    *shared = found != holders_.end() && holders_.count(block) > 1;
    return found == holders_.end() ? 0 : found->second;
}
