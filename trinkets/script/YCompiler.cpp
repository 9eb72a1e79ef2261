// The one-pass script compiler: statements to code cells, words to heap indices, blocks closed by patching.
//
// Cells by statement (P = the statement's first cell, E = the cell after its body):
//   if x      P:12 test  P+1:10 jump-if-false      body  13          (the 10 jumps behind the 13)
//   else      P:17 -> 13, and the 13 closing the if becomes 11 -> E
//   for ...   P:8 set-up  P+1:9 step  P+2:10 exit   body  11 -> P+1   (break -1, continue -2 patched)
//   procedure P:7                                   body  15 return
// Every other keyword emits one cell of its code; an assignment 18; any other line 21.
#include "YCompiler.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "OMAlert.h"
#include "YEvaluator.h"
#include "YHeap.h"
#include "YVariable.h"

namespace {

constexpr unsigned kAlertFlags = 0x3000;
const char kInclude[] = "include ";

// An included file being compiled: where its includer resumes.
struct IncludeThreadStack {
    std::string text;
    std::size_t offset;
};

bool isBlank(unsigned char c) { return c < 33 || c >= 127; }

bool takesProcedureReferences(std::int32_t code) {
    return code == kKeyProcedure || code == kOpCall || code == kOpSet || code == kOpSchedule || code == kOpIdle;
}
bool endsWord(unsigned char c) { return c <= 32 || c >= 127; }

class Compiler {
public:
    Compiler(const char* text, std::size_t size, YSourceLoader loader, YCallStack& stack, YCompiledScript* out)
        : source_(text, size), loader_(loader), stack_(stack), out_(out) {
        source_ += '\r';
    }
    bool run();

private:
    unsigned char at(std::size_t i) const { return i < source_.size() ? static_cast<unsigned char>(source_[i]) : 0; }
    bool failed() const { return yErrorCode() != 0; }
    void fail(std::int32_t code) {
        if (!failed()) yErrorCode() = code;
    }

    bool statement();
    bool block();
    bool assignment(const std::string& name);
    bool keyword(const YKeyword& key);
    void close(std::int32_t p);
    void closeFor(std::int32_t p);
    void closeElse(std::int32_t p);
    bool include();
    bool resumeInclude();

    bool readWord(bool assignMode, std::string* word) { return readWordFrom(cursor_, assignMode, word); }
    bool readWordFrom(std::size_t scanStart, bool assignMode, std::string* word);
    bool nextOperandWord(std::string* word);
    void operands();
    void listInitialiser(std::int32_t variable);
    void emit(std::int32_t opcode, std::int32_t operand);
    void pushOperand(std::int32_t index);
    std::int32_t operandWord(const std::string& word);
    const YKeyword* findKeyword(const std::string& word) const;
    void report();

