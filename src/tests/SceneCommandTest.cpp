// The scene commands, the resource finder, palette matching and the descriptor's script face, in this
// process: an application with a 640 x 460 trinket window in a folder that holds the test title's
// descriptor and modules.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "AOBackground.h"
#include "AppCommands.h"
#include "DescriptorFile.h"
#include "Files.h"
#include "OMApp.h"
#include "OMAlert.h"
#include "OMIStream.h"
#include "OMSParameter.h"
#include "OMSR.h"
#include "OMScriptableObject.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "OMTrinketWindow.h"
#include "PaletteMatch.h"
#include "RDescriptorFile.h"
#include "ResourceFinder.h"
#include "SceneCommands.h"
#include "TempFolder.h"
#include "TitleFiles.h"

namespace {

void command(void (*run)(OMArg), std::initializer_list<const char*> parameters) {
    clearParameters();
    for (const char* p : parameters) static_cast<void>(pushParameter(p));
    rewindParameters();
    run(0);
}

std::uint32_t rgbOf(const OMColorRecord& c) {
    return std::uint32_t(c.red >> 8) << 16 | std::uint32_t(c.green >> 8) << 8 | std::uint32_t(c.blue >> 8);
}

class SceneCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempFolder;
        CreateDirectoryA(folder->file("PRsc").c_str(), nullptr);
        writeWholeFile(folder->file("PRsc\\pictures.dll"), pictureModule());
        writeWholeFile(folder->file("PRsc\\sounds.dll"), soundModule());
        writeWholeFile(folder->file("PLSDescriptor.txt"), titleDescriptor());
        SetCurrentDirectoryA(folder->path().c_str());
        descriptor = new DescriptorFile("PLSDescriptor.txt");
        setAppInstance(GetModuleHandleA(nullptr));
        static_cast<void>(findRunningInstance(appInstance()));  // names the main window's class
        const OMRect frame{0, 0, 640, 460};
        app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
        window = new OMTrinketWindow(&frame, nullptr, kFrameNone, 0);
    }
    static void TearDownTestSuite() {
        delete window;
        delete app;
        delete descriptor;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
        delete folder;
    }

    static AOBackground* background() { return dynamic_cast<AOBackground*>(window->background); }
    // The palette index of the background picture at x, y.
    static int pictureIndex(int x, int y) {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        OMMemCanvas& picture = background()->picture();
        if (!picture.lockBits(bits, pitch)) return -1;
        const int index = bits[y * pitch + x];
        picture.unlockBits();
        return index;
    }

    static TempFolder* folder;
    static DescriptorFile* descriptor;
    static OMApp* app;
    static OMTrinketWindow* window;
};

TempFolder* SceneCommandTest::folder = nullptr;
DescriptorFile* SceneCommandTest::descriptor = nullptr;
OMApp* SceneCommandTest::app = nullptr;
OMTrinketWindow* SceneCommandTest::window = nullptr;

TEST_F(SceneCommandTest, TheFinderServesThreeTypesFromTheModulesTheDescriptorNames) {
    EXPECT_STREQ("PRsc\\pictures.dll", pictureModulePath());
    EXPECT_STREQ("PRsc\\sounds.dll", soundModulePath());
    struct Case {
        const char* type;
        std::uint16_t id;
        bool found;
    } const cases[] = {{"ASEQ", kSceneId, true}, {"RRGB", kSceneId, true}, {"WAVE", 7, true},
                       {"WAVE", kSceneId, false}, {"ASEQ", 7, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.id));
        std::unique_ptr<OMIStream> stream(findResource(c.id, c.type));
        ASSERT_NE(nullptr, stream);
        EXPECT_EQ(c.found, stream->read() > 0);
    }
    for (const char* type : {"NFNT", "aseq", "WAV"}) EXPECT_EQ(nullptr, findResource(kSceneId, type)) << type;
    EXPECT_EQ(nullptr, findFontResource(1));
}

