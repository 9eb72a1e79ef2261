// The plain data formats of the splash-screen store: names, comma lists, packed dates, hot-spot
// region records, and the rules for handing a clicked URL back to the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// IDs and application names keep at most 15 characters.
constexpr std::size_t kNameLength = 15;
std::string cutName(const std::string& text);

// "A,B,,C" gives four entries (the third empty), each cut to 15 characters; "" gives none.
std::vector<std::string> splitCommaList(const std::string& text);
std::string joinCommaList(const std::vector<std::string>& entries);
// The index of `name` in `list` (exact, case-sensitive), or -1.
int findName(const std::vector<std::string>& list, const std::string& name);

// A day packed as year × 10000 + month × 100 + day.
constexpr long packDate(int year, int month, int day) { return year * 10000L + month * 100L + day; }

// A hot-spot polygon as the store keeps it, 130 bytes:
//
//   offset 0    32 pairs of signed 16-bit little-endian (x, y), pixels from the picture's top left
//   offset 128  signed 16-bit little-endian vertex count (0 to 32)
constexpr std::size_t kRegionRecordSize = 130;
constexpr int kMaxRegionVertices = 32;
struct RegionPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
// The vertices of a record; none for a record of another size or with a count outside 0 to 32.
std::vector<RegionPoint> parseRegionRecord(const std::uint8_t* bytes, std::size_t size);

// Hands `url` back through the host's buffer: `length` holds the buffer's capacity and receives the
// URL's length, or -1 when the URL did not fit (the first capacity - 1 characters are then kept) or
// there is no room at all. Nothing happens without a length.
void handBackUrl(char* buffer, int* length, const std::string& url);
// After the splash screen closed: a length still untouched by a click (first byte 0) becomes 0.
void finishHandBack(const char* buffer, int* length);
