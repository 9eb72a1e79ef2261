// Glimmer's JPEG pictures decoded at each depth the splash screen asks for. Allocations that a 32-bit
// process could not make fail here too (256 MB at most), so that a header claiming a huge picture is
// refused as it would be on Windows, instead of reading as a finding.
#include <cstdlib>
#include <vector>

#include "FuzzParts.h"
#include "JpegDecoder.h"

extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=256"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (int depth : {8, 16, 24}) {
        JpegDibResult result;
        if (decodeJpegToDib(bytes.data(), bytes.size(), depth, &result) != kJpegOk) continue;
        FUZZ_CHECK(result.bits && result.byteCount >= std::uint64_t{result.width} * result.height);
        // The last byte the result claims lies inside the block.
        volatile std::uint8_t last = result.bits[result.byteCount - 1];
        static_cast<void>(last);
        std::free(result.bits);
    }
    return 0;
}
