// Stands in for the web browser in the end-to-end tests: appends its command line to the file that
// the environment variable GLIMMER_RECORDER_FILE names.
#include <windows.h>

#include <cstdio>

int main() {
    char name[MAX_PATH] = {};
    if (GetEnvironmentVariableA("GLIMMER_RECORDER_FILE", name, MAX_PATH) == 0) return 1;
    std::FILE* file = std::fopen(name, "a");
    if (file == nullptr) return 1;
    std::fprintf(file, "%s\n", GetCommandLineA());
    std::fclose(file);
    return 0;
}
