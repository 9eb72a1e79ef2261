// Message texts: 'STR' resources compiled into numbered tables, the shared tables 1 and 2, and a stack of
// pushed tables.
#pragma once

#include <cstdint>

#include "MemHandle.h"

constexpr int kStrStackDepth = 16;

std::int16_t StrInit();
void StrTerm();
// The handle of the compiled table of 'STR' id, or 0 (absent or malformed; the resource is then released).
MemHandle StrCompile(std::uint16_t id);
const char* StrGetMessage(std::uint32_t number, const char* defaultText);
const char* StrFindShared(std::uint32_t number);
const char* StrGetShared(std::uint32_t number);
std::int16_t StrPushResource(std::uint16_t id);
std::int16_t StrPushTable(MemHandle table);
std::int16_t StrPopTable();
const char* StrFindLocal(std::uint32_t number);
const char* StrGetLocal(std::uint32_t number);
const char* StrGetLocalOr(std::uint32_t number, const char* defaultText);
std::int16_t StrGetFromResource(std::uint16_t id, std::uint32_t number, std::uint32_t size, char* out);
std::int16_t StrTableFind(MemHandle table, std::uint32_t number, std::uint32_t size, char* out);
std::int16_t StrTableGetAt(MemHandle table, std::uint32_t index, std::uint32_t* number, std::uint32_t size,
                           char* out);
MemHandle StrCurrentHandle();
MemHandle StrSharedHandle();
MemHandle StrPrimaryHandle();
std::uint32_t StrCodeToNumber(const char* text);
