// A scriptable test object for thread tests: a verb that rings (raising "rang" inside the call), a verb
// that records its parameters, a verb that arms the bell for a task to ring later, a data property and an
// event raised from outside any call.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "OMSParameter.h"
#include "OMScriptableObject.h"
#include "OMScriptableObjectProperty.h"

class RBell : public OMScriptableObject {
public:
    RBell() { ++alive(); }
    ~RBell() override {
        --alive();
        std::vector<std::pair<RBell*, int>>& list = armed();
        list.erase(std::remove_if(list.begin(), list.end(), [this](const auto& a) { return a.first == this; }),
                   list.end());
    }

    OMScriptableObject* clone() override {
        auto* copy = new RBell;
        copyPropertiesTo(copy);
        return copy;
    }
    void registerProperties() override {
        const OMLinkToObj<RBell> ring(this, &RBell::ring);
        addMethodProperty("ring", &ring);
        const OMLinkToObj<RBell> show(this, &RBell::show);
        addMethodProperty("show", &show);
        const OMLinkToObj<RBell> arm(this, &RBell::arm);
        addMethodProperty("arm", &arm);
        addDefaultMethodProperty(&show);
        const OMLinkToObj<RBell> setter(this, nullptr, &RBell::setValue);
        const OMLinkToObj<RBell> getter(this, nullptr, &RBell::getValue);
        addDataProperty("value", &setter, &getter);
        addEventProperty("rang");
    }
    // Raises "rang" as a time slice would, outside any property call.
    int fire() { return signalEvent("rang"); }

    static int& alive() {
        static int n = 0;
        return n;
    }
    // Bells waiting to be rung, with the slices still to wait.
    static std::vector<std::pair<RBell*, int>>& armed() {
        static std::vector<std::pair<RBell*, int>> bells;
        return bells;
    }
    // A time slice: rings every armed bell whose wait is over.
    static void ringArmed() {
        std::vector<RBell*> due;
        for (auto& a : armed()) {
            if (--a.second == 0) due.push_back(a.first);
        }
        std::vector<std::pair<RBell*, int>>& list = armed();
        list.erase(std::remove_if(list.begin(), list.end(), [](const auto& a) { return a.second <= 0; }), list.end());
        for (RBell* bell : due) bell->fire();
    }
    static std::vector<std::string>& shown() {
        static std::vector<std::string> texts;
        return texts;
    }

    std::string value;

private:
    void ring() { signalEvent("rang"); }
    void arm() { armed().emplace_back(this, kArmedSlices); }
    static constexpr int kArmedSlices = 5;
    void show() {
        std::string line;
        for (const char* p = popParameter(); *p; p = popParameter()) line += std::string(line.empty() ? "" : ",") + p;
        shown().push_back(line);
    }
    void setValue(OMArg text) { value = reinterpret_cast<const char*>(text); }
    void getValue(OMArg buffer) { static_cast<void>(writePropertyText(buffer, value.c_str())); }
};

inline OMScriptableObject* makeBell() { return new RBell; }
