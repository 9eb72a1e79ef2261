// Script tests' world: a fresh heap, recorded alerts, record and image byte builders, a counted scriptable object.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "OMAlert.h"
#include "OMScriptableObject.h"
#include "YCompiler.h"
#include "YHeap.h"
#include "YVariable.h"

using Bytes = std::vector<std::uint8_t>;

// Fields in little-endian (or, with big set, big-endian) order.
struct Fields {
    bool big = false;
    Bytes b;
    Fields& u8(std::uint8_t v) { return b.push_back(v), *this; }
    Fields& u16(std::uint16_t v) { return big ? u8(v >> 8).u8(v & 0xFF) : u8(v & 0xFF).u8(v >> 8); }
    Fields& u32(std::uint32_t v) {
        const auto hi = static_cast<std::uint16_t>(v >> 16), lo = static_cast<std::uint16_t>(v);
        return big ? u16(hi).u16(lo) : u16(lo).u16(hi);
    }
    Fields& none() { return u32(0xFFFFFFFF); }
    Fields& chars(const std::string& s) { return b.insert(b.end(), s.begin(), s.end()), *this; }
    Fields& item(const std::string& s) { return u32(static_cast<std::uint32_t>(s.size())).chars(s); }
    // Image sections: the cells, the operand list.
    Fields& cells(const std::vector<std::pair<std::uint8_t, std::int16_t>>& list) {
        u32(static_cast<std::uint32_t>(list.size()));
        for (const auto& c : list) u8(c.first).u16(static_cast<std::uint16_t>(c.second));
        return *this;
    }
    Fields& operands(const std::vector<std::int16_t>& list) {
        u32(static_cast<std::uint32_t>(list.size()));
        for (std::int16_t e : list) u16(static_cast<std::uint16_t>(e));
        return *this;
    }
    // The record of a plain variable without value.
    Fields& unset(const std::string& name) { return u32(0).u32(0).u32(0).u32(0).none().u32(0).item(name).none().none(); }
};

inline std::string repeat(const std::string& unit, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += unit;
    return s;
}

struct RProbe : OMScriptableObject {
    static inline int alive = 0, clones = 0;
    RProbe() { ++alive; }
    ~RProbe() override { --alive; }
    OMScriptableObject* clone() override { return ++clones, new RProbe; }
    void registerProperties() override {}
};

struct ScriptTest : ::testing::Test {
    void SetUp() override {
        resetHeap();
        alerts().clear();
        previous_ = omSetAlertSink(record);
        yErrorCode() = 0;
        RProbe::alive = RProbe::clones = 0;
    }
    void TearDown() override { omSetAlertSink(previous_); scriptHeap().clear(); }
    static void resetHeap() { scriptHeap().clear(); scriptHeap().init(); }
    static std::vector<std::string>& alerts() { static std::vector<std::string> texts; return texts; }
    static std::int32_t index(const std::string& name) { return scriptHeap().find(name.data(), static_cast<std::int32_t>(name.size())); }
    // The variable of that name, added when absent.
    static YVariable* var(const std::string& name) {
        YHeap& heap = scriptHeap();
        return heap.at(heap.findOrAdd(name.data(), static_cast<std::int32_t>(name.size()), nullptr));
    }
    static std::string text(YVariable* v) {
        char buffer[kYTextBufferSize];
        v->getText(buffer, sizeof buffer);
        return buffer;
    }
    static std::string text(const std::string& name) { return text(var(name)); }

private:
    static int record(const char* message, unsigned flags, const char*) {
        alerts().push_back(message);
        EXPECT_EQ(0x3000u, flags);
        return 1;
    }
    OMAlertSink previous_ = nullptr;
};

using Cells = std::vector<std::pair<std::int32_t, std::int16_t>>;
using Operands = std::vector<std::int16_t>;

// A script test that compiles or loads into script on stack.
struct CompileTest : ScriptTest {
    Cells cells() const {
        Cells c;
        for (const YCell& cell : script.cells) c.emplace_back(cell.opcode, cell.operand);
        return c;
    }
    // The entries past the predefined ones as " name=value text/type tag", "-" for no value text.
    static std::string heapText() {
        std::string all;
        for (std::int32_t i = kYPredefined; i < scriptHeap().count; ++i) {
            const YVariable* v = scriptHeap().at(i);
            all += " " + std::string(v->name) + "=" + (v->valueText ? v->valueText : "-") + "/" + std::to_string(v->typeTag);
        }
        return all;
    }
    YCallStack stack;
    YCompiledScript script;
};
