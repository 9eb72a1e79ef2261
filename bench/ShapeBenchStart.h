// Start-up shared by the benchmarks that draw shapes from a resource file they write: the memory, palette,
// file and shape managers, with the temporary folder as the one resource search folder.
#pragma once

#include <string>

#include "File.h"
#include "MemHandle.h"
#include "Palette.h"
#include "Res.h"
#include "ShapeMgr.h"
#include "TempFolder.h"

inline void startShapeBench(const TempFolder& folder) {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    PalMgrInit();
    FileInit();
    ShapeMgrInit();
    const std::string base = folder.path() + "\\";
    const char* folders[] = {base.c_str()};
    ResSetSearchFolders(1, folders);
}
