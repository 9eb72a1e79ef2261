// The user registry over the data store: the name walk, adding, selecting and removing users.
#include "UserRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "RDatFile.h"

namespace {

constexpr std::int32_t kRegistryCapacity = 1000;
constexpr const char* kRegistryFile = "users\\USERS.DAT";

struct Registry {
    std::unique_ptr<RDatFile> store;
    std::int32_t cursor = 1;
    std::int32_t count = 0;
    std::string key;
    std::string value;
};

Registry& registry() {
    static Registry r;
    return r;
}

std::string slotKey(std::int32_t slot) { return "user" + std::to_string(slot); }

// The slot the next new user takes; slots count from 1.
std::int32_t newUserID() { return std::max(1, std::atoi(userStore().getVariable("newUserID"))); }

void save() { static_cast<void>(userStore().saveVariables()); }

// Walks `count` names from slot 1; true when one equals `name`, with the key of its slot in the registry.
bool findUser(const char* name) {
    Registry& r = registry();
    r.cursor = 1;
    for (std::int32_t i = 0; i < r.count; ++i) {
        const char* next = nextUserName();
        if (!*next) break;
        if (std::strcmp(next, name) == 0) return true;
    }
    return false;
}

void storeCount() { userStore().setVariable("totalUsers", std::to_string(registry().count).c_str()); }

}  // namespace

RDatFile& userStore() {
    Registry& r = registry();
    if (!r.store) {
        r.store = std::make_unique<RDatFile>(kRegistryCapacity, kRegistryFile);
        r.count = std::atoi(r.store->getVariable("totalUsers"));
    }
    return *r.store;
}

const char* firstUserName() {
    registry().cursor = 1;
    return nextUserName();
}

const char* nextUserName() {
    Registry& r = registry();
    const std::int32_t end = newUserID();
    r.value.clear();
    while (r.cursor < end) {
        r.key = slotKey(r.cursor++);
        r.value = userStore().getVariable(r.key.c_str());
        if (r.value != kFreeSlotName) return r.value.c_str();
    }
    r.value.clear();
    return r.value.c_str();
}

std::int32_t selectOrAddUser(const char* name) {
    Registry& r = registry();
    RDatFile& store = userStore();
    const bool known = findUser(name);
    if (!known) {
        const std::int32_t id = newUserID();
        r.key = slotKey(id);
        store.setVariable(r.key.c_str(), name);
        store.setVariable("newUserID", std::to_string(id + 1).c_str());
        ++r.count;
        storeCount();
    }
    store.setVariable("currentUser", r.key.c_str());
    save();
    return known ? 1 : 0;
}

std::int32_t removeUser(const char* name) {
    Registry& r = registry();
    if (!findUser(name)) return 0;
    userStore().removeVariable(r.key.c_str());
    --r.count;
    storeCount();
    save();
    const std::string file = "users\\user" + std::to_string(r.cursor - 1) + ".dat";
    std::remove(file.c_str());
    return 1;
}

std::int32_t userCount() {
    userStore();
    return registry().count;
}

void deleteUserStore() { registry().store.reset(); }
