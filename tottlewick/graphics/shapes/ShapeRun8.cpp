// The 0xC002 walk and its members. Repeat blocks keep their resume point as a copy of the reader, so a
// jump back can never leave the stream.
#include "ShapeRun8.h"

#include <algorithm>

#include "ByteReader.h"
#include "ShapeRuns.h"

namespace {

constexpr std::uint8_t kNextRow = 0x80;
constexpr std::uint8_t kKind = 0x60;
constexpr std::uint8_t kLiteral = 0x60;
constexpr std::uint8_t kFill = 0x40;
constexpr std::uint8_t kSkip = 0x20;
constexpr std::uint8_t kCount = 0x1F;

// The stream read forwards through the reader's inline bounds check, so an operation costs no call. A read
// that would pass the end yields nothing and leaves the position where it was.
class RunStream {
public:
    RunStream(const std::uint8_t* data, std::size_t size) : bytes_(data, size, ByteOrder::big) {}
    bool u8(std::uint8_t& value) {
        const std::uint8_t* p = span(1);
        if (p) value = *p;
        return p != nullptr;
    }
    bool u16(int& value) {
        const std::uint8_t* p = span(2);
        if (p) value = p[0] << 8 | p[1];
        return p != nullptr;
    }
    const std::uint8_t* span(std::size_t count) {
        const std::uint8_t* p = bytes_.spanAt(at_, count);
        if (p) at_ += count;
        return p;
    }
    std::size_t position() const { return at_; }
    void seek(std::size_t position) { at_ = position; }

private:
    ByteReader bytes_;
    std::size_t at_ = 0;
};

// An open repeat block: where its operations begin, the runs it has left, and the walk's count of moves
// when its current run began.
struct Block {
    std::size_t resume;
    int remaining;
    std::uint32_t movesAtResume;
};

// Opens (count 2 or more) or closes (count 1) a repeat block; false for a close with none open or a
// 33rd open block. A run of a block that neither moved nor drew leaves the walk as it found it, so every
// further run would do the same nothing: the block is closed at once. That bounds the walk by its input
// (each jump back follows a move), and a stream of empty blocks runs on to what follows them.
bool repeat(RunStream& in, Block (&blocks)[kRun8MaxBlocks], int& depth, int count, std::uint32_t moves) {
    if (count >= 2) {
        if (depth == kRun8MaxBlocks) return false;
        blocks[depth++] = {in.position(), count - 1, moves};
    } else if (count == 1) {
        if (depth == 0) return false;
        Block& top = blocks[depth - 1];
        if (--top.remaining < 0 || top.movesAtResume == moves) {
            --depth;
        } else {
            in.seek(top.resume);
            top.movesAtResume = moves;
        }
    }
    return true;
}

// Operations that neither move nor draw (counts of 0, block opens and closes) are paid from a budget: one
// pass over the stream, plus kIdlePerMove for every move. Between two moves a sound stream closes at most
// 32 blocks, jumps back once and opens at most 32 again; a walk that spends more is repeating operations
// that do nothing (a block whose runs each move once around thousands of them), and it stops there. So a
// walk costs at most its stream's length plus a fixed number of operations per move.
constexpr std::uint64_t kIdlePerMove = 2 * kRun8MaxBlocks + 1;

// Walks the stream, handing the sink runs inside the image; ends at the end mark, at the sink's last row,
// when the sink has seen enough, when the budget above is spent, or at the first operation that would
// pass the image or the data.
template <class Sink>
void walk(const std::uint8_t* data, std::size_t size, int width, Sink& sink) {
    RunStream in(data, size);
    Block blocks[kRun8MaxBlocks];
    int depth = 0;
    int row = 0;
    int col = 0;
    std::uint32_t moves = 0;
    std::uint64_t idleBudget = size;
    for (;;) {
        std::uint8_t op = 0;
        if (!in.u8(op)) return;
        int count = op & kCount;
        if (count == 0 && !in.u16(count)) return;
        if (op & kNextRow) {
            if (++row >= sink.rowEnd()) return;
            col = 0;
        }
        if ((op & kNextRow) || (count > 0 && (op & kKind) != 0)) {
            ++moves;
            idleBudget += kIdlePerMove;
        } else if (idleBudget-- == 0) {
            return;
        }
        switch (op & kKind) {
        case kLiteral: {
            const std::uint8_t* bytes = in.span(static_cast<std::size_t>(count));
            if (!bytes || count > width - col || (count > 0 && !sink.literal(row, col, bytes, count))) return;
            break;
        }
        case kFill: {
            if (count == 1) return;
            std::uint8_t value = 0;
            if (!in.u8(value) || count > width - col || (count > 0 && !sink.fill(row, col, value, count))) return;
            break;
        }
        case kSkip:
            if (count > width - col) return;
            break;
        default:
            if (!repeat(in, blocks, depth, count, moves)) return;
            count = 0;
        }
        col += count;
    }
}

// Compares literal and fill pixels with the destination's bytes below them.
class CompareRuns {
public:
    CompareRuns(const std::uint8_t* base, std::int32_t step, const Rect& area, const Rect& image)
        : base_(base), step_(step), area_(area), image_(image) {}
    int rowEnd() const { return image_.bottom - image_.top; }

