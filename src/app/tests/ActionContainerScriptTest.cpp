// Queues and composites that scripts change while they run, run by QUOMB_32.exe in a heap that fills freed
// blocks: children and containers deleted inside the containers' own walks and verbs, long runs of steps
// that finish at once, waits of 0 ms, children leaving a composite, containers that would hold each other
// and a halt inside a halt. The program must end by the script's "quit" and say what the rules give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptCase.h"

namespace {

Lines inRunMode(const Lines& script) { return joined({{"yield run"}, script}); }

// Lines that add `count` empty steps to the queue.
Lines emptySteps(const std::string& queue, int count) { return Lines(count, "play " + queue + " add EmptyAction"); }

// A child that leaves while the composite starts or halts its children, and a container deleted by a
// handler while its own walk or verb runs.
TEST(ActionContainerScriptTest, ChildrenAndContainersDeletedDuringAWalkOrVerbAreNotTouchedAgain) {
    const ScriptCase cases[] = {
        // The empty queue a finishes inside the composite's start; its handler drops b, not yet started.
        {"composite start",
         {"a=RQueue", "b=RQueue", "c=RCompositeAction", "q=RQueue", "play c add 'a'", "play c add 'b'",
          "play q add DelayAction 10", "play q add 'c'", "set a finished +p", "play q start", "pause 1",
          "get c isActive x", "get q isActive y", "say active x y", "say end", "quit", "procedure +p", "[",
          " drop b", "]"},
         "active 0 0\r\nend\r\n"},
        // Halting w performs its verb step, which starts y; y's end drops w while the composite halts it.
        {"composite halt",
         {"x=RQueue", "y=RQueue", "play y add VerbAction 'x' 1 resume", "w=RQueue", "play w add DelayAction 1000",
          "play w add VerbAction 'y' 1 start", "b=RQueue", "play b add DelayAction 1000", "c=RCompositeAction",
          "play c add 'w'", "play c add 'b'", "set y finished +p", "play c start", "play c halt",
          "get c isActive x", "get c actionCount n", "say halted x n", "say end", "quit", "procedure +p", "[",
          " drop w", "]"},
         "halted 0 1\r\nend\r\n"},
        // The halt that "clear" starts runs a verb step (events fire again after it); a's end drops q.
        {"queue cleared",
         {"x=RQueue", "a=RQueue", "play a add EmptyAction 0", "q=RQueue", "play q add DelayAction 1000",
          "play q add VerbAction 'x' 1 resume", "play q add 'a'", "set a finished +p", "play q start", "pause 0.2",
          "play q clear", "pause 0.5", "say end", "quit", "procedure +p", "[", " drop q", "]"},
         "end\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

// Steps that finish inside their own start, run one after another, and queues of them held back to later
// main-loop passes once 65536 passes have ended in one; finishes that a queue does not wait for.
TEST(ActionContainerScriptTest, StepsThatFinishAtOnceRunInALoopAndOnlyTheRunningStepMovesTheQueueOn) {
    const ScriptCase cases[] = {
        {"65536 passes of an empty step",
         {"q=RQueue 65536", "play q add EmptyAction", "play q start", "get q isActive x", "say active x",
          "say end", "quit"},
         "active 0\r\nend\r\n"},
        {"100000 passes of an empty step",
         {"q=RQueue 100000", "play q add EmptyAction", "set q finished +done", "play q start", "pause 1",
          "get q isActive x", "say active x", "say end", "quit", "procedure +done", "[", " say finished", "]"},
         "finished\r\nactive 0\r\nend\r\n"},
        {"an empty step for ever",
         {"q=RQueue -1", "play q add EmptyAction", "play q start", "say started", "pause 0.2", "get q isActive x",
          "say active x", "play q halt", "get q isActive x", "say halted x", "quit"},
         "started\r\nactive 1\r\nhalted 0\r\n"},
        // 65536 passes of eight steps in one main-loop pass would nest deeper than the stack reaches.
        {"eight empty steps for ever",
         joined({{"q=RQueue -1"}, emptySteps("q", 8),
                 {"play q start", "say started", "pause 0.2", "get q isActive x", "say active x", "play q halt",
                  "get q isActive x", "say halted x", "quit"}}),
         "started\r\nactive 1\r\nhalted 0\r\n"},
        {"100000 passes of an empty composite",
         {"c=RCompositeAction", "q=RQueue 100000", "play q add 'c'", "play q start", "say end", "quit"}, "end\r\n"},
        {"100000 passes of a verb step",
         {"x=RQueue", "q=RQueue 100000", "play q add VerbAction 'x' 1 resume", "play q start", "say end", "quit"},
         "end\r\n"},
        // o4 reports to o3, which was never started: o3 ignores it.
        {"a shared child finishing for a queue that is not running",
         {"o1=RCompositeAction 0", "o3=RQueue 99999999999", "o4=RQueue 99999999999", "play o1 add 'o4'",
          "play o3 add 'o4'", "play o1 start", "get o3 isActive x", "say queue x", "quit"},
         "queue 0\r\n"},
        // a, started by the script, finishes while the delay runs: q waits for the delay.
        {"a child finishing that is not the running one",
         {"a=RQueue", "q=RQueue", "play q add DelayAction 300", "play q add 'a'", "set q finished +done",
          "play q start", "play a start", "get q isActive x", "say active x", "pause 2", "say end", "quit",
          "procedure +done", "[", " say finished", "]"},
         "active 1\r\nfinished\r\nend\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

// A delay of 0 ms comes due in the main loop's next pass, so a queue that waits only on such delays lets the
// script, input and quitting go on.
TEST(ActionContainerScriptTest, AQueueForEverWaitingOnlyOnZeroMsDelaysLetsTheScriptGoOn) {
    const ScriptCase cases[] = {
        {"empty step and delay",
         {"q=RQueue -1", "play q add EmptyAction", "play q add DelayAction 0", "play q start", "say started",
          "pause 0.3", "get q isActive x", "say active x", "quit"},
         "started\r\nactive 1\r\n"},
        {"random delay alone",
         {"q=RQueue -1", "play q add RandomDelayAction 0 0", "play q start", "say started", "quit"}, "started\r\n"},
    };
    for (const ScriptCase& c : cases) expectScriptSays(c);
}

// A composite finishes when every child that it still holds has finished, whichever child leaves.
TEST(ActionContainerScriptTest, ACompositeFinishesWhenItsRemainingChildrenHaveFinished) {
    const Lines ending = {"pause 1", "get c isActive x", "say active x", "say end", "quit", "procedure +done", "[",
                          " say finished", "]"};
    const std::vector<ScriptCase> cases = {
        // b has finished (counted) when a, still running, leaves.
        {"the running child dropped",
         {"a=RQueue", "b=RQueue", "play a add DelayAction 400", "play b add DelayAction 100", "c=RCompositeAction",
          "play c add 'a'", "play c add 'b'", "set c finished +done", "play c start", "pause 0.2", "drop a"},
         "finished\r\nactive 0\r\nend\r\n"},
        // The finished child leaves; the composite waits for the one that runs.
        {"the finished child dropped",
         {"a=RQueue", "b=RQueue", "play a add DelayAction 400", "play b add DelayAction 100", "c=RCompositeAction",
          "play c add 'a'", "play c add 'b'", "set c finished +done", "play c start", "pause 0.2", "drop b",
          "get c isActive y", "say running y"},
         "running 1\r\nfinished\r\nactive 0\r\nend\r\n"},
    };
    expectScriptsSay(cases, ending);
}

// "add" refuses an action that holds the container at any depth, and adds nothing then.
TEST(ActionContainerScriptTest, AddRefusesAnActionThatHoldsTheContainer) {
    const Lines counts = {"get a actionCount n", "get b actionCount m", "say counts n m", "say end", "quit"};
    const std::vector<ScriptCase> cases = {
        {"two queues, read", {"a=RQueue", "b=RQueue", "play a add 'b'", "play b add 'a'", "get a isInterruptible v"},
         "counts 1 0\r\nend\r\n"},
        {"two queues, halted after a start",
         {"a=RQueue", "b=RQueue", "play a add 'b'", "play b add 'a'", "play b add DelayAction 500", "play a start",
          "play a halt"},
         "counts 1 1\r\nend\r\n"},
        {"two composites, paused",
         {"a=RCompositeAction", "b=RCompositeAction", "play a add 'b'", "play b add 'a'",
          "play b add DelayAction 500", "play a start", "play a pause"},
         "counts 1 1\r\nend\r\n"},
        {"three deep",
         {"a=RQueue", "b=RCompositeAction", "z=RQueue", "play a add 'b'", "play b add 'z'", "play z add 'a'",
          "get z actionCount k", "say held k", "play a halt"},
         "held 0\r\ncounts 1 1\r\nend\r\n"},
    };
    expectScriptsSay(cases, counts);
}

// The outer halt halts the verb step, whose verb halts the queue again: that inner halt does nothing, and
// the outer one keeps the step that must not be cut, after which the queue runs on and finishes once.
TEST(ActionContainerScriptTest, AHaltThatArrivesDuringAHaltChangesNothing) {
    expectScriptSays({"verb step halting its own queue",
                      {"q=RQueue", "play q add DelayAction 1000 1", "play q add VerbAction 'q' 1 halt",
                       "play q add DelayAction 300 0", "play q add DelayAction 100 1", "set q finished +done",
                       "play q start", "play q halt", "get q isActive a", "say halted a", "pause 2", "say end", "quit",
                       "procedure +done", "[", " say finished", "]"},
                      "halted 1\r\nfinished\r\nend\r\n"});
}

// q runs a delay of 100 ms, then c, which the given lines make; q's and c's handlers are bound.
Lines cAfterADelay(const Lines& makingC) {
    return joined({{"q=RQueue"}, makingC,
                   {"play q add DelayAction 100", "play q add 'c'", "set c finished +cdone", "set q finished +qdone",
                    "play q start"}});
}

// q runs a delay of 100 ms, then b, which holds c with `steps` empty steps; the three handlers are bound.
Lines cInBAfterADelay(int steps) {
    return joined({{"q=RQueue", "b=RQueue", "c=RQueue"}, emptySteps("c", steps),
                   {"play b add 'c'", "play q add DelayAction 100", "play q add 'b'", "set c finished +cdone",
                    "set b finished +bdone", "set q finished +qdone", "play q start"}});
}

// c holds a chain of 300 queues, each holding the next; the innermost seven pass twice, and the innermost of
// all holds one empty step.
Lines chainOfQueues() {
    Lines script = {"n1=RQueue 2", "play n1 add EmptyAction"};
    for (int link = 2; link <= 300; ++link) {
        const std::string name = "n" + std::to_string(link);
        script.push_back(name + "=RQueue " + (link <= 7 ? "2" : "1"));
        script.push_back("play " + name + " add 'n" + std::to_string(link - 1) + "'");
    }
    script.insert(script.end(), {"c=RQueue", "play c add 'n300'"});
    return script;
}

// A container's reaction to its child's finish, its own "finished" among it when that child was its last,
// comes before the child's "finished", however many steps, passes and containers finish in one chain.
TEST(ActionContainerScriptTest, AContainersFinishComesBeforeTheFinishOfTheChildThatEndedIt) {
    const Lines handlers = {"pause 1", "say end", "quit", "procedure +cdone", "[", " get q isActive a",
                            " say cdone a", "]", "procedure +bdone", "[", " say bdone", "]", "procedure +qdone", "[",
                            " say qdone", "]"};
    const Lines queueOfQueue = cAfterADelay({"c=RQueue", "play c add EmptyAction"});
    const std::vector<ScriptCase> cases = {
        {"queue in a queue, run mode", inRunMode(queueOfQueue), "qdone\r\ncdone 0\r\nend\r\n"},
        {"queue in a queue, cooperative", queueOfQueue, "qdone\r\ncdone 0\r\nend\r\n"},
        {"queue in a queue in a queue", inRunMode(cInBAfterADelay(1)), "qdone\r\nbdone\r\ncdone 0\r\nend\r\n"},
        {"composite in a queue",
         inRunMode(cAfterADelay({"c=RCompositeAction", "play c add EmptyAction", "play c add EmptyAction"})),
         "qdone\r\ncdone 0\r\nend\r\n"},
        {"80 empty steps, cooperative", cAfterADelay(joined({{"c=RQueue"}, emptySteps("c", 80)})),
         "qdone\r\ncdone 0\r\nend\r\n"},
        {"70 passes, run mode", inRunMode(cAfterADelay({"c=RQueue 70", "play c add EmptyAction"})),
         "qdone\r\ncdone 0\r\nend\r\n"},
        {"100 empty steps in a queue in a queue", cInBAfterADelay(100), "qdone\r\nbdone\r\ncdone 0\r\nend\r\n"},
        {"30000 passes", cAfterADelay({"c=RQueue 30000", "play c add EmptyAction"}), "qdone\r\ncdone 0\r\nend\r\n"},
        {"a chain of 300 queues", cAfterADelay(chainOfQueues()), "qdone\r\ncdone 0\r\nend\r\n"},
    };
    expectScriptsSay(cases, handlers);
}

// Each pass of this queue for ever creates a step in x and deletes it: the guards of the queue's own run see
// nothing of those deletions, so the passes cost the same however many came before.
TEST(ActionContainerScriptTest, AQueueForEverThatDeletesAStepInEveryPassLetsTheScriptGoOn) {
    expectScriptSays({"add and clear for ever",
                      {"q=RQueue -1", "x=RQueue", "play q add VerbAction 'x' 1 add EmptyAction",
                       "play q add VerbAction 'x' 1 clear", "play q start", "say started", "pause 0.5",
                       "play q halt", "get q isActive a", "say halted a", "quit"},
                      "started\r\nhalted 0\r\n"});
}

}  // namespace
