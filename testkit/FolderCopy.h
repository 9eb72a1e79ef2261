// Copies a folder with everything in it, so that a test or benchmark runs a program in a folder of its own.
#pragma once

#include <string>

// Copies every file and subfolder of `from` into `to` (made when missing), leaving out files named `skip`.
void copyFolder(const std::string& from, const std::string& to, const std::string& skip = "");
