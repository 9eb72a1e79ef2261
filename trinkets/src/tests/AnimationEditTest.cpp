// Editing an animation's play lists: entries written in the data shared with copies, inserted into a
// private copy, removed, lists added and removed, sound cues and the stop entry.
#include <functional>
#include <string>

#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "TrinketFixture.h"

namespace {

class AnimationEditTest : public TrinketFixture {
protected:
    // Frames 0 and 1 (1 x 1); the list: frame 0, frame 1 (x 4), frame 0, end; 10 frames a second.
    OMAnimation* animation() {
        AseqPicture p;
        p.frameRate = 10;
        p.sequences = {{{0, 0, 0, 0}, {4, 0, 1, 0}, {0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}};
        p.frames = {{1, 1, {5}, {}}, {1, 1, {6}, {}}};
        return new OMAnimation(window, data.stream(writeAseq(p, ByteOrder::little)), 0, 0);
    }
    // The frame fields of the current list, and "x" for an entry whose x is 9.
    static std::string list(const OMAnimation& a) {
        std::string text;
        for (std::int32_t i = 0; a.entryAt(i); ++i) text += std::to_string(a.entryAt(i)->frame) + (a.entryAt(i)->x == 9 ? "x " : " ");
        return text;
    }

    AnimationFiles data;
};

// Each edit starts at the second frame entry (index 1) of a fresh animation with a copy made before it.
TEST_F(AnimationEditTest, EditsChangeTheListsAsTheySay) {
    const struct {
        const char* name;
        std::function<void(OMAnimation&)> edit;
        const char* edited;
        std::int32_t current;
        const char* copy;  // the copy's list afterwards
        bool modified;
    } cases[] = {
        {"set in place, shared", [](OMAnimation& a) { a.setEntry(1, 9, 0, 0, 2); }, "0 1 1x -1 ", 1, "0 1 1x -1 ", true},
        {"set past the list", [](OMAnimation& a) { a.setEntry(1, 9, 0, 0, 4); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"insert before current, private", [](OMAnimation& a) { a.insertEntry(1, 9, 0, 0, 0); }, "1x 0 1 0 -1 ", 2, "0 1 0 -1 ", true},
        {"insert at the end entry", [](OMAnimation& a) { a.insertEntry(1, 9, 0, 0, 3); }, "0 1 0 1x -1 ", 1, "0 1 0 -1 ", true},
        {"insert after the end entry", [](OMAnimation& a) { a.insertEntry(1, 9, 0, 0, 4); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"remove current", [](OMAnimation& a) { a.removeEntry(-1); }, "0 0 -1 ", 1, "0 0 -1 -1 ", true},
        {"remove before current", [](OMAnimation& a) { a.removeEntry(0); }, "1 0 -1 ", 0, "1 0 -1 -1 ", true},
        {"the end entry stays", [](OMAnimation& a) { a.removeEntry(3); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"cue before frame entry 2", [](OMAnimation& a) { a.addSoundCue(7, 2); }, "0 -101 1 0 -1 ", 2, "0 1 0 -1 ", true},
        {"cue at the current position", [](OMAnimation& a) { a.addSoundCue(7, -1); }, "0 -101 1 0 -1 ", 2, "0 1 0 -1 ", true},
        {"cue at position 0", [](OMAnimation& a) { a.addSoundCue(7, 0); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"cue past the frames", [](OMAnimation& a) { a.addSoundCue(7, 4); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"new list selected", [](OMAnimation& a) { a.addSequence({}); a.selectSequence(1); }, "-1 ", 0, "0 1 0 -1 ", true},
        {"given list, end added", [](OMAnimation& a) { a.addSequence({{9, 0, 1, 0}}); a.selectSequence(1); }, "1x -1 ", 0,
         "0 1 0 -1 ", true},
        {"current list removed", [](OMAnimation& a) { a.addSequence({{9, 0, 1, 0}}); a.removeSequence(-1); }, "1x -1 ", 0,
         "0 1 0 -1 ", true},
        {"only list removed", [](OMAnimation& a) { a.removeSequence(0); }, "", 0, "0 1 0 -1 ", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OMAnimation* a = animation();
        a->setFramePosition(2, false);
        auto* copy = new OMAnimation(*a);
        c.edit(*a);
        EXPECT_EQ(list(*a), c.edited);
        EXPECT_EQ(a->playback.currentEntry, c.current);
        EXPECT_EQ(list(*copy), c.copy);
        EXPECT_EQ(a->isModified(), c.modified);
        EXPECT_FALSE(copy->isModified());
        delete copy;
        delete a;
    }
}

// Playing from the start, playback pauses once at the stop entry; played again it goes on.
TEST_F(AnimationEditTest, PlaybackPausesOnceAtTheStopEntry) {
    OMAnimation* a = animation();
    a->setStopEntry(2);
    std::string states;
    for (const std::uint32_t ms : {1000u, 1100u, 1200u}) {
        fakeMs = ms;
        window->update();
        states += std::to_string(static_cast<int>(a->playback.state));
    }
    a->play();
    fakeMs = 1300;
    window->update();
    states += std::to_string(a->playback.currentEntry);
    EXPECT_EQ(states, "1223");
    delete a;
}

}  // namespace
