// The data store's variable file: any bytes load within their length into at most one slot each, every
// text ends within its 32 bytes, the count is the number of named slots, and what is written loads the same.
#include <cstring>

#include "FuzzParts.h"
#include "VariableFile.h"

namespace {

bool sameSlots(const std::vector<RData>& a, const std::vector<RData>& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::strcmp(a[i].name(), b[i].name()) != 0 || std::strcmp(a[i].value(), b[i].value()) != 0 ||
            a[i].modified() != b[i].modified())
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<RData> slots(size % 7 + 1);
    const std::int32_t used = readVariableFile(data, size, slots);
    std::int32_t named = 0;
    for (const RData& slot : slots) {
        FUZZ_CHECK(std::strlen(slot.name()) < kRDataTextSize && std::strlen(slot.value()) < kRDataTextSize);
        if (!slot.isFree()) ++named;
    }
    FUZZ_CHECK(used == named);
    const std::string written = writeVariableFile(slots, used);
    FUZZ_CHECK(written.size() == 4 + slots.size() * kRDataRecordSize);
    std::vector<RData> again(slots.size());
    FUZZ_CHECK(readVariableFile(reinterpret_cast<const std::uint8_t*>(written.data()), written.size(), again) == used);
    FUZZ_CHECK(sameSlots(slots, again));
    return 0;
}
