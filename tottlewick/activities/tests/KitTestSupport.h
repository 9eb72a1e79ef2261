// The kit's fixture: the screen-update tests' canvas and clock, the sound manager on the sound library's
// virtual device, the kit's shared resources with 'XMV' 2-16 (as 'XMV' 1) and 'AIF' 1-3 (0.1 s each),
// the play layer's call log and the posted events read back as lines.
#pragma once

#include <algorithm>
#include <map>
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
        channelIds.clear();
        SndSetCallLog(logCall);
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
    // The sounds started and stopped since the last call: "id" for a start, "stop id" for a stop of the
    // play started as id.
    static std::vector<std::string> sounds() {
        std::vector<std::string> ids;
        for (const std::string& line : calls) {
            const bool stop = line.rfind("stop ", 0) == 0;
            if (!stop && line.rfind("start ", 0) != 0) continue;
            const std::size_t id = line.find("id=") + 3;
            ids.push_back((stop ? "stop " : "") + line.substr(id, line.find(' ', id) - id));
        }
        calls.clear();
        return ids;
    }
    // The channel on which `id` was last started, -1 when none.
    static int channelOf(const std::string& id) {
        const auto at = std::find_if(channelIds.begin(), channelIds.end(), [&](auto& e) { return e.second == id; });
        return at == channelIds.end() ? -1 : at->first;
    }
    // The play layer's lines, a stop also naming the id last started on its channel.
    static void logCall(const char* text) {
        std::string line = text;
        const auto channel = [&line] { return std::stoi(line.substr(line.find("ch=") + 3)); };
        if (line.rfind("start ", 0) == 0) {
            const std::string id = line.substr(9, line.find(' ', 9) - 9);
            for (auto& entry : channelIds) entry.second = entry.second == id ? "" : entry.second;
            channelIds[channel()] = id;
        }
        if (line.rfind("stop ", 0) == 0) line += " id=" + channelIds[channel()];
        calls.push_back(line);
    }
    static inline std::vector<std::string> calls;
    static inline std::map<int, std::string> channelIds;
};
