// Base fixture of the resource tests: memory and files started, and a temporary folder that is the one
// search folder; every source still open is closed at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "File.h"
#include "MemHandle.h"
#include "Res.h"
#include "TempFolder.h"

class ResourceFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1);
        FileInit();
        std::string base = folder.path() + "\\";
        const char* folders[] = {base.c_str()};
        ResSetSearchFolders(1, folders);
    }
    void TearDown() override {
        while (ResSource top = ResGetTopSource()) ResCloseSource(top);
        FileTerm();
        MemTerm();
    }

    TempFolder folder;
};
