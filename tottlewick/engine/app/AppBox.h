// Message boxes over the main window, captioned with the product name, through the engine's one
// message-box road.
#pragma once

#include <cstdint>

// OK with the information icon.
std::int16_t AppAlert(const char* text);
// OK and Cancel with the information icon.
std::int16_t AppConfirm(const char* text);
// Yes and No with the question icon.
std::int16_t AppAsk(const char* text);
// Null text is empty, null caption the product name; the style always gains MB_TASKMODAL.
std::int16_t AppMessageBox(const char* text, const char* caption, unsigned style);
std::int16_t AppMessageBoxPlain(const char* text);
