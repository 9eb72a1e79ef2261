// Death interest: registration order, changes made by callbacks, the class hooks; the random number command.
#include <set>

#include "CallParameters.h"
#include "ScriptFixture.h"
#include "YDeathInterest.h"

namespace {

std::string calls;  // "party@object " per call
int watched = 0, otherWatched = 0;

struct Party {
    std::string name;
    void* unregisterOnCall = nullptr;  // a party whose interest this one withdraws when called
    void died(OMArg object) {
        calls += name + (reinterpret_cast<void*>(object) == &watched ? "@watched " : "@other ");
        if (unregisterOnCall) unregisterDeathInterest(&watched, unregisterOnCall);
    }
    void interestIn(void* object, Party* as = nullptr) {
        const OMLinkToObj<Party> link(this, nullptr, &Party::died);
        registerDeathInterest(object, as ? as : this, &link);
    }
};

// Tells of the object's death; returns who was called, in order.
std::string told(void* object) {
    calls.clear();
    notifyDeath(object);
    return calls;
}

struct DeathInterestTest : ScriptTest {
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
    EXPECT_EQ("a-again@watched b@watched ", told(&watched));
    EXPECT_EQ("", told(&watched));
    b.interestIn(&watched);
    EXPECT_EQ("b@watched ", told(&watched));
    EXPECT_EQ("c@other ", told(&otherWatched));
    // A party that goes first, or that another party withdraws while being told, is not called.
    for (Party* p : {&a, &b, &c}) p->interestIn(&watched);
    unregisterDeathInterest(&watched, &a);
    b.unregisterOnCall = &c;
    unregisterDeathInterest(&otherWatched, &a);  // no record: nothing happens
    EXPECT_EQ("b@watched ", told(&watched));
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
        EXPECT_EQ("a@watched ", (calls.clear(), hook->notify(&watched), calls));
    }
    a.interestIn(&watched);
    removeDeathHooks();
    for (YClassDeathHook* hook : hooks) EXPECT_EQ(nullptr, hook->link());
    EXPECT_EQ("", told(&watched)) << "removing the hooks also forgot every interest";
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
    const std::pair<std::vector<const char*>, std::set<std::int32_t>> cases[] = {{{"1", "3", "2"}, {1, 3}}, {{"5", "2"}, {2, 3, 4, 5}}};
    for (const auto& [parameters, values] : cases) {
        std::set<std::int32_t> seen;
        for (int i = 0; i < 1000; ++i) seen.insert(command(randomNumberCommand, parameters));
        EXPECT_EQ(values, seen);
    }
    EXPECT_EQ(4, command(randomNumberCommand, {"4", "4", "4"}));
    EXPECT_EQ(1, corralTrinketNormalization());
    command(setCorralTrinketNormalizationCommand, {"0"});
    EXPECT_EQ(0, corralTrinketNormalization());
}

}  // namespace
