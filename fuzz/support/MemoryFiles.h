// The engine's file layer (File.h) and platform memory (PlatMem.h) for native builds: named files held
// in memory and plain heap blocks, so that the resource-file code above them runs unchanged.
#pragma once

#include <map>
#include <string>

// The files by name; a target fills it before each input.
std::map<std::string, std::string>& memoryFiles();
