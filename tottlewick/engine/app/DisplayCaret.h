// A text caret drawn straight on the window: a 12 x 2 bar that blinks while shown, erased by copying the
// picture beneath it back from the offscreen canvas.
#pragma once

#include <cstdint>

void CaretEnable(std::int16_t on);
// Setting or moving the position erases the caret first and draws it again after.
void CaretSetPosition(std::int16_t x, std::int16_t y);
void CaretMoveBy(std::int16_t dx);
void CaretSetX(std::int16_t x);
void CaretShow();
void CaretHide();
// Called periodically: every 6th call while shown turns the caret on or off.
void CaretBlink();
std::int16_t CaretGetShowCount();
// True while shown and in its visible phase.
bool CaretIsShown();
void CaretDraw();
void CaretErase();
