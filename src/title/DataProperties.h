// Registering a class's data properties from a table of member setters and getters.
#pragma once

#include <cstddef>

#include "OMLink.h"

template <class T>
struct DataProperty {
    const char* name;
    // Null: read-only, a set is accepted and ignored.
    void (T::*set)(OMArg);
    void (T::*get)(OMArg);
};

template <class T, std::size_t N>
void addDataProperties(T* object, const DataProperty<T> (&table)[N]) {
    const OMLinkToFct ignored(readOnlySetter);
    for (const DataProperty<T>& p : table) {
        const OMLinkToObj<T> set(object, nullptr, p.set);
        const OMLinkToObj<T> get(object, nullptr, p.get);
        object->addDataProperty(p.name, p.set ? static_cast<const OMLink*>(&set) : &ignored, &get);
    }
}
