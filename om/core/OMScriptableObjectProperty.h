// The named properties of scriptable objects: data properties, verbs and events.
#pragma once

#include <cstdint>

#include "OMLink.h"

class OMScriptableObject;

enum class OMPropertyKind : std::int32_t { data = 0, event = 1, verb = 2 };

// A property record: its kind, its name (the literal the class gave, not copied) and its owned link
// (a data property's setter, a verb's member function, an event's bound handler).
class OMScriptableObjectProperty {
public:
    OMScriptableObjectProperty(OMPropertyKind propertyKind, const char* propertyName, const OMLink* held);
    OMScriptableObjectProperty(const OMScriptableObjectProperty&) = delete;
    OMScriptableObjectProperty& operator=(const OMScriptableObjectProperty&) = delete;
    virtual ~OMScriptableObjectProperty();

    // A property of the same kind for newOwner (links re-targeted to it where the kind says so).
    virtual OMScriptableObjectProperty* clone(OMScriptableObject* newOwner) const = 0;
    virtual std::int32_t set(const char* text);
    virtual const char* get();
    virtual std::int32_t invoke();

    OMPropertyKind kind;
    const char* name;
    OMLink* link = nullptr;
};

// A data property: the base link is the setter (called with the text), `getter` writes the value's text
// into the result buffer whose address it is given.
class OMSDataProperty : public OMScriptableObjectProperty {
public:
    OMSDataProperty(const char* propertyName, const OMLink* setter, const OMLink* reader);
    ~OMSDataProperty() override;

    OMScriptableObjectProperty* clone(OMScriptableObject* newOwner) const override;
    std::int32_t set(const char* text) override;
    const char* get() override;

    OMLink* getter = nullptr;
};

// A verb: the link runs the member function, which pops its own parameters.
class OMSMethodProperty : public OMScriptableObjectProperty {
public:
    OMSMethodProperty(const char* propertyName, const OMLink* verb);

    OMScriptableObjectProperty* clone(OMScriptableObject* newOwner) const override;
    std::int32_t invoke() override;
};

// What an event's clone hook receives (by address) when the event is copied to another object.
struct OMEventCloneBlock {
    OMLink* handler;  // the copy's handler, a clone of the source's
    OMScriptableObject* copy;
};

// An event: the base link is the bound handler (null while unbound).
class OMSEventProperty : public OMScriptableObjectProperty {
public:
    explicit OMSEventProperty(const char* propertyName);
    ~OMSEventProperty() override;

    OMScriptableObjectProperty* clone(OMScriptableObject* newOwner) const override;
    std::int32_t invoke() override;
    void bind(const OMLink* handler, const OMLink* hook);

    OMLink* cloneHook = nullptr;
};

// Writes text into a getter's result buffer (the getter's argument word): at most 255 characters and the
// terminating zero. Returns false when the text had to be cut.
[[nodiscard]] bool writePropertyText(OMArg buffer, const char* text);
