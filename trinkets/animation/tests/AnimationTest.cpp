// The animation trinket on the 8-bit window: placement, stepping, drawing, hits, paint, stamps and play-list edits.
#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "CallParameters.h"
#include "ModuleResources.h"
#include "OMCursor.h"
#include "ProgramWindow.h"
#include "RAnimation.h"
#include "TrinketFixture.h"
#include "YDeathInterest.h"

namespace {

constexpr std::uint8_t kRed = 249;
constexpr std::uint8_t kBlue = 252;

struct AnimationTest : TrinketFixture {
    // Frame 0 is 3 x 2: (skip, red, red) over (blue, blue, blue); frame 1 is 2 x 1 red, 10 pixels right.
    // The list: hold, frame 0, frame 1, loop, end; 8 frames a second; placement (20, 30), z 4.
    static AseqPicture picture() {
        return {8, {20, 30, 0, 4}, 0, {{{0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {10, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}},
                {{3, 2, {0, kRed, kRed, kBlue, kBlue, kBlue}, {}}, {2, 1, {kRed, kRed}, {}}}};
    }
    // A script animation of the bytes, served as id 7, at (x, y).
    RAnimation* scripted(const char* x = "100", const char* y = "50",
                         const std::string& bytes = writeAseq(picture(), ByteOrder::little)) {
        data.animation(7, bytes);
        return static_cast<RAnimation*>(createObject("RAnimation", x, y, "7"));
    }
    // Updates the window `count` times, 125 ms (a frame at 8 a second) apart.
    void passes(std::uint32_t from, int count) {
        for (int i = 0; i < count; ++i) { fakeMs = from + static_cast<std::uint32_t>(i) * 125; window->update(); }
    }
    // Reads the property with one argument for it to pop.
    static std::string withArgument(RAnimation* a, const char* property, const char* text) {
        setParameters({text});
        return a->getProperty(property);
    }
    AnimationFiles data;
};

TEST_F(AnimationTest, TheScriptFactoriesFindTheirDataByIdAndPlaceIt) {
    EXPECT_EQ(createObject("RAnimation", "7"), nullptr) << "no look-up installed";
    data.animation(7, writeAseq(picture(), ByteOrder::big));
    // An empty rectangle: none made.
    const struct { const char *className, *arguments; OMRect bounds; } cases[] = {
        {"RAnimation", "7", {20, 30, 23, 32}}, {"RAnimation", "10 20 7", {10, 20, 13, 22}}, {"RAnimation", "10 20 8", {}},
        {"OMAnimation", "10 20 7", {20, 30, 23, 32}}, {"OMAnimation", "10 20 9", {}},
    };
    for (const auto& c : cases) {
        auto* made = static_cast<OMAnimation*>(createObjectFromText(c.className, c.arguments));
        EXPECT_EQ(made ? made->bounds : OMRect{}, c.bounds) << c.className << " " << c.arguments;
    }
    auto* a = static_cast<OMAnimation*>(createObject("OMAnimation", "0", "0", "7"));
    char text[32];
    a->describe(text, sizeof text);
    EXPECT_EQ(std::make_tuple(4, PlayState::paused, std::string("20 30 7"), kRedrawBoundingRect),
              std::make_tuple(a->z, a->playback.state, std::string(text), a->clipKind))
        << "a hold starts paused";
    auto* r = static_cast<RAnimation*>(createObject("RAnimation", "7"));
    EXPECT_EQ(std::make_pair(0, static_cast<OMScriptableObject*>(nullptr)), std::make_pair(r->isCorralled, r->clone()));
    std::string damaged = writeAseq(picture(), ByteOrder::little);
    damaged[10] = '\x7F';  // frame 0 past the end: made, but shows and plays nothing
    RAnimation* d = scripted("100", "50", damaged);
    EXPECT_EQ(std::make_pair(AseqStatus::badFrameOffset, true), std::make_pair(d->status(), d->bounds.hasNoArea()));
    passes(2000, 3);
    EXPECT_FALSE(d->hitTest(POINT{100, 50}));
}

// At 8 frames a second, ticks at 1000 and 1150 make the next step due at 1250, a frame after the previous due
// time (1125), or at 1275, a frame from now, when the class default of noDrift is off.
TEST_F(AnimationTest, AStepFallsDueAFrameAfterThePreviousDueTimeUnlessTheNoDriftDefaultIsOff) {
    for (const bool noDrift : {true, false}) {
        OMAnimation::defaultNoDrift = noDrift;
        RAnimation* a = scripted();
        OMAnimation::defaultNoDrift = true;
        a->play();
        passes(1000, 1);
        passes(1150, 1);
        EXPECT_EQ(a->playback.dueTime, noDrift ? 1250 : 1275);
        delete a;
    }
}

// Drawn at (100, 50): the skipped corner keeps the white background; the hit test follows the pixels.
TEST_F(AnimationTest, AFrameDrawsItsPixelsAndHitsOnlyThem) {
    RAnimation* a = scripted();
    window->update();
    std::string drawn, hits;
    for (std::int32_t y = 50; y < 52; ++y) {
        for (std::int32_t x = 100; x < 104; ++x) {
            drawn += static_cast<char>(backPixel(x, y));
            hits += a->hitTest(POINT{x, y}) ? '1' : '0';
        }
    }
    EXPECT_EQ(drawn, "\xFF\xF9\xF9\xFF\xFC\xFC\xFC\xFF");  // white red red white, blue blue blue white
    EXPECT_EQ(hits, "01101110");
}

// The list is hold, frame 0, frame 1, loop, end: two frame entries.
TEST_F(AnimationTest, TheFrameSequenceAndParamPropertiesReadAndMoveThePlayList) {
    RAnimation* a = scripted();
    std::string read = a->getProperty("frame");
    read += std::string(" ") + a->getProperty("frameCount");
    EXPECT_EQ(a->setProperty("frame", "5"), 1);
    read += std::string(" ") + a->getProperty("frame");
    read += std::string(" ") + a->getProperty("height");
    EXPECT_EQ(read, "1 2 2 1") << "past the count: the last frame entry";
    EXPECT_EQ(a->bounds, (OMRect{110, 50, 112, 51}));
    std::string params;
    for (const char* selector : {"0", "1", "2", "3", "4", "5"}) params += withArgument(a, "param", selector) + " ";
    EXPECT_EQ(params, "1 1 10 0 0 0 ");
    withArgument(a, "param", "4");
    a->setProperty("param", "250");
    EXPECT_EQ(withArgument(a, "param", "4"), "250");
    a->setProperty("sequence", "0");
    EXPECT_EQ(std::make_pair(std::string(a->getProperty("sequence")), a->playback.state),
              std::make_pair(std::string("1"), PlayState::playing))
        << "a sequence set plays again";
}

// Played twice through at 8 frames a second: frameNotify on each frame entry, the frame link after it. A
// handler that destroys the animation ends the step: no link is called afterwards.
TEST_F(AnimationTest, FrameNotificationRaisesAnEventAndCallsTheLinkOnEveryFrameEntry) {
    for (const bool destroying : {false, true}) {
        SCOPED_TRACE(destroying);
        eventLog.clear();
        RAnimation* a = scripted();
        a->tag = 3;
        watch(a, {"frameNotify", "paused"});
        Callback destroy{[&] {
            eventLog += "destroy ";
            delete a;
        }};
        const OMLinkToObj<Callback> handler = calling(destroy);
        if (destroying) a->bindEvent("frameNotify", &handler, nullptr);
        Callback linked{[&] { eventLog += "link "; }};
        const OMLinkToObj<Callback> link = calling(linked);
        a->setFrameNotification(1, &link);
        a->setRepeatCount(2);
        a->play();
        passes(2000, 5);
        EXPECT_EQ(eventLog, destroying ? "destroy " : "frameNotify@3 link frameNotify@3 link frameNotify@3 link frameNotify@3 link "
                                                      "paused@3 ");
        if (!destroying) delete a;
    }
}

// Paint draws the frame into the background picture, at its place or a given one, leaving the animation;
// colour 249 (red) replaced by 250 changes every frame.
TEST_F(AnimationTest, PaintDrawsTheCurrentFrameIntoTheBackgroundPicture) {
    PictureBackground* background = pictureBackground();
    RAnimation* a = scripted();
    a->invokeMethod("paint");
    EXPECT_EQ(background->area({100, 50, 104, 52}), "\xFF\xF9\xF9\xFF\xFC\xFC\xFC\xFF");  // the skipped corner stays
    EXPECT_EQ(a->invokeMethod("replacePaletteEntry", "249", "250"), 1);
    a->invokeMethod("paint", "300", "200");
    EXPECT_EQ(background->area({300, 200, 304, 202}), "\xFF\xFA\xFA\xFF\xFC\xFC\xFC\xFF");
    EXPECT_EQ(a->bounds, (OMRect{100, 50, 103, 52}));
    a->setProperty("frame", "2");
    a->invokeMethod("paint", "300", "210");
    EXPECT_EQ(background->area({300, 210, 303, 211}), "\xFA\xFA\xFF");
    // A given frame entry draws without moving the animation; past the count, the last one.
    a->drawPositionInto(1, 300, 220, background->picture, {0, 0, 640, 460});
    a->drawPositionInto(9, 300, 230, background->picture, {0, 0, 640, 460});
    EXPECT_EQ(background->area({300, 220, 304, 222}) + background->area({300, 230, 303, 231}),
              "\xFF\xFA\xFA\xFF\xFC\xFC\xFC\xFF\xFA\xFA\xFF");
    EXPECT_EQ(std::make_pair(std::string(a->getProperty("frame")), a->bounds),
              std::make_pair(std::string("2"), OMRect{110, 50, 112, 51}));
}

// A frame by index draws at the place given, whole or cut to a clip, leaving the frame shown; an index
// outside the frames draws nothing.
TEST_F(AnimationTest, AFrameByIndexDrawsWholeOrClippedAtThePlaceGiven) {
    PictureBackground* background = pictureBackground();
    RAnimation* a = scripted();
    OMMemCanvas& canvas = background->picture;
    a->drawFrame(1, 300, 200, canvas);
    a->drawFrame(0, 300, 210, canvas);
    a->drawFrameClippedTo(0, 300, 220, canvas, {301, 221, 640, 460});
    for (const std::int32_t outside : {-1, 2}) {
        a->drawFrame(outside, 300, 230, canvas);
        a->drawFrameClippedTo(outside, 300, 230, canvas, {0, 0, 640, 460});
    }
    const std::pair<OMRect, const char*> areas[] = {
        {{300, 200, 303, 201}, "\xF9\xF9\xFF"},
        {{300, 210, 303, 212}, "\xFF\xF9\xF9\xFC\xFC\xFC"},
        {{300, 220, 303, 222}, "\xFF\xFF\xFF\xFF\xFC\xFC"},
        {{300, 230, 303, 232}, "\xFF\xFF\xFF\xFF\xFF\xFF"},
    };
    for (const auto& [area, pixels] : areas) EXPECT_EQ(background->area(area), pixels) << area.top;
    EXPECT_EQ(std::make_pair(std::string(a->getProperty("frame")), a->bounds),
              std::make_pair(std::string("1"), OMRect{100, 50, 103, 52}));
}

// Frame 0 (8 x 1): a fill run of five reds, then blue 250 251 as literals; frame 1 (2 x 1): red blue. The
// first pair naming red decides it, and the blues it makes are not remapped again by the second pair.
TEST_F(AnimationTest, RemapChangesEachPixelOnceByTheFirstMatchingPairAndSwapExchangesTwoColours) {
    const AseqPictureFrame wide{8, 1, {kRed, kRed, kRed, kRed, kRed, kBlue, 250, 251}, {}};
    const AseqPictureFrame narrow{2, 1, {kRed, kBlue}, {}};
    const AseqPicture twoFrames{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}}, {wide, narrow}};
    PictureBackground* background = pictureBackground();
    RAnimation* a = scripted("0", "0", writeAseq(twoFrames, ByteOrder::little));
    const auto frames = [&] {
        a->drawPositionInto(1, 0, 0, background->picture, {0, 0, 640, 460});
        a->drawPositionInto(2, 0, 1, background->picture, {0, 0, 640, 460});
        std::string shown;
        for (const char c : background->area({0, 0, 8, 1}) + background->area({0, 1, 2, 2}))
            shown += std::to_string(static_cast<std::uint8_t>(c)) + " ";
        return shown;
    };
    const std::uint8_t from[] = {kRed, kBlue, kRed};
    const std::uint8_t to[] = {kBlue, 250, 251};
    a->remap(3, from, to, 0);
    EXPECT_EQ(frames(), "252 252 252 252 252 250 250 251 249 252 ") << "frame 0 alone";
    a->swapPaletteEntries(kBlue, 250, -2);
    EXPECT_EQ(frames(), "250 250 250 250 250 252 252 251 249 250 ") << "every frame";
    a->replacePaletteEntry(251, kRed, -1);
    EXPECT_EQ(frames(), "250 250 250 250 250 252 252 249 249 250 ") << "the current entry's frame, 0";
}

// Two animations stamped one after the other: unstamping the first puts back what the second covered.
TEST_F(AnimationTest, StampsAreUndoneLastFirstWhoeverAsks) {
    PictureBackground* background = pictureBackground();
    for (std::int32_t y = 40; y < 100; ++y)
        for (std::int32_t x = 90; x < 220; ++x) background->pixel(x, y) = static_cast<std::uint8_t>(x + y);
    const std::string before = background->area({90, 40, 220, 100});
    RAnimation* first = scripted();
    RAnimation* second = scripted("200", "80", writeAseq(picture(), ByteOrder::big));
    EXPECT_EQ(first->invokeMethod("stamp"), 1);
    EXPECT_EQ(numbers({background->pixel(100, 50), background->pixel(101, 50), first->isVisible()}), numbers({150, kRed, 0}))
        << "a skip run stamps nothing";
    EXPECT_EQ(first->playback.state, PlayState::stopped);
    first->stamp();
    EXPECT_EQ(background->stamps.size(), 1u) << "a stamped animation does not stamp again";
    second->stamp();
    EXPECT_EQ(background->pixel(202, 81), kBlue);
    first->unstamp();
    EXPECT_EQ(numbers({background->pixel(202, 81), background->pixel(101, 50), first->isVisible()}),
              numbers({static_cast<std::uint8_t>(202 + 81), kRed, 1})) << "the second stamp is undone";
    EXPECT_EQ(first->playback.state, PlayState::paused);
    second->unstamp();
    EXPECT_EQ(std::make_pair(background->area({90, 40, 220, 100}), true), std::make_pair(before, background->stamps.empty()));
    second->stamp();
    delete second;
    EXPECT_EQ(background->area({90, 40, 220, 100}), before) << "a stamped animation is unstamped when destroyed";
}

// With the hooks installed as at start-up, a party interested in a script animation is told once, while the
// animation is whole: it can still read the animation's own parts. A playing animation answers its frame rate
// to queryOne and 0 to queryZero.
TEST_F(AnimationTest, ItsDeathInterestsAreToldOnceWhileTheAnimationIsWhole) {
    installDeathHooks();
    RAnimation* a = scripted();
    a->userData = "kept";
    a->play();
    EXPECT_EQ(numbers({a->queryOne(), a->queryZero()}), "8 0");
    struct Reader {
        std::string seen;
        void died(OMArg dying) {
            const auto* animation = dynamic_cast<RAnimation*>(reinterpret_cast<OMScriptableObject*>(dying));
            seen += animation ? animation->userData + " " + std::to_string(animation->frameEntryCount()) + ";" : "a trinket;";
        }
    } reader;
    const OMLinkToObj<Reader> link(&reader, nullptr, &Reader::died);
    registerDeathInterest(a, &reader, &link);
    delete a;
    EXPECT_EQ(reader.seen, "kept 2;");
    RAnimation::setDeathHook(nullptr);
    EXPECT_EQ(animationDeathHook().link(), nullptr) << "the class has one hook";
    removeDeathHooks();
}

// Built from a module resource, or copied: as made by the script factory, with the class's default cursors,
// never corralled. A copy plays on from its original's entry but takes neither its frame notification nor
// its userData; stepping the copy tells the original nothing.
TEST_F(AnimationTest, FromAResourceOrByCopyItIsSetUpAsTheFactoryMakesIt) {
    const std::string module = data.folder.file("anims.dll");
    ASSERT_TRUE(writeModuleWithResources(ProgramWindow::ownFolder() + "ResModule.dll", module,
                                         {{"ASEQ", 7, writeAseq(picture(), ByteOrder::big)}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    OMCursor up, down;
    RAnimation::defaultCursor = &up;
    RAnimation::defaultDownCursor = &down;
    auto* a = new RAnimation(window, new OMRes(7, "ASEQ", &file), 100, 50);
    a->registerProperties();
    a->tag = 1;
    EXPECT_EQ(std::make_tuple(a->status(), a->bounds, a->isCorralled, a->cursor, a->downCursor, a->frameNotification()),
              std::make_tuple(AseqStatus::ok, OMRect{100, 50, 103, 52}, 0, &up, &down, 0));
    Callback linked{[&] { eventLog += "link "; }};
    const OMLinkToObj<Callback> link = calling(linked);
    a->setFrameNotification(1, &link);
    a->userData = "original";
    a->play();
    RAnimation::defaultCursor = &down;
    RAnimation::defaultDownCursor = nullptr;
    auto* copy = new RAnimation(*a);
    copy->registerProperties();
    copy->tag = 2;
    watch(a, {"frameNotify"});
    watch(copy, {"frameNotify"});
    EXPECT_EQ(std::make_tuple(copy->bounds, copy->isCorralled, copy->cursor, copy->downCursor, copy->frameNotification(),
                              copy->userData, copy->playback.state),
              std::make_tuple(OMRect{100, 50, 103, 52}, 0, &down, static_cast<OMCursor*>(nullptr), 0, std::string(),
                              PlayState::playing));
    a->pause();
    passes(2000, 2);
    EXPECT_EQ(std::make_tuple(eventLog, copy->bounds, a->bounds),
              std::make_tuple(std::string(), OMRect{110, 50, 112, 51}, OMRect{100, 50, 103, 52}))
        << "the copy stepped to frame 1 without notifying";
    delete copy;
    delete a;
    RAnimation::defaultCursor = RAnimation::defaultDownCursor = nullptr;
}

struct AnimationEditTest : AnimationTest {
    // Frames 0 and 1 (1 x 1); the list: frame 0, frame 1 (x 4), frame 0, end; 10 frames a second.
    OMAnimation* animation() {
        const AseqPicture p{10, {}, 0, {{{0, 0, 0, 0}, {4, 0, 1, 0}, {0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}},
                            {{1, 1, {5}, {}}, {1, 1, {6}, {}}}};
        return new OMAnimation(window, data.stream(writeAseq(p, ByteOrder::little)), 0, 0);
    }
    // The frame fields of the current list, and "x" for an entry whose x is 9.
    static std::string list(const OMAnimation& a) {
        std::string text;
        for (std::int32_t i = 0; a.entryAt(i); ++i) text += std::to_string(a.entryAt(i)->frame) + (a.entryAt(i)->x == 9 ? "x " : " ");
        return text;
    }
};

// Each edit starts at the second frame entry (index 1) of a fresh animation with a copy made before it.
TEST_F(AnimationEditTest, EditsChangeTheListsAsTheySay) {
    // copy: the copy's list afterwards.
    const struct {
        const char* name; void (*edit)(OMAnimation&); const char* edited; std::int32_t current; const char* copy; bool modified;
    } cases[] = {
        {"set in place, shared", [](OMAnimation& a) { a.setEntry(1, 9, 0, 0, 2); }, "0 1 1x -1 ", 1, "0 1 1x -1 ", true},
        {"set past the list", [](OMAnimation& a) { a.setEntry(1, 9, 0, 0, 4); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"insert before current, private", [](OMAnimation& a) { a.insertEntry(1, 9, 0, 0, 0); }, "1x 0 1 0 -1 ", 2, "0 1 0 -1 ", true},
        {"insert at the end entry", [](OMAnimation& a) { a.insertEntry(1, 9, 0, 0, 3); }, "0 1 0 1x -1 ", 1, "0 1 0 -1 ", true},
        {"insert after the end entry", [](OMAnimation& a) { a.insertEntry(1, 9, 0, 0, 4); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"remove current", [](OMAnimation& a) { a.removeEntry(-1); }, "0 0 -1 ", 1, "0 0 -1 -1 ", true},
        {"remove before current", [](OMAnimation& a) { a.removeEntry(0); }, "1 0 -1 ", 0, "1 0 -1 -1 ", true},
        {"the end entry stays", [](OMAnimation& a) { a.removeEntry(3); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"cue before frame entry 2", [](OMAnimation& a) { a.addSoundCue(7, 2); }, "0 -101 1 0 -1 ", 2, "0 1 0 -1 ", true},
        {"cue at the current position", [](OMAnimation& a) { a.addSoundCue(7, -1); }, "0 -101 1 0 -1 ", 2, "0 1 0 -1 ", true},
        {"cue at position 0", [](OMAnimation& a) { a.addSoundCue(7, 0); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"cue past the frames", [](OMAnimation& a) { a.addSoundCue(7, 4); }, "0 1 0 -1 ", 1, "0 1 0 -1 ", false},
        {"new list selected", [](OMAnimation& a) { a.addSequence({}); a.selectSequence(1); }, "-1 ", 0, "0 1 0 -1 ", true},
        {"given list, end added", [](OMAnimation& a) { a.addSequence({{9, 0, 1, 0}}); a.selectSequence(1); }, "1x -1 ", 0,
         "0 1 0 -1 ", true},
        {"current list removed", [](OMAnimation& a) { a.addSequence({{9, 0, 1, 0}}); a.removeSequence(-1); }, "1x -1 ", 0,
         "0 1 0 -1 ", true},
        {"only list removed", [](OMAnimation& a) { a.removeSequence(0); }, "", 0, "0 1 0 -1 ", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OMAnimation* a = animation();
        a->setFramePosition(2, false);
        auto* copy = new OMAnimation(*a);
        c.edit(*a);
        EXPECT_EQ(std::make_tuple(list(*a), a->playback.currentEntry, list(*copy), a->isModified(), copy->isModified()),
                  std::make_tuple(std::string(c.edited), c.current, std::string(c.copy), c.modified, false));
        delete copy;
        delete a;
    }
}

// Playing from the start, playback pauses once at the stop entry; played again it goes on.
TEST_F(AnimationEditTest, PlaybackPausesOnceAtTheStopEntry) {
    OMAnimation* a = animation();
    a->setStopEntry(2);
    std::string states;
    for (const std::uint32_t ms : {1000u, 1100u, 1200u, 1300u}) {
        if (ms == 1300) a->play();
        fakeMs = ms;
        window->update();
        states += std::to_string(ms == 1300 ? a->playback.currentEntry : static_cast<int>(a->playback.state));
    }
    EXPECT_EQ(states, "1223");
    delete a;
}

}  // namespace
