// The engine against real files in a temporary folder, with a clock the tests control.
#include <gtest/gtest.h>

#include <thread>

#include "FakeLogEnvironment.h"
#include "Files.h"
#include "LogEngine.h"
#include "TempFolder.h"

namespace {

const char kMessages[] =
    "0001 Zero level\r\n"
    "0002 Dump follows\r\n"
    "1001 Opening &1\r\n"
    "2999 Level two\r\n"
    "3999 Level three\r\n"
    "4000 Level four\r\n"
    "6999 Level six\r\n"
    "7000 Never written\r\n"
    "1500 &1\r\n";

class LogEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeWholeFile(folder.file("test.msg"), kMessages);
        engine.SetMsgFile(folder.file("test.msg"));
        engine.SetFile(logName());
        engine.SetLevel(6);
        engine.SetOptions(cLogEngine::kBufferOutput);
    }

    std::string logName() const { return folder.file("test.log"); }
    std::vector<std::string> logLines() const {
        return fileExists(logName()) ? splitLines(readWholeFile(logName())) : std::vector<std::string>{};
    }
    static std::string textOf(const std::string& line) { return line.substr(43); }
    static std::string trimmed(std::string text) { return text.erase(text.find_last_not_of(' ') + 1); }

    int writeText(const std::string& text) {
        engine.SetLocalParam("1", text);
        return engine.Write(1500);
    }

    TempFolder folder;
    FakeLogEnvironment clock;
    cLogEngine engine{clock};
};

TEST_F(LogEngineTest, StampsElapsedSecondsBetweenMessages) {
    engine.Write(1);
    clock.tick += 83456;
    engine.Write(1);
    clock.tick += 20000000;
    engine.Write(1);
    engine.FlushBuf();
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(25, 7), "0000.00");
    EXPECT_EQ(lines[1].substr(25, 7), "0083.46");
    EXPECT_EQ(lines[2].substr(25, 7), "9999.99");
    EXPECT_EQ(lines[0].substr(0, 24), "06 Dec 26  1:05:09.9 PM ");
}

TEST_F(LogEngineTest, WrappedTickCounterCountsFromZero) {
    clock.tick = 0xFFFFF000u;
    engine.Write(1);
    clock.tick = 500;
    engine.Write(1);
    engine.FlushBuf();
    EXPECT_EQ(logLines().at(1).substr(25, 7), "0000.50");
}

TEST_F(LogEngineTest, LongTextContinuesEveryEightyCharacters) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += static_cast<char>('a' + i % 26);
    EXPECT_EQ(writeText(text), 1);
    engine.FlushBuf();
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.size(), kLogLineLength);
        EXPECT_EQ(line.substr(0, 43), lines[0].substr(0, 43));
    }
    EXPECT_EQ(textOf(lines[0]), text.substr(0, 80));
    EXPECT_EQ(textOf(lines[1]), text.substr(80, 80));
    EXPECT_EQ(textOf(lines[2]), text.substr(160) + std::string(40, ' '));
}

TEST_F(LogEngineTest, LevelFilterCutsAtTheThousands) {
    struct Case {
        std::uint16_t level, id;
        int written;
    } cases[] = {{3, 1, 1}, {3, 3999, 1}, {3, 4000, 0}, {6, 6999, 1}, {6, 7000, 0}, {0, 1, 0}, {1, 2999, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " id " << c.id);
        ASSERT_EQ(engine.SetLevel(c.level), 1);
        EXPECT_EQ(engine.Write(c.id), c.written);
    }
}

TEST_F(LogEngineTest, LevelAboveSixIsRefused) {
    engine.SetLevel(3);
    EXPECT_EQ(engine.SetLevel(7), 0);
    EXPECT_EQ(engine.GetLevel(), 3);
    EXPECT_EQ(setLevelInRange(engine, 65536 + 2), 0);
    EXPECT_EQ(setLevelInRange(engine, -1), 0);
    EXPECT_EQ(engine.GetLevel(), 3);
}

TEST_F(LogEngineTest, MessageWithoutTextIsNotWrittenAndClearsLocals) {
    engine.SetLocalParam("1", "x");
    EXPECT_EQ(engine.Write(555), 0);
    EXPECT_FALSE(engine.GetLocalParam("1"));
}

TEST_F(LogEngineTest, LocalParametersLastOneWriteGlobalsStay) {
    engine.SetLocalParam("1", "disk");
    engine.SetGlobalParam("user", "Ann");
    EXPECT_EQ(engine.Write(1001), 1);
    EXPECT_FALSE(engine.GetLocalParam("1"));
    EXPECT_EQ(engine.GetGlobalParam("user").value_or(""), "Ann");
    engine.Write(1001);
    engine.FlushBuf();
    auto lines = logLines();
    EXPECT_EQ(trimmed(textOf(lines[0])), "Opening disk");
    EXPECT_EQ(trimmed(textOf(lines[1])), "Opening &1");
}

