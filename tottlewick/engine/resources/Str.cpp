// Message tables: compiling 'STR' resources once per load, and the look-ups over tables 1, 2 and the stack.
#include "Str.h"

#include <cstring>
#include <vector>

#include "PrsFile.h"
#include "Res.h"
#include "StrSource.h"
#include "UtilString.h"

namespace {

constexpr ResType kStrType = resType("STR");

struct Table {
    MemHandle handle = 0;
    const std::uint8_t* address = nullptr;
};

struct StrState {
    Table shared;   // 'STR' 1
    Table primary;  // 'STR' 2, looked at first
    Table current;
    Table stack[kStrStackDepth];
    int depth = 0;
    std::uint32_t lastNumber = 0;
};

StrState str;
const char kEmpty[] = "";

Table lockTable(MemHandle handle) {
    if (!handle) return {};
    std::uint16_t mode = MemSetModeFlag(1);
    void* address = MemHandleLock(handle);
    MemSetModeFlag(mode);
    return {handle, static_cast<const std::uint8_t*>(address)};
}

void releaseTable(Table& table) {
    if (table.handle) {
        MemHandleUnlock(table.handle);
        MemHandleFree(&table.handle);
    }
    table = {};
}

const char* find(const Table& table, std::uint32_t number) {
    return table.address ? findStrRecord(table.address, MemHandleGetSize(table.handle), number) : nullptr;
}

// Puts the compiled table into the resource's block, growing the block when the table is longer.
bool store(MemHandle handle, const std::vector<std::uint8_t>& table) {
    if (table.size() > MemHandleGetSize(handle)) {
        PlatBlock before = MemHandleGetBlock(handle);
        if (!MemHandleResize(&handle, static_cast<std::uint32_t>(table.size()))) return false;
        if (MemHandleGetBlock(handle) != before) return false;
    }
    void* address = MemHandleLock(handle);
    if (!address) return false;
    std::memcpy(address, table.data(), table.size());
    MemHandleUnlock(handle);
    return true;
}

// Compiles the loaded source of handle into a separate buffer: a record (10 + n bytes) can be longer than
// its source (4 + n bytes), so compiling over the source would overwrite text not yet read.
bool compileLoaded(MemHandle handle) {
    const void* source = MemHandleLock(handle);
    if (!source) return false;
    std::vector<std::uint8_t> table;
    bool compiled = compileStrSource(static_cast<const std::uint8_t*>(source), MemHandleGetSize(handle), table,
                                     str.lastNumber);
    MemHandleUnlock(handle);
    return compiled && store(handle, table);
}

// A compiled table that stayed loaded and was registered again carries its source's length, which can be
// shorter than the table: the registration takes the table's own length, so that every record is found.
MemHandle withTableLength(MemHandle handle) {
    const void* table = MemHandleLock(handle);
    std::size_t length =
        table ? strTableLength(static_cast<const std::uint8_t*>(table), PlatMemSize(MemHandleGetBlock(handle))) : 0;
    MemHandleUnlock(handle);
    // The block already holds the table, so the resize only records its length; were it refused, the old
    // registration would stay usable.
    if (length > MemHandleGetSize(handle)) static_cast<void>(MemHandleResize(&handle, std::uint32_t(length)));
    return handle;
}

std::int16_t copyText(const char* text, std::uint32_t size, char* out) {
    if (!text) return 0;
    if (out && size) UtilStrCopy(out, text, size);
    return 1;
}

}  // namespace

std::int16_t StrInit() {
    str.shared = lockTable(StrCompile(1));
    str.primary = lockTable(StrCompile(2));
    str.current = {};
    str.depth = 0;
    str.lastNumber = 0;
    return 1;
}

void StrTerm() {
    releaseTable(str.primary);
    releaseTable(str.shared);
}

