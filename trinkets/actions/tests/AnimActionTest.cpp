// Animation steps: a resource animation made and taken away by its step, an existing one played to its end.
#include "AnimAction.h"
#include "AnimatedActionFixture.h"
#include "PlayAnimAction.h"

namespace {

struct AnimActionTest : AnimatedActionFixture {
    // Id 12: two frames, then a hold that ends the play; placed at (20, 30) with z 4. Id 13: damaged.
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        const AseqPicture p{8, {20, 30, 0, 4}, 0, {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, kAseqHold, 0}, {0, 0, kAseqEnd, 0}}},
                            {{2, 2, {9, 9, 9, 9}, {}}}};
        const std::string bytes = writeAseq(p, ByteOrder::little);
        data.animation(12, bytes);
        data.animation(13, bytes.substr(0, 10));
        AnimAction::setAnimationLookup([](std::uint16_t id) { return OMAnimation::animationHook(static_cast<std::int16_t>(id)); });
    }
    void TearDown() override {
        AnimAction::setAnimationLookup(nullptr);
        AnimatedActionFixture::TearDown();
    }
};

// The hold at the third frame ends the play, and the step's animation leaves the window with it.
TEST_F(AnimActionTest, AResourceAnimationPlaysWhereItsTokensSayAndGoesAtItsEndOrTheStepFinishesAtOnce) {
    const std::tuple<std::vector<const char*>, OMRect, std::int32_t> cases[] = {
        {{"12", "5", "0"}, {20, 30, 22, 32}, 1}, {{"12", "100", "200", "5", "0", "0"}, {100, 200, 102, 202}, 0}};
    for (const auto& [tokens, bounds, interruptible] : cases) {
        SCOPED_TRACE(std::to_string(tokens.size()) + " tokens");
        eventLog.clear();
        auto* step = static_cast<AnimAction*>(create("AnimAction", tokens));
        EXPECT_EQ(interruptible, step->isInterruptible());
        for (const char* after : {"finished@step ", "finished@step finished@step "}) {
            step->start();
            const RAnimation& a = *step->animation;
            EXPECT_EQ(numbers(a.bounds) + ", " + numbers({a.z, a.movable, a.touchy}), numbers(bounds) + ", 5 0 0");
            frames(2);
            EXPECT_NE(after, eventLog);
            frames(1);
            EXPECT_EQ(std::make_pair(std::string(after), 0), std::make_pair(eventLog, window->trinkets.count));
        }
        step->start();
        step->halt();
        EXPECT_EQ(0, window->trinkets.count);
        delete step;
    }
    EXPECT_EQ(nullptr, create("AnimAction", {"12", "5"}));
    // No id, no data or damaged data: nothing to play, the step finishes at once.
    for (const char* id : {"65535", "14", "13"}) {
        SCOPED_TRACE(id);
        eventLog.clear();
        Action* step = create("AnimAction", {id, "5", "0"});
        step->start();
        EXPECT_EQ(std::make_pair(std::string("finished@step "), 0), std::make_pair(eventLog, window->trinkets.count));
        delete step;
    }
}

// The step borrows the end of play of an animation it does not own: once the step has finished or been
// halted, the animation's end of play is its own again.
TEST_F(AnimActionTest, AnExistingAnimationPlaysOnToTheEndOfItsPlay) {
    auto* played = hold("played", static_cast<RAnimation*>(createObject("RAnimation", "0", "0", "7")));
    const auto endAtLoop = [&] {
        played->setRepeatCount(1);
        played->play();
        frames(2);
    };
    played->pause();
    played->waitSoundsAtEnd = true;
    Action* step = create("PlayAnimAction", {"played"});
    step->start();
    EXPECT_FALSE(played->waitSoundsAtEnd);
    endAtLoop();
    EXPECT_EQ("finished@step ", eventLog);
    endAtLoop();
    step->start();
    step->halt();
    EXPECT_EQ(PlayState::paused, played->playback.state);
    endAtLoop();
    EXPECT_EQ("finished@step ", eventLog);
    delete played;
    step->start();
    EXPECT_EQ("finished@step finished@step ", eventLog);
    delete step;
    EXPECT_EQ(nullptr, create("PlayAnimAction", {"nothing"}));
}

}  // namespace
