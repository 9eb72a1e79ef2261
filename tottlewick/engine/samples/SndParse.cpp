// 'SND' and AIFF/AIFC header parsing over a bounded source.
#include "SndParse.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ByteReader.h"
#include "SndCodec.h"
#include "SndScale.h"

namespace {

constexpr std::uint32_t fourcc(const char* text) {
    return std::uint32_t(std::uint8_t(text[0])) | std::uint32_t(std::uint8_t(text[1])) << 8 |
           std::uint32_t(std::uint8_t(text[2])) << 16 | std::uint32_t(std::uint8_t(text[3])) << 24;
}

constexpr std::uint32_t kMaxMarkers = 16;
// Most bytes of a chunk body that are read: COMM with its longest name, 16 markers with theirs, INST.
constexpr std::uint32_t kCommBytes = 18 + 4 + 256 + 1;
constexpr std::uint32_t kMarkBytes = 2 + kMaxMarkers * (6 + 256);
constexpr std::uint32_t kInstBytes = 20;

std::vector<std::uint8_t> readAt(SndSource& source, std::uint64_t offset, std::uint32_t count) {
    std::vector<std::uint8_t> bytes;
    if (offset >= source.size()) return bytes;
    bytes.resize(count);
    bytes.resize(source.read(static_cast<std::uint32_t>(offset), bytes.data(), count));
    return bytes;
}

ByteReader bigEndian(const std::vector<std::uint8_t>& bytes) {
    return ByteReader(bytes.data(), bytes.size(), ByteOrder::big);
}

struct Comm {
    std::uint16_t channels = 0;
    std::uint32_t frames = 0;
    std::uint16_t bits = 0;
    std::uint32_t rate = 0;
    std::uint32_t compression = fourcc("none");
};

struct Marker {
    std::uint16_t id;
    std::uint32_t position;
};

struct Aiff {
    Comm comm;
    bool hasComm = false, hasSsnd = false, hasMark = false, hasInst = false;
    std::uint32_t dataOffset = 0;
    Marker markers[kMaxMarkers] = {};
    std::uint32_t markerCount = 0;
    std::uint16_t sustainMode = 0, sustainBegin = 0, sustainEnd = 0;
};

SndStatus parseComm(const std::vector<std::uint8_t>& bytes, bool aifc, Comm& comm) {
    ByteReader r = bigEndian(bytes);
    comm.channels = r.u16();
    comm.frames = r.u32();
    comm.bits = r.u16();
    const std::uint8_t* rate = r.span(10);
    if (aifc) comm.compression = r.chars4();
    if (!r.ok()) return SndStatus::truncated;
    comm.rate = SndExtendedToLong(rate);
    return SndStatus::ok;
}

SndStatus parseMark(const std::vector<std::uint8_t>& bytes, Aiff& aiff) {
    ByteReader r = bigEndian(bytes);
    std::uint32_t count = std::min<std::uint32_t>(r.u16(), kMaxMarkers);
    for (std::uint32_t i = 0; i < count; ++i) {
        aiff.markers[i].id = r.u16();
        aiff.markers[i].position = r.u32();
        std::uint8_t length = r.u8();
        r.skip(length);
        if (length % 2 == 0 && r.remaining()) r.skip(1);
    }
    if (!r.ok()) return SndStatus::truncated;
    aiff.markerCount = count;
    aiff.hasMark = true;
    return SndStatus::ok;
}

SndStatus parseInst(const std::vector<std::uint8_t>& bytes, Aiff& aiff) {
    ByteReader r = bigEndian(bytes);
    r.skip(8);  // notes, velocities and gain
    aiff.sustainMode = r.u16();
    aiff.sustainBegin = r.u16();
    aiff.sustainEnd = r.u16();
    r.skip(6);  // release loop
    if (!r.ok()) return SndStatus::truncated;
    aiff.hasInst = true;
    return SndStatus::ok;
}

SndStatus parseChunk(SndSource& source, std::uint32_t id, std::uint64_t body, std::uint32_t size, bool aifc,
                     Aiff& aiff) {
    switch (id) {
    case fourcc("COMM"):
        aiff.hasComm = true;
        return parseComm(readAt(source, body, std::min(size, kCommBytes)), aifc, aiff.comm);
    case fourcc("SSND"):
        if (size < 8 || readAt(source, body, 8).size() < 8) return SndStatus::truncated;
        aiff.hasSsnd = true;
        aiff.dataOffset = static_cast<std::uint32_t>(body + 8);
        return SndStatus::ok;
    case fourcc("MARK"):
        return parseMark(readAt(source, body, std::min(size, kMarkBytes)), aiff);
    case fourcc("INST"):
        return parseInst(readAt(source, body, std::min(size, kInstBytes)), aiff);
    default:
        return SndStatus::ok;  // FVER and everything else: skipped
    }
}

std::uint32_t markerPosition(const Aiff& aiff, std::uint16_t id) {
    for (std::uint32_t i = 0; i < aiff.markerCount; ++i)
        if (aiff.markers[i].id == id) return aiff.markers[i].position;
    return 0;
}

SndStatus chooseFormat(const Comm& comm, SndSampleHeader& h) {
    if (comm.channels != 1 && comm.channels != 2) return SndStatus::badChannels;
    bool stereo = comm.channels == 2;
    if (comm.compression == fourcc("none")) {
        if (comm.bits != 8 && comm.bits != 16) return SndStatus::badSampleSize;
        h.format = comm.bits == 8 ? (stereo ? kSndSigned8Stereo : kSndSigned8Mono) : (stereo ? kSndBig16Stereo : kSndBig16Mono);
        h.framesPerBlock = 1;
        h.inBytesPerBlock = h.outBytesPerFrame = static_cast<std::uint16_t>(comm.channels * comm.bits / 8);
    } else if (comm.compression == fourcc("ima4")) {
        h.format = stereo ? kSndIma4Stereo : kSndIma4Mono;
        h.framesPerBlock = kImaBlockFrames;
        h.inBytesPerBlock = static_cast<std::uint16_t>(comm.channels * kImaBlockBytes);
        h.outBytesPerFrame = static_cast<std::uint16_t>(comm.channels * 2);
    } else if (comm.compression == fourcc("SQS2")) {
        if (stereo) return SndStatus::stereoSqs2;
        h.format = kSndSqs2;
        h.framesPerBlock = 1;
        h.inBytesPerBlock = 1;
        h.outBytesPerFrame = 2;
    } else {
        return SndStatus::unknownCompression;
    }
    return SndStatus::ok;
}

// A loop region streams the blocks from the one holding its start up to the one holding its end, so its
// markers must lie in two blocks; markers inside one block (or reversed) make the whole sound the region.
void settleLoop(SndSampleHeader& h) {
    if (h.loopEnd == 0 || h.loopEnd > h.frames) h.loopEnd = h.frames;
    if (h.loopStart >= h.loopEnd || h.loopEnd / h.framesPerBlock == h.loopStart / h.framesPerBlock) {
        h.loopStart = 0;
        h.loopEnd = h.frames;
    }
}

// Rate, block count cut to the source, frames and loop: what every format shares. The file rate is kept
// whole and only the played rate, scaled from it, is held to 16 bits, so that a copy of the sample,
// scaled again from its header, plays at the same rate as the first load.
SndStatus finish(SndSource& source, std::uint32_t rate, std::uint32_t storedBlocks, SndParsed& out) {
    SndSampleHeader& h = out.header;
    h.fileRate = rate;
    h.rate = SndScaleTime(rate);
    if (h.fileRate == 0 || h.rate == 0) return SndStatus::badRate;
    std::uint32_t available = source.size() > out.dataOffset ? (source.size() - out.dataOffset) / h.inBytesPerBlock : 0;
    h.blocks = std::min(storedBlocks, available);
    if (h.blocks == 0) return SndStatus::noData;
    std::uint64_t frames = std::uint64_t(h.blocks) * h.framesPerBlock;
    if (frames * h.outBytesPerFrame > 0xFFFFFFFFu) return SndStatus::tooLarge;
    h.frames = static_cast<std::uint32_t>(frames);
    settleLoop(h);
    return SndStatus::ok;
}

}  // namespace

