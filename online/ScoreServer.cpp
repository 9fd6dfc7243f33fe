#include "online/ScoreServer.h"

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/Strings.h"
#include "online/QueryCodes.h"
#include "online/WebRequest.h"

#include <climits>
#include <cstdlib>

namespace ScoreServer {

namespace {

// A host of our own below a reserved domain; automated runs point
// CORVELLE_SCORE_URL at a server of their own.
const char* const DEFAULT_BASE_URL = "http://scores.corvelle.example.org/";
const char* const SCRIPT_NAME = "vgscores.php";
const char* const CLIENT_VERSION = "1.03W";

std::string g_baseUrl;
int32_t g_lastError = 0;
std::vector<std::string> g_suggestions;
std::array<ScoreTable, BOARD_TYPE_COUNT> g_overallTables;
std::array<std::vector<ScoreTable>, BOARD_TYPE_COUNT> g_levelTables;

struct ErrorText {
    int32_t code;
    const char* text;
};
const ErrorText ERROR_TEXTS[] = {
    {NAME_TAKEN, "Specified user name already exists."},
    {UNKNOWN_USER, "Specified user does not exist."},
    {NAME_LENGTH, "Specified user name has an invalid length."},
    {NAME_CHARACTERS, "Specified user name has invalid characters."},
    {NAME_PROFANITY, "Specified user name contains profanity."},
    {UNKNOWN_TYPE, "Specified game type does not exist."},
    {UNKNOWN_LEVEL, "Specified game level does not exist."},
};

enum class Verdict { Success, Failure, Unreadable };

// The server's reply, split into its non-empty lines.
struct Reply {
    std::vector<std::string> lines;

