// The user registry: players' names in slots "user1", "user2", ... of one data store, with the signed-in
// user and the next free slot. Ready for the sign-in screen: every function below works.
//
// The store is an "RDatFile" of 1000 slots over "users\USERS.DAT", made on the first call (its user count
// read from "totalUsers") and saved after each change; deleteUserStore saves and deletes it.
#pragma once

#include <cstdint>

class RDatFile;

// 1 when the name (case-sensitive) is registered (it becomes "currentUser"), 0 when it was added in slot
// "newUserID" (which an id below 1 makes 1) and became "currentUser".
std::int32_t selectOrAddUser(const char* name);
// 1 when the user was removed (its key and its file "users\user<N>.dat" deleted), 0 when no registered
// user has that name. "currentUser" stays.
std::int32_t removeUser(const char* name);
// The name of the first used slot, then of the next one after the last returned; "" once the walk
// reaches slot "newUserID". The text stays valid until the next registry call.
const char* firstUserName();
const char* nextUserName();
// The registry's user count (how many names the walk yields).
std::int32_t userCount();
// Saves and deletes the store; the next call makes it again from the file.
void deleteUserStore();
// The store itself, made on first use.
RDatFile& userStore();
