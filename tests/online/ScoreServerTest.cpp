#include "engine/Log.h"
#include "engine/Parameters.h"
#include "online/FakeScoreServer.h"
#include "online/ScoreServer.h"
#include "online/WebRequest.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sys/wait.h>

using namespace corvelle_test;
using Behaviour = FakeScoreServer::Behaviour;

namespace {

// Generous for answers on loopback; the stalling servers get a short one.
constexpr long NORMAL_TIMEOUT_MS = 5000;
constexpr long SHORT_TIMEOUT_MS = 1000;

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// One line per row: "rank|name|score|extra".
std::string rowsOf(const ScoreTable& table)
{
    std::string out;
    for (const ScoreRow& row : table.rows)
        out += std::to_string(row.rank) + "|" + row.name + "|" + std::to_string(row.score) + "|" + row.extra + "\n";
    return out;
}

class ScoreServerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        initDirectories();
        initLogChannels(false);
        enableLogChannel(LOG_SCOREBOARD);
        enableLogChannel(LOG_DEBUG);
        WebRequest::SetTotalTimeout(NORMAL_TIMEOUT_MS);
        ScoreServer::setBaseUrl(server_.baseUrl());
        ScoreServer::resetTables();
        ScoreServer::setLastError(0);
    }

    void TearDown() override
    {
        WebRequest::SetTotalTimeout(WebRequest::DEFAULT_TOTAL_TIMEOUT_MS);
        EXPECT_EQ(server_.problems(), std::vector<std::string>());
    }

    // Standard output while the action runs: the log lines it wrote.
    static std::string logOf(const std::function<void()>& action)
    {
        testing::internal::CaptureStdout();
        action();
        return testing::internal::GetCapturedStdout();
    }

    FakeScoreServer server_;
};

} // namespace

TEST_F(ScoreServerTest, AddUser)
{
    server_.addUser("Marta");
    struct Case {
        std::string name;
        int code;
        std::vector<std::string> suggestions;
    } cases[] = {
        {"Oskar", 0, {}},
        {"Marta", ScoreServer::NAME_TAKEN, {"Marta1", "Marta2", "Marta3"}},
        {"Oskar", ScoreServer::NAME_TAKEN, {"Oskar1", "Oskar2", "Oskar3"}},
        {"Fifteen_letters", 0, {}},
        {"Sixteen_letters_", ScoreServer::NAME_LENGTH, {}},
        {"", ScoreServer::NAME_LENGTH, {}},
        {"a*b", ScoreServer::NAME_CHARACTERS, {}},
        {"Darnell", ScoreServer::NAME_PROFANITY, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScoreServer::RequestNewUser(c.name), c.code == 0) << c.name;
        EXPECT_EQ(ScoreServer::getLastError(), c.code) << c.name;
        EXPECT_EQ(ScoreServer::UserSuggestions, c.suggestions) << c.name;
    }
    EXPECT_EQ(server_.requests().front(), "op=addUser&user=Oskar&version=1.03W");
}

TEST_F(ScoreServerTest, AddUserLogs)
{
    server_.addUser("Marta");
    EXPECT_EQ(logOf([] { ScoreServer::RequestNewUser("Ivo"); }),
              "SCOREBOARD:  RequestNewUser():  Add User Request Successful.\n");
    EXPECT_EQ(logOf([] { ScoreServer::RequestNewUser("Marta"); }),
              "SCOREBOARD:  RequestNewUser():  Add User Request Unsuccessful.\n"
              "SCOREBOARD:  RequestNewUser():  User Suggestion = Marta1\n"
              "SCOREBOARD:  RequestNewUser():  User Suggestion = Marta2\n"
              "SCOREBOARD:  RequestNewUser():  User Suggestion = Marta3\n");
    EXPECT_EQ(logOf([] { ScoreServer::dumpSuggestions(); }), "DEBUG:   Marta1\nDEBUG:   Marta2\nDEBUG:   Marta3\n");
}

