// PRS resource files: opening (PRX, PRD cache or a block scan), the sorted index, data reads and writes.
//
// PRS file (all numbers big-endian):
//
//   0                    26     31   32          44        48
//   +--------------------+------+----+-----------+---------+-------------------------+
//   | "PRS Format ..\r\n" | 0 x5 |1A  | signature | counter | blocks ...              |
//   +--------------------+------+----+-----------+---------+-------------------------+
//
//   block: | type (4 chars) | id (2) | reserved (16) | flags (2) | length = 28 + n (4) | data (n) |
//
// Index image (the PRD file, and the front of a PRX file, which the PRS file follows):
//
//   0      2            134       138        140      142         144       168
//   +------+------------+---------+----------+--------+-----------+---------+--------------------+
//   | mode | unused 132 | counter | capacity | in use | free head | entry 0 | entries 1..capacity |
//   +------+------------+---------+----------+--------+-----------+---------+--------------------+
//
//   entry (24): | next (2) | block (4) | use count (2) | offset (4) | type (4 chars) | id (2) | flags (2) |
//               | length (4) |
//
// A stored index is trusted only when it matches the PRS file it describes (change counter, size, every
// entry inside the file, lists that end); otherwise the blocks are scanned again.
#include "PrsFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "PrsLookup.h"
#include "UtilString.h"

