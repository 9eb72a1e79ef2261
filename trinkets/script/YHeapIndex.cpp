// The heap's name index: entries are recorded as they are appended; the first of a name keeps its place.
#include "YHeapIndex.h"

#include <cstdlib>

#include "YVariable.h"

void YHeapIndex::clear() {
    named_.clear();
    typed_.clear();
    families_.clear();
}

std::size_t YHeapIndex::TypedNameHash::operator()(const TypedName& key) const {
    return std::hash<std::string>()(key.name) ^ (static_cast<std::size_t>(key.tag) * 0x9E3779B9u);
}

void YHeapIndex::add(const YVariable* variable, std::int32_t index) {
    if (!variable->name) return;
    const std::string name(variable->name);
    named_.emplace(name, index);
    typed_.emplace(TypedName{variable->typeTag, name}, index);
    const std::size_t lastDot = name.rfind('.');
    if (variable->typeTag != kYPlain || lastDot == std::string::npos) return;
    auto [family, added] = families_.try_emplace(name.substr(0, lastDot));
    if (added) family->second.firstMember = index;
    const auto suffix = static_cast<std::int32_t>(std::atol(variable->name + lastDot + 1));
    if (suffix > family->second.highestMember) family->second.highestMember = suffix;
}

std::int32_t YHeapIndex::firstNamed(const std::string& name) const {
    const auto found = named_.find(name);
    return found == named_.end() ? -1 : found->second;
}

std::int32_t YHeapIndex::firstTyped(std::int32_t tag, const std::string& name) const {
    const auto found = typed_.find(TypedName{tag, name});
    return found == typed_.end() ? -1 : found->second;
}

const YHeapIndex::Family* YHeapIndex::family(const std::string& base) const {
    const auto found = families_.find(base);
    return found == families_.end() ? nullptr : &found->second;
}
