// Shared pieces of the engine tests: a fixture with memory and files started over a temporary folder, the
// resource fixture whose one search folder is that folder, and small readers of blocks and of the program.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "File.h"
#include "Files.h"
#include "MemHandle.h"
#include "Res.h"
#include "TempFolder.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1);
        FileInit();
    }
    void TearDown() override {
        FileTerm();
        MemTerm();
    }
    // Writes `bytes` as `name` in the folder and gives its full name.
    std::string make(const std::string& name, const std::string& bytes) {
        writeWholeFile(folder.file(name), bytes);
        return folder.file(name);
    }

    TempFolder folder;
};

// Every source still open is closed at the end.
class ResourceFolderTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::string base = folder.path() + "\\";
        const char* folders[] = {base.c_str()};
        ResSetSearchFolders(1, folders);
    }
    void TearDown() override {
        while (ResSource top = ResGetTopSource()) ResCloseSource(top);
        EngineTest::TearDown();
    }
};

// Two results side by side, so that one check prints both.
using Both = std::pair<std::int64_t, std::int64_t>;

// The bytes of a handle's block, or "<none>" for no handle.
inline std::string handleText(MemHandle handle) {
    if (!handle) return "<none>";
    const char* address = static_cast<const char*>(MemHandleLock(handle));
    std::string bytes(address, MemHandleGetSize(handle));
    MemHandleUnlock(handle);
    return bytes;
}

// The running test program's full name.
inline std::string programPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}
