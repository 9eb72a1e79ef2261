// The play lists of one animation: lists in the ASEQ buffer, shared with the animation's copies and
// edited in place there, and private copies that editing made, which a copy of the table copies again.
#pragma once

#include <cstdint>
#include <vector>

#include "AseqFormat.h"

class AseqSequenceTable {
public:
    // Takes the buffer's lists as shared ones, dropping any earlier lists.
    void attach(const std::vector<AseqSequence>& stored);
    std::int32_t size() const { return static_cast<std::int32_t>(lists_.size()); }
    // List i, or an empty list outside 0..size-1. Editing the list may move its entries.
    AseqSequence at(std::int32_t i) const;
    bool isPrivate(std::int32_t i) const;
    // Writes entry `index` (0 .. count-1) where the list lies; false outside.
    bool set(std::int32_t list, std::int32_t index, const AseqEntry& entry);
    // Inserts before `index` (0 .. the end entry's index) into a private copy of the list, made first.
    bool insert(std::int32_t list, std::int32_t index, const AseqEntry& entry);
    // Closes the gap of entry `index` (any entry before the end entry) where the list lies.
    bool remove(std::int32_t list, std::int32_t index);
    // Appends a private list of the entries through their first end entry, adding one when they have none.
    void add(const std::vector<AseqEntry>& entries);
    bool removeList(std::int32_t i);

private:
    struct List {
        std::uint8_t* stored = nullptr;
        std::int32_t count = 0;
        bool owned = false;
        std::vector<std::uint8_t> copy;
    };
    bool valid(std::int32_t i) const { return i >= 0 && i < size(); }
    void makePrivate(List& list);

    std::vector<List> lists_;
};

// The index of a list's end entry, or its count when its last entry is not one.
std::int32_t aseqEndIndex(const AseqSequence& sequence);
