// The window's palette and its fades, and the services the window layer gives the update manager.
#pragma once

#include <cstdint>

struct UpdateDisplay;

// Makes the colour table of 'DIB' resource id the current palette and realises it on every canvas: 1, or 0
// when the resource gives no palette.
std::int16_t DisplaySetPaletteFromDib(std::uint16_t id);
// Takes the current palette out of the window's device context (the window is going).
void DisplayDropPalette();
// Paints the window black, copies the whole picture and fades it in from black: 50 steps in 500 ms, the
// idle services running meanwhile.
void DisplayRefreshWithFade();
// Fades the window to black the same way, then clears the window and the offscreen picture to colour 0.
void DisplayFadeToBlack();

// The window layer's record for UpdateSetDisplay.
const UpdateDisplay* DisplayUpdateServices();
