// Resource streams: whole mode points at the locked resource, block mode copies out of it.
#include "OMIStreamRes.h"

#include <cstring>

OMIStreamRes::OMIStreamRes(std::int16_t resId, const char* resType, OMResFile* resFile, std::int32_t blockSize,
                           std::uint8_t* given)
    : file(resFile) {
    if (resId <= 0 || !resType || !*resType || !validBlockSize(blockSize)) return;
    id = resId;
    type = copyOfText(resType);
    const OMRes::QueryResult found = OMRes::query(static_cast<std::uint16_t>(id), resType, file);
    size = found.found && found.size <= 0x7FFFFFFFu ? static_cast<std::int32_t>(found.size) : 0;
    takeBufferArguments(blockSize, given);
}

OMIStreamRes::OMIStreamRes(const OMIStreamRes& other)
    : OMIStream(other), id(other.id), type(copyOfText(other.type.get())), file(other.file) {
    rereadBlockOf(other);
}

OMIStreamRes::~OMIStreamRes() { close(); }

std::int32_t OMIStreamRes::read() {
    if (!type) return 0;
    if (!isOpen && !openResource()) return 0;
    return deliver();
}

bool OMIStreamRes::openResource() {
    res = std::make_unique<OMRes>(static_cast<std::uint16_t>(id), type.get(), file);
    void* bytes = nullptr;
    if (res->lock(&bytes) != kResLoaded || static_cast<std::int32_t>(res->size) < size) {
        releaseResource();
        return false;
    }
    data = static_cast<const std::uint8_t*>(bytes);
    if (!whole) {
        prepareBuffer();
    } else if (externalBuffer) {
        bufferSize = size;
        std::memcpy(buffer, data, static_cast<std::size_t>(size));
        releaseResource();
    } else {
        bufferSize = size;
        buffer = const_cast<std::uint8_t*>(data);
    }
    isOpen = true;
    return true;
}

std::int32_t OMIStreamRes::fetchBlock(std::int32_t at, std::int32_t count) {
    if (!data) return 0;
    std::memcpy(buffer, data + at, static_cast<std::size_t>(count));
    return count;
}

void OMIStreamRes::releaseResource() {
    if (res && res->lockCount > 0) (void)res->unlock();
    res.reset();
    data = nullptr;
}

void OMIStreamRes::close() {
    if (whole && !externalBuffer) buffer = nullptr;
    releaseResource();
    resetBuffer();
}
