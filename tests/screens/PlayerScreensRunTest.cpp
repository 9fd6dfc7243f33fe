// The player's own screens tried whole, through the real program.
#include "levels/Level.h"
#include "levels/Profile.h"
#include "levels/ProfileTestSupport.h"
#include "screens/ControllerInstructions.h"
#include "screens/ControllerMain.h"
#include "screens/ControllerManager.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerOptions.h"
#include "screens/ControllerOptionsControls.h"
#include "screens/ControllerOptionsPassword.h"
#include "screens/ControllerProfiles.h"
#include "screens/ControllerTextEntries.h"
#include "support/Clicks.h"
#include "support/GameRun.h"
#include "support/WalkLevel.h"

#include "platform/Folders.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>

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

// The keys of a text (capitals with Shift).
std::string typeKeys(const std::string& name)
{
    std::string script;
    for (char c : name) {
        bool upper = c >= 'A' && c <= 'Z';
        if (upper)
            script += "keydown left shift\nwait 1\n";
        script += std::string("key ") + static_cast<char>(upper ? c - 'A' + 'a' : c) + "\nwait 2\n";
        if (upper)
            script += "keyup left shift\nwait 1\n";
    }
    return script;
}

// Types a name into the open name entry and confirms it with its OK button.
std::string typeName(const std::string& name)
{
    return typeKeys(name) + clickOn(CControllerProfileName::OK) + "wait 8\n";
}

std::string clickProfileRow(int row)
{
    return clickOn(listRowPlace(CControllerProfiles::LIST_LAYOUT, row)) + "wait 4\n";
}

std::string clickMenuSlot(int slot) { return clickOn(CControllerMain::SlotPlace(slot)); }

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
    const std::string musicUp = clickOn(CControllerOptions::PlusPlace(CControllerOptions::ROW_MUSIC));
    GameRunResult result = runGame(playerScreenRun(
        "options", "wait 5\n" + musicUp + "wait 3\n" + musicUp + "wait 3\n" +
                       clickOn(CControllerOptions::MinusPlace(CControllerOptions::ROW_GAME_SPEED)) + "wait 3\n" +
                       clickOn(CControllerOptions::BACK) + "wait 5\nquit\n"));
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
    // "Walk left", then Save.
    const std::string walkLeft = clickOn(CControllerOptionsControls::FieldPlace(CProfile::KEY_LEFT));
    GameRunResult result = runGame(playerScreenRun("controls", "wait 5\n" + walkLeft + "wait 3\nkey a\nwait 3\n" +
                                                                   clickOn(CControllerOptionsControls::SAVE) +
                                                                   "wait 5\nquit\n"));
    expectCleanEnd(result);
    CProfile profile;
    EXPECT_EQ(profile.GetKey(CProfile::KEY_LEFT), 'a') << result.output;
    // Defaults puts the arrow back; it acts at once, Cancel or not.
    result = runGame(playerScreenRun("controls", "wait 5\n" + clickOn(CControllerOptionsControls::DEFAULTS) +
                                                     "wait 3\n" + clickOn(CControllerOptionsControls::CANCEL) +
                                                     "wait 5\nquit\n"));
    expectCleanEnd(result);
    CProfile reread;
    EXPECT_EQ(reread.GetKey(CProfile::KEY_LEFT), 276);
}

TEST_F(PlayerScreensRunTest, ProfilesAreAddedRenamedAndDeletedAndStayThatWay)
{
    const auto& buttons = CControllerProfiles::BUTTON_PLACES;
    const std::string add = clickOn(buttons[CControllerProfiles::BUTTON_ADD]) + "wait 8\n";
    const std::string rename = clickOn(buttons[CControllerProfiles::BUTTON_RENAME]) + "wait 8\n";
    const std::string remove = clickOn(buttons[CControllerProfiles::BUTTON_DELETE]) + "wait 8\n";
    const std::string answerYes = clickOn(CControllerMessage::QUESTION_OK) + "wait 8\n";
    const std::string play = clickOn(buttons[CControllerProfiles::BUTTON_SELECT]) + "wait 8\n";
    const std::string shot = TemporaryHome::path() + "/profiles.bmp";
    GameRunResult result = runGame(playerScreenRun(
        "profiles", "wait 5\n" + add + typeName("bob") + add + typeName("Alice") + add + typeName("Carl") +
                        "shot " + shot + "\n" +
                        // Alice, bob, Carl, PLAYER 1: Carl becomes Dora, PLAYER 1 goes.
                        clickProfileRow(2) + rename + typeName("Dora") + clickProfileRow(3) + remove + answerYes +
                        // A name that is taken is refused with a notice.
                        add + typeName("Alice") + clickOn(CControllerMessage::NOTICE_OK) + "wait 8\n" +
                        clickProfileRow(1) + play + "quit\n"));
    expectCleanEnd(result);
    EXPECT_TRUE(result.hasLine("Loading Controller:  Message")) << result.output;

    // A new start lists the same players, in name order whatever the case.
    result = runGame(playerScreenRun("profiles", "wait 5\n" + play + "quit\n"));
    expectCleanEnd(result);
    size_t alice = result.output.find("(158)Alice");
    size_t bob = result.output.find("(158)bob");
    size_t dora = result.output.find("(158)Dora");
    EXPECT_LT(alice, bob) << result.output;
    EXPECT_LT(bob, dora) << result.output;
    EXPECT_NE(dora, std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("(158)PLAYER 1"), std::string::npos);
    EXPECT_EQ(result.output.find("(158)Carl"), std::string::npos);
    CProfile profile;
    EXPECT_EQ(profile.GetProfileCount(), 3);
    EXPECT_STREQ(profile.GetProfileNameByNumber(-1), "bob") << "the player chosen last";
}

