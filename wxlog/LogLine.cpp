// Formatting of log lines and dump rows.
#include "LogLine.h"

#include <cstdio>
#include <cstring>

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

bool LogLineFormatter::Shown::operator==(const Shown& other) const {
    return year == other.year && month == other.month && day == other.day && hour == other.hour &&
           minute == other.minute && second == other.second && tenths == other.tenths &&
           elapsedMs == other.elapsedMs && id == other.id;
}

std::string_view LogLineFormatter::format(const LogStamp& stamp, std::uint32_t elapsedMs,
                                          std::uint16_t id, std::string_view piece) {
    Shown shown{stamp.year,   stamp.month,  stamp.day, stamp.hour, stamp.minute,
                stamp.second, stamp.milliseconds / 100, elapsedMs, id};
    if (!valid_ || !(shown == shown_)) {
        int length = std::snprintf(line_, sizeof line_, "%9.9s %13.13s [%7.7s] %1d,%04d | ",
                                   dateField(stamp).c_str(), timeField(stamp).c_str(),
                                   elapsedField(elapsedMs).c_str(), id / 1000, id);
        prefixLength_ = static_cast<std::size_t>(length);
        shown_ = shown;
        valid_ = true;
    }
    std::string_view text = piece.substr(0, kLogTextWidth);
    text = text.substr(0, text.find('\0'));
    char* field = line_ + prefixLength_;
    std::memcpy(field, text.data(), text.size());
    std::memset(field + text.size(), ' ', kLogTextWidth - text.size());
    return std::string_view(line_, prefixLength_ + kLogTextWidth);
}

std::string formatLogLine(const LogStamp& stamp, std::uint32_t elapsedMs, std::uint16_t id,
                          std::string_view piece) {
    LogLineFormatter formatter;
    return std::string(formatter.format(stamp, elapsedMs, id, piece));
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
