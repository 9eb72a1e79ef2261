// The SMF codecs' hot loops beside memcpy of the same frame bytes in the same run: a 640 x 480 frame
// decoded with vrw8 (goal: within 1.5x of memcpy) and with vlz8 (a photograph-like and a flat picture),
// one second of adpm at 22050 Hz, as ratios and MB/s of output; and a player's service pass with nothing due.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "File.h"
#include "Files.h"
#include "MemHandle.h"
#include "SmfAudio.h"
#include "SmfFormat.h"
#include "SmfFrame.h"
#include "SmfPlayer.h"
#include "SmfWriter.h"
#include "TempFolder.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kRounds = 5;

// Noise-like detail such as a photograph has (few repeats for LZSS to find), and large flat areas.
std::string photograph() {
    std::string p(kW * kH, '\0');
    std::uint32_t seed = 12345;
    for (char& c : p) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 24);
    }
    return p;
}

std::string flat() {
    std::string p(kW * kH, '\0');
    for (int i = 0; i < kW * kH; ++i) p[i] = char(((i % kW) / 80 + (i / kW) / 60 * 8) & 0xFF);
    return p;
}

void report(const char* what, double each, double baseline, double outputBytes) {
    std::printf("%-34s %9.1f us  %6.2fx memcpy  %8.1f MB/s\n", what, each * 1e6, each / baseline,
                outputBytes / each / 1e6);
}

double frameSeconds(std::uint32_t tag, const std::string& data, std::vector<std::uint8_t>& frame) {
    const SmfFrameTarget target{frame.data(), kW, kH, 8};
    return fastestEach(kRounds, 50, [&](int) {
        SmfDecodeFrame(tag, reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), {0, 0, kW, kH}, target);
    });
}

// A film with one frame due far in the future: every service pass finds nothing to do.
double idleServiceSeconds() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    FileInit();
    TempFolder folder;
    SmfWriter w;
    w.header.width = 16, w.header.height = 16, w.header.capacity[0] = 256, w.header.duration = 60000;
    w.load(60000, 0, std::string(256, '\1'));
    writeWholeFile(folder.file("film.smf"), w.bytes());
    FileRef file = FileOpen(folder.file("film.smf").c_str(), kFileRead);
    SmfPlayer player = SmfOpen(file, 0);
    SmfStart(player);
    const double each = fastestEach(kRounds, 20000, [&](int) { SmfService(player); });
    SmfClose(&player);
    FileClose(file);
    FileTerm();
    MemTerm();
    return each;
}

}  // namespace

int main() {
    const std::string photo = photograph(), plain = flat();
    std::vector<std::uint8_t> frame(kW * kH), copy(kW * kH);
    const double memcpyEach = fastestEach(kRounds, 50, [&](int) {
        std::memcpy(copy.data(), photo.data(), photo.size());
        asm volatile("" : : "r"(copy.data()) : "memory");
    });
    const double bytes = double(kW) * kH;
    std::printf("memcpy of a 640 x 480 frame        %9.1f us  %8.1f MB/s\n", memcpyEach * 1e6,
                bytes / memcpyEach / 1e6);
    report("vrw8 640 x 480 (goal <= 1.5x)", frameSeconds(SmfTag("vrw8"), photo, frame), memcpyEach, bytes);
    report("vlz8 640 x 480 photograph", frameSeconds(SmfTag("vlz8"), smfLzssGreedy(photo), frame), memcpyEach, bytes);
    report("vlz8 640 x 480 flat picture", frameSeconds(SmfTag("vlz8"), smfLzssGreedy(plain), frame), memcpyEach, bytes);

    std::vector<std::int16_t> wave(22050);
    for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = std::int16_t((i * 97) % 20000 - 10000);
    const std::string adpm = smfImaMono(wave);
    std::vector<std::uint8_t> audio(2 * 2 * wave.size());
    const SmfAudioTarget target{audio.data(), std::uint32_t(2 * wave.size()), 16, 1};
    const double adpmEach = fastestEach(kRounds, 20, [&](int) {
        SmfDecodeAudio(SmfTag("adpm"), reinterpret_cast<const std::uint8_t*>(adpm.data()), adpm.size(),
                       std::uint32_t(wave.size()), 0, target);
    });
    report("adpm 1 s at 22050 Hz", adpmEach, memcpyEach, 2.0 * wave.size());
    std::printf("service pass, nothing due          %9.3f us\n", idleServiceSeconds() * 1e6);
    return 0;
}
