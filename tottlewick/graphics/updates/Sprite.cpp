// The sprite list: creation and disposal, lookup by id, hiding, restacking, placing and drawing.
#include "Sprite.h"

#include "Canvas.h"
#include "Port.h"
#include "SpriteRecord.h"
#include "Update.h"

namespace {

SpriteState state{};

std::int16_t packedX(std::uint32_t point) { return std::int16_t(point & 0xFFFF); }
std::int16_t packedY(std::uint32_t point) { return std::int16_t(point >> 16); }

template <class Act>
std::int16_t withSprite(SpriteHandle sprite, Act act) {
    SpriteAccess access(sprite);
    if (!access) return 0;
    act(*access);
    return 1;
}

template <class Value>
std::int16_t getField(SpriteHandle sprite, Value* out, Value SpriteRecord::*field) {
    return withSprite(sprite, [&](const SpriteRecord& s) {
        if (out) *out = s.*field;
    });
}

// The count is of the sprites in the list: linking adds one, unlinking takes one away.
void linkAtHead(SpriteHandle sprite, SpriteRecord& record) {
    record.previous = 0;
    record.next = state.head;
    if (SpriteAccess old{state.head}) old->previous = sprite;
    state.head = sprite;
    ++state.count;
}

// A sprite is in the list when it is the head or has a newer one.
bool linked(SpriteHandle sprite, const SpriteRecord& record) { return record.previous || state.head == sprite; }

void unlink(SpriteHandle sprite, SpriteRecord& record) {
    if (!linked(sprite, record)) return;
    --state.count;
    if (!record.hidden) spriteMarkDirty(record);
    if (SpriteAccess newer{record.previous}) {
        newer->next = record.next;
    } else if (state.head == sprite) {
        state.head = record.next;
    }
    if (SpriteAccess older{record.next}) older->previous = record.previous;
    record.previous = 0;
    record.next = 0;
}

// A change of look or place: a visible sprite's old and new frames are marked dirty.
template <class Change>
std::int16_t change(SpriteHandle sprite, Change act) {
    return withSprite(sprite, [&](SpriteRecord& s) {
        if (!s.hidden) spriteMarkDirty(s);
        act(s);
        spritePlaceFrame(s);
        if (!s.hidden) spriteMarkDirty(s);
    });
}

std::int16_t setHidden(SpriteHandle sprite, std::uint16_t hidden) {
    return withSprite(sprite, [&](SpriteRecord& s) {
        if (s.hidden == hidden) return;
        s.hidden = hidden;
        spriteMarkDirty(s);
    });
}

std::int16_t setAllHidden(std::uint16_t hidden) {
    SpriteDragEnd();
    for (SpriteHandle s = state.head; s; s = spriteNext(s)) setHidden(s, hidden);
    return 0;
}

bool meets(const SpriteRecord& s, const Rect* clip) {
    Rect cut{};
    return !s.hidden && (!clip || RectIntersect(&cut, &s.frame, clip));
}

void draw(const SpriteRecord& s) { ShapeDraw(nullptr, s.bank, s.index, s.position.h, s.position.v, 0); }

}  // namespace

SpriteState& spriteState() { return state; }

void spriteMarkDirty(const SpriteRecord& sprite) { UpdateInvalRectOnce(&sprite.frame); }

void spritePlaceFrame(SpriteRecord& sprite) {
    ShapeGetFrameRect(&sprite.frame, sprite.bank, sprite.index, sprite.position.h, sprite.position.v, 0);
}

SpriteHandle spriteNext(SpriteHandle sprite) {
    SpriteAccess access(sprite);
    return access ? access->next : 0;
}

std::int16_t SpriteCreate(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::int16_t id) {
    const SpriteHandle sprite = MemHandleAllocFlags(sizeof(SpriteRecord), kMemZeroFill);
    SpriteAccess access(sprite);
    if (!access) return 1;
    access->bank = bank;
    access->index = index;
    access->position = {packedX(position), packedY(position)};
    access->id = id;
    spritePlaceFrame(*access);
    linkAtHead(sprite, *access);
    spriteMarkDirty(*access);
    return 0;
}

std::int16_t SpriteCreateAnon(std::uint32_t position, ShapeBank bank, std::uint16_t index) {
    return SpriteCreate(position, bank, index, -1);
}

