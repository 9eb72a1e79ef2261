// Actors: the clickable things of an activity screen (buttons, hot areas, draggable pieces, characters
// playing an animation), all in one table whose entry 0 is the newest and topmost. Each has a normal
// image and optionally rollover and pressed images and a hit mask, or a hit rectangle, may carry an
// embedded animation, plays sounds when pressed, rolled over and released, and calls its activity back.
#pragma once

#include <cstdint>

#include "Anim.h"
#include "Rect.h"
#include "ShapeMgr.h"

// Feature bits of a descriptor.
constexpr std::uint32_t kActorShape = 2;
constexpr std::uint32_t kActorDraggable = 4;
constexpr std::uint32_t kActorAnimated = 8;
constexpr std::uint32_t kActorHasRollover = 16;
constexpr std::uint32_t kActorHasPressed = 32;

// State flags of an entry.
constexpr std::uint16_t kActorActive = 2;
constexpr std::uint16_t kActorRolloverLook = 4;
constexpr std::uint16_t kActorPressedLook = 8;
constexpr std::uint16_t kActorLayered = 16;  // the normal image stays drawn under the other looks
constexpr std::uint16_t kActorHiddenFlag = 32;

// Animation options.
constexpr std::uint32_t kActorAnimHidden = 1;
constexpr std::uint32_t kActorAnimPaused = 2;
constexpr std::uint32_t kActorAnimTimed = 4;
constexpr std::uint32_t kActorAnimLoop = 16;

constexpr std::uint16_t kActorNoChannel = 65535;

// The descriptor actors are made from, fields in the documented order.
struct ActorDesc {
    std::uint32_t id;
    Rect hitRect;  // when empty the images decide hits
    ShapeBank bank;
    std::uint16_t index;
    std::int16_t x;  // of the images and the animation
    std::int16_t y;
    std::uint32_t features;
    ShapeBank rolloverBank;
    std::uint16_t rolloverIndex;
    ShapeBank pressedBank;
    std::uint16_t pressedIndex;
    ShapeBank maskBank;
    std::uint16_t maskIndex;
    std::uint32_t animId;  // 'XMV', 0 for none
    std::uint32_t animOptions;
    std::uint16_t key;  // matched by ActorFlashByKey
    std::uint32_t pressSound;
    std::uint32_t rolloverSound;
    std::uint32_t releaseSound;
};

struct Actor;
// Press, tick and release procedures: (entry, point packed as x | y << 16).
using ActorProc = void (*)(Actor* entry, std::uint32_t point);

struct Actor {
    ActorDesc desc;
    std::uint16_t flags;
    Anim anim;
    std::uint16_t channel;
    ActorProc press;
    ActorProc tick;
    ActorProc release;
};

// Adding and removing. Operations by id do nothing (returning 0 or -1) for an id no actor has.
ActorDesc* ActorDescInit(ActorDesc* desc, std::uint32_t id, const Rect* hitRect, ShapeBank bank, std::uint16_t index,
                         const Point* position, std::uint32_t features, ShapeBank rolloverBank,
                         std::uint16_t rolloverIndex, ShapeBank pressedBank, std::uint16_t pressedIndex,
                         std::uint32_t animId, std::uint32_t animOptions, std::uint16_t key);
std::int16_t ActorFindIndex(std::uint32_t id);
// 1, or 0 when the id (any of them) is present or memory runs out; the new actors come first.
std::int16_t ActorAdd(const ActorDesc* desc);
std::int16_t ActorAddMany(std::int16_t count, const ActorDesc* descs);
// Shorthands with animation options 2; positions packed as x | y << 16.
std::int16_t ActorAddHotRect(Rect rect, std::uint32_t id);
std::int16_t ActorAddHotRects(const Rect* rects, std::int16_t count, std::uint32_t firstId);
std::int16_t ActorAddShape(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint32_t id);
std::int16_t ActorAddDraggable(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint32_t id);
std::int16_t ActorAddAnim(std::uint32_t position, std::uint32_t animId, std::uint32_t animOptions, std::uint32_t id);
std::int16_t ActorAddRollover(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint16_t rolloverIndex,
                              std::uint32_t id);
std::int16_t ActorAddRolloverBank(std::uint32_t position, ShapeBank bank, std::uint16_t index, ShapeBank rolloverBank,
                                  std::uint16_t rolloverIndex, std::uint32_t id);
std::int16_t ActorAddPressed(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint16_t pressedIndex,
                             std::uint32_t id);
std::int16_t ActorAddPressedBank(std::uint32_t position, ShapeBank bank, std::uint16_t index, ShapeBank pressedBank,
                                 std::uint16_t pressedIndex, std::uint32_t id);
std::int16_t ActorAddButton(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint16_t rolloverIndex,
                            std::uint16_t pressedIndex, std::uint32_t id);
