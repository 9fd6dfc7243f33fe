// The world tick: order, falling, landing, squeezing, sliding, the catch,
// trampolines, teleport passages and the step count.
#include "WorldFixture.h"

#include "levels/Profile.h"
#include "platform/Folders.h"

#include <functional>
#include <memory>

using namespace world_test;

namespace {

using WorldTickTest = WorldTest;

// Makes one more element the first time it updates.
class Spawner : public TestElement
{
public:
    Spawner(int x, int y) : TestElement(x, y, ELEMENT_DEVICE, DEVICE_BUTTON) {}
    void Update() override
    {
        TestElement::Update();
        if (!child)
            child = new TestElement(30, 0, ELEMENT_DEVICE, DEVICE_BUTTON);
    }
    CElement* child = nullptr;
};

TEST_F(WorldTickTest, TheProfessorUpdatesFirstThenEveryElementInOrderOfConstruction)
{
    CElement* first = new TestElement(1, 1, ELEMENT_DEVICE, DEVICE_BUTTON);
    auto* spawner = new Spawner(2, 1);
    CElement* last = new TestElement(3, 1, ELEMENT_DEVICE, DEVICE_BUTTON);
    CElement* prof = professorAt(8, 8);
    CElement* floor = ground(8, 9);
    start();
    std::vector<CElement*> expected = {prof, first, spawner, last, floor, spawner->child};
    EXPECT_EQ(updateLog(), expected);
}

TEST_F(WorldTickTest, AFallTakesEightTicksPerRowAndLandsForOneFrame)
{
    CElement* c = crate(3, 5);
    ground(3, 8);
    start(); // the snapshot tick also starts the fall
    EXPECT_TRUE(c->falling);
    EXPECT_EQ(c->y, 6);
    EXPECT_EQ(c->originY, 5);
    EXPECT_EQ(at(3, 6), c);
    EXPECT_EQ(at(3, 5), CElement::GetNullElement());
    tick(7);
    EXPECT_EQ(c->pixelY, 5 * 24 + 21);
    tick(); // reaches row 6 and goes on at once
    EXPECT_EQ(c->y, 7);
    EXPECT_TRUE(c->falling);
    tick(8);
    EXPECT_EQ(c->pixelY, 7 * 24);
    EXPECT_FALSE(c->moving);
    EXPECT_FALSE(c->falling);
    EXPECT_TRUE(c->landed);
    EXPECT_TRUE(c->landing);
    EXPECT_EQ(c->landedFrame, static_cast<int>(frameCounter()));
    tick();
    EXPECT_FALSE(c->landed);
    EXPECT_EQ(c->landedFrame, -1);
}

TEST_F(WorldTickTest, AnElementFallingOffTheBoardStopsAtRow26)
{
    CElement* c = crate(3, 22);
    start();
    settle();
    EXPECT_EQ(c->y, 26);
    EXPECT_FALSE(c->moving);
    EXPECT_FALSE(CElement::IsOccupied(3, 22));
    EXPECT_FALSE(CElement::IsOccupied(3, 23));
}

TEST_F(WorldTickTest, AnElementComingToRestOnABarrelSqueezesItOut)
{
    struct Case {
        const char* name;
        bool wasMovingLeft;
        bool blockLeft, blockRight;
        int barrelX; // where the barrel goes; 5 when it stays
    } cases[] = {
        {"right first", false, false, false, 6},
        {"left first after moving left", true, false, false, 4},
        {"left when the right is blocked", false, false, true, 4},
        {"nowhere to go", false, true, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 10);
        CElement* b = barrel(5, 5);
        TestElement* top = crate(5, 4);
        top->wasMovingLeft = c.wasMovingLeft;
        if (c.blockLeft)
            ground(4, 5);
        if (c.blockRight)
            ground(6, 5);
        start();
        EXPECT_EQ(b->x, c.barrelX);
        bool squeezed = c.barrelX != 5;
        EXPECT_EQ(top->y, squeezed ? 5 : 4);
        EXPECT_EQ(at(5, 5), squeezed ? static_cast<CElement*>(top) : b);
        settle();
        EXPECT_EQ(at(5, squeezed ? 5 : 4), top);
    }
}

TEST_F(WorldTickTest, ASlideRunsUntilItMeetsSomethingAndBumpsItOn)
{
    groundRow(6, 0, 31, -1);
    TestElement* a = crate(2, 5);
    TestElement* b = crate(8, 5);
    a->wasMovingRight = true;
    start();
    EXPECT_TRUE(a->sliding);
    settle();
    EXPECT_EQ(a->x, 7); // stopped against b...
    EXPECT_FALSE(a->sliding);
    EXPECT_EQ(b->x, 31); // ...which took the slide on to the board's edge
}

TEST_F(WorldTickTest, ASlideStopsAgainstAFixedElement)
{
    groundRow(6, 0, 31, -1);
    TestElement* a = crate(2, 5);
    ground(8, 5);
    a->wasMovingRight = true;
    start();
    settle();
    tick();
    EXPECT_EQ(a->x, 7);
    EXPECT_FALSE(a->sliding);
    EXPECT_FALSE(a->wasMovingRight);
}

TEST_F(WorldTickTest, BumpsHandedRoundATeleportLoopDoNotHoldUpTheTick)
{
    // Through a teleport the right-hand neighbour of the crate at column 11
    // is the crate at column 10: each bumps the other for ever.
    groundRow(6, 0, 31, -1);
    static CElement* exit;
    exit = new TestElement(9, 5, ELEMENT_DEVICE, DEVICE_TELEPORT);
    worldLinks().findTeleportPartner = [](int x, int y, bool right) {
        return x == 11 && y == 5 && !right ? exit : nullptr;
    };
    TestElement* a = crate(10, 5);
    TestElement* b = crate(11, 5);
    a->wasMovingRight = true;
    start();
    EXPECT_FALSE(a->moving);
    EXPECT_FALSE(b->moving);
}

TEST_F(WorldTickTest, TwoElementsSlidingIntoEachOtherBothStopInOneTick)
{
    groundRow(6, 0, 31, -1);
    TestElement* a = crate(2, 5);
    TestElement* b = crate(3, 5);
    a->wasMovingRight = true;
    b->wasMovingLeft = true;
    start();
    EXPECT_FALSE(a->moving);
    EXPECT_FALSE(b->moving);
    EXPECT_FALSE(b->skipSlideCheck); // given and used up in the same tick
    tick(3);
    EXPECT_EQ(a->x, 2);
    EXPECT_EQ(b->x, 3);
}

TEST_F(WorldTickTest, OnlyTheProfessorsWalkingMovesCountAsSteps)
{
    initDirectories();
    auto profile = std::make_unique<CProfile>();
    profile->SetSteps(0);
    CElement::SetProfile(profile.get());
    struct Case {
        const char* name;
        bool professor, falling, sliding;
        int counted;
    } cases[] = {
        {"walk", true, false, false, 1},
        {"fall", true, true, false, 0},
        {"slide", true, false, true, 0},
        {"a bot walking", false, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CElement* actor = c.professor ? static_cast<CElement*>(professorAt(10, 10)) : botAt(10, 10);
        actor->falling = c.falling;
        actor->sliding = c.sliding;
        int before = profile->GetSteps(true);
        actor->MoveTo(11, 10);
        EXPECT_EQ(profile->GetSteps(true) - before, c.counted);
        CElement::ClearElementAt(11, 10);
    }
    CElement::SetProfile(nullptr);
}

TEST_F(WorldTickTest, ABotBesideTheProfessorCatchesHimOnlyOnFirmGround)
{
    struct Case {
        const char* name;
        std::function<void(CElement* prof, CElement* bot)> setUp;
        bool botOnLeft;
        bool caught;
    } cases[] = {
        {"bot on the left", [](CElement*, CElement*) {}, true, true},
        {"bot on the right", [](CElement*, CElement*) {}, false, true},
        {"frozen bot", [](CElement*, CElement* bot) { bot->frozen = true; }, true, false},
        {"something on the professor", [](CElement* p, CElement*) { crate(p->x, p->y - 1); }, true, false},
        {"something on the bot", [](CElement*, CElement* bot) { crate(bot->x, bot->y - 1); }, true, false},
        {"professor leaving", [](CElement*, CElement*) { TestActor::setLeaving(true); }, true, false},
        {"professor heated", [](CElement* p, CElement*) { p->heated = true; }, true, false},
        {"bot held by a magnet", [](CElement*, CElement* bot) { bot->holderB = crate(20, 20); }, true, false},
        {"bot on a ladder over nothing",
         [](CElement*, CElement* bot) {
             CElement::ClearElementAt(bot->x, bot->y + 1);
             ladderCells().push_back({bot->x, bot->y + 1});
         },
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        ladderCells().clear();
        groundRow(6, 0, 10);
        CElement* prof = professorAt(5, 5);
        CElement* bot = botAt(c.botOnLeft ? 4 : 6, 5);
        c.setUp(prof, bot);
        start();
        EXPECT_EQ(CElement::IsProfessorCaught(), c.caught);
        if (!c.caught)
            continue;
        EXPECT_EQ(bot->catchRight, c.botOnLeft);
        EXPECT_EQ(bot->catchLeft, !c.botOnLeft);
        EXPECT_EQ(prof->catchRight, c.botOnLeft);
        EXPECT_FALSE(bot->movable);
        EXPECT_FALSE(prof->canFall);
        EXPECT_FALSE(prof->movable);
    }
}

TEST_F(WorldTickTest, StepsOntoAndOffATrampolineAreMarked)
{
    trampolineCells().push_back({5, 5});
    for (bool frozen : {false, true}) {
        SCOPED_TRACE(frozen ? "frozen" : "not frozen");
        CElement* c = crate(4, 5);
        c->frozen = frozen;
        c->MoveTo(5, 5);
        EXPECT_TRUE(c->onTrampoline);
        c->MoveTo(6, 5);
        EXPECT_FALSE(c->onTrampoline);
        EXPECT_EQ(c->leftTrampoline, !frozen);
        CElement::ClearElementAt(6, 5);
    }
}

TEST_F(WorldTickTest, AnElementPushedIntoATeleportComesOutOfItsPartner)
{
    teleportPair(5, 10, 20, 10);
    groundRow(11, 0, 31);
    CElement* c = crate(6, 10);
    start();
    ASSERT_TRUE(c->PushLeft(true, false));
    EXPECT_TRUE(c->teleporting);
    EXPECT_EQ(c->x, 20);
    EXPECT_EQ(c->originX, 21);
    EXPECT_EQ(c->requestX, 5);
    EXPECT_EQ(c->pixelX, 21 * 24);
    EXPECT_EQ(at(20, 10), c);
    EXPECT_FALSE(CElement::IsOccupied(6, 10));
    EXPECT_FALSE(CElement::IsOccupied(5, 10));
    settle();
    EXPECT_FALSE(c->teleporting);
    EXPECT_EQ(c->pixelX, 20 * 24);
    EXPECT_EQ(c->ghostPixelX, 6 * 24 - 24); // the ghost went on into the entrance
}

TEST_F(WorldTickTest, ATeleportPassageShowsAGhostAtTheEntrance)
{
    teleportPair(5, 10, 20, 10);
    groundRow(11, 0, 31);
    auto* box = new DrawnCrate(6, 10);
    CSprite* main = box->sprite;
    start();
    ASSERT_TRUE(box->PushLeft(true, false));
    tick();
    ASSERT_NE(box->ghostSprite, nullptr);
    CSprite* ghost = box->ghostSprite.get();
    EXPECT_STREQ(ghost->getName(), "Teleport Ghost Sprite");
    EXPECT_EQ(ghost->getType(), KIND_TELEPORT_GHOST);
    EXPECT_EQ(main->getType(), KIND_TELEPORT_EMERGING);
    EXPECT_TRUE(isLive(ghost));
    EXPECT_EQ(box->teleportProgress, 1);
    // The ghost stays at the entrance while the element comes out of the
    // partner.
    EXPECT_EQ(ghost->getX(false), 6 * 24);
    EXPECT_EQ(main->getX(false), box->pixelX - 1);
    tick(2);
    EXPECT_EQ(ghost->getX(false), 6 * 24);
    settle();
    tick();
    EXPECT_EQ(box->ghostSprite, nullptr);
    EXPECT_EQ(main->getType(), KIND_POWERUP_ITEM);
}

TEST_F(WorldTickTest, MotionNeverOvershootsItsCell)
{
    // A shot moves six pixels a tick; set off three pixels from the grid it
    // still stops on its cell.
    auto* shot = new TestElement(4, 4, ELEMENT_DEVICE, DEVICE_GUNSHOT);
    shot->mobile = true;
    shot->moving = true;
    shot->originX = 5;
    shot->pixelX = 5 * 24 - 3;
    start();
    tick(4);
    EXPECT_FALSE(shot->moving);
    EXPECT_EQ(shot->pixelX, 4 * 24);
}

} // namespace
