// PRS resource files with their PRX and PRD siblings (the parts, in that order; an empty or absent part
// is no file): opened, every listed resource found again and read; then the PRS file alone compacted,
// which must open again.
#include "FuzzParts.h"
#include "MemoryFiles.h"
#include "PlatMem.h"
#include "PrsFile.h"

namespace {

constexpr const char* kNames[] = {"GAME.PRS", "GAME.PRX", "GAME.PRD"};

void readEveryResource(std::int16_t slot) {
    const std::uint16_t count = PrsGetCount(slot);
    for (std::uint16_t n = 0; n < count; ++n) {
        const PrsRef ref = PrsGetNth(slot, n);
        FUZZ_CHECK(ref != 0);
        // A deleted block (type 0) stays listed but is not found.
        FUZZ_CHECK(PrsGetType(ref) == 0 || PrsFind(slot, PrsGetType(ref), PrsGetId(ref)) != 0);
        if (PlatBlock block = PrsReadData(ref)) FUZZ_CHECK(PlatMemSize(block) >= PrsGetLength(ref));
    }
    FUZZ_CHECK(PrsGetNth(slot, count) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = splitParts(data, size, 3);
    memoryFiles().clear();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i == 0 || !parts[i].empty()) memoryFiles()[kNames[i]] = std::string(parts[i]);
    }
    if (const std::int16_t slot = PrsOpen(kNames[0], 0, nullptr)) {
        readEveryResource(slot);
        PrsClose(slot);
    }
    // Compaction scans the blocks themselves when no PRD cache stands in for them.
    memoryFiles().erase(kNames[1]);
    memoryFiles().erase(kNames[2]);
    if (PrsCompact(kNames[0]) == kPrsErrNone) {
        const std::int16_t slot = PrsOpen(kNames[0], 0, nullptr);
        FUZZ_CHECK(slot != 0);
        readEveryResource(slot);
        PrsClose(slot);
    }
    return 0;
}
