// The actors' moves: walking and pushing, riding a barrel, hot things in the
// way, climbing and the actor's undo record.
#include "WorldFixture.h"

using namespace world_test;

namespace {

using ActorTest = WorldTest;

TEST_F(ActorTest, WalkingOnABarrelRollsItBackAndRidesAlong)
{
    for (bool blocked : {false, true}) {
        SCOPED_TRACE(blocked ? "blocked behind" : "free behind");
        freshBoard();
        groundRow(7, 0, 10);
        CElement* b = barrel(5, 6);
        TestActor* prof = professorAt(5, 5);
        if (blocked)
            crate(4, 5);
        EXPECT_EQ(prof->WalkRight(), !blocked);
        EXPECT_EQ(b->x, 4); // the barrel rolls either way
        EXPECT_EQ(prof->x, blocked ? 5 : 4);
        EXPECT_EQ(prof->barrelRolled, !blocked);
        EXPECT_EQ(prof->barrel, b);
        EXPECT_TRUE(b->grabbed);
        EXPECT_FALSE(prof->facingLeft);
    }
}

TEST_F(ActorTest, ABarrelOnIceIsOnlyMarkedForTheDirection)
{
    groundRow(7, 0, 10, -1);
    CElement* b = barrel(5, 6);
    TestActor* prof = professorAt(5, 5);
    EXPECT_FALSE(prof->WalkLeft());
    EXPECT_EQ(b->x, 5);
    EXPECT_FALSE(b->grabFlagA);
    EXPECT_TRUE(b->grabFlagB);
}

TEST_F(ActorTest, HeatedThingsStopTheProfessorButNotTheBots)
{
    struct Case {
        const char* name;
        bool professor;
        bool heatedFloor; // else the crate in the way is heated
        bool coveredHead;
        bool moved, hotStep, hotPush;
    } cases[] = {
        {"professor, heated crate", true, false, false, false, false, true},
        {"professor, heated crate, something on his head", true, false, true, false, false, false},
        {"professor, heated floor", true, true, false, false, true, false},
        {"bot, heated crate", false, false, false, true, false, false},
        {"bot, heated floor", false, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 10);
        TestActor* actor = c.professor ? professorAt(4, 5) : botAt(4, 5);
        CElement* box = crate(5, 5);
        if (c.heatedFloor) {
            CElement::ClearElementAt(5, 5);
            CElement::GetElementAt(5, 6)->heated = true;
        } else {
            box->heated = true;
        }
        if (c.coveredHead)
            ground(4, 4);
        EXPECT_EQ(actor->WalkRight(), c.moved);
        EXPECT_EQ(actor->x, c.moved ? 5 : 4);
        EXPECT_EQ(actor->hotStep, c.hotStep);
        EXPECT_EQ(actor->hotPush, c.hotPush);
    }
}

TEST_F(ActorTest, AnActorPushesFrozenOrDestroyedBotsButNotLiveOnes)
{
    struct Case {
        const char* name;
        bool frozen, destroyed;
        bool pushed;
    } cases[] = {{"live", false, false, false}, {"frozen", true, false, true}, {"destroyed", false, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 10);
        TestActor* prof = professorAt(4, 5);
        TestActor* bot = botAt(5, 5);
        bot->frozen = c.frozen;
        bot->destroyed = c.destroyed;
        EXPECT_EQ(prof->WalkRight(), c.pushed);
        EXPECT_EQ(bot->x, c.pushed ? 6 : 5);
        EXPECT_EQ(prof->pushing, c.pushed);
    }
}

TEST_F(ActorTest, ATurnForgetsTheHotRefusals)
{
    groundRow(6, 0, 10);
    TestActor* prof = professorAt(4, 5);
    prof->holderA = crate(3, 5); // held: every walk is refused
    prof->hotStep = prof->hotPush = true;
    EXPECT_FALSE(prof->WalkRight());
    EXPECT_TRUE(prof->hotStep && prof->hotPush);
    EXPECT_FALSE(prof->WalkLeft());
    EXPECT_FALSE(prof->hotStep || prof->hotPush);
}

TEST_F(ActorTest, OnIceAnActorStartsWalkingOnlyWhenCaughtOnThatSide)
{
    groundRow(6, 0, 10, -1);
    TestActor* prof = professorAt(4, 5);
    EXPECT_FALSE(prof->WalkRight());
    prof->catchRight = true;
    EXPECT_TRUE(prof->WalkRight());
    EXPECT_EQ(prof->x, 5);
    EXPECT_FALSE(prof->mayBePushedLeft);
}

TEST_F(ActorTest, AnActorWalksOffTheBoardEdgeNowhere)
{
    groundRow(6, 0, 31);
    TestActor* left = botAt(0, 5);
    TestActor* right = botAt(31, 5);
    EXPECT_FALSE(left->WalkLeft());
    EXPECT_FALSE(right->WalkRight());
    EXPECT_TRUE(left->facingLeft);
}

TEST_F(ActorTest, LaddersAndTheDownKey)
{
    ground(5, 10);
    TestActor* bot = botAt(5, 7);
    ladderCells() = {{5, 7}, {5, 6}};
    EXPECT_TRUE(bot->CanClimbUp());
    EXPECT_TRUE(bot->ClimbUp());
    EXPECT_EQ(bot->y, 6);
    EXPECT_FALSE(bot->CanClimbUp()); // no ladder above
    EXPECT_FALSE(bot->CanFall(false)); // the ladder holds it up
    bot->frozen = true;
    EXPECT_TRUE(bot->CanFall(false));

    TestActor* other = botAt(8, 7);
    EXPECT_TRUE(other->Fall());
    EXPECT_EQ(other->y, 8);
    trampolineCells().push_back({8, 9});
    EXPECT_FALSE(other->CanFall());
}

TEST_F(ActorTest, TheUndoBringsBackTheBarrelAndReleasesTheKeys)
{
    groundRow(7, 0, 10);
    CElement* b = barrel(5, 6);
    TestActor* prof = professorAt(5, 5);
    prof->TakeBarrel(b);
    start();
    prof->TakeBarrel(CElement::GetNullElement());
    prof->keyLeft = prof->keyAction = true;
    prof->stunned = true;
    prof->stunTicks = 4;
    EXPECT_FALSE(b->grabbed);
    CElement::LoadUndoStep(true);
    EXPECT_EQ(prof->barrel, b);
    EXPECT_FALSE(prof->keyLeft || prof->keyAction || prof->stunned);
    EXPECT_EQ(prof->stunTicks, 0);
}

} // namespace
