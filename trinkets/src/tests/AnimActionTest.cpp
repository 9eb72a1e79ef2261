// Animation steps on the trinket window: a resource animation made, placed and deleted by its step, and an
// existing animation played on to the end of its play; both finish at that end.
#include <string>

#include "AnimAction.h"
#include "AnimatedActionFixture.h"
#include "PlayAnimAction.h"

namespace {

class AnimActionTest : public AnimatedActionFixture {
protected:
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        endingFile = folder.file("ending.seq");
        damagedFile = folder.file("damaged.seq");
        const std::string bytes = writeAseq(ending(), ByteOrder::little);
        writeWholeFile(endingFile, bytes);
        writeWholeFile(damagedFile, bytes.substr(0, 10));
        AnimAction::setAnimationLookup([](std::uint16_t id) -> OMIStream* {
            const std::string& file = id == 12 ? endingFile : damagedFile;
            return id == 12 || id == 13 ? new OMIStreamFile(file.c_str(), kStreamWhole, nullptr) : nullptr;
        });
    }
    void TearDown() override {
        AnimAction::setAnimationLookup(nullptr);
        AnimatedActionFixture::TearDown();
    }
    // Two frames, then a hold that ends the play; placed at (20, 30) with z 4.
    static AseqPicture ending() {
        AseqPicture p;
        p.placement[0] = 20;
        p.placement[1] = 30;
        p.placement[3] = 4;
        p.sequences = {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, kAseqHold, 0}, {0, 0, kAseqEnd, 0}}};
        p.frames = {{2, 2, {9, 9, 9, 9}, {}}};
        return p;
    }
    static inline std::string endingFile;
    static inline std::string damagedFile;
};

// The hold reached at the third frame ends the play; the step's animation leaves the window with it.
TEST_F(AnimActionTest, AResourceAnimationPlaysWhereItsTokensSayAndGoesAtItsEnd) {
    const struct {
        std::vector<const char*> tokens;
        OMRect bounds;
        std::int32_t z;
        std::int32_t interruptible;
    } cases[] = {
        {{"12", "5", "0"}, {20, 30, 22, 32}, 5, 1},
        {{"12", "5", "0", "0"}, {20, 30, 22, 32}, 5, 0},
        {{"12", "100", "200", "5", "0"}, {100, 200, 102, 202}, 5, 1},
        {{"12", "100", "200", "5", "0", "0"}, {100, 200, 102, 202}, 5, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.tokens.size()) + " tokens");
        eventLog.clear();
        auto* step = static_cast<AnimAction*>(create("AnimAction", c.tokens));
        ASSERT_NE(nullptr, step);
        EXPECT_EQ(c.interruptible, step->isInterruptible());
        watchFinished(step, "anim");
        for (const char* after : {"finished@anim ", "finished@anim finished@anim "}) {
            step->start();
            ASSERT_NE(nullptr, step->animation);
            EXPECT_TRUE(step->animation->getBounds() == c.bounds);
            EXPECT_EQ(c.z, step->animation->getZ());
            EXPECT_EQ(0, step->animation->isMovable());
            EXPECT_EQ(0, step->animation->isTouchy());
            frames(2);
            EXPECT_NE(after, eventLog);
            frames(1);
            EXPECT_EQ(after, eventLog);
            EXPECT_EQ(nullptr, step->animation);
            EXPECT_EQ(0, window->trinkets.count);
        }
        delete step;
    }
    EXPECT_EQ(nullptr, create("AnimAction", {"12", "5"}));
}

// No id, no look-up, no data or damaged data: nothing to play.
TEST_F(AnimActionTest, WithoutAnAnimationToPlayTheStepFinishesAtOnce) {
    const struct {
        const char* id;
        bool lookup;
    } cases[] = {{"65535", true}, {"14", true}, {"13", true}, {"12", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        eventLog.clear();
        if (!c.lookup) AnimAction::setAnimationLookup(nullptr);
        auto* step = static_cast<AnimAction*>(create("AnimAction", {c.id, "5", "0"}));
        watchFinished(step, "anim");
        step->start();
        EXPECT_EQ("finished@anim ", eventLog);
        EXPECT_EQ(nullptr, step->animation);
        EXPECT_EQ(0, window->trinkets.count);
        delete step;
    }
}

TEST_F(AnimActionTest, HaltingTakesTheAnimationAwayAndPausingSuspendsIt) {
    auto* step = static_cast<AnimAction*>(create("AnimAction", {"12", "5", "0"}));
    watchFinished(step, "anim");
    step->start();
    frames(1);
    step->pause();
    EXPECT_EQ(PlayState::paused, step->animation->playback.state);
    frames(3);
    step->resume();
    EXPECT_EQ(PlayState::playing, step->animation->playback.state);
    step->halt();
    EXPECT_EQ(nullptr, step->animation);
    EXPECT_EQ(0, window->trinkets.count);
    frames(3);
    EXPECT_EQ("", eventLog);
    delete step;
}

// The step borrows the end of play of an animation it does not own: a paused animation plays on, and once
// the step has finished or been halted, a later end of play is the animation's own again.
TEST_F(AnimActionTest, AnExistingAnimationPlaysOnToTheEndOfItsPlay) {
    auto* played = static_cast<RAnimation*>(createObject("RAnimation", "0", "0", "7"));
    ASSERT_NE(nullptr, played);
    hold("played", played);
    // The fixture's looping animation, made to end when it reaches its loop entry.
    played->setRepeatCount(1);
    played->pause();
    played->waitSoundsAtEnd = true;
    Action* step = create("PlayAnimAction", {"played", "0"});
    ASSERT_NE(nullptr, step);
    EXPECT_EQ(0, step->isInterruptible());
    watchFinished(step, "play");
    step->start();
    EXPECT_FALSE(played->waitSoundsAtEnd);
    frames(1);
    EXPECT_EQ("", eventLog);
    frames(1);
    EXPECT_EQ("finished@play ", eventLog);
    played->setRepeatCount(1);
    played->play();
    frames(2);
    EXPECT_EQ("finished@play ", eventLog);

    step->start();
    step->halt();
    EXPECT_EQ(PlayState::paused, played->playback.state);
    played->setRepeatCount(1);
    played->play();
    frames(2);
    EXPECT_EQ("finished@play ", eventLog);

    delete played;
    step->start();
    EXPECT_EQ("finished@play finished@play ", eventLog);
    delete step;
    EXPECT_EQ(nullptr, create("PlayAnimAction", {"nothing"}));
}

}  // namespace
