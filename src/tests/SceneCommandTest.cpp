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

    static inline TempFolder* folder = nullptr;
    static inline DescriptorFile* descriptor = nullptr;
    static inline OMApp* app = nullptr;
    static inline OMTrinketWindow* window = nullptr;
};

TEST_F(SceneCommandTest, TheFinderServesThreeTypesFromTheModulesTheDescriptorNames) {
    EXPECT_EQ("PRsc\\pictures.dll PRsc\\sounds.dll", std::string(pictureModulePath()) + " " + soundModulePath());
    const std::pair<const char*, std::uint16_t> found[] = {{"ASEQ", kSceneId}, {"RRGB", kSceneId}, {"WAVE", 7}, {"WAVE", 8}};
    for (const auto& [type, id] : found) {
        std::unique_ptr<OMIStream> stream(findResource(id, type));
        EXPECT_EQ(id != 8, stream && stream->read() > 0) << type << id;
    }
    for (const char* type : {"NFNT", "aseq"}) EXPECT_EQ(nullptr, findResource(kSceneId, type)) << type;
}

TEST_F(SceneCommandTest, ScenesBlackScreenPaletteCopiesAndDissolves) {
    command(sceneCommand, {"nothing"});  // an absent command gives id 0: no scene
    EXPECT_EQ(nullptr, window->background);
    command(sceneCommand, {"start"});
    ASSERT_NE(nullptr, background());
    AOBackground* first = background();
    EXPECT_EQ((std::vector<std::uint32_t>{kLeft, kRight, 100, 101}),
              (std::vector<std::uint32_t>{rgbOf(windowPaletteTable()[100]), rgbOf(windowPaletteTable()[101]),
                                          std::uint32_t(pictureIndex(10, 10)), std::uint32_t(pictureIndex(630, 450))}));
    command(blackScreenCommand, {"101"});
    EXPECT_EQ(101, pictureIndex(10, 10));
    command(sceneCommand, {"start"});  // later scenes draw into the same background
    EXPECT_EQ(first, background());
    EXPECT_EQ(100, pictureIndex(10, 10));

    // 99..102 go to 0..3; 254..260 to 250..256, where 256..260 lie outside and are skipped; 100..99 copies nothing.
    windowPaletteTable()[250] = colorOf(1, 2, 3);
    for (const auto& range : {std::vector<const char*>{"500", "99", "102", "0"}, {"500", "254", "260", "250"},
                              {"500", "-3", "-1", "100"}, {"500", "100", "99", "0"}})
        command(copyPalCommand, {range[0], range[1], range[2], range[3]});
    EXPECT_EQ((std::vector<std::uint32_t>{kLeft, kAnimation, 0, kLeft}),
              (std::vector<std::uint32_t>{rgbOf(windowPaletteTable()[1]), rgbOf(windowPaletteTable()[3]),
                                          rgbOf(windowPaletteTable()[250]), rgbOf(windowPaletteTable()[100])}));
    command(fadeToBlackCommand, {});
    EXPECT_EQ(0u, rgbOf(background()->picture().colorAt(pictureIndex(10, 10))));
    command(fadeFromBlackCommand, {});
}

TEST_F(SceneCommandTest, NearestColoursAndTheExitButtonComeFromTheWindowAndTheDescriptor) {
    command(sceneCommand, {"start"});
    captureWindowPalette();
    EXPECT_EQ((std::vector<int>{100, 101, 102, 101}),
              (std::vector<int>{nearestPaletteIndex(0x12, 0x34, 0x56), nearestPaletteIndex(0xAE, 0xCA, 0xF2),
                                nearestPaletteIndex(0x20, 0xC0, 0x40), nearestPaletteIndex(0xFF, 0xFF, 0xFF)}));
    std::unique_ptr<OMScriptableObject> object(createObject("RDescriptorFile"));
    ASSERT_NE(nullptr, object);
    EXPECT_NE(0, object->setProperty("exitButtonID", "5"));  // accepted and ignored
    EXPECT_STREQ("4711", object->getProperty("exitButtonID"));
}

std::vector<std::string> alerts;

// Runs exec with "WinExeName" set to the program given, from a descriptor current for the call.
void execWith(const char* program) {
    const std::string text = std::string("WinExeName \"") + program + "\"\n";
    const DescriptorFile launch(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    command(execCommand, {"unused"});
}

TEST_F(SceneCommandTest, ExecQuitsOrAfterAFailedLaunchAlertsAndRestartsOnTheNextPass) {
    const OMAlertSink previous = omSetAlertSink([](const char* text, unsigned flags, const char* title) {
        alerts.push_back(std::string(text) + " " + std::to_string(flags) + " " + title);
        return 1;
    });
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
