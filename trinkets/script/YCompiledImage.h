// Precompiled scripts: the packed image of cells, operands and variable records, in either byte order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "YCompiler.h"

constexpr std::uint8_t kYImageBigEndian = 1;
constexpr std::uint8_t kYImageLittleEndian = 2;

// A text or stream whose first byte is 1 or 2 is a precompiled image.
bool isCompiledScript(const std::uint8_t* data, std::size_t size);

// Loads an image into out and appends its variables to the heap, which must hold only its three
// predefined entries. Every count, index, jump, text and reference is checked first; bytes behind the
// last record are not read. On refusal nothing is changed and an alert says why.
[[nodiscard]] bool loadCompiledScript(const std::uint8_t* data, std::size_t size, YCompiledScript* out);

// Writes script and the whole heap as an image of format 2; false when the file cannot be written.
[[nodiscard]] bool saveCompiledScript(const YCompiledScript& script, const char* fileName);
