// The editor's placement rules, case by case from a text fixture
// (placement_cases.txt): a board before, placements, the board after.

#include "editor/EditorBoard.h"
#include "editor/EditorPictures.h"
#include "engine/DisplayFixture.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "platform/Folders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace corvelle_test;

namespace {

const std::map<char, ElementCode> TILE_CHARS = {
    {'.', EC_NONE},
    {'G', EC_TERRAIN_GRASS},
    {'S', EC_TERRAIN_SAND},
    {'I', EC_TERRAIN_ICE},
    {'=', EC_TERRAIN_BRIDGE},
    {'s', EC_DEVICE_TUBE_START},
    {'e', EC_DEVICE_TUBE_END},
    {'b', EC_DEVICE_BUTTON_B},
    {'y', EC_DEVICE_BUTTON_Y},
    {'r', EC_DEVICE_BUTTON_R},
    {'B', EC_DEVICE_GATE_B},
    {'Y', EC_DEVICE_GATE_Y},
    {'R', EC_DEVICE_GATE_R},
    {'T', EC_DEVICE_TRAMPOLINE},
    {'h', EC_BOT_HANG},
    {'<', EC_BOT_LEFT},
    {'>', EC_BOT_RIGHT},
    {'?', EC_TUTORIAL},
    {'c', EC_OBJECT_WCRATE},
    {'C', EC_OBJECT_MCRATE},
    {'k', EC_OBJECT_WBARREL},
    {'K', EC_OBJECT_MBARREL},
    {'l', EC_OBJECT_LMAGNET},
    {'m', EC_OBJECT_RMAGNET},
    {'#', EC_PLATFORM},
    {'1', EC_POWERUP_FROSTGUN},
    {'2', EC_POWERUP_HEATGUN},
    {'3', EC_POWERUP_WHISTLE},
    {'4', EC_POWERUP_TELEPORT},
    {'5', EC_POWERUP_BRIDGE},
    {'6', EC_POWERUP_EMP},
    {'7', EC_POWERUP_CRATE},
    {'8', EC_POWERUP_BARREL},
    {'9', EC_POWERUP_MAGNET},
};

const char* const COLOURS[] = {"blue", "yellow", "red"};

struct Step {
    std::string keyword;
    std::string argument;
    std::vector<std::string> rows;
};

struct Case {
    std::string name;
    std::vector<Step> steps;
};

std::vector<Case> readCases(const std::string& path)
{
    std::ifstream in(path);
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        size_t colon = line.find(':');
        std::string keyword = colon == std::string::npos ? "" : line.substr(0, colon);
        bool isRow = keyword.empty() || keyword.find(' ') != std::string::npos;
        if (isRow) {
            if (!cases.empty() && !cases.back().steps.empty())
                cases.back().steps.back().rows.push_back(line);
            continue;
        }
        std::string argument = colon + 1 < line.size() ? line.substr(colon + 2) : "";
        if (keyword == "case")
            cases.push_back({argument, {}});
        else if (!cases.empty())
            cases.back().steps.push_back({keyword, argument, {}});
    }
    return cases;
}

ElementCode codeOf(const std::string& word)
{
    ElementCode code = 0;
    if (elementCodeFromName(word, code))
        return code;
    return std::stoi(word);
}

// The board as two characters a cell, as the fixture writes it.
std::string describe(CLevel& level, int rows, int columns)
{
    std::string out;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            char tile = '!';
            for (const auto& [c, code] : TILE_CHARS)
                if (code == level.GetTile(x, y))
                    tile = c;
            char mark = '.';
            if (level.IsLadder(x, y))
                mark = 'H';
            else if (level.GetModifier(x, y) == MODIFIER_FROZEN)
                mark = 'f';
            else if (level.GetModifier(x, y) == MODIFIER_HEATED)
                mark = 'w';
            out += tile;
            out += mark;
        }
        out += '\n';
    }
    return out;
}

std::string frameName(const CSprite* sprite)
{
    if (!sprite)
        return "-";
    const char* name = CDraw::getImageName(sprite->getFrameSurface(0));
    return name ? name : "?";
}

class RecordingHost : public EditorBoardHost
{
public:
    void openTutorialEntry(int x, int y, const char*) override { entries.push_back({x, y}); }
    void showMessage(int title, int body, bool) override { messages.push_back({title, body}); }

    std::vector<std::pair<int, int>> entries;
    std::vector<std::pair<int, int>> messages;
};

class EditorBoardTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        initLogChannels(false);
        for (const std::string& name : editorBoardPictureNames())
            if (CDraw::findImageId(name.c_str()) < 0)
                CDraw::createImage(4, 4, name.c_str());
    }

    void TearDown() override
    {
        for (const std::string& name : editorBoardPictureNames())
            if (CDraw::findImageId(name.c_str()) >= 0)
                CDraw::releaseImage(name.c_str());
        DisplayTest::TearDown();
    }

    void runCase(const Case& c);
};

