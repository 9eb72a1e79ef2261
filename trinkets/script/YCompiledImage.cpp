// Precompiled scripts: the packed image of cells, operands and variable records, in either byte order.
//
//   +0        format: 2 = little-endian fields, 1 = big-endian
//   +1        N: cell count (4)
//   +5        N cells: opcode (1), operand (2)
//   +5+3N     M: operand count (4)
//   +9+3N     M operands (2 each), starting 0, 1, 2
//   +9+3N+2M  V: variable count of the whole heap (4), then V-3 variable records for entries 3 .. V-1
#include "YCompiledImage.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "OMAlert.h"
#include "YHeap.h"
#include "YVariable.h"

namespace {

constexpr unsigned kAlertFlags = 0x3000;

bool producedOpcode(std::uint8_t op) {
    static const std::uint8_t kProduced[] = {0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 19, 21, 22, 23, 24,
                                             25, 26, 27, 28, 29, 35, 36, 37, 40, 45, 46};
    for (std::uint8_t p : kProduced) {
        if (p == op) return true;
    }
    return false;
}

using Records = std::vector<std::unique_ptr<YVariable>>;

// The entries that reading v goes on to read: the one an alias stands for, the members of a member
// reference, the parts of a substring reference (an empty start aside) and the terms of an expression.
std::vector<std::int32_t> readThrough(const YVariable& v) {
    std::vector<std::int32_t> read;
    if (v.mark == kYAlias) read.push_back(v.heapIndex);
    const std::int32_t parts = v.typeTag == kYSubstring                             ? v.lengthField + 1
                               : v.typeTag == kYMember || v.typeTag == kYExpression ? v.lengthField
                                                                                    : 0;
    for (std::int32_t i = 0; v.indices && i < parts; ++i) {
        const auto index = static_cast<std::uint16_t>(v.indices[i]);
        if (index != kYEmptyStart) read.push_back(index);
    }
    return read;
}

// Reading a variable reads what it refers to, so references that lead back to where they started would
// recurse without end. Entries that nothing refers to are peeled off until none is left; whatever
// remains lies on a cycle.
const char* checkCycles(const Records& records) {
    const std::size_t n = records.size();
    std::vector<std::vector<std::size_t>> refersTo(n);
    std::vector<std::int32_t> referrers(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        for (const std::int32_t index : readThrough(*records[i])) {
            if (index < kYPredefined) continue;
            const auto target = static_cast<std::size_t>(index - kYPredefined);
            refersTo[i].push_back(target);
            ++referrers[target];
        }
    }
    std::vector<std::size_t> free;
    for (std::size_t i = 0; i < n; ++i) {
        if (referrers[i] == 0) free.push_back(i);
    }
    std::size_t peeled = 0;
    while (!free.empty()) {
        const std::size_t i = free.back();
        free.pop_back();
        ++peeled;
        for (const std::size_t target : refersTo[i]) {
            if (--referrers[target] == 0) free.push_back(target);
        }
    }
    return peeled == n ? nullptr : "a variable refers back to itself";
}

class ImageLoader {
public:
    ImageLoader(const std::uint8_t* data, std::size_t size)
        : reader_(data + 1, size - 1, data[0] == kYImageBigEndian ? ByteOrder::big : ByteOrder::little),
          swap_(data[0] == kYImageBigEndian) {}

    const char* load(YCompiledScript* script, Records* records);

private:
    const char* readCells(YCompiledScript* script);
    const char* readOperands(YCompiledScript* script);
    const char* readRecords(Records* records);
    static const char* checkCells(const YCompiledScript& script);
    static const char* checkIndices(const YCompiledScript& script, const Records& records, std::int32_t count);

    ByteReader reader_;
    bool swap_;
    std::int32_t variableCount_ = 0;
};

const char* ImageLoader::load(YCompiledScript* script, Records* records) {
    if (const char* e = readCells(script)) return e;
    if (const char* e = readOperands(script)) return e;
    if (const char* e = readRecords(records)) return e;
    if (const char* e = checkCells(*script)) return e;
    if (const char* e = checkIndices(*script, *records, variableCount_)) return e;
    return checkCycles(*records);
}

const char* ImageLoader::readCells(YCompiledScript* script) {
    const std::int32_t n = reader_.i32();
    if (!reader_.ok()) return "truncated before the cell count";
    if (n < 0 || n > kYMaxCells || static_cast<std::size_t>(n) * 3 > reader_.remaining()) return "cell count out of range";
    script->cells.resize(static_cast<std::size_t>(n) + 1);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::uint8_t opcode = reader_.u8();
        if (!producedOpcode(opcode)) return "unknown opcode";
        script->cells[static_cast<std::size_t>(i)] = {opcode, static_cast<std::int16_t>(reader_.u16())};
    }
    script->cells.back() = {kOpEnd, 0};
    return nullptr;
}

const char* ImageLoader::readOperands(YCompiledScript* script) {
    const std::int32_t m = reader_.i32();
    if (!reader_.ok()) return "truncated before the operand count";
    if (m < 3 || m > kYMaxOperands || static_cast<std::size_t>(m) * 2 > reader_.remaining()) return "operand count out of range";
    script->operands.resize(static_cast<std::size_t>(m));
    for (std::int16_t& entry : script->operands) entry = static_cast<std::int16_t>(reader_.u16());
    if (script->operands[0] != 0 || script->operands[1] != 1 || script->operands[2] != 2) return "operands do not start with 0, 1, 2";
    if (m > 3 && script->operands.back() != -1) return "last operand list not ended";
    return nullptr;
}

