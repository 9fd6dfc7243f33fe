// Terrain: runs of grass and sand, ice pictures and melting, bridges that
// collapse, freeze and come back through undo.
#include "ObjectsFixture.h"

#include <set>

using namespace world_test;

namespace {

using TerrainTest = ObjectsTest;

TEST_F(TerrainTest, ARunIsOneElementInEveryCellWithItsWidthsPicture)
{
    auto* run = grass(2, 4, 4);
    for (int x = 2; x <= 5; ++x)
        EXPECT_EQ(at(x, 4), run);
    EXPECT_FALSE(CElement::IsOccupied(6, 4));
    EXPECT_EQ(run->GetVariant(), 4);
    EXPECT_EQ(run->sprite->getTileW(), 4);

    struct Case {
        int width, row;
        const char* image;
    };
    for (const Case& c : {Case{3, 4, "grass3b.png"}, Case{3, 5, "grass3.png"}, Case{6, 4, "grass6.png"}})
        EXPECT_EQ(CElementTerrainRun::ImageName("grass", c.width, c.row), c.image);
}

TEST_F(TerrainTest, SurfacesTellWhatStandsOnThemToSlideOrStop)
{
    EXPECT_EQ(grass(0, 1, 2)->GetSurfaceSlide(), 0);
    EXPECT_EQ((new CElementTerrainSand(0, 2, 2))->GetSurfaceSlide(), 1);
    EXPECT_EQ((new CElementTerrainIce(0, 3, false))->GetSurfaceSlide(), -1);
}

TEST_F(TerrainTest, IcePicturesTakeTurnsAcrossLevels)
{
    // The counter lives for the whole program; this process starts it at 0.
    EXPECT_EQ(CElementTerrainIce::NextImageName(false), "ice1b.png");
    EXPECT_EQ(CElementTerrainIce::NextImageName(false), "ice2b.png");
    std::vector<std::string> column;
    for (int i = 0; i < 11; ++i)
        column.push_back(CElementTerrainIce::NextImageName(true));
    EXPECT_EQ(column.front(), "ice3.png");
    EXPECT_EQ(column[7], "ice10.png");
    EXPECT_EQ(column[8], "ice1.png");
}

TEST_F(TerrainTest, HeatMeltsIceAndWhatStoodOnItFallsUndoBringsItBack)
{
    grass(0, 13, 12);
    auto* ice = new CElementTerrainIce(5, 10, true);
    auto* box = crateOf(MATERIAL_METAL, 5, 9);
    start();
    CElement::SaveUndoStep();
    ASSERT_TRUE(CElement::Heat(box, true, false));
    tick();
    EXPECT_TRUE(ice->thawing);
    EXPECT_TRUE(ice->sprite->isHidden());
    settle();
    EXPECT_EQ(box->y, 12);

    CElement::LoadUndoStep(false);
    EXPECT_EQ(at(5, 10), ice);
    EXPECT_FALSE(ice->sprite->isHidden());
    EXPECT_EQ(box->y, 9);
}

TEST_F(TerrainTest, ABridgeCollapsesWhenACrateLeavesItUnlessFrozen)
{
    for (bool frozen : {false, true}) {
        freshBoard();
        grass(6, 10, 3);
        grass(0, 13, 12);
        auto* bridge = new CElementTerrainBridge(5, 10, CElementTerrainBridge::WOODEN, 0, true);
        bridge->frozen = frozen;
        auto* box = crateOf(MATERIAL_WOODEN, 5, 9);
        auto* rider = crateOf(MATERIAL_WOODEN, 4, 9);
        new CElementTerrainBridge(4, 10, CElementTerrainBridge::WOODEN, 0, true);
        start();
        CElement::SaveUndoStep();
        ASSERT_TRUE(box->PushRight(true, false));
        ASSERT_TRUE(rider->PushRight(true, false));
        settle();
        tick();
        EXPECT_EQ(bridge->IsCollapsing(), !frozen);
        EXPECT_EQ(CElement::IsOccupied(5, 10), frozen);
        if (!frozen) {
            EXPECT_EQ(shown(bridge), "Bridge Collapsing");
            EXPECT_EQ(rider->y, 12) << "the crate that came onto the collapsed bridge fell through";
            CElement::LoadUndoStep(false);
            EXPECT_FALSE(bridge->IsCollapsing());
            EXPECT_EQ(at(5, 10), bridge);
            tick();
            EXPECT_EQ(shown(bridge), "Bridge Section");
        } else {
            EXPECT_EQ(bridge->GetSurfaceSlide(), -1);
            EXPECT_EQ(shown(bridge), "Bridge Frozen");
        }
    }
}

TEST_F(TerrainTest, ARowOfBridgesNeverRepeatsACollapseSoundWithinFourPicks)
{
    std::vector<int> sounds;
    for (int x = 0; x < 12; ++x)
        sounds.push_back((new CElementTerrainBridge(x, 5, CElementTerrainBridge::WOODEN, 0, true))->GetCollapseSound());
    for (size_t i = 0; i + 4 <= sounds.size(); ++i)
        EXPECT_EQ(std::set<int>(sounds.begin() + i, sounds.begin() + i + 4).size(), 4u) << "from pick " << i;
}

TEST_F(TerrainTest, AnInflatableBridgeInflatesIntoPlaceAndBurstsAway)
{
    start();
    auto* bridge = new CElementTerrainBridge(5, 10, CElementTerrainBridge::INFLATABLE, 0, true);
    EXPECT_TRUE(bridge->spawned);
    EXPECT_TRUE(bridge->IsInflating());
    tick();
    EXPECT_EQ(shown(bridge), "Bridge Inflating");
    bridge->shownSprite->finish();
    tick();
    tick();
    EXPECT_FALSE(bridge->IsInflating());
    EXPECT_EQ(shown(bridge), "Bridge (Inflatable) Section");

    ASSERT_TRUE(CElement::Heat(bridge, true, false));
    bridge->overlayExplosion->finish();
    tick(2);
    EXPECT_TRUE(bridge->destroyed);
    EXPECT_TRUE(bridge->shownSprite->isHidden()) << "a burnt bridge does not come back";
}

} // namespace
