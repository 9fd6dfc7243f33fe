// The level editor tried whole: the program with the editor over its root,
// driven by an input script.

#include "levels/Level.h"
#include "levels/Profile.h"
#include "editor/ControllerEditor.h"
#include "editor/ControllerEditorSave.h"
#include "editor/ControllerEditorTutorial.h"
#include "platform/Folders.h"
#include "screens/ControllerMain.h"
#include "screens/ControllerMessage.h"
#include "support/Clicks.h"
#include "support/GameRun.h"
#include "support/LevelFileReader.h"
#include "support/WalkLevel.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>

#include <string>

using namespace corvelle_test;

namespace {

// The screen point in the middle of a board cell.
std::string cell(int x, int y)
{
    const WidgetPlace place = CControllerEditor::CellPlace(x, y);
    return std::to_string(place.centreX()) + " " + std::to_string(place.centreY());
}

const std::string NOTE_OK = clickOn(CControllerEditorTutorial::OK);
const std::string SAVE_NAME_BOX = clickOn(CControllerEditorSave::NAME_BOX);
const std::string ANSWER_YES = clickOn(CControllerMessage::QUESTION_OK);
std::string clickMenuSlot(int slot) { return clickOn(CControllerMain::SlotPlace(slot)); }

const std::vector<std::string> POINTERS_ONLY = {"Global Mouse Pointer", "Global Hourglass Pointer"};

} // namespace

