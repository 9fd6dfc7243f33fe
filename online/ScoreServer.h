#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One downloaded board row.
struct ScoreRow {
    int32_t rank = 0;
    std::string name; // at most SCORE_NAME_LENGTH characters
    int32_t score = 0;
    std::string extra; // the server's fourth column, kept as sent
};

// One downloaded board: its rows in reply order, the requesting user's rank
// among them (0 when absent) and the server's count (-1: never downloaded).
struct ScoreTable {
    std::vector<ScoreRow> rows;
    int32_t userRank = 0;
    int32_t total = -1;
};

// The score client: three requests to the online score server and what they
// brought back. Free functions over the module's state, main thread only;
// each request blocks until the server answers or the transport gives up.
namespace ScoreServer {

constexpr size_t SCORE_NAME_LENGTH = 15;

// Board types follow the level sets (0 regular, 1 advanced, 2 kids); type 3
// has an overall board only. Level OVERALL_LEVEL addresses a type's overall
// board, any other level the board of that level.
constexpr int BOARD_TYPE_COUNT = 4;
constexpr int32_t OVERALL_LEVEL = 99999;
// Levels per board type; must follow the built-in level sets.
constexpr std::array<int32_t, BOARD_TYPE_COUNT> LEVEL_TABLE_COUNTS = {111, 50, 81, 0};

// Error codes: 0 success, NO_CONNECTION for no connection, an unreadable
// reply or a request refused before sending; the server's refusals below.
constexpr int32_t NO_CONNECTION = 99;
enum ServerRefusal : int32_t {
    NAME_TAKEN = 9,
    UNKNOWN_USER = 10,
    NAME_LENGTH = 11,
    NAME_CHARACTERS = 12,
    NAME_PROFANITY = 13,
    UNKNOWN_TYPE = 14,
    UNKNOWN_LEVEL = 17,
};

// The base address compiled into the program (it ends with a slash), or
// CORVELLE_SCORE_URL when that is set, given a final slash if it lacks one.
std::string configuredBaseUrl();
void setBaseUrl(const std::string& url);

// Empties every table and the suggestions and gives each board type its
// count of level tables.
void resetTables();
void clearTable(ScoreTable& table);

// Each request sets the last error code. A user name holding bytes outside
// 32-126 is refused before sending, with NAME_CHARACTERS.
bool RequestNewUser(std::string name);
bool RequestScoreUpload(std::string name, int32_t type, int32_t level, int32_t score, int32_t status);
// On success replaces the addressed table; a board address outside the
// tables is refused before sending, with NO_CONNECTION.
bool RequestScoreDownload(std::string name, int32_t type, int32_t level);

int32_t getLastError();
void setLastError(int32_t code);

// The message of the last error code, once: the code is cleared. Null for
// success, and for codes without a message (99 among them), which go to the
// error log instead.
const char* takeErrorMessage();

void dumpSuggestions();
void dumpScores(int32_t type, int32_t level);

// The table a board address names, or null outside the tables.
const ScoreTable* findTable(int32_t type, int32_t level);

// Read by the high-score screen; changed only by the requests and resets.
extern const std::vector<std::string>& UserSuggestions;
extern const std::array<ScoreTable, BOARD_TYPE_COUNT>& OverallScoreTables;
extern const std::array<std::vector<ScoreTable>, BOARD_TYPE_COUNT>& LevelScoreTables;

} // namespace ScoreServer
