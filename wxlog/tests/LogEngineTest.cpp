// The engine against real files in a temporary folder, with a clock the tests control.
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

#include "LogEngine.h"
#include "LogFixture.h"

namespace {

// A log environment whose clock the test sets and whose debugger output it keeps.
struct FakeLogEnvironment final : LogEnvironment {
    LogStamp localTime() override { return {2026, 12, 6, 13, 5, 9, 999}; }
    std::uint32_t tickCount() override { return tick; }
    void debugOutput(const char* text) override {
        std::lock_guard<std::mutex> hold(mutex_);
        debugLines.push_back(text);
    }
    std::uint32_t tick = 1000;
    std::vector<std::string> debugLines;

private:
    std::mutex mutex_;
};

const char kMessages[] = "0001 Zero\r\n2999 Two\r\n3999 Three\r\n4000 Four\r\n6999 Six\r\n7000 Seven\r\n1500 &1\r\n";

struct LogEngineTest : ::testing::Test {
    void SetUp() override {
        writeWholeFile(folder.file("test.msg"), kMessages);
        engine.SetMsgFile(folder.file("test.msg"));
        engine.SetFile(logName());
        engine.SetLevel(6);
        engine.SetOptions(cLogEngine::kBufferOutput);
    }
    std::string logName() const { return folder.file("test.log"); }
    Texts logTexts() const { return readLogTexts(logName()); }
    int writeText(const std::string& text) {
        engine.SetLocalParam("1", text);
        return engine.Write(1500);
    }
    TempFolder folder;
    FakeLogEnvironment clock;
    cLogEngine engine{clock};
};

// First message 0, then 83.456 s, more than the cap, and a wrapped tick counter counted from 0.
TEST_F(LogEngineTest, StampsElapsedSecondsBetweenMessages) {
    for (std::uint32_t tick : {1000u, 1000u + 83456u, 1000u + 83456u + 20000000u, 500u}) {
        clock.tick = tick;
        engine.Write(1);
    }
    engine.FlushBuf();
    auto lines = splitLines(readWholeFile(logName()));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 33), "06 Dec 26  1:05:09.9 PM [0000.00]");
    EXPECT_EQ((Texts{lines[1].substr(25, 7), lines[2].substr(25, 7), lines[3].substr(25, 7)}),
              (Texts{"0083.46", "9999.99", "0000.50"}));
}

TEST_F(LogEngineTest, LongTextContinuesEveryEightyCharacters) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += static_cast<char>('a' + i % 26);
    EXPECT_EQ((std::vector<int>{writeText(text), writeText(std::string(100000, 'p'))}), std::vector<int>(2, 1));
    engine.FlushBuf();
    auto lines = splitLines(readWholeFile(logName()));
    ASSERT_EQ(lines.size(), 3u + 1250u);
    for (int i = 1; i < 3; ++i) EXPECT_EQ(lines[i].substr(0, 43), lines[0].substr(0, 43));
    EXPECT_EQ((Texts{lines[0].substr(43), lines[1].substr(43), lines[2].substr(43)}),
              (Texts{text.substr(0, 80), text.substr(80, 80), text.substr(160) + std::string(40, ' ')}));
    EXPECT_EQ(lines.back().substr(43), std::string(80, 'p'));
}

TEST_F(LogEngineTest, LevelFilterCutsAtTheThousands) {
    const struct { std::uint16_t level, id; int written; } cases[] = {
        {3, 1, 1}, {3, 3999, 1}, {3, 4000, 0}, {6, 6999, 1}, {6, 7000, 0}, {0, 1, 0}, {1, 2999, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " id " << c.id);
        ASSERT_EQ(engine.SetLevel(c.level), 1);
        EXPECT_EQ(engine.Write(c.id), c.written);
    }
    EXPECT_EQ((std::vector<int>{engine.SetLevel(7), setLevelInRange(engine, 65536 + 2), setLevelInRange(engine, -1),
                                engine.GetLevel()}),
              (std::vector<int>{0, 0, 0, 1}));
    engine.SetLocalParam("1", "x");
    EXPECT_EQ(engine.Write(555), 0) << "no text for 555";
    EXPECT_FALSE(engine.GetLocalParam("1")) << "cleared all the same";
}

