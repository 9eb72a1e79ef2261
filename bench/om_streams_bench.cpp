// What streams, NE look-ups and cached files cost: block and whole reads of a file beside plain run-time
// reads of the same blocks, NE resource queries with the module cache on beside off, and a file loaded
// by its loader thread through main-loop slices beside the same file loaded synchronously.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "Files.h"
#include "NeModuleWriter.h"
#include "OMCachedFile.h"
#include "OMIStreamDLL16.h"
#include "OMIStreamFile.h"
#include "OMTask.h"
#include "TempFolder.h"

namespace {

constexpr std::size_t kFileSize = 8 << 20;
constexpr int kRounds = 5;
constexpr int kQueries = 2000;

double megabytesPerSecond(double elapsed) { return kRounds * (kFileSize / 1048576.0) / elapsed; }

void benchReads(const std::string& name) {
    std::vector<char> block(4096);
    double start = seconds();
    for (int round = 0; round < kRounds; ++round) {
        const int fd = _open(name.c_str(), _O_RDONLY | _O_BINARY);
        while (_read(fd, block.data(), 4096) > 0) {}
        _close(fd);
    }
    const double plain = seconds() - start;

    start = seconds();
    for (int round = 0; round < kRounds; ++round) {
        OMIStreamFile stream(name.c_str(), 0, nullptr);
        while (stream.read() > 0) {}
    }
    const double blocks = seconds() - start;

    start = seconds();
    for (int round = 0; round < kRounds; ++round) {
        OMIStreamFile stream(name.c_str(), kStreamWhole, nullptr);
        static_cast<void>(stream.read());
    }
    const double whole = seconds() - start;
    std::printf("file reads, 8 MB x %d:  plain 4096-byte reads %.0f MB/s | stream blocks %.0f MB/s (x%.2f) | "
                "whole %.0f MB/s (x%.2f)\n",
                kRounds, megabytesPerSecond(plain), megabytesPerSecond(blocks), plain / blocks,
                megabytesPerSecond(whole), plain / whole);
}

void benchQueries(const std::string& module) {
    double start = seconds();
    for (int i = 0; i < kQueries; ++i) static_cast<void>(OMIStreamDLL16::query(static_cast<std::int16_t>(1 + i % 20), "WAVE", module.c_str()));
    const double off = seconds() - start;
    OMIStreamDLL16::setModuleCacheOn(true);
    start = seconds();
    for (int i = 0; i < kQueries; ++i) static_cast<void>(OMIStreamDLL16::query(static_cast<std::int16_t>(1 + i % 20), "WAVE", module.c_str()));
    const double on = seconds() - start;
    OMIStreamDLL16::flushInfoCache();
    std::printf("NE queries x %d:  cache off %.1f us each | cache on %.2f us each (x%.1f faster)\n", kQueries,
                off * 1e6 / kQueries, on * 1e6 / kQueries, off / on);
}

void benchLoads(const std::string& name) {
    double start = seconds();
    static_cast<void>(loadCachedFile(name.c_str()));
    const double sync = seconds() - start;
    releaseCachedFile(name.c_str());

    OMList<OMTask> tasks(compareTaskPriority);
    setAppTaskList(&tasks);
    start = seconds();
    OMCachedFile* file = openCachedFileInMemory(name.c_str(), nullptr, 0, false);
    long passes = 0;
    while (file && !file->loaded && !file->failed) {
        runTaskSlices(tasks);
        ++passes;
    }
    const double background = seconds() - start;
    releaseCachedFile(name.c_str());
    setAppTaskList(nullptr);
    std::printf("8 MB into memory:  synchronous %.1f ms | loader thread through %ld slices %.1f ms (x%.2f)\n",
                sync * 1e3, passes, background * 1e3, sync / background);
}

} // namespace

int main() {
    TempFolder folder;
    const std::string name = folder.file("big.dat");
    writeWholeFile(name, std::string(kFileSize, 'x'));
    NeModule module;
    module.types = {{0, "WAVE", {}}};
    for (std::uint16_t id = 1; id <= 20; ++id) module.types[0].resources.push_back({id, std::string(4000, 'w')});
    const std::string path = folder.file("sounds.dll");
    writeWholeFile(path, writeNeModule(module).bytes);
    benchReads(name);
    benchQueries(path);
    benchLoads(name);
    return 0;
}
