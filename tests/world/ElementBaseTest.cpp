// The board, the element record, type names and the neighbour rule.
#include "WorldFixture.h"

using namespace world_test;

namespace {

using ElementBaseTest = WorldTest;

TEST_F(ElementBaseTest, CellsOffTheBoardReadAsTheNullElementAndIgnoreWrites)
{
    CElement* c = crate(0, 0);
    for (auto [x, y] : {std::pair{-1, 5}, {32, 0}, {0, 24}, {0, -1}, {-100, 1000}}) {
        SCOPED_TRACE(testing::Message() << "(" << x << "," << y << ")");
        CElement::SetElementAt(x, y, c);
        CElement::ClearElementAt(x, y);
        EXPECT_EQ(CElement::GetElementAt(x, y, true), CElement::GetNullElement());
        EXPECT_FALSE(CElement::IsOccupied(x, y, true));
    }
    // The writes went nowhere: the board's edges are untouched.
    EXPECT_EQ(at(0, 0), c);
    EXPECT_FALSE(CElement::IsOccupied(31, 0));
    EXPECT_FALSE(CElement::IsOccupied(0, 23));
}

TEST_F(ElementBaseTest, AShotInFlightReadsAsEmptyUnlessShotsAreAsked)
{
    auto* shot = new TestElement(4, 4, ELEMENT_DEVICE, DEVICE_GUNSHOT);
    CElement::SetElementAt(4, 4, shot);
    EXPECT_EQ(CElement::GetElementAt(4, 4), CElement::GetNullElement());
    EXPECT_FALSE(CElement::IsOccupied(4, 4));
    EXPECT_EQ(CElement::GetElementAt(4, 4, true), shot);
    EXPECT_TRUE(CElement::IsOccupied(4, 4, true));
    EXPECT_EQ(CElement::FindElementByCell(4, 4), CElement::GetNullElement());
}

TEST_F(ElementBaseTest, AFreshElementRestsInItsCellWithoutLinks)
{
    CElement* c = crate(7, 3);
    EXPECT_EQ(c->GetX(), 7);
    EXPECT_EQ(c->GetY(), 3);
    EXPECT_EQ(c->pixelX, 7 * 24);
    EXPECT_EQ(c->pixelY, 3 * 24);
    EXPECT_FALSE(c->IsMoving());
    EXPECT_EQ(c->holderA, CElement::GetNullElement());
    EXPECT_EQ(c->holderB, CElement::GetNullElement());
    EXPECT_FALSE(c->IsMagnetHeld());
    EXPECT_EQ(c->state, -1);
    EXPECT_EQ(c->landedFrame, -1);
    EXPECT_TRUE(c->mayBePushedLeft && c->mayBePushedRight);
    CElement* null = CElement::GetNullElement();
    EXPECT_EQ(null->holderA, null);
    EXPECT_EQ(null->holderB, null);
}

TEST_F(ElementBaseTest, MotionIsReportedByMobileElementsOnly)
{
    for (bool mobile : {true, false}) {
        SCOPED_TRACE(mobile ? "mobile" : "fixed");
        CElement* e = crate(10, 10);
        e->mobile = mobile;
        e->moving = true;
        e->wasMovingLeft = e->wasMovingRight = true;
        e->originX = 11; // moving left
        e->originY = 9;  // and down
        EXPECT_EQ(e->IsMoving(), mobile);
        EXPECT_EQ(e->IsMovingLeft(), mobile);
        EXPECT_FALSE(e->IsMovingRight());
        EXPECT_FALSE(e->IsMovingUp());
        EXPECT_EQ(e->IsMovingDown(), mobile);
        EXPECT_EQ(e->WasMovingLeft(), mobile);
        EXPECT_EQ(e->WasMovingRight(), mobile);
        // A moving element reports the cell it leaves.
        EXPECT_EQ(e->GetX(), mobile ? 11 : 10);
    }
}

TEST_F(ElementBaseTest, TypeNamesFollowTheFamilyAndKind)
{
    struct Case {
        int type, kind;
        const char* name;
    } cases[] = {
        {ELEMENT_NULL, 0, "Null Element"},          {ELEMENT_TERRAIN, TERRAIN_ICE, "Ice Terrain"},
        {ELEMENT_TERRAIN, TERRAIN_BRIDGE, "Bridge Terrain"},
        {ELEMENT_DEVICE, DEVICE_GUNSHOT, "Gunshot Device"}, {ELEMENT_DEVICE, DEVICE_POWERUP, "Powerup Device"},
        {ELEMENT_OBJECT, OBJECT_MAGNET, "Magnet Object"},   {ELEMENT_AI, AI_BOT, "Bot AI"},
        {ELEMENT_TUTORIAL, 0, "Tutorial"},                 {ELEMENT_LADDER, 0, "Ladder"},
    };
    for (const Case& c : cases) {
        auto* e = new TestElement(0, 0, c.type, c.kind);
        e->typeAI = c.type == ELEMENT_AI ? c.kind : 0;
        EXPECT_STREQ(e->GetTypeName(), c.name) << c.type << "/" << c.kind;
    }
}

TEST_F(ElementBaseTest, AnUnknownTypeLogsItsNumbers)
{
    for (int type : {1, 7, 9}) {
        auto* e = new TestElement(0, 0, type);
        e->typeObject = 2;
        LogCapture log(LOG_DEBUG);
        EXPECT_STREQ(e->GetTypeName(), "Unknown Element");
        std::string expected = "Unknown Element:  type=" + std::to_string(type) +
                               "   typeObject=2   typeDevice=0   typeMagnet=0   typeAI=0   typeLadder=0\n";
        EXPECT_NE(log.text().find(expected), std::string::npos) << log.text();
    }
}

TEST_F(ElementBaseTest, FindElementByCellCountsAMovingElementInTheCellItLeaves)
{
    CElement* c = crate(0, 1);
    ground(0, 2);
    c->PushRight(true, false);
    ASSERT_TRUE(c->IsMoving());
    EXPECT_EQ(CElement::FindElementByCell(0, 1), c);
    EXPECT_EQ(CElement::FindElementByCell(1, 1), c);
    c->destroyed = true;
    EXPECT_EQ(CElement::FindElementByCell(1, 1), CElement::GetNullElement());
}

TEST_F(ElementBaseTest, FindElementByCellSeesTheElementInTheTopLeftCell)
{
    // The null element's record says (0, 0) too; it stands nowhere.
    CElement* c = crate(0, 0);
    EXPECT_EQ(CElement::FindElementByCell(0, 0), c);
}

TEST_F(ElementBaseTest, TheNeighbourRuleFollowsTeleportPairs)
{
    // Blue pair: one at columns 5-6, the other at columns 20-21, both with
    // their lower row at 10.
    teleportPair(5, 10, 20, 10);
    struct Case {
        int x, y;
        bool left;
        int column, row;
    } cases[] = {
        {6, 10, true, 20, 10},   // leaves the right column leftwards: out at the partner's left column
        {5, 10, false, 21, 10},  // the left column rightwards: out at the partner's right column
        {20, 10, false, 6, 10},  // the pair works both ways
        {6, 10, false, 7, 10},   // walking away from the portal is a plain step
        {6, 9, true, 20, 9},     // the upper row comes out in the upper row
        {5, 10, true, 4, 10},    // leaving the other way is a plain step
        {12, 10, true, 11, 10},  // nowhere near a teleport
        {6, 11, true, 5, 11},    // below the teleport
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << "," << c.y << ") " << (c.left ? "left" : "right"));
        EXPECT_EQ(CElement::GetNextColumnAt(c.x, c.y, c.left, true), c.column);
        EXPECT_EQ(CElement::GetNextRowAt(c.x, c.y, c.left, true), c.row);
    }
    EXPECT_EQ(CElement::GetNextColumnAt(6, 10, true, false), 5);
    EXPECT_EQ(CElement::GetNextColumnAt(6, 10, false, false), 7);
}

