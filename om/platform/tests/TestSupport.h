// Shared by the platform tests: the headers every test program uses, patterned bytes, whole-stream reads
// and this program's folder.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Files.h"
#include "OMIStream.h"
#include "TempFolder.h"

// `length` bytes that never repeat with a short period; `seed` shifts the pattern.
inline std::string pattern(std::size_t length, int seed = 0) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 13 + i / 251 + seed) & 0xFF);
    return bytes;
}

// The current block's first `count` bytes.
inline std::string block(const OMIStream& stream, std::int32_t count) {
    return std::string(reinterpret_cast<const char*>(stream.current), static_cast<std::size_t>(count));
}

// The bytes a stream delivers from the start, in the stream's own blocks.
inline std::string readAll(OMIStream& stream) {
    std::string all;
    stream.seek(0);
    for (std::int32_t n; (n = stream.read()) > 0;) all += block(stream, n);
    return all;
}

// The folder of the running test program, with a trailing backslash.
inline std::string programFolder() {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of('\\') + 1);
}