// One lock per sprite passed: the id and the link to the next are read under the same access.
SpriteHandle SpriteFind(std::int16_t id) {
    for (SpriteHandle s = state.head; s;) {
        SpriteAccess access(s);
        if (!access) return 0;
        if (access->id == id) return s;
        s = access->next;
    }
    return 0;
}

SpriteHandle SpriteFindById(std::int16_t id) { return SpriteFind(id); }

std::int16_t SpriteDispose(std::int16_t id) {
    const SpriteHandle sprite = SpriteFind(id);
    if (!sprite) return 1;
    return SpriteDisposeHandle(sprite);
}

std::int16_t SpriteDisposeHandle(SpriteHandle sprite) {
    if (state.dragged == sprite) SpriteDragEnd();
    SpriteHandle freed = sprite;
    if (withSprite(sprite, [&](SpriteRecord& s) { unlink(sprite, s); })) MemHandleFree(&freed);
    return 0;
}

std::int16_t SpriteDisposeDragged() {
    if (!state.dragged) return 0;
    SpriteDisposeHandle(state.dragged);
    return 1;
}

std::int16_t SpriteDisposeAll() {
    SpriteDragEnd();
    for (SpriteHandle s = state.head; s;) {
        const SpriteHandle older = spriteNext(s);
        SpriteDisposeHandle(s);
        s = older;
    }
    return 0;
}

std::int16_t SpriteUnlink(SpriteHandle sprite) {
    withSprite(sprite, [&](SpriteRecord& s) { unlink(sprite, s); });
    return sprite ? 0 : 1;
}

std::int16_t SpriteDraw(std::int16_t id, const Rect* clip) {
    return withSprite(SpriteFind(id), [&](const SpriteRecord& s) {
        if (meets(s, clip)) draw(s);
    });
}

void SpriteDrawAll(const Rect* clip) {
    const Canvas port = PortGet();
    Rect saved{};
    CanvasGetClip(&saved, port);
    CanvasSetClip(port, clip);
    SpriteHandle s = SpriteGetTail();
    while (SpriteAccess access{s}) {
        if (meets(*access, clip)) draw(*access);
        s = access->previous;
    }
    CanvasSetClip(port, &saved);
}

SpriteHandle SpriteGetTail() {
    SpriteHandle tail = state.head;
    for (SpriteHandle s = tail; s; s = spriteNext(s)) tail = s;
    return tail;
}

std::uint16_t SpriteCount() { return state.count; }

std::int16_t SpriteHide(std::int16_t id) { return setHidden(SpriteFind(id), 1); }
std::int16_t SpriteShow(std::int16_t id) { return setHidden(SpriteFind(id), 0); }
std::int16_t SpriteHideHandle(SpriteHandle sprite) { return setHidden(sprite, 1); }
std::int16_t SpriteShowHandle(SpriteHandle sprite) { return setHidden(sprite, 0); }
std::int16_t SpriteHideAll() { return setAllHidden(1); }
std::int16_t SpriteShowAll() { return setAllHidden(0); }
std::int16_t SpriteIsHidden(std::int16_t id) { return SpriteIsHiddenHandle(SpriteFind(id)); }

std::int16_t SpriteIsHiddenHandle(SpriteHandle sprite) {
    SpriteAccess access(sprite);
    return access ? std::int16_t(access->hidden) : 0;
}

std::int16_t SpriteBringToFront(std::int16_t id) { return SpriteBringToFrontHandle(SpriteFind(id)); }
std::int16_t SpriteBringToFrontDragged() { return SpriteBringToFrontHandle(state.dragged); }

std::int16_t SpriteBringToFrontHandle(SpriteHandle sprite) {
    return withSprite(sprite, [&](SpriteRecord& s) {
        unlink(sprite, s);
        linkAtHead(sprite, s);
    });
}

std::int16_t SpriteSendToBack(std::int16_t id) { return SpriteSendToBackHandle(SpriteFind(id)); }
std::int16_t SpriteSendToBackDragged() { return SpriteSendToBackHandle(state.dragged); }

