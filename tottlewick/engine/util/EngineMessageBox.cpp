// Message boxes through one function, so that an unattended run never blocks on a modal box.
#include "EngineMessageBox.h"

#include <windows.h>

#include <cstdio>

namespace {

MessageBoxHook currentHook = nullptr;

}  // namespace

int EngineMessageBox(void* owner, const char* text, const char* caption, unsigned style) {
    if (currentHook) return currentHook(text ? text : "", caption ? caption : "", style);
    return MessageBoxA(static_cast<HWND>(owner), text ? text : "", caption, style);
}

MessageBoxHook EngineSetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = currentHook;
    currentHook = hook;
    return previous;
}

std::string EngineMessageBoxLine(const char* text, const char* caption, unsigned style) {
    char styleText[16];
    std::snprintf(styleText, sizeof styleText, "%X", style);
    return std::string(caption ? caption : "") + "|" + (text ? text : "") + "|" + styleText;
}
