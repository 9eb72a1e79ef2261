// Parsing of the message file's text into the message table.
#include "MessageFile.h"

namespace {

constexpr std::size_t kTextColumn = 5;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::uint16_t leadingNumber(std::string_view line) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < line.size() && isDigit(line[i]); ++i) value = value * 10 + (line[i] - '0');
    return static_cast<std::uint16_t>(value);
}

std::string messageText(std::string_view line) {
    if (line.size() <= kTextColumn) return {};
    std::string_view text = line.substr(kTextColumn);
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

MessageTable parseMessageFile(std::string_view fileText) {
    MessageTable table;
    std::size_t start = 0;
    while (start < fileText.size()) {
        std::size_t end = fileText.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = fileText.size();
        std::string_view line = fileText.substr(start, end - start);
        if (!line.empty() && isDigit(line[0])) table[leadingNumber(line)] = messageText(line);
        start = end + 1;
    }
    return table;
}
