// Resource files and resources: the type-name table, status words, lock counts and enumerations,
// over a resource module built for the tests and over this program's own module.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "OMApp.h"
#include "OMRes.h"
#include "OMSearchPath.h"
#include "TempFolder.h"

namespace {

constexpr char kModule[] = "ResModule.dll";

// The first 12 bytes of the test wave: "RIFF", 44 (little-endian), "WAVE".
const unsigned char kWaveStart[12] = {'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E'};

class ResTest : public ::testing::Test {
protected:
    void SetUp() override { setAppInstance(GetModuleHandleA(nullptr)); }
};

TEST_F(ResTest, StandardNamesMapToNumberedTypesAndOtherNamesStayNamed) {
    const std::pair<const char*, std::uintptr_t> table[] = {
        {"CURSOR", 12}, {"BITMAP", 2}, {"ICON", 14}, {"MENU", 4},         {"DIALOG", 5},
        {"STRING", 6},  {"FONTDIR", 7}, {"FONT", 8},  {"ACCELERATOR", 9}, {"RCDATA", 10},
    };
    for (const auto& [name, value] : table) {
        SCOPED_TRACE(name);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(resTypeFromName(name)), value);
        EXPECT_STREQ(resTypeName(MAKEINTRESOURCEA(value)), name);
    }
    for (const char* named : {"bitmap", "WAVE", "NFNT", "Cursor"}) {
        SCOPED_TRACE(named);
        EXPECT_EQ(resTypeFromName(named), named);
    }
    EXPECT_EQ(resTypeName(MAKEINTRESOURCEA(3)), MAKEINTRESOURCEA(3));
    EXPECT_EQ(resTypeName(MAKEINTRESOURCEA(16)), MAKEINTRESOURCEA(16));
}

TEST_F(ResTest, ResourcesOfANamedModuleAreFoundByIdAndTypeName) {
    OMResFile file(kModule);
    ASSERT_EQ(file.status, kResFileUsable);
    ASSERT_NE(file.module, nullptr);
    EXPECT_STREQ(file.name.get(), kModule);

    struct Case {
        std::uint16_t id;
        const char* type;
        std::int32_t status;
        std::uint32_t size;
        const char* bytes;
    };
    const Case cases[] = {
        {3, "WAVE", kResLoaded, 52, nullptr},
        {5, "bitmap", kResLoaded, 4, "abcd"},  // a named type, whatever its letter case
        {5, "BITMAP", kResNotFound, 0, nullptr},
        {6, "RCDATA", kResLoaded, 3, "xyz"},
        {6, "rcdata", kResNotFound, 0, nullptr},
        {77, "WAVE", kResNotFound, 0, nullptr},
        {3, "ICON", kResNotFound, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.type);
        OMRes res(c.id, c.type, &file);
        EXPECT_EQ(res.status, c.status);
        EXPECT_EQ(res.size, c.size);
        EXPECT_EQ(res.file, &file);
        const OMRes::QueryResult query = OMRes::query(c.id, c.type, &file);
        EXPECT_EQ(query.found, c.status == kResLoaded ? 1 : 0);
        EXPECT_EQ(query.size, c.size);
        if (c.bytes) {
            void* data = nullptr;
            ASSERT_EQ(res.lock(&data), kResLoaded);
            EXPECT_EQ(std::memcmp(data, c.bytes, c.size), 0);
            EXPECT_EQ(res.unlock(), kResLoaded);
        }
    }
    EXPECT_EQ(file.resources.count, 0);
}

