// The command buttons through a scene's mouse handlers: plain, click-only and hover-wait buttons,
// the hover cancelled or moved, a 17th button and a 21st spot that never fire, and the pointer keeping the
// mouse inside the picture.
#include "AnimSpot.h"
#include "CommandButton.h"
#include "Cursor.h"
#include "HoverPointer.h"
#include "KitTestSupport.h"
#include "Scene.h"

namespace {

// A screen of its own: the base class's mouse handlers track the buttons.
struct PlainScene : Scene {
    void Draw(const Rect&) override {}
};

struct ButtonTest : KitTest {
    // Buttons of 'XPK' 1 at x = 10 + 20 * (id - 200), y = 100.
    CommandButton& add(std::uint32_t id, std::uint16_t clickOnly, std::uint16_t hoverWait) {
        buttons.push_back(std::make_unique<CommandButton>());
        EXPECT_NE(buttons.back()->Add(id, 1, 1, 1, 0, at(id).h, 100), 0);
        buttons.back()->Register(this, clickOnly, hoverWait);
        return *buttons.back();
    }
    static Point at(std::uint32_t id) { return Point{static_cast<std::int16_t>(10 + 20 * (id - 200)), 105}; }
    void move(Point point) {
        scene.OnMouseMove(point);
        if (gCurrentPointer) gCurrentPointer->MoveTo(point);
    }
    static std::string offset() {
        return std::to_string(gCurrentPointer->Offset().h) + "," + std::to_string(gCurrentPointer->Offset().v);
    }
    static Point mouse() {
        Point p{};
        CursorGetLocation(&p);
        return p;
    }
    std::vector<std::unique_ptr<CommandButton>> buttons;
    PlainScene scene;
};

TEST_F(ButtonTest, PlainClickOnlyAndHoverWaitButtonsFireAsTheyShould) {
    HoverPointer pointer(kKitHoverAnim, kKitPointerXpk, 0, 0);
    gCurrentPointer = &pointer;
    add(200, 0, 0);  // plain
    add(201, 1, 0);  // click-only
    add(202, 0, 1);  // hover-wait
    add(203, 0, 1);
    move(at(200));
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 200"}) << "a plain button fires on entry";
    move(at(201));
    EXPECT_TRUE(posted().empty());
    scene.OnMouseDown(at(201));
    scene.OnMouseUp(at(201));
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 201"}) << "a click-only button fires on release";
    calls.clear();
    move(at(202));
    EXPECT_TRUE(pointer.Hovering());
    EXPECT_EQ(offset(), "-21,0");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].substr(0, 6), "start ");
    move(Point{600, 400});
    EXPECT_FALSE(pointer.Hovering()) << "left for empty space";
    EXPECT_EQ(offset(), "-15,0");
    move(at(202));
    move(at(203));  // straight to another hover-wait button: the hover restarts there
    EXPECT_TRUE(pointer.Hovering());
    for (int i = 0; i < 20 && pointer.Hovering(); ++i) {
        now += 30;
        pointer.Tick();
    }
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 203"}) << "only the button left hovered fires";
    for (std::uint32_t id = 204; id <= 216; ++id) add(id, 0, 0);  // 16 registered, then a 17th
    move(at(215));
    move(at(216));
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 215"}) << "the 16th fires, the 17th never";
    CommandButton next;
    buttons[2].reset();  // destroyed without Remove: its slot and actor go
    EXPECT_LT(ActorFindIndex(202), 0);
    next.Add(217, 1, 1, 1, 0, at(217).h, 100);
    next.Register(this, 0, 0);
    move(at(217));
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 217"}) << "the freed slot is taken again";
}

TEST_F(ButtonTest, ATwentyFirstSpotNeverFires) {
    AnimSpot spots[21];
    for (std::uint32_t i = 0; i < 21; ++i) spots[i].Load(1 + i % 16, 300 + i, 0, 0);
    EXPECT_EQ(AnimSpot::AnimSpotFind(319), &spots[19]);
    EXPECT_EQ(AnimSpot::AnimSpotFind(320), nullptr);
    spots[20].SetHighlight(1);  // it still acts by itself, but the table never tells it
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 320"});
}

TEST_F(ButtonTest, ThePointerKeepsTheMouseInsideThePicture) {
    const Point offPicture{900, 700};
    CursorSetLocation(&offPicture);
    HoverPointer pointer(kKitHoverAnim, kKitPointerXpk, 0, 0);
    pointer.MoveTo(Point{700, 10});
    EXPECT_EQ(mouse().h, 320);
    EXPECT_EQ(mouse().v, 240);
    pointer.MoveTo(Point{-5, 10});
    EXPECT_EQ(mouse().h, 335) << "the pointer less its offset";
    EXPECT_EQ(mouse().v, 240);
}

}  // namespace
