#include "game/Game.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace corvelle_test;

TEST(GameTest, StartMaskIsReadFromExactlyOneArgument)
{
    struct Case {
        std::vector<const char*> args;
        int mask;
    } cases[] = {
        {{"corvelle"}, 0},
        {{"corvelle", "3"}, 3},
        {{"corvelle", "6"}, 6},
        {{"corvelle", "1", "2"}, 0},
        {{"corvelle", "window"}, 0},
        {{"corvelle", "5x"}, 5},
    };
    for (Case& c : cases)
        EXPECT_EQ(parseStartMask(static_cast<int>(c.args.size()), const_cast<char**>(c.args.data())), c.mask);
}

TEST(GameTest, MaxFramesFromEnvironment)
{
    unsetenv("CORVELLE_MAX_FRAMES");
    EXPECT_EQ(maxFramesFromEnvironment(), 0);
    setenv("CORVELLE_MAX_FRAMES", "120", 1);
    EXPECT_EQ(maxFramesFromEnvironment(), 120);
    setenv("CORVELLE_MAX_FRAMES", "-3", 1);
    EXPECT_EQ(maxFramesFromEnvironment(), 0);
    unsetenv("CORVELLE_MAX_FRAMES");
}

TEST(GameTest, ProgramInEmptyFolderFailsOnParameters)
{
    std::string dir = makeTempDir("empty");
    std::string command = "cd '" + dir + "' && '" + programPath() + "' 3 > out.txt 2>&1";
    int status = system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readFile(dir + "/out.txt"), "'MoreGames' URL has not been defined.\n");
    std::string log = readFile(TemporaryHome::path() + "/data/Vostrel Games/KRVL Data/LOG.TXT");
    ASSERT_GE(log.size(), 20u);
    EXPECT_EQ(log.substr(20), "'MoreGames' URL has not been defined.\n");
}

TEST(GameTest, ProgramStartsRunsFramesAndShutsDown)
{
    std::string out = TemporaryHome::path() + "/run.txt";
    std::string command = "cd '" + resourceDir() + "' && CORVELLE_MAX_FRAMES=5 CORVELLE_LOG=4,32 '" + programPath() +
                          "' 1 > '" + out + "' 2>&1";
    int status = system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << readFile(out);
    std::string log = readFile(out);
    size_t at = 0;
    for (const char* line : {"ID_000:  INIT:  Image Load Started\n", "ID_000a: INIT:     Images Preloaded\n",
                             "ID_000:  INIT:  Image Load Completed\n", "ID_002:  INIT:  Level Load Started\n",
                             "ID_002:  INIT:  Level Load Completed\n", "ID_003:  INIT:  Miscellaneous Load Started\n",
                             "ID_003:  INIT:  Miscellaneous Load Completed\n",
                             // The mouse pointer's sprites outlive the report.
                             "main()  WARNING:  All sprites have not been properly unloaded:\n",
                             "   Global Mouse Pointer  (", "   Global Hourglass Pointer  (",
                             "ID_900:  SHUTDOWN COMPLETED\n"}) {
        at = log.find(line, at);
        EXPECT_NE(at, std::string::npos) << line << log;
    }

    // The first run makes the profile list and the first profile.
    std::string data = TemporaryHome::path() + "/data/Vostrel Games/KRVL Data/";
    EXPECT_EQ(readFile(data + "INFOv3.DAT").size(), 70u);
    std::string file = readFile(data + "PROFILE1v3.DAT");
    ASSERT_EQ(file.size(), 2308u);
    EXPECT_EQ(file.substr(0, 44), "https://corvelle.example.org/more-games" + std::string(5, '\0'));
    EXPECT_EQ(file[269], '\0') << "start mask 1 asks for a window";
}
