// Adds resources to a copy of a Windows module, so tests can load generated bitmaps, cursors and fonts
// through the system's resource calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ModuleResource {
    // A type name, or a numbered type made with MAKEINTRESOURCEA.
    LPCSTR type;
    std::uint16_t id;
    std::string data;
};

// Copies `module` to `copy` and adds the resources to the copy; false when any step fails.
bool writeModuleWithResources(const std::string& module, const std::string& copy,
                              const std::vector<ModuleResource>& resources);
