// The Tottlewick title that the build generates (sample/tottlewick, TitleIds.h), for tests that run the
// program or the title probe on it.
#pragma once

#include <string>
#include <vector>

// The generated title's folder as the program sees it (Tottlewick.exe, Resource\Global.PRS, disc\).
std::string generatedTitleFolder();
// Puts the title's Resource\Global.PRS into folder\Resource and its disc's module files into
// discRoot\Resource (the title probe's drive E: holds the disc), less the module files named in
// `without` (as "Picker.PRS"); false when Global.PRS could not be copied.
// The disc's .PRD index files are dropped: the copies keep the generated files' write times, so an index
// written by an earlier run would look fresh beside a module file that an earlier test changed.
bool useGeneratedTitle(const std::string& folder, const std::string& discRoot = "E:",
                       const std::vector<std::string>& without = {});
// Renames every block of `type` (three letters) in the module file at `path`, so that none of them is found;
// false when there was none.
bool withholdType(const std::string& path, const std::string& type);
