// Glimmer.dll driven as a host program drives it: a splash screen chosen from the registry, shown on
// its own thread, clicked, keyed and removed; and the picture on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ChildProcess.h"
#include "DssUtilities.h"
#include "Glimmer.h"
#include "StoreFixture.h"
#include "JpegDecoder.h"
#include "SplashDriver.h"

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 48;

// The live store under HKEY_LOCAL_MACHINE, emptied before and after each test.
class GlimmerHostTest : public StoreFixture {
protected:
    GlimmerHostTest() : StoreFixture(HKEY_LOCAL_MACHINE, "") {}

    void SetUp() override {
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
        RecordSpec splash{"X"};
        splash.startDate = 20000101;
        splash.stopDate = 20991231;
        splash.duration = duration;
        addRecord(splash);
        setText("SSIDs\\X\\ImageInfo", "ImageName", picture("splash.jpg", kPictureWidth, kPictureHeight));
        addHotspot("SSIDs\\X", "spot", url, regionBytes({{10, 10}, {30, 10}, {30, 30}, {10, 30}}));
    }

    static HWND showSplash() {
        EXPECT_EQ(dssDisplaySplashScreen(const_cast<char*>("App")), 0);
        return findSplashDialog();
    }

    // Milliseconds that dssRemoveSplashScreen blocked.
    static unsigned long removeSplash() {
        unsigned long start = GetTickCount();
        dssRemoveSplashScreen();
        return GetTickCount() - start;
    }

    static std::string caption(HWND window) {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    char buffer[32];
    int length = 10;
};

TEST_F(GlimmerHostTest, AHotSpotClickHandsTheUrlBack) {
    const struct {
        const char* url;
        int length;
        const char* buffer;
    } cases[] = {{"http://a/", 9, "http://a/"}, {"http://ab/", -1, "http://ab"}, {"http://abcdef/", -1, "http://ab"}};
    addSplash("");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        setText("SSIDs\\X\\ImageInfo\\spot", "URL", c.url);
        handBack();
        HWND dialog = showSplash();
        ASSERT_NE(dialog, nullptr);
        clickAt(dialog, 20, 20);
        EXPECT_LT(removeSplash(), 5000u);
        EXPECT_EQ(length, c.length);
        EXPECT_STREQ(buffer, c.buffer);
        EXPECT_EQ(buffer[10], '#');
        EXPECT_EQ(findSplashDialog(), nullptr);
    }
    EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{3});
    EXPECT_EQ(text("", "RecentlySeen"), "X");
    EXPECT_EQ(text("AppList\\App", "LastSeen"), "X");
}

TEST_F(GlimmerHostTest, WithoutAClickTheSplashStaysForItsDuration) {
    addSplash("http://a/", 1500);
    HWND dialog = showSplash();
    ASSERT_NE(dialog, nullptr);
    pressAndRelease(dialog, {20, 20}, {50, 40});  // released outside the hot spot: nothing happens
    unsigned long waited = removeSplash();
    EXPECT_GE(waited, 1000u);
    EXPECT_LT(waited, 10000u);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(buffer[0], '\0');
}

// The dialog fits the picture; Esc and Space close it; a click on the check box toggles Active once.
// An inactive application gets its Default, and the last seen splash screen is shown again even when
// expired, neither view counted.
TEST_F(GlimmerHostTest, TheDialogTheCheckBoxAndTheClosingKeys) {
    const struct {
        const char* name;
        std::uint32_t active;
        bool last, clickBox;
        WPARAM key;
        const char* caption;
        std::uint32_t activeAfter, views;
    } cases[] = {
        {"box then Esc", 1, false, true, VK_ESCAPE, "Deactivate Splashwire for this product", 0, 1},
        {"Space", 1, false, false, VK_SPACE, "Deactivate Splashwire for this product", 1, 1},
        {"inactive: box then Esc", 0, false, true, VK_ESCAPE, "Activate Splashwire for this product", 1, 0},
        {"last seen again", 1, true, false, VK_ESCAPE, "Deactivate Splashwire for this product", 1, 0},
    };
    addDefault("App", "DEF", 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        addSplash("http://a/");
        handBack();
        setNumber("AppList\\App", "Active", c.active);
        setNumber("AppList\\App", "LastRun", 0);
        setText("AppList\\App", "LastSeen", "X");
        if (c.last) setNumber("SSIDs\\X\\DisplayInfo", "StopDate", 20000102);  // the chooser would refuse it now
        EXPECT_EQ((c.last ? dssDisplayLastSplashScreen : dssDisplaySplashScreen)(const_cast<char*>("App")), 0);
        HWND dialog = findSplashDialog();
        ASSERT_NE(dialog, nullptr);
        HWND box = GetDlgItem(dialog, 1000);
        if (c.active == 1) {
            RECT frame = {}, boxClient = {};
            GetWindowRect(dialog, &frame);
            GetClientRect(box, &boxClient);
            EXPECT_EQ(frame.right - frame.left, kPictureWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME) + 1);
            EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYDLGFRAME) + 2 * boxClient.bottom + kPictureHeight);
        }
        EXPECT_EQ(caption(box), c.caption);
        if (c.clickBox) clickAt(box, 5, 5);
        pressKey(box, c.key);
        EXPECT_LT(removeSplash(), 5000u);
        EXPECT_EQ(length, 0) << "no URL was clicked";
        EXPECT_EQ(number("AppList\\App", "Active"), c.activeAfter);
        EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{c.views});
        EXPECT_NE(number("AppList\\App", "LastRun"), 0u);
    }
}

