// The product's configuration: the commands of "PLSDescriptor.txt" with their text parameters, and the
// assessment's quizlets grouped into sets and skill areas. Portable: the text is parsed from bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct Command {
    std::string name;
    std::vector<std::string> params;
};

struct Quizlet {
    std::int32_t quizletNumber = 0;
    std::int32_t skillArea = 0;
    char code = 0;
    std::int32_t time = 0;
    std::int16_t problemSound = 0;
    std::int16_t problemPicture = 0;
    std::uint8_t unused[26] = {};
    std::int16_t answerPictures[4] = {};
};

// Every list below runs from the most recently added entry (the head) to the first added.
struct QuizletSet {
    std::int32_t setNumber = 0;
    std::int32_t result = 0;
    std::deque<Quizlet> quizlets;

    Quizlet* quizletByNumber(std::int32_t number);
    Quizlet& addQuizlet(const Quizlet& quizlet);
};

struct SkillAreaSet {
    std::int32_t skillArea = 0;
    std::int32_t level = 0;
    std::deque<QuizletSet> sets;

    QuizletSet* setByNumber(std::int32_t number);
    // Position 0 is the head; null past the end.
    QuizletSet* setAt(std::int32_t index);
    QuizletSet& addSet(std::int32_t number);
};

class DescriptorFile {
public:
    // Reads the whole file (a missing one gives no commands) and becomes the current descriptor file.
    explicit DescriptorFile(const char* fileName);
    // The same over text already in memory.
    DescriptorFile(const std::uint8_t* text, std::size_t size);
    DescriptorFile(const DescriptorFile&) = delete;
    DescriptorFile& operator=(const DescriptorFile&) = delete;
    ~DescriptorFile();

    // The first command of that exact name in list order (the file's later definition), or null.
    const Command* findCommand(const char* name) const;
    // Parameter n (from 1; n <= 0 reads 1) as a decimal integer; 0 when the command or parameter is absent.
    std::int32_t intParam(const char* commandName, std::int32_t n) const;
    std::int32_t intParamAlias(const char* commandName, std::int32_t n) const { return intParam(commandName, n); }
    // Parameter n as text; empty when absent. Valid until the descriptor file is deleted.
    const char* stringParam(const char* commandName, std::int32_t n) const;
    SkillAreaSet* findSkillAreaSet(std::int32_t skillArea);
    // The first set of that number in any skill area, walking the skill areas in list order.
    QuizletSet* findQuizletSet(std::int32_t setNumber);

    std::deque<Command> commands;
    std::deque<SkillAreaSet> skillAreas;

private:
    explicit DescriptorFile(const std::vector<std::uint8_t>& text) : DescriptorFile(text.data(), text.size()) {}
    void parse(const std::uint8_t* text, std::size_t size);
    void addQuizlet(const std::vector<std::string>& fields);
};

// The descriptor file made last and not yet deleted, or null.
DescriptorFile* currentDescriptorFile();

// The standard text-to-integer conversion: leading blanks, an optional sign, digits up to the first
// non-digit (wrapping like a 32-bit register); no digits give 0.
std::int32_t decimalValue(const std::string& text);
