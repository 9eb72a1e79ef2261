// The packed binary record of a script variable: saving, and loading with optional byte swapping.
//
//   +0  type tag (4)   +4 value kind (4)
//   +8  value: kind 3 the integer (4); kind 4 a 16-bit length L and L characters of "%.15g"; else nothing
//   then highest member (4), heap index (4), length field (4), reference mark (4)
//   then name and value text: a 32-bit length N and N characters each (0xFFFFFFFF = none, nothing after)
//   then the index array: a 32-bit count K and K 16-bit indices (0xFFFFFFFF = none); K is 3 for a
//   substring reference, else the length field
// Numbers are little-endian as written here; a record from a big-endian machine is read swapped.
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "YEvaluator.h"
#include "YVariable.h"

namespace {

constexpr std::uint32_t kMissing = 0xFFFFFFFFu;
constexpr std::size_t kDoubleTextSize = 128;

// A text item: its 32-bit length and characters, or the missing mark.
void writeItem(ByteWriter* w, const char* text) {
    if (!text) return w->u32(kMissing);
    const std::size_t length = std::strlen(text);
    w->u32(static_cast<std::uint32_t>(length));
    w->span(text, length);
}

std::int32_t storedIndexCount(const YVariable* v) { return v->typeTag == kYSubstring ? 3 : v->lengthField; }

void writeRecord(const YVariable* v, ByteWriter* w) {
    w->u32(static_cast<std::uint32_t>(v->typeTag));
    w->u32(static_cast<std::uint32_t>(v->kind));
    if (v->kind == kYInteger) w->u32(static_cast<std::uint32_t>(v->value.integer));
    if (v->kind == kYDouble) {
        char text[kDoubleTextSize];
        const int length = std::snprintf(text, sizeof text, "%.15g", v->value.number);
        w->u16(static_cast<std::uint16_t>(length));
        w->span(text, static_cast<std::size_t>(length));
    }
    w->u32(static_cast<std::uint32_t>(v->highestMember));
    w->u32(static_cast<std::uint32_t>(v->heapIndex));
    w->u32(static_cast<std::uint32_t>(v->lengthField));
    w->u32(static_cast<std::uint32_t>(v->mark));
    writeItem(w, v->name);
    writeItem(w, v->valueText);
    if (!v->indices) return w->u32(kMissing);
    const std::int32_t count = storedIndexCount(v);
    w->u32(static_cast<std::uint32_t>(count));
    for (std::int32_t i = 0; i < count; ++i) w->u16(static_cast<std::uint16_t>(v->indices[i]));
}

// A text item: its characters, or null when it is missing. Refused when it runs past the data or holds a
// NUL.
bool readTextItem(ByteReader& r, const char** text, std::uint32_t* length) {
    *text = nullptr;
    const std::uint32_t n = r.u32();
    if (!r.ok()) return false;
    if (n == kMissing) return true;
    const std::uint8_t* bytes = r.span(n);
    if (!bytes || std::memchr(bytes, '\0', n)) return false;
    *text = reinterpret_cast<const char*>(bytes);
    *length = n;
    return true;
}

// The name and the value text, each replacing the old one unless its item is missing.
bool readTexts(ByteReader& r, YVariable* v) {
    const char* text = nullptr;
    std::uint32_t length = 0;
    if (!readTextItem(r, &text, &length)) return false;
    if (text) {
        delete[] v->name;
        v->name = new char[length + 1];
        std::memcpy(v->name, text, length);
        v->name[length] = '\0';
    }
    if (!readTextItem(r, &text, &length)) return false;
    if (text) v->loadValueText(text, length);
    return true;
}

bool readValue(ByteReader& r, YVariable* v) {
    const std::int32_t kind = v->kind;
    v->value.number = 0.0;
    if (kind == kYObject) v->kind = kYNone;
    if (kind == kYInteger) v->value.integer = r.i32();
    if (kind != kYDouble) return r.ok();
    const std::uint16_t length = r.u16();
    const std::uint8_t* bytes = r.span(length);
    if (!bytes || length >= kDoubleTextSize) return false;
    char text[kDoubleTextSize];
    std::memcpy(text, bytes, length);
    text[length] = '\0';
    return std::sscanf(text, "%lf", &v->value.number) == 1;
}

bool readIndices(ByteReader& r, YVariable* v) {
    const std::uint32_t count = r.u32();
    if (!r.ok()) return false;
    if (count == kMissing) return true;
    if (count > r.remaining() / 2 || static_cast<std::int32_t>(count) != storedIndexCount(v)) return false;
    delete[] v->indices;
    v->indices = new std::int16_t[count ? count : 1];
    for (std::uint32_t i = 0; i < count; ++i) v->indices[i] = static_cast<std::int16_t>(r.u16());
    return r.ok();
}

// What the rest of the engine relies on: a name, texts that match their lengths, index arrays where
// references need them and valid prefix code for expressions.
bool consistent(const YVariable* v) {
    if (!v->name) return false;
    const auto nameLength = static_cast<std::int32_t>(std::strlen(v->name));
    switch (v->typeTag) {
    case kYPlain:
        return !v->indices && (v->valueText ? v->lengthField == static_cast<std::int32_t>(std::strlen(v->valueText))
                                            : v->lengthField == -1);
    case kYLiteral: return !v->indices && nameLength > 0 && v->lengthField == nameLength;
    case kYMember: return v->indices && v->lengthField > 0 && std::strchr(v->name, '.');
    case kYSubstring: return v->indices && (v->lengthField == 1 || v->lengthField == 2);
    case kYExpression:
        return v->valueText && v->lengthField >= 0 && v->lengthField <= 128 && (v->lengthField == 0 || v->indices) &&
               YEvaluator::validCode(v->valueText, v->lengthField);
    default: return false;
    }
}

bool readRecord(ByteReader& r, YVariable* v) {
    const std::int32_t tag = r.i32();
    const std::int32_t kind = r.i32();
    if (!r.ok() || tag < kYPlain || tag > kYExpression || kind < kYNone || kind > kYDouble) return false;
    v->startLoading();
    v->resetValue(1);
    v->typeTag = tag;
    v->kind = kind;
    if (!readValue(r, v)) return false;
    v->highestMember = r.i32();
    v->heapIndex = r.i32();
    v->lengthField = r.i32();
    v->mark = r.i32();
    if (!r.ok() || v->mark < kYAlias || v->mark > kYBorrows) return false;
    return readTexts(r, v) && readIndices(r, v) && consistent(v);
}

}  // namespace