std::int16_t ActorAddButtonBanks(std::uint32_t position, ShapeBank bank, std::uint16_t index, ShapeBank rolloverBank,
                                 std::uint16_t rolloverIndex, ShapeBank pressedBank, std::uint16_t pressedIndex,
                                 std::uint32_t id);
std::int16_t ActorRemove(std::uint32_t id);
void ActorRemoveAll();

// State.
std::int16_t ActorHide(std::uint32_t id);
std::int16_t ActorShow(std::uint32_t id);
std::int16_t ActorSetActive(std::uint32_t id, std::int16_t on);
void ActorSetActiveAll(std::int16_t on);
std::int16_t ActorIsActive(std::uint32_t id);
std::int16_t ActorSetFlagById(std::uint32_t id, std::uint16_t mask, std::int16_t on);
void ActorSetFlag(std::int16_t index, std::uint16_t mask, std::int16_t on);
void ActorSetFlagAll(std::uint16_t mask, std::int16_t on);
std::int16_t ActorSetRollover(std::uint32_t id, std::int16_t on);
std::int16_t ActorSetPressed(std::uint32_t id, std::int16_t on);
void ActorShowRollover(Actor* entry, std::int16_t on);
void ActorShowPressed(Actor* entry, std::int16_t on);
std::int16_t ActorIsRollover(std::uint32_t id);
std::int16_t ActorIsPressed(std::uint32_t id);
std::int16_t ActorIsTracking();

// Fields. Image setters mark the area dirty before and after the change.
std::int16_t ActorSetBank(ShapeBank bank, std::uint32_t id);
ShapeBank ActorGetBank(std::uint32_t id);
std::int16_t ActorSetIndex(std::uint16_t index, std::uint32_t id);
std::int32_t ActorGetIndex(std::uint32_t id);
std::int16_t ActorSetRolloverBank(ShapeBank bank, std::uint32_t id);
ShapeBank ActorGetRolloverBank(std::uint32_t id);
std::int16_t ActorSetRolloverIndex(std::uint16_t index, std::uint32_t id);
std::int32_t ActorGetRolloverIndex(std::uint32_t id);
std::int16_t ActorSetPressedBank(ShapeBank bank, std::uint32_t id);
ShapeBank ActorGetPressedBank(std::uint32_t id);
std::int16_t ActorSetPressedIndex(std::uint16_t index, std::uint32_t id);
std::int32_t ActorGetPressedIndex(std::uint32_t id);
std::int16_t ActorSetHitRect(std::uint32_t leftTop, std::uint32_t rightBottom, std::uint32_t id);
std::int16_t ActorSetKey(std::uint16_t key, std::uint32_t id);
std::int16_t ActorGetPosition(Point* out, std::uint32_t id);
std::int16_t ActorGetBounds(Rect* out, std::uint32_t id);
std::int16_t ActorSetPressSound(std::uint32_t sound, std::uint32_t id);
std::int16_t ActorSetRolloverSound(std::uint32_t sound, std::uint32_t id);
std::int16_t ActorSetReleaseSound(std::uint32_t sound, std::uint32_t id);
std::int16_t ActorSetPressProc(ActorProc proc, std::uint32_t id);
std::int16_t ActorSetTickProc(ActorProc proc, std::uint32_t id);
std::int16_t ActorSetReleaseProc(ActorProc proc, std::uint32_t id);

// Dragging and flashing.
void ActorSetDragBounds(const Rect* rect);
std::int16_t ActorIsDragging(std::uint32_t id);
std::uint32_t ActorSetFlashDelay(std::uint32_t ms);
std::int16_t ActorFlash(std::uint32_t id);
std::int32_t ActorFlashByKey(std::uint16_t key);

// Sound: plays through SndPlayId with the actors' completion procedure, which finds its actor by id.
void ActorPlaySound(Actor* entry, std::uint32_t sound);
void ActorStopSound(Actor* entry);
std::int16_t ActorStopSoundById(std::uint32_t id);
std::int16_t ActorIsSoundDone(std::uint32_t id);

// Animation.
std::int16_t ActorSetAnimPaused(std::int16_t paused, std::uint32_t id);
std::int16_t ActorRewindAnim(std::uint32_t id);
std::int16_t ActorIsAnimPaused(std::uint32_t id);
void ActorStepAnims();
void ActorInvalidateAnims();

// Mouse: the id of the actor concerned, or -1.
std::int32_t ActorTrackMouse(std::uint32_t point);
std::int32_t ActorMouseDown(std::uint32_t point);
std::int32_t ActorMouseUp(std::uint32_t point);
std::int16_t ActorHitTest(std::uint32_t point, Actor* entry);

// Drawing, from the last entry up to entry 0.
void ActorDrawAll(const Rect* clip);
std::int16_t ActorDraw(std::uint32_t id, const Rect* clip);
void ActorDrawEntry(const Actor* entry, const Rect* clip);
void ActorInvalidate(const Actor* entry);
