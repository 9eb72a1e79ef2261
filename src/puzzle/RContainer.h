// The drop targets of a puzzle: the answers placed in a container, its enabled flag and the two judging
// flags copied from the puzzle, its events, and its placed answers moving with it. How well an answer
// hits it, when it is full and when it is solved are its kind's.
#pragma once

#include <cstdint>

#include "OMList.h"
#include "OMMultiTrinket.h"

class OMAnimation;
class RAnswer;

// Plays a sound id; the two further arguments are 0. Nothing installs one, so containers play no sound.
using ContainerSoundHook = void (*)(std::uint16_t id, std::int32_t, std::int32_t);

class RContainer : public OMMultiTrinket {
public:
    // Never dragged or clicked itself.
    RContainer(std::int32_t z, OMTrinketWindow* owner);
    // Lets the placed answers go without deleting them.
    ~RContainer() override;

    void registerProperties() override;
    // Appends the answer and raises "answerPlaced".
    virtual void acceptAnswer(RAnswer* answer);
    virtual void fireAnswerFlyOff() { signalEvent("answerFlyOff"); }
    virtual void fireAnswerFlyOn() { signalEvent("answerFlyOn"); }
    // Disabled, it accepts nothing and its answers are anchored.
    virtual void disable();
    virtual void enable();
    // Whether the container would take the answer, and how well the answer hits it.
    virtual std::int32_t hitScore(RAnswer* answer, std::int32_t& score) = 0;
    virtual std::int32_t isFull() = 0;
    virtual std::int32_t isSolved() = 0;
    // Takes the answer off (nothing when absent) and raises "answerRemoved".
    virtual void removeAnswer(RAnswer* answer);
    // The placed answers move by the offset that was applied to the container.
    void offsetBy(std::int32_t& dx, std::int32_t& dy) override;

    std::int32_t lockCorrectAnswers = 0;
    std::int32_t rejectIncorrectAnswers = 0;
    // Not owned, in placing order.
    OMList<RAnswer> answers;
    std::int32_t enabled = 1;

    static void setSoundHook(ContainerSoundHook hook) { soundHook = hook; }
    static ContainerSoundHook getSoundHook() { return soundHook; }
    static std::int32_t dispatchDepth;
    static OMList<RContainer>& destroyedDuringDispatch();
    // True while the container is on the destroyed list of a dispatch in progress.
    static bool wasDestroyed(const RContainer* c) { return destroyedDuringDispatch().contains(c); }

protected:
    // The graphic form: the ASEQ of id at (x, y) as child 1, whose bounds become the container's; a missing
    // resource leaves the container without graphic and with empty bounds.
    void addGraphic(std::int16_t id, std::int32_t x, std::int32_t y);
    OMAnimation* graphic() const;
    // The area of the bounds' intersection with the answer's effective rectangle; 0 when they do not meet.
    std::int32_t hitArea(RAnswer& answer) const;
    // "playAnimation", "stopAnimation" and "highlighted", the same for both kinds.
    void registerGraphicFace();
    void playSound(std::uint16_t id) const {
        if (id != 0xFFFF && soundHook) soundHook(id, 0, 0);
    }

    std::int32_t highlighted = 0;

private:
    void raiseEvent(const char* event);
    void getAnswerCount(OMArg buffer) { writeInteger(buffer, answers.count); }
    void setEnabledText(OMArg text);
    void getEnabledText(OMArg buffer) { writeInteger(buffer, enabled); }
    void getIsFull(OMArg buffer) { writeInteger(buffer, isFull()); }
    void getIsSolved(OMArg buffer) { writeInteger(buffer, isSolved()); }
    void setLock(OMArg text) { lockCorrectAnswers = integerOf(text); }
    void getLock(OMArg buffer) { writeInteger(buffer, lockCorrectAnswers); }
    void setReject(OMArg text) { rejectIncorrectAnswers = integerOf(text); }
    void getReject(OMArg buffer) { writeInteger(buffer, rejectIncorrectAnswers); }
    // Frame entry 2 of the graphic while highlighted, else entry 1.
    void setHighlightedText(OMArg text);
    void getHighlightedText(OMArg buffer) { writeInteger(buffer, highlighted); }
    void playAnimationVerb();
    void stopAnimationVerb();

    static ContainerSoundHook soundHook;
};

// The integer value of a property of an object: 0 when it has no such property.
std::int32_t integerProperty(OMScriptableObject& object, const char* name);
// The graphic of an answer or a container: the ASEQ of id from the animation hook, playing, on the window
// at (x, y); null when the hook finds nothing.
OMAnimation* makeGraphic(std::int16_t id, std::int32_t x, std::int32_t y, OMTrinketWindow* owner);
