// Building sample blocks from memory or from a file, the "XSND" copies, and the resource look-ups.
#include "SndSample.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "Res.h"
#include "SndParse.h"
#include "SndRing.h"
#include "SndScale.h"

namespace {

enum class SndKind { aiff, snd };

constexpr std::uint32_t kFileBufferBytes = 16384;

// A stretch of an open file from its position at creation: reads are cut at the size, and the file is
// only re-positioned when a read does not follow the last one.
class FileSource final : public SndSource {
public:
    FileSource(FileRef file, std::uint32_t size)
        : file_(file), base_(static_cast<std::uint32_t>(std::max<std::int32_t>(FileTell(file), 0))), size_(size) {}
    std::uint32_t size() const override { return size_; }
    std::uint32_t read(std::uint32_t offset, void* out, std::uint32_t count) override {
        offset = std::min(offset, size_);
        count = std::min(count, size_ - offset);
        if (!seek(offset)) return 0;
        std::uint32_t got = FileRead(file_, out, count);
        position_ = offset + got;
        return got;
    }
    bool seek(std::uint32_t offset) {
        if (offset == position_) return true;
        if (FileSeek(file_, static_cast<std::int32_t>(base_ + offset), 0) < 0) return false;
        position_ = offset;
        return true;
    }

private:
    FileRef file_;
    std::uint32_t base_;
    std::uint32_t size_;
    std::uint32_t position_ = 0;
};

SndStatus parse(SndSource& source, SndKind kind, SndParsed& parsed) {
    return kind == SndKind::aiff ? SndParseAiff(source, parsed) : SndParseSnd(source, parsed);
}

// Converts the blocks of the source into audio; returns the blocks converted. A memory source is converted
// where it lies; a file is read through a buffer, whole blocks at a time, until a short read.
std::uint32_t convertAll(SndSource& source, const std::uint8_t* memory, SndParsed& parsed, std::uint8_t* audio) {
    SndSampleHeader& h = parsed.header;
    if (memory)
        return SndConvertBlocks(h, memory + parsed.dataOffset, source.size() - parsed.dataOffset, audio, h.blocks);
    std::vector<std::uint8_t> buffer(kFileBufferBytes);
    std::uint32_t perPass = std::max<std::uint32_t>(kFileBufferBytes / h.inBytesPerBlock, 1);
    buffer.resize(std::size_t(perPass) * h.inBytesPerBlock);
    std::uint32_t done = 0;
    std::size_t outPerBlock = std::size_t(h.framesPerBlock) * h.outBytesPerFrame;
    while (done < h.blocks) {
        std::uint32_t want = std::min(perPass, h.blocks - done);
        std::uint32_t offset = parsed.dataOffset + done * h.inBytesPerBlock;
        std::uint32_t got = source.read(offset, buffer.data(), want * h.inBytesPerBlock);
        std::uint32_t converted = SndConvertBlocks(h, buffer.data(), got, audio + done * outPerBlock, want);
        done += converted;
        if (converted < want) break;
    }
    return done;
}

MemHandle build(SndSource& source, const std::uint8_t* memory, SndKind kind) {
    SndParsed parsed;
    if (parse(source, kind, parsed) != SndStatus::ok) return 0;
    SndSampleHeader& h = parsed.header;
    std::uint32_t audioBytes = h.frames * h.outBytesPerFrame;
    MemHandle header = MemHandleAllocFlags(sizeof(SndSampleHeader), kMemZeroFill);
    MemHandle audio = header ? MemHandleAlloc(audioBytes) : 0;
    auto* out = audio ? static_cast<std::uint8_t*>(MemHandleLock(audio)) : nullptr;
    std::uint32_t converted = out ? convertAll(source, memory, parsed, out) : 0;
    if (out) {
        std::size_t used = std::size_t(converted) * h.framesPerBlock * h.outBytesPerFrame;
        SndRingFill(out, audioBytes, static_cast<std::uint32_t>(used), SndSilenceByte(h.format),
                    audioBytes - static_cast<std::uint32_t>(used));
        MemHandleUnlock(audio);
    }
    if (converted == 0) {
        MemHandleFree(&audio);
        MemHandleFree(&header);
        return 0;
    }
    h.audioData = audio;
    std::memcpy(MemHandleLock(header), &h, sizeof h);
    MemHandleUnlock(header);
    return header;
}

MemHandle fromFile(FileRef file, std::uint32_t size, SndKind kind) {
    if (!file) return 0;
    FileSource source(file, size);
    return build(source, nullptr, kind);
}

MemHandle fromHandle(MemHandle data, SndKind kind) {
    auto* bytes = data ? static_cast<const std::uint8_t*>(MemHandleLock(data)) : nullptr;
    if (!bytes) return 0;
    SndMemorySource source(bytes, MemHandleGetSize(data));
    MemHandle sample = build(source, bytes, kind);
    MemHandleUnlock(data);
    return sample;
}

std::int16_t readHeader(SndSampleHeader* header, FileRef file, std::uint32_t size, SndKind kind) {
    if (!header || !file) return 0;
    FileSource source(file, size);
    SndParsed parsed;
    if (parse(source, kind, parsed) != SndStatus::ok || !source.seek(parsed.dataOffset)) return 0;
    *header = parsed.header;
    return 1;
}

MemHandle fromLoadedResource(ResType type, std::uint16_t id, SndKind kind) {
    MemHandle resource = ResLoad(type, id);
    MemHandle sample = fromHandle(resource, kind);
    MemHandleFree(&resource);
    return sample;
}

MemHandle fromResourceFile(ResType type, std::uint16_t id, SndKind kind) {
    FileRef file = 0;
    std::uint32_t size = 0;
    ResRawRef raw = ResOpenRaw(type, id, &file, nullptr, &size);
    if (!raw) return 0;
    MemHandle sample = fromFile(file, size, kind);
    ResCloseRaw(raw);
    return sample;
}

// A new header with the same fields (the rate scaled again) over a copy of the audio data.
MemHandle copySample(MemHandle original) {
    SndSampleHeader h;
    std::memcpy(&h, MemHandleLock(original), sizeof h);
    MemHandleUnlock(original);
    h.rate = SndScaleTime(h.fileRate);
    std::uint32_t bytes = MemHandleGetSize(h.audioData);
    MemHandle header = h.rate ? MemHandleAllocFlags(sizeof h, kMemZeroFill) : 0;
    MemHandle audio = header ? MemHandleAlloc(bytes) : 0;
    if (!audio) {
        MemHandleFree(&header);
        return 0;
    }
    SndRingCopy(static_cast<std::uint8_t*>(MemHandleLock(audio)), bytes, 0,
                static_cast<const std::uint8_t*>(MemHandleLock(h.audioData)), bytes);
    MemHandleUnlock(h.audioData);
    MemHandleUnlock(audio);
    h.audioData = audio;
    std::memcpy(MemHandleLock(header), &h, sizeof h);
    MemHandleUnlock(header);
    return header;
}

MemHandle findSample(std::uint16_t id) {
    std::uint32_t tag = id;
    return MemHandleFind(0, kSndSampleLabel, &tag);
}

constexpr ResType kAif = resType("AIF");
constexpr ResType kSnd = resType("SND");

}  // namespace

