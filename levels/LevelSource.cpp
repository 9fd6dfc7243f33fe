#include "levels/LevelSource.h"

#include "levels/Level.h"
#include "levels/LevelLayout.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>

namespace {

const char* const kColourWords[TELEPORT_COLOURS] = {"blue", "yellow", "red"};

struct KeyName {
    int code;
    const char* name;
};

// SDL key codes with a name of their own in solutions; letters stand for
// themselves, every other key is written as its number.
const KeyName kKeyNames[] = {
    {8, "backspace"}, {9, "tab"},    {13, "return"},  {27, "escape"},
    {32, "space"},    {273, "up"},   {274, "down"},   {275, "right"}, {276, "left"},
};

bool sameContent(const LegendEntry& a, const LegendEntry& b)
{
    return a.tile == b.tile && a.ladder == b.ladder && a.modifier == b.modifier;
}

// --- tokens -------------------------------------------------------------------

struct Token {
    std::string text;
    int column;
    bool quoted;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%02x", c);
            out += escape;
        }
    }
    return out + "\"";
}

bool parseInt(const std::string& text, int& out)
{
    if (text.empty() || !(isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return false;
    errno = 0;
    char* end = nullptr;
    long value = strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || end == text.c_str() || value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool parsePosition(const std::string& text, int& x, int& y)
{
    size_t comma = text.find(',');
    return comma != std::string::npos && parseInt(text.substr(0, comma), x) && parseInt(text.substr(comma + 1), y);
}

std::string codeWord(int code)
{
    const char* name = elementCodeName(code);
    return strcmp(name, "***Unknown***") == 0 ? std::to_string(code) : name;
}

std::string keyWord(int code)
{
    for (const KeyName& key : kKeyNames)
        if (key.code == code)
            return key.name;
    if (code >= 'a' && code <= 'z')
        return std::string(1, static_cast<char>(code));
    return std::to_string(code);
}

bool parseKey(const std::string& word, int& code)
{
    for (const KeyName& key : kKeyNames) {
        if (word == key.name) {
            code = key.code;
            return true;
        }
    }
    if (word.size() == 1 && word[0] >= 'a' && word[0] <= 'z') {
        code = word[0];
        return true;
    }
    return parseInt(word, code);
}

// --- compiling ----------------------------------------------------------------

class SourceCompiler
{
public:
    SourceCompiler(const std::string& fileName, CLevel& level, std::vector<std::string>& errors)
        : fileName_(fileName), level_(level), errors_(errors)
    {
        for (const LegendEntry& entry : defaultLegend())
            legend_[entry.glyph] = entry;
    }

    bool compile(const std::string& text, std::vector<std::string>* layoutWarnings)
    {
        const size_t errorsBefore = errors_.size();
        level_.Reset();
        splitLines(text);
        for (size_t i = 0; i < lines_.size(); ++i)
            statement(i);
        finish();
        if (errors_.size() == errorsBefore)
            reportLayout(layoutWarnings ? *layoutWarnings : errors_);
        if (errors_.size() != errorsBefore) {
            level_.Reset();
            return false;
        }
        level_.SetModified(false);
        return true;
    }

private:
    struct Row {
        int line;
        std::string cells;
    };

    void error(int line, int column, const std::string& message) { report(errors_, line, column, message); }

    void report(std::vector<std::string>& out, int line, int column, const std::string& message)
    {
        out.push_back(fileName_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
    }

    void splitLines(const std::string& text)
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines_.push_back(line);
        }
    }

    // Splits a line into words and quoted texts; false after reporting a
    // malformed quote.
    bool tokenize(int lineNumber, const std::string& line, std::vector<Token>& tokens)
    {
        size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ' || line[i] == '\t') {
                ++i;
                continue;
            }
            Token token{"", static_cast<int>(i) + 1, line[i] == '"'};
            if (!token.quoted) {
                while (i < line.size() && line[i] != ' ' && line[i] != '\t')
                    token.text += line[i++];
            } else if (!readQuoted(lineNumber, line, i, token.text)) {
                return false;
            }
            tokens.push_back(token);
        }
        return true;
    }

    bool readQuoted(int lineNumber, const std::string& line, size_t& i, std::string& out)
    {
        const int start = static_cast<int>(i) + 1;
        for (++i; i < line.size(); ++i) {
            char c = line[i];
            if (c == '"') {
                ++i;
                return true;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            char next = i + 1 < line.size() ? line[i + 1] : '\0';
            if (next == '"' || next == '\\') {
                out += next;
                ++i;
            } else if (next == 'x' && i + 3 < line.size() && hexDigit(line[i + 2]) >= 0 && hexDigit(line[i + 3]) >= 0) {
                out += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
                i += 3;
            } else {
                error(lineNumber, static_cast<int>(i) + 1, "unknown escape in text (use \\\", \\\\ or \\xHH)");
                return false;
            }
        }
        error(lineNumber, start, "text without its closing quote");
        return false;
    }

    void statement(size_t& index)
    {
        const int line = static_cast<int>(index) + 1;
        const std::string& text = lines_[index];
        size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#')
            return;
        std::vector<Token> tokens;
        if (!tokenize(line, text, tokens))
            return;
        const std::string& keyword = tokens[0].text;
        if (keyword == "heading")
            heading(line, tokens);
        else if (keyword == "background")
            background(line, tokens);
        else if (keyword == "legend")
            legend(line, tokens);
        else if (keyword == "grid")
            grid(index, tokens);
        else if (keyword == "teleport")
            teleport(line, tokens);
        else if (keyword == "tutorial")
            tutorial(line, tokens);
        else if (keyword == "key")
            key(line, tokens);
        else
            error(line, tokens[0].column, "unknown statement '" + keyword + "'");
    }

    bool expectCount(int line, const std::vector<Token>& tokens, size_t count, const char* usage)
    {
        if (tokens.size() == count)
            return true;
        int column = tokens.size() > count ? tokens[count].column : tokens.back().column;
        error(line, column, std::string("expected: ") + usage);
        return false;
    }

    bool once(int line, const Token& keyword, int& seenAt)
    {
        if (seenAt != 0) {
            error(line, keyword.column, "second '" + keyword.text + "' (the first is on line " + std::to_string(seenAt) + ")");
            return false;
        }
        seenAt = line;
        return true;
    }

    bool text(int line, const Token& token, size_t maximum, std::string& out)
    {
        if (!token.quoted) {
            error(line, token.column, "expected a text in double quotes");
            return false;
        }
        if (token.text.find('\0') != std::string::npos) {
            error(line, token.column, "a text cannot hold \\x00");
            return false;
        }
        if (token.text.size() > maximum) {
            error(line, token.column, "text longer than " + std::to_string(maximum) + " characters");
            return false;
        }
        out = token.text;
        return true;
    }

    void heading(int line, const std::vector<Token>& tokens)
    {
        std::string value;
        if (once(line, tokens[0], headingLine_) && expectCount(line, tokens, 2, "heading \"TEXT\"") &&
            text(line, tokens[1], LEVEL_HEADING_MAX, value))
            level_.SetHeading(value.c_str());
    }

    void background(int line, const std::vector<Token>& tokens)
    {
        int value;
        if (!once(line, tokens[0], backgroundLine_) || !expectCount(line, tokens, 2, "background 0..7"))
            return;
        if (!parseInt(tokens[1].text, value) || value < 0 || value >= BACKGROUND_COUNT)
            error(line, tokens[1].column, "background must be a number from 0 to 7");
        else
            level_.SetBackground(value);
    }

    void legend(int line, const std::vector<Token>& tokens)
    {
        if (tokens.size() < 3 || tokens.size() > 5) {
            expectCount(line, tokens, tokens.size() < 3 ? 3 : 5, "legend CHARACTER CODE [ladder] [frozen|heated]");
            return;
        }
        const Token& glyph = tokens[1];
        if (glyph.quoted || glyph.text.size() != 1) {
            error(line, glyph.column, "a legend entry is one character");
            return;
        }
        LegendEntry entry{glyph.text[0], EC_NONE, EC_NONE, MODIFIER_NONE};
        if (!elementCodeFromName(tokens[2].text, entry.tile) && !parseInt(tokens[2].text, entry.tile)) {
            error(line, tokens[2].column, "no element code is named '" + tokens[2].text + "'");
            return;
        }
        for (size_t i = 3; i < tokens.size(); ++i)
            if (!legendOption(line, tokens[i], entry))
                return;
        if (legendLines_.count(entry.glyph)) {
            error(line, glyph.column, "'" + glyph.text + "' is already in the legend (line " +
                                          std::to_string(legendLines_[entry.glyph]) + ")");
            return;
        }
        legendLines_[entry.glyph] = line;
        legend_[entry.glyph] = entry;
    }

    bool legendOption(int line, const Token& option, LegendEntry& entry)
    {
        const std::string& word = option.text;
        if (word == "ladder") {
            entry.ladder = EC_LADDER;
        } else if (word.compare(0, 7, "ladder=") == 0 && parseInt(word.substr(7), entry.ladder) &&
                   entry.ladder != EC_NONE) {
        } else if (word == "frozen" && entry.modifier == MODIFIER_NONE) {
            entry.modifier = MODIFIER_FROZEN;
        } else if (word == "heated" && entry.modifier == MODIFIER_NONE) {
            entry.modifier = MODIFIER_HEATED;
        } else {
            error(line, option.column, "expected 'ladder', 'ladder=CODE', 'frozen' or 'heated', not '" + word + "'");
            return false;
        }
        return true;
    }

    void grid(size_t& index, const std::vector<Token>& tokens)
    {
        const int line = static_cast<int>(index) + 1;
        if (!once(line, tokens[0], gridLine_) || !expectCount(line, tokens, 1, "grid, then 24 rows"))
            return;
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            if (index + 1 >= lines_.size()) {
                error(line + y, 1, "the grid has " + std::to_string(y) + " rows; it needs 24");
                return;
            }
            ++index;
            std::string cells = lines_[index];
            cells.erase(cells.find_last_not_of(" \t") + 1);
            rows_.push_back({static_cast<int>(index) + 1, cells});
        }
    }

    bool position(int line, const Token& token, int minX, int& x, int& y)
    {
        if (!parsePosition(token.text, x, y)) {
            error(line, token.column, "expected a position COLUMN,ROW");
            return false;
        }
        if (x < minX || x >= LEVEL_WIDTH || y < 0 || y >= LEVEL_HEIGHT) {
            error(line, token.column, "position off the board (columns " + std::to_string(minX) +
                                          "..31, rows 0..23)");
            return false;
        }
        return true;
    }

    void teleport(int line, const std::vector<Token>& tokens)
    {
        if (!expectCount(line, tokens, 3, "teleport blue|yellow|red COLUMN,ROW"))
            return;
        const char* const* word = std::find(std::begin(kColourWords), std::end(kColourWords), tokens[1].text);
        int x, y;
        if (word == std::end(kColourWords)) {
            error(line, tokens[1].column, "a teleport is blue, yellow or red");
        } else if (position(line, tokens[2], -1, x, y)) {
            const int colour = static_cast<int>(word - std::begin(kColourWords));
            teleportLines_[colour].push_back(line);
            level_.SetTeleport(teleportCodeOfColour(colour), x, y);
        }
    }

    void tutorial(int line, const std::vector<Token>& tokens)
    {
        int x, y;
        std::string value;
        if (!expectCount(line, tokens, 3, "tutorial COLUMN,ROW \"TEXT\"") || !position(line, tokens[1], 0, x, y) ||
            !text(line, tokens[2], TUTORIAL_TEXT_MAX, value))
            return;
        if (level_.GetTutorialText(x, y)) {
            error(line, tokens[1].column, "a second text for this cell");
            return;
        }
        level_.SetTutorialText(x, y, value.c_str());
        tutorialLines_.push_back({line, tokens[1].column, x, y});
    }

    void key(int line, const std::vector<Token>& tokens)
    {
        int frame, code;
        if (!expectCount(line, tokens, 4, "key FRAME KEY press|release"))
            return;
        if (!parseInt(tokens[1].text, frame)) {
            error(line, tokens[1].column, "expected a frame number");
        } else if (!parseKey(tokens[2].text, code)) {
            error(line, tokens[2].column, "expected a key name or number");
        } else if (tokens[3].text != "press" && tokens[3].text != "release") {
            error(line, tokens[3].column, "expected 'press' or 'release'");
        } else {
            level_.AddReplayKey(frame, code, tokens[3].text == "release");
            hasKeys_ = true;
        }
    }

    // Resolves the grid through the whole legend, wherever its lines stood.
    void finish()
    {
        if (headingLine_ == 0)
            error(1, 1, "the level has no heading");
        if (gridLine_ == 0)
            error(1, 1, "the level has no grid");
        for (size_t y = 0; y < rows_.size(); ++y)
            fillRow(static_cast<int>(y), rows_[y]);
        for (const TutorialLine& tutorial : tutorialLines_)
            if (level_.GetTile(tutorial.x, tutorial.y) != EC_TUTORIAL)
                error(tutorial.line, tutorial.column, "the grid has no TUTORIAL marker at this cell");
        if (hasKeys_)
            level_.SetSolutionRecorded();
    }

    void fillRow(int y, const Row& row)
    {
        for (int x = 0; x < LEVEL_WIDTH; ++x) {
            if (x >= static_cast<int>(row.cells.size())) {
                error(row.line, x + 1, "the row has " + std::to_string(row.cells.size()) + " cells; it needs 32");
                return;
            }
            auto found = legend_.find(row.cells[static_cast<size_t>(x)]);
            if (found == legend_.end()) {
                error(row.line, x + 1, std::string("'") + row.cells[static_cast<size_t>(x)] + "' is not in the legend");
                continue;
            }
            level_.SetTile(found->second.tile, x, y);
            level_.SetLadder(found->second.ladder, x, y);
            level_.SetModifier(found->second.modifier, x, y);
        }
        if (row.cells.size() > LEVEL_WIDTH)
            error(row.line, LEVEL_WIDTH + 1, "the row has " + std::to_string(row.cells.size()) + " cells; it needs 32");
    }

    void reportLayout(std::vector<std::string>& out)
    {
        for (const LayoutProblem& problem : checkLevelLayout(level_)) {
            if (problem.where == LayoutProblem::CELL)
                report(out, rows_[static_cast<size_t>(problem.y)].line, problem.x + 1, problem.message);
            else if (problem.where == LayoutProblem::TELEPORT)
                report(out, teleportLines_[problem.colour][static_cast<size_t>(problem.index)], 1, problem.message);
            else
                report(out, gridLine_, 1, problem.message);
        }
    }

    struct TutorialLine {
        int line;
        int column;
        int x;
        int y;
    };

    const std::string& fileName_;
    CLevel& level_;
    std::vector<std::string>& errors_;
    std::vector<std::string> lines_;
    std::map<char, LegendEntry> legend_;
    std::map<char, int> legendLines_;
    std::vector<Row> rows_;
    std::vector<int> teleportLines_[TELEPORT_COLOURS];
    std::vector<TutorialLine> tutorialLines_;
    int headingLine_ = 0;
    int backgroundLine_ = 0;
    int gridLine_ = 0;
    bool hasKeys_ = false;
};

