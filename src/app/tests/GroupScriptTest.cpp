// Groups filled by a script that QUOMB_32.exe runs in a heap that fills freed blocks.
#include <gtest/gtest.h>

#include "ScriptCase.h"

namespace {

// The second "addTrinket" of the same child is refused: the group holds one record of it, which the
// child's deletion takes out, so neither the group's end nor the script touches the deleted child.
TEST(GroupScriptTest, AChildAddedTwiceIsHeldOnce) {
    expectScriptSays({"added twice",
                      {"g=OMMultiTrinket", "h=RHotSpot 10 10 50 50 0", "play g addTrinket 'h' 0 1",
                       "play g addTrinket 'h' 0 2", "drop h", "drop g", "say end", "quit"},
                      "end\r\n"});
}

}  // namespace
