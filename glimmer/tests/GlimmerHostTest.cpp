// Glimmer.dll driven as a host drives it: a splash screen chosen, shown, clicked, keyed, removed and seen
// on screen; then the hand-back rules without room, and the library's settings and file helpers.
#include <ctime>

#include "ChildProcess.h"
#include "DssFormats.h"
#include "DssUtilities.h"
#include "Glimmer.h"
#include "JpegFixtures.h"
#include "SplashDriver.h"
#include "StoreFixture.h"

namespace {

// A 64 x 48 picture in quarters: red, green / blue, white.
std::vector<std::uint8_t> quarters() {
    RgbPicture picture = solidPicture(64, 48, 255, 255, 255);
    picture.fill(0, 0, 32, 24, 255, 0, 0);
    picture.fill(32, 0, 64, 24, 0, 255, 0);
    picture.fill(0, 24, 32, 48, 0, 0, 255);
    return encodeJpeg(picture);
}

struct GlimmerHostTest : StoreFixture {
    void SetUp() override {
        writeWholeFile(picture(), std::string(jpeg.begin(), jpeg.end()));
        addApplication("App", 1);
        handBack();
    }
    void handBack() {
        std::memset(buffer, '#', sizeof buffer);
        length = 10;
        dssHandleHotspotsLocally(buffer, &length);
    }
    // A splash screen "X" for App with a 20 x 20 hot spot at (10, 10).
    void addSplash(const std::string& url, std::uint32_t duration = 20000) {
        addRecord("X");
        setNumber("SSIDs\\X\\DisplayInfo", "Duration", duration);
        addHotspot("SSIDs\\X", "spot", url, regionBytes({{10, 10}, {30, 10}, {30, 30}, {10, 30}}));
    }
    // Milliseconds that dssRemoveSplashScreen blocked.
    static unsigned long removeSplash() {
        unsigned long start = GetTickCount();
        dssRemoveSplashScreen();
        return GetTickCount() - start;
    }
    // The dialog fits the 64 x 48 picture, and its client area shows the picture's four colours (on an 8-bit
    // screen through the palette to the nearest static colours, which these four are).
    static void expectPictureShown(HWND dialog) {
        RECT frame = {}, box = {};
        GetWindowRect(dialog, &frame);
        GetClientRect(GetDlgItem(dialog, 1000), &box);
        EXPECT_EQ(frame.right - frame.left, 64 + 2 * GetSystemMetrics(SM_CXDLGFRAME) + 1);
        EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYDLGFRAME) + 2 * box.bottom + 48);
        Sleep(500);  // the display thread paints
        HDC screen = GetDC(dialog);
        const std::pair<POINT, COLORREF> samples[] = {{{8, 8}, RGB(255, 0, 0)}, {{50, 10}, RGB(0, 255, 0)},
                                                      {{10, 40}, RGB(0, 0, 255)}, {{50, 40}, RGB(255, 255, 255)}};
        for (const auto& [point, colour] : samples) {
            const COLORREF shown = GetPixel(screen, point.x, point.y);
            for (int shift : {0, 8, 16})  // red, green, blue
                EXPECT_NEAR((shown >> shift) & 0xFF, (colour >> shift) & 0xFF, 16) << point.x << "," << point.y;
        }
        ReleaseDC(dialog, screen);
    }
    const std::vector<std::uint8_t> jpeg = quarters();
    char buffer[32];
    int length = 10;
};

