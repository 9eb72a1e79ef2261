// Shared pieces of the engine tests: a fixture with memory and files started over a temporary folder, the
// resource and PRS fixtures over that folder, and small readers of blocks and of the program.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "File.h"
#include "Files.h"
#include "MemHandle.h"
#include "PrsFile.h"
#include "PrsWriter.h"
#include "Res.h"
#include "TempFolder.h"

struct EngineTest : ::testing::Test {
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

// The bytes of a handle's block, or "<none>" for no handle.
inline std::string handleText(MemHandle handle) {
    if (!handle) return "<none>";
    const char* address = static_cast<const char*>(MemHandleLock(handle));
    std::string bytes(address, MemHandleGetSize(handle));
    MemHandleUnlock(handle);
    return bytes;
}

// The resource manager searching the folder; every source still open is closed at the end.
struct ResourceFolderTest : EngineTest {
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
    // Writes the resources as that file (".PRS", ".PRX") or folder (no extension) in the folder.
    void write(const std::string& name, const std::vector<PrsResource>& resources) {
        ASSERT_TRUE(writeResources(folder.file(name), resources));
    }
    // Writes them as name.PRS and opens it: its source, or 0.
    ResSource open(const std::vector<PrsResource>& resources, const std::string& name = "Global") {
        EXPECT_TRUE(writeResources(folder.file(name + ".PRS"), resources));
        return ResOpenFile(name.c_str());
    }
    // The resource's bytes, loaded and released again.
    static std::string loadText(const char* type, std::uint16_t id) {
        MemHandle handle = ResLoad(resType(type), id);
        std::string bytes = handleText(handle);
        if (handle) MemHandleFree(&handle);
        return bytes;
    }
};

// PRS files read by the PRS layer itself; every slot still open is closed at the end.
struct PrsTest : EngineTest {
    void TearDown() override {
        for (std::int16_t slot = 1; slot <= kPrsSlots; ++slot) PrsClose(slot);
        EngineTest::TearDown();
    }
    // A resource's data, or "<absent>".
    static std::string data(PrsRef ref) {
        PlatBlock block = ref ? PrsReadData(ref) : nullptr;
        if (!block) return "<absent>";
        std::string bytes(static_cast<const char*>(PlatMemLock(block)), PrsGetLength(ref));
        PlatMemUnlock(block);
        return bytes;
    }
    static std::string dataOf(std::int16_t slot, const char* type, std::uint16_t id) {
        return data(PrsFind(slot, resType(type), id));
    }
};

// Results side by side, so that one check prints them all. Braces keep their order of evaluation.
using Both = std::pair<std::int64_t, std::int64_t>;
using Results = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

// The running test program's full name.
inline std::string programPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}
