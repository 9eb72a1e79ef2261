// Scripts generated from fixed seeds, each run by QUOMB_32.exe in a heap that fills freed blocks: whatever a
// script does to its objects, the program neither crashes nor fails to quit when the script says "quit".
// GENERATED_SCRIPT_FIRST_SEED and GENERATED_SCRIPT_COUNT choose other seeds than the fixed ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProgramTitle.h"
#include "ScriptGenerator.h"
#include "SmackerWriter.h"

namespace {

constexpr std::uint32_t kFirstSeed = 1;
constexpr std::uint32_t kSeedCount = 100;
// A script pauses for about a second in all; a program that has not quit after this long never will.
constexpr DWORD kTimeLimitMs = 20000;

std::uint32_t setting(const char* name, std::uint32_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

struct Outcome {
    DWORD exitCode;
    std::string alerts;  // each alert box answered, as Title::answerAlert shows it
    std::string debugText;
};

// The title with a movie of one 4 x 4 frame as "rsc\m.smk", for the movies that scripts make.
void writeMovie(const Title& title) {
    const SmackerMovie movie{4, 4, 6666, 0, {{std::vector<std::uint8_t>(16, 10), std::vector<SmackerColor>(256), {}}}};
    const std::vector<std::uint8_t> smk = writeSmacker(movie);
    CreateDirectoryA(title.folder.file("rsc").c_str(), nullptr);
    writeWholeFile(title.folder.file("rsc\\m.smk"), std::string(smk.begin(), smk.end()));
}

// The scripts' animation: two frames around a "special" entry and the end, at 20 frames a second, so that
// it ends while a script pauses.
void writeAnimation(const Title& title) {
    AseqPicture p;
    p.frameRate = 20;
    p.sequences = {{{0, 0, 0, 0}, {0, 0, -500, 0}, {0, 0, 1, 0}, {0, 0, -1, 0}}};
    p.frames = {{2, 2, {102, 102, 102, 102}, {}}, {2, 2, {101, 101, 101, 101}, {}}};
    writeWholeFile(title.folder.file("PRsc\\pictures.dll"),
                   pictureModule({{kGeneratedAnimationId, writeAseq(p, ByteOrder::big)}}));
}

// Runs the script as the title's start-up script until the program ends or the time limit passes (the
// exit code is then STILL_ACTIVE); alert boxes that the script's objects raise are answered with OK.
Outcome run(const Lines& script) {
    Title title;
    writeMovie(title);
    writeAnimation(title);
    title.script("dorIruvu.mps", script);
    Outcome outcome{STILL_ACTIVE, "", ""};
    {
        const ProgramWindow program = title.run();
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kTimeLimitMs) {
            outcome.exitCode = program.waitForExit(100);
            if (outcome.exitCode != STILL_ACTIVE) break;
            if (program.waitForWindow("#32770", 0)) outcome.alerts += title.answerAlert(program, false) + "\n";
        }
    }
    outcome.debugText = title.debugText();
    return outcome;
}

std::string describe(std::uint32_t seed, const Lines& script, const Outcome& outcome) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(outcome.exitCode));
    std::string text = "seed " + std::to_string(seed) + ": " +
                       (outcome.exitCode == STILL_ACTIVE ? std::string("still running after the time limit")
                                                         : "exit code " + std::string(code)) +
                       "\n--- script\n";
    for (const std::string& line : script) text += line + "\n";
    text += "--- said\n" + outcome.debugText;
    if (!outcome.alerts.empty()) text += "--- alerts\n" + outcome.alerts;
    return text;
}

TEST(GeneratedScriptTest, NoScriptCrashesTheProgramOrKeepsItFromQuitting) {
    const std::uint32_t first = setting("GENERATED_SCRIPT_FIRST_SEED", kFirstSeed);
    const std::uint32_t count = setting("GENERATED_SCRIPT_COUNT", kSeedCount);
    askForFreeChecks(true);
    for (std::uint32_t seed = first; seed - first < count; ++seed) {
        const Lines script = generateScript(seed);
        const Outcome outcome = run(script);
        EXPECT_EQ(0u, outcome.exitCode) << describe(seed, script, outcome);
    }
    askForFreeChecks(false);
}

}  // namespace
