// A client linked against WXLOG32.dll: every flat function and the exported class CWXLog.
#include <gtest/gtest.h>

#include <windows.h>

#include "Files.h"
#include "TempFolder.h"
#include "wxlog32.h"

namespace {

const char kMessages[] =
    "0001 Started\r\n"
    "1001 Lesson &1\r\n"
    "1002 &1 scored &2\r\n"
    "5000 Detail\r\n";

std::string textOf(const std::string& line) {
    std::string text = line.substr(43);
    return text.erase(text.find_last_not_of(' ') + 1);
}

class ClientTest : public ::testing::Test {
protected:
    void SetUp() override { writeWholeFile(msgName(), kMessages); }
    std::string msgName() const { return folder.file("client.msg"); }
    std::string logName() const { return folder.file("client.log"); }
    std::vector<std::string> logTexts() const {
        std::vector<std::string> texts;
        for (const auto& line : splitLines(readWholeFile(logName()))) texts.push_back(textOf(line));
        return texts;
    }

    TempFolder folder;
};

TEST_F(ClientTest, FlatFunctionsWriteTheLog) {
    WXLOG_HANDLE log = WXLOG_Start(logName().c_str(), msgName().c_str(), 3);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(WXLOG_Write(log, 1), 1);
    EXPECT_EQ(WXLOG_Write1(log, 1001, "seven"), 1);
    EXPECT_EQ(WXLOG_Write2(log, 1002, "Ann", "9"), 1);
    EXPECT_EQ(WXLOG_Write(log, 5000), 0);
    EXPECT_EQ(WXLOG_Write1(log, 5000, "dropped"), 0);
    EXPECT_EQ(WXLOG_Write(log, 1001), 1);
    EXPECT_EQ(WXLOG_WriteHex(log, 3, "abc"), 1);
    EXPECT_EQ(WXLOG_SetLevel(log, 7), 0);
    EXPECT_EQ(WXLOG_SetLevel(log, 0), 1);
    EXPECT_EQ(WXLOG_Write(log, 1), 0);
    EXPECT_EQ(WXLOG_SetLineLimit(log, 500, 400), 1);
    EXPECT_EQ(WXLOG_End(log), 1);
    std::vector<std::string> expected{"Started", "Lesson seven", "Ann scored 9", "Lesson &1",
                                      "  000000: abc              616263"};
    EXPECT_EQ(logTexts(), expected);
}

TEST_F(ClientTest, FlatFunctionsSwitchFiles) {
    WXLOG_HANDLE log = WXLOG_Start(nullptr, nullptr, 1);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(WXLOG_Write(log, 1), 0);
    EXPECT_EQ(WXLOG_SetMsgFile(log, msgName().c_str()), 1);
    EXPECT_EQ(WXLOG_SetLogFile(log, logName().c_str()), 1);
    EXPECT_EQ(WXLOG_Write(log, 1), 1);
    EXPECT_EQ(WXLOG_End(log), 1);
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Started"});
}

TEST_F(ClientTest, FlatFunctionsRefuseBadHandles) {
    void* readOnly = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY);
    ASSERT_NE(readOnly, nullptr);
    for (WXLOG_HANDLE bad : {static_cast<WXLOG_HANDLE>(nullptr), readOnly}) {
        EXPECT_EQ(WXLOG_Write(bad, 1), 0);
        EXPECT_EQ(WXLOG_Write1(bad, 1, "x"), 0);
        EXPECT_EQ(WXLOG_Write2(bad, 1, "x", "y"), 0);
        EXPECT_EQ(WXLOG_WriteHex(bad, 1, "x"), 0);
        EXPECT_EQ(WXLOG_SetLevel(bad, 1), 0);
        EXPECT_EQ(WXLOG_SetLineLimit(bad, 1, 2), 0);
        EXPECT_EQ(WXLOG_SetLogFile(bad, "x"), 0);
        EXPECT_EQ(WXLOG_SetMsgFile(bad, "x"), 0);
        EXPECT_EQ(WXLOG_End(bad), 0);
    }
    VirtualFree(readOnly, 0, MEM_RELEASE);
}

TEST_F(ClientTest, HexDumpWithNullDataIsRefused) {
    WXLOG_HANDLE log = WXLOG_Start(logName().c_str(), msgName().c_str(), 1);
    EXPECT_EQ(WXLOG_Write(log, 1), 1);
    EXPECT_EQ(WXLOG_WriteHex(log, 10, nullptr), 0);
    WXLOG_End(log);
}

TEST_F(ClientTest, ClassCopiesShareOneEngine) {
    CWXLog first;
    first.SetMsgFile(msgName().c_str());
    first.SetFile(logName().c_str());
    first.SetLevel(1);
    CWXString name;
    first.GetFile(name);
    EXPECT_EQ(std::string(name.GetText()), logName());
    {
        CWXLog second;
        second = first;
        CWXLog third(second);
        EXPECT_EQ(third.GetLevel(), 1);
        third.SetLocalParam(1UL, "shared");
        EXPECT_EQ(second.Write(1001), 1);
    }
    EXPECT_EQ(first.Write(1002, 3UL, "four"), 1);
    EXPECT_EQ(first.Write(5000), 1);
    first.SetGlobalParam("2", 12UL);
    EXPECT_EQ(first.Write(1002, "x"), 1);
    first.FlushBuf();
    std::vector<std::string> expected{"Lesson shared", "3 scored four", "x scored 12"};
    EXPECT_EQ(logTexts(), expected);
}

TEST_F(ClientTest, ClassOptionsAndHexDump) {
    CWXLog log;
    EXPECT_EQ(log.GetOptions(), 6u);
    log.SetOptions(0);
    log.SetMsgFile(msgName().c_str());
    log.SetFile(logName().c_str());
    log.SetLevel(1);
    log.SetBufLen(5000);
    log.SetLineLimits(10, 20);
    EXPECT_EQ(log.WriteHex("ab", 2), 0);
    log.Write(1);
    EXPECT_EQ(log.WriteHex("ab", 2), 1);
    std::vector<std::string> expected{"Started", "  000000: ab               6162"};
    EXPECT_EQ(logTexts(), expected);
}

}  // namespace
