// The sound service beside the bare driver serve, measured in the same run on the sound library's virtual
// device: 8 channels playing (6 looped samples and 2 looped ima4 streams, 10 voices in all).
//   - clock standing still: the manager's own bookkeeping per full pass (SndServiceNow) against AIL_serve
//     alone, and the main loop's pass when the 51 ms have not passed (SndService);
//   - clock moving 60 ms per pass: the same, now with 60 ms of mixing per pass and the streams reading and
//     decoding their chunks, against a bare serve that mixes the same 60 ms.
// The cost per main-loop pass is the gated pass plus a full pass every 51 ms, for a loop of 1000 passes a
// second.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "EngineClock.h"
#include "File.h"
#include "MemHandle.h"
#include "PrsWriter.h"
#include "Res.h"
#include "SndDriver.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SndSample.h"
#include "SoundWriter.h"
#include "Stream.h"
#include "TempFolder.h"
#include "mss32.h"

namespace {

std::uint32_t now = 1000;
std::uint32_t clockNow() { return now; }

std::vector<std::int16_t> tone(std::size_t frames, double step) {
    std::vector<std::int16_t> values(frames);
    for (std::size_t i = 0; i < frames; ++i) values[i] = static_cast<std::int16_t>(8000 * std::sin(double(i) * step));
    return values;
}

std::string pcmAiff(std::size_t frames, double step) {
    AiffSound s;
    s.frames = static_cast<std::uint32_t>(frames);
    s.data = bigEndianSamples(tone(frames, step));
    return writeAiff(s);
}

std::string ima4Aiff(std::uint32_t blocks, double step) {
    AiffSound s;
    s.aifc = true;
    s.compression = "ima4";
    s.frames = blocks;
    s.data = encodeIma4(tone(std::size_t(blocks) * 64, step), 1);
    return writeAiff(s);
}

// Each stream reads from a resource file of its own: a file gives one raw access at a time.
void openResources(const TempFolder& folder) {
    std::vector<PrsResource> samples;
    for (std::uint16_t id = 1; id <= 6; ++id) samples.push_back({"AIF", id, pcmAiff(11025 + 1000 * id, 0.01 * id)});
    writeResources(folder.file("Samples.PRS"), samples);
    writeResources(folder.file("StreamA.PRS"), {{"AIF", 7, ima4Aiff(1035, 0.02)}});
    writeResources(folder.file("StreamB.PRS"), {{"AIF", 8, ima4Aiff(1035, 0.03)}});
    std::string base = folder.path() + "\\";
    const char* folders[] = {base.c_str()};
    ResSetSearchFolders(1, folders);
    for (const char* name : {"Samples", "StreamA", "StreamB"}) ResOpenFile(name);
}

void startPlays() {
    for (std::uint16_t id = 1; id <= 6; ++id) SndPlayIdLooped(id, 0, 1024, 0);
    SndPlayIdStreamedOpt(7, 1, 0, 1024, 0);
    SndPlayIdStreamedOpt(8, 1, 0, 1024, 0);
}

template <typename Work>
double microsecondsEach(int count, std::uint32_t clockStep, Work work) {
    return secondsEach(count, [&](int) {
               now += clockStep;
               work();
           }) *
           1e6;
}

void report(const char* title, double baseline, double service, double gated) {
    std::printf("%s\n", title);
    std::printf("  %-44s %9.3f us\n", "bare driver serve, AIL_serve (baseline)", baseline);
    std::printf("  %-44s %9.3f us   %6.1fx the baseline\n", "full service pass, SndServiceNow", service,
                service / baseline);
    std::printf("  %-44s %9.3f us\n", "gated pass within 51 ms, SndService", gated);
    std::printf("  %-44s %9.3f us\n", "per main-loop pass at 1000 passes a second", gated + service / 51.0);
}

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    FileInit();
    StreamInit();
    TempFolder folder;
    openResources(folder);
    ClockSetSource(clockNow);
    MssTestUseVirtualDevice(clockNow);
    if (SndInit(nullptr, 8, 2, 16, 22050) != 0) cannotMeasure("the sound manager did not start");
    startPlays();
    int busy = 0;
    for (std::int16_t channel = 0; channel < 8; ++channel) busy += SndIsPlaying(channel);
    std::printf("%d channels playing, %u of them streamed\n", busy,
                unsigned(__builtin_popcount(SndStreamedChannels())));

    const int passes = 20000;
    SndService();
    double bare = microsecondsEach(passes, 0, [] { SndDriverServe(); });
    double full = microsecondsEach(passes, 0, [] { SndServiceNow(); });
    double gated = microsecondsEach(passes, 0, [] { SndService(); });
    report("clock standing still: the manager's bookkeeping", bare, full, gated);

    // Passes alternate, so that the service keeps the streams fed while the bare serve is measured too.
    const int moving = 500;  // 60 s of sound
    double bareMixing = 0, fullMixing = 0;
    for (int i = 0; i < moving; ++i) {
        bareMixing += microsecondsEach(1, 60, [] { SndDriverServe(); });
        fullMixing += microsecondsEach(1, 60, [] { SndServiceNow(); });
    }
    report("clock moving 60 ms a pass: with mixing, stream reads and ima4 decoding", bareMixing / moving,
           fullMixing / moving, gated);
    std::printf("  still playing after 60 s: %s\n", SndAnyPlaying() ? "yes" : "no");

    SndStopAll();
    SndShutdown();
    StreamTerm();
    MssTestUseVirtualDevice(nullptr);
    ClockSetSource(nullptr);
    while (ResSource top = ResGetTopSource()) ResCloseSource(top);
    FileTerm();
    MemTerm();
    return 0;
}
