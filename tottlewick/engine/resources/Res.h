// The resource manager: up to 32 open sources (PRS/PRX files and resource folders) searched newest first,
// shared loads into resource-backed memory handles, raw access for streaming, and per-resource flags.
#pragma once

#include <cstdint>

#include "ByteOrder.h"
#include "File.h"
#include "MemHandle.h"
#include "PrsFile.h"

// (sequence << 16) | slot; never 0.
using ResSource = std::uint32_t;
// (source slot + 1) << 16 | entry number within the source.
using ResRawRef = std::uint32_t;

constexpr int kResMaxSources = 32;
// Open modes of ResOpenSource: the program's default, and read-only with the file closed between accesses.
constexpr std::uint16_t kResOpenDefault = 0x8000;
constexpr std::uint16_t kResOpenClosed = 0x8001;

ResSource ResOpenSource(const char* path, std::uint16_t mode);
std::int16_t ResCloseSource(ResSource source);
ResSource ResGetTopSource();
ResSource ResMoveToTop(ResSource source);
std::uint16_t ResGetCount(ResSource source);
// The n-th resource of a source; null outputs are skipped; name holds at least 32 characters.
std::int16_t ResGetInfo(ResSource source, std::uint16_t n, ResType* type, std::uint16_t* id, char* name,
                        std::uint32_t* size, std::uint16_t* flags, std::uint32_t* offset);
ResSource ResOpenFile(const char* name);
std::int16_t ResCloseFile(ResSource* source);
std::int16_t ResOpenOverride();
std::int16_t ResCloseOverride();
ResSource ResSetOverride(ResSource source);
std::int16_t ResMoveSourceToTop(ResSource source);
// Folders are tried as text followed directly by the name, so each ends with a backslash (or is empty).
void ResSetSearchFolders(std::int16_t count, const char* const* list);
void ResGetSearchFolders(std::int16_t* count, const char* const** list);
// The application, local resource and disc resource folders that ResOpenOverride searches.
void ResSetStartupFolders(const char* application, const char* localResources, const char* discResources);
ResSource ResOpenInFolders(const char* name, std::uint16_t mode);

[[nodiscard]] MemHandle ResLoad(ResType type, std::uint16_t id);
[[nodiscard]] MemHandle ByteOrderLoad(ResType type, std::uint16_t id, ByteOrderSwap swap);
std::int16_t ResReleaseHandle(MemHandle* handle);
std::int16_t ResRelease(ResType type, std::uint16_t id);
std::int16_t ResReload(MemHandle handle);
std::int16_t ResDetach(MemHandle handle);
void ResEndDeferred(MemHandle* handle);
std::uint16_t ResGetDeferredMode();
std::uint16_t ResSetDeferredMode(std::uint16_t value);
ResRawRef ResOpenRaw(ResType type, std::uint16_t id, FileRef* file, std::uint32_t* offset, std::uint32_t* size);
std::int16_t ResCloseRaw(ResRawRef raw);
std::uint32_t ResGetSize(ResType type, std::uint16_t id);
std::uint32_t ResGetHandleSize(MemHandle handle);

// Flags; setters return whether the bit was set before.
std::int16_t ResGetKeep(MemHandle handle);
std::int16_t ResSetKeep(MemHandle handle, std::int16_t on);
std::int16_t ResGetKeepById(ResType type, std::uint16_t id);
std::int16_t ResSetKeepById(ResType type, std::uint16_t id, std::int16_t on);
std::int16_t ResGetResident(MemHandle handle);
std::int16_t ResSetResident(MemHandle handle, std::int16_t on);
std::int16_t ResGetResidentById(ResType type, std::uint16_t id);
std::int16_t ResSetResidentById(ResType type, std::uint16_t id, std::int16_t on);
std::int16_t ResIsInUse(ResType type, std::uint16_t id);
std::int16_t ResIsLoaded(ResType type, std::uint16_t id);
