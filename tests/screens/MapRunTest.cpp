// The map and the set choice tried whole, in the real program: the probe
// screen stands in for the main menu and opens the map on the key "m".
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

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

using namespace corvelle_test;

namespace {

// One pixel of a BMP file; (-1, -1, -1) when it cannot be read.
struct Pixel {
    int r = -1, g = -1, b = -1;
};

Pixel bmpPixel(const std::string& path, int x, int y)
{
    Pixel pixel;
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (!picture)
        return pixel;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Rect from = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
    SDL_BlitSurface(picture, &from, rgb, nullptr);
    Uint32 value = *static_cast<Uint32*>(rgb->pixels);
    pixel = {static_cast<int>(value >> 16 & 0xFF), static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value & 0xFF)};
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(picture);
    return pixel;
}

const std::vector<std::string> POINTER_ONLY = {"Global Mouse Pointer", "Global Hourglass Pointer"};

constexpr int REGULAR = 0, ADVANCED = 1, KIDS = 2;

std::string clickSet(int set) { return clickOn(CControllerSetSelect::SetPlace(set)); }
std::string clickMapButton(int slot) { return clickOn(CControllerMap::BUTTON_PLACES[slot]); }

// The first level's dot twice, then both pages of the first chapter's story.
const std::string FIRST_LEVEL = clickMapDot(REGULAR, 0) + clickMapDot(REGULAR, 0) + "wait 40\n" +
                                clickOn(CControllerStory::NEXT_PAGE) + "wait 20\n" +
                                clickOn(CControllerStory::NEXT_PAGE) + "wait 40\n";
// From a set level, through the in-game menu, back to the map.
const std::string BACK_TO_THE_MAP =
    clickOn(CControllerGame::MENU_BUTTON) + "wait 20\n" +
    clickOn(CControllerInGame::ButtonPlace(CControllerInGame::VARIANT_SET_LEVEL, CControllerInGame::BUTTON_MAP)) +
    "wait 40\n";

GameRun probeRun(const std::string& script)
{
    GameRun run;
    run.program = probeProgramPath();
    run.script = script;
    run.logChannels = "4,11,32";
    run.maxFrames = 1500;
    return run;
}

} // namespace

// A new player opens the map, must choose a set (Escape does not get him
// out of the choice), then sees that set's map with the help arrow above
// Play; Escape leaves the map.
TEST(MapRunTest, ANewPlayerChoosesASetAndSeesTheHelpArrow)
{
    std::string choice = TemporaryHome::path() + "/choice.bmp";
    std::string map = TemporaryHome::path() + "/map.bmp";
    GameRunResult result = runGame(probeRun("wait 5\nkey m\nwait 20\nkey escape\nwait 5\nshot " + choice +
                                            "\n" + clickSet(ADVANCED) + "wait 60\nshot " + map +
                                            "\nkey escape\nwait 5\nquit\n"));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Set Selector")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerSetSelect:  Destroying CControllerSetSelect...")) << result.output;
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;

    // The choice: the advanced button's red face below a dimmed map.
    Pixel button = bmpPixel(choice, 240, 322);
    EXPECT_GT(button.r, 150);
    EXPECT_LT(button.g, 120);
    // The map of the advanced set with the orange help arrow over Play; the
    // arrow bounces down by up to five pixels; its shaft is always here,
    // below the arrow's highlight.
    Pixel arrow = bmpPixel(map, 691, 476);
    EXPECT_GT(arrow.r, 200);
    EXPECT_GT(arrow.g, 90);
    EXPECT_LT(arrow.g, 200);
    EXPECT_LT(arrow.b, 90);
}