    // A line that the reply does not have reads as an empty text.
    const std::string& line(size_t index) const
    {
        static const std::string none;
        return index < lines.size() ? lines[index] : none;
    }
};

// Leading decimal digits as atoi reads them, held within 32 bits whatever
// the server sends.
int32_t decimalValue(const std::string& text)
{
    long long value = strtoll(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

// Sends one request and judges the reply by its first line. A failure
// without a usable code must not read as success, so it becomes
// NO_CONNECTION.
Verdict send(const std::string& query, Reply& reply)
{
    if (!WebRequest::Get(g_baseUrl + SCRIPT_NAME, query)) {
        g_lastError = NO_CONNECTION;
        return Verdict::Unreadable;
    }
    splitString(WebRequest::GetResponse(), reply.lines, "\n");
    if (reply.line(0) == "success") {
        g_lastError = 0;
        return Verdict::Success;
    }
    if (reply.line(0) == "failure") {
        int32_t code = decimalValue(reply.line(1));
        g_lastError = code != 0 ? code : NO_CONNECTION;
        return Verdict::Failure;
    }
    g_lastError = NO_CONNECTION;
    return Verdict::Unreadable;
}

// Outside 32-126 a name could not be coded into a query the server reads,
// so it is refused before sending.
bool refuseName(const std::string& name)
{
    for (char c : name) {
        if (c < 32 || c > 126) {
            g_lastError = NAME_CHARACTERS;
            return true;
        }
    }
    return false;
}

ScoreTable* tableAt(int32_t type, int32_t level)
{
    if (type < 0 || type >= BOARD_TYPE_COUNT)
        return nullptr;
    if (level == OVERALL_LEVEL)
        return &g_overallTables[type];
    std::vector<ScoreTable>& tables = g_levelTables[type];
    if (level < 0 || static_cast<size_t>(level) >= tables.size())
        return nullptr;
    return &tables[level];
}

// Columns a row line lacks read as empty texts.
std::vector<std::string> rowColumns(const std::string& line)
{
    std::vector<std::string> columns;
    splitString(line, columns, "\t");
    columns.resize(4);
    return columns;
}

ScoreTable readTable(const Reply& reply, const std::string& name, int32_t type, int32_t level)
{
    ScoreTable table;
    table.total = decimalValue(reply.line(1));
    logMessage(LOG_SCOREBOARD, "RequestScoreDownload():  Saving total score (%i,%i) count:  %i\n", type, level,
               table.total);
    for (size_t i = 2; i < reply.lines.size(); ++i) {
        std::vector<std::string> columns = rowColumns(reply.line(i));
        logMessage(LOG_SCOREBOARD, "RequestScoreDownload():  Saving score at rank %s (%i)\n", columns[0].c_str(),
                   static_cast<int>(reply.lines.size()));
        ScoreRow row;
        row.rank = decimalValue(columns[0]);
        row.name = columns[1].substr(0, SCORE_NAME_LENGTH);
        row.score = decimalValue(columns[2]);
        row.extra = columns[3];
        if (columns[1] == name)
            table.userRank = row.rank;
        table.rows.push_back(row);
    }
    return table;
}

} // namespace

const std::vector<std::string>& UserSuggestions = g_suggestions;
const std::array<ScoreTable, BOARD_TYPE_COUNT>& OverallScoreTables = g_overallTables;
const std::array<std::vector<ScoreTable>, BOARD_TYPE_COUNT>& LevelScoreTables = g_levelTables;

std::string configuredBaseUrl()
{
    const char* override = getenv("CORVELLE_SCORE_URL");
    if (!override || !*override)
        return DEFAULT_BASE_URL;
    std::string url = override;
    if (url.back() != '/')
        url += '/';
    return url;
}

void setBaseUrl(const std::string& url)
{
    g_baseUrl = url;
}

void clearTable(ScoreTable& table)
{
    table = ScoreTable();
}

void resetTables()
{
    g_suggestions.clear();
    for (int type = 0; type < BOARD_TYPE_COUNT; ++type) {
        clearTable(g_overallTables[type]);
        g_levelTables[type].assign(static_cast<size_t>(LEVEL_TABLE_COUNTS[type]), ScoreTable());
    }
}

bool RequestNewUser(std::string name)
{
    g_suggestions.clear();
    if (refuseName(name))
        return false;
    std::string version = CLIENT_VERSION;
    if (const char* vendor = GetVendorID())
        version += std::string("-") + vendor;
    Reply reply;
    Verdict verdict = send("op=addUser&user=" + name + "&version=" + version, reply);
    if (verdict == Verdict::Success) {
        logMessage(LOG_SCOREBOARD, "RequestNewUser():  Add User Request Successful.\n");
        return true;
    }
    if (verdict == Verdict::Failure) {
        logMessage(LOG_SCOREBOARD, "RequestNewUser():  Add User Request Unsuccessful.\n");
        if (g_lastError == NAME_TAKEN) {
            for (size_t i = 2; i < reply.lines.size(); ++i) {
                g_suggestions.push_back(reply.line(i));
                logMessage(LOG_SCOREBOARD, "RequestNewUser():  User Suggestion = %s\n", reply.line(i).c_str());
            }
        }
    }
    return false;
}

bool RequestScoreUpload(std::string name, int32_t type, int32_t level, int32_t score, int32_t status)
{
    if (refuseName(name))
        return false;
    using QueryCodes::intToString;
    Reply reply;
    Verdict verdict = send("op=uploadScore&user=" + name + "&type=" + intToString(type) + "&level="
                               + intToString(level) + "&score=" + intToString(score) + "&cheat="
                               + intToString(status),
                           reply);
    if (verdict == Verdict::Failure)
        logMessage(LOG_SCOREBOARD, "RequestScoreUpload():  Score Upload Request Unsuccessful.\n");
    if (verdict != Verdict::Success)
        return false;
    const std::string& outcome = reply.line(1);
    const char* what = "ignored by";
    if (outcome == "updated")
        what = "updated in";
    else if (outcome == "added")
        what = "added to";
    logMessage(LOG_SCOREBOARD, "RequestScoreUpload():  Score %s overall scoreboard for user '%s'.\n", what,
               name.c_str());
    return true;
}

bool RequestScoreDownload(std::string name, int32_t type, int32_t level)
{
    ScoreTable* table = tableAt(type, level);
    if (!table) {
        logError(false, "RequestScoreDownload():  No score table for board (%i,%i).\n", type, level);
        g_lastError = NO_CONNECTION;
        return false;
    }
    if (refuseName(name))
        return false;
    using QueryCodes::intToString;
    Reply reply;
    if (send("op=downloadScore&user=" + name + "&type=" + intToString(type) + "&level=" + intToString(level), reply)
        != Verdict::Success)
        return false;
    *table = readTable(reply, name, type, level);
    return true;
}

int32_t getLastError()
{
    return g_lastError;
}

void setLastError(int32_t code)
{
    g_lastError = code;
}

const char* takeErrorMessage()
{
    int32_t code = g_lastError;
    if (code == 0)
        return nullptr;
    g_lastError = 0;
    for (const ErrorText& entry : ERROR_TEXTS)
        if (entry.code == code)
            return entry.text;
    logError(false, "Error Code:  KRVL%i\n", code);
    return nullptr;
}

void dumpSuggestions()
{
    for (const std::string& name : g_suggestions)
        logMessage(LOG_DEBUG, "%s\n", name.c_str());
}

void dumpScores(int32_t type, int32_t level)
{
    const ScoreTable* table = findTable(type, level);
    if (!table)
        return;
    for (const ScoreRow& row : table->rows)
        logMessage(LOG_DEBUG, "%-3i   %-15s   %-5i   %s\n", row.rank, row.name.c_str(), row.score, row.extra.c_str());
}

const ScoreTable* findTable(int32_t type, int32_t level)
{
    return tableAt(type, level);
}

} // namespace ScoreServer
