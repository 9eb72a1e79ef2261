// The movie trinket on the test window with the fake clock, the video library's virtual sound device and
// the fake wave device: signals, the end, the update task, the mixer's device, the summary texts, describe,
// collecting mode, and the missing-movie alert in a child process.
#include <windows.h>

#include <algorithm>

#include "ChildProcess.h"
#include "FakeWaveInstalled.h"
#include "Files.h"
#include "OMMemCanvas.h"
#include "OMSR.h"
#include "OMWndCanvas.h"
#include "RSmackerMovie.h"
#include "SmackerWriter.h"
#include "TempFolder.h"
#include "TrinketFixture.h"
#include "smackw32.h"

namespace {

constexpr std::uint8_t kMovieColour = 40;  // frame i shows index kMovieColour + i

// 12 frames of 160 x 120: a square moving on a plain ground, new colours at frame 6, sound on frame 0.
SmackerMovie testMovie(std::uint32_t frameTime) {
    SmackerMovie movie{160, 120, frameTime, 11025, {}};
    for (int i = 0; i < 12; ++i) {
        SmackerFrame frame;
        frame.pixels.assign(160 * 120, 20);
        for (int y = 40; y < 80; ++y)
            std::fill_n(frame.pixels.begin() + y * 160 + 8 * i, 40, std::uint8_t(kMovieColour + i));
        if (i == 0 || i == 6)
            for (int c = 0; c < 256; ++c)
                frame.palette.push_back(SmackerColor{std::uint8_t((c + i) & 63), std::uint8_t(c / 4), 30});
        if (i == 0) frame.sound.assign(500, 1000);
        movie.frames.push_back(frame);
    }
    return movie;
}

// What the application's palette hook heard: entry 100 of each table, and the window's red of entry 100 then.
std::string heardPalettes;
void hearPalette(const OMColorRecord* table) {
    heardPalettes += numbers({table[100].red, table[100].green, table[100].blue}) + " (window " +
                     std::to_string(OMTrinketWindow::mainTrinketWindow->canvas->colorAt(100).red >> 8) + ") ";
}

struct MovieTest : TrinketFixture {
    void SetUp() override {
        TrinketFixture::SetUp();
        ASSERT_TRUE(classExists(RSmackerMovie::classRecord.className));  // naming the record links the class in
        GetCurrentDirectoryA(MAX_PATH, previousFolder);
        CreateDirectoryA(folder.file("rsc").c_str(), nullptr);
        auto bytes = writeSmacker(testMovie(6666));
        writeWholeFile(folder.file("rsc\\intro.smk"), std::string(bytes.begin(), bytes.end()));
        SetCurrentDirectoryA(folder.path().c_str());
        SmackTestUseVirtualDevice(fakeClock, nullptr);
    }
    void TearDown() override {
        SmackTestUseVirtualDevice(nullptr, nullptr);
        SetCurrentDirectoryA(previousFolder);
        TrinketFixture::TearDown();
    }
    RSmackerMovie* make(const char* collecting = "") {
        return static_cast<RSmackerMovie*>(createObject("RSmackerMovie", "intro.smk", "100", "50", "", "", collecting));
    }
    // Logs each "signal" with the frame read then, and "finished".
    void log(RSmackerMovie* movie) {
        signalled = Callback{[=] { eventLog += std::string("signal ") + movie->getProperty("frame") + " "; }};
        finished = Callback{[] { eventLog += "finished "; }};
        const OMLinkToObj<Callback> onSignal = calling(signalled), onFinished = calling(finished);
        movie->bindEvent("signal", &onSignal, nullptr);
        movie->bindEvent("finished", &onFinished, nullptr);
    }
    // Passes of the main loop, 67 ms apart, while the update task's presence is noted.
    void play(int passes) {
        std::vector<std::function<void()>> steps(passes, [this] {
            fakeMs += 67;
            tasksSeen += appTaskList()->contains(window->updateTask) ? "U" : "-";
        });
        run(steps);
    }

