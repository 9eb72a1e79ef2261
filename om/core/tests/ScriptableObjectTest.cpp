// Scriptable classes end to end: creation by class name, properties through text, verbs, events,
// completion, copying, the parameter list and the class registry's life and plug-in naming rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "OMGlobals.h"
#include "OMSR.h"
#include "OMScriptableObject.h"

namespace {

int handlerRuns = 0;
int otherHandlerRuns = 0;
void countHandler(OMArg) { ++handlerRuns; }
void countOtherHandler(OMArg) { ++otherHandlerRuns; }

// A counter with a data property "value" (raising "changed" when set), a read-only "label", a property
// without setter, a verb "add" (raising "changed"), a verb "addTo" that calls another object's verb first.
class RCounter : public OMScriptableObject {
public:
    RCounter(int start, const char* name) : value(start), label(name) {}

    OMScriptableObject* clone() override {
        auto* copy = new RCounter(value, label.c_str());
        copyPropertiesTo(copy);
        return copy;
    }

    void registerProperties() override {
        OMLinkToObj<RCounter> setter(this, nullptr, &RCounter::setValue);
        OMLinkToObj<RCounter> getter(this, nullptr, &RCounter::getValue);
        addDataProperty("value", &setter, &getter);
        OMLinkToFct ignore(readOnlySetter);
        OMLinkToObj<RCounter> labelGetter(this, nullptr, &RCounter::getLabel);
        addDataProperty("label", &ignore, &labelGetter);
        addDataProperty("fixed", nullptr, &labelGetter);
        addDataProperty("noGetter", &setter, nullptr);
        OMLinkToObj<RCounter> add(this, &RCounter::add);
        addMethodProperty("add", &add);
        OMLinkToObj<RCounter> addTo(this, &RCounter::addTo);
        addMethodProperty("addTo", &addTo);
        addEventProperty("changed");
    }

    // Raises "changed" from outside any property call, as a time slice would.
    void tick() { lastSignal = signalEvent("changed"); }

