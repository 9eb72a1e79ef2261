// End to end under Wine: a script plays wave files and a big-endian sound resource through "RDitty" on the
// real wave-out device (Wine's null sound device) and writes what it hears to "debug.txt".
#include "ChildProcess.h"
#include "NeModuleWriter.h"
#include "SoundResourceWriter.h"
#include "TestSupport.h"
#include "WaveWriter.h"

namespace {
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

// Files that can never be heard are refused (no event, status 0); a wave file played three times starts
// three times and then finishes; a format 1 resource of an NE module plays through "resSingle"; a file
// whose "data" runs past the end of the file plays what is there.
TEST(SoundProgramTest, AScriptPlaysFilesAndResourcesAndRefusesDamagedFiles) {
    if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
    TempFolder folder;
    CreateDirectoryA(folder.file("PScripts").c_str(), nullptr);
    CreateDirectoryA(folder.file("PRsc").c_str(), nullptr);
    std::string longData = wave(2000);
    longData[41] = '\x7F';
    const std::vector<std::pair<std::string, std::string>> files{
        {"truncated.wav", wave(2000).substr(0, 30)}, {"rate0.wav", wave(2000, 0)}, {"a.wav", wave(3000)},
        {"long.wav", longData}};
    for (const auto& [name, bytes] : files) writeWholeFile(folder.file(name), bytes);
    const std::string sound = writeSoundResource({1, 22050u << 16, false, std::string(5000, '\x40'), {}});
    writeWholeFile(folder.file("PRsc\\sounds.dll"), writeNeModule(NeModule{4, false, {{0, "WAVE", {{7, sound}}}}}).bytes);
    std::vector<std::string> script{"d=RDitty \"\"", "set d start +started", "set d finished +done"};
    for (const char* name : {"truncated.wav", "rate0.wav"}) {
        script.insert(script.end(), {std::string("play d waveSingle ") + name, "get d status s", "say " + std::string(name) + " s"});
    }
    for (const char* play : {"waveSingle \"a.wav\" 100 3", "resSingle WAVE 7", "waveSingle long.wav"}) {
        script.insert(script.end(), {std::string("play d ") + play, "wait", "get d status s", "say status s"});
    }
    script.insert(script.end(), {"quit", "procedure +started", "[", " say start", "]", "procedure +done", "[",
                                 " say finished", " drop wait", "]"});
    writeWholeFile(folder.file("PScripts\\main.mps"), lines(script));
    const ChildResult result = runChild("\"" + programFolder() + "QSound.exe" + "\"", folder.path(), 60000);
    ASSERT_EQ(std::make_pair(result.started, result.exitCode), std::make_pair(true, 0ul)) << result.output;
    EXPECT_EQ(readWholeFile(folder.file("debug.txt")),
              lines({"truncated.wav 0", "rate0.wav 0", "start", "start", "start", "finished", "status 0", "start",
                     "finished", "status 0", "start", "finished", "status 0"}));
}
}  // namespace
