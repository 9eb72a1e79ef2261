// Property steps: the stored value set on the target.
#include "PropertyAction.h"

#include <utility>

#include "ActionFactory.h"

PropertyAction::PropertyAction(OMScriptableObject* object, std::string name, std::string text,
                               std::int32_t isInterruptibleFlag)
    : TargetAction(object, isInterruptibleFlag), propertyName(std::move(name)), value(std::move(text)) {}

void PropertyAction::perform() { static_cast<void>(target->setProperty(propertyName.c_str(), value.c_str())); }

Action* createPropertyAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(4);
    OMScriptableObject* object = tokenObject(t[0]);
    const std::size_t run = tokenRun(t);
    if (!object || run < 3) return nullptr;
    return new PropertyAction(object, t[1], t[2], run == 4 ? tokenNumber(t[3]) : defaultInterruptible);
}
