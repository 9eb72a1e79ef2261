// Placeholder expansion over the local and global parameter tables.
#include "Placeholders.h"

#include <cstdio>

namespace {

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isNameChar(char c) { return isLetterOrDigit(c) || c == '_'; }

// The token after the "&" at `amp`: "&" itself when doubled, else the run of name characters.
std::string_view tokenAfter(std::string_view text, std::size_t amp) {
    std::size_t start = amp + 1;
    if (start < text.size() && text[start] == '&') return text.substr(start, 1);
    std::size_t end = start;
    while (end < text.size() && isNameChar(text[end])) ++end;
    return text.substr(start, end - start);
}

void appendReplacement(std::string& out, std::string_view token, const ParameterTable& local,
                       const ParameterTable& global) {
    const std::string* value = nullptr;
    if (!token.empty() && isLetterOrDigit(token[0])) {
        value = findParameter(local, token);
        if (!value) value = findParameter(global, token);
        if (!value) value = findParameter(local, "1");
    }
    if (value) {
        out += *value;
    } else {
        out += '&';
        out += token;
    }
}

}  // namespace

const std::string* findParameter(const ParameterTable& table, std::string_view name) {
    for (const auto& [key, value] : table)
        if (key == name) return &value;
    return nullptr;
}

void setParameter(ParameterTable& table, std::string_view name, std::string_view text) {
    for (auto& [key, value] : table) {
        if (key == name) {
            value.assign(text);
            return;
        }
    }
    table.emplace_back(name, text);
}

std::string parameterNumberText(std::uint32_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(static_cast<std::int32_t>(n)));
    return text;
}

std::string expandPlaceholders(std::string_view text, const ParameterTable& local,
                               const ParameterTable& global) {
    std::string out;
    appendExpanded(out, text, local, global);
    return out;
}

void appendExpanded(std::string& out, std::string_view text, const ParameterTable& local,
                    const ParameterTable& global) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, amp - pos);
        std::string_view token = tokenAfter(text, amp);
        appendReplacement(out, token, local, global);
        pos = amp + 1 + token.size();
    }
}
