// Script threads: loops, conditions, procedures, timers, events, switching and the trace.
#include <cstdlib>
#include <string>

#include "OMSParameter.h"
#include "ThreadFixture.h"
#include "YCompiledImage.h"
#include "YHeap.h"
#include "YScriptLoader.h"

namespace {

// Every script of these tests runs in run mode unless it says otherwise, so one pass runs it through.
const char kRunMode[] = "yield run";

TEST_F(ThreadTest, CountedLoopsCountAsWritten) {
    struct Case {
        const char* header;
        Lines expected;
    } cases[] = {
        {"for i 1 3", {"1", "2", "3", "after 4"}},
        {"for i 3", {"3", "2", "1", "0", "after -1"}},
        {"for i 3 1 -1", {"3", "2", "1", "after 0"}},
        {"for i 1 10 4", {"1", "5", "9", "after 13"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        endThreads();
        std::remove("debug.txt");
        write("loop.mps", {kRunMode, c.header, "[", " say i", "]", "say after i"});
        start("loop.mps");
        passes(2);
        EXPECT_EQ(c.expected, trace());
    }
}

TEST_F(ThreadTest, ALoopWithoutStepCountsUpwardAndWrapsAt16Bits) {
    write("wrap.mps", {kRunMode, "n=0", "for i 3 1", "[", " n=n+1", "]", "say n i"});
    start("wrap.mps");
    passes(2);
    // 3 .. 32767 run the body; the next value wraps to -32768, which is not above the limit 1.
    EXPECT_EQ((Lines{"32765 -32768"}), trace());
}

TEST_F(ThreadTest, ConditionsAreFalseOnlyForTextsStartingWithZero) {
    struct Case {
        const char* value;
        const char* expected;
    } cases[] = {{"0", "no"}, {"0.5", "no"}, {"00", "no"}, {"1", "yes"}, {"10", "yes"}, {"\"a\"", "yes"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        endThreads();
        std::remove("debug.txt");
        write("if.mps", {kRunMode, std::string("x=") + c.value, "if x", "[", " say yes", "]", "else", "[", " say no", "]"});
        start("if.mps");
        passes(2);
        EXPECT_EQ((Lines{c.expected}), trace());
    }
}

TEST_F(ThreadTest, ProceduresBindArgumentsAndAreSkippedWhenReached) {
    write("proc.mps", {kRunMode, "a=old", "b=keep", "procedure +p a b", "[", " say a b", "]", "call +p 1 2 3",
                       "call +p 9", "say end"});
    start("proc.mps");
    passes(2);
    EXPECT_EQ((Lines{"1 2", "9 2", "end"}), trace());
}

TEST_F(ThreadTest, AProcedureCalledInsideALoopLeavesTheLoopIntact) {
    write("nest.mps", {kRunMode, "procedure +p", "[", " for j 1 2", " [", "  say j", " ]", "]", "for i 1 2", "[",
                       " call +p", " say i", "]"});
    start("nest.mps");
    passes(2);
    EXPECT_EQ((Lines{"1", "2", "1", "1", "2", "2"}), trace());
}

TEST_F(ThreadTest, MoreNestedLoopsThanRecordsStopTheThread) {
    Lines script{kRunMode};
    for (int i = 0; i < kYMaxLoops + 1; ++i) {
        script.push_back("for i" + std::to_string(i) + " 1 1");
        script.push_back("[");
    }
    script.push_back("say deepest");
    for (int i = 0; i < kYMaxLoops + 1; ++i) script.push_back("]");
    write("deep.mps", script);
    YThread* t = start("deep.mps");
    passes(3);
    EXPECT_EQ(0, t->running);
    EXPECT_EQ(kYMaxLoops - 1, t->loopDepth);
    EXPECT_TRUE(trace().empty());
}

TEST_F(ThreadTest, CooperativeThreadsRunOneStatementPerPass) {
    write("steps.mps", {"say 1", "say 2", "say 3"});
    start("steps.mps");
    passes(1);
    EXPECT_EQ((Lines{"1"}), trace());
    passes(1);
    EXPECT_EQ((Lines{"1", "2"}), trace());
}

TEST_F(ThreadTest, RunModeEndsItsPassWhenNothingProgresses) {
    // Without this the pass would spin on the wait, and on the end of the code, for ever.
    write("stuck.mps", {kRunMode, "say before", "wait"});
    YThread* t = start("stuck.mps");
    passes(3);
    EXPECT_EQ((Lines{"before"}), trace());
    EXPECT_EQ(1, t->waiting);
    endThreads();
    write("end.mps", {kRunMode, "say only"});
    start("end.mps");
    passes(3);
    EXPECT_EQ((Lines{"before", "only"}), trace());
}

TEST_F(ThreadTest, SayJoinsWordsAndSkipsWordsThatWouldReach256Characters) {
    const std::string w60(60, 'a');
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    struct Case {
        std::size_t fourth;
        bool fourthFits;
    } cases[] = {{71, true}, {72, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fourth);
        endThreads();
        std::remove("debug.txt");
        const std::string fourth(c.fourth, 'b');
        write("say.mps", {kRunMode, "say a b c",
                          "say " + quoted(w60) + " " + quoted(w60) + " " + quoted(w60) + " " + quoted(fourth) + " z"});
        start("say.mps");
        passes(2);
        // Three words and their blanks take 183 characters; a word that would make the line 256 is left out.
        const std::string joined = w60 + " " + w60 + " " + w60 + " " + (c.fourthFits ? fourth : std::string("z"));
        EXPECT_EQ((Lines{"a b c", joined}), trace());
    }
}

TEST_F(ThreadTest, ScheduleFiresOnceOnTheTenthCountedTick) {
    write("sched.mps", {"schedule 1 +p", "wait", "procedure +p", "[", " say fired", " drop wait", "]", "say after"});
    start("sched.mps");
    passes(10);  // the first pass only starts the tick clock: 9 ticks counted
    EXPECT_TRUE(trace().empty());
    passes(1);
    EXPECT_EQ((Lines{"fired"}), trace());
    passes(30);
    EXPECT_EQ((Lines{"fired", "after"}), trace());
}

TEST_F(ThreadTest, TicksAreCountedOnlyAfterMoreThan100Ms) {
    write("sched.mps", {"schedule 1 +p", "wait", "procedure +p", "[", " say fired", "]"});
    start("sched.mps");
    // At 50 ms a pass, every third pass counts a tick: 150 ms is the first gap above 100.
    passes(1);
    passes(29, 50);
    EXPECT_TRUE(trace().empty());
    passes(3, 50);
    EXPECT_EQ((Lines{"fired"}), trace());
}

TEST_F(ThreadTest, IdleFiresAfterEveryQuietPeriodAndUserActivityRestartsIt) {
    write("idle.mps", {"idle 2 +p", "wait", "procedure +p", "[", " say idle", "]"});
    start("idle.mps");
    passes(1 + 18);
    EXPECT_TRUE(trace().empty());
    passes(1);
    EXPECT_EQ((Lines{"idle"}), trace());
    passes(18);
    resetScriptIdleTimers();
    passes(18);
    EXPECT_EQ((Lines{"idle"}), trace());
    passes(1);
    EXPECT_EQ((Lines{"idle", "idle"}), trace());
}

TEST_F(ThreadTest, DroppingTheTimerInsideItsProcedureEndsTheProcedureNormally) {
    for (const char* word : {"schedule", "idle"}) {
        SCOPED_TRACE(word);
        endThreads();
        std::remove("debug.txt");
        write("drop.mps", {std::string(word) + " 1 +p", "wait", "procedure +p", "[", std::string(" drop ") + word,
                           " drop wait", " say inside", "]", "say after"});
        YThread* t = start("drop.mps");
        passes(40);
        EXPECT_EQ((Lines{"inside", "after"}), trace());
        EXPECT_EQ(0, t->inEvent);
        EXPECT_EQ(0, t->stack.depth());
    }
}

TEST_F(ThreadTest, ASuspendedThreadRefusesItsTimerAndTheTimerIsDisarmed) {
    write("suspend.mps", {"suspend", "schedule 1 +p", "pause 2", "resume", "say end", "wait", "procedure +p", "[",
                          " say fired", "]"});
    YThread* t = start("suspend.mps");
    passes(40);
    EXPECT_EQ((Lines{"end"}), trace());
    EXPECT_EQ(0, t->scheduleProcedure);
}

TEST_F(ThreadTest, DropClearsVariablesDeletesObjectsAndForgetsRequestedScripts) {
    RBell::alive() = 0;
    write("drop.mps", {"b=RBell", "c=RBell", "x=5", "drop x", "say x", "drop b", "drop trinkets", "call other.mps"});
    write("other.mps", {"drop script stack", "exit"});
    YThread* t = start("drop.mps");
    passes(6);
    EXPECT_EQ((Lines{"x"}), trace());  // a cleared variable reads as its name
    EXPECT_EQ(1, RBell::alive());
    passes(1);
    EXPECT_EQ(0, RBell::alive());
    passes(3);
    EXPECT_EQ(0, t->loaded);  // nothing left to return to
    EXPECT_EQ(0, RBell::alive());
}

TEST_F(ThreadTest, PauseSleepsNineHundredMillisecondsPerUnit) {
    write("pause.mps", {"pause 1", "say awake"});
    start("pause.mps");
    passes(1);
    passes(1, 899);
    EXPECT_TRUE(trace().empty());
    passes(2, 1);
    EXPECT_EQ((Lines{"awake"}), trace());
}

TEST_F(ThreadTest, CallAndExitReturnToTheCallerFromItsBeginning) {
    write("main.mps", {"say main", "call other.mps"});
    write("other.mps", {"say other", "exit"});
    start("main.mps");
    passes(8);
    EXPECT_EQ((Lines{"main", "other", "main", "other"}), trace());
}

TEST_F(ThreadTest, RelayDoesNotReturnAndExitWithNothingLeftFinishes) {
    write("main.mps", {"say main", "relay next.mps", "say never"});
    write("next.mps", {"say next", "exit"});
    YThread* t = start("main.mps");
    passes(10);
    EXPECT_EQ((Lines{"main", "next"}), trace());
    EXPECT_EQ(0, t->loaded);
}

TEST_F(ThreadTest, CallChasesNamesUntilAnyNameRepeats) {
    // x -> y -> z -> x: the chase stops at z, whose text names the script to run.
    write("ring.mps", {kRunMode, "x=\"y\"", "y=\"z\"", "z=\"x\"", "call x"});
    write("x", {"say ring ended"});
    start("ring.mps");
    passes(4);
    EXPECT_EQ((Lines{"ring ended"}), trace());
}

TEST_F(ThreadTest, RegisteredFunctionsTakeTheirOperandsAndAnswerThroughResult) {
    static std::vector<std::string> seen;
    seen.clear();
    const OMLinkToFct twice([](OMArg) { setResultVariable(2 * std::atoi(popParameter())); });
    const OMLinkToFct record([](OMArg) { seen.push_back(popParameter()); });
    const OMLinkToFct other([](OMArg) { seen.push_back("second registration"); });
    registerScriptFunction("Twice", &twice);
    registerScriptFunction("Note", &record);
    registerScriptFunction("Note", &other);
    write("fn.mps", {kRunMode, "Twice 21", "say RESULT", "Note", "Nobody 1 2", "say end"});
    start("fn.mps");
    passes(2);
    clearScriptFunctions();
    EXPECT_EQ((Lines{"42", "end"}), trace());
    EXPECT_EQ((std::vector<std::string>{""}), seen);
}

TEST_F(ThreadTest, SetGetAndPlayReachObjectProperties) {
    write("obj.mps", {kRunMode, "b=RBell", "set b value 7", "get b value v", "say v", "get b name n", "say n",
                      "play b show x y", "play b", "say end"});
    start("obj.mps");
    passes(2);
    EXPECT_EQ((Lines{"7", "b", "end"}), trace());
    EXPECT_EQ((std::vector<std::string>{"x,y", ""}), RBell::shown());
}

TEST_F(ThreadTest, PlayWithTheMarkerWaitsForCompletion) {
    write("play.mps", {"b=RBell", "play b show }", "say done"});
    YThread* t = start("play.mps");
    passes(5);
    EXPECT_EQ(1, t->awaitingCompletion);
    EXPECT_TRUE(trace().empty());
    OMScriptableObject* bell = nullptr;
    var("b")->getObject(&bell);
    ASSERT_NE(nullptr, bell);
    bell->fireCompletion();
    passes(3);
    EXPECT_EQ((Lines{"done"}), trace());
}

TEST_F(ThreadTest, EventsRunBoundProceduresButNotWhileAVerbRuns) {
    write("ev.mps", {"b=RBell", "set b rang +p", "play b ring", "wait", "procedure +p", "[", " say rang", " get RECEIVER name n",
                     " say n", " drop wait", "]", "say done"});
    YThread* t = start("ev.mps");
    passes(6);
    EXPECT_TRUE(trace().empty());  // "rang" raised inside the verb was dropped
    OMScriptableObject* bell = nullptr;
    var("b")->getObject(&bell);
    ASSERT_NE(nullptr, bell);
    EXPECT_EQ(1, static_cast<RBell*>(bell)->fire());
    EXPECT_EQ((Lines{"rang"}), trace());  // one statement inside the event, the rest on later passes
    passes(6);
    EXPECT_EQ((Lines{"rang", "b", "done"}), trace());
    EXPECT_EQ(0, t->inEvent);
}

TEST_F(ThreadTest, ASecondEventAbandonsTheFirstProcedure) {
    write("twice.mps", {"b=RBell", "set b rang +p", "wait", "procedure +p", "[", " say one", " say two", " drop wait",
                        "]", "say done"});
    YThread* t = start("twice.mps");
    passes(4);
    OMScriptableObject* bell = nullptr;
    var("b")->getObject(&bell);
    ASSERT_NE(nullptr, bell);
    static_cast<RBell*>(bell)->fire();
    static_cast<RBell*>(bell)->fire();
    passes(6);
    EXPECT_EQ((Lines{"one", "one", "two", "done"}), trace());
    EXPECT_EQ(0, t->stack.depth());
}

TEST_F(ThreadTest, ACopiedObjectGetsABindingOfItsOwn) {
    write("copy.mps", {"b=RBell", "set b rang +p", "c=b", "wait", "procedure +p", "[", " get RECEIVER name n",
                       " say n", " drop wait", "]", "say done"});
    start("copy.mps");
    passes(5);
    OMScriptableObject* copy = nullptr;
    var("c")->getObject(&copy);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(2, eventRecords().count);
    EXPECT_EQ(1, static_cast<RBell*>(copy)->fire());
    passes(5);
    EXPECT_EQ((Lines{"c", "done"}), trace());
}

TEST_F(ThreadTest, BindingsAreDroppedAtEverySwitchAndWhenTheThreadEnds) {
    write("a.mps", {"b=RBell", "set b rang +p", "procedure +p", "[", " say rang", "]", "relay c.mps"});
    write("c.mps", {"d=RBell", "set d rang +p", "procedure +p", "[", " say rang", "]", "wait"});
    {
        YThread* t = start("a.mps");
        passes(2);
        EXPECT_EQ(1, eventRecords().count);
        passes(4);
        EXPECT_STREQ("c.mps", t->scriptName);
        EXPECT_EQ(1, eventRecords().count);
    }
    endThreads();
    EXPECT_EQ(0, eventRecords().count);
}

TEST_F(ThreadTest, APrecompiledImageRunsLikeItsSource) {
    const Lines source{kRunMode, "for i 1 2", "[", " say i", "]", "procedure +p a", "[", " say got a", "]", "call +p 5"};
    write("text.mps", source);
    YThread* t = start("text.mps");
    ASSERT_TRUE(saveCompiledScript(t->script, "image.mps"));
    passes(2);
    const Lines fromText = trace();
    EXPECT_EQ((Lines{"1", "2", "got 5"}), fromText);
    endThreads();
    std::remove("debug.txt");
    start("image.mps");
    passes(2);
    EXPECT_EQ(fromText, trace());
}

using ThreadDeathTest = ThreadTest;

TEST_F(ThreadDeathTest, FatalLoaderMessagesEndTheProgramWithCode1) {
    EXPECT_EXIT(
        {
            omSetAlertSink(nullptr);
            start("nothere.mps");
        },
        ::testing::ExitedWithCode(1), "can't find nothere.mps");
    EXPECT_EXIT(
        {
            omSetAlertSink(nullptr);
            start("nothere.mps", [](const char*) -> OMIStream* { return nullptr; });
        },
        ::testing::ExitedWithCode(1), "unknown script");
    write("big.mps", {std::string(70000, ' ')});
    EXPECT_EXIT(
        {
            omSetAlertSink(nullptr);
            start("big.mps");
        },
        ::testing::ExitedWithCode(1), "Script too long");
}

TEST_F(ThreadDeathTest, CallStackOverflowIsAnAssertion) {
    write("deep.mps", {kRunMode, "procedure +p", "[", " call +p", "]", "call +p"});
    EXPECT_EXIT(
        {
            start("deep.mps");
            passes(2);
        },
        ::testing::ExitedWithCode(3), "Assertion failed: sp < \\(YTSTACK-1\\)");
}

}  // namespace
