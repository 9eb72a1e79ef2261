// Glimmer's comma lists: split into names of at most 15 characters; joining and splitting again gives
// the same names.
#include "DssFormats.h"
#include "FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> entries = splitCommaList(std::string(reinterpret_cast<const char*>(data), size));
    for (const std::string& entry : entries)
        FUZZ_CHECK(entry.size() <= kNameLength && entry.find(',') == std::string::npos);
    const std::string joined = joinCommaList(entries);
    FUZZ_CHECK(joined.empty() ? entries.empty() || entries == std::vector<std::string>{""}
                              : splitCommaList(joined) == entries);
    if (!entries.empty()) FUZZ_CHECK(findName(entries, entries.back()) >= 0);
    return 0;
}
