// The professor: key-driven moves, the step counter and its undo, the
// inventory and the use of power-ups, the click target and the outcome flags.
#include "WorldFixture.h"

#include "levels/Profile.h"
#include "world/ElementAIProfessor.h"
#include "world/ElementTerrainBridge.h"

using namespace world_test;

using P = CElementAIProfessor;

namespace {

struct Placed {
    int x, y, type;
};

// What the stand-in classes hold and were asked to make.
struct StandIns {
    std::vector<Placed> powerups;
    std::vector<std::pair<int, int>> exits;
    std::vector<std::pair<int, int>> teleportsMade;
    std::vector<CElement*> made;
    int emp = 0, stuns = 0, wakes = 0;
    bool teleportRoom = true;
};

StandIns& standIns()
{
    static StandIns s;
    return s;
}

CElement* makeCrateStandIn(int x, int y, int, int, bool)
{
    CElement* made = new TestElement(x, y);
    standIns().made.push_back(made);
    return made;
}

CElement* makeBridgeStandIn(int x, int y, int, int, bool)
{
    CElement* made = new TestElement(x, y, ELEMENT_TERRAIN, TERRAIN_BRIDGE);
    standIns().made.push_back(made);
    return made;
}

class ProfessorTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        standIns() = StandIns();
        WorldLinks& links = worldLinks();
        links.powerupAt = [](int x, int y) {
            for (const Placed& p : standIns().powerups)
                if (p.x == x && p.y == y)
                    return p.type;
            return 0;
        };
        links.collectPowerupAt = [](int x, int y) {
            auto& list = standIns().powerups;
            list.erase(std::remove_if(list.begin(), list.end(), [=](const Placed& p) { return p.x == x && p.y == y; }),
                       list.end());
        };
        links.isExitAt = [](int x, int y) { return contains(standIns().exits, x, y); };
        links.teleportHasRoomAt = [](int, int, bool) { return standIns().teleportRoom; };
        links.makeCrate = links.makeBarrel = links.makeMagnet = &makeCrateStandIn;
        links.makeBridge = &makeBridgeStandIn;
        links.makeTeleport = [](int x, int y, int colour, int) -> CElement* {
            standIns().teleportsMade.emplace_back(x, y);
            EXPECT_EQ(colour, 0);
            return nullptr;
        };
        links.activateEmp = [] { ++standIns().emp; };
        links.stunAllBots = [] { ++standIns().stuns; };
        links.wakeAllBots = [] { ++standIns().wakes; };
        profile_ = std::make_unique<CProfile>();
        profile_->SetSteps(0);
        CElement::SetProfile(profile_.get());
    }

    void TearDown() override
    {
        WorldTest::TearDown();
        CElement::SetProfile(nullptr);
    }

    // The professor on the board, out of his entrance tube.
    CElementAIProfessor* arrive(int x, int y)
    {
        auto* prof = new CElementAIProfessor(x, y);
        start();
        prof->sprite->finish();
        tick();
        EXPECT_FALSE(prof->arriving);
        return prof;
    }

    // A key pressed, held until the move has started, and let go.
    void tap(CElementAIProfessor* prof, void (CElementAIProfessor::*key)(bool))
    {
        (prof->*key)(false);
        tick();
        (prof->*key)(true);
        settle();
    }

    // Out of the tube on a floor, carrying the power-ups.
    CElementAIProfessor* armed(std::initializer_list<int> types)
    {
        groundRow(6, 0, 10);
        CElementAIProfessor* prof = arrive(5, 5);
        for (int type : types)
            prof->addPowerup(type);
        return prof;
    }

    int steps() const { return profile_->GetSteps(true); }

    // Game frames with the sprites' animations running, as the renderer
    // runs them after each pump.
    void play(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            tick();
            CSprite::updateAll();
        }
    }

    std::unique_ptr<CProfile> profile_;
};

