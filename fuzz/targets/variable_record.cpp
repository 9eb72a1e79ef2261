// Binary variable records read one after another, little-endian and swapped. Every record that loads
// is saved again, and what is saved must load.
#include <cstdio>
#include <cstdlib>

#include "FuzzParts.h"
#include "ScriptState.h"

namespace {

void roundTrip(YVariable& loaded) {
    char* saved = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&saved, &size);
    FUZZ_CHECK(file && saveVariable(&loaded, file));
    std::fclose(file);
    const auto* cursor = reinterpret_cast<const std::uint8_t*>(saved);
    YVariable again;
    FUZZ_CHECK(loadVariableFromMemory(&again, &cursor, cursor + size, 0));
    FUZZ_CHECK(cursor == reinterpret_cast<const std::uint8_t*>(saved) + size);
    std::free(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    freshScriptState();
    for (std::int32_t swap : {0, 1}) {
        const std::uint8_t* cursor = data;
        for (;;) {
            YVariable record;
            const std::uint8_t* before = cursor;
            if (!loadVariableFromMemory(&record, &cursor, data + size, swap)) break;
            FUZZ_CHECK(cursor > before && cursor <= data + size);
            roundTrip(record);
        }
    }
    return 0;
}
