// Writes descriptor files: one command per line (words with blanks, quotes or nothing in them are
// quoted, a quote inside written as \"), quizlet lines, and the closing "." line.
#pragma once

#include <string>
#include <vector>

struct DescriptorCommand {
    std::string name;
    std::vector<std::string> params;
};

// Each line ends with CR LF; `end` adds the "." line.
std::string writeDescriptor(const std::vector<DescriptorCommand>& commands, bool end = true);
