// The library-wide object: the registry store and the display object that every export uses.
#pragma once

#include <windows.h>

#include <memory>

#include "cDSSDisplay.h"
#include "cDSSRegistry.h"

class cDSSObject {
public:
    explicit cDSSObject(HINSTANCE instance);
    cDSSObject(const cDSSObject&) = delete;
    cDSSObject& operator=(const cDSSObject&) = delete;
    ~cDSSObject();

    cDSSDisplay* display() { return display_.get(); }

private:
    std::unique_ptr<cDSSRegistry> registry_;
    std::unique_ptr<cDSSDisplay> display_;
};