    std::string source_;
    YSourceLoader loader_;
    YCallStack& stack_;
    YCompiledScript* out_;
    std::vector<IncludeThreadStack> includes_;
    std::size_t cursor_ = 0;
    std::size_t tokenStart_ = 0;
    std::int32_t blockDepth_ = 0;
    std::int32_t forDepth_ = 0;
    std::int32_t lastIfClose_ = -1;
    // Set while reading the operands of the statements that take procedure references.
    bool procedureOperands_ = false;
};

bool Compiler::run() {
    yErrorCode() = 0;
    const std::int32_t baseDepth = stack_.depth();
    out_->cells.clear();
    out_->operands = {0, 1, 2};
    while (statement()) {}
    includes_.clear();
    if (failed()) {
        report();
        stack_.setDepth(baseDepth);
        out_->cells.clear();
        out_->operands.clear();
        return false;
    }
    out_->cells.push_back({kOpEnd, 0});
    return true;
}

// "%ld: " and the source at the last token; the number is the count of line ends before the token in
// the file being read.
void Compiler::report() {
    const std::size_t token = std::min(tokenStart_, source_.size());
    const long line = static_cast<long>(std::count(source_.begin(), source_.begin() + static_cast<std::ptrdiff_t>(token), '\r'));
    char message[80];
    std::snprintf(message, sizeof message, "%ld: %.50s", line, source_.c_str() + token);
    omAlert(message, kAlertFlags, "");
}

// One statement; false at a "]", at the end of the text and after an error.
bool Compiler::statement() {
    for (;;) {
        if (failed()) return false;
        while (at(cursor_) != 0 && isBlank(at(cursor_))) ++cursor_;
        const unsigned char c = at(cursor_);
        if (c == 0) {
            if (resumeInclude()) continue;
            return false;
        }
        if (source_.compare(cursor_, sizeof kInclude - 1, kInclude) == 0) {
            if (!include()) return false;
            continue;
        }
        if (c == ';') {
            while (at(cursor_) != 0 && at(cursor_) != '\r') ++cursor_;
            continue;
        }
        if (c == '[' || c == ']') tokenStart_ = cursor_;
        if (c == '[') {
            ++cursor_;
            return block();
        }
        if (c == ']') {
            ++cursor_;
            return false;
        }
        std::string word;
        if (!readWord(true, &word)) return false;
        if (at(cursor_) == '=') return assignment(word);
        if (const YKeyword* key = findKeyword(word)) return keyword(*key);
        emit(kOpFunction, static_cast<std::int32_t>(out_->operands.size()));
        cursor_ = tokenStart_;
        operands();
        return failed() ? false : true;
    }
}

// "[" statements "]": one statement wherever one is expected; the end of the text also closes it.
bool Compiler::block() {
    if (++blockDepth_ > kYMaxBlockDepth) {
        fail(kYErrorLimit);
        return false;
    }
    while (statement()) {}
    --blockDepth_;
    return failed() ? false : true;
}

bool Compiler::assignment(const std::string& name) {
    if (name.empty()) {
        fail(kYErrorStructure);
        return false;
    }
    YHeap& heap = scriptHeap();
    const std::int32_t variable = heap.findOrAdd(name.data(), static_cast<std::int32_t>(name.size()), nullptr);
    if (variable > kYHeapLimit || !heap.at(variable)) {
        fail(kYErrorLimit);
        return false;
    }
    ++cursor_;
    if (at(cursor_) == '[') {
        ++cursor_;
        listInitialiser(variable);
        return failed() ? false : true;
    }
    if (at(cursor_) == '&') {
        ++cursor_;
        heap.at(variable)->mark = kYBorrows;
    }
    emit(kOpAssign, static_cast<std::int32_t>(out_->operands.size()));
    pushOperand(variable);
    operands();
    return failed() ? false : true;
}

// x=[a b c: the next members of x receive the texts of the words, at compile time.
void Compiler::listInitialiser(std::int32_t variable) {
    YHeap& heap = scriptHeap();
    std::string word;
    while (!failed() && nextOperandWord(&word)) {
        const std::int32_t source = heap.findOrAdd(word.data(), static_cast<std::int32_t>(word.size()), nullptr);
        const std::int32_t member = heap.addMember(variable);
        if (source > kYHeapLimit || member > kYHeapLimit || !heap.at(source) || !heap.at(member)) return fail(kYErrorLimit);
        std::int32_t length = 0;
        const char* text = heap.at(source)->textPointer(&length);
        const std::string copy(text, static_cast<std::size_t>(length));
        heap.at(member)->setText(copy.c_str(), length);
    }
}

bool Compiler::keyword(const YKeyword& key) {
    const auto p = static_cast<std::int32_t>(out_->cells.size());
    if (!stack_.push(static_cast<std::uint16_t>(p))) {
        fail(kYErrorLimit);
        return false;
    }
    const auto list = static_cast<std::int32_t>(out_->operands.size());
    switch (key.code) {
    case kKeyIf: emit(kOpTest, list); emit(kOpJumpIfFalse, list); break;
    case kKeyFor: emit(kOpForSetUp, list); emit(kOpForStep, list); emit(kOpJumpIfFalse, list); break;
    case kKeyProcedure: emit(kOpProcedure, list); break;
    case kKeyBreak:
    case kKeyContinue:
        if (forDepth_ == 0) fail(kYErrorStructure);
        emit(kOpJump, key.code == kKeyBreak ? -1 : -2);
        break;
    case kKeyElse:
        if (lastIfClose_ < 0 || lastIfClose_ != p - 1) fail(kYErrorStructure);
        emit(key.code, list);
        break;
    default: emit(key.code, list); break;
    }
    procedureOperands_ = takesProcedureReferences(key.code);
    operands();
    procedureOperands_ = false;
    if (key.code == kKeyProcedure && !failed() && out_->operands[static_cast<std::size_t>(list)] >= 0) {
        char reference[16];
        std::snprintf(reference, sizeof reference, "+%d", static_cast<int>(p));
        scriptHeap().at(out_->operands[static_cast<std::size_t>(list)])->follow()->setText(reference, -1);
    }
    const bool hasBody = key.code == kKeyIf || key.code == kKeyFor || key.code == kKeyProcedure || key.code == kKeyElse;
    // The body is the next statement; at a "]" or the end of the text it is empty.
    if (hasBody && !failed()) {
        forDepth_ += key.code == kKeyFor;
        statement();
        forDepth_ -= key.code == kKeyFor;
    }
    if (failed()) return false;
    std::uint16_t opened = 0;
    if (!stack_.pop(&opened)) {
        fail(kYErrorStructure);
        return false;
    }
    close(opened);
    return failed() ? false : true;
}

void Compiler::close(std::int32_t p) {
    std::vector<YCell>& cells = out_->cells;
    const std::int32_t opcode = cells[static_cast<std::size_t>(p)].opcode;
    if (opcode == kOpProcedure) emit(kOpReturn, 0);
    if (opcode == kOpForSetUp) closeFor(p);
    if (opcode == kKeyElse) closeElse(p);
    if (opcode != kOpTest) return;
    emit(kOpNothing, 0);
    lastIfClose_ = static_cast<std::int32_t>(cells.size()) - 1;
    cells[static_cast<std::size_t>(p) + 1].operand = static_cast<std::int16_t>(cells.size());
}

void Compiler::closeFor(std::int32_t p) {
    std::vector<YCell>& cells = out_->cells;
    const auto jump = static_cast<std::int32_t>(cells.size());
    emit(kOpJump, p + 1);
    const auto after = static_cast<std::int16_t>(jump + 1);
    for (std::int32_t i = p + 3; i < jump; ++i) {
        YCell& cell = cells[static_cast<std::size_t>(i)];
        if (cell.opcode != kOpJump) continue;
        if (cell.operand == -2) cell.operand = static_cast<std::int16_t>(p + 1);
        if (cell.operand == -1) cell.operand = after;
    }
    cells[static_cast<std::size_t>(p) + 2].operand = after;
}

void Compiler::closeElse(std::int32_t p) {
    std::vector<YCell>& cells = out_->cells;
    cells[static_cast<std::size_t>(p)].opcode = kOpNothing;
    cells[static_cast<std::size_t>(p) - 1] = {kOpJump, static_cast<std::int16_t>(cells.size())};
    lastIfClose_ = -1;
}

// "include name": the named file is compiled in place; its includer resumes behind the name.
bool Compiler::include() {
    cursor_ += sizeof kInclude - 1;
    std::string name;
    if (!readWord(false, &name)) return false;
    std::string text;
    if (name.empty() || includes_.size() >= static_cast<std::size_t>(kYMaxIncludeDepth) || !loader_ ||
        !loader_(name.c_str(), &text)) {
        fail(kYErrorInclude);
        return false;
    }
    includes_.push_back({std::move(source_), cursor_});
    source_ = std::move(text);
    source_ += '\r';
    cursor_ = 0;
    return true;
}

bool Compiler::resumeInclude() {
    if (includes_.empty()) return false;
    IncludeThreadStack& includer = includes_.back();
    source_ = std::move(includer.text);
    cursor_ = includer.offset;
    includes_.pop_back();
    return true;
}

// Reads one word; "=" also ends it in assignment mode. A line end inside quotes is an open quote.
bool Compiler::readWordFrom(std::size_t scanStart, bool assignMode, std::string* word) {
    while (at(cursor_) != 0 && at(cursor_) != '\r' && isBlank(at(cursor_))) ++cursor_;
    tokenStart_ = cursor_;
    unsigned char quote = 0;
    for (;; ++cursor_) {
        const unsigned char c = at(cursor_);
        if (quote) {
            if (c < 32) {
                char message[48];
                std::snprintf(message, sizeof message, "Unquote %.24s...", source_.c_str() + scanStart);
                omAlert(message, kAlertFlags, "");
                fail(kYErrorQuote);
                return false;
            }
            if (c == quote) quote = 0;
            continue;
        }
        if (endsWord(c) || (assignMode && c == '=')) break;
        if (c == '"' || c == '\'') quote = c;
    }
    word->assign(source_, tokenStart_, cursor_ - tokenStart_);
    return true;
}

// The next word of the line; false at the line end, the text end or a ";" comment.
bool Compiler::nextOperandWord(std::string* word) {
    const std::size_t scanStart = cursor_;
    while (at(cursor_) != 0 && at(cursor_) != '\r' && isBlank(at(cursor_))) ++cursor_;
    const unsigned char c = at(cursor_);
    if (c == 0 || c == '\r') return false;
    if (c == ';') {
        while (at(cursor_) != 0 && at(cursor_) != '\r') ++cursor_;
        return false;
    }
    return readWordFrom(scanStart, false, word);
}

void Compiler::operands() {
    std::string word;
    while (!failed() && nextOperandWord(&word)) {
        const std::int32_t index = operandWord(word);
        if (index < 0) return;
        pushOperand(index);
    }
    pushOperand(-1);
}

// A "+name" operand of procedure, call, set, schedule or idle is the procedure's own variable; anywhere
// else it is an expression like any other word ("x=+y" adds y to nothing).
std::int32_t Compiler::operandWord(const std::string& word) {
    const auto length = static_cast<std::int32_t>(word.size());
    const std::int32_t index = procedureOperands_ && yIsProcedureName(word.data(), length)
                                   ? scriptHeap().findOrAdd(word.data(), length, nullptr)
                                   : compileExpression(word.data(), length);
    if (index < 0 || index > kYHeapLimit) fail(kYErrorLimit);
    return failed() ? -1 : index;
}

void Compiler::emit(std::int32_t opcode, std::int32_t operand) {
    if (out_->cells.size() >= static_cast<std::size_t>(kYMaxCells)) return fail(kYErrorLimit);
    out_->cells.push_back({opcode, static_cast<std::int16_t>(operand)});
}

void Compiler::pushOperand(std::int32_t index) {
    if (out_->operands.size() >= static_cast<std::size_t>(kYMaxOperands)) return fail(kYErrorLimit);
    out_->operands.push_back(static_cast<std::int16_t>(index));
}

const YKeyword* Compiler::findKeyword(const std::string& word) const {
    for (const YKeyword* k = lexerContext().keywords; k->name; ++k) {
        if (word.size() == static_cast<std::size_t>(k->length) && word.compare(0, word.size(), k->name) == 0) return k;
    }
    return nullptr;
}

bool isPrefix(char op) { return op == '~' || op == '$'; }

// One expression level: the operators of the class split the text into segments (outside quotes and
// parentheses); each segment goes to the next level, then its preceding operator and "s" are appended.
//
// Read backwards, the appended codes are the prefix code that evaluation reads from its start: it reads
// one whole expression, the operand appended last, and nothing before it. So each operand's start is
// kept: an operator takes the operands it applies to, and trim() leaves only the operand read (a~b reads
// as ~b). An operator that finds too few operands is an error.
class Splitter {
public:
    void split(const char* text, std::int32_t length, int level);
    void trim();
    std::string appended;
    std::int32_t error = 0;

private:
    struct Segment {
        std::int32_t start, end;
        char before, after;
    };
    struct OperandStart {
        std::size_t code;
        std::int32_t term;
    };
    void term(const char* text, std::int32_t length);
    void operand(char code) {
        operands_.push_back({appended.size(), lexerContext().termCount});
        append(code);
    }
    void apply(char op) {
        const std::size_t taken = isPrefix(op) ? 1 : 2;
        if (operands_.size() < taken) return fail(kYErrorTwoOperators);
        if (taken == 2) operands_.pop_back();
        append(op);
        append('s');
    }
    void append(char c) {
        if (static_cast<std::int32_t>(appended.size()) >= kYMaxCodes) return fail(kYErrorTooLong);
        appended += c;
    }
    void fail(std::int32_t code) {
        if (!error) error = code;
    }
    bool scan(const char* text, std::int32_t length, const char* operators, std::vector<Segment>* segments);

