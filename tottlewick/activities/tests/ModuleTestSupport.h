// The activity modules' fixture: the kit's, with the message boxes answered, a scripted or seeded random
// source, and frames that move the clocks, serve the sound and hand the timer and the posted events to
// the activity.
#pragma once

#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "AppBindings.h"
#include "AppModule.h"
#include "EngineMessageBox.h"
#include "KitTestSupport.h"
#include "Rand.h"
#include "Scene.h"
#include "SceneGlobals.h"

struct ModuleTest : KitTest {
    void SetUp() override {
        KitTest::SetUp();
        EngineSetMessageBoxHook([](const char*, const char*, unsigned) { return IDOK; });
    }
    void TearDown() override {
        RandSetSource(nullptr);
        leaveModule();
        EngineSetMessageBoxHook(nullptr);
        KitTest::TearDown();
    }
    // Ends the module an exit started and the Picker it made.
    static void leaveModule() {
        AppSetModule(nullptr, nullptr, 0);
        delete gPicker;
        gPicker = nullptr;
        gPickerInFront = 0;
    }
    // The random source draws these values, then the standard library's.
    static void scriptRandom(std::deque<std::uint16_t> values) {
        script = std::move(values);
        RandSetSource([] {
            if (script.empty()) return static_cast<std::uint16_t>(std::rand() & 0x7FFF);
            const std::uint16_t value = script.front();
            script.pop_front();
            return value;
        });
    }
    // One frame: the clocks move on 30 ms, the sound service runs, the timer and then the posted events
    // reach the scene as the engine takes them: newest first, an event posted meanwhile next.
    static void frame(Scene& scene) {
        now += 30;
        SndService();
        scene.OnTimer(1, 0);
        for (AppPostedEvent e{}; AppTakePostedEvent(&e);) {
            if (e.message == kAppCommand) scene.OnCommand(static_cast<std::uint32_t>(e.wParam));
            if (e.message == kAppNotify) scene.OnNotify(static_cast<std::uint32_t>(e.wParam));
        }
    }
    template <typename Module>
    static void runUntil(Module& module, std::uint32_t state) {
        for (int i = 0; i < 400 && module.State() != state; ++i) frame(module);
        ASSERT_EQ(module.State(), state);
    }
    static std::string tone() { return writeAiff(pcmSound(std::vector<std::int16_t>(2205, 100))); }
    static inline std::deque<std::uint16_t> script;
};
