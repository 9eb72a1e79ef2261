// The fixed-width log line and the hexadecimal dump row, formatted from plain values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Local date and time of a message, to the millisecond.
struct LogStamp {
    int year = 0;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// A log line is 123 characters:
//
//   06 Dec 26  1:05:09.9 PM [0083.46] 3,3001 | text of up to 80 characters, blank-padded........
//   |date 9 | |time 13     | |elaps 7| |id    | |text 80                                         |
//
// In the file, lines are separated by CR LF, so each line with its separator takes 125 bytes.
constexpr std::size_t kLogLineLength = 123;
constexpr std::size_t kLogLineStride = kLogLineLength + 2;
constexpr std::size_t kLogTextWidth = 80;
constexpr std::uint32_t kMaxElapsedMs = 9999990;

// Formats log lines, keeping the 43-character prefix (date, time, elapsed, level and id) while the
// values it shows stay the same: the lines of one message and of a burst of messages share it.
class LogLineFormatter {
public:
    // The line for message `id` carrying `piece` as its text (its first 80 characters, up to any NUL),
    // valid until the next call.
    std::string_view format(const LogStamp& stamp, std::uint32_t elapsedMs, std::uint16_t id,
                            std::string_view piece);

private:
    // What the prefix shows: the time to the tenth of a second, not the millisecond.
    struct Shown {
        int year, month, day, hour, minute, second, tenths;
        std::uint32_t elapsedMs;
        std::uint16_t id;
        bool operator==(const Shown& other) const;
    };
    bool valid_ = false;
    Shown shown_{};
    std::size_t prefixLength_ = 0;
    // Room for the widest prefix, of an id above 9999 whose level has two digits.
    char line_[kLogLineLength + 8] = {};
};

// One line for message `id` carrying `piece` (at most 80 characters) as its text.
std::string formatLogLine(const LogStamp& stamp, std::uint32_t elapsedMs, std::uint16_t id,
                          std::string_view piece);

// The text of one dump row: "  %06ld: " offset, a 16-wide character column, then the bytes in
// upper-case hex, four bytes to a group.
constexpr std::size_t kHexRowBytes = 16;
std::string hexRowText(std::uint32_t offset, const unsigned char* bytes, std::size_t count);
