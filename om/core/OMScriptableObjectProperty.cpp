// Property records: setting, reading, invoking and copying them for another object.
#include "OMScriptableObjectProperty.h"

#include <cstring>

#include "OMGlobals.h"
#include "OMSParameter.h"

namespace {

OMLink* cloneOf(const OMLink* link) { return link ? link->clone() : nullptr; }

// A clone of link aimed at newOwner, when there is one.
OMLink* cloneFor(const OMLink* link, OMScriptableObject* newOwner) {
    OMLink* copy = cloneOf(link);
    if (copy && newOwner) copy->setTarget(newOwner);
    return copy;
}

}  // namespace

OMScriptableObjectProperty::OMScriptableObjectProperty(OMPropertyKind propertyKind, const char* propertyName,
                                                       const OMLink* held)
    : kind(propertyKind), name(propertyName), link(cloneOf(held)) {}

OMScriptableObjectProperty::~OMScriptableObjectProperty() { delete link; }

std::int32_t OMScriptableObjectProperty::set(const char*) { return 0; }

const char* OMScriptableObjectProperty::get() { return "undefined"; }

std::int32_t OMScriptableObjectProperty::invoke() { return 0; }

OMSDataProperty::OMSDataProperty(const char* propertyName, const OMLink* setter, const OMLink* reader)
    : OMScriptableObjectProperty(OMPropertyKind::data, propertyName, setter), getter(cloneOf(reader)) {}

OMSDataProperty::~OMSDataProperty() { delete getter; }

OMScriptableObjectProperty* OMSDataProperty::clone(OMScriptableObject* newOwner) const {
    auto* copy = new OMSDataProperty(name, nullptr, nullptr);
    copy->link = cloneFor(link, newOwner);
    copy->getter = cloneFor(getter, newOwner);
    return copy;
}

std::int32_t OMSDataProperty::set(const char* text) {
    if (!link || !text) return 0;
    link->invokeWith(reinterpret_cast<OMArg>(text));
    return 1;
}

// The buffer's last byte is forced to zero afterwards, so a getter that forgot its terminator cannot
// make the result run on.
const char* OMSDataProperty::get() {
    char* buffer = omGlobals().result;
    if (getter) {
        getter->invokeWith(reinterpret_cast<OMArg>(buffer));
        buffer[kResultBufferSize - 1] = '\0';
    }
    return buffer;
}

OMSMethodProperty::OMSMethodProperty(const char* propertyName, const OMLink* verb)
    : OMScriptableObjectProperty(OMPropertyKind::verb, propertyName, verb) {}

OMScriptableObjectProperty* OMSMethodProperty::clone(OMScriptableObject* newOwner) const {
    auto* copy = new OMSMethodProperty(name, nullptr);
    copy->link = cloneFor(link, newOwner);
    return copy;
}

std::int32_t OMSMethodProperty::invoke() {
    if (!link) return 0;
    rewindParameters();
    link->invoke();
    return 1;
}

OMSEventProperty::OMSEventProperty(const char* propertyName)
    : OMScriptableObjectProperty(OMPropertyKind::event, propertyName, nullptr) {}

OMSEventProperty::~OMSEventProperty() { delete cloneHook; }

// The handler is copied as it is; the source's clone hook lets the binder give the copy its own.
OMScriptableObjectProperty* OMSEventProperty::clone(OMScriptableObject* newOwner) const {
    auto* copy = new OMSEventProperty(name);
    copy->link = cloneOf(link);
    if (cloneHook) {
        OMEventCloneBlock block{copy->link, newOwner};
        cloneHook->invokeWith(reinterpret_cast<OMArg>(&block));
    }
    return copy;
}

std::int32_t OMSEventProperty::invoke() {
    if (!link || omGlobals().inCall) return 0;
    link->invoke();
    return 1;
}

void OMSEventProperty::bind(const OMLink* handler, const OMLink* hook) {
    replaceLink(link, handler);
    replaceLink(cloneHook, hook);
}

// Copied character by character: getter texts are short, and a library call per text costs more.
bool writePropertyText(OMArg buffer, const char* text) {
    char* out = reinterpret_cast<char*>(buffer);
    std::size_t kept = 0;
    if (text) {
        for (; kept < kResultBufferSize - 1 && text[kept]; ++kept) out[kept] = text[kept];
    }
    out[kept] = '\0';
    return !text || text[kept] == '\0';
}
