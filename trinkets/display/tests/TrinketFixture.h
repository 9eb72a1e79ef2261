// The trinket tests' world: one application, a fresh 640 x 460 window per test, the fake clock, posted input.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "OMApp.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTask.h"
#include "SolidTrinket.h"

// The fake clock: tests set the time.
inline std::uint32_t fakeMs = 0;
inline std::uint32_t fakeClock() { return fakeMs; }

// What event handlers saw, in order: "name@tag " per event.
inline std::string eventLog;
struct EventNote { const char* event; OMTrinket* trinket; };
inline void noteEvent(OMArg note) {
    const auto* n = reinterpret_cast<const EventNote*>(note);
    eventLog += std::string(n->event) + "@" + std::to_string(n->trinket->tag) + " ";
}

// Numbers as one text "a b c": a state checked in one comparison that prints it whole.
inline std::string numbers(std::initializer_list<std::int64_t> values) {
    std::string text;
    for (std::int64_t v : values) text += (text.empty() ? "" : " ") + std::to_string(v);
    return text;
}
inline std::string numbers(const OMRect& r) { return numbers({r.left, r.top, r.right, r.bottom}); }

// A test's own code behind a link.
struct Callback { std::function<void()> code; void run() { code(); } };

struct TrinketFixture : ::testing::Test {
    static void SetUpTestSuite() {
        setAppInstance(GetModuleHandleA(nullptr));
        static_cast<void>(findRunningInstance(appInstance()));
        // The real pointer stays off the window, so only posted input reaches it.
        SetCursorPos(1000, 740);
        const OMRect frame{0, 0, 640, 460};
        app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
        ShowWindow(app->window, SW_SHOWNA);
    }
    static void TearDownTestSuite() { delete app; app = nullptr; }
    void SetUp() override {
        previousClock = setClockSource(fakeClock);
        fakeMs = 1000;
        eventLog.clear();
        const OMRect frame{0, 0, 640, 460};
        window = new OMTrinketWindow(&frame, new OMTBackground, kFrameNone, 0);
        window->activate();
        app->active = 1;
        app->waiting = 0;
    }
    void TearDown() override {
        notes.clear();
        delete window;
        window = nullptr;
        OMTrinketWindow::resetPointer();
        setClockSource(previousClock);
    }
    // A solid trinket of the test's window, with the trinket's script face, tagged for the event log.
    SolidTrinket* solid(const OMRect& rect, std::uint8_t index, std::int32_t tag) {
        auto* t = new SolidTrinket(window, rect, index);
        t->registerProperties();
        t->tag = tag;
        return t;
    }
    // Records each named event of t in eventLog.
    void watch(OMTrinket* t, std::initializer_list<const char*> events) {
        for (const char* event : events) {
            notes.push_back(std::make_unique<EventNote>(EventNote{event, t}));
            const OMLinkToFct note(noteEvent, reinterpret_cast<OMArg>(notes.back().get()));
            t->bindEvent(event, &note, nullptr);
        }
    }
    // Runs the main loop: one step per pass (after the window's update task), then `settle` more passes. A
    // message posted by a step is taken by the next pass, before that pass's update.
    static void run(std::vector<std::function<void()>> steps, int settle = 2) {
        std::size_t next = 0;
        int left = static_cast<int>(steps.size()) + settle;
        Callback slice{[&] {
            if (next < steps.size()) steps[next++]();
            if (--left <= 0) theApp->quit();
        }};
        const OMLinkToObj<Callback> link = calling(slice);
        OMTask task(&link, 0);
        appendTask(&task);
        theApp->runMessageLoop();
    }
    // A link that runs the callback (which must outlive it and its clones), whatever argument it is given.
    static OMLinkToObj<Callback> calling(Callback& callback) { return OMLinkToObj<Callback>(&callback, &Callback::run); }
    // Puts a link running the callback into an owned link slot.
    static void setLink(OMLink*& slot, Callback& callback) {
        const OMLinkToObj<Callback> link = calling(callback);
        replaceLink(slot, &link);
    }
    // A step that posts a left-button message at a client point of the window.
    std::function<void()> mouse(UINT message, std::int32_t x, std::int32_t y) const {
        HWND target = window->hwnd;
        const WPARAM buttons = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
        return [=] { PostMessageA(target, message, buttons, MAKELPARAM(x, y)); };
    }
    // A step that posts a key message to the main window, which routes keys to the active window.
    static std::function<void()> keyMessage(UINT message, WPARAM code) {
        return [=] { PostMessageA(theApp->window, message, code, 0x00010001); };
    }
    // The palette index at (x, y) of the off-screen canvas.
    std::uint8_t backPixel(std::int32_t x, std::int32_t y) const {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        if (!window->offscreen->lockBits(bits, pitch)) return 0;
        return bits[y * pitch + x];
    }
    // A background holding an 8-bit picture, installed in the window.
    struct PictureBackground : OMTBackground {
        OMCanvas* canvas() override { return &picture; }
        std::uint8_t& pixel(std::int32_t x, std::int32_t y) {
            std::uint8_t* bits = nullptr;
            std::int32_t pitch = 0;
            static_cast<void>(picture.lockBits(bits, pitch));
            picture.unlockBits();
            return bits[y * pitch + x];
        }
        std::string area(const OMRect& r) {
            std::string bytes;
            for (std::int32_t y = r.top; y < r.bottom; ++y)
                bytes.append(reinterpret_cast<const char*>(&pixel(r.left, y)), r.right - r.left);
            return bytes;
        }
        OMMemCanvas picture{640, 460, 8, kSystemMemorySurface};
    };
    PictureBackground* pictureBackground() {
        auto* background = new PictureBackground;
        delete window->background;
        window->background = background;
        return background;
    }
    static inline OMApp* app = nullptr;
    OMTrinketWindow* window = nullptr;
    OMClockSource previousClock = nullptr;
    std::vector<std::unique_ptr<EventNote>> notes;
};
