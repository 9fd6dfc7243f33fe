// Heat and frost: what they do to an element, how heat passes to neighbours,
// and the overlays that end a burn or a thaw.
#include "WorldFixture.h"

#include <functional>

using namespace world_test;

namespace {

using HeatTest = WorldTest;

TEST_F(HeatTest, HeatActsByWhatTheElementIsMadeOf)
{
    struct Case {
        const char* name;
        std::function<void(CElement*)> material;
        bool changed, thawing, burning, heated, leavesBoard;
    } cases[] = {
        {"frozen", [](CElement* e) { e->frozen = true; }, true, true, false, false, false},
        {"burnable", [](CElement* e) { e->burnable = true; }, true, false, true, false, true},
        {"meltable", [](CElement* e) { e->meltable = true; }, true, true, false, false, true},
        {"heatable", [](CElement* e) { e->heatable = true; }, true, false, false, true, false},
        {"none of these", [](CElement*) {}, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestElement* e = crate(5, 5);
        e->heatable = false;
        c.material(e);
        EXPECT_EQ(CElement::Heat(e, true, false), c.changed);
        EXPECT_EQ(e->thawing, c.thawing);
        EXPECT_EQ(e->burning, c.burning);
        EXPECT_EQ(e->heated, c.heated);
        EXPECT_FALSE(e->frozen);
        EXPECT_EQ(CElement::GetElementAt(5, 5) != e, c.leavesBoard);
        // A silent heat mutes the sound of a burn or a thaw only.
        EXPECT_EQ(e->muteHeatSound, c.thawing || c.burning);
        CElement::ClearElementAt(5, 5);
    }
}

TEST_F(HeatTest, FrostOnlyCoolsAHeatedElement)
{
    CElement* hot = crate(5, 5);
    hot->heated = true;
    EXPECT_TRUE(CElement::Freeze(hot));
    EXPECT_FALSE(hot->heated);
    EXPECT_TRUE(hot->wasHeated);
    EXPECT_FALSE(hot->frozen);
    EXPECT_TRUE(CElement::Freeze(hot));
    EXPECT_TRUE(hot->frozen);
    CElement* fixed = ground(7, 7);
    EXPECT_FALSE(CElement::Freeze(fixed));
}

TEST_F(HeatTest, TheProfessorIsOutOfReachOnceCaughtOrLeavingAndOfFrostOnceSinged)
{
    struct Case {
        const char* name;
        void (*set)(bool);
        bool heatWorks, frostWorks;
    } cases[] = {
        {"caught", &TestActor::setCaught, false, false},
        {"leaving", &TestActor::setLeaving, false, false},
        {"singed", &TestActor::setSinged, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        CElement* prof = professorAt(5, 5);
        prof->heatable = true;
        c.set(true);
        EXPECT_EQ(CElement::Freeze(prof), c.frostWorks);
        EXPECT_EQ(CElement::Heat(prof, false, false), c.heatWorks);
        EXPECT_EQ(prof->heated, c.heatWorks);
        CElement* bot = botAt(8, 8);
        EXPECT_TRUE(CElement::Freeze(bot)); // nobody else is spared
    }
}

TEST_F(HeatTest, AHeatedCrateThawsAFrozenBotAndCoolsInTheSameTick)
{
    groundRow(6, 0, 10);
    CElement* hot = crate(5, 5);
    hot->heated = true;
    CElement* bot = botAt(6, 5);
    bot->frozen = true;
    start();
    EXPECT_FALSE(bot->frozen);
    EXPECT_TRUE(bot->thawing);
    EXPECT_TRUE(bot->thawed);
    EXPECT_FALSE(hot->heated);
    EXPECT_TRUE(hot->wasHeated);
}

TEST_F(HeatTest, OnlyAHeatedElementAtRestOnItsCellPassesHeat)
{
    struct Case {
        const char* name;
        std::function<void(CElement* hot)> setUp;
        bool passes;
    } cases[] = {
        {"at rest", [](CElement*) {}, true},
        {"between cells", [](CElement* hot) { hot->pixelX += 3; }, false},
        {"free to fall", [](CElement* hot) { CElement::ClearElementAt(hot->x, hot->y + 1); }, false},
        {"busy neighbour", [](CElement*) { CElement::GetElementAt(6, 5)->busy = true; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 10);
        CElement* hot = crate(5, 5);
        hot->heated = true;
        CElement* cold = crate(6, 5);
        cold->frozen = true;
        c.setUp(hot);
        CElement::TransferAllHeat();
        EXPECT_EQ(cold->frozen, !c.passes);
        EXPECT_EQ(hot->heated, !c.passes);
        EXPECT_EQ(CElement::IsCellHeated(6, 5), c.passes);
    }
}

TEST_F(HeatTest, ACellHeatedThisTickCountsAsHeatedForTheSecondSource)
{
    groundRow(6, 0, 10);
    CElement* left = crate(4, 5);
    CElement* right = crate(6, 5);
    CElement* middle = crate(5, 5);
    left->heated = right->heated = true;
    middle->frozen = true;
    CElement::TransferAllHeat();
    EXPECT_TRUE(middle->thawing);
    EXPECT_FALSE(middle->heated); // not heated a second time once thawed
    EXPECT_FALSE(left->heated);
    EXPECT_FALSE(right->heated);
}

TEST_F(HeatTest, HeatReachesTheProfessorFromTheSideOnlyThroughDelayedHeat)
{
    struct Case {
        const char* name;
        int profX, profY, hotX, hotY;
        bool delayed;
        bool heated;
    } cases[] = {
        {"beside", 6, 5, 5, 5, false, false},
        {"beside after a slide against him", 6, 5, 5, 5, true, true},
        {"standing on it", 5, 4, 5, 5, false, true},
        {"under it", 5, 5, 5, 4, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshBoard();
        groundRow(6, 0, 10);
        CElement* prof = professorAt(c.profX, c.profY);
        prof->heatable = true;
        prof->delayedHeat = c.delayed;
        CElement* hot = crate(c.hotX, c.hotY);
        hot->heated = true;
        CElement::TransferAllHeat();
        EXPECT_EQ(prof->heated, c.heated);
        EXPECT_EQ(hot->heated, !c.heated); // kept while nothing took it
        EXPECT_FALSE(prof->delayedHeat);
    }
}

TEST_F(HeatTest, TheBurnEndsInDestructionAndTheThawDoesNot)
{
    for (bool burnable : {true, false}) {
        SCOPED_TRACE(burnable ? "burn" : "thaw");
        TestElement* e = crate(5, 5);
        e->burnable = burnable;
        e->meltable = !burnable;
        e->CreateOverlays(true, true, true, true);
        ASSERT_TRUE(CElement::Heat(e, false, false));
        CSprite* overlay = burnable ? e->overlayExplosion.get() : e->overlaySteam.get();
        CElement::UpdateOverlays(e);
        EXPECT_FALSE(overlay->isHidden());
        EXPECT_TRUE(overlay->isPlayingForward());
        CElement::UpdateOverlays(e);
        EXPECT_FALSE(e->destroyed); // still playing
        overlay->finish();
        CElement::UpdateOverlays(e);
        EXPECT_TRUE(overlay->isHidden());
        EXPECT_FALSE(e->burning);
        EXPECT_FALSE(e->thawing);
        EXPECT_EQ(e->destroyed, burnable);
        CElement::FreeOverlays(e);
        EXPECT_EQ(e->overlayGlow, nullptr);
    }
}

TEST_F(HeatTest, TheGlowShowsWhileHeatedAndNotOnTheProfessor)
{
    CElement* hot = crate(5, 5);
    hot->CreateOverlays(true, false, false, false);
    ASSERT_NE(hot->overlayGlow, nullptr);
    EXPECT_EQ(hot->overlayExplosion, nullptr);
    hot->heated = true;
    CElement::UpdateOverlays(hot);
    EXPECT_FALSE(hot->overlayGlow->isHidden());
    EXPECT_EQ(hot->overlayGlow->getX(false), 5 * 24);
    hot->heated = false;
    CElement::UpdateOverlays(hot);
    EXPECT_TRUE(hot->overlayGlow->isHidden());

    CElement* prof = professorAt(8, 8);
    prof->CreateOverlays(true, false, false, false);
    prof->heated = true;
    CElement::UpdateOverlays(prof);
    EXPECT_TRUE(prof->overlayGlow->isHidden());
}

} // namespace
