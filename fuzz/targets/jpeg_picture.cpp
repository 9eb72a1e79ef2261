// Glimmer's JPEG pictures decoded at each depth the splash screen asks for. Allocations above 32 MB fail
// here, as the largest ones do in a 32-bit process: a header that claims a huge picture is then refused
// at once instead of being decoded for seconds, and the time goes to the decoding paths themselves.
#include <cstdlib>
#include <vector>

#include "FuzzParts.h"
#include "JpegDecoder.h"

extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=32"; }

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