    int value;
    std::string label;
    int lastSignal = -1;
    RCounter* partner = nullptr;

private:
    void setValue(OMArg text) {
        value = std::atoi(reinterpret_cast<const char*>(text));
        lastSignal = signalEvent("changed");
    }
    void getValue(OMArg buffer) { (void)writePropertyText(buffer, std::to_string(value).c_str()); }
    void getLabel(OMArg buffer) { (void)writePropertyText(buffer, label.c_str()); }
    void add() {
        for (const char* amount = popParameter(); *amount; amount = popParameter()) value += std::atoi(amount);
        lastSignal = signalEvent("changed");
    }
    void addTo() {
        const std::string amount = popParameter();
        if (partner) partner->invokeMethod("add", amount.c_str());
        lastSignal = signalEvent("changed");
    }
};

OMScriptableObject* makeCounter() {
    const int start = std::atoi(popParameter());
    return new RCounter(start, popParameter());
}

OMScriptableObject* makeNothing() { return nullptr; }

// The texts now in the parameter list.
std::vector<std::string> parameterTexts() {
    std::vector<std::string> out;
    if (!omGlobals().parameters) return out;
    for (OMListElement<OMSParameter>* n = omGlobals().parameters->head; n; n = n->next) out.push_back(n->element->text());
    return out;
}

class ScriptableTest : public ::testing::Test {
protected:
    void SetUp() override {
        handlerRuns = otherHandlerRuns = 0;
        setClassLibraryLoader(nullptr);
        setClassAutoload(1);
    }
    RCounter* make(const char* start = "5", const char* label = "five") {
        return static_cast<RCounter*>(createObject("RCounter", start, label));
    }
    OMSR counterClass{"RCounter", makeCounter};
    OMSR brokenClass{"RBroken", makeNothing};
};

TEST_F(ScriptableTest, CreatedByNameInAnyLetterCase) {
    for (const char* name : {"RCounter", "rcounter", "RCOUNTER", "rCoUnTeR"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<RCounter> made(static_cast<RCounter*>(createObject(name, "12", "twelve")));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->value, 12);
        EXPECT_EQ(made->label, "twelve");
        EXPECT_EQ(made->className, counterClass.className);
        EXPECT_EQ(findClass(name), 1);
        EXPECT_EQ(classExists(name), 1);
    }
    EXPECT_EQ(createObject("RCounterX", "1"), nullptr);
    EXPECT_EQ(findClass("RCounterX"), 0);
    EXPECT_EQ(omGlobals().currentClass, nullptr);
    EXPECT_EQ(createObject(nullptr, "1"), nullptr);
    EXPECT_EQ(createObject("RBroken", "1"), nullptr);
    EXPECT_EQ(findClass(nullptr), 0);
}

TEST_F(ScriptableTest, ParametersReachTheFactory) {
    clearParameters();
    EXPECT_FALSE(pushParameter(nullptr));
    ASSERT_TRUE(pushParameter("7"));
    ASSERT_TRUE(pushParameter("seven"));
    std::unique_ptr<RCounter> prefilled(static_cast<RCounter*>(createObject("RCounter", kParameterEnd)));
    EXPECT_EQ(prefilled->value, 7);
    EXPECT_EQ(prefilled->label, "seven");
    for (const char* past : {popParameter(), popParameter()}) EXPECT_STREQ(past, "");

    std::unique_ptr<RCounter> cut(static_cast<RCounter*>(createObject("RCounter", "3", "\x01tail", "x")));
    EXPECT_EQ(cut->label, "");
    EXPECT_EQ(parameterTexts(), std::vector<std::string>{"3"});
    std::unique_ptr<RCounter> nullEnds(static_cast<RCounter*>(createObject("RCounter", "4", nullptr, "x")));
    EXPECT_EQ(parameterTexts(), std::vector<std::string>{"4"});

    rewindParameters();
    clearParameters();
    EXPECT_STREQ(popParameter(), "");  // no rewind after the clear: nothing, not freed memory
}

TEST_F(ScriptableTest, DataPropertiesThroughText) {
    std::unique_ptr<RCounter> c(make());
    EXPECT_EQ(c->setProperty("value", "42"), 1);
    // Everything else is refused or ignored: the value stays 42 and the read-only label "five".
    const std::pair<const char*, const char*> refused[] = {
        {"value", nullptr}, {"fixed", "new"}, {"add", "9"},     {"changed", "1"},
        {"Value", "1"},     {"missing", "1"}, {nullptr, "1"},
    };
    for (const auto& [name, value] : refused) {
        SCOPED_TRACE(name ? name : "(null)");
        EXPECT_EQ(c->setProperty(name, value), 0);
        EXPECT_EQ(c->value, 42);
    }
    EXPECT_EQ(c->setProperty("label", "new"), 1);  // its setter ignores the text
    EXPECT_EQ(c->label, "five");
    EXPECT_STREQ(c->getProperty("value"), "42");
    EXPECT_STREQ(c->getProperty("label"), "five");
    EXPECT_STREQ(c->getProperty("noGetter"), "five");  // the buffer as the last getter left it
    EXPECT_EQ(c->getProperty("add"), nullptr);
    EXPECT_EQ(c->getProperty("changed"), nullptr);
    EXPECT_EQ(c->getProperty("missing"), nullptr);
}

TEST_F(ScriptableTest, LongGetterTextsAreCutToTheBuffer) {
    std::unique_ptr<RCounter> c(make("1", std::string(300, 'x').c_str()));
    EXPECT_EQ(std::strlen(c->getProperty("label")), 255u);
    char buffer[kResultBufferSize];
    EXPECT_TRUE(writePropertyText(reinterpret_cast<OMArg>(buffer), std::string(255, 'z').c_str()));
    EXPECT_FALSE(writePropertyText(reinterpret_cast<OMArg>(buffer), std::string(256, 'y').c_str()));
}

TEST_F(ScriptableTest, VerbsRunByName) {
    std::unique_ptr<RCounter> c(make("1"));
    EXPECT_EQ(c->invokeMethod("add", "3", "4"), 1);
    EXPECT_EQ(c->value, 8);
    clearParameters();
    ASSERT_TRUE(pushParameter("10"));
    EXPECT_EQ(c->invokeMethod("add", kParameterEnd), 1);
    EXPECT_EQ(c->value, 18);
    EXPECT_EQ(c->invokeMethod("value", "1"), 0);
    EXPECT_EQ(c->invokeMethod("Add", "1"), 0);
    EXPECT_EQ(c->value, 18);
}

TEST_F(ScriptableTest, EventsInsidePropertyCallsAreDroppedOthersRunAtOnce) {
    std::unique_ptr<RCounter> c(make());
    OMLinkToFct handler(countHandler);
    EXPECT_EQ(c->bindEvent("changed", &handler, nullptr), 1);
    EXPECT_EQ(c->bindEvent("Changed", &handler, nullptr), 0);
    EXPECT_EQ(c->bindEvent("value", &handler, nullptr), 0);

    EXPECT_EQ(c->invokeMethod("add", "1"), 1);
    EXPECT_EQ(c->lastSignal, 0);
    EXPECT_EQ(c->setProperty("value", "3"), 1);
    EXPECT_EQ(c->lastSignal, 0);
    EXPECT_EQ(handlerRuns, 0);

    c->tick();
    EXPECT_EQ(c->lastSignal, 1);
    EXPECT_EQ(handlerRuns, 1);
    for (const char* other : {"Changed", "nothing", "value", "born"}) EXPECT_EQ(c->signalEvent(other), 0) << other;
    EXPECT_EQ(handlerRuns, 1);

    OMLinkToFct replacement(countOtherHandler);
    EXPECT_EQ(c->bindEvent("changed", &replacement, nullptr), 1);
    c->tick();
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_EQ(otherHandlerRuns, 1);
    EXPECT_EQ(c->bindEvent("changed", nullptr, nullptr), 1);
    c->tick();
    EXPECT_EQ(c->lastSignal, 0);

    // A nested verb call clears the in-call flag when it returns.
    std::unique_ptr<RCounter> inner(make("0"));
    c->partner = inner.get();
    ASSERT_EQ(c->bindEvent("changed", &handler, nullptr), 1);
    ASSERT_EQ(inner->bindEvent("changed", &handler, nullptr), 1);
    EXPECT_EQ(c->invokeMethod("addTo", "2"), 1);
    EXPECT_EQ(inner->value, 2);
    EXPECT_EQ(inner->lastSignal, 0);  // raised inside the nested verb: dropped
    EXPECT_EQ(c->lastSignal, 1);      // raised after the nested call returned: runs
    EXPECT_EQ(handlerRuns, 2);
}

TEST_F(ScriptableTest, AddingReplacesByNameAndMovesToTheEnd) {
    std::unique_ptr<RCounter> c(make());
    c->addDataProperty("add", nullptr, nullptr);
    EXPECT_EQ(c->invokeMethod("add", "1"), 0);
    EXPECT_STREQ(c->properties.tail->element->name, "add");
    EXPECT_EQ(c->properties.tail->element->kind, OMPropertyKind::data);
    c->removeProperty("label");
    EXPECT_EQ(c->getProperty("label"), nullptr);
}

TEST_F(ScriptableTest, CompletionRunsOnceAndMayBeRenewedByItsHandler) {
    static RCounter* waiting;
    std::unique_ptr<RCounter> c(make());
    waiting = c.get();
    OMLinkToFct renew([](OMArg) {
        OMLinkToFct again(countHandler);
        waiting->setCompletion(&again);
    });
    c->setCompletion(&renew);
    c->fireCompletion();
    ASSERT_NE(c->completion, nullptr);
    c->fireCompletion();
    c->fireCompletion();
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_EQ(c->completion, nullptr);
}

TEST_F(ScriptableTest, CopiesGetTheirOwnPropertiesAndRunTheCreationHandler) {
    static OMScriptableObject* bornWhenCreated;
    bornWhenCreated = nullptr;
    OMLinkToFct creation([](OMArg) { bornWhenCreated = bornObject(); });
    EXPECT_EQ(bindClassEvent("rcounter", &creation), 1);
    EXPECT_EQ(bindClassEvent("RNothing", &creation), 0);

    std::unique_ptr<RCounter> source(make("5"));
    EXPECT_EQ(bornWhenCreated, nullptr);  // creation does not run it
    static OMEventCloneBlock seen;
    OMLinkToFct hook([](OMArg block) { seen = *reinterpret_cast<OMEventCloneBlock*>(block); });
    OMLinkToFct handler(countHandler);
    ASSERT_EQ(source->bindEvent("changed", &handler, &hook), 1);

    std::unique_ptr<RCounter> copy(static_cast<RCounter*>(source->clone()));
    EXPECT_EQ(bornWhenCreated, copy.get());
    EXPECT_EQ(bornObject(), copy.get());
    EXPECT_EQ(copy->className, source->className);
    EXPECT_EQ(seen.copy, copy.get());
    ASSERT_NE(seen.handler, nullptr);

    EXPECT_EQ(copy->setProperty("value", "77"), 1);
    EXPECT_EQ(copy->invokeMethod("add", "3"), 1);
    EXPECT_EQ(copy->value, 80);
    EXPECT_EQ(source->value, 5);
    copy->tick();
    EXPECT_EQ(handlerRuns, 1);  // the handler was copied as it was
    EXPECT_EQ(copy->properties.count, source->properties.count);
    EXPECT_EQ(bindClassEvent("RCounter", nullptr), 1);
}

TEST_F(ScriptableTest, InitClassMakesAnOutsideObjectAnInstance) {
    static int creations;
    creations = 0;
    OMLinkToFct creation([](OMArg) { ++creations; });
    ASSERT_EQ(bindClassEvent("RCounter", &creation), 1);
    RCounter outside(3, "three");
    EXPECT_EQ(outside.setProperty("value", "4"), 0);
    outside.initClass("RCOUNTER");
    EXPECT_EQ(outside.className, counterClass.className);
    EXPECT_EQ(bornObject(), &outside);
    EXPECT_EQ(outside.setProperty("value", "4"), 1);
    outside.initClass("RCounter");  // once only
    EXPECT_EQ(creations, 1);

    RCounter unknown(1, "one");
    unknown.initClass("RNothing");
    EXPECT_EQ(unknown.className, nullptr);
    std::unique_ptr<OMScriptableObject> copy(unknown.clone());  // copying without a class: no handler
    EXPECT_EQ(copy->className, nullptr);
    EXPECT_EQ(creations, 1);
}

TEST_F(ScriptableTest, WordsOfAParameterText) {
    struct Case {
        const char* text;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"5 \"big label\" x", {"5", "big label", "x"}},
        {"a  b", {"a", "", "b"}},
        {"\"q\"x y", {"q", "y"}},
        {"\"q\"", {"q"}},
        {"one \"open ended", {"one", "open"}},
        {"", {""}},
        {"tail ", {"tail", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<OMScriptableObject> made(createObjectFromText("rcounter", c.text));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(parameterTexts(), c.words);
    }
    clearParameters();
    ASSERT_TRUE(pushParameter("kept"));
    EXPECT_EQ(createObjectFromText("RCounter", std::string(256, 'w').c_str()), nullptr);
    EXPECT_EQ(parameterTexts(), std::vector<std::string>{"kept"});
    EXPECT_EQ(createObjectFromText("RCounter", nullptr), nullptr);
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
        EXPECT_NE(omGlobals().registry, nullptr);
        EXPECT_NE(omGlobals().parameters, nullptr);
        EXPECT_EQ(parameterTexts(), std::vector<std::string>{"x"});
        ASSERT_EQ(findClass("RTwin"), 1);
    }
    EXPECT_EQ(omGlobals().registry, nullptr);
    EXPECT_EQ(omGlobals().parameters, nullptr);
    EXPECT_EQ(omGlobals().currentClass, nullptr);
    EXPECT_STREQ(popParameter(), "");
    {
        OMSR again("RAgain", makeCounter);
        EXPECT_EQ(findClass("ragain"), 1);
        EXPECT_NE(omGlobals().parameters, nullptr);
    }
    EXPECT_EQ(omGlobals().registry, nullptr);
}

// Plug-in naming rules, through a loader that records what it is asked and registers on demand.
struct FakeLibraries {
    static std::vector<std::string> calls;
    static std::deque<std::string> classNames;
    static std::vector<std::unique_ptr<OMSR>> records;
    static std::vector<std::string> listed;