void fillBoard(CLevel& level, const std::vector<std::string>& rows)
{
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; 2 * x + 1 < static_cast<int>(rows[y].size()); ++x) {
            auto tile = TILE_CHARS.find(rows[y][2 * x]);
            ASSERT_NE(tile, TILE_CHARS.end()) << rows[y];
            level.SetTile(tile->second, x, y);
            char mark = rows[y][2 * x + 1];
            if (mark == 'H')
                level.SetLadder(EC_LADDER, x, y);
            else if (mark == 'f')
                level.SetModifier(MODIFIER_FROZEN, x, y);
            else if (mark == 'w')
                level.SetModifier(MODIFIER_HEATED, x, y);
            if (tile->second == EC_TUTORIAL)
                level.SetTutorialText(x, y, "loaded");
        }
}

void EditorBoardTest::runCase(const Case& c)
{
    SCOPED_TRACE(c.name);
    CLevel level;
    RecordingHost host;
    CEditorBoard board(level, host);
    bool built = false;
    int rows = 0, columns = 0;
    for (const Step& step : c.steps) {
        std::istringstream args(step.argument);
        if (step.keyword == "board") {
            fillBoard(level, step.rows);
            rows = static_cast<int>(step.rows.size());
            columns = step.rows.empty() ? 0 : static_cast<int>(step.rows[0].size() / 2);
            continue;
        }
        if (step.keyword == "teleport") {
            std::string colour;
            int x, y;
            args >> colour >> x >> y;
            for (int n = 0; n < 3; ++n)
                if (colour == COLOURS[n])
                    level.SetTeleport(teleportCodeOfColour(n), x, y);
            continue;
        }
        if (!built) {
            board.loadLevelSprites();
            level.SetModified(false);
            built = true;
        }
        int x = 0, y = 0;
        if (step.keyword == "place") {
            std::string code;
            args >> code >> x >> y;
            board.placeCursorType(codeOf(code), x, y, false);
        } else if (step.keyword == "marker") {
            args >> x >> y;
            std::string text;
            std::getline(args >> std::ws, text);
            board.placeTutorialMarker(x, y, text.c_str());
        } else if (step.keyword == "expect") {
            std::string wanted;
            for (const std::string& row : step.rows)
                wanted += row + "\n";
            EXPECT_EQ(describe(level, rows, columns), wanted);
            // Nothing outside the window the fixture shows.
            for (int cx = 0; cx < LEVEL_WIDTH; ++cx)
                for (int cy = 0; cy < LEVEL_HEIGHT; ++cy)
                    if (cx >= columns || cy >= rows) {
                        EXPECT_EQ(level.GetTile(cx, cy), EC_NONE) << cx << "," << cy;
                    }
        } else if (step.keyword == "sprite" || step.keyword == "ladder") {
            std::string name;
            args >> x >> y >> name;
            CSprite* sprite = step.keyword == "sprite" ? board.tileSprite(x, y) : board.ladderSprite(x, y);
            EXPECT_EQ(frameName(sprite), name) << step.keyword << " " << step.argument;
        } else if (step.keyword == "teleports") {
            std::string colour, spot;
            args >> colour;
            std::string wanted, found;
            while (args >> spot)
                wanted += spot + " ";
            for (int n = 0; n < 3; ++n)
                if (colour == COLOURS[n]) {
                    for (const TeleportSpot& t : level.GetTeleports(n))
                        found += std::to_string(t.x) + "," + std::to_string(t.y) + " ";
                    EXPECT_EQ(board.teleportList(n).size(), level.GetTeleports(n).size()) << colour;
                }
            EXPECT_EQ(found, wanted) << colour;
        } else if (step.keyword == "modified") {
            EXPECT_EQ(level.IsModified(), step.argument == "yes");
        } else if (step.keyword == "message") {
            std::vector<std::pair<int, int>> wanted;
            int title, body;
            while (args >> title >> body)
                wanted.push_back({title, body});
            EXPECT_EQ(host.messages, wanted);
        } else if (step.keyword == "entry") {
            args >> x >> y;
            EXPECT_EQ(host.entries, (std::vector<std::pair<int, int>>{{x, y}}));
        } else if (step.keyword == "text") {
            args >> x >> y;
            std::string text;
            std::getline(args >> std::ws, text);
            const char* stored = level.GetTutorialText(x, y);
            EXPECT_EQ(stored ? stored : "(none)", text);
        } else {
            ADD_FAILURE() << "unknown step " << step.keyword;
        }
    }
}

} // namespace

