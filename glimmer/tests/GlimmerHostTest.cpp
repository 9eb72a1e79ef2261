// Glimmer.dll driven as a host program drives it: a splash screen chosen from the registry, shown on
// its own thread, clicked, keyed and removed; and the picture on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ChildProcess.h"
#include "Files.h"
#include "Glimmer.h"
#include "JpegDecoder.h"
#include "JpegFixtures.h"
#include "RegistryKey.h"
#include "SplashDriver.h"
#include "StoreFixture.h"

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 48;

std::string moduleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full = path;
    return full.substr(0, full.find_last_of('\\'));
}

// The live store under HKEY_LOCAL_MACHINE, emptied before and after each test.
class GlimmerHostTest : public StoreFixture {
protected:
    GlimmerHostTest() : StoreFixture(HKEY_LOCAL_MACHINE, "") {}

    void SetUp() override {
        addApplication("App", 1);
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

    HWND showSplash(const char* app = "App") {
        EXPECT_EQ(dssDisplaySplashScreen(const_cast<char*>(app)), 0);
        return findSplashDialog();
    }

    // Milliseconds that dssRemoveSplashScreen blocked.
    unsigned long removeSplash() {
        unsigned long start = nowMs();
        dssRemoveSplashScreen();
        return nowMs() - start;
    }

    char buffer[32];
    int length = 10;
};

TEST_F(GlimmerHostTest, AHotSpotClickHandsTheUrlBack) {
    struct Case {
        const char* url;
        int length;
        const char* buffer;
    };
    const Case cases[] = {{"http://a/", 9, "http://a/"}, {"http://ab/", -1, "http://ab"}, {"http://abcdef/", -1, "http://ab"}};
    addSplash("");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        setText("SSIDs\\X\\ImageInfo\\spot", "URL", c.url);
        std::memset(buffer, '#', sizeof buffer);
        length = 10;
        dssHandleHotspotsLocally(buffer, &length);
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

TEST_F(GlimmerHostTest, TheDialogFitsThePicture) {
    addSplash("http://a/");
    HWND dialog = showSplash();
    ASSERT_NE(dialog, nullptr);
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(frame.right - frame.left, kPictureWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME) + 1);
    HWND box = GetDlgItem(dialog, 1000);
    RECT boxClient = {};
    GetClientRect(box, &boxClient);
    EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYDLGFRAME) + 2 * boxClient.bottom + kPictureHeight);
    char caption[64] = {};
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(caption, "Deactivate Splashwire for this product");
    pressKey(box, VK_ESCAPE);
    EXPECT_LT(removeSplash(), 5000u);
    EXPECT_EQ(length, 0) << "no URL was clicked";
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

TEST_F(GlimmerHostTest, CheckingTheBoxThenEscapeSwitchesSplashScreensOff) {
    addSplash("http://a/");
    HWND dialog = showSplash();
    ASSERT_NE(dialog, nullptr);
    HWND box = GetDlgItem(dialog, 1000);
    clickAt(box, 5, 5);
    pressKey(box, VK_ESCAPE);
    EXPECT_LT(removeSplash(), 5000u);
    EXPECT_EQ(number("AppList\\App", "Active"), 0u);
}

TEST_F(GlimmerHostTest, SpaceClosesWithoutTogglingTheBox) {
    addSplash("http://a/");
    HWND dialog = showSplash();
    ASSERT_NE(dialog, nullptr);
    pressKey(GetDlgItem(dialog, 1000), VK_SPACE);
    EXPECT_LT(removeSplash(), 5000u);
    EXPECT_EQ(number("AppList\\App", "Active"), 1u);
}

TEST_F(GlimmerHostTest, AnInactiveApplicationGetsItsDefaultWithTheActivateText) {
    addSplash("http://a/");
    addDefault("App", "DEF", 1);
    setNumber("AppList\\App", "Active", 0);
    HWND dialog = showSplash();
    ASSERT_NE(dialog, nullptr);
    char caption[64] = {};
    GetWindowTextA(GetDlgItem(dialog, 1000), caption, sizeof caption);
    EXPECT_STREQ(caption, "Activate Splashwire for this product");
    HWND box = GetDlgItem(dialog, 1000);
    clickAt(box, 5, 5);
    pressKey(box, VK_ESCAPE);
    removeSplash();
    EXPECT_EQ(number("AppList\\App", "Active"), 1u) << "the box switched them back on";
    EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{0}) << "a Default view is not recorded";
    EXPECT_NE(number("AppList\\App", "LastRun"), 0u);
}

