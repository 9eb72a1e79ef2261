// Whole-file reads and writes for tests, and splitting text into lines.
#pragma once

#include <string>
#include <vector>

std::string readWholeFile(const std::string& name);
void writeWholeFile(const std::string& name, const std::string& bytes);
bool fileExists(const std::string& name);
// Splits at each occurrence of `separator`; an empty text gives no lines.
std::vector<std::string> splitLines(const std::string& text, const std::string& separator = "\r\n");
