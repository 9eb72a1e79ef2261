// The NE module fixture writer against a layout worked out by hand (the wave writer is checked against the
// program's own wave resource in the stream tests).
#include "NeModuleWriter.h"
#include "TestSupport.h"

namespace {
std::string bytesOf(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

TEST(FixtureWriterTest, AnNeModuleWithOneNumberedResource) {
    NeModule module;
    module.types = {{10, "", {{1, "abcd"}}}};
    const NeLayout layout = writeNeModule(module);
    const std::string& b = layout.bytes;
    ASSERT_EQ(b.size(), 0xF0u);
    EXPECT_EQ((std::vector{b.substr(0, 2), b.substr(0x18, 2), b.substr(0x3C, 4), b.substr(0x80, 2)}),
              (std::vector<std::string>{"MZ", bytesOf({0x40, 0}), bytesOf({0x80, 0, 0, 0}), "NE"}));
    EXPECT_EQ(b.substr(0xA4, 4), bytesOf({0x40, 0, 0x58, 0})) << "table at +0x40, resident names at +0x58";
    EXPECT_EQ(b.substr(0xC0, 24), bytesOf({4, 0, 0x0A, 0x80, 1, 0, 0, 0, 0, 0,                   //
                                           0x0E, 0, 1, 0, 0x30, 0x0C, 1, 0, 0, 0, 0, 0, 0, 0})); //
    EXPECT_EQ(b.substr(0xE0, 16), "abcd" + std::string(12, '\0'));
    EXPECT_EQ(std::pair(layout.tableOffset, layout.tableLength), std::pair(0xC0u, 24u));
}
} // namespace