TEST(EditorRunTest, BuildAWholeLevelReadTheHelpAndLeave)
{
    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 1500;
    std::string script = "wait 30\n"
                         "# the toolbox is open: choose grass and close it\n"
                         "key y\nwait 2\nkey return\nwait 3\n"
                         "# drag a run of grass along row 20\n"
                         "move " + cell(2, 20) + "\nwait 2\ndown\nwait 1\n";
    for (int x = 3; x <= 9; ++x)
        script += "move " + cell(x, 20) + "\nwait 1\n";
    script += "up\nwait 2\n"
              "key -\nwait 2\nclick " + cell(3, 19) + "\nwait 2\n"
              "key =\nwait 2\nclick " + cell(9, 19) + "\nwait 2\n"
              "key p\nwait 2\nclick " + cell(6, 19) + "\nwait 2\n"
              "key j\nwait 2\nclick " + cell(5, 19) + "\nwait 2\n"
              "# a tutorial note: its text in two lines, then OK\n"
              "key t\nwait 2\nclick " + cell(4, 19) + "\nwait 10\n"
              "key h\nwait 1\nkey i\nwait 1\nkey return\nwait 1\nkey y\nwait 1\nkey o\nwait 3\n" +
              NOTE_OK + "wait 10\n"
              "# the help: point at a few elements, then close it\n"
              "keydown left alt\nwait 1\nkey h\nwait 1\nkeyup left alt\nwait 10\n"
              "move 150 140\nwait 5\nmove 430 290\nwait 5\nmove 140 400\nwait 5\nkey escape\nwait 10\n"
              "# leave: the level is not saved, so the editor asks\n"
              "keydown left alt\nwait 1\nkey q\nwait 1\nkeyup left alt\nwait 10\n"
              "key return\nwait 10\n"
              "quit\n";
    run.script = script;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    for (const char* line : {"CControllerEditor::createElementSprite(22,2,20,8,1,0)",
                             "CControllerEditor::createElementSprite(4,3,18,1,2,0)",
                             "CControllerEditor::createElementSprite(10,9,18,1,2,0)",
                             "CControllerEditor::createElementSprite(46,6,19,1,1,0)",
                             "CControllerEditor::createElementSprite(25,5,19,1,1,0)",
                             "CControllerEditor::createElementSprite(3,4,19,1,1,0)", "Loading Controller:  Editor Help",
                             "CControllerEditorHelp:  Destroying CControllerEditorHelp...",
                             "Loading Controller:  Message", "CControllerEditor:  Destroying CControllerEditor..."})
        EXPECT_TRUE(result.hasLine(line)) << line << "\n" << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "the editor closed by itself";
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

TEST(EditorRunTest, AnUnchangedLevelIsLeftWithoutAQuestion)
{
    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,32";
    run.script = "wait 30\nkey escape\nwait 3\n"
                 "keydown left alt\nwait 1\nkey q\nwait 1\nkeyup left alt\nwait 10\nquit\n";
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_FALSE(result.hasLine("Loading Controller:  Message")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Destroying CControllerEditor...")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

namespace {

std::string altKey(const char* key)
{
    return std::string("keydown left alt\nwait 1\nkey ") + key + "\nwait 1\nkeyup left alt\nwait 12\n";
}

std::string typed(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += std::string("key ") + (c == ' ' ? "space" : std::string(1, c)) + "\nwait 1\n";
    return out;
}

// Grass along row 20 from column 2 to 11, the start tube on column 3, the
// exit on column 7.
std::string buildSmallLevel()
{
    std::string script = "wait 30\nkey y\nwait 2\nkey return\nwait 3\nmove " + cell(2, 20) + "\nwait 2\ndown\nwait 1\n";
    for (int x = 3; x <= 11; ++x)
        script += "move " + cell(x, 20) + "\nwait 1\n";
    script += "up\nwait 2\nkey -\nwait 2\nclick " + cell(3, 19) + "\nwait 2\nkey =\nwait 2\nclick " + cell(7, 19) +
              "\nwait 2\n";
    return script;
}

int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

// With Alt held a letter runs only its command: every one of them here opens
// a dialog (the level is changed and has no tubes, so each asks or refuses),
// and closing that dialog must leave grass in hand, as the clicks between
// them show.
TEST(EditorRunTest, AltCommandsKeepTheSelectedElement)
{
    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 2500;
    const char* const commands[] = {"a", "h", "l", "n", "p", "q", "r", "s", "t", "w"};
    std::string script = "wait 30\nkey y\nwait 2\nkey return\nwait 3\nclick " + cell(1, 5) + "\nwait 2\n";
    int column = 1;
    for (const char* letter : commands) {
        column += 2;
        script += "# alt " + std::string(letter) + "\n" + altKey(letter) + "key escape\nwait 12\nclick " +
                  cell(column, 10) + "\nwait 2\n";
    }
    run.script = script + "quit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(countOf(result.output, "CControllerEditorHelp:  Destroying"), 1) << result.output;
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Load"), 0) << "the changed level is asked about first";
    column = 1;
    for (const char* letter : commands) {
        column += 2;
        std::string grass = "CControllerEditor::createElementSprite(22," + std::to_string(column) + ",10,1,1,0)";
        EXPECT_TRUE(result.hasLine(grass)) << "after alt " << letter << "\n" << result.output;
    }
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

namespace {

// The share of the pixels of a rectangle that differ between two BMP files;
// -1 when one cannot be read.
double differingShare(const std::string& a, const std::string& b, SDL_Rect area)
{
    SDL_Surface* first = SDL_LoadBMP(a.c_str());
    SDL_Surface* second = SDL_LoadBMP(b.c_str());
    double share = -1;
    if (first && second && first->w == second->w && first->h == second->h &&
        first->format->BytesPerPixel == second->format->BytesPerPixel) {
        int differ = 0;
        const int bytes = first->format->BytesPerPixel;
        for (int row = area.y; row < area.y + area.h; ++row)
            for (int col = area.x; col < area.x + area.w; ++col) {
                const Uint8* p = static_cast<Uint8*>(first->pixels) + row * first->pitch + col * bytes;
                const Uint8* q = static_cast<Uint8*>(second->pixels) + row * second->pitch + col * bytes;
                differ += memcmp(p, q, bytes) != 0;
            }
        share = double(differ) / (area.w * area.h);
    }
    SDL_FreeSurface(first);
    SDL_FreeSurface(second);
    return share;
}

} // namespace

// A notice opened in the very frame of a placement stands over a still
// picture that shows the placed element: the start tube here, which the
// refusal to save (there is no exit tube) then lies beside.
TEST(EditorRunTest, TheStillPictureBehindANoticeShowsWhatWasJustPlaced)
{
    const std::string before = TemporaryHome::path() + "/before.bmp";
    const std::string after = TemporaryHome::path() + "/after.bmp";
    std::string script = "wait 30\nkey y\nwait 2\nkey return\nwait 3\nmove " + cell(2, 20) + "\nwait 2\ndown\nwait 1\n";
    for (int x = 3; x <= 5; ++x)
        script += "move " + cell(x, 20) + "\nwait 1\n";
    script += "up\nwait 2\nkey -\nwait 2\n" + altKey("s") + "shot " + before + "\nkey return\nwait 5\n" +
              "move " + cell(10, 5) + "\nwait 2\n# in one frame: onto the cell, place, save\nmove " + cell(3, 19) +
              "\nkeydown return\nkeydown left alt\nkey s\nkeyup return\nkeyup left alt\nwait 12\n" +
              "shot " + after + "\nkey return\nwait 5\n" +
              altKey("q") + "key return\nwait 10\nquit\n";
    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.script = script;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Message"), 3) << result.output;
    // The tube's two cells, left of the notice.
    const SDL_Rect tube = {15 + 3 * 24, 15 + 18 * 24, 24, 48};
    EXPECT_GT(differingShare(before, after, tube), 0.3);
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

TEST(EditorRunTest, RecordASolutionToTheExitSaveItAndKeepItThroughAnAbandonedRecording)
{
    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 2500;
    std::string script = buildSmallLevel();
    // A recording that walks into the exit.
    script += altKey("r") + "wait 40\nkeydown right\nwait 100\nkeyup right\nwait 60\n";
    // Save: the new level has no name yet, so the dialog opens; OK with an
    // empty name is refused with a message.
    script += altKey("s") + "key return\nwait 2\nkey return\nwait 4\nkey return\nwait 10\nkey return\nwait 10\n";
    script += SAVE_NAME_BOX + "wait 3\n" + typed("trial") + "key return\nwait 2\n" + typed("first steps") +
              "key return\nwait 4\nkey return\nwait 12\n";
    // A recording abandoned half way gives the old solution back, and a test
    // run leaves the saved level unmodified: leaving asks nothing.
    script += altKey("r") + "wait 40\nkey escape\nwait 20\n" + altKey("t") + "wait 40\nkey escape\nwait 20\n" +
              altKey("q") + "wait 10\nquit\n";
    run.script = script;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Solution Record"), 2) << result.output;
    EXPECT_EQ(countOf(result.output, "CControllerEditor:  Solution recorded ("), 1) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Recording did not reach the exit; the old solution stays"))
        << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Tester")) << result.output;
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Message"), 1) << "only the empty name\n" << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Destroying CControllerEditor...")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;

    // The file, read here by the level reader alone.
    initDirectories();
    CLevel saved;
    ASSERT_TRUE(saved.LoadFile("trial")) << result.output;
    EXPECT_STREQ(saved.GetLevelHeading(), "first steps");
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        EXPECT_EQ(saved.GetTile(x, 20), x >= 2 && x <= 11 ? EC_TERRAIN_GRASS : EC_NONE) << x;
    EXPECT_EQ(saved.GetTile(3, 19), EC_DEVICE_TUBE_START);
    EXPECT_EQ(saved.GetTile(7, 19), EC_DEVICE_TUBE_END);
    EXPECT_TRUE(saved.IsSolutionRecorded());
    EXPECT_FALSE(saved.GetSolution().empty());
}

TEST(EditorRunTest, SavingAsAnExistingNameAsksAndAFailedSaveSaysSoAndKeepsTheLevelUnsaved)
{
    initDirectories();
    const std::string folder = getLevelsDirectory();
    CLevel other;
    other.SetTile(EC_TERRAIN_ICE, 0, 0);
    ASSERT_TRUE(other.SaveAs("taken", "someone else's"));
    // A folder where the file would go: no write can replace it.
    ASSERT_EQ(mkdir((folder + "blocked.lvl").c_str(), 0755), 0);

    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 2500;
    const std::string ok = clickOn(CControllerEditorSave::OK) + "wait 12\n";
    const std::string yes = ANSWER_YES + "wait 12\n";
    std::string script = buildSmallLevel();
    // Save as "taken": asked, no; OK again: asked again, yes.
    script += altKey("s") + SAVE_NAME_BOX + "wait 3\n" + typed("taken") + "key return\nwait 2\n" + typed("one") + ok +
              "key escape\nwait 12\n" + ok + yes;
    // One more cell, then Save As "blocked": the write fails and says so.
    script += "key y\nwait 2\nclick " + cell(12, 20) + "\nwait 2\n" + altKey("a") + SAVE_NAME_BOX + "wait 3\n";
    for (int n = 0; n < 5; ++n)
        script += "key backspace\nwait 1\n";
    script += typed("blocked") + ok + yes + "key return\nwait 12\nkey escape\nwait 12\n";
    // The level is still unsaved: leaving asks; no stays, yes leaves.
    script += altKey("q") + "key escape\nwait 12\n" + altKey("q") + yes + "quit\n";
    run.script = script;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Message"), 6) << result.output;
    EXPECT_EQ(countOf(result.output, "Overwrite filename 'taken'"), 1) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Destroying CControllerEditor...")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
    CLevel saved;
    ASSERT_TRUE(saved.LoadFile("taken"));
    EXPECT_STREQ(saved.GetLevelHeading(), "one");
    EXPECT_EQ(saved.GetTile(3, 19), EC_DEVICE_TUBE_START);
    EXPECT_TRUE(std::filesystem::is_directory(folder + "blocked.lvl"));
}

TEST(EditorRunTest, ALevelOfAnOldVersionIsRefusedAndTheLevelBeingEditedStays)
{
    initDirectories();
    CLevel old;
    old.SetTile(EC_TERRAIN_ICE, 4, 4);
    std::vector<unsigned char> bytes = old.ToBytes(0);
    bytes[3] = 4; // the version lives in the ID's top byte
    writeFile(std::string(getLevelsDirectory()) + "ancient.lvl", std::string(bytes.begin(), bytes.end()));

    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 1500;
    // Load: the modified level is asked about first (yes), then the list's
    // one row is chosen with Return.
    run.script = buildSmallLevel() + altKey("l") + ANSWER_YES + "wait 12\nkey return\nwait 12\n" +
                 "key return\nwait 12\n" + altKey("q") + ANSWER_YES + "wait 12\nquit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Level selected:  'ancient'")) << result.output;
    EXPECT_TRUE(result.hasLine("Incompatible Level Version:  4")) << result.output;
    // The refusal, then leaving still asks: the level being edited is as it was.
    EXPECT_EQ(countOf(result.output, "Loading Controller:  Message"), 3) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// A level chosen in the load dialog is taken whole: its tutorial note is
// on the board, it counts as unchanged (leaving asks nothing), and it keeps
// its name, so Save writes it straight back without the save dialog, cell
// for cell as it came.
TEST(EditorRunTest, AValidLevelChosenInTheLoadDialogIsEditedWholeAndSavesBackUnderItsName)
{
    initDirectories();
    CLevel original;
    buildWalkLevel(original);
    original.SetTile(EC_TUTORIAL, 6, 20);
    original.SetTutorialText(6, 20, "walk right");
    ASSERT_TRUE(original.SaveAs("walk", "a short walk"));
    const std::string path = std::string(getLevelsDirectory()) + "walk.lvl";
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(path, longAgo);

    GameRun run;
    run.program = CORVELLE_EDITOR_PROBE;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 1500;
    // The list's one row is chosen with Return.
    run.script = "wait 30\nkey escape\nwait 3\n" + altKey("l") + "key return\nwait 12\n" + altKey("s") +
                 altKey("q") + "wait 10\nquit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Level selected:  'walk'")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor::createElementSprite(3,6,20,1,1,1)")) << result.output;
    EXPECT_FALSE(result.hasLine("Loading Controller:  Message")) << result.output;
    EXPECT_FALSE(result.hasLine("Loading Controller:  Save")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Destroying CControllerEditor...")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;

    EXPECT_GT(std::filesystem::last_write_time(path), longAgo) << "saved again";
    CLevel saved;
    ASSERT_TRUE(saved.LoadFile("walk"));
    EXPECT_STREQ(saved.GetLevelHeading(), "a short walk");
    EXPECT_STREQ(saved.GetTutorialText(6, 20), "walk right");
    for (int y = 0; y < LEVEL_HEIGHT; ++y)
        for (int x = 0; x < LEVEL_WIDTH; ++x)
            EXPECT_EQ(saved.GetTile(x, y), original.GetTile(x, y)) << x << "," << y;
}

TEST(EditorRunTest, TheMainMenuOpensTheEditorAndGetsItsScreenBack)
{
    GameRun run;
    run.logChannels = "4,11,32";
    run.maxFrames = 1200;
    run.script = "key space\nwait 40\nkey return\nwait 60\n" + clickMenuSlot(CControllerMain::BUTTON_LEVEL_EDITOR) +
                 "wait 60\nkey escape\nwait 5\n" +
                 altKey("q") + "wait 40\n" + altKey("q") + "wait 10\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Level Editor")) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Destroying CControllerEditor...")) << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
}

// The whole road in the real program: the main menu opens the editor, a
// small level is built, a solution recorded to the exit and the level saved;
// a recording left half way keeps that solution, a test run leaves the level
// unmodified, so leaving asks nothing; the level manager then plays the level
// to its exit.
TEST(EditorRunTest, ALevelBuiltRecordedAndSavedIsPlayedFromTheLevelManager)
{
    GameRun run;
    run.logChannels = "4,11,29,32";
    run.maxFrames = 3000;
    std::string script = "wait 40\nkey return\nwait 30\n" + clickMenuSlot(CControllerMain::BUTTON_LEVEL_EDITOR) +
                         "wait 60\n" + buildSmallLevel();
    // A note with two lines beyond the exit, out of the professor's way.
    script += "key t\nwait 2\nclick " + cell(10, 19) +
              "\nwait 10\nkey h\nwait 1\nkey i\nwait 1\nkey return\nwait 1\nkey y\nwait 1\nkey o\nwait 3\n" +
              NOTE_OK + "wait 10\n";
    script += altKey("r") + "wait 40\nkeydown right\nwait 100\nkeyup right\nwait 60\n";
    script += altKey("s") + SAVE_NAME_BOX + "wait 3\n" + typed("trial") + "key return\nwait 2\n" +
              typed("first steps") + "key return\nwait 4\nkey return\nwait 12\n";
    // Left half way, then saved in place: the file keeps the solution.
    script += altKey("r") + "wait 40\nkey escape\nwait 20\n" + altKey("s");
    script += altKey("t") + "wait 40\nkey escape\nwait 20\n" + altKey("q") + "wait 40\n";
    // The level manager plays the only level; the result board's Return
    // goes back to the manager.
    script += clickMenuSlot(CControllerMain::BUTTON_LEVEL_MANAGER) +
              "wait 30\nkey p\nwait 90\nkeydown right\nwait 150\nkeyup right\nwait 120\n"
              "key return\nwait 30\nkey escape\nwait 20\nkeydown left alt\nkey q\nkeyup left alt\nwait 10\n";
    run.script = script;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << result.output;
    EXPECT_EQ(countOf(result.output, "CControllerEditor:  Solution recorded ("), 1) << result.output;
    EXPECT_TRUE(result.hasLine("CControllerEditor:  Recording did not reach the exit; the old solution stays"))
        << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Tester")) << result.output;
    EXPECT_EQ(result.output.find("Loading Controller:  Message"), std::string::npos)
        << "nothing was refused and leaving asked nothing\n" << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Game (trial)")) << result.output;
    EXPECT_TRUE(result.hasLine("*  --> Professor Successfully Exited                      *")) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Post Game Controller (type=7)")) << result.output;
    EXPECT_EQ(result.liveSprites(), POINTERS_ONLY) << result.output;
    {
        CProfile profile;
        EXPECT_TRUE(profile.GetUserLevelRecord("trial").completed);
    }

    initDirectories();
    LevelFileContents file;
    std::string error;
    ASSERT_TRUE(readLevelFile(std::string(getLevelsDirectory()) + "trial.lvl", file, error)) << error;
    EXPECT_EQ(file.heading, "first steps");
    EXPECT_EQ(file.background, 4);
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            int32_t expected = EC_NONE;
            if (y == 20 && x >= 2 && x <= 11)
                expected = EC_TERRAIN_GRASS;
            else if (y == 19 && x == 3)
                expected = EC_DEVICE_TUBE_START;
            else if (y == 19 && x == 7)
                expected = EC_DEVICE_TUBE_END;
            else if (y == 19 && x == 10)
                expected = EC_TUTORIAL;
            EXPECT_EQ(file.tile(x, y), expected) << x << "," << y;
            EXPECT_EQ(file.ladders[static_cast<size_t>(x * LEVEL_HEIGHT + y)], EC_NONE) << x << "," << y;
        }
    ASSERT_EQ(file.bubbles.size(), 1u);
    EXPECT_EQ(file.bubbles[0].x, 10);
    EXPECT_EQ(file.bubbles[0].y, 19);
    EXPECT_EQ(file.bubbles[0].text, "hi%nyo");
    for (const auto& list : file.teleports)
        EXPECT_TRUE(list.empty());
    // The recorded walk: right pressed (and let go, unless the exit came
    // first) on the frames it happened, counted from the level's first frame.
    ASSERT_FALSE(file.solution.empty());
    EXPECT_EQ(file.solution[0].released, 0u);
    EXPECT_GT(file.solution[0].frame, 0);
    for (const LevelFileContents::Key& key : file.solution) {
        EXPECT_EQ(key.key, 275);
        EXPECT_GE(key.frame, file.solution[0].frame);
    }
}
