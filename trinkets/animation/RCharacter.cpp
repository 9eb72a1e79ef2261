// The character's life and what it plays: the settle pose, played animations and speech with their end,
// stop, pause and resume, and its visibility.
#include "RCharacter.h"

#include <algorithm>
#include <optional>

#include "OMAnimation.h"
#include "OMTrinketWindow.h"

OMCursor* RCharacter::defaultCursor = nullptr;
OMCursor* RCharacter::defaultDownCursor = nullptr;
std::int32_t RCharacter::endNesting = 0;
std::vector<const RCharacter*> RCharacter::destroyedInEnd;

RCharacter::RCharacter(std::int16_t poseId, std::int32_t x, std::int32_t y, std::int32_t atZ, OMTrinketWindow* owner)
    : OMMultiTrinket(owner, kRedrawRegion), settlePoseId(poseId) {
    setZ(atZ);
    isCorralled = 0;
    cursor = defaultCursor;
    downCursor = defaultDownCursor;
    refreshHover();
    if (OMAnimation* settle = createPose(poseId, x, y)) {
        settle->setRepeatCount(-1);
        addTrinket(settle, 0, kPoseId, 1);
    }
    const OMLinkToObj<RCharacter> tick(this, &RCharacter::fidgetTick);
    idleTask = std::make_unique<OMTask>(&tick, 0);
    appendTask(idleTask.get());
}

RCharacter::~RCharacter() {
    doneLink.reset();
    while (fidgetGroups.head) removeGroup(fidgetGroups.head->element);
    speechRecords.clear();
    idleTask.reset();
    if (endNesting > 0) destroyedInEnd.push_back(this);
}

OMAnimation* RCharacter::createPose(std::int16_t id, std::int32_t x, std::int32_t y) {
    OMIStream* stream = OMAnimation::animationHook ? OMAnimation::animationHook(id) : nullptr;
    if (!stream) return nullptr;
    auto* animation = new OMAnimation(window, stream, x, y);
    if (animation->status() != AseqStatus::ok) {
        delete animation;
        return nullptr;
    }
    animation->cursor = cursor;
    animation->downCursor = downCursor;
    refreshHover();
    return animation;
}

// Only animations count: a script may put other trinkets under these ids.
OMAnimation* RCharacter::child(std::int32_t id) const { return dynamic_cast<OMAnimation*>(getTrinket(id)); }

void RCharacter::setPoseVisible(std::int32_t v) {
    if (OMAnimation* settle = pose()) settle->setVisible(v);
}

void RCharacter::setVisible(std::int32_t v) {
    if (v == isVisible()) return;
    OMTrinket::setAttribute(kAttributeVisible, v, 0);
    if (currentFidget) endFidget();
    const std::int32_t shownId = animChildId != -1 ? animChildId : (speechChildId != -1 ? speechChildId : kPoseId);
    if (OMAnimation* shown = child(shownId)) shown->setVisible(v);
}

void RCharacter::refuse(const OMLink* doneLink) {
    if (!doneLink) return;
    std::unique_ptr<OMLink> once(doneLink->clone());
    once->invoke();
}

void RCharacter::setDoneLink(const OMLink* link) { doneLink.reset(link ? link->clone() : nullptr); }

void RCharacter::playAnim(std::int16_t animationId, const OMLink* done, std::int32_t repeatCount, std::int32_t stay) {
    if (playing()) return refuse(done);
    if (currentFidget) endFidget();
    OMAnimation* animation = createPose(animationId, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement);
    if (!animation) return refuse(done);
    setPoseVisible(0);
    animation->setRepeatCount(repeatCount);
    animation->loadSounds(animation->sequenceIndex());
    animation->play();
    animation->waitSoundsAtEnd = true;
    const OMLinkToObj<RCharacter> ended(this, &RCharacter::animationEnded);
    animation->setEndLink(&ended);
    stayVisible = stay;
    setDoneLink(done);
    animChildId = kAnimId;
    addTrinket(animation, 0, kAnimId, 1);
}

