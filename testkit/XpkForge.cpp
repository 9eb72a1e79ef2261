// The XPK forge: each row of a picture is cut into pieces (skips, literals, fills, blends), and each
// format writes the pieces with its own operation codes and count limits.
#include "XpkForge.h"

#include <algorithm>

#include "ByteWriter.h"

namespace {

struct Piece {
    enum Type { skip, literal, fill, blend } type;
    int start;
    int length;
};

bool sameRow(const ForgeShape& s, int a, int b) {
    for (int x = 0; x < s.width; ++x) {
        const ForgePixel& p = s.at(x, a);
        const ForgePixel& q = s.at(x, b);
        if (p.kind != q.kind || p.value != q.value || p.weight != q.weight) return false;
    }
    return true;
}

// The row's pieces: runs of 3 or more equal opaque values become fills, other opaque pixels literals;
// without blends (8-bit formats) a blended pixel counts as opaque.
std::vector<Piece> rowPieces(const ForgeShape& s, int y, bool blends) {
    std::vector<Piece> pieces;
    auto kindAt = [&](int x) {
        const ForgePixel::Kind kind = s.at(x, y).kind;
        return !blends && kind == ForgePixel::blend ? ForgePixel::opaque : kind;
    };
    for (int x = 0; x < s.width;) {
        const ForgePixel::Kind kind = kindAt(x);
        int n = 1;
        if (kind == ForgePixel::blend) {
            pieces.push_back({Piece::blend, x, 1});
        } else if (kind == ForgePixel::skip) {
            while (x + n < s.width && kindAt(x + n) == ForgePixel::skip) ++n;
            pieces.push_back({Piece::skip, x, n});
        } else {
            const std::uint16_t value = s.at(x, y).value;
            while (x + n < s.width && kindAt(x + n) == ForgePixel::opaque && s.at(x + n, y).value == value) ++n;
            if (n >= 3) {
                pieces.push_back({Piece::fill, x, n});
            } else if (!pieces.empty() && pieces.back().type == Piece::literal) {
                pieces.back().length += n;
            } else {
                pieces.push_back({Piece::literal, x, n});
            }
        }
        x += n;
    }
    return pieces;
}

void dropTrailingSkip(std::vector<Piece>& pieces) {
    if (!pieces.empty() && pieces.back().type == Piece::skip) pieces.pop_back();
}

// 0xC002: an op byte (next-row bit, kind, count or 0 and a big-endian 16-bit count), then its bytes.
class Run8Writer {
public:
    explicit Run8Writer(const ForgeShape& s) : s_(s) {}

    std::string write() {
        for (int y = 0; y < s_.height;) {
            int equal = 1;
            while (y > 0 && y + equal < s_.height && sameRow(s_, y, y + equal)) ++equal;
            if (equal >= 2) {
                op(false, kBlock, equal);
                row(y, true);
                op(false, kBlock, 1);
            } else {
                row(y, y > 0);
            }
            y += equal;
        }
        op(false, kFill, 1);
        return out_;
    }

private:
    static constexpr std::uint8_t kLiteral = 0x60;
    static constexpr std::uint8_t kFill = 0x40;
    static constexpr std::uint8_t kSkip = 0x20;
    static constexpr std::uint8_t kBlock = 0x00;

    void op(bool nextRow, std::uint8_t kind, int count) {
        const auto head = static_cast<std::uint8_t>((nextRow ? 0x80 : 0) | kind);
        if (count >= 1 && count <= 31) {
            out_ += static_cast<char>(head | count);
            return;
        }
        out_ += static_cast<char>(head);
        out_ += static_cast<char>(count >> 8);
        out_ += static_cast<char>(count & 0xFF);
    }

