// Script variables that hold, delete and read objects, run by QUOMB_32.exe in a heap that fills freed blocks:
// deleted objects leave no holder behind, reads of members that lead back into themselves end,
// procedure references that name no procedure call nothing and replace earlier bindings, a pause ends
// whatever procedure runs on top of it, and a wait ends only at a deadline still pending.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ScriptCase.h"

namespace {

// The queue's "finished" makes RECEIVER stand for the queue and b borrow it; then the queue is deleted by
// each way there is. Verbs, gets and sets on RECEIVER and b find nothing afterwards.
TEST(ScriptHolderScriptTest, EveryWayOfDeletingAnObjectEmptiesTheVariablesThatHoldIt) {
    const std::pair<const char*, const char*> deletions[] = {
        {"drop", "drop q"}, {"drop trinkets", "drop trinkets"}, {"a new object", "q=RQueue"}, {"a number", "q=5"}};
    for (const auto& [name, deletion] : deletions) {
        expectScriptSays({name,
                          {"q=RQueue", "play q add DelayAction 10", "set q finished +p", "play q start", "pause 1", deletion,
                           "call +r", "say end", "quit",
                           "procedure +p", "[", " b=RECEIVER", " say fin", "]",
                           "procedure +r", "[", " play RECEIVER halt", " play b halt", " set RECEIVER finished +p",
                           " get RECEIVER isActive a", " get b isActive c", " say after a c", "]"},
                          "fin\r\nafter a c\r\nend\r\n"});
    }
}

// The queue raised the last event, so RECEIVER holds it ahead of q: the drop still deletes it, and the queue
// that would run for ever adds nothing to x after it.
TEST(ScriptHolderScriptTest, DroppingTheObjectThatRaisedTheLastEventDeletesIt) {
    expectScriptSays({"dropped after its event",
                      {"x=RQueue", "q=RQueue", "play q add DelayAction 50", "play q add VerbAction 'x' 1 add EmptyAction",
                       "set q finished +p", "play q start", "pause 1", "set q repeatCount -1", "play q start", "drop q",
                       "get x actionCount n1", "pause 1", "get x actionCount n2", "d=n2-n1", "say added d", "say end", "quit",
                       "procedure +p", "[", " say fin", "]"},
                      "fin\r\nadded 0\r\nend\r\n"});
}

// Deleting o8 empties o4, which finishes o3; in run mode its event goes on with the statements after the
// drop while o8 is being deleted: they find o8 empty.
TEST(ScriptHolderScriptTest, StatementsRunInsideADropFindTheDroppedVariableEmpty) {
    expectScriptSays({"dropped twice",
                      {"o3=RCompositeAction", "o4=RQueue", "o7=RQueue 5 1", "o8=RQueue", "play o3 add 'o4'",
                       "set o3 finished +p3", "play o4 add 'o8'", "play o7 add 'o8'", "play o3 start", "yield run", "drop o8",
                       "say inside o8", "drop o8", "say end", "quit", "procedure +p3", "[", "]"},
                      "inside o8\r\nend\r\n"});
}

// 23 members, each naming a substring whose three parts are the next member (b being "|" as below): a read
// of the first stops reading after a bounded number of reads; every part reads as an empty text or a name,
// which gives neither start nor count.
Lines branchingChain() {
    Lines script = {"e=s|1-t", "b=e|2|1"};
    for (int level = 1; level < 24; ++level) {
        const std::string next = "v" + std::to_string(level + 1);
        script.push_back("v" + std::to_string(level) + "=\"" + next + "\"+b+\"a." + next + "\"+b+\"a." + next + "\"");
    }
    script.insert(script.end(), {"v24=3", "say a.v1", "say end", "quit"});
    return script;
}

TEST(ScriptHolderScriptTest, AMemberReadEndsAndReachesTheVariableItReads) {
    const ScriptCase cases[] = {
        // A failed expression reads as its text, so b is "|" and a.i names "a.i|a.i|a.i", whose three parts are
        // a.i again: inside that read they read as their name, which gives neither start nor count.
        {"three ways back",
         {"e=s|1-t", "b=e|2|1", "i=\"i\"+b+\"a.i\"+b+\"a.i\"", "say b i", "say a.i", "say end", "quit"},
         "| i|a.i|a.i\r\n\r\nend\r\n"},
        {"three ways at every level", branchingChain(), "\r\nend\r\n"},
        // c.j names c.x, which reads c.3: the verb, the property, a verb that takes the variable's name and the
        // assignment reach c.3.
        {"object through a reference",
         {"j=\"x\"", "x=3", "c.3=RQueue", "q=RQueue", "play c.j add DelayAction 10", "play q add 'c.j'",
          "get c.j actionCount n", "get q actionCount m", "c.j=4", "say n m c.3", "say end", "quit"},
         "1 1 4\r\nend\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

// A call whose reference leads to no procedure entry cell does nothing, and a timer or event binding armed
// with one calls nothing: the script goes on with its next line.
TEST(ScriptHolderScriptTest, AReferenceThatNamesNoProcedureDoesNothing) {
    const ScriptCase cases[] = {
        {"call of a name", {"call +p", "say after", "quit"}, "after\r\n"},
        {"call of a text", {"p=\"+zz\"", "call p", "say after", "quit"}, "after\r\n"},
        {"schedule of a text", {"say begin", "schedule 0.1 '+zz'", "pause 1", "say after", "quit"}, "begin\r\nafter\r\n"},
        {"schedule past the code", {"schedule 0.1 32767", "pause 1", "say after", "quit"}, "after\r\n"},
        {"idle of a name", {"idle 0.1 +p", "pause 1", "say after", "quit"}, "after\r\n"},
        {"object event", {"p=\"+zz\"", "q=RQueue", "play q add DelayAction 10", "set q finished p", "play q start",
                          "pause 1", "say after", "quit"},
         "after\r\n"},
        {"class event", {"p=\"+zz\"", "say begin", "set RHotSpot born p", "h=RHotSpot 10 10 50 50 0", "g=h", "pause 1",
                         "say after", "quit"},
         "begin\r\nafter\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

// A binding or timer whose reference leads to no procedure replaces the earlier one: nothing is called. A
// time of 0 leaves the timer as it was; a second binding to a procedure replaces the first.
TEST(ScriptHolderScriptTest, AReferenceThatLeadsNowhereReplacesTheEarlierBinding) {
    const Lines ending = {"pause 2", "say after", "quit", "procedure +p", "[", " say p", "]", "procedure +p2", "[",
                          " say p2", "]"};
    const Lines queue = {"q=RQueue", "play q add DelayAction 10"};
    const std::vector<ScriptCase> cases = {
        {"object event", joined({queue, {"set q finished +p", "bad=\"+zz\"", "set q finished bad", "play q start"}}),
         "after\r\n"},
        {"object event, bound again", joined({queue, {"set q finished +p", "set q finished +p2", "play q start"}}),
         "p2\r\nafter\r\n"},
        {"class event", {"set RHotSpot born +p", "bad=\"+zz\"", "set RHotSpot born bad", "h=RHotSpot 10 10 50 50 0", "g=h"},
         "after\r\n"},
        {"schedule", {"schedule 0.3 +p", "bad=\"+zz\"", "schedule 0.3 bad"}, "after\r\n"},
        {"schedule for no time", {"schedule 0.3 +p", "bad=\"+zz\"", "schedule 0 bad"}, "p\r\nafter\r\n"},
        {"idle", {"idle 0.3 +p", "bad=\"+zz\"", "idle 0.3 bad"}, "after\r\n"},
    };
    expectScriptsSay(cases, ending);
}

// A timer or event procedure that pauses while the main line pauses: the procedure's pause ends, and the main
// line's ends after the procedure has returned.
TEST(ScriptHolderScriptTest, APauseUnderAPausingProcedureEnds) {
    const Lines procedure = {"pause 0.2", "say end", "quit", "procedure +p", "[", " say p", " pause 0.3", " say p2", "]"};
    expectScriptsSay({{"timer procedure", {"say begin", "schedule 0.1 +p"}, "begin\r\np\r\np2\r\nend\r\n"},
                      {"event procedure",
                       {"say begin", "q=RQueue", "play q add DelayAction 100", "set q finished +p", "play q start"},
                       "begin\r\np\r\np2\r\nend\r\n"}},
                     procedure);
}

// A main-line wait under a procedure that pauses ends at the deadline the procedure leaves; a pause that
// `drop wait` cut short leaves no deadline to a later wait. "late" ends a wait that no deadline ends.
TEST(ScriptHolderScriptTest, AWaitEndsOnlyAtADeadlineThatIsStillPending) {
    const Lines late = {"procedure +late", "[", " say late", " drop wait", "]"};
    expectScriptSays({"a wait under a pausing procedure",
                      joined({{"say begin", "q=RQueue", "play q add DelayAction 100", "set q finished +p", "r=RQueue",
                               "play r add DelayAction 300", "set r finished +r2", "play q start", "play r start",
                               "schedule 4 +late", "wait", "say after", "quit", "procedure +p", "[", " say p",
                               " pause 2", " say p2", "]", "procedure +r2", "[", " say rr", "]"},
                              late}),
                      "begin\r\np\r\nrr\r\nafter\r\n"});
    expectScriptSays({"a pause cut short under a pausing procedure",
                      joined({{"say begin", "schedule 0.3 +t", "pause 2", "say resumed", "schedule 3 +late", "wait",
                               "say after", "quit", "procedure +t", "[", " say t", " drop wait", " pause 0.2",
                               " say t2", "]"},
                              late}),
                      "begin\r\nt\r\nt2\r\nresumed\r\nlate\r\nafter\r\n"});
}

}  // namespace
