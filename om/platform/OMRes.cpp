// Resource files, resources, the type-name table and the enumerations.
#include "OMRes.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "OMApp.h"
#include "OMAppInitTerm.h"
#include "OMSearchPath.h"

namespace {

struct ResTypeRow {
    const char* name;
    std::uintptr_t type;
};

// Searched in this order; "CURSOR" and "ICON" stand for the group types.
constexpr ResTypeRow kResTypes[] = {
    {"CURSOR", 12}, {"BITMAP", 2}, {"ICON", 14},    {"MENU", 4},         {"DIALOG", 5},
    {"STRING", 6},  {"FONTDIR", 7}, {"FONT", 8},    {"ACCELERATOR", 9},  {"RCDATA", 10},
};

OMResFile* defaultResFile = nullptr;
std::vector<OMResFileResID> enumeratedIds;
std::vector<std::string> enumeratedTypeNames;
std::vector<char*> enumeratedTypes;

void freeResourceModule() {
    enumeratedIds = {};
    enumeratedTypeNames = {};
    enumeratedTypes = {};
    delete defaultResFile;
    defaultResFile = nullptr;
}

OMAppInitTerm resourceRecord{nullptr, freeResourceModule};

struct ResourceRegistration {
    ResourceRegistration() { registerInitTerm(&resourceRecord); }
} resourceRegistration;

// Loads a named module with no system error box.
HMODULE loadModule(const char* path) {
    const UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path);
    SetErrorMode(previous);
    return module;
}

BOOL CALLBACK collectId(HMODULE, LPCSTR, LPSTR resourceName, LONG_PTR) {
    if (IS_INTRESOURCE(resourceName)) {
        enumeratedIds.push_back(static_cast<OMResFileResID>(reinterpret_cast<std::uintptr_t>(resourceName) & 0x7FFF));
    }
    return TRUE;
}

BOOL CALLBACK collectType(HMODULE, LPSTR type, LONG_PTR) {
    LPCSTR named = resTypeName(type);
    if (!IS_INTRESOURCE(named)) enumeratedTypeNames.emplace_back(named);
    return TRUE;
}

}  // namespace

OMList<OMResFile>& openResFiles() {
    static OMList<OMResFile> files;
    return files;
}

LPCSTR resTypeFromName(const char* name) {
    if (!name) return nullptr;
    for (const ResTypeRow& row : kResTypes) {
        if (std::strcmp(row.name, name) == 0) return MAKEINTRESOURCEA(row.type);
    }
    return name;
}

LPCSTR resTypeName(LPCSTR type) {
    if (!IS_INTRESOURCE(type)) return type;
    for (const ResTypeRow& row : kResTypes) {
        if (reinterpret_cast<std::uintptr_t>(type) == row.type) return row.name;
    }
    return type;
}

OMResFile::OMResFile(const char* fileName) {
    openResFiles().append(this);
    if (!fileName || !*fileName) return;
    std::unique_ptr<char[]> path = resolvePath(fileName);
    if (!path) {
        status = kResFileNotFound;
        return;
    }
    module = loadModule(path.get());
    if (!module) {
        status = kResFileNoModule;
        return;
    }
    name.reset(new char[std::strlen(fileName) + 1]);
    std::strcpy(name.get(), fileName);
}

OMResFile::~OMResFile() {
    openResFiles().remove(this);
    name.reset();
    if (module && !resources.head) FreeLibrary(module);
    // Resources that outlive their file keep the module loaded and forget the file.
    for (OMListElement<OMRes>* n = resources.head; n; n = n->next) n->element->file = nullptr;
    resources.clear(false);
}

HMODULE OMResFile::effectiveModule() const { return module ? module : appInstance(); }

void OMResFile::enumResourceIDs(const char* typeName, OMResFileResID** ids, std::int32_t* count) {
    enumeratedIds.clear();
    EnumResourceNamesA(effectiveModule(), resTypeFromName(typeName), collectId, 0);
    *count = static_cast<std::int32_t>(enumeratedIds.size());
    *ids = enumeratedIds.empty() ? nullptr : enumeratedIds.data();
}

void OMResFile::enumResourceTypes(char*** names, std::int32_t* count) {
    enumeratedTypeNames.clear();
    enumeratedTypes.clear();
    EnumResourceTypesA(effectiveModule(), collectType, 0);
    for (std::string& typeName : enumeratedTypeNames) enumeratedTypes.push_back(typeName.data());
    *count = static_cast<std::int32_t>(enumeratedTypes.size());
    enumeratedTypes.push_back(nullptr);
    *names = *count > 0 ? enumeratedTypes.data() : nullptr;
}

OMRes::OMRes(std::uint16_t id, const char* typeName, OMResFile* resFile) : file(resFile) {
    if (!file) {
        if (!defaultResFile) defaultResFile = new OMResFile(nullptr);
        file = defaultResFile;
    }
    file->resources.append(this);
    if (file->status != kResFileUsable) return;
    HMODULE module = file->effectiveModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), resTypeFromName(typeName));
    if (!found) return;
    handle = LoadResource(module, found);
    if (!handle) return;
    size = SizeofResource(module, found);
    status = kResLoaded;
}

OMRes::~OMRes() {
    if (file) file->resources.remove(this);
    if (handle && lockCount == 0) FreeResource(handle);
}

std::int32_t OMRes::lock(void** data) {
    status = kResNotLoaded;
    *data = nullptr;
    if (!handle) return status;
    ++lockCount;
    if (void* bytes = LockResource(handle)) {
        status = kResLoaded;
        *data = bytes;
    }
    return status;
}

std::int32_t OMRes::unlock() {
    status = kResUnbalanced;
    if (!handle) return status;
    if (--lockCount >= 0) status = kResLoaded;
    return status;
}

bool OMRes::isLocked() {
    if (!handle) {
        status = kResNotLoaded;
        return false;
    }
    status = kResLoaded;
    return lockCount > 0;
}

OMRes::QueryResult OMRes::query(std::uint16_t id, const char* typeName, OMResFile* resFile) {
    const OMRes probe(id, typeName, resFile);
    if (probe.status != kResLoaded) return {0, 0};
    return {1, probe.size};
}
