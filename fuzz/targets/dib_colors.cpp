// Tottlewick's stored bitmap files ('DIB' resources): the colour table read without trusting its sizes.
#include <vector>

#include "DibFile.h"
#include "FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    DibFileColors colors;
    if (!dibFileReadColors(bytes.data(), bytes.size(), &colors)) return 0;
    FUZZ_CHECK(colors.count <= kDibMaxColors);
    FUZZ_CHECK(colors.count == 0 ||
               (colors.entries >= bytes.data() && colors.entries + colors.count * 4u <= bytes.data() + bytes.size()));
    return 0;
}