    // The row's first operation carries the move to it; a row of skips alone still needs one.
    void row(int y, bool nextRow) {
        std::vector<Piece> pieces = rowPieces(s_, y, false);
        dropTrailingSkip(pieces);
        if (pieces.empty()) pieces.push_back({Piece::skip, 0, s_.width});
        for (const Piece& p : pieces) {
            if (p.type == Piece::skip) {
                op(nextRow, kSkip, p.length);
            } else if (p.type == Piece::fill) {
                op(nextRow, kFill, p.length);
                out_ += static_cast<char>(s_.at(p.start, y).value);
            } else {
                op(nextRow, kLiteral, p.length);
                for (int x = p.start; x < p.start + p.length; ++x) out_ += static_cast<char>(s_.at(x, y).value);
            }
            nextRow = false;
        }
    }

    const ForgeShape& s_;
    std::string out_;
};

// 0xC001: every row exactly its width, in operations of at most 128 pixels.
std::string plain8(const ForgeShape& s) {
    std::string out;
    for (int y = 0; y < s.height; ++y) {
        for (const Piece& p : rowPieces(s, y, false)) {
            for (int done = 0; done < p.length;) {
                const int k = std::min(p.length - done, 128);
                if (p.type == Piece::skip) {
                    out += static_cast<char>(0x80 | (k - 1));
                } else {
                    out += static_cast<char>(k - 1);
                    const int from = p.start + done;
                    for (int x = from; x < from + k; ++x) out += static_cast<char>(s.at(x, y).value);
                }
                done += k;
            }
        }
    }
    return out;
}

// 0xB002 pieces of one row: skips and literals of at most 64 pixels, fills of 2 to 65, single blends.
std::string mapped16Row(const ForgeShape& s, int y) {
    std::string out;
    std::vector<Piece> pieces = rowPieces(s, y, true);
    dropTrailingSkip(pieces);
    auto literal = [&](int from, int k) {
        out += static_cast<char>(0x40 | (k - 1));
        for (int x = from; x < from + k; ++x) out += static_cast<char>(s.at(x, y).value);
    };
    for (const Piece& p : pieces) {
        for (int done = 0; done < p.length;) {
            int k = std::min(p.length - done, 64);
            const int from = p.start + done;
            if (p.type == Piece::skip) {
                out += static_cast<char>(k - 1);
            } else if (p.type == Piece::literal) {
                literal(from, k);
            } else if (p.type == Piece::blend) {
                out += static_cast<char>(0xC0 | s.at(from, y).weight);
                out += static_cast<char>(s.at(from, y).value);
            } else if (p.length - done == 1) {
                literal(from, 1);  // a fill covers at least 2
            } else {
                k = std::min(p.length - done, 65);
                if (p.length - done - k == 1) --k;
                out += static_cast<char>(0x80 | (k - 2));
                out += static_cast<char>(s.at(from, y).value);
            }
            done += k;
        }
    }
    return out;
}

// 0xB001 words of one row: a skip is a control word of weight 31 (the next colour then lands exactly),
// a blend a control word of its weight that skips nothing, then the colour.
std::vector<std::uint16_t> direct16Row(const ForgeShape& s, int y) {
    std::vector<std::uint16_t> words;
    std::vector<Piece> pieces = rowPieces(s, y, true);
    dropTrailingSkip(pieces);
    for (const Piece& p : pieces) {
        if (p.type == Piece::skip) {
            for (int done = 0; done < p.length; done += 1023) {
                words.push_back(static_cast<std::uint16_t>(0x8000 | 31 << 10 | std::min(p.length - done, 1023)));
            }
            continue;
        }
        for (int x = p.start; x < p.start + p.length; ++x) {
            if (p.type == Piece::blend) words.push_back(static_cast<std::uint16_t>(0x8000 | s.at(x, y).weight << 10));
            words.push_back(s.at(x, y).value);
        }
    }
    return words;
}

}  // namespace

