// Teleport pairs: which teleports pair, where an element entering one comes
// out, the lit sides, the portal's looks, where they stand and fall, and the
// lists an undo brings back.
#include "DeviceFixture.h"

#include <functional>
#include <vector>

using namespace world_test;

namespace {

constexpr int BLUE = 0, YELLOW = 1, RED = 2;

using TeleportTest = DeviceTest;

CElementDeviceTeleport* teleport(int x, int y, int colour, bool inflated = false)
{
    return new CElementDeviceTeleport(x, y, colour, inflated);
}

TEST_F(TeleportTest, OnlyExactlyTwoOfAColourPair)
{
    struct Case {
        int blues;
        bool paired;
    };
    for (Case c : {Case{1, false}, Case{2, true}, Case{3, false}}) {
        freshBoard();
        groundRow(11, 0, 31);
        for (int i = 0; i < c.blues; ++i)
            teleport(2 + 6 * i, 10, BLUE);
        SCOPED_TRACE(c.blues);
        EXPECT_EQ(CElementDeviceTeleport::IsPairUsable(BLUE), c.paired);
        EXPECT_EQ(CElementDeviceTeleport::FindPartner(2, 10, false) != nullptr, c.paired);
        EXPECT_EQ(CElementDeviceTeleport::IsTeleportAt(2, 10, false, false, false), c.paired);
        tick();
        auto* first = static_cast<CElementDeviceTeleport*>(CElementDeviceTeleport::GetList(BLUE)[0]);
        EXPECT_EQ(first->GetPortal(), c.paired ? CElementDeviceTeleport::PORTAL_INACTIVE
                                               : CElementDeviceTeleport::PORTAL_DISABLE);
    }
}

TEST_F(TeleportTest, PartnersAreFoundByTheLowerRowAndTheSelectedColumn)
{
    auto* a = teleport(2, 10, YELLOW);
    auto* b = teleport(20, 5, YELLOW);
    teleport(8, 15, RED);
    struct Case {
        int x, y;
        bool right;
        CElement* partner;
    };
    for (Case c : {Case{2, 10, false, b}, Case{3, 10, true, b}, Case{21, 5, true, a},
                   Case{20, 5, false, a}, Case{2, 9, false, nullptr}, Case{3, 10, false, nullptr},
                   Case{8, 15, false, nullptr}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << (c.right ? " right" : " left"));
        EXPECT_EQ(CElementDeviceTeleport::FindPartner(c.x, c.y, c.right), c.partner);
    }
    // Both rows count as the teleport, a lone one's too for its top.
    EXPECT_TRUE(CElementDeviceTeleport::IsTeleportAt(2, 9, false, false, false));
    EXPECT_TRUE(CElementDeviceTeleport::IsTeleportAt(21, 5, true, false, false));
    EXPECT_FALSE(CElementDeviceTeleport::IsTeleportAt(8, 15, false, false, false));
    EXPECT_TRUE(CElementDeviceTeleport::IsTopAt(8, 14, false));
    EXPECT_TRUE(CElementDeviceTeleport::IsTopAt(9, 14, true));
    EXPECT_FALSE(CElementDeviceTeleport::IsTopAt(8, 15, false));
}

TEST_F(TeleportTest, ACratePushedIntoOneComesOutOfItsPartner)
{
    groundRow(11, 0, 31);
    teleport(3, 10, BLUE);
    teleport(20, 10, BLUE);
    CElement* box = crate(4, 10); // in the first teleport's right column
    start();
    ASSERT_TRUE(box->PushLeft(true, false));
    EXPECT_TRUE(box->teleporting);
    settle();
    EXPECT_EQ(box->x, 20);
    EXPECT_EQ(box->y, 10);
    EXPECT_EQ(at(20, 10), box);
    EXPECT_TRUE(at(4, 10)->IsNull());
    EXPECT_TRUE(at(3, 10)->IsNull());
}

TEST_F(TeleportTest, SomethingFiredThroughLightsOppositeSidesForFourTicks)
{
    groundRow(11, 0, 31);
    auto* a = teleport(3, 10, RED);
    auto* b = teleport(20, 10, RED);
    start();
    ASSERT_TRUE(CElementDeviceTeleport::IsTeleportAt(21, 9, true, true, true));
    for (int t = 1; t <= 5; ++t) {
        tick();
        SCOPED_TRACE(t);
        EXPECT_EQ(b->IsRightLit(), t <= 4);
        EXPECT_EQ(a->IsLeftLit(), t <= 4);
        EXPECT_FALSE(a->IsRightLit());
        EXPECT_FALSE(b->IsLeftLit());
    }
}

TEST_F(TeleportTest, AfterAPassageThePortalSpinsThenFadesBackToIdle)
{
    groundRow(11, 0, 31);
    auto* a = teleport(3, 10, BLUE);
    teleport(20, 10, BLUE);
    start();
    CElementDeviceTeleport::IsTeleportAt(3, 10, false, false, true);
    std::vector<CElementDeviceTeleport::Portal> looks;
    for (int t = 0; t < 60; ++t) {
        tick();
        if (looks.empty() || looks.back() != a->GetPortal())
            looks.push_back(a->GetPortal());
    }
    using T = CElementDeviceTeleport;
    EXPECT_EQ(looks, (std::vector<T::Portal>{T::PORTAL_ACTIVE, T::PORTAL_ALPHA_10, T::PORTAL_ALPHA_50,
                                             T::PORTAL_ALPHA_70, T::PORTAL_INACTIVE}));
}

TEST_F(TeleportTest, AnInflatedTeleportInflatesThenSwitchesOnOnceItHasAPartner)
{
    groundRow(11, 0, 31);
    auto* level = teleport(3, 10, YELLOW);
    start();
    // Alone, the level's teleport switched off.
    EXPECT_EQ(level->GetPortal(), CElementDeviceTeleport::PORTAL_DISABLE);
    auto* blown = teleport(20, 10, YELLOW, true);
    EXPECT_TRUE(blown->spawned);
    EXPECT_TRUE(blown->busy);
    EXPECT_TRUE(blown->IsEnabling());
    blown->sprite->finish(); // the inflation has run
    tick();
    EXPECT_FALSE(blown->busy);
    EXPECT_EQ(blown->sprite, nullptr);
    EXPECT_EQ(blown->GetPortal(), CElementDeviceTeleport::PORTAL_ENABLE);
    EXPECT_TRUE(CElementDeviceTeleport::FindPartner(3, 10, false) == blown);

    // Both switch on, and idle once the switch-on has run.
    EXPECT_EQ(level->GetPortal(), CElementDeviceTeleport::PORTAL_ENABLE);
    for (CElementDeviceTeleport* t : {level, blown}) {
        tick();
        t->GetPortalSprite()->finish();
        tick();
        EXPECT_EQ(t->GetPortal(), CElementDeviceTeleport::PORTAL_INACTIVE);
        EXPECT_FALSE(t->IsEnabling());
    }
}

TEST_F(TeleportTest, AnUndoToBeforeAnInflatedTeleportRemovesItFromItsColour)
{
    groundRow(11, 0, 31);
    auto* level = teleport(3, 10, RED);
    start();
    teleport(20, 10, RED, true);
    ASSERT_EQ(CElementDeviceTeleport::GetList(RED).size(), 2u);
    CElement::LoadUndoStep(true);
    ASSERT_EQ(CElementDeviceTeleport::GetList(RED).size(), 1u);
    EXPECT_EQ(CElementDeviceTeleport::GetList(RED)[0], level);
    EXPECT_EQ(CElementDeviceTeleport::FindPartner(3, 10, false), nullptr);
    tick();
}

TEST_F(TeleportTest, MagnetsHoldingThroughAPairLetGo)
{
    groundRow(11, 0, 31);
    auto* a = teleport(3, 10, BLUE);
    teleport(20, 10, BLUE);
    // A right-facing magnet in the first teleport's left column holds through
    // the portal; a left-facing one in the second's right column likewise.
    TestElement* rightMagnet = crate(3, 10);
    rightMagnet->typeMagnet = 2;
    TestElement* leftMagnet = crate(21, 10);
    leftMagnet->typeMagnet = 1;
    TestElement* heldRight = crate(21, 9);
    TestElement* heldLeft = crate(4, 9);
    rightMagnet->SetHoldingMagnet(heldRight, false);
    heldRight->SetHoldingMagnet(rightMagnet, true);
    leftMagnet->SetHoldingMagnet(heldLeft, true);
    heldLeft->SetHoldingMagnet(leftMagnet, false);

    LogCapture log(8);
    a->ReleaseMagnetLinks();
    for (CElement* e : {rightMagnet, leftMagnet, heldRight, heldLeft})
        EXPECT_FALSE(e->IsMagnetHeld());
    EXPECT_NE(log.text().find("***  RELEASE T0 R-MAGNET(3,10)->rmagnet(21,9)->lmagnet and R-MAGNET->rmagnet"),
              std::string::npos);
    EXPECT_NE(log.text().find("***  RELEASE T1 L-MAGNET(21,10)->lmagnet(4,9)->rmagnet and L-MAGNET->lmagnet"),
              std::string::npos);
}

TEST_F(TeleportTest, ItStandsOnGroundUnderEitherColumnUnlessSolidGroundTipsIt)
{
    // Ground below the left and right column, solid ground in the left and
    // right column's own row.
    struct Case {
        bool g1, g2, s1, s2;
        bool falls;
    };
    for (Case c : {Case{false, false, false, false, true}, Case{true, true, true, true, false},
                   Case{true, false, false, false, false}, Case{true, false, true, false, true},
                   Case{false, true, false, false, false}, Case{false, true, false, true, true}}) {
        freshBoard();
        SCOPED_TRACE(testing::Message() << c.g1 << c.g2 << c.s1 << c.s2);
        auto* t = teleport(5, 10, BLUE);
        if (c.g1)
            ground(5, 11);
        if (c.g2)
            ground(6, 11);
        if (c.s1)
            ground(5, 10);
        if (c.s2)
            ground(6, 10);
        EXPECT_EQ(t->CanFall(false), c.falls);
    }
}

TEST_F(TeleportTest, RoomForAnInflatedTeleport)
{
    groundRow(11, 0, 9);
    ground(12, 11);
    ground(12, 10);
    teleport(2, 10, BLUE);
    struct Case {
        int x;
        bool right, room;
    };
    for (Case c : {Case{6, false, true}, Case{7, true, true}, Case{9, false, true}, Case{12, false, false},
                   Case{13, true, false}, Case{11, false, false}, Case{20, false, false}, Case{2, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.x << (c.right ? " right" : " left"));
        EXPECT_EQ(CElementDeviceTeleport::HasRoomAt(c.x, 10, c.right), c.room);
    }
}

} // namespace

namespace {

TEST_F(TeleportTest, ThePowerUpMakesTeleportsThroughTheWorldsLinks)
{
    groundRow(11, 0, 31);
    start();
    const WorldLinks& links = worldLinks();
    ASSERT_TRUE(links.teleportHasRoomAt(6, 10, false));
    CElement* made = links.makeTeleport(6, 10, RED, 1);
    EXPECT_TRUE(made->spawned);
    EXPECT_EQ(CElementDeviceTeleport::GetList(RED).back(), made);
    EXPECT_FALSE(links.teleportHasRoomAt(6, 10, false));
    // Its upper row in either column.
    EXPECT_TRUE(links.isTeleportTopAt(6, 9));
    EXPECT_TRUE(links.isTeleportTopAt(7, 9));
    EXPECT_FALSE(links.isTeleportTopAt(8, 9));
}

} // namespace
