// What a class plug-in library ("Name.lrn") must offer so that the program can load its classes.
//
// A plug-in is a 32-bit DLL named after a class it adds, with the extension ".lrn", linked with the
// object model core (om_core). It exports one function under the undecorated name "OMPluginAttach",
// with C linkage and the C calling convention:
//
//     extern "C" int OMPluginAttach(OMGlobals* program, std::uint32_t version)   // exported by a .def file
//     {
//         if (!omAttachToProgram(program, version)) return 0;
//         static OMSR tally("RTally", makeTally);   // one static record per class
//         return 1;
//     }
//
// The program calls it right after LoadLibraryA, before it looks the class up again. omAttachToProgram
// refuses a program built against another version of this contract, and otherwise makes the library use
// the program's registry, parameter list, result buffer and in-call flag. The records must be static
// objects constructed inside the entry (not at the library's start-up, when the library still has a state
// of its own): they then leave the registry when the library is released. A library without the entry,
// whose entry returns 0, or which registers no class of the name looked for, is released at once.
#pragma once

#include <cstdint>

#include "OMGlobals.h"

constexpr std::uint32_t kOMPluginInterfaceVersion = 1;
constexpr const char* kOMPluginAttachName = "OMPluginAttach";

using OMPluginAttachEntry = int (*)(OMGlobals* program, std::uint32_t version);

// The entry a plug-in defines (declared here for the plug-in's own source).
extern "C" int OMPluginAttach(OMGlobals* program, std::uint32_t version);

// The plug-in side of the entry: false (and nothing shared) when version differs or program is null.
[[nodiscard]] bool omAttachToProgram(OMGlobals* program, std::uint32_t version);
