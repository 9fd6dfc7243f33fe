// Every text the game can show, at its longest, inside the box its screen
// gives it, measured with the game's own font code on the built text table,
// font, pictures and levels. Our own texts must fit at their own size; a
// player's text (a name, a heading, a file name) at its length limit, in wide
// letters, may be drawn smaller, but must then fit at a size still readable.
#include "engine/FontSystem.h"
#include "engine/PreloadTable.h"
#include "engine/ResourceArchive.h"
#include "engine/TextTable.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "screens/GuiListbox.h"
#include "support/BuiltTextTable.h"
#include "support/TestEnvironment.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

using namespace corvelle_test;

namespace {

// The smallest size a player's text may shrink to and still be read.
constexpr int SMALLEST_READABLE_SIZE = 9;

// Longest texts a player can give: a profile or online name, a level's
// heading, a level's file name as the save dialog takes them.
const std::string NAME(15, 'W');
const std::string HEADING(32, 'W');
const std::string FILE_NAME(16, 'W');
const std::string DATA_COPY_PATH =
    "/home/" + std::string(24, 'w') + "/.local/share/Vostrel Games/KRVL Data/PROFILE999999v3.DAT.bak99";
// The widest numbers the screens show.
const char* const STEPS = "99,999";
const char* const TOTAL_STEPS = "9,999,999";

struct Box {
    int width, height, align;
};

// The size of a picture in the built image archive.
Box pictureBox(const std::string& name, int align = ALIGN_CENTRE)
{
    static std::map<std::string, Box> sizes;
    if (sizes.empty()) {
        ArchiveFile archive;
        EXPECT_TRUE(archive.open(resourceDir() + "/resource2.dat")) << archive.error();
        for (uint32_t i = 0; i < archive.count(); ++i) {
            std::vector<unsigned char> bytes;
            if (!archive.read(i, bytes))
                continue;
            SDL_Surface* picture = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
            if (picture) {
                sizes[archive.name(i)] = {picture->w, picture->h, 0};
                SDL_FreeSurface(picture);
            }
        }
    }
    auto found = sizes.find(name);
    EXPECT_NE(found, sizes.end()) << name;
    Box box = found == sizes.end() ? Box{0, 0, 0} : found->second;
    box.align = align;
    return box;
}

Box shrunk(Box box, int dx, int dy)
{
    return {box.width - dx, box.height - dy, box.align};
}

// One text drawn into one box; `where` names the place for the report.
struct Shown {
    std::string where;
    int stringNumber;
    Box box;
    std::string argument;
};

std::string describe(const Shown& shown, const TextExtent& extent)
{
    std::ostringstream out;
    out << shown.where << ": text #" << shown.stringNumber;
    if (!shown.argument.empty())
        out << " with \"" << shown.argument << "\"";
    out << " reaches " << extent.left << ".." << extent.right << " x " << extent.top << ".." << extent.bottom
        << " at size " << extent.size << ", its box is " << shown.box.width << " x " << shown.box.height;
    return out.str();
}

// `more` fills the text's arguments from %2 on.
TextExtent measure(const Shown& shown, bool fitted, const std::vector<std::string>& more = {})
{
    TextArguments arguments;
    arguments.narrow[0] = shown.argument.empty() ? nullptr : shown.argument.c_str();
    for (size_t i = 0; i < more.size(); ++i)
        arguments.narrow[i + 1] = more[i].c_str();
    return CFontSystem::MeasureString(shown.box.width, shown.box.height, shown.box.align, shown.stringNumber,
                                      arguments, fitted);
}

// Our own texts: they fit at their own size.
void expectFits(const Shown& shown)
{
    TextExtent extent = measure(shown, false);
    EXPECT_TRUE(extent.fits(shown.box.width, shown.box.height)) << describe(shown, extent);
}

// A player's text: it fits as drawn, at a readable size.
void expectFitsWhenDrawn(const Shown& shown, const std::vector<std::string>& more = {})
{
    TextExtent extent = measure(shown, true, more);
    EXPECT_TRUE(extent.fits(shown.box.width, shown.box.height) && extent.size >= SMALLEST_READABLE_SIZE)
        << describe(shown, extent);
}

class TextFitTest : public BuiltTextTableTest
{
protected:
    void SetUp() override
    {
        BuiltTextTableTest::SetUp();
        TextTable table;
        ASSERT_EQ(parseTextTable(textUnitsFromBytes(readFile(resourceDir() + "/resource5.dat")), table), 0);
        for (const auto& entry : table)
            numbers_.push_back(entry.first);
    }

