// The root of every scriptable class: named data properties, verbs and events, driven by text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OMLink.h"
#include "OMPropertyIndex.h"
#include "OMSR.h"
#include "OMScriptableObjectProperty.h"

class OMScriptableObject {
public:
    OMScriptableObject();
    OMScriptableObject(const OMScriptableObject&) = delete;
    OMScriptableObject& operator=(const OMScriptableObject&) = delete;
    virtual ~OMScriptableObject();

    // A new object of the same class made through copyPropertiesTo, or null for classes that do not copy.
    virtual OMScriptableObject* clone() = 0;
    // A short description into buffer (size bytes); the root writes nothing.
    virtual void describe(char* buffer, std::size_t size);
    // Adds the class's properties; a derived class calls its base's version first.
    virtual void registerProperties() = 0;

    // Adding properties: each replaces any property of the same name and goes to the end of the order.
    void addDataProperty(const char* name, const OMLink* setter, const OMLink* getter);
    void addMethodProperty(const char* name, const OMLink* link);
    void addDefaultMethodProperty(const OMLink* link);
    void addEventProperty(const char* name);
    void addProperty(OMScriptableObjectProperty* property);
    void removeProperty(const char* name);

    // Calls by name (names compared exactly).
    std::int32_t setProperty(const char* name, const char* value);
    const char* getProperty(const char* name);
    std::int32_t invokeMethodWith(const char* verb, const char* const* parameters);
    template <class... Texts>
    std::int32_t invokeMethod(const char* verb, Texts... parameters) {
        const char* list[] = {parameters..., kParameterEnd};
        return invokeMethodWith(verb, list);
    }
    std::int32_t signalEvent(const char* eventName);
    std::int32_t bindEvent(const char* eventName, const OMLink* handler, const OMLink* cloneHook);

    // The one-shot link run when the object finishes (a script waiting for it).
    void setCompletion(const OMLink* link);
    void fireCompletion();

    // Makes copy a script-level twin: cloned properties aimed at it, the class name, the creation handler.
    void copyPropertiesTo(OMScriptableObject* copy);
    // Initialises an object made outside createObject as an instance of a registered class.
    void initClass(const char* name);

    OMList<OMScriptableObjectProperty> properties;
    OMLink* completion = nullptr;
    // The registry's spelling of the class name; null until made, copied or initialised by class.
    const char* className = nullptr;

    // Each object gets a serial number that no later object reuses, so that a holder of a pointer it does
    // not own can tell whether the object it was given is still alive, even when its address is reused.
    std::uint32_t serial() const { return serial_; }
    static bool isAlive(const OMScriptableObject* object, std::uint32_t serial);

private:
    OMScriptableObjectProperty* findProperty(const char* name, const OMPropertyKind* kind) const;
    // Runs one property operation with the in-call flag raised (events are dropped meanwhile).
    static std::int32_t runInCall(OMScriptableObjectProperty* property, const char* value, bool asVerb);

    OMPropertyIndex propertyIndex_;
    const std::uint32_t serial_;
};
