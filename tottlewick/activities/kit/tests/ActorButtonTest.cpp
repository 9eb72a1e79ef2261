// The picture button: added from its three banks, refused with none or on a taken id, its pressed look,
// and its actor and banks taken away by Remove or, without Remove, by its destructor.
#include "ActorButton.h"
#include "UpdateTestSupport.h"

namespace {

struct ActorButtonTest : ScreenUpdateTest {
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ForgeBank forged;
        forged.shapes = {handShape({"11"})};
        openBanks({forged, forged, forged});
    }
    void TearDown() override {
        ActorRemoveAll();
        ScreenUpdateTest::TearDown();
    }
    static bool banksLeft() { return MemHandleFind(0, "XPK", nullptr) != 0; }
};

TEST_F(ActorButtonTest, AddsRemovesAndPresses) {
    ActorButton button;
    EXPECT_EQ(button.Add(100, 7, 8, 9, 0, 5, 5), 0) << "no image loads";
    EXPECT_LT(ActorFindIndex(100), 0);
    EXPECT_NE(button.Add(100, 1, 2, 3, 0, 5, 5), 0);
    ActorButton refused;
    EXPECT_EQ(refused.Add(100, 1, 2, 3, 0, 5, 5), 0) << "the id is taken";
    refused.Remove();
    EXPECT_GE(ActorFindIndex(100), 0) << "the owner's actor stays";
    button.SetPressedLook(1);
    EXPECT_EQ(ActorIsPressed(100), 1);
    EXPECT_EQ(ActorIsActive(100), 0);
    button.SetPressedLook(0);
    EXPECT_EQ(ActorIsPressed(100), 0);
    EXPECT_EQ(ActorIsActive(100), 1);
    button.Remove();
    EXPECT_LT(ActorFindIndex(100), 0);
    EXPECT_FALSE(banksLeft()) << "the refused button's banks went too";
}

TEST_F(ActorButtonTest, DestroyedWithoutRemoveLeavesNoActorNorBanks) {
    {
        ActorButton button;
        ASSERT_NE(button.Add(100, 1, 2, 3, 0, 5, 5), 0);
    }
    EXPECT_LT(ActorFindIndex(100), 0);
    EXPECT_FALSE(banksLeft());
    ActorButton next;
    EXPECT_NE(next.Add(100, 1, 2, 3, 0, 5, 5), 0) << "the id is free again";
}

}  // namespace