std::string forgeShapeData(std::uint16_t format, const ForgeShape& shape, ByteOrder order) {
    if (format == kForgeRun8) return Run8Writer(shape).write();
    if (format == kForgePlain8) return plain8(shape);
    ByteWriter out(order);
    for (int y = 0; y < shape.height; ++y) {
        if (format == kForgeMapped16) {
            const std::string row = mapped16Row(shape, y);
            out.u16(static_cast<std::uint16_t>(row.size()));
            out.text(row);
        } else {
            const std::vector<std::uint16_t> words = direct16Row(shape, y);
            out.u16(static_cast<std::uint16_t>(words.size()));
            for (std::uint16_t w : words) out.u16(w);
        }
    }
    return out.str();
}

std::string forgeXpk(const ForgeBank& bank, ByteOrder order) {
    const auto count = static_cast<std::uint32_t>(bank.shapes.size());
    const auto colours = static_cast<std::uint32_t>(bank.format == kForgeMapped16 ? bank.colourMap.size() : 0);
    const std::uint32_t descTable = 16 + 2 * colours;
    const std::uint32_t dataTable = descTable + 16 * count;
    ByteWriter out(order);
    out.u32(kForgeMarker);
    out.u16(bank.format);
    out.u16(static_cast<std::uint16_t>(count));
    out.u32(descTable);
    out.u32(dataTable);
    for (std::uint32_t i = 0; i < colours; ++i) out.u16(bank.colourMap[i]);
    for (const ForgeShape& s : bank.shapes) {
        for (int field : {int(s.hotX), int(s.hotY), int(s.frameWidth), int(s.frameHeight), int(s.imageX),
                          int(s.imageY), s.width, s.height}) {
            out.u16(static_cast<std::uint16_t>(field));
        }
    }
    for (std::uint32_t i = 0; i < count; ++i) out.u32(0);  // filled in as the data is written
    for (std::uint32_t i = 0; i < count; ++i) {
        const ForgeShape& s = bank.shapes[i];
        if (!s.hasData()) continue;
        out.u32At(dataTable + 4 * i, static_cast<std::uint32_t>(out.size()) - dataTable);
        out.text(forgeShapeData(bank.format, s, order));
    }
    return out.str();
}

ForgeShape forgePattern(std::uint16_t format, int width, int height, std::uint32_t seed, int values) {
    std::uint32_t state = seed * 2654435761u + 1;
    auto next = [&](int n) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n > 0 ? n : 1));
    };
    const bool direct = format == kForgeDirect16;
    const bool blends = direct || format == kForgeMapped16;
    auto value = [&] { return static_cast<std::uint16_t>(direct ? next(0x8000) : next(values)); };
    ForgeShape s;
    s.width = width;
    s.height = height;
    s.imageX = static_cast<std::int16_t>(next(4));
    s.imageY = static_cast<std::int16_t>(next(3));
    s.frameWidth = static_cast<std::int16_t>(width + s.imageX + next(5));
    s.frameHeight = static_cast<std::int16_t>(height + s.imageY + next(3));
    s.hotX = static_cast<std::int16_t>(next(s.frameWidth));
    s.hotY = static_cast<std::int16_t>(next(s.frameHeight));
    s.pixels.resize(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        ForgePixel* row = &s.pixels[static_cast<std::size_t>(y * width)];
        if (y > 0 && next(4) == 0) {
            std::copy(row - width, row, row);
            continue;
        }
        for (int x = 0; x < width;) {
            const int length = 1 + next(next(5) == 0 ? width : 6);
            const int kind = next(10);
            const std::uint16_t same = value();
            for (int k = 0; k < length && x < width; ++k, ++x) {
                if (kind < 3) row[x] = {};
                else if (kind < 6) row[x] = {ForgePixel::opaque, same, 0};
                else if (kind < 9 || !blends) row[x] = {ForgePixel::opaque, value(), 0};
                else row[x] = {ForgePixel::blend, value(), static_cast<std::uint8_t>(next(32))};
            }
        }
    }
    return s;
}