    // "RMissing..." fails to load, "RSilent..." loads without registering, others register their name.
    static void* load(const char* fileName) {
        calls.push_back(std::string("load ") + fileName);
        const std::string name(fileName);
        if (name.rfind("RMissing", 0) == 0) return nullptr;
        if (name.rfind("RSilent", 0) != 0) {
            classNames.push_back(name.substr(0, name.find('.')));
            records.emplace_back(new OMSR(classNames.back().c_str(), makeCounter));
        }
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(calls.size()));
    }
    static void release(void* library) {
        calls.push_back("release " + std::to_string(reinterpret_cast<std::uintptr_t>(library)));
    }
    static void list(void (*each)(const char*)) {
        calls.push_back("list");
        for (const std::string& entry : listed) each(entry.c_str());
    }
};
std::vector<std::string> FakeLibraries::calls;
std::deque<std::string> FakeLibraries::classNames;
std::vector<std::unique_ptr<OMSR>> FakeLibraries::records;
std::vector<std::string> FakeLibraries::listed;

TEST_F(ScriptableTest, PluginNamesAndAutoload) {
    const OMClassLibraryLoader fake = {FakeLibraries::load, FakeLibraries::release, FakeLibraries::list};
    setClassLibraryLoader(&fake);
    FakeLibraries::calls.clear();

    EXPECT_EQ(findClass("RAlpha"), 1);
    EXPECT_EQ(findClass("ralpha"), 1);
    loadClassLibraries("RAlpha.other.dll");
    loadClassLibraries("RCounter");
    EXPECT_EQ(findClass("RMissing"), 0);
    EXPECT_EQ(findClass("RSilent"), 0);
    loadClassLibraries("RBeta.x.dll");
    EXPECT_EQ(FakeLibraries::records.back()->library, reinterpret_cast<void*>(5));
    loadClassLibraries(std::string(123, 'n').c_str());
    loadClassLibraries(std::string(124, 'n').c_str());
    loadClassLibraries((std::string(128, 'n') + ".x").c_str());
    loadClassLibraries(".lrn");
    EXPECT_EQ(findClass(""), 0);
    setClassAutoload(0);
    EXPECT_EQ(classAutoload(), 0);
    EXPECT_EQ(findClass("RGamma"), 0);
    setClassAutoload(1);
    FakeLibraries::listed = {"RGamma.lrn", "RAlpha.lrn"};
    loadClassLibraries(nullptr);
    freeClassLibraries("RAlpha");
    freeClassLibraries("RCounter");
    const std::vector<std::string> expected = {
        "load RAlpha.lrn", "load RMissing.lrn", "load RSilent.lrn", "release 3", "load RBeta.x.dll",
        "load " + std::string(123, 'n') + ".lrn", "list", "load RGamma.lrn", "release 1"};
    EXPECT_EQ(FakeLibraries::calls, expected);
    FakeLibraries::calls.clear();
    freeClassLibraries(nullptr);
    EXPECT_EQ(FakeLibraries::calls, (std::vector<std::string>{"release 1", "release 5", "release 6", "release 8"}));
    FakeLibraries::records.clear();
    setClassLibraryLoader(nullptr);
    EXPECT_EQ(findClass("RAlpha"), 0);
}

}  // namespace
