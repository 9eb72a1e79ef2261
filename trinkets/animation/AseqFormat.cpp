// ASEQ buffers: checked reading in the stored byte order, then the one conversion in place.
#include "AseqFormat.h"

#include <algorithm>
#include <utility>

#include "ByteReader.h"

namespace {

// What the checking pass learns before anything is converted: positions, never pointers.
struct Scan {
    std::size_t countsAt = 0;
    std::int32_t entries = 0;
    std::int32_t counted = 0;
};

struct Survey {
    std::int32_t frameCount = 0;
    std::vector<Scan> sequences;
    std::vector<std::size_t> frames;
    // The distinct frame records, in buffer order.
    std::vector<std::size_t> records;
};

void reverse(std::uint8_t* field, std::size_t width) { std::reverse(field, field + width); }

// Entries through the first end entry, at most all stored ones; false when a frame entry names a frame
// outside 0..F-1.
bool scanEntries(ByteReader entries, std::int32_t stored, std::int32_t frameCount, std::int32_t& counted) {
    for (counted = 0; counted < stored;) {
        entries.skip(4);
        const std::int16_t frame = entries.i16();
        entries.skip(2);
        ++counted;
        if (frame == kAseqEnd) break;
        if (frame >= frameCount) return false;
    }
    return true;
}

AseqStatus surveySequences(ByteReader& reader, std::int32_t sequenceCount, Survey& survey) {
    for (std::int32_t s = 0; s < sequenceCount; ++s) {
        Scan scan;
        scan.countsAt = reader.position();
        scan.entries = reader.i16();
        if (!reader.ok()) return AseqStatus::truncated;
        if (scan.entries < 0) return AseqStatus::badCount;
        ByteReader entries = reader.sub(static_cast<std::size_t>(scan.entries) * kAseqEntrySize);
        if (!reader.ok()) return AseqStatus::truncated;
        if (!scanEntries(entries, scan.entries, survey.frameCount, scan.counted)) return AseqStatus::badFrameIndex;
        survey.sequences.push_back(scan);
    }
    return AseqStatus::ok;
}

// Frames may share a record, but no record may begin inside another's header: its fields would be
// converted twice.
AseqStatus distinctRecords(Survey& survey) {
    survey.records = survey.frames;
    std::sort(survey.records.begin(), survey.records.end());
    survey.records.erase(std::unique(survey.records.begin(), survey.records.end()), survey.records.end());
    for (std::size_t i = 1; i < survey.records.size(); ++i)
        if (survey.records[i] - survey.records[i - 1] < kAseqFrameHeaderSize) return AseqStatus::badFrameOffset;
    return AseqStatus::ok;
}

// Each offset must leave room for a frame header inside the buffer, whose width and height are not negative.
AseqStatus surveyFrames(const ByteReader& reader, const std::vector<std::uint32_t>& offsets, Survey& survey) {
    const std::size_t area = reader.position();
    for (const std::uint32_t offset : offsets) {
        if (offset > reader.size() - area || !reader.has(area + offset, kAseqFrameHeaderSize))
            return AseqStatus::badFrameOffset;
        const std::size_t at = area + offset;
        std::uint16_t width = 0;
        std::uint16_t height = 0;
        if (!reader.u16At(at + 2, width) || !reader.u16At(at + 4, height)) return AseqStatus::truncated;
        if (static_cast<std::int16_t>(width) < 0 || static_cast<std::int16_t>(height) < 0)
            return AseqStatus::badFrameSize;
        survey.frames.push_back(at);
    }
    return distinctRecords(survey);
}

void convert(std::uint8_t* buffer, const Survey& survey) {
    reverse(buffer, 2);
    reverse(buffer + 2, 2);
    for (std::size_t i = 0; i < survey.frames.size(); ++i) reverse(buffer + kAseqHeaderSize + 4 * i, 4);
    for (const Scan& scan : survey.sequences) {
        reverse(buffer + scan.countsAt, 2);
        std::uint8_t* entry = buffer + scan.countsAt + 2;
        for (std::int32_t e = 0; e < scan.entries; ++e, entry += kAseqEntrySize)
            for (std::size_t field = 0; field < kAseqEntrySize; field += 2) reverse(entry + field, 2);
    }
    for (const std::size_t at : survey.records) {
        reverse(buffer + at + 2, 2);
        reverse(buffer + at + 4, 2);
    }
    buffer[kAseqSwapFlag] = 0;
}

std::uint16_t little16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

ByteOrder storedOrder(const std::uint8_t* buffer) {
    return buffer[kAseqSwapFlag] != 0 ? ByteOrder::big : ByteOrder::little;
}

}  // namespace

const char* aseqStatusText(AseqStatus status) {
    switch (status) {
    case AseqStatus::ok: return "ok";
    case AseqStatus::truncated: return "animation data ends early";
    case AseqStatus::badCount: return "negative sequence, frame or entry count";
    case AseqStatus::badFrameOffset: return "frame offset outside the animation data";
    case AseqStatus::badFrameIndex: return "entry names a frame the animation does not have";
    case AseqStatus::badFrameSize: return "negative frame width or height";
    }
    return "unknown animation status";
}