    bool literal(int row, int col, const std::uint8_t* bytes, int n) {
        for (int k = 0; k < n; ++k) count(row, col + k, bytes[k]);
        return true;
    }
    bool fill(int row, int col, std::uint8_t value, int n) {
        for (int k = 0; k < n; ++k) count(row, col + k, value);
        return true;
    }

    std::uint32_t matches = 0;
    std::uint32_t mismatches = 0;

private:
    void count(int row, int col, std::uint8_t value) {
        const int x = image_.left + col;
        const int y = image_.top + row;
        const bool inside = x >= area_.left && x < area_.right && y >= area_.top && y < area_.bottom;
        if (inside && base_[std::intptr_t(y) * step_ + x] == value) {
            ++matches;
        } else {
            ++mismatches;
        }
    }

    const std::uint8_t* base_;
    std::int32_t step_;
    Rect area_;
    Rect image_;
};

// Draws literal and fill pixels where the mask allows.
class MaskedRuns {
public:
    MaskedRuns(std::uint8_t* base, std::int32_t step, const Rect& clip, const Rect& image, const ShapeMask& mask)
        : base_(base), step_(step), clip_(clip), image_(image), mask_(mask) {
        const Rect covered{
            clip.left, clip.top,
            static_cast<std::int16_t>(clip.left + std::clamp<int>(mask.width, 0, clip.right - clip.left)),
            static_cast<std::int16_t>(clip.top + std::clamp<int>(mask.height, 0, clip.bottom - clip.top))};
        window_ = runWindow(image, covered, false);
    }
    int rowEnd() const { return window_.rowEnd; }

    bool literal(int row, int col, const std::uint8_t* bytes, int n) {
        int from = 0;
        if (!cutRun(window_, row, col, from, n)) return true;
        for (int k = 0; k < n; ++k) put(row, from + k, bytes[from - col + k]);
        return true;
    }
    bool fill(int row, int col, std::uint8_t value, int n) {
        int from = 0;
        if (!cutRun(window_, row, col, from, n)) return true;
        for (int k = 0; k < n; ++k) put(row, from + k, value);
        return true;
    }

private:
    void put(int row, int col, std::uint8_t value) {
        const int x = image_.left + col;
        const int y = image_.top + row;
        if (mask_.base[std::intptr_t(y - clip_.top) * mask_.step + (x - clip_.left)] == 0) return;
        base_[std::intptr_t(y) * step_ + x] = value;
    }

    std::uint8_t* base_;
    std::int32_t step_;
    Rect clip_;
    Rect image_;
    ShapeMask mask_;
    RunWindow window_;
};

}  // namespace

void ShapeDrawRun8(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                   const std::uint8_t* data, std::size_t size, std::int16_t mirrored) {
    Rect cut{};
    if (depth != 8 || !base || !data || !shapeArea(clip, image, &cut)) return;
    const int width = image->right - image->left;
    drawMember<Draw8>(
        cut, *image, mirrored != 0, [&](auto& sink) { walk(data, size, width, sink); }, base, step);
}

std::int16_t ShapeHitRun8(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                          std::int16_t mirrored) {
    if (!data) return 0;
    return hitMember(test, image, mirrored != 0,
                     [&](HitRuns& sink) { walk(data, size, image->right - image->left, sink); });
}

void ShapeCompareRun8(const void* base, std::int32_t step, const Rect* area, const Rect* image,
                      const std::uint8_t* data, std::size_t size, std::uint32_t* matches, std::uint32_t* mismatches) {
    if (!base || !area || !image || !data || !RectIsValid(image)) return;
    CompareRuns sink(static_cast<const std::uint8_t*>(base), step, *area, *image);
    walk(data, size, image->right - image->left, sink);
    *matches += sink.matches;
    *mismatches += sink.mismatches;
}

void ShapeDrawMaskedRun8(void* base, std::int32_t step, const Rect* clip, const Rect* image, const std::uint8_t* data,
                         std::size_t size, const ShapeMask& mask) {
    Rect cut{};
    if (!base || !data || !mask.base || !shapeArea(clip, image, &cut)) return;
    MaskedRuns sink(static_cast<std::uint8_t*>(base), step, cut, *image, mask);
    walk(data, size, image->right - image->left, sink);
}
