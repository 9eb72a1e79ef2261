// The sign-in screen in this process on a trinket window, over the user registry in a temporary working
// folder, with posted keys and mouse input; "cSignin" is answered with "clear" as a script does.
#include <windows.h>

#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "FreedMemory.h"
#include "OMAlert.h"
#include "RWSlider.h"
#include "TrinketFixture.h"
#include "UserRegistry.h"
#include "signin.h"

namespace {

std::string alerts;

// Alerts are logged; the removal question is answered Yes.
int recordAlert(const char* text, unsigned flags, const char*) {
    alerts += std::string(text) + " " + std::to_string(flags) + "\n";
    return 6;
}

struct SignInTest : TrinketFixture {
    void SetUp() override {
        TrinketFixture::SetUp();
        ASSERT_TRUE(classExists(signin::classRecord.className));
        GetCurrentDirectoryA(MAX_PATH, outside);
        SetCurrentDirectoryA(folder.path().c_str());
        CreateDirectoryA("users", nullptr);
        previousSink = omSetAlertSink(recordAlert);
        alerts.clear();
        const AseqPicture picture{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, -1, 0}}},
                                  {{17, 17, std::vector<std::uint8_t>(289, 18), {}}, {17, 17, std::vector<std::uint8_t>(289, 19), {}}}};
        for (const std::int16_t id : {RWSlider::kLessId, RWSlider::kMoreId, RWSlider::kThumbId})
            data.animation(id, writeAseq(picture, ByteOrder::big));
    }
    void TearDown() override {
        delete screen;
        deleteUserStore();
        omSetAlertSink(previousSink);
        SetCurrentDirectoryA(outside);
        TrinketFixture::TearDown();
    }
    // The registered names, then the screen at (100, 100), 200 wide, whose "cSignin" is logged and calls
    // "clear".
    signin* open(std::initializer_list<const char*> registered) {
        for (const char* name : registered) static_cast<void>(selectOrAddUser(name));
        deleteUserStore();
        screen = new signin(window, 100, 100, 200);
        screen->registerProperties();
        watch(screen, {"hit", "noName", "killedUser"});
        static Callback answer;
        answer.code = [s = screen] {
            eventLog += "cSignin ";
            s->invokeMethod("clear", kParameterEnd);
        };
        const OMLinkToObj<Callback> link = calling(answer);
        screen->bindEvent("cSignin", &link, nullptr);
        screen->invokeMethod("clear", kParameterEnd);
        return screen;
    }
    // Posts each character as WM_CHAR (Backspace 8, Enter 13).
    static void type(const std::string& keys) {
        std::vector<std::function<void()>> steps;
        for (const char c : keys) steps.push_back(keyMessage(WM_CHAR, static_cast<unsigned char>(c)));
        run(steps);
    }
    std::string list() const {
        std::string text;
        for (const std::string& name : screen->names) text += name + ",";
        return text + " highlight " + std::to_string(screen->highlight) + " typed " + screen->typed;
    }

    TempFolder folder;
    char outside[MAX_PATH] = {};
    OMAlertSink previousSink = nullptr;
    AnimationFiles data;
    signin* screen = nullptr;
};

TEST_F(SignInTest, TypingFindsANameOrAddsAnEntryThatBackspacesTakeBack) {
    open({"Zoe", "Sam"});
    EXPECT_EQ(list(), "Sam,Zoe, highlight 1 typed ");
    type("z");
    EXPECT_EQ(list(), "Sam,Zoe, highlight 2 typed Z");
    EXPECT_TRUE(screen->matched);
    type("\b");
    type("s");
    EXPECT_EQ(list(), "Sam,Zoe, highlight 1 typed S");
    type("\bbo");
    EXPECT_EQ(list(), "Bo,Sam,Zoe, highlight 1 typed Bo");
    type("\b\b");
    EXPECT_EQ(list(), "Sam,Zoe, highlight 1 typed ");
    EXPECT_EQ(eventLog, "cSignin noName@0 cSignin noName@0 cSignin cSignin noName@0 ");
    eventLog.clear();
    type("abcdefghijklm");
    EXPECT_EQ(list() + " " + std::to_string(eventLog.size() / 8), "Abcdefghijkl,Sam,Zoe, highlight 1 typed Abcdefghijkl 12")
        << "the 13th character beeps";
}

// Enter signs in: a new name is added to the registry (isNew 1), a known one selected (isNew 0); the
// screen hides and takes no more keys.
TEST_F(SignInTest, EnterSignsInWithTheHighlightedEntry) {
    open({"Sam", "Zoe"});
    type("ann\r");
    EXPECT_EQ(numbers({screen->isNew, screen->visible, screen->disabled}) + " " + screen->getProperty("isNew"), "1 0 1 1");
    EXPECT_EQ(eventLog, "cSignin cSignin cSignin hit@0 ");
    delete screen;
    screen = nullptr;
    std::string walked = firstUserName();
    for (int i = 0; i < 2; ++i) walked += std::string(",") + nextUserName();
    EXPECT_EQ(walked + " " + std::to_string(userCount()), "Sam,Zoe,Ann 3");
    open({});
    type("\x12");  // Ctrl+R on Ann, then Down and Enter: Sam
    run({keyMessage(WM_KEYDOWN, VK_DOWN), keyMessage(WM_CHAR, 13)});
    EXPECT_EQ(alerts, "Do you want to remove the highlighted entry? 12292\n");
    EXPECT_EQ(std::to_string(screen->isNew) + " " + list(), "0 Sam,Zoe, highlight 2 typed ");
}

