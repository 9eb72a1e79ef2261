// End to end: a script's trinkets, group, hot spot and keyboard object react to posted input under Wine.
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
    writeScript(folder, "main.mps", kMain);
    const ChildResult result = runProgram("QTrinkets.exe", folder);
    EXPECT_EQ(std::make_pair(true, 0ul), std::make_pair(result.started, result.exitCode)) << result.output;
    EXPECT_EQ(lines({"group width 154", "group pressed at 10", "hit", "typed q"}),
              readWholeFile(folder.file("debug.txt")));
}

}  // namespace
