// The trinket window on the 8-bit display: hits, drags, the update pass, hover, palettes, clock and script face.
#include <cstdio>

#include "OMWndCanvas.h"
#include "TrinketFixture.h"

namespace {

constexpr std::uint8_t kRed = 249;
constexpr std::uint8_t kGreen = 250;
constexpr std::uint8_t kBlue = 252;

// A clock that moves 1 ms at every read and notes what `watched` gives then, when it differs from the last note.
std::function<std::string()> watched;
std::vector<std::string> notedStates;
std::uint32_t watchingClock() {
    std::string now = watched();
    if (notedStates.empty() || notedStates.back() != now) notedStates.push_back(now);
    return fakeMs++;
}

struct TrinketWindowTest : TrinketFixture {
    // The palette indices of the off-screen canvas at the points, as "i i ...".
    std::string back(std::initializer_list<POINT> points) const {
        std::string shown;
        for (const POINT& p : points) shown += (shown.empty() ? "" : " ") + std::to_string(backPixel(p.x, p.y));
        return shown;
    }
    // What the screen shows at client points of the window, as "RRGGBB ...".
    std::string screen(std::initializer_list<POINT> points) const {
        HDC dc = GetDC(window->hwnd);
        std::string shown;
        char hex[8];
        for (const POINT& p : points) {
            const COLORREF c = GetPixel(dc, p.x, p.y);
            std::snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
            shown += (shown.empty() ? "" : " ") + std::string(hex);
        }
        ReleaseDC(window->hwnd, dc);
        return shown;
    }
};

// Two trinkets of equal z overlap on (40, 40)-(60, 60); b was made later. Each row changes b (or moves a
// below the floor, alone) and says which events a press and release at (50, 50) raise.
TEST_F(TrinketWindowTest, APressHitsTheTopmostHittableTrinketAndOnlyAHeldOneHearsTheRelease) {
    struct Case { const char* name; void (*change)(OMTrinket* a, OMTrinket* b); const char* events; bool held = false; };
    const Case cases[] = {
        {"equal z: the later one", [](OMTrinket*, OMTrinket*) {}, "mouseDown@2 mouseUp@2 "},
        {"b fixed: no release", [](OMTrinket*, OMTrinket* b) { b->setMovable(0); }, "mouseDown@2 "},
        {"b hidden", [](OMTrinket*, OMTrinket* b) { b->hide(); }, "mouseDown@1 mouseUp@1 "},
        {"b not touchy", [](OMTrinket*, OMTrinket* b) { b->setTouchy(0); }, "mouseDown@1 mouseUp@1 "},
        {"b refuses presses", [](OMTrinket*, OMTrinket* b) { b->inputMask = kNoMouseDown; }, "mouseDown@1 mouseUp@1 "},
        {"b refuses releases: held on", [](OMTrinket*, OMTrinket* b) { b->inputMask = kNoMouseUp; }, "mouseDown@2 ",
         true},
        {"a raised above b", [](OMTrinket* a, OMTrinket*) { a->setZ(1); }, "mouseDown@1 mouseUp@1 "},
        {"a alone below the floor", [](OMTrinket* a, OMTrinket* b) { delete b; a->setZ(-32768); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        eventLog.clear();
        OMTrinket* a = solid({0, 0, 60, 60}, kRed, 1);
        OMTrinket* b = solid({40, 40, 100, 100}, kBlue, 2);
        for (OMTrinket* t : {a, b}) watch(t, {"mouseDown", "mouseUp"});
        c.change(a, b);
        run({mouse(WM_LBUTTONDOWN, 50, 50), mouse(WM_LBUTTONUP, 50, 50)});
        EXPECT_EQ(std::make_pair(eventLog, window->pressedTrinket != nullptr), std::make_pair(std::string(c.events), c.held));
        window->pressedTrinket = nullptr;
        while (window->trinkets.head) delete window->trinkets.head->element;
    }
}

// The corral is the window (640 wide); the trinket starts against its right edge, below a later one of
// equal z, above which the press raises it.
TEST_F(TrinketWindowTest, APressedTrinketRisesAndADraggedCorralledOneStaysPinnedUntilItFitsAgain) {
    OMTrinket* t = solid({576, 100, 640, 164}, kRed, 7);
    OMTrinket* later = solid({0, 0, 10, 10}, kBlue, 8);
    watch(t, {"mouseUp"});
    std::vector<std::string> lefts;
    const auto readThen = [&](std::function<void()> step) {
        return [=, &lefts] {
            lefts.push_back(t->getProperty("x"));
            step();
        };
    };
    run({mouse(WM_LBUTTONDOWN, 600, 120), mouse(WM_MOUSEMOVE, 650, 120), readThen(mouse(WM_MOUSEMOVE, 620, 120)),
         readThen(mouse(WM_MOUSEMOVE, 600, 120)), readThen(mouse(WM_MOUSEMOVE, 590, 120)),
         readThen(mouse(WM_LBUTTONUP, 590, 120)), readThen([] {})});
    EXPECT_EQ(lefts, (std::vector<std::string>{"576", "576", "576", "566", "566"}))
        << "50 past the edge: pinned; 30 back: still pinned; 20 back: fits; 10 more: follows";
    EXPECT_EQ(eventLog + numbers({t->overshootX, t->holdState, t->indexInWindow(), later->indexInWindow()}),
              "mouseUp@7 " + numbers({0, kFree, 1, 0}));
}

TEST_F(TrinketWindowTest, OneUpdatePassRedrawsTheDamageAndPresentsOnlyItsBoundingBox) {
    SolidTrinket* a = solid({20, 20, 84, 84}, kRed, 1);
    SolidTrinket* b = solid({200, 40, 264, 104}, kBlue, 2);
    window->update();
    EXPECT_EQ(back({{0, 0}, {20, 20}, {263, 103}}), "255 249 252");
    EXPECT_EQ(screen({{30, 30}}), "FF0000");
    int presents = 0;
    OMRect presented = kEmptyRect;
    Callback count{[&] { ++presents; }};
    Callback box{[&] { presented = window->presentRegion[0].bounds(); }};
    setLink(window->presentedLink, count);
    setLink(window->postComposeLink, box);
    // A pixel changed behind the window's back: only a present that covers it would show it.
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    ASSERT_TRUE(window->offscreen->lockBits(bits, pitch));
    bits[300 * pitch + 400] = kGreen;
    a->place(40, 20);
    window->update();
    EXPECT_EQ(numbers({presents}) + ": " + numbers(presented), "1: 20 20 104 84") << "the old and the new place of a";
    EXPECT_EQ(back({{25, 50}, {40, 20}, {103, 83}, {104, 50}}), "255 249 249 255") << "a moved 20 right";
    EXPECT_EQ(b->draws, 1) << "b lies outside the damage";
    EXPECT_EQ(screen({{100, 80}, {25, 50}, {400, 300}}), "FF0000 FFFFFF FFFFFF") << "(400, 300) never presented";
    window->update();
    EXPECT_EQ(presents, 1) << "nothing changed, nothing presented";
}

// c lies above b; moving a away uncovers part of b and c: each is redrawn clipped to its damaged part.
TEST_F(TrinketWindowTest, TrinketsMeetingTheDamageAreRedrawnOnlyWhereItLies) {
    SolidTrinket* a = solid({100, 100, 150, 150}, kRed, 1);
    SolidTrinket* b = solid({0, 0, 120, 120}, kBlue, 2);
    SolidTrinket* c = solid({140, 140, 200, 200}, kGreen, 3);
    SolidTrinket* whole = new SolidTrinket(window, {0, 130, 110, 200}, kBlue, kRedrawWhole);
    b->setZ(-1);
    window->update();
    a->place(300, 300);
    window->update();
    EXPECT_EQ(numbers({b->draws, c->draws, whole->draws}), "2 2 2");
    EXPECT_EQ(numbers(b->lastClip) + ", " + numbers(c->lastClip) + ", " + numbers(whole->lastClip),
              "100 100 120 120, 140 140 150 150, 0 0 -1 -1")
        << "clip kind 0 redraws whole";
    EXPECT_EQ(back({{110, 110}, {145, 145}, {130, 110}}), "252 250 255");
}

TEST_F(TrinketWindowTest, HoverRaisesFlyOffOnTheOldTrinketBeforeFlyOnOnTheNew) {
    OMTrinket* a = solid({0, 0, 50, 50}, kRed, 1);
    OMTrinket* b = solid({50, 0, 100, 50}, kBlue, 2);
    for (OMTrinket* t : {a, b}) watch(t, {"flyOn", "flyOff"});
    run({mouse(WM_MOUSEMOVE, 10, 10), mouse(WM_MOUSEMOVE, 60, 10), mouse(WM_MOUSEMOVE, 300, 300)});
    EXPECT_EQ(eventLog, "flyOn@1 flyOff@1 flyOn@2 flyOff@2 ");
    eventLog.clear();
    run({mouse(WM_LBUTTONDOWN, 10, 10), mouse(WM_MOUSEMOVE, 70, 10), mouse(WM_LBUTTONUP, 70, 10)});
    EXPECT_EQ(eventLog, "flyOn@1 ") << "no hover change during the drag; the release finds a, dragged under the mouse";
    eventLog.clear();
    a->hide();
    EXPECT_EQ(OMTrinketWindow::hoverTrinket, nullptr);
    run({mouse(WM_MOUSEMOVE, 71, 11)});
    EXPECT_EQ(eventLog, "flyOn@2 ") << "a hidden hover trinket raises no flyOff";
}

TEST_F(TrinketWindowTest, DisabledInputReachesNothing) {
    OMTrinket* a = solid({0, 0, 50, 50}, kRed, 1);
    watch(a, {"mouseDown", "mouseUp", "flyOn"});
    int activity = 0;
    Callback counted{[&] { ++activity; }};
    setLink(window->activityLink, counted);
    for (const auto& [disabled, events, count] : {std::tuple{1, "", 0}, {0, "mouseDown@1 mouseUp@1 flyOn@1 ", 2}}) {
        window->inputDisabled = disabled;
        run({mouse(WM_LBUTTONDOWN, 10, 10), mouse(WM_LBUTTONUP, 10, 10)});
        EXPECT_EQ(std::make_pair(eventLog, activity), std::make_pair(std::string(events), count)) << disabled;
    }
}

// Outside every trinket a press goes to the background's link (with the point), else to the window's own.
TEST_F(TrinketWindowTest, PressesOutsideEveryTrinketGoToTheBackground) {
    solid({0, 0, 50, 50}, kRed, 1);
    static POINT got;
    got = {-1, -1};
    const OMLinkToFct record([](OMArg p) { got = *reinterpret_cast<const POINT*>(p); });
    window->background->mouseDownLink = record.clone();
    run({mouse(WM_LBUTTONDOWN, 300, 200), mouse(WM_LBUTTONUP, 300, 200)});
    EXPECT_EQ(numbers({got.x, got.y}), "300 200");
    window->background->inputMask = kBackgroundNoMouseDown;
    int own = 0;
    Callback count{[&] { ++own; }};
    const OMLinkToObj<Callback> ownLink = calling(count);
    window->setMouseDownHandler(&ownLink);
    run({mouse(WM_LBUTTONDOWN, 310, 210), mouse(WM_LBUTTONUP, 310, 210)});
    EXPECT_EQ(numbers({got.x, own}), "300 1") << "the background refuses presses; the window's own handler takes it";
}

TEST_F(TrinketWindowTest, APaletteChangingOnlyStaticEntriesOrNothingCausesNoBlackFill) {
    window->update();
    std::vector<OMColorRecord> table(256);
    for (int i = 0; i < 256; ++i) table[i] = colorOf(std::uint8_t(i), std::uint8_t(255 - i), 40);
    table[50] = colorOf(0, 0, 0);
    table[51] = colorOf(255, 255, 255);
    window->setPalette(table.data(), 1);
    std::string shown = screen({{320, 200}});  // entries 10-245 changed: black
    EXPECT_EQ(window->offscreen->colorAt(77).red >> 8, 77);
    window->repaint();
    std::vector<OMColorRecord> same = table;
    for (int i : {0, 9, 246, 255}) same[i] = colorOf(1, 2, 3);
    // Only static entries differ; pure black and white as stored; no black-out asked: no black fill.
    for (const auto& [colors, blackOut] : {std::pair{&same, 1}, {&table, 1}, {&table, 0}}) {
        shown += " " + screen({{320, 200}});
        if (!blackOut) table[100] = colorOf(1, 2, 4);
        window->setPalette(colors->data(), blackOut);
    }
    EXPECT_EQ(shown + " " + screen({{320, 200}}), "000000 FFFFFF FFFFFF FFFFFF FFFFFF");
}

TEST_F(TrinketWindowTest, TheFrameClockLeavesOutPausesOfTheSoundOutput) {
    window->update();
    window->shiftClock(300);
    EXPECT_EQ(numbers({window->frameTime, window->pausedTime}), "1000 0") << "no trinket: nothing to shift";
    solid({0, 0, 10, 10}, kRed, 1);
    window->resumeLink->invokeWith(300);
    fakeMs = 2500;
    window->update();
    EXPECT_EQ(window->frameTime, 2200);
}

// a moves 20 right with flashes of 2 sixtieths. Watched: the screen, then the off-screen canvas, at (50, 50)
// (in both places of a) and (25, 50) (in the old one only).
TEST_F(TrinketWindowTest, TheFlashDiagnosticPaintsEachAreaBeforeItIsDrawnOrCopiedAndWaits) {
    SolidTrinket* a = solid({20, 20, 84, 84}, kRed, 1);
    window->update();
    watched = [this] { return screen({{50, 50}, {25, 50}}) + " / " + back({{50, 50}, {25, 50}}); };
    notedStates.clear();
    setClockSource(watchingClock);
    window->flashTicks = 2;
    a->place(40, 20);
    window->update();
    EXPECT_EQ(notedStates, (std::vector<std::string>{"FF0000 FF0000 / 249 249", "FF00FF FF00FF / 249 249",
                                                     "FF00FF FF00FF / 255 255", "FF00FF FF00FF / 249 255"}))
        << "the frame clock; the damage flashed before the background, before a, before the copy";
    EXPECT_EQ(numbers({fakeMs * 60 / 1000}) + " " + screen({{50, 50}, {25, 50}}), "66 FF0000 FFFFFF")
        << "three waits of 2 sixtieths from 60";
    window->flashTicks = 0;
    const std::uint32_t before = fakeMs;
    a->place(20, 20);
    window->update();
    setClockSource(fakeClock);
    EXPECT_EQ(fakeMs - before, 1u) << "off, only the frame clock reads the clock";
}

TEST_F(TrinketWindowTest, TheScriptFaceReadsAndSetsThroughTheAccessors) {
    OMTrinket* t = solid({10, 20, 30, 50}, kRed, 0);
    char text[64];
    t->describe(text, sizeof text);
    EXPECT_STREQ(text, "10 20 30 50");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"x", "100", "100"}, {"y", "-5", "-5"},      {"z", "40000", "32764"}, {"z", "-40000", "-40000"},
        {"tag", "abc", "0"}, {"visible", "0", "0"}, {"movable", "0", "0"},   {"touchy", " 7x", "7"}};
    for (const auto& [property, set, read] : cases) {
        const std::int32_t done = t->setProperty(property, set);
        EXPECT_EQ(std::make_pair(done, std::string(t->getProperty(property))), std::make_pair(1, std::string(read)))
            << property << "=" << set;
    }
    std::string places = numbers(t->getBounds());
    for (const auto& [method, x, y] : {std::tuple{"place", "3", "4"}, {"offset", "", ""}, {"offset", "-10", "2"}}) {
        EXPECT_EQ(t->invokeMethod(method, x, y), 1);
        places += ", " + numbers(t->getBounds());
    }
    EXPECT_EQ(places, "100 -5 120 25, 3 4 23 34, 3 4 23 34, 0 6 20 36") << "offset: none is (0, 0); confined to the corral";
    EXPECT_EQ(numbers({window->minZ, window->maxZ}), "-40000 32764");
    // The top layers lie above every z a script can set.
    OMTrinket* top = solid({0, 0, 10, 20}, kRed, 1);
    top->setTopLayer(2);
    t->setZ(40000);
    t->show();
    EXPECT_EQ(numbers({top->getZ(), top->indexInWindow(), t->indexInWindow()}), "32767 1 0");
    EXPECT_EQ(window->trinketAt({5, 10}), top);
}

TEST_F(TrinketWindowTest, CaptureIsLostToTheNextCaptorAndWhenTheHolderDies) {
    OMTrinket* a = solid({0, 0, 10, 10}, kRed, 1);
    OMTrinket* b = solid({0, 0, 10, 10}, kRed, 2);
    std::string lost;
    Callback lostA{[&] { lost += "a "; }};
    Callback lostB{[&] { lost += "b "; }};
    setLink(a->captureLostLink, lostA);
    setLink(b->captureLostLink, lostB);
    a->captureMouse();
    b->captureMouse();
    EXPECT_TRUE(b->isCaptureTrinket());
    delete b;
    EXPECT_EQ(std::make_pair(lost, OMTrinket::captureTrinket()), std::make_pair(std::string("a b "), static_cast<OMTrinket*>(nullptr)));
}

// The system sends a double click as down, up, double click, up: on a fixed trinket "mouseDown" and
// "dblClick", and both ups go to the background. Keys go to the capture trinket's hook instead of the
// window's key handler.
TEST_F(TrinketWindowTest, DoubleClicksAndKeysReachTheirTrinkets) {
    OMTrinket* fixed = solid({0, 0, 50, 50}, kRed, 1);
    fixed->setMovable(0);
    watch(fixed, {"mouseDown", "mouseUp", "dblClick"});
    int ups = 0;
    Callback up{[&] { ++ups; }};
    setLink(window->background->mouseUpLink, up);
    run({mouse(WM_LBUTTONDOWN, 5, 5), mouse(WM_LBUTTONUP, 5, 5), mouse(WM_LBUTTONDBLCLK, 5, 5), mouse(WM_LBUTTONUP, 5, 5)});
    EXPECT_EQ(eventLog + numbers({ups}), "mouseDown@1 dblClick@1 2");
    std::string keys;
    Callback windowKey{[&] { keys += "window "; }};
    Callback trinketKey{[&] { keys += "trinket "; }};
    const OMLinkToObj<Callback> windowLink = calling(windowKey);
    window->setKeyHandler(&windowLink);
    setLink(fixed->keyLink, trinketKey);
    fixed->captureMouse();
    run({keyMessage(WM_CHAR, 'k'), [&] { fixed->inputMask = kNoKey; }, keyMessage(WM_CHAR, 'k'), [&] { fixed->releaseCapture(); },
         keyMessage(WM_CHAR, 'k')});
    EXPECT_EQ(keys, "trinket window ") << "a capture trinket refusing keys takes them from the window too";
}

// The nearest grid line; halfway takes the lower one. Only subclasses set a grid.
TEST_F(TrinketWindowTest, AReleaseSnapsToTheNearestGridLine) {
    OMTrinket* t = solid({0, 0, 10, 10}, kRed, 1);
    // Lines at ..., -6, 4, 14, 24 (origin 4, step 10).
    const std::int32_t cases[][3] = {{14, 4, 14}, {9, 4, 4}, {10, 4, 14}, {-1, 4, -6}, {0, 4, 4}, {-2, 4, -6}};
    t->gridX = 10;
    t->isCorralled = 0;
    for (const auto& [left, origin, snappedLeft] : cases) {
        t->gridOriginX = origin;
        t->place(left, 50);
        t->snapToGrid();
        EXPECT_EQ(numbers({t->getX(), t->getY()}), numbers({snappedLeft, 50})) << left << "; no vertical grid";
    }
}

}  // namespace
