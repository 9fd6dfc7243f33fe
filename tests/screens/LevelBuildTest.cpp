// Building the live world from a level, and every built-in level played for
// a while, idle and by a scripted player.

#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "screens/ControllerGame.h"
#include "screens/WidgetFixture.h"
#include "world/ElementAIProfessor.h"
#include "world/ElementDevicePowerup.h"
#include "world/ElementLadder.h"
#include "world/DisplayWorldFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace corvelle_test;

namespace {

// An empty world on the dummy display; tutorial texts are not drawn.
class WorldOnDisplay : public world_test::DisplayWorldTest
{
protected:
    WorldOnDisplay() : DisplayWorldTest([](int, int, int, int, int, int, int, const char*) {}) {}

    void SetUp() override
    {
        DisplayWorldTest::SetUp();
        initLogChannels(false);
    }
};

// The elements built, the world's null element aside.
size_t builtCount()
{
    const auto& all = CElement::GetAllElements();
    return all.size() - std::count(all.begin(), all.end(), CElement::GetNullElement());
}

class LevelBuildTest : public WorldOnDisplay
{
protected:
    void build()
    {
        level.ClearTeleportReservations();
        CControllerGame::BuildElements(level);
    }

    CLevel level;
};

TEST_F(LevelBuildTest, EachCodeBuildsItsElementAndOthersBuildNothing)
{
    struct Case {
        ElementCode code;
        int type;
        int kind; // the sub-kind of that type
    };
    const Case cases[] = {
        {EC_TUTORIAL, ELEMENT_TUTORIAL, 0},           {EC_POWERUP_FROSTGUN, ELEMENT_DEVICE, DEVICE_POWERUP},
        {EC_DEVICE_TUBE_END, ELEMENT_DEVICE, DEVICE_TUBE}, {EC_TERRAIN_ICE, ELEMENT_TERRAIN, TERRAIN_ICE},
        {EC_OBJECT_WCRATE, ELEMENT_OBJECT, OBJECT_CRATE},  {EC_OBJECT_MBARREL, ELEMENT_OBJECT, OBJECT_BARREL},
        {EC_OBJECT_RMAGNET, ELEMENT_OBJECT, OBJECT_MAGNET}, {EC_TERRAIN_BRIDGE, ELEMENT_TERRAIN, TERRAIN_BRIDGE},
        {EC_DEVICE_GATE_Y, ELEMENT_DEVICE, DEVICE_GATE},    {EC_DEVICE_BUTTON_R, ELEMENT_DEVICE, DEVICE_BUTTON},
        {EC_DEVICE_TRAMPOLINE, ELEMENT_DEVICE, DEVICE_TRAMPOLINE}, {EC_BOT_LEFT, ELEMENT_AI, AI_BOT},
        {EC_DEVICE_LTELEPORT_R, ELEMENT_DEVICE, DEVICE_TELEPORT}, {EC_NONE, ELEMENT_NULL, 0},
        {EC_LADDER, ELEMENT_NULL, 0},                      {EC_PLATFORM, ELEMENT_NULL, 0},
        {EC_CTRL_SAVE, ELEMENT_NULL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CLevel::GetElementName(c.code));
        CElement* element = CControllerGame::createElement(level, c.code, 6, 12, 1, 1);
        if (c.type == ELEMENT_NULL) {
            EXPECT_EQ(element, nullptr);
            EXPECT_EQ(builtCount(), 0u);
            continue;
        }
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->type, c.type);
        const int kind = c.type == ELEMENT_DEVICE ? element->typeDevice
                         : c.type == ELEMENT_OBJECT ? element->typeObject
                         : c.type == ELEMENT_TERRAIN ? element->typeTerrain
                         : c.type == ELEMENT_AI ? element->typeAI
                                                : 0;
        EXPECT_EQ(kind, c.kind);
        CElement::UnloadElements();
        CElement::ResetWorld();
    }
}