    std::vector<OperandStart> operands_;
};

const char* const kLevelOperators[] = {"", "+-<>=#", "*/\\%@^!", "~$"};

bool Splitter::scan(const char* text, std::int32_t length, const char* operators, std::vector<Segment>* segments) {
    char quote = 0, before = 0;
    std::int32_t depth = 0, start = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth < 0) return fail(kYErrorUnbalanced), false;
        } else if (depth == 0 && std::strchr(operators, c)) {
            segments->push_back({start, i, before, c});
            before = c;
            start = i + 1;
        }
    }
    if (quote || depth != 0) return fail(kYErrorUnbalanced), false;
    if (start < length || segments->empty()) segments->push_back({start, length, before, 0});
    return true;
}

void Splitter::split(const char* text, std::int32_t length, int level) {
    if (error) return;
    if (level == 4) {
        if (length == 0 || text[0] != '(') return term(text, length);
        if (length < 2 || text[length - 1] != ')') return fail(kYErrorUnbalanced);
        if (length == 2) return fail(kYErrorTooLong);
        return split(text + 1, length - 2, 1);
    }
    std::vector<Segment> segments;
    if (!scan(text, length, kLevelOperators[level], &segments)) return;
    for (std::size_t i = 0; i < segments.size() && !error; ++i) {
        const Segment& p = segments[i];
        if (p.end == p.start) {
            if (i != 0) return fail(kYErrorTwoOperators);
            if (!isPrefix(p.after)) operand('z');
            continue;
        }
        split(text + p.start, p.end - p.start, level + 1);
        if (p.before) apply(p.before);
    }
}

