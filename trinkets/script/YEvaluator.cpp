// Evaluation of compiled expressions: prefix code over operand indices, with the operator table.
//
// The code lists an operator before its operands, the right operand first:
//   'z'       the integer 0
//   't'       the next operand: the heap variable of the last index not yet consumed
//   's' op    A = one sub-expression (right); for '~' and '$' op(A), else B = another (left), B op A
// a-b*c with the terms a, b, c reads "s-s*ttt": the first 't' takes c, the second b, the third a.
//
// Operands and results are YValues on the stack of the recursion: numbers stay numbers, and a text is
// read or made only where an operator, '$' or the reader needs it.
#include "YEvaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "YCompiler.h"
#include "YHeap.h"
#include "YValue.h"
#include "YVariable.h"

namespace {

// Evaluations nest when "$" reads a text as an expression; one read of an expression evaluates at most
// kMaxEvaluations expressions, nested ones included, since texts that "$" reads as naming themselves
// several times over would otherwise multiply the work at every level.
constexpr int kMaxDollarDepth = 16;
constexpr int kMaxEvaluations = 256;
int nesting = 0;
int evaluations = 0;

bool isUnary(char op) { return op == '~' || op == '$'; }

bool isBinary(char op) { return op != '\0' && std::strchr("+-*/\\%^=#><@!", op) != nullptr; }

// Parses one sub-expression of code from *p; counts the operands it consumes.
bool parseCode(const char** p, std::int32_t* terms, int depth) {
    if (depth > 128) return false;
    const char c = *(*p)++;
    if (c == 'z') return true;
    if (c == 't') return ++*terms, true;
    if (c != 's') return false;
    const char op = *(*p)++;
    if (isUnary(op)) return parseCode(p, terms, depth + 1);
    return isBinary(op) && parseCode(p, terms, depth + 1) && parseCode(p, terms, depth + 1);
}

std::int32_t truncated(double d) {
    const double t = std::trunc(d);
    if (!(t > -2147483648.0)) return INT32_MIN;
    if (t > 2147483647.0) return INT32_MAX;
    return static_cast<std::int32_t>(t);
}

int compareBytes(const char* a, std::int32_t la, const char* b, std::int32_t lb) {
    const int c = std::memcmp(a, b, static_cast<std::size_t>(la < lb ? la : lb));
    if (c != 0) return c;
    return la < lb ? -1 : la > lb ? 1 : 0;
}

}  // namespace

bool YEvaluator::validCode(const char* code, std::int32_t terms) {
    std::int32_t counted = 0;
    const char* p = code;
    return parseCode(&p, &counted, 0) && *p == '\0' && counted == terms;
}

std::int32_t YEvaluator::evaluate(YVariable* e, YValue* result) {
    if (!e->validExpressionCode()) return kYErrorUnbalanced;
    const char* code = e->valueText ? e->valueText : "";
    if (nesting == 0) evaluations = 0;
    if (++evaluations > kMaxEvaluations) return kYErrorTooLong;
    YEvaluator evaluator(code, e->indices, e->lengthField);
    ++nesting;
    evaluator.run(result);
    --nesting;
    return evaluator.error_;
}

void YEvaluator::textOf(YVariable* e, char* buffer, std::size_t size) {
    YValue result;
    const std::int32_t error = evaluate(e, &result);
    yErrorCode() = error;
    const std::string_view text = error == 0 ? result.text() : std::string_view(e->name);
    copyCut(buffer, size, text.data(), text.size());
}

// textPointer of an expression reads its text cut to a computed text's 127 characters and ended at its
// first NUL; a value whose text needs no cut is handed over with the number already read from it.
void YEvaluator::assignTo(YVariable* e, YVariable* destination) {
    YValue result;
    const std::int32_t error = evaluate(e, &result);
    yErrorCode() = error;
    if (error == 0 && result.textFromNumber()) return destination->setValue(result);
    const std::string_view text = error == 0 ? result.text() : std::string_view(e->name);
    const std::size_t cut = std::min(text.size(), kYComputedSize - 1);
    const char* nul = static_cast<const char*>(std::memchr(text.data(), '\0', cut));
    const std::size_t length = nul ? static_cast<std::size_t>(nul - text.data()) : cut;
    if (error == 0 && length == text.size()) return destination->setValue(result);
    destination->setText(text.data(), static_cast<std::int32_t>(length));
}

