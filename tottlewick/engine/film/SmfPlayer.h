// The SMF stream player: a film read straight from an open file (in practice an 'SMF' resource found
// with raw access), its due commands executed at every service call, its frames decoded into a frame
// buffer and copied into the current port on demand, and its sound blocks queued on one sound channel.
#pragma once

#include <cstdint>

#include "File.h"
#include "MemHandle.h"
#include "Rect.h"

using SmfPlayer = MemHandle;

// The channel mask and priority from which the next SmfOpen chooses its channel, and with which blocks
// are played (initially 0xFFFF and 0). Setters return the previous value.
std::uint32_t SmfSetChannelMask(std::uint32_t mask);
std::uint32_t SmfGetChannelMask();
std::int16_t SmfSetPriority(std::int16_t priority);
std::int16_t SmfGetPriority();

// The film at offset: header, command table, track, frame and audio buffers and a sound channel; 0 when
// the file cannot be read, the marker is not valid or memory runs out (nothing is left allocated).
SmfPlayer SmfOpen(FileRef file, std::uint32_t offset);
// Stops the player, frees its buffers and record, and zeroes the handle.
void SmfClose(SmfPlayer* player);

std::uint16_t SmfGetWidth(SmfPlayer player);
std::uint16_t SmfGetHeight(SmfPlayer player);
std::uint16_t SmfGetDepth(SmfPlayer player);
std::uint16_t SmfGetSampleSize(SmfPlayer player);
std::uint16_t SmfGetChannels(SmfPlayer player);
std::uint16_t SmfGetRate(SmfPlayer player);
void SmfGetPosition(SmfPlayer player, Point* point);
void SmfSetPosition(SmfPlayer player, Point point);
// The frame rectangle moved by the drawing position; empty for a null handle.
void SmfGetRect(SmfPlayer player, Rect* rect);
std::int16_t SmfGetChannel(SmfPlayer player);  // -1 for null
void SmfSetChannel(SmfPlayer player, std::int16_t channel);

void SmfStart(SmfPlayer player);
void SmfStop(SmfPlayer player);
std::int16_t SmfIsRunning(SmfPlayer player);
std::uint32_t SmfGetTime(SmfPlayer player);  // elapsed milliseconds
std::uint32_t SmfGetDuration(SmfPlayer player);
// 1 for null; else 1 once time has reached the duration, every entry has run and the last block is over.
std::int16_t SmfIsDone(SmfPlayer player);
// Executes the due commands; a film that ends stops itself.
void SmfService(SmfPlayer player);
// Copies the frame into the current port at the drawing position, clipped to the port and to clip (null
// for none); only an 8-bit frame into an 8-bit port.
void SmfDrawFrame(SmfPlayer player, const Rect* clip);
