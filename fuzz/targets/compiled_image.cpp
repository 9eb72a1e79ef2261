// Precompiled script images of either byte order: loading, then reading every variable the image
// brought, as the running script would.
#include "FuzzParts.h"
#include "ScriptState.h"
#include "YCompiledImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    freshScriptState();
    YCompiledScript script;
    if (!loadCompiledScript(data, size, &script)) {
        FUZZ_CHECK(scriptHeap().count == kYPredefined);
        return 0;
    }
    FUZZ_CHECK(!script.cells.empty() && script.cells.back().opcode == kOpEnd);
    readEveryVariable();
    return 0;
}
