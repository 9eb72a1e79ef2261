// Names, comma lists, region records and the URL hand-back of the splash-screen store.
#include "DssFormats.h"

#include <cstring>

std::string cutName(const std::string& text) { return text.substr(0, kNameLength); }

std::vector<std::string> splitCommaList(const std::string& text) {
    std::vector<std::string> entries;
    if (text.empty()) return entries;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        entries.push_back(cutName(text.substr(start, comma - start)));
        if (comma == std::string::npos) return entries;
        start = comma + 1;
    }
}

std::string joinCommaList(const std::vector<std::string>& entries) {
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text += ',';
        text += entries[i];
    }
    return text;
}

int findName(const std::vector<std::string>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == name) return static_cast<int>(i);
    }
    return -1;
}

namespace {

std::int32_t signed16At(const std::uint8_t* bytes, std::size_t offset) {
    return static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace

std::vector<RegionPoint> parseRegionRecord(const std::uint8_t* bytes, std::size_t size) {
    std::vector<RegionPoint> points;
    if (bytes == nullptr || size != kRegionRecordSize) return points;
    const std::int32_t count = signed16At(bytes, 128);
    if (count < 0 || count > kMaxRegionVertices) return points;
    for (std::int32_t i = 0; i < count; ++i) {
        points.push_back({signed16At(bytes, 4 * i), signed16At(bytes, 4 * i + 2)});
    }
    return points;
}

void handBackUrl(char* buffer, int* length, const std::string& url) {
    if (length == nullptr) return;
    const int capacity = *length;
    if (buffer == nullptr || capacity <= 0) {
        *length = -1;
        return;
    }
    std::memset(buffer, 0, static_cast<std::size_t>(capacity));
    if (url.size() < static_cast<std::size_t>(capacity)) {
        *length = static_cast<int>(url.size());
        std::memcpy(buffer, url.data(), url.size());
    } else {
        *length = -1;
        std::memcpy(buffer, url.data(), static_cast<std::size_t>(capacity) - 1);
    }
}

void finishHandBack(const char* buffer, int* length) {
    if (buffer != nullptr && length != nullptr && buffer[0] == '\0' && *length > 0) *length = 0;
}
