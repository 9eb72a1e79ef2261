// Sound cues of animations: their sound records, playing them with or without waiting for their start,
// counting plays, the end of play that waits for the sounds, the controls that act on the sounds, and the
// queries the character and the actions make.
#include "OMAnimation.h"

#include <algorithm>

namespace {

// Set while a cue's sound is played again: the finish of its previous play, reported at once, is counted
// without calling out, as the step that plays the cue is still running.
bool replayingCue = false;

std::uint16_t soundIdOf(OMArg word) { return static_cast<std::uint16_t>(word); }

}  // namespace

bool OMAnimation::cuesPlay() { return soundOn && soundHook; }

bool OMAnimation::hasCue(std::int16_t soundId) {
    return soundRecordFor(data_->sounds, static_cast<std::uint16_t>(soundId), soundHook).sound != nullptr;
}

// A sound that cannot be played would never start, so a step waiting for it goes on at the next tick.
void OMAnimation::playCue(std::int16_t soundId, bool sync) {
    const auto id = static_cast<std::uint16_t>(soundId);
    OMWaveSound& sound = *findSoundRecord(data_->sounds, id)->sound;
    const OMLinkToObj<OMAnimation> started(this, nullptr,
                                           sync ? &OMAnimation::cueSyncStarted : &OMAnimation::cueStarted, id);
    sound.setStartHook(&started);
    replayingCue = true;
    const bool played = sound.play(1) != 0;
    replayingCue = false;
    const OMLinkToObj<OMAnimation> finished(this, nullptr, &OMAnimation::cueFinished, id);
    sound.setFinishHook(&finished);
    if (sync && !played) playback.soundStarted();
}

// A record's one sound plays once at a time; the mixer reports its start again when it resumes after a
// pause, which is the same play.
void OMAnimation::cueStarted(OMArg soundId) {
    AOSoundRecord* record = findSoundRecord(data_->sounds, soundIdOf(soundId));
    if (!record || record->playCount != 0) return;
    record->playCount = 1;
    ++soundsPlaying;
}

void OMAnimation::cueSyncStarted(OMArg soundId) {
    cueStarted(soundId);
    playback.soundStarted();
}

void OMAnimation::cueFinished(OMArg soundId) {
    AOSoundRecord* record = findSoundRecord(data_->sounds, soundIdOf(soundId));
    if (!record || record->playCount == 0) return;
    record->playCount = 0;
    soundsPlaying = std::max(soundsPlaying - 1, 0);
    if (soundsPlaying != 0 || replayingCue) return;
    OMAnimation* const outer = stepping;
    stepping = this;
    const bool alive = soundsFinished();
    if (alive || outer != this) stepping = outer;
}

bool OMAnimation::soundsFinished() {
    const PlayState state = playback.state;
    if (waitingForSounds && state != PlayState::playing && state != PlayState::soundStarted && !endOfPlay())
        return false;
    OMAnimation* const self = this;
    if (soundsDoneLink) soundsDoneLink->invoke();
    return stepping == self;
}

bool OMAnimation::endOfPlay() {
    if (waitSoundsAtEnd && !waitingForSounds && anySoundPlaying(data_->sounds)) {
        waitingForSounds = true;
        return true;
    }
    waitingForSounds = false;
    OMAnimation* const self = this;
    if (endLink) endLink->invoke();
    if (stepping != self || !raise("paused")) return false;
    fireCompletion();
    return true;
}

bool OMAnimation::eachCueSound(void (*action)(OMWaveSound&)) {
    OMAnimation* const outer = stepping;
    stepping = this;
    for (std::size_t i = 0; i < data_->sounds.size(); ++i) {
        if (OMWaveSound* sound = data_->sounds[i]->sound.get()) action(*sound);
        if (stepping != this) {
            if (outer != this) stepping = outer;
            return false;
        }
    }
    stepping = outer;
    return true;
}

void OMAnimation::pause() {
    if (playback.state == PlayState::stopped) return;
    playback.pause();
    waitingForSounds = false;
    static_cast<void>(eachCueSound([](OMWaveSound& sound) {
        sound.setStartHook(nullptr);
        static_cast<void>(sound.stop());
    }));
}

// A stopped sound's finish may run a link that destroys the animation.
bool OMAnimation::pauseAtStop() {
    OMAnimation* const self = this;
    pause();
    return stepping == self;
}

void OMAnimation::suspend() {
    if (playback.state == PlayState::stopped) return;
    playback.pause();
    static_cast<void>(eachCueSound([](OMWaveSound& sound) { sound.pause(); }));
}

// The sounds are resumed even while the end waits for them: they are what it waits for.
void OMAnimation::resume() {
    if (playback.state == PlayState::paused && !waitingForSounds) play();
    static_cast<void>(eachCueSound([](OMWaveSound& sound) { sound.resume(); }));
}

