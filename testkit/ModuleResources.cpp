// Resource updates of a module copy.
#include "ModuleResources.h"

bool writeModuleWithResources(const std::string& module, const std::string& copy,
                              const std::vector<ModuleResource>& resources) {
    if (!CopyFileA(module.c_str(), copy.c_str(), FALSE)) return false;
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    if (!update) return false;
    bool added = true;
    for (const ModuleResource& resource : resources) {
        added = added && UpdateResourceA(update, resource.type, MAKEINTRESOURCEA(resource.id), 0,
                                         const_cast<char*>(resource.data.data()),
                                         static_cast<DWORD>(resource.data.size()));
    }
    return EndUpdateResourceA(update, !added) && added;
}
