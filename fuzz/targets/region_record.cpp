// Glimmer's hot-spot region records: 130 bytes of vertices and a count; any other record has none.
#include <vector>

#include "DssFormats.h"
#include "FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> record(data, data + size);
    const std::vector<RegionPoint> points = parseRegionRecord(record.data(), record.size());
    FUZZ_CHECK(points.size() <= static_cast<std::size_t>(kMaxRegionVertices));
    FUZZ_CHECK(size == kRegionRecordSize || points.empty());
    return 0;
}
