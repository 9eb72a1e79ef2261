// A stream over one resource of a Windows module.
#pragma once

#include <cstdint>
#include <memory>

#include "OMIStream.h"
#include "OMRes.h"

class OMIStreamRes : public OMIStream {
public:
    // Empty (size 0) unless id is above 0, the type name is non-empty and the block size is -1 or more.
    // A null file means the program's own module.
    OMIStreamRes(std::int16_t resId, const char* resType, OMResFile* resFile, std::int32_t blockSize,
                 std::uint8_t* given);
    OMIStreamRes(const OMIStreamRes& other);
    ~OMIStreamRes() override;

    const char* typeName() const override { return "OMIStreamRes"; }
    std::int32_t read() override;
    void close() override;
    OMIStream* clone() const override { return new OMIStreamRes(*this); }

    std::int16_t id = 0;
    std::unique_ptr<char[]> type;
    OMResFile* file = nullptr;
    // Held (locked) while the stream is open.
    std::unique_ptr<OMRes> res;
    const std::uint8_t* data = nullptr;

protected:
    std::int32_t fetchBlock(std::int32_t at, std::int32_t count) override;

private:
    bool openResource();
    void releaseResource();
};
