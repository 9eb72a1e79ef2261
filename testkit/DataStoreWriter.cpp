// Builds variable files and "quomb.dat" byte by byte from their layouts.
#include "DataStoreWriter.h"

namespace {

void putLittle(std::string& bytes, std::size_t at, std::uint32_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::string record(const StoredVariable& v) {
    std::string bytes(68, '\0');
    bytes.replace(0, v.name.size(), v.name);
    bytes.replace(32, v.value.size(), v.value);
    putLittle(bytes, 64, v.modified, 4);
    return bytes;
}

}  // namespace

std::string variableFileBytes(const std::vector<StoredVariable>& variables, std::size_t slots) {
    std::string bytes(4, '\0');
    putLittle(bytes, 0, static_cast<std::uint32_t>(variables.size()), 4);
    for (std::size_t i = 0; i < slots; ++i)
        bytes += record(i < variables.size() ? variables[i] : StoredVariable{"empty", " ", 0});
    return bytes;
}

std::string quombDatBytes(const std::array<std::uint8_t, 4>& header,
                          const std::vector<std::pair<std::size_t, std::int16_t>>& fields, const std::string& name) {
    std::string bytes(header.begin(), header.end());
    std::string first(182, '\0');
    for (const auto& [offset, value] : fields) putLittle(first, offset, static_cast<std::uint16_t>(value), 2);
    first.replace(164, name.size(), name);
    bytes += first;
    for (std::size_t r = 1; r < 40; ++r)
        for (std::size_t i = 0; i < 182; ++i) bytes += static_cast<char>(r + i);
    return bytes;
}
