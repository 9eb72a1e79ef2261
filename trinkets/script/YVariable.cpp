// Script values: classification of names, setting and reading values, text forms and assignment.
#include "YVariable.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "OMScriptableObject.h"
#include "YCompiler.h"
#include "YEvaluator.h"
#include "YHeap.h"
#include "YValue.h"

namespace {

const char kObjectText[] = "\xA5";
YRandomSource randomSource = std::rand;

// Computed texts go to two alternating buffers, so both operands of an operator can be read at once.
char computed[2][kYComputedSize];
int nextComputed = 0;

constexpr int kMaxReadDepth = 64;
// One outermost read reads at most this many variables, nested reads included: references that branch
// into several others at every level would otherwise multiply the work at each level.
constexpr int kMaxReads = 65536;
int readDepth = 0;
int reads = 0;

char* copyText(const char* text, std::int32_t length) {
    char* copy = new char[static_cast<std::size_t>(length) + 1];
    std::memcpy(copy, text, static_cast<std::size_t>(length));
    copy[length] = '\0';
    return copy;
}

}  // namespace

double yParseNumber(const char* text) {
    double d = 0.0;
    if (std::sscanf(text, "%lf", &d) != 1) d = 0.0;
    return d;
}

bool yBecomesInteger(double d, std::int32_t textLength) {
    return textLength <= 10 && d >= -2000000000.0 && d <= 2000000000.0 &&
           static_cast<double>(static_cast<std::int32_t>(d)) == d;
}

int yIntegerText(char* out, std::int32_t n) {
    char digits[12];
    int count = 0;
    std::uint32_t magnitude = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    int length = 0;
    if (n < 0) out[length++] = '-';
    while (count) out[length++] = digits[--count];
    out[length] = '\0';
    return length;
}

int yDoubleText(char* out, std::size_t size, double d) { return std::snprintf(out, size, "%.15g", d); }

void copyCut(char* buffer, std::size_t size, const char* text, std::size_t length) {
    if (size == 0) return;
    length = std::min(length, size - 1);
    std::memmove(buffer, text, length);
    buffer[length] = '\0';
}

std::int32_t& yErrorCode() {
    static std::int32_t code = 0;
    return code;
}

void ySetRandomSource(YRandomSource source) { randomSource = source ? source : std::rand; }

