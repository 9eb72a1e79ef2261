// Streams end to end: memory, file and empty sources, the filter, states, seeking, serving and closing.
#include <cstring>

#include "EngineClock.h"
#include "EngineTestSupport.h"
#include "Stream.h"

namespace {

const char kDigits[] = "0123456789";
std::vector<std::uint32_t> seen;
std::uint32_t now = 5000;
std::uint32_t fakeClock() { return now; }

// Filters that record every message: one does the fill work on serve, as the sound layer's filter does;
// the other makes the message in `refused` answer 0.
std::uint32_t fillOnServe(Stream, std::uint32_t message) {
    seen.push_back(message);
    return message == kStreamMsgServe ? kStreamMsgFill : message;
}
std::uint32_t refused = 0;
std::uint32_t refuseOne(Stream, std::uint32_t message) {
    seen.push_back(message);
    return message == refused ? kStreamMsgRefuse : message;
}
std::uint32_t swallowAll(Stream, std::uint32_t) { return 99; }

struct StreamTest : EngineTest {
    void SetUp() override {
        EngineTest::SetUp();
        StreamInit();
        ClockSetSource(fakeClock);
        seen.clear();
    }
    void TearDown() override {
        StreamTerm();
        ClockSetSource(nullptr);
        EngineTest::TearDown();
    }
    // A stream over the ten digits, prepared with a 4-byte chunk unless asked not to be.
    Stream digits(bool prepared = true) {
        Stream stream = 0;
        EXPECT_EQ(StreamOpenMemory(&stream, kDigits, 10), 1);
        if (prepared) prepare(stream);
        return stream;
    }
    void prepare(Stream stream) {
        StreamSetBuffer(stream, buffer, sizeof buffer);
        StreamSetChunkSize(stream, 4);
        StreamSetFilter(stream, fillOnServe);
    }
    // The last chunk's bytes.
    std::string chunkText(Stream stream) {
        std::uint32_t size = 0;
        auto* chunk = static_cast<const char*>(StreamGetLastChunk(stream, &size, nullptr));
        return chunk ? std::string(chunk, size) : std::string();
    }
    char buffer[8] = {};
};

TEST_F(StreamTest, MemoryStreamDeliversFourFourTwoWithReadyNotifications) {
    Stream stream = digits();
    struct Step { std::vector<std::uint32_t> messages; std::uint32_t position, fill; std::string lastChunk; };
    const Step steps[] = {
        {{3, 6, 8}, 4, 4, "0123"}, {{7, 8, 9}, 8, 0, "01234567"}, {{7, 8, 9}, 10, 0, std::string("89", 2) + "234567"},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        seen.clear();
        now += 10;
        EXPECT_EQ(i == 0 ? StreamStart(stream) : StreamServe(stream), 1u);
        EXPECT_EQ(seen, steps[i].messages);
        EXPECT_EQ(Both(StreamGetPosition(stream), StreamGetFill(stream)), Both(steps[i].position, steps[i].fill));
        EXPECT_EQ(chunkText(stream), steps[i].lastChunk);
        std::uint32_t time = 0;
        StreamGetLastChunk(stream, nullptr, &time);
        EXPECT_EQ(time, now);
    }
    EXPECT_EQ(StreamGetRemaining(stream), 0u);
}

TEST_F(StreamTest, FileStreamReadsSurvivesAFileThatShrinksAndClosesItsFileOnce) {
    std::string name = make("sound.bin", "ABCDEFGHIJ");
    Stream stream = 0;
    ASSERT_EQ(StreamOpenFile(&stream, name.c_str()), 1);
    char file[kFilePathSize];
    EXPECT_EQ((Results{StreamGetSize(stream), StreamGetFileName(stream, file), !std::strcmp(file, "sound.bin")}),
              (Results{10, 1, 1})) << file;
    prepare(stream);
    ASSERT_EQ(StreamStart(stream), 1u);
    EXPECT_EQ(chunkText(stream), "ABCD");
    ASSERT_EQ(FileSetSize(name.c_str(), 5), 0);
    seen.clear();
    EXPECT_EQ((Both{StreamServe(stream), StreamServe(stream)}), Both(1, 1));
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{7, 4, 13})) << "the short read pauses the stream";
    EXPECT_EQ(StreamGetPosition(stream), 4u);
    // Stopping twice closes the owned file once: a file opened in between keeps its slot.
    FileRef owned = StreamGetFile(stream);
    EXPECT_EQ((Both{StreamStop(stream), StreamGetFile(stream)}), Both(1, 0));
    FileRef other = FileOpen(name.c_str(), kFileRead);
    EXPECT_EQ(other & 0xFF, owned & 0xFF);
    EXPECT_EQ((Results{StreamClose(&stream), stream, FileTell(other), FileGetError()}), (Results{1, 0, 0, 0}));
}

TEST_F(StreamTest, FileRefStreamRepositionsAndPausesWhenRepositioningIsRefused) {
    FileRef file = FileOpen(make("data.bin", "xxxxABCDEFGHyy").c_str(), kFileRead);
    Stream stream = 0;
    ASSERT_EQ(StreamOpenFileRef(&stream, file, 4, 8), 1);
    prepare(stream);
    FileSeek(file, 12, 0);  // somebody else moved the file
    ASSERT_EQ(StreamStart(stream), 1u);
    EXPECT_EQ(chunkText(stream), "ABCD");
    EXPECT_EQ(StreamSeek(stream, 2, 2), 1u);
    StreamSetBuffer(stream, buffer, sizeof buffer);
    seen.clear();
    StreamSend(stream, kStreamMsgFill);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{6, 8, 9})) << "the source is exhausted: ready";
    EXPECT_EQ(std::string(buffer, 2), "GH");
    StreamStop(stream);
    EXPECT_EQ(FileTell(file), 12) << "not owned: still open, at the end of the stretch";
    // A refused re-positioning pauses the fill, which answers 0; the seek message itself answers 1, even
    // when the file can no longer be positioned.
    StreamSetFilter(stream, refuseOne);
    refused = kStreamMsgSeek;
    FileSeek(file, 0, 0);
    seen.clear();
    EXPECT_EQ((Both{StreamSend(stream, kStreamMsgFill), StreamGetState(stream)}), Both(0, kStreamPaused));
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{6, 12, 4}));
    StreamSetFilter(stream, nullptr);
    FileClose(file);
    EXPECT_EQ(StreamSeek(stream, 2, 0) + StreamRewind(stream), 2u);
}

