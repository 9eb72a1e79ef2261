// Script threads: loops, conditions, procedures, timers, events, switching and the trace.
#include "ThreadFixture.h"
#include "YScriptLoader.h"

namespace {

// Scripts in run mode run through in one pass.
const char kRunMode[] = "yield run";

TEST_F(ThreadTest, RunModeScriptsWriteTheirTrace) {
    const std::string w60 = "\"" + std::string(60, 'a') + "\" ";
    const std::string say3 = "say " + w60 + w60 + w60, joined3 = repeat(std::string(60, 'a') + " ", 3);
    const std::tuple<const char*, Lines, Lines> cases[] = {
        {"for up", {"for i 1 3", "[", " say i", "]", "say after i"}, {"1", "2", "3", "after 4"}},
        {"for down to 0", {"for i 3", "[", " say i", "]", "say after i"}, {"3", "2", "1", "0", "after -1"}},
        {"for with step -1", {"for i 3 1 -1", "[", " say i", "]", "say after i"}, {"3", "2", "1", "after 0"}},
        {"for with step 4", {"for i 1 10 4", "[", " say i", "]", "say after i"}, {"1", "5", "9", "after 13"}},
        // No step counts upward: 3 .. 32767 run the body; the next value wraps to -32768, not above the limit 1.
        {"for wraps at 16 bits", {"n=0", "for i 3 1", "[", " n=n+1", "]", "say n i"}, {"32765 -32768"}},
        {"procedures bind arguments and are skipped",
         {"a=old", "b=keep", "procedure +p a b", "[", " say a b", "]", "call +p 1 2 3", "call +p 9", "say end"},
         {"1 2", "9 2", "end"}},
        {"procedure inside a loop",
         {"procedure +p", "[", " for j 1 2", " [", "  say j", " ]", "]", "for i 1 2", "[", " call +p", " say i", "]"},
         {"1", "2", "1", "1", "2", "2"}},
        // x -> y -> z -> x: the chase stops at z, whose text names the script to run.
        {"call chases names until any repeats", {"x=\"y\"", "y=\"z\"", "z=\"x\"", "call x"}, {"ring ended"}},
        // Three words and their blanks take 183 characters; a word that would make the line 256 is left out.
        {"say fits 255", {"say a b c", say3 + "\"" + std::string(71, 'b') + "\" z"}, {"a b c", joined3 + std::string(71, 'b')}},
        {"say skips 256", {say3 + "\"" + std::string(72, 'b') + "\" z"}, {joined3 + "z"}},
        // Outside the statements that take procedure references, "+y" is an expression: nothing plus y.
        {"plus word as an expression", {"y=5", "x=+y", "say x"}, {"5"}},
        // A "+" text that holds no procedure reference is a plain value.
        {"set, get and play reach properties",
         {"b=RBell", "set b value 7", "get b value v", "say v", "set b value +q", "get b value v", "say v",
          "get b name n", "say n", "play b show x y", "play b", "say end"},
         {"7", "+q", "b", "end"}},
        // A class is named by the variable's name, not by its text: k, holding the text RBell, binds nothing.
        {"class events run when an object is copied",
         {"k='RBell'", "set RBell born +q", "set k born +p", "b=RBell", "c=b", "say end", "procedure +p", "[",
          " say by text", "]", "procedure +q", "[", " say by name", "]"},
         {"by name", "end"}},
    };
    write("x", {"say ring ended"});
    for (const auto& [name, body, expected] : cases) {
        SCOPED_TRACE(name);
        Lines script{kRunMode};
        script.insert(script.end(), body.begin(), body.end());
        EXPECT_EQ(expected, run(script, 4));
    }
    EXPECT_EQ((std::vector<std::string>{"x,y", ""}), RBell::shown);
    // Conditions are false only for texts starting with zero.
    for (const char* value : {"0", "0.5", "00", "1", "10", "\"a\""}) {
        SCOPED_TRACE(value);
        EXPECT_EQ((Lines{value[0] == '0' ? "no" : "yes"}),
                  run({kRunMode, std::string("x=") + value, "if x", "[", " say yes", "]", "else", "[", " say no", "]"}));
    }
}

// A text that "$" reads as naming itself three times over: one read does a bounded number of evaluations
// (each evaluation of the text reads its "?" once) instead of three to the sixteenth.
TEST_F(ThreadTest, SelfReferringDollarTextsFinishAtOnce) {
    static int reads = 0;
    ySetRandomSource([] { return ++reads; });
    const Lines written = run({kRunMode, "x=['$x.1+$x.1+$x.1+?'", "say $x.1", "say end"});
    ySetRandomSource(nullptr);
    EXPECT_EQ(std::make_pair(std::size_t{2}, std::string("end")), std::make_pair(written.size(), written.back()));
    EXPECT_LE(reads, 256);
}

TEST_F(ThreadTest, MoreNestedLoopsThanRecordsStopTheThread) {
    Lines script{kRunMode};
    for (int i = 0; i < kYMaxLoops + 1; ++i) script.insert(script.end(), {"for i" + std::to_string(i) + " 1 1", "["});
    script.push_back("say deepest");
    script.insert(script.end(), static_cast<std::size_t>(kYMaxLoops + 1), "]");
    EXPECT_TRUE(run(script, 3).empty());
    EXPECT_EQ(0, last->running);
}

TEST_F(ThreadTest, CooperativeThreadsStepAndRunModeEndsItsPassWhenNothingProgresses) {
    EXPECT_EQ((Lines{"1"}), run({"say 1", "say 2", "say 3"}, 1));
    EXPECT_EQ((Lines{"1", "2"}), passes(1));
    // Without the check the pass would spin on the wait, and on the end of the code, for ever.
    EXPECT_EQ((Lines{"before"}), run({kRunMode, "say before", "wait"}, 3));
}

TEST_F(ThreadTest, ScheduleFiresOnceOnTheTenthCountedTickUnlessSuspendedAndPauseSleeps) {
    // The first pass only starts the tick clock: 9 ticks counted.
    EXPECT_TRUE(run({"schedule 1 +p", "wait", "procedure +p", "[", " say fired", "]"}, 10).empty());
    EXPECT_EQ((Lines{"fired"}), passes(1));
    // At 50 ms a pass, every third pass counts a tick: 150 ms is the first gap above 100.
    run({"schedule 1 +p", "wait", "procedure +p", "[", " say fired", "]"}, 1);
    EXPECT_TRUE(passes(29, 50).empty());
    EXPECT_EQ((Lines{"fired"}), passes(3, 50));
    // Pause sleeps 900 ms a unit.
    run({"pause 1", "say awake"}, 1);
    EXPECT_TRUE(passes(1, 899).empty());
    EXPECT_EQ((Lines{"awake"}), passes(2, 1));
    // A suspended thread refuses its timer, which stays disarmed.
    EXPECT_EQ((Lines{"end"}), run({"suspend", "schedule 1 +p", "pause 2", "resume", "say end", "wait", "procedure +p", "[",
                                   " say fired", "]"}, 40));
    EXPECT_EQ(0, last->scheduleProcedure);
}

TEST_F(ThreadTest, IdleFiresAfterEveryQuietPeriodAndUserActivityRestartsIt) {
    EXPECT_TRUE(run({"idle 2 +p", "wait", "procedure +p", "[", " say idle", "]"}, 1 + 18).empty());
    EXPECT_EQ((Lines{"idle"}), passes(1));
    passes(18);
    resetScriptIdleTimers();
    EXPECT_EQ((Lines{"idle"}), passes(18));
    EXPECT_EQ((Lines{"idle", "idle"}), passes(1));
}

// Dropping its timer makes the timer procedure part of the main line: a later event runs on top of it
// instead of abandoning it, and its return goes back to where the timer interrupted the main line.
TEST_F(ThreadTest, DroppingTheTimerInsideItsProcedureKeepsItRunningAndReturnsToTheMainLine) {
    for (const char* name : {"schedule", "idle"}) {
        SCOPED_TRACE(name);
        const std::string word = name;
        EXPECT_EQ((Lines{"promoted"}), run({word + " 1 +p", "b=RBell", "set b rang +r", "wait", "procedure +p", "[",
                                            " call +q", " drop wait", " say p-end", "]", "procedure +q", "[",
                                            " drop " + word, " say promoted", "]", "procedure +r", "[", " say rang",
                                            "]", "say after"}, 14));
        ASSERT_NE(nullptr, bell("b"));
        EXPECT_EQ(1, bell("b")->fire());
        EXPECT_EQ((Lines{"promoted", "rang", "p-end", "after"}), passes(30));
        EXPECT_EQ(std::make_pair(0, 0), std::make_pair(last->inEvent, last->stack.depth()));
    }
}

TEST_F(ThreadTest, DropClearsVariablesDeletesObjectsAndForgetsRequestedScripts) {
    RBell::alive = 0;
    write("other.mps", {"drop script stack", "exit"});
    // A cleared variable reads as its name.
    EXPECT_EQ((Lines{"x"}), run({"b=RBell", "c=RBell", "x=5", "drop x", "say x", "drop b", "drop trinkets", "call other.mps"}, 6));
    EXPECT_EQ(1, RBell::alive);
    passes(1);
    EXPECT_EQ(0, RBell::alive);
    passes(3);
    EXPECT_EQ(std::make_pair(0, 0), std::make_pair(last->loaded, RBell::alive));  // nothing left to return to
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
    const Lines written = run({kRunMode, "Twice 21", "say RESULT", "Note", "Nobody 1 2", "say end"});
    clearScriptFunctions();
    EXPECT_EQ((Lines{"42", "end"}), written);
    EXPECT_EQ((std::vector<std::string>{""}), seen);
}

TEST_F(ThreadTest, PlayWithTheMarkerWaitsForCompletion) {
    EXPECT_TRUE(run({"b=RBell", "play b show }", "say done"}, 5).empty());
    EXPECT_EQ(1, last->awaitingCompletion);
    ASSERT_NE(nullptr, bell("b"));
    bell("b")->fireCompletion();
    EXPECT_EQ((Lines{"done"}), passes(3));
}

// RECEIVER's name is the name of the variable that held the object when the procedure was bound. A second
// event abandons the first one's procedure: the rest runs once.
TEST_F(ThreadTest, EventsRunBoundProceduresButNotWhileAVerbRuns) {
    // "rang" raised inside the verb is dropped.
    EXPECT_TRUE(run({"i=2", "btn.i=RBell", "set btn.i rang +p", "play btn.i ring", "wait", "procedure +p", "[",
                     " say rang", " get RECEIVER name n", " say n", " drop wait", "]", "say done"}, 6).empty());
    RBell* b = bell("btn.2");
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(std::make_pair(1, 1), std::make_pair(b->fire(), b->fire()));
    EXPECT_EQ((Lines{"rang", "rang"}), trace());  // one statement inside each event, the rest on later passes
    EXPECT_EQ((Lines{"rang", "rang", "btn.2", "done"}), passes(6));
    EXPECT_EQ(std::make_pair(0, 0), std::make_pair(last->inEvent, last->stack.depth()));
}

TEST_F(ThreadTest, ACopyHasABindingOfItsOwnAndBindingsAreDroppedAtEverySwitchAndWhenTheThreadEnds) {
    run({"b=RBell", "set b rang +p", "c=b", "wait", "procedure +p", "[", " get RECEIVER name n", " say n", " drop wait",
         "]", "say done"}, 5);
    RBell* copy = bell("c");
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(2, eventRecords().count);
    EXPECT_EQ(1, copy->fire());
    EXPECT_EQ((Lines{"c", "done"}), passes(5));
    // Bindings are dropped at every switch and when the thread ends.
    write("c.mps", {"d=RBell", "set d rang +p", "procedure +p", "[", " say rang", "]", "wait"});
    run({"b=RBell", "set b rang +p", "procedure +p", "[", " say rang", "]", "relay c.mps"});
    EXPECT_EQ(1, eventRecords().count);
    passes(4);
    EXPECT_EQ(std::make_pair(std::string("c.mps"), 1), std::make_pair(std::string(last->scriptName), eventRecords().count));
    endThreads();
    EXPECT_EQ(0, eventRecords().count);
}

using ThreadDeathTest = ThreadTest;

// "unknown script" and "Script too long" are run end to end by the script program tests.
TEST_F(ThreadDeathTest, AMissingScriptFileEndsTheProgramWithCode1) {
    EXPECT_EXIT((omSetAlertSink(nullptr), start("nothere.mps")), ::testing::ExitedWithCode(1), "can't find nothere.mps");
}

}  // namespace
