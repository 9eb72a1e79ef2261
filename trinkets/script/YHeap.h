// The one global table of script variables, addressed by index; entries 0-2 are SYSTEM, RECEIVER, RESULT.
#pragma once

#include <cstdint>
#include <cstdio>

#include "YHeapIndex.h"

class OMScriptableObject;
class YVariable;

constexpr std::int32_t kYSystem = 0;
constexpr std::int32_t kYReceiver = 1;
constexpr std::int32_t kYResult = 2;
constexpr std::int32_t kYPredefined = 3;
// Indices are stored as signed 16-bit operands, so the table holds at most this many entries.
constexpr std::int32_t kYHeapLimit = 32767;

class YHeap {
public:
    void init();
    void clear();

    // Indices are 16-bit operands: beyond kYHeapLimit + 1 entries nothing more is added (index -1).
    bool full() const { return count > kYHeapLimit; }
    std::int32_t find(const char* name, std::int32_t length) const;
    YVariable* at(std::int32_t index) const {
        return initialised && index >= 0 && index < count ? entries[index] : nullptr;
    }
    std::int32_t findOrAdd(const char* name, std::int32_t length, const char* initialText);
    std::int32_t findOrAddTyped(const char* text, std::int32_t length, std::int32_t tag);
    std::int32_t addMember(std::int32_t index);
    // Takes the variable over: a variable the full heap refuses is deleted (index -1).
    std::int32_t append(YVariable* variable);
    std::int32_t indexOfVariable(const YVariable* variable) const;
    const char* textOf(const char* name);
    const char* addObjectMember(const char* name, OMScriptableObject* object);
    std::int32_t setObjectByName(const char* name, OMScriptableObject* object);
    std::int32_t intValue(const char* name, std::int32_t borrow);
    const char* findObjectVariable(const OMScriptableObject* object, std::int32_t* indexOut) const;

    void clearMembers(std::int32_t index);
    void releaseObjects(std::int32_t deleteOwned);
    std::int32_t clearObjectHolders(const OMScriptableObject* object, std::int32_t deleteOwned);
    [[nodiscard]] bool save(std::FILE* file) const;

    const char* firstProcedure();
    const char* nextProcedure();
    const char* firstObject(std::int32_t kind);
    const char* nextObject();
    OMScriptableObject* currentObject() const { return iteratedObject; }
    YVariable* firstMember(std::int32_t index);
    YVariable* nextMember();

    std::int32_t initialised = 0;
    std::int32_t capacity = 0;
    std::int32_t count = 0;
    YVariable** entries = nullptr;

private:
    void fillFamily(YVariable* added, const char* name, std::int32_t length) const;
    bool isDirectMember(const YVariable* base, const YVariable* candidate) const;
    const char* scanProcedures();
    const char* scanObjects();

    std::int32_t cursor = 0;
    std::int32_t objectKind = 0;
    OMScriptableObject* iteratedObject = nullptr;
    std::int32_t memberCursor = -1;
    YHeapIndex index_;
};

// The one table; reached on every operand, so inline.
inline YHeap& scriptHeap() {
    static YHeap heap;
    return heap;
}