TEST_F(GlimmerHostTest, TheLastSeenSplashIsShownAgainWithoutCountingAView) {
    addSplash("http://a/");
    setText("AppList\\App", "LastSeen", "X");
    setNumber("SSIDs\\X\\DisplayInfo", "StopDate", 20000102);  // the chooser would refuse it now
    EXPECT_EQ(dssDisplayLastSplashScreen(const_cast<char*>("App")), 0);
    HWND dialog = findSplashDialog();
    ASSERT_NE(dialog, nullptr);
    pressKey(GetDlgItem(dialog, 1000), VK_ESCAPE);
    removeSplash();
    EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{0});
}

TEST_F(GlimmerHostTest, NothingToShowReturnsAtOnce) {
    unsigned long start = nowMs();
    EXPECT_EQ(dssDisplaySplashScreen(const_cast<char*>("ANameLongerThanFifteen")), 0);
    EXPECT_EQ(findSplashDialog(), nullptr);
    EXPECT_LT(removeSplash(), 1000u);
    EXPECT_LT(nowMs() - start, 3000u);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(hasKey("AppList\\App"));
    EXPECT_FALSE(hasKey("AppList\\ANameLongerThanFifteen"));
    dssDeinitialize();
}

TEST_F(GlimmerHostTest, AnUnreadablePictureShowsNothing) {
    addSplash("http://a/");
    writeWholeFile(folder.file("splash.jpg"), "not a picture");
    EXPECT_EQ(showSplash(), nullptr);
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

// The default browser: a ".htm" association that points at the tests' recorder program.
class BrowserAssociation {
public:
    explicit BrowserAssociation(const std::string& program) {
        RegistryKey extension, command;
        if (extension.create(HKEY_CLASSES_ROOT, ".htm")) {
            hadExtension_ = extension.readText(nullptr, oldExtension_);
            extension.writeText(nullptr, "GlimmerTestPage");
        }
        if (command.create(HKEY_CLASSES_ROOT, "GlimmerTestPage\\shell\\open\\command")) {
            command.writeText(nullptr, ("\"" + program + "\" \"%1\"").c_str());
        }
    }
    BrowserAssociation(const BrowserAssociation&) = delete;
    BrowserAssociation& operator=(const BrowserAssociation&) = delete;
    ~BrowserAssociation() {
        RegistryKey extension;
        if (extension.open(HKEY_CLASSES_ROOT, ".htm")) {
            if (hadExtension_) extension.writeText(nullptr, oldExtension_.c_str());
            else extension.deleteValue(nullptr);
        }
        static_cast<void>(deleteKeyTree(HKEY_CLASSES_ROOT, "GlimmerTestPage"));
    }

private:
    bool hadExtension_ = false;
    std::string oldExtension_;
};

TEST_F(GlimmerHostTest, WithoutHandBackAClickStartsTheBrowser) {
    addSplash("http://example.test/page");
    const std::string bin = moduleFolder();
    BrowserAssociation association(bin + "\\glimmer_browser_recorder.exe");
    const std::string record = folder.file("browser.txt");
    SetEnvironmentVariableA("GLIMMER_RECORDER_FILE", record.c_str());

    ChildResult host = runChild("\"" + bin + "\\glimmer_host.exe\" App 20 20", bin);
    ASSERT_TRUE(host.started);
    EXPECT_EQ(host.exitCode, 0u) << host.output;
    EXPECT_NE(host.output.find("removed after"), std::string::npos);
    for (int i = 0; i < 100 && !fileExists(record); ++i) Sleep(100);
    std::string line = readWholeFile(record);
    EXPECT_NE(line.find("glimmer_browser_recorder.exe\" http://example.test/page"), std::string::npos) << line;
    EXPECT_EQ(numViews("X"), std::vector<std::uint32_t>{1});
}

}  // namespace
