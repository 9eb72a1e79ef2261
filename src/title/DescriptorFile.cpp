// Parsing and look-ups of the descriptor file.
#include "DescriptorFile.h"

#include <cctype>

#include "QuickParser.h"

namespace {

DescriptorFile* current = nullptr;

// "DS" is followed by set, quizlet, skill area, code, time, speech, picture and four answer pictures.
constexpr std::size_t kQuizletWords = 11;

}  // namespace

std::int32_t decimalValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + std::uint32_t(text[i] - '0');
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

Quizlet* QuizletSet::quizletByNumber(std::int32_t number) {
    for (Quizlet& q : quizlets)
        if (q.quizletNumber == number) return &q;
    return nullptr;
}

Quizlet& QuizletSet::addQuizlet(const Quizlet& quizlet) {
    quizlets.push_front(quizlet);
    return quizlets.front();
}

QuizletSet* SkillAreaSet::setByNumber(std::int32_t number) {
    for (QuizletSet& set : sets)
        if (set.setNumber == number) return &set;
    return nullptr;
}

QuizletSet* SkillAreaSet::setAt(std::int32_t index) {
    return index >= 0 && std::size_t(index) < sets.size() ? &sets[std::size_t(index)] : nullptr;
}

QuizletSet& SkillAreaSet::addSet(std::int32_t number) {
    sets.emplace_front();
    sets.front().setNumber = number;
    return sets.front();
}

DescriptorFile::DescriptorFile(const std::uint8_t* text, std::size_t size) {
    parse(text, size);
    current = this;
}

DescriptorFile::~DescriptorFile() {
    if (current == this) current = nullptr;
}

DescriptorFile* currentDescriptorFile() { return current; }

void DescriptorFile::parse(const std::uint8_t* text, std::size_t size) {
    QuickParser parser(text, size);
    while (parser.nextLine()) {
        const std::string first = parser.word();
        if (!first.empty() && first[0] == '.') return;
        if (first.empty()) continue;
        if (first == "DS") {
            std::vector<std::string> fields;
            for (std::size_t i = 0; i < kQuizletWords; ++i) fields.push_back(parser.word());
            addQuizlet(fields);
            continue;
        }
        commands.push_front(Command{first, {}});
        for (std::string param = parser.word(); !param.empty(); param = parser.word())
            commands.front().params.push_back(param);
    }
}

void DescriptorFile::addQuizlet(const std::vector<std::string>& fields) {
    Quizlet q;
    q.quizletNumber = decimalValue(fields[1]);
    q.skillArea = decimalValue(fields[2]);
    q.code = fields[3].empty() ? '\0' : fields[3][0];
    q.time = decimalValue(fields[4]);
    q.problemSound = static_cast<std::int16_t>(decimalValue(fields[5]));
    q.problemPicture = static_cast<std::int16_t>(decimalValue(fields[6]));
    for (std::size_t i = 0; i < 4; ++i) q.answerPictures[i] = static_cast<std::int16_t>(decimalValue(fields[7 + i]));
    SkillAreaSet* area = findSkillAreaSet(q.skillArea);
    if (!area) {
        skillAreas.emplace_front();
        area = &skillAreas.front();
        area->skillArea = q.skillArea;
    }
    const std::int32_t setNumber = decimalValue(fields[0]);
    QuizletSet* set = area->setByNumber(setNumber);
    (set ? *set : area->addSet(setNumber)).addQuizlet(q);
}

const Command* DescriptorFile::findCommand(const char* name) const {
    for (const Command& command : commands)
        if (command.name == name) return &command;
    return nullptr;
}

const char* DescriptorFile::stringParam(const char* commandName, std::int32_t n) const {
    const Command* command = findCommand(commandName);
    const std::size_t index = n <= 0 ? 0 : std::size_t(n) - 1;
    if (!command || index >= command->params.size()) return "";
    return command->params[index].c_str();
}

std::int32_t DescriptorFile::intParam(const char* commandName, std::int32_t n) const {
    return decimalValue(stringParam(commandName, n));
}

SkillAreaSet* DescriptorFile::findSkillAreaSet(std::int32_t skillArea) {
    for (SkillAreaSet& area : skillAreas)
        if (area.skillArea == skillArea) return &area;
    return nullptr;
}

QuizletSet* DescriptorFile::findQuizletSet(std::int32_t setNumber) {
    for (SkillAreaSet& area : skillAreas)
        if (QuizletSet* set = area.setByNumber(setNumber)) return set;
    return nullptr;
}