// Names the query could not carry are refused before anything is sent.
TEST_F(ScoreServerTest, UnsendableNamesAreRefused)
{
    for (const char* name : {"tab\there", "caf\xc3\xa9", "del\x7f", "line\n"}) {
        EXPECT_FALSE(ScoreServer::RequestNewUser(name));
        EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::NAME_CHARACTERS);
        EXPECT_FALSE(ScoreServer::RequestScoreUpload(name, 0, 1, 10, 0));
        EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::NAME_CHARACTERS);
        EXPECT_FALSE(ScoreServer::RequestScoreDownload(name, 0, 1));
        EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::NAME_CHARACTERS);
    }
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(ScoreServerTest, VersionCarriesTheVendor)
{
    std::string dir = makeTempDir("vendor");
    writeFile(dir + "/resource8.dat", "MOREGAMES_URL http://games.example.org/\nVENDOR_ID acme7\n");
    {
        ScopedWorkingDir cwd(dir);
        LoadParameters();
    }
    ScoreServer::RequestNewUser("Vera");
    ResetParametersForTesting();
    ScoreServer::RequestNewUser("Walt");
    EXPECT_EQ(server_.versionOf("Vera"), "1.03W-acme7");
    EXPECT_EQ(server_.versionOf("Walt"), "1.03W");
}

TEST_F(ScoreServerTest, UploadThenDownloadALevelBoard)
{
    server_.addScore("Ada", 0, 5, 40, 0);
    server_.addScore("Bo", 0, 5, 55, 0);
    server_.addUser("Cy");
    struct Upload {
        int score;
        const char* logLine;
    } uploads[] = {
        {48, "SCOREBOARD:  RequestScoreUpload():  Score added to overall scoreboard for user 'Cy'.\n"},
        {50, "SCOREBOARD:  RequestScoreUpload():  Score ignored by overall scoreboard for user 'Cy'.\n"},
        {30, "SCOREBOARD:  RequestScoreUpload():  Score updated in overall scoreboard for user 'Cy'.\n"},
    };
    for (const Upload& u : uploads) {
        bool sent = false;
        EXPECT_EQ(logOf([&] { sent = ScoreServer::RequestScoreUpload("Cy", 0, 5, u.score, 16); }), u.logLine);
        EXPECT_TRUE(sent);
        EXPECT_EQ(ScoreServer::getLastError(), 0);
    }
    EXPECT_EQ(server_.requests().back(), "op=uploadScore&user=Cy&type=0&level=5&score=30&cheat=16");

    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Cy", 0, 5));
    EXPECT_EQ(server_.requests().back(), "op=downloadScore&user=Cy&type=0&level=5");
    const ScoreTable& table = ScoreServer::LevelScoreTables[0][5];
    EXPECT_EQ(rowsOf(table), "1|Cy|30|16\n2|Ada|40|0\n3|Bo|55|0\n");
    EXPECT_EQ(table.userRank, 1);
    EXPECT_EQ(table.total, 3);
    EXPECT_EQ(ScoreServer::OverallScoreTables[0].total, -1);
    EXPECT_EQ(logOf([] { ScoreServer::dumpScores(0, 5); }),
              "DEBUG:   1     Cy                30      16\n"
              "DEBUG:   2     Ada               40      0\n"
              "DEBUG:   3     Bo                55      0\n");
}

TEST_F(ScoreServerTest, UploadThenDownloadTheOverallBoard)
{
    server_.addScore("Ada", 2, ScoreServer::OVERALL_LEVEL, 900, 0);
    server_.addUser("Cy");
    ASSERT_TRUE(ScoreServer::RequestScoreUpload("Cy", 2, ScoreServer::OVERALL_LEVEL, 1200, 0));
    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Cy", 2, ScoreServer::OVERALL_LEVEL));
    const ScoreTable& table = ScoreServer::OverallScoreTables[2];
    EXPECT_EQ(rowsOf(table), "1|Ada|900|0\n2|Cy|1200|0\n");
    EXPECT_EQ(table.userRank, 2);
    EXPECT_EQ(table.total, 2);
    EXPECT_EQ(ScoreServer::findTable(2, ScoreServer::OVERALL_LEVEL), &table);
    for (int level = 0; level < ScoreServer::LEVEL_TABLE_COUNTS[2]; ++level)
        EXPECT_EQ(ScoreServer::LevelScoreTables[2][level].total, -1);
}

