// Tottlewick's 'SID' resources: the check and conversion of the stored big-endian bytes and the envelope
// at times taken from the input's first four bytes, then read as if native.
#include <cstring>
#include <vector>

#include "FuzzParts.h"
#include "SidFormat.h"

namespace {

void readAll(const std::vector<std::uint8_t>& bytes, std::uint32_t ms) {
    SidView view;
    if (!view.open(bytes.data(), bytes.size(), kSidNativeOrder)) return;
    FUZZ_CHECK(std::strlen(view.name()) < bytes.size() || !*view.name());
    FUZZ_CHECK(!view.valueCount() || view.valueOffset(view.valueCount() - 1) + 4 <= bytes.size());
    for (std::uint32_t t : {0u, ms, ms >> 16, ms * 7, 0xFFFFFFFFu}) view.levelAt(t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::uint32_t ms = 0;
    std::memcpy(&ms, data, 4);
    std::vector<std::uint8_t> bytes(data + 4, data + size);
    readAll(bytes, ms);
    if (sidSwap(bytes.data(), bytes.size())) readAll(bytes, ms);
    return 0;
}
