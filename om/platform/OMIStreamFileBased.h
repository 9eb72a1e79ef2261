// The part shared by streams over a file on disk: a cached copy in memory, or a descriptor at an offset.
#pragma once

#include <cstdint>
#include <memory>

#include "OMCachedFile.h"
#include "OMIStream.h"

// The stream claims the cached file of its file's name for its whole life, so that the object (and its
// memory, once loaded) outlives the stream; the cached copy is used only once it has loaded completely.
class OMIStreamFileBased : public OMIStream {
public:
    ~OMIStreamFileBased() override;

    int fd = -1;
    OMCachedFile* cachedFile = nullptr;
    bool fromCache = false;

protected:
    OMIStreamFileBased() = default;
    OMIStreamFileBased(const OMIStreamFileBased& other);

    // Looks up and claims the cached file of name; the stream's data starts at dataBase in the file.
    void claimCachedFile(const char* name, std::int32_t dataBase);
    // The file to open: the loaded local copy, else the name resolved on the search path (or null).
    std::unique_ptr<char[]> pathToOpen(const char* name) const;
    // Opens onto the cached memory, or onto the descriptor given (closed at close when owned). Whole mode
    // reads everything now. False when nothing can be read.
    bool openOn(int descriptor, bool ownsDescriptor);
    // A stream over cached memory without a buffer of its own opens at construction.
    void openFromCacheNow();
    void closeSource();
    std::int32_t fetchBlock(std::int32_t at, std::int32_t count) override;

    std::int32_t dataBase_ = 0;

private:
    const std::uint8_t* cacheBytes() const;
    bool ownsFd_ = false;
};
