// End to end under Wine: scripts play wave files and a big-endian sound resource through "RDitty" on the
// real wave-out device (Wine's null sound device) and write what they hear to "debug.txt".
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "NeModuleWriter.h"
#include "SoundResourceWriter.h"
#include "TempFolder.h"
#include "WaveWriter.h"

namespace {

std::string programPath(const char* name) {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of('\\') + 1) + name;
}

std::string lines(const std::vector<std::string>& text) {
    std::string joined;
    for (const std::string& line : text) joined += line + "\r\n";
    return joined;
}

std::string wave(std::size_t count, std::uint32_t rate = 11025) {
    WaveSound w;
    w.sampleRate = rate;
    w.samples = std::string(count, '\xC0');
    return writeWave(w);
}

// Binds "start" and "finished", plays, waits for "finished", reports the status and quits.
std::vector<std::string> playAndWait(const std::string& play) {
    return {"d=RDitty \"\"",  "set d start +started", "set d finished +done", play, "wait",
            "get d status s", "say status s",         "quit",                 "procedure +started",
            "[",              " say start",           "]",                    "procedure +done",
            "[",              " say finished",        " drop wait",           "]"};
}

class SoundProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
        CreateDirectoryA(folder.file("PScripts").c_str(), nullptr);
        CreateDirectoryA(folder.file("PRsc").c_str(), nullptr);
    }
    void writeScript(const std::string& name, const std::vector<std::string>& text) {
        writeWholeFile(folder.file("PScripts\\" + name), lines(text));
    }
    ChildResult run(const std::string& script) {
        return runChild("\"" + programPath("QSound.exe") + "\" " + script, folder.path(), 60000);
    }
    std::string trace() const { return readWholeFile(folder.file("debug.txt")); }

    TempFolder folder;
};

TEST_F(SoundProgramTest, AWaveFilePlayedThreeTimesStartsThreeTimesThenFinishes) {
    writeWholeFile(folder.file("a.wav"), wave(3000));
    writeScript("main.mps", playAndWait("play d waveSingle \"a.wav\" 100 3"));
    const ChildResult result = run("main.mps");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_EQ(trace(), lines({"start", "start", "start", "finished", "status 0"}));
}

TEST_F(SoundProgramTest, AFormatOneResourceOfAnNEModulePlaysThroughResSingle) {
    SoundResource resource;
    resource.rateFixed = 22050u << 16;
    resource.samples = std::string(5000, '\x40');
    NeModule module;
    module.types.push_back({0, "WAVE", {{7, writeSoundResource(resource)}}});
    writeWholeFile(folder.file("PRsc\\sounds.dll"), writeNeModule(module).bytes);
    writeScript("res.mps", playAndWait("play d resSingle WAVE 7"));
    const ChildResult result = run("res.mps");
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_EQ(trace(), lines({"start", "finished", "status 0"}));
}

// Files that can never be heard are refused (no event, status 0); one whose "data" runs past the end of
// the file plays what is there.
TEST_F(SoundProgramTest, BadFilesAreRefusedOrPlayedToTheirRealEnd) {
    std::string longData = wave(2000);
    longData[41] = '\x7F';
    std::string pastFirstKilobyte = wave(2000);
    pastFirstKilobyte.insert(12, std::string("LIST\x4C\x04\0\0", 8) + std::string(1100, 'z'));
    const std::vector<std::pair<std::string, std::string>> refused{
        {"truncated.wav", wave(2000).substr(0, 30)}, {"rate0.wav", wave(2000, 0)},
        {"late.wav", pastFirstKilobyte},             {"empty.wav", ""}};
    std::vector<std::string> script{"d=RDitty \"\""};
    std::vector<std::string> expected;
    for (const auto& [name, bytes] : refused) {
        writeWholeFile(folder.file(name), bytes);
        script.insert(script.end(), {"play d waveSingle " + name, "get d status s", "say " + name + " s"});
        expected.push_back(name + " 0");
    }
    writeWholeFile(folder.file("long.wav"), longData);
    const std::vector<std::string> rest = playAndWait("play d waveSingle long.wav");
    script.insert(script.end(), rest.begin() + 1, rest.end());
    for (const char* line : {"start", "finished", "status 0"}) expected.push_back(line);
    writeScript("bad.mps", script);
    const ChildResult result = run("bad.mps");
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_EQ(trace(), lines(expected));
}

}  // namespace
