// The one-pass script compiler: script text to code cells and operand indices into the variable heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "YCallStack.h"

// One code cell: an opcode and a signed 16-bit operand (an operand-list start or a cell position).
struct YCell {
    std::int32_t opcode;
    std::int16_t operand;
};

// What a thread holds of a compiled script: the cells (the last one opcode 0) and the operand array,
// whose lists of heap indices each end with -1 and which starts with 0, 1, 2.
struct YCompiledScript {
    std::vector<YCell> cells;
    std::vector<std::int16_t> operands;
};

// Opcodes of compiled cells.
enum YOpcode : std::int32_t {
    kOpEnd = 0, kOpCall = 6, kOpProcedure = 7, kOpForSetUp = 8, kOpForStep = 9, kOpJumpIfFalse = 10,
    kOpJump = 11, kOpTest = 12, kOpNothing = 13, kOpSay = 14, kOpReturn = 15, kOpAssign = 18, kOpDrop = 19,
    kOpFunction = 21, kOpWait = 22, kOpIdle = 23, kOpSchedule = 24, kOpExit = 25, kOpSuspend = 26,
    kOpResume = 27, kOpPause = 28, kOpDebug = 29, kOpSet = 35, kOpGet = 36, kOpYield = 37, kOpPlay = 40,
    kOpRelay = 45, kOpQuit = 46
};

// Compiler-only keyword codes.
constexpr std::int32_t kKeyIf = 1;
constexpr std::int32_t kKeyFor = 2;
constexpr std::int32_t kKeyBreak = 3;
constexpr std::int32_t kKeyProcedure = 4;
constexpr std::int32_t kKeyContinue = 5;
constexpr std::int32_t kKeyElse = 17;

// Limits of one compiled script.
constexpr std::int32_t kYMaxCells = 8000;
constexpr std::int32_t kYMaxOperands = 20000;
constexpr std::int32_t kYMaxCodes = 127;
constexpr std::int32_t kYMaxTerms = 128;
constexpr std::int32_t kYMaxExpressionText = 127;
constexpr std::int32_t kYMaxBlockDepth = 2047;
constexpr std::int32_t kYMaxIncludeDepth = 16;

// Compiler error codes beside the expression codes 1-3 and the open quote 6.
constexpr std::int32_t kYErrorQuote = 6;
constexpr std::int32_t kYErrorInclude = 8;
constexpr std::int32_t kYErrorStructure = 9;
constexpr std::int32_t kYErrorLimit = 10;

struct YKeyword {
    std::int32_t code;
    const char* name;
    std::int32_t length;
};

// The lexer context: the keyword table and the buffers of expression compilation.
class _YCDX {
public:
    _YCDX();

    YKeyword keywords[24];
    std::int16_t terms[kYMaxTerms];
    std::int32_t termCount = 0;
    char code[kYMaxCodes + 1];
};

_YCDX& lexerContext();

// Reads the text of an included file; false when it cannot be read.
using YSourceLoader = bool (*)(const char* name, std::string* text);

// Compiles text (size bytes) into out, keeping open statements on stack; included files come from
// loader. The end of the text closes open blocks; a "]" outside any block ends the script there. On
// failure an alert "%ld: <source>" gives the count of line ends before the last token and the source
// there, and out is left empty.
[[nodiscard]] bool compileScript(const char* text, std::size_t size, YSourceLoader loader, YCallStack& stack,
                                 YCompiledScript* out);

// Compiles one operand text: the heap index of its single term or of its expression entry, or -1 with
// yErrorCode() set. The lexer context then holds the code and the terms.
std::int32_t compileExpression(const char* text, std::int32_t length);
const char* expressionCode();
const std::int16_t* expressionTerms();
std::int32_t expressionTermCount();