void YEvaluator::run(YValue* out) {
    const char c = *code_++;
    if (c == 'z') return out->setInteger(0);
    if (c == 't') {
        YVariable* operand = remaining_ > 0 ? scriptHeap().at(terms_[--remaining_]) : nullptr;
        if (!operand) return fail(kYErrorUnbalanced);
        return out->readOperand(operand);
    }
    const char op = *code_++;
    YValue right;
    run(&right);
    if (isUnary(op)) return apply(op, nullptr, &right, out);
    YValue left;
    run(&left);
    apply(op, &left, &right, out);
}

void YEvaluator::apply(char op, YValue* left, YValue* right, YValue* out) {
    if (error_ != 0) return;
    if (op == '~') return out->setInteger(static_cast<std::int32_t>(right->text().size()));
    if (op == '$') return reEvaluate(right, out);
    if (op == '!' || (left->kind() == kYObject && right->kind() == kYObject)) return out->setInteger(0);
    if (left->isNumber() && right->isNumber() && op != '@' && arithmetic(op, left->number(), right->number(), out))
        return;
    textual(op, left, right, out);
}

// The numeric column of the operator table; false for '@' and for no operator (text rules apply).
bool YEvaluator::arithmetic(char op, double l, double r, YValue* out) {
    switch (op) {
    case '+': out->setDouble(l + r); return true;
    case '-': out->setDouble(l - r); return true;
    case '*': out->setDouble(l * r); return true;
    case '/':
        if (r * r < 0.00000001) fail(kYErrorDomain);
        else out->setDouble(l / r);
        return true;
    case '\\':
    case '%': {
        const std::int64_t a = truncated(l), b = truncated(r);
        if (b == 0) fail(kYErrorDivideByZero);
        else out->setInteger(static_cast<std::int32_t>(op == '%' ? a % b : a / b));
        return true;
    }
    case '^':
        if (l < 0 && r != std::trunc(r)) fail(kYErrorDomain);
        else out->setDouble(std::pow(l, r));
        return true;
    case '=': out->setInteger(l == r); return true;
    case '#': out->setInteger(l != r); return true;
    case '>': out->setInteger(l > r); return true;
    case '<': out->setInteger(l < r); return true;
    default: return false;
    }
}

void YEvaluator::textual(char op, YValue* left, YValue* right, YValue* out) {
    const std::string_view l = left->text();
    const std::string_view r = right->text();
    const auto ll = static_cast<std::int32_t>(l.size()), rl = static_cast<std::int32_t>(r.size());
    switch (op) {
    case '+': {
        if (ll + rl >= static_cast<std::int32_t>(kYComputedSize)) return fail(kYErrorTooLong);
        char joined[kYComputedSize];
        std::memcpy(joined, l.data(), l.size());
        std::memcpy(joined + l.size(), r.data(), r.size());
        return out->setText(joined, ll + rl);
    }
    case '=': return out->setInteger(l == r);
    case '#': return out->setInteger(l != r);
    case '>': return out->setInteger(compareBytes(l.data(), ll, r.data(), rl) > 0);
    case '<': return out->setInteger(compareBytes(l.data(), ll, r.data(), rl) < 0);
    case '@': {
        const std::size_t at = r.find(l);
        return out->setInteger(at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at) + 1);
    }
    default: return fail(kYErrorNotNumber);
    }
}

// '$': the operand's text read as an expression; a text with an operator evaluates through its own
// expression entry, a single term reads as that variable.
void YEvaluator::reEvaluate(YValue* operand, YValue* out) {
    // A text that reads itself again ($e with e holding "$e") ends after a few rounds.
    if (nesting > kMaxDollarDepth) return fail(kYErrorTooLong);
    const std::string text(operand->text());
    const auto length = static_cast<std::int32_t>(text.size());
    const std::int32_t saved = yErrorCode();
    const std::int32_t index = compileExpression(text.c_str(), length);
    yErrorCode() = saved;
    YVariable* entry = index >= 0 ? scriptHeap().at(index) : nullptr;
    if (!entry) return out->setText("", 0);
    char result[kYTextBufferSize];
    entry->getText(result, sizeof result);
    yErrorCode() = saved;
    out->setText(result, static_cast<std::int32_t>(std::strlen(result)));
}
