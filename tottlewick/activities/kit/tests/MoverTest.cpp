// The Mover: headings in degrees, the path from a start to a target on the kit clock, and a still one.
#include <gtest/gtest.h>

#include <cmath>

#include "EngineClock.h"
#include "GraphicsTestSupport.h"
#include "KitClock.h"
#include "Mover.h"

namespace {

std::uint32_t now = 0;

TEST(MoverTest, HeadingsFromTheOrigin) {
    const struct {
        int x, y;
        double heading;
    } cases[] = {{0, -10, 0}, {10, 0, 90}, {0, 10, 180}, {-10, 0, 270}, {0, 0, 90}, {10, -10, 45}, {-10, 10, 225}};
    for (const auto& c : cases) EXPECT_NEAR(Heading(0, 0, c.x, c.y), c.heading, 1e-9) << c.x << "," << c.y;
}

TEST(MoverTest, StopsExactlyOnItsTargetAndASpeedOfZeroNeverMoves) {
    ClockSetSource([] { return now; });
    KitClockStart();
    Mover* m = MoverCreate(499, 109, 80, 239);
    Mover* still = MoverCreate(10, 10, 20, 20);
    ASSERT_TRUE(m && still);
    EXPECT_NEAR(m->heading, 252.76, 0.005);
    EXPECT_EQ(m->distance, 438);
    EXPECT_EQ(rectCsv(m->travel), "80,109,500,240");
    MoverSetSpeed(m, 100);
    MoverStart(m);
    MoverStart(still);
    std::uint32_t stoppedAt = 0;
    for (now = 30; now <= 6000 && !stoppedAt; now += 30) {
        MoverStep(m);
        MoverStep(still);
        if (!MoverIsMoving(m)) stoppedAt = now;
    }
    EXPECT_EQ(stoppedAt, 4410u);
    EXPECT_EQ(MoverGetPosition(m), PointPack(80, 239));
    EXPECT_EQ(MoverGetPosition(still), PointPack(10, 10));
    EXPECT_EQ(MoverIsMoving(still), 1);
    MoverFree(m);
    MoverFree(still);
    KitClockStop();
    ClockSetSource(nullptr);
}

}  // namespace