TEST_F(ElementBaseTest, SupportCountsElementsTrampolinesAndLadderPlatforms)
{
    CElement* onCrate = crate(1, 5);
    crate(1, 6);
    CElement* onTramp = crate(3, 5);
    trampolineCells().push_back({3, 6});
    CElement* onPlatform = crate(5, 5);
    worldLinks().isLadderPlatformAt = [](int x, int y) { return x == 5 && y == 6; };
    CElement* inAir = crate(7, 5);
    EXPECT_TRUE(onCrate->IsSupported(false));
    EXPECT_TRUE(onTramp->IsSupported(false));
    EXPECT_TRUE(onPlatform->IsSupported(false));
    EXPECT_FALSE(inAir->IsSupported(false));
}

TEST_F(ElementBaseTest, TheSlideSumAddsTheSurfaceBelow)
{
    CElement* onIce = crate(1, 5);
    ground(1, 6, -1);
    TestElement* onSand = crate(2, 5);
    onSand->ownSlide = -1;
    ground(2, 6, +1);
    TestElement* onTramp = crate(3, 5);
    onTramp->ownSlide = -1;
    trampolineCells().push_back({3, 6});
    TestElement* inAir = crate(4, 5);
    inAir->ownSlide = -1;
    EXPECT_EQ(onIce->GetSlideSum(), -1);
    EXPECT_EQ(onSand->GetSlideSum(), 0);
    EXPECT_EQ(onTramp->GetSlideSum(), -1);
    EXPECT_EQ(inAir->GetSlideSum(), 0);
    EXPECT_TRUE(onIce->IsOnSlipperyGround());
    EXPECT_TRUE(onSand->IsOnSand());
}

