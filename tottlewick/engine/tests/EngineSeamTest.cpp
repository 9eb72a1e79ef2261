// The clock and message-box seams, and the profile wrappers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineClock.h"
#include "EngineMessageBox.h"
#include "Files.h"
#include "Profile.h"
#include "TempFolder.h"

namespace {

std::uint32_t fakeNow = 0;
std::uint32_t fakeClock() { return fakeNow; }

std::vector<std::string> boxLines;
int loggingBox(const char* text, const char* caption, unsigned style) {
    boxLines.push_back(EngineMessageBoxLine(text, caption, style));
    return 2;
}

TEST(EngineSeamTest, ClockSourceGivesMillisecondsAndSixtiethsAndTheBoxHookGivesLines) {
    EXPECT_EQ(ClockSetSource(fakeClock), nullptr);
    fakeNow = 1000;
    EXPECT_EQ(ClockMilliseconds(), 1000u);
    EXPECT_EQ(ClockSixtieths(), 60u);
    fakeNow = 0xFFFFFFFFu;  // no overflow in the conversion
    EXPECT_EQ(ClockSixtieths(), static_cast<std::uint32_t>(0xFFFFFFFFull * 60 / 1000));
    EXPECT_EQ(ClockSetSource(nullptr), fakeClock);

    // The message-box hook turns the box into a line.
    EngineSetMessageBoxHook(loggingBox);
    EXPECT_EQ(EngineMessageBox(nullptr, "Out of memory", "Tottlewick", 0x2030), 2);
    EXPECT_EQ(EngineMessageBox(nullptr, nullptr, nullptr, 0), 2);
    EXPECT_EQ(EngineSetMessageBoxHook(nullptr), loggingBox);
    ASSERT_EQ(boxLines.size(), 2u);
    EXPECT_EQ(boxLines[0], "Tottlewick|Out of memory|2030");
    EXPECT_EQ(boxLines[1], "||0");
}

TEST(ProfileTest, ReadsDefaultsUntilNamedThenRoundTrips) {
    char value[32];
    ProfileSetFileName("");
    EXPECT_EQ(ProfileSetString("Main", "Key", "x"), 0) << "no file named yet";
    TempFolder folder;
    ProfileSetFileName(folder.file("engine.ini").c_str());
    EXPECT_EQ(ProfileSetString("Main", "Key", "value"), 1);
    EXPECT_EQ(ProfileGetString("Main", "Key", "fallback", value, sizeof value), 5u);
    EXPECT_EQ(readWholeFile(folder.file("engine.ini")), "[Main]\r\nKey=value\r\n");
    ProfileSetFileName("");
}

}  // namespace
