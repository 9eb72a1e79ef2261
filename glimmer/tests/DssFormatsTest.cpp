// Comma lists, region records and the URL hand-back rules.
#include <gtest/gtest.h>

#include <cstring>

#include "DssFormats.h"

namespace {

using Names = std::vector<std::string>;

TEST(DssFormatsTest, CommaListsKeepEmptyEntriesAndCutNames) {
    EXPECT_EQ(splitCommaList("A,B,,C"), (Names{"A", "B", "", "C"}));
    EXPECT_EQ(splitCommaList(""), Names{});
    EXPECT_EQ(splitCommaList("One"), Names{"One"});
    EXPECT_EQ(splitCommaList("0123456789abcdefXYZ,b"), (Names{"0123456789abcde", "b"}));
    EXPECT_EQ(joinCommaList({"A", "B", "", "C"}), "A,B,,C");
    EXPECT_EQ(joinCommaList({}), "");
    EXPECT_EQ(findName({"Abc", "abc"}, "abc"), 1);
    EXPECT_EQ(findName({"Abc"}, "ABC"), -1);
    EXPECT_EQ(packDate(2026, 12, 6), 20261206L);
}

std::vector<std::uint8_t> regionRecord(const std::vector<RegionPoint>& points, std::int16_t count) {
    std::vector<std::uint8_t> bytes(kRegionRecordSize, 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (int c = 0; c < 2; ++c) {
            auto value = static_cast<std::uint16_t>(c == 0 ? points[i].x : points[i].y);
            bytes[4 * i + 2 * c] = static_cast<std::uint8_t>(value);
            bytes[4 * i + 2 * c + 1] = static_cast<std::uint8_t>(value >> 8);
        }
    }
    bytes[128] = static_cast<std::uint8_t>(count);
    bytes[129] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(count) >> 8);
    return bytes;
}

TEST(DssFormatsTest, RegionRecords) {
    std::vector<std::uint8_t> triangle = regionRecord({{10, 20}, {-5, 300}, {640, -1}}, 3);
    std::vector<RegionPoint> points = parseRegionRecord(triangle.data(), triangle.size());
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].x, -5);
    EXPECT_EQ(points[1].y, 300);
    EXPECT_EQ(points[2].x, 640);
    EXPECT_EQ(points[2].y, -1);

    std::vector<std::uint8_t> full = regionRecord(std::vector<RegionPoint>(32, RegionPoint{1, 2}), 32);
    EXPECT_EQ(parseRegionRecord(full.data(), full.size()).size(), 32u);
    for (std::int16_t count : {std::int16_t{33}, std::int16_t{-1}, std::int16_t{0x7FFF}}) {
        SCOPED_TRACE(count);
        std::vector<std::uint8_t> bad = regionRecord({}, count);
        EXPECT_TRUE(parseRegionRecord(bad.data(), bad.size()).empty());
    }
    EXPECT_TRUE(parseRegionRecord(triangle.data(), 129).empty());
    EXPECT_TRUE(parseRegionRecord(nullptr, kRegionRecordSize).empty());
}

TEST(DssFormatsTest, UrlHandBack) {
    struct Case {
        const char* name;
        int capacity;
        std::string url;
        int length;
        const char* buffer;
    };
    const Case cases[] = {
        {"fits", 10, "http://a/", 9, "http://a/"},
        {"one too long", 10, "http://ab/", -1, "http://ab"},
        {"much too long", 10, "http://example/page", -1, "http://ex"},
        {"no room", 0, "x", -1, ""},
        {"negative room", -4, "x", -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        buffer[0] = '\0';
        int length = c.capacity;
        handBackUrl(buffer, &length, c.url);
        EXPECT_EQ(length, c.length);
        EXPECT_STREQ(buffer, c.buffer);
        if (c.capacity > 0) {
            EXPECT_EQ(buffer[c.capacity], '#') << "wrote past the capacity";
        } else {
            EXPECT_EQ(buffer[1], '#') << "touched a buffer without room";
        }
    }
    int length = 10;
    handBackUrl(nullptr, &length, "x");
    EXPECT_EQ(length, -1);
    handBackUrl(nullptr, nullptr, "x");  // nothing to report to
}

TEST(DssFormatsTest, FinishingWithoutAClickGivesLengthZero) {
    char buffer[10] = {};
    int length = 10;
    finishHandBack(buffer, &length);
    EXPECT_EQ(length, 0);
    buffer[0] = 'h';
    length = 5;
    finishHandBack(buffer, &length);
    EXPECT_EQ(length, 5);
    length = -1;
    buffer[0] = '\0';
    finishHandBack(buffer, &length);
    EXPECT_EQ(length, -1);
}

}  // namespace
