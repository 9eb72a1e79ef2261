// File streams: the size query, opening through the cache or the search path, block reads.
#include "OMIStreamFile.h"

#include <sys/stat.h>

#include "OMSearchPath.h"

OMIStreamFileInfo OMIStreamFile::open(const char* fileName) {
    const OMIStreamFileInfo none{0, 0, 0};
    if (!fileName || !*fileName) return none;
    const OMCachedFile* cached = findCachedFile(fileName);
    if (cached && cached->loadedData()) return {1, static_cast<std::int32_t>(cached->fileSize), 0};
    const char* copy = cached ? cached->loadedCopyPath() : nullptr;
    const std::unique_ptr<char[]> path = copy ? copyOfText(copy) : resolvePath(fileName);
    int fd = openBinary(path.get());
    if (fd < 0) return none;
    struct _stat status;
    const bool known = _fstat(fd, &status) == 0 && status.st_size >= 0;
    closeDescriptor(fd);
    return known ? OMIStreamFileInfo{1, static_cast<std::int32_t>(status.st_size), 0} : none;
}

OMIStreamFile::OMIStreamFile(const char* fileName, std::int32_t blockSize, std::uint8_t* given) {
    if (!fileName || !*fileName || !validBlockSize(blockSize)) return;
    name = copyOfText(fileName);
    size = open(fileName).length;
    claimCachedFile(fileName, 0);
    takeBufferArguments(blockSize, given);
    openFromCacheNow();
}

OMIStreamFile::OMIStreamFile(const OMIStreamFile& other) : OMIStreamFileBased(other), name(copyOfText(other.name.get())) {
    openFromCacheNow();
    rereadBlockOf(other);
}

OMIStreamFile::~OMIStreamFile() { close(); }

std::int32_t OMIStreamFile::read() {
    if (!name) return 0;
    if (!isOpen) {
        const std::unique_ptr<char[]> path = fromCache ? nullptr : pathToOpen(name.get());
        if (!openOn(fromCache ? -1 : openBinary(path.get()), true)) return 0;
    }
    return deliver();
}

void OMIStreamFile::close() { closeSource(); }
