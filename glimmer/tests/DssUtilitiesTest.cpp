// The path, file, library and settings helpers, briefly.
#include <gtest/gtest.h>

#include "DssUtilities.h"
#include "Files.h"
#include "RegistryKey.h"
#include "TempFolder.h"

namespace {

TEST(DssUtilitiesTest, Paths) {
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
}

TEST(DssUtilitiesTest, FilesAndLibraries) {
    TempFolder temp;
    writeWholeFile(temp.file("here.txt"), "x");
    EXPECT_TRUE(fileExistsOnDisk(temp.file("here.txt")));
    EXPECT_FALSE(fileExistsOnDisk(temp.file("gone.txt")));
    std::string folder = temp.path();
    EXPECT_FALSE(fileExistsIn(folder, "gone.txt"));
    EXPECT_EQ(folder, temp.path()) << "restored when the file is not there";
    EXPECT_TRUE(fileExistsIn(folder, "here.txt"));
    EXPECT_EQ(folder, temp.file("here.txt"));

    std::string own;
    ASSERT_TRUE(moduleFolder(nullptr, own));
    EXPECT_NE(own.back(), '\\');
    EXPECT_TRUE(fileExistsOnDisk(own + "\\glimmer_tests.exe"));
    HMODULE kernel = loadLibraryQuietly("kernel32.dll");
    EXPECT_NE(kernel, nullptr);
    FreeLibrary(kernel);
    EXPECT_EQ(loadLibraryQuietly("z:\\no\\such\\library.dll"), nullptr);
}

TEST(DssUtilitiesTest, SettingsInAnIniFile) {
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
}

TEST(DssUtilitiesTest, SettingsInTheRegistry) {
    const std::string key = "Software\\GlimmerTests\\settings-" + std::to_string(GetCurrentProcessId());
    unsigned long number = 0;
    std::string text;
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
