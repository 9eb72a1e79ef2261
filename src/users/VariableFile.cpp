// Reading and writing the data store's variable file.
#include "VariableFile.h"

#include <cstdio>

#include "ByteReader.h"
#include "ByteWriter.h"

std::int32_t readVariableFile(const std::uint8_t* data, std::size_t size, std::vector<RData>& slots) {
    ByteReader in(data, size, ByteOrder::little);
    in.skip(4);
    std::int32_t used = 0;
    for (RData& slot : slots) {
        if (!in.ok() || !slot.read(in)) break;
        if (!slot.isFree()) ++used;
    }
    return used;
}

std::string writeVariableFile(const std::vector<RData>& slots, std::int32_t used) {
    ByteWriter out(ByteOrder::little);
    out.u32(static_cast<std::uint32_t>(used));
    for (const RData& slot : slots) slot.write(out);
    return out.str();
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::uint8_t block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    return true;
}

bool writeFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb+");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
