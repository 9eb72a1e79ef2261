// The action base, the factory and the container base: finish order, the deletion guard, token runs, children.
#include <functional>
#include <new>

#include "ActionContainer.h"
#include "ActionFixture.h"

namespace {

// A step that finishes when the test says so.
struct ManualAction : Action {
    static inline int alive = 0;
    explicit ManualAction(std::int32_t flag = 1) : Action(flag) { ++alive; }
    ~ManualAction() override { --alive; }
};

// A container whose reaction to a child's finish is the test's.
struct ProbeContainer : ActionContainer {
    ProbeContainer() : ActionContainer(1) {}
    void childFinished() override {
        finishLog += "container ";
        if (onChild) onChild();
    }
    std::function<void()> onChild;
};

// "Probe": n (required), isInterruptible; the action's flag is read back.
Action* createProbe(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(2);
    switch (tokenRun(t)) {
    case 2: return new ManualAction(tokenNumber(t[1]));
    case 1: return new ManualAction(defaultInterruptible);
    default: return nullptr;
    }
}

TEST_F(ActionTest, AContainerHearsOfAFinishBeforeTheChildsEventAndADeletedChildRaisesNone) {
    ProbeContainer box;
    auto* child = new ManualAction;
    watch(child, "child");
    box.addAction(child, 1);
    child->start();
    EXPECT_EQ(1, child->isActive());
    child->actionFinished();
    EXPECT_EQ("container child 0", finishLog + std::to_string(child->isActive()));
    // The listener deletes the child whose finish it hears: no event, nothing touched afterwards.
    finishLog.clear();
    box.onChild = [&] { box.removeAction(child); };
    child->start();
    child->actionFinished();
    EXPECT_EQ(std::make_tuple(std::string("container "), 0, 0), std::make_tuple(finishLog, ManualAction::alive, box.children.count));
}

TEST_F(ActionTest, NestedFinishesAreCountedAndOnlyTheDestroyedActionLosesItsEvent) {
    ProbeContainer outer, inner;
    auto *a = new ManualAction, *b = new ManualAction;
    watch(a, "a");
    watch(b, "b");
    outer.addAction(a, 1);
    inner.addAction(b, 1);
    // a's listener finishes b, whose listener deletes b; a's event still comes, b's does not.
    std::int32_t depthSeen = 0;
    outer.onChild = [&] { b->actionFinished(); };
    inner.onChild = [&] {
        inner.removeAction(b);
        depthSeen = Action::finishNesting;
    };
    a->actionFinished();
    EXPECT_EQ(std::make_tuple(std::string("container container a "), 2), std::make_tuple(finishLog, depthSeen));
}

// A guard hears only of its own action's end: not of an earlier action destroyed at the same address while
// a guard was in progress, nor of any other; every guard nested on one action hears of it.
TEST_F(ActionTest, AGuardLearnsOnlyOfItsOwnActionsDestruction) {
    alignas(ManualAction) unsigned char place[sizeof(ManualAction)];
    Action* first = new (place) ManualAction;
    ActionDeathWatch outer(first);
    first->~Action();
    Action* second = new (place) ManualAction;
    ASSERT_EQ(first, second);
    {
        ActionDeathWatch inner(second);
        ActionDeathWatch innermost(second);
        delete new ManualAction;
        EXPECT_EQ(std::make_tuple(true, false, false), std::make_tuple(outer.destroyed(), inner.destroyed(), innermost.destroyed()));
        second->~Action();
        EXPECT_EQ(std::make_tuple(true, true, 3), std::make_tuple(inner.destroyed(), innermost.destroyed(), Action::finishNesting));
    }
    EXPECT_EQ(1, Action::finishNesting);
}

TEST_F(ActionTest, KindsAreFoundByExactNameAndCreatedFromTheLongestRunOfTokens) {
    registerAction("", createProbe);
    registerAction("Null", nullptr);
    registerAction("Probe", createProbe);
    registerAction("Probe", [](std::int32_t) -> Action* { return nullptr; });
    const std::tuple<const char*, std::vector<const char*>, int> cases[] = {
        {"Probe", {"5"}, 1},         // the caller's default
        {"Probe", {"5", "0"}, 0},    // the token after the required one overrides it
        {"Probe", {"", "0"}, 0},     // the last token present decides the form
        {"Probe", {}, -1},           // the required token missing
        {"probe", {"5"}, -1},        // names are case-sensitive
        {"", {"5"}, -1},
        {"Null", {"5"}, -1},
    };
    for (const auto& [kind, tokens, created] : cases)
        EXPECT_EQ(created, createdFlag(kind, tokens)) << kind << " with " << tokens.size() << " tokens";
    freeActionFactory();
    EXPECT_EQ(nullptr, create("Probe", {"5"}));
}

TEST_F(ActionTest, AddTakesActionsFromVariablesUnownedAndKindsOwned) {
    registerAction("Probe", createProbe);
    auto* box = new ProbeContainer;
    box->registerProperties();
    auto* held = new ManualAction;
    hold("held", held);
    hold("box", box);
    play(box, "add", {"held"});
    play(box, "add", {"held"});  // the same child twice is refused
    play(box, "add", {"box"});   // nor does a container hold itself
    play(box, "add", {"Probe", "7"});
    play(box, "add", {"Probe"});  // too few tokens
    play(box, "add", {"Nothing", "7"});
    EXPECT_STREQ("2", box->getProperty("actionCount"));
    EXPECT_STREQ("0", box->getProperty("isActive"));
    // The unowned child's death, heard through the action death hook, takes it out.
    delete held;
    EXPECT_EQ(std::make_pair(std::string("1"), 1), std::make_pair(std::string(box->getProperty("actionCount")), ManualAction::alive));
    // Deleting the container deletes the owned child only.
    auto* other = new ManualAction;
    hold("other", other);
    play(box, "add", {"other"});
    delete box;
    EXPECT_EQ(1, ManualAction::alive);
    delete other;
}

TEST_F(ActionTest, AnUnownedChildReportsOnlyToItsLastContainerAndOutlivesIt) {
    ManualAction child;
    watch(&child, "child");
    {
        ProbeContainer first;
        auto* second = new ProbeContainer;
        first.addAction(&child);
        second->addAction(&child);
        second->onChild = [] { finishLog += "second "; };
        child.actionFinished();
        EXPECT_EQ("container second child ", finishLog);
        // Let go (and the container gone), the child reports to nobody.
        delete second;
        finishLog.clear();
        child.actionFinished();
        EXPECT_EQ("child ", finishLog);
        first.clearActions();
        EXPECT_EQ(std::make_pair(0, 0), std::make_pair(first.children.count, first.childInfos.count));
    }
    EXPECT_EQ(1, ManualAction::alive);
}

}  // namespace
