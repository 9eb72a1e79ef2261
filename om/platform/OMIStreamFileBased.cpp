// Streams over files: cached copies read in place, descriptors read at the stream's offset.
#include "OMIStreamFileBased.h"

#include <cstring>

#include "OMSearchPath.h"

OMIStreamFileBased::OMIStreamFileBased(const OMIStreamFileBased& other)
    : OMIStream(other), cachedFile(other.cachedFile), fromCache(other.fromCache), dataBase_(other.dataBase_) {
    if (cachedFile) cachedFile->retain();
}

OMIStreamFileBased::~OMIStreamFileBased() {
    closeSource();
    if (cachedFile) cachedFile->releaseClaim();
}

void OMIStreamFileBased::claimCachedFile(const char* name, std::int32_t dataBase) {
    dataBase_ = dataBase;
    cachedFile = findCachedFile(name);
    if (!cachedFile) return;
    cachedFile->retain();
    fromCache = cachedFile->loadedData() != nullptr;
}

std::unique_ptr<char[]> OMIStreamFileBased::pathToOpen(const char* name) const {
    const char* copy = cachedFile ? cachedFile->loadedCopyPath() : nullptr;
    return copy ? copyOfText(copy) : resolvePath(name);
}

const std::uint8_t* OMIStreamFileBased::cacheBytes() const {
    const std::uint8_t* bytes = fromCache && cachedFile ? cachedFile->loadedData() : nullptr;
    return bytes ? bytes + dataBase_ : nullptr;
}

void OMIStreamFileBased::openFromCacheNow() {
    if (!fromCache || externalBuffer) return;
    if (openOn(-1, false)) (void)read();
}

bool OMIStreamFileBased::openOn(int descriptor, bool ownsDescriptor) {
    const std::uint8_t* bytes = cacheBytes();
    if (bytes && whole && !externalBuffer) {
        bufferSize = size;
        buffer = const_cast<std::uint8_t*>(bytes);
    } else {
        prepareBuffer();
    }
    if (bytes && whole && externalBuffer) std::memcpy(buffer, bytes, static_cast<std::size_t>(size));
    if (!bytes) {
        fd = descriptor;
        ownsFd_ = ownsDescriptor;
        if (fd < 0) return false;
        // A whole read that comes back short is refused rather than handed out half filled.
        if (whole && readAtOffset(fd, dataBase_, buffer, size) != size && size > 0) {
            closeSource();
            return false;
        }
        if (whole && ownsFd_) closeDescriptor(fd);
        if (whole) fd = -1;
    }
    isOpen = true;
    return true;
}

std::int32_t OMIStreamFileBased::fetchBlock(std::int32_t at, std::int32_t count) {
    if (const std::uint8_t* bytes = cacheBytes()) {
        std::memcpy(buffer, bytes + at, static_cast<std::size_t>(count));
        return count;
    }
    return readAtOffset(fd, dataBase_ + at, buffer, count);
}

void OMIStreamFileBased::closeSource() {
    if (ownsFd_) closeDescriptor(fd);
    fd = -1;
    ownsFd_ = false;
    if (whole && !externalBuffer && cacheBytes()) buffer = nullptr;
    resetBuffer();
}
