// The user data block kept in "quomb.dat": the three sound switches, the user count and 40 user records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The file: a 4-byte header (the low bytes of the sound, music and voice switches and of the user count,
// read back as signed bytes), then the 40 records of 182 bytes in table order.
//
// One record, 16-bit signed little-endian fields:
//
//   +0    uHippoFlag1..4        +8    uSealFlag1..4        +16   uBalloonFlags
//   +18   uPrizeFlags (low byte: ticket count, bit 14: bonus ticket)
//   +20+4k uPrizeAnimLevel<k+1>  +22+4k uPrizeAnimPrize<k+1>  (k = 0..35)
//   +164  uName, 14 bytes zero-terminated
//   +178  uNumSeen              +180  uSayHooray
constexpr std::size_t kUserRecordSize = 182;
constexpr std::size_t kUserRecordCount = 40;
constexpr std::size_t kUserDataHeaderSize = 4;
constexpr std::size_t kUserDataFileSize = kUserDataHeaderSize + kUserRecordCount * kUserRecordSize;
constexpr std::size_t kPrizeFlagsOffset = 18;
constexpr std::size_t kUserNameOffset = 164;
constexpr std::size_t kUserNameSize = 14;

using UserRecord = std::array<std::uint8_t, kUserRecordSize>;

struct UserDataBlock {
    std::int16_t sfx = 1;
    std::int16_t music = 1;
    std::int16_t voice = 1;
    std::int16_t userCount = 0;
    std::array<UserRecord, kUserRecordCount> records{};
};

// The program's one block.
UserDataBlock& userData();

// Fills the block from file bytes: each header byte and each whole record that is present; the rest of
// the block stays as it was.
void readUserData(const std::uint8_t* data, std::size_t size, UserDataBlock& block);
// The 7,284 bytes of the file.
std::string writeUserData(const UserDataBlock& block);

// A record field as its store variable names it; the name field is text, all others are numbers.
struct UserField {
    std::string variable;
    std::size_t offset;
    bool isText() const { return offset == kUserNameOffset; }
};
// The 85 fields in table order.
const std::vector<UserField>& userFields();

std::int16_t fieldValue(const UserRecord& record, std::size_t offset);
void setFieldValue(UserRecord& record, std::size_t offset, std::int16_t value);
// The name up to its terminator (at most 14 characters in a damaged record).
std::string recordName(const UserRecord& record);
// Keeps at most 13 characters and zero-fills the field.
void setRecordName(UserRecord& record, const char* name);
