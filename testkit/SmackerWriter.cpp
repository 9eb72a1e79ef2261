// The Smacker writer. File layout (little-endian):
//
//   "SMK2" width height frames frameTime(<0: hundredths of ms) flags  audioSize[7]  treeSize
//   mmapSize mclrSize fullSize typeSize  (rate:24 audioFlags:8)[7]  pad    = 104 bytes
//   frameSize[frames] (bit 0: key frame)  frameFlags[frames] (bit 0: palette, bit 1: track 0 sound)
//   trees (treeSize bytes: MMAP, MCLR, FULL, TYPE)  frames...
//
// A frame: [palette chunk: length/4, entries] [packed sound: u32 chunk size, u32 unpacked size, bits | plain
// sound: u32 chunk size, samples] video bits, padded to 4 bytes. Track flags: 0x80 packed, 0x20 16-bit,
// 0x10 stereo. Bit streams are read from the lowest bit of each byte up.
#include "SmackerWriter.h"

#include <algorithm>
#include <array>
#include <map>
#include <queue>
#include <stdexcept>
#include <tuple>

#include "ByteWriter.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 104;
constexpr std::uint8_t kPacked = 0x80, kSixteenBits = 0x20, kStereo = 0x10;
constexpr std::uint8_t kFramePalette = 1, kFrameTrack0 = 2;

class BitWriter {
public:
    void bit(bool on) {
        if (count_ % 8 == 0) bytes.push_back(0);
        if (on) bytes.back() = static_cast<std::uint8_t>(bytes.back() | (1u << (count_ % 8)));
        ++count_;
    }
    void bits(std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i) bit((value >> i) & 1);
    }
    void code(const std::vector<bool>& path) {
        for (bool on : path) bit(on);
    }

    std::vector<std::uint8_t> bytes;

private:
    std::size_t count_ = 0;
};

// A Huffman tree over the symbols counted; serialised depth first, the 0 branch before the 1 branch.
struct HuffmanTree {
    struct Node {
        int zero = -1, one = -1;
        std::uint32_t value = 0;
    };
    std::vector<Node> nodes;
    int root = 0;
    std::map<std::uint32_t, std::vector<bool>> codes;

    explicit HuffmanTree(const std::map<std::uint32_t, std::uint64_t>& counts) {
        using Entry = std::tuple<std::uint64_t, int>;  // count, node; the lower node wins ties
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
        for (const auto& [value, count] : counts) {
            nodes.push_back(Node{-1, -1, value});
            queue.emplace(count, static_cast<int>(nodes.size()) - 1);
        }
        while (queue.size() > 1) {
            auto [countA, a] = queue.top();
            queue.pop();
            auto [countB, b] = queue.top();
            queue.pop();
            nodes.push_back(Node{a, b, 0});
            queue.emplace(countA + countB, static_cast<int>(nodes.size()) - 1);
        }
        root = std::get<1>(queue.top());
        assign(root, {});
    }
    bool isLeaf(int node) const { return nodes[node].zero < 0; }

private:
    void assign(int node, std::vector<bool> path) {
        if (isLeaf(node)) {
            codes[nodes[node].value] = path;
            return;
        }
        path.push_back(false);
        assign(nodes[node].zero, path);
        path.back() = true;
        assign(nodes[node].one, path);
    }
};

using Counts = std::map<std::uint32_t, std::uint64_t>;

template <typename Leaf>
void writeShape(BitWriter& out, const HuffmanTree& tree, int node, const Leaf& leaf) {
    if (tree.isLeaf(node)) {
        out.bit(false);
        leaf(tree.nodes[node].value);
        return;
    }
    out.bit(true);
    writeShape(out, tree, tree.nodes[node].zero, leaf);
    writeShape(out, tree, tree.nodes[node].one, leaf);
}

// A byte tree: present bit, the shape with 8-bit leaves, end bit.
void writeByteTree(BitWriter& out, const HuffmanTree& tree) {
    out.bit(true);
    writeShape(out, tree, tree.root, [&](std::uint32_t value) { out.bits(value, 8); });
    out.bit(false);
}

// Three 16-bit values that no leaf holds: the decoder's recent-value slots, which the writer never uses.
std::array<std::uint32_t, 3> unusedValues(const Counts& counts) {
    std::array<std::uint32_t, 3> escapes{};
    std::uint32_t candidate = 0xFFFF;
    for (auto& escape : escapes) {
        while (counts.count(candidate)) --candidate;
        escape = candidate--;
    }
    return escapes;
}

