// Death interest: parties that keep pointers to objects are told when those objects are destroyed.
#pragma once

#include <cstdint>

#include "OMLink.h"

// Afterwards, when object dies, link is invoked with object (interested is the key of the interest).
void registerDeathInterest(void* object, void* interested, const OMLink* link);
void unregisterDeathInterest(void* object, void* interested);
// Tells every interested party of object, in registration order, then forgets the object.
void notifyDeath(void* object);
// Hooks notifyDeath into the death hooks of the classes that report deaths, and takes it out again.
void installDeathHooks();
void removeDeathHooks();

// A class-wide death hook: the class's destructor calls notify with the dying object.
class YClassDeathHook {
public:
    // Frees the stored link and stores a clone of link (null: none).
    void set(const OMLink* link) { replaceLink(link_, link); }
    OMLink* link() const { return link_; }
    void notify(void* dying) const {
        if (link_) link_->invokeWith(reinterpret_cast<OMArg>(dying));
    }

private:
    OMLink* link_ = nullptr;
};

// The death hooks of the classes that report deaths, in the order in which they are installed:
// actions, multi-part display objects, animations, puzzles, texts. Each class's setDeathHook stores here.
YClassDeathHook& actionDeathHook();
YClassDeathHook& multiTrinketDeathHook();
YClassDeathHook& animationDeathHook();
YClassDeathHook& puzzleDeathHook();
YClassDeathHook& textDeathHook();

// The switch that display objects read when they limit a move (initially 1).
std::int32_t corralTrinketNormalization();

// Script commands: "RandomNumber" (low, high, exclude) and "SetCorralTrinketNormalization" (flag).
void randomNumberCommand(OMArg);
void setCorralTrinketNormalizationCommand(OMArg);
// The run-time's random number modulo n, moved on by one when it equals exclude; 0 when n < 1.
std::int32_t randomIndexExcept(std::int32_t n, std::int32_t exclude);
