// The racing game's problem generator and its road's behaviour, on a fixed seed and a hand-driven clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "PXKFuelCore.h"
#include "PXKHornCore.h"
#include "PXKProblem.h"
#include "PXKRoad.h"

namespace {

// The value of "a+b", "a+b+c" or "a-b".
int valueOf(const std::string& text) {
    std::size_t at = 0;
    int value = std::stoi(text, &at);
    while (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        std::size_t used = 0;
        const int term = std::stoi(text.substr(at + 1), &used);
        value += text[at] == '+' ? term : -term;
        at += used + 1;
    }
    return value;
}

TEST(RacingTest, ProblemsFollowTheirDifficulty) {
    const std::int32_t counting[6] = {18, 16, 16, 16, 16, 18};
    EXPECT_EQ((std::vector<int>{0, 0, 1, 5}),
              (std::vector<int>{weightedPick(counting, 6, 0), weightedPick(counting, 6, 18),
                                weightedPick(counting, 6, 19), weightedPick(counting, 6, 99)}));
    std::srand(7);
    std::set<std::string> countingEnds;
    for (int difficulty = 1; difficulty <= 4; ++difficulty) {
        std::string last = "empty";
        for (int i = 0; i < 1000; ++i) {
            const std::string before = last;
            const PXKProblem p = nextProblem(difficulty, last);
            const std::string& right = p.choices[std::size_t(p.answerIndex)];
            SCOPED_TRACE(std::to_string(difficulty) + ": " + p.text + " " + right);
            ASSERT_TRUE(right != before && right == last);
            if (difficulty == 1) {
                ASSERT_EQ(std::to_string(p.pictureCount), right);
                for (int k = 1; k < 5; ++k) ASSERT_EQ(std::stoi(p.choices[0]) + k, std::stoi(p.choices[k]));
                if (p.pictureCount == 1 || p.pictureCount == 10)
                    countingEnds.insert(p.choices[0] + ".." + p.choices[4] + "@" + std::to_string(p.answerIndex));
                continue;
            }
            const int n = valueOf(p.text);
            ASSERT_EQ(n, valueOf(right));
            if (difficulty == 3) {
                ASSERT_TRUE(std::stoi(p.text) <= 10 && (n != 10 || p.text == "10-0=?"));
            }
            if (difficulty == 4) {
                ASSERT_NE(p.text, right + "=?");
            }
            std::set<int> values;
            for (const std::string& choice : p.choices) values.insert(valueOf(choice));
            ASSERT_TRUE(values.size() == 5 && *values.begin() >= 1 && *values.rbegin() <= 10);
        }
    }
    EXPECT_EQ((std::set<std::string>{"1..5@0", "6..10@4"}), countingEnds);
}

TEST(RacingTest, GlyphsAndTheRewardSweep) {
    const std::pair<char, int> glyphs[] = {{'A', 6580}, {'z', 6605}, {'0', 6550}, {'9', 6559}, {'+', 6704}, {'?', 6707}, {'-', 6707}};
    for (const auto& [c, id] : glyphs) EXPECT_EQ(id, pxk::glyphResource(pxk::glyphIndex(c))) << c;
    int x = 0;
    EXPECT_TRUE(pxk::sweep(1, 590, 250, x));
    EXPECT_EQ(565, x);
    EXPECT_FALSE(pxk::sweep(1, 500, 260, x));
}

// A road on a clock that the test moves; codes and sounds are kept in order.
struct Road {
    std::vector<int> codes, sounds;
    PXKRoad road{[this](std::int32_t c) { codes.push_back(c); }, [this](std::int32_t s) { sounds.push_back(s); },
                 [](std::int32_t, std::int32_t frame) { return PXKRoad::Size{10 + frame, 20}; }};
    std::uint32_t now = 1000;
    void run(std::uint32_t ticks) {
        for (std::uint32_t end = now + ticks; now < end;) road.tick(++now);
    }
    // Runs until the road sends code, at most limit ticks; the segment then.
    int segmentAtCode(int code, std::uint32_t limit = 5000) {
        for (std::uint32_t end = now + limit; now < end && (codes.empty() || codes.back() != code);) road.tick(++now);
        return codes.empty() || codes.back() != code ? -1 : road.segment();
    }
};

TEST(RacingTest, RoadSpeedsUpAndBrakes) {
    Road r;
    r.road.start(1, false, r.now);
    r.road.go(r.now);
    r.run(99);
    EXPECT_EQ(0, r.road.rate());
    r.run(1);
    EXPECT_EQ(6, r.road.rate());
    std::vector<int> rates;
    for (int frame = r.road.sceneryFrame(); rates.size() < 20; r.run(1)) {
        if (r.road.sceneryFrame() == frame) continue;
        frame = r.road.sceneryFrame();
        rates.push_back(r.road.rate());
        if (rates.size() == 15) r.road.setSpeed(2);
    }
    // Frames 2, 3, ...: one more on odd frames, 15 at speed 1; then up towards 20 without a jump.
    EXPECT_EQ((std::vector<int>{6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16}), rates);
    r.run(400);
    EXPECT_EQ(20, r.road.rate());
    r.road.brake();
    r.segmentAtCode(9);
    EXPECT_EQ((std::vector<int>{9}), r.codes);
    EXPECT_EQ(0, r.road.rate());
    // The first problem's sign may come before the start is due (the introduction's sounds short or
    // missing): the road rolls all the same, and a sign that waits for scenery frame 1 comes.
    Road early;
    early.road.start(4, false, early.now);
    early.road.go(early.now);
    early.road.showChoice("7", true);
    early.run(100);
    EXPECT_EQ(6, early.road.rate());
    early.road.showSign(0);
    EXPECT_NE(-1, early.segmentAtCode(1));
}

TEST(RacingTest, SignsUseTheirTypesLimitsAndKinds) {
    const std::tuple<const char*, bool, int> choices[] = {{"7+3", false, 19}, {"ten", false, 14}, {"7+3", true, 23}, {"ten", true, 18}};
    for (const auto& [text, fresh, passFrom] : choices) {
        SCOPED_TRACE(std::string(text) + (fresh ? " fresh" : ""));
        Road r;
        r.road.showChoice(text, fresh);
        EXPECT_EQ(passFrom, r.segmentAtCode(2));
        EXPECT_EQ((std::vector<int>{13229}), r.sounds);
        EXPECT_EQ(passFrom, r.segmentAtCode(3));
    }
    for (const bool right : {true, false}) {
        SCOPED_TRACE(right);
        Road r;
        r.road.showChoice("ten", false);
        r.run(200);
        EXPECT_TRUE(r.road.signInReach());
        right ? r.road.right(r.now) : r.road.wrong(r.now);
        r.segmentAtCode(right ? 5 : 6);
        EXPECT_EQ(right ? (std::vector<int>{2, 4, 5}) : (std::vector<int>{2, 6}), r.codes);
        EXPECT_EQ(right ? (std::vector<int>{13215, 13216}) : std::vector<int>(), r.sounds);
    }
    for (const auto& [kind, code, end] : {std::tuple{0, 1, 32}, std::tuple{2, 7, 32}, std::tuple{1, 15, 18}}) {
        SCOPED_TRACE(kind);
        Road r;
        r.road.start(4, true, r.now);
        r.road.showSign(kind);
        std::vector<int> cuts;
        int count = 0;  // sign steps before the one that sends the code
        for (int rate = r.road.rate(); r.codes.empty(); r.run(1)) {
            if (r.road.rate() != rate && r.road.rate() != 0) cuts.push_back(r.road.signFrame() + 1);
            rate = r.road.rate();
            count = r.road.signFrame() + 1;
        }
        EXPECT_EQ(std::vector<int>{code}, r.codes);
        EXPECT_EQ(kind == 1 ? (std::vector<int>{1, 4, 9, 14}) : std::vector<int>(), cuts);
        EXPECT_EQ(end, count + 1);
    }
}

TEST(RacingTest, HornAndFuelGauge) {
    int pressed = 0, outOfFuel = 0, lost = 0;
    std::vector<int> sounds, crash;
    PXKHornCore horn([&] { ++pressed; }, [&] { ++outOfFuel; }, [&](std::int32_t id) { sounds.push_back(id); });
    horn.press(0);
    horn.press(1);
    EXPECT_EQ(3, horn.position());
    horn.tick(30);
    EXPECT_EQ(1, pressed);
    EXPECT_EQ(1, horn.position());
    horn.startBlink(30);
    horn.tick(37);
    EXPECT_EQ(2, horn.position());
    horn.tick(44);
    EXPECT_EQ(1, horn.position());
    horn.startCrash(44);
    for (std::uint32_t now = 45; outOfFuel == 0 && now < 1000; horn.tick(++now))
        if (crash.empty() || crash.back() != horn.crashPosition()) crash.push_back(horn.crashPosition());
    EXPECT_EQ((std::vector<int>{0, 1, 4, 8, 10, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}), crash);
    EXPECT_TRUE(outOfFuel == 1 && horn.crashPosition() == 0 && horn.state() == 0);
    EXPECT_EQ(std::vector<int>{13267}, sounds);

    PXKFuelCore fuel([&] { ++lost; });
    std::uint32_t now = 0;
    for (int unit = 0; unit < 5; ++unit) {
        fuel.loseUnit();
        for (std::uint32_t end = now + 16 * 7; now < end;) fuel.tick(++now);
    }
    EXPECT_EQ(5, lost);
    EXPECT_EQ(0, fuel.level());
    EXPECT_EQ(6, fuel.position());
    fuel.fill(now);
    for (std::uint32_t end = now + 5 * 7; now < end;) fuel.tick(++now);
    EXPECT_EQ(1, fuel.position());
    fuel.adjust(true);
    EXPECT_EQ(2, fuel.position());
}

}  // namespace