void swapBytes16(void* p) { swapBytes16Array(p, 1); }

void swapBytes16Array(void* p, std::int32_t count) {
    auto* b = static_cast<std::uint8_t*>(p);
    for (std::int32_t i = 0; i < count; ++i, b += 2) std::swap(b[0], b[1]);
}

void swapBytes32Array(void* p, std::int32_t count) {
    auto* b = static_cast<std::uint8_t*>(p);
    for (std::int32_t i = 0; i < count; ++i, b += 4) {
        std::swap(b[0], b[3]);
        std::swap(b[1], b[2]);
    }
}

bool saveVariable(YVariable* variable, std::FILE* file) {
    variable->ensureText();
    ByteWriter w(ByteOrder::little);
    writeRecord(variable, &w);
    return std::fwrite(w.bytes.data(), 1, w.bytes.size(), file) == w.bytes.size();
}

bool loadVariableFromMemory(YVariable* variable, const std::uint8_t** cursor, const std::uint8_t* end,
                            std::int32_t swap) {
    if (!cursor || !*cursor || end < *cursor) return false;
    ByteReader r(*cursor, static_cast<std::size_t>(end - *cursor), swap ? ByteOrder::big : ByteOrder::little);
    if (!readRecord(r, variable)) return false;
    *cursor += r.position();
    return true;
}

// The rest of the file is read, one record taken from it, and the file left just behind that record.
bool loadVariable(YVariable* variable, std::FILE* file, std::int32_t swap) {
    const long start = std::ftell(file);
    if (start < 0) return false;
    std::vector<std::uint8_t> rest;
    std::uint8_t chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) rest.insert(rest.end(), chunk, chunk + n);
    const std::uint8_t* cursor = rest.data();
    const bool loaded = loadVariableFromMemory(variable, &cursor, rest.data() + rest.size(), swap);
    const long consumed = loaded ? static_cast<long>(cursor - rest.data()) : 0;
    return std::fseek(file, start + consumed, SEEK_SET) == 0 && loaded;
}
