// The activity base: its commands, the idle prompt only while interactive, a release that cuts only the
// intro prompt, the scene's music, and a module without its resource file that still has a working exit
// button.
#include <algorithm>
#include <vector>

#include "Activity.h"
#include "AppModule.h"
#include "EngineMessageBox.h"
#include "KitTestSupport.h"
#include "ModuleProcs.h"
#include "SceneGlobals.h"

namespace {

std::vector<std::string> boxes;

class PromptActivity : public Activity {
public:
    explicit PromptActivity(const char* name) : Activity(name, 1, 1, 1) {
        introSound_ = 1;
        helpSound_ = 2;
        idleSound_ = 3;
    }
};

struct ActivityTest : KitTest {
    void SetUp() override {
        KitTest::SetUp();
        boxes.clear();
        EngineSetMessageBoxHook([](const char* text, const char*, unsigned) {
            boxes.emplace_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        AppSetModule(nullptr, nullptr, 0);
        gPickerInFront = 0;
        EngineSetMessageBoxHook(nullptr);
        KitTest::TearDown();
    }
};

TEST_F(ActivityTest, CommandsPromptsAndTheIntroCutByARelease) {
    PromptActivity activity("Kit");
    EXPECT_TRUE(boxes.empty());
    for (const std::uint32_t id : {7u, 120u}) EXPECT_EQ(activity.OnCommand(id), 1);
    EXPECT_EQ(sounds(), std::vector<std::string>{"2"}) << "120 plays the help prompt";
    activity.OnTimer(899, 0);
    activity.OnTimer(kNoInputTimerId, 0);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"stop 2", "3"}));
    activity.SetInteractive(0, nullptr);
    activity.OnTimer(kNoInputTimerId, 0);
    EXPECT_TRUE(sounds().empty()) << "no idle prompt while not interactive";
    EXPECT_EQ(ActorIsActive(kActivityHelpCommand), 0);
    calls.clear();
    activity.PlayHelp();
    activity.OnMouseUp(Point{600, 400});
    activity.PlayIntro();
    activity.OnMouseUp(Point{600, 400});
    EXPECT_EQ(calls, (std::vector<std::string>{"stop ch=7 id=3", "start id=2 ch=7 pri=-32767 vol=1024 flags=2", "stop ch=7 id=2",
                                               "start id=1 ch=7 pri=-32767 vol=1024 flags=0", "stop ch=7 id=1"}))
        << "the help prompt replaced the idle one and ran on until the intro replaced it; the release cut the intro (in memory as the hover sound, not streamed)";
    EXPECT_EQ(activity.OnCommand(kSceneExitCommand), 1);
    EXPECT_EQ(AppGetModule(), PickerModuleProc);
}

TEST_F(ActivityTest, TheSceneMusicLoopsAtVolume409OnAWithdrawnChannel) {
    PromptActivity activity("Kit");
    calls.clear();
    activity.StartMusic(2);
    ASSERT_EQ(calls, std::vector<std::string>{"start id=2 ch=7 pri=-32767 vol=409 flags=3"});
    EXPECT_EQ(SndIsChannelDisabled(7), 1);
    activity.FadeMusicOut();
    activity.StopMusic();
    activity.FadeMusicIn();  // no channel any more: nothing
    EXPECT_EQ(calls.back(), "fade ch=7 to=0 ms=1000");
    EXPECT_EQ(SndIsChannelDisabled(7), 0);
}

// The pointer's picture may be in the module's own file.
TEST_F(ActivityTest, ThePointerIsDrawnFromTheModulesOwnFile) {
    ForgeBank pointer;
    pointer.shapes = {handShape(std::vector<std::string>(4, "7777"))};
    ASSERT_TRUE(writeResources(folder.file("Own.PRS"), {{"XPK", 9, forgeXpk(pointer, ByteOrder::big)}}));
    Activity activity("Own", 1, 1, 9);
    PortSet(offscreen);
    activity.Draw(kScreen);
    const std::vector<std::uint16_t> pixels = canvasPixels(offscreen);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), '7'), 16);
}

TEST_F(ActivityTest, WithoutItsFileTheExitButtonStillPosts100) {
    PromptActivity activity("Missing");
    EXPECT_EQ(boxes, std::vector<std::string>{"Resource File Not Opened"});
    activity.OnMouseMove(Point{5, 5});
    activity.OnMouseDown(Point{5, 5});
    activity.OnMouseUp(Point{5, 5});
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 100"});
}

}  // namespace
