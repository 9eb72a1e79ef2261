// Random start-up scripts for QUOMB_32.exe, each made from a seed alone: objects of every registered script
// class, made and copied, their verbs and properties called with plain and with hostile arguments,
// containers and groups filled with each other, and events, class creations and timers bound to procedures
// that delete, halt or stop objects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The animation that the scripts play most: the title gives it frames that play and end, so that the
// steps and characters playing it finish.
constexpr std::uint16_t kGeneratedAnimationId = 30;

// The lines of one script. The same seed gives the same script on every machine. Every script ends
// with "say end" and "quit" before its procedures; nothing in it waits for an event or loops.
std::vector<std::string> generateScript(std::uint32_t seed);
