// Entrance and exit tubes: the exit cell, the arrow over the exit, breaking
// after a fall and the level lost with a broken exit.
#include "AnimatedWorldFixture.h"
#include "world/ElementDeviceTube.h"

using namespace world_test;

namespace {

using TubeTest = AnimatedWorldTest;

TEST_F(TubeTest, OnlyTheLastExitTubeBuiltAnswersAsTheExit)
{
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(0, 0)); // a level without an exit has none
    new CElementDeviceTube(3, 4, 0);
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(3, 4));
    new CElementDeviceTube(10, 4, CElementDeviceTube::TUBE_EXIT);
    new CElementDeviceTube(20, 7, CElementDeviceTube::TUBE_EXIT);
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(10, 4));
    EXPECT_TRUE(CElementDeviceTube::IsExitAt(20, 7));
    freshBoard();
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(20, 7));
}

TEST_F(TubeTest, TheArrowBobsFourTimesThenFadesAway)
{
    auto* exit = new CElementDeviceTube(5, 5, CElementDeviceTube::TUBE_EXIT);
    start();
    int lowest = 99, highest = 0;
    while (exit->arrowActive && exit->bounceCount <= 3) {
        frame();
        lowest = std::min(lowest, exit->arrowHeight);
        highest = std::max(highest, exit->arrowHeight);
        EXPECT_EQ(exit->sprite->getY(false), exit->pixelY - exit->arrowHeight);
    }
    EXPECT_EQ(lowest, 2);
    EXPECT_EQ(highest, 26);
    EXPECT_EQ(exit->sprite, exit->arrowFadingSprite.get());
    EXPECT_TRUE(exit->arrowSprite->isHidden());
    ASSERT_TRUE(frameUntil([&] { return !exit->arrowActive; }));
    EXPECT_TRUE(exit->arrowFadingSprite->isHidden());
    EXPECT_FALSE(exit->bodySprite->isHidden());
    EXPECT_FALSE(exit->lightsSprite->isHidden());
}

TEST_F(TubeTest, AnUndoStopsTheArrowAtOnce)
{
    groundRow(6, 0, 10);
    auto* exit = new CElementDeviceTube(5, 5, CElementDeviceTube::TUBE_EXIT);
    start();
    frame(3);
    CElement::SaveUndoStep();
    frame(3);
    CElement::LoadUndoStep(false);
    EXPECT_FALSE(exit->arrowActive);
    EXPECT_TRUE(exit->sprite->isHidden());
    EXPECT_FALSE(exit->bodySprite->isHidden());
    const int height = exit->arrowHeight;
    frame(5);
    EXPECT_EQ(exit->arrowHeight, height);
    EXPECT_TRUE(exit->sprite->isHidden());
}

TEST_F(TubeTest, ATubeBreaksWhenItLandsAndOnlyABrokenExitLosesTheLevel)
{
    for (int kind : {0, CElementDeviceTube::TUBE_EXIT}) {
        SCOPED_TRACE(kind);
        freshBoard();
        CElement* floor = ground(5, 6);
        ground(5, 9);
        auto* tube = new CElementDeviceTube(5, 5, kind);
        start();
        CElement::ClearElementAt(5, 6);
        floor->x = 20; // out of the way
        ASSERT_TRUE(frameUntil([&] { return tube->destroyed; }));
        EXPECT_EQ(tube->y, 8);
        EXPECT_FALSE(tube->canFall);
        EXPECT_EQ(tube->currentBody, tube->breakingSprite.get());
        EXPECT_FALSE(tube->breakingSprite->isHidden());
        EXPECT_TRUE(tube->bodySprite->isHidden());
        // The outcome waits for the end of the break.
        EXPECT_FALSE(CElement::IsExitTubeDestroyed());
        EXPECT_FALSE(CElement::IsLevelExited());
        ASSERT_TRUE(frameUntil([&] { return tube->breakingSprite->isFinished(); }));
        frame();
        EXPECT_TRUE(tube->breakingSprite->isHidden());
        EXPECT_EQ(CElement::IsExitTubeDestroyed(), kind == CElementDeviceTube::TUBE_EXIT);
        EXPECT_EQ(CElement::IsLevelExited(), kind == CElementDeviceTube::TUBE_EXIT);
    }
}

TEST_F(TubeTest, UndoingABreakBringsTheTubeBackWhole)
{
    groundRow(9, 0, 10);
    CElement* floor = ground(5, 6);
    auto* exit = new CElementDeviceTube(5, 5, CElementDeviceTube::TUBE_EXIT);
    start();
    CElement::SaveUndoStep();
    CElement::ClearElementAt(5, 6);
    floor->x = 20;
    ASSERT_TRUE(frameUntil([&] { return exit->destroyed && exit->breakingSprite->isHidden(); }));
    ASSERT_TRUE(CElement::IsExitTubeDestroyed());
    CElement::ResetLevelExited(); // the game screen would end the level here
    CElement::LoadUndoStep(false);
    EXPECT_FALSE(CElement::IsExitTubeDestroyed());
    EXPECT_FALSE(exit->destroyed);
    EXPECT_EQ(exit->y, 5);
    EXPECT_EQ(exit->currentBody, exit->bodySprite.get());
    EXPECT_FALSE(exit->bodySprite->isHidden());
    EXPECT_FALSE(exit->lightsSprite->isHidden());
    EXPECT_TRUE(exit->breakingSprite->isHidden());
    // A second break plays from its start before the level is lost.
    CElement::ClearElementAt(5, 6);
    ASSERT_TRUE(frameUntil([&] { return exit->destroyed; }));
    frame();
    EXPECT_FALSE(CElement::IsExitTubeDestroyed());
    EXPECT_FALSE(exit->breakingSprite->isHidden());
}

} // namespace