bool yStartsNumber(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'; }

bool yIsProcedureName(const char* text, std::int32_t length) {
    if (length < 2 || text[0] != '+' || yStartsNumber(text[1])) return false;
    for (std::int32_t i = 1; i < length; ++i) {
        if (std::strchr("+-<>=#*/\\%@^!~$()\"'|", text[i]) || text[i] == '\0') return false;
    }
    return true;
}

std::int32_t yRoundHalfDown(double d) {
    const double r = std::ceil(d - 0.5);
    if (!(r > -2147483648.0)) return INT32_MIN;
    if (r > 2147483647.0) return INT32_MAX;
    return static_cast<std::int32_t>(r);
}

YVariable::YVariable(const char* text, std::int32_t nameLength, const char* initialText) {
    name = copyText(text, nameLength);
    classify();
    setText(initialText, -1);
}

YVariable::YVariable(const char* text, std::int32_t nameLength, std::int32_t tag) {
    name = copyText(text, nameLength);
    typeTag = tag;
    if (tag == kYExpression) {
        const std::int32_t terms = expressionTermCount();
        indices = new std::int16_t[static_cast<std::size_t>(std::max(terms, 1))];
        std::memcpy(indices, expressionTerms(), sizeof(std::int16_t) * static_cast<std::size_t>(terms));
        const char* code = expressionCode();
        valueText = copyText(code, static_cast<std::int32_t>(std::strlen(code)));
        lengthField = terms;
    } else if (tag == kYUntyped || tag == kYLiteral) {
        classify();
    }
}

YVariable::YVariable() : mark(kYBorrows), typeTag(kYPlain), kind(kYString) {}

YVariable::~YVariable() {
    delete[] name;
    delete[] indices;
    dropText();
    resetValue(1);
}

// Decides the type tag from the name; references look up (or add) their parts in the heap.
void YVariable::classify() {
    const char* bar = std::strchr(name, '|');
    if (bar) return classifySubstring(bar);
    const char first = name[0];
    const bool procedureName = yIsProcedureName(name, static_cast<std::int32_t>(std::strlen(name)));
    if ((yStartsNumber(first) && !procedureName) || first == '"' || first == '\'' || first == '?') {
        typeTag = kYLiteral;
        lengthField = static_cast<std::int32_t>(std::strlen(name));
        kind = kYString;
        if (yStartsNumber(first)) {
            kind = kYDouble;
            value.number = yParseNumber(name);
            normalise();
            numberIsText = true;
        }
        return;
    }
    typeTag = kYPlain;
    if (std::strchr(name, '.') && classifyMembers()) typeTag = kYMember;
}

void YVariable::classifySubstring(const char* bar) {
    typeTag = kYSubstring;
    YHeap& heap = scriptHeap();
    indices = new std::int16_t[3]{};
    indices[0] = static_cast<std::int16_t>(heap.findOrAdd(name, static_cast<std::int32_t>(bar - name), nullptr));
    const char* rest = bar + 1;
    lengthField = 0;
    if (const char* second = std::strchr(rest, '|')) {
        const auto startLength = static_cast<std::int32_t>(second - rest);
        const std::int32_t start = startLength ? heap.findOrAdd(rest, startLength, nullptr) : kYEmptyStart;
        indices[1] = static_cast<std::int16_t>(start);
        lengthField = 1;
        rest = second + 1;
    }
    ++lengthField;
    indices[lengthField] =
        static_cast<std::int16_t>(heap.findOrAdd(rest, static_cast<std::int32_t>(std::strlen(rest)), nullptr));
}

// A dotted name whose members all start like numbers stays one plain variable (list.3); otherwise each
// member is a heap entry read at run time. Returns whether the name is a member reference.
bool YVariable::classifyMembers() {
    const char* firstDot = std::strchr(name, '.');
    bool allNumbers = true;
    std::int32_t members = 0;
    for (const char* p = firstDot; p; p = std::strchr(p + 1, '.')) {
        ++members;
        if (!yStartsNumber(p[1])) allNumbers = false;
    }
    if (allNumbers) return false;
    lengthField = members;
    indices = new std::int16_t[static_cast<std::size_t>(members)];
    std::int32_t i = 0;
    for (const char* p = firstDot; p; ++i) {
        const char* member = p + 1;
        p = std::strchr(member, '.');
        const auto length = static_cast<std::int32_t>(p ? p - member : static_cast<std::ptrdiff_t>(std::strlen(member)));
        indices[i] = static_cast<std::int16_t>(scriptHeap().findOrAdd(member, length, nullptr));
    }
    return true;
}

// A double becomes an integer when it is integral, within two thousand million and, for a text, short.
void YVariable::normalise() {
    if (kind != kYDouble || !yBecomesInteger(value.number, lengthField)) return;
    kind = kYInteger;
    value.integer = static_cast<std::int32_t>(value.number);
}

// Follows a chain of aliases to the variable at its end; an alias without a variable behind it ends the
// chain, and a chain that comes back round stands for nothing (the alias itself).
YVariable* YVariable::aliasTarget() {
    YVariable* v = this;
    for (int step = 0; v->isAlias(); ++step) {
        YVariable* next = scriptHeap().at(v->heapIndex);
        if (!next || next == v) return v;
        if (step == kMaxReadDepth) return this;
        v = next;
    }
    return v;
}

YVariable* YVariable::memberVariable() {
    char scratch[kYTextBufferSize];
    const std::int32_t index = getText(scratch, sizeof scratch);
    YVariable* member = index > 0 ? scriptHeap().at(index) : nullptr;
    return member ? member : this;
}

// Every way of deleting an owned object (drop, drop trinkets, a new value) comes here. The object is
// deleted last, with this variable empty (it reads as its name) and every other variable that holds it
// (RECEIVER, borrowers) cleared: what runs inside the deletion, such as events and the statements they
// run, finds nothing that holds it, and nothing holds it afterwards.
void YVariable::resetValue(std::int32_t deleteOwned) {
    OMScriptableObject* const owned = kind == kYObject && mark == kYOwns && deleteOwned ? value.object : nullptr;
    if (kind == kYObject) {
        if (mark == kYBorrows) mark = kYOwns;
        kind = kYNone;
    }
    value.number = 0.0;
    value.object = nullptr;
    if (!owned) return;
    dropText();
    lengthField = -1;
    scriptHeap().clearObjectHolders(owned, 0);
    delete owned;
}

void YVariable::dropText() {
    if (valueText != shortText_) delete[] valueText;
    valueText = nullptr;
}

// Keeps length characters of text, which may lie in the old value text, as the value text; short texts
// stay inside the variable.
void YVariable::keepText(const char* text, std::int32_t length) {
    const auto n = static_cast<std::size_t>(length);
    char* kept = n < kYShortText ? shortText_ : new char[n + 1];
    std::memmove(kept, text, n);
    kept[n] = '\0';
    if (valueText != shortText_ && valueText != kept) delete[] valueText;
    valueText = kept;
}

void YVariable::storeText(const char* text, std::int32_t length) {
    keepText(text, length);
    textPending_ = false;
    lengthField = length;
    heapIndex = 0;
    numberIsText = yStartsNumber(valueText[0]);
    if (numberIsText) {
        kind = kYDouble;
        value.number = yParseNumber(valueText);
        normalise();
    } else {
        kind = kYString;
    }
}

// The text of a number is made when it is read; an object's is its mark; a string keeps its own text.
void YVariable::regenerateText() {
    if (kind == kYString) return;
    heapIndex = 0;
    textPending_ = kind == kYInteger || kind == kYDouble;
    if (textPending_) {
        dropText();
        lengthField = -1;
    } else if (kind == kYObject) {
        keepText(kObjectText, 1);
        lengthField = 1;
    } else {
        dropText();
        lengthField = -1;
    }
}

void YVariable::ensureText() {
    if (!textPending_) return;
    textPending_ = false;
    char text[32];
    const int length = kind == kYInteger ? yIntegerText(text, value.integer) : yDoubleText(text, sizeof text, value.number);
    keepText(text, length);
    lengthField = length;
}

bool YVariable::validExpressionCode() {
    if (!codeChecked_) {
        codeValid_ = YEvaluator::validCode(valueText ? valueText : "", lengthField);
        codeChecked_ = true;
    }
    return codeValid_;
}

void YVariable::startLoading() {
    ensureText();
    numberIsText = false;
    codeChecked_ = false;
}

void YVariable::loadValueText(const char* text, std::size_t length) {
    keepText(text, static_cast<std::int32_t>(length));
    codeChecked_ = false;
}

void YVariable::setText(const char* text, std::int32_t length) {
    if (isAlias()) {
        YVariable* other = target();
        if (other != this) other->setText(text, length);
        if (length <= -2) heapIndex = 0;
        return;
    }
    if (typeTag != kYPlain) return;
    if (!text && length > -2) return regenerateText();
    resetValue(length != -3);
    if (!text) {
        kind = kYNone;
        dropText();
        textPending_ = false;
        numberIsText = false;
        lengthField = -1;
        heapIndex = 0;
        return;
    }
    storeText(text, length < 0 ? static_cast<std::int32_t>(std::strlen(text)) : length);
}

// The text of an integral number below 1e15 is all its digits, so it reads back as the number itself:
// an integer within -999999999 .. 2000000000 (ten characters at most), a double beyond. The number is
// kept and its text made when read.
void YVariable::storeNumberText(double d) {
    resetValue(1);
    kind = kYDouble;
    value.number = d;
    if (d >= -999999999.0 && d <= 2000000000.0) {
        kind = kYInteger;
        value.integer = static_cast<std::int32_t>(d);
    }
    numberIsText = true;
    regenerateText();
}

void YVariable::setIntegerText(std::int32_t n) {
    if (isAlias()) {
        YVariable* other = target();
        if (other != this) other->setIntegerText(n);
        return;
    }
    if (typeTag == kYPlain) storeNumberText(n);
}

void YVariable::setDoubleText(double d) {
    if (isAlias()) {
        YVariable* other = target();
        if (other != this) other->setDoubleText(d);
        return;
    }
    if (typeTag != kYPlain) return;
    if (std::fabs(d) < 1e15 && static_cast<double>(static_cast<std::int64_t>(d)) == d) return storeNumberText(d);
    char text[32];
    const int length = yDoubleText(text, sizeof text, d);
    setText(text, length);
}

void YVariable::setValue(YValue& given) {
    if (isAlias()) {
        YVariable* other = target();
        if (other != this) other->setValue(given);
        return;
    }
    if (typeTag != kYPlain) return;
    if (given.textFromNumber()) {
        return given.kind() == kYInteger ? setIntegerText(given.integer()) : setDoubleText(given.number());
    }
    const std::string_view text = given.text();
    if (!given.isNumber()) return setText(text.data(), static_cast<std::int32_t>(text.size()));
    resetValue(1);
    keepText(text.data(), static_cast<std::int32_t>(text.size()));
    textPending_ = false;
    lengthField = static_cast<std::int32_t>(text.size());
    heapIndex = 0;
    numberIsText = true;
    kind = given.kind();
    if (kind == kYInteger) value.integer = given.integer();
    else value.number = given.number();
}

// Numbers are stored on plain variables only (a literal, reference or expression is not assignable);
// on an alias they go to the variable it stands for.
void YVariable::setInteger(std::int32_t n) {
    YVariable* v = target();
    if (v->typeTag != kYPlain) return;
    v->resetValue(1);
    v->kind = kYInteger;
    v->value.integer = n;
    v->numberIsText = true;
    v->regenerateText();
}

void YVariable::setDouble(double d) {
    YVariable* v = target();
    if (v->typeTag != kYPlain) return;
    v->resetValue(1);
    v->kind = kYDouble;
    v->value.number = d;
    v->lengthField = -1;
    v->normalise();
    v->numberIsText = v->kind == kYInteger;
    v->regenerateText();
}

void YVariable::setObject(OMScriptableObject* object) {
    YVariable* v = target();
    if (v->typeTag != kYPlain) return;
    if (v->kind == kYObject && v->value.object == object) return;
    if (!object) return v->setText(nullptr, -2);
    v->resetValue(1);
    v->kind = kYObject;
    v->value.object = object;
    v->numberIsText = false;
    v->regenerateText();
}

void YVariable::assign(YVariable* source) {
    if (!source || source == this) return;
    source = source->follow()->target();
    if (source == this) return;
    if (source->kind != kYObject) {
        std::int32_t length = 0;
        const char* text = source->textPointer(&length);
        const std::string copy(text, static_cast<std::size_t>(length));
        return setText(copy.c_str(), length);
    }
    OMScriptableObject* object = source->value.object;
    if (mark == kYOwns && source->mark == kYOwns) {
        setObject(object->clone());
        mark = kYOwns;
    } else if (mark != kYAlias) {
        setObject(object);
        mark = kYBorrows;
    } else {
        heapIndex = scriptHeap().indexOfVariable(source);
    }
}

// Reads nest through references and expressions. A variable whose read is already under way (references
// that lead back to themselves) reads as its own name, so one read reads each reference at most once along
// any chain instead of again at every level; a read nested deeper than kMaxReadDepth, or past the
// kMaxReads of its outermost read, does the same.
bool YVariable::startRead() {
    if (readDepth == 0) reads = 0;
    if (reading_ || readDepth >= kMaxReadDepth || reads >= kMaxReads) return false;
    reading_ = true;
    ++readDepth;
    ++reads;
    return true;
}

void YVariable::endRead() {
    reading_ = false;
    --readDepth;
}

std::int32_t YVariable::getText(char* buffer, std::size_t size) {
    if (!startRead()) {
        copyCut(buffer, size, name, std::strlen(name));
        return 0;
    }
    const std::int32_t result = readText(buffer, size);
    endRead();
    return result;
}

void YVariable::giveExpressionValue(YVariable* destination) {
    if (!startRead()) {
        const std::size_t length = std::min(std::strlen(name), kYComputedSize - 1);
        return destination->setText(name, static_cast<std::int32_t>(length));
    }
    YEvaluator::assignTo(this, destination);
    endRead();
}

std::int32_t YVariable::readText(char* buffer, std::size_t size) {
    if (isAlias()) {
        YVariable* other = target();
        if (other != this) return other->getText(buffer, size);
    }
    std::int32_t result = 0;
    switch (typeTag) {
    case kYPlain:
        ensureText();
        if (valueText) copyCut(buffer, size, valueText, static_cast<std::size_t>(std::max(lengthField, 0)));
        else copyCut(buffer, size, name, std::strlen(name));
        break;
    case kYLiteral: literalText(buffer, size, &result); break;
    case kYMember: result = memberText(buffer, size); break;
    case kYSubstring: substringText(buffer, size); break;
    case kYExpression: YEvaluator::textOf(this, buffer, size); break;
    default: assert(!"untyped != type"); copyCut(buffer, size, "", 0); break;
    }
    return result;
}

void YVariable::literalText(char* buffer, std::size_t size, std::int32_t* result) {
    const std::size_t length = std::strlen(name);
    if (name[0] == '?') {
        const char digit = static_cast<char>('0' + randomSource() % 10);
        copyCut(buffer, size, &digit, 1);
        *result = -1;
    } else if (name[0] == '"' || name[0] == '\'') {
        copyCut(buffer, size, name + 1, length >= 2 ? length - 2 : 0);
    } else {
        copyCut(buffer, size, name, length);
    }
}

// The base name followed by each member's current text; the variable of that name is looked up (or
// added) and its text read, also when it is itself a reference, whose variable read is then the result
// (so that its object and assignments reach the variable the text came from).
std::int32_t YVariable::memberText(char* buffer, std::size_t size) {
    char resolved[kYTextBufferSize];
    const char* dot = std::strchr(name, '.');
    std::size_t used = 0;
    const std::size_t baseLength = static_cast<std::size_t>(dot - name);
    copyCut(resolved, sizeof resolved, name, baseLength);
    used = std::min(baseLength, sizeof resolved - 1);
    YHeap& heap = scriptHeap();
    for (std::int32_t i = 0; i < lengthField; ++i) {
        YVariable* member = heap.at(indices[i]);
        if (!member) continue;
        std::int32_t length = 0;
        const char* text = member->textPointer(&length);
        if (length <= 0 || used + 1 >= sizeof resolved - 1) continue;
        resolved[used++] = '.';
        copyCut(resolved + used, sizeof resolved - used, text, static_cast<std::size_t>(length));
        used = std::strlen(resolved);
    }
    const std::int32_t index = heap.findOrAdd(resolved, static_cast<std::int32_t>(used), nullptr);
    YVariable* found = heap.at(index);
    if (!found) {
        copyCut(buffer, size, resolved, used);
        return 0;
    }
    const std::int32_t read = found->getText(buffer, size);
    return read > 0 ? read : index;
}

void YVariable::substringText(char* buffer, std::size_t size) {
    YHeap& heap = scriptHeap();
    char source[kYComputedSize];
    YVariable* whole = heap.at(indices[0]);
    std::int32_t sourceLength = 0;
    const char* text = whole ? whole->textPointer(&sourceLength) : "";
    copyCut(source, sizeof source, text, static_cast<std::size_t>(std::max(sourceLength, 0)));
    const auto available = static_cast<std::int32_t>(std::strlen(source));
    std::int32_t start = 1;
    const bool emptyStart = static_cast<std::uint16_t>(indices[1]) == kYEmptyStart;
    if (!emptyStart && heap.at(indices[1])) heap.at(indices[1])->getInteger(&start);
    std::int32_t count = available;
    if (lengthField == 2 && heap.at(indices[2])) heap.at(indices[2])->getInteger(&count);
    count = std::clamp(count, 0, available);
    if (lengthField == 2 && emptyStart) return copyCut(buffer, size, source + available - count, static_cast<std::size_t>(count));
    start = std::max(start, 1);
    if (start > available) return copyCut(buffer, size, "", 0);
    count = std::min(count, available - start + 1);
    copyCut(buffer, size, source + start - 1, static_cast<std::size_t>(count));
}

const char* YVariable::textPointer(std::int32_t* lengthOut) {
    bool ownStorage = false;
    return textPointer(lengthOut, &ownStorage);
}

const char* YVariable::textPointer(std::int32_t* lengthOut, bool* ownStorage) {
    YVariable* v = target();
    v->ensureText();
    const char* text = nullptr;
    if (v->typeTag == kYPlain) text = v->valueText ? v->valueText : v->name;
    if (v->typeTag == kYLiteral && yStartsNumber(v->name[0])) text = v->name;
    *ownStorage = text != nullptr;
    if (text) {
        *lengthOut = v->typeTag == kYPlain && v->valueText ? std::max(v->lengthField, 0)
                                                           : static_cast<std::int32_t>(std::strlen(text));
        return text;
    }
    char* buffer = computed[nextComputed];
    nextComputed ^= 1;
    char work[kYTextBufferSize];
    v->getText(work, sizeof work);
    copyCut(buffer, kYComputedSize, work, std::strlen(work));
    *lengthOut = static_cast<std::int32_t>(std::strlen(buffer));
    return buffer;
}

void YVariable::getDouble(double* out) {
    YVariable* v = target();
    if (v->typeTag == kYPlain || v->typeTag == kYLiteral) {
        *out = v->kind == kYInteger ? v->value.integer : v->kind == kYDouble ? v->value.number : 0.0;
        return;
    }
    char text[kYTextBufferSize];
    v->getText(text, sizeof text);
    *out = yParseNumber(text);
}

void YVariable::getInteger(std::int32_t* out) {
    YVariable* v = target();
    if (v->typeTag == kYPlain || v->typeTag == kYLiteral) {
        *out = v->kind == kYInteger ? v->value.integer : v->kind == kYDouble ? yRoundHalfDown(v->value.number) : 0;
        return;
    }
    char text[kYTextBufferSize];
    v->getText(text, sizeof text);
    *out = static_cast<std::int32_t>(std::atol(text));
}

void YVariable::getObject(OMScriptableObject** out) {
    YVariable* v = follow()->target();
    *out = v->typeTag == kYPlain && v->kind == kYObject ? v->value.object : nullptr;
}

std::int32_t YVariable::length() {
    YVariable* v = target();
    v->ensureText();
    return v->lengthField;
}
