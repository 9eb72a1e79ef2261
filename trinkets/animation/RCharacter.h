// The animated character: a group of animations that stands in a settle pose, fidgets now and then on its
// own, plays whole animations and speaks with its mouth moving to the words. Speech is found through the
// sound cues of its speech animations: the sequence that holds a cue plays from its first frame.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "OMList.h"
#include "OMMultiTrinket.h"
#include "OMTask.h"

class OMAnimation;
class OMCursor;
struct FidgetGroup;

struct FidgetRecord {
    std::int32_t hidesSettlePose;
    std::int32_t played;
    FidgetGroup* group;
    std::int32_t childId;
};

// Fidgets that take turns on one schedule, due every minSeconds .. maxSeconds - 1 whole seconds.
struct FidgetGroup {
    ~FidgetGroup() { all.clear(true); }
    // Every fidget plays once in a cycle before any plays again.
    std::int32_t noRepeat;
    std::int32_t minSeconds;
    std::int32_t maxSeconds;
    // In sixtieths of a second.
    std::int32_t nextDue = 0;
    std::int32_t groupId;
    // Not yet played in this cycle (without noRepeat: every fidget).
    OMList<FidgetRecord> remaining;
    // Owned.
    OMList<FidgetRecord> all;
};

// A sound cue of a speech animation: the sequence (0-based) that holds it.
struct SpeechRecord {
    std::int16_t soundId;
    std::int16_t animationId;
    std::int32_t sequence;
};

class RCharacter : public OMMultiTrinket {
public:
    // Child ids.
    static constexpr std::int32_t kPoseId = 1;
    static constexpr std::int32_t kAnimId = 2;
    static constexpr std::int32_t kFirstFidgetId = 3;
    static constexpr std::int32_t kFirstSpeechId = 1000;

    // x and y of OMAnimation::kAtPlacement take the pose's place from its data.
    RCharacter(std::int16_t settlePoseId, std::int32_t x, std::int32_t y, std::int32_t atZ, OMTrinketWindow* owner);
    ~RCharacter() override;

    // Characters are not copied.
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    // Sets only the character's own flag, ends a running fidget and passes v on to the one child that shows.
    void setVisible(std::int32_t v) override;

    // A clone of doneLink is invoked once when the animation or speech ends (not when it is stopped), or at
    // once when the request is refused: something already plays, or there is no such animation or speech.
    void playAnim(std::int16_t animationId, const OMLink* doneLink, std::int32_t repeatCount, std::int32_t stayVisible);
    void playSpeech(std::int16_t soundId, const OMLink* doneLink, std::int32_t stayVisible, std::int32_t spare);
    void pause();
    void resume();
    // Ends what plays without "finished" and without the done link.
    void stop();
    // A step that goes away takes out every done link that calls it: the stored one and those held while
    // "finished" is raised, which then call nothing.
    void forgetDoneLinks(const void* step);

    void addFidgetGroup(std::int32_t groupId, std::int32_t minSeconds, std::int32_t maxSeconds, std::int32_t noRepeat);
    void addFidget(std::int32_t groupId, std::int16_t animationId, std::int32_t hidesSettlePose);
    void removeFidgetGroup(std::int32_t groupId);
    // Learns the speech cues of every sequence of the animation.
    void addSpeechAnim(std::int16_t animationId);
    // The idle task's slice: starts a fidget of the first due group when the character is idle.
    void fidgetTick();

    static void setDefaultCursor(OMCursor* shown) { defaultCursor = shown; }
    static void setDefaultDownCursor(OMCursor* shown) { defaultDownCursor = shown; }

    std::int32_t animateSettled = 0;
    std::int32_t paused = 0;
    std::int32_t stayVisible = 1;
    FidgetRecord* currentFidget = nullptr;
    std::int32_t animChildId = -1;
    std::int32_t speechChildId = -1;
    std::int32_t nextFidgetChildId = kFirstFidgetId;
    std::unique_ptr<OMLink> doneLink;
    // Owned.
    OMList<FidgetGroup> fidgetGroups;
    std::vector<SpeechRecord> speechRecords;
    std::unique_ptr<OMTask> idleTask;
    std::int16_t settlePoseId;

    // The class's registry record ("RCharacter"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    // An animation from the data of id on the window, with the character's cursors; null without data.
    OMAnimation* createPose(std::int16_t id, std::int32_t x, std::int32_t y);
    OMAnimation* child(std::int32_t id) const;
    OMAnimation* pose() const { return child(kPoseId); }
    // An animation or a speech plays.
    bool playing() const { return animChildId != -1 || speechChildId != -1; }
    bool busy() { return !isVisible() || playing() || currentFidget || paused; }
    // The first of: the played animation, the speech, the running fidget, the pose when it animates.
    OMAnimation* pausable() const;
    // The speech child made from animationId, shown again, or a new one; its id, or -1 without data.
    std::int32_t speechChild(std::int16_t animationId);
    // Refuses a request: the done link, when given, at once.
    static void refuse(const OMLink* doneLink);
    void setDoneLink(const OMLink* link);
    // The end link of the played animation or speech.
    void animationEnded();
    // Lets the played animation go or hides the speech; the pose back, the character hidden unless it
    // stays visible.
    void endPlaying(bool rewindSpeech);
    // Hides the speech child, kept for reuse, and unloads its sounds; rewound to its first frame when asked.
    void hideSpeech(OMAnimation& speech, bool rewind);
    void setPoseVisible(std::int32_t v);

    void startFidget(FidgetGroup& group);
    void endFidget();
    // The end link of a fidget: ends it when it is the running one.
    void fidgetEnded(OMArg record);
    void schedule(FidgetGroup& group) const;
    FidgetGroup* dueGroup(std::int32_t now) const;
    FidgetGroup* groupWithId(std::int32_t groupId) const;
    void removeGroup(FidgetGroup* group);

    void addFidgetVerb();
    void addFidgetGroupVerb();
    void addSpeechAnimVerb();
    void playAnimVerb();
    void playSpeechVerb();
    void removeFidgetGroupVerb();
    void setAOCursorVerb();
    void pauseVerb() { pause(); }
    void resumeVerb() { resume(); }
    void stopVerb() { stop(); }
    void getAnimateSettled(OMArg buffer);
    void setAnimateSettled(OMArg text);
    void getEnabled(OMArg buffer);
    void setEnabled(OMArg text);
    void getSettlePoseID(OMArg buffer);
    void setSettlePoseID(OMArg text);

    // The done links taken out for the "finished" events being raised, innermost last (null: none).
    std::vector<OMLink*> endingLinks;

    static OMCursor* defaultCursor;
    static OMCursor* defaultDownCursor;
    // End notifications in progress, and the characters destroyed meanwhile (only compared).
    static std::int32_t endNesting;
    static std::vector<const RCharacter*> destroyedInEnd;
};