// One display per case: a hot-spot click hands the URL back (capacity 10 takes 9 characters) and closes;
// a press released outside does nothing, so the splash stays for its Duration; Esc and Space close it;
// a click on the check box toggles Active on closing. An inactive application gets its Default, and an
// expired LastSeen record is shown again; neither view counts. The first display is read back from the
// screen (ctest runs this test again on a true-colour display).
TEST_F(GlimmerHostTest, ShowClickKeyAndRemove) {
    const struct {
        const char *name, *url;
        std::uint32_t active, duration;
        bool last, clickBox;
        POINT release;  // of a press at (20, 20); none at x 0
        WPARAM key;     // none when 0
        int length;
        const char* buffer;
        std::uint32_t activeAfter, views;
    } cases[] = {
        {"hot spot", "http://a/", 1, 20000, false, false, {20, 20}, 0, 9, "http://a/", 1, 1},
        {"URL too long", "http://ab/", 1, 20000, false, false, {20, 20}, 0, -1, "http://ab", 1, 1},
        {"released outside", "http://a/", 1, 1500, false, false, {50, 40}, 0, 0, "", 1, 1},
        {"box then Esc", "http://a/", 1, 20000, false, true, {0, 0}, VK_ESCAPE, 0, "", 0, 1},
        {"Space", "http://a/", 1, 20000, false, false, {0, 0}, VK_SPACE, 0, "", 1, 1},
        {"inactive: box then Esc", "http://a/", 0, 20000, false, true, {0, 0}, VK_ESCAPE, 0, "", 1, 0},
        {"last seen again", "http://a/", 1, 20000, true, false, {0, 0}, VK_ESCAPE, 0, "", 1, 0},
    };
    addDefault("App", "DEF", 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        addSplash(c.url, c.duration);
        handBack();
        setNumber("AppList\\App", "Active", c.active);
        setText("AppList\\App", "LastSeen", "X");
        if (c.last) setNumber("SSIDs\\X\\DisplayInfo", "StopDate", 20000102);  // the chooser would refuse it now
        EXPECT_EQ((c.last ? dssDisplayLastSplashScreen : dssDisplaySplashScreen)(const_cast<char*>("App")), 0);
        HWND dialog = findSplashDialog();
        ASSERT_NE(dialog, nullptr);
        HWND box = GetDlgItem(dialog, 1000);
        char caption[64] = {};
        GetWindowTextA(box, caption, sizeof caption);
        EXPECT_STREQ(caption, c.active != 0 ? "Deactivate Splashwire for this product"
                                            : "Activate Splashwire for this product");
        if (&c == cases) expectPictureShown(dialog);
        if (c.release.x != 0) pressAndRelease(dialog, {20, 20}, c.release);
        if (c.clickBox) clickAt(box, 5, 5);
        if (c.key != 0) pressKey(box, c.key);
        const unsigned long waited = removeSplash();
        EXPECT_GE(waited, c.duration < 20000 ? 1000u : 0u);
        EXPECT_LT(waited, 10000u);
        EXPECT_EQ(findSplashDialog(), nullptr);
        EXPECT_EQ(std::make_tuple(length, std::string(buffer), buffer[10]),
                  std::make_tuple(c.length, std::string(c.buffer), '#'));
        EXPECT_EQ(std::make_pair(number("AppList\\App", "Active"), numViews("X")),
                  std::make_pair(c.activeAfter, std::vector<std::uint32_t>{c.views}));
        EXPECT_NEAR(number("AppList\\App", "LastRun"), static_cast<double>(std::time(nullptr)), 60);
    }
}

// No record and no Default, or an unreadable picture: nothing shows and removing returns at once; no
// application key is made for an unknown name.
TEST_F(GlimmerHostTest, NothingToShowReturnsAtOnce) {
    unsigned long start = GetTickCount();
    EXPECT_EQ(dssDisplaySplashScreen(const_cast<char*>("ANameLongerThanFifteen")), 0);
    EXPECT_EQ(findSplashDialog(), nullptr);
    EXPECT_LT(removeSplash(), 1000u);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(std::make_pair(length, hasKey("AppList\\ANameLongerThanFifteen")), std::make_pair(0, false));
    addSplash("http://a/");
    writeWholeFile(picture(), "not a picture");
    EXPECT_EQ(dssDisplaySplashScreen(const_cast<char*>("App")), 0);
    EXPECT_EQ(findSplashDialog(), nullptr);
    EXPECT_LT(removeSplash(), 1000u);
}

