// End to end: QTrinkets runs a script under Wine that makes trinkets, a group, a hot spot and a keyboard
// input object, posts a click on the group, a click on the hot spot and a key, and writes "debug.txt"
// from the procedures bound to their events.
#include "ProgramRun.h"

namespace {

// The click at (120, 30) lands on blue, a child lying above its group; (150, 100) lies inside the hot
// spot given as 300 200 100 50 and outside every other trinket.
const std::vector<std::string> kMain{
    "red=RSolid 10 10 64 64 249", "blue=RSolid 100 10 64 64 252", "car=OMMultiTrinket",
    "play car addTrinket 'red' 1 1", "play car addTrinket 'blue' 1 2", "set car mouseDown +carPressed",
    "spot=RHotSpot 300 200 100 50", "set spot hit +spotHit", "keys=RKbdInp", "set keys keyPressed +typed",
    "get car width w", "say group width w", "PostClick 120 30", "wait",
    "procedure +carPressed", "[", " get car x cx", " say group pressed at cx", " PostClick 150 100", "]",
    "procedure +spotHit", "[", " say hit", " PostKey 113", "]",
    "procedure +typed", "[", " get keys key k", " say typed k", " quit", "]"};

TEST(TrinketProgramTest, AScriptsTrinketsHotSpotAndKeysRunTheirBoundProcedures) {
    TempFolder folder;
    CreateDirectoryA(folder.file("PScripts").c_str(), nullptr);
    writeWholeFile(folder.file("PScripts\\main.mps"), lines(kMain));
    const ChildResult result = runChild("\"" + programPath("QTrinkets.exe") + "\"", folder.path(), 60000);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_EQ(lines({"group width 154", "group pressed at 10", "hit", "typed q"}),
              readWholeFile(folder.file("debug.txt")));
}

}  // namespace
