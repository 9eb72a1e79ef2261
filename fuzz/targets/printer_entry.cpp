// The printer's profile entry: a split gives three non-empty parts without commas or leading blanks,
// each inside the entry.
#include <cstring>

#include "FuzzParts.h"
#include "PrintEntry.h"

namespace {

bool partIsClean(const char* part, const std::string& entry) {
    const std::size_t length = std::strlen(part);
    return length > 0 && part[0] != ' ' && std::strchr(part, ',') == nullptr &&
           part >= entry.data() && part + length <= entry.data() + entry.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string entry(reinterpret_cast<const char*>(data), size);
    PrintEntryParts parts;
    if (PrintSplitEntry(entry.data(), parts))
        FUZZ_CHECK(partIsClean(parts.name, entry) && partIsClean(parts.driver, entry) &&
                   partIsClean(parts.port, entry));
    return 0;
}
