// ASEQ and RRGB writers for tests and the sample title.
#include "AseqWriter.h"

#include "ByteWriter.h"

namespace {

enum class Run { skip, fill, literal };

// `count` pixels from `from` as runs of at most 250 pixels each.
void runs(std::string& out, Run kind, const std::uint8_t* from, std::size_t count) {
    for (std::size_t done = 0; done < count; done += 250) {
        const auto n = static_cast<char>(count - done < 250 ? count - done : 250);
        if (kind == Run::skip) out += {'\x00', n};
        if (kind == Run::fill) out += {'\xFF', static_cast<char>(*from), n};
        if (kind == Run::literal) out.append(1, n).append(reinterpret_cast<const char*>(from + done), static_cast<std::uint8_t>(n));
    }
}

void encodeRow(std::string& out, const std::uint8_t* row, std::size_t width, std::uint8_t transparent) {
    std::size_t pending = 0;  // start of the literal stretch not yet written
    std::size_t at = 0;
    while (at < width) {
        std::size_t same = 1;
        while (at + same < width && row[at + same] == row[at]) ++same;
        const bool skip = row[at] == transparent;
        if (!skip && (same < 3 || width - at < 4)) {
            ++at;
            continue;
        }
        runs(out, Run::literal, row + pending, at - pending);
        runs(out, skip ? Run::skip : Run::fill, row + at, same);
        pending = at += same;
    }
    runs(out, Run::literal, row + pending, at - pending);
}

}  // namespace

std::string encodeAseqRows(const AseqPictureFrame& frame, std::uint8_t transparent) {
    std::string out;
    const auto width = static_cast<std::size_t>(frame.width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(frame.height); ++y)
        encodeRow(out, frame.pixels.data() + y * width, width, transparent);
    return out;
}

std::string writeAseq(const AseqPicture& picture, ByteOrder order) {
    ByteWriter out(order);
    out.u16(static_cast<std::uint16_t>(picture.sequences.size()));
    out.u16(static_cast<std::uint16_t>(picture.frames.size()));
    out.u8(picture.frameRate);
    out.u8(order == ByteOrder::big ? 1 : 0);
    out.u32(0);
    const std::size_t offsetTable = out.size();
    for (std::size_t i = 0; i < picture.frames.size(); ++i) out.u32(0);
    for (std::size_t s = 0; s < picture.sequences.size(); ++s)
        for (const std::uint8_t byte : picture.placement) out.u8(s == 0 ? byte : 0);
    for (const auto& sequence : picture.sequences) {
        out.u16(static_cast<std::uint16_t>(sequence.size()));
        for (const AseqPictureEntry& entry : sequence)
            for (const std::int16_t field : {entry.x, entry.y, entry.frame, entry.param})
                out.u16(static_cast<std::uint16_t>(field));
    }
    const std::size_t area = out.size();
    for (std::size_t i = 0; i < picture.frames.size(); ++i) {
        const AseqPictureFrame& frame = picture.frames[i];
        out.u32At(offsetTable + 4 * i, static_cast<std::uint32_t>(out.size() - area));
        out.u16(0);
        out.u16(static_cast<std::uint16_t>(frame.width));
        out.u16(static_cast<std::uint16_t>(frame.height));
        out.text(frame.rawRuns.empty() ? encodeAseqRows(frame, picture.transparent) : frame.rawRuns);
    }
    return out.str();
}

std::string writeRrgb(const std::vector<std::uint32_t>& colors, std::uint8_t low) {
    ByteWriter out(ByteOrder::big);
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t color = i < colors.size() ? colors[i] : 0;
        for (const int shift : {16, 8, 0}) {
            out.u8(static_cast<std::uint8_t>(color >> shift));
            out.u8(low);
        }
    }
    return out.str();
}