// Drops the codes and terms that evaluation never reads; an expression without operand is empty (2).
void Splitter::trim() {
    if (error) return;
    if (operands_.empty()) return fail(kYErrorTooLong);
    const OperandStart read = operands_.back();
    appended.erase(0, read.code);
    _YCDX& context = lexerContext();
    std::copy(context.terms + read.term, context.terms + context.termCount, context.terms);
    context.termCount -= read.term;
}

void Splitter::term(const char* text, std::int32_t length) {
    _YCDX& context = lexerContext();
    if (context.termCount >= kYMaxTerms) return fail(kYErrorTooLong);
    const std::int32_t index = scriptHeap().findOrAdd(text, length, nullptr);
    if (index < 0 || index > kYHeapLimit) return fail(kYErrorLimit);
    operand('t');
    context.terms[context.termCount++] = static_cast<std::int16_t>(index);
}

}  // namespace

_YCDX::_YCDX()
    : keywords{{kKeyIf, "if", 0},        {kKeyElse, "else", 0},     {kOpCall, "call", 0},
               {kKeyFor, "for", 0},      {kKeyProcedure, "procedure", 0}, {kKeyBreak, "break", 0},
               {kKeyContinue, "continue", 0}, {kOpYield, "yield", 0}, {kOpPlay, "play", 0},
               {kOpSet, "set", 0},       {kOpGet, "get", 0},        {kOpSuspend, "suspend", 0},
               {kOpResume, "resume", 0}, {kOpDrop, "drop", 0},      {kOpSchedule, "schedule", 0},
               {kOpIdle, "idle", 0},     {kOpWait, "wait", 0},      {kOpPause, "pause", 0},
               {kOpRelay, "relay", 0},   {kOpSay, "say", 0},        {kOpExit, "exit", 0},
               {kOpDebug, "debug", 0},   {kOpQuit, "quit", 0},      {0, nullptr, 0}},
      terms{}, code{} {
    for (YKeyword* k = keywords; k->name; ++k) k->length = static_cast<std::int32_t>(std::strlen(k->name));
}