TEST_F(PlayerScreensRunTest, APasswordIsSetThenChangedAndAWrongOldOneRefused)
{
    const std::string openPassword = clickOn(CControllerOptions::PASSWORD) + "wait 8\n";
    const std::string ok = clickOn(CControllerOptionsPassword::OK) + "wait 8\n";
    const std::string shot = TemporaryHome::path() + "/password.bmp";
    GameRunResult result = runGame(playerScreenRun(
        "options", "wait 5\n" + openPassword + "key return\nwait 2\n" + typeKeys("abc") + ok +
                       // A wrong old password: the screen stays, the old box is emptied.
                       openPassword + typeKeys("xyz") + "key return\nwait 2\n" +
                       typeKeys("def") + ok + "shot " + shot + "\n" + typeKeys("abc") +
                       ok + clickOn(CControllerOptions::BACK) + "wait 8\nquit\n"));
    expectCleanEnd(result);
    EXPECT_TRUE(result.hasLine("Loading Controller:  Options Password")) << result.output;
    CProfile profile;
    EXPECT_STREQ(profile.GetPassword(), "def");
}

namespace {

// The walk level with its walk to the exit recorded as the solution.
void saveSolvedWalkLevel(const std::string& name, const std::string& heading)
{
    initDirectories();
    CLevel level;
    buildWalkLevel(level);
    level.AddReplayKey(60, SDLK_RIGHT, false);
    level.AddReplayKey(400, SDLK_RIGHT, true);
    level.SetSolutionRecorded();
    ASSERT_TRUE(level.SaveAs(name.c_str(), heading.c_str()));
}

} // namespace

