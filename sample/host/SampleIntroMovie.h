// The sample movie's file, "rsc\intro.smk".
#pragma once

#include <string>

std::string introMovieFile();
