// The one global call-parameter list: callers push texts, callees rewind and pop them in order.
#pragma once

#include <memory>

// Ends the argument list of the variadic entry points: any text whose first character has code 1.
constexpr const char* kParameterEnd = "\x01";

// True for the terminator (and for a null text, which also ends a list).
bool isParameterEnd(const char* text);

// One call parameter: an owned copy of its text.
class OMSParameter {
public:
    explicit OMSParameter(const char* value);
    const char* text() const { return text_.get(); }

private:
    std::unique_ptr<char[]> text_;
};

// Deletes every parameter; the cursor is not moved (callers rewind before anyone pops).
void clearParameters();
// Appends a copy of text; a null text is refused (false, nothing added).
[[nodiscard]] bool pushParameter(const char* text);
// Puts the cursor on the first parameter.
void rewindParameters();
// The text under the cursor, then moves on; past the end: an empty text, never null.
const char* popParameter();

// Creates the list and its cursor when they do not exist; frees them (with every parameter).
void createParameterList();
void destroyParameterList();
