// A fatal error ends the real program the same way whatever screens are
// open: the message is logged, the program ends with status 1, and nothing
// is left to tear down half-freed state (under the sanitizers, a clean
// report).
#include "engine/ResourceArchive.h"
#include "levels/Profile.h"
#include "levels/ProfileTestSupport.h"
#include "online/FakeScoreServer.h"
#include "platform/Folders.h"
#include "screens/ControllerMap.h"
#include "screens/ControllerOptions.h"
#include "screens/ControllerScoreboard.h"
#include "support/Clicks.h"
#include "support/GameRun.h"
#include "support/WalkLevel.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvelle_test;
namespace fs = std::filesystem;

namespace {

// A copy of the built game folder (links to its files) in which one file
// holds other bytes.
std::string gameFolderWith(const std::string& name, const std::string& bytes)
{
    static int folders = 0;
    std::string dir = makeTempDir("game" + std::to_string(++folders));
    for (const fs::directory_entry& file : fs::directory_iterator(resourceDir()))
        if (file.path().filename() != name)
            fs::create_symlink(file.path(), dir + "/" + file.path().filename().string());
    writeFile(dir + "/" + name, bytes);
    return dir;
}

// The image archive with the named picture cut to its first half.
std::string archiveWithPictureCut(const std::string& picture)
{
    ResourceArchive archive;
    std::vector<ArchiveEntry> entries;
    EXPECT_TRUE(archive.open(resourceDir() + "/resource2.dat"));
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        EXPECT_TRUE(archive.entry(i, entry));
        if (entry.name == picture)
            entry.data.resize(entry.data.size() / 2);
        entries.push_back(entry);
    }
    std::vector<unsigned char> packed = packResourceArchive(entries);
    return std::string(packed.begin(), packed.end());
}

