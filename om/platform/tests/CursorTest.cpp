// Cursors: system and resource cursors, and damaged or missing resources.
#include "CursorWriter.h"
#include "ModuleResources.h"
#include "OMCursor.h"
#include "OMRes.h"
#include "TestSupport.h"

namespace {

// Negative numbers give the system cursors; resource 7 is a good cursor, 8 names a missing image, 9 a
// cut one and 55 is missing: those fall back to the arrow.
TEST(CursorTest, SystemAndResourceCursorsAndDamagedOrMissingOnesFallBackToTheArrow) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    for (const auto& [number, system] : {std::pair<std::int16_t, LPCSTR>{-4, IDC_CROSS}, {-3, IDC_IBEAM},
                                         {-2, IDC_WAIT}, {-1, IDC_ARROW}, {-9, IDC_ARROW}}) {
        OMCursor cursor(number, nullptr);
        EXPECT_EQ(cursor.handle, LoadCursorA(nullptr, system)) << number;
        EXPECT_EQ(std::make_pair(cursor.resourceId, cursor.res == nullptr), std::make_pair(number, true));
    }
    EXPECT_EQ(std::pair(OMCursor().handle, OMCursor().resourceId), std::pair(arrow, std::int16_t(-1)));
    TempFolder folder;
    CursorPicture picture{3, 5, std::vector<std::string>(32, std::string(32, ' '))};
    for (int i = 0; i < 8; ++i) picture.rows[i].replace(0, 8, i % 2 ? "########" : "........");
    const std::string image = writeCursorImage(picture);
    const auto size = static_cast<std::uint32_t>(image.size());
    const std::string module = folder.file("Cursors.dll");
    ASSERT_TRUE(writeModuleWithResources(programFolder() + "ResModule.dll", module,
                                         {{RT_CURSOR, 101, image},
                                          {RT_GROUP_CURSOR, 7, writeCursorGroup(picture, size, 101)},
                                          {RT_GROUP_CURSOR, 8, writeCursorGroup(picture, size, 102)},
                                          {RT_CURSOR, 103, image.substr(0, 20)},
                                          {RT_GROUP_CURSOR, 9, writeCursorGroup(picture, 20, 103)}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    OMCursor loaded(7, &file);
    EXPECT_EQ(loaded.resourceId, 7);
    ASSERT_NE(loaded.res, nullptr);
    EXPECT_EQ(loaded.res->status, kResLoaded);
    ASSERT_NE(loaded.handle, nullptr);
    EXPECT_NE(loaded.handle, arrow);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(loaded.handle, &info));
    EXPECT_EQ(info.fIcon, FALSE);
    EXPECT_EQ(std::pair(info.xHotspot, info.yHotspot), std::pair(3ul, 5ul));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    for (std::int16_t broken : {8, 9, 55}) {
        OMCursor fallback(broken, &file);
        EXPECT_EQ(fallback.resourceId, -1) << broken;
        EXPECT_EQ(std::make_pair(fallback.res == nullptr, fallback.handle), std::make_pair(true, arrow));
    }
}

}  // namespace
