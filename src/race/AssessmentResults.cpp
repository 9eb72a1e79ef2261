// Levels of the skill areas and the results file lines.
#include "AssessmentResults.h"

#include <algorithm>

#include "DescriptorFile.h"
#include "ResultsFile.h"

namespace {

std::int32_t setsWithResult(const SkillAreaSet& area, std::int32_t result) {
    return static_cast<std::int32_t>(std::count_if(area.sets.begin(), area.sets.end(),
                                                   [result](const QuizletSet& set) { return set.result == result; }));
}

// count / n > 0.75, in whole numbers.
bool aboveThreeQuarters(std::int32_t count, std::int32_t n) { return 4 * count > 3 * n; }

}  // namespace

std::int32_t skillAreaLevel(const SkillAreaSet& area) {
    const auto n = static_cast<std::int32_t>(area.sets.size());
    if (n == 1) return area.sets.front().result;
    std::int32_t level = 1;
    if (aboveThreeQuarters(setsWithResult(area, 2), n)) level = 2;
    if (aboveThreeQuarters(setsWithResult(area, 3), n)) level = 3;
    return level;
}

void writeAssessmentResults(DescriptorFile& descriptor) {
    static_cast<void>(openResultsFile(descriptor.stringParam("DataFile", 1)));
    for (std::int32_t k = 1; SkillAreaSet* area = descriptor.findSkillAreaSet(k); ++k) {
        area->level = skillAreaLevel(*area);
        writeResultLine(k, area->level);
    }
    closeResultsFile();
}