TEST_F(ScoreServerTest, ServerRefusalsKeepTheirCodes)
{
    server_.addUser("Cy");
    struct Case {
        const char* name;
        int type;
        int level;
        int code;
    } cases[] = {
        {"Ghost", 0, 1, ScoreServer::UNKNOWN_USER},
        {"Cy", 7, 1, ScoreServer::UNKNOWN_TYPE},
        {"Cy", 1, 50, ScoreServer::UNKNOWN_LEVEL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(logOf([&] { EXPECT_FALSE(ScoreServer::RequestScoreUpload(c.name, c.type, c.level, 5, 0)); }),
                  "SCOREBOARD:  RequestScoreUpload():  Score Upload Request Unsuccessful.\n");
        EXPECT_EQ(ScoreServer::getLastError(), c.code);
    }
}

TEST_F(ScoreServerTest, UserRankBeyondTheShownRows)
{
    for (int i = 0; i < 12; ++i)
        server_.addScore("Player" + std::to_string(i), 1, 49, 100 + i, 0);
    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Player11", 1, 49));
    const ScoreTable& table = ScoreServer::LevelScoreTables[1][49];
    EXPECT_EQ(table.rows.size(), 11u);
    EXPECT_EQ(table.rows.back().name, "Player11");
    EXPECT_EQ(table.userRank, 12);
    EXPECT_EQ(table.total, 12);

    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Nobody", 1, 49));
    EXPECT_EQ(table.rows.size(), 10u);
    EXPECT_EQ(table.userRank, 0);
}

TEST_F(ScoreServerTest, RowsAsTheServerSendsThem)
{
    server_.setCannedReply(200, "success\n\n4\n1\tAbcdefghijklmnopqrs\t40\tx y\n\n2\tShorty\n\t\t\n"
                                "3\tCy\t7\tz\tignored\n");
    std::string log = logOf([] { EXPECT_TRUE(ScoreServer::RequestScoreDownload("Cy", 0, 0)); });
    const ScoreTable& table = ScoreServer::LevelScoreTables[0][0];
    EXPECT_EQ(rowsOf(table), "1|Abcdefghijklmno|40|x y\n2|Shorty|0|\n0||0|\n3|Cy|7|z\n");
    EXPECT_EQ(table.userRank, 3);
    EXPECT_EQ(table.total, 4);
    EXPECT_TRUE(contains(log, "RequestScoreDownload():  Saving total score (0,0) count:  4\n")) << log;
    EXPECT_TRUE(contains(log, "RequestScoreDownload():  Saving score at rank 2 (6)\n")) << log;

    // The rank goes with the full name the server sent, not the shortened one.
    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Abcdefghijklmno", 0, 0));
    EXPECT_EQ(table.userRank, 0);

    server_.setCannedReply(200, "success\n");
    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Cy", 0, 0));
    EXPECT_EQ(table.total, 0);
    EXPECT_TRUE(table.rows.empty());
    EXPECT_EQ(logOf([] { EXPECT_TRUE(ScoreServer::RequestScoreUpload("Cy", 0, 0, 9, 0)); }),
              "SCOREBOARD:  RequestScoreUpload():  Score ignored by overall scoreboard for user 'Cy'.\n");
}

TEST_F(ScoreServerTest, FailedDownloadKeepsTheTable)
{
    server_.addScore("Ada", 0, 3, 40, 0);
    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Ada", 0, 3));
    const ScoreTable& table = ScoreServer::LevelScoreTables[0][3];
    const std::string before = rowsOf(table);

    server_.setCannedReply(200, "failure\n17\n");
    EXPECT_FALSE(ScoreServer::RequestScoreDownload("Ada", 0, 3));
    EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::UNKNOWN_LEVEL);
    ScoreServer::setBaseUrl(FakeScoreServer::refusingUrl());
    logOf([] { EXPECT_FALSE(ScoreServer::RequestScoreDownload("Ada", 0, 3)); });
    EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::NO_CONNECTION);

    EXPECT_EQ(rowsOf(table), before);
    EXPECT_EQ(table.userRank, 1);
    EXPECT_EQ(table.total, 1);
}

