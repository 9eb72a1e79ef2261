// The user data file "quomb.dat": any bytes fill the header fields and whole records present, the file
// written is 7,284 bytes that load the same block again, and the header holds signed bytes.
#include "FuzzParts.h"
#include "UserData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UserDataBlock block;
    readUserData(data, size, block);
    const std::string written = writeUserData(block);
    FUZZ_CHECK(written.size() == kUserDataFileSize);
    UserDataBlock again;
    readUserData(reinterpret_cast<const std::uint8_t*>(written.data()), written.size(), again);
    FUZZ_CHECK(again.sfx == block.sfx && again.music == block.music && again.voice == block.voice &&
               again.userCount == block.userCount && again.records == block.records);
    for (std::int16_t field : {block.sfx, block.music, block.voice, block.userCount})
        FUZZ_CHECK(field >= -128 && field <= 127);
    for (const UserField& field : userFields())
        if (!field.isText()) static_cast<void>(fieldValue(block.records[0], field.offset));
    return 0;
}