TEST_F(ElementBaseTest, AResetWithoutUnloadKeepsTheNullElementOwned)
{
    crate(3, 3);
    freshBoard();
    CElement::ResetWorld();
    CElement* null = CElement::GetNullElement();
    ASSERT_EQ(CElement::GetAllElements().size(), 1u);
    EXPECT_EQ(CElement::GetAllElements().front(), null);
    EXPECT_EQ(CElement::GetElementAt(3, 3), null);
    // The unload of TearDown deletes it; the sanitizers see no leak.
}

TEST_F(ElementBaseTest, TheResetClearsTheOutcomeAndAsksForASnapshot)
{
    TestActor::setCaught(true);
    TestActor::setLevelExited(true);
    CElement::ResetWorld();
    EXPECT_FALSE(CElement::IsProfessorCaught());
    EXPECT_FALSE(CElement::IsLevelExited());
    CElement* c = crate(2, 2);
    c->originX = 1;
    c->moving = true;
    tick();
    // The first tick took the snapshot and moved nothing.
    EXPECT_EQ(CElement::GetUndoCount(), 1);
    EXPECT_EQ(c->pixelX, 2 * 24);
}

TEST_F(ElementBaseTest, TheUnloadReportsSpritesLeftAlive)
{
    new DrawnCrate(2, 2); // its sprites go with it
    {
        CSprite stray(29, 20, 50, 1, true, 1, 1);
        stray.setName("Stray");
        LogCapture log(LOG_ELEMENT);
        CElement::UnloadElements();
        EXPECT_NE(log.text().find("CElement::UnloadElements()  WARNING:  All sprites have not been properly "
                                  "unloaded:\n   Stray  (0,0)\n"),
                  std::string::npos)
            << log.text();
        EXPECT_EQ(log.text().find("Drawn Crate"), std::string::npos);
    }
    CElement::ResetWorld();
    LogCapture log(LOG_ELEMENT);
    CElement::UnloadElements();
    EXPECT_NE(log.text().find("CElement::UnloadElements()  All sprites have been properly unloaded\n"),
              std::string::npos);
    CElement::ResetWorld();
}

} // namespace
