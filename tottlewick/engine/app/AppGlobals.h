// The program's globals that live for the whole run: the instance, the command line, the product name,
// the three folders, the accepted display information, the quit flag and the program's menu resources.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kAppTextSize = 256;  // command line and product name: 255 characters and a zero

// The display information record as the configuration query 2 sees it: 10 bytes, packed.
#pragma pack(push, 1)
struct AppDisplayInfo {
    std::uint16_t width;
    std::uint16_t height;
    std::uint16_t bitsPerPixel;     // bits per pixel times colour planes
    std::uint32_t availableMemory;  // available physical memory plus available page file, in bytes
};
#pragma pack(pop)
static_assert(sizeof(AppDisplayInfo) == 10, "the record is 10 bytes");

// Stores the instance and starts a run: product name "Tottlewick", quit flag 0, no menu resources.
void AppInitGlobals(HINSTANCE instance);
HINSTANCE AppGetInstance();

// Copies at most 255 characters of the command line.
void AppSaveCommandLine(const char* commandLine);
const char* AppGetCommandLine();
// The 256-byte product name buffer: message-box caption, single-instance mapping and window class name.
char* AppGetProductName();

// The application, local resource and disc resource folders, kFilePathSize bytes each.
char* AppGetApplicationFolder();
char* AppGetLocalResourceFolder();
char* AppGetDiscResourceFolder();
// Sets the three folders, and the file manager's program, data and user folders, to the program file's
// folder.
void AppInitFolders();
// Configuration query 4 with the application folder: 0 when the application answered 1, else 1 with the
// local resource folder marked set and the folders given to the resource manager.
std::int16_t AppLocateResources();
std::int16_t AppIsLocalResourceFolderSet();

// The display information accepted at start (AppCheckRequirements) or on a display change.
AppDisplayInfo* AppGetDisplayInfo();

void AppQuit();
std::uint16_t AppIsQuitting();

// Menu 1 and accelerator table 1 of the program file (null when it has none).
void AppLoadMenuResources();
HMENU AppGetMenuResource();
void AppDestroyMenuResource();
