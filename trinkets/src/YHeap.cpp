// The global table of script variables: predefined entries, lookup by name, dotted families, bulk clears.
#include "YHeap.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "OMScriptableObject.h"
#include "YVariable.h"

namespace {

constexpr std::int32_t kGrowth = 128;

// A counted name holding a NUL matches nothing; it is checked first, since strncmp stops at that NUL
// and the stored name may be shorter than length.
bool sameName(const YVariable* v, const char* name, std::int32_t length) {
    return std::memchr(name, '\0', static_cast<std::size_t>(length)) == nullptr &&
           std::strncmp(v->name, name, static_cast<std::size_t>(length)) == 0 && v->name[length] == '\0';
}

bool isProcedure(const YVariable* v) { return v->valueText && v->valueText[0] == '+'; }

}  // namespace

YHeap& scriptHeap() {
    static YHeap heap;
    return heap;
}

void YHeap::init() {
    if (initialised) return;
    capacity = 3;
    count = 0;
    entries = new YVariable*[static_cast<std::size_t>(capacity)];
    initialised = 1;
    at(findOrAdd("SYSTEM", 6, "WIN"))->mark = kYBorrows;
    YVariable* receiver = at(findOrAdd("RECEIVER", 8, nullptr));
    receiver->mark = kYAlias;
    receiver->heapIndex = 0;
    findOrAdd("RESULT", 6, nullptr);
}

void YHeap::clear() {
    if (!initialised) return;
    // The fields are reset first: a deleted object that looks a variable up finds an empty table.
    YVariable** gone = entries;
    const std::int32_t n = count;
    initialised = capacity = count = 0;
    entries = nullptr;
    for (std::int32_t i = 0; i < n; ++i) delete gone[i];
    delete[] gone;
    cursor = 0;
    memberCursor = -1;
    iteratedObject = nullptr;
}

std::int32_t YHeap::find(const char* name, std::int32_t length) const {
    if (!initialised || !name || length < 0) return -1;
    for (std::int32_t i = 0; i < count; ++i) {
        if (sameName(entries[i], name, length)) return i;
    }
    return -1;
}

YVariable* YHeap::at(std::int32_t index) const {
    return initialised && index >= 0 && index < count ? entries[index] : nullptr;
}

std::int32_t YHeap::append(YVariable* variable) {
    if (!initialised || !variable || full()) return -1;
    if (count == capacity) {
        auto** grown = new YVariable*[static_cast<std::size_t>(capacity + kGrowth)];
        std::memcpy(grown, entries, sizeof(YVariable*) * static_cast<std::size_t>(count));
        delete[] entries;
        entries = grown;
        capacity += kGrowth;
    }
    entries[count] = variable;
    return count++;
}

std::int32_t YHeap::findOrAdd(const char* name, std::int32_t length, const char* initialText) {
    if (!initialised) return 0;
    const std::int32_t found = find(name, length);
    if (found >= 0 || full()) return found;
    auto* added = new YVariable(name, length, initialText);
    fillFamily(added, name, length);
    return append(added);
}

// A new base takes the first existing member "name.N" (N after the last ".") and the highest N.
void YHeap::fillFamily(YVariable* added, const char* name, std::int32_t length) const {
    for (std::int32_t i = 0; i < count; ++i) {
        const YVariable* v = entries[i];
        if (v->typeTag != kYPlain || std::strncmp(v->name, name, static_cast<std::size_t>(length)) != 0) continue;
        const char* lastDot = std::strrchr(v->name, '.');
        if (lastDot != v->name + length) continue;
        if (added->heapIndex == 0) added->heapIndex = i;
        const auto suffix = static_cast<std::int32_t>(std::atol(lastDot + 1));
        if (suffix > added->highestMember) added->highestMember = suffix;
    }
}

std::int32_t YHeap::findOrAddTyped(const char* text, std::int32_t length, std::int32_t tag) {
    if (!initialised) return 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const YVariable* v = entries[i];
        if (v->typeTag == tag && sameName(v, text, length) && (tag != kYLiteral || v->lengthField == length)) return i;
    }
    if (full()) return -1;
    return append(new YVariable(text, length, tag));
}

std::int32_t YHeap::addMember(std::int32_t index) {
    YVariable* base = at(index);
    if (!base) return 0;
    if (base->heapIndex == 0) base->heapIndex = count;
    ++base->highestMember;
    const std::string member = std::string(base->name) + "." + std::to_string(base->highestMember);
    return findOrAdd(member.c_str(), static_cast<std::int32_t>(member.size()), nullptr);
}

std::int32_t YHeap::indexOfVariable(const YVariable* variable) const {
    if (!initialised || !variable) return -1;
    for (std::int32_t i = 0; i < count; ++i) {
        if (entries[i]->typeTag == variable->typeTag && std::strcmp(entries[i]->name, variable->name) == 0) return i;
    }
    return -1;
}