TEST_F(GlimmerHostTest, NothingToShowReturnsAtOnce) {
    unsigned long start = GetTickCount();
    EXPECT_EQ(dssDisplaySplashScreen(const_cast<char*>("ANameLongerThanFifteen")), 0);
    EXPECT_EQ(findSplashDialog(), nullptr);
    EXPECT_LT(removeSplash(), 1000u);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(hasKey("AppList\\App"));
    EXPECT_FALSE(hasKey("AppList\\ANameLongerThanFifteen"));
    dssDeinitialize();

    addSplash("http://a/");
    writeWholeFile(folder.file("splash.jpg"), "not a picture");
    EXPECT_EQ(showSplash(), nullptr) << "an unreadable picture shows nothing";
    EXPECT_LT(removeSplash(), 1000u);
}

// The picture on screen, read back from the dialog's client area, against the decoded DIB at the
// screen's depth (ctest runs this case again on a true-colour display).
TEST_F(GlimmerHostTest, TheWindowShowsThePicture) {
    RgbPicture quadrants = solidPicture(kPictureWidth, kPictureHeight, 255, 0, 0);
    quadrants.fill(32, 0, 64, 24, 0, 255, 0);
    quadrants.fill(0, 24, 32, 48, 0, 0, 255);
    quadrants.fill(32, 24, 64, 48, 255, 255, 255);
    std::vector<std::uint8_t> jpeg = encodeJpeg(quadrants);
    addSplash("http://a/");
    writeWholeFile(folder.file("splash.jpg"), std::string(jpeg.begin(), jpeg.end()));

    HWND dialog = showSplash();
    ASSERT_NE(dialog, nullptr);
    Sleep(500);  // the display thread paints
    HDC screen = GetDC(dialog);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) > 24 ? 24 : GetDeviceCaps(screen, BITSPIXEL);
    JpegDibResult decoded;
    ASSERT_EQ(decodeJpegToDib(jpeg.data(), jpeg.size(), depth, &decoded), kJpegOk);
    const std::uint32_t stride = dibStride(static_cast<std::uint32_t>(depth / 8), decoded.width);
    for (POINT p : {POINT{8, 8}, POINT{50, 10}, POINT{10, 40}, POINT{50, 40}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        const std::uint8_t* pixel = decoded.bits + (kPictureHeight - 1 - p.y) * stride + p.x * (depth / 8);
        const std::uint8_t* bgr = depth == 8 ? decoded.colourTable[pixel[0]] : pixel;
        COLORREF shown = GetPixel(screen, p.x, p.y);
        EXPECT_NEAR(GetRValue(shown), bgr[2], 16);
        EXPECT_NEAR(GetGValue(shown), bgr[1], 16);
        EXPECT_NEAR(GetBValue(shown), bgr[0], 16);
    }
    ReleaseDC(dialog, screen);
    std::free(decoded.bits);
    pressKey(GetDlgItem(dialog, 1000), VK_ESCAPE);
    removeSplash();
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
    const std::string record = folder.file("browser.txt");
    SetEnvironmentVariableA("GLIMMER_RECORDER_FILE", record.c_str());

    ChildResult host = runChild("\"" + bin + "\\glimmer_host.exe\" App 20 20", bin);
    EXPECT_TRUE(host.started);
    EXPECT_EQ(host.exitCode, 0u) << host.output;
    EXPECT_NE(host.output.find("removed after"), std::string::npos);
    for (int i = 0; i < 100 && !fileExists(record); ++i) Sleep(100);
    std::string line = readWholeFile(record);
    EXPECT_NE(line.find("glimmer_browser_recorder.exe\" http://example.test/page"), std::string::npos) << line;
    EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{1});

    if (hadExtension) extension.writeText(nullptr, oldExtension.c_str());
    else extension.deleteValue(nullptr);
    static_cast<void>(deleteKeyTree(HKEY_CLASSES_ROOT, "GlimmerTestPage"));
}

}  // namespace