TEST_F(LevelBuildTest, StartTubeBringsTheProfessor)
{
    level.SetTile(EC_DEVICE_TUBE_START, 4, 20);
    build();
    CElement* professor = CElement::GetProfessor();
    ASSERT_NE(professor, nullptr);
    EXPECT_EQ(professor->typeAI, AI_PROFESSOR);
    EXPECT_EQ(professor->x, 4);
    EXPECT_EQ(builtCount(), 2u); // the tube and him
}

TEST_F(LevelBuildTest, GrassRunBecomesOneElementAtItsLeftCell)
{
    for (int x = 10; x < 15; ++x)
        level.SetTile(EC_TERRAIN_GRASS, x, 8);
    level.SetTile(EC_TERRAIN_SAND, 15, 8); // a run ends where the code changes
    build();
    CElement* grass = CElement::GetElementAt(10, 8);
    EXPECT_EQ(grass->typeTerrain, TERRAIN_GRASS);
    EXPECT_EQ(grass->variant, 5); // its width
    for (int x = 11; x < 15; ++x)
        EXPECT_EQ(CElement::GetElementAt(x, 8), grass);
    EXPECT_EQ(CElement::GetElementAt(15, 8)->typeTerrain, TERRAIN_SAND);
    EXPECT_EQ(builtCount(), 2u);
}

TEST_F(LevelBuildTest, LadderRunsGetTheirPiecesAndPlatforms)
{
    for (int y = 5; y <= 7; ++y)
        level.SetLadder(EC_LADDER, 3, y);
    level.SetLadder(EC_LADDER, 8, 2);
    level.SetTile(EC_PLATFORM, 3, 6);
    build();
    EXPECT_EQ(CElementLadder::KindAt(3, 5), CElementLadder::TOP);
    EXPECT_EQ(CElementLadder::KindAt(3, 6), CElementLadder::PLATFORM);
    EXPECT_EQ(CElementLadder::KindAt(3, 7), CElementLadder::BOTTOM);
    EXPECT_EQ(CElementLadder::KindAt(8, 2), CElementLadder::SINGLE);
    EXPECT_EQ(builtCount(), 4u); // no element for the platform code
    EXPECT_FALSE(CElement::IsOccupied(3, 6));
}

TEST_F(LevelBuildTest, TeleportPowerupsTakeTheFreeColours)
{
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 2, 3);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 20, 3);
    level.SetTile(EC_POWERUP_TELEPORT, 9, 10);
    level.SetTile(EC_POWERUP_TELEPORT, 5, 10);
    build();
    // Tiles are met right to left: the one at column 9 reserves first.
    EXPECT_EQ(CElementDevicePowerup::GetTypeAt(9, 10), 11);
    EXPECT_EQ(CElementDevicePowerup::GetTypeAt(5, 10), 13);

    CElement::UnloadElements();
    CElement::ResetWorld();
    CLevel plain;
    plain.SetTile(EC_POWERUP_TELEPORT, 9, 10);
    plain.ClearTeleportReservations();
    CControllerGame::BuildElements(plain);
    EXPECT_EQ(CElementDevicePowerup::GetTypeAt(9, 10), 9);
}

TEST_F(LevelBuildTest, ModifiersFreezeOrHeatOnlyWhatWasBuilt)
{
    level.SetTile(EC_OBJECT_WCRATE, 4, 4);
    level.SetModifier(MODIFIER_FROZEN, 4, 4);
    level.SetTile(EC_OBJECT_MCRATE, 6, 4);
    level.SetModifier(MODIFIER_HEATED, 6, 4);
    level.SetModifier(MODIFIER_HEATED, 8, 4); // an empty cell stays empty
    level.SetTile(EC_OBJECT_WCRATE, 10, 4);
    build();
    EXPECT_TRUE(CElement::GetElementAt(4, 4)->frozen);
    EXPECT_TRUE(CElement::GetElementAt(6, 4)->heated);
    EXPECT_FALSE(CElement::IsOccupied(8, 4));
    EXPECT_FALSE(CElement::GetElementAt(10, 4)->frozen);
    EXPECT_FALSE(CElement::GetElementAt(10, 4)->heated);
}

