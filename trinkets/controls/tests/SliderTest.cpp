// Sliders and the gauge on the trinket window with the fake clock: geometry, value mapping, presses that
// page and repeat while the real left button is held, the picture slider's looks and colours.
#include <windows.h>

#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "RGauge.h"
#include "RSlider.h"
#include "RWSlider.h"
#include "TrinketFixture.h"

namespace {

constexpr std::uint8_t kMatchedGrey = 200;

// Holds the real left button down (GetAsyncKeyState sees it) for the life of the object.
struct HeldButton {
    HeldButton() { send(MOUSEEVENTF_LEFTDOWN); }
    ~HeldButton() { release(); }
    void release() {
        if (down) send(MOUSEEVENTF_LEFTUP);
        down = false;
    }
    static void send(DWORD flag) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        SendInput(1, &input, sizeof input);
    }
    bool down = true;
};

struct SliderTest : TrinketFixture {
    void SetUp() override {
        TrinketFixture::SetUp();
        for (const OMSR* record : {&RSlider::classRecord, &RWSlider::classRecord, &RGauge::classRecord})
            ASSERT_TRUE(classExists(record->className));
        // Each picture 17 x 17 in colour 18, released look then pressed look (colour 19).
        const auto look = [](std::uint8_t c) { return AseqPictureFrame{17, 17, std::vector<std::uint8_t>(289, c), {}}; };
        const AseqPicture picture{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, -1, 0}}}, {look(18), look(19)}};
        for (const std::int16_t id : {RWSlider::kLessId, RWSlider::kMoreId, RWSlider::kThumbId})
            data.animation(id, writeAseq(picture, ByteOrder::big));
        const AseqPicture background{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, -1, 0}}}, {{120, 25, std::vector<std::uint8_t>(3000, 30), {}}}};
        data.animation(50, writeAseq(background, ByteOrder::big));
    }
    template <typename T>
    T* make(const char* className, const char* arguments) {
        auto* slider = static_cast<T*>(createObjectFromText(className, arguments));
        if (slider) watch(slider, {"moved"});
        return slider;
    }
    static std::string describe(OMScriptableObject* object) {
        char text[64];
        object->describe(text, sizeof text);
        return text;
    }
    AnimationFiles data;
};

// Track (10, 10, 110, 20): thickness 10, travel 90, buttons (0..10) and (110..120).
TEST_F(SliderTest, ThePlainSliderMapsValuesToTheThumbAndClampsPositionSilently) {
    RSlider* s = make<RSlider>("RSlider", "10 10 110 20 0 0");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(describe(s), "10 10 110 20 100 5");
    EXPECT_EQ(numbers(s->bounds) + " / " + numbers(s->thumbRect), "0 10 120 20 / 10 10 20 20");
    std::string read;
    for (const char* set : {"50", "150", "-5"}) {
        s->setProperty("position", set);
        read += std::string(s->getProperty("position")) + "@" + std::to_string(s->thumbRect.left) + " ";
    }
    EXPECT_EQ(read, "50@55 99@100 0@10 ");
    EXPECT_EQ(eventLog, "");
    s->place(20, 30);
    EXPECT_EQ(describe(s), "30 30 130 40 100 5");
    delete s;
}

// A maximum of 0 keeps the value at 0; a track as long as it is thick has no travel: the thumb stays, the
// value still changes, and presses on the track divide by nothing.
TEST_F(SliderTest, NoMaximumAndNoTravelDivideByNothing) {
    RSlider* none = make<RSlider>("RSlider", "10 10 110 20 0 0");
    none->value = 5;
    none->maximum = 0;
    none->setValue(RSlider::kSilent + 7);
    RSlider* fixed = make<RSlider>("RSlider", "10 10 20 20 9 0");
    fixed->setProperty("position", "4");
    HeldButton button;
    run({mouse(WM_LBUTTONDOWN, 15, 15), mouse(WM_MOUSEMOVE, 18, 15), mouse(WM_LBUTTONUP, 18, 15)});
    EXPECT_EQ(numbers({none->value, fixed->value, fixed->thumbRect.left}), "0 4 10");
    delete none;
    delete fixed;
}

