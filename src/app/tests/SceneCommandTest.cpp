// The scene commands, the resource finder, palette matching and the descriptor's script face, in this
// process: an application with a 640 x 460 trinket window in the test title's folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "AOBackground.h"
#include "AppCursors.h"
#include "CallParameters.h"
#include "DescriptorFile.h"
#include "OMApp.h"
#include "OMIStream.h"
#include "OMSystemUtilities.h"
#include "OMTrinket.h"
#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"
#include "PaletteMatch.h"
#include "RDescriptorFile.h"
#include "ResourceFinder.h"
#include "SceneCommands.h"
#include "TempFolder.h"
#include "TitleFiles.h"

namespace {

void command(void (*run)(OMArg), std::initializer_list<const char*> parameters) {
    setParameters(parameters);
    run(0);
}

std::uint32_t rgbOf(const OMColorRecord& c) {
    return std::uint32_t(c.red >> 8) << 16 | std::uint32_t(c.green >> 8) << 8 | std::uint32_t(c.blue >> 8);
}

std::uint32_t windowRgb(int entry) { return rgbOf(windowPaletteTable()[entry]); }

// The palette index of the background picture at x, y.
int pictureIndex(AOBackground& background, int x, int y) {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    if (!background.picture().lockBits(bits, pitch)) return -1;
    const int index = bits[y * pitch + x];
    background.picture().unlockBits();
    return index;
}

// Writes the test title into the folder and works in it until destroyed.
struct InTitleFolder {
    explicit InTitleFolder(const TempFolder& folder) {
        writeTitle(folder.path());
        SetCurrentDirectoryA(folder.path().c_str());
    }
    ~InTitleFolder() { SetCurrentDirectoryA(".."); }
};

TEST(SceneCommandTest, FinderScenesPaletteCopiesDissolvesNearestColoursAndTheExitButton) {
    const TempFolder folder;
    const InTitleFolder inFolder(folder);
    const DescriptorFile descriptor("PLSDescriptor.txt");
    setAppInstance(GetModuleHandleA(nullptr));
    static_cast<void>(findRunningInstance(appInstance()));  // names the main window's class
    const OMRect frame{0, 0, 640, 460};
    const OMApp app(2, &frame, nullptr, displayBitsPerPixel(0));
    OMTrinketWindow window(&frame, nullptr, kFrameNone, 0);

    EXPECT_EQ("PRsc\\pictures.dll PRsc\\sounds.dll", std::string(pictureModulePath()) + " " + soundModulePath());
    const std::pair<const char*, std::uint16_t> found[] = {{"ASEQ", kSceneId}, {"RRGB", kSceneId}, {"WAVE", 7},
                                                           {"WAVE", 8}};
    for (const auto& [type, id] : found) {
        std::unique_ptr<OMIStream> stream(findResource(id, type));
        EXPECT_EQ(id != 8, stream && stream->read() > 0) << type << id;
    }
    for (const char* type : {"NFNT", "aseq"}) EXPECT_EQ(nullptr, findResource(kSceneId, type)) << type;

    command(sceneCommand, {"nothing"});  // an absent command gives id 0: no scene
    EXPECT_EQ(nullptr, window.background);
    command(sceneCommand, {"start"});
    AOBackground* first = dynamic_cast<AOBackground*>(window.background);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ((std::vector<std::uint32_t>{kLeft, kRight, 100, 101}),
              (std::vector<std::uint32_t>{windowRgb(100), windowRgb(101), std::uint32_t(pictureIndex(*first, 10, 10)),
                                          std::uint32_t(pictureIndex(*first, 630, 450))}));
    command(blackScreenCommand, {"101"});
    EXPECT_EQ(101, pictureIndex(*first, 10, 10));
    command(sceneCommand, {"start"});  // later scenes draw into the same background
    EXPECT_EQ(first, window.background);
    EXPECT_EQ(100, pictureIndex(*first, 10, 10));
    captureWindowPalette();
    EXPECT_EQ((std::vector<int>{100, 101, 102, 101}),
              (std::vector<int>{nearestPaletteIndex(0x12, 0x34, 0x56), nearestPaletteIndex(0xAE, 0xCA, 0xF2),
                                nearestPaletteIndex(0x20, 0xC0, 0x40), nearestPaletteIndex(0xFF, 0xFF, 0xFF)}));

    // 99..102 go to 0..3; 254..260 to 250..256, where 256..260 lie outside and are skipped; 100..99 copies nothing.
    windowPaletteTable()[250] = colorOf(1, 2, 3);
    for (const auto& range : {std::vector<const char*>{"500", "99", "102", "0"}, {"500", "254", "260", "250"},
                              {"500", "-3", "-1", "100"}, {"500", "100", "99", "0"}})
        command(copyPalCommand, {range[0], range[1], range[2], range[3]});
    EXPECT_EQ((std::vector<std::uint32_t>{kLeft, kAnimation, 0, kLeft}),
              (std::vector<std::uint32_t>{windowRgb(1), windowRgb(3), windowRgb(250), windowRgb(100)}));
    command(fadeToBlackCommand, {});
    EXPECT_EQ(0u, rgbOf(first->picture().colorAt(pictureIndex(*first, 10, 10))));
    command(fadeFromBlackCommand, {});

    // One cursor is the trinkets' default and no-trinket cursor; the canvas shows the second.
    const AppCursors cursors = installCursors(window);
    EXPECT_EQ((std::vector<OMCursor*>{cursors.defaultCursor, cursors.defaultCursor, cursors.second}),
              (std::vector<OMCursor*>{OMTrinket::defaultCursor, OMTrinket::noTrinketCursor, window.canvas->cursor}));
    removeCursors(cursors);
    EXPECT_EQ(nullptr, OMTrinket::noTrinketCursor);

    ASSERT_STREQ("RDescriptorFile", RDescriptorFile::classRecord.className);  // naming it links the class in
    std::unique_ptr<OMScriptableObject> object(createObject("RDescriptorFile"));
    ASSERT_NE(nullptr, object);
    EXPECT_NE(0, object->setProperty("exitButtonID", "5"));  // accepted and ignored
    EXPECT_STREQ("4711", object->getProperty("exitButtonID"));
}

}  // namespace
