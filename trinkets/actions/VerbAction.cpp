// Verb steps: the stored verb and parameters played on the target.
#include "VerbAction.h"

#include <utility>

#include "ActionFactory.h"
#include "OMSParameter.h"

VerbAction::VerbAction(OMScriptableObject* object, std::int32_t isInterruptibleFlag, std::vector<std::string> verbTexts)
    : TargetAction(object, isInterruptibleFlag), texts(std::move(verbTexts)) {}

void VerbAction::perform() {
    clearParameters();
    for (std::size_t i = 1; i < texts.size(); ++i) static_cast<void>(pushParameter(texts[i].c_str()));
    target->invokeMethod(texts[0].c_str(), kParameterEnd);
}

Action* createVerbAction(std::int32_t) {
    const std::vector<std::string> head = popTokens(3);
    OMScriptableObject* object = tokenObject(head[0]);
    if (!object || head[2].empty()) return nullptr;
    std::vector<std::string> texts{head[2]};
    for (const char* p = popParameter(); *p; p = popParameter()) texts.emplace_back(p);
    return new VerbAction(object, tokenNumber(head[1]), std::move(texts));
}
