// Registration of every leaf kind under its script name.
#include "ActionKinds.h"

#include "ActionFactory.h"
#include "DelayAction.h"
#include "EmptyAction.h"
#include "PropertyAction.h"
#include "VerbAction.h"

void registerLeafActions() {
    registerAction("DelayAction", createDelayAction);
    registerAction("RandomDelayAction", createRandomDelayAction);
    registerAction("EmptyAction", createEmptyAction);
    registerAction("VerbAction", createVerbAction);
    registerAction("PropertyAction", createPropertyAction);
}
