// Editing an animation's play lists: entries written where they lie, inserted into private copies,
// removed; lists added and removed; sound cues and the stop entry. Every edit marks the animation modified.
#include "OMAnimation.h"

void OMAnimation::rebindSequence() {
    const std::int32_t at = playback.currentEntry;
    playback.select(sequences.at(currentSequence));
    playback.currentEntry = at;
}

void OMAnimation::setEntry(const AseqEntry& entry, std::int32_t i) {
    if (sequences.set(currentSequence, i == -1 ? playback.currentEntry : i, entry)) modified = true;
}

void OMAnimation::setEntry(std::int16_t frame, std::int16_t x, std::int16_t y, std::int16_t param, std::int32_t i) {
    setEntry(AseqEntry{x, y, frame, param}, i);
}

void OMAnimation::insertEntry(const AseqEntry& entry, std::int32_t i) {
    if (i == -1) i = playback.currentEntry;
    if (!sequences.insert(currentSequence, i, entry)) return;
    modified = true;
    rebindSequence();
    if (playback.currentEntry >= i) ++playback.currentEntry;
    if (shownEntry >= i) ++shownEntry;
}

void OMAnimation::insertEntry(std::int16_t frame, std::int16_t x, std::int16_t y, std::int16_t param,
                              std::int32_t i) {
    insertEntry(AseqEntry{x, y, frame, param}, i);
}

// Removing the current entry leaves playback at the entry that followed it.
void OMAnimation::removeEntry(std::int32_t i) {
    if (i == -1) i = playback.currentEntry;
    if (!sequences.remove(currentSequence, i)) return;
    modified = true;
    rebindSequence();
    if (playback.currentEntry > i) --playback.currentEntry;
    if (shownEntry > i) --shownEntry;
}

void OMAnimation::addSequence(const std::vector<AseqEntry>& entries) {
    sequences.add(entries);
    modified = true;
}

void OMAnimation::removeSequence(std::int32_t i) {
    if (i == -1) i = currentSequence;
    if (!sequences.removeList(i)) return;
    modified = true;
    if (i < currentSequence) {
        --currentSequence;
        rebindSequence();
    } else if (i == currentSequence && sequences.size() > 0) {
        selectSequence(i, true);
    } else if (i == currentSequence) {
        currentSequence = 0;
        playback.select(AseqSequence{});
    }
}

void OMAnimation::addSoundCue(std::int16_t soundId, std::int32_t position) {
    if (position == -1) position = framePosition();
    if (position <= 0) return;
    const std::int32_t end = playback.endIndex();
    for (std::int32_t i = 0, frames = 0; i < end; ++i) {
        if (playback.entry(i).frame >= 0 && ++frames == position) {
            insertEntry(AseqEntry{0, 0, kAseqSoundCue, soundId}, i);
            return;
        }
    }
}
