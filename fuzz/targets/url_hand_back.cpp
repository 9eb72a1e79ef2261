// Handing a clicked URL back through the host's buffer: the first two bytes give the buffer's capacity
// (a signed 16-bit number, so also none or less), the rest is the URL. Nothing is written past the
// capacity, and the length says what was kept.
#include <cstring>
#include <memory>
#include <string>

#include "DssFormats.h"
#include "FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int capacity = static_cast<std::int16_t>(data[0] | data[1] << 8);
    const std::string url(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t bytes = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
    const std::unique_ptr<char[]> buffer(bytes ? new char[bytes] : nullptr);
    int length = capacity;
    handBackUrl(buffer.get(), &length, url);
    if (capacity <= 0 || url.size() >= bytes) {
        FUZZ_CHECK(length == -1);
    } else {
        FUZZ_CHECK(length == static_cast<int>(url.size()) && std::memcmp(buffer.get(), url.data(), url.size()) == 0);
    }
    if (bytes) {
        FUZZ_CHECK(buffer[bytes - 1] == '\0');
        finishHandBack(buffer.get(), &length);
    }
    return 0;
}
