#include "engine/Parameters.h"

#include "engine/Log.h"
#include "engine/Strings.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::optional<std::string> g_moreGamesUrl;
std::optional<std::string> g_vendorId;
bool g_useBlink = true;
bool g_useMoreGames = true;
bool g_useMoreLevels = true;

struct FlagKey {
    const char* key;
    bool* flag;
};

bool applyTextKey(const std::string& key, const std::string& value)
{
    if (key == "MOREGAMES_URL") {
        g_moreGamesUrl = value;
        logMessage(LOG_DEBUG, "PARAMETER DEFINITION:  MOREGAMES_URL = '%s'\n", value.c_str());
        return true;
    }
    if (key == "VENDOR_ID") {
        g_vendorId = value;
        logMessage(LOG_DEBUG, "PARAMETER DEFINITION:  VENDOR_ID SET:  '%s'\n", value.c_str());
        return true;
    }
    return false;
}

bool applyFlagKey(const std::string& key, const std::string& value)
{
    const FlagKey flags[] = {
        {"USE_VG_BLINK", &g_useBlink},
        {"USE_MOREGAMES", &g_useMoreGames},
        {"USE_MORELEVELS", &g_useMoreLevels},
    };
    for (const FlagKey& flag : flags) {
        if (key != flag.key)
            continue;
        *flag.flag = value == "1";
        logMessage(LOG_DEBUG, "PARAMETER DEFINITION:  %s SET:  '%i'\n", flag.key, *flag.flag ? 1 : 0);
        return true;
    }
    return false;
}

// A damaged file can hold any number of bad lines: the first few are
// logged in full, the rest only counted.
constexpr int BAD_LINES_SHOWN = 5;

// The line as a log can show it: a NUL or another control byte would end
// or garble the message, so each is written as \xNN.
std::string readable(const std::string& line)
{
    std::string out;
    for (unsigned char c : line) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void applyLine(const std::string& line, CappedErrorLog& badLines)
{
    std::vector<std::string> words;
    splitString(line, words, " ");
    if (words.size() == 2 && (applyTextKey(words[0], words[1]) || applyFlagKey(words[0], words[1])))
        return;
    badLines.report("Invalid parameter specified:  '%s'\n", readable(line).c_str());
}

} // namespace

void ReadParameters(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    CappedErrorLog badLines(BAD_LINES_SHOWN);
    while (std::getline(lines, line)) {
        // A file written on another system ends its lines with CR LF.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        applyLine(line, badLines);
    }
    badLines.summarize("invalid parameter lines");
}

void LoadParameters()
{
    std::ifstream file("resource8.dat", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    ReadParameters(text.str());
    if (!g_moreGamesUrl)
        logError(true, "'MoreGames' URL has not been defined.\n");
}

const char* GetMoreGamesURL() { return g_moreGamesUrl ? g_moreGamesUrl->c_str() : nullptr; }
const char* GetVendorID() { return g_vendorId ? g_vendorId->c_str() : nullptr; }
bool UseVGBlink() { return g_useBlink; }
bool UseMoreGames() { return g_useMoreGames; }
bool UseMoreLevels() { return g_useMoreLevels; }

void ResetParametersForTesting()
{
    g_moreGamesUrl.reset();
    g_vendorId.reset();
    g_useBlink = g_useMoreGames = g_useMoreLevels = true;
}
