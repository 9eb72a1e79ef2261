// A minimal scriptable object for value and heap tests: counts its clones and deletions.
#pragma once

#include "OMScriptableObject.h"

class RProbe : public OMScriptableObject {
public:
    RProbe() { ++alive(); }
    ~RProbe() override { --alive(); }
    OMScriptableObject* clone() override {
        ++clones();
        return new RProbe;
    }
    void registerProperties() override {}

    static int& alive() {
        static int n = 0;
        return n;
    }
    static int& clones() {
        static int n = 0;
        return n;
    }
};
