// Damaged player data is told of once, at the main menu of the real
// program, in a notice that closes with OK.
#include "levels/Profile.h"
#include "levels/ProfileTestSupport.h"
#include "support/GameRun.h"

#include <gtest/gtest.h>

using namespace corvelle_test;
using namespace profile_test;

namespace {

const char* const NOTICE = "Loading Controller:  Message (Damaged Player Data)";

GameRunResult runToTheMenu(const std::string& then)
{
    GameRun run;
    run.logChannels = "4,11,32";
    run.script = "wait 40\nkey space\nwait 30\n" + then + "quit\n";
    return runGame(run);
}

} // namespace

TEST(DamageNoticeRunTest, TheMenuTellsOfADamagedListOnceAndTheNoticeCloses)
{
    removeProfileFiles();
    {
        CProfile profile;
        profile.AddProfile("alice");
    }
    std::string header = readFile(headerPath());
    pokeI32(header, 30, -1);
    writeFile(headerPath(), header);

    GameRunResult first = runToTheMenu("key return\nwait 20\n");
    EXPECT_EQ(first.exitStatus, 0) << first.output;
    size_t notice = first.output.find(NOTICE);
    ASSERT_NE(notice, std::string::npos) << first.output;
    EXPECT_LT(first.output.find("Loading Controller:  Main Menu"), notice) << "over the menu";
    EXPECT_NE(first.output.find("CControllerMessage:  Destroying CControllerMessage...", notice), std::string::npos)
        << "OK closed it";
    EXPECT_TRUE(first.hasLine("ID_900:  SHUTDOWN COMPLETED")) << first.output;
    EXPECT_EQ(readFile(headerPath() + ".bak"), header);

    GameRunResult second = runToTheMenu("");
    EXPECT_EQ(second.output.find(NOTICE), std::string::npos) << "told once: " << second.output;
    CProfile profile;
    ASSERT_EQ(profile.GetProfileCount(), 2);
    EXPECT_STREQ(profile.GetProfileName(1), "alice");
}
