#include "engine/Log.h"
#include "levels/Level.h"

#include <gtest/gtest.h>

#include <functional>

TEST(ElementCodesTest, NamesAndCodesMatchBothWays)
{
    EXPECT_STREQ(elementCodeName(22), "TERRAIN_GRASS");
    EXPECT_STREQ(elementCodeName(38), "DEVICE_GATE_Y");
    EXPECT_STREQ(elementCodeName(451), "BOT_LEFT");
    EXPECT_STREQ(elementCodeName(400), "PLATFORM");
    for (ElementCode unnamed : {9, 11, 16, 53, 401, -1, 5 + 1024})
        EXPECT_STREQ(CLevel::GetElementName(unnamed), "***Unknown***") << unnamed;
    int named = 0;
    for (ElementCode code = -10; code < 1000; ++code) {
        std::string name = elementCodeName(code);
        if (name == "***Unknown***")
            continue;
        ++named;
        ElementCode back = -1;
        EXPECT_TRUE(elementCodeFromName(name, back));
        EXPECT_EQ(back, code) << name;
    }
    EXPECT_EQ(named, 48);
    ElementCode ignored;
    EXPECT_FALSE(elementCodeFromName("***Unknown***", ignored));
}

TEST(LevelTest, OutsideTheBoardReadsNeutralAndWritesNothing)
{
    CLevel level;
    for (auto [x, y] : {std::pair{32, 0}, {0, 24}, {-1, 5}, {5, -1}}) {
        EXPECT_EQ(level.GetTile(x, y), EC_NONE);
        EXPECT_EQ(level.GetLadder(x, y), EC_NONE);
        EXPECT_EQ(level.GetModifier(x, y), 0);
        EXPECT_FALSE(level.IsTerrain(x, y) || level.IsLadder(x, y) || level.IsPlatform(x, y) ||
                     level.IsBot(x, y) || level.IsBridge(x, y) || level.IsGate(x, y));
        EXPECT_EQ(level.GetTutorialText(x, y), nullptr);
        level.SetModified(false);
        level.SetTile(EC_TERRAIN_GRASS, x, y);
        level.SetTutorialText(x, y, "lost");
        EXPECT_TRUE(level.IsModified());
        EXPECT_EQ(level.GetTile(x, y), EC_NONE);
        EXPECT_EQ(level.GetTutorialText(x, y), nullptr);
    }
}

