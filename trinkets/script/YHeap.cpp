// The global table of script variables: predefined entries, lookup by name, dotted families, bulk clears.
#include "YHeap.h"

#include <cstring>
#include <string>

#include "OMScriptableObject.h"
#include "YVariable.h"

namespace {

constexpr std::int32_t kGrowth = 128;

// Stored names end at their first NUL, so a counted name holding a NUL names no entry.
bool holdsNul(const char* name, std::int32_t length) {
    return std::memchr(name, '\0', static_cast<std::size_t>(length)) != nullptr;
}

bool isProcedure(const YVariable* v) { return v->valueText && v->valueText[0] == '+'; }

}  // namespace

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
    index_.clear();
    for (std::int32_t i = 0; i < n; ++i) delete gone[i];
    delete[] gone;
    cursor = 0;
    memberCursor = -1;
    iteratedObject = nullptr;
}

std::int32_t YHeap::find(const char* name, std::int32_t length) const {
    if (!initialised || !name || length < 0 || holdsNul(name, length)) return -1;
    return index_.firstNamed(std::string(name, static_cast<std::size_t>(length)));
}

std::int32_t YHeap::append(YVariable* variable) {
    if (!initialised || !variable || full()) {
        delete variable;
        return -1;
    }
    if (count == capacity) {
        auto** grown = new YVariable*[static_cast<std::size_t>(capacity + kGrowth)];
        std::memcpy(grown, entries, sizeof(YVariable*) * static_cast<std::size_t>(count));
        delete[] entries;
        entries = grown;
        capacity += kGrowth;
    }
    entries[count] = variable;
    index_.add(variable, count);
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

// A new base takes the first existing plain member "name.N" (N after the last ".") and the highest N.
void YHeap::fillFamily(YVariable* added, const char* name, std::int32_t length) const {
    const YHeapIndex::Family* family = index_.family(std::string(name, static_cast<std::size_t>(length)));
    if (!family) return;
    if (added->heapIndex == 0) added->heapIndex = family->firstMember;
    if (family->highestMember > added->highestMember) added->highestMember = family->highestMember;
}

// A literal must also have that length; an entry of the name and tag that has not is passed over.
std::int32_t YHeap::findOrAddTyped(const char* text, std::int32_t length, std::int32_t tag) {
    if (!initialised) return 0;
    if (length >= 0 && !holdsNul(text, length)) {
        const std::string name(text, static_cast<std::size_t>(length));
        const auto matches = [&](const YVariable* v) {
            return v->typeTag == tag && name == v->name && (tag != kYLiteral || v->lengthField == length);
        };
        for (std::int32_t i = index_.firstTyped(tag, name); i >= 0 && i < count; ++i) {
            if (matches(entries[i])) return i;
        }
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
    if (!initialised || !variable || !variable->name) return -1;
    return index_.firstTyped(variable->typeTag, variable->name);
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

// The variable that owns the object deletes it, wherever it stands among the holders (RECEIVER, entry 1,
// holds without owning); it is cleared last, so no holder is left that reaches the object while it goes.
std::int32_t YHeap::clearObjectHolders(const OMScriptableObject* object, std::int32_t deleteOwned) {
    std::int32_t firstWasPlain = 0;
    bool first = true;
    std::int32_t owner = -1;
    for (std::int32_t i = 0; initialised && i < count; ++i) {
        YVariable* v = entries[i];
        if (v->kind != kYObject || v->value.object != object) continue;
        if (first) firstWasPlain = v->mark != kYAlias;
        first = false;
        if (deleteOwned && owner < 0 && v->mark == kYOwns) owner = i;
        else v->setText(nullptr, -3);
    }
    if (YVariable* v = at(owner)) v->setText(nullptr, -2);
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