// With the default 1230-byte buffer the ninth line triggers the write; flushes are joined by CR LF and
// the file does not end in one.
TEST_F(LogEngineTest, BufferingAndFlushing) {
    for (int i = 1; i <= 8; ++i) writeText("line " + std::to_string(i));
    EXPECT_TRUE(logTexts().empty());
    writeText("line 9");
    EXPECT_EQ(readWholeFile(logName()).size(), 9 * kLogLineStride - 2);
    writeText("line 10");
    engine.FlushBuf();
    std::string content = readWholeFile(logName());
    EXPECT_EQ(content.size(), 10 * kLogLineStride - 2);
    EXPECT_EQ(content.substr(9 * kLogLineStride - 2, 2), "\r\n");
    engine.SetOptions(0);
    writeText("at once");
    EXPECT_EQ(logTexts().size(), 11u);
    engine.SetOptions(cLogEngine::kBufferOutput);
    engine.SetBufLen(100);
    EXPECT_EQ(engine.GetBufLen(), cLogEngine::kMinBufferLength);
    engine.SetBufLen(125 * 20);
    for (int i = 0; i < 12; ++i) writeText("held");
    EXPECT_EQ(logTexts().size(), 11u);
}

// Parameters are kept in order of setting; setting a name again must replace its value in place.
TEST_F(LogEngineTest, ParameterSetAgainReplacesItsValue) {
    engine.SetGlobalParam("user", "Ann");
    engine.SetGlobalParam("user", "Bob");
    EXPECT_EQ(engine.GetGlobalParam("user"), "Bob");
    engine.SetLocalParam("2", "other");
    engine.SetLocalParam("1", "first");
    EXPECT_EQ(writeText("second"), 1);
    engine.FlushBuf();
    EXPECT_EQ(logTexts(), Texts{"second"});
}

TEST_F(LogEngineTest, HexDumpFollowsTheMessageJustWritten) {
    const char data[] = "0123456789ABCDEFghij";
    EXPECT_EQ((std::vector<int>{engine.Write(1), engine.WriteHex(data, 20), engine.WriteHex(data, 0)}),
              std::vector<int>(3, 1));
    engine.FlushBuf();
    EXPECT_EQ(logTexts(), (Texts{"Zero", "  000000: 0123456789ABCDEF 30313233 34353637 38394142 43444546",
                                 "  000016: ghij             6768696A"}));
    EXPECT_EQ(splitLines(readWholeFile(logName()))[1].substr(33, 10), " 0,0000 | ");
}

TEST_F(LogEngineTest, TrimKeepsTheLastMinLinesOnceMaxLinesIsReached) {
    std::string existing;
    for (int i = 1; i <= 2000; ++i) {
        std::string text = "old " + std::to_string(i);
        existing += (i > 1 ? "\r\n" : "") + text + std::string(kLogLineLength - text.size(), '.');
    }
    writeWholeFile(logName(), existing);
    setLineLimits(engine, 1000, 2000);
    writeText("new");
    engine.FlushBuf();
    std::string content = readWholeFile(logName());
    EXPECT_EQ(content.size(), 124998u);
    auto lines = splitLines(content);
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ((Texts{lines[0].substr(0, 9), logTexts().back()}), (Texts{"old 1002.", "new"}));
}

// 5 lines (623 bytes) are below 5 x 125; the sixth line reaches it.
TEST_F(LogEngineTest, TrimStartsAtMaxLinesAndKeepsTheFileOpenWhenAsked) {
    for (std::uint32_t options : {cLogEngine::kBufferOutput, cLogEngine::kBufferOutput | cLogEngine::kKeepFileOpen}) {
        SCOPED_TRACE(options);
        std::remove(logName().c_str());
        engine.SetOptions(options);
        setLineLimits(engine, 2, 5);
        for (const char* text : {"1", "2", "3", "4", "5"}) {
            writeText(text);
            engine.FlushBuf();
        }
        EXPECT_EQ(logTexts().size(), 5u);
        writeText("6");
        engine.FlushBuf();
        EXPECT_EQ(logTexts(), (Texts{"5", "6"}));
    }
}