// A 16-bit value tree: present bit, its low- and high-byte trees, three escapes, the shape whose leaves
// are a low and a high code, end bit. Returns the tree (for its codes) and its node count.
struct BigTree {
    std::map<std::uint32_t, std::vector<bool>> codes;
    std::uint32_t nodes = 0;
};

BigTree writeBigTree(BitWriter& out, const Counts& counts) {
    if (counts.empty()) {
        out.bit(false);
        return {};
    }
    HuffmanTree tree(counts);
    Counts low, high;
    for (const auto& entry : counts) {
        ++low[entry.first & 0xFF];
        ++high[entry.first >> 8];
    }
    HuffmanTree lowTree(low), highTree(high);
    out.bit(true);
    writeByteTree(out, lowTree);
    writeByteTree(out, highTree);
    for (std::uint32_t escape : unusedValues(counts)) out.bits(escape, 16);
    writeShape(out, tree, tree.root, [&](std::uint32_t value) {
        out.code(lowTree.codes.at(value & 0xFF));
        out.code(highTree.codes.at(value >> 8));
    });
    out.bit(false);
    return BigTree{tree.codes, static_cast<std::uint32_t>(tree.nodes.size())};
}

enum Stream { kMmap, kMclr, kFull, kType, kStreams };

// Run lengths a type code can give, by its 6-bit index.
std::uint32_t runLength(int index) { return index < 59 ? std::uint32_t(index) + 1 : 128u << (index - 59); }

int longestRunIndex(std::uint32_t blocks) {
    int best = 0;
    for (int i = 0; i < 64; ++i)
        if (runLength(i) <= blocks) best = i;
    return best;
}

// One frame's symbols, stream by stream in the order the decoder reads them.
using Symbols = std::vector<std::pair<Stream, std::uint32_t>>;

struct Block {
    SmackerBlock kind;
    std::uint32_t colour = 0;  // fill colour
    std::array<std::uint8_t, 16> pixels{};
};

Block classify(const std::array<std::uint8_t, 16>& pixels, const std::array<std::uint8_t, 16>* previous) {
    Block block{SmackerBlock::full, 0, pixels};
    if (previous && *previous == pixels) {
        block.kind = SmackerBlock::skip;
        return block;
    }
    std::uint8_t low = *std::min_element(pixels.begin(), pixels.end());
    std::uint8_t high = *std::max_element(pixels.begin(), pixels.end());
    bool two = std::all_of(pixels.begin(), pixels.end(), [&](std::uint8_t p) { return p == low || p == high; });
    if (low == high) {
        block.kind = SmackerBlock::fill;
        block.colour = low;
    } else if (two) {
        block.kind = SmackerBlock::mono;
    }
    return block;
}

void blockSymbols(const Block& block, Symbols& symbols) {
    const auto& p = block.pixels;
    if (block.kind == SmackerBlock::mono) {
        std::uint8_t low = *std::min_element(p.begin(), p.end());
        std::uint8_t high = *std::max_element(p.begin(), p.end());
        std::uint32_t map = 0;
        for (int i = 0; i < 16; ++i)
            if (p[i] == high) map |= 1u << i;
        symbols.emplace_back(kMclr, std::uint32_t(high) << 8 | low);
        symbols.emplace_back(kMmap, map);
    } else if (block.kind == SmackerBlock::full) {
        for (int row = 0; row < 4; ++row) {
            symbols.emplace_back(kFull, std::uint32_t(p[row * 4 + 2]) | std::uint32_t(p[row * 4 + 3]) << 8);
            symbols.emplace_back(kFull, std::uint32_t(p[row * 4]) | std::uint32_t(p[row * 4 + 1]) << 8);
        }
    }
}

std::array<std::uint8_t, 16> blockAt(const std::vector<std::uint8_t>& pixels, std::uint32_t width, std::uint32_t bx,
                                     std::uint32_t by) {
    std::array<std::uint8_t, 16> block{};
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 4; ++x) block[y * 4 + x] = pixels[(by * 4 + y) * width + bx * 4 + x];
    return block;
}

