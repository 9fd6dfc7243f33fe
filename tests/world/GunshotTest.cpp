// Frost and heat shots: flight, what a hit does, the board's edge,
// trampolines and undo.
#include "AnimatedWorldFixture.h"
#include "engine/SoundObject.h"
#include "world/ElementDeviceGunshot.h"

#include <functional>

using namespace world_test;

namespace {

using GunshotTest = AnimatedWorldTest;

CElementDeviceGunshot* fire(int x, int y, int type, bool left)
{
    return static_cast<CElementDeviceGunshot*>(worldLinks().makeGunshot(x, y, type, left));
}

const char* impactName(const CElementDeviceGunshot* shot)
{
    return shot->impactSound ? shot->impactSound->getName() : "none";
}

TEST_F(GunshotTest, AFrostShotFreezesWhatItHitsAndEnds)
{
    groundRow(6, 0, 31);
    CElement* box = crate(12, 5);
    start();
    auto* shot = fire(6, 5, CElementDeviceGunshot::FROST, false);
    EXPECT_TRUE(shot->spawned);
    ASSERT_TRUE(frameUntil([&] { return shot->exploding; }));
    EXPECT_TRUE(box->frozen);
    EXPECT_STREQ(impactName(shot), "explode_frost.ogg");
    EXPECT_LT(shot->pixelX, box->pixelX);
    EXPECT_GE(shot->pixelX + 12, 12 * 24); // stopped with its centre in the crate's cell
    const int stoppedAt = shot->pixelX;
    EXPECT_EQ(shot->sprite, shot->explodingSprite.get());
    EXPECT_FALSE(shot->explodingSprite->isHidden());
    EXPECT_TRUE(shot->rightSprite->isHidden());
    ASSERT_TRUE(frameUntil([&] { return shot->done; }));
    EXPECT_FALSE(shot->exploding);
    EXPECT_TRUE(shot->explodingSprite->isHidden());
    EXPECT_EQ(shot->pixelX, stoppedAt);
    EXPECT_EQ(at(12, 5), box);
}

TEST_F(GunshotTest, AHeatShotActsAndSoundsByWhatItHits)
{
    struct Case {
        const char* name;
        std::function<CElement*()> target;
        const char* sound;
        std::function<bool(CElement*)> result;
    } cases[] = {
        {"the professor", [] { auto* p = professorAt(10, 5); p->burnable = true; return p; },
         "explode_heat_metal.ogg", [](CElement* e) { return e->heated; }},
        {"frozen crate", [] { auto* c = crate(10, 5); c->frozen = true; return c; }, "explode_heat_ice.ogg",
         [](CElement* e) { return e->thawing && !e->frozen; }},
        {"ice", [] { auto* c = crate(10, 5); c->meltable = true; return c; }, "explode_heat_ice.ogg",
         [](CElement* e) { return e->thawing && CElement::GetElementAt(10, 5) != e; }},
        {"inflatable", [] { auto* c = crate(10, 5); c->burstable = c->burnable = true; return c; },
         "explode_heat_inflatable.ogg", [](CElement* e) { return e->burning; }},
        {"wooden crate", [] { auto* c = crate(10, 5); c->burnable = true; return c; }, "explode_heat_wood.ogg",
         [](CElement* e) { return e->burning && CElement::GetElementAt(10, 5) != e; }},
        {"metal crate", [] { return crate(10, 5); }, "explode_heat_metal.ogg",
         [](CElement* e) { return e->heated; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 31);
        CElement* target = c.target();
        start();
        auto* shot = fire(7, 5, CElementDeviceGunshot::HEAT, false);
        ASSERT_TRUE(frameUntil([&] { return shot->exploding; }));
        EXPECT_STREQ(impactName(shot), c.sound);
        EXPECT_TRUE(c.result(target));
    }
}

TEST_F(GunshotTest, AShotFiredAtANeighbourInTheStartCellHitsAtOnce)
{
    CElement* box = crate(8, 5);
    auto* shot = fire(8, 5, CElementDeviceGunshot::FROST, true);
    EXPECT_TRUE(shot->exploding);
    EXPECT_TRUE(box->frozen);
}

TEST_F(GunshotTest, AShotFliesOffTheBoardToTheThirdColumnBeyondAndEndsWithoutAHit)
{
    struct Case {
        int fromX;
        bool left;
        int endX;
    } cases[] = {{0, true, -3}, {31, false, 33}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.endX);
        freshBoard();
        start();
        auto* shot = fire(c.fromX, 5, CElementDeviceGunshot::HEAT, c.left);
        ASSERT_TRUE(frameUntil([&] { return shot->done; }));
        EXPECT_EQ(shot->x, c.endX);
        EXPECT_FALSE(shot->exploding);
        EXPECT_EQ(shot->impactSound, nullptr);
        frame(5);
        EXPECT_EQ(shot->x, c.endX);
    }
}

TEST_F(GunshotTest, AShotHitsARunOfGroundAtAnyColumnItCovers)
{
    TestElement* run = ground(10, 5);
    run->variant = 4; // columns 10 to 13
    for (int column = 11; column <= 13; ++column)
        CElement::SetElementAt(column, 5, run);
    start();
    auto* shot = fire(18, 5, CElementDeviceGunshot::FROST, true);
    ASSERT_TRUE(frameUntil([&] { return shot->exploding; }));
    EXPECT_GE(shot->pixelX + 12, 13 * 24);
    EXPECT_LT(shot->pixelX + 12, 14 * 24 + 1);
}

TEST_F(GunshotTest, ShotsPassEachOther)
{
    start();
    auto* right = fire(5, 5, CElementDeviceGunshot::FROST, false);
    auto* left = fire(12, 5, CElementDeviceGunshot::HEAT, true);
    ASSERT_TRUE(frameUntil([&] { return right->done && left->done; }));
    EXPECT_EQ(right->x, 33);
    EXPECT_EQ(left->x, -3);
}

TEST_F(GunshotTest, ATrampolineSendsTheShotBackAtWhoeverFiredIt)
{
    groundRow(6, 0, 31);
    CElement* prof = professorAt(6, 5);
    prof->burnable = true;
    trampolineCells().push_back({8, 5});
    start();
    auto* shot = fire(7, 5, CElementDeviceGunshot::HEAT, false);
    ASSERT_TRUE(frameUntil([&] { return shot->exploding; }));
    EXPECT_TRUE(shot->facingLeft);
    EXPECT_TRUE(prof->heated);
    EXPECT_STREQ(impactName(shot), "explode_heat_metal.ogg");
}

TEST_F(GunshotTest, AnUndoDeletesAShotFiredAfterTheStepAndUnfreezesItsTarget)
{
    groundRow(6, 0, 31);
    CElement* box = crate(10, 5);
    start();
    CElement::SaveUndoStep(); // the level's start: skipped
    CElement::SaveUndoStep();
    auto* shot = fire(6, 5, CElementDeviceGunshot::FROST, false);
    ASSERT_TRUE(frameUntil([&] { return shot->exploding; }));
    ASSERT_TRUE(box->frozen);
    CElement::LoadUndoStep(false);
    EXPECT_FALSE(box->frozen);
    const auto& all = CElement::GetAllElements();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](CElement* e) { return e->IsGunshot(); }), 0);
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        EXPECT_FALSE(CElement::GetElementAt(column, 5, true)->IsGunshot());
    frame(20);
    EXPECT_FALSE(box->frozen);
}

} // namespace