// The Kids button of the set choice lies over locked dots of the kids' map:
// neither its press nor its release reaches the map, which opens no notice.
TEST(MapRunTest, ASetChosenOverALockedDotsPlaceOpensNoNotice)
{
    GameRunResult result = runGame(probeRun("wait 5\nkey m\nwait 20\nmove 304 428\nwait 2\ndown\nwait 3\nup\n"
                                            "wait 30\nkey escape\nwait 5\nquit\n"));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerSetSelect:  Destroying CControllerSetSelect...")) << result.output;
    EXPECT_FALSE(result.hasLine("Loading Controller:  Message")) << result.output;
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
}

// The level-manager button asks the opener for the level manager; the
// main-menu button just closes the map. Neither leaves a sprite behind.
TEST(MapRunTest, TheLowerRightButtonsCloseTheMapWithTheirAnswer)
{
    GameRunResult result =
        runGame(probeRun("wait 5\nkey m\nwait 20\n" + clickSet(KIDS) + "wait 40\n" +
                         clickMapButton(CControllerMap::SLOT_LEVEL_MANAGER) + "wait 10\nquit\n"));
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 22")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;

    result = runGame(probeRun("wait 5\nkey m\nwait 20\n" + clickSet(REGULAR) + "wait 40\n" +
                              clickMapButton(CControllerMap::SLOT_MAIN_MENU) + "wait 10\nquit\n"));
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
}

// A double click on the first dot plays its level; leaving the level for
// the map through the in-game menu builds the map again.
// The first level opens the first chapter: its story's two pages come
// before the level.
TEST(MapRunTest, ADoubleClickOnTheFirstDotPlaysItsLevelAndTheMapComesBack)
{
    std::string back = TemporaryHome::path() + "/back.bmp";
    GameRun run = probeRun("wait 5\nkey m\nwait 20\n" + clickSet(REGULAR) + "wait 70\n" + FIRST_LEVEL +
                           BACK_TO_THE_MAP + "shot " + back + "\nkey escape\nwait 5\nquit\n");
    run.logChannels += ",30";
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find("GAME:  Level Load Started  (0,reg001,"), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Story Controller (type=0)")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerStory:  Destroying CControllerStory...")) << result.output;
    EXPECT_TRUE(result.hasLine("GAME removal completed")) << result.output;
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
    // The map again, the sea at its right edge.
    Pixel sea = bmpPixel(back, 790, 300);
    EXPECT_GT(sea.b, sea.r + 60) << "the map is back";
}

// A click on a locked dot answers with a notice and changes nothing.
TEST(MapRunTest, ALockedDotRefusesWithItsNotice)
{
    GameRunResult result = runGame(probeRun("wait 5\nkey m\nwait 20\n" + clickSet(REGULAR) + "wait 70\n" +
                                            clickMapDot(REGULAR, 13) +
                                            "wait 10\nkey return\nwait 10\nkey escape\nwait 5\nquit\n"));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Message")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerMessage:  Destroying CControllerMessage...")) << result.output;
    EXPECT_EQ(result.output.find("Loading Controller:  Game"), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
}

namespace {

class MapProgressRunTest : public profile_test::ProfileTest
{
protected:
    // The regular set played up to level 3: levels 0 to 2 won (1 is a
    // tutorial), 3 open. A player with a won first level goes straight to
    // the map.
    void makeProgress()
    {
        profile = std::make_unique<CProfile>();
        profile->SetScore(20, 0, 0);
        profile->SetScore(15, 0, 1);
        profile->SetScore(30, 0, 2);
        profile->SetScore(CProfile::SCORE_OPEN, 0, 3);
        profile->SetLevelSet(0);
        profile->SetLevel(3);
        profile.reset();
    }

    // Opens the map, presses the regular set's reset and answers.
    GameRunResult resetAndAnswer(const std::string& answer)
    {
        return runGame(probeRun("wait 5\nkey m\nwait 60\n" +
                                clickOn(CControllerMap::BUTTON_PLACES[CControllerMap::SLOT_RESET_FIRST + REGULAR]) +
                                "wait 10\n" + answer + "wait 20\nkey escape\nwait 5\nquit\n"));
    }
};

} // namespace

