// Resource files and resources: the type-name table, status words, lock counts and enumerations, over a
// resource module built for the tests and over this program's own module; and search-path resolution.
#include <algorithm>

#include "OMApp.h"
#include "OMRes.h"
#include "OMSearchPath.h"
#include "TestSupport.h"

namespace {
constexpr char kModule[] = "ResModule.dll";

struct ResTest : ::testing::Test {
    void SetUp() override { setAppInstance(GetModuleHandleA(nullptr)); }
};

TEST_F(ResTest, StandardNamesMapToNumberedTypesAndOtherNamesStayNamed) {
    const std::pair<const char*, std::uintptr_t> table[] = {
        {"CURSOR", 12}, {"BITMAP", 2}, {"ICON", 14}, {"MENU", 4},         {"DIALOG", 5},
        {"STRING", 6},  {"FONTDIR", 7}, {"FONT", 8},  {"ACCELERATOR", 9}, {"RCDATA", 10},
    };
    for (const auto& [name, value] : table) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(resTypeFromName(name)), value) << name;
        EXPECT_STREQ(resTypeName(MAKEINTRESOURCEA(value)), name);
    }
    for (const char* named : {"bitmap", "WAVE", "Cursor"}) EXPECT_EQ(resTypeFromName(named), named);
}

// "bitmap" and "rcdata" are named types (the module's named type is "BITMAP"); "BITMAP" and "RCDATA" are
// the standard numbered ones.
TEST_F(ResTest, ResourcesOfANamedModuleByIdAndTypeNameLockCountsAndEnumerations) {
    OMResFile file(kModule);
    ASSERT_EQ(file.status, kResFileUsable);
    EXPECT_STREQ(file.name.get(), kModule);
    const std::tuple<std::uint16_t, const char*, std::uint32_t, const char*> cases[] = {
        {3, "WAVE", 52, "RIFF\x2C\0\0\0WAVE"}, {5, "bitmap", 4, "abcd"},     {5, "BITMAP", 0, nullptr},
        {6, "RCDATA", 3, "xyz"},               {6, "rcdata", 0, nullptr}, {77, "WAVE", 0, nullptr}};
    for (const auto& [id, type, size, bytes] : cases) {
        SCOPED_TRACE(std::to_string(id) + " " + type);
        OMRes res(id, type, &file);
        EXPECT_EQ(res.status, size ? kResLoaded : kResNotFound);
        EXPECT_EQ(std::make_pair(res.size, OMRes::query(id, type, &file).size), std::make_pair(size, size));
        void* data = &file;
        EXPECT_EQ(res.lock(&data), size ? kResLoaded : kResNotLoaded);
        // The first 12 bytes where the resource exists, else a null pointer.
        EXPECT_EQ(bytes ? std::memcmp(data, bytes, std::min<std::size_t>(size, 12)) : data != nullptr, 0);
        EXPECT_EQ(res.unlock(), size ? kResLoaded : kResUnbalanced);
    }
    OMRes wave(3, "WAVE", &file);
    void* data = nullptr;
    ASSERT_EQ((std::vector{wave.lock(&data), wave.lock(&data), wave.unlock()}), std::vector(3, kResLoaded));
    EXPECT_TRUE(wave.isLocked());
    EXPECT_EQ(wave.unlock(), kResLoaded);
    EXPECT_EQ(wave.unlock(), kResUnbalanced) << "more unlocks than locks";
    EXPECT_EQ(wave.lockCount, -1);
    OMResFileResID* ids = nullptr;
    std::int32_t count = -1;
    file.enumResourceIDs("RCDATA", &ids, &count);
    EXPECT_EQ(std::vector<OMResFileResID>(ids, ids + count), (std::vector<OMResFileResID>{6, 9}));
    file.enumResourceIDs("ICON", &ids, &count);
    EXPECT_EQ(ids, nullptr);
    char** names = nullptr;
    file.enumResourceTypes(&names, &count);
    EXPECT_EQ(std::vector<std::string>(names, names + count), (std::vector<std::string>{"BITMAP", "WAVE", "RCDATA"}));
    EXPECT_EQ(names[count], nullptr);
}

