// The piece a child drags in a puzzle: a group with a home, inset margins that make its effective
// rectangle, the container it sits in, three sound ids, and the links through which a puzzle hears a
// pick-up and a drop.
#pragma once

#include <cstdint>

#include "OMList.h"
#include "OMMultiTrinket.h"

class OMCursor;
class RContainer;

// Plays a sound id; the two further arguments are 0. Nothing installs one, so answers play no sound.
using AnswerSoundHook = void (*)(std::uint16_t id, std::int32_t, std::int32_t);

inline constexpr std::uint16_t kNoSound = 0xFFFF;

class RAnswer : public OMMultiTrinket {
public:
    // At z = homeZ, with the class's sound ids and cursors; a press or a double click picks it up and the
    // release drops it.
    RAnswer(POINT home, std::int32_t homeZ, OMTrinketWindow* owner);
    ~RAnswer() override;

    void registerProperties() override;
    // Immovable and untouchable, so it can no longer be picked up; unanchor undoes it.
    virtual void anchor();
    // Back to the home point and homeZ at once, unless it is being dragged.
    virtual void goHome();
    // Moves it so that its effective rectangle is centred in the given one.
    virtual void centreIn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    virtual void unanchor();

    // Raises "removedFromContainer" for the old container and "addedToContainer" for a new one; nothing
    // when the container does not change.
    void setContainer(RContainer* c);
    RContainer* container() const { return container_; }
    // Forgets the container without events, when it is that one: the container is being destroyed.
    void leave(const RContainer* c) {
        if (container_ == c) container_ = nullptr;
    }
    // Each stores a clone (null clears); both are invoked with the answer.
    void setDropLink(const OMLink* link) { replaceLink(dropLink, link); }
    void setPickUpLink(const OMLink* link) { replaceLink(pickUpLink, link); }
    // The bounds inset by the extras.
    OMRect effectiveRect() const;
    bool isDragging() const { return dragging != 0; }
    // True while the answer is on the destroyed list of a dispatch in progress.
    static bool wasDestroyed(const RAnswer* answer) { return destroyedDuringDispatch().contains(answer); }

    POINT home;
    std::int32_t dragging = 0;
    std::int32_t extraBottom = 0;
    std::int32_t extraLeft = 0;
    std::int32_t extraRight = 0;
    std::int32_t extraTop = 0;
    std::int32_t homeZ;
    OMLink* dropLink = nullptr;
    OMLink* pickUpLink = nullptr;
    std::uint16_t goHomeSound;
    std::uint16_t pickUpSound;
    std::uint16_t snapSound;

    // Class-wide defaults, copied by every new answer.
    static std::uint16_t defaultGoHomeSound;
    static std::uint16_t defaultPickUpSound;
    static std::uint16_t defaultSnapSound;
    static OMCursor* defaultCursor;
    static OMCursor* defaultDownCursor;
    static void setSoundHook(AnswerSoundHook hook) { soundHook = hook; }
    static AnswerSoundHook getSoundHook() { return soundHook; }
    // Picks-ups and drops in progress, and the answers destroyed meanwhile (emptied when it returns to 0).
    static std::int32_t dispatchDepth;
    static OMList<RAnswer>& destroyedDuringDispatch();

protected:
    // Takes a part of the answer in (its graphic or its text); releasing the mouse on the part drops the
    // answer before the answer's "mouseUp" is raised, as a release on the answer itself does.
    void addPart(OMTrinket* part, std::int32_t zOffset, std::int32_t id);

private:
    void pickUp();
    // A double click picks the answer up and keeps the mouse held, so the release that follows drops it.
    void pickUpHeld();
    void drop();
    void partReleased();
    // Raises the event and, unless a handler destroyed the answer, invokes the link that the member then
    // holds with it (none when a handler cleared it).
    void signalThenInvoke(const char* event, OMLink* RAnswer::*link);
    void playSound(std::uint16_t id) const;

    void setExtraBottom(OMArg text) { extraBottom = integerOf(text); }
    void getExtraBottom(OMArg buffer) { writeInteger(buffer, extraBottom); }
    void setExtraLeft(OMArg text) { extraLeft = integerOf(text); }
    void getExtraLeft(OMArg buffer) { writeInteger(buffer, extraLeft); }
    void setExtraRight(OMArg text) { extraRight = integerOf(text); }
    void getExtraRight(OMArg buffer) { writeInteger(buffer, extraRight); }
    void setExtraTop(OMArg text) { extraTop = integerOf(text); }
    void getExtraTop(OMArg buffer) { writeInteger(buffer, extraTop); }
    void setGoHomeSound(OMArg text) { goHomeSound = static_cast<std::uint16_t>(integerOf(text)); }
    void getGoHomeSound(OMArg buffer) { writeInteger(buffer, goHomeSound); }
    void setHomeX(OMArg text);
    void getHomeX(OMArg buffer) { writeInteger(buffer, home.x); }
    void setHomeY(OMArg text);
    void getHomeY(OMArg buffer) { writeInteger(buffer, home.y); }
    void getIsUsed(OMArg buffer) { writeInteger(buffer, container_ ? 1 : 0); }
    void setPickUpSound(OMArg text) { pickUpSound = static_cast<std::uint16_t>(integerOf(text)); }
    void getPickUpSound(OMArg buffer) { writeInteger(buffer, pickUpSound); }
    void setSnapSound(OMArg text) { snapSound = static_cast<std::uint16_t>(integerOf(text)); }
    void getSnapSound(OMArg buffer) { writeInteger(buffer, snapSound); }

    RContainer* container_ = nullptr;

    static AnswerSoundHook soundHook;
};

// The script commands "SetAnswerGoHomeSound", "SetAnswerPickUpSound" and "SetAnswerSnapSound": each pops
// one integer, the class default for answers made afterwards.
void registerAnswerCommands();