// Pressed at x 80 (value 72 there): 5 on the first tick, none until 20 sixtieths have passed, then 5 on
// every tick; the released button ends the press at the next tick.
TEST_F(SliderTest, APressOnTheMoreSidePagesAtOnceThenRepeatsAfterAThirdOfASecond) {
    RSlider* s = make<RSlider>("RSlider", "10 10 110 20 99 5");
    s->tag = 1;
    HeldButton button;
    run({mouse(WM_LBUTTONDOWN, 80, 15)});
    std::string values = std::to_string(s->value);
    for (const std::uint32_t ms : {1100u, 1333u, 1334u, 1350u, 1367u}) {
        fakeMs = ms;
        if (ms == 1367u) button.release();
        for (int waited = 0; ms == 1367u && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) && waited < 2000; waited += 10) Sleep(10);
        window->update();
        values += " " + std::to_string(s->value);
    }
    fakeMs = 2000;
    window->update();
    EXPECT_EQ(values + " " + std::to_string(s->value) + " state " + std::to_string(s->pressState), "5 5 5 10 15 20 20 state 0");
    EXPECT_EQ(eventLog, "moved@1 moved@1 moved@1 moved@1 ");
    delete s;
}

// Paging toward more from value 50 (pressed at x 80): the first tick pages to 55 (thumb 60..70). With the
// pointer moved to the less side (x 30) the press stays live but does not step; moved back to the more
// side (x 100) it pages on.
TEST_F(SliderTest, APressPagesOnlyWhileThePointerIsOnTheSideItPagesToward) {
    RSlider* s = make<RSlider>("RSlider", "10 10 110 20 99 5");
    s->setProperty("position", "50");
    HeldButton button;
    run({mouse(WM_LBUTTONDOWN, 80, 15)});
    std::string seen = numbers({s->value, s->pressState});
    for (const std::int32_t x : {30, 100}) {
        fakeMs = 1000;  // no step while the pointer moves
        run({mouse(WM_MOUSEMOVE, x, 15)});
        fakeMs = 1400;
        window->update();
        seen += " / " + numbers({s->value, s->pressState});
    }
    button.release();
    for (int waited = 0; (GetAsyncKeyState(VK_LBUTTON) & 0x8000) && waited < 2000; waited += 10) Sleep(10);
    window->update();
    EXPECT_EQ(seen + " / " + numbers({s->pressState}), "55 7 / 55 7 / 60 7 / 0");
    delete s;
}

// Vertical at (300, 117), length 111: buttons above and below the track; colour 18 matched to the nearest
// grey; a held press on the less button shows its pressed look and steps down by one.
TEST_F(SliderTest, ThePictureSliderPlacesItsPicturesMatchesTheirColoursAndShowsPresses) {
    RWSlider::capturePalette = [] {};
    RWSlider::nearestColour = [](std::int32_t r, std::int32_t, std::int32_t) { return r == 175 ? std::int32_t{kMatchedGrey} : 0; };
    RWSlider* s = make<RWSlider>("RWSlider", "300 117 111 1 3 5");
    RWSlider::capturePalette = nullptr;
    RWSlider::nearestColour = nullptr;
    ASSERT_NE(s, nullptr);
    s->setProperty("position", "2");
    EXPECT_EQ(describe(s), "300 117 111 1 3 5");
    EXPECT_EQ(numbers(s->lessRect) + " / " + numbers(s->moreRect) + " / " + numbers(s->thumbRect),
              "300 100 317 117 / 300 228 317 245 / 300 179 317 196");
    window->update();
    EXPECT_EQ(backPixel(305, 105), kMatchedGrey);
    HeldButton button;
    std::int32_t pressedLook = 0;
    run({mouse(WM_LBUTTONDOWN, 305, 105), [&] { pressedLook = s->lessAnimation->framePosition(); },
         mouse(WM_LBUTTONUP, 305, 105)});
    EXPECT_EQ(numbers({pressedLook, s->lessAnimation->framePosition(), s->value}), "2 1 1");
    s->hide();
    EXPECT_EQ(numbers({s->thumbAnimation->isVisible(), s->moreAnimation->isVisible()}), "0 0");
    delete s;
}

