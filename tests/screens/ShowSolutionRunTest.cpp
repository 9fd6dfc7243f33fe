// A built-in level's recorded solution shown from the in-game menu, in the
// real program from the main menu on: the solution restarts the level and
// must lead the professor out through the exit exactly as the map's own
// start of the level would.
#include "levels/ProfileTestSupport.h"
#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <string>

using namespace corvelle_test;

namespace {

const std::vector<std::string> POINTER_ONLY = {"Global Mouse Pointer", "Global Hourglass Pointer"};

// From the running level: the menu button, the menu's solution button and
// the question's yes; then time for the whole solution, the result board
// and out.
const char* const SHOW_SOLUTION = "wait 40\nclick 767 22\nwait 20\nclick 400 279\nwait 10\nclick 355 440\n"
                                  "wait 1400\nquit\nwait 20\n";

GameRun showSolutionRun(const std::string& toTheLevel)
{
    GameRun run;
    run.logChannels = "4,11,32";
    run.maxFrames = 2200;
    run.script = "wait 40\nkey space\nwait 10\nclick 680 30\nwait 20\n" + toTheLevel + SHOW_SOLUTION;
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
        "click 250 265\nwait 70\nclick 35 387\nclick 35 387\nwait 40\nclick 480 550\nwait 20\nclick 480 550\n"));
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

    GameRunResult result = runGame(showSolutionRun("wait 50\nclick 700 521\nwait 20\n"));
    expectPlayedBackToTheExit(result, "1,reg002,");
    expectCompleted(1);
}
