// The results file's bytes, its reader's table and the skill areas' level rule.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "AssessmentResults.h"
#include "DescriptorFile.h"
#include "DescriptorWriter.h"
#include "Files.h"
#include "ResultsFile.h"
#include "TempFolder.h"

namespace {

// In the folder, since descriptor words hold at most 31 characters.
struct ResultsFileTest : ::testing::Test {
    ResultsFileTest() { SetCurrentDirectoryA(folder.path().c_str()); }
    ~ResultsFileTest() override { SetCurrentDirectoryA(".."); }
    TempFolder folder;
    const std::string name = "results.txt";
};

TEST_F(ResultsFileTest, OneLineIsFiveBytesAndTheReaderKeepsFiftyPairs) {
    ASSERT_EQ(1, openResultsFile(name.c_str()));
    writeResultLine(1, 2);
    closeResultsFile();
    EXPECT_EQ("1 2\r\n", readWholeFile(name));

    writeWholeFile(name, "1 2\r\n2 3\r\n");
    ASSERT_EQ(1, readResultsFile(name.c_str()));
    EXPECT_EQ("2 3 0 0", std::to_string(resultLevel(0)) + " " + std::to_string(resultLevel(1)) + " " +
                             std::to_string(resultLevel(2)) + " " + std::to_string(resultLevel(50)));

    std::string sixty;
    for (int line = 1; line <= 60; ++line) sixty += std::to_string(line) + " " + std::to_string(line % 4) + "\r\n";
    writeWholeFile(name, sixty);
    ASSERT_EQ(1, readResultsFile(name.c_str()));
    EXPECT_EQ("1 2", std::to_string(resultLevel(48)) + " " + std::to_string(resultLevel(49)));

    // A long line keeps its first five characters; a line without a blank reads no level; no last line end.
    writeWholeFile(name, "7 123456\r\n3 1 9 9\r\n44\r\n5 2");
    ASSERT_EQ(1, readResultsFile(name.c_str()));
    EXPECT_EQ("123 1 0 2", std::to_string(resultLevel(0)) + " " + std::to_string(resultLevel(1)) + " " +
                              std::to_string(resultLevel(2)) + " " + std::to_string(resultLevel(3)));

    EXPECT_EQ(1, resultsFileExists(name.c_str()));
    deleteResultsFile(name.c_str());
    deleteResultsFile(name.c_str());
    EXPECT_EQ(0, resultsFileExists(name.c_str()));
    EXPECT_EQ(0, readResultsFile(name.c_str()));
    EXPECT_EQ(0, resultLevel(0));
    EXPECT_EQ(0, openResultsFile(folder.file("no folder\\results.txt").c_str()));
    writeResultLine(1, 2);  // no open file: nothing
}

// Quizlet lines for sets of one skill area whose results are then set as listed.
std::unique_ptr<DescriptorFile> withResults(const std::string& dataFile, const std::vector<std::vector<int>>& areas) {
    std::vector<DescriptorCommand> lines{{"DataFile", {dataFile}}};
    int set = 1;
    for (std::size_t area = 0; area < areas.size(); ++area)
        for (std::size_t i = 0; i < areas[area].size(); ++i)
            lines.push_back({"DS", {std::to_string(set++), "2", std::to_string(area == 2 ? 4 : area + 1)}});
    const std::string text = writeDescriptor(lines);
    auto descriptor = std::make_unique<DescriptorFile>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    set = 1;
    for (const auto& results : areas)
        for (int result : results) descriptor->findQuizletSet(set++)->result = result;
    return descriptor;
}

TEST_F(ResultsFileTest, LevelRule) {
    const struct {
        std::vector<int> results;
        int level;
    } cases[] = {{{3, 3, 3, 3, 1}, 3}, {{3, 3, 3, 1}, 1}, {{2, 2, 2, 2, 3}, 2}, {{2}, 2}, {{0}, 0},
                 {{3, 3, 3, 3, 2, 2, 2, 2}, 1}, {{1, 1}, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.results));
        EXPECT_EQ(c.level, skillAreaLevel(*withResults(name, {c.results})->findSkillAreaSet(1)));
    }
}

// Skill areas 1, 2 and 4: the lines stop at the first missing area.
TEST_F(ResultsFileTest, ResultsWrittenUpToTheFirstMissingSkillArea) {
    const auto descriptor = withResults(name, {{3, 3}, {2}, {1}});
    writeAssessmentResults(*descriptor);
    EXPECT_EQ("1 3\r\n2 2\r\n", readWholeFile(name));
    EXPECT_EQ(3, descriptor->findSkillAreaSet(1)->level);
    EXPECT_EQ(0, descriptor->findSkillAreaSet(4)->level);
}

}  // namespace
