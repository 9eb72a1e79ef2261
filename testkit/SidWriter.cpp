// 'SID' resources from the format's rules.
#include "SidWriter.h"

#include "ByteWriter.h"

namespace {

constexpr std::uint8_t kTilde = 0x7E;
constexpr std::uint8_t kMarkerSecond = 0x12;

// Bytes from the lowest: the version, a free byte, "~", and the byte that makes the four XOR to 0xAA.
std::uint32_t marker(std::uint8_t version) {
    return std::uint32_t{version} | std::uint32_t{kMarkerSecond} << 8 | std::uint32_t{kTilde} << 16 |
           std::uint32_t(version ^ kMarkerSecond ^ kTilde ^ 0xAA) << 24;
}

}  // namespace

std::string writeSid(const SidResource& sid, ByteOrder order) {
    ByteWriter out(order);
    for (std::uint32_t word : {marker(sid.version), sid.soundId}) out.u32(word);
    out.u16(sid.flags);
    out.u16(static_cast<std::uint16_t>(sid.priority));
    for (std::uint32_t word : {sid.channelMask, sid.timeScale}) out.u32(word);
    out.u16(sid.volume);
    out.u16(static_cast<std::uint16_t>(sid.pan));
    out.u16(0);
    out.u16(static_cast<std::uint16_t>(sid.points.size()));
    out.u32(0);  // the point table's and the name's offsets, filled in below
    out.u32(0);
    out.u16(0);
    if (sid.version) {
        out.u16(static_cast<std::uint16_t>(sid.values.size()));
        for (std::uint32_t value : sid.values) out.u32(value);
    }
    if (!sid.points.empty()) out.u32At(28, static_cast<std::uint32_t>(out.size()));
    for (const SidPoint& point : sid.points) {
        out.u16(point.volume);
        out.u16(static_cast<std::uint16_t>(point.pan));
        out.u32(point.duration);
    }
    if (!sid.name.empty()) {
        out.u32At(32, static_cast<std::uint32_t>(out.size()));
        out.text(sid.name);
        out.u8(0);
    }
    return out.str();
}
