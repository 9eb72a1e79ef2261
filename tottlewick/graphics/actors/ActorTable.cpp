// The actor table: finding, adding (newest first, in one reallocation), removing, and the state flags.
#include <cstring>

#include "ActorTable.h"

namespace {

ActorTable table;

// Takes the entry's descriptor and starts its animation as its options say.
void initEntry(Actor* entry, const ActorDesc& desc) {
    *entry = Actor{};
    entry->desc = desc;
    entry->flags = kActorActive;
    entry->channel = kActorNoChannel;
    ActorInvalidate(entry);
    entry->anim.resId = desc.animId;
    if (!desc.animId) return;
    if (desc.animOptions & kActorAnimTimed) {
        AnimStartAt(&entry->anim, desc.x, desc.y);
    } else {
        AnimStartAtUntimed(&entry->anim, desc.x, desc.y);
    }
    if (desc.animOptions & kActorAnimPaused) AnimSetPaused(&entry->anim, 1);
    if (desc.animOptions & kActorAnimHidden) {
        AnimSetHidden(&entry->anim, 1);
        actorSetFlags(entry, kActorActive, false);
        actorSetFlags(entry, kActorHiddenFlag, true);
    }
}

// Dirty area, animation closed, sound stopped: what leaving the table does to an entry.
void releaseEntry(Actor* entry) {
    ActorInvalidate(entry);
    AnimSetPaused(&entry->anim, 0);
    AnimClose(&entry->anim);
    ActorStopSound(entry);
}

// No actor pressed, so none dragged: a dragged actor that leaves the table takes its drag with it.
void endPress() {
    table.pressed = -1;
    table.dragging = false;
}

void freeTable() {
    if (table.handle) {
        MemHandleUnlock(table.handle);
        MemHandleFree(&table.handle);
    }
    table.entries = nullptr;
    table.count = 0;
    endPress();
}

bool anyPresent(std::int16_t count, const ActorDesc* descs) {
    for (std::int16_t i = 0; i < count; ++i) {
        if (ActorFindIndex(descs[i].id) >= 0) return true;
        for (std::int16_t j = 0; j < i; ++j) {
            if (descs[j].id == descs[i].id) return true;
        }
    }
    return false;
}

}  // namespace

ActorTable& actorTable() { return table; }

Actor* actorById(std::uint32_t id) {
    const std::int16_t i = ActorFindIndex(id);
    return i < 0 ? nullptr : &table.entries[i];
}

Actor* actorPressed() { return table.pressed < 0 ? nullptr : &table.entries[table.pressed]; }

bool actorHas(const Actor* entry, std::uint16_t flag) { return (entry->flags & flag) != 0; }

void actorSetFlags(Actor* entry, std::uint16_t mask, bool on) {
    entry->flags = static_cast<std::uint16_t>(on ? entry->flags | mask : entry->flags & ~mask);
}

std::int16_t pointX(std::uint32_t point) { return static_cast<std::int16_t>(point & 0xFFFF); }
std::int16_t pointY(std::uint32_t point) { return static_cast<std::int16_t>(point >> 16); }

std::int16_t ActorFindIndex(std::uint32_t id) {
    for (std::int16_t i = 0; i < table.count; ++i) {
        if (table.entries[i].desc.id == id) return i;
    }
    return -1;
}

std::int16_t ActorAdd(const ActorDesc* desc) { return ActorAddMany(1, desc); }

std::int16_t ActorAddMany(std::int16_t count, const ActorDesc* descs) {
    if (count <= 0 || anyPresent(count, descs)) return 0;
    const std::int16_t total = static_cast<std::int16_t>(table.count + count);
    MemHandle grown = MemHandleAlloc(static_cast<std::uint32_t>(total) * sizeof(Actor));
    auto* entries = grown ? static_cast<Actor*>(MemHandleLock(grown)) : nullptr;
    if (!entries) {
        if (grown) MemHandleFree(&grown);
        return 0;
    }
    if (table.count) std::memcpy(static_cast<void*>(entries + count), table.entries, table.count * sizeof(Actor));
    const std::int16_t pressed = table.pressed;
    if (table.handle) {
        MemHandleUnlock(table.handle);
        MemHandleFree(&table.handle);
    }
    table.handle = grown;
    table.entries = entries;
    table.count = total;
    // The pressed actor moved behind the new ones.
    table.pressed = pressed < 0 ? pressed : static_cast<std::int16_t>(pressed + count);
    for (std::int16_t i = 0; i < count; ++i) initEntry(&entries[i], descs[i]);
    return 1;
}

std::int16_t ActorRemove(std::uint32_t id) {
    const std::int16_t i = ActorFindIndex(id);
    if (i < 0) return 0;
    if (table.count == 1) {
        ActorRemoveAll();
        return 1;
    }
    releaseEntry(&table.entries[i]);
    if (table.pressed == i) {
        endPress();
    } else if (table.pressed > i) {
        --table.pressed;
    }
    std::memmove(static_cast<void*>(&table.entries[i]), &table.entries[i + 1], (table.count - i - 1) * sizeof(Actor));
    --table.count;
    return 1;
}

void ActorRemoveAll() {
    for (std::int16_t i = 0; i < table.count; ++i) releaseEntry(&table.entries[i]);
    freeTable();
}

std::int16_t ActorHide(std::uint32_t id) {
    Actor* e = actorById(id);
    if (!e) return 0;
    ActorInvalidate(e);
    AnimSetHidden(&e->anim, 1);
    actorSetFlags(e, kActorActive, false);
    actorSetFlags(e, kActorHiddenFlag, true);
    return 1;
}

std::int16_t ActorShow(std::uint32_t id) {
    Actor* e = actorById(id);
    if (!e) return 0;
    actorSetFlags(e, kActorHiddenFlag, false);
    actorSetFlags(e, kActorActive, true);
    AnimSetHidden(&e->anim, 0);
    ActorInvalidate(e);
    return 1;
}

std::int16_t ActorSetActive(std::uint32_t id, std::int16_t on) {
    Actor* e = actorById(id);
    if (!e) return 0;
    actorSetFlags(e, kActorActive, on != 0);
    ActorStopSound(e);
    return 1;
}

void ActorSetActiveAll(std::int16_t on) {
    for (std::int16_t i = 0; i < table.count; ++i) {
        actorSetFlags(&table.entries[i], kActorActive, on != 0);
        if (!on) ActorStopSound(&table.entries[i]);
    }
}

std::int16_t ActorIsActive(std::uint32_t id) {
    const Actor* e = actorById(id);
    return e && actorHas(e, kActorActive) ? 1 : 0;
}

std::int16_t ActorSetFlagById(std::uint32_t id, std::uint16_t mask, std::int16_t on) {
    Actor* e = actorById(id);
    if (e) actorSetFlags(e, mask, on != 0);
    return e ? 1 : 0;
}

void ActorSetFlag(std::int16_t index, std::uint16_t mask, std::int16_t on) {
    if (index >= 0 && index < table.count) actorSetFlags(&table.entries[index], mask, on != 0);
}

void ActorSetFlagAll(std::uint16_t mask, std::int16_t on) {
    for (std::int16_t i = 0; i < table.count; ++i) actorSetFlags(&table.entries[i], mask, on != 0);
}
