// The assessment's levels: each skill area's level from the results of its quizlet sets, stored in the
// descriptor file and written to the results file. Portable.
#pragma once

#include <cstdint>

class DescriptorFile;
struct SkillAreaSet;

// One set gives its result. Of n sets, c2 with result 2 and c3 with result 3: 1; 2 when c2 / n > 0.75;
// 3 when c3 / n > 0.75 (3 wins).
std::int32_t skillAreaLevel(const SkillAreaSet& area);
// For skill areas 1, 2, 3 ... up to the first missing one: the level stored in the area and written as a
// line of the results file named by "DataFile" 1 (no lines when the file cannot be created).
void writeAssessmentResults(DescriptorFile& descriptor);