// Boards past the tables are refused before sending instead of being written.
TEST_F(ScoreServerTest, BoardAddressesAreChecked)
{
    struct Case {
        int type;
        int level;
        bool valid;
    } cases[] = {
        {0, 110, true}, {1, 49, true}, {2, 80, true}, {3, ScoreServer::OVERALL_LEVEL, true},
        {0, 111, false}, {1, 50, false}, {2, 81, false}, {3, 0, false}, {4, ScoreServer::OVERALL_LEVEL, false},
        {-1, 0, false}, {0, -1, false}, {0, 99998, false},
    };
    for (const Case& c : cases) {
        size_t sent = server_.requests().size();
        std::string log = logOf([&] { EXPECT_EQ(ScoreServer::RequestScoreDownload("Ada", c.type, c.level), c.valid); });
        EXPECT_EQ(ScoreServer::findTable(c.type, c.level) != nullptr, c.valid);
        EXPECT_EQ(server_.requests().size(), sent + (c.valid ? 1 : 0)) << c.type << "," << c.level;
        if (!c.valid) {
            EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::NO_CONNECTION);
            EXPECT_TRUE(contains(log, "No score table for board")) << log;
            EXPECT_EQ(logOf([&] { ScoreServer::dumpScores(c.type, c.level); }), "");
        }
    }
}

TEST_F(ScoreServerTest, ErrorMessagesAreTakenOnce)
{
    struct Case {
        int code;
        const char* message;
    } cases[] = {
        {0, nullptr},
        {9, "Specified user name already exists."},
        {10, "Specified user does not exist."},
        {11, "Specified user name has an invalid length."},
        {12, "Specified user name has invalid characters."},
        {13, "Specified user name contains profanity."},
        {14, "Specified game type does not exist."},
        {17, "Specified game level does not exist."},
        {99, nullptr},
        {15, nullptr},
        {-3, nullptr},
    };
    for (const Case& c : cases) {
        ScoreServer::setLastError(c.code);
        const char* message = nullptr;
        std::string log = logOf([&] { message = ScoreServer::takeErrorMessage(); });
        EXPECT_STREQ(message, c.message) << c.code;
        bool logged = c.code != 0 && !c.message;
        EXPECT_EQ(log, logged ? "Error Code:  KRVL" + std::to_string(c.code) + "\n" : "") << c.code;
        EXPECT_EQ(ScoreServer::getLastError(), 0);
        EXPECT_EQ(logOf([&] { message = ScoreServer::takeErrorMessage(); }), "");
        EXPECT_EQ(message, nullptr);
    }
}

