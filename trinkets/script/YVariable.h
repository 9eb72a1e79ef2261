// The script value: a named variable, literal, member or substring reference or compiled expression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class OMScriptableObject;
class YValue;

// Type tags: what a variable's name is.
constexpr std::int32_t kYPlain = 0;
constexpr std::int32_t kYLiteral = 1;
constexpr std::int32_t kYMember = 2;
constexpr std::int32_t kYSubstring = 3;
constexpr std::int32_t kYExpression = 4;
constexpr std::int32_t kYUntyped = 5;

// Value kinds.
constexpr std::int32_t kYNone = 0;
constexpr std::int32_t kYObject = 1;
constexpr std::int32_t kYString = 2;
constexpr std::int32_t kYInteger = 3;
constexpr std::int32_t kYDouble = 4;

// Reference marks: a plain variable owns its object, a borrowing one does not, an alias stands for the
// heap variable named by its heap index.
constexpr std::int32_t kYOwns = 0;
constexpr std::int32_t kYBorrows = 1;
constexpr std::int32_t kYAlias = -1;

// Computed texts (member, substring and expression results) hold at most 127 characters; callers of
// getText give a buffer of kYTextBufferSize bytes.
constexpr std::size_t kYComputedSize = 128;
constexpr std::size_t kYTextBufferSize = 132;
// The index that marks the empty start of a substring reference.
constexpr std::uint16_t kYEmptyStart = 65535;
// Value texts shorter than this are kept inside the variable; every number's text fits.
constexpr std::size_t kYShortText = 24;

class YVariable {
public:
    // Classifies the name, then gives a plain variable initialText (null: no value).
    YVariable(const char* name, std::int32_t nameLength, const char* initialText);
    // A variable of the given tag; an expression takes the compiler's current code and terms.
    YVariable(const char* name, std::int32_t nameLength, std::int32_t tag);
    // The empty record that a binary record is read into: no name, borrowing, plain, kind string.
    YVariable();
    YVariable(const YVariable&) = delete;
    YVariable& operator=(const YVariable&) = delete;
    ~YVariable();

    void setText(const char* text, std::int32_t length);
    // setText of the text form of a number ("%ld", "%.15g"), without reading the text back where that
    // gives the number itself: every integer, and integral doubles below 1e15.
    void setIntegerText(std::int32_t n);
    void setDoubleText(double d);
    // setText of value's text form, taking over the number the value has already read from it.
    void setValue(YValue& value);
    void setInteger(std::int32_t n);
    void setDouble(double d);
    void setObject(OMScriptableObject* object);
    void assign(YVariable* source);
    void resetValue(std::int32_t deleteOwned);

    // Writes the text form into buffer (size bytes, cut to fit); returns 0, the heap index of the
    // variable a member reference reads, or minus the length for the random literal.
    std::int32_t getText(char* buffer, std::size_t size);
    const char* textPointer(std::int32_t* lengthOut);
    // The same; ownStorage tells whether the text lives in the variable (its value text or name) rather
    // than in the shared buffers of computed texts, which two further computations overwrite.
    const char* textPointer(std::int32_t* lengthOut, bool* ownStorage);
    void getDouble(double* out);
    void getInteger(std::int32_t* out);
    void getObject(OMScriptableObject** out);
    std::int32_t length();
    std::int32_t isSet() const { return kind != kYNone ? 1 : 0; }
    std::int32_t isUnset() const { return kind == kYNone ? 1 : 0; }

    // The variable an alias stands for (itself otherwise).
    YVariable* target() { return isAlias() ? aliasTarget() : this; }
    // The heap variable a member reference reads (itself otherwise).
    YVariable* follow() { return typeTag == kYMember ? memberVariable() : this; }

