// PlatMem.h over plain heap blocks: never discarded (a discard keeps the block), locks not counted.
#include <vector>

#include "PlatMem.h"

namespace {

using Block = std::vector<std::uint8_t>;

}  // namespace

PlatBlock PlatMemAlloc(std::uint32_t size, std::uint16_t) { return new Block(size); }

std::int16_t PlatMemResize(PlatBlock* block, std::uint32_t size) {
    if (!block || !*block) return 0;
    static_cast<Block*>(*block)->resize(size);
    return 1;
}

std::int16_t PlatMemFree(PlatBlock* block) {
    if (!block || !*block) return 0;
    delete static_cast<Block*>(*block);
    *block = nullptr;
    return 1;
}

void* PlatMemLock(PlatBlock block) { return block ? static_cast<Block*>(block)->data() : nullptr; }

std::int16_t PlatMemUnlock(PlatBlock block) { return block ? 1 : 0; }

std::uint32_t PlatMemSize(PlatBlock block) {
    return block ? static_cast<std::uint32_t>(static_cast<Block*>(block)->size()) : 0;
}

std::int16_t PlatMemDiscard(PlatBlock block) { return block ? 1 : 0; }

std::int16_t PlatMemIsDiscarded(PlatBlock) { return 0; }