// --- decompiling --------------------------------------------------------------

// Characters for cell contents outside the default legend, letters first.
std::string spareGlyphs()
{
    std::string order;
    for (char c = 'a'; c <= 'z'; ++c)
        order += c;
    for (char c = 'A'; c <= 'Z'; ++c)
        order += c;
    for (char c = '!'; c <= '~'; ++c)
        if (!isalpha(static_cast<unsigned char>(c)))
            order += c;
    std::string spare;
    for (char c : order) {
        bool taken = std::any_of(defaultLegend().begin(), defaultLegend().end(),
                                 [c](const LegendEntry& entry) { return entry.glyph == c; });
        if (!taken)
            spare += c;
    }
    return spare;
}

std::string legendLine(const LegendEntry& entry)
{
    std::string line = std::string("legend ") + entry.glyph + " " + codeWord(entry.tile);
    if (entry.ladder == EC_LADDER)
        line += " ladder";
    else if (entry.ladder != EC_NONE)
        line += " ladder=" + std::to_string(entry.ladder);
    if (entry.modifier == MODIFIER_FROZEN)
        line += " frozen";
    else if (entry.modifier == MODIFIER_HEATED)
        line += " heated";
    return line + "\n";
}

} // namespace

const std::vector<LegendEntry>& defaultLegend()
{
    static const std::vector<LegendEntry> legend = {
        {'.', EC_NONE, EC_NONE, 0},
        {'H', EC_NONE, EC_LADDER, 0},
        {'=', EC_PLATFORM, EC_LADDER, 0},
        {'#', EC_TERRAIN_GRASS, EC_NONE, 0},
        {':', EC_TERRAIN_SAND, EC_NONE, 0},
        {'~', EC_TERRAIN_ICE, EC_NONE, 0},
        {'-', EC_TERRAIN_BRIDGE, EC_NONE, 0},
        {'S', EC_DEVICE_TUBE_START, EC_NONE, 0},
        {'E', EC_DEVICE_TUBE_END, EC_NONE, 0},
        {'?', EC_TUTORIAL, EC_NONE, 0},
        {'c', EC_OBJECT_WCRATE, EC_NONE, 0},
        {'C', EC_OBJECT_MCRATE, EC_NONE, 0},
        {'o', EC_OBJECT_WBARREL, EC_NONE, 0},
        {'O', EC_OBJECT_MBARREL, EC_NONE, 0},
        {'<', EC_OBJECT_LMAGNET, EC_NONE, 0},
        {'>', EC_OBJECT_RMAGNET, EC_NONE, 0},
        {'B', EC_DEVICE_GATE_B, EC_NONE, 0},
        {'Y', EC_DEVICE_GATE_Y, EC_NONE, 0},
        {'R', EC_DEVICE_GATE_R, EC_NONE, 0},
        {'b', EC_DEVICE_BUTTON_B, EC_NONE, 0},
        {'y', EC_DEVICE_BUTTON_Y, EC_NONE, 0},
        {'r', EC_DEVICE_BUTTON_R, EC_NONE, 0},
        {'Z', EC_DEVICE_TRAMPOLINE, EC_NONE, 0},
        {'[', EC_BOT_LEFT, EC_NONE, 0},
        {']', EC_BOT_RIGHT, EC_NONE, 0},
        {'U', EC_BOT_HANG, EC_NONE, 0},
        // Power-ups by the number of the power-up they give.
        {'1', EC_POWERUP_CRATE, EC_NONE, 0},
        {'2', EC_POWERUP_BARREL, EC_NONE, 0},
        {'3', EC_POWERUP_MAGNET, EC_NONE, 0},
        {'4', EC_POWERUP_EMP, EC_NONE, 0},
        {'5', EC_POWERUP_FROSTGUN, EC_NONE, 0},
        {'6', EC_POWERUP_HEATGUN, EC_NONE, 0},
        {'7', EC_POWERUP_BRIDGE, EC_NONE, 0},
        {'8', EC_POWERUP_WHISTLE, EC_NONE, 0},
        {'9', EC_POWERUP_TELEPORT, EC_NONE, 0},
    };
    return legend;
}

