// 'STR' source text compiled into a message table, then the table walked and searched as the message
// calls do: every record's text ends inside the table and every number is found again.
#include <cstring>
#include <vector>

#include "FuzzParts.h"
#include "StrSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> source(data, data + size);
    std::vector<std::uint8_t> table;
    std::uint32_t lastNumber = 0;
    compileStrSource(source.data(), source.size(), table, lastNumber);
    const std::uint8_t* end = table.data() + table.size();
    FUZZ_CHECK(strTableLength(table.data(), table.size()) <= table.size());
    std::uint32_t number = 0;
    for (std::uint32_t i = 0; const char* text = strRecordAt(table.data(), table.size(), i, &number); ++i) {
        const auto* start = reinterpret_cast<const std::uint8_t*>(text);
        FUZZ_CHECK(std::memchr(start, 0, static_cast<std::size_t>(end - start)) != nullptr);
        FUZZ_CHECK(findStrRecord(table.data(), table.size(), number) != nullptr);
    }
    return 0;
}
