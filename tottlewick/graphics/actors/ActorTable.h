// Inside the actors: the one table (kept locked while it exists) and the module's globals.
#pragma once

#include "Actor.h"

struct ActorTable {
    MemHandle handle = 0;
    Actor* entries = nullptr;
    std::int16_t count = 0;
    std::int16_t pressed = -1;  // index of the pressed actor
    std::uint32_t flashDelay = 500;
    Rect dragLimits{0, 0, 640, 480};
    bool dragging = false;
    std::uint32_t dragLast = 0;
    Rect dragBox{};  // where the mouse point may go while dragging
};

ActorTable& actorTable();
// The entry with that id, null when none.
Actor* actorById(std::uint32_t id);
Actor* actorPressed();
bool actorHas(const Actor* entry, std::uint16_t flag);
void actorSetFlags(Actor* entry, std::uint16_t mask, bool on);
// Makes the actor draggable: press, tick and release procedures.
void actorInstallDrag(std::uint32_t id);
std::int16_t pointX(std::uint32_t point);
std::int16_t pointY(std::uint32_t point);