// A handler that drops the screen ends the key there: nothing touches the screen after its events.
TEST_F(SignInTest, AHandlerThatDropsTheScreenEndsTheKey) {
    const struct { const char* event; bool newPlayer; const char* keys; } cases[] = {
        {"hit", false, "ann\r"}, {"hit", true, "bo\r"},         {"noName", false, "b\b"},
        {"noName", true, "b\b"}, {"cSignin", false, "s"},      {"cSignin", true, "s"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.event) + (c.newPlayer ? " new player" : ""));
        open({"Sam"});
        if (c.newPlayer) screen->invokeMethod("newplayer", kParameterEnd);
        const signin* dropped = screen;
        Callback drop{[this] {
            delete screen;
            screen = nullptr;
        }};
        const OMLinkToObj<Callback> link = calling(drop);
        screen->bindEvent(c.event, &link, nullptr);
        type(c.keys);
        ASSERT_EQ(screen, nullptr);
        EXPECT_TRUE(freedUntouched(dropped));
    }
}

// Letters and Enter go to the entry being typed, even after a click on another name or a slider move.
TEST_F(SignInTest, TheEntryBeingTypedKeepsItsLettersAfterAClickOrASliderMove) {
    const struct { const char* name; bool newPlayer; bool slide; const char* expected; } cases[] = {
        {"typed, then a click", false, false, "1 Bo,Sam,Zoe, highlight 1 typed "},
        {"newplayer, then a click", true, false, "1 Bo,Sam,Zoe, highlight 1 typed "},
        {"typed, then a slider move", false, true, "1 Ann,Bo,Cat,Dan,Eve,Fay,Gus,Hal,Ian, highlight 2 typed "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        delete screen;
        DeleteFileA("users\\USERS.DAT");
        if (c.slide) open({"Ann", "Cat", "Dan", "Eve", "Fay", "Gus", "Hal", "Ian"});
        else open({"Sam", "Zoe"});
        if (c.newPlayer) screen->invokeMethod("newplayer", kParameterEnd);
        type("b");
        if (c.slide) {
            screen->slider->setValue(1);
            window->update();
        } else {
            run({mouse(WM_LBUTTONDOWN, 150, 130), mouse(WM_LBUTTONUP, 150, 130)});  // row 1
        }
        type("o\r");
        EXPECT_EQ(std::to_string(screen->isNew) + " " + list(), c.expected);
    }
}

// Tab and Delete do nothing, in the list and in a new entry; Esc, which the screen has no use for, goes on
// to the window's own key handler.
TEST_F(SignInTest, TabAndDeleteDoNothingAndEscGoesOnToTheWindow) {
    Callback windowKey{[] { eventLog += "window "; }};
    const OMLinkToObj<Callback> windowKeys = calling(windowKey);
    window->setKeyHandler(&windowKeys);
    for (const bool newPlayer : {false, true}) {
        SCOPED_TRACE(newPlayer ? "new player" : "list");
        delete screen;
        open({"Sam", "Zoe"});
        if (newPlayer) screen->invokeMethod("newplayer", kParameterEnd);
        type("z");
        eventLog.clear();
        run({keyMessage(WM_CHAR, 9), keyMessage(WM_KEYDOWN, VK_DELETE), keyMessage(WM_CHAR, 27)});
        EXPECT_EQ(eventLog, "window ");
        EXPECT_EQ(list(), newPlayer ? "Z,Sam,Zoe, highlight 1 typed Z" : "Sam,Zoe, highlight 2 typed Z");
    }
    window->setKeyHandler(nullptr);
}

// "newplayer" opens an empty entry at the top; blanks alone are no name.
TEST_F(SignInTest, ANewPlayerOfBlanksIsRejected) {
    open({"Sam"});
    screen->invokeMethod("newplayer", kParameterEnd);
    type("   \r");
    EXPECT_EQ(alerts, "Type a user name to start the session. 12288\n");
    EXPECT_EQ(std::string(screen->getProperty("isNew")) + " " + list(), "2 ,Sam, highlight 1 typed ");
}

// Moving the slider scrolls the list and the highlight with it; a double click on a row signs in with it.
TEST_F(SignInTest, EightNamesGetASliderAndSevenDoNot) {
    open({"A", "B", "C", "D", "E", "F", "G"});
    EXPECT_EQ(screen->slider, nullptr);
    delete screen;
    screen = open({"H"});
    ASSERT_NE(screen->slider, nullptr);
    char text[64];
    screen->slider->describe(text, sizeof text);
    EXPECT_STREQ(text, "300 117 111 1 1 5");
    screen->slider->setValue(1);
    window->update();
    EXPECT_EQ(numbers({screen->top, screen->highlight}), "1 2");
    run({mouse(WM_LBUTTONDBLCLK, 150, 141)});  // row 2 starts 41 pixels down
    EXPECT_EQ(numbers({screen->highlight, screen->isNew}) + " " + eventLog, "4 0 hit@0 ");
}

}  // namespace
