// Hot spots and keyboard input objects on the trinket window: the script classes "RHotSpot" and
// "RKbdInp" made by name, clicks and keys posted as messages, the handler stack and the key names.
#include <iterator>

#include "OMSR.h"
#include "RHotSpot.h"
#include "RKbdInp.h"
#include "TrinketFixture.h"

namespace {

struct InputObjectTest : TrinketFixture {
    void SetUp() override {
        TrinketFixture::SetUp();
        RKbdInp::setWindow(window);
        ASSERT_STREQ(RHotSpot::classRecord.className, "RHotSpot");
        ASSERT_STREQ(RKbdInp::classRecord.className, "RKbdInp");
    }
    void TearDown() override {
        RKbdInp::setWindow(nullptr);
        TrinketFixture::TearDown();
    }
    // A keyboard input object made by its class name, logging "keyPressed@name ".
    std::unique_ptr<RKbdInp> keyboard(const char* name) {
        std::unique_ptr<RKbdInp> input(static_cast<RKbdInp*>(createObject("RKbdInp")));
        names.push_back(std::make_unique<Named>(Named{name, input.get()}));
        const OMLinkToFct note(noteKey, reinterpret_cast<OMArg>(names.back().get()));
        input->bindEvent("keyPressed", &note, nullptr);
        return input;
    }
    struct Named {
        const char* name;
        RKbdInp* input;
    };
    static void noteKey(OMArg named) {
        const auto* n = reinterpret_cast<const Named*>(named);
        eventLog += std::string("keyPressed@") + n->name + ":" + n->input->getProperty("key") + " ";
    }
    // Runs Ctrl held down (in this thread's key state) while reading.
    static std::string readWithCtrl(RKbdInp& input) {
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE was = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        std::string read = input.getProperty("key");
        keys[VK_CONTROL] = was;
        SetKeyboardState(keys);
        return read;
    }
    std::vector<std::unique_ptr<Named>> names;
};

TEST_F(InputObjectTest, AHotSpotFromReversedCornersCoversTheirRectangleAndRaisesHitOnRelease) {
    auto* spot = static_cast<RHotSpot*>(createObject("RHotSpot", "300", "200", "100", "50"));
    ASSERT_NE(spot, nullptr);
    EXPECT_EQ(spot->getBounds(), (OMRect{100, 50, 300, 200}));
    EXPECT_EQ(spot->showsCursor, 1) << "four arguments: the flag reads 0";
    EXPECT_EQ(spot->getProperty("x"), nullptr) << "only its own properties";
    spot->tag = 5;
    watch(spot, {"hit"});
    run({mouse(WM_LBUTTONDOWN, 100, 50), mouse(WM_MOUSEMOVE, 140, 90), mouse(WM_LBUTTONUP, 140, 90)});
    EXPECT_EQ(eventLog, "hit@5 ");
    EXPECT_EQ(spot->getBounds(), (OMRect{100, 50, 300, 200})) << "dragging does not move it";
    eventLog.clear();
    run({mouse(WM_LBUTTONDOWN, 300, 200), mouse(WM_LBUTTONUP, 300, 200), mouse(WM_LBUTTONDOWN, 99, 60),
         mouse(WM_LBUTTONUP, 99, 60)});
    EXPECT_EQ(eventLog, "") << "right and bottom are outside";
    spot->setMovable(0);
    run({mouse(WM_LBUTTONDOWN, 150, 60), mouse(WM_LBUTTONUP, 150, 60)});
    EXPECT_EQ(eventLog, "") << "a fixed hot spot is not held, so it hears no release";
    delete spot;
}

TEST_F(InputObjectTest, TopBringsAHotSpotAboveEveryTrinketAndAFlaggedOneShowsTheDefaultCursor) {
    auto* spot = static_cast<RHotSpot*>(createObject("RHotSpot", "0", "0", "50", "50", "1"));
    OMTrinket* cover = solid({0, 0, 50, 50}, 249, 1);
    cover->setZ(3);
    EXPECT_EQ(spot->showsCursor, 0);
    EXPECT_EQ(window->trinketAt({10, 10}), cover);
    EXPECT_EQ(spot->invokeMethod("top"), 1);
    EXPECT_EQ(spot->getZ(), 4);
    EXPECT_EQ(window->trinketAt({10, 10}), spot) << "the list follows the new z";
    std::unique_ptr<OMScriptableObject> copy(spot->clone());
    auto* twin = static_cast<RHotSpot*>(copy.get());
    EXPECT_EQ(twin->getBounds(), spot->getBounds());
    EXPECT_EQ(twin->showsCursor, 1) << "a copy shows the trinket cursor";
    EXPECT_EQ(twin->invokeMethod("top"), 1) << "the copy has the properties";
}

TEST_F(InputObjectTest, KeysReachTheNewestKeyboardInputAndGoBackWhenItIsDeleted) {
    Callback earlier{[] { eventLog += "window "; }};
    const OMLinkToObj<Callback> windowKeys = calling(earlier);
    window->setKeyHandler(&windowKeys);
    run({keyMessage(WM_CHAR, 'x')});
    EXPECT_EQ(eventLog, "window ") << "no input object: the handler the window had";
    eventLog.clear();
    auto a = keyboard("A");
    auto b = keyboard("B");
    run({keyMessage(WM_CHAR, 'a'), keyMessage(WM_KEYDOWN, VK_RIGHT), keyMessage(WM_KEYDOWN, VK_F10),
         keyMessage(WM_CHAR, 13), keyMessage(WM_CHAR, ' ')});
    EXPECT_EQ(eventLog, "keyPressed@B:a keyPressed@B:Right keyPressed@B:F10 keyPressed@B:Enter keyPressed@B:  ");
    eventLog.clear();
    b.reset();
    run({keyMessage(WM_CHAR, 'A')});
    EXPECT_EQ(eventLog, "keyPressed@A:A ");
    eventLog.clear();
    a.reset();
    run({keyMessage(WM_CHAR, 'z')});
    EXPECT_EQ(eventLog, "window ");
}

// B is deleted while C, made after it, lives: C inherits what B had saved, so deleting C gives the keys
// to A and never to the deleted B.
TEST_F(InputObjectTest, DeletingAKeyboardInputFromTheMiddleKeepsTheStackSound) {
    auto a = keyboard("A");
    auto b = keyboard("B");
    auto c = keyboard("C");
    b.reset();
    run({keyMessage(WM_CHAR, '1')});
    EXPECT_EQ(eventLog, "keyPressed@C:1 ");
    eventLog.clear();
    c.reset();
    run({keyMessage(WM_CHAR, '2')});
    EXPECT_EQ(eventLog, "keyPressed@A:2 ");
    a.reset();
    EXPECT_EQ(window->keyHandler(), nullptr);
}

// Ctrl+A arrives as the control character 1; Ctrl+M as 13, which the window turns into Enter's code.
TEST_F(InputObjectTest, ReadingTheKeyWithCtrlHeldNamesItAndLeavesTheCodeAlone) {
    auto input = keyboard("K");
    run({keyMessage(WM_CHAR, 1)});
    EXPECT_EQ(readWithCtrl(*input), "Ctrl-A");
    EXPECT_EQ(readWithCtrl(*input), "Ctrl-A") << "a second reading";
    EXPECT_EQ(input->keyCode, 1u);
    EXPECT_EQ(input->setProperty("key", "q"), 0) << "read-only";
    run({keyMessage(WM_CHAR, 13)});
    EXPECT_EQ(readWithCtrl(*input), "Ctrl-M");
    EXPECT_STREQ(input->getProperty("key"), "Enter");
    run({keyMessage(WM_KEYDOWN, VK_F1)});
    EXPECT_EQ(readWithCtrl(*input), "Ctrl-F1");
}

TEST(KeyNameTest, NamesFollowTheTableAndOtherCodesTheirCharacter) {
    const char* const table[] = {"Backspace", "Tab", "Enter", "Pause", "Esc", "PageUp", "PageDown", "End",
                                 "Home", "Left", "Up", "Right", "Down", "Insert", "Delete", "F1"};
    for (std::uint32_t i = 0; i < std::size(table); ++i) EXPECT_EQ(keyName(0xE800 + i, false), table[i]);
    const std::tuple<std::uint32_t, bool, const char*> cases[] = {
        {'a', false, "a"}, {'A', false, "A"}, {' ', false, " "}, {1, true, "Ctrl-A"}, {26, true, "Ctrl-Z"},
        {0xE818, false, "F10"}, {0xE81A, false, "F12"}, {0xE81B, false, "\x1B"}, {0xE802, true, "Ctrl-M"},
        {0xE804, true, "Ctrl-["}, {0xE80B, true, "Ctrl-Right"}, {0xE803, true, "Ctrl-Pause"}};
    for (const auto& [code, ctrl, name] : cases) EXPECT_EQ(keyName(code, ctrl), name) << code;
    EXPECT_EQ(keyName(0, false), std::string(1, '\0')) << "code 0 before any key";
}

}  // namespace