    TempFolder folder;
    FakeWaveInstalled fakeWave{folder.file("voice.wav")};
    char previousFolder[MAX_PATH] = {};
    Callback signalled, finished;
    std::string tasksSeen;
};

TEST_F(MovieTest, SignalsAtListedFramesThenFinishesOnceWithTheWindowsTaskBack) {
    const OMColorRecord before = window->canvas->colorAt(100);
    RSmackerMovie* movie = make();
    ASSERT_NE(movie->movie, nullptr);
    EXPECT_EQ(numbers(movie->bounds), "100 50 260 170");
    EXPECT_STREQ(movie->getProperty("rate"), "15");
    log(movie);
    run({});  // the window's first paint
    movie->invokeMethod("addSignals", "1", "5");
    movie->invokeMethod("start");
    play(16);
    EXPECT_EQ(eventLog, "signal 1 signal 5 finished ");
    EXPECT_EQ(tasksSeen.substr(0, 11), "-----------") << tasksSeen;
    EXPECT_EQ(tasksSeen.back(), 'U') << tasksSeen;
    EXPECT_EQ(movie->playTask, nullptr);
    EXPECT_EQ(window->canvas->colorAt(100).red >> 8, std::max(before.red >> 8, 1)) << "the palette saved at open";
    EXPECT_EQ(backPixel(100 + 88, 90), kMovieColour + 11);
    delete movie;
}

TEST_F(MovieTest, SignalListsAndJumps) {
    RSmackerMovie* movie = make();
    log(movie);
    movie->invokeMethod("addSignals", "-1", "7");
    EXPECT_STREQ(popParameter(), "7") << "the numbers after -1 are not read";
    EXPECT_EQ(movie->signals.size(), 12u);
    movie->invokeMethod("removeSignals", "1", "3");
    movie->invokeMethod("start");
    play(16);
    EXPECT_EQ(eventLog, "signal 2 signal 4 signal 5 signal 6 signal 7 signal 8 signal 9 signal 10 signal 11 finished ")
        << "the last frame never signals";
    eventLog.clear();
    movie->setProperty("frame", "0");
    movie->invokeMethod("removeSignals", "-1");
    movie->invokeMethod("addSignals", "3", "9");
    movie->invokeMethod("start");
    play(1);  // frames 0 and 1
    movie->setProperty("frame", "4");
    play(10);
    EXPECT_EQ(eventLog, "finished ") << "frame set past a signal skips it and the later ones";
    delete movie;
}

TEST_F(MovieTest, SummaryTextsDescribeRateAndTheMixersDevice) {
    ASSERT_EQ(OMWaveSound::openDevice(1), 1);
    RSmackerMovie* movie = make();
    EXPECT_FALSE(fakeWave.device.isOpen()) << "closed while a movie exists";
    char text[64];
    movie->describe(text, sizeof text);
    EXPECT_STREQ(text, "intro.smk 100 50 -1 1 0");
    std::vector<std::string> texts;
    clearParameters();
    for (int i = 0; i < 21; ++i) texts.push_back(movie->getProperty("summaryText"));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), ""), 2);
    EXPECT_EQ(texts[0], "Total playback time in milliseconds (not including open time).");
    EXPECT_EQ(texts[16] + texts[17], "");
    EXPECT_EQ(texts[20], "Highest amount of data used in the extra buffer.");
    EXPECT_STREQ(movie->getProperty("summary"), "0");
    EXPECT_STREQ(movie->getProperty("summary"), "6666");
    delete movie;
    EXPECT_TRUE(fakeWave.device.isOpen()) << "open after the last";
    // A movie without a frame time reads rate 0.
    auto bytes = writeSmacker(testMovie(0));
    writeWholeFile("rsc\\a-movie-name-of-many-characters.smk", std::string(bytes.begin(), bytes.end()));
    movie = static_cast<RSmackerMovie*>(createObject("RSmackerMovie", "a-movie-name-of-many-characters.smk", "0", "0"));
    ASSERT_NE(movie->movie, nullptr);
    EXPECT_STREQ(movie->getProperty("rate"), "0");
    delete movie;
}

// Word 1 of the summary is the frame time, 6666. A summary read before the end is read again from its first
// word after it; one never read before is taken at its first read after the end.
TEST_F(MovieTest, ASummaryReadAfterTheEndStartsAgainAtItsFirstWord) {
    RSmackerMovie* read = make();
    RSmackerMovie* unread = make();
    clearParameters();
    std::string before = read->getProperty("summary");
    before += std::string(" ") + read->getProperty("summary");
    for (RSmackerMovie* m : {read, unread}) {
        m->invokeMethod("start");
        play(16);
    }
    std::string after;
    for (RSmackerMovie* m : {read, unread}) {
        static_cast<void>(m->getProperty("summary"));
        after += std::string(m->getProperty("summary")) + " ";
    }
    EXPECT_EQ(before + " / " + after, "0 6666 / 6666 6666 ");
    delete read;
    delete unread;
}

