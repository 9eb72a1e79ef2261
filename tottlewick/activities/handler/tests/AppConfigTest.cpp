// The configuration queries: the product name, the machine's requirements with their messages, the
// window mode and the queries that answer 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppBindings.h"
#include "AppGlobals.h"
#include "Canvas.h"
#include "EngineMessageBox.h"

namespace {

std::vector<std::string> boxes;

TEST(AppConfigTest, AnswersEachQuery) {
    char name[kAppTextSize] = {};
    EXPECT_EQ(AppConfigCallback(kAppQueryProductName, name), 0);
    EXPECT_STREQ(name, "Tottlewick");
    EXPECT_EQ(AppConfigCallback(kAppQueryWindowMode, nullptr), 1);
    for (const std::int16_t query : {0, 5, 6, 7}) EXPECT_EQ(AppConfigCallback(query, name), 0) << query;
}

TEST(AppConfigTest, RequirementsRefuseFewColoursThenLittleMemory) {
    EngineSetMessageBoxHook([](const char* text, const char*, unsigned) {
        boxes.emplace_back(text);
        return IDOK;
    });
    const std::string depth = "A monitor depth of at least 256 colors is required to run Tottlewick.";
    const std::string memory = "Tottlewick requires at least 16384 KBytes of physical memory.";
    struct Case {
        std::uint16_t bits;
        std::uint32_t memory;
        std::int32_t answer;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {{4, 0, 1, {depth}},
                          {8, 16777215, 1, {memory}},
                          {8, 16777216, 0, {}},
                          {24, 0xFFFFFFFF, 0, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        boxes.clear();
        CanvasSetDefaultDepth(16);
        AppDisplayInfo info{640, 480, c.bits, c.memory};
        EXPECT_EQ(AppConfigCallback(kAppQueryRequirements, &info), c.answer);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(CanvasGetDefaultDepth(), 8);
    }
    EngineSetMessageBoxHook(nullptr);
}

}  // namespace
