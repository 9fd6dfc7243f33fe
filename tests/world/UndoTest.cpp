// The undo ring: five steps, the starting snapshot, spawned elements, sprites,
// outcome flags and class-wide state.
#include "WorldFixture.h"

#include <algorithm>
#include <array>
#include <memory>

using namespace world_test;

namespace {

using UndoTest = WorldTest;

// Stands for an element class's class-wide state.
struct Counters {
    static int value;
    static ClassState state()
    {
        return keptClassState("counters", [] { value = 0; }, value);
    }
};
int Counters::value = 0;

TEST_F(UndoTest, AnUndoBeforeAnyMoveChangesNothing)
{
    start();
    ASSERT_EQ(CElement::GetUndoCount(), 1);
    LogCapture log(LOG_DEBUG);
    CElement::LoadUndoStep(false);
    EXPECT_NE(log.text().find("UNDO LOAD - Skipped because nothing changed since final step restored (start=0,count=1)"),
              std::string::npos);
    // The professor's first save request, before his first move, is skipped too.
    CElement::SaveUndoStep();
    EXPECT_EQ(CElement::GetUndoCount(), 1);
}

TEST_F(UndoTest, FiveUndosAfterSixActionsGoBackToTheSecondActionsStart)
{
    groundRow(6, 0, 31);
    CElement* box = crate(2, 5);
    start();
    for (int action = 0; action < 6; ++action) {
        CElement::SaveUndoStep(); // the professor starts an action from rest
        ASSERT_TRUE(box->PushRight(true, false));
        settle();
    }
    ASSERT_EQ(box->x, 8);
    for (int undo = 1; undo <= 5; ++undo) {
        CElement::LoadUndoStep(false);
        EXPECT_EQ(box->x, 8 - undo);
        EXPECT_EQ(box->pixelX, box->x * 24);
        EXPECT_EQ(at(box->x, 5), box);
        EXPECT_FALSE(CElement::IsOccupied(box->x + 1, 5));
    }
    CElement::LoadUndoStep(false); // the oldest step stays
    EXPECT_EQ(box->x, 3);
    // A forced load brings the oldest step back again.
    ASSERT_TRUE(box->PushRight(true, false));
    settle();
    CElement::LoadUndoStep(true);
    EXPECT_EQ(box->x, 3);
}

TEST_F(UndoTest, ElementsSpawnedAfterTheStepAreDeleted)
{
    start();
    auto* kept = new TestElement(3, 3, ELEMENT_DEVICE, DEVICE_GUNSHOT);
    CElement::RegisterSpawned(kept);
    CElement::SaveUndoStep(); // skipped: nothing changed since the start
    CElement::SaveUndoStep();
    auto* shot = new TestElement(4, 4, ELEMENT_DEVICE, DEVICE_GUNSHOT);
    CElement::RegisterSpawned(shot);
    CElement::SetElementAt(4, 4, shot);
    EXPECT_TRUE(shot->spawned);

    LogCapture log(LOG_UNDO);
    CElement::LoadUndoStep(false);
    EXPECT_NE(log.text().find("   Deleting Spawned Element 'Gunshot Device'\n"), std::string::npos);
    EXPECT_NE(log.text().find("   Restoring STEP 1 of Element 'Gunshot Device'\n"), std::string::npos);
    const auto& all = CElement::GetAllElements();
    EXPECT_EQ(std::count(all.begin(), all.end(), kept), 1);
    EXPECT_EQ(CElement::GetSpawnedElements(), std::vector<CElement*>{kept});
    EXPECT_FALSE(CElement::IsOccupied(4, 4, true));
}

TEST_F(UndoTest, OutcomeFlagsBlockSavesAndLevelEndBlocksLoads)
{
    groundRow(6, 0, 31);
    CElement* box = crate(2, 5);
    start();
    CElement::SaveUndoStep();
    box->PushRight(true, false);
    settle();

    TestActor::setCaught(true);
    CElement::SaveUndoStep();
    EXPECT_EQ(CElement::GetUndoCount(), 1);

    TestActor::setLevelExited(true);
    CElement::LoadUndoStep(true);
    EXPECT_EQ(box->x, 3);

    TestActor::setLevelExited(false);
    CElement::LoadUndoStep(true);
    EXPECT_EQ(box->x, 2);
    EXPECT_FALSE(CElement::IsProfessorCaught()); // the step's flags came back
}

TEST_F(UndoTest, ClassWideStateIsResetSavedAndRestoredInEveryStep)
{
    // The element classes' own entries are left out, so the log lines of
    // the stand-in follow the obstructions.
    worldLinks().classStates = {Counters::state()};
    Counters::value = 5;
    CElement::ResetWorld();
    EXPECT_EQ(Counters::value, 0);
    start();
    Counters::value = 7;
    CElement::SaveUndoStep(); // skipped
    Counters::value = 8;
    LogCapture log(LOG_UNDO);
    CElement::SaveUndoStep();
    Counters::value = 9;
    CElement::LoadUndoStep(false);
    EXPECT_EQ(Counters::value, 8);
    const std::string& text = log.text();
    EXPECT_NE(text.find("   Saving STEP 1 of obstructions\n   Saving STEP 1 of counters\n"), std::string::npos);
    EXPECT_NE(text.find("   Restoring STEP 1 of obstructions\n   Restoring STEP 1 of counters\n"), std::string::npos);
}

TEST_F(UndoTest, SpritesComeBackAsTheyWereAndTheGhostAsAFreshCopy)
{
    auto* box = new DrawnCrate(5, 5);
    ground(5, 6);
    CSprite* main = box->sprite;
    main->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    main->setLocation(10, 10, false);
    box->ghostSprite = std::make_unique<CSprite>(*main);
    box->ghostSprite->setName("Ghost");
    CSprite::registerCopy(box->ghostSprite.get());
    start();

    main->setLocation(50, 50, false);
    box->frozen = true;
    box->sprite = box->other.get();
    box->sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        box->ghostSprite.reset();
        CElement::LoadUndoStep(true);
        EXPECT_EQ(box->sprite, main);
        EXPECT_EQ(box->shownSprite, main);
        EXPECT_FALSE(main->isHidden());
        EXPECT_TRUE(box->other->isHidden());
        EXPECT_EQ(main->getX(false), 10);
        EXPECT_FALSE(box->frozen);
        ASSERT_NE(box->ghostSprite, nullptr);
        EXPECT_STREQ(box->ghostSprite->getName(), "Ghost");
        EXPECT_TRUE(isLive(box->ghostSprite.get()));
    }
}

TEST_F(UndoTest, AWorldCopyIsAValueThatRestoresAnyNumberOfTimesWithoutTouchingTheRing)
{
    worldLinks().classStates = {Counters::state()};
    groundRow(6, 0, 31);
    CElement* box = crate(2, 5);
    start();
    Counters::value = 4;
    WorldState copy;
    LogCapture log(LOG_UNDO);
    CElement::CaptureWorld(copy, -1);
    WorldState second = copy; // copies stand alone
    EXPECT_EQ(log.text().find("STEP"), std::string::npos); // no undo step is named
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(box->PushRight(true, false));
        settle();
        Counters::value = 9;
        CElement::RestoreWorld(round == 0 ? copy : second, -1);
        EXPECT_EQ(box->x, 2);
        EXPECT_EQ(box->pixelX, 48);
        EXPECT_EQ(at(2, 5), box);
        EXPECT_FALSE(CElement::IsOccupied(3, 5));
        EXPECT_EQ(Counters::value, 4);
    }
    EXPECT_EQ(CElement::GetUndoCount(), 1);
}

} // namespace
