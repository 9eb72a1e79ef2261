// What a script thread costs: statements per second of a counted loop of assignments, arithmetic and a
// verb call, run by one thread in run mode within a single pass. trinkets_threads_bench.sh runs the same
// loop in Lua 5.4 natively beside it and prints the ratio.
#include <cstdio>
#include <fstream>

#include "BenchClock.h"
#include "OMSR.h"
#include "OMScriptableObject.h"
#include "YThread.h"

namespace {

constexpr int kOuter = 10;
constexpr int kInner = 30000;
// Per inner pass: the loop step, two assignments and the verb call.
constexpr int kStatementsPerPass = 4;

// A scriptable object whose verb only counts.
class RCounterBench : public OMScriptableObject {
public:
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override {
        const OMLinkToObj<RCounterBench> touch(this, &RCounterBench::touch);
        addMethodProperty("touch", &touch);
    }
    long touched = 0;

private:
    void touch() { ++touched; }
};

OMScriptableObject* makeCounter() { return new RCounterBench; }
OMSR counterClass{"RCounterBench", makeCounter};

}  // namespace

int main() {
    {
        std::ofstream out("bench_loop.mps", std::ios::binary);
        out << "yield run\r\nn=0\r\no=RCounterBench\r\nfor j 1 " << kOuter << "\r\n[\r\n for i 1 " << kInner
            << "\r\n [\r\n  a=i+1\r\n  n=n+a\r\n  play o touch\r\n ]\r\n]\r\nsay n\r\n";
    }
    YThread thread("bench_loop.mps", nullptr);
    thread.running = 1;
    const double start = seconds();
    scriptTick();
    const double elapsed = seconds() - start;
    const double statements = static_cast<double>(kOuter) * kInner * kStatementsPerPass;
    std::printf("script thread: %.0f statements in %.3f s = %.0f statements/s\n", statements, elapsed,
                statements / elapsed);
    std::remove("bench_loop.mps");
    std::remove("debug.txt");
    return 0;
}
