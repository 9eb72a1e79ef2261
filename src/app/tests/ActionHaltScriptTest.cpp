// Actions that halt or clear the container holding them, queued by a script that QUOMB_32.exe runs in a
// heap that fills freed blocks: the container ends inactive without a "finished" event and the script goes on.
#include <gtest/gtest.h>

#include <string>

#include "ScriptCase.h"

namespace {

struct HaltCase {
    const char* name;
    Lines building;
    const char* expected;
};

TEST(ActionHaltScriptTest, AVerbActionThatHaltsOrClearsItsOwnContainerEndsItOnce) {
    const HaltCase cases[] = {
        {"queue halted for ever",
         {"c=RQueue -1", "play c add VerbAction 'c' 1 halt", "play c add DelayAction 100"},
         "after 0 2"},
        {"queue cleared", {"c=RQueue 2", "play c add VerbAction 'c' 1 clear", "play c add DelayAction 100"}, "after 0 0"},
        {"composite halted",
         {"c=RCompositeAction", "play c add DelayAction 100", "play c add VerbAction 'c' 1 halt"},
         "after 0 2"},
        // The delay was not running when the composite was halted: it runs, and its end finishes the composite.
        {"composite halted first",
         {"c=RCompositeAction", "play c add VerbAction 'c' 1 halt", "play c add DelayAction 100"},
         "after 1 2\r\nfinished"},
    };
    for (const HaltCase& c : cases) {
        Lines script = c.building;
        script.insert(script.end(), {"set c finished +done", "play c start", "get c isActive a",
                                     "get c actionCount n", "say after a n", "pause 1", "say end", "quit",
                                     "procedure +done", "[", " say finished", "]"});
        const std::string said = std::string(c.expected) + "\r\nend\r\n";
        expectScriptSays({c.name, script, said.c_str()});
    }
}

}  // namespace