_YCDX& lexerContext() {
    static _YCDX context;
    return context;
}

std::int32_t compileExpression(const char* text, std::int32_t length) {
    _YCDX& context = lexerContext();
    context.termCount = 0;
    context.code[0] = '\0';
    Splitter splitter;
    if (length < 1 || length > kYMaxExpressionText) splitter.error = kYErrorTooLong;
    else splitter.split(text, length, 1);
    splitter.trim();
    if (splitter.error) {
        yErrorCode() = splitter.error;
        return -1;
    }
    // The codes were appended in evaluation order reversed: the finished code reads them backwards.
    std::reverse_copy(splitter.appended.begin(), splitter.appended.end(), context.code);
    context.code[splitter.appended.size()] = '\0';
    if (splitter.appended == "t") return context.terms[0];
    const std::int32_t index = scriptHeap().findOrAddTyped(text, length, kYExpression);
    if (index < 0 || index > kYHeapLimit) {
        yErrorCode() = kYErrorLimit;
        return -1;
    }
    return index;
}

const char* expressionCode() { return lexerContext().code; }
const std::int16_t* expressionTerms() { return lexerContext().terms; }
std::int32_t expressionTermCount() { return lexerContext().termCount; }

bool compileScript(const char* text, std::size_t size, YSourceLoader loader, YCallStack& stack, YCompiledScript* out) {
    Compiler compiler(text, size, loader, stack, out);
    return compiler.run();
}
