// Moves stepped by an animation's frames: placing, passing the target, halting, restarting, deaths, tokens.
#include "AnimatedActionFixture.h"
#include "MoveXYAction.h"

namespace {

struct MoveActionTest : AnimatedActionFixture {
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        anim = hold("anim", static_cast<RAnimation*>(createObject("RAnimation", "0", "0", "7")));
        box = hold("t", solid({0, 0, 10, 10}, 3, 1));
    }
    void TearDown() override {
        delete box;
        delete anim;
        AnimatedActionFixture::TearDown();
    }
    // Starts the move and runs `count` frames: the trinket's x (y, or "x,y") after start and each frame.
    std::string run(Action* move, int count, char axis) {
        move->start();
        std::string places = where(axis);
        for (int i = 0; i < count; ++i) {
            frames(1);
            places += " " + where(axis);
        }
        return places;
    }
    std::string where(char axis) const {
        const std::string x = std::to_string(box->getX()), y = std::to_string(box->getY());
        return axis == 'x' ? x : axis == 'y' ? y : x + "," + y;
    }
    // Halts the move: the place then, and the notification mode and state the animation is given back in.
    std::string halt(Action* move, char axis) {
        move->halt();
        const bool paused = anim->playback.state == PlayState::paused;
        return where(axis) + " mode " + std::to_string(anim->frameNotification()) + (paused ? " paused" : " playing");
    }
    RAnimation* anim = nullptr;
    SolidTrinket* box = nullptr;
};

TEST_F(MoveActionTest, EachFrameStepsTheMoveAndPassingTheTargetPutsTheTrinketOnIt) {
    // places: after start and after each of four frames.
    const struct {
        const char* kind; std::vector<const char*> tokens; char axis; const char *places, *events, *halted;
    } cases[] = {
        {"MoveXAction", {"anim", "t", "0", "10", "0", "35"}, 'x', "0 10 20 30 35", "finished@step ", "35"},
        {"MoveXAction", {"anim", "t", "0", "10", "0", "30"}, 'x', "0 10 20 30 30", "finished@step ", "30"},
        {"MoveYAction", {"anim", "t", "100", "-5", "-1", "80"}, 'y', "100 95 89 82 80", "finished@step ", "80"},
        {"MoveXAction", {"anim", "t", "50", "5", "0", "50"}, 'x', "50 55 60 65 70", "", "50"},
        {"MoveXAction", {"anim", "t", "100", "-10", "0", "130"}, 'x', "100 90 80 70 60", "", "130"},
        // x passes 15 first and goes on until y passes 18 too.
        {"MoveXYAction", {"anim", "t", "0", "10", "0", "15", "0", "5", "0", "18"}, 'b', "0,0 10,5 20,10 30,15 15,18",
         "finished@step ", "15,18"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.places);
        eventLog.clear();
        Action* move = create(c.kind, c.tokens);
        ASSERT_NE(nullptr, move);
        const std::string places = run(move, 4, c.axis);
        EXPECT_EQ(std::make_tuple(std::string(c.places), std::string(c.events), c.halted + std::string(" mode 0 paused")),
                  std::make_tuple(places, eventLog, halt(move, c.axis)));
        delete move;
    }
}

// Started again, after finishing or while running, a move repeats its first run and its halt gives back
// the mode the animation had before the first start.
TEST_F(MoveActionTest, ARestartedMoveRepeatsItsFirstRun) {
    Action* move = create("MoveXAction", {"anim", "t", "0", "10", "5", "100"});
    for (int count : {6, 6, 2, 2}) EXPECT_EQ(std::string("0 10 25 45 70 100 100").substr(0, count == 6 ? 21 : 7), run(move, count, 'x'));
    EXPECT_EQ("100 mode 0 paused", halt(move, 'x'));
    delete move;
}

// The trinket's death ends the move at the next frame; after the animation's death it waits to be
// halted; one object may be both.
TEST_F(MoveActionTest, TheDeathOfTheTrinketOrTheAnimationIsSafe) {
    const std::tuple<const char*, const char*, const char*, std::int32_t> cases[] = {
        {"anim", "moved", "finished@step ", 0}, {"moved", "t", "", 1}, {"moved", "moved", "", 1}};
    for (const auto& [driver, trinket, events, active] : cases) {
        SCOPED_TRACE(std::string(driver) + " " + trinket);
        eventLog.clear();
        RAnimation* moved = hold("moved", static_cast<RAnimation*>(createObject("RAnimation", "0", "0", "7")));
        Action* move = create("MoveXAction", {driver, trinket, "0", "10", "0", "300"});
        static_cast<void>(run(move, 1, 'x'));
        delete moved;
        frames(2);
        EXPECT_EQ(std::make_pair(std::string(events), active), std::make_pair(eventLog, move->isActive()));
        move->halt();
        delete move;
    }
    EXPECT_EQ(300, box->getX());
}

TEST_F(MoveActionTest, TheCreateFunctionsNeedBothObjectsAndTheLastTarget) {
    Action* empty = hold("empty", create("EmptyAction", {}));
    const std::tuple<const char*, std::vector<const char*>, std::int32_t> cases[] = {
        {"MoveYAction", {"anim", "t", "0", "10", "0", "35", "0"}, 0},
        {"MoveXAction", {"anim", "t", "0", "10", "0"}, -1},
        {"MoveXAction", {"nothing", "t", "0", "10", "0", "35"}, -1},
        {"MoveXAction", {"anim", "empty", "0", "10", "0", "35"}, -1},
        {"MoveXYAction", {"anim", "t", "0", "1", "0", "5", "0", "1", "0", "5"}, 1},
        {"MoveXYAction", {"anim", "t", "0", "1", "0", "5", "0", "1", "0"}, -1},
    };
    for (const auto& [kind, tokens, interruptible] : cases)
        EXPECT_EQ(interruptible, createdFlag(kind, tokens)) << kind << " with " << tokens.size() << " tokens";
    delete empty;
}

}  // namespace
