// Push buttons with the fake wave device: the looks, "hit" held back until the click sound ends, the factory.
#include <stdexcept>

#include "AseqWriter.h"
#include "RPButton.h"
#include "SoundTrinketFixture.h"

namespace {

constexpr std::uint8_t kRed = 249;
constexpr std::uint8_t kBlue = 252;
constexpr std::uint8_t kGrey = 7;

struct ButtonTest : SoundTrinketFixture {
    // Animation 3: three 4 x 2 looks, the normal one with a transparent top-left pixel; hold, the looks, end.
    void SetUp() override {
        SoundTrinketFixture::SetUp();
        // Naming the record links the class in.
        ASSERT_TRUE(classExists(RPButton::classRecord.className));
        const auto look = [](std::uint8_t c, std::uint8_t corner) { return AseqPictureFrame{4, 2, {corner, c, c, c, c, c, c, c}, {}}; };
        const AseqPicture p{8, {}, 0, {{{0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 0}, {0, 0, kAseqEnd, 0}}},
                            {look(kRed, 0), look(kBlue, kBlue), look(kGrey, kGrey)}};
        data.animation(3, writeAseq(p, ByteOrder::big));
        serveVoice(5);
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
};

// Pressed at (102, 50) and released: "hit" over the button's pixels, held back until the click sound
// ends; nothing outside, over the transparent top-left pixel of the normal look, or when disabled.
TEST_F(ButtonTest, AReleaseOverTheButtonRaisesHitOnlyWhenTheClickEnds) {
    const struct {
        const char *name, *property, *value; POINT release; const char *atRelease, *afterClick; std::int32_t look;
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
        const std::string atRelease = eventLog;
        wave.playOut();
        EXPECT_EQ(std::make_tuple(atRelease, eventLog, b->framePosition()),
                  std::make_tuple(std::string(c.atRelease), std::string(c.afterClick), c.look));
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

// The play delay has a floor of 50 ms; a scripted click shows the pressed look (2) for the delay (100 ms).
TEST_F(ButtonTest, AScriptedClickShowsThePressedLookForThePlayDelay) {
    RPButton* b = button();
    std::string delays;
    for (const char* set : {"10", "50", "51"}) delays += (b->setProperty("playDelay", set), std::string(b->getProperty("playDelay"))) + " ";
    EXPECT_EQ(delays, "50 50 51 ");
    b->setProperty("clickSoundID", "-1");
    b->setProperty("playDelay", "100");
    fakeMs = 5000;
    EXPECT_EQ(b->invokeMethod("default"), 1);
    std::string shown;  // look and colour at each time
    for (const std::uint32_t ms : {5000u, 5100u, 5101u}) {
        fakeMs = ms;
        window->update();
        shown += std::to_string(b->framePosition()) + (backPixel(101, 50) == kBlue ? "blue " : backPixel(101, 50) == kRed ? "red " : "? ");
    }
    EXPECT_EQ(shown, "2blue 2blue 1red ");
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