TEST_F(LogEngineTest, LineLimitsOutOfOrder) {
    setLineLimits(engine, 500, 400);
    EXPECT_EQ(std::make_pair(engine.GetMinLines(), engine.GetMaxLines()), std::make_pair(500u, 600u));
    setLineLimits(engine, 500, 2000);
    EXPECT_EQ(engine.GetMaxLines(), 2000u);
    // Set directly, below minLines.
    engine.SetMaxLines(1);
    engine.SetMinLines(5000);
    writeText("a");
    writeText("b");
    engine.FlushBuf();
    EXPECT_EQ(logTexts().size(), 2u) << "more to keep than the file holds keeps it whole";
    engine.SetMinLines(0);
    writeText("c");
    engine.FlushBuf();
    EXPECT_EQ(readWholeFile(logName()), "") << "0 keeps nothing";
}

TEST_F(LogEngineTest, MessageFiles) {
    engine.SetMsgFile(folder.file("absent.msg"));
    EXPECT_EQ(engine.GetMsgFile(), folder.file("absent.msg"));
    EXPECT_EQ(engine.Write(1), 1) << "a missing file keeps the loaded messages";
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37 + 11) & 0xFF);
    writeWholeFile(folder.file("binary.msg"), bytes + "\n0004 found\n");
    engine.SetMsgFile(folder.file("binary.msg"));
    EXPECT_EQ(engine.Write(1), 0) << "a second file replaces the first";
    EXPECT_EQ(engine.Write(4), 1);
}

// Without a file the lines wait in the buffer (which does not grow) and still go to the debugger.
TEST_F(LogEngineTest, LinesWaitForAFileAndStillReachTheDebugger) {
    engine.SetOptions(cLogEngine::kDefaultOptions);
    engine.SetFile("");
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(writeText("kept " + std::to_string(i)), 1);
    EXPECT_EQ((std::vector<int>{writeText("no room"), engine.WriteHex("ab", 2)}), std::vector<int>(2, 0));
    ASSERT_EQ(clock.debugLines.size(), 10u);
    EXPECT_EQ(clock.debugLines[9], clock.debugLines[9].substr(0, kLogLineLength) + "\n");
    engine.SetOptions(cLogEngine::kBufferOutput);
    engine.SetFile(logName());
    writeText("not to the debugger");
    EXPECT_EQ((std::pair<int, std::size_t>{engine.FlushBuf(), clock.debugLines.size()}), std::make_pair(1, 10u));
    auto texts = logTexts();
    ASSERT_EQ(texts.size(), 10u);
    EXPECT_EQ((Texts{texts[0], texts[8]}), (Texts{"kept 1", "kept 9"}));
}

// Each thread writes a message of its own; a line mixed from two would not count.
TEST_F(LogEngineTest, ThreadsNeitherLoseNorInterleaveLines) {
    std::string messages;
    std::map<std::string, int> expected;
    for (int t = 0; t < 8; ++t) {
        messages += std::to_string(1010 + t) + " thread " + std::to_string(t) + "\r\n";
        expected[std::to_string(1010 + t) + " | thread " + std::to_string(t)] = 1000;
    }
    writeWholeFile(folder.file("threads.msg"), messages);
    engine.SetMsgFile(folder.file("threads.msg"));
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([this, t] {
            for (int i = 0; i < 1000; ++i) engine.Write(static_cast<std::uint16_t>(1010 + t));
        });
    for (auto& thread : threads) thread.join();
    engine.FlushBuf();
    std::map<std::string, int> counts;
    for (const auto& line : splitLines(readWholeFile(logName())))
        ++counts[line.size() == kLogLineLength ? line.substr(36, 15) : line];
    EXPECT_EQ(counts, expected);
}

}  // namespace
