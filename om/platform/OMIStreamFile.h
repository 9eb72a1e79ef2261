// A stream over a disk file found along the search path, or over the memory of its cached file.
#pragma once

#include <cstdint>
#include <memory>

#include "OMIStreamFileBased.h"

// The answer of the size query: found is 1 when the file exists; the third word is always 0.
struct OMIStreamFileInfo {
    std::int32_t found;
    std::int32_t length;
    std::int32_t reserved;
};

class OMIStreamFile : public OMIStreamFileBased {
public:
    // Empty (size 0) unless the name is non-empty and the block size is -1 or more.
    OMIStreamFile(const char* fileName, std::int32_t blockSize, std::uint8_t* given);
    OMIStreamFile(const OMIStreamFile& other);
    ~OMIStreamFile() override;

    // Whether the file exists and its length; a loaded cached copy answers without touching the disk.
    static OMIStreamFileInfo open(const char* fileName);

    const char* typeName() const override { return "OMIStreamFile"; }
    std::int32_t read() override;
    void close() override;
    OMIStream* clone() const override { return new OMIStreamFile(*this); }

    std::unique_ptr<char[]> name;
};
