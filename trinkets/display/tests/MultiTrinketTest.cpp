// Groups of trinkets: moving and stacking as one, relaying input, children added and let go, self-destruction.
#include "OMMultiTrinket.h"
#include "TrinketFixture.h"
#include "YDeathInterest.h"
#include "YHeap.h"

namespace {

struct MultiTrinketTest : TrinketFixture {
    OMMultiTrinket* group(std::int32_t tag) {
        auto* g = new OMMultiTrinket(window, kRedrawRegion);
        g->registerProperties();
        g->tag = tag;
        return g;
    }
};

// The children lie above the group (offset 1), so they take the press and relay it. The window runs a
// trinket's hook before its event, and the relay is the child's hook.
TEST_F(MultiTrinketTest, AGroupOfTwoMovesAsOneAndRelaysTheChildsInput) {
    OMTrinket* left = solid({100, 100, 164, 164}, 249, 1);
    OMTrinket* right = solid({180, 100, 244, 164}, 252, 2);
    OMMultiTrinket* g = group(9);
    g->addTrinket(left, 1, 10, 0);
    g->addTrinket(right, 1, 20, 0);
    EXPECT_EQ(numbers(g->getBounds()) + " z " + numbers({left->getZ()}), "100 100 244 164 z 1");
    for (OMTrinket* t : {left, static_cast<OMTrinket*>(g)}) watch(t, {"mouseDown", "mouseUp"});
    run({mouse(WM_LBUTTONDOWN, 110, 110), mouse(WM_MOUSEMOVE, 140, 130), mouse(WM_LBUTTONUP, 140, 130)});
    EXPECT_EQ(eventLog, "mouseDown@9 mouseDown@1 mouseUp@9 mouseUp@1 ")
        << "the relay runs in the child's hook, before its event";
    EXPECT_EQ(numbers(left->getBounds()) + ", " + numbers(right->getBounds()) + ", " + numbers(g->getBounds()),
              "130 120 194 184, 210 120 274 184, 130 120 274 184");
    delete g;
    EXPECT_EQ(left->mouseDownLink, nullptr) << "an unowned child loses the relays";
}

TEST_F(MultiTrinketTest, AttributesAndMovesOfTheGroupReachEveryChild) {
    OMTrinket* a = solid({40, 10, 60, 30}, 249, 1);
    OMTrinket* b = solid({70, 10, 90, 30}, 249, 2);
    OMMultiTrinket* g = group(9);
    const auto read = [g](std::initializer_list<const char*> properties) {
        std::string values;
        for (const char* p : properties) values += std::string(g->getProperty(p)) + ";";
        return values;
    };
    EXPECT_EQ(read({"width", "height", "userData"}), "-1;-1;;") << "no children: the empty rectangle";
    g->addTrinket(a, 2, 1, 0);
    g->addTrinket(b, 0, 2, 0);
    b->hide();
    EXPECT_EQ(g->setProperty("x", "100"), 1);
    EXPECT_EQ(numbers({a->getBounds().left, b->getBounds().left}) + ";" + read({"x"}), "100 130;100;");
    for (const auto& [property, value] : {std::pair{"x", "700"}, {"width", "5"}, {"userData", "blue car"}})
        EXPECT_EQ(g->setProperty(property, value), 1) << property;
    EXPECT_EQ(read({"x", "width", "userData"}), "590;50;blue car;") << "confined to 640 - the width of 50; width ignored";
    g->show();
    EXPECT_EQ(b->isVisible(), 1) << "shown with the group";
    g->setZ(10);
    const std::int32_t bBefore = b->getZ();
    g->setZOffset(2, 5);
    EXPECT_EQ(numbers({a->getZ(), bBefore, b->getZ()}), "12 10 15");
    EXPECT_EQ(std::make_pair(g->getTrinket(2), g->getTrinket(3)), std::make_pair(b, static_cast<OMTrinket*>(nullptr)));
    EXPECT_EQ(g->invokeMethod("removeTrinkets", "1"), 1);
    EXPECT_EQ(g->getBounds(), b->getBounds());
    EXPECT_EQ(g->invokeMethod("removeTrinkets", ""), 1);
    EXPECT_EQ(g->children.count, 0);
}

// Overlapping goes by the hit regions, as intersecting does. A group's is its children's, so a trinket in the
// gap between them lies inside the group's bounds without overlapping it; right and bottom edges are exclusive.
TEST_F(MultiTrinketTest, OverlapsGoesByTheHitRegionsAsIntersectsDoes) {
    OMTrinket* a = solid({40, 10, 60, 30}, 249, 1);
    OMTrinket* b = solid({70, 10, 90, 30}, 249, 2);
    OMMultiTrinket* g = group(9);
    g->addTrinket(a, 1, 1, 0);
    g->addTrinket(b, 1, 2, 0);
    const struct { const char* name; OMRect rect; const char* expected; } cases[] = {
        {"in the gap", {62, 12, 68, 28}, "0 0 0 0"},
        {"below a", {40, 30, 60, 40}, "0 0 0 0"},
        {"across both", {55, 25, 75, 40}, "1 1 1 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OMTrinket* t = solid(c.rect, 252, 3);
        EXPECT_EQ(numbers({t->overlaps(*g), g->overlaps(*t), t->overlaps(*a), t->intersects(*g)}), c.expected);
        delete t;
    }
    delete g;
}

// The verb takes the child from a script variable and hears of its end; anything else is refused.
TEST_F(MultiTrinketTest, AChildAddedByTheVerbLeavesTheGroupWhenItIsDestroyed) {
    YHeap& heap = scriptHeap();
    heap.init();
    OMTrinket* a = solid({0, 0, 20, 20}, 249, 1);
    OMTrinket* b = solid({100, 0, 120, 20}, 249, 2);
    OMMultiTrinket* g = group(9);
    OMMultiTrinket* outer = group(10);
    const std::pair<const char*, OMScriptableObject*> variables[] = {{"a", a}, {"b", b}, {"g", g}, {"outer", outer}};
    for (const auto& [name, object] : variables) {
        heap.setObjectByName(name, object);
        heap.intValue(name, 1);
    }
    heap.findOrAdd("five", 4, "5");
    for (const auto& [to, child, id] : {std::tuple{g, "a", "1"}, {g, "b", "2"}, {g, "five", "3"}, {g, "nobody", "4"},
                                        {g, "g", "5"}, {outer, "g", "1"}, {g, "outer", "6"}})
        EXPECT_EQ(to->invokeMethod("addTrinket", child, "1", id), 1) << child << " (outer, holding g, is refused)";
    EXPECT_EQ(numbers({g->children.count}) + ": " + numbers(g->getBounds()), "2: 0 0 120 20");
    delete b;
    EXPECT_EQ(numbers({g->children.count}) + ": " + numbers(g->getBounds()), "1: 0 0 20 20");
    delete g;
    EXPECT_EQ(std::make_pair(outer->children.count, a->mouseDownLink), std::make_pair(0, static_cast<OMLink*>(nullptr)));
    heap.clear();
}

// The handler of the group's "mouseDown" deletes the group: its own link is not run, and the relay returns.
TEST_F(MultiTrinketTest, AGroupDestroyedByItsOwnHandlerIsNotTouchedAgain) {
    OMTrinket* child = solid({0, 0, 50, 50}, 249, 1);
    OMMultiTrinket* g = group(9);
    g->addTrinket(child, 1, 1, 0);
    int linkRuns = 0;
    Callback counted{[&] { ++linkRuns; }};
    setLink(g->mouseDownLink, counted);
    std::vector<std::string> deaths;
    static std::vector<std::string>* seen = nullptr;
    seen = &deaths;
    const OMLinkToFct hook([](OMArg) { seen->push_back("group"); });
    OMMultiTrinket::setDeathHook(&hook);
    Callback destroy{[&] { delete g; }};
    const OMLinkToObj<Callback> handler = calling(destroy);
    g->bindEvent("mouseDown", &handler, nullptr);
    run({mouse(WM_LBUTTONDOWN, 10, 10), mouse(WM_LBUTTONUP, 10, 10)});
    OMMultiTrinket::setDeathHook(nullptr);
    EXPECT_EQ(deaths, (std::vector<std::string>{"group"}));
    EXPECT_EQ(numbers({linkRuns, OMMultiTrinket::dispatchDepth, OMMultiTrinket::destroyedDuringDispatch().count, window->trinkets.count}),
              "0 0 0 1");
}

}  // namespace
