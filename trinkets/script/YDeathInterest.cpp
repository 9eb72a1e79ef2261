// The registry of death interests and the two script commands kept beside it.
#include "YDeathInterest.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "OMList.h"
#include "OMSParameter.h"
#include "YScriptLoader.h"

namespace {

struct InterestRecord {
    void* interested;
    OMLink* link;
};

struct DeathInterestRecord {
    void* object;
    OMList<InterestRecord> interests;
};

OMList<DeathInterestRecord>& registry() {
    static OMList<DeathInterestRecord> records;
    return records;
}

std::int32_t normalization = 1;

DeathInterestRecord* findRecord(const void* object) {
    for (OMListElement<DeathInterestRecord>* n = registry().head; n; n = n->next) {
        if (n->element->object == object) return n->element;
    }
    return nullptr;
}

InterestRecord* findInterest(DeathInterestRecord* record, const void* interested) {
    for (OMListElement<InterestRecord>* n = record->interests.head; n; n = n->next) {
        if (n->element->interested == interested) return n->element;
    }
    return nullptr;
}

void deleteRecord(DeathInterestRecord* record) {
    while (OMListElement<InterestRecord>* n = record->interests.head) {
        InterestRecord* interest = record->interests.remove(n->element);
        delete interest->link;
        delete interest;
    }
    registry().remove(record);
    delete record;
}

YClassDeathHook* const* classHooks() {
    static YClassDeathHook* const hooks[] = {&actionDeathHook(), &multiTrinketDeathHook(), &animationDeathHook(),
                                             &puzzleDeathHook(), &textDeathHook(), nullptr};
    return hooks;
}

void notifyDeathLink(OMArg object) { notifyDeath(reinterpret_cast<void*>(object)); }

}  // namespace

void registerDeathInterest(void* object, void* interested, const OMLink* link) {
    // Without a link there would be nothing to call: nothing is registered.
    if (!link) return;
    DeathInterestRecord* record = findRecord(object);
    if (!record) {
        record = new DeathInterestRecord{object, OMList<InterestRecord>()};
        registry().append(record);
    }
    InterestRecord* interest = findInterest(record, interested);
    if (interest) {
        delete interest->link;
    } else {
        interest = new InterestRecord{interested, nullptr};
        record->interests.append(interest);
    }
    interest->link = link->clone();
}

void unregisterDeathInterest(void* object, void* interested) {
    DeathInterestRecord* record = findRecord(object);
    InterestRecord* interest = record ? findInterest(record, interested) : nullptr;
    if (!interest) return;
    record->interests.remove(interest);
    delete interest->link;
    delete interest;
}

void notifyDeath(void* object) {
    DeathInterestRecord* record = findRecord(object);
    if (!record) return;
    // The list's walk goes on correctly when callbacks remove or add interests.
    OMListCallbackBlock<InterestRecord> call{};
    call.functionWithArgument = [](InterestRecord* interest, OMArg dying) -> std::int32_t {
        if (interest->link) interest->link->invokeWith(dying);
        return 0;
    };
    record->interests.forEach(3, call, reinterpret_cast<OMArg>(object));
    deleteRecord(record);
}

void installDeathHooks() {
    const OMLinkToFct notify(&notifyDeathLink, 0);
    for (YClassDeathHook* const* hook = classHooks(); *hook; ++hook) (*hook)->set(&notify);
}

void removeDeathHooks() {
    while (registry().head) deleteRecord(registry().head->element);
    for (YClassDeathHook* const* hook = classHooks(); *hook; ++hook) (*hook)->set(nullptr);
}

YClassDeathHook& actionDeathHook() {
    static YClassDeathHook hook;
    return hook;
}
YClassDeathHook& multiTrinketDeathHook() {
    static YClassDeathHook hook;
    return hook;
}
YClassDeathHook& animationDeathHook() {
    static YClassDeathHook hook;
    return hook;
}
YClassDeathHook& puzzleDeathHook() {
    static YClassDeathHook hook;
    return hook;
}
YClassDeathHook& textDeathHook() {
    static YClassDeathHook hook;
    return hook;
}

std::int32_t corralTrinketNormalization() { return normalization; }

std::int32_t randomIndexExcept(std::int32_t n, std::int32_t exclude) {
    if (n < 1) return 0;
    const std::int32_t r = std::rand() % n;
    return r != exclude ? r : (r + 1) % n;
}

void randomNumberCommand(OMArg) {
    std::int32_t low = std::atoi(popParameter());
    std::int32_t high = std::atoi(popParameter());
    const char* exclude = popParameter();
    if (low == high) return setResultVariable(low);
    if (high < low) std::swap(low, high);
    setResultVariable(low + randomIndexExcept(high - low + 1, exclude[0] ? std::atoi(exclude) - low : -1));
}

void setCorralTrinketNormalizationCommand(OMArg) { normalization = std::atoi(popParameter()); }
