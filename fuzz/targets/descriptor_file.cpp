// The descriptor file: any bytes parse within their length; every command has a name, words and names
// hold at most 31 characters, look-ups answer for names that exist and for names that do not, and every
// quizlet sits in the set and skill area its fields name.
#include "DescriptorFile.h"
#include "FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DescriptorFile file(data, size);
    FUZZ_CHECK(currentDescriptorFile() == &file);
    for (const Command& command : file.commands) {
        FUZZ_CHECK(!command.name.empty() && command.name.size() <= 31 && command.name[0] != '.');
        for (const std::string& param : command.params) FUZZ_CHECK(!param.empty() && param.size() <= 31);
        const Command* found = file.findCommand(command.name.c_str());
        FUZZ_CHECK(found != nullptr);
        const std::int32_t n = static_cast<std::int32_t>(found->params.size()) + 1;
        FUZZ_CHECK(file.stringParam(command.name.c_str(), n)[0] == '\0');
        static_cast<void>(file.intParam(command.name.c_str(), 0));
    }
    FUZZ_CHECK(file.intParam("\x01 no such command", 1) == 0);
    for (SkillAreaSet& area : file.skillAreas) {
        FUZZ_CHECK(file.findSkillAreaSet(area.skillArea) != nullptr);
        for (QuizletSet& set : area.sets) {
            FUZZ_CHECK(file.findQuizletSet(set.setNumber) != nullptr);
            for (const Quizlet& q : set.quizlets) FUZZ_CHECK(q.skillArea == area.skillArea);
        }
    }
    return 0;
}
