// A test seam over the play layer: each start, stop, pause, resume, volume change and fade is told as one
// line to a procedure a test installs. Nothing is logged while none is installed.
#pragma once

#include <cstdint>

//   start id=<id> ch=<channel> pri=<priority> vol=<volume> flags=<loop 1 | streamed 2 | prepared 4>
//   stop ch=<channel>   pause ch=<channel>   resume ch=<channel>
//   volume ch=<channel> vol=<volume>   fade ch=<channel> to=<target> ms=<duration>
using SndCallLogProc = void (*)(const char* line);

// Returns the previous procedure; null turns the log off.
SndCallLogProc SndSetCallLog(SndCallLogProc proc);
// Formats and tells one line (printf style) when a procedure is installed.
void SndLogCall(const char* format, ...);
