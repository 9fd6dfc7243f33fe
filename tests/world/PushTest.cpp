// Pushing one cell sideways, bumps and the magnet hold chain.
#include "WorldFixture.h"

#include <functional>

using namespace world_test;

namespace {

using PushTest = WorldTest;

constexpr int NOTHING = 99; // no cell below

TEST_F(PushTest, TheGroundDecidesWhetherAPushNeedsStrength)
{
    struct Case {
        const char* ground;
        int surface;
        bool force;
        bool moves;
    } cases[] = {
        {"grass", 0, false, false}, {"grass", 0, true, true},           {"ice", -1, false, true},
        {"ice", -1, true, true},    {"sand", +1, false, false},         {"sand", +1, true, false},
        {"nothing", NOTHING, false, false}, {"nothing", NOTHING, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ground << (c.force ? " with force" : " nudged"));
        freshBoard();
        if (c.surface != NOTHING)
            groundRow(6, 0, 10, c.surface);
        CElement* box = crate(5, 5);
        EXPECT_EQ(box->PushRight(c.force, false), c.moves);
        EXPECT_EQ(box->x, c.moves ? 6 : 5);
        EXPECT_EQ(box->pushed, c.moves);
    }
}

TEST_F(PushTest, ACratePushedOverNothingMovesAndThenFalls)
{
    CElement* box = crate(5, 5);
    ASSERT_TRUE(box->PushRight(true, false));
    start();
    settle();
    EXPECT_EQ(box->x, 6);
    EXPECT_EQ(box->y, 26);
}

TEST_F(PushTest, PushesAreRefusedWhenSomethingIsInTheWay)
{
    struct Case {
        const char* name;
        std::function<CElement*()> setUp; // the element to push
        bool left;
    } cases[] = {
        {"the element above moves sideways",
         [] {
             CElement* above = crate(5, 4);
             above->moving = true;
             above->originX = 6;
             return crate(5, 5);
         },
         false},
        {"the element below moves sideways",
         [] {
             CElement* below = crate(5, 5);
             below->moving = true;
             below->originX = 4;
             return crate(5, 4);
         },
         false},
        {"towards column 32", [] { return crate(31, 5); }, false},
        {"towards column -1", [] { return crate(0, 5); }, true},
        {"the next cell is taken", [] { crate(6, 5); return crate(5, 5); }, false},
        {"held by a magnet",
         [] {
             CElement* box = crate(5, 5);
             box->holderA = crate(4, 5);
             return box;
         },
         false},
        {"grabbed by an actor",
         [] {
             CElement* box = crate(5, 5);
             box->SetGrabbed(true);
             return box;
         },
         false},
        {"on a trampoline",
         [] {
             CElement* box = crate(5, 5);
             box->onTrampoline = true;
             return box;
         },
         false},
        {"fixed in place",
         [] {
             CElement* box = crate(5, 5);
             box->mobile = false;
             return box;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 31);
        CElement* box = c.setUp();
        int x = box->x;
        EXPECT_FALSE(c.left ? box->PushLeft(true, false) : box->PushRight(true, false));
        EXPECT_EQ(box->x, x);
        EXPECT_FALSE(box->moving);
    }
}

TEST_F(PushTest, AHeatedCrateThatWillNotGiveWayBurnsTheProfessor)
{
    groundRow(6, 0, 10);
    CElement* box = crate(5, 5);
    box->heated = true;
    CElement* prof = professorAt(6, 5);
    prof->heatable = true;
    EXPECT_FALSE(box->PushRight(true, false));
    EXPECT_EQ(box->x, 5);
    EXPECT_TRUE(prof->heated);
    EXPECT_FALSE(box->heated);
    EXPECT_TRUE(box->wasHeated);
}

TEST_F(PushTest, UpAndDownAreNeverPushed)
{
    CElement* box = crate(5, 5);
    EXPECT_FALSE(box->PushUp());
    EXPECT_FALSE(box->PushDown());
    EXPECT_TRUE(CElement::GetNullElement()->PushRight(false, false));
    EXPECT_TRUE(CElement::GetNullElement()->PushLeft(false, false));
}

TEST_F(PushTest, ABumpHandsTheDirectionToAMovableElement)
{
    CElement* box = crate(5, 5);
    EXPECT_TRUE(box->BumpedRight());
    EXPECT_TRUE(box->wasMovingRight);
    EXPECT_TRUE(box->BumpedLeft());
    EXPECT_TRUE(box->wasMovingLeft);

    CElement* fixed = ground(8, 5);
    EXPECT_FALSE(fixed->BumpedRight());
    EXPECT_FALSE(CElement::GetNullElement()->BumpedLeft());

    CElement* leaving = crate(10, 5);
    leaving->moving = true;
    leaving->originX = 11; // moving left
    EXPECT_FALSE(leaving->BumpedRight());
    EXPECT_TRUE(leaving->BumpedLeft());
}

TEST_F(PushTest, MagnetLinksHoldAnElementUpWhileOneLinkStandsFirm)
{
    struct Case {
        const char* name;
        std::function<void(CElement* held)> link;
        bool falls;
    } cases[] = {
        {"no link", [](CElement*) {}, true},
        {"a magnet on the ground", [](CElement* held) { held->holderA = crate(4, 5); }, false},
        {"a magnet in the air", [](CElement* held) { held->holderA = crate(4, 2); }, true},
        {"a gate in the air",
         [](CElement* held) { held->holderA = new TestElement(4, 2, ELEMENT_DEVICE, DEVICE_GATE); }, false},
        {"a chain ending on the ground",
         [](CElement* held) {
             CElement* middle = crate(4, 2);
             held->holderA = middle;
             middle->holderA = crate(3, 5);
         },
         false},
        {"a chain back to the element itself",
         [](CElement* held) {
             CElement* middle = crate(4, 2);
             held->holderA = middle;
             middle->holderA = held;
         },
         true},
        {"a ring of links in the air",
         [](CElement* held) {
             CElement* first = crate(4, 2);
             CElement* second = crate(3, 2);
             held->holderA = first;
             first->holderA = second;
             second->holderA = first;
         },
         true},
        {"a magnet beside a ladder platform",
         [](CElement* held) {
             held->holderA = crate(4, 2);
             worldLinks().isLadderPlatformAt = [](int x, int y) { return x == 3 && y == 2; };
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        worldLinks().isLadderPlatformAt = nullptr;
        for (int x = 0; x < 5; ++x)
            ground(x, 6);
        CElement* held = crate(5, 5);
        c.link(held);
        EXPECT_EQ(held->CanFall(false), c.falls);
    }
}

TEST_F(PushTest, AnElementFallsOnceItsMagnetStartsMoving)
{
    groundRow(6, 0, 4);
    CElement* magnet = crate(4, 5);
    CElement* held = crate(5, 5);
    held->holderA = magnet;
    start();
    EXPECT_FALSE(held->falling);
    ASSERT_TRUE(magnet->PushLeft(true, false));
    tick();
    EXPECT_TRUE(held->falling);
    EXPECT_EQ(held->y, 6);
}

} // namespace
