// The XMV writer: every field placed at its offset in the chosen order.
#include "XmvWriter.h"

#include "ByteWriter.h"
#include "XpkForge.h"

std::string xmvWrite(const XmvSpec& spec, ByteOrder order) {
    ByteWriter out(order);
    const std::uint32_t count =
        static_cast<std::uint32_t>(spec.events.size()) + (spec.endRecord ? 1 : 0) + spec.extraCount;
    out.u32(kForgeMarker);
    out.u32(0);
    for (std::int16_t v : {spec.left, spec.top, spec.width, spec.height}) out.u16(static_cast<std::uint16_t>(v));
    for (std::uint32_t v : {spec.rate, spec.duration, spec.scanValue, spec.bankId}) out.u32(v);
    out.u16(spec.scanMode);
    out.u16(0);
    while (out.bytes.size() < 164) out.u32(0);
    out.u32(count);
    for (const XmvEventSpec& e : spec.events) {
        out.u16(e.type);
        out.u16(e.shape);
        out.u32(e.start);
        out.u32(e.duration);
        // One u32 with x in the high half: in big order x comes first, in little order y.
        out.u32(static_cast<std::uint32_t>(static_cast<std::uint16_t>(e.x)) << 16 | static_cast<std::uint16_t>(e.y));
    }
    if (spec.endRecord) {
        out.u16(10);
        for (int i = 0; i < 7; ++i) out.u16(0);
    }
    return out.str();
}

XmvSpec xmvStub(std::uint32_t bankId) {
    XmvSpec spec;
    spec.bankId = bankId;
    spec.events = {{3, 0, 0, 60, 0, 0}};
    return spec;
}
