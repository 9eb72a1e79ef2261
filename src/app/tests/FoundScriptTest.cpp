// Short scripts cut down from generated ones that crashed QUOMB_32.exe or kept it from quitting, each run in
// a heap that fills freed blocks: the program says what the script says and quits with 0.
#include <gtest/gtest.h>

#include "ScriptCase.h"

namespace {

TEST(FoundScriptTest, EachScriptRunsToItsQuit) {
    const ScriptCase cases[] = {
        // "drop trinkets" deletes the queue through its owner; the borrowing variable must not keep it.
        {"borrowed variable after drop trinkets", {"q=RQueue", "a=&q", "drop trinkets", "play a clear", "say end", "quit"}, "end\r\n"},
        // The second record of the toon stays in the group after the toon is deleted by a new value.
        {"child added twice to a group",
         {"g=OMMultiTrinket", "t=RToon 538 243 9666 3 0 3", "play g addTrinket 't' 2 164", "play g addTrinket 't' 0 144",
          "t=5", "say end", "quit"},
         "end\r\n"},
        // A trinket given up by its borrowed variable lives until the window closes, which deletes every
        // remaining trinket: the games' own parts among them.
        {"racing game left to the window", {"k=PXKill 5", "k=&other", "say end", "quit"}, "end\r\n"},
        {"race left to the window", {"r=RAssess", "r=&other", "say end", "quit"}, "end\r\n"},
        {"slider left to the window in a group",
         {"o2=RWSlider 572 554 260 3 113 1", "o4=OMMultiTrinket", "play o4 addTrinket 'o2' 3 115", "o2=&o4", "say end",
          "quit"},
         "end\r\n"},
        {"race left to the window in a character",
         {"c=RCharacter 12 1", "r=RAssess", "play c addTrinket 'r' 3 105", "r=&other", "say end", "quit"}, "end\r\n"},
        // A sound that cannot be found ends its step inside its start: every pass of the queue too.
        {"queue of sound steps that end at once",
         {"q=RQueue 100000 3", "play q add SoundAction 0", "play q start", "say end", "quit"}, "end\r\n"},
        // The empty for-ever queue ends each pass inside its start; the queue holding it was never started.
        {"for-ever queue inside one never started",
         {"o=RQueue -1", "p=RQueue -1", "play o add 'p'", "play p start", "say end", "quit"}, "end\r\n"},
        {"composites that hold each other",
         {"a=RCompositeAction", "b=RCompositeAction", "play a add 'b'", "play b add 'a'", "play a start", "say end", "quit"},
         "end\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

}  // namespace