namespace {

struct Entry {
    std::uint16_t next = 0;
    PlatBlock block = nullptr;
    std::uint16_t useCount = 0;
    std::uint32_t offset = 0;
    ResType type = 0;
    std::uint16_t id = 0;
    std::uint16_t flags = 0;
    std::uint32_t length = 0;
};

struct Slot {
    bool used = false;
    std::uint16_t mode = 0;
    std::uint32_t counter = 0;
    std::uint16_t inUse = 0;
    std::uint16_t freeHead = 0;
    std::vector<Entry> entries = std::vector<Entry>(1);  // entry 0 heads the resource list
    char path[kFilePathSize] = {};
    FileRef file = 0;
    std::uint32_t base = 0;   // where the PRS file starts inside the data file
    std::uint16_t hint = 0;   // last entry inserted, where a sorted insertion may start
    PrsKeyIndex keys;
    PrsBlockIndex blocks;
};

constexpr std::uint16_t kGrowEntries = 16;
constexpr std::uint32_t kCounterOffset = 44;
constexpr char kPrsText[] = "PRS Format Resource File\r\n";
constexpr std::uint32_t kMaxCapacity = 0xFFF0;

Slot slots[kPrsSlots + 1];
std::int16_t prsError = 0;

std::int16_t fail(std::int16_t error) {
    prsError = error;
    return 0;
}

PlatBlock failBlock(std::int16_t error) {
    prsError = error;
    return nullptr;
}

Slot* slotAt(std::int16_t slot) {
    return slot >= 1 && slot <= kPrsSlots && slots[slot].used ? &slots[slot] : nullptr;
}

std::uint16_t capacityOf(const Slot& s) { return static_cast<std::uint16_t>(s.entries.size() - 1); }

Entry* entryOf(PrsRef ref, Slot** slotOut = nullptr) {
    Slot* s = slotAt(static_cast<std::int16_t>(ref >> 16));
    std::uint16_t number = ref & 0xFFFF;
    if (!s || number == 0 || number > capacityOf(*s)) return nullptr;
    if (slotOut) *slotOut = s;
    return &s->entries[number];
}

PrsRef refOf(std::int16_t slot, std::uint16_t number) { return PrsRef(slot) << 16 | number; }

std::uint16_t accessOf(std::uint16_t mode) {
    return (mode & kPrsWritable) ? kFileRead | kFileWrite : kFileRead;
}

bool keyLess(ResType typeA, std::uint16_t idA, ResType typeB, std::uint16_t idB) {
    return typeA != typeB ? typeA < typeB : idA < idB;
}

bool grow(Slot& s) {
    std::uint32_t first = capacityOf(s) + 1u;
    if (first + kGrowEntries > kMaxCapacity) return false;
    s.entries.resize(s.entries.size() + kGrowEntries);
    for (std::uint32_t n = first; n < first + kGrowEntries - 1; ++n) s.entries[n].next = std::uint16_t(n + 1);
    s.entries[first + kGrowEntries - 1].next = s.freeHead;
    s.freeHead = static_cast<std::uint16_t>(first);
    return true;
}

std::uint16_t takeEntry(Slot& s) {
    if (s.freeHead == 0 && !grow(s)) return 0;
    std::uint16_t number = s.freeHead;
    s.freeHead = s.entries[number].next;
    s.entries[number] = Entry{};
    return number;
}

void giveBackEntry(Slot& s, std::uint16_t number) {
    s.entries[number] = Entry{};
    s.entries[number].next = s.freeHead;
    s.freeHead = number;
}

// Links an entry into the list at its (type, id) place, after any equal ones.
void insertSorted(Slot& s, std::uint16_t number) {
    const Entry& e = s.entries[number];
    std::uint16_t at = 0;
    const Entry& hint = s.entries[s.hint];
    if (s.hint && hint.type != 0 && !keyLess(e.type, e.id, hint.type, hint.id)) at = s.hint;
    for (std::uint16_t next = s.entries[at].next; next; next = s.entries[next].next) {
        if (keyLess(e.type, e.id, s.entries[next].type, s.entries[next].id)) break;
        at = next;
    }
    s.entries[number].next = s.entries[at].next;
    s.entries[at].next = number;
    s.hint = number;
    ++s.inUse;
}

// Links the entries `numbers`, taken in file order into an empty list, in (type, id) order; of equal
// keys the one taken first comes first, as insertSorted would have placed them.
void linkSorted(Slot& s, std::vector<std::uint16_t>& numbers) {
    std::stable_sort(numbers.begin(), numbers.end(), [&](std::uint16_t a, std::uint16_t b) {
        return keyLess(s.entries[a].type, s.entries[a].id, s.entries[b].type, s.entries[b].id);
    });
    std::uint16_t at = 0;
    for (std::uint16_t number : numbers) {
        s.entries[at].next = number;
        at = number;
    }
    s.entries[at].next = 0;
    s.inUse = static_cast<std::uint16_t>(s.inUse + numbers.size());
}

// The first listed entry of the key: a stored index (PRX or PRD) may list its entries in any order, so
// the key index remembers that entry rather than relying on the order.
std::uint16_t findEntry(const Slot& s, ResType type, std::uint16_t id) {
    type = ResTypeNormalise(type);
    return type == 0 ? 0 : s.keys.find(type, id);
}

void indexKeys(Slot& s) {
    std::vector<PrsKeyIndex::Listed> listed;
    for (std::uint16_t n = s.entries[0].next; n; n = s.entries[n].next)
        listed.push_back({s.entries[n].type, s.entries[n].id, n});
    s.keys.assign(listed);
}

// A key whose first entry left it (deleted) passes to the next listed entry of that key, if any.
void reindexKey(Slot& s, ResType type, std::uint16_t id) {
    s.keys.erase(type, id);
    for (std::uint16_t n = s.entries[0].next; n; n = s.entries[n].next) {
        if (s.entries[n].type == type && s.entries[n].id == id) return s.keys.insert(type, id, n);
    }
}

void setBlock(Slot& s, std::uint16_t number, PlatBlock block) {
    s.blocks.change(s.entries[number].block, block, number);
    s.entries[number].block = block;
}

std::vector<std::uint8_t> defaultHeader(std::uint32_t counter) {
    std::vector<std::uint8_t> header(kPrsText, kPrsText + 26);
    header.resize(31, 0);
    header.push_back(0x1A);
    header.resize(kCounterOffset, 0);
    ByteWriter w(ByteOrder::big);
    w.u32(counter);
    header.insert(header.end(), w.bytes.begin(), w.bytes.end());
    return header;
}

bool headerAccepted(const std::uint8_t* header, const char* signature) {
    if (!signature) return header[31] == 0x1A;
    char field[13] = {};
    std::memcpy(field, header + 32, 12);
    return std::strcmp(field, signature) == 0;
}

bool readAt(FileRef file, std::uint32_t offset, void* buffer, std::uint32_t count) {
    return FileSeek(file, static_cast<std::int32_t>(offset), 0) == static_cast<std::int32_t>(offset) &&
           FileRead(file, buffer, count) == count;
}

bool writeAt(FileRef file, std::uint32_t offset, const void* buffer, std::uint32_t count) {
    return FileSeek(file, static_cast<std::int32_t>(offset), 0) == static_cast<std::int32_t>(offset) &&
           FileWrite(file, buffer, count) == count;
}

std::vector<std::uint8_t> blockHeaderBytes(ResType type, std::uint16_t id, const std::uint8_t* reserved,
                                           std::uint16_t flags, std::uint32_t blockLength) {
    ByteWriter w(ByteOrder::big);
    w.chars4(type);
    w.u16(id);
    w.span(reserved, 16);
    w.u16(flags);
    w.u32(blockLength);
    return w.bytes;
}

// ---- stored index images ----

std::vector<std::uint8_t> imageBytes(const Slot& s, std::uint32_t offsetShift) {
    ByteWriter w(ByteOrder::big);
    w.u16(s.mode);
    w.u32At(134, s.counter);
    w.u16(capacityOf(s));
    w.u16(s.inUse);
    w.u16(s.freeHead);
    for (const Entry& e : s.entries) {
        w.u16(e.next);
        w.u32(0);
        w.u16(0);
        w.u32(e.offset ? e.offset - offsetShift : 0);
        w.chars4(e.type);
        w.u16(e.id);
        w.u16(e.flags);
        w.u32(e.length);
    }
    return w.bytes;
}

// Reads an index image; entry offsets get shift added.
bool parseImage(ByteReader r, Slot& s, std::uint32_t shift) {
    r.skip(134);  // the stored open mode and unused bytes: the open reading the image keeps its own mode
    s.counter = r.u32();
    std::uint16_t capacity = r.u16();
    s.inUse = r.u16();
    s.freeHead = r.u16();
    if (!r.ok() || capacity > kMaxCapacity) return false;
    s.entries.assign(capacity + 1u, Entry{});
    for (Entry& e : s.entries) {
        e.next = r.u16();
        r.skip(6);
        e.offset = r.u32() + shift;
        e.type = r.chars4();
        e.id = r.u16();
        e.flags = r.u16();
        e.length = r.u32();
    }
    s.entries[0] = Entry{s.entries[0].next};
    return r.ok();
}

// Walks one list from first, marking entries; false on a number out of range or an entry met twice.
bool walkList(const Slot& s, std::uint16_t first, std::vector<bool>& seen, std::uint32_t* count) {
    for (std::uint16_t n = first; n; n = s.entries[n].next) {
        if (n > capacityOf(s) || seen[n]) return false;
        seen[n] = true;
        ++*count;
    }
    return true;
}

bool imageMatches(const Slot& s, std::uint32_t counter, std::uint32_t prsEnd) {
    if (s.counter != counter) return false;
    std::vector<bool> seen(s.entries.size(), false);
    std::uint32_t listed = 0, free = 0;
    if (!walkList(s, s.entries[0].next, seen, &listed) || !walkList(s, s.freeHead, seen, &free)) return false;
    if (listed != s.inUse) return false;
    for (std::uint16_t n = s.entries[0].next; n; n = s.entries[n].next) {
        const Entry& e = s.entries[n];
        if (e.offset < s.base + kPrsHeaderSize + kPrsBlockHeaderSize) return false;
        if (std::uint64_t{e.offset} + e.length > prsEnd) return false;
    }
    return true;
}

// The capacity field of a stored image's 168-byte head.
std::uint32_t capacityIn(const std::uint8_t* head) {
    return ByteReader(head + 138, 2, ByteOrder::big).u16();
}

// Reads a stored image from file at offset; entry offsets get shift added.
bool readImage(Slot& s, FileRef file, std::uint32_t offset, std::uint32_t shift) {
    std::uint8_t head[kPrsIndexHeadSize];
    if (!readAt(file, offset, head, sizeof head)) return false;
    std::uint32_t capacity = capacityIn(head);
    std::vector<std::uint8_t> image(head, head + sizeof head);
    image.resize(kPrsIndexHeadSize + kPrsIndexEntrySize * capacity);
    std::uint32_t rest = kPrsIndexEntrySize * capacity;
    if (rest && FileRead(file, image.data() + sizeof head, rest) != rest) return false;
    return parseImage(ByteReader(image.data(), image.size(), ByteOrder::big), s, shift);
}

void resetIndex(Slot& s) {
    s.entries.assign(1, Entry{});
    s.inUse = 0;
    s.freeHead = 0;
    s.hint = 0;
}

// Indexes the blocks of the PRS file at s.base; a block shorter than its header or running past the end
// breaks the chain. The entries are sorted once, after the scan.
bool scanBlocks(Slot& s, FileRef file, std::uint32_t fileSize) {
    resetIndex(s);
    std::vector<std::uint16_t> numbers;
    std::uint32_t position = s.base + kPrsHeaderSize;
    std::uint32_t remaining = fileSize - position;
    while (remaining >= 1) {
        std::uint8_t raw[kPrsBlockHeaderSize];
        if (remaining < kPrsBlockHeaderSize) return fail(kPrsErrChain);
        if (!readAt(file, position, raw, sizeof raw)) return fail(kPrsErrFile);
        ByteReader r(raw, sizeof raw, ByteOrder::big);
        ResType type = r.chars4();
        std::uint16_t id = r.u16();
        r.skip(16);
        std::uint16_t flags = r.u16();
        std::uint32_t length = r.u32();
        if (length < kPrsBlockHeaderSize || length > remaining) return fail(kPrsErrChain);
        std::uint16_t number = takeEntry(s);
        if (!number) return fail(kPrsErrNoMemory);
        s.entries[number] = {0, nullptr, 0, position + kPrsBlockHeaderSize, ResTypeNormalise(type), id,
                             static_cast<std::uint16_t>(flags & ~kPrsMark), length - kPrsBlockHeaderSize};
        numbers.push_back(number);
        s.hint = number;
        position += length;
        remaining -= length;
    }
    linkSorted(s, numbers);
    return true;
}

void writePrdCache(const Slot& s, const char* prdName) {
    // Created without the "PRD " type code: FileCreate takes attribute bits, which a type code is not.
    if (FileCreate(prdName, 0) != 0) return;
    FileRef file = FileOpen(prdName, kFileWrite);
    if (!file) return;
    std::vector<std::uint8_t> image = imageBytes(s, 0);
    std::uint32_t written = FileWrite(file, image.data(), static_cast<std::uint32_t>(image.size()));
    FileClose(file);
    if (written != image.size()) FileDelete(prdName);
}

bool notEarlier(const FileTime& a, const FileTime& b) {
    const std::uint16_t left[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
    const std::uint16_t right[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
    return !std::lexicographical_compare(left, left + 6, right, right + 6);
}

// Tries the PRD cache of an open PRS file; a stale or untrusted cache is deleted.
bool loadPrdCache(Slot& s, FileRef prs, const char* prdName, std::uint32_t counter, std::uint32_t size) {
    if (!FileExists(prdName)) return false;
    FileTime prsTime{}, prdTime{};
    FileGetTimes(prs, nullptr, &prsTime);
    FileRef prd = FileOpen(prdName, kFileRead);
    bool trusted = prd && FileGetTimes(prd, nullptr, &prdTime) && notEarlier(prdTime, prsTime) &&
                   readImage(s, prd, 0, 0) && imageMatches(s, counter, size) &&
                   std::uint32_t(FileGetSize(prd)) == kPrsIndexHeadSize + kPrsIndexEntrySize * capacityOf(s);
    if (prd) FileClose(prd);
    if (!trusted) {
        resetIndex(s);
        FileDelete(prdName);
    }
    return trusted;
}

std::uint32_t headerCounter(const std::uint8_t* header) {
    return ByteReader(header + kCounterOffset, 4, ByteOrder::big).u32();
}

// Builds the index of an opened data file whose PRS file starts at s.base; a PRX file brings its image.
bool indexFile(Slot& s, FileRef file, bool prxImage, const char* signature) {
    std::uint8_t header[kPrsHeaderSize];
    std::int32_t size = FileGetSize(file);
    if (size < 0 || std::uint32_t(size) < s.base + kPrsHeaderSize || !readAt(file, s.base, header, sizeof header) ||
        !headerAccepted(header, signature))
        return fail(kPrsErrNotPrs);
    std::uint32_t counter = headerCounter(header);
    char prdName[kFilePathSize];
    bool havePrd = s.base == 0 && PrsSiblingName(s.path, 'D', prdName);
    bool loaded = s.base != 0 ? prxImage && imageMatches(s, counter, std::uint32_t(size))
                              : havePrd && loadPrdCache(s, file, prdName, counter, std::uint32_t(size));
    if (!loaded) {
        if (!scanBlocks(s, file, std::uint32_t(size))) return false;
        s.counter = counter;
        if (havePrd) writePrdCache(s, prdName);
    }
    return true;
}

// The PRX sibling of path, opened with its stored index read into s (prxImage tells whether it could be).
FileRef openPrx(Slot& s, const char* path, std::uint16_t mode, bool* prxImage) {
    char prxName[kFilePathSize];
    if (!PrsSiblingName(path, 'X', prxName) || !FileExists(prxName)) return 0;
    FileRef file = FileOpen(prxName, accessOf(mode));
    if (!file) return 0;
    UtilStrCopy(s.path, prxName, kFilePathSize);
    std::uint8_t head[kPrsIndexHeadSize];
    std::uint32_t capacity = readAt(file, 0, head, sizeof head) ? capacityIn(head) : 0;
    s.base = kPrsIndexHeadSize + kPrsIndexEntrySize * capacity;
    *prxImage = readImage(s, file, 0, s.base);
    return file;
}

void finishIndex(Slot& s) {
    for (std::uint16_t n = s.entries[0].next; n; n = s.entries[n].next) {
        Entry& e = s.entries[n];
        e.type = ResTypeNormalise(e.type);
        e.block = nullptr;
        e.useCount = 0;
        e.flags = static_cast<std::uint16_t>(e.flags & ~kPrsMark);
    }
}

void freeBlock(Slot& s, std::uint16_t number) {
    PlatBlock block = s.entries[number].block;
    if (block) PlatMemFree(&block);
    setBlock(s, number, nullptr);
    Entry& e = s.entries[number];
    e.flags = static_cast<std::uint16_t>(e.flags & ~(kPrsRead | kPrsMark));
}

// A block that a failed read leaves unfilled. A new one is freed; a discarded one that was reallocated for
// the read is discarded again instead, since a resource handle may still hold it.
void dropUnread(Slot& s, std::uint16_t number, bool fresh) {
    if (fresh) freeBlock(s, number);
    else (void)PlatMemDiscard(s.entries[number].block);
}

void closeSlot(Slot& s) {
    if (s.file) FileClose(s.file);
    s = Slot{};
}

// Opens path into a free slot; with viaPrx a PRX sibling, when there is one, is opened in its place.
std::int16_t openSlot(const char* path, std::uint16_t mode, const char* signature, bool viaPrx) {
    prsError = 0;
    if (!path || std::strlen(path) >= kFilePathSize) return fail(kPrsErrFile);
    std::int16_t number = 1;
    while (number <= kPrsSlots && slots[number].used) ++number;
    if (number > kPrsSlots) return fail(kPrsErrNoMemory);
    Slot& s = slots[number];
    s = Slot{};
    s.used = true;
    s.mode = mode;
    bool prxImage = false;
    FileRef file = viaPrx ? openPrx(s, path, mode, &prxImage) : 0;
    if (!file) {
        UtilStrCopy(s.path, path, kFilePathSize);
        file = FileOpen(path, accessOf(mode));
    }
    if (!file) {
        s = Slot{};
        return fail(kPrsErrFile);
    }
    s.file = file;
    if (!indexFile(s, file, prxImage, signature)) {
        closeSlot(s);
        return 0;
    }
    finishIndex(s);
    indexKeys(s);
    if (!(mode & kPrsKeepOpen)) {
        FileClose(s.file);
        s.file = 0;
    }
    return number;
}

}  // namespace

ResType ResTypeNormalise(ResType type) {
    ResType out = 0;
    for (int i = 0; i < 4; ++i) {
        auto c = static_cast<std::uint8_t>(type >> (8 * i));
        if (c >= 'a' && c <= 'z') c = static_cast<std::uint8_t>(c - 'a' + 'A');
        if (i == 3 && c == ' ') c = 0;
        out |= std::uint32_t{c} << (8 * i);
    }
    return out;
}

bool PrsSiblingName(const char* path, char letter, char* out) {
    if (!path || std::strlen(path) >= kFilePathSize) return false;
    const char* allowed = letter == 'D' ? "sS" : "sSdDxX";
    for (const char* dot = std::strchr(path, '.'); dot; dot = std::strchr(dot + 1, '.')) {
        if ((dot[1] == 'p' || dot[1] == 'P') && (dot[2] == 'r' || dot[2] == 'R') && dot[3] &&
            std::strchr(allowed, dot[3])) {
            UtilStrCopy(out, path, kFilePathSize);
            out[dot - path + 3] = letter;
            return true;
        }
    }
    return false;
}

std::int16_t PrsGetError() { return prsError; }

std::int16_t PrsOpen(const char* path, std::uint16_t mode, const char* signature) {
    return openSlot(path, mode, signature, true);
}

std::int16_t PrsClose(std::int16_t slot) {
    Slot* s = slotAt(slot);
    if (!s) return 0;
    for (std::size_t n = 0; n < s->entries.size(); ++n) {
        const Entry& e = s->entries[n];
        if (e.block && e.useCount == 0) freeBlock(*s, static_cast<std::uint16_t>(n));
    }
    closeSlot(*s);
    return 1;
}

PrsRef PrsFind(std::int16_t slot, ResType type, std::uint16_t id) {
    Slot* s = slotAt(slot);
    std::uint16_t number = s ? findEntry(*s, type, id) : 0;
    if (!number) return fail(kPrsErrNotFound);
    return refOf(slot, number);
}

// Every entry that holds a block is listed; only a block given to several entries needs the list walk.
PrsRef PrsFindByBlock(std::int16_t slot, PlatBlock block) {
    Slot* s = slotAt(slot);
    bool shared = false;
    std::uint16_t number = s && block ? s->blocks.holder(block, &shared) : 0;
    if (number && !shared) return refOf(slot, number);
    if (number) {
        for (std::uint16_t n = s->entries[0].next; n; n = s->entries[n].next)
            if (s->entries[n].block == block) return refOf(slot, n);
    }
    return fail(kPrsErrNotFound);
}

FileRef PrsOpenData(PrsRef ref, std::uint16_t mode) {
    Slot* s = nullptr;
    Entry* e = entryOf(ref, &s);
    if (!e) return fail(kPrsErrNotFound);
    if (!s->file) s->file = FileOpen(s->path, mode);
    if (!s->file) return fail(kPrsErrFile);
    if (FileSeek(s->file, static_cast<std::int32_t>(e->offset), 0) != static_cast<std::int32_t>(e->offset)) {
        FileClose(s->file);
        s->file = 0;
        return fail(kPrsErrFile);
    }
    return s->file;
}

PlatBlock PrsReadData(PrsRef ref) {
    Slot* s = nullptr;
    Entry* e = entryOf(ref, &s);
    if (!e) return failBlock(kPrsErrNotFound);
    if (e->block && !PlatMemIsDiscarded(e->block)) return e->block;
    bool openedHere = s->file == 0;
    bool freshBlock = e->block == nullptr;
    FileRef file = PrsOpenData(ref, accessOf(s->mode));
    if (!file) return nullptr;
    PlatBlock block = PrsAllocData(ref, 0);
    void* address = block ? PlatMemLock(block) : nullptr;
    bool read = address && FileRead(file, address, e->length) == e->length;
    if (address) PlatMemUnlock(block);
    if (!read || openedHere) {
        FileClose(s->file);
        s->file = 0;
    }
    if (!read) {
        if (block) dropUnread(*s, ref & 0xFFFF, freshBlock);
        return failBlock(block ? kPrsErrFile : kPrsErrNoMemory);
    }
    if (e->flags & kPrsStored) e->flags |= kPrsRead;
    return block;
}

PlatBlock PrsAllocData(PrsRef ref, std::uint32_t size) {
    Slot* s = nullptr;
    Entry* e = entryOf(ref, &s);
    if (!e) return failBlock(kPrsErrNotFound);
    // Global memory of size 0 counts as discarded, so an empty resource still gets one byte.
    std::uint32_t bytes = std::max<std::uint32_t>(size ? size : e->length, 1);
    if (e->block && !PlatMemIsDiscarded(e->block) && PlatMemSize(e->block) == bytes) return e->block;
    if (e->block) {
        PlatBlock block = e->block;
        if (!PlatMemResize(&block, bytes)) return failBlock(kPrsErrNoMemory);
        setBlock(*s, ref & 0xFFFF, block);
        return block;
    }
    setBlock(*s, ref & 0xFFFF, PlatMemAlloc(bytes, 0));
    if (!e->block) fail(kPrsErrNoMemory);
    return e->block;
}

PlatBlock PrsGetBlock(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->block : nullptr;
}

void PrsSetBlock(PrsRef ref, PlatBlock block) {
    Slot* s = nullptr;
    if (entryOf(ref, &s)) setBlock(*s, ref & 0xFFFF, block);
}

std::uint16_t PrsGetUseCount(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->useCount : 0xFFFF;
}

std::uint16_t PrsSetUseCount(PrsRef ref, std::uint16_t count) {
    Entry* e = entryOf(ref);
    if (!e) return 0xFFFF;
    e->useCount = count;
    return count;
}

std::uint16_t PrsIncUseCount(PrsRef ref) {
    Entry* e = entryOf(ref);
    if (!e || e->useCount >= 0xFFFE) return 0xFFFF;
    return ++e->useCount;
}

std::uint16_t PrsDecUseCount(PrsRef ref) {
    Entry* e = entryOf(ref);
    if (!e || e->useCount == 0) return 0xFFFF;
    return --e->useCount;
}

std::int16_t PrsUnload(PrsRef ref) {
    Slot* s = nullptr;
    Entry* e = entryOf(ref, &s);
    if (!e) return 1;
    if (!(e->flags & kPrsKeep) && e->useCount == 0 && e->block) freeBlock(*s, ref & 0xFFFF);
    return 0;
}

std::int16_t PrsIsLoaded(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e && e->block && !PlatMemIsDiscarded(e->block) ? 1 : 0;
}

std::uint16_t PrsGetFlags(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->flags : 0;
}

std::uint16_t PrsSetFlags(PrsRef ref, std::uint16_t mask, std::int16_t on) {
    Entry* e = entryOf(ref);
    if (!e) return 0;
    std::uint16_t previous = e->flags;
    e->flags = static_cast<std::uint16_t>(on ? previous | mask : previous & ~mask);
    return previous;
}

std::uint16_t PrsGetCount(std::int16_t slot) {
    Slot* s = slotAt(slot);
    return s ? s->inUse : 0;
}

std::uint16_t PrsGetMode(std::int16_t slot) {
    Slot* s = slotAt(slot);
    return s ? s->mode : 0;
}

PrsRef PrsGetNth(std::int16_t slot, std::uint16_t n) {
    Slot* s = slotAt(slot);
    if (!s) return 0;
    std::uint16_t number = s->entries[0].next;
    for (std::uint16_t i = 0; i < n && number; ++i) number = s->entries[number].next;
    return number ? refOf(slot, number) : 0;
}

ResType PrsGetType(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->type : 0;
}

std::uint16_t PrsGetId(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->id : 0;
}

std::uint32_t PrsGetLength(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->length : 0;
}

std::uint32_t PrsGetOffset(PrsRef ref) {
    Entry* e = entryOf(ref);
    return e ? e->offset : 0;
}

// ---- writing side ----

namespace {

// A writer's failure code is also its error word; a success leaves the word as it was.
std::int16_t report(std::int16_t code) {
    if (code != kPrsErrNone) prsError = code;
    return code;
}

// A change makes any PRD cache of the file stale.
void dropPrdCache(const Slot& s) {
    char prdName[kFilePathSize];
    if (PrsSiblingName(s.path, 'D', prdName) && FileExists(prdName)) FileDelete(prdName);
}

bool bumpCounter(Slot& s) {
    ++s.counter;
    ByteWriter w(ByteOrder::big);
    w.u32(s.counter);
    dropPrdCache(s);
    return writeAt(s.file, s.base + kCounterOffset, w.bytes.data(), 4);
}

bool writeBlock(FileRef file, std::uint32_t at, const PrsBlockHeader& header, const void* data) {
    std::vector<std::uint8_t> bytes =
        blockHeaderBytes(header.type, header.id, header.reserved, header.flags, header.blockLength);
    std::uint32_t length = header.blockLength - kPrsBlockHeaderSize;
    return writeAt(file, at, bytes.data(), kPrsBlockHeaderSize) &&
           (length == 0 || FileWrite(file, data, length) == length);
}

Slot* writableSlot(std::int16_t slot) {
    Slot* s = slotAt(slot);
    return s && s->file && (s->mode & kPrsWritable) ? s : nullptr;
}

void dropStaleData(Slot& s, std::uint16_t number) {
    const Entry& e = s.entries[number];
    if (e.block && e.useCount == 0) freeBlock(s, number);
}

}  // namespace

FileRef PrsCreate(const char* path, const std::uint8_t* header) {
    if (FileExists(path) && FileDelete(path) != 0) return fail(kPrsErrFile);
    // Created without the "PRS " type code: FileCreate takes attribute bits, which a type code is not.
    if (FileCreate(path, 0) != 0) return fail(kPrsErrFile);
    FileRef file = FileOpen(path, kFileRead | kFileWrite);
    if (!file) return fail(kPrsErrFile);
    std::vector<std::uint8_t> bytes = header ? std::vector<std::uint8_t>(header, header + kPrsHeaderSize)
                                             : defaultHeader(0);
    if (FileWrite(file, bytes.data(), kPrsHeaderSize) != kPrsHeaderSize) {
        FileClose(file);
        return fail(kPrsErrFile);
    }
    return file;
}

std::int16_t PrsAdd(std::int16_t slot, const PrsBlockHeader& header, const void* data) {
    Slot* s = writableSlot(slot);
    if (!s || header.blockLength < kPrsBlockHeaderSize || (!data && header.blockLength > kPrsBlockHeaderSize))
        return report(kPrsErrWrite);
    if (findEntry(*s, header.type, header.id)) return report(kPrsErrExists);
    std::uint16_t number = takeEntry(*s);
    if (!number) return report(kPrsErrNoMemory);
    std::int32_t end = FileSeek(s->file, 0, 2);
    if (end < 0 || !writeBlock(s->file, std::uint32_t(end), header, data)) {
        giveBackEntry(*s, number);
        return report(kPrsErrWrite);
    }
    s->entries[number] = {0, nullptr, 0, std::uint32_t(end) + kPrsBlockHeaderSize, ResTypeNormalise(header.type),
                          header.id, static_cast<std::uint16_t>(header.flags & ~kPrsMark),
                          header.blockLength - kPrsBlockHeaderSize};
    insertSorted(*s, number);
    s->keys.insert(s->entries[number].type, header.id, number);
    return report(bumpCounter(*s) ? kPrsErrNone : kPrsErrWrite);
}

std::int16_t PrsReplace(std::int16_t slot, const PrsBlockHeader& header, const void* data) {
    Slot* s = writableSlot(slot);
    if (!s || header.blockLength < kPrsBlockHeaderSize) return report(kPrsErrWrite);
    std::uint16_t number = findEntry(*s, header.type, header.id);
    if (!number) return PrsAdd(slot, header, data);
    Entry& e = s->entries[number];
    std::uint32_t newLength = header.blockLength - kPrsBlockHeaderSize;
    bool shrinks = newLength < e.length && e.length - newLength > kPrsBlockHeaderSize;
    if (newLength != e.length && !shrinks) {
        std::int16_t deleted = PrsDelete(slot, header.type, header.id);
        return deleted != kPrsErrNone ? deleted : PrsAdd(slot, header, data);
    }
    dropStaleData(*s, number);
    if (!writeBlock(s->file, e.offset - kPrsBlockHeaderSize, header, data)) return report(kPrsErrWrite);
    if (shrinks) {
        const std::uint8_t zero[16] = {};
        std::vector<std::uint8_t> gap = blockHeaderBytes(0, 0, zero, 0, e.length - newLength);
        if (!writeAt(s->file, e.offset + newLength, gap.data(), kPrsBlockHeaderSize)) return report(kPrsErrWrite);
    }
    e.length = newLength;
    e.flags = static_cast<std::uint16_t>(header.flags & ~kPrsMark);
    dropPrdCache(*s);
    return kPrsErrNone;
}

std::int16_t PrsDelete(std::int16_t slot, ResType type, std::uint16_t id) {
    Slot* s = writableSlot(slot);
    if (!s) return report(kPrsErrWrite);
    std::uint16_t number = findEntry(*s, type, id);
    if (!number) return report(kPrsErrNotFound);
    Entry& e = s->entries[number];
    const std::uint8_t zero[4] = {};
    if (!writeAt(s->file, e.offset - kPrsBlockHeaderSize, zero, 4)) return report(kPrsErrWrite);
    dropStaleData(*s, number);
    const ResType deleted = e.type;
    e.type = 0;
    reindexKey(*s, deleted, e.id);
    if (s->hint == number) s->hint = 0;
    return report(bumpCounter(*s) ? kPrsErrNone : kPrsErrWrite);
}

namespace {

bool copyBytes(FileRef from, std::uint32_t offset, FileRef to, std::uint32_t count) {
    std::vector<std::uint8_t> buffer(std::min<std::uint32_t>(count, 0x8000));
    if (FileSeek(from, static_cast<std::int32_t>(offset), 0) != static_cast<std::int32_t>(offset)) return false;
    while (count > 0) {
        std::uint32_t chunk = std::min<std::uint32_t>(count, std::uint32_t(buffer.size()));
        if (FileRead(from, buffer.data(), chunk) != chunk || FileWrite(to, buffer.data(), chunk) != chunk)
            return false;
        count -= chunk;
    }
    return true;
}

bool copyLiveBlocks(const Slot& s, FileRef to) {
    for (std::uint16_t n = s.entries[0].next; n; n = s.entries[n].next) {
        const Entry& e = s.entries[n];
        if (e.type != 0 && !copyBytes(s.file, e.offset - kPrsBlockHeaderSize, to, kPrsBlockHeaderSize + e.length))
            return false;
    }
    return true;
}

}  // namespace

std::int16_t PrsCompact(const char* path) {
    std::int16_t slot = openSlot(path, kPrsKeepOpen, nullptr, false);
    if (!slot) return prsError;
    Slot& s = slots[slot];
    char temp[kFilePathSize];
    const char* cut = std::strrchr(s.path, '\\');
    std::size_t folderLength = cut ? std::size_t(cut - s.path + 1) : 0;
    if (folderLength + sizeof "PRSTemp.zzz" > kFilePathSize) {
        PrsClose(slot);
        return report(kPrsErrFile);
    }
    std::memcpy(temp, s.path, folderLength);
    std::strcpy(temp + folderLength, "PRSTemp.zzz");
    std::uint8_t header[kPrsHeaderSize];
    FileRef out = readAt(s.file, s.base, header, sizeof header) ? PrsCreate(temp, header) : 0;
    bool copied = out && copyLiveBlocks(s, out);
    if (out) FileClose(out);
    char target[kFilePathSize];
    UtilStrCopy(target, s.path, kFilePathSize);
    dropPrdCache(s);
    PrsClose(slot);
    if (!copied) {
        FileDelete(temp);
        return report(kPrsErrFile);
    }
    if (FileDelete(target) != 0 || FileRename(temp, target) != 0) return report(kPrsErrFile);
    return kPrsErrNone;
}
