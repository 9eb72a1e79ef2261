// A class plug-in for tests: "RTally" with a data property "count", a verb "add" and an event "changed".
#include <cstdlib>
#include <string>

#include "OMPlugin.h"
#include "OMScriptableObject.h"
#include "OMTask.h"

namespace {
struct RTally : OMScriptableObject {
    explicit RTally(int start) : count(start) {
        const OMLinkToObj<RTally> link(this, &RTally::reportChange);
        report.setLink(&link);
        report.suspended = 1;
    }
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override {
        OMLinkToObj<RTally> setter(this, nullptr, &RTally::setCount);
        OMLinkToObj<RTally> getter(this, nullptr, &RTally::getCount);
        addDataProperty("count", &setter, &getter);
        OMLinkToObj<RTally> add(this, &RTally::add);
        addMethodProperty("add", &add);
        addEventProperty("changed");
    }

private:
    void setCount(OMArg text) { count = std::atoi(reinterpret_cast<const char*>(text)); }
    void getCount(OMArg buffer) { (void)writePropertyText(buffer, std::to_string(count).c_str()); }
    // Adds its first parameter. The event raised inside the verb is dropped (an event that reached its
    // handler would add 1000, so tests can see it); the program's next main-loop pass raises it again.
    void add() {
        count += std::atoi(popParameter());
        if (signalEvent("changed")) count += 1000;
        report.suspended = 0;
        appendTask(&report);
    }
    // The handler may drop the tally: nothing of it is touched after.
    void reportChange() {
        report.suspended = 1;
        (void)signalEvent("changed");
    }
    int count;
    OMTask report{nullptr, 0};
};

OMScriptableObject* makeTally() { return new RTally(std::atoi(popParameter())); }
}  // namespace

int OMPluginAttach(OMGlobals* program, std::uint32_t version) {
    if (!omAttachToProgram(program, version)) return 0;
    static OMSR tally("RTally", makeTally);
    return 1;
}
