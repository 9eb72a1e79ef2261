// The alert of the graphics code: the graphics lie below the application, so the application installs its
// own alert (its box over the main window, captioned with the product's name) for them to call.
#pragma once

#include <cstdint>

using GraphicsAlertProc = std::int16_t (*)(const char* text);

// Installs the alert (null: none, nothing is shown); returns the previous one.
GraphicsAlertProc GraphicsSetAlert(GraphicsAlertProc alert);
void graphicsAlert(const char* text);