TEST_F(LogEngineTest, NinthBufferedLineTriggersTheWrite) {
    for (int i = 1; i <= 8; ++i) writeText("line " + std::to_string(i));
    EXPECT_FALSE(fileExists(logName()) && !readWholeFile(logName()).empty());
    writeText("line 9");
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(readWholeFile(logName()).size(), 9 * kLogLineStride - 2);
}

TEST_F(LogEngineTest, FlushesAreSeparatedAndTheFileDoesNotEndInNewline) {
    writeText("one");
    engine.FlushBuf();
    writeText("two");
    engine.FlushBuf();
    std::string content = readWholeFile(logName());
    EXPECT_EQ(content.size(), 2 * kLogLineStride - 2);
    EXPECT_EQ(content.substr(kLogLineLength, 2), "\r\n");
    EXPECT_NE(content.back(), '\n');
}

TEST_F(LogEngineTest, UnbufferedOutputWritesEveryLine) {
    engine.SetOptions(0);
    writeText("at once");
    EXPECT_EQ(logLines().size(), 1u);
}

TEST_F(LogEngineTest, LargerBufferHoldsMoreLines) {
    engine.SetBufLen(100);
    EXPECT_EQ(engine.GetBufLen(), cLogEngine::kMinBufferLength);
    engine.SetBufLen(125 * 20);
    for (int i = 0; i < 12; ++i) writeText("held");
    EXPECT_TRUE(logLines().empty());
}

TEST_F(LogEngineTest, DebuggerGetsEveryLineEvenWithoutFile) {
    engine.SetOptions(cLogEngine::kDefaultOptions);
    engine.SetFile("");
    writeText("to the debugger");
    ASSERT_EQ(clock.debugLines.size(), 1u);
    EXPECT_EQ(clock.debugLines[0].size(), kLogLineLength + 1);
    EXPECT_EQ(clock.debugLines[0].back(), '\n');
    engine.SetOptions(cLogEngine::kBufferOutput);
    writeText("not to the debugger");
    EXPECT_EQ(clock.debugLines.size(), 1u);
}

TEST_F(LogEngineTest, HexDumpFollowsTheMessageJustWritten) {
    const char data[] = "0123456789ABCDEFghij";
    engine.SetLevel(1);
    engine.Write(2999);
    EXPECT_EQ(engine.WriteHex(data, 20), 0);
    EXPECT_EQ(engine.Write(2), 1);
    EXPECT_EQ(engine.WriteHex(nullptr, 20), 0);
    EXPECT_EQ(engine.WriteHex(data, 20), 1);
    EXPECT_EQ(engine.WriteHex(data, 0), 1);
    engine.FlushBuf();
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(33, 10), " 0,0000 | ");
    EXPECT_EQ(trimmed(textOf(lines[1])), "  000000: 0123456789ABCDEF 30313233 34353637 38394142 43444546");
    EXPECT_EQ(trimmed(textOf(lines[2])), "  000016: ghij             6768696A");
}

TEST_F(LogEngineTest, TrimKeepsTheLastMinLinesOnceMaxLinesIsReached) {
    std::string existing;
    for (int i = 1; i <= 2000; ++i) {
        if (i > 1) existing += "\r\n";
        std::string text = "old " + std::to_string(i);
        existing += text + std::string(kLogLineLength - text.size(), '.');
    }
    writeWholeFile(logName(), existing);
    setLineLimits(engine, 1000, 2000);
    writeText("new");
    engine.FlushBuf();
    std::string content = readWholeFile(logName());
    EXPECT_EQ(content.size(), 124998u);
    auto lines = splitLines(content);
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ(lines[0].substr(0, 9), "old 1002.");
    EXPECT_EQ(trimmed(textOf(lines[999])), "new");
}

TEST_F(LogEngineTest, NoTrimBelowMaxLines) {
    setLineLimits(engine, 2, 5);
    for (int i = 0; i < 4; ++i) {
        writeText("x");
        engine.FlushBuf();
    }
    EXPECT_EQ(logLines().size(), 4u);
    writeText("x");
    engine.FlushBuf();
    EXPECT_EQ(logLines().size(), 5u);
    writeText("x");
    engine.FlushBuf();
    EXPECT_EQ(logLines().size(), 2u);
}

TEST_F(LogEngineTest, MinLinesAboveTheFileKeepsItWhole) {
    engine.SetMaxLines(1);
    engine.SetMinLines(5000);
    writeText("a");
    writeText("b");
    engine.FlushBuf();
    EXPECT_EQ(logLines().size(), 2u);
}

