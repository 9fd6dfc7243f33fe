// The road from the loading picture: the intro, the main menu, and the
// story screen, tried through the real program.
#include "screens/ControllerInstructions.h"
#include "screens/ControllerMain.h"
#include "screens/ControllerManager.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerStory.h"
#include "support/Clicks.h"
#include "support/GameRun.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace corvelle_test;

namespace {

const std::vector<std::string> POINTERS_ONLY = {"Global Mouse Pointer", "Global Hourglass Pointer"};

// Where in the output a text first appears; npos when it does not.
size_t at(const GameRunResult& result, const std::string& text) { return result.output.find(text); }

// The share of sampled pixels (every 7th row and column, outside the given
// rectangle) that differ between two BMP files; -1 when one is missing.
double differingShare(const std::string& a, const std::string& b, SDL_Rect skip)
{
    SDL_Surface* first = SDL_LoadBMP(a.c_str());
    SDL_Surface* second = SDL_LoadBMP(b.c_str());
    double share = -1;
    if (first && second && first->w == second->w && first->h == second->h) {
        SDL_Surface* x = SDL_ConvertSurface(first, first->format, SDL_SWSURFACE);
        SDL_Surface* y = SDL_ConvertSurface(second, first->format, SDL_SWSURFACE);
        int differ = 0, total = 0;
        for (int row = 0; row < x->h; row += 7)
            for (int col = 0; col < x->w; col += 7) {
                if (col >= skip.x && col < skip.x + skip.w && row >= skip.y && row < skip.y + skip.h)
                    continue;
                const Uint8* p = static_cast<Uint8*>(x->pixels) + row * x->pitch + col * x->format->BytesPerPixel;
                const Uint8* q = static_cast<Uint8*>(y->pixels) + row * y->pitch + col * y->format->BytesPerPixel;
                differ += memcmp(p, q, x->format->BytesPerPixel) != 0;
                ++total;
            }
        share = double(differ) / total;
        SDL_FreeSurface(x);
        SDL_FreeSurface(y);
    }
    if (first)
        SDL_FreeSurface(first);
    if (second)
        SDL_FreeSurface(second);
    return share;
}

} // namespace

