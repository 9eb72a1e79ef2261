// Comma lists, region records and the URL hand-back rules; the path, file, library and settings
// helpers, briefly.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "DssFormats.h"
#include "DssUtilities.h"
#include "StoreFixture.h"

namespace {

using Names = std::vector<std::string>;

TEST(DssFormatsTest, CommaListsKeepEmptyEntriesAndCutNames) {
    EXPECT_EQ(splitCommaList("A,B,,C"), (Names{"A", "B", "", "C"}));
    EXPECT_EQ(splitCommaList(""), Names{});
    EXPECT_EQ(splitCommaList("One"), Names{"One"});
    EXPECT_EQ(splitCommaList("0123456789abcdefXYZ,b"), (Names{"0123456789abcde", "b"}));
    EXPECT_EQ(joinCommaList({"A", "B", "", "C"}), "A,B,,C");
    EXPECT_EQ(joinCommaList({}), "");
    EXPECT_EQ(findName({"Abc", "abc"}, "abc"), 1);
    EXPECT_EQ(findName({"Abc"}, "ABC"), -1);
    EXPECT_EQ(packDate(2026, 12, 6), 20261206L);
}

TEST(DssFormatsTest, RegionRecords) {
    std::vector<std::uint8_t> triangle = regionBytes({{10, 20}, {-5, 300}, {640, -1}});
    std::vector<RegionPoint> points = parseRegionRecord(triangle.data(), triangle.size());
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].x, -5);
    EXPECT_EQ(points[1].y, 300);
    EXPECT_EQ(points[2].x, 640);
    EXPECT_EQ(points[2].y, -1);

    std::vector<std::uint8_t> full = regionBytes(std::vector<std::pair<int, int>>(32, {1, 2}));
    EXPECT_EQ(parseRegionRecord(full.data(), full.size()).size(), 32u);
    for (std::int16_t count : {std::int16_t{33}, std::int16_t{-1}, std::int16_t{0x7FFF}}) {
        SCOPED_TRACE(count);
        std::vector<std::uint8_t> bad = regionBytes({}, count);
        EXPECT_TRUE(parseRegionRecord(bad.data(), bad.size()).empty());
    }
    EXPECT_TRUE(parseRegionRecord(triangle.data(), 129).empty());
    EXPECT_TRUE(parseRegionRecord(nullptr, kRegionRecordSize).empty());
}

