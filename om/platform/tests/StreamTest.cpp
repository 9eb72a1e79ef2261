// File and resource streams: block arithmetic, whole mode, seeking, buffers, clones and bad arguments.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Files.h"
#include "OMIStreamFile.h"
#include "OMIStreamRes.h"
#include "TempFolder.h"
#include "TestSupport.h"

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override { writeWholeFile(name, bytes); }

    TempFolder folder;
    const std::string name = folder.file("data.bin");
    const std::string bytes = pattern(10000);
};

TEST_F(FileStreamTest, BlocksOfTheDefaultSizeThenZero) {
    OMIStreamFile stream(name.c_str(), 0, nullptr);
    EXPECT_EQ(stream.size, 10000);
    EXPECT_FALSE(stream.isOpen);
    stream.seek(0);
    std::int32_t offset = 0;
    for (std::int32_t count : {4096, 4096, 1808}) {
        SCOPED_TRACE(offset);
        ASSERT_EQ(stream.read(), count);
        EXPECT_EQ(stream.blockStart, offset);
        EXPECT_EQ(block(stream, count), bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count)));
        offset += count;
    }
    const std::uint8_t* last = stream.current;
    EXPECT_EQ(stream.read(), 0);
    EXPECT_EQ(stream.current, last) << "the last block stays current at the end";
    EXPECT_EQ(stream.position, 10000);
    EXPECT_EQ(stream.blockStart, 8192);

    stream.close();  // reopens from the start
    EXPECT_EQ(stream.current, nullptr);
    EXPECT_EQ(stream.position, 0);
    EXPECT_FALSE(stream.isOpen);
    ASSERT_EQ(stream.read(), 4096);
    EXPECT_EQ(block(stream, 16), bytes.substr(0, 16));
}

TEST_F(FileStreamTest, WholeModeDeliversTheRestInOneBlock) {
    OMIStreamFile stream(name.c_str(), kStreamWhole, nullptr);
    ASSERT_EQ(stream.read(), 10000);
    EXPECT_EQ(block(stream, 10000), bytes);
    EXPECT_EQ(stream.read(), 0);
    stream.seek(100);
    EXPECT_EQ(stream.current, nullptr);
    ASSERT_EQ(stream.read(), 9900);
    EXPECT_EQ(stream.current, stream.buffer + 100);
    EXPECT_EQ(block(stream, 9900), bytes.substr(100));
}

TEST_F(FileStreamTest, SeekIsClampedToTheData) {
    OMIStreamFile stream(name.c_str(), 0, nullptr);
    stream.seek(-5);
    EXPECT_EQ(stream.position, 0);
    stream.seek(20000);
    EXPECT_EQ(stream.position, 10000);
    EXPECT_EQ(stream.read(), 0);
    stream.seek(9999);
    ASSERT_EQ(stream.read(), 1);
    EXPECT_EQ(block(stream, 1), bytes.substr(9999));
}

TEST_F(FileStreamTest, SetBufferChoosesTheModeBeforeTheFirstReadAndKeepsThePositionAfter) {
    std::uint8_t own[1024];
    OMIStreamFile blocks(name.c_str(), kStreamWhole, nullptr);
    blocks.setBuffer(1024, own);
    ASSERT_EQ(blocks.read(), 1024);
    EXPECT_EQ(blocks.current, own);
    EXPECT_EQ(block(blocks, 1024), bytes.substr(0, 1024));

    OMIStreamFile whole(name.c_str(), kStreamWhole, nullptr);
    ASSERT_EQ(whole.read(), 10000);
    whole.setBuffer(1024, own);
    whole.seek(0);
    EXPECT_EQ(whole.read(), 10000) << "an open whole-mode stream keeps its mode";

    OMIStreamFile open(name.c_str(), 1000, nullptr);
    ASSERT_EQ(open.read(), 1000);
    open.setBuffer(3000, nullptr);
    ASSERT_EQ(open.read(), 3000);
    EXPECT_EQ(open.blockStart, 1000);
    EXPECT_EQ(block(open, 3000), bytes.substr(1000, 3000));
}

