// The results file: one line "skill-area level" per skill area, written in text mode by the assessment
// race; and its reader into a table of 50 pairs. Portable: plain C streams.
#pragma once

#include <cstdint>
#include <cstdio>

// Creates the file (or empties it) for writing in text mode and keeps it as the open results file;
// 1 on success, 0 when it cannot be created.
std::int32_t openResultsFile(const char* name);
// "%d %d\n" to the open results file; nothing when none is open.
void writeResultLine(std::int32_t skillArea, std::int32_t level);
void closeResultsFile();
// Harmless when the file does not exist.
void deleteResultsFile(const char* name);

inline constexpr std::int32_t kResultPairCount = 50;
// Empties the table, then reads the file line by line into it; 0 when it cannot be opened, else 1.
std::int32_t readResultsFile(const char* name);
// The same over a stream open for reading in text mode, which the caller closes.
std::int32_t readResults(std::FILE* file);
// 1 when the file can be opened for reading.
std::int32_t resultsFileExists(const char* name);
// The second number of pair i when i lies in 0..49 and the pair's first number is not 0; else 0.
std::int32_t resultLevel(std::int32_t i);
