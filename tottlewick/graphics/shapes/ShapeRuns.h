// What every shape decoder shares: the window of rows and columns a walk may touch, the sinks that
// receive its runs (drawing at 8 or at 15/16 bits, plain or mirrored, clipped or not; hit testing) and
// the choice of member. Plain memory, no system calls.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "ByteRuns.h"
#include "Rect.h"
#include "ShapeBlend.h"

// A walker reads its stream in stream order: row 0 is the image's top row and column 0 the first pixel a
// row decodes, which is the image's left column, or its right one when mirrored (columns then count
// leftwards). It hands a sink only runs that lie inside the image (0 <= column, column + n <= image
// width, row < the sink's end row) and stops at the first operation that would leave it, so no stream
// can steer a write outside the image; the sinks cut the runs to their windows.
struct RunWindow {
    int rowBegin;
    int rowEnd;
    int colBegin;  // stream columns
    int colEnd;
};

// The window of `area` (which lies inside `image`) in stream order.
inline RunWindow runWindow(const Rect& image, const Rect& area, bool mirrored) {
    const int width = image.right - image.left;
    const int left = area.left - image.left;
    const int right = area.right - image.left;
    return {area.top - image.top, area.bottom - image.top, mirrored ? width - right : left,
            mirrored ? width - left : right};
}

// Cuts the run of n pixels at (row, col) to the window: false when nothing is left, else `from` is its
// first column inside and n what is left of it.
inline bool cutRun(const RunWindow& w, int row, int col, int& from, int& n) {
    if (row < w.rowBegin || row >= w.rowEnd) return false;
    from = col > w.colBegin ? col : w.colBegin;
    const int to = col + n < w.colEnd ? col + n : w.colEnd;
    if (from >= to) return false;
    n = to - from;
    return true;
}

// The image and the clip cut to it, both valid; false when nothing can be drawn.
inline bool shapeArea(const Rect* clip, const Rect* image, Rect* cut) {
    return clip && image && RectIsValid(image) && RectIntersect(cut, clip, image);
}

// Where stream pixel (row, col) lies: byte offsets from the destination's base.
class RunPlace {
public:
    RunPlace(std::int32_t step, const Rect& image, bool mirrored, int bytesPerPixel)
        : step_(step), top_(image.top), zero_(mirrored ? image.right - 1 : image.left),
          dir_(mirrored ? -1 : 1), bytes_(bytesPerPixel) {}
    std::intptr_t offset(int row, int col) const {
        return std::intptr_t(top_ + row) * step_ + std::intptr_t(zero_ + dir_ * col) * bytes_;
    }

private:
    std::int32_t step_;
    int top_;
    int zero_;
    int dir_;
    int bytes_;
};

// Draws runs of palette indices into an 8-bit destination.
template <bool Mirrored, bool Clipped>
class Draw8 {
public:
    Draw8(const Rect& image, const Rect& clip, void* base, std::int32_t step)
        : base_(static_cast<std::uint8_t*>(base)), place_(step, image, Mirrored, 1),
          window_(runWindow(image, clip, Mirrored)) {}
    int rowBegin() const { return window_.rowBegin; }
    int rowEnd() const { return window_.rowEnd; }

    bool literal(int row, int col, const std::uint8_t* bytes, int n) {
        if (!cut(row, col, bytes, n)) return true;
        std::uint8_t* out = base_ + place_.offset(row, col);
        if (Mirrored) {
            copyBackwards(out, bytes, n);
        } else {
            copyBytes(out, bytes, static_cast<std::uint32_t>(n));
        }
        return true;
    }
    bool fill(int row, int col, std::uint8_t value, int n) {
        const std::uint8_t* none = nullptr;
        if (!cut(row, col, none, n)) return true;
        fillBytes(base_ + place_.offset(row, Mirrored ? col + n - 1 : col), static_cast<std::uint32_t>(n),
                  value * 0x01010101u);
        return true;
    }

private:
    // Stores bytes[k] at out[-k], four bytes at a time while four remain.
    static void copyBackwards(std::uint8_t* out, const std::uint8_t* bytes, int n) {
        int k = 0;
        for (; k + 4 <= n; k += 4) {
            std::uint32_t four;
            std::memcpy(&four, bytes + k, 4);
            four = __builtin_bswap32(four);
            std::memcpy(out - k - 3, &four, 4);
        }
        for (; k < n; ++k) out[-k] = bytes[k];
    }
    template <class T>
    bool cut(int row, int& col, const T*& values, int& n) {
        if (!Clipped) return true;
        int from = 0;
        if (!cutRun(window_, row, col, from, n)) return false;
        if (values) values += from - col;
        col = from;
        return true;
    }

    std::uint8_t* base_;
    RunPlace place_;
    RunWindow window_;
};

// The colours of one 15/16-bit draw: the blend table and, for 0xB002, the colour map as 15-bit colours
// and as stored pixels.
struct Colours16 {
    const std::uint8_t* blend;
    const std::uint16_t* map;
    const std::uint16_t* stored;
};

inline std::uint16_t loadWord(const std::uint8_t* p) {
    std::uint16_t value;
    std::memcpy(&value, p, 2);
    return value;
}

// Draws runs of 15-bit colours (0xB001) or colour-map indices (0xB002) into a 15- or 16-bit destination.
template <class Depth, bool Mirrored, bool Clipped>
class Draw16 {
public:
    Draw16(const Rect& image, const Rect& clip, void* base, std::int32_t step, const Colours16& colours)
        : base_(static_cast<std::uint8_t*>(base)), place_(step, image, Mirrored, 2),
          window_(runWindow(image, clip, Mirrored)), colours_(colours) {}
    int rowBegin() const { return window_.rowBegin; }
    int rowEnd() const { return window_.rowEnd; }

