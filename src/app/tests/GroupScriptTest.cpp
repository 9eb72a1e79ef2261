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

// Groups and children that the script gives up stay in the window until the program closes it, which
// deletes them in z order: child before group, group before child, a group inside a group deleted
// between its own child and its outer group, and a script's child in a character.
TEST(GroupScriptTest, GroupsAndChildrenGivenUpAreDeletedSafelyInAnyOrderAtTheEnd) {
    const auto givenUp = [](Lines making) {
        making.insert(making.begin(), "say begin");
        making.insert(making.end(), {"say end", "quit"});
        return making;
    };
    const ScriptCase cases[] = {
        {"child first",
         givenUp({"h=RHotSpot 10 10 50 50 0", "g=OMMultiTrinket", "play g addTrinket 'h' 0 1", "h=&n", "g=&n"}),
         "begin\r\nend\r\n"},
        {"group first",
         givenUp({"g=OMMultiTrinket", "h=RHotSpot 10 10 50 50 0", "play g addTrinket 'h' 1 1", "g=&n", "h=&n"}),
         "begin\r\nend\r\n"},
        {"inner group between its child and the outer group",
         givenUp({"outer=OMMultiTrinket", "inner=OMMultiTrinket", "h=RHotSpot 10 10 50 50 0",
                  "play outer addTrinket 'inner' -1 1", "play inner addTrinket 'h' 5 1", "h=&n", "inner=&n", "outer=&n"}),
         "begin\r\nend\r\n"},
        {"child in a character",
         givenUp({"c=RCharacter 12 0", "h=RHotSpot 10 10 50 50 0", "play c addTrinket 'h' -1 1",
                  "c=&n", "h=&n"}),
         "begin\r\nend\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

}  // namespace