TEST_F(FileStreamTest, AClonePicksUpTheCurrentBlock) {
    OMIStreamFile stream(name.c_str(), 0, nullptr);
    ASSERT_EQ(stream.read(), 4096);
    ASSERT_EQ(stream.read(), 4096);
    const std::unique_ptr<OMIStream> copy(stream.clone());
    EXPECT_STREQ(copy->typeName(), "OMIStreamFile");
    EXPECT_TRUE(copy->isOpen);
    EXPECT_EQ(copy->blockStart, 4096);
    EXPECT_EQ(block(*copy, 4096), bytes.substr(4096, 4096));
    EXPECT_EQ(copy->read(), 1808);

    OMIStreamFile fresh(name.c_str(), 0, nullptr);
    const std::unique_ptr<OMIStream> unopened(fresh.clone());
    EXPECT_FALSE(unopened->isOpen);
    EXPECT_EQ(unopened->read(), 4096);
}

TEST_F(FileStreamTest, TheSizeQueryAndEmptyStreams) {
    const OMIStreamFileInfo found = OMIStreamFile::open(name.c_str());
    EXPECT_EQ(found.found, 1);
    EXPECT_EQ(found.length, 10000);
    EXPECT_EQ(found.reserved, 0);
    const std::string absent = folder.file("absent.bin");
    const OMIStreamFileInfo missing = OMIStreamFile::open(absent.c_str());
    EXPECT_EQ(missing.found + missing.length + missing.reserved, 0);
    const std::pair<const char*, std::int32_t> cases[] = {
        {absent.c_str(), 0}, {"", 0}, {nullptr, 0}, {name.c_str(), -2}};
    for (const auto& [file, blockSize] : cases) {
        SCOPED_TRACE(::testing::Message() << (file ? file : "(null)") << " block " << blockSize);
        OMIStreamFile stream(file, blockSize, nullptr);
        EXPECT_EQ(stream.size, 0);
        EXPECT_EQ(stream.read(), 0);
    }
}

TEST(ResourceStreamTest, WholeAndBlockModeOverTheProgramsWave) {
    OMIStreamRes whole(3, "WAVE", nullptr, kStreamWhole, nullptr);
    EXPECT_STREQ(whole.typeName(), "OMIStreamRes");
    ASSERT_EQ(whole.size, 52);
    ASSERT_EQ(whole.read(), 52);
    EXPECT_EQ(block(whole, 4), "RIFF");
    EXPECT_EQ(block(whole, 52).substr(44), std::string(8, '\x80'));

    OMIStreamRes blocks(3, "WAVE", nullptr, 16, nullptr);
    for (std::int32_t count : {16, 16, 16, 4, 0}) EXPECT_EQ(blocks.read(), count);
    blocks.seek(36);
    ASSERT_EQ(blocks.read(), 16);
    EXPECT_EQ(block(blocks, 4), "data");
    const std::unique_ptr<OMIStream> copy(blocks.clone());
    EXPECT_EQ(copy->blockStart, 36);
    EXPECT_EQ(block(*copy, 4), "data");

    std::uint8_t given[52] = {};
    OMIStreamRes external(3, "WAVE", nullptr, kStreamWhole, given);
    ASSERT_EQ(external.read(), 52);
    EXPECT_EQ(external.current, given);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(given), 4), "RIFF");
}

TEST(ResourceStreamTest, MissingResourcesAndBadArgumentsAreEmpty) {
    struct Case {
        std::int16_t id;
        const char* type;
        std::int32_t blockSize;
    };
    for (const Case& c : {Case{99, "WAVE", 0}, Case{3, "NFNT", 0}, Case{0, "WAVE", 0}, Case{-3, "WAVE", 0},
                          Case{3, "", 0}, Case{3, "WAVE", -2}}) {
        SCOPED_TRACE(::testing::Message() << c.id << " " << c.type << " block " << c.blockSize);
        OMIStreamRes stream(c.id, c.type, nullptr, c.blockSize, nullptr);
        EXPECT_EQ(stream.size, 0);
        EXPECT_EQ(stream.read(), 0);
    }
}

}  // namespace