const char* ImageLoader::readRecords(Records* records) {
    variableCount_ = reader_.i32();
    if (!reader_.ok()) return "truncated before the variable count";
    if (variableCount_ < kYPredefined || variableCount_ > kYHeapLimit) return "variable count out of range";
    for (std::int32_t i = kYPredefined; i < variableCount_; ++i) {
        const std::uint8_t* start = reader_.span(0);
        const std::uint8_t* cursor = start;
        auto variable = std::make_unique<YVariable>();
        if (!loadVariableFromMemory(variable.get(), &cursor, start + reader_.remaining(), swap_)) {
            return "damaged variable record";
        }
        reader_.skip(static_cast<std::size_t>(cursor - start));
        records->push_back(std::move(variable));
    }
    return nullptr;
}

// Jumps land inside the code (the end cell included); other cells start an operand list; the three
// cells of a loop stay together.
const char* ImageLoader::checkCells(const YCompiledScript& script) {
    const auto n = static_cast<std::int32_t>(script.cells.size()) - 1;
    const auto m = static_cast<std::int32_t>(script.operands.size());
    for (std::int32_t i = 0; i < n; ++i) {
        const YCell& cell = script.cells[static_cast<std::size_t>(i)];
        const std::int32_t op = cell.opcode;
        if (op == kOpJump || op == kOpJumpIfFalse) {
            if (cell.operand < 0 || cell.operand > n) return "jump past the end of the code";
        } else if (op != kOpNothing && op != kOpReturn && op != kOpEnd && (cell.operand < 0 || cell.operand >= m)) {
            return "operand list outside the operand array";
        }
        if (op == kOpForSetUp && (i + 2 >= n || script.cells[static_cast<std::size_t>(i) + 1].opcode != kOpForStep ||
                                  script.cells[static_cast<std::size_t>(i) + 2].opcode != kOpJumpIfFalse)) {
            return "loop cells apart";
        }
    }
    return nullptr;
}

const char* ImageLoader::checkIndices(const YCompiledScript& script, const Records& records, std::int32_t count) {
    for (std::int16_t entry : script.operands) {
        if (entry < -1 || entry >= count) return "operand index past the variable table";
    }
    for (const auto& v : records) {
        // An alias reads the entry it names; a family's first-member index only starts a bounded walk, and
        // a list whose first member already existed leaves it past the table.
        if (v->mark == kYAlias && (v->heapIndex < 0 || v->heapIndex >= count)) return "alias past the variable table";
        const std::int32_t k = v->typeTag == kYSubstring ? 3 : v->indices ? v->lengthField : 0;
        for (std::int32_t i = 0; i < k; ++i) {
            const auto index = static_cast<std::uint16_t>(v->indices[i]);
            const bool emptyStart = v->typeTag == kYSubstring && i == 1 && index == kYEmptyStart;
            if (!emptyStart && index >= static_cast<std::uint32_t>(count)) return "reference index past the variable table";
        }
    }
    return nullptr;
}

}  // namespace

bool isCompiledScript(const std::uint8_t* data, std::size_t size) {
    return size > 0 && (data[0] == kYImageBigEndian || data[0] == kYImageLittleEndian);
}

bool loadCompiledScript(const std::uint8_t* data, std::size_t size, YCompiledScript* out) {
    const char* problem = nullptr;
    YHeap& heap = scriptHeap();
    YCompiledScript script;
    Records records;
    if (!isCompiledScript(data, size)) problem = "not a precompiled script";
    else if (!heap.initialised || heap.count != kYPredefined) problem = "the variable table is not empty";
    else problem = ImageLoader(data, size).load(&script, &records);
    if (problem) {
        omAlert((std::string("Precompiled script refused: ") + problem).c_str(), kAlertFlags, "");
        return false;
    }
    for (auto& v : records) heap.append(v.release());
    *out = std::move(script);
    return true;
}

bool saveCompiledScript(const YCompiledScript& script, const char* fileName) {
    ByteWriter w(ByteOrder::little);
    w.u8(kYImageLittleEndian);
    const std::size_t n = script.cells.empty() ? 0 : script.cells.size() - 1;
    w.u32(static_cast<std::uint32_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        w.u8(static_cast<std::uint8_t>(script.cells[i].opcode));
        w.u16(static_cast<std::uint16_t>(script.cells[i].operand));
    }
    w.u32(static_cast<std::uint32_t>(script.operands.size()));
    for (std::int16_t entry : script.operands) w.u16(static_cast<std::uint16_t>(entry));
    const YHeap& heap = scriptHeap();
    w.u32(static_cast<std::uint32_t>(heap.count));
    std::FILE* file = std::fopen(fileName, "wb");
    if (!file) return false;
    bool written = std::fwrite(w.bytes.data(), 1, w.bytes.size(), file) == w.bytes.size() && heap.save(file);
    written = std::fclose(file) == 0 && written;
    return written;
}
