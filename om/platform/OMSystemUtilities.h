// Small system services: clocks, the current message, key and mouse state, screen facts, alerts and
// the simple sound call.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMRect.h"

class OMResFile;

// Milliseconds since system start (wrapping after about 49.7 days).
std::uint32_t ticksMs();
// The same clock in sixtieths of a second, truncated; wraps to 0 together with ticksMs.
std::uint32_t ticks60();
// The one clock of the program: a test installs its own; null restores timeGetTime. Returns the
// source it replaces.
using OMClockSource = std::uint32_t (*)();
OMClockSource setClockSource(OMClockSource source);

// The message being handled, set by the main loop before each dispatch.
void getCurrentMessage(MSG* out);
void setCurrentMessage(const MSG* in);
WPARAM currentMessageWParam();
// The client point of a client mouse message (0x0200-0x0209) as signed 16-bit values, else (0, 0).
POINT currentMessagePoint();

bool isAltKeyDown();
bool isShiftKeyDown();
bool isControlKeyDown();
bool isShiftDownNow();
bool isControlDownNow();
// Whether the key that gives character `code` (or private key code 0xE800-0xE81A) is down now, with
// Shift and Control as the character needs them.
bool isCharacterKeyDown(std::uint32_t code);
// Screen position of the cursor; buttons (when not null) gets 1 right + 2 middle + 4 left.
POINT cursorPosition(unsigned* buttons);
// Drops pending mouse and keyboard messages and releases the framework's mouse capture.
void flushInput();

OMRect screenBounds(std::int32_t display);
std::int32_t displayBitsPerPixel(std::int32_t display);
bool isDisplay8Bit(std::int32_t display);

// A message box owned by the main window, titled "Alert" when title is null; returns the button.
int alertBox(const char* text, unsigned flags, const char* title);
// Makes alert boxes real message boxes (the program's entry installs it).
void installMessageBoxAlerts();
void beep();
const char* versionText();

// 0 when the sound started (or played, when not async), 1 on failure.
[[nodiscard]] std::int32_t playSound(const char* name, std::int32_t async);
[[nodiscard]] std::int32_t playWaveResource(std::uint16_t id, std::int32_t async);
[[nodiscard]] std::int32_t playWaveResourceFrom(std::uint16_t id, OMResFile* file, std::int32_t async);
// Stops the simple sound call and frees the resource it played from; returns 0.
std::int32_t stopWaveResource();