TEST_F(ResTest, MissingModulesTheDefaultModuleAndTheEmptyName) {
    OMResFile absent("Absent.dll");
    EXPECT_EQ(std::make_pair(absent.status, OMRes(3, "WAVE", &absent).status),
              std::make_pair(kResFileNoModule, kResNotFound));
    TempFolder elsewhere;
    addSearchDirectory(elsewhere.path().c_str(), 1);
    setSearchAll(1);
    OMResFile notOnPath(kModule);
    setSearchAll(0);
    clearSearchPath();
    EXPECT_EQ(notOnPath.status, kResFileNotFound);
    OMRes own(3, "WAVE", nullptr);
    EXPECT_EQ(own.size, 52u);
    ASSERT_NE(own.file, nullptr);
    EXPECT_EQ(own.file->effectiveModule(), GetModuleHandleA(nullptr));
    OMResFile empty("");
    EXPECT_EQ(std::make_pair(empty.status, empty.name == nullptr), std::make_pair(kResFileUsable, true));
    EXPECT_EQ(OMRes(3, "WAVE", &empty).size, 52u);
}

// A resource that outlives its file keeps the module loaded and can still be deleted safely.
TEST_F(ResTest, ModuleIsFreedOnlyWhenNoResourceOfItIsLeft) {
    auto file = std::make_unique<OMResFile>(kModule);
    { OMRes transient(6, "RCDATA", file.get()); }
    file.reset();
    EXPECT_EQ(GetModuleHandleA(kModule), nullptr);
    file = std::make_unique<OMResFile>(kModule);
    auto survivor = std::make_unique<OMRes>(6, "RCDATA", file.get());
    file.reset();
    EXPECT_EQ(survivor->file, nullptr);
    HMODULE still = GetModuleHandleA(kModule);
    EXPECT_NE(still, nullptr);
    survivor.reset();
    if (still) FreeLibrary(still);
}

std::string resolved(const char* name) {
    const std::unique_ptr<char[]> path = resolvePath(name);
    return path ? std::string(path.get()) : std::string("(null)");
}

// x is scanned and holds Sound.wav; y is not scanned and is the fallback unless every directory is
// searched; a scan is a snapshot.
TEST(SearchPathTest, ScannedDirectoriesMatchWithoutLetterCaseAndTheLastIsTheFallback) {
    TempFolder x, y;
    writeWholeFile(x.file("Sound.wav"), "RIFF");
    ASSERT_TRUE(CreateDirectoryA(x.file("sub").c_str(), nullptr));
    addSearchDirectory(x.path().c_str(), 1);
    addSearchDirectory(y.path().c_str(), 0);
    writeWholeFile(x.file("late.wav"), "RIFF");
    for (const char* name : {"C:\\DATA\\A.WAV", "sub\\a.wav", "E:a.wav"}) EXPECT_EQ(resolved(name), name);
    EXPECT_EQ((std::vector<std::string>{resolved("SOUND.WAV"), resolved("other.wav")}),
              (std::vector<std::string>{x.path() + "\\SOUND.WAV", y.path() + "\\other.wav"}));
    EXPECT_EQ(resolved("sub"), y.path() + "\\sub") << "folders are not listed";
    EXPECT_EQ(resolved(""), "(null)");
    setSearchAll(1);
    EXPECT_EQ(resolved("other.wav"), "(null)");
    writeWholeFile(y.file("other.wav"), "RIFF");
    EXPECT_EQ(resolved("other.wav"), y.path() + "\\other.wav");
    EXPECT_EQ(resolved("late.wav"), "(null)") << "a scan is a snapshot";
    setSearchAll(0);
    clearSearchPath();
    for (const char* given : {"C:\\data", "C:\\data\\"}) EXPECT_EQ(OMPathDirectory(given, 0).path, "C:\\data\\");
    EXPECT_TRUE(OMPathDirectory((x.path() + "\\absent").c_str(), 1).fileNames.empty());
    addSearchDirectory("", 0);
    addSearchDirectory(nullptr, 1);
    EXPECT_EQ(resolved("a.wav"), "a.wav") << "an empty path resolves every name to itself";
    clearSearchPath();
}
}  // namespace
