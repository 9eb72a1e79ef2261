// Costs of the engine's hot paths beside a floor measured in the same run: a handle lock/unlock pair
// against a plain pointer read, a handle lookup deep in the chain, the formatter against snprintf, and
// a memory stream's delivery against memcpy of the same chunks, and the file cache's idle-pass service
// (empty queue; a copy waiting between two chunks) against an empty call.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Cache.h"
#include "EngineClock.h"
#include "File.h"
#include "FileFolders.h"
#include "MemHandle.h"
#include "Stream.h"
#include "UtilFormat.h"
#include "BenchClock.h"

namespace {

volatile std::uint32_t sink;

void report(const char* what, double nsEach, double floorNs) {
    std::printf("%-44s %10.1f ns   %8.1fx the floor\n", what, nsEach, nsEach / floorNs);
}

template <typename Work>
double nanosecondsEach(int count, Work work) {
    return secondsEach(count, work) * 1e9;
}

void handles() {
    constexpr int kRounds = 2000000;
    std::vector<MemHandle> all;
    for (int i = 0; i < 400; ++i) all.push_back(MemHandleAlloc(64));  // first table plus eight more
    auto* plain = static_cast<std::uint32_t*>(MemHandleLock(all[0]));
    double floor = nanosecondsEach(kRounds, [&](int i) { sink = plain[i & 15]; });
    std::printf("%-44s %10.1f ns\n", "plain pointer read (floor)", floor);
    MemHandleUnlock(all[0]);
    report("MemHandleLock/Unlock, first table", nanosecondsEach(kRounds, [&](int i) {
               sink = static_cast<std::uint32_t*>(MemHandleLock(all[0]))[i & 15];
               MemHandleUnlock(all[0]);
           }), floor);
    report("MemHandleLock/Unlock, ninth table", nanosecondsEach(kRounds, [&](int i) {
               sink = static_cast<std::uint32_t*>(MemHandleLock(all[399]))[i & 15];
               MemHandleUnlock(all[399]);
           }), floor);
    report("MemHandleFind by label over 400 entries", nanosecondsEach(kRounds / 100, [&](int) {
               sink = MemHandleFind(0, "absent", nullptr);
           }), floor);
}

void formatting() {
    constexpr int kRounds = 200000;
    char out[kFormatBufferSize];
    double floor = nanosecondsEach(kRounds, [&](int i) {
        sink = static_cast<std::uint32_t>(std::snprintf(out, sizeof out, "%s %5d %08x", "channel", i, i));
    });
    std::printf("%-44s %10.1f ns\n", "snprintf \"%s %5d %08x\" (floor)", floor);
    report("UtilFormat \"%s %5d %#08lx\"", nanosecondsEach(kRounds, [&](int i) {
               sink = static_cast<std::uint32_t>(UtilFormat(out, "%s %5d %#08lx", "channel", i, i));
           }), floor);
}

void streaming() {
    constexpr std::uint32_t kSource = 1 << 20, kChunk = 4096;
    std::vector<char> source(kSource, 'x'), buffer(2 * kChunk);
    double floor = nanosecondsEach(kSource / kChunk, [&](int i) {
        std::memcpy(buffer.data() + (i & 1) * kChunk, source.data() + i * kChunk, kChunk);
    });
    std::printf("%-44s %10.1f ns\n", "memcpy of a 4096-byte chunk (floor)", floor);
    Stream stream = 0;
    if (!StreamOpenMemory(&stream, source.data(), kSource)) return;
    StreamSetBuffer(stream, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    StreamSetChunkSize(stream, kChunk);
    StreamStart(stream);
    report("memory stream fill of a 4096-byte chunk", nanosecondsEach(kSource / kChunk - 1, [&](int) {
               StreamSend(stream, kStreamMsgFill);
           }), floor);
    StreamClose(&stream);
}

void emptyCall() {}

// The idle pass's cache service with the clock held still, so a started copy waits between two chunks.
void cacheService() {
    constexpr int kRounds = 200000;
    void (*volatile empty)() = emptyCall;
    double floor = nanosecondsEach(kRounds, [&](int) { empty(); });
    std::printf("%-44s %10.1f ns\n", "empty call (floor)", floor);
    report("CacheServe, empty queue", nanosecondsEach(kRounds, [&](int) { sink = CacheServe(); }), floor);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string disc = std::string(temp) + "cache-bench-disc\\", user = std::string(temp) + "cache-bench-user";
    CreateDirectoryA(disc.c_str(), nullptr);
    CreateDirectoryA(user.c_str(), nullptr);
    const std::string source = disc + "BENCH.PRS";
    std::FILE* file = std::fopen(source.c_str(), "wb");
    if (!file) return;
    std::vector<char> bytes(65536, 'x');
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    const char* folders[] = {disc.c_str()};
    ResSetSearchFolders(1, folders);
    FileSetUserFolder(user.c_str());
    ClockSetSource([] { return std::uint32_t{1000}; });
    if (CacheAdd("BENCH.PRS") == 0)
        report("CacheServe, copy between two chunks", nanosecondsEach(kRounds, [&](int) { sink = CacheServe(); }), floor);
    CacheFlush();
    ClockSetSource(nullptr);
    DeleteFileA((user + "\\BENCH.PRS").c_str());
    DeleteFileA(source.c_str());
    RemoveDirectoryA(user.c_str());
    RemoveDirectoryA(disc.c_str());
}

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    handles();
    formatting();
    streaming();
    FileInit();
    cacheService();
    FileTerm();
    MemTerm();
    return 0;
}
