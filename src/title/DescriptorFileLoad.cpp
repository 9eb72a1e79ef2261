// The descriptor file read whole through a file stream.
#include "DescriptorFile.h"
#include "OMIStreamFile.h"

namespace {

std::vector<std::uint8_t> wholeFile(const char* fileName) {
    OMIStreamFile stream(fileName, kStreamWhole, nullptr);
    const std::int32_t count = stream.read();
    if (count <= 0 || !stream.current) return {};
    return std::vector<std::uint8_t>(stream.current, stream.current + count);
}

}  // namespace

DescriptorFile::DescriptorFile(const char* fileName) : DescriptorFile(wholeFile(fileName)) {}
