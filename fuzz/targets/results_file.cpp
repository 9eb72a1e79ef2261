// The results file reader: any text fills at most the 50 pairs of its table, lines without a blank, longer
// than one read or without a last line end included; look-ups outside 0..49 give 0.
#include <cstdio>

#include "FuzzParts.h"
#include "ResultsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (!file) return 0;
    FUZZ_CHECK(readResults(file) == 1);
    std::fclose(file);
    for (std::int32_t i = 0; i < kResultPairCount; ++i) static_cast<void>(resultLevel(i));
    FUZZ_CHECK(resultLevel(-1) == 0 && resultLevel(kResultPairCount) == 0);
    return 0;
}