std::uint32_t SndMemorySource::read(std::uint32_t offset, void* out, std::uint32_t count) {
    if (offset >= size_) return 0;
    count = std::min(count, size_ - offset);
    if (count) std::memcpy(out, data_ + offset, count);  // an empty chunk's buffer may be null
    return count;
}

const char* SndStatusText(SndStatus status) {
    switch (status) {
    case SndStatus::ok: return "ok";
    case SndStatus::truncated: return "truncated";
    case SndStatus::badVersion: return "bad version";
    case SndStatus::notForm: return "not a FORM";
    case SndStatus::badFormType: return "not AIFF or AIFC";
    case SndStatus::noComm: return "no COMM chunk";
    case SndStatus::noSsnd: return "no SSND chunk";
    case SndStatus::badChannels: return "bad channel count";
    case SndStatus::badSampleSize: return "bad sample size";
    case SndStatus::unknownCompression: return "unknown compression";
    case SndStatus::stereoSqs2: return "stereo SQS2";
    case SndStatus::badRate: return "rate 0";
    case SndStatus::noData: return "no data";
    case SndStatus::tooLarge: return "too large";
    }
    return "?";
}

SndStatus SndParseSnd(SndSource& source, SndParsed& out) {
    out = SndParsed{};
    std::vector<std::uint8_t> head = readAt(source, 0, 8);
    ByteReader r = bigEndian(head);
    std::uint16_t version = r.u16();
    std::uint32_t count = 0;
    std::uint16_t rate = 0;
    if (version == 4) {
        count = r.u32();
        rate = r.u16();
        out.dataOffset = 8;
    } else if (version == 3) {
        r.skip(2);
        rate = r.u16();
        count = source.size() - 6;
        out.dataOffset = 6;
    } else if (r.ok()) {
        return SndStatus::badVersion;
    }
    if (!r.ok()) return SndStatus::truncated;
    out.header.format = kSndUnsigned8Mono;
    out.header.framesPerBlock = out.header.inBytesPerBlock = out.header.outBytesPerFrame = 1;
    return finish(source, rate, count, out);
}

