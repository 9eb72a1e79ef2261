// The XPK bank's layout read from a bank written byte by byte, the byte-order conversion of forged banks
// of every format against the same banks forged in native order, and which banks load: those whose
// offsets and counts stay inside their block.
#include <functional>
#include <tuple>

#include "ByteOrder.h"
#include "GraphicsTestSupport.h"
#include "ShapeTestSupport.h"
#include "XpkFormat.h"

namespace {

std::uint8_t* mutableBytes(std::string& s) { return reinterpret_cast<std::uint8_t*>(&s[0]); }

TEST(XpkBankTest, ViewReadsTheLayoutAsStored) {
    // Header; a colour map of two entries; one descriptor; the data-offset table; three data bytes.
    const std::string bank = words({0x1234, 0xF27E, 0xB002, 1, 20, 0, 36, 0}) + words({0x7FFF, 0x001F}) +
                             words({3, 4, 10, 9, 1, 0xFFFE, 5, 3}) + words({4, 0}) + bytes({7, 8, 9});
    XpkBank view;
    XpkShape shape;
    ASSERT_TRUE(view.open(bank.data(), bank.size()) && view.shape(0, &shape));
    const ShapeDesc& d = shape.desc;
    EXPECT_EQ(std::vector<int>({d.hotX, d.hotY, d.frameWidth, d.frameHeight, d.imageX, d.imageY, d.imageWidth,
                                d.imageHeight}),
              std::vector<int>({3, 4, 10, 9, 1, -2, 5, 3}));
    EXPECT_EQ((Results{view.format(), view.count(), shape.data - data(bank), shape.size, view.shape(1, &shape)}),
              (Results{0xB002, 1, 40, 3, 0}))
        << "the data: 4 bytes after the table, to the end of the bank; no second shape";
    std::uint16_t map[kXpkColourMapMax];
    view.colourMap(map);
    EXPECT_EQ(std::vector<std::uint16_t>(map, map + 3), std::vector<std::uint16_t>({0x7FFF, 0x001F, 0}))
        << "entries past the map read as black";
    EXPECT_FALSE(xpkBankCheck(data(bank), bank.size(), ByteOrder::little))
        << "the view reads an unchecked bank, but three bytes cannot hold the shape's three rows";
}

// Reads or writes a 32-bit field of a bank in its order.
void put32(std::string& bank, std::size_t at, std::uint32_t value, ByteOrder order) {
    for (int i = 0; i < 4; ++i) bank[at + std::size_t(i)] = char(value >> (order == ByteOrder::big ? 24 - 8 * i : 8 * i));
}
std::uint32_t get32(const std::string& bank, std::size_t at, ByteOrder order) {
    std::uint32_t value = 0;
    return ByteReader(bank.data(), bank.size(), order).u32At(at, value) ? value : 0;
}

// Shape 3 (5 x 5, no data) given shape 0's data, which must be converted once.
void shareData(std::string& bank, ByteOrder order) {
    const std::uint32_t table = get32(bank, 12, order);
    put32(bank, table + 12, get32(bank, table, order), order);
}

TEST(XpkBankTest, BigEndianBanksConvertToTheNativeBytes) {
    for (std::uint16_t format : kFormats) {
        SCOPED_TRACE(testing::Message() << std::hex << format);
        std::string big = forgeXpk(forgedBank(format), ByteOrder::big);
        std::string native = forgeXpk(forgedBank(format), ByteOrder::little);
        shareData(big, ByteOrder::big);
        shareData(native, ByteOrder::little);
        EXPECT_EQ((Results{xpkBankCheck(::data(big), big.size(), ByteOrder::big),
                           xpkBankCheck(::data(native), native.size(), ByteOrder::little),
                           xpkBankSwap(mutableBytes(big), big.size()), ByteOrderNeedsSwap(ByteOrderReadMarker(big.data()))}),
                  (Results{1, 1, 1, 0}));
        EXPECT_EQ(big, native);
    }
}

// A bank loads exactly when everything it names lies inside its block: an empty last shape may have its
// data at the block's end and tables that hold nothing may lie anywhere; a refused bank is not converted.
TEST(XpkBankTest, BanksLoadWhenTheyReadOnlyInsideTheirBlock) {
    const auto endOffset = [](std::string& b, ByteOrder o) {
        put32(b, get32(b, 12, o) + 12, std::uint32_t(b.size()) - get32(b, 12, o), o);
    };
    const std::tuple<const char*, std::uint16_t, bool, std::function<void(std::string&, ByteOrder)>> cases[] = {
        {"shorter than the header", 0xC002, false, [](std::string& b, ByteOrder) { b.resize(12); }},
        {"a descriptor table past the end", 0xC002, false,
         [](std::string& b, ByteOrder o) { put32(b, 8, std::uint32_t(b.size() - 16 * 4 + 1), o); }},
        {"a data-offset table past the end", 0xC001, false,
         [](std::string& b, ByteOrder o) { put32(b, 12, std::uint32_t(b.size() - 4), o); }},
        {"more shapes than the tables hold", 0xB001, false,
         [](std::string& b, ByteOrder o) { b[o == ByteOrder::big ? 6 : 7] = 0x10; }},
        {"a data offset past the end", 0xC002, false,
         [](std::string& b, ByteOrder o) { put32(b, get32(b, 12, o), std::uint32_t(b.size()) + 1 - get32(b, 12, o), o); }},
        {"0xB001 rows of a shape whose data is the block's end", 0xB001, false, endOffset},
        {"0xB001 rows past the end", 0xB001, false, [](std::string& b, ByteOrder) { b.resize(b.size() - 2); }},
        {"0xB002 rows past the end", 0xB002, false, [](std::string& b, ByteOrder) { b.resize(b.size() - 1); }},
        {"0xC002, a last shape's data at the end", 0xC002, true, endOffset},
        {"0xB002, a last shape of no rows at the end", 0xB002, true,
         [&](std::string& b, ByteOrder o) {
             endOffset(b, o);
             b[get32(b, 12, o) - 2] = b[get32(b, 12, o) - 1] = 0;  // the last descriptor field: image height 0
         }},
        {"no shapes and tables at 0", 0xB002, true,
         [](std::string& b, ByteOrder o) { b = b.substr(0, 16); b[6] = b[7] = 0; put32(b, 8, 0, o); put32(b, 12, 0, o); }},
    };
    for (const auto& [name, format, loads, change] : cases) {
        for (ByteOrder order : {ByteOrder::big, ByteOrder::little}) {
            SCOPED_TRACE(testing::Message() << name << (order == ByteOrder::big ? ", big-endian" : ", native"));
            std::string bank = forgeXpk(forgedBank(format), order);
            change(bank, order);
            const std::string before = bank;
            const bool big = order == ByteOrder::big;
            EXPECT_EQ((Results{xpkBankCheck(::data(bank), bank.size(), order),
                               big && xpkBankSwap(mutableBytes(bank), bank.size()), bank == before}),
                      (loads ? Results{1, big, !big} : Results{0, 0, 1}));
        }
    }
}

}  // namespace
