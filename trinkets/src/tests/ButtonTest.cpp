// Push buttons on the 8-bit window with the fake wave device: the three looks, "hit" on release over the
// button's pixels held back until the click sound ends, releases outside, dragging, the scripted click
// and the script face.
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
        // 300 ms at 11025 samples a second.
        writeWholeFile(folder.file("click.wav"), wave(std::string(3308, '\x90')));
        writeWholeFile(folder.file("button.seq"), writeAseq(picture(), ByteOrder::big));
        soundFile = folder.file("click.wav");
        buttonFile = folder.file("button.seq");
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
        AseqPicture p;
        p.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 0}, {0, 0, -1, 0}}};
        const auto look = [](std::uint8_t colour, std::uint8_t corner) {
            return AseqPictureFrame{4, 2, {corner, colour, colour, colour, colour, colour, colour, colour}, {}};
        };
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

TEST_F(ButtonTest, AReleaseOverTheButtonRaisesHitOnlyWhenTheClickEnds) {
    RPButton* b = button();
    run({mouse(WM_LBUTTONDOWN, 101, 50), mouse(WM_LBUTTONUP, 101, 51)});
    EXPECT_EQ(b->framePosition(), RPButton::kNormal);
    EXPECT_FALSE(device.writes.empty()) << "the click plays";
    EXPECT_EQ(eventLog, "") << "the click is still sounding";
    EXPECT_TRUE(b->pendingHit);
    playOut();
    EXPECT_EQ(eventLog, "hit@1 ");
    EXPECT_FALSE(b->pendingHit);
}

TEST_F(ButtonTest, WithoutAClickSoundAReleaseOverTheButtonRaisesHitAtOnce) {
    RPButton* b = button();
    b->setProperty("clickSoundID", "-1");
    EXPECT_STREQ(b->getProperty("clickSoundID"), "-1");
    run({mouse(WM_LBUTTONDOWN, 101, 50), mouse(WM_LBUTTONUP, 101, 51)});
    EXPECT_EQ(eventLog, "hit@1 ");
    EXPECT_TRUE(device.writes.empty());
}

// The top-left pixel is transparent in the normal look, so a release there is outside the button too.
TEST_F(ButtonTest, AReleaseOutsideTheButtonsPixelsRaisesNothing) {
    for (const POINT release : {POINT{300, 300}, POINT{100, 50}}) {
        SCOPED_TRACE(std::to_string(release.x));
        RPButton* b = button();
        run({mouse(WM_LBUTTONDOWN, 102, 50), mouse(WM_LBUTTONUP, release.x, release.y)});
        playOut();
        EXPECT_EQ(eventLog, "");
        EXPECT_EQ(b->framePosition(), RPButton::kNormal);
        delete b;
    }
}

TEST_F(ButtonTest, DraggingOutShowsTheNormalLookAndBackInThePressedLookWithAnotherClick) {
    RPButton* b = button();
    std::string looks;
    Callback note{[&] { looks += std::to_string(b->framePosition()); }};
    run({mouse(WM_LBUTTONDOWN, 102, 50), [&] { note.run(); }, mouse(WM_MOUSEMOVE, 300, 300), [&] { note.run(); },
         mouse(WM_MOUSEMOVE, 102, 51), [&] { note.run(); }});
    EXPECT_EQ(looks, "212");
}

TEST_F(ButtonTest, AScriptedClickShowsThePressedLookForThePlayDelay) {
    RPButton* b = button();
    b->setProperty("clickSoundID", "-1");
    b->setProperty("playDelay", "100");
    fakeMs = 5000;
    EXPECT_EQ(b->invokeMethod("default"), 1);
    window->update();
    EXPECT_EQ(b->framePosition(), RPButton::kPressed);
    EXPECT_EQ(backPixel(100, 50), kBlue);
    fakeMs = 5100;
    window->update();
    EXPECT_EQ(b->framePosition(), RPButton::kPressed);
    fakeMs = 5101;
    window->update();
    EXPECT_EQ(b->framePosition(), RPButton::kNormal);
    EXPECT_EQ(backPixel(101, 50), kRed);
}

TEST_F(ButtonTest, ThePlayDelayHasAFloorAndDisablingShowsTheDisabledLook) {
    RPButton* b = button();
    const struct {
        const char* set;
        const char* read;
    } delays[] = {{"10", "50"}, {"50", "50"}, {"51", "51"}, {"400", "400"}};
    for (const auto& d : delays) {
        SCOPED_TRACE(d.set);
        b->setProperty("playDelay", d.set);
        EXPECT_STREQ(b->getProperty("playDelay"), d.read);
    }
    b->setProperty("enabled", "0");
    EXPECT_STREQ(b->getProperty("enabled"), "0");
    EXPECT_EQ(b->framePosition(), RPButton::kDisabled);
    run({mouse(WM_LBUTTONDOWN, 101, 50), mouse(WM_LBUTTONUP, 101, 51)});
    EXPECT_EQ(eventLog, "");
    b->setProperty("enabled", "1");
    EXPECT_EQ(b->framePosition(), RPButton::kNormal);
    char text[16];
    b->describe(text, sizeof text);
    EXPECT_STREQ(text, "100 50");
}

TEST_F(ButtonTest, TheFactoryTakesAnIdAloneOrAPositionAndAnId) {
    EXPECT_EQ(createObjectFromText("RPButton", ""), nullptr) << "no id";
    EXPECT_EQ(createObject("RPButton", "4"), nullptr);
    auto* placed = static_cast<RPButton*>(createObject("RPButton", "3"));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->bounds, (OMRect{0, 0, 4, 2}));
    auto* given = static_cast<RPButton*>(createObject("RPButton", "20", "30", "3"));
    EXPECT_EQ(given->bounds, (OMRect{20, 30, 24, 32}));
}

}  // namespace
