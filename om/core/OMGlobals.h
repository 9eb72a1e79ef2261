// The object model's program-wide state, kept in one record so that class plug-ins share the program's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OMList.h"

class OMSR;
class OMSParameter;
class OMScriptableObject;
class OMTask;
struct OMClassLibraryLoader;

// Size of the buffer into which data-property getters write their text (at most 255 characters).
constexpr std::size_t kResultBufferSize = 256;

// Trivially destructible on purpose: a plug-in unloaded after the program's static records are gone
// still finds the record itself (with null lists) and touches nothing freed.
struct OMGlobals {
    // The class registry and the record the last findClass found (null when it failed).
    OMList<OMSR>* registry;
    OMSR* currentClass;
    std::int32_t autoload;
    OMScriptableObject* born;
    // The call-parameter list and its cursor; they live as long as the registry.
    OMList<OMSParameter>* parameters;
    OMListLocator<OMSParameter>* cursor;
    char result[kResultBufferSize];
    // 1 while setProperty or invokeMethod runs a property operation: events are dropped then.
    std::int32_t inCall;
    // The application's task list, while the application object exists.
    OMList<OMTask>* tasks;
    // How class plug-in libraries are loaded; null = there is no loader and autoload finds nothing.
    const OMClassLibraryLoader* loader;
};

// The state in use: the program's own, or the program's as handed to a plug-in by omShareGlobals. Read
// on every property call, so the reading is inline.
extern OMGlobals* omGlobalsInUse;
inline OMGlobals& omGlobals() { return *omGlobalsInUse; }
// Makes this module use `program` from now on (a plug-in calls it when it attaches).
void omShareGlobals(OMGlobals* program);