    std::vector<int> numbers_;
};

// Where each text-table string is drawn: a box per range of string numbers.
// The ranges hold every string of the table; a string that none holds is a
// text no box was planned for.
struct Placement {
    int first, last;
    const char* where;
    Box box;
    const char* argument;
};

std::vector<Placement> placements()
{
    // The parchment buttons' captions are centred between the rolled ends
    // (10 pixels each) and keep 6 pixels clear of them.
    const Box caption{186 - 2 * (10 + 6), 29, ALIGN_CENTRE_MIDDLE};
    const Box messageTitle{450, 50, ALIGN_CENTRE};
    const Box messageBody{350, 120, ALIGN_CENTRE};
    const Box instructions = pictureBox("parchment.png");
    const Box board = pictureBox("parchment_professor.png");
    return {
        {100, 100, "in-game menu heading", {pictureBox("parchment_professor.png").width, 40, ALIGN_CENTRE}, nullptr},
        {1501, 1501, "in-game menu hint", {pictureBox("parchment_professor.png").width, 40, ALIGN_CENTRE}, nullptr},
        {300, 300, "plain text", {0, 0, 0}, nullptr}, // its arguments are the cases below
        {500, 502, "text and list boxes", {0, 0, 0}, nullptr},
        {1000, 1000, "credits title", {700, 40, ALIGN_CENTRE}, nullptr},
        {1001, 1001, "credits line", {0, 0, 0}, nullptr},
        {1002, 1008, "credits role", {220, 35, ALIGN_RIGHT}, nullptr},
        {1009, 1009, "credits thanks", {0, 0, 0}, nullptr},
        {1010, 1010, "credits version", {100, 40, ALIGN_RIGHT}, "1.03"},
        {1200, 1244, "editor help name", {300, 100, ALIGN_LEFT}, nullptr},
        {1250, 1294, "editor help text", {300, 100, ALIGN_LEFT}, nullptr},
        {1300, 1300, "editor help title", {700, 40, ALIGN_CENTRE}, nullptr},
        {1301, 1301, "editor help hint", {300, 40, ALIGN_LEFT}, nullptr},
        {1800, 1800, "dialog OK", {46, 31, ALIGN_CENTRE_MIDDLE}, nullptr},
        {1801, 1801, "dialog Cancel", {104, 31, ALIGN_CENTRE_MIDDLE}, nullptr},
        {1802, 1802, "save dialog prompt", {390, 50, ALIGN_CENTRE_MIDDLE}, nullptr},
        {1803, 1803, "tutorial text prompt", {390, 50, ALIGN_CENTRE_MIDDLE}, nullptr},
        {1900, 1900, "welcome plate", {0, 0, 0}, nullptr},
        {2100, 2102, "map set button", shrunk(pictureBox("map_buttonlevelset_base.png", ALIGN_LEFT), 11, 0), nullptr},
        {2200, 2299, "message title", messageTitle, nullptr},
        {2300, 2399, "message body", messageBody, nullptr},
        {2400, 2400, "settings title", {680, 40, ALIGN_CENTRE}, nullptr},
        {2401, 2405, "settings label", {305, 26, ALIGN_RIGHT}, nullptr},
        {2406, 2409, "settings label", {200, 26, ALIGN_LEFT}, nullptr},
        {2500, 2500, "controls title", {700, 40, ALIGN_CENTRE}, nullptr},
        {2501, 2516, "controls label", {200, 20, ALIGN_LEFT}, nullptr},
        {2700, 2700, "password title", {450, 50, ALIGN_CENTRE}, nullptr},
        {2701, 2701, "password explanation", {350, 150, ALIGN_CENTRE}, nullptr},
        {2702, 2705, "password label", {200, 20, ALIGN_LEFT}, nullptr},
        {2706, 2706, "password warning", {136, 30, ALIGN_CENTRE_MIDDLE}, nullptr},
        {2800, 2825, "result heading", {700, 40, ALIGN_CENTRE}, nullptr},
        {3000, 3000, "profiles heading", {pictureBox("profile_select_main.png").width - 40, 40, ALIGN_CENTRE_MIDDLE},
         nullptr},
        // A prompt ends where its text box begins below it.
        {3001, 3001, "profile name prompt", {210, 407 - 379, ALIGN_CENTRE}, nullptr},
        {3002, 3003, "online name and password prompt", {300, 285 - 240, ALIGN_CENTRE}, nullptr},
        {3004, 3005, "text entry warning", {300, 30, ALIGN_CENTRE_MIDDLE}, nullptr},
        // Two heading lines 23 pixels apart: the lower one's ink starts 5 below its top.
        {3200, 3203, "high-score heading", {board.width, 28, ALIGN_CENTRE}, nullptr},
        {3204, 3206, "high-score heading", {board.width, 28, ALIGN_CENTRE}, "T26"},
        {3208, 3209, "result steps", {board.width, 25, ALIGN_CENTRE}, STEPS},
        {3210, 3210, "result steps", {board.width, 25, ALIGN_CENTRE}, nullptr},
        {3211, 3211, "result steps", {board.width, 25, ALIGN_CENTRE}, TOTAL_STEPS},
        {3600, 3699, "button caption", caption, nullptr},
        {20000, 20001, "how-to-play contents", {instructions.width, 40, ALIGN_CENTRE}, nullptr},
        {20010, 20099, "topic button caption", caption, nullptr},
        {20100, 29999, "how-to-play page", {0, 0, 0}, nullptr}, // by its place in the topic, below
    };
}

// A how-to-play page: its title, the line under it, then the body.
Box instructionsBox(int stringNumber)
{
    const int width = pictureBox("parchment.png").width;
    // The first topic has no line under its title.
    const bool body = stringNumber % 10 == 2 || stringNumber == 20101;
    return body ? Box{340, 380, ALIGN_LEFT} : Box{width - 2 * 48, 40, ALIGN_LEFT};
}

TEST_F(TextFitTest, EveryStringOfTheTableFitsTheBoxItsScreenGivesIt)
{
    const std::vector<Placement> all = placements();
    for (int number : numbers_) {
        const Placement* placed = nullptr;
        for (const Placement& p : all)
            if (number >= p.first && number <= p.last)
                placed = &p;
        if (!placed) {
            ADD_FAILURE() << "text #" << number << " has no planned box";
            continue;
        }
        Box box = placed->box;
        if (number >= 20100)
            box = instructionsBox(number);
        if (box.width == 0)
            continue; // a carrier of arguments, measured with them below
        expectFits({placed->where, number, box, placed->argument ? placed->argument : ""});
    }
}

TEST_F(TextFitTest, EveryBuiltInLevelsLabelAndHeadingFitTheMapAndTheGameMenu)
{
    std::string error;
    ASSERT_TRUE(CLevelSet::readArchive(resourceDir() + "/resource4.dat", error)) << error;
    CLevelSet::buildLabels();
    const Box menuHeading{pictureBox("parchment_professor.png").width, 40, ALIGN_CENTRE};
    const Box scoreHeading{pictureBox("parchment_professor.png").width, 23, ALIGN_CENTRE};
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        CLevelSet* levels = CLevelSet::getSet(set);
        for (int index = 0; index < levels->getLevelCount(); ++index) {
            std::string heading = levels->selectLevel(index)->GetLevelHeading();
            expectFits({"map level label", 300, {270, 30, ALIGN_LEFT},
                        std::string(CLevelSet::getLabel(set, index)) + ". " + heading});
            expectFits({"in-game menu heading", 100, menuHeading, heading});
            expectFits({"high-score level heading", 300, scoreHeading, heading});
        }
    }
    CLevelSet::freeAll();
}

