// Resource modules and their resources, found by a 16-bit id and a type name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "OMList.h"

class OMRes;

// OMResFile status words.
inline constexpr std::int32_t kResFileUsable = 0;
inline constexpr std::int32_t kResFileNoModule = 5;
inline constexpr std::int32_t kResFileNotFound = 7;

// OMRes status words.
inline constexpr std::int32_t kResLoaded = 0;
inline constexpr std::int32_t kResNotFound = 1;
inline constexpr std::int32_t kResNotLoaded = 3;
inline constexpr std::int32_t kResUnbalanced = 4;

// The system type for a type name: one of the ten standard names ("CURSOR", "BITMAP", "ICON", "MENU",
// "DIALOG", "STRING", "FONTDIR", "FONT", "ACCELERATOR", "RCDATA"; compared case-sensitively) gives its
// numbered type, any other name is itself a named type.
LPCSTR resTypeFromName(const char* name);
// The reverse: a numbered type of the table gives its name; any other type is returned unchanged.
LPCSTR resTypeName(LPCSTR type);

using OMResFileResID = std::uint16_t;

// One loaded module (or the program's own when `module` is null). Modules named at construction are
// looked up on the search path and stay loaded until the file is deleted with no OMRes left.
class OMResFile {
public:
    explicit OMResFile(const char* fileName);
    OMResFile(const OMResFile&) = delete;
    OMResFile& operator=(const OMResFile&) = delete;
    ~OMResFile();

    // The module resources are read from: `module`, or the program's own.
    HMODULE effectiveModule() const;

    // The integer ids of the resources of one type (bit 15 cleared), in enumeration order. The array
    // belongs to this module and is replaced by the next call; null when `count` is 0.
    void enumResourceIDs(const char* typeName, OMResFileResID** ids, std::int32_t* count);
    // The module's named types and table types (as names), followed by a null entry; owned as above.
    void enumResourceTypes(char*** names, std::int32_t* count);

    OMList<OMRes> resources;
    std::int32_t status = kResFileUsable;
    HMODULE module = nullptr;
    // The name given at construction, kept only when the module was loaded.
    std::unique_ptr<char[]> name;
};

// One resource of a file, loaded at construction. lock/unlock only count; the resource is released
// when the OMRes is deleted with a zero lock count.
class OMRes {
public:
    // A null file means the shared file of the program's own module.
    OMRes(std::uint16_t id, const char* typeName, OMResFile* resFile);
    OMRes(const OMRes&) = delete;
    OMRes& operator=(const OMRes&) = delete;
    ~OMRes();

    // Returns the new status; data receives the resource's bytes, or null.
    [[nodiscard]] std::int32_t lock(void** data);
    [[nodiscard]] std::int32_t unlock();
    bool isLocked();

    struct QueryResult {
        std::int32_t found;
        std::uint32_t size;
    };
    static QueryResult query(std::uint16_t id, const char* typeName, OMResFile* resFile);

    std::int32_t status = kResNotFound;
    HGLOBAL handle = nullptr;
    std::int32_t lockCount = 0;
    // Null once the file was deleted before this resource.
    OMResFile* file;
    std::uint32_t size = 0;
};

// Every OMResFile alive, in order of construction.
OMList<OMResFile>& openResFiles();
