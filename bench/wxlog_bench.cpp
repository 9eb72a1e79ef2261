// Lines per second of cLogEngine::Write to a file beside floors that do only what the engine must:
// with the file kept open, a WriteFile of the same line under a critical section; in the default mode
// (buffered, copied to the debugger, file closed between writes), a loop that copies every line to the
// debugger and opens, appends and closes the file once per nine lines, as the engine's buffer does.
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchClock.h"
#include "Files.h"
#include "LogEngine.h"
#include "TempFolder.h"

namespace {

const int kLinesPerFlush = 9;
const int kRuns = 5;

// The best of several runs, so that a slice lost to another process does not count.
template <typename Run>
double bestRate(Run run) {
    double best = 0;
    for (int i = 0; i < kRuns; ++i) {
        double rate = run();
        if (rate > best) best = rate;
    }
    return best;
}

std::string sampleLine() { return std::string(kLogLineLength, 'x'); }

double engineRate(const TempFolder& folder, std::uint32_t options, int lines) {
    std::string logName = folder.file("engine" + std::to_string(options) + ".log");
    cLogEngine engine;
    engine.SetMsgFile(folder.file("bench.msg"));
    engine.SetFile(logName);
    engine.SetLevel(1);
    engine.SetOptions(options);
    double start = seconds();
    for (int i = 0; i < lines; ++i) {
        engine.SetLocalParam("1", "benchmark line");
        engine.Write(1);
    }
    engine.FlushBuf();
    return lines / (seconds() - start);
}

double lockedWriteFileRate(const TempFolder& folder, int lines) {
    HANDLE file = CreateFileA(folder.file("floor.log").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CRITICAL_SECTION lock;
    InitializeCriticalSection(&lock);
    std::string line = sampleLine() + "\r\n";
    double start = seconds();
    for (int i = 0; i < lines; ++i) {
        EnterCriticalSection(&lock);
        DWORD written;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        LeaveCriticalSection(&lock);
    }
    double elapsed = seconds() - start;
    DeleteCriticalSection(&lock);
    CloseHandle(file);
    return lines / elapsed;
}

void appendToFile(const std::string& name, const std::string& bytes) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

double openWriteCloseRate(const TempFolder& folder, bool toDebugger, int lines) {
    std::string name = folder.file(toDebugger ? "floor-debugger.log" : "floor-flush.log");
    std::string line = sampleLine();
    std::string debugLine = line + "\n";
    std::string buffer;
    double start = seconds();
    for (int i = 0; i < lines; ++i) {
        if (!buffer.empty()) buffer += "\r\n";
        buffer += line;
        if (toDebugger) OutputDebugStringA(debugLine.c_str());
        if ((i + 1) % kLinesPerFlush == 0) {
            appendToFile(name, buffer);
            buffer.clear();
        }
    }
    if (!buffer.empty()) appendToFile(name, buffer);
    return lines / (seconds() - start);
}

void floorLine(const char* what, double rate) { std::printf("%-44s %10.0f lines/s\n", what, rate); }

void report(const char* what, double rate, double floor) {
    std::printf("%-44s %10.0f lines/s   %6.2fx the floor's time\n", what, rate, floor / rate);
}

}  // namespace

int main() {
    TempFolder folder;
    writeWholeFile(folder.file("bench.msg"), "0001 &1 with some words to fill the text field\r\n");
    const int kKeptOpenLines = 200000;
    const int kFlushedLines = 20000;

    const std::uint32_t keptOpen = cLogEngine::kBufferOutput | cLogEngine::kKeepFileOpen;
    std::printf("best of %d runs each\n", kRuns);

    double locked = bestRate([&] { return lockedWriteFileRate(folder, kKeptOpenLines); });
    floorLine("WriteFile of a line under a critical section", locked);
    report("Write, file kept open (options 3)",
           bestRate([&] { return engineRate(folder, keptOpen, kKeptOpenLines); }), locked);

    double flushed = bestRate([&] { return openWriteCloseRate(folder, false, kFlushedLines); });
    floorLine("open, append, close per 9 lines", flushed);
    report("Write, buffered (options 2)",
           bestRate([&] { return engineRate(folder, cLogEngine::kBufferOutput, kFlushedLines); }), flushed);

    double withDebugger = bestRate([&] { return openWriteCloseRate(folder, true, kFlushedLines); });
    floorLine("the same, every line to the debugger", withDebugger);
    report("Write, default mode (options 6)",
           bestRate([&] { return engineRate(folder, cLogEngine::kDefaultOptions, kFlushedLines); }),
           withDebugger);
    return 0;
}
