// The application message handler, the module procedures and the redraw procedure: the deferred and
// immediate deletions, closing the window with an activity or the Picker in front, input and commands routed to the scene in front, the resume
// from suspend, the redraw of each rectangle under its own clip, and a scene revealed through a fill.
#include <atomic>
#include <cstring>
#include <future>
#include <set>
#include <string>
#include <vector>

#include "AppBindings.h"
#include "AppGlobals.h"
#include "AppStart.h"
#include "DisplayWindow.h"
#include "AppModule.h"
#include "AppRedraw.h"
#include "DisplayCanvas.h"
#include "EngineMessageBox.h"
#include "ModuleProcs.h"
#include "Port.h"
#include "Prefs.h"
#include "Scene.h"
#include "SceneGlobals.h"
#include "UpdateTestSupport.h"

namespace {

std::vector<std::string> events;

class LoggedScene : public Scene {
public:
    explicit LoggedScene(const char* name) : name_(name) {}
    ~LoggedScene() override { log("deleted"); }
    std::int32_t OnMouseDown(Point point) override {
        log("down " + std::to_string(point.h) + "," + std::to_string(point.v));
        return 1;
    }
    std::int32_t OnCommand(std::uint32_t id) override {
        log("command " + std::to_string(id));
        return 1;
    }
    void Draw(const Rect& rect) override {
        Rect clip{};
        CanvasGetClip(&clip, PortGet());
        log("draw " + rectCsv(rect) + " clip " + rectCsv(clip));
    }

private:
    void log(const std::string& what) { events.push_back(name_ + " " + what); }
    std::string name_;
};

// Presses OK on each message box once its text shows, until `done` (the program runs alone); the texts.
std::vector<std::string> pressBoxes(const std::atomic<bool>* done) {
    std::vector<std::string> texts;
    std::set<HWND> pressed;
    for (; !*done; Sleep(10)) {
        for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr));) {
            char text[64] = {};
            for (HWND item = nullptr; !*text && (item = FindWindowExA(box, item, "Static", nullptr));)
                GetWindowTextA(item, text, sizeof text);
            if (!*text || !pressed.insert(box).second) continue;
            texts.emplace_back(text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return texts;
}

struct AppHandlerTest : ScreenUpdateTest {
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        events.clear();
        window = popup(64, 64);
        gPicker = new LoggedScene("picker");
        gActivity = new LoggedScene("activity");
        gPickerInFront = 0;
        // The activities made by the module procedures find no file here: their alert must not wait.
        EngineSetMessageBoxHook([](const char*, const char*, unsigned) { return IDOK; });
    }
    void TearDown() override {
        EngineSetMessageBoxHook(nullptr);
        AppSetModule(window, nullptr, 0);
        SceneDeleteActivity();
        delete gPicker;
        gPicker = nullptr;
        ScreenUpdateTest::TearDown();
    }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return AppMessageHandler(window, message, wParam, lParam);
    }
    HWND window = nullptr;
};

TEST_F(AppHandlerTest, RoutesToTheSceneInFrontAndDeletesAnEndedActivityFirst) {
    send(WM_LBUTTONDOWN, 0, MAKELPARAM(12, 34));
    send(kAppCommand, 7);
    gPickerInFront = 1;  // as an activity's module does on 10001
    send(kAppCommand, 120);
    EXPECT_EQ(gActivity, nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"activity down 12,34", "activity command 7", "activity deleted",
                                                "picker command 120"}));
}

// Each module makes its scene on 10000. Activity modules leave it to the deferred deletion after 10001; the
// Intro and slide show delete the one still there at once; the options are made anew on 10003.
TEST_F(AppHandlerTest, ModuleProceduresKeepThePickerFlagAndDeleteByTheirRow) {
    for (const AppModuleProc module : {BandModuleProc, MR_PLINKModuleProc, ToppersModuleProc, BLOK_STAKModuleProc,
                                       HatShopModuleProc, ZibbModuleProc, BlueGooModuleProc, QuitConfirmModuleProc,
                                       OptionsModuleProc, IntroModuleProc, SlideShowModuleProc}) {
        const bool replacing = module == IntroModuleProc || module == SlideShowModuleProc;
        SceneDeleteActivity();
        if (replacing) gActivity = new LoggedScene("activity");
        gPickerInFront = 1;
        EXPECT_EQ(module(window, kAppModuleStart, 0, 0), 1);
        EXPECT_EQ(gPickerInFront, 0);
        EXPECT_NE(gActivity, nullptr);
        EXPECT_EQ(module(window, kAppModuleEnd, 0, 0), 1);
        EXPECT_EQ(gPickerInFront, replacing ? 0 : 1);
    }
    SceneDeleteActivity();
    gActivity = new LoggedScene("activity");
    OptionsModuleProc(window, kAppModuleResume, 0, 0);
    EXPECT_NE(gActivity, nullptr);
    // The fixture's, then those the Intro, the slide show and the options' resume replaced.
    EXPECT_EQ(events, std::vector<std::string>(4, "activity deleted"));
    EXPECT_EQ(gPicker->OnCommand(7), 1);
    EXPECT_EQ(gPicker->OnKey(), 0);
}