// Whatever goes wrong on the way, the request ends in NO_CONNECTION, the
// table stays as it was and the game goes on.
TEST_F(ScoreServerTest, BrokenServersEndInNoConnection)
{
    auto stallWith = [&](Behaviour behaviour) {
        server_.setBehaviour(behaviour);
        WebRequest::SetTotalTimeout(SHORT_TIMEOUT_MS);
    };
    std::string garbage;
    for (int i = 0; i < 4000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    struct Case {
        const char* what;
        std::function<void()> arrange;
        int transferError; // libcurl's code in the error log; 0 when the transfer completed
    } cases[] = {
        {"refused", [] { ScoreServer::setBaseUrl(FakeScoreServer::refusingUrl()); }, CURLE_COULDNT_CONNECT},
        {"hangup", [&] { server_.setBehaviour(Behaviour::Hangup); }, CURLE_GOT_NOTHING},
        {"stall", [&] { stallWith(Behaviour::Stall); }, CURLE_OPERATION_TIMEDOUT},
        {"drip", [&] { stallWith(Behaviour::Drip); }, CURLE_OPERATION_TIMEDOUT},
        {"garbage", [&] { server_.setCannedReply(200, garbage); }, 0},
        {"empty body", [&] { server_.setCannedReply(200, ""); }, 0},
        {"over the cap", [&] { server_.setCannedReply(200, "success\n0\n" + std::string(WebRequest::RESPONSE_CAP, 'z')); },
         CURLE_WRITE_ERROR},
        {"crlf lines", [&] { server_.setCannedReply(200, "success\r\n1\r\n1\tAda\t4\t0\r\n"); }, 0},
        {"http 500", [&] { server_.setCannedReply(500, "Internal Server Error\n"); }, 0},
        {"failure without code", [&] { server_.setCannedReply(200, "failure\n"); }, 0},
        {"failure with code 0", [&] { server_.setCannedReply(200, "failure\n0\n"); }, 0},
        {"failure with a word", [&] { server_.setCannedReply(200, "failure\nbusy\n"); }, 0},
    };
    server_.addScore("Ada", 0, 2, 40, 0);
    ASSERT_TRUE(ScoreServer::RequestScoreDownload("Ada", 0, 2));
    const ScoreTable& table = ScoreServer::LevelScoreTables[0][2];
    for (const Case& c : cases) {
        c.arrange();
        std::string log = logOf([] { EXPECT_FALSE(ScoreServer::RequestScoreDownload("Ada", 0, 2)); });
        EXPECT_EQ(ScoreServer::getLastError(), ScoreServer::NO_CONNECTION) << c.what;
        std::string transferLine = "Unable to connect online (error:" + std::to_string(c.transferError) + ")\n";
        EXPECT_EQ(log, c.transferError ? transferLine : "") << c.what;
        EXPECT_EQ(logOf([] { EXPECT_EQ(ScoreServer::takeErrorMessage(), nullptr); }), "Error Code:  KRVL99\n")
            << c.what;
        EXPECT_EQ(rowsOf(table), "1|Ada|40|0\n") << c.what;
        EXPECT_EQ(table.total, 1) << c.what;
        ScoreServer::setBaseUrl(server_.baseUrl());
        server_.setBehaviour(Behaviour::Serve);
        WebRequest::SetTotalTimeout(NORMAL_TIMEOUT_MS);
    }
}

TEST_F(ScoreServerTest, BaseAddressFromTheEnvironment)
{
    struct Case {
        const char* value;
        const char* url;
    } cases[] = {
        {nullptr, "http://scores.corvelle.example.org/"},
        {"", "http://scores.corvelle.example.org/"},
        {"http://127.0.0.1:8080/scores", "http://127.0.0.1:8080/scores/"},
        {"http://127.0.0.1:8080/", "http://127.0.0.1:8080/"},
    };
    for (const Case& c : cases) {
        if (c.value)
            setenv("CORVELLE_SCORE_URL", c.value, 1);
        else
            unsetenv("CORVELLE_SCORE_URL");
        EXPECT_EQ(ScoreServer::configuredBaseUrl(), c.url);
    }
    unsetenv("CORVELLE_SCORE_URL");
}

TEST(ScoreServerStartUpTest, ProgramLogsTheScoreAddress)
{
    std::string out = makeTempDir("startup") + "/out.txt";
    std::string command = "cd '" + resourceDir() + "' && CORVELLE_SCORE_URL=http://127.0.0.1:9 CORVELLE_LOG=4 "
                          "CORVELLE_MAX_FRAMES=1 '" + programPath() + "' 3 > '" + out + "' 2>&1";
    int status = system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(contains(readFile(out), "Loading SCOREBOARD_URL:  http://127.0.0.1:9/\n")) << readFile(out);
}