// ---- Every built-in level, run headless.

constexpr int SOAK_TICKS = 300;

// Every cell of the board holds the null element or a listed element.
bool boardIsConsistent()
{
    const auto& all = CElement::GetAllElements();
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            CElement* at = CElement::GetElementAt(x, y, true);
            if (at != CElement::GetNullElement() && std::find(all.begin(), all.end(), at) == all.end())
                return false;
        }
    return true;
}

// The player's keys over the ticks: walking both ways, climbing, turning,
// every power-up slot, and now and then an undo.
void scriptedPlayer(CElementAIProfessor& professor, int tick)
{
    const int phase = tick % 160;
    const std::function<void(bool)> keys[] = {
        [&](bool up) { professor.onKeyRight(up); }, [&](bool up) { professor.onKeyLeft(up); },
        [&](bool up) { professor.onKeyUp(up); },    [&](bool up) { professor.onKeyDown(up); },
        [&](bool up) { professor.onKeyAction(up); },
    };
    if (phase % 32 == 0)
        keys[phase / 32](false);
    else if (phase % 32 == 20)
        keys[phase / 32](true);
    if (tick % 50 == 25)
        professor.usePowerup((tick / 50) % 4);
    if (tick % 150 == 149)
        CElement::LoadUndoStep(false);
}

// Levels per soak test: the sets run in slices, each in its own process.
constexpr int SOAK_SLICE = 40;

// (set index, first level of the slice)
using SoakSlice = std::pair<int, int>;

class BuiltInLevelSoak : public WorldOnDisplay, public testing::WithParamInterface<SoakSlice>
{
protected:
    static void SetUpTestSuite()
    {
        initLogChannels(false);
        std::string error;
        ASSERT_TRUE(CLevelSet::readArchive(resourceDir() + "/" + LEVEL_ARCHIVE_NAME, error)) << error;
    }
    static void TearDownTestSuite() { CLevelSet::freeAll(); }

    // Builds the level, then runs it for a while with the player given.
    // Counts the levels in which the script moved the professor.
    void soak(CLevel& level, bool scripted)
    {
        CElement::ResetWorld();
        level.ClearTeleportReservations();
        CControllerGame::BuildElements(level);
        auto* professor = static_cast<CElementAIProfessor*>(CElement::GetProfessor());
        ASSERT_NE(professor, nullptr) << "no start tube";
        const int startX = professor->x, startY = professor->y;
        for (int tick = 0; tick < SOAK_TICKS; ++tick) {
            if (scripted)
                scriptedPlayer(*professor, tick);
            CElement::PumpElements();
            CSprite::updateAll(); // as the renderer does: animations play out
            if (tick % 25 == 0) {
                ASSERT_TRUE(boardIsConsistent()) << "tick " << tick;
            }
            if (CElement::IsLevelExited())
                break;
        }
        ASSERT_EQ(CElement::GetProfessor(), professor);
        if (scripted && (professor->x != startX || professor->y != startY))
            ++moved;
        if (!scripted) {
            // Nobody walks him to the exit.
            EXPECT_FALSE(CElement::IsProfessorLeaving());
            EXPECT_FALSE(CElement::IsLevelExited());
        }
        CElement::UnloadElements();
    }

    int moved = 0;
};

TEST_P(BuiltInLevelSoak, EveryLevelBuildsAndRuns)
{
    const auto [setIndex, first] = GetParam();
    CLevelSet* set = CLevelSet::getSet(setIndex);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->getLevelCount(), LEVEL_SET_SIZES[setIndex]);
    const int end = std::min(first + SOAK_SLICE, set->getLevelCount());
    for (int i = first; i < end; ++i) {
        CLevel& level = *set->selectLevel(i);
        SCOPED_TRACE(level.GetFilename());
        soak(level, false);
        soak(level, true);
        if (HasFatalFailure())
            return;
    }
    // The script really plays: keys reach the professor.
    EXPECT_GT(moved, (end - first) / 2);
}

