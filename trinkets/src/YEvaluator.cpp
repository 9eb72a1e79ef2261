// Evaluation of compiled expressions: prefix code over operand indices, with the operator table.
//
// The code lists an operator before its operands, the right operand first:
//   'z'       the integer 0
//   't'       the next operand: the heap variable of the last index not yet consumed
//   's' op    A = one sub-expression (right); for '~' and '$' op(A), else B = another (left), B op A
// a-b*c with the terms a, b, c reads "s-s*ttt": the first 't' takes c, the second b, the third a.
#include "YEvaluator.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "YCompiler.h"
#include "YHeap.h"
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

// A temporary operand: plain, unnamed, borrowing any object it is given.
struct Temporary {
    Temporary() : v("", 0, nullptr) { v.mark = kYBorrows; }
    YVariable v;
};

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

std::int32_t YEvaluator::evaluate(YVariable* e, YVariable* result) {
    const char* code = e->valueText ? e->valueText : "";
    if (!validCode(code, e->lengthField)) return kYErrorUnbalanced;
    if (nesting == 0) evaluations = 0;
    if (++evaluations > kMaxEvaluations) return kYErrorTooLong;
    YEvaluator evaluator(code, e->indices, e->lengthField);
    ++nesting;
    evaluator.run(result);
    --nesting;
    return evaluator.error_;
}

void YEvaluator::textOf(YVariable* e, char* buffer, std::size_t size) {
    Temporary result;
    const std::int32_t error = evaluate(e, &result.v);
    yErrorCode() = error;
    const char* text = e->name;
    std::int32_t length = static_cast<std::int32_t>(std::strlen(e->name));
    if (error == 0) text = result.v.textPointer(&length);
    copyCut(buffer, size, text, static_cast<std::size_t>(length));
}

void YEvaluator::run(YVariable* out) {
    const char c = *code_++;
    if (c == 'z') return out->setInteger(0);
    if (c == 't') {
        YVariable* operand = remaining_ > 0 ? scriptHeap().at(terms_[--remaining_]) : nullptr;
        if (!operand) return fail(kYErrorUnbalanced);
        return out->assign(operand);
    }
    const char op = *code_++;
    Temporary right;
    run(&right.v);
    if (isUnary(op)) return apply(op, nullptr, &right.v, out);
    Temporary left;
    run(&left.v);
    apply(op, &left.v, &right.v, out);
}

void YEvaluator::apply(char op, YVariable* left, YVariable* right, YVariable* out) {
    if (error_ != 0) return;
    if (op == '~') {
        std::int32_t length = 0;
        right->textPointer(&length);
        return out->setInteger(length);
    }
    if (op == '$') return reEvaluate(right, out);
    if (op == '!' || (left->kind == kYObject && right->kind == kYObject)) return out->setInteger(0);
    if (left->isNumber() && right->isNumber() && op != '@') {
        double l = 0.0, r = 0.0;
        left->getDouble(&l);
        right->getDouble(&r);
        if (arithmetic(op, l, r, out)) return;
    }
    textual(op, left, right, out);
}

// The numeric column of the operator table; false for '@' and for no operator (text rules apply).
bool YEvaluator::arithmetic(char op, double l, double r, YVariable* out) {
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

void YEvaluator::textual(char op, YVariable* left, YVariable* right, YVariable* out) {
    std::int32_t ll = 0, rl = 0;
    const std::string l = [&] { const char* t = left->textPointer(&ll); return std::string(t, static_cast<std::size_t>(ll)); }();
    const char* r = right->textPointer(&rl);
    switch (op) {
    case '+': {
        if (ll + rl >= static_cast<std::int32_t>(kYComputedSize)) return fail(kYErrorTooLong);
        const std::string joined = l + std::string(r, static_cast<std::size_t>(rl));
        return out->setText(joined.c_str(), static_cast<std::int32_t>(joined.size()));
    }
    case '=': return out->setInteger(ll == rl && std::memcmp(l.data(), r, static_cast<std::size_t>(ll)) == 0);
    case '#': return out->setInteger(ll != rl || std::memcmp(l.data(), r, static_cast<std::size_t>(ll)) != 0);
    case '>': return out->setInteger(compareBytes(l.data(), ll, r, rl) > 0);
    case '<': return out->setInteger(compareBytes(l.data(), ll, r, rl) < 0);
    case '@': {
        const std::string haystack(r, static_cast<std::size_t>(rl));
        const std::size_t at = haystack.find(l);
        return out->setInteger(at == std::string::npos ? 0 : static_cast<std::int32_t>(at) + 1);
    }
    default: return fail(kYErrorNotNumber);
    }
}

// '$': the operand's text read as an expression; a text with an operator evaluates through its own
// expression entry, a single term reads as that variable.
void YEvaluator::reEvaluate(YVariable* operand, YVariable* out) {
    // A text that reads itself again ($e with e holding "$e") ends after a few rounds.
    if (nesting > kMaxDollarDepth) return fail(kYErrorTooLong);
    std::int32_t length = 0;
    const char* t = operand->textPointer(&length);
    const std::string text(t, static_cast<std::size_t>(length));
    const std::int32_t saved = yErrorCode();
    const std::int32_t index = compileExpression(text.c_str(), length);
    yErrorCode() = saved;
    YVariable* entry = index >= 0 ? scriptHeap().at(index) : nullptr;
    if (!entry) return out->setText("", 0);
    char result[kYTextBufferSize];
    entry->getText(result, sizeof result);
    yErrorCode() = saved;
    out->setText(result, -1);
}
