// End to end: QUOMB_32.exe runs guide.mps as the sample title's first script under Wine. A queue plays the
// character's greeting, moves the character along the sun's frames and waits; the character's "finished"
// and then the queue's are written to debug.txt, and the script quits.
#include <gtest/gtest.h>

#include <string>

#include "Files.h"
#include "FolderCopy.h"
#include "ProgramWindow.h"
#include "SampleFolder.h"
#include "TempFolder.h"

namespace {

TEST(SampleGuideTest, AQueueOfTheGreetingAMoveAndADelayRunsInOrder) {
    TempFolder folder;
    copyFolder(sampleFolder(), folder.path(), "debug.txt");
    writeWholeFile(folder.file("PScripts\\dorIruvu.mps"), readWholeFile(folder.file("PScripts\\guide.mps")));
    ProgramWindow title("\"" + folder.file("QUOMB_32.exe") + "\"", folder.path());
    ASSERT_TRUE(title.started());
    EXPECT_EQ(0u, title.waitForExit(30000));
    EXPECT_EQ("queued\r\nspoke\r\ndone 200\r\n", readWholeFile(folder.file("debug.txt")));
}

}  // namespace