TEST_F(MapProgressRunTest, ResetAnsweredNoKeepsProgressAndYesClearsIt)
{
    makeProgress();
    for (const std::string& no : {std::string("key escape\n"), clickOn(CControllerMessage::QUESTION_CANCEL)}) {
        GameRunResult result = resetAndAnswer(no);
        EXPECT_EQ(result.exitStatus, 0) << result.output;
        EXPECT_EQ(result.output.find("Loading Controller:  Set Selector"), std::string::npos) << result.output;
        EXPECT_TRUE(result.hasLine("CControllerMessage:  Destroying CControllerMessage...")) << result.output;
        EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
        profile = std::make_unique<CProfile>();
        EXPECT_EQ(profile->GetScore(0, 2, false), 30) << no;
        profile.reset();
    }

    GameRunResult result = resetAndAnswer(clickOn(CControllerMessage::QUESTION_OK));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
    profile = std::make_unique<CProfile>();
    EXPECT_FALSE(profile->IsLevelCompleted(0, 0));
    EXPECT_TRUE(profile->IsLevelLocked(0, 2));
}

// The high-score button opens the selected level's table; a tutorial level
// has none, and its button stays greyed.
TEST_F(MapProgressRunTest, TheHighScoreButtonOpensTheTableOfALevelButNotOfATutorial)
{
    makeProgress();
    // Level 2 chosen (the selected level 3 is a tutorial), then tutorial 1.
    const std::string highScores = clickMapButton(CControllerMap::SLOT_HIGH_SCORES);
    GameRunResult result = runGame(probeRun("wait 5\nkey m\nwait 60\n" + clickMapDot(REGULAR, 2) + "wait 20\n" +
                                            highScores + "wait 20\n" + clickOn(CControllerScoreboard::CLOSE) +
                                            "wait 20\n" + clickMapDot(REGULAR, 1, true) + "wait 10\n" + highScores +
                                            "wait 20\nkey escape\nwait 5\nquit\n"));
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    size_t first = result.output.find("Loading Controller:  Scoreboard");
    ASSERT_NE(first, std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Loading Controller:  Scoreboard", first + 1), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
}

// The whole road in the real program: the main menu's Play, the set choice,
// the map with its help arrow, the first level from a double click, back to
// the map from the in-game menu, Escape to the menu and Alt+Q out.
TEST(MapRunTest, FromTheMainMenuToTheFirstLevelAndBack)
{
    std::string map = TemporaryHome::path() + "/map.bmp";
    GameRun run;
    run.logChannels = "4,11,30,32";
    run.maxFrames = 1500;
    run.script = "wait 40\nkey space\nwait 10\n" + clickOn(CControllerMain::SlotPlace(CControllerMain::BUTTON_PLAY)) +
                 "wait 20\n" + clickSet(REGULAR) + "wait 70\nshot " + map + "\n" + clickMapDot(REGULAR, 0) +
                 clickMapDot(REGULAR, 0) + "wait 40\n" + BACK_TO_THE_MAP +
                 "key escape\nwait 20\nkeydown left alt\nkey q\nkeyup left alt\nwait 10\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    size_t choice = result.output.find("Loading Controller:  Set Selector");
    size_t level = result.output.find("GAME:  Level Load Started  (0,reg001,");
    size_t back = result.output.find("GAME removal completed");
    size_t menu = result.output.find("MAP removal completed");
    ASSERT_NE(choice, std::string::npos) << result.output;
    ASSERT_NE(level, std::string::npos) << result.output;
    ASSERT_NE(back, std::string::npos) << result.output;
    ASSERT_NE(menu, std::string::npos) << result.output;
    EXPECT_LT(choice, level);
    EXPECT_LT(level, back);
    EXPECT_LT(back, menu);
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTER_ONLY) << result.output;
    Pixel arrow = bmpPixel(map, 691, 476);
    EXPECT_GT(arrow.r, 200) << "the help arrow stands over Play";
    EXPECT_LT(arrow.b, 90);
}
