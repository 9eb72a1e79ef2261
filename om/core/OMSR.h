// The class registry: one record per scriptable class, lookup by name, creation by name, plug-in loading.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OMLink.h"
#include "OMSParameter.h"

class OMScriptableObject;

// Longest class or library file name, with its terminating zero (so ".lrn" is appended to at most 123).
constexpr std::size_t kClassNameBufferSize = 128;
// Longest parameter text that createObjectFromText takes, with its terminating zero.
constexpr std::size_t kParameterTextBufferSize = 256;

// One registered class. Each class owns one static record; the record enters the registry when it is
// constructed and leaves it when destroyed; the last one to leave frees the registry and the parameter list.
class OMSR {
public:
    using Factory = OMScriptableObject* (*)();

    OMSR(const char* name, Factory make);
    OMSR(const OMSR&) = delete;
    OMSR& operator=(const OMSR&) = delete;
    ~OMSR();

    // Rewinds the parameter cursor and calls the factory.
    OMScriptableObject* construct() const;
    // Releases the plug-in library that holds the class (the handle is kept).
    void freeLibrary() const;

    const char* className;
    Factory factory;
    void* library = nullptr;
    OMLink* creationHandler = nullptr;
};

// How plug-in libraries reach the program: the platform layer fills this in (installClassLibraryLoader).
struct OMClassLibraryLoader {
    // Loads the file and lets it register its classes; the library's handle, or null.
    void* (*load)(const char* fileName);
    void (*release)(void* library);
    // Calls each(entry) for the plug-in files of the current folder, from the last listed to the first.
    void (*listLibraries)(void (*each)(const char* fileName));
};

void setClassLibraryLoader(const OMClassLibraryLoader* loader);

// 1 when the class is registered (loading its plug-in first when autoload is on); sets the current class.
std::int32_t findClass(const char* className);
std::int32_t classExists(const char* className);
// Loads the plug-in of one class ("Name" from "Name.lrn", or "Name.ext" from that file), or with a null
// name every "*.lrn" of the current folder. A library that registers no class of that name is released.
void loadClassLibraries(const char* name);
// Releases the plug-in of one class, or of every class with a null name.
void freeClassLibraries(const char* name);
void setClassAutoload(std::int32_t on);
std::int32_t classAutoload();
// Stores a clone of link as the class's creation handler; 0 when the class is not registered.
std::int32_t bindClassEvent(const char* className, const OMLink* link);
OMScriptableObject* bornObject();

// Creation from parameter texts ended by kParameterEnd (or null). When the first text is the end, the
// parameter list is left as the caller filled it.
OMScriptableObject* createObjectWith(const char* className, const char* const* parameters);

template <class... Texts>
OMScriptableObject* createObject(const char* className, Texts... parameters) {
    const char* list[] = {parameters..., kParameterEnd};
    return createObjectWith(className, list);
}

// Creation with the blank-separated words of paramText as parameters ("double quotes" keep blanks).
// Null when either text is null or paramText has more than 255 characters.
OMScriptableObject* createObjectFromText(const char* className, const char* paramText);

// Replaces the parameter list with the texts up to the end marker, unless the first text is the marker.
void fillParameters(const char* const* parameters);
