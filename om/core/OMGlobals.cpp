// The object model's state record, the pointer through which every module reaches it, and the plug-in side
// of sharing it.
#include "OMGlobals.h"
#include "OMPlugin.h"

namespace {

OMGlobals ownGlobals = {nullptr, nullptr, 1, nullptr, nullptr, nullptr, {}, 0, nullptr, nullptr};

}  // namespace

OMGlobals* omGlobalsInUse = &ownGlobals;

void omShareGlobals(OMGlobals* program) { omGlobalsInUse = program ? program : &ownGlobals; }

bool omAttachToProgram(OMGlobals* program, std::uint32_t version) {
    if (!program || version != kOMPluginInterfaceVersion) return false;
    omShareGlobals(program);
    return true;
}
