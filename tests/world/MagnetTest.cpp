// Magnets: holding metal, anchoring to ladder platforms, repelling each
// other, the EMP, and the list of magnets through undo.
#include "ObjectsFixture.h"

using namespace world_test;

namespace {

using MagnetTest = ObjectsTest;

TEST_F(MagnetTest, AMagnetHoldsMetalInFrontOfItsFaceAndNothingElse)
{
    struct Case {
        int material;
        bool held;
    };
    for (const Case& c : {Case{MATERIAL_METAL, true}, Case{MATERIAL_WOODEN, false}}) {
        freshBoard();
        grass(5, 10, 3);
        auto* box = crateOf(c.material, 4, 9); // nothing under it
        auto* m = magnet(5, 9, true);
        start();
        settle();
        if (c.held) {
            EXPECT_EQ(m->holderA, box);
            EXPECT_EQ(box->holderB, m);
            EXPECT_EQ(box->y, 9) << "held in the air";
            EXPECT_EQ(shown(box), "Crate (Metal) Idle");
        } else {
            EXPECT_TRUE(m->holderA->IsNull());
            EXPECT_GT(box->y, 9) << "wood drops";
        }
    }
}

TEST_F(MagnetTest, TheBackMagnetOfTwoFacingTheSameWayHoldsTheFrontOne)
{
    grass(6, 10, 3);
    auto* front = magnet(5, 9, true);
    auto* back = magnet(6, 9, true);
    start();
    settle();
    EXPECT_EQ(back->holderA, front);
    EXPECT_EQ(front->y, 9);
}

TEST_F(MagnetTest, AMagnetFacingALadderPlatformAnchorsToIt)
{
    new CElementLadder(6, 5, CElementLadder::SINGLE, true);
    auto* m = magnet(5, 5, false);
    start();
    settle();
    EXPECT_EQ(m->holderB, m);
    EXPECT_EQ(m->y, 5);
}

TEST_F(MagnetTest, MagnetsFacingEachOtherArePushedApartUnlessAboutToDrop)
{
    struct Case {
        bool rightOneSupported;
        int rightX, rightY, leftX;
    };
    for (const Case& c : {Case{true, 4, 9, 7}, Case{false, 5, 13, 7}}) {
        freshBoard();
        grass(c.rightOneSupported ? 0 : 6, 10, c.rightOneSupported ? 12 : 6);
        grass(0, 14, 12);
        auto* right = magnet(5, 9, false);
        auto* left = magnet(6, 9, true);
        start();
        settle();
        EXPECT_EQ(right->x, c.rightX);
        EXPECT_EQ(right->y, c.rightY);
        EXPECT_EQ(left->x, c.leftX);
    }
}

TEST_F(MagnetTest, AnEmpDropsWhatIsHeldAndTheFifthUpdateRestoresThePull)
{
    grass(5, 10, 3);
    grass(0, 14, 12);
    auto* box = crateOf(MATERIAL_METAL, 4, 9);
    auto* m = magnet(5, 9, true);
    start();
    ASSERT_EQ(m->holderA, box);
    CElementObjectMagnet::ActivateEMP();
    EXPECT_TRUE(m->holderA->IsNull());
    EXPECT_TRUE(box->holderB->IsNull());
    EXPECT_TRUE(m->empStunned);
    for (int update = 1; update <= 4; ++update) {
        tick();
        EXPECT_FALSE(m->magnetic) << "update " << update;
    }
    tick();
    EXPECT_TRUE(m->magnetic);
    settle();
    EXPECT_EQ(box->y, 13) << "it fell while the magnet was off";
}

TEST_F(MagnetTest, UndoBringsBackTheListOfMagnetsAndDropsASpawnedOne)
{
    grass(0, 10, 12);
    magnet(2, 9, true);
    start();
    CElement::SaveUndoStep();
    CElement* spawned = worldLinks().makeMagnet(8, 9, CElementObjectMagnet::INFLATABLE, 0, false);
    EXPECT_EQ(CElement::GetSpawnedElements(), std::vector<CElement*>{spawned});
    EXPECT_EQ(shown(spawned), "Magnet Inflating Right");
    ASSERT_EQ(CElementObjectMagnet::GetAllMagnets().size(), 2u);
    tick();
    CElement::LoadUndoStep(false);
    EXPECT_EQ(CElementObjectMagnet::GetAllMagnets().size(), 1u);
    EXPECT_FALSE(CElement::IsOccupied(8, 9));
    tick(); // the pull runs over the restored list alone
}

} // namespace
