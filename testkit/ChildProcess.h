// Runs a program to its end with its standard output and error captured, for end-to-end tests.
#pragma once

#include <string>

struct ChildResult {
    bool started = false;
    unsigned long exitCode = 0;
    std::string output;  // standard output and standard error together
};

// `commandLine` as CreateProcess takes it; runs in `folder` (the current one when empty).
ChildResult runChild(const std::string& commandLine, const std::string& folder = "",
                     unsigned long timeoutMs = 60000);
// Runs the running test program's tests that match `filter`, disabled ones too, in a child in `folder`.
ChildResult runOwnTests(const std::string& filter, const std::string& folder = "");