TEST_F(TextFitTest, OurOwnShortTextsFitTheirBoxes)
{
    const Shown cases[] = {
        {"map best steps", 300, {100, 30, ALIGN_LEFT}, "Incomplete"},
        {"map best steps", 300, {100, 30, ALIGN_LEFT}, STEPS},
        {"map set steps", 300, {200, 20, ALIGN_LEFT}, TOTAL_STEPS},
        {"map set completion", 300, {165, pictureBox("map_buttonlevelset_base.png").height, ALIGN_RIGHT}, "100%"},
        {"high-score rank", 300, {206, 23, ALIGN_CENTRE}, "Your place: 99,999"},
        {"key name", 300, {112, 20, ALIGN_LEFT}, "right shift"},
        {"key name", 300, {112, 20, ALIGN_LEFT}, "[0]"},
        {"credits line", 1001, {340, 35, ALIGN_LEFT}, "Corvelle, a puzzle game for one player"},
        {"credits line", 1001, {350, 35, ALIGN_LEFT}, "SDL 1.2, SDL_image, SDL_ttf (zlib licence)"},
        {"credits line", 1001, {370, 35, ALIGN_LEFT}, "Font License 1.1: free to use, share and"},
        {"credits line", 1001, {370, 35, ALIGN_LEFT}, "change; the licence comes with the game."},
        {"credits thanks", 1009, {280, 35, ALIGN_CENTRE}, "you build and share!"},
    };
    for (const Shown& shown : cases)
        expectFits(shown);
}

