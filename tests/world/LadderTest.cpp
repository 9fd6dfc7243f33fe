// Ladders: the class-wide grid of kinds and the platforms things stand on.
#include "ObjectsFixture.h"

using namespace world_test;

namespace {

using LadderTest = ObjectsTest;

TEST_F(LadderTest, RunsStoreTheirKindsAndPlatformsInTheLadderGrid)
{
    struct Case {
        int height;
        int platformRow; // -1 for none
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {1, -1, {CElementLadder::SINGLE}},
        {2, -1, {CElementLadder::TOP, CElementLadder::BOTTOM}},
        {4, 2, {CElementLadder::TOP, CElementLadder::MIDDLE, CElementLadder::PLATFORM, CElementLadder::BOTTOM}},
        {3, 0, {CElementLadder::PLATFORM, CElementLadder::MIDDLE, CElementLadder::BOTTOM}},
    };
    for (const Case& c : cases) {
        freshBoard();
        CElementLadder::CreateRun(7, 3, c.height, [&](int x, int y) { return x == 7 && y == 3 + c.platformRow; });
        for (int i = 0; i < c.height; ++i) {
            SCOPED_TRACE("height " + std::to_string(c.height) + " row " + std::to_string(i));
            EXPECT_EQ(CElementLadder::KindAt(7, 3 + i), c.kinds[i]);
            EXPECT_TRUE(CElement::IsLadderAt(7, 3 + i));
            EXPECT_EQ(CElement::IsLadderPlatformAt(7, 3 + i), i == c.platformRow);
        }
        EXPECT_FALSE(CElement::IsLadderAt(7, 3 + c.height));
        EXPECT_FALSE(CElement::IsLadderAt(7, 2));
        EXPECT_FALSE(CElement::IsOccupied(7, 3)) << "ladders stay off the element grid";
    }
}

TEST_F(LadderTest, APlatformSegmentKeepsItsOwnPictureUnderThePlank)
{
    auto* bottom = new CElementLadder(4, 6, CElementLadder::BOTTOM, true);
    EXPECT_EQ(bottom->typeLadder, CElementLadder::PLATFORM);
    EXPECT_STREQ(bottom->sprite->getName(), "Ladder Segment (Bottom)");
    EXPECT_FALSE(bottom->sprite->isHidden());
}

TEST_F(LadderTest, CellsOffTheBoardHoldNoLadder)
{
    for (int x = 0; x < BOARD_COLUMNS; ++x)
        new CElementLadder(x, 5, CElementLadder::PLATFORM, true);
    for (int y = 0; y < BOARD_ROWS; ++y)
        new CElementLadder(5, y, CElementLadder::MIDDLE, true);
    for (auto [x, y] : {std::pair{-1, 5}, {32, 5}, {5, 24}, {5, -1}}) {
        EXPECT_FALSE(CElementLadder::IsLadderAt(x, y)) << x << "," << y;
        EXPECT_FALSE(CElementLadder::IsLadderPlatformAt(x, y)) << x << "," << y;
    }
}

TEST_F(LadderTest, TheLevelResetEmptiesTheGridBeforeTheOldLaddersGo)
{
    auto* old = new CElementLadder(3, 3, CElementLadder::SINGLE, true);
    CElement::ResetWorld();
    EXPECT_FALSE(CElementLadder::IsLadderAt(3, 3));
    EXPECT_FALSE(CElementLadder::IsLadderPlatformAt(3, 3));
    delete old; // the reset leaves that to the one who built the level
}

TEST_F(LadderTest, ACrateStandsOnAPlatformAndAnUndoLeavesTheLadderAlone)
{
    grass(0, 10, 10);
    new CElementLadder(5, 8, CElementLadder::TOP, true);
    new CElementLadder(5, 9, CElementLadder::BOTTOM, false);
    auto* box = crateOf(MATERIAL_WOODEN, 5, 7);
    auto* free = crateOf(MATERIAL_WOODEN, 6, 7);
    start();
    settle();
    EXPECT_EQ(box->y, 7) << "the platform below holds it";
    EXPECT_EQ(free->y, 9);

    CElement::SaveUndoStep();
    CElement::LoadUndoStep(false);
    EXPECT_EQ(free->y, 7);
    EXPECT_EQ(CElementLadder::KindAt(5, 8), CElementLadder::PLATFORM);
    EXPECT_EQ(CElementLadder::KindAt(5, 9), CElementLadder::BOTTOM);
}

} // namespace
