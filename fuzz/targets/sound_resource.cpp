// Tottlewick's sound resources: the same bytes read as a 'SND' resource and as an AIFF/AIFC file, and a
// sound that parses converted from memory as the sample loader does, into audio sized by its frame count.
#include <vector>

#include "FuzzParts.h"
#include "SndParse.h"

namespace {

void convert(const std::vector<std::uint8_t>& bytes, SndParsed& parsed) {
    SndSampleHeader& h = parsed.header;
    FUZZ_CHECK(parsed.dataOffset <= bytes.size());
    std::vector<std::uint8_t> audio(std::size_t{h.frames} * h.outBytesPerFrame);
    const std::uint32_t converted = SndConvertBlocks(h, bytes.data() + parsed.dataOffset,
                                                     bytes.size() - parsed.dataOffset, audio.data(), h.blocks);
    FUZZ_CHECK(converted <= h.blocks);
    FUZZ_CHECK(std::size_t{converted} * h.framesPerBlock * h.outBytesPerFrame <= audio.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (bool aiff : {false, true}) {
        SndMemorySource source(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        SndParsed parsed;
        const SndStatus status = aiff ? SndParseAiff(source, parsed) : SndParseSnd(source, parsed);
        FUZZ_CHECK(SndStatusText(status) != nullptr);
        if (status == SndStatus::ok) convert(bytes, parsed);
    }
    return 0;
}