    // A number's text is made when it is first read; this makes it now (before the fields are read).
    void ensureText();
    // Whether the text is still to be made from the number.
    bool textPending() const { return textPending_; }
    // Whether an expression's code is well formed for its operands (checked once, then remembered).
    bool validExpressionCode();
    // For an expression: gives destination the text form that textPointer reads, evaluating only once.
    void giveExpressionValue(YVariable* destination);
    // Before a binary record is read into the variable: the text is made, and what was derived from
    // the fields is forgotten.
    void startLoading();
    // A loaded value text (length characters), replacing the old one.
    void loadValueText(const char* text, std::size_t length);

    std::int32_t lengthField = -1;
    char* name = nullptr;
    char* valueText = nullptr;
    std::int32_t mark = kYOwns;
    std::int32_t heapIndex = 0;
    std::int32_t highestMember = 0;
    std::int32_t typeTag = kYUntyped;
    std::int32_t kind = kYNone;
    union {
        std::int32_t integer;
        double number;
        OMScriptableObject* object;
    } value{};
    std::int16_t* indices = nullptr;
    // Whether kind and value are what the text form reads as a number: set from a text, or set as a
    // number whose text is made from it. A loaded record's number and text may disagree.
    bool numberIsText = false;

private:
    bool startRead();
    void endRead();
    std::int32_t readText(char* buffer, std::size_t size);
    void classify();
    void classifySubstring(const char* bar);
    bool classifyMembers();
    void storeText(const char* text, std::int32_t length);
    void storeNumberText(double d);
    void keepText(const char* text, std::int32_t length);
    void dropText();
    void regenerateText();
    void normalise();
    bool isAlias() const { return mark == kYAlias && heapIndex > 0; }
    YVariable* aliasTarget();
    YVariable* memberVariable();
    std::int32_t memberText(char* buffer, std::size_t size);
    void substringText(char* buffer, std::size_t size);
    void literalText(char* buffer, std::size_t size, std::int32_t* result);
    bool isNumber() const { return kind == kYInteger || kind == kYDouble; }

    bool textPending_ = false;
    // Whether a read of this variable's text is under way (see getText).
    bool reading_ = false;
    bool codeChecked_ = false;
    bool codeValid_ = false;
    char shortText_[kYShortText] = {};
};

// The last expression or compiler error code (0 = none).
std::int32_t& yErrorCode();
// The random digit source of the "?" literal; tests install their own.
using YRandomSource = int (*)();
void ySetRandomSource(YRandomSource source);

// True for the characters that make a word a number: a digit, '.', '-' or '+'.
bool yStartsNumber(char c);
// A name such as +name: the conventional name of a procedure, one plain variable (not zero plus name).
bool yIsProcedureName(const char* text, std::int32_t length);
// Copies length characters into buffer (size bytes), cutting to fit, and terminates.
void copyCut(char* buffer, std::size_t size, const char* text, std::size_t length);
// Rounds to the nearer integer with an exact half going down; clamps to the 32-bit range.
std::int32_t yRoundHalfDown(double d);
// "%lf" of a text; a text that does not parse gives 0.0.
double yParseNumber(const char* text);
// Whether a double read from a text of textLength characters (-1: no text) becomes an integer: integral,
// within two thousand million, and (for a text) at most 10 characters long.
bool yBecomesInteger(double d, std::int32_t textLength);
// The text forms of numbers, "%ld" and "%.15g", written with their terminating zero; the length.
int yIntegerText(char* out, std::int32_t n);
int yDoubleText(char* out, std::size_t size, double d);

// Binary records (see YRecord.cpp).
[[nodiscard]] bool saveVariable(YVariable* variable, std::FILE* file);
[[nodiscard]] bool loadVariable(YVariable* variable, std::FILE* file, std::int32_t swap);
[[nodiscard]] bool loadVariableFromMemory(YVariable* variable, const std::uint8_t** cursor,
                                          const std::uint8_t* end, std::int32_t swap);
void swapBytes16(void* p);
void swapBytes16Array(void* p, std::int32_t count);
void swapBytes32Array(void* p, std::int32_t count);
