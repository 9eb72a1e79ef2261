// The 'SID' resource's check, conversion and envelope.
#include "SidFormat.h"

#include <algorithm>

namespace {

void swap16(std::uint8_t* p) { std::swap(p[0], p[1]); }
void swap32(std::uint8_t* p) {
    std::swap(p[0], p[3]);
    std::swap(p[1], p[2]);
}

// One step towards a point: its value at t of duration ms, as a 16-bit value.
std::int32_t towards(std::int32_t from, std::int32_t to, std::uint32_t t, std::uint32_t duration) {
    return static_cast<std::int32_t>(from + std::int64_t{to - from} * t / duration);
}

}  // namespace

bool SidView::open(const std::uint8_t* bytes, std::size_t size, ByteOrder order) {
    reader_ = ByteReader(bytes, size, order);
    const bool sound = reader_.has(0, kSidHeaderSize) &&
                       (!version() || (reader_.has(0, kSidValuesOffset) &&
                                       reader_.has(kSidValuesOffset, 4u * std::size_t{u16(38)}))) &&
                       (!pointTable() || reader_.has(pointTable(), kSidPointSize * std::size_t{pointCount()}));
    if (!sound) reader_ = ByteReader();
    return sound;
}

const char* SidView::name() const {
    const std::uint32_t offset = u32(32);
    if (!offset || !reader_.has(offset, 0)) return "";
    const std::size_t room = reader_.size() - offset;
    const auto* text = reader_.spanAt(offset, room);
    return std::find(text, text + room, 0) != text + room ? reinterpret_cast<const char*>(text) : "";
}

std::uint16_t SidView::u16(std::size_t offset) const {
    std::uint16_t value = 0;
    return reader_.u16At(offset, value) ? value : 0;
}

std::uint32_t SidView::u32(std::size_t offset) const {
    std::uint32_t value = 0;
    return reader_.u32At(offset, value) ? value : 0;
}

SidLevel SidView::point(std::uint16_t index, std::uint32_t* duration) const {
    const std::size_t at = pointTable() + kSidPointSize * index;
    *duration = u32(at + 4);
    return {u16(at), static_cast<std::int16_t>(u16(at + 2))};
}

SidLevel SidView::levelAt(std::uint32_t ms) const {
    SidLevel level = initial();
    if (!pointTable()) return level;
    std::uint64_t cycle = 0;
    for (std::uint16_t i = 0; i < pointCount(); ++i) {
        std::uint32_t duration = 0;
        point(i, &duration);
        cycle += duration;
    }
    // A repeating envelope runs from its start again after each whole cycle; one ending exactly at a
    // cycle's end holds the last point's values, as passing every point would give.
    if ((flags() & kSidRepeats) && cycle && ms > cycle) ms = static_cast<std::uint32_t>((ms - 1) % cycle + 1);
    for (std::uint16_t i = 0; i < pointCount(); ++i) {
        std::uint32_t duration = 0;
        const SidLevel target = point(i, &duration);
        if (duration && ms <= duration) {
            return {static_cast<std::uint16_t>(towards(level.volume, target.volume, ms, duration)),
                    static_cast<std::int16_t>(towards(level.pan, target.pan, ms, duration))};
        }
        level = target;
        ms -= duration;
    }
    return level;
}

bool sidSwap(std::uint8_t* bytes, std::size_t size) {
    SidView view;
    if (!view.open(bytes, size, ByteOrder::big)) return false;
    const std::size_t points = view.pointTable();
    const std::uint16_t pointCount = view.pointCount();
    const std::uint8_t version = view.version();
    const std::uint16_t valueCount = view.valueCount();
    for (std::size_t at : {0, 4, 12, 16, 28, 32}) swap32(bytes + at);
    for (std::size_t at : {8, 10, 20, 22, 24, 26}) swap16(bytes + at);
    if (version) swap16(bytes + 38);
    for (std::uint16_t i = 0; i < valueCount; ++i) swap32(bytes + view.valueOffset(i));
    for (std::uint16_t i = 0; points && i < pointCount; ++i) {
        std::uint8_t* point = bytes + points + kSidPointSize * i;
        swap16(point);
        swap16(point + 2);
        swap32(point + 4);
    }
    return true;
}
