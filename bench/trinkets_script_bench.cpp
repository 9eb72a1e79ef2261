// What scripts cost: compiling generated scripts of 10, 30 and 60 KB (time per KB, each size beside the
// smallest: a compiler that stays linear keeps the ratio near 1), and evaluating a 20-term arithmetic
// expression through script values beside the same expression in plain C++, measured in the same run.
#include <cstdio>
#include <cstring>
#include <string>

#include "YCompiler.h"
#include "YEvaluator.h"
#include "YHeap.h"
#include "YVariable.h"
#include "BenchClock.h"
#include "CannotMeasure.h"

namespace {

// Assignments with expressions, a test with a block, a counted loop and a trace line per unit.
std::string generatedScript(std::size_t size) {
    std::string text;
    char unit[256];
    for (int k = 0; text.size() < size; ++k) {
        std::snprintf(unit, sizeof unit,
                      "v%d=a%d+b*%d-c\r\nif v%d>3\r\n[\r\n say 'value number %d reached' v%d\r\n]\r\n"
                      "for i 1 4\r\n[\r\n t=t+%d\r\n]\r\n; unit %d of the generated script\r\n",
                      k, k % 97, k, k, k, k, k, k);
        if (text.size() + std::strlen(unit) > size) break;
        text += unit;
    }
    return text;
}

// Seconds per KB of compiling `text`, the best of several rounds.
double compileSecondsPerKb(const std::string& text) {
    const int rounds = 10;
    YCallStack stack;
    YCompiledScript script;
    double best = 0;
    for (int r = 0; r < rounds; ++r) {
        scriptHeap().clear();
        scriptHeap().init();
        const double start = seconds();
        if (!compileScript(text.data(), text.size(), nullptr, stack, &script)) cannotMeasure("the script did not compile");
        const double elapsed = seconds() - start;
        if (r == 0 || elapsed < best) best = elapsed;
    }
    const double kb = static_cast<double>(text.size()) / 1024.0;
    std::printf("compile %4.1f KB script: %6zu cells, %6zu operands, %5d variables, %8.3f ms, %6.1f us per KB",
                kb, script.cells.size(), script.operands.size(), scriptHeap().count, best * 1e3, best / kb * 1e6);
    return best / kb;
}

void benchCompile() {
    double smallest = 0;
    for (int kb : {10, 30, 60}) {
        const double perKb = compileSecondsPerKb(generatedScript(static_cast<std::size_t>(kb) * 1024));
        if (smallest == 0) smallest = perKb;
        std::printf("   %.2fx the 10 KB time per KB\n", perKb / smallest);
    }
}

void benchExpression() {
    scriptHeap().clear();
    scriptHeap().init();
    const double values[20] = {3, 7, 2, 9, 4, 1.5, 6, 8, 2.5, 5, 3, 7, 2, 9, 4, 1.5, 6, 8, 2.5, 5};
    for (int i = 0; i < 20; ++i) {
        char name[8], number[16];
        std::snprintf(name, sizeof name, "a%d", i);
        std::snprintf(number, sizeof number, "%g", values[i]);
        YHeap& heap = scriptHeap();
        heap.at(heap.findOrAdd(name, static_cast<std::int32_t>(std::strlen(name)), nullptr))->setText(number, -1);
    }
    const std::string text = "a0+a1*a2-a3/a4+a5*a6-a7+a8*a9-a10/a11+a12*a13-a14+a15*a16-a17+a18*a19";
    const std::int32_t entry = compileExpression(text.data(), static_cast<std::int32_t>(text.size()));
    YVariable* expression = scriptHeap().at(entry);
    const int iterations = 20000;
    char result[kYTextBufferSize] = "";
    double start = seconds();
    for (int i = 0; i < iterations; ++i) expression->getText(result, sizeof result);
    const double scripted = (seconds() - start) / iterations;

    volatile double v[20];
    for (int i = 0; i < 20; ++i) v[i] = values[i];
    volatile double sink = 0;
    const int plainIterations = 2000000;
    start = seconds();
    for (int i = 0; i < plainIterations; ++i) {
        sink = v[0] + v[1] * v[2] - v[3] / v[4] + v[5] * v[6] - v[7] + v[8] * v[9] - v[10] / v[11] + v[12] * v[13] -
               v[14] + v[15] * v[16] - v[17] + v[18] * v[19];
    }
    const double plain = (seconds() - start) / plainIterations;
    std::printf("20-term expression = %s (plain C++ %.15g)\n", result, static_cast<double>(sink));
    std::printf("  script values %.3f us, plain C++ %.4f us, ratio %.0f\n", scripted * 1e6, plain * 1e6, scripted / plain);
}

}  // namespace

int main() {
    benchCompile();
    benchExpression();
    return 0;
}
