// The animated character driven by scripts run by QUOMB_32.exe: its speech and played animations when a
// script has changed its children through the multi-trinket verbs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AseqWriter.h"
#include "NeModuleWriter.h"
#include "ProgramTitle.h"

namespace {

constexpr std::int16_t kPose = 12;
constexpr std::int16_t kSpeech = 20;
constexpr std::int16_t kAnim = 30;

// The picture module: the settle pose (one 2 x 2 frame, looping); a speech whose list opens with the cue of
// sound 7 (the title's sound) and ends at a hold; an animation of two frames that loops once.
std::string characterModule() {
    const AseqPictureEntry f0{0, 0, 0, 0}, f1{0, 0, 1, 0}, cue{0, 0, -101, 7}, hold{0, 0, -4, 0}, loop{0, 0, -2, 0},
        end{0, 0, -1, 0};
    const auto aseq = [&](std::vector<AseqPictureEntry> list) {
        const AseqPicture p{10, {100, 60, 0, 0}, 0, {std::move(list)},
                            {{2, 2, {102, 102, 102, 102}, {}}, {2, 2, {101, 101, 101, 101}, {}}}};
        return writeAseq(p, ByteOrder::big);
    };
    NeModule module;
    module.types.push_back({0, "ASEQ", {{kPose, aseq({f0, loop, end})}, {kSpeech, aseq({cue, f0, f1, hold, f0, end})},
                                        {kAnim, aseq({f0, f1, loop, end})}}});
    return writeNeModule(module).bytes;
}

// Runs the script lines between the character's making and a wait that the first "finished" ends; the
// program quits after it. The debug text once the program has exited, or what it held after 30 s.
std::string runCharacter(const Lines& lines) {
    Title title;
    writeWholeFile(title.folder.file("PRsc\\pictures.dll"), characterModule());
    Lines script{"c=RCharacter " + std::to_string(kPose) + " 0", "play c addSpeechAnim " + std::to_string(kSpeech),
                 "set c finished +done"};
    script.insert(script.end(), lines.begin(), lines.end());
    script.insert(script.end(), {"say waiting", "wait", "quit", "procedure +done", "[", " say finished", " drop wait", "]"});
    title.script("dorIruvu.mps", script);
    const DWORD exitCode = title.run().waitForExit(30000);
    return title.debugText() + "exit " + std::to_string(exitCode);
}

// A character step's end when the character's "finished" handler (run whole inside the event, in run
// mode) plays once more: the handler's own request or step keeps its done link, and the step that was
// waiting still finishes its queue.
TEST(CharacterScriptTest, AFinishedHandlerThatPlaysAgainLeavesTheWaitingStepItsEnd) {
    const std::string anim = std::to_string(kAnim);
    // Each queue's handler says its name; the one that finishes last ends the wait.
    const auto ender = [](const std::string& queue, bool last) {
        Lines lines{"procedure +" + queue + "Done", "[", " say " + queue + "Done"};
        if (last) lines.push_back(" drop wait");
        lines.push_back("]");
        return lines;
    };
    struct Case {
        const char* name;
        std::string again;
        bool rEnds;
        const char* expected;
    } cases[] = {
        {"a verb", "play c playAnim " + anim, false, "waiting\r\nqDone\r\n"},
        {"a step", "play r start", true, "waiting\r\nqDone\r\nrDone\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Title title;
        writeWholeFile(title.folder.file("PRsc\\pictures.dll"), characterModule());
        Lines script{"yield run", "c=RCharacter " + std::to_string(kPose) + " 0", "played=0", "set c finished +again",
                     "q=RQueue", "play q add CharacterAnimAction 'c' " + anim, "set q finished +qDone", "r=RQueue",
                     "play r add CharacterAnimAction 'c' " + anim, "set r finished +rDone", "play q start",
                     "say waiting", "wait", "quit", "procedure +again", "[", " if played=0", " [", "  played=1",
                     "  " + c.again, " ]", "]"};
        for (const Lines& end : {ender("q", !c.rEnds), ender("r", c.rEnds)}) script.insert(script.end(), end.begin(), end.end());
        title.script("dorIruvu.mps", script);
        EXPECT_EQ(0u, title.runWithFreeChecks(30000));
        EXPECT_EQ(c.expected, title.debugText());
    }
}

// A character's "finished" handler that clears or drops the queue whose step waits on the character: the
// step goes away inside the event, so its end calls nothing, and the script goes on. A handler that keeps
// the queue runs before the step's end finishes it.
TEST(CharacterScriptTest, AFinishedHandlerThatDeletesTheWaitingStepEndsNothing) {
    const std::string anim = "CharacterAnimAction 'c' " + std::to_string(kAnim);
    const std::string speech = "CharacterSpeechAction 'c' 7";
    struct Case {
        const char* name;
        bool runMode;
        std::string step;
        const char* handler;
        const char* said;
    } cases[] = {
        {"animation, cleared", false, anim, "play q clear", "begin\r\nhandled\r\nend\r\n"},
        {"animation, dropped in run mode", true, anim, "drop q", "begin\r\nhandled\r\nend\r\n"},
        {"speech, cleared", false, speech, "play q clear", "begin\r\nhandled\r\nend\r\n"},
        {"speech, dropped in run mode", true, speech, "drop q", "begin\r\nhandled\r\nend\r\n"},
        {"animation, kept in run mode", true, anim, "n=1", "begin\r\nhandled\r\nqDone\r\nend\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Title title;
        writeWholeFile(title.folder.file("PRsc\\pictures.dll"), characterModule());
        Lines script{"say begin", "c=RCharacter " + std::to_string(kPose) + " 0",
                     "play c addSpeechAnim " + std::to_string(kSpeech), "q=RQueue", "play q add " + c.step,
                     "set c finished +h", "set q finished +qDone", "play q start", "pause 3", "say end", "quit",
                     "procedure +h", "[", std::string(" ") + c.handler, " say handled", "]",
                     "procedure +qDone", "[", " say qDone", "]"};
        if (c.runMode) script.insert(script.begin(), "yield run");
        title.script("dorIruvu.mps", script);
        EXPECT_EQ(0u, title.runWithFreeChecks(30000));
        EXPECT_EQ(c.said, title.debugText());
    }
}

// A trinket that is not an animation holds id 1000: the speech takes the next id and plays to its end.
TEST(CharacterScriptTest, ASpeechTakesAnIdThatNoChildHolds) {
    EXPECT_EQ(runCharacter({"h=RHotSpot 300 200 100 50", "play c addTrinket 'h' 0 1000", "play c playSpeech 7"}),
              "waiting\r\nfinished\r\nexit 0");
}

// The speech child removed while it plays: a stop ends the speech, and the character plays again.
TEST(CharacterScriptTest, AfterItsSpeechChildWasRemovedAndStoppedTheCharacterPlaysAgain) {
    EXPECT_EQ(runCharacter({"play c playSpeech 7", "play c removeTrinkets 1000", "play c stop",
                            "play c playAnim " + std::to_string(kAnim)}),
              "waiting\r\nfinished\r\nexit 0");
}

}  // namespace