TEST_F(ProfessorTest, HeldKeysAreTriedUpDownLeftRight)
{
    struct Case {
        const char* name;
        bool up, down, left, right;
        bool ladder; // at his cell and the cells above and below
        int toX, toY;
    } cases[] = {
        {"up wins over left on a ladder", true, false, true, false, true, 5, 4},
        {"no ladder: up fails, left goes", true, false, true, false, false, 4, 5},
        {"down wins over right on a ladder", false, true, false, true, true, 5, 6},
        {"left wins over right", false, false, true, true, false, 4, 5},
        {"right alone", false, false, false, true, false, 6, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        ladderCells().clear();
        profile_->SetSteps(0);
        groundRow(6, 0, 10);
        if (c.ladder) {
            CElement::ClearElementAt(5, 6);
            ladderCells() = {{5, 4}, {5, 5}, {5, 6}};
        }
        CElementAIProfessor* prof = arrive(5, 5);
        prof->onKeyUp(!c.up);
        prof->onKeyDown(!c.down);
        prof->onKeyLeft(!c.left);
        prof->onKeyRight(!c.right);
        tick();
        EXPECT_EQ(prof->x, c.toX);
        EXPECT_EQ(prof->y, c.toY);
        EXPECT_EQ(steps(), 1);
    }
}

TEST_F(ProfessorTest, StepsCountWalksButNotFallsOrSlides)
{
    struct Case {
        const char* name;
        int iceFrom; // ice from this column on, grass before it
        bool hole;   // the floor ends right of his cell
        int endX, endY;
    } cases[] = {
        {"a walk of one cell", 99, false, 6, 5},
        {"a step onto ice slides on", 6, false, 9, 5},
        {"a step over the edge falls", 99, true, 6, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        profile_->SetSteps(0);
        groundRow(6, 0, c.hole ? 5 : 10);
        for (int x = c.iceFrom; x <= 9; ++x)
            static_cast<TestElement*>(at(x, 6))->surfaceSlide = -1;
        groundRow(10, 0, 12);
        crate(10, 5);
        CElementAIProfessor* prof = arrive(5, 5);
        tap(prof, &CElementAIProfessor::onKeyRight);
        EXPECT_EQ(prof->x, c.endX);
        EXPECT_EQ(prof->y, c.endY);
        EXPECT_EQ(steps(), 1);
    }
}

TEST_F(ProfessorTest, UndoTakesBackTheStepsWithTheMoves)
{
    groundRow(6, 0, 10);
    CElementAIProfessor* prof = arrive(2, 5);
    for (int i = 0; i < 3; ++i)
        tap(prof, &CElementAIProfessor::onKeyRight);
    ASSERT_EQ(prof->x, 5);
    ASSERT_EQ(steps(), 3);
    for (int expected : {2, 1, 0}) {
        CElement::LoadUndoStep(false);
        EXPECT_EQ(steps(), expected);
        EXPECT_EQ(prof->x, 2 + expected);
        EXPECT_EQ(at(2 + expected, 5), prof);
        EXPECT_TRUE(prof->movable);
        tick();
    }
}

TEST_F(ProfessorTest, TheInventoryFillsFromTheLeftUpToNineAndClosesGaps)
{
    groundRow(6, 0, 10);
    CElementAIProfessor* prof = arrive(5, 5);
    for (int type = 1; type <= 9; ++type)
        EXPECT_TRUE(prof->addPowerup(type));
    EXPECT_FALSE(prof->addPowerup(4));
    EXPECT_EQ(prof->inventory, (std::array<int, 9>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    prof->removePowerup(8); // a two-teleport entry keeps one teleport
    EXPECT_EQ(prof->inventory[8], 10);
    prof->removePowerup(2);
    EXPECT_EQ(prof->inventory, (std::array<int, 9>{1, 2, 4, 5, 6, 7, 8, 10, 0}));
    prof->removePowerup(7);
    EXPECT_EQ(prof->inventory, (std::array<int, 9>{1, 2, 4, 5, 6, 7, 8, 0, 0}));
    EXPECT_TRUE(prof->addPowerup(11));
    EXPECT_EQ(prof->inventory[7], 11);
}

TEST_F(ProfessorTest, WalkingOverAPowerupCollectsItUnlessTheInventoryIsFull)
{
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "room");
        freshBoard();
        standIns().powerups = {{6, 5, 4}};
        groundRow(6, 0, 10);
        CElementAIProfessor* prof = arrive(5, 5);
        if (full)
            prof->inventory.fill(1);
        tap(prof, &CElementAIProfessor::onKeyRight);
        EXPECT_EQ(prof->x, 6);
        EXPECT_EQ(prof->inventory[full ? 8 : 0], full ? 1 : 4);
        EXPECT_EQ(standIns().powerups.size(), full ? 1u : 0u);
    }
}

TEST_F(ProfessorTest, AnInflatedCrateAppearsAheadAndGoesAgainWithTheUndo)
{
    groundRow(6, 0, 10);
    CElementAIProfessor* prof = arrive(4, 5);
    prof->addPowerup(CElementAIProfessor::POWERUP_CRATE);
    // The undo keeps the start; a first move changes nothing it needs.
    tap(prof, &CElementAIProfessor::onKeyRight);
    prof->usePowerup(0);
    EXPECT_EQ(prof->inventory[0], 0);
    EXPECT_TRUE(prof->usingPowerup);
    EXPECT_EQ(at(6, 5), prof); // the cell is kept for the crate
    tick(7);
    EXPECT_TRUE(standIns().made.empty());
    tick();
    ASSERT_EQ(standIns().made.size(), 1u);
    CElement* made = standIns().made[0];
    EXPECT_EQ(at(6, 5), made);
    EXPECT_TRUE(made->spawned);

    CElement::LoadUndoStep(false);
    EXPECT_EQ(prof->inventory[0], CElementAIProfessor::POWERUP_CRATE);
    EXPECT_TRUE(at(6, 5)->IsNull());
    const auto& all = CElement::GetAllElements();
    EXPECT_EQ(std::find(all.begin(), all.end(), made), all.end());
}

TEST_F(ProfessorTest, RefusedPowerupsChangeNothing)
{
    struct Case {
        const char* name;
        int type;
        bool wallAhead, onIceBlock, noRoom;
    } cases[] = {
        {"crate against a wall", CElementAIProfessor::POWERUP_CRATE, true, false, false},
        {"teleport without room", CElementAIProfessor::POWERUP_TELEPORT_BLUE2, false, false, true},
        {"something on his head", CElementAIProfessor::POWERUP_EMP, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 10);
        standIns().teleportRoom = !c.noRoom;
        CElementAIProfessor* prof = arrive(5, 5);
        if (c.wallAhead)
            ground(6, 5);
        if (c.onIceBlock)
            ground(5, 4);
        prof->addPowerup(c.type);
        LogCapture log(LOG_DEBUG);
        prof->usePowerup(0);
        EXPECT_NE(log.text().find("Cannot create powerup 0"), std::string::npos);
        EXPECT_EQ(prof->inventory[0], c.type);
        EXPECT_FALSE(prof->usingPowerup);
        EXPECT_EQ(prof->activePowerup, 0);
    }
    // An empty slot is refused too.
    LogCapture log(LOG_DEBUG);
    static_cast<CElementAIProfessor*>(CElement::GetProfessor())->usePowerup(3);
    EXPECT_NE(log.text().find("Cannot create powerup 3"), std::string::npos);
}

TEST_F(ProfessorTest, ATeleportPairIsUsedOneTeleportAtATime)
{
    CElementAIProfessor* prof = armed({P::POWERUP_TELEPORT_BLUE2, P::POWERUP_EMP});
    prof->usePowerup(0);
    EXPECT_EQ(prof->inventory[0], CElementAIProfessor::POWERUP_TELEPORT_BLUE1);
    settle();
    play(40); // the animation plays out
    ASSERT_FALSE(prof->usingPowerup);
    prof->usePowerup(0);
    EXPECT_EQ(prof->inventory[0], CElementAIProfessor::POWERUP_EMP);
    play(40);
    // Facing right, each teleport takes his own cell.
    EXPECT_EQ(standIns().teleportsMade, (std::vector<std::pair<int, int>>{{5, 5}, {5, 5}}));
}

TEST_F(ProfessorTest, ABridgeGrowsOnePiecePerTickUntilBlocked)
{
    // A chasm from column 6 to 12 below his row; a crate stands in row 6 at
    // column 10.
    groundRow(6, 0, 5);
    groundRow(6, 13, 20);
    crate(10, 6);
    ground(10, 7);
    CElementAIProfessor* prof = arrive(5, 5);
    prof->addPowerup(CElementAIProfessor::POWERUP_BRIDGE);
    prof->usePowerup(0);
    EXPECT_EQ(at(6, 6), prof);
    tick(8);
    EXPECT_EQ(standIns().made.size(), 1u);
    tick(3);
    ASSERT_EQ(standIns().made.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(standIns().made[i]->x, 6 + i);
    EXPECT_EQ(prof->activePowerup, 0);
    EXPECT_FALSE(prof->busy);
    tick(5);
    EXPECT_EQ(standIns().made.size(), 4u);
}

TEST_F(ProfessorTest, ThePulseAndTheWhistleReachTheirTargetsMidAnimation)
{
    CElementAIProfessor* prof = armed({P::POWERUP_EMP, P::POWERUP_WHISTLE});
    prof->usePowerup(0);
    play(17);
    EXPECT_EQ(standIns().emp, 0);
    play();
    EXPECT_EQ(standIns().emp, 1);
    EXPECT_EQ(standIns().stuns, 1);
    EXPECT_TRUE(prof->usingPowerup); // until he has turned back
    prof->usePowerup(0);
    EXPECT_EQ(prof->inventory[0], CElementAIProfessor::POWERUP_WHISTLE);

    // A key pressed meanwhile only defers the snapshot, taken when he moves.
    int undoBefore = CElement::GetUndoCount();
    prof->onKeyRight(false);
    prof->onKeyRight(true);
    EXPECT_EQ(CElement::GetUndoCount(), undoBefore);
    play(60);
    EXPECT_FALSE(prof->usingPowerup);
    prof->usePowerup(0);
    tick(18);
    EXPECT_EQ(standIns().wakes, 1);
}

TEST_F(ProfessorTest, AClickAimsAtACellAndHeWalksThere)
{
    struct Case {
        int px, py, cellX, cellY;
    } cases[] = {{14, 14, 0, 0}, {15, 15, 0, 0}, {39, 38, 1, 0}, {799, 599, 31, 23}, {-50, 1000, 0, 23}};
    groundRow(6, 0, 10);
    CElementAIProfessor* prof = arrive(5, 5);
    for (const Case& c : cases) {
        prof->onMouseClick(c.px, c.py, false);
        EXPECT_EQ(prof->mouseTargetX, c.cellX) << c.px;
        EXPECT_EQ(prof->mouseTargetY, c.cellY) << c.py;
        prof->cancelMouseTarget();
    }
    prof->onMouseClick(8 * 24 + 15, 5 * 24 + 15, false);
    prof->onMouseClick(8 * 24 + 15, 5 * 24 + 15, true);
    tick(60);
    EXPECT_EQ(prof->x, 8);
    EXPECT_FALSE(prof->mouseTargetActive);
    EXPECT_FALSE(prof->keyRight);
    EXPECT_EQ(steps(), 3);
}

TEST_F(ProfessorTest, AClickOnAnIconUsesItsSlotInsteadOfAimingThere)
{
    CElementAIProfessor* prof = armed({P::POWERUP_FROSTGUN, P::POWERUP_EMP});
    prof->updatePowerupIcons(14 + 40, 10); // the second slot's icon
    EXPECT_EQ(prof->getHoveredSlot(), 1);
    prof->onMouseClick(14 + 40, 10, false);
    EXPECT_FALSE(prof->mouseTargetActive);
    EXPECT_EQ(prof->activePowerup, CElementAIProfessor::POWERUP_EMP);
    EXPECT_EQ(prof->inventory[1], 0);
    prof->updatePowerupIcons(14 + 80, 10); // an empty slot
    EXPECT_EQ(prof->getHoveredSlot(), -1);
}

TEST_F(ProfessorTest, LettingTheButtonGoStopsABarrelRide)
{
    groundRow(7, 0, 10);
    barrel(5, 6);
    CElementAIProfessor* prof = arrive(5, 5);
    prof->onMouseClick(2 * 24 + 15, 5 * 24 + 15, false);
    tick();
    ASSERT_TRUE(prof->barrelRolled);
    prof->onMouseClick(2 * 24 + 15, 5 * 24 + 15, true);
    EXPECT_FALSE(prof->mouseTargetActive);
    EXPECT_FALSE(prof->keyLeft);
}

TEST_F(ProfessorTest, TheExitIsTakenAtRestAndEndsTheLevelAfterItsAnimation)
{
    groundRow(6, 0, 10);
    standIns().exits = {{7, 5}};
    CElementAIProfessor* prof = arrive(5, 5);
    prof->onKeyRight(false);
    tick(8);
    EXPECT_EQ(prof->x, 6);
    EXPECT_FALSE(prof->leaving);
    tick(4);
    EXPECT_EQ(prof->x, 7);
    EXPECT_TRUE(prof->moving);
    EXPECT_FALSE(prof->leaving); // still on the way in
    prof->onKeyRight(true);
    settle();
    tick();
    EXPECT_TRUE(prof->leaving);
    EXPECT_TRUE(CElement::IsProfessorLeaving());
    EXPECT_FALSE(CElement::IsLevelExited());
    prof->sprite->finish();
    tick();
    EXPECT_TRUE(CElement::IsLevelExited());
}

TEST_F(ProfessorTest, SingedAndCaughtEndTheLevelWhenTheirAnimationEnds)
{
    for (bool caught : {false, true}) {
        SCOPED_TRACE(caught ? "caught" : "singed");
        freshBoard();
        groundRow(6, 0, 10);
        CElementAIProfessor* prof = arrive(5, 5);
        if (caught)
            botAt(6, 5);
        else
            prof->heated = true;
        tick();
        EXPECT_EQ(CElement::IsProfessorSinged(), !caught);
        EXPECT_EQ(CElement::IsProfessorCaught(), caught);
        if (caught) {
            EXPECT_NE(at(5, 5), prof); // out of the grid
        }
        tick(5);
        EXPECT_FALSE(CElement::IsLevelExited());
        prof->sprite->finish();
        tick();
        EXPECT_TRUE(CElement::IsLevelExited());
    }
}

TEST_F(ProfessorTest, FallingOffTheBoardEndsTheLevelOnceAtRest)
{
    groundRow(23, 0, 5);
    CElementAIProfessor* prof = arrive(5, 22);
    prof->onKeyRight(false);
    tick();
    prof->onKeyRight(true);
    for (int i = 0; i < 200 && !CElement::IsLevelExited(); ++i) {
        EXPECT_FALSE(CElement::IsProfessorFallen());
        tick();
    }
    EXPECT_TRUE(CElement::IsProfessorFallen());
    EXPECT_TRUE(CElement::IsLevelExited());
    EXPECT_EQ(prof->y, 26);
    EXPECT_EQ(steps(), 1);
}

TEST_F(ProfessorTest, StandingStillPlaysTheIdlesInTurn)
{
    groundRow(6, 0, 10);
    CElementAIProfessor* prof = arrive(5, 5);
    tap(prof, &CElementAIProfessor::onKeyRight); // out of the start pose
    prof->idleIndex = 8;
    for (int expected : {9, 0}) {
        int ticks = 0;
        for (; !prof->idling && ticks < 1000; ++ticks)
            tick();
        EXPECT_EQ(ticks, CElementAIProfessor::IDLE_AFTER_TICKS);
        EXPECT_EQ(prof->idleIndex, expected);
        EXPECT_EQ(prof->state, CElementAIProfessor::IDLE_STATE + expected);
        prof->sprite->finish(); // the idle ends and he turns back
        tick();
        EXPECT_TRUE(prof->turning);
        prof->sprite->finish();
        tick();
        EXPECT_FALSE(prof->turning);
    }
}

} // namespace

namespace {

TEST_F(ProfessorTest, PowerupsAimedPastTheBoardsEdgeAreRefusedAndKeepTheirSlot)
{
    struct Case {
        const char* name;
        int type, x, y;
        bool facingLeft;
    } cases[] = {
        {"crate past the right edge", P::POWERUP_CRATE, 31, 5, false},
        {"crate past the left edge", P::POWERUP_CRATE, 0, 5, true},
        {"teleport past the left edge", P::POWERUP_TELEPORT_BLUE2, 0, 5, true},
        {"teleport past the right edge", P::POWERUP_TELEPORT_RED2, 31, 5, false},
        {"bridge below the bottom row", P::POWERUP_BRIDGE, 5, BOARD_ROWS - 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        if (c.y + 1 < BOARD_ROWS)
            groundRow(c.y + 1, 0, BOARD_COLUMNS - 1);
        CElementAIProfessor* prof = arrive(c.x, c.y);
        prof->facingLeft = c.facingLeft;
        prof->addPowerup(c.type);
        LogCapture log(LOG_DEBUG);
        prof->usePowerup(0);
        EXPECT_NE(log.text().find("Cannot create powerup 0"), std::string::npos);
        EXPECT_EQ(prof->inventory[0], c.type);
        EXPECT_FALSE(prof->usingPowerup);
        play(20);
        EXPECT_TRUE(standIns().made.empty());
        EXPECT_TRUE(standIns().teleportsMade.empty());
    }
}

TEST_F(ProfessorTest, AtColumn31HeStopsAtTheBoardsEdge)
{
    groundRow(6, 0, BOARD_COLUMNS - 1);
    CElementAIProfessor* prof = arrive(30, 5);
    prof->onKeyRight(false); // held on against the edge
    tick(40);
    EXPECT_EQ(prof->x, 31);
    EXPECT_FALSE(prof->moving);
    EXPECT_EQ(at(31, 5), prof);
    EXPECT_TRUE(at(0, 5)->IsNull()) << "nothing was written past the edge";
    prof->onKeyRight(true);
}

TEST_F(ProfessorTest, TheBridgeHeStepsOffCollapsesBehindHim)
{
    groundRow(6, 0, 4);
    groundRow(6, 6, 10);
    auto* bridge = new CElementTerrainBridge(5, 6, CElementTerrainBridge::WOODEN, 0, true);
    CElementAIProfessor* prof = arrive(5, 5);
    EXPECT_FALSE(bridge->IsCollapsing()) << "standing on it holds";
    tap(prof, &CElementAIProfessor::onKeyRight);
    EXPECT_EQ(prof->x, 6);
    EXPECT_TRUE(bridge->IsCollapsing());
    EXPECT_TRUE(at(5, 6)->IsNull());
}

} // namespace
