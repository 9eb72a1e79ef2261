// "PropertyAction": sets a data property of a script object.
#pragma once

#include <string>

#include "TargetAction.h"

class PropertyAction : public TargetAction {
public:
    PropertyAction(OMScriptableObject* object, std::string name, std::string text, std::int32_t isInterruptibleFlag);

    std::string propertyName;
    std::string value;

protected:
    void perform() override;
};

// "PropertyAction": target variable (required), property name, value (required), isInterruptible.
Action* createPropertyAction(std::int32_t defaultInterruptible);