TEST_F(StreamTest, SeekClampsToTheSourceAndBadHandlesAnswerQuietly) {
    Stream stream = digits(false);
    struct Case { std::int32_t offset; std::int16_t origin; std::uint32_t result, position; } cases[] = {
        {0, 2, 1, 10}, {3, 0, 1, 3}, {-5, 1, 1, 0}, {25, 0, 1, 10}, {-4, 2, 1, 10}, {4, 2, 1, 6}, {1, 3, 0, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ((Both{StreamSeek(stream, c.offset, c.origin), StreamGetPosition(stream)}), Both(c.result, c.position))
            << c.offset << " from " << c.origin;
    // Null, stale and foreign handles answer quietly.
    MemHandle foreign = MemHandleAlloc(256);
    Stream stale = 0;
    ASSERT_EQ(StreamOpenMemory(&stale, "x", 1), 1);
    Stream copy = stale;
    ASSERT_EQ(StreamClose(&copy), 1u);
    for (Stream bad : {Stream{0}, stale, foreign}) {
        SCOPED_TRACE(bad);
        Stream handle = bad;
        EXPECT_EQ(StreamGetState(bad), 65535u);
        EXPECT_EQ(StreamServe(bad) + StreamStart(bad) + StreamSend(bad, kStreamMsgFill) + StreamGetKind(bad) +
                      StreamSeek(bad, 0, 0) + std::uint32_t(StreamClear(bad)) + StreamClose(&handle),
                  0u);
        EXPECT_EQ(handle, bad);
    }
    Stream untouched = 0x777;
    EXPECT_EQ(StreamOpenFile(&untouched, folder.file("absent").c_str()), 0);
    EXPECT_EQ((Both{untouched, MemHandleGetSize(foreign)}), Both(0x777, 256));
}

TEST_F(StreamTest, StartNeedsABufferAndAChunkThatFitsRestartsAnEndedStreamAndGoesThroughTheFilter) {
    Stream stream = digits(false);
    EXPECT_EQ(StreamStart(stream), 0u) << "no buffer";
    StreamSetBuffer(stream, buffer, sizeof buffer);
    EXPECT_EQ(StreamStart(stream), 0u) << "no chunk size";
    StreamSetChunkSize(stream, 9);
    EXPECT_EQ((Both{StreamStart(stream), StreamGetState(stream)}), Both(0, kStreamNew)) << "a chunk above the buffer";
    StreamSetChunkSize(stream, 8);
    EXPECT_EQ((Both{StreamStart(stream), StreamGetFill(stream)}), Both(1, 0)) << "eight bytes: ready at once";
    prepare(stream);
    StreamPause(stream);
    StreamResume(stream);
    EXPECT_EQ(StreamGetState(stream), kStreamRunning) << "resumed to the state before the pause";
    StreamStop(stream);
    seen.clear();
    ASSERT_EQ(StreamStart(stream), 1u);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{12, 3, 6, 8}));
    EXPECT_EQ(chunkText(stream), "0123");
    // The filter redirects, swallows and refuses.
    EXPECT_EQ((Both{StreamSend(stream, kStreamMsgRefuse), StreamSend(stream, 42)}), Both(0, 1));
    StreamSetFilter(stream, swallowAll);
    EXPECT_EQ((Both{StreamStart(stream), StreamGetPosition(stream)}), Both(1, 0)) << "swallowed: nothing read";
    StreamSetFilter(stream, refuseOne);
    refused = kStreamMsgFree;
    Stream kept = stream;
    EXPECT_EQ((Results{StreamClose(&kept), kept == stream, StreamGetState(stream)}), (Results{0, 1, kStreamEnded}));
    StreamTerm();  // one pass: the refusing stream stays, and the call returns
    EXPECT_EQ(StreamGetKind(stream), kStreamMemory);
    StreamSetFilter(stream, nullptr);
    StreamTerm();
    EXPECT_EQ(StreamGetState(stream), 65535u);
}

TEST_F(StreamTest, EmptySourceFillsWithoutReadingAndServeAllStopsAtARefusal) {
    Stream stream = 0;
    ASSERT_EQ(StreamNew(&stream), 1);
    StreamSetKind(stream, kStreamEmpty);
    StreamSetSize(stream, 2);
    prepare(stream);
    ASSERT_EQ(StreamStart(stream), 1u);
    EXPECT_EQ(Both(StreamGetFill(stream), StreamGetPosition(stream)), Both(4, 0));
    seen.clear();
    StreamServe(stream);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{7, 8, 9}));
    // Serving all stops at the first stream whose serve answers 0.
    Stream a = digits(), b = digits();
    EXPECT_EQ(StreamServeAll(), 1);
    StreamSetFilter(a, refuseOne);
    refused = kStreamMsgServe;
    EXPECT_EQ((Results{StreamServeAll(), StreamClear(b), StreamGetKind(b)}), (Results{0, 1, kStreamNone}));
}

}  // namespace
