// NE module resource tables, walked as a module stream finds a resource: the DOS and NE headers, the
// resource table and, in the name-table variant, the name table, then one resource looked up. The
// second part, when there is one, is the query "<id> <type>" with "#n" for a numbered type.
#include <cstdlib>
#include <string>

#include "FuzzParts.h"
#include "OMNEResourceTable.h"

namespace {

// count bytes at offset as a reader, as the stream fetches them; false when they pass the end.
bool fetch(const ByteReader& file, std::uint64_t offset, std::size_t count, ByteReader& out) {
    const std::uint8_t* bytes = offset <= file.size() ? file.spanAt(static_cast<std::size_t>(offset), count) : nullptr;
    if (!bytes) return false;
    out = ByteReader(bytes, count, ByteOrder::little);
    return true;
}

struct Query {
    std::uint16_t id = 1;
    std::string typeName = "WAVE";
    std::uint16_t integerType = 0;
};

Query queryFrom(std::string_view text) {
    Query q;
    const std::string line(text);
    char* end = nullptr;
    q.id = static_cast<std::uint16_t>(std::strtoul(line.c_str(), &end, 10));
    while (*end == ' ') ++end;
    q.typeName = end;
    if (*end == '#') q.integerType = static_cast<std::uint16_t>(std::strtoul(end + 1, nullptr, 10));
    return q;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = splitParts(data, size, 2);
    const ByteReader file(parts[0].data(), parts[0].size(), ByteOrder::little);
    const Query query = parts.size() > 1 ? queryFrom(parts[1]) : Query{};
    ByteReader dos, ne, table, names;
    std::uint32_t neOffset = 0, namesOffset = 0, namesLength = 0;
    std::uint16_t tableOffset = 0, tableLength = 0;
    if (!fetch(file, 0, kDosHeaderSize, dos) || !readDosHeader(dos, neOffset) ||
        !fetch(file, neOffset, kNeHeaderSize, ne) || !readNeHeader(ne, tableOffset, tableLength) ||
        !fetch(file, std::uint64_t{neOffset} + tableOffset, tableLength, table))
        return 0;
    if (nameTableExtent(table, namesOffset, namesLength) && !fetch(file, namesOffset, namesLength, names)) return 0;
    const OMNEResourceInfo info = findNEResource(table, names, query.id, query.typeName.c_str(), query.integerType);
    FUZZ_CHECK(info.found == 0 ? info.size == 0 && info.dataOffset == 0 : info.size > 0);
    return 0;
}
