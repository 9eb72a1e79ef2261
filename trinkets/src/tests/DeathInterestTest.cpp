// Death interest: registration order, changes made by callbacks, the class hooks; the random number command.
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "ActionFixture.h"
#include "ScriptFixture.h"

namespace {

std::vector<std::string> calls;
int watched = 0, otherWatched = 0;

struct Party {
    std::string name;
    void* unregisterOnCall = nullptr;  // a party whose interest this one withdraws when called
    void died(OMArg object) {
        calls.push_back(name + (reinterpret_cast<void*>(object) == &watched ? "@watched" : "@other"));
        if (unregisterOnCall) unregisterDeathInterest(&watched, unregisterOnCall);
    }
    void interestIn(void* object, Party* as = nullptr) {
        const OMLinkToObj<Party> link(this, nullptr, &Party::died);
        registerDeathInterest(object, as ? as : this, &link);
    }
};

class DeathInterestTest : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        calls.clear();
    }
    void TearDown() override {
        removeDeathHooks();
        ScriptTest::TearDown();
    }
};

TEST_F(DeathInterestTest, PartiesAreToldInRegistrationOrderUnlessGoneAndForgottenAfterwards) {
    Party a{"a"}, b{"b"}, c{"c"}, again{"a-again"};
    a.interestIn(&watched);
    b.interestIn(&watched);
    c.interestIn(&otherWatched);
    again.interestIn(&watched, &a);  // a second registration of a keeps its first place with the new link
    notifyDeath(&watched);
    EXPECT_EQ((std::vector<std::string>{"a-again@watched", "b@watched"}), calls);
    calls.clear();
    notifyDeath(&watched);
    EXPECT_TRUE(calls.empty());
    b.interestIn(&watched);
    notifyDeath(&watched);
    notifyDeath(&otherWatched);
    EXPECT_EQ((std::vector<std::string>{"b@watched", "c@other"}), calls);
    // A party that goes first, or that another party withdraws while being told, is not called.
    calls.clear();
    for (Party* p : {&a, &b, &c}) p->interestIn(&watched);
    unregisterDeathInterest(&watched, &a);
    b.unregisterOnCall = &c;
    unregisterDeathInterest(&otherWatched, &a);  // no record: nothing happens
    notifyDeath(&watched);
    EXPECT_EQ((std::vector<std::string>{"b@watched"}), calls);
}

TEST_F(DeathInterestTest, ClassHooksCarryTheDyingObjectToTheRegistry) {
    Party a{"a"};
    a.interestIn(&watched);
    actionDeathHook().notify(&watched);
    EXPECT_TRUE(calls.empty());  // not installed yet
    installDeathHooks();
    YClassDeathHook* hooks[] = {&actionDeathHook(), &multiTrinketDeathHook(), &animationDeathHook(),
                                &puzzleDeathHook(), &textDeathHook()};
    for (YClassDeathHook* hook : hooks) {
        a.interestIn(&watched);
        calls.clear();
        hook->notify(&watched);
        EXPECT_EQ((std::vector<std::string>{"a@watched"}), calls);
    }
    a.interestIn(&watched);
    removeDeathHooks();
    for (YClassDeathHook* hook : hooks) EXPECT_EQ(nullptr, hook->link());
    calls.clear();
    notifyDeath(&watched);
    EXPECT_TRUE(calls.empty());  // removing the hooks also forgot every interest
}

// Runs a command with the given parameters; returns RESULT.
std::int32_t command(void (*run)(OMArg), const std::vector<const char*>& parameters) {
    setParameters(parameters);
    run(0);
    std::int32_t n = -1;
    scriptHeap().at(kYResult)->getInteger(&n);
    return n;
}

TEST_F(DeathInterestTest, RandomNumberAvoidsTheExcludedValueAndNormalizationFollowsItsCommand) {
    std::srand(7);
    std::set<std::int32_t> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(command(randomNumberCommand, {"1", "3", "2"}));
    EXPECT_EQ((std::set<std::int32_t>{1, 3}), seen);
    seen.clear();
    for (int i = 0; i < 1000; ++i) seen.insert(command(randomNumberCommand, {"5", "2"}));
    EXPECT_EQ((std::set<std::int32_t>{2, 3, 4, 5}), seen);
    EXPECT_EQ(4, command(randomNumberCommand, {"4", "4", "4"}));

    EXPECT_EQ(1, corralTrinketNormalization());
    command(setCorralTrinketNormalizationCommand, {"0"});
    EXPECT_EQ(0, corralTrinketNormalization());
}

}  // namespace
