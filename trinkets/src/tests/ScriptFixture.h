// A fresh variable heap and a recording alert sink for every script test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OMAlert.h"
#include "YHeap.h"
#include "YVariable.h"

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        scriptHeap().clear();
        scriptHeap().init();
        alerts().clear();
        previous_ = omSetAlertSink(record);
        yErrorCode() = 0;
    }
    void TearDown() override {
        omSetAlertSink(previous_);
        scriptHeap().clear();
    }

    static std::vector<std::string>& alerts() {
        static std::vector<std::string> texts;
        return texts;
    }

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
