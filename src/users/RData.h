// One named text variable of the script data store, with the time of its last change; also its 68-byte
// record in variable files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

class ByteReader;
class ByteWriter;

// The record, little-endian:
//
//   +0   name      32 bytes, zero-terminated ("empty" marks a free slot)
//   +32  value     32 bytes, zero-terminated (" " when reset)
//   +64  modified  u32, seconds of the runtime library's time()
constexpr std::size_t kRDataTextSize = 32;
constexpr std::size_t kRDataRecordSize = 68;
constexpr const char* kFreeSlotName = "empty";

class RData {
public:
    RData() { reset(); }

    // Name "empty", value " ", both texts zeroed beyond.
    void reset();
    // A text of 32 characters or more is replaced by "empty" (a value by " "); both stamp the time and
    // return whether the text fitted.
    bool setName(const char* text);
    bool setValue(const char* text);
    // setName, then setValue only when the name fitted.
    void set(const char* name, const char* value);
    // value[i]; 0 outside the 32 characters.
    char cell(std::int32_t i) const;
    // Sets value[i] for i in 0..30 (false otherwise), first padding a shorter value with blanks.
    bool setCell(char ch, std::int32_t i);

    bool isFree() const;
    const char* name() const { return name_; }
    const char* value() const { return value_; }
    std::time_t modified() const { return modified_; }

    void write(ByteWriter& out) const;
    // Reads one record; false (nothing changed) when fewer than 68 bytes remain. The texts are cut to 31
    // characters.
    bool read(ByteReader& in);

private:
    void stamp();

    char name_[kRDataTextSize];
    char value_[kRDataTextSize];
    std::time_t modified_ = 0;
};