SndStatus SndParseAiff(SndSource& source, SndParsed& out) {
    out = SndParsed{};
    std::vector<std::uint8_t> head = readAt(source, 0, 12);
    ByteReader r = bigEndian(head);
    std::uint32_t id = r.chars4();
    std::uint32_t formSize = r.u32();
    std::uint32_t type = r.chars4();
    if (!r.ok()) return SndStatus::truncated;
    if (id != fourcc("FORM")) return SndStatus::notForm;
    if (type != fourcc("AIFF") && type != fourcc("AIFC")) return SndStatus::badFormType;

    Aiff aiff;
    std::uint64_t running = 4, offset = 12;
    while (running < formSize && !(aiff.hasComm && aiff.hasSsnd)) {
        std::vector<std::uint8_t> chunkHead = readAt(source, offset, 8);
        if (chunkHead.size() < 8) break;
        ByteReader c = bigEndian(chunkHead);
        std::uint32_t chunkId = c.chars4();
        std::uint32_t size = c.u32();
        SndStatus status = parseChunk(source, chunkId, offset + 8, size, type == fourcc("AIFC"), aiff);
        if (status != SndStatus::ok) return status;
        offset += 8 + std::uint64_t(size);
        running += 8 + std::uint64_t(size);
    }
    if (!aiff.hasComm) return SndStatus::noComm;
    if (!aiff.hasSsnd) return SndStatus::noSsnd;

    SndStatus status = chooseFormat(aiff.comm, out.header);
    if (status != SndStatus::ok) return status;
    if (aiff.hasMark && aiff.hasInst && aiff.sustainMode == 1) {
        out.header.loopStart = markerPosition(aiff, aiff.sustainBegin);
        out.header.loopEnd = markerPosition(aiff, aiff.sustainEnd);
    }
    out.dataOffset = aiff.dataOffset;
    return finish(source, aiff.comm.rate, aiff.comm.frames, out);
}

std::uint32_t SndExtendedToLong(const std::uint8_t* ten) {
    int exponent = (ten[0] & 0x7F) << 8 | ten[1];
    std::uint64_t mantissa = 0;
    for (int i = 2; i < 10; ++i) mantissa = mantissa << 8 | ten[i];
    if ((ten[0] & 0x80) || exponent < 16383) return 0;
    int shift = exponent - 16383;
    if (shift > 31) return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(mantissa >> (63 - shift));
}

void SndLongToExtended(std::uint32_t value, std::uint8_t* ten) {
    std::memset(ten, 0, 10);
    if (value == 0) return;
    int top = 31;
    while (!(value >> top)) --top;
    int exponent = 16383 + top;
    std::uint64_t mantissa = std::uint64_t(value) << (63 - top);
    ten[0] = static_cast<std::uint8_t>(exponent >> 8);
    ten[1] = static_cast<std::uint8_t>(exponent);
    for (int i = 0; i < 8; ++i) ten[2 + i] = static_cast<std::uint8_t>(mantissa >> (56 - 8 * i));
}
