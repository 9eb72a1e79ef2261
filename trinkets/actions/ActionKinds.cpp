// Registration of every leaf kind under its script name.
#include "ActionKinds.h"

#include "ActionFactory.h"
#include "AnimAction.h"
#include "CharacterAnimAction.h"
#include "CharacterSpeechAction.h"
#include "DelayAction.h"
#include "EmptyAction.h"
#include "MoveXAction.h"
#include "MoveXYAction.h"
#include "PlayAnimAction.h"
#include "PropertyAction.h"
#include "SoundAction.h"
#include "VerbAction.h"

void registerLeafActions() {
    registerAction("SoundAction", createSoundAction);
    registerAction("AnimAction", createAnimAction);
    registerAction("PlayAnimAction", createPlayAnimAction);
    registerAction("DelayAction", createDelayAction);
    registerAction("RandomDelayAction", createRandomDelayAction);
    registerAction("EmptyAction", createEmptyAction);
    registerAction("VerbAction", createVerbAction);
    registerAction("PropertyAction", createPropertyAction);
    registerAction("CharacterAnimAction", createCharacterAnimAction);
    registerAction("CharacterSpeechAction", createCharacterSpeechAction);
    registerAction("MoveXAction", createMoveXAction);
    registerAction("MoveYAction", createMoveYAction);
    registerAction("MoveXYAction", createMoveXYAction);
}
