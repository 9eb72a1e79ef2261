// A class's dispatch depth raised for the life of a scope: objects of the class destroyed meanwhile stay on
// its destroyed list, so that code after an event can tell whether a handler destroyed one.
#pragma once

template <class T>
class DispatchScope {
public:
    DispatchScope() { ++T::dispatchDepth; }
    // At depth 0 the destroyed list is emptied; nothing on it is deleted.
    ~DispatchScope() {
        if (--T::dispatchDepth == 0) T::destroyedDuringDispatch().clear(false);
    }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};
