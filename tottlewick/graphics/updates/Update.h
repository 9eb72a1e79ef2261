// The dirty-rectangle update manager: drawing code marks areas dirty, and once per frame the flush has
// the activity's redraw procedure repaint them into the offscreen canvas and copies exactly those areas
// to the window, at once or through a one-shot transition. Two lists make an area marked with
// UpdateInvalRect redraw at two successive flushes and one marked with UpdateInvalRectOnce at one.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Canvas.h"
#include "MemHandle.h"
#include "Rect.h"

using UpdateList = MemHandle;
// The erase, redraw, copy and transition procedures: the count and the first of the list's rectangles.
using UpdateProc = void (*)(std::uint16_t count, const Rect* rects);

constexpr std::uint16_t kUpdateCapacity = 64;

// Creates a list of the window's screen rectangle, makes it current and binds the window's canvases:
// 1, or 0 when out of memory.
std::int16_t UpdateInit(std::uint16_t capacity);
void UpdateTerm();
// A list of `capacity` rectangles per half, both empty, no canvases or procedures; 0 when out of memory.
UpdateList UpdateListCreate(std::uint16_t capacity, const Rect* screen);
UpdateList UpdateGetCurrent();
// Returns the previous list; also clears the flushing word.
UpdateList UpdateSetCurrent(UpdateList list);

// Setters on the current list, each returning the previous value (0 without a current list).
Canvas UpdateSetWindowCanvas(Canvas canvas);
Canvas UpdateSetOffscreenCanvas(Canvas canvas);
Canvas UpdateSetBackgroundCanvas(Canvas canvas);
UpdateProc UpdateSetEraseProc(UpdateProc proc);
UpdateProc UpdateSetRedrawProc(UpdateProc proc);
UpdateProc UpdateSetCopyProc(UpdateProc proc);
UpdateProc UpdateSetTransitionProc(UpdateProc proc);

std::uint16_t UpdateGetCapacity();
// The count of list A (once areas and the previous frame's areas) or list B (what the next flush
// redraws), copying the rectangles out when a buffer is given.
std::uint16_t UpdateGetOnceRects(Rect* out);
std::uint16_t UpdateGetRects(Rect* out);

// A null rect means the offscreen canvas's bounds, marked as UpdateInvalRect. During a flush the first
// call is dropped.
void UpdateInvalRect(const Rect* rect);
void UpdateInvalRectOnce(const Rect* rect);
// which: 0 list A, anything else list B.
void UpdateAddRect(UpdateList list, const Rect* rect, std::int16_t which);

void UpdateFlush();
void UpdateFlushWithErase();
// Copies one rectangle from the offscreen canvas to the window now.
void UpdateCopyToScreen(const Rect* rect);

// The steps of a flush, on the current list.
void UpdateClearCurrent();
void UpdateSwapLists();
void UpdateMergePrevious();
void UpdateErase();
void UpdateRedraw();
void UpdateCopyList();

// Transition kinds 1 to 7 for the next copy to the window; another kind changes nothing.
void UpdateSetTransition(std::int16_t kind);

// The default window procedure of every activity module: WM_PAINT repaints the whole picture from the
// offscreen canvas; every message then goes on to the application's default procedure, whose result is
// returned cut to 16 bits.
LRESULT CALLBACK UpdateWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
