// Bots: waking, seeing, chasing, the catch, EMP, heat, frost, the crush and
// their undo record.
#include "WorldFixture.h"

#include "world/ElementAIBot.h"

using namespace world_test;

namespace {

class BotTest : public WorldTest
{
protected:
    static CElementAIBot* standingBot(int x, int y, bool facingLeft)
    {
        return new CElementAIBot(x, y, facingLeft ? CElementAIBot::CODE_LEFT : CElementAIBot::CODE_RIGHT, 0);
    }
    static CElementAIBot* hangingBot(int x, int y) { return new CElementAIBot(x, y, CElementAIBot::CODE_HANG, 0); }
};

// A bot standing at (10, 10) on a floor at row 11.
TEST_F(BotTest, AStandingBotSeesOnlyAlongItsRowTheWayItFaces)
{
    struct Case {
        const char* what;
        bool facingLeft;
        int profX, profY;
        int crateX;     // -1: none
        int teleportX;  // -1: none
        bool frozenProf;
        bool wakes;
    } cases[] = {
        {"ahead", false, 14, 10, -1, -1, false, true},
        {"behind, however close", false, 8, 10, -1, -1, false, false},
        {"ahead to the left", true, 6, 10, -1, -1, false, true},
        {"a crate between hides him", false, 14, 10, 12, -1, false, false},
        {"a teleport ends the look", false, 14, 10, -1, 12, false, false},
        {"one row below under a free cell", false, 14, 11, -1, -1, false, true},
        {"one row below but frozen", false, 14, 11, -1, -1, true, false},
        {"two rows below", false, 14, 12, -1, -1, false, false},
        {"on the row above", false, 14, 9, -1, -1, false, false},
    };
    for (const Case& c : cases) {
        freshBoard();
        teleports() = TeleportPair(); // the last case's were deleted
        for (int x = 0; x < BOARD_COLUMNS; ++x)
            if (x != 14)
                ground(x, 11); // with a pit at column 14
        if (!CElement::IsOccupied(c.profX, c.profY + 1))
            ground(c.profX, c.profY + 1);
        CElementAIBot* bot = standingBot(10, 10, c.facingLeft);
        professorAt(c.profX, c.profY)->frozen = c.frozenProf;
        if (c.crateX >= 0)
            crate(c.crateX, 10);
        if (c.teleportX >= 0)
            teleportPair(c.teleportX, 10, 25, 3);
        start();
        tick();
        EXPECT_EQ(bot->active, c.wakes) << c.what;
    }
}

// A hanging bot at (10, 5) under a ceiling block; the professor below it.
TEST_F(BotTest, AHangingBotWakesWhenItSeesHimBelowOrLosesItsCeiling)
{
    struct Case {
        const char* what;
        bool ceiling;
        int profX;
        int crateY; // -1: none
        bool wakes;
        bool logsTerrain;
    } cases[] = {
        {"straight below", true, 10, -1, true, false},
        {"something between", true, 10, 7, false, false},
        {"in another column", true, 12, -1, false, false},
        {"the ceiling gone", false, 12, -1, true, true},
    };
    for (const Case& c : cases) {
        freshBoard();
        groundRow(11, 0, 31);
        if (c.ceiling)
            ground(10, 4);
        CElementAIBot* bot = hangingBot(10, 5);
        professorAt(c.profX, 10);
        if (c.crateY >= 0)
            ground(10, c.crateY); // a block that cannot fall
        EXPECT_FALSE(bot->canFall) << c.what;
        LogCapture log(LOG_DEBUG);
        start();
        EXPECT_EQ(bot->active, c.wakes) << c.what;
        EXPECT_EQ(bot->canFall, c.wakes) << c.what;
        EXPECT_EQ(bot->standUp, c.wakes) << c.what;
        EXPECT_EQ(log.text().find("Activating due to destroyed terrain") != std::string::npos, c.logsTerrain)
            << c.what;
    }
}

TEST_F(BotTest, WakingByWhistleFrostOrMagnet)
{
    groundRow(11, 0, 31);
    ground(4, 4);
    ground(8, 4);
    CElementAIBot* hanging = hangingBot(4, 5);
    CElementAIBot* frozenHanging = hangingBot(8, 5);
    CElementAIBot* dead = standingBot(12, 10, false);
    professorAt(20, 10); // behind every bot's look
    dead->destroyed = true;
    start();
    ASSERT_TRUE(CElement::Freeze(frozenHanging));
    tick();
    // Frost wakes it, but a frozen bot drops without standing up.
    EXPECT_TRUE(frozenHanging->active);
    EXPECT_TRUE(frozenHanging->canFall);
    EXPECT_FALSE(frozenHanging->standUp);
    EXPECT_EQ(frozenHanging->state, 23);
    EXPECT_FALSE(hanging->active);

    CElementAIBot::WakeAll();
    EXPECT_TRUE(hanging->active);
    EXPECT_TRUE(hanging->standUp);
    EXPECT_FALSE(dead->active) << "a destroyed bot never wakes";
    tick();
    EXPECT_EQ(hanging->state, 1) << "it plays its stand-up first";
}

TEST_F(BotTest, ChasingSetsTheKeysTowardTheProfessor)
{
    struct Case {
        int profX, profY;
        bool catchLeft, catchRight;
        bool left, right, up, down;
    } cases[] = {
        {14, 10, false, false, false, true, false, false},
        {6, 4, false, false, true, false, true, false},
        {10, 15, false, false, false, false, false, true}, // same column: no sideways key
        {10, 10, false, false, false, false, false, false}, // on his cell
        {14, 4, true, false, true, false, false, false},    // catching overrides
    };
    for (const Case& c : cases) {
        freshBoard();
        CElementAIBot* bot = standingBot(10, 10, false);
        TestActor* prof = professorAt(c.profX, c.profY);
        if (c.profX == 10 && c.profY == 10)
            prof->x = bot->x; // the professor shares the bot's cell
        bot->catchLeft = c.catchLeft;
        bot->catchRight = c.catchRight;
        bot->keyUp = bot->keyDown = true;
        bot->Chase();
        EXPECT_EQ(std::vector<bool>({bot->keyLeft, bot->keyRight, bot->keyUp, bot->keyDown}),
                  std::vector<bool>({c.left, c.right, c.up, c.down}))
            << c.profX << "," << c.profY;
    }
}

TEST_F(BotTest, AnAwakeBotWalksToTheProfessorAndTheOneOnHisLeftCatchesHim)
{
    groundRow(11, 0, 31);
    CElementAIBot* leftBot = standingBot(7, 10, false);
    CElementAIBot* rightBot = standingBot(13, 10, true);
    TestActor* prof = professorAt(10, 10);
    start();
    leftBot->active = true;
    rightBot->active = true;
    for (int i = 0; i < 200 && !CElement::IsProfessorCaught(); ++i)
        tick();
    ASSERT_TRUE(CElement::IsProfessorCaught());
    EXPECT_EQ(leftBot->x, 9);
    EXPECT_TRUE(leftBot->catchRight);
    EXPECT_TRUE(leftBot->IsCatching());
    EXPECT_TRUE(prof->catchRight);
    EXPECT_FALSE(rightBot->IsCatching());

    tick();
    EXPECT_EQ(leftBot->state, 54);
    EXPECT_EQ(leftBot->catchJumpDelay, CElementAIBot::CATCH_JUMP_DELAY - 2);
    // The catch stops every other bot.
    EXPECT_FALSE(rightBot->keyLeft || rightBot->keyRight);
    settle();
    EXPECT_EQ(rightBot->x, 11);
}

TEST_F(BotTest, AnEmpDazesAChasingBotUntilItsWobbleEndsAndItMustSeeHimAgain)
{
    groundRow(11, 0, 31);
    CElementAIBot* bot = standingBot(10, 10, false);
    CElementAIBot* hanging = hangingBot(20, 5);
    ground(20, 4);
    professorAt(16, 10);
    start();
    tick();
    ASSERT_TRUE(bot->active);

    CElementAIBot::StunAll();
    EXPECT_FALSE(bot->active);
    EXPECT_FALSE(bot->keyRight);
    EXPECT_EQ(bot->empDazed, 1);
    EXPECT_TRUE(bot->empStunned);
    EXPECT_EQ(hanging->empDazed, 0) << "a hanging bot is not dazed";
    settle(); // the step it had begun
    tick(3);
    EXPECT_FALSE(bot->active) << "dazed: it does not look";
    EXPECT_EQ(bot->state, 16);

    bot->shownSprite->finish(); // the wobble ends
    tick();
    EXPECT_EQ(bot->empDazed, 0);
    EXPECT_EQ(bot->state, 14);
    tick();
    EXPECT_TRUE(bot->active) << "it sees him again";
}

TEST_F(BotTest, HeatDestroysABotThatStillFallsAndNeverChasesAgain)
{
    groundRow(11, 0, 31);
    CElementAIBot* bot = standingBot(10, 10, false);
    professorAt(16, 10);
    start();
    bot->active = true;
    bot->heated = true;
    tick();
    EXPECT_TRUE(bot->destroyed);
    EXPECT_FALSE(bot->active);
    EXPECT_EQ(bot->state, 28);
    tick(20);
    EXPECT_EQ(bot->x, 10) << "it never chases";
    EXPECT_FALSE(bot->active);

    CElement::ClearElementAt(10, 11); // its floor goes
    tick(2);
    EXPECT_TRUE(bot->falling);
    EXPECT_EQ(bot->state, 29);
}

TEST_F(BotTest, AWeightOnItsHeadCrushesABotUntilTheWeightIsGone)
{
    groundRow(11, 0, 31);
    CElementAIBot* bot = standingBot(10, 10, false);
    professorAt(2, 10); // behind it
    CElement* weight = crate(10, 9);
    start();
    EXPECT_TRUE(bot->stunned);
    EXPECT_EQ(bot->state, 14) << "the tick it is crushed it still stands";
    tick();
    EXPECT_EQ(bot->state, 8) << "the crushed picture follows on the next tick, as the professor's does";
    EXPECT_EQ(bot->stunTicks, 0);

    CElement::ClearElementAt(10, 9);
    weight->x = 20; // carried off
    bot->shownSprite->finish();
    tick();
    EXPECT_EQ(bot->state, 10);
    EXPECT_TRUE(bot->stunned);
    bot->shownSprite->finish();
    tick();
    EXPECT_FALSE(bot->stunned);
    EXPECT_EQ(bot->state, 14);
}

TEST_F(BotTest, AnUndoBringsBackTheBotsRecordAndResetsTheCatchDelay)
{
    groundRow(11, 0, 31);
    CElementAIBot* bot = standingBot(10, 10, false);
    professorAt(20, 10);
    bot->active = false;
    bot->standUp = true;
    bot->empDazed = 1;
    start();

    bot->active = true;
    bot->standUp = false;
    bot->empDazed = 0;
    bot->catchJumpDelay = 3;
    bot->keyLeft = true;
    LogCapture log(LOG_UNDO);
    CElement::LoadUndoStep(true);
    EXPECT_FALSE(bot->active);
    EXPECT_TRUE(bot->standUp);
    EXPECT_EQ(bot->empDazed, 1);
    EXPECT_EQ(bot->catchJumpDelay, CElementAIBot::CATCH_JUMP_DELAY);
    EXPECT_FALSE(bot->keyLeft);
    EXPECT_NE(log.text().find("Bot AI:  Restoring ElementAIBot state..."), std::string::npos);
}

TEST_F(BotTest, TheLevelResetForgetsEveryBot)
{
    standingBot(3, 3, true);
    hangingBot(5, 5);
    EXPECT_EQ(CElementAIBot::GetList().size(), 2u);
    freshBoard();
    EXPECT_TRUE(CElementAIBot::GetList().empty());
    CElementAIBot::WakeAll(); // touches nothing deleted
}

} // namespace
