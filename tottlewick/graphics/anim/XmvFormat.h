// The XMV animation: its header and event table, the load-time check, the byte-order conversion and the
// event scan that finds the events to draw at a time. Plain bytes in, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ByteReader.h"
#include "Rect.h"
#include "XpkFormat.h"

// An animation, offsets from its first byte:
//
//   0       4       8                  16     20        24     28      32    34    36        100
//   +-------+-------+------------------+------+---------+------+-------+-----+-----+---------+
//   |marker |  -    | bounds: l, t,    | rate | duration|  -   | bank  | scan|  -  | 16 x u32|
//   | u32   | u32   | w, h (4 x i16)   | u32  | u32     | u32  | u32   | u16 | u16 |    -    |
//   +-------+-------+------------------+------+---------+------+-------+-----+-----+---------+
//   100: run time, u32 x 5 (bank handle; cleared; two sound-channel masks at 112 and 116)
//   120: 11 x u32 -   164: event count (u32, the end record included)   168: events, 16 bytes each
//
//   event:  0 type u16 | 2 shape u16 | 4 start u32 | 8 duration u32 | 12 x, y i16 (types 5, 6)
//
// Stored big-endian and converted in place on load, the last eight bytes of an event as two u32: the
// offsets are then the halves of the native u32 at 12 (x the high half), so in a native-order file y
// comes first.
constexpr std::size_t kXmvHeaderSize = 168;
constexpr std::size_t kXmvEventSize = 16;
constexpr std::size_t kXmvRateAt = 16;
constexpr std::size_t kXmvDurationAt = 20;
constexpr std::size_t kXmvScanValueAt = 24;
constexpr std::size_t kXmvBankIdAt = 28;
constexpr std::size_t kXmvScanModeAt = 32;
constexpr std::size_t kXmvBankAt = 100;
constexpr std::size_t kXmvRunTimeSize = 20;
constexpr std::size_t kXmvSoundMasksAt = 112;
constexpr std::size_t kXmvCountAt = 164;

constexpr std::uint16_t kXmvEnd = 10;

// Loaded animations are read in the program's (little-endian) order.
constexpr ByteOrder kXmvNativeOrder = ByteOrder::little;

struct XmvEvent {
    std::uint16_t type = 0;
    std::uint16_t shape = 0;
    std::uint32_t start = 0;
    std::uint32_t duration = 0;
    std::int16_t x = 0;  // types 5 and 6 only
    std::int16_t y = 0;
    // Types 3 to 6 draw a shape; 3 and 4 at the animation's position.
    bool draws() const { return type >= 3 && type <= 6; }
    bool offset() const { return type == 5 || type == 6; }
};

// True when the header and the `count` events it names, read in `order`, lie inside `size` bytes.
bool xmvCheck(const std::uint8_t* bytes, std::size_t size, ByteOrder order);
// Converts a big-endian animation to native order in place; one that fails xmvCheck is left as it is
// (false).
bool xmvSwap(std::uint8_t* bytes, std::size_t size);

// A checked native-order animation read in place.
class XmvAnim {
public:
    // False when the block fails xmvCheck.
    bool open(const void* bytes, std::size_t size);

    std::uint32_t u32(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t count() const { return count_; }
    // Event `index`; an index at or past the count reads as an end record.
    XmvEvent event(std::uint32_t index) const;
    // The stored bounds as (left, top, left + width, top + height).
    Rect bounds() const;

private:
    ByteReader in_;
    std::uint32_t count_ = 0;
};

// The first event from `start` (from 0 when time went back) that has not finished at `time`.
std::uint32_t xmvSeekEvent(const XmvAnim& anim, std::uint32_t start, std::uint32_t previousTime, std::uint32_t time);

// Where a player that stopped on its last frame at `time` resumes scanning: the last record before the
// trailing end records, moved back while it is not 0 and has not started at `time`.
std::uint32_t xmvLastEvent(const XmvAnim& anim, std::uint32_t time);

// Called for each visited event; returning 0 stops the scan.
using XmvEventProc = std::int16_t (*)(const XmvEvent& event, std::uint32_t index, void* context);

// The position of a scan: the seek switch and the previous step's time and cursor, and the time.
struct XmvScan {
    bool seek = false;
    std::uint32_t previousTime = 0;
    std::uint32_t previousEvent = 0;
    std::uint32_t time = 0;
};

// Visits every event from the start index (sought, or the previous event) that is not the end record
// and has started at `time`; the stored count ends the walk too. The index reached goes to `cursor`; the
// result is 1, or 0 when the procedure stopped the walk.
std::int16_t xmvForEachEvent(const XmvAnim& anim, const XmvScan& scan, std::uint32_t* cursor, XmvEventProc proc,
                             void* context);

// Where a drawing event places its shape for an animation at (x, y).
void xmvEventPoint(const XmvEvent& event, std::int16_t x, std::int16_t y, std::int16_t* outX, std::int16_t* outY);

// The union of the image rectangles of the drawing events a scan visits (shapes of the bank, mode 0).
void xmvFrameBounds(const XmvAnim& anim, const XpkBank& bank, const XmvScan& scan, std::uint32_t* cursor,
                    std::int16_t x, std::int16_t y, Rect* out);
