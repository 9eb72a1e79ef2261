// The engine's message boxes.
#include "AppBox.h"

#include <windows.h>

#include "AppGlobals.h"
#include "DisplayWindow.h"
#include "EngineMessageBox.h"

namespace {

std::int16_t box(const char* text, unsigned style) {
    return static_cast<std::int16_t>(EngineMessageBox(DisplayGetWindow(), text, AppGetProductName(), style));
}

}  // namespace

std::int16_t AppAlert(const char* text) { return box(text, MB_OK | MB_ICONINFORMATION); }

std::int16_t AppConfirm(const char* text) { return box(text, MB_OKCANCEL | MB_ICONINFORMATION); }

std::int16_t AppAsk(const char* text) { return box(text, MB_YESNO | MB_ICONQUESTION); }

std::int16_t AppMessageBox(const char* text, const char* caption, unsigned style) {
    return static_cast<std::int16_t>(EngineMessageBox(DisplayGetWindow(), text ? text : "",
                                                      caption ? caption : AppGetProductName(),
                                                      style | MB_TASKMODAL));
}

std::int16_t AppMessageBoxPlain(const char* text) { return AppMessageBox(text, AppGetProductName(), 0); }
