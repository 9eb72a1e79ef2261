// The CD-root folder prefix that help, lesson discs and movies put in front of their paths.
#pragma once

#include <string>
#include <string_view>

// The prefix (ending in a backslash), read once from "QUOMB.INI" in the working folder; empty (paths
// relative to the working folder) when that file does not exist. A file that names no drive shows
// "QUOMB.INI file corrupted, please reinstall." and ends the program with exit code 0.
const std::string& cdRoot();

// The root that an INI text names: the first character after the first "=" followed by ":\QUOMB\";
// empty when the text names no drive letter.
std::string cdRootFromIni(std::string_view text);