void OMAnimation::setSoundOn(bool on) {
    soundOn = on;
    if (on) return;
    waitingForSounds = false;
    static_cast<void>(eachCueSound([](OMWaveSound& sound) { static_cast<void>(sound.stop()); }));
}

void OMAnimation::setEndLink(const OMLink* link) { endLink.reset(link ? link->clone() : nullptr); }
void OMAnimation::setSoundsDoneLink(const OMLink* link) { soundsDoneLink.reset(link ? link->clone() : nullptr); }

void OMAnimation::loadSounds(std::int32_t sequence) {
    if (!soundHook) return;
    const AseqSequence list = sequences.at(sequence == -1 ? currentSequence : sequence);
    for (std::int32_t i = 0; i < list.count; ++i) {
        const AseqEntry entry = readEntry(list.entries + i * kAseqEntrySize);
        if (entry.frame == kAseqSoundCue)
            static_cast<void>(soundRecordFor(data_->sounds, static_cast<std::uint16_t>(entry.param), soundHook));
    }
}

void OMAnimation::loadAllSounds() {
    for (std::int32_t i = 0; i < sequences.size(); ++i) loadSounds(i);
}

void OMAnimation::unloadSounds(std::int32_t sequence) {
    if (data_.use_count() != 1) return;
    const AseqSequence list = sequences.at(sequence == -1 ? currentSequence : sequence);
    for (std::int32_t i = 0; i < list.count; ++i) {
        const AseqEntry entry = readEntry(list.entries + i * kAseqEntrySize);
        if (entry.frame != kAseqSoundCue) continue;
        if (const AOSoundRecord* record = findSoundRecord(data_->sounds, static_cast<std::uint16_t>(entry.param)))
            soundsPlaying = std::max(soundsPlaying - record->playCount, 0);
        dropSoundRecord(data_->sounds, static_cast<std::uint16_t>(entry.param));
    }
}

void OMAnimation::releaseSounds() {
    if (data_.use_count() != 1) return;
    dropSoundRecords(data_->sounds);
    soundsPlaying = 0;
}

// A copy that goes while the sounds it played still sound stops them, so that their hooks do not call it.
void OMAnimation::detachSounds() {
    for (const auto& record : data_->sounds) {
        OMWaveSound* sound = record->sound.get();
        const OMLink* hook = sound ? sound->finishHook() : nullptr;
        if (!hook || hook->target() != static_cast<void*>(this)) continue;
        sound->setStartHook(nullptr);
        sound->setFinishHook(nullptr);
        static_cast<void>(sound->stop());
        record->playCount = 0;
    }
}

std::optional<AseqEntry> OMAnimation::entryAt(std::int32_t i) const {
    const AseqSequence list = sequences.at(currentSequence);
    if (i == -1) i = playback.currentEntry;
    if (i < 0 || i >= list.count) return std::nullopt;
    return readEntry(list.entries + i * kAseqEntrySize);
}

bool OMAnimation::isPausedAndQuiet(bool* paused, bool* quiet) const {
    const bool isPaused = playback.state == PlayState::paused;
    const bool isQuiet = !anySoundPlaying(data_->sounds);
    if (paused) *paused = isPaused;
    if (quiet) *quiet = isQuiet;
    return isPaused && isQuiet;
}

bool OMAnimation::isBusy(bool* playing, bool* sounding) const {
    const bool isPlaying = playback.state == PlayState::playing || playback.state == PlayState::soundStarted;
    const bool isSounding = anySoundPlaying(data_->sounds);
    if (playing) *playing = isPlaying;
    if (sounding) *sounding = isSounding;
    return isPlaying || isSounding;
}

OMWaveSound* OMAnimation::firstSoundCue(std::int16_t& soundId, std::int32_t& position) {
    return soundCueFrom(0, soundId, position);
}

OMWaveSound* OMAnimation::nextSoundCue(std::int16_t& soundId, std::int32_t& position) {
    return soundCueFrom(cueCursor, soundId, position);
}

OMWaveSound* OMAnimation::soundCueFrom(std::int32_t from, std::int16_t& soundId, std::int32_t& position) {
    const std::int32_t end = playback.endIndex();
    std::int32_t frames = 0;
    for (std::int32_t i = 0; i < end; ++i) {
        const AseqEntry entry = playback.entry(i);
        if (entry.frame >= 0) ++frames;
        if (i < from || entry.frame != kAseqSoundCue) continue;
        cueCursor = i + 1;
        soundId = entry.param;
        position = frames + 1;
        return soundRecordFor(data_->sounds, static_cast<std::uint16_t>(entry.param), soundHook).sound.get();
    }
    cueCursor = end;
    soundId = 0;
    position = 0;
    return nullptr;
}
