// The program's entry: the whole run from the single-instance check to the shutdown, and the alerts that
// can come before the message tables are open.
#pragma once

#include <windows.h>

#include <cstdint>

// 0 normally (also after a failed start), 1 when no message-queue size could be set.
int AppMain(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);

// The memory layer's low-memory callback: a box asks the user to free memory; 0 retries. From the second
// attempt on the box offers Cancel, which ends the program with a non-continuable exception of code 1.
std::int16_t AppOutOfMemory(std::uint32_t request, std::int16_t mayCancel);
// An alert with string `id` of the program file's string table, else the default text.
std::int16_t AppAlertNumbered(std::uint16_t id, const char* defaultText);
// 1 when the program file has string `id`.
std::int16_t AppLoadString(char* buffer, int size, std::uint16_t id);
