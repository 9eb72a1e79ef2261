// The library-wide object of the splash-screen library.
#include "cDSSObject.h"

#include <new>

cDSSObject::cDSSObject(HINSTANCE instance) : registry_(new (std::nothrow) cDSSRegistry()) {
    if (registry_ != nullptr) display_.reset(new (std::nothrow) cDSSDisplay(*registry_, instance));
}

// The display object goes first: it joins its thread, which still uses the store.
cDSSObject::~cDSSObject() {
    display_.reset();
    registry_.reset();
}
