// Scriptable classes: creation by name, properties, verbs, events, copies, parameters, the registry's life.
#include "CoreTestSupport.h"
#include "OMGlobals.h"
#include "OMSR.h"
#include "OMScriptableObject.h"

namespace {

using Results = std::vector<int>;

int handlerRuns = 0;
void countHandler(OMArg) { ++handlerRuns; }

// A counter: data properties "value" (raises "changed" when set), read-only "label", "noGetter"; a verb
// "add" that adds 1 to its partner first, then its own parameters, and raises "changed".
struct RCounter : OMScriptableObject {
    RCounter(int start, const char* name) : value(start), label(name) {}
    OMScriptableObject* clone() override {
        auto* copy = new RCounter(value, label.c_str());
        copyPropertiesTo(copy);
        return copy;
    }
    void registerProperties() override {
        OMLinkToObj<RCounter> setter(this, nullptr, &RCounter::setValue);
        OMLinkToObj<RCounter> getter(this, nullptr, &RCounter::getValue);
        OMLinkToObj<RCounter> labelGetter(this, nullptr, &RCounter::getLabel);
        OMLinkToFct ignore(readOnlySetter);
        OMLinkToObj<RCounter> add(this, &RCounter::add);
        addDataProperty("value", &setter, &getter);
        addDataProperty("label", &ignore, &labelGetter);
        addDataProperty("noGetter", &setter, nullptr);
        addMethodProperty("add", &add);
        addEventProperty("changed");
    }
    // Raises "changed"; called from outside any property call, as a time slice would.
    void tick() { lastSignal = signalEvent("changed"); }
    int value;
    std::string label;
    int lastSignal = -1;
    RCounter* partner = nullptr;

private:
    void setValue(OMArg text) {
        value = std::atoi(reinterpret_cast<const char*>(text));
        tick();
    }
    void getValue(OMArg buffer) { (void)writePropertyText(buffer, std::to_string(value).c_str()); }
    void getLabel(OMArg buffer) { (void)writePropertyText(buffer, label.c_str()); }
    void add() {
        if (partner) partner->invokeMethod("add", "1");
        for (const char* amount = popParameter(); *amount; amount = popParameter()) value += std::atoi(amount);
        tick();
    }
};

OMScriptableObject* makeCounter() {
    const int start = std::atoi(popParameter());
    return new RCounter(start, popParameter());
}

OMScriptableObject* makeNothing() { return nullptr; }

std::vector<std::string> parameterTexts() {
    std::vector<std::string> out;
    if (!omGlobals().parameters) return out;
    for (OMListElement<OMSParameter>* n = omGlobals().parameters->head; n; n = n->next) {
        out.push_back(n->element->text());
    }
    return out;
}

struct ScriptableTest : ::testing::Test {
    void SetUp() override { handlerRuns = 0; }
    RCounter* make(const char* start = "5", const char* label = "five") {
        return static_cast<RCounter*>(createObject("RCounter", start, label));
    }
    OMSR counterClass{"RCounter", makeCounter};
    OMSR brokenClass{"RBroken", makeNothing};
};

TEST_F(ScriptableTest, CreatedByNameInAnyLetterCaseWithItsParametersAndTextWords) {
    std::unique_ptr<RCounter> made(static_cast<RCounter*>(createObject("rCoUnTeR", "12", "twelve")));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->label, "twelve");
    EXPECT_EQ(made->className, counterClass.className);
    for (const char* refused : {"RBroken", static_cast<const char*>(nullptr), "RCounterX"}) {
        EXPECT_EQ(createObject(refused, "1"), nullptr);
    }
    EXPECT_EQ(omGlobals().currentClass, nullptr) << "an unknown class leaves none current";
    clearParameters();
    EXPECT_FALSE(pushParameter(nullptr));
    ASSERT_TRUE(pushParameter("7"));
    ASSERT_TRUE(pushParameter("seven"));
    made.reset(static_cast<RCounter*>(createObject("RCounter", kParameterEnd)));
    EXPECT_EQ(made->label, "seven") << "a list filled by the caller";
    made.reset(static_cast<RCounter*>(createObject("RCounter", "3", "\x01tail", "x")));
    EXPECT_EQ(parameterTexts(), std::vector<std::string>{"3"}) << "a text that begins with the end marker ends it";
    made.reset(static_cast<RCounter*>(createObject("RCounter", "4", nullptr, "x")));
    EXPECT_EQ(parameterTexts(), std::vector<std::string>{"4"});
    rewindParameters();
    clearParameters();
    EXPECT_STREQ(popParameter(), "") << "no rewind after the clear: nothing, not freed memory";
    const std::pair<const char*, std::vector<std::string>> texts[] = {
        {"5 \"big label\" x", {"5", "big label", "x"}}, {"a  b", {"a", "", "b"}}, {"\"q\"x y", {"q", "y"}},
        {"one \"open ended", {"one", "open"}},          {"", {""}},              {"tail ", {"tail", ""}}};
    for (const auto& [text, words] : texts) {
        made.reset(static_cast<RCounter*>(createObjectFromText("rcounter", text)));
        EXPECT_EQ(parameterTexts(), words) << text;
    }
    EXPECT_EQ(createObjectFromText("RCounter", std::string(256, 'w').c_str()), nullptr);
    EXPECT_EQ(parameterTexts(), (std::vector<std::string>{"tail", ""})) << "the list is left as it was";
}

