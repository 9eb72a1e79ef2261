// The font cache records, the three look-ups, release and substitutions.
#include "OMFontCache.h"

#include <cstring>

#include "OMFont.h"
#include "OMIStream.h"
#include "OMList.h"
#include "OMNFNTFont.h"
#include "OMTTFont.h"

namespace {

// A key with its name owned.
struct StoredKey {
    explicit StoredKey(const OMFontKey& key) : kind(key.kind), font(key.font), id(key.id), name(copyOfText(key.name)),
                                                style(key.style), size(key.size) {}
    OMFontKey key() const { return {kind, font, id, name.get(), style, size}; }

    std::int32_t kind;
    OMFont* font;
    std::uint16_t id;
    std::unique_ptr<char[]> name;
    std::int32_t style;
    std::int32_t size;
};

struct FontRecord {
    StoredKey key;
    OMFont* font;
    std::int32_t refCount;
};

struct SubstitutionRecord {
    StoredKey from;
    StoredKey to;
};

OMList<FontRecord>& fontCache() {
    static OMList<FontRecord> cache;
    return cache;
}

OMList<SubstitutionRecord>& fontSubstitutions() {
    static OMList<SubstitutionRecord> substitutions;
    return substitutions;
}

OMNFNTFontLoader nfntFontLoader = nullptr;

bool sameKey(const OMFontKey& a, const OMFontKey& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case kFontByPointer:
        return a.font == b.font;
    case kFontByID:
        return a.id == b.id;
    default:
        return a.name && b.name && std::strcmp(a.name, b.name) == 0 && a.style == b.style && a.size == b.size;
    }
}

OMFont* findByKey(const OMFontKey& key) {
    switch (key.kind) {
    case kFontByPointer:
        return findFontByPointer(key.font);
    case kFontByID:
        return findFontByID(key.id);
    default:
        return findFontByName(key.name, key.style, key.size);
    }
}

SubstitutionRecord* substitutionFor(const OMFontKey& key) {
    for (OMListElement<SubstitutionRecord>* n = fontSubstitutions().head; n; n = n->next) {
        if (sameKey(n->element->from.key(), key)) return n->element;
    }
    return nullptr;
}

// The cached font of `key` with one more reference, or null.
OMFont* sharedFont(const OMFontKey& key) {
    for (OMListElement<FontRecord>* n = fontCache().head; n; n = n->next) {
        FontRecord* record = n->element;
        const bool match = key.kind == kFontByPointer ? record->font == key.font : sameKey(record->key.key(), key);
        if (match) {
            ++record->refCount;
            return record->font;
        }
    }
    return nullptr;
}

OMFont* addRecord(const OMFontKey& key, OMFont* font) {
    fontCache().append(new FontRecord{StoredKey(key), font, 1});
    return font;
}

OMFont* systemFontStandIn() { return findFontByPointer(new OMSysFont()); }

// A bitmap font from the loader, or null when there is no loader, no data, or the data is refused.
OMFont* loadNFNTFont(std::uint16_t id) {
    if (!nfntFontLoader) return nullptr;
    std::unique_ptr<OMIStream> stream(nfntFontLoader(id));
    if (!stream) return nullptr;
    std::unique_ptr<OMNFNTFont> font(new OMNFNTFont(*stream));
    return font->status == NFNTStatus::built ? font.release() : nullptr;
}

}  // namespace

OMFont* findFontByID(std::uint16_t id) {
    const OMFontKey key = fontKeyForID(id);
    if (SubstitutionRecord* substitution = substitutionFor(key)) return findByKey(substitution->to.key());
    if (OMFont* cached = sharedFont(key)) return cached;
    if (OMFont* loaded = loadNFNTFont(id)) return addRecord(key, loaded);
    return systemFontStandIn();
}

OMFont* findFontByName(const char* name, std::int32_t style, std::int32_t size) {
    const OMFontKey key = fontKeyForName(name, style, size);
    if (SubstitutionRecord* substitution = substitutionFor(key)) return findByKey(substitution->to.key());
    if (OMFont* cached = sharedFont(key)) return cached;
    if (name && trueTypeFamilyInstalled(name)) {
        OMTTFont* font = new OMTTFont(name, nullptr, nullptr, nullptr);
        font->setStyle(style);
        font->setSize(size);
        return addRecord(key, font);
    }
    return systemFontStandIn();
}

OMFont* findFontByPointer(OMFont* font) {
    const OMFontKey key = fontKey(font);
    if (SubstitutionRecord* substitution = substitutionFor(key)) return findByKey(substitution->to.key());
    if (OMFont* cached = sharedFont(key)) return cached;
    return addRecord(key, font);
}

void releaseFont(OMFont* font) {
    for (OMListElement<FontRecord>* n = fontCache().head; n; n = n->next) {
        FontRecord* record = n->element;
        if (record->font != font) continue;
        if (--record->refCount == 0) {
            fontCache().remove(record);
            delete record->font;
            delete record;
        }
        return;
    }
}

void setNFNTFontLoader(OMNFNTFontLoader loader) { nfntFontLoader = loader; }

void addFontSubstitution(const OMFontKey& from, const OMFontKey& to) {
    if (SubstitutionRecord* earlier = substitutionFor(from)) {
        fontSubstitutions().remove(earlier);
        delete earlier;
    }
    fontSubstitutions().append(new SubstitutionRecord{StoredKey(from), StoredKey(to)});
}
