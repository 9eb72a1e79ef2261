// Values of the expression evaluator: numbers kept as numbers, texts viewed in place or kept short.
#include "YValue.h"

#include <cstring>

#include "YVariable.h"

namespace {

const char kObjectText[] = "\xA5";

}  // namespace

void YValue::keep(const char* text, std::int32_t length) {
    const auto n = static_cast<std::size_t>(length);
    if (n < sizeof short_) {
        std::memcpy(short_, text, n);
        short_[n] = '\0';
        text_ = short_;
    } else {
        long_.assign(text, n);
        text_ = long_.c_str();
    }
    length_ = length;
}

// As a variable reads a text it is given: a number when it starts like one, the text's length deciding
// whether an integral number becomes an integer.
void YValue::readNumber() {
    kind_ = kYString;
    if (!yStartsNumber(text_[0])) return;
    double_ = yParseNumber(text_);
    kind_ = kYDouble;
    if (yBecomesInteger(double_, length_)) {
        kind_ = kYInteger;
        integer_ = static_cast<std::int32_t>(double_);
    }
}

// A variable whose number is what its text reads as gives the number without reading the text again;
// one whose text is still to be made gives the number alone, and the text is made here when needed.
void YValue::readOperand(YVariable* operand) { readFollowed(operand->follow()); }

void YValue::readFollowed(YVariable* variable) {
    YVariable* v = variable->target();
    fromNumber_ = false;
    if (v->kind == kYObject) {
        kind_ = kYObject;
        text_ = kObjectText;
        length_ = 1;
        return;
    }
    const bool knownNumber = v->numberIsText && (v->kind == kYInteger || v->kind == kYDouble);
    if (knownNumber && v->typeTag == kYPlain && v->textPending()) {
        kind_ = v->kind;
        integer_ = v->value.integer;
        double_ = v->value.number;
        fromNumber_ = true;
        text_ = nullptr;
        return;
    }
    std::int32_t length = 0;
    bool ownStorage = false;
    const char* text = v->textPointer(&length, &ownStorage);
    if (ownStorage) {
        text_ = text;
        length_ = length;
    } else {
        keep(text, length);
    }
    if (!knownNumber || !ownStorage) return readNumber();
    kind_ = v->kind;
    integer_ = v->value.integer;
    double_ = v->value.number;
}

void YValue::setInteger(std::int32_t n) {
    kind_ = kYInteger;
    integer_ = n;
    fromNumber_ = true;
    text_ = nullptr;
}

void YValue::setDouble(double d) {
    kind_ = kYDouble;
    double_ = d;
    if (yBecomesInteger(d, -1)) {
        kind_ = kYInteger;
        integer_ = static_cast<std::int32_t>(d);
    }
    fromNumber_ = true;
    text_ = nullptr;
}

void YValue::setText(const char* text, std::int32_t length) {
    keep(text, length);
    fromNumber_ = false;
    readNumber();
}

bool YValue::isNumber() const { return kind_ == kYInteger || kind_ == kYDouble; }

double YValue::number() const {
    if (kind_ == kYInteger) return integer_;
    return kind_ == kYDouble ? double_ : 0.0;
}

std::string_view YValue::text() {
    if (!text_ && fromNumber_) {
        length_ = kind_ == kYInteger ? yIntegerText(short_, integer_) : yDoubleText(short_, sizeof short_, double_);
        text_ = short_;
    }
    return text_ ? std::string_view(text_, static_cast<std::size_t>(length_)) : std::string_view("", 0);
}