MemHandle SndLoadSample(std::uint16_t id) {
    MemHandle sample = 0;
    if (MemHandle loaded = findSample(id))
        sample = copySample(loaded);
    else if (ResIsLoaded(kAif, id))
        sample = fromLoadedResource(kAif, id, SndKind::aiff);
    else if (ResIsLoaded(kSnd, id))
        sample = fromLoadedResource(kSnd, id, SndKind::snd);
    else if (!(sample = fromResourceFile(kAif, id, SndKind::aiff)))
        sample = fromResourceFile(kSnd, id, SndKind::snd);
    if (sample) MemHandleSetLabel(sample, kSndSampleLabel, id);
    return sample;
}

std::int16_t SndFreeSample(MemHandle* sample) {
    if (!sample || !*sample) return 1;
    SndSampleHeader* h = SndSampleLock(*sample);
    MemHandle audio = h ? h->audioData : 0;
    SndSampleUnlock(*sample);
    MemHandleFree(&audio);
    MemHandleFree(sample);
    *sample = 0;
    return 0;
}

std::int16_t SndIsSampleLoaded(std::uint16_t id) { return findSample(id) ? 1 : 0; }

std::int16_t SndIsInMemory(std::uint16_t id) {
    return ResIsLoaded(kAif, id) || ResIsLoaded(kSnd, id) || SndIsSampleLoaded(id) ? 1 : 0;
}

SndSampleHeader* SndSampleLock(MemHandle sample) {
    return sample ? static_cast<SndSampleHeader*>(MemHandleLock(sample)) : nullptr;
}

std::int16_t SndSampleUnlock(MemHandle sample) {
    if (!sample) return 1;
    MemHandleUnlock(sample);
    return 0;
}

MemHandle SndLoadSampleFromFile(FileRef file, std::uint32_t size) { return fromFile(file, size, SndKind::aiff); }

MemHandle SndLoadSampleSndFromFile(FileRef file, std::uint32_t size) { return fromFile(file, size, SndKind::snd); }

MemHandle SndLoadSampleFromHandle(MemHandle data) { return fromHandle(data, SndKind::aiff); }

MemHandle SndLoadSampleSndFromHandle(MemHandle data) { return fromHandle(data, SndKind::snd); }

std::int16_t SndReadAiffHeader(SndSampleHeader* header, FileRef file, std::uint32_t size) {
    return readHeader(header, file, size, SndKind::aiff);
}

std::int16_t SndReadSndHeader(SndSampleHeader* header, FileRef file, std::uint32_t size) {
    return readHeader(header, file, size, SndKind::snd);
}

std::uint32_t SndFramesToMs(std::uint32_t frames, std::uint32_t rate) {
    return rate ? static_cast<std::uint32_t>(std::uint64_t(frames) * 1000 / rate) : 0;
}

std::uint32_t SndMsToFrames(std::uint32_t ms, std::uint32_t rate) {
    return static_cast<std::uint32_t>(std::uint64_t(rate) * ms / 1000);
}
