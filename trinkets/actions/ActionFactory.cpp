// The table of leaf kinds and the shared token rules of their create functions.
#include "ActionFactory.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "OMList.h"
#include "OMSParameter.h"
#include "YHeap.h"

namespace {

struct ActionCreateRecord {
    std::string name;
    ActionCreateFunction create;
};

// Made on the first registration.
std::unique_ptr<OMList<ActionCreateRecord>>& table() {
    static std::unique_ptr<OMList<ActionCreateRecord>> records;
    return records;
}

}  // namespace

void registerAction(const char* name, ActionCreateFunction create) {
    if (!name || !*name || !create) return;
    if (!table()) table() = std::make_unique<OMList<ActionCreateRecord>>();
    table()->append(new ActionCreateRecord{name, create});
}

Action* createActionByName(const char* name, std::int32_t defaultInterruptible) {
    if (!table() || !name) return nullptr;
    for (OMListElement<ActionCreateRecord>* n = table()->head; n; n = n->next) {
        if (n->element->name == name) return n->element->create(defaultInterruptible);
    }
    return nullptr;
}

void freeActionFactory() {
    if (table()) table()->clear(true);
    table().reset();
}

std::vector<std::string> popTokens(std::size_t n) {
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < n; ++i) tokens.emplace_back(popParameter());
    return tokens;
}

std::size_t tokenRun(const std::vector<std::string>& tokens) {
    std::size_t run = tokens.size();
    while (run > 0 && tokens[run - 1].empty()) --run;
    return run;
}

std::int32_t tokenNumber(const std::string& token) { return std::atoi(token.c_str()); }

OMScriptableObject* tokenObject(const std::string& token) {
    const std::int32_t held = scriptHeap().intValue(token.c_str(), 0);
    return reinterpret_cast<OMScriptableObject*>(static_cast<std::intptr_t>(held));
}
