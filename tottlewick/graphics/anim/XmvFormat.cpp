// The XMV layout: the check, the conversion and the event scan over one animation block.
#include "XmvFormat.h"

#include <algorithm>
#include <iterator>

#include "ShapePlace.h"

namespace {

constexpr std::size_t kBoundsAt = 8;

void reverse(std::uint8_t* p, std::size_t count) { std::reverse(p, p + count); }

void reverseEach(std::uint8_t* p, std::size_t width, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) reverse(p + i * width, width);
}

// The header's fields by width, as (offset, width, how many).
struct Field {
    std::size_t at;
    std::size_t width;
    std::size_t count;
};
constexpr Field kHeaderFields[] = {{0, 4, 2},   {kBoundsAt, 2, 4}, {kXmvRateAt, 4, 4}, {kXmvScanModeAt, 2, 2},
                                   {36, 4, 16}, {kXmvBankAt, 4, 5}, {120, 4, 11},      {kXmvCountAt, 4, 1}};
constexpr Field kEventFields[] = {{0, 2, 2}, {4, 4, 3}};

void swapFields(std::uint8_t* base, const Field* fields, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) reverseEach(base + fields[i].at, fields[i].width, fields[i].count);
}

}  // namespace

bool xmvCheck(const std::uint8_t* bytes, std::size_t size, ByteOrder order) {
    const ByteReader in(bytes, size, order);
    std::uint32_t count = 0;
    if (!in.has(0, kXmvHeaderSize) || !in.u32At(kXmvCountAt, count)) return false;
    return count <= (size - kXmvHeaderSize) / kXmvEventSize;
}

bool xmvSwap(std::uint8_t* bytes, std::size_t size) {
    if (!xmvCheck(bytes, size, ByteOrder::big)) return false;
    swapFields(bytes, kHeaderFields, std::size(kHeaderFields));
    std::uint32_t count = 0;
    if (!ByteReader(bytes, size, kXmvNativeOrder).u32At(kXmvCountAt, count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        swapFields(bytes + kXmvHeaderSize + i * kXmvEventSize, kEventFields, std::size(kEventFields));
    }
    return true;
}

bool XmvAnim::open(const void* bytes, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    if (!xmvCheck(p, size, kXmvNativeOrder)) return false;
    in_ = ByteReader(p, size, kXmvNativeOrder);
    count_ = u32(kXmvCountAt);
    return true;
}

std::uint32_t XmvAnim::u32(std::size_t offset) const {
    std::uint32_t value = 0;
    return in_.u32At(offset, value) ? value : 0;
}

std::uint16_t XmvAnim::u16(std::size_t offset) const {
    std::uint16_t value = 0;
    return in_.u16At(offset, value) ? value : 0;
}

XmvEvent XmvAnim::event(std::uint32_t index) const {
    XmvEvent e;
    e.type = kXmvEnd;
    if (index >= count_) return e;
    const std::size_t at = kXmvHeaderSize + std::size_t{index} * kXmvEventSize;
    e.type = u16(at);
    e.shape = u16(at + 2);
    e.start = u32(at + 4);
    e.duration = u32(at + 8);
    const std::uint32_t offsets = u32(at + 12);
    e.x = static_cast<std::int16_t>(offsets >> 16);
    e.y = static_cast<std::int16_t>(offsets & 0xFFFF);
    return e;
}

Rect XmvAnim::bounds() const {
    const auto field = [this](std::size_t i) { return static_cast<std::int16_t>(u16(kBoundsAt + 2 * i)); };
    return Rect{field(0), field(1), static_cast<std::int16_t>(field(0) + field(2)),
                static_cast<std::int16_t>(field(1) + field(3))};
}

std::uint32_t xmvSeekEvent(const XmvAnim& anim, std::uint32_t start, std::uint32_t previousTime, std::uint32_t time) {
    std::uint32_t i = time < previousTime ? 0 : start;
    for (XmvEvent e = anim.event(i); e.type != kXmvEnd && e.start + e.duration <= time; e = anim.event(++i)) {
    }
    return i;
}

std::uint32_t xmvLastEvent(const XmvAnim& anim, std::uint32_t time) {
    std::uint32_t i = anim.count() ? anim.count() - 1 : 0;
    while (i > 0 && anim.event(i).type == kXmvEnd) --i;
    for (XmvEvent e = anim.event(i); i > 0 && e.start >= time && time < e.start + e.duration; e = anim.event(--i)) {
    }
    return i;
}

std::int16_t xmvForEachEvent(const XmvAnim& anim, const XmvScan& scan, std::uint32_t* cursor, XmvEventProc proc,
                             void* context) {
    std::uint32_t i = scan.seek ? xmvSeekEvent(anim, scan.previousEvent, scan.previousTime, scan.time)
                                : scan.previousEvent;
    std::int16_t result = 1;
    for (XmvEvent e = anim.event(i); e.type != kXmvEnd && e.start <= scan.time; e = anim.event(++i)) {
        result = proc(e, i, context);
        if (!result) break;
    }
    if (cursor) *cursor = i;
    return result;
}

void xmvEventPoint(const XmvEvent& event, std::int16_t x, std::int16_t y, std::int16_t* outX, std::int16_t* outY) {
    *outX = event.offset() ? static_cast<std::int16_t>(x + event.x) : x;
    *outY = event.offset() ? static_cast<std::int16_t>(y + event.y) : y;
}

namespace {

struct BoundsWalk {
    const XpkBank* bank;
    std::int16_t x;
    std::int16_t y;
    Rect* out;
};

std::int16_t addImage(const XmvEvent& event, std::uint32_t, void* context) {
    auto* walk = static_cast<BoundsWalk*>(context);
    XpkShape shape;
    if (!event.draws() || !walk->bank->shape(event.shape, &shape)) return 1;
    std::int16_t x = 0, y = 0;
    xmvEventPoint(event, walk->x, walk->y, &x, &y);
    Rect image{};
    shapeImageRect(&image, shape.desc, x, y, 0);
    RectUnion(walk->out, walk->out, &image);
    return 1;
}

}  // namespace

void xmvFrameBounds(const XmvAnim& anim, const XpkBank& bank, const XmvScan& scan, std::uint32_t* cursor,
                    std::int16_t x, std::int16_t y, Rect* out) {
    RectSetEmpty(out);
    BoundsWalk walk{&bank, x, y, out};
    xmvForEachEvent(anim, scan, cursor, addImage, &walk);
}
