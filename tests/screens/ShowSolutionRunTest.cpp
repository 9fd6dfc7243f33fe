// A built-in level's recorded solution shown from the in-game menu, in the
// real program from the main menu on: the solution restarts the level and
// must lead the professor out through the exit exactly as the map's own
// start of the level would.
#include "levels/ProfileTestSupport.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerInGame.h"
#include "screens/ControllerMain.h"
#include "screens/ControllerMap.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerSetSelect.h"
#include "screens/ControllerStory.h"
#include "support/GameRun.h"
#include "support/MapClicks.h"
#include "support/WalkLevel.h"

#include <gtest/gtest.h>

#include <string>

using namespace corvelle_test;

namespace {

const std::vector<std::string> POINTER_ONLY = {"Global Mouse Pointer", "Global Hourglass Pointer"};

// The in-game menu's solution button; the menu holds it in the same row in
// every variant.
const std::string MENU_SOLUTION = clickOn(
    CControllerInGame::ButtonPlace(CControllerInGame::VARIANT_SET_LEVEL, CControllerInGame::BUTTON_SOLUTION));

// From the running level: the menu button, the menu's solution button and
// the question's yes; then time for the whole solution, the result board
// and out.
const std::string SHOW_SOLUTION = "wait 40\n" + clickOn(CControllerGame::MENU_BUTTON) + "wait 20\n" + MENU_SOLUTION +
                                  "wait 10\n" + clickOn(CControllerMessage::QUESTION_OK) +
                                  "wait 1400\nquit\nwait 20\n";

GameRun showSolutionRun(const std::string& toTheLevel)
{
    GameRun run;
    run.logChannels = "4,11,32";
    run.maxFrames = 2200;
    run.script = "wait 40\nkey space\nwait 10\n" + clickOn(CControllerMain::SlotPlace(CControllerMain::BUTTON_PLAY)) +
                 "wait 20\n" + toTheLevel + SHOW_SOLUTION;
    return run;
}

void expectPlayedBackToTheExit(const GameRunResult& result, const char* level)
{
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find(std::string("GAME:  Level Load Started  (") + level), std::string::npos)
        << result.output;
    size_t restart = result.output.find("CControllerGame:  Restarting level...");
    size_t exited = result.output.find("*  --> Professor Successfully Exited");
    ASSERT_NE(restart, std::string::npos) << "the solution restarts the level\n" << result.output;
    ASSERT_NE(exited, std::string::npos) << "the solution reaches the exit\n" << result.output;
    EXPECT_LT(restart, exited);
    EXPECT_EQ(result.output.find("Professor caught"), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Post Game Controller (type=5)")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
}

class ShowSolutionRunTest : public profile_test::ProfileTest
{
protected:
    // A shown solution's win counts as the level's completion.
    void expectCompleted(int level)
    {
        profile = std::make_unique<CProfile>();
        EXPECT_GT(profile->GetScore(0, level, false), 0) << level;
        profile.reset();
    }
};

} // namespace

// The first puzzle: a new player chooses the regular set, opens the first
// level from its dot, reads the story's two pages and asks for the solution.
TEST_F(ShowSolutionRunTest, TheFirstPuzzlesSolutionReachesTheExit)
{
    GameRunResult result = runGame(showSolutionRun(
        clickOn(CControllerSetSelect::SetPlace(0)) + "wait 70\n" + clickMapDot(0, 0) + clickMapDot(0, 0) + "wait 40\n" +
        clickOn(CControllerStory::NEXT_PAGE) + "wait 20\n" + clickOn(CControllerStory::NEXT_PAGE)));
    expectPlayedBackToTheExit(result, "0,reg001,");
    expectCompleted(0);
}

// The first tutorial: a player who has won the first level goes straight to
// the map and plays the next one with Play.
TEST_F(ShowSolutionRunTest, TheFirstTutorialsSolutionReachesTheExit)
{
    profile = std::make_unique<CProfile>();
    profile->SetScore(20, 0, 0);
    profile->SetScore(CProfile::SCORE_OPEN, 0, 1);
    profile->SetLevelSet(0);
    profile->SetLevel(1);
    profile.reset();

    GameRunResult result = runGame(
        showSolutionRun("wait 50\n" + clickOn(CControllerMap::BUTTON_PLACES[CControllerMap::SLOT_PLAY]) + "wait 20\n"));
    expectPlayedBackToTheExit(result, "1,reg002,");
    expectCompleted(1);
}

// A level of the player's own without a recorded solution: Show Solution
// says there is none, from the in-game menu and from the board after a
// fall; nothing restarts, and the player goes on to the exit.
TEST_F(ShowSolutionRunTest, ALevelWithoutASolutionSaysSoAndPlayGoesOn)
{
    saveWalkLevel("no answer", "No Answer");
    GameRun run;
    run.program = playerProbeProgramPath();
    run.logChannels = "4,11,32";
    run.maxFrames = 1500;
    run.environment = {{"CORVELLE_PROBE_SCREEN", "manager"}};
    // Play; the menu's solution button, the notice's OK; a few steps left
    // off the floor's end, the board's solution button, its notice's OK,
    // Undo; then right to the exit, and back to the manager.
    run.script = "wait 5\nkey p\nwait 60\n" + clickOn(CControllerGame::MENU_BUTTON) + "wait 20\n" + MENU_SOLUTION +
                 "wait 10\nkey return\nwait 10\nkeydown left\nwait 250\nkeyup left\nwait 60\n" +
                 clickOn(CControllerScoreboard::MISHAP_SOLUTION) + "wait 10\nkey return\nwait 10\n" +
                 clickOn(CControllerScoreboard::MISHAP_UNDO) +
                 "wait 20\nkeydown right\nwait 400\nkeyup right\nwait 120\n"
                 "key return\nwait 30\nkey escape\nwait 10\nquit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    size_t count = 0;
    for (size_t at = result.output.find("Loading Controller:  Message"); at != std::string::npos;
         at = result.output.find("Loading Controller:  Message", at + 1))
        ++count;
    EXPECT_EQ(count, 2u) << "a notice from the menu and one from the board\n" << result.output;
    EXPECT_TRUE(result.hasLine("Loading Post Game Controller (type=4)")) << result.output;
    EXPECT_EQ(result.output.find("CControllerGame:  Restarting level..."), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("*  --> Professor Successfully Exited                      *")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
}
