// The descriptor file writer.
#include "DescriptorWriter.h"

namespace {

std::string quoted(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) return word;
    std::string text = "\"";
    for (char c : word) text += c == '"' ? std::string("\\\"") : std::string(1, c);
    return text + "\"";
}

}  // namespace

std::string writeDescriptor(const std::vector<DescriptorCommand>& commands, bool end) {
    std::string text;
    for (const DescriptorCommand& command : commands) {
        text += command.name;
        for (const std::string& param : command.params) text += " " + quoted(param);
        text += "\r\n";
    }
    return end ? text + ".\r\n" : text;
}