// Groups equal neighbouring blocks (same kind; fills of the same colour) into runs, each a type code.
Symbols frameSymbols(const SmackerMovie& movie, std::size_t index, SmackerBlockCounts& counts) {
    std::uint32_t across = movie.width / 4, down = movie.height / 4;
    std::vector<Block> blocks;
    for (std::uint32_t by = 0; by < down; ++by)
        for (std::uint32_t bx = 0; bx < across; ++bx) {
            auto pixels = blockAt(movie.frames[index].pixels, movie.width, bx, by);
            std::array<std::uint8_t, 16> previous{};
            if (index > 0) previous = blockAt(movie.frames[index - 1].pixels, movie.width, bx, by);
            blocks.push_back(classify(pixels, index > 0 ? &previous : nullptr));
        }
    counts.assign(4, 0);
    Symbols symbols;
    for (std::size_t at = 0; at < blocks.size();) {
        std::size_t end = at + 1;
        while (end < blocks.size() && blocks[end].kind == blocks[at].kind && blocks[end].colour == blocks[at].colour)
            ++end;
        int run = longestRunIndex(static_cast<std::uint32_t>(end - at));
        std::size_t stop = at + runLength(run);
        symbols.emplace_back(kType, std::uint32_t(blocks[at].kind) | std::uint32_t(run) << 2 | blocks[at].colour << 8);
        counts[std::size_t(blocks[at].kind)] += static_cast<std::uint32_t>(stop - at);
        for (; at < stop; ++at) blockSymbols(blocks[at], symbols);
    }
    return symbols;
}

// Full palette: every entry new. A change: runs of unchanged entries skipped (0x80 | count - 1).
std::vector<std::uint8_t> paletteChunk(const std::vector<SmackerColor>& palette, const std::vector<SmackerColor>* old) {
    std::vector<std::uint8_t> chunk{0};
    for (std::size_t i = 0; i < 256;) {
        auto same = [&](std::size_t k) {
            return old && (*old)[k].r == palette[k].r && (*old)[k].g == palette[k].g && (*old)[k].b == palette[k].b;
        };
        std::size_t run = 0;
        while (i + run < 256 && run < 128 && same(i + run)) ++run;
        if (run) {
            chunk.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            i += run;
            continue;
        }
        chunk.insert(chunk.end(), {palette[i].r, palette[i].g, palette[i].b});
        ++i;
    }
    chunk.resize((chunk.size() + 3) / 4 * 4, 0);
    chunk[0] = static_cast<std::uint8_t>(chunk.size() / 4);
    return chunk;
}

// Packed sound: the first sample as it is, then each difference's low and high byte through two trees.
std::vector<std::uint8_t> soundChunk(const std::vector<std::int16_t>& samples) {
    Counts low, high;
    std::vector<std::uint16_t> deltas;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        deltas.push_back(static_cast<std::uint16_t>(samples[i] - samples[i - 1]));
        ++low[deltas.back() & 0xFF];
        ++high[deltas.back() >> 8];
    }
    if (deltas.empty()) low[0] = high[0] = 1;
    HuffmanTree lowTree(low), highTree(high);
    BitWriter bits;
    bits.bit(true);   // data
    bits.bit(false);  // mono
    bits.bit(true);   // 16-bit
    writeByteTree(bits, lowTree);
    writeByteTree(bits, highTree);
    std::uint16_t first = static_cast<std::uint16_t>(samples[0]);
    bits.bits(static_cast<std::uint16_t>(first << 8 | first >> 8), 16);
    for (std::uint16_t delta : deltas) {
        bits.code(lowTree.codes.at(delta & 0xFF));
        bits.code(highTree.codes.at(delta >> 8));
    }
    ByteWriter chunk(ByteOrder::little);
    chunk.u32(static_cast<std::uint32_t>(8 + bits.bytes.size()));
    chunk.u32(static_cast<std::uint32_t>(samples.size() * 2));
    chunk.span(bits.bytes.data(), bits.bytes.size());
    return chunk.bytes;
}

// Plain sound: the samples as they are, 8-bit unsigned or 16-bit little-endian.
std::vector<std::uint8_t> plainSoundChunk(const std::vector<std::int16_t>& samples, std::uint8_t bits) {
    ByteWriter chunk(ByteOrder::little);
    chunk.u32(static_cast<std::uint32_t>(4 + samples.size() * bits / 8));
    for (std::int16_t sample : samples) {
        if (bits == 8) chunk.u8(static_cast<std::uint8_t>(sample));
        else chunk.u16(static_cast<std::uint16_t>(sample));
    }
    return chunk.bytes;
}

