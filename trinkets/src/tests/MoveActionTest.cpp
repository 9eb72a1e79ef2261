// Moves stepped by a script animation's frames on the fake clock: positions frame by frame, passing the
// target, halting, restarting, the deaths of the objects involved and the create functions' tokens.
#include <string>

#include "AnimatedActionFixture.h"
#include "MoveXYAction.h"
#include "RQueue.h"

namespace {

class MoveActionTest : public AnimatedActionFixture {
protected:
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        anim = animation("anim");
        ASSERT_NE(nullptr, anim);
        box = solid({0, 0, 10, 10}, 3, 1);
        hold("t", box);
    }
    void TearDown() override {
        delete box;
        delete anim;
        AnimatedActionFixture::TearDown();
    }
    // The trinket's place now: "x" or "y" alone, or "x,y" for both.
    std::string where(char axis) const {
        if (axis == 'x') return std::to_string(box->getX());
        if (axis == 'y') return std::to_string(box->getY());
        return std::to_string(box->getX()) + "," + std::to_string(box->getY());
    }
    // Starts the move, then runs `count` frames: the place after start and after each frame.
    std::string run(Action* move, int count, char axis) {
        move->start();
        std::string places = where(axis);
        for (int i = 0; i < count; ++i) {
            frames(1);
            places += " " + where(axis);
        }
        return places;
    }

    RAnimation* anim = nullptr;
    SolidTrinket* box = nullptr;
};

TEST_F(MoveActionTest, EachFrameStepsTheMoveAndPassingTheTargetPutsTheTrinketOnIt) {
    const struct {
        const char* kind;
        std::vector<const char*> tokens;
        int frames;
        char axis;
        const char* places;
        const char* events;
        const char* afterHalt;
    } cases[] = {
        {"MoveXAction", {"anim", "t", "0", "10", "0", "35"}, 4, 'x', "0 10 20 30 35", "finished@move ", "35"},
        {"MoveXAction", {"anim", "t", "0", "10", "0", "30"}, 4, 'x', "0 10 20 30 30", "finished@move ", "30"},
        {"MoveYAction", {"anim", "t", "100", "-5", "-1", "80"}, 4, 'y', "100 95 89 82 80", "finished@move ", "80"},
        {"MoveXAction", {"anim", "t", "50", "5", "0", "50"}, 4, 'x', "50 55 60 65 70", "", "50"},
        {"MoveXAction", {"anim", "t", "100", "-10", "0", "130"}, 4, 'x', "100 90 80 70 60", "", "130"},
        // x passes first and goes on beyond 15 until y passes 18 too.
        {"MoveXYAction", {"anim", "t", "0", "10", "0", "15", "0", "5", "0", "18"}, 4, 'b',
         "0,0 10,5 20,10 30,15 15,18", "finished@move ", "15,18"},
        {"MoveXYAction", {"anim", "t", "0", "10", "0", "15", "0", "0", "0", "18"}, 2, 'b', "0,0 10,0 20,0", "", "15,18"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.places);
        eventLog.clear();
        Action* move = create(c.kind, c.tokens);
        ASSERT_NE(nullptr, move);
        watchFinished(move, "move");
        EXPECT_EQ(c.places, run(move, c.frames, c.axis));
        EXPECT_EQ(c.events, eventLog);
        move->halt();
        EXPECT_EQ(c.afterHalt, where(c.axis));
        // A finished or halted move gives the animation back, paused, with its own mode.
        EXPECT_EQ(0, anim->frameNotification());
        EXPECT_EQ(PlayState::paused, anim->playback.state);
        delete move;
    }
}

// A move started again, while running or after finishing, goes back to its first velocity and leaves the
// animation in the mode it had before the first start.
TEST_F(MoveActionTest, ARestartedMoveRepeatsItsFirstRunAndGivesBackTheFirstSavedMode) {
    Action* move = create("MoveXAction", {"anim", "t", "0", "10", "5", "100"});
    watchFinished(move, "move");
    EXPECT_EQ("0 10 25 45 70 100 100", run(move, 6, 'x'));
    EXPECT_EQ("finished@move ", eventLog);
    EXPECT_EQ("0 10 25 45 70 100 100", run(move, 6, 'x'));

    move->start();
    frames(2);
    EXPECT_EQ("0 10 25", run(move, 2, 'x'));
    move->halt();
    EXPECT_EQ(0, anim->frameNotification());
    delete move;
}

// The trinket's death ends the move at the next frame; the animation's death leaves it active until it is
// halted; one object may be both.
TEST_F(MoveActionTest, TheDeathOfTheTrinketOrTheAnimationIsSafe) {
    RAnimation* moved = animation("moved");
    Action* move = create("MoveXAction", {"anim", "moved", "0", "10", "0", "300"});
    watchFinished(move, "move");
    move->start();
    frames(1);
    delete moved;
    EXPECT_EQ("", eventLog);
    frames(1);
    EXPECT_EQ("finished@move ", eventLog);
    EXPECT_EQ(0, move->isActive());
    delete move;

    RAnimation* driver = animation("driver");
    move = create("MoveXAction", {"driver", "t", "0", "10", "0", "300"});
    move->start();
    frames(1);
    delete driver;
    frames(2);
    EXPECT_EQ(1, move->isActive());
    EXPECT_EQ(10, box->getX());
    move->halt();
    EXPECT_EQ(300, box->getX());
    delete move;

    RAnimation* both = animation("both");
    move = create("MoveXAction", {"both", "both", "0", "10", "0", "300"});
    move->start();
    frames(1);
    delete both;
    frames(1);
    delete move;
}

TEST_F(MoveActionTest, TheCreateFunctionsNeedBothObjectsAndTheLastTarget) {
    RQueue queue(1, 1);
    hold("queue", &queue);
    const struct {
        const char* kind;
        std::vector<const char*> tokens;
        std::int32_t interruptible;  // -1: nothing created
    } cases[] = {
        {"MoveXAction", {"anim", "t", "0", "10", "0", "35"}, 1},
        {"MoveYAction", {"anim", "t", "0", "10", "0", "35", "0"}, 0},
        {"MoveXAction", {"anim", "t", "0", "10", "0"}, -1},
        {"MoveXAction", {"nothing", "t", "0", "10", "0", "35"}, -1},
        {"MoveXAction", {"anim", "queue", "0", "10", "0", "35"}, -1},
        {"MoveXAction", {"queue", "t", "0", "10", "0", "35"}, -1},
        {"MoveXYAction", {"anim", "t", "0", "1", "0", "5", "0", "1", "0", "5"}, 1},
        {"MoveXYAction", {"anim", "t", "0", "1", "0", "5", "0", "1", "0", "5", "0"}, 0},
        {"MoveXYAction", {"anim", "t", "0", "1", "0", "5", "0", "1", "0"}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " with " + std::to_string(c.tokens.size()) + " tokens");
        Action* move = create(c.kind, c.tokens);
        EXPECT_EQ(c.interruptible, move ? move->isInterruptible() : -1);
        delete move;
    }
}

}  // namespace
