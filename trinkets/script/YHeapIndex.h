// Look-ups of the variable heap by name, so that finding or adding a variable costs the same however
// many the heap holds: the first entry of each name, the first of each type tag and name, and each
// dotted family's first member and highest numeric suffix. Heap entries keep their name and type tag
// and are only appended, so the index grows with the heap and is cleared with it.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

class YVariable;

class YHeapIndex {
public:
    // What the members "base.N" (N after the last '.') of plain entries tell a new variable "base".
    struct Family {
        std::int32_t firstMember = 0;
        std::int32_t highestMember = 0;  // the highest N, and at least 0
    };

    void clear();
    // Records the entry appended at `index`.
    void add(const YVariable* variable, std::int32_t index);

    // The first entry of that name, or -1.
    std::int32_t firstNamed(const std::string& name) const;
    // The first entry of that type tag and name, or -1.
    std::int32_t firstTyped(std::int32_t tag, const std::string& name) const;
    // The family of plain members of `base`, or null when it has none.
    const Family* family(const std::string& base) const;

private:
    struct TypedName {
        std::int32_t tag;
        std::string name;
        bool operator==(const TypedName& other) const { return tag == other.tag && name == other.name; }
    };
    struct TypedNameHash {
        std::size_t operator()(const TypedName& key) const;
    };

    std::unordered_map<std::string, std::int32_t> named_;
    std::unordered_map<TypedName, std::int32_t, TypedNameHash> typed_;
    std::unordered_map<std::string, Family> families_;
};
