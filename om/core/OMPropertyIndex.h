// An object's properties by name: an open-addressed hash table over the property records, so that a
// look-up costs one hash of the name and, as a rule, one comparison, however many properties there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class OMScriptableObjectProperty;

// FNV-1a of a zero-terminated name.
std::uint32_t omPropertyNameHash(const char* name);

// Names are unique within one object (adding a property removes its namesake first), so the table maps
// each name to the one property that carries it. Properties without a name are not indexed.
class OMPropertyIndex {
public:
    OMScriptableObjectProperty* find(const char* name) const;
    // The property's name must not be in the table yet.
    void insert(OMScriptableObjectProperty* property);
    void erase(const OMScriptableObjectProperty* property);

    // Slots of the table: a power of two (0 before the first insertion). Names whose hashes agree in
    // their low bits share a home slot and probe onwards.
    std::size_t slotCount() const { return slots_.size(); }

private:
    struct Slot {
        std::uint32_t hash = 0;
        OMScriptableObjectProperty* property = nullptr;
    };

    void grow();
    void place(const Slot& slot);

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};