TEST(LevelTest, PredicatesByCode)
{
    CLevel level;
    struct Case {
        ElementCode code;
        bool terrain, platform, bot, bridge, gate;
    } cases[] = {
        {EC_TERRAIN_GRASS, true, false, false, false, false}, {EC_TERRAIN_ICE, true, false, false, false, false},
        {EC_TERRAIN_BRIDGE, true, false, false, true, false}, {EC_PLATFORM, false, true, false, false, false},
        {EC_BOT_HANG, false, false, true, false, false},      {EC_DEVICE_GATE_R, false, false, false, false, true},
        {EC_OBJECT_WCRATE, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        level.SetTile(c.code, 7, 7);
        EXPECT_EQ(level.IsTerrain(7, 7), c.terrain) << c.code;
        EXPECT_EQ(level.IsPlatform(7, 7), c.platform) << c.code;
        EXPECT_EQ(level.IsBot(7, 7), c.bot) << c.code;
        EXPECT_EQ(level.IsBridge(7, 7), c.bridge) << c.code;
        EXPECT_EQ(level.IsGate(7, 7), c.gate) << c.code;
    }
    level.SetLadder(47, 7, 7); // any value but NONE is a ladder
    EXPECT_TRUE(level.IsLadder(7, 7));
}

TEST(LevelTest, TeleportPowerupCountFollowsTheTiles)
{
    CLevel level;
    level.SetTile(EC_POWERUP_TELEPORT, 1, 1);
    level.SetTile(EC_POWERUP_TELEPORT, 1, 1);
    EXPECT_EQ(level.GetTeleportPowerupCount(), 1);
    level.SetTile(EC_POWERUP_TELEPORT, 2, 1);
    EXPECT_EQ(level.GetTeleportPowerupCount(), 2);
    level.SetTile(EC_OBJECT_WCRATE, 1, 1);
    EXPECT_EQ(level.GetTeleportPowerupCount(), 1);
    level.Reset();
    EXPECT_EQ(level.GetTeleportPowerupCount(), 0);
}

TEST(LevelTest, RunsStopAtTheEdgeAndAtOtherCodes)
{
    CLevel level;
    for (int x = 27; x < 32; ++x)
        level.SetTile(EC_TERRAIN_GRASS, x, 4);
    level.SetTile(EC_TERRAIN_SAND, 26, 4);
    level.SetTile(EC_TERRAIN_GRASS, 10, 4);
    struct Case {
        int x;
        int left, width;
    } cases[] = {{29, 27, 5}, {31, 27, 5}, {27, 27, 5}, {10, 10, 1}};
    for (const Case& c : cases) {
        CellRun run = level.GetTileRun(EC_TERRAIN_GRASS, c.x, 4);
        EXPECT_EQ(run.x, c.left) << c.x;
        EXPECT_EQ(run.width, c.width) << c.x;
        EXPECT_EQ(run.y, 4);
        EXPECT_EQ(run.height, 1);
    }
    for (int y = 20; y < 24; ++y)
        level.SetLadder(EC_LADDER, 3, y);
    CellRun ladder = level.GetLadderRun(3, 22);
    EXPECT_EQ(ladder.y, 20);
    EXPECT_EQ(ladder.height, 4);
    EXPECT_EQ(level.GetLadderRun(5, 5).height, 1); // the start cell counts untested
}

TEST(LevelTest, TeleportListsKeepTheirOrder)
{
    CLevel level;
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 4, 10);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 9, 3);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, -1, 7);
    level.SetTeleport(EC_DEVICE_LTELEPORT_Y, 9, 3);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 32, 3); // off the board: ignored
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 3, 24);
    ASSERT_EQ(level.GetTeleports(0).size(), 3u);
    EXPECT_EQ(level.FindTeleport(9, 3), 0);
    EXPECT_EQ(level.FindTeleport(-1, 7), 0);
    EXPECT_EQ(level.FindTeleport(32, 3), -1);
    EXPECT_EQ(level.CountTeleportColours(), 2);
    EXPECT_FALSE(level.AreTeleportsPaired());

    level.SetModified(false);
    level.EraseTeleport(9, 3); // the first colour that holds it
    EXPECT_TRUE(level.IsModified());
    EXPECT_EQ(level.GetTeleports(0), (std::vector<TeleportSpot>{{4, 10}, {-1, 7}}));
    EXPECT_EQ(level.FindTeleport(9, 3), 1);
    level.SetModified(false);
    level.EraseTeleport(20, 20);
    EXPECT_FALSE(level.IsModified());
}

TEST(LevelTest, TeleportCodesMapToTheSameColourEverywhere)
{
    CLevel level;
    level.SetModified(false);
    level.SetTeleport(EC_DEVICE_GATE_B, 1, 1);
    EXPECT_EQ(level.CountTeleportColours(), 0);
    EXPECT_FALSE(level.IsModified());
    level.SetTeleport(EC_DEVICE_LTELEPORT_R, 1, 1);
    EXPECT_TRUE(level.HasTeleports(EC_DEVICE_LTELEPORT_R));
    EXPECT_FALSE(level.HasTeleports(EC_DEVICE_LTELEPORT_B));
    EXPECT_FALSE(level.HasTeleports(EC_DEVICE_GATE_B));
    EXPECT_TRUE(level.GetTeleports(7).empty());
}

TEST(LevelTest, PowerupsGetColoursNoTeleportUses)
{
    initLogChannels(false);
    enableLogChannel(LOG_LEVEL);
    CLevel level;
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 1, 1);
    level.SetTeleport(EC_DEVICE_LTELEPORT_R, 5, 1);
    EXPECT_EQ(level.ReserveTeleportColour(), 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(level.ReserveTeleportColour(), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Teleport powerup defined, but not typeID's available"),
              std::string::npos);
    level.ClearTeleportReservations();
    EXPECT_EQ(level.ReserveTeleportColour(), 1);
}

