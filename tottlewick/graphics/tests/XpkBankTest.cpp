// The XPK bank's layout read from a bank written byte by byte, the byte-order conversion of forged banks
// of every format against the same banks forged in native order, and the refusal of banks whose
// offsets or counts pass their block.
#include <gtest/gtest.h>

#include <functional>

#include "ByteOrder.h"
#include "ShapeTestSupport.h"
#include "XpkForge.h"
#include "XpkFormat.h"

namespace {

std::uint8_t* mutableBytes(std::string& s) { return reinterpret_cast<std::uint8_t*>(&s[0]); }

ForgeBank forgedBank(std::uint16_t format) {
    ForgeBank bank;
    bank.format = format;
    for (int i = 0; i < 40; ++i) bank.colourMap.push_back(std::uint16_t(i * 811 & 0x7FFF));
    bank.shapes = {forgePattern(format, 23, 7, 1, 40), forgePattern(format, 140, 3, 2, 40), ForgeShape{}};
    bank.shapes[2].width = 4;
    bank.shapes[2].height = 2;
    return bank;
}

const std::uint16_t kFormats[] = {0xC002, 0xC001, 0xB002, 0xB001};

TEST(XpkBankTest, ViewReadsTheLayoutAsStored) {
    // Header; a colour map of two entries; one descriptor; the data-offset table; three data bytes.
    const std::string bank = words({0x1234, 0xF27E, 0xB002, 1, 20, 0, 36, 0}) + words({0x7FFF, 0x001F}) +
                             words({3, 4, 10, 9, 1, 0xFFFE, 5, 3}) + words({4, 0}) + bytes({7, 8, 9});
    XpkBank view;
    ASSERT_TRUE(view.open(bank.data(), bank.size()));
    EXPECT_EQ(view.format(), 0xB002);
    EXPECT_EQ(view.count(), 1);
    XpkShape shape;
    ASSERT_TRUE(view.shape(0, &shape));
    const ShapeDesc& d = shape.desc;
    EXPECT_EQ(std::vector<int>({d.hotX, d.hotY, d.frameWidth, d.frameHeight, d.imageX, d.imageY, d.imageWidth,
                                d.imageHeight}),
              std::vector<int>({3, 4, 10, 9, 1, -2, 5, 3}));
    EXPECT_EQ(shape.data, data(bank) + 40) << "4 bytes after the table";
    EXPECT_EQ(shape.size, 3u) << "the data runs to the end of the bank";
    EXPECT_FALSE(view.shape(1, &shape));
    std::uint16_t map[kXpkColourMapMax];
    view.colourMap(map);
    EXPECT_EQ(std::vector<std::uint16_t>(map, map + 3), std::vector<std::uint16_t>({0x7FFF, 0x001F, 0}))
        << "entries past the map read as black";
    EXPECT_FALSE(xpkBankCheck(data(bank), bank.size(), ByteOrder::little))
        << "the view reads an unchecked bank, but three bytes cannot hold the shape's three rows";
}

TEST(XpkBankTest, BigEndianBanksConvertToTheNativeBytes) {
    for (std::uint16_t format : kFormats) {
        SCOPED_TRACE(testing::Message() << std::hex << format);
        const ForgeBank forged = forgedBank(format);
        std::string big = forgeXpk(forged, ByteOrder::big);
        const std::string native = forgeXpk(forged, ByteOrder::little);
        EXPECT_TRUE(xpkBankCheck(mutableBytes(big), big.size(), ByteOrder::big));
        EXPECT_TRUE(xpkBankCheck(data(native), native.size(),
                                 ByteOrder::little));
        EXPECT_TRUE(xpkBankSwap(mutableBytes(big), big.size()));
        EXPECT_EQ(big, native);
        EXPECT_EQ(ByteOrderNeedsSwap(ByteOrderReadMarker(big.data())), 0);
    }
}

// Writes a 32-bit field of a bank in its order.
void put32(std::string& bank, std::size_t at, std::uint32_t value, ByteOrder order) {
    for (int i = 0; i < 4; ++i) {
        const int shift = order == ByteOrder::big ? 24 - 8 * i : 8 * i;
        bank[at + std::size_t(i)] = static_cast<char>(value >> shift);
    }
}

std::uint32_t get32(const std::string& bank, std::size_t at, ByteOrder order) {
    std::uint32_t value = 0;
    return ByteReader(bank.data(), bank.size(), order).u32At(at, value) ? value : 0;
}

TEST(XpkBankTest, BanksWithFieldsPastTheirBlockAreRefusedUntouched) {
    using Break = std::function<void(std::string&, ByteOrder)>;
    struct Case {
        const char* name;
        std::uint16_t format;
        Break damage;
    };
    const Case cases[] = {
        {"shorter than the header", 0xC002, [](std::string& b, ByteOrder) { b.resize(12); }},
        {"a descriptor table past the end", 0xC002,
         [](std::string& b, ByteOrder o) { put32(b, 8, std::uint32_t(b.size() - 16 * 3 + 1), o); }},
        {"a data-offset table past the end", 0xC001,
         [](std::string& b, ByteOrder o) { put32(b, 12, std::uint32_t(b.size() - 4), o); }},
        {"a table inside the header", 0xC002, [](std::string& b, ByteOrder o) { put32(b, 8, 8, o); }},
        {"more shapes than the tables hold", 0xB001,
         [](std::string& b, ByteOrder o) { b[o == ByteOrder::big ? 6 : 7] = 0x10; }},
        {"a data offset past the end", 0xC002,
         [](std::string& b, ByteOrder o) { put32(b, get32(b, 12, o), std::uint32_t(b.size()) - get32(b, 12, o), o); }},
        {"0xB001 rows past the end", 0xB001, [](std::string& b, ByteOrder) { b.resize(b.size() - 2); }},
        {"0xB002 rows past the end", 0xB002, [](std::string& b, ByteOrder) { b.resize(b.size() - 1); }},
    };
    for (const Case& c : cases) {
        for (ByteOrder order : {ByteOrder::big, ByteOrder::little}) {
            SCOPED_TRACE(testing::Message() << c.name << (order == ByteOrder::big ? ", big-endian" : ", native"));
            std::string bank = forgeXpk(forgedBank(c.format), order);
            c.damage(bank, order);
            const std::string before = bank;
            EXPECT_FALSE(xpkBankCheck(mutableBytes(bank), bank.size(), order));
            if (order == ByteOrder::big) {
                EXPECT_FALSE(xpkBankSwap(mutableBytes(bank), bank.size()));
                EXPECT_EQ(bank, before) << "a refused bank is not converted";
            }
        }
    }
}

}  // namespace
