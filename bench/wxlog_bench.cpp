// Lines per second of cLogEngine::Write to a file, buffered and unbuffered, beside the floor: a plain
// loop writing the same 125-byte lines with WriteFile.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Files.h"
#include "LogEngine.h"
#include "TempFolder.h"
#include "BenchClock.h"

namespace {

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

double writeFileRate(const TempFolder& folder, int lines) {
    HANDLE file = CreateFileA(folder.file("floor.log").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string line(123, 'x');
    line += "\r\n";
    double start = seconds();
    for (int i = 0; i < lines; ++i) {
        DWORD written;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    double elapsed = seconds() - start;
    CloseHandle(file);
    return lines / elapsed;
}

void report(const char* what, double rate, double floor) {
    std::printf("%-32s %12.0f lines/s   %6.3f of the floor\n", what, rate, rate / floor);
}

}  // namespace

int main() {
    TempFolder folder;
    writeWholeFile(folder.file("bench.msg"), "0001 &1 with some words to fill the text field\r\n");
    const int kBuffered = 50000;
    const int kUnbuffered = 5000;
    double floor = writeFileRate(folder, kBuffered);
    std::printf("%-32s %12.0f lines/s\n", "WriteFile of 125-byte lines", floor);
    report("Write, buffered (options 2)", engineRate(folder, cLogEngine::kBufferOutput, kBuffered), floor);
    report("Write, buffered, file kept open", engineRate(folder, cLogEngine::kBufferOutput | cLogEngine::kKeepFileOpen, kBuffered), floor);
    report("Write, unbuffered (options 0)", engineRate(folder, 0, kUnbuffered), floor);
    return 0;
}