TEST(DssFormatsTest, UrlHandBack) {
    const struct {
        const char* name;
        int capacity;
        std::string url;
        int length;
        const char* buffer;
    } cases[] = {
        {"fits", 10, "http://a/", 9, "http://a/"},
        {"one too long", 10, "http://ab/", -1, "http://ab"},
        {"much too long", 10, "http://example/page", -1, "http://ex"},
        {"no room", 0, "x", -1, ""},
        {"negative room", -4, "x", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        buffer[0] = '\0';
        int length = c.capacity;
        handBackUrl(buffer, &length, c.url);
        EXPECT_EQ(length, c.length);
        EXPECT_STREQ(buffer, c.buffer);
        EXPECT_EQ(buffer[c.capacity > 0 ? c.capacity : 1], '#') << "wrote past the capacity";
    }
    int length = 10;
    handBackUrl(nullptr, &length, "x");
    EXPECT_EQ(length, -1);
    handBackUrl(nullptr, nullptr, "x");  // nothing to report to

    // Finishing without a click: length 0 for an empty buffer, otherwise unchanged.
    char buffer[10] = {};
    const std::tuple<char, int, int> finishes[] = {{'\0', 10, 0}, {'h', 5, 5}, {'\0', -1, -1}};
    for (const auto& [first, before, after] : finishes) {
        buffer[0] = first;
        length = before;
        finishHandBack(buffer, &length);
        EXPECT_EQ(length, after) << "length " << before;
    }
}

TEST(DssUtilitiesTest, PathsFilesAndLibraries) {
    std::string folder;
    EXPECT_TRUE(folderOfPath("c:\\games\\app\\splash.jpg", folder));
    EXPECT_EQ(folder, "c:\\games\\app\\");
    EXPECT_FALSE(folderOfPath("", folder));
    std::string path = "c:\\games\\old.jpg";
    EXPECT_TRUE(replaceFileName(path, "new.jpg"));
    EXPECT_EQ(path, "c:\\games\\new.jpg");
    std::string text = "d:\\copy\\";
    EXPECT_TRUE(appendFileName(text, "c:\\games\\new.jpg"));
    EXPECT_EQ(text, "d:\\copy\\new.jpg");
    EXPECT_FALSE(appendFileName(text, "c:\\games\\"));

    TempFolder temp;
    writeWholeFile(temp.file("here.txt"), "x");
    EXPECT_TRUE(fileExistsOnDisk(temp.file("here.txt")));
    EXPECT_FALSE(fileExistsOnDisk(temp.file("gone.txt")));
    folder = temp.path();
    EXPECT_FALSE(fileExistsIn(folder, "gone.txt"));
    EXPECT_EQ(folder, temp.path()) << "restored when the file is not there";
    EXPECT_TRUE(fileExistsIn(folder, "here.txt"));
    EXPECT_EQ(folder, temp.file("here.txt"));

    ASSERT_TRUE(moduleFolder(nullptr, folder));
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(fileExistsOnDisk(folder + "\\glimmer_tests.exe"));
    HMODULE kernel = loadLibraryQuietly("kernel32.dll");
    EXPECT_NE(kernel, nullptr);
    FreeLibrary(kernel);
    EXPECT_EQ(loadLibraryQuietly("z:\\no\\such\\library.dll"), nullptr);
}

TEST(DssUtilitiesTest, SettingsInAnIniFileAndTheRegistry) {
    TempFolder temp;
    const std::string ini = temp.file("settings.ini");
    std::string text;
    unsigned long number = 99;
    EXPECT_FALSE(readSettingText(nullptr, ini.c_str(), "Splash", "Name", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(writeSettingText(nullptr, ini.c_str(), "Splash", "Name", "Glimmer"));
    EXPECT_TRUE(writeSettingNumber(nullptr, ini.c_str(), "Splash", "Count", 4000000000ul));
    EXPECT_TRUE(readSettingText(nullptr, ini.c_str(), "Splash", "Name", text));
    EXPECT_EQ(text, "Glimmer");
    EXPECT_TRUE(readSettingText(nullptr, ini.c_str(), "Splash", "Count", text));
    EXPECT_EQ(text, "4000000000");
    EXPECT_TRUE(readSettingNumber(nullptr, ini.c_str(), "Splash", "Missing", number));
    EXPECT_EQ(number, 0u);

    const std::string key = "Software\\GlimmerTests\\settings-" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(writeSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Sub", "Count", 1234));
    EXPECT_TRUE(readSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Sub", "Count", number));
    EXPECT_EQ(number, 1234u) << "a text of digits is converted";
    {
        RegistryKey sub;
        ASSERT_TRUE(sub.open(HKEY_CURRENT_USER, (key + "\\Sub").c_str()));
        sub.writeNumber("Binary", 0x41424344);
    }
    EXPECT_TRUE(readSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Sub", "Binary", number));
    EXPECT_EQ(number, 0x41424344u) << "otherwise the first DWORD";
    EXPECT_TRUE(writeSettingText(HKEY_CURRENT_USER, key.c_str(), nullptr, "Name", "Glimmer"));
    EXPECT_TRUE(readSettingText(HKEY_CURRENT_USER, key.c_str(), nullptr, "Name", text));
    EXPECT_EQ(text, "Glimmer");
    EXPECT_TRUE(subkeyExists(HKEY_CURRENT_USER, key.c_str(), "Sub"));
    EXPECT_FALSE(subkeyExists(HKEY_CURRENT_USER, key.c_str(), "Other"));
    EXPECT_FALSE(readSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Other", "Count", number));
    EXPECT_TRUE(deleteKeyTree(HKEY_CURRENT_USER, key.c_str()));
}

}  // namespace