// A list's cell: its column less the gap kept before the next column and
// the picture's edge.
Box listCell(int column, int rowHeight)
{
    return {column - CGuiListbox::CELL_GAP, rowHeight, ALIGN_LEFT};
}

TEST_F(TextFitTest, APlayersLongestTextsFitWhereTheyAreDrawn)
{
    const Box plate = pictureBox("profile_main.png");
    // The level manager cuts file names to 17 letters.
    const std::string managerFileName(17, 'W');
    const Shown cases[] = {
        // One row inside the plate's frame, clear of its rounded corners,
        // above the Change Player button.
        {"welcome plate", 1900, {plate.width - 2 * 16, 24, ALIGN_CENTRE}, NAME},
        {"map profile name", 300, {170, 20, ALIGN_CENTRE}, NAME},
        {"profiles list", 501, listCell(158, 21), NAME},
        {"level manager list", 501, listCell(309, 19), HEADING},
        // The heading keeps to the details card.
        {"level manager heading", 300, {296, 30, ALIGN_CENTRE}, HEADING},
        {"level manager file name", 300, {200, 30, ALIGN_LEFT}, managerFileName},
        // The load dialog's heading column runs one pixel past its picture.
        {"load dialog file name", 501, listCell(175, 19), FILE_NAME},
        {"load dialog heading", 501, listCell(529 - 5 - 175, 19), HEADING},
        {"delete question", 2319, {350, 120, ALIGN_CENTRE}, NAME},
        {"high-score row name", 300, {206 - 60, 23, ALIGN_LEFT}, NAME},
        {"in-game menu heading", 100, {pictureBox("parchment_professor.png").width, 40, ALIGN_CENTRE}, HEADING},
        {"high-score level heading", 300, {pictureBox("parchment_professor.png").width, 23, ALIGN_CENTRE}, HEADING},
        {"level refused", 2340, {350, 120, ALIGN_CENTRE}, HEADING},
        {"level removal question", 2309, {350, 120, ALIGN_CENTRE}, FILE_NAME},
    };
    for (const Shown& shown : cases)
        expectFitsWhenDrawn(shown);
    // Where a damaged file's copy lies: a long home folder, and the longest
    // copy name.
    expectFitsWhenDrawn({"damaged list notice", 2350, {350, 120, ALIGN_CENTRE}, "999"}, {"999", DATA_COPY_PATH});
    expectFitsWhenDrawn({"damaged progress notice", 2352, {350, 120, ALIGN_CENTRE}, NAME}, {DATA_COPY_PATH});
}

} // namespace