bool compileLevelSource(const std::string& text, const std::string& fileName, CLevel& level,
                        std::vector<std::string>& errors, std::vector<std::string>* layoutWarnings)
{
    return SourceCompiler(fileName, level, errors).compile(text, layoutWarnings);
}

bool decompileLevel(const CLevel& level, std::string& text, std::string& error)
{
    std::vector<LegendEntry> legend = defaultLegend();
    const size_t defaults = legend.size();
    const std::string spare = spareGlyphs();
    std::string grid;
    for (int y = 0; y < LEVEL_HEIGHT; ++y) {
        for (int x = 0; x < LEVEL_WIDTH; ++x) {
            LegendEntry content{0, level.GetTile(x, y), level.GetLadder(x, y), level.GetModifier(x, y)};
            if (content.modifier != MODIFIER_NONE && content.modifier != MODIFIER_FROZEN &&
                content.modifier != MODIFIER_HEATED) {
                error = "cell " + std::to_string(x) + "," + std::to_string(y) + " has the modifier " +
                        std::to_string(content.modifier) + ", which no source can hold";
                return false;
            }
            auto found = std::find_if(legend.begin(), legend.end(),
                                      [&content](const LegendEntry& entry) { return sameContent(entry, content); });
            if (found == legend.end()) {
                if (legend.size() - defaults == spare.size()) {
                    error = "more different cell contents than a legend has characters";
                    return false;
                }
                content.glyph = spare[legend.size() - defaults];
                legend.push_back(content);
                found = legend.end() - 1;
            }
            grid += found->glyph;
        }
        grid += '\n';
    }

    std::string out = "heading " + quote(level.GetLevelHeading()) + "\n";
    out += "background " + std::to_string(level.GetBackground()) + "\n";
    if (legend.size() > defaults)
        out += "\n";
    for (size_t i = defaults; i < legend.size(); ++i)
        out += legendLine(legend[i]);
    out += "\ngrid\n" + grid;

    std::string extras;
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour)
        for (const TeleportSpot& spot : level.GetTeleports(colour))
            extras += std::string("teleport ") + kColourWords[colour] + " " + std::to_string(spot.x) + "," +
                      std::to_string(spot.y) + "\n";
    for (int y = 0; y < LEVEL_HEIGHT; ++y)
        for (int x = 0; x < LEVEL_WIDTH; ++x)
            if (level.GetTile(x, y) == EC_TUTORIAL && level.GetTutorialText(x, y))
                extras += "tutorial " + std::to_string(x) + "," + std::to_string(y) + " " +
                          quote(level.GetTutorialText(x, y)) + "\n";
    for (const ReplayKey& key : level.GetSolution())
        extras += "key " + std::to_string(key.frame) + " " + keyWord(key.key) + (key.released ? " release\n" : " press\n");
    if (!extras.empty())
        out += "\n" + extras;
    text = out;
    return true;
}
