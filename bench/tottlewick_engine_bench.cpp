// Costs of the engine's hot paths beside a floor measured in the same run: a handle lock/unlock pair
// against a plain pointer read, a handle lookup deep in the chain, the formatter against snprintf, and
// a memory stream's delivery against memcpy of the same chunks.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

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

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    handles();
    formatting();
    streaming();
    MemTerm();
    return 0;
}
