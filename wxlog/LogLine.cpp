// Formatting of log lines and dump rows.
#include "LogLine.h"

#include <cstdio>

namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string dateField(const LogStamp& stamp) {
    int yy = stamp.year < 2000 ? stamp.year - 1900 : stamp.year - 2000;
    const char* month = (stamp.month >= 1 && stamp.month <= 12) ? kMonths[stamp.month - 1] : "???";
    char text[32];
    std::snprintf(text, sizeof text, "%02d %3.3s %02d", stamp.day, month, yy);
    return text;
}

// 12-hour clock with midnight as 12 AM and noon as 12 PM.
std::string timeField(const LogStamp& stamp) {
    int hour = stamp.hour % 12 == 0 ? 12 : stamp.hour % 12;
    const char* suffix = stamp.hour >= 12 ? "PM" : "AM";
    char text[48];
    std::snprintf(text, sizeof text, "%2d:%02d:%02d.%1d %2.2s", hour, stamp.minute, stamp.second,
                  stamp.milliseconds / 100, suffix);
    return text;
}

std::string elapsedField(std::uint32_t elapsedMs) {
    char text[32];
    std::snprintf(text, sizeof text, "%07.2f", elapsedMs / 1000.0);
    return text;
}

}  // namespace

std::string formatLogLine(const LogStamp& stamp, std::uint32_t elapsedMs, std::uint16_t id,
                          std::string_view piece) {
    std::string text(piece.substr(0, kLogTextWidth));
    char line[kLogLineLength + 64];
    std::snprintf(line, sizeof line, "%9.9s %13.13s [%7.7s] %1d,%04d | %-80.80s",
                  dateField(stamp).c_str(), timeField(stamp).c_str(), elapsedField(elapsedMs).c_str(),
                  id / 1000, id, text.c_str());
    return line;
}

std::string hexRowText(std::uint32_t offset, const unsigned char* bytes, std::size_t count) {
    if (count > kHexRowBytes) count = kHexRowBytes;
    std::string chars;
    std::string hex;
    for (std::size_t i = 0; i < count; ++i) {
        unsigned char b = bytes[i];
        chars += (b >= 0x20 && b <= 0x7E) ? static_cast<char>(b) : '.';
        if (i > 0 && i % 4 == 0) hex += ' ';
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", b);
        hex += digits;
    }
    char row[kLogTextWidth + 1];
    std::snprintf(row, sizeof row, "  %06ld: %-16.16s %s", static_cast<long>(offset), chars.c_str(),
                  hex.c_str());
    return row;
}
