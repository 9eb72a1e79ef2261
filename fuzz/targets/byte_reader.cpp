// The shared bounded reader driven by the input itself: the first bytes choose reads (sequential, at
// offsets, spans and sub-readers), the rest is the data they read. No read passes the end, a failed
// sequential read stays failed and yields zeros, and reads at offsets never move the position.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <vector>

#include "ByteReader.h"
#include "FuzzParts.h"

namespace {

void check(const ByteReader& r) {
    FUZZ_CHECK(r.position() <= r.size());
    FUZZ_CHECK(r.remaining() == (r.ok() ? r.size() - r.position() : 0));
}

void readOnce(ByteReader& r, FuzzedDataProvider& choice, const std::uint8_t* base, std::size_t size, int depth) {
    const bool wasOk = r.ok();
    // Counts and offsets near the data's size, or anywhere up to the largest size (sums that overflow).
    const auto pick = [&] {
        return choice.ConsumeBool() ? choice.ConsumeIntegralInRange<std::size_t>(0, size + 8)
                                    : choice.ConsumeIntegral<std::size_t>();
    };
    const std::size_t count = pick();
    const std::size_t offset = pick();
    switch (choice.ConsumeIntegralInRange(0, 8)) {
    case 0: FUZZ_CHECK(r.u8() == 0 || r.ok()); break;
    case 1: FUZZ_CHECK(r.u16() == 0 || r.ok()); break;
    case 2: FUZZ_CHECK(r.u32() == 0 || r.ok()); break;
    case 3: r.chars4(); break;
    case 4: {
        const std::uint8_t* span = r.span(count);
        FUZZ_CHECK(span ? r.ok() && span >= base && span + count <= base + size : !r.ok());
        break;
    }
    case 5: {
        ByteReader sub = r.sub(count);
        check(sub);
        if (depth < 4) readOnce(sub, choice, base, size, depth + 1);
        break;
    }
    case 6: {
        std::vector<std::uint8_t> out(count % (size + 8));
        r.bytes(out.data(), out.size());
        break;
    }
    default: {
        const std::size_t before = r.position();
        std::uint32_t value = 0;
        const bool inside = r.u32At(offset, value);
        FUZZ_CHECK(inside == r.has(offset, 4) && r.position() == before);
        const std::uint8_t* span = r.spanAt(offset, count);
        // An empty span of a reader over no data may be null.
        FUZZ_CHECK((span != nullptr) == r.has(offset, count) || (count == 0 && r.size() == 0));
        break;
    }
    }
    if (!wasOk) FUZZ_CHECK(!r.ok());
    check(r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t split = data[0] % size;
    // A buffer of its own (never null, even when empty), so that any read past it is seen.
    const std::size_t count = size - 1 - split;
    const std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[count]);
    std::memcpy(bytes.get(), data + 1 + split, count);
    for (ByteOrder order : {ByteOrder::little, ByteOrder::big}) {
        ByteReader r(bytes.get(), count, order);
        FuzzedDataProvider steps(data + 1, split);
        while (steps.remaining_bytes() > 0) readOnce(r, steps, bytes.get(), count, 0);
    }
    return 0;
}