// Entry 100 is (36, 25, 30) in 6-bit components at frame 0 and (42, 25, 30) at frame 6; a component c shows
// as the 8-bit level (c << 2) | (c >> 4), widened to 16 bits by 257: 146, 101, 121 and 170 give 37522,
// 25957, 31097 and 43690. A movie that does not follow palettes tells the hook nothing.
TEST_F(MovieTest, EachNewPaletteReachesTheApplicationsHookBeforeTheWindowTakesIt) {
    const std::string before = std::to_string(window->canvas->colorAt(100).red >> 8);
    heardPalettes.clear();
    RSmackerMovie::setPaletteHook(hearPalette);
    RSmackerMovie* movie = make();
    RSmackerMovie* unfollowed =
        static_cast<RSmackerMovie*>(createObject("RSmackerMovie", "intro.smk", "300", "50", "", "0", ""));
    std::string reached;
    for (RSmackerMovie* m : {movie, unfollowed}) {
        m->invokeMethod("start");
        play(16);
        reached += std::string(m->getProperty("frame")) + " ";
        m->invokeMethod("release");
    }
    RSmackerMovie::setPaletteHook(nullptr);
    EXPECT_EQ(reached, "12 12 ");
    EXPECT_EQ(heardPalettes, "37522 25957 31097 (window " + before + ") 43690 25957 31097 (window 146) ");
    delete movie;
    delete unfollowed;
}

TEST_F(MovieTest, CollectingModeComposesUnderAnotherTrinket) {
    RSmackerMovie* movie = make("1");
    EXPECT_STREQ(movie->getProperty("collecting"), "1");
    solid(OMRect{100, 50, 140, 170}, 7, 1)->setZ(5);
    log(movie);
    movie->invokeMethod("start");
    EXPECT_TRUE(appTaskList()->contains(window->updateTask));
    play(3);
    EXPECT_EQ(backPixel(120, 90), 7) << "under the solid trinket";
    EXPECT_EQ(backPixel(100 + 150, 60), 20) << "the movie's ground";
    const std::uint8_t square = backPixel(100 + 47, 90);  // frames 1 to 5 have their square there
    EXPECT_TRUE(square >= kMovieColour + 1 && square <= kMovieColour + 5) << int(square);
    play(14);
    EXPECT_EQ(eventLog, "finished ");
    delete movie;
}

// Frame 0 (160 x 120) wherever the movie stands: it covers exactly the part of the off-screen canvas under
// it, top-down or with reversed rows; wholly below the canvas it writes nothing.
TEST_F(MovieTest, WritesOnlyInsideTheCanvas) {
    struct Place { std::int32_t x, y, reversed, visible; };
    const Place places[] = {{100, 500, 0, 0},         {100, 500, 1, 0},        {-80, 50, 0, 80 * 120},
                            {560, 50, 0, 80 * 120},   {100, -60, 0, 160 * 60}, {100, 400, 0, 160 * 60},
                            {100, -60, 1, 160 * 60}};
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    for (const Place& p : places) {
        SCOPED_TRACE(numbers({p.x, p.y, p.reversed}));
        ASSERT_TRUE(window->offscreen->lockBits(bits, pitch));
        for (std::int32_t y = 0; y < 460; ++y) std::fill_n(bits + y * pitch, 640, 3);
        auto* movie = static_cast<RSmackerMovie*>(
            createObject("RSmackerMovie", "intro.smk", std::to_string(p.x).c_str(), std::to_string(p.y).c_str()));
        movie->invokeMethod("start");
        OMMemCanvas::anyCreated = !p.reversed;
        movie->tick();
        OMMemCanvas::anyCreated = 1;
        std::int32_t written = 0;
        std::string wrong;
        for (std::int32_t y = 0; y < 460; ++y)
            for (std::int32_t x = 0; x < 640; ++x) {
                const std::int32_t fx = x - p.x, fy = y - p.y;
                const bool inside = fx >= 0 && fx < 160 && fy >= 0 && fy < 120;
                const std::uint8_t shown = bits[y * pitch + x];
                written += shown != 3;
                if (!p.reversed && wrong.empty() &&
                    shown != (!inside ? 3 : fy >= 40 && fy < 80 && fx < 40 ? kMovieColour : 20))
                    wrong = numbers({x, y, shown});
            }
        EXPECT_EQ(written, p.visible);
        EXPECT_EQ(wrong, "") << "x y index of the first wrong pixel";
        delete movie;
    }
}

// Run only in a child started by the test below; its folder has no QUOMB.INI, so no CD root.
TEST_F(MovieTest, DISABLED_OpenMissing) { createObject("RSmackerMovie", "nothere.smk", "0", "0"); }

TEST(MovieMissingTest, AlertsAndExitsWithCode1) {
    TempFolder empty;
    const ChildResult child = runOwnTests("MovieTest.DISABLED_OpenMissing", empty.path());
    EXPECT_NE(child.output.find("Alert: Can't find required resource.\r\rPlease make sure your CD is inserted and "
                                "its surface is clean.\r\rCode: nothere.smk "),
              std::string::npos)
        << child.output;
    EXPECT_EQ(child.exitCode, 1u);
}

}  // namespace
