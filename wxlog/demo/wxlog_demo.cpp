// Demonstration client of WXLOG32.dll: logs a few messages through the flat functions and prints the log.
#include <windows.h>

#include <cstdio>

#include "wxlog32.h"

namespace {

const char kLogFile[] = "demo.log";

int printFile(const char* name) {
    FILE* file = std::fopen(name, "rb");
    if (!file) {
        std::fprintf(stderr, "wxlog_demo: cannot read %s\n", name);
        return 1;
    }
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) std::fwrite(chunk, 1, got, stdout);
    std::fclose(file);
    std::printf("\n");
    return 0;
}

}  // namespace

int main() {
    DeleteFileA(kLogFile);
    WXLOG_HANDLE log = WXLOG_Start(kLogFile, "demo.msg", 3);
    if (!log) {
        std::fprintf(stderr, "wxlog_demo: cannot start the log\n");
        return 1;
    }
    const char bytes[] = "QUOMB\x01\x02\x03 and friends";
    WXLOG_Write(log, 1);
    WXLOG_Write2(log, 1001, "7", "Ann");
    WXLOG_Write2(log, 2002, "9", "10");
    WXLOG_Write1(log, 3003, "wave-out");
    WXLOG_Write(log, 100);
    WXLOG_WriteHex(log, sizeof bytes - 1, bytes);
    WXLOG_End(log);
    return printFile(kLogFile);
}
