// The graphics code's alert while the managers start: the application's own, over the main window and
// captioned with the product's name.
#include "AppBox.h"
#include "AppGlobals.h"
#include "AppManagers.h"
#include "AppStandIn.h"
#include "AppStart.h"
#include "Canvas.h"
#include "DisplayWindow.h"
#include "EngineMessageBox.h"
#include "File.h"
#include "GraphicsAlert.h"
#include "TempFolder.h"
#include "TottlewickGlobal.h"
#include "UtilString.h"

namespace {

using Lines = std::vector<std::string>;

// The owner of the box that the real message box would open; its window is refused as it is created.
HWND boxOwner = nullptr;

LRESULT CALLBACK refuseBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HCBT_CREATEWND) return CallNextHookEx(nullptr, code, wParam, lParam);
    boxOwner = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->hwndParent;
    return 1;
}

// A window canvas over no window, made while the main window is open: the alert's log line under the
// product name "Toddler Title", then the owner of the real box.
void failAWindowCanvas() {
    const std::string product = AppGetProductName();
    UtilStrCopy(AppGetProductName(), "Toddler Title", kAppTextSize);
    Canvas canvas = 77;
    EXPECT_EQ(CanvasCreate(&canvas, 0, kCanvasWindow), 0);
    UtilStrCopy(AppGetProductName(), product.c_str(), kAppTextSize);

    const MessageBoxHook logged = EngineSetMessageBoxHook(nullptr);
    HHOOK hook = SetWindowsHookExA(WH_CBT, refuseBox, nullptr, GetCurrentThreadId());
    CanvasCreate(&canvas, 0, kCanvasWindow);
    UnhookWindowsHookEx(hook);
    EngineSetMessageBoxHook(logged);
}

struct AppAlertTest : AppTest {
    void TearDown() override {
        AppSetStepHook(nullptr);
        UnregisterClassA(AppGetProductName(), GetModuleHandleA(nullptr));
        AppCloseEarlyResources();
        AppArmShutdown();
        AppTest::TearDown();
    }
    TempFolder folder;
};

TEST_F(AppAlertTest, TheWindowCanvasFailureIsTheApplicationsAlert) {
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    standin::script.applicationFolder = folder.path();
    FileSetError(kFileErrNone);
    AppInitFolders();
    ASSERT_TRUE(AppLocateResources() && AppInitEarly() && AppCheckRequirements() && AppSetupWindowClass());
    static HWND mainWindow = nullptr;
    // After the window canvas the start fails a canvas of its own and stops; the managers are torn down.
    AppSetStepHook([](const char* step) {
        if (std::string(step) != "DisplayCreateDefaultOffscreen") return true;
        standin::log.clear();
        mainWindow = DisplayGetWindow();
        failAWindowCanvas();
        return false;
    });
    boxOwner = nullptr;
    ASSERT_EQ(AppInitManagers(0), 0);
    ASSERT_FALSE(standin::log.empty());
    EXPECT_EQ(standin::log.front(), "box Toddler Title|Failed creating window canvas|40");
    EXPECT_TRUE(mainWindow && boxOwner == mainWindow) << "the box belongs to the main window";
    EXPECT_EQ(GraphicsSetAlert(nullptr), &AppAlert) << "installed by the start";
}

}  // namespace
