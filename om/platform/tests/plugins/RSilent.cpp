// A plug-in for tests that attaches but registers no class.
#include "OMPlugin.h"

int OMPluginAttach(OMGlobals* program, std::uint32_t version) { return omAttachToProgram(program, version) ? 1 : 0; }