TEST(IntroAndMenuRun, AKeySkipsTheIntroOnceTheLogoIsInAndAltQEndsTheProgramFromTheMenu)
{
    GameRun run;
    run.logChannels = "4,11,30,32";
    // A key at once: the logo is still fading in, so nothing happens. The
    // second key, a second later, opens the menu.
    run.script = "key space\n"
                 "wait 40\n"
                 "# skip\n"
                 "key return\n"
                 "wait 20\n"
                 "keydown left alt\n"
                 "key q\n"
                 "keyup left alt\n"
                 "wait 10\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    size_t skip = at(result, "InputScript:  line 4");
    size_t menu = at(result, "Loading Controller:  Main Menu");
    ASSERT_NE(skip, std::string::npos) << result.output;
    ASSERT_NE(menu, std::string::npos) << result.output;
    EXPECT_GT(menu, skip) << "the first key, during the fade, did not skip";
    EXPECT_LT(menu, at(result, "InputScript:  line 6")) << "the release opened the menu at once";
    for (const char* line : {"ID_900:  SHUTDOWN:  C3 Started", "ID_900:  SHUTDOWN:  C3 Completed",
                             "Removing MAIN", "MAIN removal completed", "ID_900:  SHUTDOWN COMPLETED",
                             "CControllerIntro:  Destroying CControllerIntro..."})
        EXPECT_TRUE(result.hasLine(line)) << line << "\n" << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "Alt+Q ended the run";
    EXPECT_LT(at(result, "Removing MAIN"), at(result, "ID_900:  SHUTDOWN COMPLETED"));
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// Left alone, the intro shows the logo for three seconds with three blinks,
// then each splash card for three seconds, and opens the menu by itself.
TEST(IntroAndMenuRun, TheIntroRunsItsTimedSequenceAndBlinksInItsThreeWindows)
{
    GameRun run;
    run.logChannels = "4,32";
    run.maxFrames = 600;
    run.script = "wait 150\n"
                 "# the second splash card is due at six seconds\n"
                 "wait 210\n"
                 "keydown left alt\n"
                 "key q\n"
                 "keyup left alt\n"
                 "wait 10\n";
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 0) << result.output;

    std::regex blink("Blinking Vostrel Eyes at (\\d+)");
    bool windows[3] = {};
    for (auto it = std::sregex_iterator(result.output.begin(), result.output.end(), blink);
         it != std::sregex_iterator(); ++it) {
        int t = std::stoi((*it)[1]);
        bool inside = (t >= 800 && t <= 900) || (t >= 1100 && t <= 1200) || (t >= 1900 && t <= 2000);
        EXPECT_TRUE(inside) << t;
        windows[0] |= t >= 800 && t <= 900;
        windows[1] |= t >= 1100 && t <= 1200;
        windows[2] |= t >= 1900 && t <= 2000;
    }
    EXPECT_TRUE(windows[0] && windows[1] && windows[2]) << result.output;
    for (const char* line : {"Loading SPLASH0_URL:  resource9.dat", "Loading SPLASH1_URL:  resource10.dat",
                             "Loading SPLASH2_URL:  resource11.dat", "Loading Controller:  Main Menu"})
        EXPECT_TRUE(result.hasLine(line)) << line << "\n" << result.output;
    // The menu came on its own, about nine seconds after the logo was in
    // (frames are 33 ms; loading and the fade-in come first).
    size_t menu = at(result, "Loading Controller:  Main Menu");
    EXPECT_GT(menu, at(result, "InputScript:  line 3")) << "not before five seconds";
    EXPECT_LT(menu, at(result, "InputScript:  line 4"));
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

TEST(StoryRun, TheArrivalPagesTurnBackAndForthAndDoneCloses)
{
    const std::string home = TemporaryHome::path();
    GameRun run;
    run.program = probeProgramPath();
    run.logChannels = "4,11,32";
    run.environment = {{"CORVELLE_PROBE_STORY", "0"}};
    // Return presses the default button: next on page 1, done on page 2.
    run.script = "wait 3\n"
                 "shot " + home + "/page1.bmp\n"
                 "key return\n"
                 "wait 3\n"
                 "shot " + home + "/page2.bmp\n" +
                 clickOn(CControllerStory::PREVIOUS_PAGE) +
                 "wait 3\n"
                 "move 10 10\n"
                 "wait 3\n"
                 "shot " + home + "/page1again.bmp\n"
                 "key return\n"
                 "wait 3\n"
                 "key return\n"
                 "wait 3\n"
                 "quit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    // Leave out the buttons' row and the pointer's corner.
    SDL_Rect pointer = {0, 520, 800, 80};
    EXPECT_GT(differingShare(home + "/page1.bmp", home + "/page2.bmp", pointer), 0.3) << "next turned the page";
    EXPECT_EQ(differingShare(home + "/page1.bmp", home + "/page1again.bmp", {0, 0, 40, 40}), 0.0)
        << "previous brought page 1 back as it was";
    size_t closed = at(result, "CControllerStory:  Destroying CControllerStory...");
    EXPECT_NE(closed, std::string::npos) << result.output;
    EXPECT_LT(closed, at(result, "InputScript:  line 15")) << "done closed the story before the quit";
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// The ten stories between the chapters have one page: Return closes it at
// once; Escape closes any story.
TEST(StoryRun, AOnePageStoryClosesOnDoneAndAnyStoryOnEscape)
{
    struct Case {
        const char* story;
        const char* key;
    };
    for (const Case& c : {Case{"5", "return"}, Case{"10", "return"}, Case{"11", "escape"}}) {
        GameRun run;
        run.program = probeProgramPath();
        run.logChannels = "4,11,32";
        run.environment = {{"CORVELLE_PROBE_STORY", c.story}};
        run.script = std::string("wait 3\nkey ") + c.key + "\nwait 3\nquit\n";
        GameRunResult result = runGame(run);
        EXPECT_EQ(result.exitStatus, 0) << result.output;
        size_t closed = at(result, "CControllerStory:  Destroying CControllerStory...");
        EXPECT_NE(closed, std::string::npos) << c.story << result.output;
        EXPECT_LT(closed, at(result, "InputScript:  line 4")) << c.story;
        EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << c.story << result.output;
    }
}

namespace {

const char* const SHIPPED_PARAMETERS = "MOREGAMES_URL https://corvelle.example.org/more-games\n";

// A game folder that shares the built resource files but has parameters of
// its own, and lacks the files named.
std::string gameFolder(const std::string& parameters, const std::vector<std::string>& missing = {})
{
    namespace fs = std::filesystem;
    std::string dir = TemporaryHome::path() + "/game";
    fs::create_directories(dir);
    for (const fs::directory_entry& entry : fs::directory_iterator(resourceDir())) {
        std::string name = entry.path().filename().string();
        if (name != "resource8.dat" && std::find(missing.begin(), missing.end(), name) == missing.end())
            fs::create_symlink(entry.path(), dir + "/" + name);
    }
    std::ofstream(dir + "/resource8.dat") << parameters;
    return dir;
}

// A stand-in for the desktop's web-page opener that notes the address.
std::string fakeBrowserPath(const std::string& noteFile)
{
    std::string dir = TemporaryHome::path() + "/bin";
    std::filesystem::create_directories(dir);
    std::string program = dir + "/xdg-open";
    std::ofstream(program) << "#!/bin/sh\necho \"$1\" > '" << noteFile << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    return dir + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One pixel of a BMP file as 0xRRGGBB; -1 when it cannot be read.
long bmpPixel(const std::string& path, int x, int y)
{
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (!picture)
        return -1;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Rect from = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
    SDL_BlitSurface(picture, &from, rgb, nullptr);
    long value = *static_cast<Uint32*>(rgb->pixels) & 0xFFFFFF;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(picture);
    return value;
}

// Skips the intro, then runs the commands in the menu.
std::string inTheMenu(const std::string& commands) { return "wait 40\nkey space\nwait 10\n" + commands; }

// A click on the menu's button in that slot.
std::string clickMenuSlot(int slot) { return clickOn(CControllerMain::SlotPlace(slot)); }

const std::string MANAGER_MORE_LEVELS =
    clickOn(CControllerManager::BUTTON_PLACES[CControllerManager::BUTTON_MORE_LEVELS]);

} // namespace

// With the switch on, the more-games question: Cancel returns to the menu;
// OK opens the page in the browser and ends the game.
TEST(MainMenuRun, MoreGamesAsksFirstAndOpensThePageOnlyOnYes)
{
    std::string note = TemporaryHome::path() + "/opened.txt";
    GameRun run;
    run.logChannels = "4,11,32";
    run.workingDir = gameFolder(std::string(SHIPPED_PARAMETERS) + "USE_MOREGAMES 1\n");
    run.environment = {{"PATH", fakeBrowserPath(note)}};
    // Return with nothing focused answers a question with Cancel.
    std::string shot = TemporaryHome::path() + "/question.bmp";
    const std::string moreGames = clickMenuSlot(CControllerMain::BUTTON_MORE_GAMES);
    run.script = inTheMenu(moreGames + "wait 10\nshot " + shot + "\nkey return\nwait 10\n" + moreGames +
                           "wait 10\nkey tab\nwait 2\nkey return\nwait 30\n");
    GameRunResult result = runGame(run);
    // The question's parchment lies over the menu's buttons, not under them.
    long parchment = bmpPixel(shot, 600, 250);
    EXPECT_GT((parchment >> 8) & 0xFF, 190) << std::hex << parchment;

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    size_t first = at(result, "Loading Controller:  Message (Vostrel Games)");
    ASSERT_NE(first, std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Loading Controller:  Message (Vostrel Games)", first + 1), std::string::npos)
        << "after Cancel the menu was back and asked again";
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "OK ended the game";
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED"));
    for (int wait = 0; wait < 50 && readAll(note).empty(); ++wait)
        SDL_Delay(20);
    EXPECT_EQ(readAll(note), "https://corvelle.example.org/more-games\n");
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// Without more games Exit moves up to the eighth place and the ninth stays
// empty; the keyboard walks the buttons without tripping on the gap. The
// logo's eyes stay open when blinking is switched off.
TEST(MainMenuRun, WithoutMoreGamesExitTakesItsPlaceAndTheEmptySlotIsSkipped)
{
    GameRun run;
    run.logChannels = "4,32";
    run.workingDir = gameFolder(std::string(SHIPPED_PARAMETERS) + "USE_MOREGAMES 0\nUSE_VG_BLINK 0\n");
    std::string walk;
    for (int i = 0; i < 12; ++i)
        walk += "key tab\nwait 2\n";
    // The empty ninth place does nothing; the eighth is Exit.
    run.script = inTheMenu(walk + "move 10 300\nwait 2\n" + clickMenuSlot(CControllerMain::BUTTON_EXIT) +
                           "wait 10\n# exit\n" + clickMenuSlot(CControllerMain::BUTTON_MORE_GAMES) + "wait 10\n");
    run.maxFrames = 400;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.output.find("Blinking"), std::string::npos);
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "Exit ended the game";
    size_t exit = at(result, "ID_900:  SHUTDOWN:  C3 Started");
    ASSERT_NE(exit, std::string::npos) << result.output;
    EXPECT_GT(exit, at(result, "InputScript:  line 34")) << "only the click on Exit ended the game";
    EXPECT_EQ(result.output.find("Loading Controller:  Message"), std::string::npos);
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// The game as shipped has no page of more games or more levels to open:
// the menu has no More Games button (Exit stands eighth), and the level
// manager's More Levels only says so. No browser is ever started.
TEST(MainMenuRun, TheShippedGameOpensNoMoreGamesOrMoreLevelsPage)
{
    std::string note = TemporaryHome::path() + "/opened.txt";
    GameRun run;
    run.logChannels = "4,11,32";
    run.environment = {{"PATH", fakeBrowserPath(note)}};
    // The manager (second button), its More Levels, OK, back to the menu,
    // then the eighth place.
    run.script = inTheMenu(clickMenuSlot(CControllerMain::BUTTON_LEVEL_MANAGER) + "wait 30\n" + MANAGER_MORE_LEVELS +
                           "wait 10\nkey return\nwait 10\nkey escape\nwait 30\n# exit\n" +
                           clickMenuSlot(CControllerMain::BUTTON_MORE_GAMES) + "wait 10\n");
    run.maxFrames = 600;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.output.find("Loading Controller:  Message (Vostrel Games)"), std::string::npos);
    EXPECT_TRUE(result.hasLine("Loading Controller:  Message")) << "More Levels says there is none\n" << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "the eighth button is Exit";
    EXPECT_GT(at(result, "ID_900:  SHUTDOWN:  C3 Started"), at(result, "InputScript:  line 14"));
    EXPECT_EQ(readAll(note), "");
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// With the switch on, More Levels asks first and opens the page beside the
// more-games page, and the game ends.
TEST(MainMenuRun, MoreLevelsAsksAndOpensItsPageWhenSwitchedOn)
{
    std::string note = TemporaryHome::path() + "/opened.txt";
    GameRun run;
    run.logChannels = "4,11,32";
    run.workingDir = gameFolder(std::string(SHIPPED_PARAMETERS) + "USE_MORELEVELS 1\n");
    run.environment = {{"PATH", fakeBrowserPath(note)}};
    // The question's OK stands left of Cancel.
    run.script = inTheMenu(clickMenuSlot(CControllerMain::BUTTON_LEVEL_MANAGER) + "wait 30\n" + MANAGER_MORE_LEVELS +
                           "wait 10\n" + clickOn(CControllerMessage::QUESTION_OK) + "wait 30\n");
    run.maxFrames = 600;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "OK ended the game";
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED"));
    for (int wait = 0; wait < 50 && readAll(note).empty(); ++wait)
        SDL_Delay(20);
    EXPECT_EQ(readAll(note), "https://corvelle.example.org/krvl/levels\n");
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// Without the two further splash files the logo's three seconds are all:
// the menu comes well before the six seconds a second picture would take.
TEST(IntroAndMenuRun, WithoutTheFurtherSplashFilesTheMenuFollowsTheLogo)
{
    GameRun run;
    run.logChannels = "4,32";
    run.workingDir = gameFolder(SHIPPED_PARAMETERS, {"resource10.dat", "resource11.dat"});
    // About 5.3 seconds: loading, the 0.75 s fade-in and the logo's 3 s.
    run.script = "wait 160\n# by now\nwait 1\nquit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading SPLASH0_URL:  resource9.dat"));
    EXPECT_EQ(result.output.find("SPLASH1_URL"), std::string::npos);
    EXPECT_EQ(result.output.find("SPLASH2_URL"), std::string::npos);
    size_t menu = at(result, "Loading Controller:  Main Menu");
    ASSERT_NE(menu, std::string::npos) << result.output;
    EXPECT_LT(menu, at(result, "InputScript:  line 3"));
    EXPECT_GT(menu, result.output.rfind("Blinking Vostrel Eyes at 19")) << "after the logo's last blink";
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// The intro cannot go on without its logo.
TEST(IntroAndMenuRun, AMissingLogoFileEndsTheProgram)
{
    GameRun run;
    run.workingDir = gameFolder(SHIPPED_PARAMETERS, {"resource9.dat"});
    run.script = "wait 5\nquit\n";
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 1) << result.output;
    EXPECT_NE(result.output.find("Cannot load splash0 file!"), std::string::npos) << result.output;
}

// Play takes the whole screen for the map (a new player first chooses a
// set); High Scores lies over the menu and Escape brings the menu back.
TEST(MainMenuRun, PlayOpensTheMapAndHighScoresTheOverallTables)
{
    GameRun run;
    run.logChannels = "4,30,32";
    run.maxFrames = 600;
    run.script = inTheMenu(clickMenuSlot(CControllerMain::BUTTON_HIGH_SCORES) + "wait 20\nkey escape\nwait 10\n" +
                           clickMenuSlot(CControllerMain::BUTTON_PLAY) + "wait 30\nquit\nwait 10\n");
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    size_t scores = at(result, "Loading Controller:  Scoreboard");
    size_t map = at(result, "Loading Controller:  Map");
    ASSERT_NE(scores, std::string::npos) << result.output;
    ASSERT_NE(map, std::string::npos) << result.output;
    size_t back = result.output.find("Loading Controller:  Main Menu", scores);
    EXPECT_LT(back, map) << "Escape closed the high scores first";
    EXPECT_TRUE(result.hasLine("Loading Controller:  Set Selector")) << result.output;
    EXPECT_TRUE(result.hasLine("Removing MAP")) << result.output;
    EXPECT_TRUE(result.hasLine("MAP removal completed")) << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos);
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// How to Play from the menu: Next opens each of the eighteen topic pages in
// turn, every one a picture of its own; on the last page Next does nothing.
TEST(MainMenuRun, HowToPlayOpensEveryTopicPageInTurn)
{
    constexpr int LAST_PAGE = 18;
    const std::string home = TemporaryHome::path();
    auto page = [&home](int n) { return home + "/page" + std::to_string(n) + ".bmp"; };
    const std::string next = clickOn(CControllerInstructions::NEXT);
    std::string script = clickMenuSlot(CControllerMain::BUTTON_INSTRUCTIONS) + "wait 10\nshot " + page(0) + "\n";
    for (int n = 1; n <= LAST_PAGE; ++n)
        script += next + "wait 3\nshot " + page(n) + "\n";
    script += next + "wait 3\nshot " + home + "/pastlast.bmp\nkey escape\nwait 10\n";
    GameRun run;
    run.logChannels = "4,11,32";
    run.maxFrames = 900;
    run.script = inTheMenu(script);
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerInstructions:  Destroying CControllerInstructions...")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
    // The buttons' row and the pointer below the page are left out.
    const SDL_Rect buttons = {0, 520, 800, 80};
    for (int n = 1; n <= LAST_PAGE; ++n)
        EXPECT_GT(differingShare(page(n - 1), page(n), buttons), 0.05) << "page " << n << " is a new picture";
    EXPECT_EQ(differingShare(page(LAST_PAGE), home + "/pastlast.bmp", buttons), 0.0);
}
