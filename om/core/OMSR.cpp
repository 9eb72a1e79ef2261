// The class registry, object creation by class name and plug-in loading through the installed loader.
#include "OMSR.h"

#include <cstring>
#include <string>
#include <vector>

#include "OMGlobals.h"
#include "OMScriptableObject.h"

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (lowerAscii(*a) != lowerAscii(*b)) return false;
    }
    return *a == *b;
}

// The first record of that name, letter case ignored.
OMSR* registered(const char* className) {
    OMList<OMSR>* registry = omGlobals().registry;
    if (!registry || !className) return nullptr;
    for (OMListElement<OMSR>* n = registry->head; n; n = n->next) {
        if (sameName(n->element->className, className)) return n->element;
    }
    return nullptr;
}

void loadListedLibrary(const char* fileName) { loadClassLibraries(fileName); }

void loadEveryLibrary() {
    const OMClassLibraryLoader* loader = omGlobals().loader;
    if (loader && loader->listLibraries) loader->listLibraries(loadListedLibrary);
}

// The record's name, parameters already in the list: construct, name and equip the object.
OMScriptableObject* constructCurrent() {
    OMSR* record = omGlobals().currentClass;
    if (!record) return nullptr;
    const char* name = record->className;
    OMScriptableObject* object = record->construct();
    if (!object) return nullptr;
    object->className = name;
    object->registerProperties();
    return object;
}

// Pushes the next word of text at *pos; returns false when it was the last one.
bool pushNextWord(const std::string& text, std::size_t& pos) {
    std::size_t end;
    std::size_t next;
    std::size_t start = pos;
    if (text[pos] == '"') {
        start = pos + 1;
        const std::size_t close = text.find('"', start);
        end = close == std::string::npos ? text.find(' ', start) : close;
        next = close == std::string::npos ? std::string::npos : text.find(' ', close + 1);
    } else {
        end = text.find(' ', pos);
        next = end;
    }
    const std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    (void)pushParameter(word.c_str());  // never null
    if (next == std::string::npos) return false;
    pos = next + 1;
    return true;
}

}  // namespace

OMSR::OMSR(const char* name, Factory make) : className(name), factory(make) {
    OMGlobals& g = omGlobals();
    if (!g.registry) g.registry = new OMList<OMSR>();
    createParameterList();
    g.registry->append(this);
}

OMSR::~OMSR() {
    OMGlobals& g = omGlobals();
    if (g.currentClass == this) g.currentClass = nullptr;
    if (g.registry) {
        g.registry->remove(this);
        if (g.registry->count == 0) {
            destroyParameterList();
            delete g.registry;
            g.registry = nullptr;
        }
    }
    delete creationHandler;
}

OMScriptableObject* OMSR::construct() const {
    rewindParameters();
    return factory ? factory() : nullptr;
}

void OMSR::freeLibrary() const {
    const OMClassLibraryLoader* loader = omGlobals().loader;
    if (library && loader && loader->release) loader->release(library);
}

void setClassLibraryLoader(const OMClassLibraryLoader* loader) { omGlobals().loader = loader; }

std::int32_t findClass(const char* className) {
    OMGlobals& g = omGlobals();
    g.currentClass = registered(className);
    if (!g.currentClass && className && g.autoload) {
        loadClassLibraries(className);
        g.currentClass = registered(className);
    }
    return g.currentClass ? 1 : 0;
}

std::int32_t classExists(const char* className) { return findClass(className); }

// Empty class names and names that do not fit the 128-byte buffers are refused; nothing is loaded for them.
void loadClassLibraries(const char* name) {
    if (!name) return loadEveryLibrary();
    const char* dot = std::strchr(name, '.');
    const std::string className = dot ? std::string(name, dot) : std::string(name);
    const std::string fileName = dot ? std::string(name) : className + ".lrn";
    if (className.empty() || className.size() >= kClassNameBufferSize || fileName.size() >= kClassNameBufferSize) {
        return;
    }
    if (registered(className.c_str())) return;
    const OMClassLibraryLoader* loader = omGlobals().loader;
    if (!loader || !loader->load) return;
    void* library = loader->load(fileName.c_str());
    if (!library) return;
    OMSR* record = registered(className.c_str());
    if (record) {
        record->library = library;
    } else if (loader->release) {
        loader->release(library);
    }
}

void freeClassLibraries(const char* name) {
    if (name) {
        if (OMSR* record = registered(name)) record->freeLibrary();
        return;
    }
    // Releasing a library destroys the records it holds, so the handles are gathered first.
    std::vector<void*> libraries;
    if (OMList<OMSR>* registry = omGlobals().registry) {
        for (OMListElement<OMSR>* n = registry->head; n; n = n->next) {
            if (n->element->library) libraries.push_back(n->element->library);
        }
    }
    const OMClassLibraryLoader* loader = omGlobals().loader;
    if (!loader || !loader->release) return;
    for (void* library : libraries) loader->release(library);
}

void setClassAutoload(std::int32_t on) { omGlobals().autoload = on; }

std::int32_t classAutoload() { return omGlobals().autoload; }

std::int32_t bindClassEvent(const char* className, const OMLink* link) {
    if (!findClass(className)) return 0;
    replaceLink(omGlobals().currentClass->creationHandler, link);
    return 1;
}

OMScriptableObject* bornObject() { return omGlobals().born; }

void fillParameters(const char* const* parameters) {
    if (isParameterEnd(parameters[0])) return;
    clearParameters();
    for (; !isParameterEnd(*parameters); ++parameters) (void)pushParameter(*parameters);
}

OMScriptableObject* createObjectWith(const char* className, const char* const* parameters) {
    if (!className) return nullptr;
    fillParameters(parameters);
    if (!findClass(className)) return nullptr;
    return constructCurrent();
}

OMScriptableObject* createObjectFromText(const char* className, const char* paramText) {
    if (!className || !paramText || std::strlen(paramText) >= kParameterTextBufferSize) return nullptr;
    clearParameters();
    const std::string text(paramText);
    std::size_t pos = 0;
    while (pushNextWord(text, pos)) {}
    if (!findClass(className)) return nullptr;
    return constructCurrent();
}
