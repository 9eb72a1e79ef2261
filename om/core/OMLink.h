// Callback links: to a member function of one object or to a plain function, with one argument word.
#pragma once

#include "OMList.h"

// A receiver that is given a link stores its own clone() and deletes it when replaced or destroyed.
// A link never keeps its target alive.
class OMLink {
public:
    OMLink() = default;
    explicit OMLink(OMArg word) : argument(word) {}
    virtual ~OMLink() = default;

    virtual void invoke() = 0;
    virtual void invokeWith(OMArg arg) = 0;
    virtual OMLink* clone() const = 0;
    virtual void setTarget(void*) {}
    virtual void* target() const { return nullptr; }

    // The word that invoke() passes.
    OMArg argument = 0;

protected:
    OMLink(const OMLink&) = default;
    OMLink& operator=(const OMLink&) = default;
};

// Calls `method` (preferred) or `methodWithArgument` on the target; a null target does nothing.
// setTarget takes the address of a T (for scriptable objects: the object, whose root is its first base).
template <class T>
class OMLinkToObj : public OMLink {
public:
    using Method = void (T::*)();
    using MethodWithArgument = void (T::*)(OMArg);

    OMLinkToObj(T* object, Method plain, MethodWithArgument withArgument = nullptr, OMArg word = 0)
        : OMLink(word), targetObject(object), method(plain), methodWithArgument(withArgument) {}

    void invoke() override { invokeWith(argument); }
    void invokeWith(OMArg arg) override {
        if (!targetObject) return;
        if (method) {
            (targetObject->*method)();
        } else if (methodWithArgument) {
            (targetObject->*methodWithArgument)(arg);
        }
    }
    OMLink* clone() const override { return new OMLinkToObj(*this); }
    void setTarget(void* object) override { targetObject = static_cast<T*>(object); }
    void* target() const override { return targetObject; }

    T* targetObject;
    Method method;
    MethodWithArgument methodWithArgument;
};

// Calls a plain function with the stored argument (invoke) or the given one (invokeWith).
class OMLinkToFct : public OMLink {
public:
    using Function = void (*)(OMArg);

    explicit OMLinkToFct(Function called, OMArg word = 0) : OMLink(word), function(called) {}

    void invoke() override { invokeWith(argument); }
    void invokeWith(OMArg arg) override {
        if (function) function(arg);
    }
    OMLink* clone() const override { return new OMLinkToFct(*this); }

    Function function;
};

// The setter of read-only script properties: assignment is accepted and ignored.
void readOnlySetter(OMArg);

// Deletes *held and stores a clone of link there (null when link is null).
void replaceLink(OMLink*& held, const OMLink* link);
