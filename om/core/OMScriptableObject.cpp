// Scriptable objects: their property list, the calls by name, events, completion, copying.
#include "OMScriptableObject.h"

#include <unordered_map>

#include "OMGlobals.h"

namespace {

// The serial number of every live object.
std::unordered_map<const OMScriptableObject*, std::uint32_t>& liveObjects() {
    static std::unordered_map<const OMScriptableObject*, std::uint32_t> objects;
    return objects;
}

std::uint32_t nextSerial() {
    static std::uint32_t last = 0;
    return ++last;
}

}  // namespace

OMScriptableObject::OMScriptableObject() : serial_(nextSerial()) {
    liveObjects()[this] = serial_;
    addEventProperty("born");
}

OMScriptableObject::~OMScriptableObject() {
    liveObjects().erase(this);
    properties.clear(true);
    delete completion;
}

bool OMScriptableObject::isAlive(const OMScriptableObject* object, std::uint32_t serial) {
    const auto found = liveObjects().find(object);
    return found != liveObjects().end() && found->second == serial;
}

void OMScriptableObject::describe(char*, std::size_t) {}

void OMScriptableObject::addDataProperty(const char* name, const OMLink* setter, const OMLink* getter) {
    addProperty(new OMSDataProperty(name, setter, getter));
}

void OMScriptableObject::addMethodProperty(const char* name, const OMLink* link) {
    addProperty(new OMSMethodProperty(name, link));
}

void OMScriptableObject::addDefaultMethodProperty(const OMLink* link) { addMethodProperty("default", link); }

void OMScriptableObject::addEventProperty(const char* name) { addProperty(new OMSEventProperty(name)); }

void OMScriptableObject::addProperty(OMScriptableObjectProperty* property) {
    if (!property) return;
    removeProperty(property->name);
    properties.append(property);
    propertyIndex_.insert(property);
}

void OMScriptableObject::removeProperty(const char* name) {
    OMScriptableObjectProperty* property = findProperty(name, nullptr);
    if (!property) return;
    propertyIndex_.erase(property);
    delete properties.remove(property);
}

// Names are unique within the object, so the one property of that name is the first match of the list.
OMScriptableObjectProperty* OMScriptableObject::findProperty(const char* name, const OMPropertyKind* kind) const {
    OMScriptableObjectProperty* property = propertyIndex_.find(name);
    return property && (!kind || property->kind == *kind) ? property : nullptr;
}

std::int32_t OMScriptableObject::runInCall(OMScriptableObjectProperty* property, const char* value, bool asVerb) {
    std::int32_t& inCall = omGlobals().inCall;
    inCall = 1;
    const std::int32_t ran = asVerb ? property->invoke() : property->set(value);
    inCall = 0;
    return ran;
}

std::int32_t OMScriptableObject::setProperty(const char* name, const char* value) {
    rewindParameters();
    OMScriptableObjectProperty* property = findProperty(name, nullptr);
    return property ? runInCall(property, value, false) : 0;
}

const char* OMScriptableObject::getProperty(const char* name) {
    rewindParameters();
    const OMPropertyKind data = OMPropertyKind::data;
    OMScriptableObjectProperty* property = findProperty(name, &data);
    return property ? property->get() : nullptr;
}

std::int32_t OMScriptableObject::invokeMethodWith(const char* verb, const char* const* parameters) {
    fillParameters(parameters);
    const OMPropertyKind kindVerb = OMPropertyKind::verb;
    OMScriptableObjectProperty* property = findProperty(verb, &kindVerb);
    return property ? runInCall(property, nullptr, true) : 0;
}

std::int32_t OMScriptableObject::signalEvent(const char* eventName) {
    const OMPropertyKind event = OMPropertyKind::event;
    OMScriptableObjectProperty* property = findProperty(eventName, &event);
    return property ? property->invoke() : 0;
}

std::int32_t OMScriptableObject::bindEvent(const char* eventName, const OMLink* handler, const OMLink* cloneHook) {
    const OMPropertyKind event = OMPropertyKind::event;
    auto* property = static_cast<OMSEventProperty*>(findProperty(eventName, &event));
    if (!property) return 0;
    property->bind(handler, cloneHook);
    return 1;
}

void OMScriptableObject::setCompletion(const OMLink* link) { replaceLink(completion, link); }

// The field is cleared before the link runs, so the handler may set a new completion link.
void OMScriptableObject::fireCompletion() {
    if (!completion) return;
    OMLink* running = completion->clone();
    delete completion;
    completion = nullptr;
    if (running) running->invoke();
    delete running;
}

void OMScriptableObject::copyPropertiesTo(OMScriptableObject* copy) {
    if (!copy || copy == this) return;
    for (OMListElement<OMScriptableObjectProperty>* n = properties.head; n; n = n->next) {
        copy->addProperty(n->element->clone(copy));
    }
    copy->className = className;
    omGlobals().born = copy;
    if (className && findClass(className)) {
        OMSR* record = omGlobals().currentClass;
        if (record->creationHandler) record->creationHandler->invoke();
    }
}

void OMScriptableObject::initClass(const char* name) {
    omGlobals().born = this;
    if (!name || className || !findClass(name)) return;
    OMSR* record = omGlobals().currentClass;
    registerProperties();
    className = record->className;
    if (record->creationHandler) record->creationHandler->invoke();
}
