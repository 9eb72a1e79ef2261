// The test side of the activity scenarios: a folder with the generated title, and the title's module
// files with the blocks of one type renamed so that none of them is found.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GeneratedTitle.h"
#include "TempFolder.h"
#include "TitleProbe.h"

using Lines = std::vector<std::string>;

struct ActivityProbeTest : testing::Test {
    void SetUp() override { ASSERT_TRUE(useGeneratedTitle(folder.path())); }
    TempFolder folder;
};