std::int32_t placementValue(std::uint32_t twelveBits) {
    const std::int32_t value = static_cast<std::int32_t>(twelveBits & 0xFFF);
    return value > 0x800 ? 0x800 - value : value;
}

AseqStatus attachSequence(std::uint8_t* buffer, std::size_t size, AseqLayout& layout) {
    if (buffer == nullptr || size < kAseqHeaderSize) return AseqStatus::truncated;
    ByteReader reader(buffer, size, storedOrder(buffer));
    const std::int32_t sequenceCount = reader.i16();
    Survey survey;
    survey.frameCount = reader.i16();
    const std::int32_t frameRate = reader.u8();
    reader.skip(5);
    if (sequenceCount < 1 || survey.frameCount < 0) return AseqStatus::badCount;
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(survey.frameCount));
    for (std::uint32_t& offset : offsets) offset = reader.u32();
    const std::uint8_t* placement = reader.span(4);
    reader.skip(4 * static_cast<std::size_t>(sequenceCount - 1));
    if (!reader.ok()) return AseqStatus::truncated;
    AseqStatus status = surveySequences(reader, sequenceCount, survey);
    if (status == AseqStatus::ok) status = surveyFrames(reader, offsets, survey);
    if (status != AseqStatus::ok) return status;

    if (buffer[kAseqSwapFlag] != 0) convert(buffer, survey);
    layout = AseqLayout();
    layout.frameRate = frameRate;
    layout.placeX = placementValue(placement[0] + 256u * (placement[2] & 0x0Fu));
    layout.placeY = placementValue(placement[1] + 16u * (placement[2] & 0xF0u));
    layout.placeZ = placement[3];
    for (const Scan& scan : survey.sequences) layout.sequences.push_back({buffer + scan.countsAt + 2, scan.counted});
    layout.frames = std::move(survey.frames);
    layout.buffer = buffer;
    layout.size = size;
    return AseqStatus::ok;
}

AseqFrame frameImage(const AseqLayout& layout, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= layout.frames.size()) return {};
    const std::uint8_t* record = layout.buffer + layout.frames[static_cast<std::size_t>(i)];
    const std::size_t runsAt = layout.frames[static_cast<std::size_t>(i)] + kAseqFrameHeaderSize;
    return {static_cast<std::int16_t>(little16(record + 2)), static_cast<std::int16_t>(little16(record + 4)),
            layout.buffer + runsAt, layout.size - runsAt};
}

AseqStatus findSingleFrame(std::uint8_t* buffer, std::size_t size, AseqFrame& frame) {
    if (buffer == nullptr || size < kAseqHeaderSize) return AseqStatus::truncated;
    ByteReader reader(buffer, size, storedOrder(buffer));
    const std::int32_t sequenceCount = reader.i16();
    const std::int32_t frameCount = reader.i16();
    if (sequenceCount < 1 || frameCount < 1) return AseqStatus::badCount;
    const std::size_t countAt = kAseqHeaderSize + 4 * static_cast<std::size_t>(frameCount + sequenceCount);
    std::uint16_t entries = 0;
    if (!reader.u16At(countAt, entries)) return AseqStatus::truncated;
    if (static_cast<std::int16_t>(entries) < 0) return AseqStatus::badCount;
    const std::size_t at = countAt + 2 + entries * kAseqEntrySize;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    if (!reader.u16At(at + 2, width) || !reader.u16At(at + 4, height)) return AseqStatus::truncated;
    if (static_cast<std::int16_t>(width) < 0 || static_cast<std::int16_t>(height) < 0) return AseqStatus::badFrameSize;
    if (buffer[kAseqSwapFlag] != 0) {
        for (const std::size_t field : {std::size_t{0}, std::size_t{2}, countAt, at + 2, at + 4}) reverse(buffer + field, 2);
        buffer[kAseqSwapFlag] = 0;
    }
    frame = {static_cast<std::int16_t>(width), static_cast<std::int16_t>(height), buffer + at + kAseqFrameHeaderSize,
             size - at - kAseqFrameHeaderSize};
    return AseqStatus::ok;
}

AseqEntry readEntry(const std::uint8_t* entry) {
    return {static_cast<std::int16_t>(little16(entry)), static_cast<std::int16_t>(little16(entry + 2)),
            static_cast<std::int16_t>(little16(entry + 4)), static_cast<std::int16_t>(little16(entry + 6))};
}

void writeEntry(std::uint8_t* entry, const AseqEntry& value) {
    const std::int16_t fields[] = {value.x, value.y, value.frame, value.param};
    for (const std::int16_t field : fields) {
        *entry++ = static_cast<std::uint8_t>(field & 0xFF);
        *entry++ = static_cast<std::uint8_t>((static_cast<std::uint16_t>(field) >> 8) & 0xFF);
    }
}
