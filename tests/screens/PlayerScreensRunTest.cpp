// The player's own screens tried whole, through the real program.
#include "levels/Profile.h"
#include "levels/ProfileTestSupport.h"
#include "support/GameRun.h"

#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

const std::vector<std::string> ONLY_POINTERS = {"Global Mouse Pointer", "Global Hourglass Pointer"};

// Each run test starts from the first-run profile.
class PlayerScreensRunTest : public testing::Test
{
protected:
    void SetUp() override { profile_test::removeProfileFiles(); }
};

GameRun playerScreenRun(const std::string& screen, const std::string& script)
{
    GameRun run;
    run.program = playerProbeProgramPath();
    run.logChannels = "4,11,32";
    run.environment = {{"CORVELLE_PROBE_SCREEN", screen}};
    run.script = script;
    return run;
}

void expectCleanEnd(const GameRunResult& result)
{
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED")) << result.output;
    EXPECT_EQ(result.liveSprites(), ONLY_POINTERS) << result.output;
}

} // namespace

TEST_F(PlayerScreensRunTest, SettingsChangedOnTheScreenAreThereAfterARestart)
{
    {
        CProfile profile;
        profile.SetMusicVolume(6);
        profile.SetPlaySpeed(6);
        profile.SaveProfile();
    }
    // Music + twice, game speed - once, then Back.
    GameRunResult result = runGame(playerScreenRun("options", "wait 5\n"
                                                              "click 518 186\n"
                                                              "wait 3\n"
                                                              "click 518 186\n"
                                                              "wait 3\n"
                                                              "click 385 136\n"
                                                              "wait 3\n"
                                                              "click 400 519\n"
                                                              "wait 5\n"
                                                              "quit\n"));
    expectCleanEnd(result);
    EXPECT_TRUE(result.hasLine("CControllerOptions:  Destroying CControllerOptions...")) << result.output;

    // The next start reads them back, and the screen shows them.
    CProfile profile;
    EXPECT_EQ(profile.GetMusicVolume(), 8);
    EXPECT_EQ(profile.GetPlaySpeed(), 5);
}

TEST_F(PlayerScreensRunTest, SavedPointerSettingsAreAppliedAtStartUp)
{
    {
        CProfile profile;
        profile.SetFreeMouse(false);
        profile.SetMouseSpeed(1.4f);
        profile.SaveProfile();
    }
    GameRunResult result = runGame(playerScreenRun("options", "wait 3\nquit\n"));
    EXPECT_TRUE(result.hasLine("CProfileBase::ApplyMouseSettings()  free pointer 0, speed 1.40")) << result.output;
    size_t applied = result.output.find("ApplyMouseSettings");
    EXPECT_LT(applied, result.output.find("ID_000:  INIT:  Image Load Started")) << "before the first screen";
}

TEST_F(PlayerScreensRunTest, KeysAreBoundOnTheKeyBindingsScreen)
{
    // "Walk left" is the third field of the left column; then Save.
    GameRunResult result = runGame(playerScreenRun("controls", "wait 5\n"
                                                               "click 300 214\n"
                                                               "wait 3\n"
                                                               "key a\n"
                                                               "wait 3\n"
                                                               "click 400 489\n"
                                                               "wait 5\n"
                                                               "quit\n"));
    expectCleanEnd(result);
    CProfile profile;
    EXPECT_EQ(profile.GetKey(CProfile::KEY_LEFT), 'a') << result.output;
    // Defaults puts the arrow back; it acts at once, Cancel or not.
    result = runGame(playerScreenRun("controls", "wait 5\n"
                                                 "click 400 459\n"
                                                 "wait 3\n"
                                                 "click 400 519\n"
                                                 "wait 5\n"
                                                 "quit\n"));
    expectCleanEnd(result);
    CProfile reread;
    EXPECT_EQ(reread.GetKey(CProfile::KEY_LEFT), 276);
}
