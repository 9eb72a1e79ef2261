// ASEQ and RRGB writers for tests and the sample title.
#include "AseqWriter.h"

#include "ByteWriter.h"

namespace {

constexpr std::size_t kPiece = 250;

// Appends `count` pixels as pieces of at most 250, each begun by the given prefix bytes.
void pieces(std::string& out, const std::string& prefix, std::size_t count) {
    while (count != 0) {
        const std::size_t n = count > kPiece ? kPiece : count;
        out += prefix;
        out += static_cast<char>(n);
        count -= n;
    }
}

void literals(std::string& out, const std::uint8_t* from, std::size_t count) {
    for (std::size_t done = 0; done < count; done += kPiece) {
        const std::size_t n = count - done > kPiece ? kPiece : count - done;
        out += static_cast<char>(n);
        out.append(reinterpret_cast<const char*>(from + done), n);
    }
}

std::size_t sameFrom(const std::uint8_t* row, std::size_t at, std::size_t width) {
    std::size_t end = at;
    while (end < width && row[end] == row[at]) ++end;
    return end - at;
}

void encodeRow(std::string& out, const std::uint8_t* row, std::size_t width, std::uint8_t transparent) {
    std::size_t pending = 0;  // start of the literal stretch not yet written
    std::size_t at = 0;
    while (at < width) {
        const std::size_t same = sameFrom(row, at, width);
        const bool skip = row[at] == transparent;
        const bool fill = !skip && same >= 3 && width - at >= 4;
        if (!skip && !fill) {
            ++at;
            continue;
        }
        literals(out, row + pending, at - pending);
        pieces(out, skip ? std::string(1, '\0') : std::string{'\xFF', static_cast<char>(row[at])}, same);
        at += same;
        pending = at;
    }
    literals(out, row + pending, at - pending);
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
