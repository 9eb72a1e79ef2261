// Links (invocation rules, cloning, ownership) and time-slice tasks (order, suspension, changes mid-pass).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "OMLink.h"
#include "OMTask.h"

namespace {

std::string journal;

void note(OMArg word) { journal += "f" + std::to_string(word) + " "; }

struct Target {
    int plainCalls = 0;
    OMArg lastArgument = 777;
    void plain() { ++plainCalls; }
    void withArgument(OMArg arg) { lastArgument = arg; }
};

// A link that counts how many of its kind are alive, to see who deletes what.
struct CountedLink : OMLinkToFct {
    static int alive;
    CountedLink() : OMLinkToFct(note) { ++alive; }
    CountedLink(const CountedLink& other) : OMLinkToFct(other) { ++alive; }
    ~CountedLink() override { --alive; }
    OMLink* clone() const override { return new CountedLink(*this); }
};
int CountedLink::alive = 0;

TEST(LinkTest, MemberLinksPreferThePlainMethod) {
    Target t;
    OMLinkToObj<Target> both(&t, &Target::plain, &Target::withArgument);
    both.invokeWith(5);
    EXPECT_EQ(t.plainCalls, 1);
    EXPECT_EQ(t.lastArgument, 777u);

    OMLinkToObj<Target> withArgumentOnly(&t, nullptr, &Target::withArgument);
    withArgumentOnly.invoke();
    EXPECT_EQ(t.lastArgument, 0u);
    withArgumentOnly.invokeWith(5);
    EXPECT_EQ(t.lastArgument, 5u);
    OMLinkToObj<Target> stored(&t, nullptr, &Target::withArgument, 9);
    stored.invoke();
    EXPECT_EQ(t.lastArgument, 9u);
}

TEST(LinkTest, TargetsAndClones) {
    Target first;
    OMLinkToObj<Target> link(&first, &Target::plain);
    link.setTarget(nullptr);
    link.invoke();  // no target: nothing runs
    EXPECT_EQ(first.plainCalls, 0);

    journal.clear();
    OMLinkToFct function(note, 4);
    function.setTarget(&first);
    EXPECT_EQ(function.target(), nullptr);
    std::unique_ptr<OMLink> made(new OMLinkToObj<Target>(&first, nullptr, &Target::withArgument, 6));
    std::unique_ptr<OMLink> copyOfFunction(function.clone());
    std::unique_ptr<OMLink> copyOfMember(made->clone());
    made.reset();
    copyOfFunction->invoke();
    copyOfFunction->invokeWith(8);
    copyOfMember->invoke();
    EXPECT_EQ(journal, "f4 f8 ");
    EXPECT_EQ(first.lastArgument, 6u);
}

TEST(LinkTest, ReceiversKeepTheirOwnCloneAndDeleteItWhenReplaced) {
    CountedLink::alive = 0;
    {
        CountedLink given;
        OMTask task(&given, 0);
        EXPECT_EQ(CountedLink::alive, 2);
        EXPECT_NE(task.link(), &given);
        task.setLink(&given);
        EXPECT_EQ(CountedLink::alive, 2);
        task.setLink(nullptr);
        EXPECT_EQ(CountedLink::alive, 1);
        EXPECT_EQ(task.link(), nullptr);
        task.setLink(&given);
    }
    EXPECT_EQ(CountedLink::alive, 0);
}

class TaskTest : public ::testing::Test {
public:
    void SetUp() override {
        setAppTaskList(&tasks);
        journal.clear();
    }
    void TearDown() override { setAppTaskList(nullptr); }

    // A task that notes its number when it runs, started as every owner starts one.
    std::unique_ptr<OMTask> start(OMArg number, std::uint32_t priority) {
        OMLinkToFct link(note, number);
        std::unique_ptr<OMTask> task(new OMTask(&link, priority));
        appendTask(task.get());
        return task;
    }

    OMList<OMTask> tasks{compareTaskPriority};
};

TEST_F(TaskTest, RunsByPriorityThenInOrderAdded) {
    auto a = start(1, 5);
    auto b = start(2, 1);
    auto c = start(3, 5);
    auto d = start(4, 1);
    appendTask(a.get());  // starting again does not duplicate it; it goes behind its equals
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f2 f4 f3 f1 ");
    EXPECT_EQ(tasks.count, 4);

    journal.clear();
    c->setPriority(1);
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f2 f4 f3 f1 ");
    c->setPriority(0);
    journal.clear();
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f3 f2 f4 f1 ");
}

TEST_F(TaskTest, SuspendedTasksAreSkippedButKeepTheirPlace) {
    auto a = start(1, 0);
    auto b = start(2, 0);
    auto c = start(3, 0);
    b->suspended = 1;
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f1 f3 ");

    // A task ahead of a suspended one resumes it: it runs in the same pass.
    static OMTask* resumed;
    resumed = c.get();
    c->suspended = 1;
    OMLinkToFct resume([](OMArg) { resumed->suspended = 0; });
    a->setLink(&resume);
    journal.clear();
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f3 ");
}

TEST_F(TaskTest, TasksMayDeleteThemselvesAndAddOthersDuringThePass) {
    static OMTask* self;
    static std::unique_ptr<OMTask>* added;
    static TaskTest* fixture;
    fixture = this;
    auto a = start(1, 0);
    OMLinkToFct selfDelete([](OMArg) {
        journal += "gone ";
        delete self;
    });
    self = new OMTask(&selfDelete, 0);
    appendTask(self);
    std::unique_ptr<OMTask> late;
    added = &late;
    OMLinkToFct adder([](OMArg) {
        journal += "adds ";
        if (!*added) *added = fixture->start(9, 0);
    });
    auto c = start(3, 0);
    c->setLink(&adder);
    auto d = start(4, 0);
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f1 gone adds f4 f9 ");
    ASSERT_EQ(tasks.count, 4);
    EXPECT_EQ(tasks.head->element, a.get());
    EXPECT_EQ(tasks.head->next->element, c.get());
    EXPECT_EQ(tasks.tail->previous->element, d.get());
    EXPECT_EQ(tasks.tail->element, late.get());
}

TEST_F(TaskTest, TasksOutsideTheListStayOut) {
    OMLinkToFct link(note, 1);
    auto never = std::make_unique<OMTask>(&link, 3);
    never->setPriority(0);
    EXPECT_EQ(tasks.count, 0);
    auto other = start(2, 0);
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f2 ");
    never.reset();
    other.reset();
    EXPECT_EQ(tasks.count, 0);
    OMTask unlinked(nullptr, 0);
    unlinked.run();
    setAppTaskList(nullptr);  // no application object: deleting a task touches no list
}

}  // namespace