TEST_F(SceneCommandTest, ScenesBlackScreenAndPaletteCopies) {
    command(sceneCommand, {"nothing"});  // an absent command gives id 0: no scene
    EXPECT_EQ(nullptr, window->background);

    command(sceneCommand, {"start"});
    ASSERT_NE(nullptr, background());
    EXPECT_EQ(kLeft, rgbOf(windowPaletteTable()[100]));
    EXPECT_EQ(kRight, rgbOf(windowPaletteTable()[101]));
    EXPECT_EQ(100, pictureIndex(10, 10));
    EXPECT_EQ(101, pictureIndex(630, 450));
    AOBackground* first = background();
    command(sceneCommand, {"start"});
    EXPECT_EQ(first, background());  // later scenes draw into the same background

    command(blackScreenCommand, {"101"});
    EXPECT_EQ(101, pictureIndex(10, 10));
    command(sceneCommand, {"start"});

    // Entries 99..102 go to 0..3; 254..260 to 250..256, of which 256..260 lie outside and are skipped.
    command(copyPalCommand, {"500", "99", "102", "0"});
    EXPECT_EQ(kLeft, rgbOf(windowPaletteTable()[1]));
    EXPECT_EQ(kAnimation, rgbOf(windowPaletteTable()[3]));
    windowPaletteTable()[250] = colorOf(1, 2, 3);
    command(copyPalCommand, {"500", "254", "260", "250"});
    EXPECT_EQ(0u, rgbOf(windowPaletteTable()[250]));
    command(copyPalCommand, {"500", "-3", "-1", "100"});
    command(copyPalCommand, {"500", "100", "99", "0"});  // last below first: nothing
    EXPECT_EQ(kLeft, rgbOf(windowPaletteTable()[1]));
    EXPECT_EQ(kLeft, rgbOf(windowPaletteTable()[100]));

    command(fadeToBlackCommand, {});
    EXPECT_EQ(0u, rgbOf(background()->picture().colorAt(pictureIndex(10, 10))));
    command(fadeFromBlackCommand, {});
}

TEST_F(SceneCommandTest, NearestColoursComeFromTheCapturedWindowPalette) {
    command(sceneCommand, {"start"});
    captureWindowPalette();
    struct Case {
        int r, g, b, index;
    } const cases[] = {{0x12, 0x34, 0x56, 100}, {0xAB + 3, 0xCD - 3, 0xEF + 3, 101}, {0x20, 0xC0, 0x40, 102},
                       {0xFF, 0xFF, 0xFF, 101}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.index, nearestPaletteIndex(c.r, c.g, c.b));
    }
}

TEST_F(SceneCommandTest, TheScriptFaceReadsTheExitButton) {
    ASSERT_TRUE(classExists(RDescriptorFile::classRecord.className));
    OMScriptableObject* object = createObject("RDescriptorFile");
    ASSERT_NE(nullptr, object);
    EXPECT_STREQ("4711", object->getProperty("exitButtonID"));
    EXPECT_NE(0, object->setProperty("exitButtonID", "5"));
    EXPECT_STREQ("4711", object->getProperty("exitButtonID"));
    delete object;
}

std::vector<std::string> alerts;
int recordAlert(const char* text, unsigned flags, const char* title) {
    alerts.push_back(std::string(text) + " " + std::to_string(flags) + " " + title);
    return 1;
}

// Runs exec with "WinExeName" set to the program given, from a descriptor current for the call.
void execWith(const char* program) {
    const std::string text = std::string("WinExeName \"") + program + "\"\n";
    const DescriptorFile launch(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    command(execCommand, {"unused"});
}

TEST_F(SceneCommandTest, ExecQuitsOrAfterAFailedLaunchAlertsAndRestartsOnTheNextPass) {
    const OMAlertSink previous = omSetAlertSink(recordAlert);
    alerts.clear();
    app->running = 1;
    const std::int32_t tasks = app->tasks.count;
    execWith("no_such_program.exe");
    EXPECT_EQ((std::vector<std::string>{"Unable to launch Application. 12288 Alert"}), alerts);
    EXPECT_EQ(1, app->running);
    EXPECT_EQ(tasks + 1, app->tasks.count);  // the restart, once
    runTaskSlices(app->tasks);
    EXPECT_EQ(tasks, app->tasks.count);

    execWith("false");
    EXPECT_EQ(0, app->running);
    EXPECT_EQ(1u, alerts.size());
    omSetAlertSink(previous);
    delete descriptor;
    descriptor = new DescriptorFile("PLSDescriptor.txt");
}

}  // namespace
