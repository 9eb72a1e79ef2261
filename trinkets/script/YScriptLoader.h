// Script loading (files, resolver streams, precompiled images), registered script functions, RESULT and the trace.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OMLink.h"
#include "YThread.h"

class OMIStream;

// Source texts longer than this are refused with "Script too long".
constexpr std::size_t kYMaxScriptSize = 65535;

// Loads the named script into the thread and compiles it when it is text. A missing file goes to the
// thread's resolver; without one, or when the resolver has nothing, the program ends (exit code 1).
[[nodiscard]] bool loadAndCompileFile(YThread* thread, const char* name);
// The same for a stream (deleted by the caller); a null or empty stream ends the program.
[[nodiscard]] bool loadAndCompileStream(YThread* thread, OMIStream* stream);
// The same for bytes already in memory (the body of every path above).
[[nodiscard]] bool loadAndCompileBytes(YThread* thread, const std::uint8_t* data, std::size_t size);

// Shows the fatal loader message and ends the program with exit code 1.
[[noreturn]] void scriptLoadFailed(const char* message);

// The developer's file dialog: the chosen path in nameOut (size bytes), empty when cancelled.
void chooseScriptFile(char* nameOut, std::size_t size, std::int32_t save);

// A script command: its name and its owned link.
struct YFunctionRecord {
    YFunctionRecord(const char* functionName, const OMLink* called);
    YFunctionRecord(const YFunctionRecord&) = delete;
    YFunctionRecord& operator=(const YFunctionRecord&) = delete;
    ~YFunctionRecord();

    char* name;
    OMLink* link;
};

// The first registration of a name wins.
void registerScriptFunction(const char* name, const OMLink* link);
YFunctionRecord* findScriptFunction(const char* name);
void clearScriptFunctions();

// RESULT becomes the integer n.
void setResultVariable(std::int32_t n);
// Appends text and a line end to "debug.txt" in the current folder; the line is lost when it cannot open.
void appendDebugLine(const char* text);
// User activity: every thread's idle count starts again.
void resetScriptIdleTimers();
