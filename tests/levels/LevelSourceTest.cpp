#include "levels/Level.h"
#include "levels/LevelSource.h"
#include "LevelFixtures.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvelle_test;

namespace {

// A valid room: heading on line 1, "grid" on line 2, row y on line 3 + y.
std::vector<std::string> roomLines()
{
    std::vector<std::string> lines = {"heading \"Test Room\"", "grid"};
    for (int y = 0; y < 21; ++y)
        lines.push_back(std::string(32, '.'));
    lines.push_back(".S..........................E...");
    lines.push_back(std::string(32, '#'));
    lines.push_back(std::string(32, '#'));
    return lines;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::vector<std::string> compileErrors(const std::string& text)
{
    CLevel level;
    std::vector<std::string> errors;
    EXPECT_FALSE(compileLevelSource(text, "src.txt", level, errors));
    EXPECT_EQ(level.GetTile(1, 21), EC_NONE); // left reset
    return errors;
}

// Decompiles, compiles again (placement rules as warnings) and checks that
// nothing was lost and that the text is stable.
void expectRoundTrip(const CLevel& level)
{
    std::string text, error;
    ASSERT_TRUE(decompileLevel(level, text, error)) << error;
    CLevel back;
    std::vector<std::string> errors, warnings;
    ASSERT_TRUE(compileLevelSource(text, "round.txt", back, errors, &warnings)) << errors[0] << "\n" << text;
    EXPECT_EQ(bodyOf(back), bodyOf(level)) << text;
    EXPECT_STREQ(back.GetLevelHeading(), level.GetLevelHeading());
    EXPECT_EQ(back.IsSolutionRecorded(), !level.GetSolution().empty());
    EXPECT_FALSE(back.IsModified());
    std::string again;
    ASSERT_TRUE(decompileLevel(back, again, error));
    EXPECT_EQ(again, text);
}

} // namespace

TEST(LevelSourceTest, ValidRoomCompiles)
{
    CLevel level;
    std::vector<std::string> errors;
    ASSERT_TRUE(compileLevelSource(joined(roomLines()), "room.txt", level, errors)) << errors[0];
    EXPECT_STREQ(level.GetLevelHeading(), "Test Room");
    EXPECT_EQ(level.GetBackground(), DEFAULT_BACKGROUND);
    EXPECT_EQ(level.GetTile(1, 21), EC_DEVICE_TUBE_START);
    EXPECT_EQ(level.GetTile(28, 21), EC_DEVICE_TUBE_END);
    EXPECT_EQ(level.GetTile(31, 23), EC_TERRAIN_GRASS);
    EXPECT_FALSE(level.IsSolutionRecorded());
}

TEST(LevelSourceTest, SampleLevelRoundTrips)
{
    CLevel level;
    fillSampleLevel(level);
    level.AddReplayKey(40, 'a', false);
    level.AddReplayKey(-3, 300, true);
    expectRoundTrip(level);
}

TEST(LevelSourceTest, EveryCodeAndOddValuesRoundTrip)
{
    CLevel level;
    level.SetHeading("\"Odd\" \\ \x01\xff");
    int cell = 0;
    for (ElementCode code = -5; code < 1000; ++code) {
        if (std::string(elementCodeName(code)) == "***Unknown***" && code != 9)
            continue;
        level.SetTile(code, cell / 24, cell % 24);
        ++cell;
    }
    level.SetTile(9999, 30, 0);
    level.SetTile(-7, 30, 1);
    level.SetModifier(MODIFIER_FROZEN, 30, 2); // frozen nothing
    level.SetLadder(47, 30, 3);
    level.SetTile(EC_OBJECT_WCRATE, 30, 4);
    level.SetLadder(EC_LADDER, 30, 4);
    level.SetModifier(MODIFIER_HEATED, 30, 4);
    level.SetTile(EC_TUTORIAL, 31, 0);
    std::string every;
    for (int byte = 1; byte <= 250; ++byte)
        every += static_cast<char>(byte);
    level.SetTutorialText(31, 0, every.c_str());
    level.SetTeleport(EC_DEVICE_LTELEPORT_Y, 31, 23);
    level.SetTeleport(EC_DEVICE_LTELEPORT_Y, -1, 0);
    expectRoundTrip(level);
}

TEST(LevelSourceTest, ErrorsNameFileLineAndColumn)
{
    struct Case {
        const char* what;
        std::function<void(std::vector<std::string>&)> edit;
        const char* expected;
    } cases[] = {
        {"unknown statement", [](auto& l) { l.push_back("frobnicate 3"); }, "src.txt:27:1: unknown statement 'frobnicate'"},
        {"open quote", [](auto& l) { l[0] = "heading \"open"; }, "src.txt:1:9: text without its closing quote"},
        {"bad escape", [](auto& l) { l.push_back("tutorial 1,1 \"bad \\q\""); }, "src.txt:27:19: unknown escape"},
        {"short row", [](auto& l) { l[8].pop_back(); }, "src.txt:9:32: the row has 31 cells; it needs 32"},
        {"long row", [](auto& l) { l[8] += "."; }, "src.txt:9:33: the row has 33 cells; it needs 32"},
        {"unknown cell", [](auto& l) { l[5][4] = 'q'; }, "src.txt:6:5: 'q' is not in the legend"},
        {"missing rows", [](auto& l) { l.resize(12); }, "the grid has 10 rows; it needs 24"},
        {"teleport off the board", [](auto& l) { l.push_back("teleport blue 32,5"); }, "src.txt:27:15: position off the board"},
        {"teleport colour", [](auto& l) { l.push_back("teleport green 3,3"); }, "src.txt:27:10: a teleport is blue, yellow or red"},
        {"background", [](auto& l) { l.push_back("background 9"); }, "src.txt:27:12: background must be a number from 0 to 7"},
        {"long heading", [](auto& l) { l[0] = "heading \"" + std::string(33, 'h') + "\""; }, "src.txt:1:9: text longer than 32"},
        {"second heading", [](auto& l) { l.push_back("heading \"Again\""); }, "src.txt:27:1: second 'heading' (the first is on line 1)"},
        {"no heading", [](auto& l) { l[0] = "# no heading"; }, "src.txt:1:1: the level has no heading"},
        {"text without marker", [](auto& l) { l.push_back("tutorial 5,5 \"hi\""); }, "src.txt:27:10: the grid has no TUTORIAL marker"},
        {"legend twice", [](auto& l) { l.insert(l.begin(), {"legend F OBJECT_WCRATE", "legend F OBJECT_MCRATE"}); }, "src.txt:2:8: 'F' is already in the legend (line 1)"},
        {"legend name", [](auto& l) { l.push_back("legend F OBJECT_GOLD"); }, "src.txt:27:10: no element code is named 'OBJECT_GOLD'"},
        {"legend option", [](auto& l) { l.push_back("legend F OBJECT_WCRATE melted"); }, "src.txt:27:24: expected 'ladder'"},
        {"key", [](auto& l) { l.push_back("key 10 right hold"); }, "src.txt:27:14: expected 'press' or 'release'"},
        {"trampoline in the air", [](auto& l) { l[12][5] = 'Z'; }, "src.txt:13:6: DEVICE_TRAMPOLINE must stand on terrain"},
        {"second entrance", [](auto& l) { l[23][10] = 'S'; }, "src.txt:2:1: the level needs one DEVICE_TUBE_START, it has 2"},
        {"unpaired teleport", [](auto& l) { l.push_back("teleport red 10,21"); }, "src.txt:27:1: teleport without a partner"},
        {"walled-in teleport", [](auto& l) { l[23][10] = '#'; l[23][11] = '#'; l.push_back("teleport red 10,21"); l.push_back("teleport red 14,21"); }, "src.txt:27:1: teleport walled in"},
        {"ladder without platform", [](auto& l) { l[23][3] = 'H'; l[23][4] = '#'; }, "src.txt:24:4: a ladder beside terrain must carry a PLATFORM"},
        {"heated wood", [](auto& l) { l.push_back("legend F OBJECT_WCRATE heated"); l[23][5] = 'F'; }, "src.txt:24:6: OBJECT_WCRATE cannot be heated"},
    };
    for (Case& c : cases) {
        std::vector<std::string> lines = roomLines();
        c.edit(lines);
        std::vector<std::string> errors = compileErrors(joined(lines));
        bool found = false;
        for (const std::string& error : errors)
            found = found || error.find(c.expected) != std::string::npos;
        EXPECT_TRUE(found) << c.what << ": " << (errors.empty() ? "no error" : errors[0]);
    }
}

TEST(LevelSourceTest, PlacementRulesCanBeWarningsOnly)
{
    std::vector<std::string> lines = roomLines();
    lines[12][5] = 'Z';
    CLevel level;
    std::vector<std::string> errors, warnings;
    ASSERT_TRUE(compileLevelSource(joined(lines), "src.txt", level, errors, &warnings));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "src.txt:13:6: DEVICE_TRAMPOLINE must stand on terrain");
    EXPECT_EQ(level.GetTile(5, 10), EC_DEVICE_TRAMPOLINE);
}

