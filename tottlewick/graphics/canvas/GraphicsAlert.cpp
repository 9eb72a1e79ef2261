// The graphics code's alerts go through the engine's one message-box road, so tests log them.
#include "GraphicsAlert.h"

#include <windows.h>

#include "EngineMessageBox.h"

void graphicsAlert(const char* text) { EngineMessageBox(nullptr, text, "Tottlewick", MB_OK | MB_ICONINFORMATION); }
