// Links (invocation rules, clones, ownership) and time-slice tasks (order, suspension, changes mid-pass).
#include "CoreTestSupport.h"
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
    static inline int alive = 0;
    CountedLink() : OMLinkToFct(note) { ++alive; }
    CountedLink(const CountedLink& other) : OMLinkToFct(other) { ++alive; }
    ~CountedLink() override { --alive; }
    OMLink* clone() const override { return new CountedLink(*this); }
};

TEST(LinkTest, MemberLinksPreferThePlainMethodAndClonesOutliveTheirSource) {
    Target t;
    OMLinkToObj<Target> both(&t, &Target::plain, &Target::withArgument);
    both.invokeWith(5);
    EXPECT_EQ(std::make_pair(t.plainCalls, t.lastArgument), std::make_pair(1, OMArg{777}));
    std::unique_ptr<OMLink> made(new OMLinkToObj<Target>(&t, nullptr, &Target::withArgument, 9));
    std::unique_ptr<OMLink> copy(made->clone());
    made.reset();
    copy->invoke();
    EXPECT_EQ(t.lastArgument, 9u) << "the stored argument";
    both.setTarget(nullptr);
    both.invoke();
    EXPECT_EQ(t.plainCalls, 1) << "no target: nothing runs";
}

// Tasks outside any task list: no application object, so none of this touches a list.
TEST(LinkTest, ReceiversKeepTheirOwnCloneAndDeleteItWhenReplaced) {
    OMTask(nullptr, 0).run();
    {
        CountedLink given;
        OMTask task(&given, 3);
        task.setPriority(0);
        task.setLink(&given);
        EXPECT_EQ(CountedLink::alive, 2);
        task.setLink(nullptr);
        EXPECT_EQ(CountedLink::alive, 1);
        task.setLink(&given);
    }
    EXPECT_EQ(CountedLink::alive, 0);
}

// A task that notes its number when it runs, started as every owner starts one.
std::unique_ptr<OMTask> start(OMArg number, std::uint32_t priority) {
    OMLinkToFct link(note, number);
    auto task = std::make_unique<OMTask>(&link, priority);
    appendTask(task.get());
    return task;
}

struct TaskTest : ::testing::Test {
    void SetUp() override {
        setAppTaskList(&tasks);
        journal.clear();
    }
    void TearDown() override { setAppTaskList(nullptr); }
    OMList<OMTask> tasks{compareTaskPriority};
};

TEST_F(TaskTest, RunsByPriorityThenInOrderAddedAndSkipsSuspendedTasks) {
    auto a = start(1, 5);
    auto b = start(2, 1);
    auto c = start(3, 5);
    auto d = start(4, 1);
    appendTask(a.get());  // starting again does not duplicate it; it goes behind its equals
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f2 f4 f3 f1 ");
    c->setPriority(0);
    d->suspended = 1;
    journal.clear();
    runTaskSlices(tasks);
    EXPECT_EQ(journal, "f3 f2 f1 ");
}

// A task deletes itself, the next one resumes a suspended task and adds another: both run in this pass.
TEST_F(TaskTest, TasksMayDeleteThemselvesResumeOthersAndAddOthersDuringThePass) {
    static OMTask* self;
    static OMTask* resumed;
    static std::unique_ptr<OMTask> added;
    OMLinkToFct selfDelete([](OMArg) { delete self; });
    self = new OMTask(&selfDelete, 0);
    appendTask(self);
    OMLinkToFct adder([](OMArg) {
        resumed->suspended = 0;
        added = start(9, 0);
    });
    OMTask c(&adder, 0);
    appendTask(&c);
    auto d = start(4, 0);
    d->suspended = 1;
    resumed = d.get();
    runTaskSlices(tasks);
    EXPECT_EQ(std::make_pair(journal, tasks.count), std::make_pair(std::string("f4 f9 "), 3));
    added.reset();
}

}  // namespace
