// File and resource streams: block arithmetic, whole mode, seeking, buffers, clones and bad arguments.
#include "OMIStreamFile.h"
#include "OMIStreamRes.h"
#include "TestSupport.h"
#include "WaveWriter.h"

namespace {
struct FileStreamTest : ::testing::Test {
    void SetUp() override { writeWholeFile(name, bytes); }
    std::string slice(std::int32_t at, std::int32_t count) const {
        return bytes.substr(std::size_t(at), std::size_t(count));
    }
    TempFolder folder;
    const std::string name = folder.file("data.bin");
    const std::string bytes = pattern(10000);
};

TEST_F(FileStreamTest, BlocksOfTheDefaultSizeThenZeroAndSeeksClamped) {
    OMIStreamFile stream(name.c_str(), 0, nullptr);
    EXPECT_EQ(stream.size, 10000);
    std::int32_t offset = 0;
    for (std::int32_t count : {4096, 4096, 1808}) {
        ASSERT_EQ(stream.read(), count) << offset;
        EXPECT_EQ(std::make_pair(stream.blockStart, block(stream, count)),
                  std::make_pair(offset, slice(offset, count)));
        offset += count;
    }
    const std::uint8_t* last = stream.current;
    EXPECT_EQ(stream.read(), 0);
    EXPECT_EQ(stream.current, last) << "the last block stays current at the end";
    stream.seek(-5);
    EXPECT_EQ(stream.position, 0);
    stream.seek(20000);
    EXPECT_EQ(stream.read(), 0);
    stream.seek(9999);
    ASSERT_EQ(stream.read(), 1);
    const std::unique_ptr<OMIStream> copy(stream.clone());
    EXPECT_STREQ(copy->typeName(), "OMIStreamFile");
    EXPECT_EQ(block(*copy, 1), slice(9999, 1)) << "a clone picks up the current block";
    stream.close();  // reopens from the start
    ASSERT_EQ(stream.read(), 4096);
    EXPECT_EQ(block(stream, 16), slice(0, 16));
}

TEST_F(FileStreamTest, WholeModeAndBuffersChosenBeforeTheFirstRead) {
    OMIStreamFile whole(name.c_str(), kStreamWhole, nullptr);
    ASSERT_EQ(whole.read(), 10000);
    EXPECT_EQ(whole.read(), 0);
    whole.seek(100);
    ASSERT_EQ(whole.read(), 9900);
    EXPECT_EQ(std::make_pair(whole.current, block(whole, 9900)), std::make_pair(whole.buffer + 100, bytes.substr(100)));
    std::uint8_t own[1024];
    whole.setBuffer(1024, own);
    whole.seek(0);
    EXPECT_EQ(whole.read(), 10000) << "an open whole-mode stream keeps its mode";
    OMIStreamFile blocks(name.c_str(), kStreamWhole, nullptr);
    blocks.setBuffer(1024, own);
    ASSERT_EQ(blocks.read(), 1024);
    EXPECT_EQ(blocks.current, own);
    OMIStreamFile open(name.c_str(), 1000, nullptr);
    ASSERT_EQ(open.read(), 1000);
    open.setBuffer(3000, nullptr);
    ASSERT_EQ(open.read(), 3000) << "the position is kept";
    EXPECT_EQ(block(open, 3000), slice(1000, 3000));
}

TEST_F(FileStreamTest, TheSizeQueryAndEmptyStreamsOfBadArguments) {
    const OMIStreamFileInfo found = OMIStreamFile::open(name.c_str());
    EXPECT_EQ(std::pair(found.found, found.length), std::pair(1, 10000));
    const std::string absent = folder.file("absent.bin");
    EXPECT_EQ(OMIStreamFile::open(absent.c_str()).found, 0);
    for (const auto& [file, blockSize] :
         {std::pair<const char*, std::int32_t>{absent.c_str(), 0}, {"", 0}, {nullptr, 0}, {name.c_str(), -2}}) {
        OMIStreamFile stream(file, blockSize, nullptr);
        EXPECT_EQ(stream.size, 0) << (file ? file : "(null)") << " block " << blockSize;
        EXPECT_EQ(stream.read(), 0);
    }
    for (const auto& [id, type, blockSize] : {std::tuple<std::int16_t, const char*, std::int32_t>{99, "WAVE", 0},
                                              {3, "NFNT", 0}, {0, "WAVE", 0}, {-3, "WAVE", 0}, {3, "", 0},
                                              {3, "WAVE", -2}}) {
        OMIStreamRes stream(id, type, nullptr, blockSize, nullptr);
        EXPECT_EQ(stream.size, 0) << id << " " << type << " block " << blockSize;
        EXPECT_EQ(stream.read(), 0);
    }
}

// The program's own wave resource is the 52-byte wave that the wave writer makes of 8 silent samples.
TEST(ResourceStreamTest, TheProgramsWaveInBlocksAndIntoAGivenBuffer) {
    OMIStreamRes blocks(3, "WAVE", nullptr, 16, nullptr);
    EXPECT_STREQ(blocks.typeName(), "OMIStreamRes");
    for (std::int32_t count : {16, 16, 16, 4, 0}) EXPECT_EQ(blocks.read(), count);
    blocks.seek(36);
    ASSERT_EQ(blocks.read(), 16);
    const std::unique_ptr<OMIStream> copy(blocks.clone());
    EXPECT_EQ(block(*copy, 4), "data");
    std::uint8_t given[52] = {};
    OMIStreamRes external(3, "WAVE", nullptr, kStreamWhole, given);
    ASSERT_EQ(external.read(), 52);
    WaveSound silent;
    silent.samples = std::string(8, '\x80');
    EXPECT_EQ(std::string(reinterpret_cast<char*>(given), 52), writeWave(silent));
}
}  // namespace