TEST_F(AppHandlerTest, ClosingTheWindowAsksThePickerToQuit) {
    PickerModuleProc(window, kAppModuleStart, 0, 0);
    EXPECT_TRUE(events.empty()) << "only a switch made by closing asks the Picker";
    gPickerInFront = 0;
    EXPECT_EQ(send(WM_CLOSE), 1);
    EXPECT_EQ(AppGetModule(), PickerModuleProc);
    EXPECT_EQ(gPickerInFront, 1);
    EXPECT_EQ(send(WM_CLOSE), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"activity deleted", "picker command 100", "picker command 100"}));
    EXPECT_TRUE(IsWindow(window));
}

// PREFS.DAT on a full disk (the device that is always full): the options' save on the way out comes up
// short and a real "File Error" box disables the main window, whose WM_ENABLE comes back through the
// handler while the options are still being deleted.
TEST_F(AppHandlerTest, AFileErrorBoxWhileTheOptionsGoReentersTheHandlerSafely) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        AppMessageHandler(w, m, wp, lp);
        return DefWindowProcA(w, m, wp, lp);
    }));
    DisplaySetWindow(window);
    EngineSetMessageBoxHook(nullptr);
    const std::string appFolder = AppGetApplicationFolder();
    std::strcpy(AppGetApplicationFolder(), FULL_DISK_FOLDER);
    SceneDeleteActivity();
    OptionsModuleProc(window, kAppModuleStart, 0, 0);
    OptionsModuleProc(window, kAppModuleEnd, 0, 0);
    std::atomic<bool> done{false};
    std::future<std::vector<std::string>> texts = std::async(std::launch::async, pressBoxes, &done);
    send(kAppTick);
    done = true;
    std::strcpy(AppGetApplicationFolder(), appFolder.c_str());
    DisplaySetWindow(nullptr);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    EXPECT_EQ(texts.get(), std::vector<std::string>{"File Error"});
}

TEST_F(AppHandlerTest, ShutdownDeletesBothScenesOncePerStart) {
    AppArmShutdown();
    EXPECT_EQ(AppSendMessage(window, kAppShutdown, 0, 0), 0);
    EXPECT_EQ(AppSendMessage(window, WM_DESTROY, 0, 0), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"activity deleted", "picker deleted"}));
    EXPECT_EQ(gActivity, nullptr);
    EXPECT_EQ(gPicker, nullptr);
}

TEST_F(AppHandlerTest, AnUnchangedSizeOnlyMarksTheScreenDirty) {
    ASSERT_NE(DisplayGetCaps(AppGetDisplayInfo()), 0);
    const AppDisplayInfo accepted = *AppGetDisplayInfo();
    const Rect screen{0, 0, 640, 480};
    DisplaySetScreenRect(&screen);
    send(WM_SIZE);
    EXPECT_EQ(rects(), "0,0,640,480");
    EXPECT_EQ(std::memcmp(AppGetDisplayInfo(), &accepted, sizeof accepted), 0);
}

TEST_F(AppHandlerTest, ResumeFromSuspendPostsADisplayChange) {
    MSG message{};
    send(WM_POWERBROADCAST, 4);
    EXPECT_FALSE(PeekMessageA(&message, window, WM_DISPLAYCHANGE, WM_DISPLAYCHANGE, PM_REMOVE));
    send(WM_POWERBROADCAST, 7);
    EXPECT_TRUE(PeekMessageA(&message, window, WM_DISPLAYCHANGE, WM_DISPLAYCHANGE, PM_REMOVE));
}

TEST_F(AppHandlerTest, RedrawDrawsEachRectangleUnderItsClipAndRestoresTheClip) {
    PortSet(offscreen);
    const Rect kept{5, 5, 600, 400};
    CanvasSetClip(offscreen, &kept);
    const Rect rects[] = {{0, 0, 10, 10}, {20, 30, 40, 50}};
    AppRedraw(0, rects);
    AppRedraw(2, rects);
    EXPECT_EQ(events, (std::vector<std::string>{"activity draw 0,0,10,10 clip 0,0,10,10",
                                                "activity draw 20,30,40,50 clip 20,30,40,50"}));
    Rect clip{};
    CanvasGetClip(&clip, offscreen);
    EXPECT_EQ(rectCsv(clip), "5,5,600,400");
}

TEST_F(AppHandlerTest, RevealSceneFlushesAFilledFrameThenLeavesTheSceneToTheNextFlush) {
    PortSet(offscreen);
    const Rect screen{0, 0, 640, 480};
    DisplayFillRect(&screen, 7);
    UpdateSetRedrawProc(AppRedraw);
    gActivity->RevealScene();
    EXPECT_TRUE(events.empty()) << "the scene itself did not draw";
    EXPECT_EQ(pixelAt(offscreen, 5, 5), 0);
    EXPECT_EQ(UpdateSetRedrawProc(nullptr), AppRedraw);
    EXPECT_EQ(rects(), "0,0,640,480");
}

}  // namespace
