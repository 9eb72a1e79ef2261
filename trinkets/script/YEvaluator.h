// Evaluation of compiled expressions: prefix code over operand indices, with the operator table.
#pragma once

#include <cstddef>
#include <cstdint>

class YValue;
class YVariable;

// Expression error codes (the compiler reports 1-3 and 6 in the same word).
constexpr std::int32_t kYErrorUnbalanced = 1;
constexpr std::int32_t kYErrorTooLong = 2;
constexpr std::int32_t kYErrorTwoOperators = 3;
constexpr std::int32_t kYErrorDivideByZero = 4;
constexpr std::int32_t kYErrorDomain = 5;
constexpr std::int32_t kYErrorNotNumber = 7;

class YEvaluator {
public:
    // Writes the value of expression variable e into buffer; on an error its own source text.
    static void textOf(YVariable* e, char* buffer, std::size_t size);
    // Gives destination e's value as the assignment statement does (the text form that textPointer
    // reads, at most 127 characters), evaluating e once.
    static void assignTo(YVariable* e, YVariable* destination);
    // Evaluates e into result; returns the error code (0 = none).
    static std::int32_t evaluate(YVariable* e, YValue* result);
    // Whether code is a well-formed prefix code that consumes exactly terms operands.
    static bool validCode(const char* code, std::int32_t terms);

private:
    YEvaluator(const char* code, const std::int16_t* terms, std::int32_t count)
        : code_(code), terms_(terms), remaining_(count) {}
    void run(YValue* out);
    void apply(char op, YValue* left, YValue* right, YValue* out);
    bool arithmetic(char op, double l, double r, YValue* out);
    void textual(char op, YValue* left, YValue* right, YValue* out);
    void reEvaluate(YValue* operand, YValue* out);
    void fail(std::int32_t code) {
        if (error_ == 0) error_ = code;
    }

    const char* code_;
    const std::int16_t* terms_;
    std::int32_t remaining_;
    std::int32_t error_ = 0;
};
