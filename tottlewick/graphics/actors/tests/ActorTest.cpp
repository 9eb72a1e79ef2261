// Actors on the sound test bench: pressing, rollover and release with their sounds and procedures across
// changes of the table, hidden and masked actors, adding many, dragging inside the limits, flashing on
// a moving clock, and sound completions that find their actor by id.
#include "Actor.h"
#include "SndTestSupport.h"
#include "UpdateTestSupport.h"
#include "XmvWriter.h"

namespace {

using sndtest::ScriptedClock;

std::uint32_t at(int x, int y) { return PointPack(std::int16_t(x), std::int16_t(y)); }

constexpr std::uint32_t kPress = 3, kRollover = 4, kRelease = 5;

std::vector<std::string> events;  // what the procedures and the redraw saw

void recordRelease(Actor* entry, std::uint32_t point) {
    events.push_back("release " + std::to_string(entry->desc.id) + " at " + std::to_string(point & 0xFFFF));
}

struct ActorTest : sndtest::SndTest {
    // Bank 1: 10 x 10 shapes of '1' (normal), '2' (rollover), '3' (pressed), a mask whose left half is
    // skipped, a 50 x 50 of '5', and a 10 x 10 of '6'. 'XMV' 2: the stub, one shape-0 event. Sounds 3-5.
    void SetUp() override {
        SndTest::SetUp();
        ASSERT_EQ(PalMgrInit(), 1);
        ASSERT_EQ(ShapeMgrInit(), 1);
        ForgeBank forged;
        const auto square = [](char c, int n) { return handShape(std::vector<std::string>(n, std::string(n, c))); };
        forged.shapes = {square('1', 10), square('2', 10), square('3', 10),
                         handShape(std::vector<std::string>(10, ".....44444")), square('5', 50), square('6', 10)};
        ASSERT_NE(open({{"XPK", 1, forgeXpk(forged, ByteOrder::big)}, {"XMV", 2, xmvWrite(xmvStub(1), ByteOrder::big)},
                        sndtest::aifResource(kPress, sndtest::ramp(22050)),
                        sndtest::aifResource(kRollover, sndtest::ramp(22050)),
                        sndtest::aifResource(kRelease, sndtest::ramp(22050))}),
                  0u);
        bank = ShapeBankLoad(1);
        ASSERT_NE(bank, 0u);
        ASSERT_EQ(CanvasCreate(&ScreenUpdateTest::offscreen, 640 | 480u << 16, kCanvasMemory | kCanvasOffscreen), 1);
        UpdateSetDisplay(&ScreenUpdateTest::display);
        ASSERT_EQ(UpdateInit(kUpdateCapacity), 1);
        events.clear();
    }
    void TearDown() override {
        ActorRemoveAll();
        UpdateTerm();
        UpdateSetDisplay(nullptr);
        PortSet(0);
        CanvasDispose(&ScreenUpdateTest::offscreen);
        ShapeBankFree(&bank);
        ShapeMgrTerm();
        PalMgrTerm();
        SndTest::TearDown();
    }
    static std::uint16_t pixel(int x, int y) { return pixelAt(ScreenUpdateTest::offscreen, x, y); }
    ShapeBank bank = 0;
};

TEST_F(ActorTest, PressRolloverAndReleaseAcrossChangesOfTheTable) {
    ASSERT_EQ(ActorAddRollover(at(100, 100), bank, 0, 5, 1), 1);
    ASSERT_EQ(ActorAddButton(at(105, 100), bank, 0, 1, 2, 2), 1);
    EXPECT_EQ(ActorAddShape(at(0, 0), bank, 0, 2), 0) << "a duplicate id";
    ActorSetRolloverSound(kRollover, 2);
    ActorSetPressSound(kPress, 2);
    ActorSetReleaseSound(kRelease, 2);
    ActorSetReleaseProc(recordRelease, 2);
    EXPECT_EQ(ActorTrackMouse(at(107, 105)), 2) << "the newer of two overlapping actors";
    EXPECT_EQ((Results{ActorIsRollover(1), ActorIsRollover(2), ActorIsSoundDone(2)}), (Results{1, 1, 0}));
    PortSet(ScreenUpdateTest::offscreen);
    ActorDrawAll(nullptr);
    EXPECT_EQ((Results{pixel(102, 105), pixel(107, 105)}), (Results{'6', '2'})) << "the overlap shows the newer";

    EXPECT_EQ(ActorMouseDown(at(107, 105)), 2);
    EXPECT_EQ((Results{ActorIsPressed(2), ActorIsTracking(), ActorMouseDown(at(102, 105))}), (Results{1, 1, -1}));
    EXPECT_EQ(ActorTrackMouse(at(300, 300)), -1);
    EXPECT_EQ((Results{ActorIsRollover(1), ActorIsPressed(2)}), (Results{0, 0})) << "off the pressed actor";
    ActorSetRollover(1, 1);
    EXPECT_EQ(ActorIsRollover(1), 0) << "no rollover look during a press";
    ASSERT_EQ(ActorAddShape(at(400, 400), bank, 0, 3), 1);
    ActorSetReleaseProc(recordRelease, 3);
    EXPECT_EQ(ActorMouseUp(at(300, 300)), -1) << "released outside";
    EXPECT_EQ(events, std::vector<std::string>{"release 2 at 300"}) << "the actor pressed before the addition";
    EXPECT_EQ((Results{ActorIsSoundDone(2), ActorIsTracking()}), (Results{0, 0})) << "the release sound plays";
}

TEST_F(ActorTest, HiddenMaskedManyAndRemoved) {
    ASSERT_EQ(ActorAddAnim(at(200, 200), 2, kActorAnimHidden | kActorAnimPaused, 10), 1);
    EXPECT_EQ((Results{ActorIsActive(10), ActorTrackMouse(at(205, 205))}), (Results{0, -1})) << "starts hidden";
    ActorShow(10);
    EXPECT_EQ((Results{ActorIsActive(10), ActorTrackMouse(at(205, 205)), ActorIsAnimPaused(10)}),
              (Results{1, 10, 1})) << "its animation's frame is hit";
    Rect bounds{};
    ActorGetBounds(&bounds, 10);
    EXPECT_EQ(rectCsv(bounds), "200,200,200,200") << "the stub's bounds are empty";

    ActorDesc descs[2];
    ActorDescInit(&descs[0], 20, nullptr, bank, 0, nullptr, kActorShape, 0, 0, 0, 0, 0, 0, 0);
    ActorDescInit(&descs[1], 10, nullptr, bank, 0, nullptr, kActorShape, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ((Results{ActorAddMany(2, descs), ActorFindIndex(20)}), (Results{0, -1})) << "one id present";
    descs[1].id = 21;
    descs[0].x = descs[1].x = 300;
    descs[1].maskBank = bank;
    descs[1].maskIndex = 3;
    ASSERT_EQ(ActorAddMany(2, descs), 1);
    EXPECT_EQ((Results{ActorFindIndex(20), ActorFindIndex(21), ActorFindIndex(10)}), (Results{0, 1, 2}));
    ActorHide(20);
    EXPECT_EQ((Results{ActorTrackMouse(at(302, 5)), ActorTrackMouse(at(307, 5))}), (Results{-1, 21}))
        << "the mask overrules the normal image";

    for (std::uint32_t id : {20u, 21u, 10u}) EXPECT_EQ(ActorRemove(id), 1);
    EXPECT_EQ((Results{ActorFindIndex(10), ActorFindIndex(20), ActorRemove(10), ActorMouseUp(at(0, 0))}),
              (Results{-1, -1, 0, -1}));
}

TEST_F(ActorTest, DraggingStaysInsideTheLimits) {
    ASSERT_EQ(ActorAddDraggable(at(580, 100), bank, 4, 7), 1);
    EXPECT_EQ(ActorMouseDown(at(600, 120)), 7);
    EXPECT_EQ(ActorIsDragging(7), 1);
    ActorTrackMouse(at(700, 120));
    Point p{};
    ActorGetPosition(&p, 7);
    EXPECT_EQ((Results{p.h, p.v}), (Results{590, 100}));
    ActorTrackMouse(at(650, -40));
    ActorGetPosition(&p, 7);
    EXPECT_EQ((Results{p.h, p.v}), (Results{590, 0}));
    ActorMouseUp(at(0, 0));
    EXPECT_EQ(ActorIsDragging(7), 0);
}

TEST_F(ActorTest, ProceduresThatRemoveActorsAndRewinds) {
    const auto removeSelf = [](Actor* entry, std::uint32_t) { ActorRemove(entry->desc.id); };
    ActorAddHotRect(Rect{0, 0, 10, 10}, 1);
    ActorSetTickProc(removeSelf, 1);
    EXPECT_EQ((Results{ActorTrackMouse(at(5, 5)), ActorFindIndex(1)}), (Results{-1, -1})) << "the only actor";
    ActorAddHotRect(Rect{0, 0, 10, 10}, 2);
    ActorAddHotRect(Rect{20, 0, 30, 10}, 3);
    ActorSetTickProc(removeSelf, 2);
    EXPECT_EQ(ActorTrackMouse(at(5, 5)), -1) << "the last of two, under the point";

    ASSERT_EQ(ActorAddDraggable(at(100, 100), bank, 0, 7), 1);
    ASSERT_EQ(ActorMouseDown(at(105, 105)), 7);
    ActorRemove(7);
    ASSERT_EQ(ActorMouseDown(at(25, 5)), 3);
    EXPECT_EQ(ActorIsDragging(3), 0) << "the next pressed actor does not inherit the drag";
    ActorMouseUp(at(25, 5));

    // Stub 'XMV' 2 lasts 60 units, 100 ms on the clock.
    ASSERT_EQ(ActorAddAnim(at(200, 200), 2, kActorAnimTimed, 11), 1);
    ScriptedClock::advance(50);
    ActorStepAnims();
    ActorRewindAnim(11);
    ScriptedClock::advance(50);
    ActorStepAnims();
    EXPECT_EQ(ActorIsAnimPaused(11), 0) << "50 ms after the rewind: not at the end";
}

TEST_F(ActorTest, AFlashShowsThePressedLookForTheDelay) {
    ActorAddButton(at(100, 100), bank, 0, 1, 2, 4);
    ActorSetPressSound(kPress, 4);
    ActorSetReleaseSound(kRelease, 4);
    UpdateSetRedrawProc([](std::uint16_t, const Rect*) {
        events.push_back((ActorIsPressed(4) ? "pressed@" : "normal@") + std::to_string(ScriptedClock::now));
    });
    ClockSetSource([] { return ++ScriptedClock::now; });
    const std::uint32_t start = ScriptedClock::now;
    EXPECT_EQ(ActorFlash(4), 1);
    ClockSetSource(ScriptedClock::engine);
    ASSERT_EQ(events.size(), 2u);
    const auto at = [&](std::size_t i) { return std::stoul(events[i].substr(events[i].find('@') + 1)) - start; };
    EXPECT_EQ(events[0].substr(0, 8) + events[1].substr(0, 7), "pressed@normal@");
    EXPECT_GE(at(1) - at(0), 500u);
    EXPECT_LT(at(1) - at(0), 520u);
    EXPECT_EQ((Results{ActorIsPressed(4), ActorIsSoundDone(4), ActorFlashByKey(9)}), (Results{0, 0, -1}));
}

TEST_F(ActorTest, ASoundsCompletionFindsItsActorById) {
    ActorAddHotRect(Rect{0, 0, 10, 10}, 1);
    ActorSetPressSound(kPress, 1);
    ASSERT_EQ(ActorMouseDown(at(5, 5)), 1);
    ActorMouseUp(at(5, 5));
    ActorAddHotRect(Rect{20, 0, 30, 10}, 2);
    ActorSetPressSound(kPress, 2);
    runFor(1200);
    EXPECT_EQ(ActorIsSoundDone(1), 1);
    ASSERT_EQ(ActorMouseDown(at(25, 5)), 2);
    ActorMouseUp(at(25, 5));
    ActorStopSoundById(1);
    EXPECT_EQ(ActorIsSoundDone(2), 0) << "the first actor's old channel now plays the second's sound";
}

}  // namespace
