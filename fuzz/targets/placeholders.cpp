// "&name" placeholders expanded over a local and a global parameter table: the text, then the local and
// the global parameters as "name=value" lines. A text without "&" comes back unchanged.
#include "FuzzParts.h"
#include "Placeholders.h"

namespace {

ParameterTable tableFrom(std::string_view lines) {
    ParameterTable table;
    while (!lines.empty()) {
        const std::size_t end = std::min(lines.find('\n'), lines.size());
        const std::string_view line = lines.substr(0, end);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) setParameter(table, line.substr(0, equals), line.substr(equals + 1));
        lines.remove_prefix(std::min(end + 1, lines.size()));
    }
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = splitParts(data, size, 3);
    const std::string_view text = parts[0];
    const ParameterTable local = tableFrom(parts.size() > 1 ? parts[1] : std::string_view());
    const ParameterTable global = tableFrom(parts.size() > 2 ? parts[2] : std::string_view());
    const std::string expanded = expandPlaceholders(text, local, global);
    if (text.find('&') == std::string_view::npos) FUZZ_CHECK(expanded == text);
    std::string appended = "x";
    appendExpanded(appended, text, local, global);
    FUZZ_CHECK(appended == "x" + expanded);
    return 0;
}
