// The module procedures' rows: the Picker flag, the deferred and the immediate deletion of the activity
// object, and the Picker's exit command when the window was closed.
#include <gtest/gtest.h>

#include <vector>

#include "AppBindings.h"
#include "AppModule.h"
#include "ModuleProcs.h"
#include "Scene.h"
#include "SceneGlobals.h"

namespace {

int deleted = 0;
std::vector<std::uint32_t> commands;

class FakeScene : public Scene {
public:
    ~FakeScene() override { ++deleted; }
    std::int32_t OnCommand(std::uint32_t id) override {
        commands.push_back(id);
        return Scene::OnCommand(id);
    }
    void Draw(const Rect&) override {}
};

class ModuleProcsTest : public testing::Test {
protected:
    void SetUp() override {
        deleted = 0;
        commands.clear();
        gActivity = new FakeScene;
        gPicker = nullptr;
    }
    void TearDown() override {
        SceneDeleteActivity();
        delete gPicker;
        gPicker = nullptr;
    }
};

TEST_F(ModuleProcsTest, ActivityModulesLeaveTheirObjectToTheDeferredDeletion) {
    const AppModuleProc activities[] = {BandModuleProc, MR_PLINKModuleProc, ToppersModuleProc,
                                        BLOK_STAKModuleProc, HatShopModuleProc, ZibbModuleProc,
                                        BlueGooModuleProc, QuitConfirmModuleProc, OptionsModuleProc};
    for (const AppModuleProc module : activities) {
        gPickerInFront = 1;
        EXPECT_EQ(module(nullptr, kAppModuleStart, 0, 0), 1);
        EXPECT_EQ(gPickerInFront, 0);
        EXPECT_EQ(module(nullptr, kAppModuleEnd, 0, 0), 1);
        EXPECT_EQ(gPickerInFront, 1);
    }
    EXPECT_EQ(deleted, 0);
    OptionsModuleProc(nullptr, kAppModuleResume, 0, 0);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(gActivity, nullptr);
}

TEST_F(ModuleProcsTest, IntroAndSlideShowDeleteTheActivityAtOnce) {
    for (const AppModuleProc module : {IntroModuleProc, SlideShowModuleProc}) {
        gPickerInFront = 1;
        EXPECT_EQ(module(nullptr, kAppModuleStart, 0, 0), 1);
        EXPECT_EQ(gActivity, nullptr);
        EXPECT_EQ(gPickerInFront, 0);
        EXPECT_EQ(module(nullptr, kAppModuleEnd, 0, 0), 1);
        EXPECT_EQ(gPickerInFront, 0);
        gActivity = new FakeScene;
    }
    EXPECT_EQ(deleted, 2);
}

TEST_F(ModuleProcsTest, PickerGetsItsExitCommandOnlyWhenTheWindowWasClosed) {
    gPicker = new FakeScene;
    gPickerInFront = 0;
    EXPECT_EQ(PickerModuleProc(nullptr, kAppModuleStart, 0, 0), 1);
    EXPECT_EQ(gPickerInFront, 1);
    EXPECT_TRUE(commands.empty());
    PickerModuleProc(nullptr, kAppModuleStart, WM_CLOSE, 0);
    EXPECT_EQ(commands, std::vector<std::uint32_t>{100});
    EXPECT_EQ(gPicker->OnCommand(7), 1);
    EXPECT_EQ(gPicker->OnKey(), 0);
}

}  // namespace
