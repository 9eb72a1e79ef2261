// WXLOG32's message files: numbered lines into the message table. No text keeps a line end or a NUL.
#include "FuzzParts.h"
#include "MessageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MessageTable table = parseMessageFile(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& [id, text] : table) FUZZ_CHECK(text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    return 0;
}
