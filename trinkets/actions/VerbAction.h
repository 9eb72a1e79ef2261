// "VerbAction": calls a verb of a script object with the parameters it was created with.
#pragma once

#include <string>
#include <vector>

#include "TargetAction.h"

class VerbAction : public TargetAction {
public:
    // texts: the verb name first, then its parameters.
    VerbAction(OMScriptableObject* object, std::int32_t isInterruptibleFlag, std::vector<std::string> verbTexts);

    std::vector<std::string> texts;

protected:
    // The parameters are pushed and the verb pops them; events it raises meanwhile are dropped.
    void perform() override;
};

// "VerbAction": target variable (required), isInterruptible (read in this place; absent gives 0), verb name
// (required), then parameters up to the first absent token.
Action* createVerbAction(std::int32_t defaultInterruptible);
