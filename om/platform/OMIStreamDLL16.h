// A stream over one resource of a 16-bit NE module file, read as a plain file.
#pragma once

#include <cstdint>
#include <memory>

#include "OMIStreamFileBased.h"
#include "OMNEResourceTable.h"

// The tables of one module at a time (the current module) are kept between queries while the module
// cache is switched on; with it off every query reads them afresh and closes the file again.
class OMIStreamDLL16 : public OMIStreamFileBased {
public:
    // Empty (size 0) unless id is above 0, both names are non-empty and the block size is -1 or more.
    OMIStreamDLL16(std::int16_t resId, const char* resType, const char* module, std::int32_t blockSize,
                   std::uint8_t* given);
    OMIStreamDLL16(const OMIStreamDLL16& other);
    ~OMIStreamDLL16() override;

    const char* typeName() const override { return "OMIStreamDLL16"; }
    std::int32_t read() override;
    void close() override;
    OMIStream* clone() const override { return new OMIStreamDLL16(*this); }

    // Where the resource lies in the module: {0, 0, 0} for a module that cannot be read, is not an NE
    // module, or lacks the type or id, and for a resource that does not lie wholly inside the file.
    static OMNEResourceInfo query(std::int16_t resId, const char* resType, const char* module);
    // Forgets the current module (closing its file) and switches the module cache off.
    static void flushInfoCache();
    static void setModuleCacheOn(bool on);
    static bool moduleCacheOn();

    std::int16_t id = 0;
    std::unique_ptr<char[]> type;
    std::unique_ptr<char[]> modulePath;
    std::int32_t dataOffset = 0;
};
