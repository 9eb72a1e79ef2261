// Shared animation palettes: the last used is current, find makes a record current again, references
// count holders, and short RRGB data make no record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AOPaletteRecord.h"
#include "AseqWriter.h"

namespace {

// The low byte of each component is ignored.
std::vector<std::uint8_t> rrgb(std::uint32_t first) {
    const std::string bytes = writeRrgb({first}, 0x34);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

class PaletteRecordTest : public ::testing::Test {
protected:
    void TearDown() override { AOPaletteRecord::emptyList(); }
};

TEST_F(PaletteRecordTest, TheLastUsedPaletteIsCurrentAndFindMakesOneCurrentAgain) {
    const auto a = rrgb(0x102030);
    const auto b = rrgb(0x405060);
    EXPECT_EQ(AOPaletteRecord::createFromRrgb(5, a.data(), a.size() - 1), nullptr) << "short data";
    EXPECT_EQ(AOPaletteRecord::current(), nullptr);
    AOPaletteRecord* first = AOPaletteRecord::createFromRrgb(5, a.data(), a.size());
    AOPaletteRecord* second = AOPaletteRecord::createFromRrgb(6, b.data(), b.size());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), second);
    EXPECT_EQ(second->colors[0].red, 0x4000);
    EXPECT_EQ(second->colors[0].green, 0x5000);
    EXPECT_EQ(second->colors[0].blue, 0x6000);
    EXPECT_EQ(AOPaletteRecord::find(5), first);
    EXPECT_EQ(AOPaletteRecord::current(), first);
    EXPECT_EQ(first->references, 2);
    EXPECT_EQ(AOPaletteRecord::find(7), nullptr);
    EXPECT_EQ(AOPaletteRecord::current(), first);
}

// An animation and its copy each use the record; releasing both leaves the creation reference.
TEST_F(PaletteRecordTest, HoldersReleaseBackToTheCreationReferenceAndTheLastReleaseDestroys) {
    std::vector<OMColorRecord> table(256, colorOf(1, 2, 3));
    AOPaletteRecord* record = AOPaletteRecord::createFromTable(table.data());
    EXPECT_EQ(record->id, 0);
    for (int i = 0; i < 2; ++i) AOPaletteRecord::use(record);
    for (int i = 0; i < 2; ++i) AOPaletteRecord::release(record);
    EXPECT_EQ(record->references, 1);
    EXPECT_EQ(AOPaletteRecord::listSize(), 1u);
    AOPaletteRecord::release(record);
    EXPECT_EQ(AOPaletteRecord::listSize(), 0u);
    EXPECT_EQ(AOPaletteRecord::current(), nullptr);
}

}  // namespace
