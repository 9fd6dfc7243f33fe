// The game screen tried whole: the real program plays a fixture level from
// the player's level folder, driven by an input script.

#include "levels/Level.h"
#include "platform/Folders.h"
#include "screens/ControllerInGame.h"
#include "screens/ControllerMessage.h"
#include "support/Clicks.h"
#include "support/GameRun.h"
#include "support/WalkLevel.h"

#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

const std::vector<std::string> POINTERS_ONLY = {"Global Mouse Pointer", "Global Hourglass Pointer"};

// The in-game menu's quit (its last button) over a level of the player's
// own, and the question's OK.
const std::string QUIT_AND_CONFIRM =
    clickOn(CControllerInGame::ButtonPlace(CControllerInGame::VARIANT_NO_SET, CControllerInGame::BUTTON_QUIT)) +
    "wait 5\n" + clickOn(CControllerMessage::QUESTION_OK);

GameRun playRun(const std::string& script)
{
    GameRun run;
    run.program = probeProgramPath();
    run.logChannels = "4,32";
    run.environment.push_back({"CORVELLE_PLAY_LEVEL", "walk to the exit"});
    run.script = script;
    run.maxFrames = 1200;
    return run;
}

} // namespace

TEST(GamePlayRunTest, ALevelIsPlayedToTheExitRetriedAndLeftFromTheMenu)
{
    saveWalkLevel("walk to the exit", "Walk to the Exit");
    // The walk, the result board, its retry key, then the menu's quit and
    // the question's OK.
    GameRunResult result = runGame(playRun("wait 90\n"
                                           "keydown right\n"
                                           "wait 300\n"
                                           "keyup right\n"
                                           "wait 20\n"
                                           "key r\n"
                                           "wait 60\n"
                                           "key escape\n"
                                           "wait 5\n" +
                                           QUIT_AND_CONFIRM + "wait 30\n"));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Game")) << result.output;
    EXPECT_TRUE(result.hasLine("*  --> Professor Successfully Exited                      *")) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Post Game Controller (type=7)")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerGame:  Restarting level...")) << result.output;
    EXPECT_TRUE(result.hasLine("Loading In Game Controller")) << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "the confirmed quit ended the run";
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

TEST(GamePlayRunTest, QuittingFromTheInGameMenuAsksAndEndsTheProgram)
{
    saveWalkLevel("walk to the exit", "Walk to the Exit");
    // Escape opens the menu.
    GameRunResult result = runGame(playRun("wait 60\n"
                                           "key escape\n"
                                           "wait 5\n" +
                                           QUIT_AND_CONFIRM + "wait 30\n"));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading In Game Controller")) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Message")) << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "the confirmed quit ended the run";
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED"));
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

TEST(GamePlayRunTest, ALevelWithoutAStartTubeIsRefused)
{
    initDirectories();
    CLevel level;
    level.SetTile(EC_TERRAIN_GRASS, 4, 21);
    ASSERT_TRUE(level.SaveAs("walk to the exit", "No Start"));
    GameRun run = playRun("wait 30\n"
                          "key return\n"
                          "wait 30\n"
                          "quit\n");
    run.logChannels = "4,11,32";
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Message")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerMessage:  Destroying CControllerMessage...")) << result.output;
    // The game screen closed after the message, before the script quits.
    EXPECT_LT(result.output.find("ID_900:  SHUTDOWN:  C5 Completed"), result.output.find("InputScript:  line 4"))
        << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}
