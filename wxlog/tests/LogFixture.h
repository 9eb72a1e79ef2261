// Shared by the log tests: the headers they use and the text fields of a log file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Files.h"
#include "TempFolder.h"

using Texts = std::vector<std::string>;

// The text of each line after its 43-character prefix, trailing blanks removed; none without a file.
inline Texts readLogTexts(const std::string& name) {
    Texts texts;
    if (!fileExists(name)) return texts;
    for (const std::string& line : splitLines(readWholeFile(name))) {
        std::string text = line.substr(43);
        texts.push_back(text.erase(text.find_last_not_of(' ') + 1));
    }
    return texts;
}
