// A value on the expression evaluator's stack: what a fresh plain variable would hold after being given
// an operand (the operand's text form, and the number that text reads as) or a result (a number whose
// text is made only when an operator or the reader asks for it). A text that lives in a variable is
// looked at in place; any other is copied, into the value itself when short.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class YVariable;

class YValue {
public:
    YValue() = default;
    YValue(const YValue&) = delete;
    YValue& operator=(const YValue&) = delete;

    // As YVariable::assign from the operand into a fresh variable: the operand followed through member
    // references and aliases, then its object or its text form.
    void readOperand(YVariable* operand);
    // The same for a variable already followed through member references.
    void readFollowed(YVariable* variable);
    // As YVariable::setInteger and setDouble: the text is made from the number when asked for.
    void setInteger(std::int32_t n);
    void setDouble(double d);
    // As YVariable::setText: the text is kept, and read as a number when it starts like one.
    void setText(const char* text, std::int32_t length);

    // Kind as a variable's (kYNone while nothing was given).
    std::int32_t kind() const { return kind_; }
    bool isNumber() const;
    // The number as YVariable::getDouble reads it.
    double number() const;
    // The integer of a value of kind integer.
    std::int32_t integer() const { return integer_; }
    // Whether the text form is the one made from the number ("%ld", "%.15g").
    bool textFromNumber() const { return fromNumber_; }
    // The text form; a number's is made on the first call.
    std::string_view text();

private:
    void keep(const char* text, std::int32_t length);
    void readNumber();

    std::int32_t kind_ = 0;
    std::int32_t integer_ = 0;
    double double_ = 0.0;
    bool fromNumber_ = false;
    const char* text_ = nullptr;  // the text form, once there is one
    std::int32_t length_ = 0;
    char short_[32];
    std::string long_;
};
