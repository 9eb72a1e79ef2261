// The kit's fixture: the screen-update tests' canvas and clock, the sound manager on the sound library's
// virtual device, the kit's shared resources with 'XMV' 2-16 (as 'XMV' 1) and 'AIF' 1-3 (0.1 s each),
// the play layer's call log and the posted events read back as lines.
#pragma once

#include <string>
#include <vector>

#include "Actor.h"
#include "Anim.h"
#include "AppEvents.h"
#include "KitGlobals.h"
#include "Scene.h"
#include "SceneGlobals.h"
#include "SndCallLog.h"
#include "SndManager.h"
#include "SndPlayControl.h"
#include "SoundWriter.h"
#include "TottlewickGlobal.h"
#include "Stream.h"
#include "UpdateTestSupport.h"
#include "XmvWriter.h"
#include "mss32.h"

struct KitTest : ScreenUpdateTest {
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ForgeBank square;
        square.shapes = {handShape(std::vector<std::string>(10, "1111111111"))};
        openBanks({square});
        std::vector<PrsResource> resources = tottlewickKitResources();
        for (std::uint16_t id = 1; id <= 3; ++id) {
            resources.push_back({"AIF", id, writeAiff(pcmSound(std::vector<std::int16_t>(2205, 100)))});
        }
        for (std::uint16_t id = 2; id <= 16; ++id) resources.push_back({"XMV", id, xmvWrite(xmvStub(1), ByteOrder::big)});
        ASSERT_TRUE(writeResources(folder.file("Kit.PRS"), resources));
        ASSERT_NE(ResOpenFile("Kit"), 0u);
        StreamInit();
        MssTestUseVirtualDevice([] { return now; });
        ASSERT_EQ(SndInit(nullptr, 8, 2, 16, 22050), 0);
        calls.clear();
        SndSetCallLog([](const char* line) { calls.emplace_back(line); });
        AppClearPostedEvents();
    }
    void TearDown() override {
        EXPECT_EQ(gCurrentPointer, nullptr) << "a destroyed pointer leaves the slot";
        // The Picker and an activity left alive would keep their players open into the next test.
        delete gPicker;
        gPicker = nullptr;
        SceneDeleteActivity();
        EXPECT_EQ(AnimClock(), 0u) << "no animation player is left open";
        SndSetCallLog(nullptr);
        SndStopAll();
        SndShutdown();
        StreamTerm();
        MssTestUseVirtualDevice(nullptr);
        ActorRemoveAll();
        ScreenUpdateTest::TearDown();
    }
    // The posted events, oldest first, as "message id".
    static std::vector<std::string> posted() {
        std::vector<std::string> out;
        AppPostedEvent event{};
        while (AppTakePostedEvent(&event)) {
            out.insert(out.begin(), std::to_string(event.message) + " " + std::to_string(event.wParam));
        }
        return out;
    }
    // The ids of the sounds started since the last call.
    static std::vector<std::string> started() {
        std::vector<std::string> ids;
        for (const std::string& line : calls) {
            if (line.rfind("start id=", 0) == 0) ids.push_back(line.substr(9, line.find(' ', 9) - 9));
        }
        calls.clear();
        return ids;
    }
    static inline std::vector<std::string> calls;
};
