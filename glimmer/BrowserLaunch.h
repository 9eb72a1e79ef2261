// Starts the default web browser on a URL: the browser is the program that opens ".htm" files.
#pragma once

#include <string>

// The program associated with "_tempoid.htm" in the temporary folder (the file is created empty for
// the question when it is missing, and deleted again). Empty when there is none.
std::string findBrowser();
// Runs "\"browser\" url" with WinExec; true when the program started.
bool launchBrowser(const std::string& browser, const std::string& url);
