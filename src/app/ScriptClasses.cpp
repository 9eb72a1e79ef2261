// Naming each class record here pulls the class into the program.
#include "ScriptClasses.h"

#include "ActionFactory.h"
#include "ActionKinds.h"
#include "OMAnimation.h"
#include "OMMultiTrinket.h"
#include "RAnimation.h"
#include "RAssess.h"
#include "RCharacter.h"
#include "RCompositeAction.h"
#include "RConfirm.h"
#include "RDatFile.h"
#include "RDescriptorFile.h"
#include "RAttributeContainer.h"
#include "RDitty.h"
#include "RGauge.h"
#include "RGraphicAnswer.h"
#include "RGraphicTextAnswer.h"
#include "RHotSpot.h"
#include "RKbdInp.h"
#include "PXKill.h"
#include "RPButton.h"
#include "RPuzzle.h"
#include "RQueue.h"
#include "RSmackerMovie.h"
#include "RSlider.h"
#include "RStackingContainer.h"
#include "RText.h"
#include "RToon.h"
#include "RWSlider.h"
#include "signin.h"

bool linkScriptClasses() {
    const OMSR* const records[] = {&OMMultiTrinket::classRecord, &OMAnimation::classRecord,  &RAnimation::classRecord,
                                   &RPButton::classRecord,       &RQueue::classRecord,       &RCompositeAction::classRecord,
                                   &RHotSpot::classRecord,       &RKbdInp::classRecord,      &RDescriptorFile::classRecord,
                                   &RCharacter::classRecord,     &RDitty::classRecord,       &RText::classRecord,
                                   &RGraphicAnswer::classRecord, &RGraphicTextAnswer::classRecord,
                                   &RStackingContainer::classRecord, &RAttributeContainer::classRecord, &RPuzzle::classRecord,
                                   &RSlider::classRecord, &RWSlider::classRecord, &RGauge::classRecord,
                                   &RToon::classRecord, &signin::classRecord,
                                   &PXKill::classRecord, &RDatFile::classRecord, &RConfirm::classRecord,
                                   &RAssess::classRecord, &RSmackerMovie::classRecord};
    for (const OMSR* record : records)
        if (!classExists(record->className)) return false;
    registerLeafActions();
    return true;
}

void freeScriptClasses() { freeActionFactory(); }
