// Cursors: system and resource cursors, damaged resources, the current and default cursor, and the
// hidden state forced onto the system's display counter.
#include "CursorWriter.h"
#include "ModuleResources.h"
#include "OMCursor.h"
#include "OMRes.h"
#include "TestSupport.h"

namespace {
// The system's display counter, read without changing it.
int displayCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

struct CursorTest : ::testing::Test {
    void SetUp() override {
        createDefaultCursor();
        cursorHidden = 0;
        OMCursor::setShowState(1);
    }
    void TearDown() override {
        destroyDefaultCursor();
        currentCursor = nullptr;
    }
};

// Negative numbers give the system cursors; resource 7 is a good cursor, 8 names a missing image, 9 a
// cut one and 55 is missing: those fall back to the arrow.
TEST_F(CursorTest, SystemAndResourceCursorsAndDamagedOrMissingOnesFallBackToTheArrow) {
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

// A cursor that logs when it stops being current.
struct LoggingCursor : OMCursor {
    LoggingCursor(std::string* released, char letter) : log(released), name(letter) {}
    void release() override { *log += name; }
    std::string* log;
    char name;
};

TEST_F(CursorTest, TheDefaultCursorStandsInWheneverNoOtherIsCurrent) {
    std::string released;
    EXPECT_EQ(std::make_pair(OMCursor::current() == nullptr, currentCursor), std::make_pair(true, defaultCursor));
    LoggingCursor first(&released, 'a');
    LoggingCursor second(&released, 'b');
    OMCursor::setCurrent(&first);
    OMCursor::setCurrent(&first);
    EXPECT_EQ(released, "") << "the same cursor again releases nothing";
    OMCursor::setCurrent(&second);
    EXPECT_EQ(std::make_pair(released, OMCursor::current()),
              std::make_pair(std::string("a"), static_cast<OMCursor*>(&second)));
    OMCursor::setCurrent(nullptr);
    EXPECT_EQ(std::make_tuple(released, currentCursor, OMCursor::current() == nullptr),
              std::make_tuple(std::string("ab"), defaultCursor, true));
}

TEST_F(CursorTest, TheFrameworksHiddenStateIsForcedOntoTheDisplayCounter) {
    OMCursor::hideCursor();
    EXPECT_EQ(std::make_pair(cursorHidden, displayCount()), std::make_pair(1, -1));
    OMCursor::hideCursor();
    EXPECT_EQ(displayCount(), -1) << "hiding again changes nothing";
    OMCursor::showCursor();
    EXPECT_EQ(cursorHidden, 0);
    EXPECT_EQ(displayCount(), 0) << "one show undoes two hides";
    for (int i = 0; i < 3; ++i) ShowCursor(TRUE);
    ASSERT_EQ(displayCount(), 3);
    OMCursor cursor;
    cursor.apply(nullptr);
    EXPECT_EQ(std::make_pair(displayCount(), GetCursor()), std::make_pair(0, cursor.handle));
    for (int i = 0; i < 4; ++i) ShowCursor(FALSE);
    cursorHidden = 1;
    cursor.apply(nullptr);
    EXPECT_EQ(displayCount(), -1);
    cursorHidden = 0;
}
}  // namespace
