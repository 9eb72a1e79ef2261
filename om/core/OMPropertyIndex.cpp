// The property hash table: linear probing, at most half full, deletion by shifting the probe chain back.
#include "OMPropertyIndex.h"

#include "OMScriptableObjectProperty.h"

namespace {

constexpr std::size_t kFirstSlotCount = 8;

// Property names are short: comparing in place costs less than a library call.
bool sameName(const char* a, const char* b) {
    for (; *a == *b; ++a, ++b) {
        if (!*a) return true;
    }
    return false;
}

}  // namespace

std::uint32_t omPropertyNameHash(const char* name) {
    std::uint32_t hash = 2166136261u;
    for (; *name; ++name) hash = (hash ^ static_cast<unsigned char>(*name)) * 16777619u;
    return hash;
}

OMScriptableObjectProperty* OMPropertyIndex::find(const char* name) const {
    if (!name || slots_.empty()) return nullptr;
    const std::uint32_t hash = omPropertyNameHash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].property; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.hash == hash && sameName(slot.property->name, name)) return slot.property;
    }
    return nullptr;
}

void OMPropertyIndex::insert(OMScriptableObjectProperty* property) {
    if (!property || !property->name) return;
    if ((count_ + 1) * 2 > slots_.size()) grow();
    place(Slot{omPropertyNameHash(property->name), property});
    ++count_;
}

void OMPropertyIndex::place(const Slot& slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].property) i = (i + 1) & mask;
    slots_[i] = slot;
}

void OMPropertyIndex::grow() {
    std::vector<Slot> old(slots_.empty() ? kFirstSlotCount : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.property) place(slot);
    }
}

// The slot is emptied, and every later slot of its probe chain whose home does not lie between the hole
// and itself moves back into the hole, so that no chain is broken by the gap.
void OMPropertyIndex::erase(const OMScriptableObjectProperty* property) {
    if (!property || !property->name || slots_.empty()) return;
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = omPropertyNameHash(property->name) & mask;
    for (; slots_[hole].property != property; hole = (hole + 1) & mask) {
        if (!slots_[hole].property) return;
    }
    for (std::size_t next = (hole + 1) & mask; slots_[next].property; next = (next + 1) & mask) {
        const std::size_t home = slots_[next].hash & mask;
        const bool staysAhead = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (staysAhead) continue;
        slots_[hole] = slots_[next];
        hole = next;
    }
    slots_[hole] = Slot{};
    --count_;
}