TEST_F(EditorBoardTest, PlacementRulesFromTheFixture)
{
    std::vector<Case> cases = readCases(std::string(CORVELLE_SOURCE_DIR) + "/tests/editor/placement_cases.txt");
    ASSERT_GT(cases.size(), 20u);
    for (const Case& c : cases)
        runCase(c);
}

TEST_F(EditorBoardTest, EveryCellOfARunSharesOneSpriteAndErasingLeavesNoSprite)
{
    CLevel level;
    RecordingHost host;
    CEditorBoard board(level, host);
    for (int x = 3; x < 9; ++x)
        board.placeCursorType(EC_TERRAIN_SAND, x, 5, false);
    for (int x = 3; x < 9; ++x)
        EXPECT_EQ(board.tileSprite(x, 5), board.tileSprite(3, 5));
    size_t alive = CSprite::getAllSprites().size();
    for (int x = 3; x < 9; ++x)
        board.placeCursorType(EC_NONE, x, 5, false);
    EXPECT_EQ(CSprite::getAllSprites().size(), alive - 1);
    for (int x = 3; x < 9; ++x)
        EXPECT_EQ(board.tileSprite(x, 5), nullptr);
}

TEST_F(EditorBoardTest, FreezingABridgeLeavesNoSlotOnTheOldSprite)
{
    CLevel level;
    RecordingHost host;
    CEditorBoard board(level, host);
    board.placeCursorType(EC_TERRAIN_BRIDGE, 4, 4, false);
    board.placeCursorType(EC_FREEZE_MODE, 4, 4, false);
    EXPECT_NE(board.tileSprite(4, 4), nullptr);
    // Erasing after the freeze must delete the new sprite, never the old.
    board.placeCursorType(EC_NONE, 4, 4, false);
    EXPECT_EQ(board.tileSprite(4, 4), nullptr);
}

TEST_F(EditorBoardTest, ClearingTheBoardLeavesNoSpriteAndNoTube)
{
    CLevel level;
    RecordingHost host;
    size_t alive = CSprite::getAllSprites().size();
    {
        CEditorBoard board(level, host);
        for (int x = 0; x < 6; ++x)
            board.placeCursorType(EC_TERRAIN_GRASS, x, 10, false);
        board.placeCursorType(EC_DEVICE_TUBE_START, 1, 9, false);
        board.placeCursorType(EC_LADDER, 7, 9, false);
        board.placeCursorType(EC_DEVICE_LTELEPORT_B, 3, 9, false);
        EXPECT_TRUE(board.tubeStart().exists());
        board.clearBoard();
        EXPECT_FALSE(board.tubeStart().exists());
        EXPECT_EQ(CSprite::getAllSprites().size(), alive);
        EXPECT_TRUE(level.GetTeleports(0).empty());
        board.placeCursorType(EC_TERRAIN_GRASS, 0, 0, false);
    }
    EXPECT_EQ(CSprite::getAllSprites().size(), alive);
}

TEST_F(EditorBoardTest, ASavedLevelComesBackIdenticalAlsoAfterTheBoardIsBuiltFromIt)
{
    initDirectories();
    CLevel level;
    RecordingHost host;
    {
        CEditorBoard board(level, host);
        for (int x = 0; x < 14; ++x)
            board.placeCursorType(x < 7 ? EC_TERRAIN_GRASS : EC_TERRAIN_SAND, x, 10, false);
        board.placeCursorType(EC_DEVICE_TUBE_START, 1, 9, false);
        board.placeCursorType(EC_DEVICE_TUBE_END, 12, 9, false);
        for (int x : {3, 8, 5, 10})
            board.placeCursorType(x < 6 ? EC_DEVICE_LTELEPORT_Y : EC_DEVICE_LTELEPORT_B, x, 9, false);
        board.placeCursorType(EC_LADDER, 7, 9, false);
        board.placeCursorType(EC_LADDER, 7, 8, false);
        board.placeCursorType(EC_OBJECT_MCRATE, 2, 9, false);
        board.placeCursorType(EC_HEAT_MODE, 2, 9, false);
        board.placeTutorialMarker(6, 9, "Two lines%nof help");
    }
    level.SetBackground(6);
    level.AddReplayKey(3, 275, false);
    level.AddReplayKey(40, 275, true);
    level.SetSolutionRecorded();
    ASSERT_TRUE(level.SaveAs("roundtrip", "Round Trip"));

    CLevel loaded;
    ASSERT_TRUE(loaded.LoadFile("roundtrip"));
    EXPECT_EQ(loaded.ToBytes(0), level.ToBytes(0));
    EXPECT_STREQ(loaded.GetTutorialText(6, 9), "Two lines%nof help");
    EXPECT_EQ(loaded.GetTeleports(0).size(), 2u);
    {
        CEditorBoard board(loaded, host);
        board.loadLevelSprites();
    }
    EXPECT_EQ(loaded.ToBytes(0), level.ToBytes(0)) << "building the board changed nothing";
}
