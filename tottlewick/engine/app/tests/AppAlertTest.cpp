// The graphics code's alert once the managers have started: the application's own, captioned with the
// product's name.
#include "AppBox.h"
#include "AppGlobals.h"
#include "AppManagers.h"
#include "AppStandIn.h"
#include "AppStart.h"
#include "Canvas.h"
#include "DisplayWindow.h"
#include "File.h"
#include "GraphicsAlert.h"
#include "TempFolder.h"
#include "TottlewickGlobal.h"
#include "UtilString.h"

namespace {

using Lines = std::vector<std::string>;

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
    // The start stops after the window canvas; the managers are torn down again.
    AppSetStepHook([](const char* step) { return std::string(step) != "DisplayCreateDefaultOffscreen"; });
    ASSERT_EQ(AppInitManagers(0), 0);
    standin::log.clear();
    const std::string product = AppGetProductName();
    UtilStrCopy(AppGetProductName(), "Toddler Title", kAppTextSize);
    Canvas canvas = 77;
    EXPECT_EQ(CanvasCreate(&canvas, 0, kCanvasWindow), 0);
    UtilStrCopy(AppGetProductName(), product.c_str(), kAppTextSize);
    EXPECT_EQ(standin::log, (Lines{"box Toddler Title|Failed creating window canvas|40"}));
    EXPECT_EQ(GraphicsSetAlert(nullptr), &AppAlert) << "installed by the start";
}

}  // namespace