std::int16_t SpriteSendToBackHandle(SpriteHandle sprite) {
    SpriteAccess access(sprite);
    if (!access) return 0;
    if (state.count == 1) return 1;
    unlink(sprite, *access);
    const SpriteHandle tail = SpriteGetTail();
    SpriteAccess oldest(tail);
    if (!oldest) return 0;
    oldest->next = sprite;
    access->previous = tail;
    ++state.count;
    return 1;
}

std::int16_t SpriteSetPosition(std::int16_t id, std::uint32_t position) {
    return SpriteSetPositionHandle(SpriteFind(id), position);
}
std::int16_t SpriteSetPositionDragged(std::uint32_t position) {
    return SpriteSetPositionHandle(state.dragged, position);
}
std::int16_t SpriteSetPositionHandle(SpriteHandle sprite, std::uint32_t position) {
    return change(sprite, [&](SpriteRecord& s) { s.position = {packedX(position), packedY(position)}; });
}

std::int16_t SpriteSetShapeIndex(std::int16_t id, std::uint16_t index) {
    return SpriteSetShapeIndexHandle(SpriteFind(id), index);
}
std::int16_t SpriteSetShapeIndexDragged(std::uint16_t index) { return SpriteSetShapeIndexHandle(state.dragged, index); }
std::int16_t SpriteSetShapeIndexHandle(SpriteHandle sprite, std::uint16_t index) {
    return change(sprite, [&](SpriteRecord& s) { s.index = index; });
}

std::int16_t SpriteSetBank(std::int16_t id, ShapeBank bank) { return SpriteSetBankHandle(SpriteFind(id), bank); }
std::int16_t SpriteSetBankHandle(SpriteHandle sprite, ShapeBank bank) {
    return change(sprite, [&](SpriteRecord& s) { s.bank = bank; });
}

std::int16_t SpriteGetPositionHandle(SpriteHandle sprite, Point* out) {
    return getField(sprite, out, &SpriteRecord::position);
}
std::int16_t SpriteGetPosition(std::int16_t id, Point* out) { return SpriteGetPositionHandle(SpriteFind(id), out); }
std::int16_t SpriteGetPositionDragged(Point* out) { return SpriteGetPositionHandle(state.dragged, out); }

std::int16_t SpriteGetRectHandle(SpriteHandle sprite, Rect* out) { return getField(sprite, out, &SpriteRecord::frame); }
std::int16_t SpriteGetRect(std::int16_t id, Rect* out) { return SpriteGetRectHandle(SpriteFind(id), out); }
std::int16_t SpriteGetRectDragged(Rect* out) { return SpriteGetRectHandle(state.dragged, out); }

std::int16_t SpriteGetIdHandle(SpriteHandle sprite, std::int16_t* out) {
    return getField(sprite, out, &SpriteRecord::id);
}
std::int16_t SpriteGetId(std::int16_t id, std::int16_t* out) { return SpriteGetIdHandle(SpriteFind(id), out); }
std::int16_t SpriteGetIdDragged(std::int16_t* out) { return SpriteGetIdHandle(state.dragged, out); }

std::int16_t SpriteGetBankHandle(SpriteHandle sprite, ShapeBank* out) {
    return getField(sprite, out, &SpriteRecord::bank);
}
std::int16_t SpriteGetBank(std::int16_t id, ShapeBank* out) { return SpriteGetBankHandle(SpriteFind(id), out); }
std::int16_t SpriteGetBankDragged(ShapeBank* out) { return SpriteGetBankHandle(state.dragged, out); }

std::int16_t SpriteGetShapeIndexHandle(SpriteHandle sprite, std::uint16_t* out) {
    return getField(sprite, out, &SpriteRecord::index);
}
std::int16_t SpriteGetShapeIndex(std::int16_t id, std::uint16_t* out) {
    return SpriteGetShapeIndexHandle(SpriteFind(id), out);
}
std::int16_t SpriteGetShapeIndexDragged(std::uint16_t* out) { return SpriteGetShapeIndexHandle(state.dragged, out); }

std::int16_t SpriteIterBegin() {
    state.cursor = SpriteGetTail();
    return state.cursor ? 1 : 0;
}

std::int16_t SpriteIterNext(SpriteInfo* out) {
    SpriteAccess access(state.cursor);
    if (!access) return 0;
    if (out) *out = {state.cursor, access->bank, access->index, access->position, access->frame, access->id};
    state.cursor = access->previous;
    return 1;
}