std::string utf16(const std::string& ascii)
{
    std::string out;
    for (char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

// The text table with the style of one entry naming a font file that is
// not there.
std::string textTableWithMissingFont(int entry)
{
    std::string table = readFile(resourceDir() + "/resource5.dat");
    size_t at = table.find(utf16("\n@" + std::to_string(entry) + "|"));
    size_t style = table.rfind(utf16("\n!"), at);
    size_t font = table.find(utf16("resource6.dat"), style == std::string::npos ? 0 : style);
    EXPECT_LT(font, at) << "the entry has a style line of its own";
    table.replace(font, utf16("resource6.dat").size(), utf16("missing.ttf"));
    return table;
}

const fs::perms ANY_WRITE = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// The error log stays open to appends whoever runs the program.
void keepLogWritable()
{
    std::string log = profile_test::dataPath("LOG.TXT");
    writeFile(log, readFile(log));
    fs::permissions(log, fs::perms::all & ~fs::perms::others_exec & ~fs::perms::group_exec &
                             ~fs::perms::owner_exec);
}

// The data folder as a full or read-only disk leaves it: nothing in it can
// be made or replaced; the error log can still be appended to.
void makeDataFolderReadOnly() { fs::permissions(getProfileDirectory(), ANY_WRITE, fs::perm_options::remove); }

// Writable for the run, whoever it runs as, until the disk turns read-only.
void makeDataFolderWritable() { fs::permissions(getProfileDirectory(), ANY_WRITE, fs::perm_options::add); }

void restoreDataFolder()
{
    fs::permissions(getProfileDirectory(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                               fs::perms::others_read | fs::perms::others_exec);
}

enum class Home {
    Writable,
    ReadOnly,
    ReadOnlyAtCue, // turns read-only once the output shows the case's cue
};

using Environment = std::vector<std::pair<std::string, std::string>>;

struct FatalCase {
    const char* where;
    std::string program;
    Environment environment;
    std::string script;
    std::string folder;         // empty: the built game folder
    Home home;
    const char* childScreen;    // the line that shows the screen open
    const char* message;        // in the output and the error log
    const char* cue = "";
    void (*prepare)() = nullptr; // the player's progress before the run
};

// A player who has begun a set, at the first level of the kids' set (a walk
// down a few steps to the exit), without its story: the map opens on that
// level and its Play starts it.
void atTheFirstKidsLevel()
{
    CProfile profile;
    profile.SetScore(20, 0, 0);
    profile.SetLevelSet(2);
    profile.SetLevel(0);
    profile.SetShowStory(false);
    profile.SaveProfile();
}

} // namespace

class FatalErrorRunTest : public testing::Test
{
protected:
    void SetUp() override
    {
        profile_test::removeProfileFiles();
        initDirectories();
        CProfile first; // the first-run files, so that a start saves nothing
    }
    void TearDown() override { restoreDataFolder(); }
};

TEST_F(FatalErrorRunTest, EndsWithStatusOneFromAnyScreen)
{
    saveWalkLevel("walk to the exit", "Walk to the Exit");
    FakeScoreServer server;
    const Environment walkLevel = {{"CORVELLE_PLAY_LEVEL", "walk to the exit"}};
    const FatalCase cases[] = {
        {"the settings screen, left on a read-only home", playerProbeProgramPath(), {{"CORVELLE_PROBE_SCREEN", "options"}},
         "wait 5\n" + clickOn(CControllerOptions::BACK) + "wait 20\n", "", Home::ReadOnly,
         "Loading Controller:  options",
         "Cannot save profile: "},
        {"the map, with a damaged picture of the set choice", probeProgramPath(), {}, "wait 5\nkey m\nwait 30\n",
         gameFolderWith("resource2.dat", archiveWithPictureCut("lvlset_heading.png")), Home::Writable,
         "Loading Controller:  Set Selector",
         "Could not load image:  lvlset_heading.png (resource2.dat): libpng: the file ends early"},
        {"the editor's help, whose title's font is missing", CORVELLE_EDITOR_PROBE, {}, "wait 30\nkey escape\nwait 5\nkeydown left alt\nwait 1\nkey h\nwait 1\nkeyup left alt\nwait 20\n",
         gameFolderWith("resource5.dat", textTableWithMissingFont(1300)), Home::Writable,
         "Loading Controller:  Editor Help",
         "FONTSYSTEM: SDL_ttf font loading error:"},
        {"a level won on a read-only home, before its result board opens", probeProgramPath(), walkLevel,
         "wait 90\nkeydown right\nwait 300\nkeyup right\nwait 60\n", "", Home::ReadOnly,
         "Loading Controller:  Game", "Cannot save profile: "},
        // The win is saved; the home turns read-only while the result board
        // is shown, and the board's submit saves the online name it asks for.
        {"a level's result board, once the home turned read-only", probeProgramPath(), {},
         "wait 5\nkey m\nwait 60\n" + clickOn(CControllerMap::BUTTON_PLACES[CControllerMap::SLOT_PLAY]) +
             "wait 60\nkeydown right\nwait 450\nkeyup right\nwait 60\n" + clickOn(CControllerScoreboard::EXCHANGE) +
             "wait 10\n" + typedInPlace("ada") + "key return\nwait 30\n",
         "", Home::ReadOnlyAtCue, "Loading Post Game Controller (type=5)", "Cannot save profile: ",
         "Loading Post Game Controller", atTheFirstKidsLevel},
    };
    for (const FatalCase& c : cases) {
        if (c.prepare)
            c.prepare();
        keepLogWritable();
        if (c.home == Home::ReadOnly)
            makeDataFolderReadOnly();
        if (c.home == Home::ReadOnlyAtCue)
            makeDataFolderWritable();
        GameRun run;
        run.program = c.program;
        run.script = c.script + "quit\n";
        run.logChannels = "4,32";
        run.maxFrames = 1500;
        run.workingDir = c.folder;
        run.withoutRootRights = c.home != Home::Writable;
        if (c.home == Home::ReadOnlyAtCue) {
            run.cue = c.cue;
            run.atCue = makeDataFolderReadOnly;
        }
        run.environment = c.environment;
        run.environment.push_back({"CORVELLE_SCORE_URL", server.baseUrl()});
        GameRunResult result = runGame(run);
        restoreDataFolder();

        EXPECT_EQ(result.exitStatus, 1) << c.where << "\n" << result.output;
        size_t opened = result.output.find(c.childScreen);
        size_t failed = result.output.find(c.message);
        EXPECT_NE(opened, std::string::npos) << c.where << "\n" << result.output;
        EXPECT_NE(failed, std::string::npos) << c.where << "\n" << result.output;
        EXPECT_LT(opened, failed) << c.where << ": the screen was open when the error came";
        EXPECT_EQ(result.output.find("Sanitizer"), std::string::npos) << c.where << "\n" << result.output;
        EXPECT_EQ(result.output.find("runtime error"), std::string::npos) << c.where << "\n" << result.output;
        EXPECT_EQ(result.output.find("ID_900:  SHUTDOWN COMPLETED"), std::string::npos) << c.where << result.output;
        EXPECT_NE(readFile(profile_test::dataPath("LOG.TXT")).find(c.message), std::string::npos) << c.where;
    }
}
