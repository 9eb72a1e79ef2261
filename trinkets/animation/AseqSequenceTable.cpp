// Editing the play lists of one animation.
#include "AseqSequenceTable.h"

#include <cstring>

void AseqSequenceTable::attach(const std::vector<AseqSequence>& stored) {
    lists_.clear();
    for (const AseqSequence& sequence : stored) lists_.push_back({sequence.entries, sequence.count, false, {}});
}

AseqSequence AseqSequenceTable::at(std::int32_t i) const {
    if (!valid(i)) return {};
    const List& list = lists_[static_cast<std::size_t>(i)];
    return {list.owned ? const_cast<std::uint8_t*>(list.copy.data()) : list.stored, list.count};
}

bool AseqSequenceTable::isPrivate(std::int32_t i) const { return valid(i) && lists_[static_cast<std::size_t>(i)].owned; }

bool AseqSequenceTable::set(std::int32_t list, std::int32_t index, const AseqEntry& entry) {
    const AseqSequence sequence = at(list);
    if (index < 0 || index >= sequence.count) return false;
    writeEntry(sequence.entries + index * kAseqEntrySize, entry);
    return true;
}

bool AseqSequenceTable::insert(std::int32_t list, std::int32_t index, const AseqEntry& entry) {
    if (!valid(list) || index < 0 || index > aseqEndIndex(at(list))) return false;
    List& target = lists_[static_cast<std::size_t>(list)];
    makePrivate(target);
    std::uint8_t bytes[kAseqEntrySize];
    writeEntry(bytes, entry);
    target.copy.insert(target.copy.begin() + index * static_cast<std::ptrdiff_t>(kAseqEntrySize), bytes,
                       bytes + kAseqEntrySize);
    ++target.count;
    return true;
}

bool AseqSequenceTable::remove(std::int32_t list, std::int32_t index) {
    if (!valid(list) || index < 0 || index >= aseqEndIndex(at(list))) return false;
    List& target = lists_[static_cast<std::size_t>(list)];
    std::uint8_t* entries = at(list).entries;
    std::memmove(entries + index * kAseqEntrySize, entries + (index + 1) * kAseqEntrySize,
                 static_cast<std::size_t>(target.count - index - 1) * kAseqEntrySize);
    --target.count;
    if (target.owned) target.copy.resize(static_cast<std::size_t>(target.count) * kAseqEntrySize);
    return true;
}

void AseqSequenceTable::add(const std::vector<AseqEntry>& entries) {
    List list;
    list.owned = true;
    std::uint8_t bytes[kAseqEntrySize];
    for (const AseqEntry& entry : entries) {
        writeEntry(bytes, entry);
        list.copy.insert(list.copy.end(), bytes, bytes + kAseqEntrySize);
        ++list.count;
        if (entry.frame == kAseqEnd) break;
    }
    if (list.count == 0 || readEntry(&list.copy[list.copy.size() - kAseqEntrySize]).frame != kAseqEnd) {
        writeEntry(bytes, {0, 0, kAseqEnd, 0});
        list.copy.insert(list.copy.end(), bytes, bytes + kAseqEntrySize);
        ++list.count;
    }
    lists_.push_back(std::move(list));
}

bool AseqSequenceTable::removeList(std::int32_t i) {
    if (!valid(i)) return false;
    lists_.erase(lists_.begin() + i);
    return true;
}

// The entries through the end entry (the list's count covers it) become the copy.
void AseqSequenceTable::makePrivate(List& list) {
    if (list.owned) return;
    list.copy.assign(list.stored, list.stored + static_cast<std::size_t>(list.count) * kAseqEntrySize);
    list.owned = true;
}

std::int32_t aseqEndIndex(const AseqSequence& sequence) {
    const std::int32_t count = sequence.count;
    if (count > 0 && readEntry(sequence.entries + (count - 1) * kAseqEntrySize).frame == kAseqEnd) return count - 1;
    return count;
}
