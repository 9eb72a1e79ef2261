// Death interest: registration order, changes made by callbacks, the class hooks; the random number command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "OMSParameter.h"
#include "ScriptFixture.h"
#include "YDeathInterest.h"

namespace {

struct Party {
    std::string name;
    void* unregisterOnCall = nullptr;  // a party whose interest this one withdraws when called
};

std::vector<std::string>& calls() {
    static std::vector<std::string> seen;
    return seen;
}

int watched = 0;
int otherWatched = 0;

void record(OMArg party, OMArg object) {
    auto* p = reinterpret_cast<Party*>(party);
    calls().push_back(p->name + (reinterpret_cast<void*>(object) == &watched ? "@watched" : "@other"));
    if (p->unregisterOnCall) unregisterDeathInterest(&watched, p->unregisterOnCall);
}

// A link that knows its party: the party rides in a member link's target.
class PartyLink : public OMLink {
public:
    explicit PartyLink(Party* p) : party(p) {}
    void invoke() override { invokeWith(argument); }
    void invokeWith(OMArg arg) override { record(reinterpret_cast<OMArg>(party), arg); }
    OMLink* clone() const override { return new PartyLink(*this); }
    Party* party;
};

class DeathInterestTest : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        calls().clear();
    }
    void TearDown() override {
        removeDeathHooks();
        ScriptTest::TearDown();
    }
    void interest(void* object, Party& p) {
        const PartyLink link(&p);
        registerDeathInterest(object, &p, &link);
    }
};

TEST_F(DeathInterestTest, PartiesAreToldInRegistrationOrderAndForgottenAfterwards) {
    Party a{"a"}, b{"b"}, c{"c"};
    interest(&watched, a);
    interest(&watched, b);
    interest(&otherWatched, c);
    Party again{"a-again"};
    // A second registration of a keeps its first place with the new link.
    const PartyLink replacement(&again);
    registerDeathInterest(&watched, &a, &replacement);
    notifyDeath(&watched);
    EXPECT_EQ((std::vector<std::string>{"a-again@watched", "b@watched"}), calls());
    calls().clear();
    notifyDeath(&watched);
    EXPECT_TRUE(calls().empty());
    interest(&watched, b);
    notifyDeath(&watched);
    notifyDeath(&otherWatched);
    EXPECT_EQ((std::vector<std::string>{"b@watched", "c@other"}), calls());
}

TEST_F(DeathInterestTest, APartyThatGoesFirstIsNotCalled) {
    Party a{"a"}, b{"b"}, c{"c"};
    interest(&watched, a);
    interest(&watched, b);
    interest(&watched, c);
    unregisterDeathInterest(&watched, &a);
    b.unregisterOnCall = &c;
    unregisterDeathInterest(&otherWatched, &a);  // no record: nothing happens
    notifyDeath(&watched);
    EXPECT_EQ((std::vector<std::string>{"b@watched"}), calls());
}

TEST_F(DeathInterestTest, ClassHooksCarryTheDyingObjectToTheRegistry) {
    Party a{"a"};
    interest(&watched, a);
    actionDeathHook().notify(&watched);
    EXPECT_TRUE(calls().empty());  // not installed yet
    installDeathHooks();
    YClassDeathHook* hooks[] = {&actionDeathHook(), &multiTrinketDeathHook(), &animationDeathHook(),
                                &puzzleDeathHook(), &textDeathHook()};
    for (YClassDeathHook* hook : hooks) {
        interest(&watched, a);
        calls().clear();
        hook->notify(&watched);
        EXPECT_EQ((std::vector<std::string>{"a@watched"}), calls());
    }
    interest(&watched, a);
    removeDeathHooks();
    for (YClassDeathHook* hook : hooks) EXPECT_EQ(nullptr, hook->link());
    calls().clear();
    notifyDeath(&watched);
    EXPECT_TRUE(calls().empty());  // removing the hooks also forgot every interest
}

std::int32_t draw(const char* low, const char* high, const char* exclude) {
    clearParameters();
    static_cast<void>(pushParameter(low));
    static_cast<void>(pushParameter(high));
    if (exclude) static_cast<void>(pushParameter(exclude));
    rewindParameters();
    randomNumberCommand(0);
    std::int32_t n = -1;
    scriptHeap().at(kYResult)->getInteger(&n);
    return n;
}

TEST_F(DeathInterestTest, RandomNumberStaysInRangeAndAvoidsTheExcludedValue) {
    std::srand(7);
    std::set<std::int32_t> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(draw("1", "3", "2"));
    EXPECT_EQ((std::set<std::int32_t>{1, 3}), seen);
    seen.clear();
    for (int i = 0; i < 1000; ++i) seen.insert(draw("5", "2", nullptr));
    EXPECT_EQ((std::set<std::int32_t>{2, 3, 4, 5}), seen);
    EXPECT_EQ(4, draw("4", "4", "4"));
}

TEST_F(DeathInterestTest, TheNormalizationSwitchStartsOnAndFollowsTheCommand) {
    EXPECT_EQ(1, corralTrinketNormalization());
    clearParameters();
    static_cast<void>(pushParameter("0"));
    rewindParameters();
    setCorralTrinketNormalizationCommand(0);
    EXPECT_EQ(0, corralTrinketNormalization());
}

}  // namespace
