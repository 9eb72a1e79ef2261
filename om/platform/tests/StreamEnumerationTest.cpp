// The stream class's listings of a resource module's ids of a type and of its type names, over a module
// written for the test and over the test program's own.
#include <algorithm>

#include "ModuleResources.h"
#include "OMIStream.h"
#include "OMRes.h"
#include "TestSupport.h"

namespace {

std::vector<std::uint16_t> idsOf(OMResFile* file, const char* type) {
    std::uint16_t untouched = 0;
    std::uint16_t* ids = &untouched;
    std::int32_t count = -1;
    OMIStream::enumResourceIDs(file, type, &ids, &count);
    if (count == 0) {
        EXPECT_EQ(ids, nullptr) << type;
    }
    return count > 0 ? std::vector<std::uint16_t>(ids, ids + count) : std::vector<std::uint16_t>{};
}

std::vector<std::string> typesOf(OMResFile* file) {
    char** names = nullptr;
    std::int32_t count = -1;
    OMIStream::enumResourceTypes(file, &names, &count);
    if (count == 0) {
        EXPECT_EQ(names, nullptr);
    }
    if (count <= 0) return {};
    EXPECT_EQ(names[count], nullptr) << "the list ends with a null entry";
    return std::vector<std::string>(names, names + count);
}

// The test module adds a named type "ASEQ" (one id with bit 15 set), the numbered types BITMAP (2), a
// table type, and ICON (3), which is not, to the resource module's "BITMAP" and "WAVE" names and RCDATA.
TEST(StreamEnumerationTest, IdsOfATypeAndTypeNamesOfAWrittenModule) {
    TempFolder folder;
    const std::string module = folder.file("Listed.dll");
    ASSERT_TRUE(writeModuleWithResources(programFolder() + "ResModule.dll", module,
                                         {{"ASEQ", 12, "c"},
                                          {"ASEQ", 0x8005, "e"},
                                          {"ASEQ", 3, "a"},
                                          {"ASEQ", 7, "b"},
                                          {RT_BITMAP, 40, "bm"},
                                          {RT_ICON, 41, "ic"},
                                          {RT_RCDATA, 20, "r"}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    const std::pair<const char*, std::vector<std::uint16_t>> cases[] = {
        {"ASEQ", {3, 5, 7, 12}}, {"RCDATA", {6, 9, 20}}, {"BITMAP", {40}}, {"bitmap", {5}},
        {"WAVE", {3}},          {"ICON", {}},            {"TUNE", {}}};
    for (const auto& [type, ids] : cases) {
        std::vector<std::uint16_t> listed = idsOf(&file, type);
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, ids) << type;
    }
    std::vector<std::string> types = typesOf(&file);
    std::sort(types.begin(), types.end());
    EXPECT_EQ(types, (std::vector<std::string>{"ASEQ", "BITMAP", "BITMAP", "RCDATA", "WAVE"}));
}

TEST(StreamEnumerationTest, NoFileListsTheProgramsOwnModule) {
    EXPECT_EQ(idsOf(nullptr, "WAVE"), (std::vector<std::uint16_t>{3}));
    EXPECT_EQ(idsOf(nullptr, "ASEQ"), (std::vector<std::uint16_t>{}));
    EXPECT_EQ(typesOf(nullptr), (std::vector<std::string>{"WAVE"}));
}

}  // namespace