std::uint8_t soundFlags(const SmackerMovie& movie) {
    if (movie.soundPacked) return kPacked | kSixteenBits;
    return static_cast<std::uint8_t>((movie.soundBits == 16 ? kSixteenBits : 0) | (movie.soundChannels == 2 ? kStereo : 0));
}

void check(const SmackerMovie& movie) {
    if (movie.width % 4 || movie.height % 4 || movie.frames.empty() || movie.frames[0].palette.size() != 256)
        throw std::invalid_argument("Smacker movie: sizes in fours, frames, and a palette at frame 0");
    for (const auto& frame : movie.frames)
        if (frame.pixels.size() != std::size_t(movie.width) * movie.height ||
            (!frame.palette.empty() && frame.palette.size() != 256))
            throw std::invalid_argument("Smacker movie: frame size or palette size");
}

}  // namespace

std::vector<std::uint8_t> writeSmacker(const SmackerMovie& movie, std::vector<SmackerBlockCounts>* blockCounts) {
    check(movie);
    std::vector<Symbols> symbols;
    std::array<Counts, kStreams> counts;
    for (std::size_t i = 0; i < movie.frames.size(); ++i) {
        SmackerBlockCounts kinds;
        symbols.push_back(frameSymbols(movie, i, kinds));
        if (blockCounts) blockCounts->push_back(kinds);
        for (const auto& [stream, value] : symbols.back()) ++counts[stream][value];
    }
    BitWriter treeBits;
    std::array<BigTree, kStreams> trees;
    for (int s = 0; s < kStreams; ++s) trees[s] = writeBigTree(treeBits, counts[s]);
    treeBits.bytes.resize((treeBits.bytes.size() + 3) / 4 * 4, 0);

    std::vector<std::vector<std::uint8_t>> frames;
    std::vector<std::uint8_t> flags;
    std::uint32_t largestSound = 0;
    const std::vector<SmackerColor>* palette = nullptr;
    for (std::size_t i = 0; i < movie.frames.size(); ++i) {
        const SmackerFrame& frame = movie.frames[i];
        std::vector<std::uint8_t> data;
        std::uint8_t frameFlags = 0;
        if (!frame.palette.empty()) {
            data = paletteChunk(frame.palette, palette);
            palette = &frame.palette;
            frameFlags |= kFramePalette;
        }
        if (movie.soundRate && !frame.sound.empty()) {
            auto sound = movie.soundPacked ? soundChunk(frame.sound) : plainSoundChunk(frame.sound, movie.soundBits);
            data.insert(data.end(), sound.begin(), sound.end());
            const std::uint32_t bits = movie.soundPacked ? 16 : movie.soundBits;
            largestSound = std::max(largestSound, static_cast<std::uint32_t>(frame.sound.size() * bits / 8));
            frameFlags |= kFrameTrack0;
        }
        BitWriter video;
        for (const auto& [stream, value] : symbols[i]) video.code(trees[stream].codes.at(value));
        data.insert(data.end(), video.bytes.begin(), video.bytes.end());
        data.resize((data.size() + 3) / 4 * 4, 0);
        frames.push_back(std::move(data));
        flags.push_back(frameFlags);
    }

    ByteWriter out(ByteOrder::little);
    out.chars4('S' | 'M' << 8 | 'K' << 16 | std::uint32_t('2') << 24);
    out.u32(movie.width);
    out.u32(movie.height);
    out.u32(static_cast<std::uint32_t>(movie.frames.size()));
    out.u32(static_cast<std::uint32_t>(-static_cast<std::int32_t>(movie.frameTime)));
    out.u32(0);
    for (int t = 0; t < 7; ++t) out.u32(t == 0 && movie.soundRate ? largestSound : 0);
    out.u32(static_cast<std::uint32_t>(treeBits.bytes.size()));
    for (int s = 0; s < kStreams; ++s) out.u32(trees[s].nodes * 4);
    for (int t = 0; t < 7; ++t) out.u32(t == 0 && movie.soundRate ? (movie.soundRate | std::uint32_t(soundFlags(movie)) << 24) : 0);
    out.u32(0);
    if (out.size() != kHeaderBytes) throw std::logic_error("Smacker header size");
    for (std::size_t i = 0; i < frames.size(); ++i) out.u32(static_cast<std::uint32_t>(frames[i].size()) | (i == 0 ? 1 : 0));
    out.span(flags.data(), flags.size());
    out.span(treeBits.bytes.data(), treeBits.bytes.size());
    for (const auto& frame : frames) out.span(frame.data(), frame.size());
    return out.bytes;
}
