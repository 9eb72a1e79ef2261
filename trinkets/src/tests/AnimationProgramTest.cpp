// End to end: QAnimations runs a script under Wine that makes an "RAnimation" from an ASEQ in a 16-bit
// resource module, plays it twice through, and writes the frame position of every frame notification and
// the end of play to "debug.txt".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AseqWriter.h"
#include "ChildProcess.h"
#include "Files.h"
#include "NeModuleWriter.h"
#include "ProgramRun.h"
#include "TempFolder.h"

namespace {

// Frame 0 is 2 x 2 red; frame 1 is 3 x 1 blue, 5 pixels right. The list: hold, frame 0, frame 1, loop,
// end; 20 frames a second.
std::string animation() {
    AseqPicture p;
    p.frameRate = 20;
    p.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {5, 0, 1, 0}, {0, 0, -2, 0}, {0, 0, -1, 0}}};
    p.frames = {{2, 2, {249, 249, 249, 249}, {}}, {3, 1, {252, 252, 252}, {}}};
    return writeAseq(p, ByteOrder::big);
}

const std::vector<std::string> kMain{
    "a=RAnimation 100 50 12", "set a frameNotification 1", "set a frameNotify +shown", "set a paused +ended",
    "set a repeatCount 2", "get a width w", "say width w", "play a", "wait",
    "procedure +shown", "[", " get a frame f", " get a x left", " say frame f at left", "]",
    "procedure +ended", "[", " say paused", " quit", "]"};

TEST(AnimationProgramTest, AScriptAnimationNotifiesEveryFrameItShowsUntilItsPlayEnds) {
    TempFolder folder;
    NeModule module;
    module.types.push_back({0, "ASEQ", {{12, animation()}}});
    writeWholeFile(folder.file("anims.dll"), writeNeModule(module).bytes);
    CreateDirectoryA(folder.file("PScripts").c_str(), nullptr);
    writeWholeFile(folder.file("PScripts\\main.mps"), lines(kMain));
    const ChildResult result = runChild("\"" + programPath("QAnimations.exe") + "\"", folder.path(), 60000);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_EQ(lines({"width 2", "frame 1 at 100", "frame 2 at 105", "frame 1 at 100", "frame 2 at 105", "paused"}),
              readWholeFile(folder.file("debug.txt")));
}

}  // namespace
