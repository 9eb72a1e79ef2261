// The character's idle fidgets: groups due on the sixtieths clock, a random fidget of the first due group
// started while the character is idle, and the group's next time drawn when the fidget ends.
#include <cstdlib>

#include "OMAnimation.h"
#include "OMSystemUtilities.h"
#include "RCharacter.h"

namespace {

std::int32_t now60() { return static_cast<std::int32_t>(ticks60()); }

}  // namespace

// Whole seconds in minSeconds .. maxSeconds - 1; equal bounds have no span to draw from and wait minSeconds.
void RCharacter::schedule(FidgetGroup& group) const {
    const std::int32_t span = group.maxSeconds - group.minSeconds;
    const std::int32_t seconds = group.minSeconds + (span == 0 ? 0 : std::rand() % span);
    group.nextDue = now60() + seconds * 60;
}

// A due group without fidgets has nothing to start and is passed over, so it never holds back the groups
// after it.
FidgetGroup* RCharacter::dueGroup(std::int32_t now) const {
    for (OMListElement<FidgetGroup>* n = fidgetGroups.head; n; n = n->next) {
        if (n->element->nextDue <= now && n->element->remaining.count > 0) return n->element;
    }
    return nullptr;
}

FidgetGroup* RCharacter::groupWithId(std::int32_t groupId) const {
    for (OMListElement<FidgetGroup>* n = fidgetGroups.head; n; n = n->next) {
        if (n->element->groupId == groupId) return n->element;
    }
    return nullptr;
}

void RCharacter::fidgetTick() {
    FidgetGroup* group = dueGroup(now60());
    if (!group) return;
    if (busy()) return schedule(*group);
    startFidget(*group);
}

void RCharacter::startFidget(FidgetGroup& group) {
    OMListLocator<FidgetRecord> pick(group.remaining);
    pick.advance(std::rand() % group.remaining.count);
    FidgetRecord* record = pick.current();
    OMAnimation* fidget = child(record->childId);
    if (!fidget) return;
    currentFidget = record;
    if (record->hidesSettlePose) setPoseVisible(0);
    fidget->setVisible(1);
    fidget->setFramePosition(1, false);
    fidget->play();
    if (!group.noRepeat) return;
    record->played = 1;
    group.remaining.remove(record);
    if (group.remaining.count == 0) group.remaining = group.all;
}

void RCharacter::endFidget() {
    FidgetRecord* record = currentFidget;
    if (OMAnimation* fidget = child(record->childId)) {
        fidget->setVisible(0);
        fidget->pause();
    }
    if (record->hidesSettlePose) setPoseVisible(1);
    schedule(*record->group);
    currentFidget = nullptr;
}

void RCharacter::fidgetEnded(OMArg record) {
    if (currentFidget && reinterpret_cast<FidgetRecord*>(record) == currentFidget) endFidget();
}

void RCharacter::addFidgetGroup(std::int32_t groupId, std::int32_t minSeconds, std::int32_t maxSeconds,
                                std::int32_t noRepeat) {
    auto* group = new FidgetGroup;
    group->noRepeat = noRepeat;
    group->minSeconds = minSeconds;
    group->maxSeconds = maxSeconds;
    group->groupId = groupId;
    schedule(*group);
    fidgetGroups.append(group);
}

// A fidget that overlays the pose stands one z step in front of it.
void RCharacter::addFidget(std::int32_t groupId, std::int16_t animationId, std::int32_t hidesSettlePose) {
    FidgetGroup* group = groupWithId(groupId);
    if (!group) return;
    OMAnimation* fidget = createPose(animationId, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement);
    if (!fidget) return;
    auto* record = new FidgetRecord{hidesSettlePose, 0, group, nextFidgetChildId++};
    addTrinket(fidget, hidesSettlePose ? 0 : 1, record->childId, 1);
    fidget->setVisible(0);
    fidget->waitSoundsAtEnd = false;
    const OMLinkToObj<RCharacter> ended(this, nullptr, &RCharacter::fidgetEnded, reinterpret_cast<OMArg>(record));
    fidget->setEndLink(&ended);
    group->all.append(record);
    group->remaining.append(record);
}

void RCharacter::removeFidgetGroup(std::int32_t groupId) {
    if (FidgetGroup* group = groupWithId(groupId)) removeGroup(group);
}

void RCharacter::removeGroup(FidgetGroup* group) {
    if (currentFidget && currentFidget->group == group) endFidget();
    for (OMListElement<FidgetRecord>* n = group->all.head; n; n = n->next) removeTrinket(n->element->childId);
    fidgetGroups.remove(group);
    delete group;
}
