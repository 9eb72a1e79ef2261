// The data store's variable: fitted texts, byte cells and the 68-byte record.
#include "RData.h"

#include <cstring>

#include "ByteWriter.h"

namespace {

// Copies text zero-padded when it fits in 31 characters, else `replacement`.
bool fitText(char (&field)[kRDataTextSize], const char* text, const char* replacement) {
    const bool fits = std::strlen(text) < kRDataTextSize;
    std::strncpy(field, fits ? text : replacement, kRDataTextSize);
    return fits;
}

}  // namespace

void RData::reset() {
    std::strncpy(name_, kFreeSlotName, kRDataTextSize);
    std::strncpy(value_, " ", kRDataTextSize);
}

void RData::stamp() { modified_ = std::time(nullptr); }

bool RData::setName(const char* text) {
    stamp();
    return fitText(name_, text, kFreeSlotName);
}

bool RData::setValue(const char* text) {
    stamp();
    return fitText(value_, text, " ");
}

void RData::set(const char* name, const char* value) {
    if (setName(name)) setValue(value);
}

char RData::cell(std::int32_t i) const {
    return i >= 0 && i < static_cast<std::int32_t>(kRDataTextSize) ? value_[i] : '\0';
}

bool RData::setCell(char ch, std::int32_t i) {
    stamp();
    if (i < 0 || i > static_cast<std::int32_t>(kRDataTextSize) - 2) return false;
    if (std::strlen(value_) < static_cast<std::size_t>(i)) {
        for (char& c : value_)
            if (c == '\0') c = ' ';
        value_[kRDataTextSize - 1] = '\0';
    }
    value_[i] = ch;
    return true;
}

bool RData::isFree() const { return std::strcmp(name_, kFreeSlotName) == 0; }

void RData::write(ByteWriter& out) const {
    out.span(name_, kRDataTextSize);
    out.span(value_, kRDataTextSize);
    out.u32(static_cast<std::uint32_t>(modified_));
}

bool RData::read(ByteReader& in) {
    if (in.remaining() < kRDataRecordSize) return false;
    char name[kRDataTextSize], value[kRDataTextSize];
    in.bytes(name, kRDataTextSize);
    in.bytes(value, kRDataTextSize);
    name[kRDataTextSize - 1] = value[kRDataTextSize - 1] = '\0';
    // Zero-padded like every text set here, so that a cell set at the end of the text ends it again.
    std::strncpy(name_, name, kRDataTextSize);
    std::strncpy(value_, value, kRDataTextSize);
    modified_ = static_cast<std::time_t>(in.u32());
    return true;
}