TEST_F(ResTest, LockCountsAndTheStatusWordsOfAMissingResource) {
    OMResFile file(kModule);
    OMRes wave(3, "WAVE", &file);
    void* data = nullptr;
    ASSERT_EQ(wave.lock(&data), kResLoaded);
    EXPECT_EQ(std::memcmp(data, kWaveStart, sizeof kWaveStart), 0);
    ASSERT_EQ(wave.lock(&data), kResLoaded);
    EXPECT_EQ(wave.unlock(), kResLoaded);
    EXPECT_EQ(wave.lockCount, 1);
    EXPECT_TRUE(wave.isLocked());
    EXPECT_EQ(wave.unlock(), kResLoaded);
    EXPECT_FALSE(wave.isLocked());
    EXPECT_EQ(wave.unlock(), kResUnbalanced) << "more unlocks than locks";
    EXPECT_EQ(wave.lockCount, -1);

    OMRes missing(77, "WAVE", &file);
    data = &file;
    EXPECT_EQ(missing.lock(&data), kResNotLoaded);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(missing.lockCount, 0);
    EXPECT_EQ(missing.unlock(), kResUnbalanced);
    EXPECT_FALSE(missing.isLocked());
    EXPECT_EQ(missing.status, kResNotLoaded);
    EXPECT_EQ(file.resources.count, 2);
}

TEST_F(ResTest, MissingModulesGiveTheirStatusAndNoResources) {
    OMResFile absent("Absent.dll");
    EXPECT_EQ(absent.status, kResFileNoModule);
    EXPECT_EQ(absent.name, nullptr);
    OMRes res(3, "WAVE", &absent);
    EXPECT_EQ(res.status, kResNotFound);
    EXPECT_EQ(res.size, 0u);

    TempFolder first;
    TempFolder second;
    addSearchDirectory(first.path().c_str(), 1);
    addSearchDirectory(second.path().c_str(), 0);
    setSearchAll(1);
    OMResFile notOnPath(kModule);
    setSearchAll(0);
    clearSearchPath();
    EXPECT_EQ(notOnPath.status, kResFileNotFound);
    EXPECT_EQ(notOnPath.module, nullptr);
    EXPECT_EQ(notOnPath.name, nullptr);
}

TEST_F(ResTest, TheProgramsOwnModuleIsTheDefaultAndTheEmptyName) {
    OMRes own(3, "WAVE", nullptr);
    EXPECT_EQ(own.status, kResLoaded);
    EXPECT_EQ(own.size, 52u);
    ASSERT_NE(own.file, nullptr);
    EXPECT_EQ(own.file->module, nullptr);
    EXPECT_EQ(own.file->effectiveModule(), GetModuleHandleA(nullptr));

    OMResFile empty("");
    EXPECT_EQ(empty.status, kResFileUsable);
    EXPECT_EQ(empty.module, nullptr);
    EXPECT_EQ(empty.name, nullptr);
    OMRes viaEmpty(3, "WAVE", &empty);
    EXPECT_EQ(viaEmpty.status, kResLoaded);
    EXPECT_EQ(viaEmpty.size, 52u);
}

TEST_F(ResTest, ModuleIsFreedOnlyWhenNoResourceOfItIsLeft) {
    auto file = std::make_unique<OMResFile>(kModule);
    { OMRes transient(6, "RCDATA", file.get()); }
    file.reset();
    EXPECT_EQ(GetModuleHandleA(kModule), nullptr);

    // A resource that outlives its file keeps the module loaded and can still be deleted safely.
    file = std::make_unique<OMResFile>(kModule);
    auto survivor = std::make_unique<OMRes>(6, "RCDATA", file.get());
    file.reset();
    EXPECT_EQ(survivor->file, nullptr);
    HMODULE still = GetModuleHandleA(kModule);
    EXPECT_NE(still, nullptr);
    survivor.reset();
    if (still) FreeLibrary(still);
}

TEST_F(ResTest, EnumerationsListIdsAndNamedTypes) {
    OMResFile file(kModule);
    OMResFileResID* ids = nullptr;
    std::int32_t count = -1;
    file.enumResourceIDs("RCDATA", &ids, &count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(std::vector<OMResFileResID>(ids, ids + count), (std::vector<OMResFileResID>{6, 9}));
    file.enumResourceIDs("ICON", &ids, &count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ids, nullptr);

    char** names = nullptr;
    file.enumResourceTypes(&names, &count);
    ASSERT_EQ(count, 3);
    std::vector<std::string> listed(names, names + count);
    EXPECT_EQ(listed, (std::vector<std::string>{"BITMAP", "WAVE", "RCDATA"}));
    EXPECT_EQ(names[count], nullptr);
}

}  // namespace
