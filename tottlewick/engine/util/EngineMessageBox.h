// The engine's one road to a message box, which tests turn into a log line.
#pragma once

#include <string>

// A replacement for the modal box: gets what would be shown and returns the button id to act on.
using MessageBoxHook = int (*)(const char* text, const char* caption, unsigned style);

// Shows a message box owned by `owner` (a window handle, may be null) and returns the pressed button.
int EngineMessageBox(void* owner, const char* text, const char* caption, unsigned style);
// Installs a replacement (null restores the real box); returns the previous one.
MessageBoxHook EngineSetMessageBoxHook(MessageBoxHook hook);
// The text a hook logs for one box: "caption|text|style" with the style in hexadecimal.
std::string EngineMessageBoxLine(const char* text, const char* caption, unsigned style);
