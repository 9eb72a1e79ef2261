// End to end: the test application runs scripts from "PScripts\" under Wine and writes "debug.txt".
#include "ProgramRun.h"

namespace {

// The first visit runs every kind of statement, then goes to other.mps, which relays to third.mps, whose
// exit returns to main.mps from its beginning; the second visit quits.
const std::vector<std::string> kMain{
    "Visit", "say main visit RESULT", "if RESULT", "[", " say back in main", " quit", "]",
    "b=RBell", "set b value 5", "get b value v", "say value v",
    "RandomNumber 4 4", "say random RESULT",
    "for i 1 3", "[", " say loop i", "]",
    "flag=0", "if flag", "[", " say wrong", "]", "else", "[", " say else taken", "]",
    "procedure +show x y", "[", " say shown x y", "]", "call +show 7 8",
    "set b rang +rang", "play b arm", "wait",
    "procedure +rang", "[", " get RECEIVER name n", " say rang n", " drop wait", "]",
    "schedule 1 +timer", "wait",
    "procedure +timer", "[", " say timer RECEIVER", " drop wait", "]",
    "pause 1", "say paused", "call other.mps", "say never"};
const std::vector<std::string> kOther{"say other", "relay third.mps", "say never"};
const std::vector<std::string> kThird{"say third", "exit"};

// What the scripts above write, line by line.
const std::vector<std::string> kGolden{
    "main visit 0", "value 5", "random 4", "loop 1", "loop 2", "loop 3", "else taken", "shown 7 8",
    "rang b", "timer schedule", "paused", "other", "third", "main visit 1", "back in main"};

struct ScriptProgramTest : ::testing::Test {
    void SetUp() override {
        for (const auto& [name, text] : {std::pair{"main.mps", &kMain}, {"other.mps", &kOther}, {"third.mps", &kThird}})
            writeScript(folder, name, *text);
    }
    ChildResult run(const std::string& arguments = "") { return runProgram("QScripts.exe", folder, arguments); }
    // The trace as written: one line per say, each ended by CR LF (the file is appended in text mode).
    std::string trace() const { return readWholeFile(folder.file("debug.txt")); }
    TempFolder folder;
};

TEST_F(ScriptProgramTest, ScriptsRunToQuitAndWriteTheTrace) {
    const ChildResult result = run();
    EXPECT_EQ(std::make_pair(true, 0ul), std::make_pair(result.started, result.exitCode)) << result.output;
    EXPECT_EQ(lines(kGolden), trace());
}

TEST_F(ScriptProgramTest, PrecompiledImagesWriteTheSameTrace) {
    for (const char* name : {"main.mps", "other.mps", "third.mps"}) {
        SCOPED_TRACE(name);
        const std::string image = std::string("PScripts\\") + name + ".img";
        const ChildResult compiled = run(std::string("compile ") + name + " " + image);
        ASSERT_EQ(0u, compiled.exitCode) << compiled.output;
        const std::string bytes = readWholeFile(folder.file(image));
        ASSERT_EQ(2, bytes.empty() ? 0 : bytes[0]) << "format 2";
        writeWholeFile(folder.file(std::string("PScripts\\") + name), bytes);
    }
    const ChildResult result = run();
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_EQ(lines(kGolden), trace());
}

TEST_F(ScriptProgramTest, MissingAndBadScriptsEndWithTheirMessages) {
    const std::tuple<const char*, unsigned long, const char*> cases[] = {
        {"absent.mps", 1, "alert: unknown script"},
        {"empty.mps", 1, "alert: unknown script"},
        {"long.mps", 1, "alert: Script too long"},
        {"deep.mps", 3, "Assertion failed: sp < (YTSTACK-1)"},
    };
    writeScript(folder, "empty.mps", {});
    writeWholeFile(folder.file("PScripts\\long.mps"), std::string(65536, ' '));
    writeScript(folder, "deep.mps", {"yield run", "procedure +p", "[", " call +p", "]", "call +p"});
    for (const auto& [arguments, exitCode, message] : cases) {
        SCOPED_TRACE(arguments);
        const ChildResult result = run(arguments);
        EXPECT_EQ(std::make_pair(exitCode, true), std::make_pair(result.exitCode, result.output.find(message) != std::string::npos))
            << result.output;
    }
}

}  // namespace
