// Hot spots and keyboard input objects ("RHotSpot", "RKbdInp") with posted clicks and keys, and the key names.
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
    struct Named { const char* name; RKbdInp* input; };
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

TEST_F(InputObjectTest, HotSpotsCoverTheirCornersRectangleRaiseHitOnReleaseAndRiseToTheTop) {
    auto* spot = static_cast<RHotSpot*>(createObject("RHotSpot", "300", "200", "100", "50"));
    ASSERT_NE(spot, nullptr);
    EXPECT_EQ(spot->getBounds(), (OMRect{100, 50, 300, 200}));
    EXPECT_EQ(std::make_pair(spot->showsCursor, spot->getProperty("x")), std::make_pair(1, static_cast<const char*>(nullptr)))
        << "four arguments: the flag reads 0; only its own properties";
    spot->tag = 5;
    watch(spot, {"hit"});
    run({mouse(WM_LBUTTONDOWN, 100, 50), mouse(WM_MOUSEMOVE, 140, 90), mouse(WM_LBUTTONUP, 140, 90)});
    EXPECT_EQ(eventLog + numbers(spot->getBounds()), "hit@5 100 50 300 200") << "dragging does not move it";
    eventLog.clear();
    // Right and bottom are outside; a fixed hot spot is not held, so it hears no release.
    run({mouse(WM_LBUTTONDOWN, 300, 200), mouse(WM_LBUTTONUP, 300, 200), mouse(WM_LBUTTONDOWN, 99, 60),
         mouse(WM_LBUTTONUP, 99, 60), [&] { spot->setMovable(0); }, mouse(WM_LBUTTONDOWN, 150, 60), mouse(WM_LBUTTONUP, 150, 60)});
    EXPECT_EQ(eventLog, "");
    delete spot;
    // "top" brings a hot spot above every trinket; a flagged one shows the default cursor.
    spot = static_cast<RHotSpot*>(createObject("RHotSpot", "0", "0", "50", "50", "1"));
    OMTrinket* cover = solid({0, 0, 50, 50}, 249, 1);
    cover->setZ(3);
    EXPECT_EQ(std::make_pair(spot->showsCursor, window->trinketAt({10, 10})), std::make_pair(0, cover));
    EXPECT_EQ(spot->invokeMethod("top"), 1);
    EXPECT_EQ(std::make_pair(spot->getZ(), window->trinketAt({10, 10})), std::make_pair(4, static_cast<OMTrinket*>(spot)))
        << "the list follows the new z";
    std::unique_ptr<OMScriptableObject> copy(spot->clone());
    auto* twin = static_cast<RHotSpot*>(copy.get());
    EXPECT_EQ(twin->getBounds(), spot->getBounds());
    EXPECT_EQ(std::make_pair(twin->showsCursor, twin->invokeMethod("top")), std::make_pair(1, 1))
        << "a copy shows the trinket cursor and has the properties";
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
    run({[&] { b.reset(); }, keyMessage(WM_CHAR, 'A'), [&] { a.reset(); }, keyMessage(WM_CHAR, 'z')});
    EXPECT_EQ(eventLog, "keyPressed@A:A window ");
}

// B is deleted while C, made after it, lives: C inherits what B had saved, so deleting C gives the keys
// to A and never to the deleted B.
TEST_F(InputObjectTest, DeletingAKeyboardInputFromTheMiddleKeepsTheStackSound) {
    auto a = keyboard("A");
    auto b = keyboard("B");
    auto c = keyboard("C");
    b.reset();
    run({keyMessage(WM_CHAR, '1'), [&] { c.reset(); }, keyMessage(WM_CHAR, '2')});
    EXPECT_EQ(eventLog, "keyPressed@C:1 keyPressed@A:2 ");
    a.reset();
    EXPECT_EQ(window->keyHandler(), nullptr);
}

// Ctrl+A arrives as the control character 1; Ctrl+M as 13, which the window turns into Enter's code.
TEST_F(InputObjectTest, ReadingTheKeyWithCtrlHeldNamesItAndLeavesTheCodeAlone) {
    auto input = keyboard("K");
    run({keyMessage(WM_CHAR, 1)});
    EXPECT_EQ(readWithCtrl(*input) + " " + readWithCtrl(*input), "Ctrl-A Ctrl-A") << "a second reading";
    EXPECT_EQ(std::make_pair(input->keyCode, input->setProperty("key", "q")), std::make_pair(1u, 0)) << "read-only";
    run({keyMessage(WM_CHAR, 13)});
    const std::string withCtrl = readWithCtrl(*input);
    EXPECT_EQ(withCtrl + " " + input->getProperty("key"), "Ctrl-M Enter");
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
