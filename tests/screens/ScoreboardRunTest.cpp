// The end-of-level and high-score screen tried whole: the game with the
// screen opened over its root (programs/ScoreboardProbe.cpp), driven by
// input scripts, against the loopback score server of the tests.
#include "online/FakeScoreServer.h"
#include "screens/ControllerMap.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerSetSelect.h"
#include "support/Clicks.h"
#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace corvelle_test;

namespace {

using Board = CControllerScoreboard;
const std::string CLICK_EXCHANGE = clickOn(Board::EXCHANGE); // download or submit
const std::string CLICK_MAIN_MENU = clickOn(Board::CLOSE);

struct ProbeRun {
    std::string screen;
    std::string script;
    std::string serverUrl = FakeScoreServer::refusingUrl();
    std::vector<std::pair<std::string, std::string>> profile;
};

GameRunResult runProbe(const ProbeRun& probe)
{
    GameRun run;
    run.program = CORVELLE_SCOREBOARD_PROBE;
    run.logChannels = "4,31,32";
    run.maxFrames = 600;
    run.script = "wait 10\n" + probe.script + "wait 5\nquit\n";
    run.environment = probe.profile;
    run.environment.emplace_back("CORVELLE_PROBE_SCREEN", probe.screen);
    run.environment.emplace_back("CORVELLE_SCORE_URL", probe.serverUrl);
    return runGame(run);
}

// The probe's line when the screen closed.
std::string closedLine(const GameRunResult& result)
{
    size_t at = result.output.find("Probe:  closed ");
    if (at == std::string::npos)
        return "";
    return result.output.substr(at, result.output.find('\n', at) - at);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

int countOf(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A clean end: the run closed by itself and left no sprite behind but the
// two pointers, which live as long as the program.
void expectCleanEnd(const GameRunResult& result)
{
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.liveSprites(), (std::vector<std::string>{"Global Mouse Pointer", "Global Hourglass Pointer"}))
        << result.output;
}

const std::vector<std::pair<std::string, std::string>> WON_LEVEL_40 = {
    {"CORVELLE_PROBE_LEVEL", "0,40"}, {"CORVELLE_PROBE_SCORES", "0,40,57"}, {"CORVELLE_PROBE_STEPS", "57"}};

} // namespace

TEST(ScoreboardRunTest, SubmitAfterAWinAsksForANameAddsTheUserAndUploads)
{
    FakeScoreServer server;
    server.addScore("bob", 0, 40, 80, 0);
    ProbeRun probe{"board:5", CLICK_EXCHANGE + "wait 5\n" + typedInPlace("ada") + "key return\nwait 10\n" +
                                  CLICK_MAIN_MENU,
                   server.baseUrl(), WON_LEVEL_40};
    GameRunResult result = runProbe(probe);

    EXPECT_TRUE(server.problems().empty());
    std::vector<std::string> expected = {"op=addUser&user=ada&version=1.03W",
                                         "op=uploadScore&user=ada&type=0&level=40&score=57&cheat=0",
                                         "op=downloadScore&user=ada&type=0&level=40"};
    EXPECT_EQ(server.requests(), expected);
    EXPECT_TRUE(result.hasLine("NEWUSER:  Added ada")) << result.output;
    // The submitted board shows the level's table with the new row first.
    EXPECT_TRUE(result.hasLine("Username:  'ada'   57")) << result.output;
    EXPECT_TRUE(result.hasLine("Username:  'bob'   80")) << result.output;
    // Main menu from a result closes three screens: the probe gets 2.
    EXPECT_TRUE(has(closedLine(result), "id=23 return=0 exit=2")) << closedLine(result);
    EXPECT_TRUE(has(closedLine(result), "online='ada'")) << closedLine(result);
    expectCleanEnd(result);
}

TEST(ScoreboardRunTest, ATakenNameBringsTheEntryBackWithASuggestionAndCancelKeepsTheBoard)
{
    FakeScoreServer server;
    server.addUser("ada");
    ProbeRun probe{"board:5",
                   CLICK_EXCHANGE + "wait 5\n" + typedInPlace("ada") + "key return\nwait 10\n" +
                       // The entry is back, offering "ada1": cancel it.
                       "key escape\nwait 5\n" + CLICK_MAIN_MENU,
                   server.baseUrl(), WON_LEVEL_40};
    GameRunResult result = runProbe(probe);

    EXPECT_TRUE(result.hasLine("NEWUSER:  Already exists.  Suggestions:")) << result.output;
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Scoreboard Name"), 2) << result.output;
    EXPECT_EQ(server.requests().size(), 1u) << "nothing uploaded without a name";
    EXPECT_TRUE(has(closedLine(result), "online=''")) << closedLine(result);
    expectCleanEnd(result);
}

TEST(ScoreboardRunTest, DownloadsALevelTableAndTheOverallTablesOfEverySet)
{
    FakeScoreServer server;
    server.addScore("bob", 0, 40, 80, 0);
    server.addScore("cy", 0, 40, 66, 0);
    for (int set = 0; set < 3; ++set)
        server.addScore("set" + std::to_string(set), set, 99999, 1000 + set, 0);

    GameRunResult level = runProbe({"board:1", CLICK_EXCHANGE + "wait 5\nkey escape\n",
                                    server.baseUrl(), {{"CORVELLE_PROBE_LEVEL", "0,40"}}});
    EXPECT_TRUE(level.hasLine("Username:  'cy'   66")) << level.output;
    EXPECT_TRUE(level.hasLine("Username:  'bob'   80")) << level.output;
    // Escape closes a table screen alone.
    EXPECT_TRUE(has(closedLine(level), "id=23 return=0 exit=0")) << closedLine(level);
    expectCleanEnd(level);

    GameRunResult overall =
        runProbe({"board:0", CLICK_EXCHANGE + "wait 5\n" + clickOn(Board::SET_KIDS) + "wait 5\nkey escape\n",
                  server.baseUrl(), {}});
    for (int set = 0; set < 3; ++set)
        EXPECT_TRUE(overall.hasLine("Downloading scores for '' (S=" + std::to_string(set) + ")  Result=1"))
            << overall.output;
    EXPECT_TRUE(overall.hasLine("Username:  'set0'   1000")) << overall.output;
    // The kids' button shows the kids' table.
    EXPECT_TRUE(overall.hasLine("Username:  'set2'   1002")) << overall.output;
    EXPECT_FALSE(has(overall.output, "Loading Controller:  Message"));
    expectCleanEnd(overall);
}

// One set's table that will not come spoils the overall exchange: the board
// keeps what it showed (nothing yet), even the tables that did come.
TEST(ScoreboardRunTest, AnOverallExchangeWithOneFailedSetKeepsTheBoardAsItWas)
{
    FakeScoreServer server;
    for (int set = 0; set < 3; ++set)
        server.addScore("set" + std::to_string(set), set, 99999, 1000 + set, 0);
    server.refuseRequestsContaining("type=2&level=99999");
    GameRunResult overall = runProbe(
        {"board:0", CLICK_EXCHANGE + "wait 5\nkey escape\nwait 5\nkey escape\n", server.baseUrl(), {}});

    EXPECT_TRUE(overall.hasLine("Downloading scores for '' (S=1)  Result=1")) << overall.output;
    EXPECT_TRUE(overall.hasLine("Downloading scores for '' (S=2)  Result=0")) << overall.output;
    EXPECT_EQ(countOf(overall.output, "Loading Controller:  Message"), 1) << overall.output;
    EXPECT_FALSE(has(overall.output, "Username:  'set0'")) << overall.output;
    expectCleanEnd(overall);
}

TEST(ScoreboardRunTest, AFailedExchangeTriesEverySetShowsItsMessageAndTheGameGoesOn)
{
    // Nothing listens at the address: every request fails.
    GameRunResult overall = runProbe({"board:0", CLICK_EXCHANGE + "wait 5\nkey escape\nwait 5\n" +
                                                     "key escape\n",
                                      FakeScoreServer::refusingUrl(),
                                      {}});
    for (int set = 0; set < 3; ++set)
        EXPECT_TRUE(overall.hasLine("Downloading scores for '' (S=" + std::to_string(set) + ")  Result=0"))
            << overall.output;
    EXPECT_EQ(countOf(overall.output, "Loading Controller:  Message"), 1) << overall.output;
    EXPECT_TRUE(has(closedLine(overall), "id=23 return=0 exit=0")) << closedLine(overall);
    expectCleanEnd(overall);

    // A refusal of the server (an unknown level) is a failed exchange too.
    FakeScoreServer server;
    server.setBehaviour(FakeScoreServer::Behaviour::Canned);
    server.setCannedReply(200, "failure\n17\n");
    GameRunResult submit =
        runProbe({"board:5", CLICK_EXCHANGE + "wait 5\nkey escape\nwait 5\n" + CLICK_MAIN_MENU,
                  server.baseUrl(), [] {
                      auto env = WON_LEVEL_40;
                      env.emplace_back("CORVELLE_PROBE_ONLINE", "ada");
                      return env;
                  }()});
    EXPECT_EQ(countOf(submit.output, "Loading Controller:  Message"), 1) << submit.output;
    EXPECT_TRUE(has(closedLine(submit), "id=23 return=0 exit=2")) << closedLine(submit);
    expectCleanEnd(submit);
}

TEST(ScoreboardRunTest, ARankBeyondTheRowsTheTableHoldsDrawsTheRankLineAlone)
{
    // The server puts the player twelfth of 40 but sends only three rows.
    FakeScoreServer server;
    server.setBehaviour(FakeScoreServer::Behaviour::Canned);
    server.setCannedReply(200, "success\n40\n1\tbob\t5\t0\n2\tcy\t6\t0\n12\tada\t30\t0\n");
    GameRunResult result = runProbe({"board:1", CLICK_EXCHANGE + "wait 5\nkey escape\n",
                                     server.baseUrl(),
                                     {{"CORVELLE_PROBE_LEVEL", "0,40"}, {"CORVELLE_PROBE_ONLINE", "ada"}}});
    EXPECT_TRUE(result.hasLine("Username:  'ada'   30")) << "rows below ten are drawn as they come";
    EXPECT_FALSE(has(result.output, "Loading Controller:  Message"));
    expectCleanEnd(result);
}

TEST(ScoreboardRunTest, TheResultButtonsAnswerTheGameScreen)
{
    struct Case {
        std::string screen;
        std::string script;
        std::string closed;
        std::vector<std::pair<std::string, std::string>> profile;
    } cases[] = {
        {"board:3", clickOn(Board::MISHAP_RETRY), "return=1 exit=0", {}},
        {"board:4", "key u\n", "return=14 exit=0", {}}, // undo
        {"board:3", clickOn(Board::MISHAP_SOLUTION), "return=3 exit=0", {}}, // no password
        // Choose a level closes the game too; main menu also the game's opener.
        {"board:4", clickOn(Board::MISHAP_CHOOSE_LEVEL), "return=0 exit=1", {}},
        {"board:3", clickOn(Board::CLOSE), "return=0 exit=2", {}},
        {"board:5", "key r\n", "return=1 exit=0", WON_LEVEL_40},
        {"board:5", clickOn(Board::WIN_CONTINUE), "return=0 exit=1", WON_LEVEL_40},
        {"board:7:user", clickOn(Board::WIN_RETRY), "return=1 exit=0", WON_LEVEL_40},
        // The solution behind the password: a wrong try, then the right one.
        {"board:3", clickOn(Board::MISHAP_SOLUTION) + "wait 5\nkey x\nkey return\nwait 5\nkey o\nkey k\nkey return\n",
         "return=3 exit=0", {{"CORVELLE_PROBE_LEVEL", "0,40"}, {"CORVELLE_PROBE_PASSWORD", "ok"}}},
        // A tutorial level never asks for it.
        {"board:3", clickOn(Board::MISHAP_SOLUTION), "return=3 exit=0",
         {{"CORVELLE_PROBE_LEVEL", "0,1"}, {"CORVELLE_PROBE_PASSWORD", "ok"}}},
    };
    for (const Case& c : cases) {
        GameRunResult result = runProbe({c.screen, c.script + "wait 5\n", FakeScoreServer::refusingUrl(), c.profile});
        EXPECT_TRUE(has(closedLine(result), "id=23 " + c.closed)) << c.screen << " " << c.script << "\n"
                                                                  << closedLine(result) << "\n"
                                                                  << result.output;
        expectCleanEnd(result);
    }
}

TEST(ScoreboardRunTest, TheMapsHighScoreButtonOpensTheLevelsTable)
{
    // The screen probe opens the map on "m"; a new player first picks the
    // regular set, whose first level is no tutorial.
    GameRun run;
    run.program = probeProgramPath();
    run.logChannels = "4,11,32";
    run.maxFrames = 1500;
    run.script = "wait 5\nkey m\nwait 20\n" + clickOn(CControllerSetSelect::SetPlace(0)) + "wait 40\n" +
                 clickOn(CControllerMap::BUTTON_PLACES[CControllerMap::SLOT_HIGH_SCORES]) +
                 "wait 20\nkey escape\nwait 20\n" +
                 clickOn(CControllerMap::BUTTON_PLACES[CControllerMap::SLOT_MAIN_MENU]) + "wait 10\nquit\n";
    GameRunResult result = runGame(run);
    EXPECT_TRUE(result.hasLine("Loading Controller:  Scoreboard")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerScoreboard:  Destroying CControllerScoreboard...")) << result.output;
    EXPECT_TRUE(result.hasLine("Probe screen:  map closed with 0")) << result.output;
    expectCleanEnd(result);
}
