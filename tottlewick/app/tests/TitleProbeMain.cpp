// The probe program: with "--scenario NAME" a child run of one scenario, else the tests.
#include <gtest/gtest.h>

#include <cstring>

#include "TitleProbe.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--scenario") == 0) return probe::runScenario(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
