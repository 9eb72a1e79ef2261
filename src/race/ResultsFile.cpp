// The results file and its reader.
#include "ResultsFile.h"

#include <cstdlib>
#include <cstring>

namespace {

// Each read takes at most this many characters of a line.
constexpr int kReadLength = 5;

struct ResultPair {
    std::int32_t first;
    std::int32_t second;
};

std::FILE* openFile = nullptr;
ResultPair table[kResultPairCount] = {};

void clearTable() { std::memset(table, 0, sizeof table); }

// A line longer than one read keeps only its first read: the rest is skipped up to the line end.
void skipRestOfLine(std::FILE* file, const char* read) {
    if (std::strchr(read, '\n')) return;
    for (int c = std::fgetc(file); c != EOF && c != '\n'; c = std::fgetc(file)) {
    }
}

// The text before the first blank is the first number, the text after it the second.
ResultPair pairOf(const char* read) {
    const char* blank = std::strchr(read, ' ');
    return ResultPair{std::atoi(read), blank ? std::atoi(blank + 1) : 0};
}

}  // namespace

std::int32_t openResultsFile(const char* name) {
    closeResultsFile();
    openFile = std::fopen(name, "w");
    return openFile ? 1 : 0;
}

void writeResultLine(std::int32_t skillArea, std::int32_t level) {
    if (openFile) std::fprintf(openFile, "%d %d\n", static_cast<int>(skillArea), static_cast<int>(level));
}

void closeResultsFile() {
    if (openFile) std::fclose(openFile);
    openFile = nullptr;
}

void deleteResultsFile(const char* name) { static_cast<void>(std::remove(name)); }

std::int32_t readResultsFile(const char* name) {
    std::FILE* file = std::fopen(name, "r");
    if (!file) {
        clearTable();
        return 0;
    }
    const std::int32_t done = readResults(file);
    std::fclose(file);
    return done;
}

// The table holds 50 pairs: lines after the 50th are not read.
std::int32_t readResults(std::FILE* file) {
    clearTable();
    char read[kReadLength + 1];
    for (std::int32_t index = 0; index < kResultPairCount && std::fgets(read, sizeof read, file); ++index) {
        table[index] = pairOf(read);
        skipRestOfLine(file, read);
    }
    return 1;
}

std::int32_t resultsFileExists(const char* name) {
    std::FILE* file = std::fopen(name, "r");
    if (!file) return 0;
    std::fclose(file);
    return 1;
}

std::int32_t resultLevel(std::int32_t i) {
    if (i < 0 || i >= kResultPairCount || table[i].first == 0) return 0;
    return table[i].second;
}