    bool colours(int row, int col, const std::uint8_t* words, int n) {
        if (!cut(row, col, words, n, 2)) return true;
        std::uint16_t* out = at(row, col);
        if (!Mirrored && std::is_same<Depth, Depth15>::value) {
            std::memcpy(out, words, static_cast<std::size_t>(n) * 2);
            return true;
        }
        for (int k = 0; k < n; ++k) *step(out, k) = Depth::store(loadWord(words + 2 * k));
        return true;
    }
    bool indices(int row, int col, const std::uint8_t* bytes, int n) {
        if (!cut(row, col, bytes, n, 1)) return true;
        std::uint16_t* out = at(row, col);
        for (int k = 0; k < n; ++k) *step(out, k) = colours_.stored[bytes[k]];
        return true;
    }
    bool fillIndex(int row, int col, std::uint8_t index, int n) {
        const std::uint8_t* none = nullptr;
        if (!cut(row, col, none, n, 0)) return true;
        std::uint16_t* out = at(row, Mirrored ? col + n - 1 : col);
        const std::uint16_t value = colours_.stored[index];
        for (int k = 0; k < n; ++k) out[k] = value;
        return true;
    }
    bool blendIndex(int row, int col, std::uint8_t index, unsigned weight) {
        return blendColour(row, col, colours_.map[index], weight);
    }
    bool blendColour(int row, int col, std::uint16_t colour, unsigned weight) {
        int n = 1;
        const std::uint8_t* none = nullptr;
        if (!cut(row, col, none, n, 0)) return true;
        std::uint16_t* out = at(row, col);
        *out = blendPixel<Depth>(colours_.blend, *out, colour, weight);
        return true;
    }

private:
    std::uint16_t* at(int row, int col) const {
        return reinterpret_cast<std::uint16_t*>(base_ + place_.offset(row, col));
    }
    static std::uint16_t* step(std::uint16_t* out, int k) { return Mirrored ? out - k : out + k; }
    bool cut(int row, int& col, const std::uint8_t*& values, int& n, int valueBytes) {
        if (!Clipped) return true;
        int from = 0;
        if (!cutRun(window_, row, col, from, n)) return false;
        if (values) values += (from - col) * valueBytes;
        col = from;
        return true;
    }

    std::uint8_t* base_;
    RunPlace place_;
    RunWindow window_;
    Colours16 colours_;
};

template <bool Mirrored, bool Clipped>
using Draw15At = Draw16<Depth15, Mirrored, Clipped>;
template <bool Mirrored, bool Clipped>
using Draw16At = Draw16<Depth16, Mirrored, Clipped>;

// Looks for the first literal, fill or blend pixel inside the test rectangle; stops the walk there.
class HitRuns {
public:
    HitRuns(const Rect& image, const Rect& test, bool mirrored) : window_(runWindow(image, test, mirrored)) {}
    int rowBegin() const { return window_.rowBegin; }
    int rowEnd() const { return window_.rowEnd; }
    bool found() const { return found_; }

    template <class Values>
    bool literal(int row, int col, Values, int n) { return cover(row, col, n); }
    template <class Value>
    bool fill(int row, int col, Value, int n) { return cover(row, col, n); }
    template <class Values>
    bool colours(int row, int col, Values, int n) { return cover(row, col, n); }
    template <class Values>
    bool indices(int row, int col, Values, int n) { return cover(row, col, n); }
    template <class Value>
    bool fillIndex(int row, int col, Value, int n) { return cover(row, col, n); }
    template <class Value>
    bool blendIndex(int row, int col, Value, unsigned) { return cover(row, col, 1); }
    template <class Value>
    bool blendColour(int row, int col, Value, unsigned) { return cover(row, col, 1); }

private:
    // False (stop) once a pixel of the run lies inside.
    bool cover(int row, int col, int n) {
        int from = 0;
        found_ = cutRun(window_, row, col, from, n);
        return !found_;
    }

    RunWindow window_;
    bool found_ = false;
};

// Runs `walk` on the member that the clip and the mirroring select: the unclipped one when the clip is
// the whole image, so a shape wholly inside pays no cutting.
template <template <bool, bool> class Sink, class Walk, class... Args>
void drawMember(const Rect& clip, const Rect& image, bool mirrored, Walk walk, const Args&... args) {
    const bool whole = RectEqual(&clip, &image) != 0;
    if (mirrored && whole) {
        Sink<true, false> sink(image, clip, args...);
        walk(sink);
    } else if (mirrored) {
        Sink<true, true> sink(image, clip, args...);
        walk(sink);
    } else if (whole) {
        Sink<false, false> sink(image, clip, args...);
        walk(sink);
    } else {
        Sink<false, true> sink(image, clip, args...);
        walk(sink);
    }
}

// The hit dispatch: 1 when the walk met a non-skipped pixel inside the test rectangle (already cut to
// the image).
template <class Walk>
std::int16_t hitMember(const Rect* test, const Rect* image, bool mirrored, Walk walk) {
    Rect inside{};
    if (!shapeArea(test, image, &inside)) return 0;
    HitRuns sink(*image, inside, mirrored);
    walk(sink);
    return sink.found() ? 1 : 0;
}