// Without hand-back, the default browser starts: a ".htm" association that points at the tests'
// recorder program, restored afterwards.
TEST_F(GlimmerHostTest, WithoutHandBackAClickStartsTheBrowser) {
    addSplash("http://example.test/page");
    std::string bin, oldExtension;
    ASSERT_TRUE(moduleFolder(nullptr, bin));
    RegistryKey extension, command;
    ASSERT_TRUE(extension.create(HKEY_CLASSES_ROOT, ".htm"));
    const bool hadExtension = extension.readText(nullptr, oldExtension);
    extension.writeText(nullptr, "GlimmerTestPage");
    ASSERT_TRUE(command.create(HKEY_CLASSES_ROOT, "GlimmerTestPage\\shell\\open\\command"));
    command.writeText(nullptr, ("\"" + bin + "\\glimmer_browser_recorder.exe\" \"%1\"").c_str());
    const std::string commandLines = folder.file("browser.txt");
    SetEnvironmentVariableA("GLIMMER_RECORDER_FILE", commandLines.c_str());
    ChildResult host = runChild("\"" + bin + "\\glimmer_host.exe\" App 20 20", bin);
    EXPECT_EQ(std::make_pair(host.started, host.exitCode), std::make_pair(true, 0ul)) << host.output;
    for (int i = 0; i < 100 && !fileExists(commandLines); ++i) Sleep(100);
    std::string line = readWholeFile(commandLines);
    EXPECT_NE(line.find("glimmer_browser_recorder.exe\" http://example.test/page"), std::string::npos) << line;
    EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{1});
    if (hadExtension) extension.writeText(nullptr, oldExtension.c_str());
    else extension.deleteValue(nullptr);
    static_cast<void>(deleteKeyTree(HKEY_CLASSES_ROOT, "GlimmerTestPage"));
}

// A capacity of 10 is driven end to end; here no room, no buffer and no length.
TEST(HandBackTest, WithoutRoomBufferOrLength) {
    char buffer[4] = {'\0', '#', '#', '#'};
    for (int capacity : {0, -4, 10}) {
        int length = capacity;
        handBackUrl(capacity == 10 ? nullptr : buffer, &length, "x");
        finishHandBack(buffer, &length);
        EXPECT_EQ(length, -1) << capacity << ": refused, and it stays refused";
    }
    handBackUrl(buffer, nullptr, "x");
    EXPECT_EQ(std::string(buffer, 4), std::string("\0###", 4)) << "nothing written without room";
}

// A missing INI text reads as "" with result 0 and a missing number as 0; numbers are written as "%lu".
// A registry number is a text of digits converted, else the first DWORD. A folder gets a backslash and
// is restored when the file is not there; the module's folder has no trailing backslash.
TEST(DssUtilitiesTest, SettingsAndFiles) {
    TempFolder temp;
    const std::string ini = temp.file("settings.ini");
    std::string text = "old";
    unsigned long number = 99;
    EXPECT_FALSE(readSettingText(nullptr, ini.c_str(), "Splash", "Name", text));
    EXPECT_TRUE(readSettingNumber(nullptr, ini.c_str(), "Splash", "Missing", number));
    EXPECT_EQ(std::make_pair(text, number), std::make_pair(std::string(), 0ul));
    EXPECT_TRUE(writeSettingNumber(nullptr, ini.c_str(), "Splash", "Count", 4000000000ul));
    EXPECT_TRUE(readSettingText(nullptr, ini.c_str(), "Splash", "Count", text));
    EXPECT_EQ(text, "4000000000");
    const std::string key = "Software\\GlimmerTests\\settings-" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(writeSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Sub", "Count", 1234));
    EXPECT_TRUE(readSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Sub", "Count", number));
    EXPECT_EQ(number, 1234u);
    RegistryKey sub;
    ASSERT_TRUE(sub.open(HKEY_CURRENT_USER, (key + "\\Sub").c_str()));
    sub.writeNumber("Binary", 0x41424344);
    EXPECT_TRUE(readSettingNumber(HKEY_CURRENT_USER, key.c_str(), "Sub", "Binary", number));
    EXPECT_EQ(number, 0x41424344u);
    EXPECT_TRUE(deleteKeyTree(HKEY_CURRENT_USER, key.c_str()));
    std::string folder = temp.path();
    EXPECT_EQ((std::pair<bool, std::string>{fileExistsIn(folder, "settings.txt"), folder}),
              std::make_pair(false, temp.path()));
    EXPECT_EQ((std::pair<bool, std::string>{fileExistsIn(folder, "settings.ini"), folder}), std::make_pair(true, ini));
    ASSERT_TRUE(moduleFolder(nullptr, folder));
    EXPECT_NE(folder.back(), '\\');
}

}  // namespace