const char* YHeap::textOf(const char* name) {
    YVariable* v = at(findOrAdd(name, static_cast<std::int32_t>(std::strlen(name)), nullptr));
    if (!initialised || !v) return nullptr;
    std::int32_t length = 0;
    return v->textPointer(&length);
}

const char* YHeap::addObjectMember(const char* name, OMScriptableObject* object) {
    if (!initialised) return "";
    YVariable* member = at(addMember(findOrAdd(name, static_cast<std::int32_t>(std::strlen(name)), nullptr)));
    if (!member) return "";
    member->setObject(object);
    return member->name;
}

std::int32_t YHeap::setObjectByName(const char* name, OMScriptableObject* object) {
    if (!initialised) return 0;
    const std::int32_t index = findOrAdd(name, static_cast<std::int32_t>(std::strlen(name)), nullptr);
    if (YVariable* v = at(index)) v->setObject(object);
    return index;
}

std::int32_t YHeap::intValue(const char* name, std::int32_t borrow) {
    if (!initialised || !name) return 0;
    YVariable* v = at(find(name, static_cast<std::int32_t>(std::strlen(name))));
    if (!v) return 0;
    OMScriptableObject* object = nullptr;
    v->getObject(&object);
    if (object && borrow) v->mark = kYBorrows;
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(object));
}

const char* YHeap::findObjectVariable(const OMScriptableObject* object, std::int32_t* indexOut) const {
    for (std::int32_t i = 0; initialised && i < count; ++i) {
        const YVariable* v = entries[i];
        if (v->kind == kYObject && v->value.object == object && v->mark == kYOwns) {
            if (indexOut) *indexOut = i;
            return v->name;
        }
    }
    return nullptr;
}

bool YHeap::isDirectMember(const YVariable* base, const YVariable* candidate) const {
    const std::size_t length = std::strlen(base->name);
    return std::strncmp(candidate->name, base->name, length) == 0 && candidate->name[length] == '.' &&
           std::strchr(candidate->name + length + 1, '.') == nullptr;
}

void YHeap::clearMembers(std::int32_t index) {
    const YVariable* base = at(index);
    if (!base) return;
    for (std::int32_t i = 0; i < count; ++i) {
        if (isDirectMember(base, entries[i])) entries[i]->setText(nullptr, -2);
    }
}

void YHeap::releaseObjects(std::int32_t deleteOwned) {
    for (std::int32_t i = 0; initialised && i < count; ++i) {
        YVariable* v = entries[i];
        if (v->kind == kYObject && v->mark == kYOwns) v->setText(nullptr, deleteOwned ? -2 : -3);
    }
}

std::int32_t YHeap::clearObjectHolders(const OMScriptableObject* object, std::int32_t deleteOwned) {
    std::int32_t firstWasPlain = 0;
    bool first = true;
    for (std::int32_t i = 0; initialised && i < count; ++i) {
        YVariable* v = entries[i];
        if (v->kind != kYObject || v->value.object != object) continue;
        if (first) {
            firstWasPlain = v->mark != kYAlias;
            v->setText(nullptr, deleteOwned ? -2 : -3);
            first = false;
        } else {
            v->setText(nullptr, -3);
        }
    }
    return firstWasPlain;
}

bool YHeap::save(std::FILE* file) const {
    for (std::int32_t i = kYPredefined; initialised && i < count; ++i) {
        if (!saveVariable(entries[i], file)) return false;
    }
    return true;
}

const char* YHeap::scanProcedures() {
    for (; initialised && cursor < count; ++cursor) {
        if (isProcedure(entries[cursor])) return entries[cursor++]->name;
    }
    return nullptr;
}

const char* YHeap::firstProcedure() {
    cursor = 0;
    return scanProcedures();
}

const char* YHeap::nextProcedure() { return scanProcedures(); }

const char* YHeap::scanObjects() {
    iteratedObject = nullptr;
    for (; initialised && cursor < count; ++cursor) {
        const YVariable* v = entries[cursor];
        if (v->typeTag != kYPlain || isProcedure(v) || v->mark != kYOwns) continue;
        if (objectKind != 0 && v->kind != objectKind) continue;
        if (objectKind == kYObject) iteratedObject = v->value.object;
        return entries[cursor++]->name;
    }
    return nullptr;
}

const char* YHeap::firstObject(std::int32_t kind) {
    cursor = kYResult;
    objectKind = kind;
    return scanObjects();
}

const char* YHeap::nextObject() { return scanObjects(); }

YVariable* YHeap::firstMember(std::int32_t index) {
    const YVariable* base = at(index);
    memberCursor = base && base->heapIndex > 0 ? base->heapIndex : -1;
    return nextMember();
}

// Members are taken to be contiguous from the family's first member; the walk ends with the table.
YVariable* YHeap::nextMember() {
    if (memberCursor < 0 || memberCursor >= count) return nullptr;
    return entries[memberCursor++];
}
