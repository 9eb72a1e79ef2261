// Placeholder expansion over the local and global parameter tables.
#include "Placeholders.h"

#include <cstdio>

namespace {

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isNameChar(char c) { return isLetterOrDigit(c) || c == '_'; }

// The token after the "&" at `amp`: "&" itself when doubled, else the run of name characters.
std::string tokenAfter(const std::string& text, std::size_t amp) {
    std::size_t start = amp + 1;
    if (start < text.size() && text[start] == '&') return "&";
    std::size_t end = start;
    while (end < text.size() && isNameChar(text[end])) ++end;
    return text.substr(start, end - start);
}

std::string replacement(const std::string& token, const ParameterTable& local,
                        const ParameterTable& global) {
    if (token.empty() || !isLetterOrDigit(token[0])) return "&" + token;
    if (const std::string* value = findParameter(local, token)) return *value;
    if (const std::string* value = findParameter(global, token)) return *value;
    if (const std::string* value = findParameter(local, "1")) return *value;
    return "&" + token;
}

}  // namespace

const std::string* findParameter(const ParameterTable& table, const std::string& name) {
    auto it = table.find(name);
    return it == table.end() ? nullptr : &it->second;
}

std::string parameterNumberText(std::uint32_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(static_cast<std::int32_t>(n)));
    return text;
}

std::string expandPlaceholders(const std::string& text, const ParameterTable& local,
                               const ParameterTable& global) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t amp = text.find('&', pos);
        if (amp == std::string::npos) {
            out.append(text, pos, std::string::npos);
            break;
        }
        out.append(text, pos, amp - pos);
        std::string token = tokenAfter(text, amp);
        out += replacement(token, local, global);
        pos = amp + 1 + token.size();
    }
    return out;
}
