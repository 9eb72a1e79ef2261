// "RBell", a scriptable test object: verbs that ring, record their parameters and arm a later ring; a value.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "OMSParameter.h"
#include "OMScriptableObject.h"
#include "OMScriptableObjectProperty.h"

struct RBell : OMScriptableObject {
    static inline int alive = 0;
    static inline std::vector<std::pair<RBell*, int>> armed;  // bells waiting to be rung, with the slices to wait
    static inline std::vector<std::string> shown;              // the parameters of every "show"
    std::string value;
    RBell() { ++alive; }
    ~RBell() override {
        --alive;
        armed.erase(std::remove_if(armed.begin(), armed.end(), [this](const auto& a) { return a.first == this; }),
                    armed.end());
    }
    OMScriptableObject* clone() override { auto* copy = new RBell; copyPropertiesTo(copy); return copy; }
    void registerProperties() override {
        const OMLinkToObj<RBell> ring(this, &RBell::ring), show(this, &RBell::show), arm(this, &RBell::arm);
        addMethodProperty("ring", &ring);
        addMethodProperty("show", &show);
        addMethodProperty("arm", &arm);
        addDefaultMethodProperty(&show);
        const OMLinkToObj<RBell> setter(this, nullptr, &RBell::setValue), getter(this, nullptr, &RBell::getValue);
        addDataProperty("value", &setter, &getter);
        addEventProperty("rang");
    }
    // Raises "rang" as a time slice would, outside any property call.
    int fire() { return signalEvent("rang"); }
    // A time slice: rings every armed bell whose wait is over.
    static void ringArmed() {
        std::vector<RBell*> due;
        for (auto& a : armed) if (--a.second == 0) due.push_back(a.first);
        armed.erase(std::remove_if(armed.begin(), armed.end(), [](const auto& a) { return a.second <= 0; }), armed.end());
        for (RBell* bell : due) bell->fire();
    }

private:
    void ring() { signalEvent("rang"); }
    void arm() { armed.emplace_back(this, 5); }
    void show() {
        std::string line;
        for (const char* p = popParameter(); *p; p = popParameter()) line += std::string(line.empty() ? "" : ",") + p;
        shown.push_back(line);
    }
    void setValue(OMArg text) { value = reinterpret_cast<const char*>(text); }
    void getValue(OMArg buffer) { static_cast<void>(writePropertyText(buffer, value.c_str())); }
};

inline OMScriptableObject* makeBell() { return new RBell; }