MemHandle StrCompile(std::uint16_t id) {
    MemHandle handle = ResLoad(kStrType, id);
    if (!handle) return 0;
    if (ResGetResident(handle)) return withTableLength(handle);
    if (!compileLoaded(handle)) {
        MemHandleFree(&handle);
        return 0;
    }
    ResSetResident(handle, 1);
    return handle;
}

const char* StrGetMessage(std::uint32_t number, const char* defaultText) {
    const char* text = StrFindShared(number);
    return text ? text : defaultText;
}

const char* StrFindShared(std::uint32_t number) {
    const char* text = find(str.primary, number);
    return text ? text : find(str.shared, number);
}

const char* StrGetShared(std::uint32_t number) {
    const char* text = StrFindShared(number);
    return text ? text : kEmpty;
}

std::int16_t StrPushResource(std::uint16_t id) {
    MemHandle handle = StrCompile(id);
    if (!handle) return 0;
    if (StrPushTable(handle)) return 1;
    MemHandleFree(&handle);
    return 0;
}

std::int16_t StrPushTable(MemHandle table) {
    if (!table || str.depth >= kStrStackDepth) return 0;
    str.stack[str.depth++] = str.current;
    str.current = lockTable(table);
    return 1;
}

std::int16_t StrPopTable() {
    if (!str.current.handle) return 0;
    releaseTable(str.current);
    if (str.depth > 0) str.current = str.stack[--str.depth];
    return 1;
}

const char* StrFindLocal(std::uint32_t number) { return find(str.current, number); }

const char* StrGetLocal(std::uint32_t number) {
    const char* text = StrFindLocal(number);
    return text ? text : kEmpty;
}

const char* StrGetLocalOr(std::uint32_t number, const char* defaultText) {
    if (!str.current.handle) return kEmpty;
    const char* text = StrFindLocal(number);
    return text ? text : defaultText;
}

std::int16_t StrGetFromResource(std::uint16_t id, std::uint32_t number, std::uint32_t size, char* out) {
    MemHandle handle = StrCompile(id);
    if (!handle) return 0;
    if (out && size) out[0] = 0;
    Table table = lockTable(handle);
    copyText(find(table, number), size, out);
    releaseTable(table);
    return 1;
}

std::int16_t StrTableFind(MemHandle handle, std::uint32_t number, std::uint32_t size, char* out) {
    Table table = lockTable(handle);
    std::int16_t found = copyText(find(table, number), size, out);
    if (table.handle) MemHandleUnlock(table.handle);
    return found;
}

std::int16_t StrTableGetAt(MemHandle handle, std::uint32_t index, std::uint32_t* number, std::uint32_t size,
                           char* out) {
    Table table = lockTable(handle);
    const char* text = table.address ? strRecordAt(table.address, MemHandleGetSize(handle), index, number) : nullptr;
    std::int16_t found = copyText(text, size, out);
    if (table.handle) MemHandleUnlock(table.handle);
    return found;
}

MemHandle StrCurrentHandle() { return str.current.handle; }
MemHandle StrSharedHandle() { return str.shared.handle; }
MemHandle StrPrimaryHandle() { return str.primary.handle; }

std::uint32_t StrCodeToNumber(const char* text) {
    if (!text) return 0;
    char upper[256];
    UtilStrCopy(upper, text, sizeof upper);
    UtilStrCase(upper, 1);
    int length = static_cast<int>(std::strlen(upper));
    auto isCapital = [](char c) { return c >= 'A' && c <= 'Z'; };
    std::uint32_t value = 0;
    int front = 0;
    while (front < 3 && front < length && isCapital(upper[front])) value = value * 26 + std::uint32_t(upper[front++] - 'A');
    for (int back = length - 1, taken = 0; taken < 3 && back >= front && isCapital(upper[back]); --back, ++taken)
        value = value * 26 + std::uint32_t(upper[back] - 'A');
    for (int i = 0, digits = 0; i < length && digits < 3; ++i) {
        if (upper[i] < '0' || upper[i] > '9') continue;
        value = value * 10 + std::uint32_t(upper[i] - '0');
        ++digits;
    }
    return value;
}
