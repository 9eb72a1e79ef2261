// Expressions compiled and evaluated over variables of the input's choosing: every line but the last
// is "name=text" and sets a variable (texts that are expressions themselves are read again by "$"); the
// last line is compiled as an operand and its value read. Texts end at a NUL, as every text a script can
// make does (a NUL ends the script source).
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzParts.h"
#include "ScriptState.h"
#include "YCompiler.h"

namespace {

void setVariable(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string name(line.substr(0, equals));
    const std::string text(line.substr(equals + 1));
    const auto nameLength = static_cast<std::int32_t>(std::strlen(name.c_str()));
    YHeap& heap = scriptHeap();
    YVariable* v = nameLength > 0 ? heap.at(heap.findOrAdd(name.c_str(), nameLength, nullptr)) : nullptr;
    if (v) v->setText(text.c_str(), static_cast<std::int32_t>(std::strlen(text.c_str())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    freshScriptState();
    for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1))
        setVariable(rest.substr(0, end));
    const std::string expression(rest);
    const auto length = static_cast<std::int32_t>(std::strlen(expression.c_str()));
    const std::int32_t index = compileExpression(expression.c_str(), length);
    if (YVariable* result = index >= 0 ? scriptHeap().at(index) : nullptr) {
        char buffer[kYTextBufferSize];
        result->getText(buffer, sizeof buffer);
    }
    readEveryVariable();
    return 0;
}
