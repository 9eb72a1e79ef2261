// Guarded byte copy and fill, and the block-kind mode query.
#pragma once

#include <cstdint>

#include "MemHandle.h"

void MemCopy(void* dst, const void* src, std::uint32_t n);
void MemFill(void* ptr, std::uint32_t n, std::uint8_t value);
// 6 when mode is 7 and the block's second 32-bit field is 1, else mode.
std::int16_t ModeForBlockKind(MemHandle handle, std::int16_t mode);