TEST(LevelSourceTest, CutAndGarbledSourcesFailCleanly)
{
    CLevel sample;
    fillSampleLevel(sample);
    std::string text, error;
    ASSERT_TRUE(decompileLevel(sample, text, error));
    for (size_t length = 0; length < text.size(); ++length) {
        CLevel level;
        std::vector<std::string> errors, warnings;
        bool compiled = compileLevelSource(text.substr(0, length), "cut.txt", level, errors, &warnings);
        ASSERT_NE(compiled, !errors.empty()) << length;
    }
    for (const char* garbage : {"", "\"", "grid", "heading", "legend", "teleport blue -1,", "key 1 2",
                                "tutorial ,", "heading \"\\x\"", "heading \"\\x4\"", "\r\n\r\n", "legend \" X"}) {
        std::vector<std::string> errors = compileErrors(garbage);
        EXPECT_FALSE(errors.empty()) << garbage;
    }
}

TEST(LevelSourceTest, LevelsNoSourceCanHold)
{
    std::string text, error;
    CLevel odd;
    odd.SetModifier(7, 1, 1);
    EXPECT_FALSE(decompileLevel(odd, text, error));
    EXPECT_NE(error.find("modifier 7"), std::string::npos);

    CLevel crowded;
    for (int i = 0; i < LEVEL_CELLS; ++i)
        crowded.SetTile(1000 + i, i / 24, i % 24);
    EXPECT_FALSE(decompileLevel(crowded, text, error));
    EXPECT_EQ(error, "more different cell contents than a legend has characters");
}