TEST_F(PlayerScreensRunTest, ALevelIsPlayedFromTheManagerAndAnotherRemoved)
{
    saveSolvedWalkLevel("alpha walk", "Alpha Walk");
    saveSolvedWalkLevel("beta walk", "Beta Walk");
    // The list opens sorted by name on Alpha Walk: play it to its exit,
    // continue from the end-of-level board (Return) back to the manager,
    // then remove Beta Walk.
    const std::string shot = TemporaryHome::path() + "/manager.bmp";
    GameRunResult result = runGame(playerScreenRun("manager", "wait 5\n"
                                                              "key p\n"
                                                              "wait 90\n"
                                                              "keydown right\n"
                                                              "wait 300\n"
                                                              "keyup right\n"
                                                              "wait 120\n"
                                                              "key return\n"
                                                              "wait 30\n"
                                                              "shot " + shot + "\n"
                                                              "key down\n"
                                                              "wait 3\n" +
                                                              clickOn(CControllerManager::BUTTON_PLACES
                                                                          [CControllerManager::BUTTON_REMOVE]) +
                                                              "wait 8\n" + clickOn(CControllerMessage::QUESTION_OK) +
                                                              "wait 8\n"
                                                              "key escape\n"
                                                              "wait 8\n"
                                                              "quit\n"));
    expectCleanEnd(result);
    EXPECT_TRUE(result.hasLine("Loading Controller:  Game (alpha walk)")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerManager:  Destroying CControllerManager...")) << result.output;
    CProfile profile;
    EXPECT_TRUE(profile.GetUserLevelRecord("alpha walk").played);
    EXPECT_TRUE(profile.GetUserLevelRecord("alpha walk").completed);
    EXPECT_TRUE(std::filesystem::exists(CLevel::GetPath("alpha walk")));
    EXPECT_FALSE(std::filesystem::exists(CLevel::GetPath("beta walk"))) << result.output;
}

// Files that will not load are listed by their headings, and Play hands
// them to the game screen, which refuses them with a notice and goes back.
TEST_F(PlayerScreensRunTest, AFileThatWillNotLoadIsListedPlayedAndRefused)
{
    initDirectories();
    CLevel level;
    buildWalkLevel(level);
    level.SetHeading("Old Times");
    std::vector<unsigned char> old = level.ToBytes(0);
    old[3] = 4; // the version lives in the ID's top byte
    level.SetHeading("Broken Bridge");
    std::vector<unsigned char> broken = level.ToBytes(0);
    broken.resize(200);
    for (const auto& [name, bytes] : {std::pair{"old", old}, std::pair{"broken", broken}})
        writeFile(CLevel::GetPath(name), std::string(bytes.begin(), bytes.end()));
    // Sorted by name: Broken Bridge, then Old Times; each is played, its
    // notice closed with Return, and the manager is back.
    const std::string shot = TemporaryHome::path() + "/unreadable.bmp";
    GameRunResult result = runGame(playerScreenRun(
        "manager", "wait 5\nshot " + shot + "\nkey p\nwait 30\nkey return\nwait 20\nkey down\nwait 3\nkey p\n"
                   "wait 30\nkey return\nwait 20\nkey escape\nwait 8\nquit\n"));
    expectCleanEnd(result);
    size_t first = result.output.find("Loading Controller:  Game (broken)");
    size_t second = result.output.find("Loading Controller:  Game (old)");
    ASSERT_NE(first, std::string::npos) << result.output;
    ASSERT_NE(second, std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Loading Controller:  Message", first), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Loading Controller:  Message", second), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerManager:  Destroying CControllerManager...")) << result.output;
    EXPECT_EQ(result.output.find("Professor"), std::string::npos) << "nothing was played\n" << result.output;
}

TEST_F(PlayerScreensRunTest, TheMainMenuOpensEachOfThePlayersScreens)
{
    std::string script = "wait 40\nkey return\nwait 30\n" + clickMenuSlot(CControllerMain::BUTTON_INSTRUCTIONS) +
                         "wait 10\n";
    for (int page = 1; page <= 18; ++page)
        script += clickOn(CControllerInstructions::NEXT) + "wait 3\n";
    for (int page = 17; page >= 0; --page)
        script += clickOn(CControllerInstructions::PREV) + "wait 3\n";
    script += clickOn(CControllerInstructions::DONE) + "wait 10\n" +
              clickMenuSlot(CControllerMain::BUTTON_CREDITS) + "wait 10\n"
              "key return\nwait 10\n" + // Done
              clickMenuSlot(CControllerMain::BUTTON_SETTINGS) + "wait 10\n" + clickOn(CControllerOptions::BACK) +
              "wait 10\n" + clickOn(CControllerMain::CHANGE_PROFILE) + "wait 10\n" +
              // Play as the chosen one
              clickOn(CControllerProfiles::BUTTON_PLACES[CControllerProfiles::BUTTON_SELECT]) + "wait 10\n" +
              clickMenuSlot(CControllerMain::BUTTON_LEVEL_MANAGER) + "wait 10\n"
              "key escape\nwait 10\n"
              "keydown left alt\nkey q\nkeyup left alt\nwait 10\n";
    GameRun run;
    run.logChannels = "4,11,32";
    run.script = script;
    run.maxFrames = 1500;
    GameRunResult result = runGame(run);
    expectCleanEnd(result);
    for (const char* line : {"Loading Controller:  Instructions", "Loading Controller:  Credits",
                             "Loading Controller:  Options", "Loading Controller:  Profiles",
                             "Loading Controller:  Level Manager",
                             "CControllerInstructions:  Destroying CControllerInstructions...",
                             "CControllerCredits:  Destroying CControllerCredits...",
                             "CControllerOptions:  Destroying CControllerOptions...",
                             "CControllerProfiles:  Destroying CControllerProfiles...",
                             "CControllerManager:  Destroying CControllerManager..."})
        EXPECT_TRUE(result.hasLine(line)) << line << "\n" << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "Alt+Q ended the run";
}

TEST_F(PlayerScreensRunTest, ALevelIsPlayedWithAReboundKeyThenTheDefaultsComeBack)
{
    // The exit lies left of the start: walked with "a" once it is bound.
    saveWalkLevel("walk left", "Walk Left", 14, 10);

    const std::string openControls = clickMenuSlot(CControllerMain::BUTTON_SETTINGS) + "wait 10\n" +
                                     clickOn(CControllerOptions::CONTROLS) + "wait 10\n";
    const std::string saveAndBack =
        clickOn(CControllerOptionsControls::SAVE) + "wait 10\n" + clickOn(CControllerOptions::BACK) + "wait 10\n";
    GameRun run;
    run.logChannels = "4,11,32";
    run.maxFrames = 2000;
    run.script = "wait 40\nkey return\nwait 30\n" + openControls +
                 clickOn(CControllerOptionsControls::FieldPlace(CProfile::KEY_LEFT)) + "wait 3\nkey a\nwait 3\n" +
                 saveAndBack + clickMenuSlot(CControllerMain::BUTTON_LEVEL_MANAGER) +
                 "wait 10\nkey p\nwait 90\nkeydown a\nwait 300\nkeyup a\nwait 120\n"
                 "key return\nwait 30\nkey escape\nwait 10\n" +
                 openControls + clickOn(CControllerOptionsControls::DEFAULTS) + "wait 3\n" + saveAndBack +
                 "keydown left alt\nkey q\nkeyup left alt\nwait 10\n";
    GameRunResult result = runGame(run);
    expectCleanEnd(result);
    EXPECT_TRUE(result.hasLine("*  --> Professor Successfully Exited                      *")) << result.output;
    CProfile profile;
    EXPECT_TRUE(profile.GetUserLevelRecord("walk left").completed);
    EXPECT_EQ(profile.GetKey(CProfile::KEY_LEFT), SDLK_LEFT) << "Defaults put the arrow back";
}