TEST(LevelTest, ReplayCursorAndSolutionEditing)
{
    CLevel level;
    EXPECT_EQ(level.GetReplayKey().frame, -1);
    for (int frame : {20, 100, 140})
        level.AddReplayKey(frame, 275, false);
    EXPECT_FALSE(level.IsSolutionRecorded()); // adding keys records nothing yet
    EXPECT_TRUE(level.AdvanceReplay());
    EXPECT_TRUE(level.AdvanceReplay());
    EXPECT_FALSE(level.AdvanceReplay());
    EXPECT_EQ(level.GetReplayKey().frame, 140);
    level.ResetReplay();
    EXPECT_EQ(level.GetReplayKey().frame, 20);

    level.EraseSolutionAfter(100);
    ASSERT_EQ(level.GetSolution().size(), 1u);
    EXPECT_EQ(level.GetSolution()[0].frame, 20);
    level.EraseSolutionAfter(500);
    EXPECT_EQ(level.GetSolution().size(), 1u);
}

TEST(LevelTest, ModifiedFlagFollowsEveryChange)
{
    const std::vector<std::pair<const char*, std::function<void(CLevel&)>>> changes = {
        {"tile", [](CLevel& l) { l.SetTile(EC_TERRAIN_SAND, 1, 1); }},
        {"ladder", [](CLevel& l) { l.SetLadder(EC_LADDER, 1, 1); }},
        {"modifier", [](CLevel& l) { l.SetModifier(MODIFIER_FROZEN, 1, 1); }},
        {"background", [](CLevel& l) { l.SetBackground(2); }},
        {"teleport", [](CLevel& l) { l.SetTeleport(EC_DEVICE_LTELEPORT_Y, 1, 1); }},
        {"erase teleport", [](CLevel& l) { l.EraseTeleport(3, 3); }},
        {"tutorial text", [](CLevel& l) { l.SetTutorialText(2, 2, "hi"); }},
        {"remove text", [](CLevel& l) { l.RemoveTutorialText(4, 4); }},
        {"recorded", [](CLevel& l) { l.SetSolutionRecorded(); }},
        {"clear recorded", [](CLevel& l) { l.ClearSolution(); }},
        {"heading", [](CLevel& l) { l.SetHeading("New"); }},
    };
    for (const auto& [what, change] : changes) {
        CLevel level;
        level.SetTeleport(EC_DEVICE_LTELEPORT_B, 3, 3);
        level.SetTutorialText(4, 4, "old");
        level.SetSolutionRecorded();
        level.SetModified(false);
        change(level);
        EXPECT_TRUE(level.IsModified()) << what;
        level.Reset();
        EXPECT_FALSE(level.IsModified()) << what;
    }
    CLevel plain;
    plain.ClearSolution(); // nothing recorded, nothing discarded
    EXPECT_FALSE(plain.IsModified());
}

TEST(LevelTest, ResetEmptiesAllButTypeAndVersion)
{
    CLevel level;
    level.SetHeading("Room");
    level.SetTile(EC_TUTORIAL, 1, 1);
    level.SetTutorialText(1, 1, "text");
    level.SetBackground(2);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 1, 2);
    level.AddReplayKey(1, 2, true);
    level.SetSolutionRecorded();
    level.Reset();
    EXPECT_STREQ(level.GetLevelHeading(), "");
    EXPECT_EQ(level.GetTile(1, 1), EC_NONE);
    EXPECT_EQ(level.GetTutorialText(1, 1), nullptr);
    EXPECT_EQ(level.GetBackground(), DEFAULT_BACKGROUND);
    EXPECT_EQ(level.CountTeleportColours(), 0);
    EXPECT_TRUE(level.GetSolution().empty());
    EXPECT_FALSE(level.IsSolutionRecorded());
    EXPECT_EQ(level.GetLevelType(), static_cast<int32_t>(LEVEL_TYPE_CUSTOM));
    EXPECT_EQ(level.GetVersion(), LEVEL_FILE_VERSION);
}

TEST(LevelTest, OnlyExistingBackgroundsAreTaken)
{
    CLevel level;
    for (auto [asked, kept] : {std::pair{0, 0}, {7, 7}, {8, 4}, {9, 4}, {-1, 4}}) {
        level.SetBackground(asked);
        EXPECT_EQ(level.GetBackground(), kept) << asked;
    }
}