TEST_F(LogEngineTest, MinLinesZeroEmptiesTheFile) {
    engine.SetMaxLines(1);
    engine.SetMinLines(0);
    writeText("a");
    writeText("b");
    engine.FlushBuf();
    EXPECT_EQ(readWholeFile(logName()), "");
}

TEST_F(LogEngineTest, LineLimitRule) {
    setLineLimits(engine, 500, 400);
    EXPECT_EQ(engine.GetMinLines(), 500u);
    EXPECT_EQ(engine.GetMaxLines(), 600u);
    setLineLimits(engine, 500, 2000);
    EXPECT_EQ(engine.GetMaxLines(), 2000u);
}

TEST_F(LogEngineTest, KeptOpenFileIsStillWrittenAndTrimmed) {
    engine.SetOptions(cLogEngine::kBufferOutput | cLogEngine::kKeepFileOpen);
    setLineLimits(engine, 1, 2);
    for (const char* text : {"a", "b", "c"}) {
        writeText(text);
        engine.FlushBuf();
    }
    engine.SetFile("");
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(trimmed(textOf(lines[0])), "c");
}

TEST_F(LogEngineTest, SecondMessageFileReplacesTheFirst) {
    writeWholeFile(folder.file("other.msg"), "0003 Other\r\n");
    engine.SetMsgFile(folder.file("other.msg"));
    EXPECT_EQ(engine.Write(1), 0);
    EXPECT_EQ(engine.Write(3), 1);
}

TEST_F(LogEngineTest, MissingMessageFileKeepsTheLoadedMessages) {
    engine.SetMsgFile(folder.file("absent.msg"));
    EXPECT_EQ(engine.GetMsgFile(), folder.file("absent.msg"));
    EXPECT_EQ(engine.Write(1), 1);
}

TEST_F(LogEngineTest, BinaryMessageFileLoadsWhatItCan) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37 + 11) & 0xFF);
    bytes += "\n0004 found\n";
    writeWholeFile(folder.file("binary.msg"), bytes);
    engine.SetMsgFile(folder.file("binary.msg"));
    EXPECT_EQ(engine.Write(4), 1);
}

TEST_F(LogEngineTest, LinesWaitForAWritableFile) {
    engine.SetFile(folder.file("no such folder\\test.log"));
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(writeText("kept " + std::to_string(i)), 1);
    EXPECT_EQ(writeText("no room"), 0);
    EXPECT_EQ(engine.WriteHex("ab", 2), 0);
    engine.SetFile(logName());
    EXPECT_EQ(engine.FlushBuf(), 1);
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(trimmed(textOf(lines[0])), "kept 1");
    EXPECT_EQ(trimmed(textOf(lines[8])), "kept 9");
}

TEST_F(LogEngineTest, HugeParameterBecomesManyLines) {
    EXPECT_EQ(writeText(std::string(100000, 'p')), 1);
    engine.FlushBuf();
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 1250u);
    EXPECT_EQ(textOf(lines[1249]), std::string(80, 'p'));
}

TEST_F(LogEngineTest, DestructionFlushes) {
    {
        cLogEngine scoped(clock);
        scoped.SetMsgFile(folder.file("test.msg"));
        scoped.SetFile(folder.file("scoped.log"));
        scoped.SetLevel(1);
        scoped.Write(1);
    }
    EXPECT_EQ(splitLines(readWholeFile(folder.file("scoped.log"))).size(), 1u);
}

TEST_F(LogEngineTest, ThreadsNeitherLoseNorInterleaveLines) {
    const int kThreads = 8;
    const int kPerThread = 1000;
    std::string messages;
    for (int t = 0; t < kThreads; ++t) messages += "10" + std::to_string(10 + t) + " thread " + std::to_string(t) + "\r\n";
    writeWholeFile(folder.file("threads.msg"), messages);
    engine.SetMsgFile(folder.file("threads.msg"));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([this, t] {
            for (int i = 0; i < kPerThread; ++i) engine.Write(static_cast<std::uint16_t>(1010 + t));
        });
    for (auto& thread : threads) thread.join();
    engine.FlushBuf();
    auto lines = logLines();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kPerThread));
    std::vector<int> counts(kThreads);
    for (const auto& line : lines) {
        ASSERT_EQ(line.size(), kLogLineLength);
        int t = std::stoi(line.substr(36, 4)) - 1010;
        ASSERT_TRUE(t >= 0 && t < kThreads) << line;
        ASSERT_EQ(trimmed(textOf(line)), "thread " + std::to_string(t)) << line;
        ++counts[t];
    }
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(counts[t], kPerThread) << "thread " << t;
}

}  // namespace
