// The action factory: leaf kinds registered by name, created from the call parameters, and the token
// rules that every create function shares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Action;
class OMScriptableObject;

// Pops its own argument tokens; null when a required token is missing.
using ActionCreateFunction = Action* (*)(std::int32_t defaultInterruptible);

// An empty name or a null function is ignored.
void registerAction(const char* name, ActionCreateFunction create);
// The first kind registered under exactly this name (case-sensitive), or null.
Action* createActionByName(const char* name, std::int32_t defaultInterruptible);
// Frees the table at program end.
void freeActionFactory();

// The next n tokens, "" for those not given.
std::vector<std::string> popTokens(std::size_t n);
// How many tokens the longest present run holds: the position of the last given token, plus 1.
std::size_t tokenRun(const std::vector<std::string>& tokens);
// The standard text-to-integer conversion.
std::int32_t tokenNumber(const std::string& token);
// The object held by the script variable of that name, or null.
OMScriptableObject* tokenObject(const std::string& token);
