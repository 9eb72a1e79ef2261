// The user data block: its file bytes and the record fields by variable name.
#include "UserData.h"

#include <cstring>

#include "ByteReader.h"
#include "ByteWriter.h"

namespace {

std::vector<UserField> makeFields() {
    std::vector<UserField> fields;
    for (int i = 1; i <= 4; ++i) fields.push_back({"uHippoFlag" + std::to_string(i), std::size_t(2 * (i - 1))});
    for (int i = 1; i <= 4; ++i) fields.push_back({"uSealFlag" + std::to_string(i), std::size_t(8 + 2 * (i - 1))});
    fields.push_back({"uBalloonFlags", 16});
    fields.push_back({"uPrizeFlags", kPrizeFlagsOffset});
    for (std::size_t k = 0; k < 36; ++k) {
        fields.push_back({"uPrizeAnimLevel" + std::to_string(k + 1), 20 + 4 * k});
        fields.push_back({"uPrizeAnimPrize" + std::to_string(k + 1), 22 + 4 * k});
    }
    fields.push_back({"uName", kUserNameOffset});
    fields.push_back({"uNumSeen", 178});
    fields.push_back({"uSayHooray", 180});
    return fields;
}

}  // namespace

UserDataBlock& userData() {
    static UserDataBlock block;
    return block;
}

void readUserData(const std::uint8_t* data, std::size_t size, UserDataBlock& block) {
    ByteReader in(data, size, ByteOrder::little);
    std::int16_t* header[] = {&block.sfx, &block.music, &block.voice, &block.userCount};
    for (std::int16_t* field : header)
        if (in.remaining() >= 1) *field = static_cast<std::int8_t>(in.u8());
    for (UserRecord& record : block.records)
        if (in.remaining() >= kUserRecordSize) in.bytes(record.data(), kUserRecordSize);
}

std::string writeUserData(const UserDataBlock& block) {
    ByteWriter out(ByteOrder::little);
    for (std::int16_t field : {block.sfx, block.music, block.voice, block.userCount})
        out.u8(static_cast<std::uint8_t>(field));
    for (const UserRecord& record : block.records) out.span(record.data(), record.size());
    return out.str();
}

const std::vector<UserField>& userFields() {
    static const std::vector<UserField> fields = makeFields();
    return fields;
}

std::int16_t fieldValue(const UserRecord& record, std::size_t offset) {
    return static_cast<std::int16_t>(record[offset] | record[offset + 1] << 8);
}

void setFieldValue(UserRecord& record, std::size_t offset, std::int16_t value) {
    record[offset] = static_cast<std::uint8_t>(value);
    record[offset + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8);
}

std::string recordName(const UserRecord& record) {
    const char* name = reinterpret_cast<const char*>(&record[kUserNameOffset]);
    std::size_t length = 0;
    while (length < kUserNameSize && name[length]) ++length;
    return std::string(name, length);
}

void setRecordName(UserRecord& record, const char* name) {
    char* field = reinterpret_cast<char*>(&record[kUserNameOffset]);
    std::strncpy(field, name, kUserNameSize - 1);
    field[kUserNameSize - 1] = '\0';
}