std::vector<SoakSlice> soakSlices()
{
    std::vector<SoakSlice> slices;
    for (int set = 0; set < LEVEL_SET_COUNT; ++set)
        for (int first = 0; first < LEVEL_SET_SIZES[set]; first += SOAK_SLICE)
            slices.emplace_back(set, first);
    return slices;
}

INSTANTIATE_TEST_SUITE_P(Sets, BuiltInLevelSoak, testing::ValuesIn(soakSlices()));

} // namespace

namespace {

// The game screen itself on the dummy display, with stand-in pictures.
class GameScreenTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        for (const char* name : {"show_solution.tga", "ingame_menubutton.tga", "ingame_menubutton_selected.tga",
                                 "counterdigitsA_faded.png", "Step Counter 03.png", "grid.png"})
            registerPicture(name, 20, 20, {90, 90, 90, 255});
        for (int background = 0; background < BACKGROUND_COUNT; ++background)
            registerPicture(("background" + std::to_string(background) + ".jpg").c_str(), 20, 20, {9, 9, 9, 255});
        CElement::SetImagesCached(true);
        markImagesCached();
        profile_.SetLevelSet(LEVELSET_ADVANCED);
        profile_.SetLevel(3);
        profile_.SetSteps(12);
        CController::SetProfile(&profile_);
        level_.SetBackground(2);
        level_.SetTile(EC_DEVICE_TUBE_START, 5, 20);
        level_.SetTile(EC_TERRAIN_GRASS, 5, 21);
    }
    void TearDown() override
    {
        CController::SetProfile(nullptr);
        WidgetTest::TearDown();
    }

    CProfile profile_;
    CLevel level_;
};

TEST_F(GameScreenTest, OpensOnTheLevelAndLeavesNoWorldBehind)
{
    {
        CControllerGame game(&level_, false, false, false);
        EXPECT_EQ(game.GetID(), CONTROLLER_GAME);
        ASSERT_NE(game.GetProfessor(), nullptr);
        EXPECT_EQ(game.GetProfessor(), CElement::GetProfessor());
        EXPECT_EQ(CElement::GetElementAt(5, 21)->typeTerrain, TERRAIN_GRASS);
        EXPECT_EQ(profile_.GetSteps(true), 0);
        // A level outside the sets keeps no place in them.
        EXPECT_EQ(game.GetLevelIndex(), -1);
        EXPECT_EQ(game.GetSetIndex(), -1);
        EXPECT_EQ(spritesNamed("Background").size(), 1u);
        // Building again starts from an empty world.
        game.LoadLevel(&level_);
        EXPECT_EQ(builtCount(), 3u);
        EXPECT_EQ(spritesNamed("Background").size(), 1u);
    }
    EXPECT_EQ(CElement::GetProfessor(), nullptr);
    EXPECT_TRUE(spritesNamed("Background").empty());
    EXPECT_TRUE(spritesNamed("Game Controller (GAME_LSPRITE_REPLAY)").empty());
}

TEST_F(GameScreenTest, ALevelOfASetRecordsTheProfilesPlace)
{
    std::string error;
    ASSERT_TRUE(CLevelSet::readArchive(resourceDir() + "/" + LEVEL_ARCHIVE_NAME, error)) << error;
    CLevelSet* set = CLevelSet::getSet(LEVELSET_ADVANCED);
    set->selectLevel(3);
    {
        CControllerGame game(set);
        EXPECT_EQ(game.GetSetIndex(), LEVELSET_ADVANCED);
        EXPECT_EQ(game.GetLevelIndex(), 3);
        EXPECT_NE(game.GetProfessor(), nullptr);
    }
    CLevelSet::freeAll();
}

} // namespace
