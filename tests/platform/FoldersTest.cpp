#include "engine/Log.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

using namespace corvelle_test;
namespace fs = std::filesystem;

TEST(FoldersTest, XdgFoldersAreMadeAndEndWithSlash)
{
    initLogChannels(false);
    initDirectories();
    std::string home = TemporaryHome::path();
    EXPECT_EQ(std::string(getProfileDirectory()), home + "/data/Vostrel Games/KRVL Data/");
    EXPECT_EQ(std::string(getLevelsDirectory()), home + "/Documents/KRVL Levels/");
    EXPECT_TRUE(fs::is_directory(getProfileDirectory()));
    EXPECT_TRUE(fs::is_directory(getLevelsDirectory()));
}

TEST(FoldersTest, FallsBackToHomeWithoutXdgVariables)
{
    std::string home = makeTempDir("plainhome");
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    initDirectories();
    EXPECT_EQ(std::string(getProfileDirectory()), home + "/.local/share/Vostrel Games/KRVL Data/");
    EXPECT_EQ(std::string(getLevelsDirectory()), home + "/Documents/KRVL Levels/");
    EXPECT_TRUE(fs::is_directory(getLevelsDirectory()));
}

TEST(FoldersTest, ListsFilesEndingInTheExtensionInAnyCase)
{
    std::string dir = makeTempDir("levels");
    for (const char* name : {"a.lvl", "b.LVL", "c.lvl.bak", "d.lvl.lvl", "X.Lvl", "long name of a level.lvl", ".lvl",
                             "lvl", "f.lv", "g.LVL", "g.lvl"})
        writeFile(dir + "/" + name, "x");
    fs::create_directory(dir + "/e.lvl");
    std::vector<std::string> names = {"stale"};
    GetFiles(names, dir, ".lvl");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"X", "a", "b", "d.lvl", "g", "long name of a level"}));
}

TEST(FoldersTest, FindsAFileWhateverTheCaseOfItsExtension)
{
    std::string dir = makeTempDir("levels");
    for (const char* name : {"Cave.LVL", "both.lvl", "both.LVL", "lower.lvl"})
        writeFile(dir + "/" + name, "x");
    fs::create_directory(dir + "/room.Lvl");
    struct Case {
        const char* stem;
        const char* found;
    };
    for (const Case& c : {Case{"Cave", "Cave.LVL"}, Case{"both", "both.lvl"}, Case{"lower", "lower.lvl"},
                          Case{"cave", ""}, Case{"room", ""}, Case{"none", ""}, Case{"Cav", ""}})
        EXPECT_EQ(findFileWithExtension(dir, c.stem, ".lvl"), c.found) << c.stem;
}

TEST(FoldersTest, UnreadableFolderGivesEmptyList)
{
    initLogChannels(false);
    enableLogChannel(LOG_DEBUG);
    std::vector<std::string> names = {"stale"};
    testing::internal::CaptureStdout();
    GetFiles(names, "/no/such/folder", ".lvl");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "DEBUG:   GetFiles()   Unable to open directory '/no/such/folder'\n");
    EXPECT_TRUE(names.empty());
}