// The four matched entries chain (18 -> 76 -> 11 -> 58 -> 18): each pixel changes once, in fill runs (even
// rows: 18 18 18 18, 76 76 76 76, ...) and in literal ones (odd rows: 18 76 11 58 ...); 19 is not matched.
TEST_F(SliderTest, ThePictureSliderMatchesAllItsColoursInOnePass) {
    const std::uint8_t fills[17] = {18, 18, 18, 18, 76, 76, 76, 76, 11, 11, 11, 11, 58, 58, 58, 58, 19};
    const std::uint8_t literals[17] = {18, 76, 11, 58, 18, 76, 11, 58, 18, 76, 11, 58, 18, 76, 11, 58, 19};
    AseqPictureFrame released{17, 17, {}, {}};
    for (int row = 0; row < 17; ++row) {
        const std::uint8_t* pixels = row % 2 ? literals : fills;
        released.pixels.insert(released.pixels.end(), pixels, pixels + 17);
    }
    const AseqPictureFrame pressed{17, 17, std::vector<std::uint8_t>(289, 19), {}};
    const AseqPicture picture{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, -1, 0}}}, {released, pressed}};
    data.animation(RWSlider::kLessId, writeAseq(picture, ByteOrder::big));
    RWSlider::capturePalette = [] {};
    RWSlider::nearestColour = [](std::int32_t r, std::int32_t, std::int32_t) {
        return std::int32_t{r == 175 ? 76 : r == 128 ? 11 : r == 245 ? 58 : 18};
    };
    RWSlider* s = make<RWSlider>("RWSlider", "300 117 111 1 3 5");
    RWSlider::capturePalette = nullptr;
    RWSlider::nearestColour = nullptr;
    ASSERT_NE(s, nullptr);
    window->update();
    const auto pixels = [&](std::int32_t y, std::initializer_list<std::int32_t> xs) {
        std::string shown;
        for (const std::int32_t x : xs) shown += std::to_string(backPixel(x, y)) + " ";
        return shown;
    };
    EXPECT_EQ(pixels(100, {300, 304, 308, 312, 316}) + "/ " + pixels(101, {300, 301, 302, 303}),
              "76 11 58 18 19 / 76 11 58 18 ");
    delete s;
}

// A 120 x 25 background: end zones of 50, the 17-high thumb centred 4 below the top; hiding the gauge
// leaves its pictures.
TEST_F(SliderTest, TheGaugeTakesItsBoundsFromItsBackgroundAndHidesAlone) {
    RGauge* g = make<RGauge>("RGauge", "100 200 50 10 0");
    RGauge* plain = make<RGauge>("RGauge", "0 0 0 0 0");
    ASSERT_TRUE(g && plain);
    EXPECT_EQ(describe(g) + " / " + describe(plain), "100 200 50 10 5 / 0 0 0 99 5");
    EXPECT_EQ(numbers(g->trackRect) + " / " + numbers(g->thumbRect) + " / " + numbers(plain->trackRect),
              "150 204 170 221 / 150 204 167 221 / 40 1 60 19");
    g->setProperty("position", "10");
    g->hide();
    EXPECT_EQ(numbers({g->thumbRect.left, g->thumbAnimation->isVisible(), g->backgroundAnimation->isVisible()}), "153 1 1");
    EXPECT_EQ(make<RGauge>("RGauge", "0 0 51 0 0"), nullptr);
    delete g;
    delete plain;
}

// A press on the more side with the real button up: the tick's page step raises "moved", whose handler
// deletes the slider, and the tick then finds the button up.
TEST_F(SliderTest, AMovedHandlerMayDeleteTheSlider) {
    auto* s = static_cast<RSlider*>(createObjectFromText("RSlider", "10 10 110 20 99 5"));
    Callback drop{[&] {
        delete s;
        s = nullptr;
    }};
    const OMLinkToObj<Callback> link = calling(drop);
    s->bindEvent("moved", &link, nullptr);
    run({mouse(WM_LBUTTONDOWN, 80, 15)});
    EXPECT_EQ(s, nullptr);
}

}  // namespace