void RCharacter::playSpeech(std::int16_t soundId, const OMLink* done, std::int32_t stay, std::int32_t) {
    if (playing()) return refuse(done);
    const auto record = std::find_if(speechRecords.begin(), speechRecords.end(),
                                     [&](const SpeechRecord& r) { return r.soundId == soundId; });
    if (record == speechRecords.end()) return refuse(done);
    if (currentFidget) endFidget();
    const std::int32_t id = speechChild(record->animationId);
    if (id == -1) return refuse(done);
    speechChildId = id;
    OMAnimation* speech = child(id);
    setPoseVisible(0);
    speech->selectSequence(record->sequence);
    speech->setFramePosition(1, false);
    // Only commands lie before the first frame: playing resumes at the head, so the cue there starts the
    // voice while the first frame shows.
    speech->playback.currentEntry = 0;
    speech->loadSounds(record->sequence);
    speech->play();
    speech->waitSoundsAtEnd = true;
    const OMLinkToObj<RCharacter> ended(this, &RCharacter::animationEnded);
    speech->setEndLink(&ended);
    stayVisible = stay;
    setDoneLink(done);
}

// The animation is made only to read its entries, so its cues must not load sounds meanwhile.
void RCharacter::addSpeechAnim(std::int16_t animationId) {
    const bool soundOn = OMAnimation::defaultSoundOn;
    OMAnimation::defaultSoundOn = false;
    const std::unique_ptr<OMAnimation> scanned(
        createPose(animationId, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement));
    OMAnimation::defaultSoundOn = soundOn;
    if (!scanned) return;
    for (std::int32_t s = 0; s < scanned->sequenceCount(); ++s) {
        scanned->selectSequence(s);
        for (std::int32_t i = 0; const std::optional<AseqEntry> entry = scanned->entryAt(i); ++i) {
            if (entry->frame == kAseqSoundCue) speechRecords.push_back({entry->param, animationId, s});
            if (entry->frame == kAseqEnd) break;
        }
    }
}

// A script may have put other trinkets under these ids: an id is free only when no child holds it.
std::int32_t RCharacter::speechChild(std::int16_t animationId) {
    std::int32_t freeId = kFirstSpeechId;
    for (; getTrinket(freeId); ++freeId) {
        OMAnimation* made = child(freeId);
        if (!made || made->resourceId != animationId) continue;
        made->setVisible(1);
        return freeId;
    }
    OMAnimation* speech = createPose(animationId, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement);
    if (!speech) return -1;
    speech->resourceId = animationId;
    addTrinket(speech, 0, freeId, 1);
    return freeId;
}

void RCharacter::endPlaying(bool rewindSpeech) {
    if (animChildId != -1) {
        removeTrinket(animChildId);
        animChildId = -1;
    } else if (speechChildId != -1) {
        // A script may have let the speech child go meanwhile; the speech has ended all the same.
        if (OMAnimation* speech = child(speechChildId)) hideSpeech(*speech, rewindSpeech);
        speechChildId = -1;
    }
    setPoseVisible(1);
    if (!stayVisible) setVisible(0);
}

void RCharacter::hideSpeech(OMAnimation& speech, bool rewind) {
    speech.setVisible(0);
    if (rewind) {
        speech.pause();
        speech.setFramePosition(1, false);
    }
    speech.unloadSounds(speech.sequenceIndex());
}

void RCharacter::animationEnded() {
    ++endNesting;
    endPlaying(false);
    // Taken out before the event and the link: either may start the next animation and store its own link.
    // Listed during the event, where a handler may delete the step that the link calls.
    const std::unique_ptr<OMLink> done = std::move(doneLink);
    endingLinks.push_back(done.get());
    signalEvent("finished");
    const bool destroyed = std::find(destroyedInEnd.begin(), destroyedInEnd.end(), this) != destroyedInEnd.end();
    if (!destroyed) {
        endingLinks.pop_back();
        if (done) done->invoke();
    }
    if (--endNesting == 0) destroyedInEnd.clear();
}

void RCharacter::forgetDoneLinks(const void* step) {
    const auto callsStep = [step](const OMLink* link) { return link && link->target() == step; };
    if (callsStep(doneLink.get())) doneLink.reset();
    for (OMLink* ending : endingLinks) {
        if (callsStep(ending)) ending->setTarget(nullptr);
    }
}

void RCharacter::stop() {
    if (!playing()) return;
    doneLink.reset();
    endPlaying(true);
}

OMAnimation* RCharacter::pausable() const {
    if (animChildId != -1) return child(animChildId);
    if (speechChildId != -1) return child(speechChildId);
    if (currentFidget) return child(currentFidget->childId);
    return animateSettled ? pose() : nullptr;
}

void RCharacter::pause() {
    if (paused) return;
    if (OMAnimation* running = pausable()) running->suspend();
    paused = 1;
}

void RCharacter::resume() {
    if (!paused) return;
    if (OMAnimation* running = pausable()) running->resume();
    paused = 0;
}
