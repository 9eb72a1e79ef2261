// The fixture of the screen-update tests: a 640 x 480 offscreen canvas under an update list, a window
// layer of the test's own that logs what reaches the window, an engine clock that only the idle services
// move (1 ms a call), and shape banks forged from rows of characters, read from a resource file.
#pragma once

#include "Backdrop.h"
#include "EngineClock.h"
#include "File.h"
#include "GraphicsTestSupport.h"
#include "PrsWriter.h"
#include "Res.h"
#include "ShapeMgr.h"
#include "Sprite.h"
#include "TempFolder.h"
#include "Update.h"
#include "UpdateDisplay.h"
#include "XpkForge.h"

inline std::string rectsCsv(std::uint16_t count, const Rect* rects) {
    std::string out;
    for (std::uint16_t i = 0; i < count; ++i) out += (i ? " " : "") + rectCsv(rects[i]);
    return out;
}

// A 0xC002 shape from rows of characters: '.' is skipped, any other is its own palette index.
inline ForgeShape handShape(const std::vector<std::string>& rows) {
    const int width = int(rows[0].size()), height = int(rows.size());
    ForgeShape s{0, 0, std::int16_t(width), std::int16_t(height), 0, 0, width, height, {}};
    for (const std::string& row : rows) {
        for (char c : row) s.pixels.push_back({c == '.' ? ForgePixel::skip : ForgePixel::opaque, std::uint16_t(c), 0});
    }
    return s;
}

struct ScreenUpdateTest : GraphicsTest {
    static constexpr Rect kScreen{0, 0, 640, 480};
    void SetUp() override {
        GraphicsTest::SetUp();
        FileInit();
        ASSERT_EQ(ShapeMgrInit(), 1);
        const std::string base = folder.path() + "\\";
        const char* folders[] = {base.c_str()};
        ResSetSearchFolders(1, folders);
        offscreen = make(640 | 480u << 16, kCanvasMemory | kCanvasOffscreen);
        ASSERT_NE(offscreen, 0u);
        log.clear();
        now = 0;
        window = 0;
        ClockSetSource([] { return now; });
        UpdateSetDisplay(&display);
        ASSERT_EQ(UpdateInit(kUpdateCapacity), 1);
    }
    void TearDown() override {
        SpriteDisposeAll();
        SpriteSetDragMode(0);
        BackdropFreeAll();
        BackdropSetCached(0);
        UpdateTerm();
        UpdateSetDisplay(nullptr);
        ClockSetSource(nullptr);
        for (ShapeBank& bank : banks) ShapeBankFree(&bank);
        while (ResSource top = ResGetTopSource()) ResCloseSource(top);
        ShapeMgrTerm();
        FileTerm();
        GraphicsTest::TearDown();
    }
    // Writes the banks as 'XPK' 1, 2, ... (big-endian unless given) and opens them.
    void openBanks(const std::vector<ForgeBank>& forged, const std::vector<ByteOrder>& orders = {}) {
        std::vector<PrsResource> resources;
        for (std::size_t i = 0; i < forged.size(); ++i) {
            const ByteOrder order = i < orders.size() ? orders[i] : ByteOrder::big;
            resources.push_back({"XPK", std::uint16_t(i + 1), forgeXpk(forged[i], order)});
        }
        ASSERT_TRUE(writeResources(folder.file("Shapes.PRS"), resources));
        ASSERT_NE(ResOpenFile("Shapes"), 0u);
    }
    ShapeBank load(std::uint16_t id) {
        ShapeBank bank = ShapeBankLoad(id);
        if (bank) banks.push_back(bank);
        return bank;
    }
    // The update list's rectangles, and those marked for one flush only.
    static std::string rects() {
        Rect out[kUpdateCapacity];
        return rectsCsv(UpdateGetRects(out), out);
    }
    static std::string onceRects() {
        Rect out[kUpdateCapacity];
        return rectsCsv(UpdateGetOnceRects(out), out);
    }
    // The window layer: copies to the window and fades are logged as "l,t,r,b@ms" and "fade@ms".
    static inline std::vector<std::string> log;
    static inline std::uint32_t now = 0;
    static inline Canvas window = 0;
    static inline Canvas offscreen = 0;
    static inline const UpdateDisplay display{
        [](Rect* out) { *out = kScreen; },
        [] { return window; },
        [] { return offscreen; },
        [](const Rect* rect) { log.push_back((rect ? rectCsv(*rect) : "screen") + "@" + std::to_string(now)); },
        [] { log.push_back("margins"); },
        [] { log.push_back("fade@" + std::to_string(now)); },
        [] { ++now; },
        [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT { return message == 10007 ? 1 : 0x12345; },
    };
    TempFolder folder;
    std::vector<ShapeBank> banks;
};
