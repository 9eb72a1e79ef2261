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

// The engine keeps each module file's index in a .PRD beside it, which would outlive a module file changed
// by an earlier test: the fixture drops them.
struct ActivityProbeTest : testing::Test {
    void SetUp() override {
        dropIndexFiles();
        ASSERT_TRUE(useGeneratedTitle(folder.path()));
    }
    static void dropIndexFiles();
    TempFolder folder;
};

// Renames every block of `type` (three letters) in the disc's module file `name` ("Band.PRS").
void withholdType(const std::string& name, const std::string& type);
