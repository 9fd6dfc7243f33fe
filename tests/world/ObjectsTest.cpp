// Crates and barrels: their pictures through falls, landings, heat and frost,
// rolling, and the barrel's cooling roll through undo.
#include "ObjectsFixture.h"

using namespace world_test;

namespace {

using CrateTest = ObjectsTest;
using BarrelTest = ObjectsTest;

TEST_F(CrateTest, ACrateFallsShowingItsFallThenLandsWithASquash)
{
    grass(0, 10, 10);
    auto* box = crateOf(MATERIAL_WOODEN, 5, 2);
    start();
    tick(3);
    EXPECT_TRUE(box->falling);
    EXPECT_EQ(shown(box), "Crate (WoodenA) Falling Left");
    settle();
    tick();
    EXPECT_EQ(box->y, 9);
    EXPECT_EQ(shown(box), "Crate (WoodenA) Squashed");
    EXPECT_FALSE(box->shownSprite->isHidden());
    box->shownSprite->finish();
    tick();
    EXPECT_FALSE(box->landing);
    tick();
    EXPECT_EQ(shown(box), "Crate (Wooden) Idle");
}

TEST_F(CrateTest, ACratePushedLeftOverAnEdgeFallsWithTheOtherPicture)
{
    grass(4, 10, 3);
    auto* box = crateOf(MATERIAL_METAL, 4, 9);
    start();
    ASSERT_TRUE(box->PushLeft(true, false));
    bool sawFall = false;
    for (int i = 0; i < 40 && !sawFall; ++i) {
        tick();
        sawFall = box->falling && box->pixelY != box->prevPixelY;
    }
    ASSERT_TRUE(sawFall);
    EXPECT_EQ(shown(box), "Crate (Metal) Falling Right");
}

TEST_F(CrateTest, WoodGrainAlternatesByColumn)
{
    EXPECT_EQ(CElementObjectCrate::WoodenImage("cratestill0", 4), "cratestill0b.tga");
    EXPECT_EQ(CElementObjectCrate::WoodenImage("cratestill0", 5), "cratestill0.tga");
}

TEST_F(CrateTest, AMetalCrateHeatsFreezesIntoCoolingAndCoolsDown)
{
    grass(0, 10, 10);
    auto* box = crateOf(MATERIAL_METAL, 5, 9);
    start();
    ASSERT_TRUE(CElement::Heat(box, true, false));
    tick();
    EXPECT_EQ(shown(box), "Crate (Metal,Heated) Idle");

    ASSERT_TRUE(CElement::Freeze(box));
    tick();
    EXPECT_FALSE(box->heated);
    EXPECT_EQ(shown(box), "Crate (Metal) Cooling");
    box->shownSprite->finish();
    tick();
    EXPECT_FALSE(box->wasHeated);
    tick();
    EXPECT_EQ(shown(box), "Crate (Metal) Idle");

    ASSERT_TRUE(CElement::Freeze(box));
    tick();
    EXPECT_EQ(shown(box), "Crate (Metal,Frozen) Idle");
    EXPECT_EQ(box->GetSurfaceSlide(), -1) << "frozen, it is slippery to what stands on it";
    EXPECT_EQ(box->GetOwnSlide(), -1);
}

TEST_F(CrateTest, LevelModifiersChooseTheFirstPicture)
{
    struct Case {
        int material, modifier;
        const char* picture;
    };
    const Case cases[] = {
        {MATERIAL_METAL, MODIFIER_FROZEN, "Crate (Metal,Frozen) Idle"},
        {MATERIAL_METAL, MODIFIER_HEATED, "Crate (Metal,Heated) Idle"},
        {MATERIAL_WOODEN, MODIFIER_HEATED, "Crate (Wooden) Idle"},
        {MATERIAL_INFLATABLE, MODIFIER_FROZEN, "Crate Inflating Left"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown(crateOf(c.material, 3, 3, c.modifier)), c.picture);
}

TEST_F(CrateTest, AnInflatableCrateIsSpawnedInflatesThenStandsAndBursts)
{
    grass(0, 10, 10);
    start();
    auto* box = crateOf(MATERIAL_INFLATABLE, 5, 9);
    EXPECT_TRUE(box->spawned);
    EXPECT_TRUE(box->busy);
    EXPECT_TRUE(box->burstable);
    tick();
    EXPECT_EQ(shown(box), "Crate Inflating Left");
    box->shownSprite->finish();
    tick();
    EXPECT_FALSE(box->busy);
    tick();
    EXPECT_EQ(shown(box), "Crate (Inflated) Idle");
    ASSERT_TRUE(CElement::Heat(box, true, false));
    EXPECT_TRUE(box->burning);
    EXPECT_FALSE(CElement::IsOccupied(5, 9));
    tick();
    EXPECT_TRUE(box->shownSprite->isHidden());
}

TEST_F(BarrelTest, OwnSlideFollowsFrostAndARider)
{
    auto* b = new CElementObjectBarrel(3, 3, MATERIAL_WOODEN, 0, false);
    struct Case {
        bool frozen, grabbed;
        int slide;
    };
    for (const Case& c : {Case{false, false, -1}, Case{false, true, 0}, Case{true, false, -2}, Case{true, true, -1}}) {
        b->frozen = c.frozen;
        b->grabbed = c.grabbed;
        EXPECT_EQ(b->GetOwnSlide(), c.slide) << c.frozen << c.grabbed;
    }
}

TEST_F(BarrelTest, ABarrelRollsOnOverGrassAndSandStopsIt)
{
    struct Case {
        bool sand;
        int stopsAt;
    };
    for (const Case& c : {Case{false, 8}, Case{true, 4}}) {
        freshBoard();
        if (c.sand)
            new CElementTerrainSand(0, 10, 12);
        else
            grass(0, 10, 12);
        crateOf(MATERIAL_WOODEN, 9, 9);
        auto* b = new CElementObjectBarrel(3, 9, MATERIAL_WOODEN, 0, false);
        start();
        ASSERT_TRUE(b->PushRight(true, false));
        tick();
        EXPECT_TRUE(b->shownSprite->isPlayingForward()) << "rolling right";
        settle();
        tick();
        EXPECT_EQ(b->x, c.stopsAt) << (c.sand ? "sand" : "grass");
        EXPECT_TRUE(b->shownSprite->isStopped()) << "at rest with no rider it stops on its frame";
    }
}

TEST_F(BarrelTest, SomethingLandingOnABarrelSqueezesItOutSideways)
{
    grass(0, 10, 12);
    auto* b = new CElementObjectBarrel(5, 9, MATERIAL_WOODEN, 0, false);
    auto* box = crateOf(MATERIAL_WOODEN, 5, 4);
    start();
    settle();
    EXPECT_EQ(box->y, 9);
    EXPECT_EQ(box->x, 5);
    EXPECT_NE(b->x, 5);
}

TEST_F(BarrelTest, ACoolingBarrelRollsItsCoolingPicturesOnAndUndoBringsThemBack)
{
    grass(0, 10, 12);
    auto* b = new CElementObjectBarrel(3, 9, MATERIAL_METAL, 0, false);
    crateOf(MATERIAL_WOODEN, 5, 9);
    start();
    CElement::SaveUndoStep(); // nothing changed yet: the starting step stays the newest
    b->shownSprite->setFrame(5);
    ASSERT_TRUE(CElement::Heat(b, true, false));
    ASSERT_TRUE(CElement::Freeze(b));
    tick();
    EXPECT_EQ(b->GetCoolingState(), CElementObjectBarrel::COOLING_IDLE);
    EXPECT_EQ(b->GetRollFrame(), 5);
    EXPECT_EQ(shown(b), "Barrel (Metal,Cooling) Idle");

    CElement::SaveUndoStep();
    ASSERT_TRUE(b->PushRight(true, false));
    tick();
    EXPECT_EQ(b->GetCoolingState(), CElementObjectBarrel::COOLING_RIGHT);
    EXPECT_EQ(shown(b), "Barrel (Metal,Cooling) Right Roll");
    // Three cooling steps on, the right roll from 5 has reached roll frame 0;
    // at rest against the crate the idle cooling picture of frame 0 goes on
    // from step 3.
    b->shownSprite->setFrame(3);
    settle();
    tick();
    ASSERT_EQ(b->x, 4);
    EXPECT_EQ(b->GetCoolingState(), CElementObjectBarrel::COOLING_IDLE);
    EXPECT_EQ(b->GetRollFrame(), 0);
    EXPECT_EQ(b->shownSprite->getFrame(), 3);

    CElement::LoadUndoStep(false);
    EXPECT_EQ(b->GetCoolingState(), CElementObjectBarrel::COOLING_IDLE);
    EXPECT_EQ(b->GetRollFrame(), 5);
    EXPECT_EQ(b->x, 3);

    b->shownSprite->finish();
    tick();
    EXPECT_FALSE(b->wasHeated);
    EXPECT_EQ(b->GetCoolingState(), CElementObjectBarrel::COOLING_NONE);
    EXPECT_EQ(shown(b), "Barrel (Metal) Idle");
    EXPECT_EQ(b->shownSprite->getFrame(), 5) << "the plain roll resumes where cooling left off";
}

} // namespace