TEST_F(ScriptableTest, PropertiesAndVerbsThroughText) {
    std::unique_ptr<RCounter> c(make());
    EXPECT_EQ(c->setProperty("value", "42"), 1);
    const std::pair<const char*, const char*> refused[] = {
        {"value", nullptr}, {"missing", "1"}, {"add", "9"}, {"changed", "1"}, {"Value", "1"}, {nullptr, "1"}};
    for (const auto& [name, value] : refused) EXPECT_EQ(c->setProperty(name, value), 0) << (name ? name : "null");
    EXPECT_EQ(c->setProperty("label", "new"), 1);  // its setter ignores the text
    EXPECT_STREQ(c->getProperty("value"), "42");
    EXPECT_STREQ(c->getProperty("noGetter"), "42") << "the buffer as the last getter left it";
    for (const char* none : {"add", "changed", "missing"}) EXPECT_EQ(c->getProperty(none), nullptr) << none;
    EXPECT_EQ((Results{c->invokeMethod("add", "3", "4"), c->invokeMethod("value", "1"), c->invokeMethod("Add", "1"),
                       c->value}),
              (Results{1, 0, 0, 49}));
    c->addDataProperty("add", nullptr, nullptr);
    EXPECT_EQ(c->invokeMethod("add", "1"), 0) << "replaced by name";
    EXPECT_STREQ(c->properties.tail->element->name, "add");
    c.reset(make("1", std::string(300, 'x').c_str()));
    EXPECT_EQ(std::strlen(c->getProperty("label")), 255u) << "cut to the result buffer";
}

TEST_F(ScriptableTest, EventsInsidePropertyCallsAreDroppedOthersRunAtOnceCompletionOnce) {
    std::unique_ptr<RCounter> c(make());
    OMLinkToFct handler(countHandler);
    EXPECT_EQ(c->bindEvent("changed", &handler, nullptr), 1);
    EXPECT_EQ((Results{c->invokeMethod("add", "1"), c->setProperty("value", "3"), c->lastSignal}), (Results{1, 1, 0}));
    c->tick();
    EXPECT_EQ((Results{c->lastSignal, handlerRuns}), (Results{1, 1}));
    // A nested verb call clears the in-call flag when it returns.
    std::unique_ptr<RCounter> inner(make("0"));
    c->partner = inner.get();
    ASSERT_EQ(inner->bindEvent("changed", &handler, nullptr), 1);
    EXPECT_EQ(c->invokeMethod("add", "2"), 1);
    EXPECT_EQ(inner->lastSignal, 0) << "raised inside the nested verb: dropped";
    EXPECT_EQ(c->lastSignal, 1) << "raised after the nested call returned: runs";
    EXPECT_EQ(c->bindEvent("changed", nullptr, nullptr), 1);
    c->tick();
    EXPECT_EQ(c->lastSignal, 0);
    // The completion link runs once; its handler may set a new one.
    static RCounter* waiting;
    waiting = c.get();
    OMLinkToFct renew([](OMArg) {
        OMLinkToFct again(countHandler);
        waiting->setCompletion(&again);
    });
    c->setCompletion(&renew);
    for (int i = 0; i < 3; ++i) c->fireCompletion();
    EXPECT_EQ(handlerRuns, 3);
}

TEST_F(ScriptableTest, CopiesGetTheirOwnPropertiesAndRunTheCreationHandler) {
    static OMScriptableObject* born;
    born = nullptr;
    OMLinkToFct creation([](OMArg) { born = bornObject(); });
    EXPECT_EQ(bindClassEvent("rcounter", &creation), 1);
    std::unique_ptr<RCounter> source(make("5"));
    EXPECT_EQ(born, nullptr) << "creation does not run it";
    static OMEventCloneBlock seen;
    OMLinkToFct hook([](OMArg block) { seen = *reinterpret_cast<OMEventCloneBlock*>(block); });
    OMLinkToFct handler(countHandler);
    ASSERT_EQ(source->bindEvent("changed", &handler, &hook), 1);
    std::unique_ptr<RCounter> copy(static_cast<RCounter*>(source->clone()));
    EXPECT_EQ(born, copy.get());
    EXPECT_EQ(seen.copy, copy.get()) << "the hook may re-aim the copied handler";
    EXPECT_EQ(copy->invokeMethod("add", "3"), 1);
    EXPECT_EQ(source->value, 5) << "the copy's verbs act on the copy";
    copy->tick();
    EXPECT_EQ(handlerRuns, 1) << "the handler was copied as it was";
    // An object made outside createObject becomes an instance once, and runs the handler then.
    RCounter outside(3, "three");
    EXPECT_EQ(outside.setProperty("value", "4"), 0);
    outside.initClass("RCOUNTER");
    EXPECT_EQ(born, &outside);
    EXPECT_EQ(outside.setProperty("value", "4"), 1);
    born = nullptr;
    outside.initClass("RCounter");
    EXPECT_EQ(born, nullptr) << "once only";
    EXPECT_EQ(bindClassEvent("RCounter", nullptr), 1);
}

// The registry outlives every record but the last; the first registration of a name wins.
TEST(RegistryLifeTest, LastRecordFreesRegistryAndParameters) {
    ASSERT_EQ(omGlobals().registry, nullptr);
    {
        OMSR first("RTwin", makeCounter);
        {
            OMSR second("rtwin", makeNothing);
            ASSERT_EQ(findClass("RTWIN"), 1);
            EXPECT_EQ(omGlobals().currentClass, &first);
            ASSERT_TRUE(pushParameter("x"));
        }
        EXPECT_EQ(parameterTexts(), std::vector<std::string>{"x"});
        EXPECT_EQ(findClass("RTwin"), 1);
    }
    EXPECT_EQ((std::vector<const void*>{omGlobals().registry, omGlobals().parameters, omGlobals().currentClass}),
              std::vector<const void*>(3, nullptr));
    EXPECT_STREQ(popParameter(), "");
    OMSR again("RAgain", makeCounter);
    EXPECT_EQ(findClass("ragain"), 1);
}

}  // namespace
