// Where the user data file "quomb.dat" lives: the Windows directory, or a folder a test gives.
#pragma once

#include <string>

// The full name of "quomb.dat".
std::string userDataPath();
// Test seam: the folder to use instead of the Windows directory (empty restores it).
void setUserDataFolder(const std::string& folder);
