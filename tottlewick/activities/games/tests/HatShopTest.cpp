// HatShop on a solid 100 x 100 colour shape framed at (270,190) and a solid brush: one scribble for a
// stroke across a quarter line, 74 coloured rows that do not fill the hat and 75 that do, and the tools.
#include "HatShop.h"
#include "ModuleTestSupport.h"
#include "PickerCompletion.h"
#include "XpkForge.h"

namespace {

struct HatShopTest : ModuleTest {
    // Design 0: colour schemes 8101 ('2') and 8102 ('3'), the tools' three looks, the brush and every sound.
    void SetUp() override {
        ModuleTest::SetUp();
        std::vector<PrsResource> files = {{"XPK", 8101, solid(100, '2', -270, -190)},
                                          {"XPK", 8102, solid(100, '3', -270, -190)},
                                          {"XPK", 8030, solid(40, '1', 0, 0)}};
        for (std::uint16_t tool = 8120; tool <= 8122; ++tool) {
            for (const int look : {0, -110, -100})
                files.push_back({"XPK", std::uint16_t(tool + look), solid(10, '4', 0, 0)});
        }
        for (const std::uint16_t id : {8800, 8810, 8820, 8900, 8920}) files.push_back({"AIF", id, tone()});
        for (std::uint16_t id = 8910; id <= 8919; ++id) files.push_back({"AIF", id, tone()});
        ASSERT_TRUE(writeResources(folder.file("HatShop.PRS"), files));
        scriptRandom({0});
    }
    static std::string solid(int side, char colour, std::int16_t hotX, std::int16_t hotY) {
        ForgeBank bank;
        bank.shapes = {handShape(std::vector<std::string>(side, std::string(side, colour)))};
        bank.shapes[0].hotX = hotX;
        bank.shapes[0].hotY = hotY;
        return forgeXpk(bank, ByteOrder::big);
    }
    // Brush strokes across the shape at its rows y - 20 to y + 20.
    static void strokeRow(HatShop& hat, int y) {
        for (const int x : {20, 60, 80}) hat.OnMouseMove(Point{std::int16_t(270 + x), std::int16_t(190 + y)});
    }
};

TEST_F(HatShopTest, ScribbleOnceThenSeventyFivePercentFillsTheHatAndATakesAnotherTool) {
    HatShop hat;
    ASSERT_EQ(HatShop::Design(), 0);
    calls.clear();
    // Quarter lines at x 25, 50, 75: only the move from 10 to 30 crosses one.
    for (const int x : {10, 30, 45}) hat.OnMouseMove(Point{std::int16_t(270 + x), 200});
    EXPECT_EQ(sounds(), std::vector<std::string>{"8910"});
    strokeRow(hat, 20);
    strokeRow(hat, 54);  // rows 0-73
    hat.OnTimer(8500, 0);
    EXPECT_EQ(hat.Finished(), 0);
    strokeRow(hat, 55);  // rows 0-74
    calls.clear();
    hat.OnTimer(8500, 0);
    EXPECT_EQ(hat.Finished(), 1);
    // On the stopped clock every channel still sounds: the cheer takes the voice's, the tool sound the cheer's.
    EXPECT_EQ(sounds(), (std::vector<std::string>{"stop 8800", "8900"}));
    EXPECT_EQ(gPickerCompletion[kChoiceHatShop], 1);
    // On a filled hat a key draws again over the tool in use (8120) and posts 8121.
    scriptRandom({0, 16384});
    hat.OnKey();
    EXPECT_EQ(posted(), std::vector<std::string>{"10010 8121"});
    hat.OnCommand(8121);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"stop 8900", "8920"}));
    EXPECT_EQ(hat.Finished(), 0);
    EXPECT_EQ(ActorIsPressed(8121), 1);
    EXPECT_EQ(ActorIsPressed(8120), 0);
    // The hat is all 8101's colour now, none of 8102's.
    hat.OnTimer(8500, 0);
    EXPECT_EQ(hat.Finished(), 0);
}

}  // namespace
