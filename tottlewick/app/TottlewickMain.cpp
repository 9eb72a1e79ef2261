// Tottlewick.exe: the entry hands the whole run to the engine.
#include <windows.h>

#include "AppMain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return AppMain(instance, previous, commandLine, showCommand);
}
