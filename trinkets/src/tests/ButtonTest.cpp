// Push buttons on the 8-bit window with the fake wave device: the three looks, "hit" held back until the
// click sound ends, releases outside, dragging, the scripted click and the factory.
#include <stdexcept>
#include <string>

#include "AseqWriter.h"
#include "Files.h"
#include "OMIStreamFile.h"
#include "RPButton.h"
#include "SoundFixture.h"
#include "TempFolder.h"
#include "TrinketFixture.h"

namespace {

constexpr std::uint8_t kRed = 249;
constexpr std::uint8_t kBlue = 252;
constexpr std::uint8_t kGrey = 7;

class ButtonTest : public TrinketFixture {
protected:
    void SetUp() override {
        TrinketFixture::SetUp();
        // Naming the record links the class in.
        ASSERT_TRUE(classExists(RPButton::classRecord.className));
        previousDevice = setWaveDevice(&device);
        soundFile = folder.file("click.wav");
        buttonFile = folder.file("button.seq");
        writeWholeFile(soundFile, wave(std::string(3308, '\x90')));  // 300 ms at 11025 samples a second
        writeWholeFile(buttonFile, writeAseq(picture(), ByteOrder::big));
        OMAnimation::soundHook = [](std::int16_t id) -> OMIStream* {
            return id == 5 ? new OMIStreamFile(soundFile.c_str(), kStreamWhole, nullptr) : nullptr;
        };
        OMAnimation::animationHook = [](std::int16_t id) -> OMIStream* {
            return id == 3 ? new OMIStreamFile(buttonFile.c_str(), kStreamWhole, nullptr) : nullptr;
        };
    }
    void TearDown() override {
        OMAnimation::soundHook = nullptr;
        OMAnimation::animationHook = nullptr;
        OMSound::stopAll();
        OMWaveSound::closeDevice();
        device.refuseOpen = true;
        static_cast<void>(OMWaveSound::openDevice(0));
        setWaveDevice(previousDevice);
        TrinketFixture::TearDown();
    }
    // Three 4 x 2 looks, the normal one with a transparent top-left pixel: hold, then the looks, end.
    static AseqPicture picture() {
        const auto look = [](std::uint8_t c, std::uint8_t corner) { return AseqPictureFrame{4, 2, {corner, c, c, c, c, c, c, c}, {}}; };
        AseqPicture p;
        p.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 0}, {0, 0, -1, 0}}};
        p.frames = {look(kRed, 0), look(kBlue, kBlue), look(kGrey, kGrey)};
        return p;
    }
    // A button at (100, 50) with the click sound 5.
    RPButton* button() {
        auto* b = static_cast<RPButton*>(createObject("RPButton", "100", "50", "3"));
        if (!b) throw std::runtime_error("no button");
        b->tag = 1;
        b->clickSoundID = 5;
        watch(b, {"hit"});
        return b;
    }
    // Lets the device play every buffer it holds.
    void playOut() {
        for (int i = 0; i < 200 && OMWaveOutMixer::active(); ++i) {
            OMWaveOutMixer::pump();
            device.complete();
        }
        OMWaveOutMixer::pump();
    }

    FakeWaveDevice device;
    OMWaveDevice* previousDevice = nullptr;
    TempFolder folder;
    static inline std::string soundFile;
    static inline std::string buttonFile;
};

// Pressed at (102, 50) and released: "hit" over the button's pixels, held back until the click sound
// ends; nothing outside, over the transparent top-left pixel of the normal look, or when disabled.
TEST_F(ButtonTest, AReleaseOverTheButtonRaisesHitOnlyWhenTheClickEnds) {
    const struct {
        const char* name;
        const char* property;
        const char* value;
        POINT release;
        const char* atRelease;
        const char* afterClick;
        std::int32_t look;
    } cases[] = {
        {"over", "clickSoundID", "5", {101, 51}, "", "hit@1 ", RPButton::kNormal},
        {"over, no click sound", "clickSoundID", "-1", {101, 51}, "hit@1 ", "hit@1 ", RPButton::kNormal},
        {"outside", "clickSoundID", "5", {300, 300}, "", "", RPButton::kNormal},
        {"transparent pixel", "clickSoundID", "5", {100, 50}, "", "", RPButton::kNormal},
        {"disabled", "enabled", "0", {101, 51}, "", "", RPButton::kDisabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        eventLog.clear();
        RPButton* b = button();
        b->setProperty(c.property, c.value);
        run({mouse(WM_LBUTTONDOWN, 102, 50), mouse(WM_LBUTTONUP, c.release.x, c.release.y)});
        EXPECT_EQ(eventLog, c.atRelease);
        playOut();
        EXPECT_EQ(eventLog, c.afterClick);
        EXPECT_EQ(b->framePosition(), c.look);
        delete b;
    }
}

TEST_F(ButtonTest, DraggingOutShowsTheNormalLookAndBackInThePressedLook) {
    RPButton* b = button();
    std::string looks;
    const auto note = [&] { looks += std::to_string(b->framePosition()); };
    run({mouse(WM_LBUTTONDOWN, 102, 50), note, mouse(WM_MOUSEMOVE, 300, 300), note, mouse(WM_MOUSEMOVE, 102, 51), note});
    EXPECT_EQ(looks, "212");
}

// The play delay has a floor of 50 ms; a scripted click shows the pressed look for the delay (100 ms).
TEST_F(ButtonTest, AScriptedClickShowsThePressedLookForThePlayDelay) {
    RPButton* b = button();
    for (const auto& d : {std::pair<const char*, const char*>{"10", "50"}, {"50", "50"}, {"51", "51"}}) {
        b->setProperty("playDelay", d.first);
        EXPECT_STREQ(b->getProperty("playDelay"), d.second) << d.first;
    }
    b->setProperty("clickSoundID", "-1");
    b->setProperty("playDelay", "100");
    fakeMs = 5000;
    EXPECT_EQ(b->invokeMethod("default"), 1);
    const struct {
        std::uint32_t ms;
        std::int32_t look;
        std::uint8_t pixel;
    } steps[] = {{5000, RPButton::kPressed, kBlue}, {5100, RPButton::kPressed, kBlue}, {5101, RPButton::kNormal, kRed}};
    for (const auto& step : steps) {
        fakeMs = step.ms;
        window->update();
        EXPECT_EQ(b->framePosition(), step.look) << step.ms;
        EXPECT_EQ(backPixel(101, 50), step.pixel) << step.ms;
    }
}

TEST_F(ButtonTest, TheFactoryTakesAnIdAloneOrAPositionAndAnId) {
    EXPECT_EQ(createObjectFromText("RPButton", ""), nullptr) << "no id";
    EXPECT_EQ(createObject("RPButton", "4"), nullptr);
    EXPECT_EQ(static_cast<RPButton*>(createObject("RPButton", "3"))->bounds, (OMRect{0, 0, 4, 2}));
    char text[16];
    button()->describe(text, sizeof text);
    EXPECT_STREQ(text, "100 50");
}

}  // namespace
