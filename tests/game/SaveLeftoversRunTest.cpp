// Saves cut short by a kill leave temporary files; the next start removes
// those of the game's own saves and leaves every other file alone.
#include "platform/Folders.h"
#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvelle_test;
namespace fs = std::filesystem;

TEST(SaveLeftoversRunTest, StartUpRemovesTheTemporariesOfOurSavesOnly)
{
    initDirectories();
    const std::string data = getProfileDirectory();
    const std::string levels = getLevelsDirectory();
    const std::pair<std::string, bool> files[] = {
        {data + "INFOv3.DAT.tmpAAAAAA", true},
        {data + "PROFILE1v3.DAT.tmpBBBBBB", true},
        {data + "PROFILE12v3.DAT.tmpCCCCCC", true},
        {data + "SOUNDv3.DAT.tmpDDDDDD", true},
        {levels + "Cave.lvl.tmpEEEEEE", true},
        {levels + "Cave.LVL.tmpFFFFFF", true},
        // Not names our saves write there.
        {data + "LOG.TXT.tmpGGGGGG", false},
        {data + "PROFILE0v3.DAT.tmpHHHHHH", false},
        {data + "PROFILE01v3.DAT.tmpIIIIII", false},
        {data + "Cave.lvl.tmpJJJJJJ", false},
        {levels + "Cave.txt.tmpKKKKKK", false},
        {levels + "INFOv3.DAT.tmpLLLLLL", false},
    };
    for (const auto& [path, removed] : files)
        writeFile(path, "half a save");

    GameRun run;
    run.script = "wait 3\nquit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("Removed 6 temporary files of interrupted saves")) << result.output;
    for (const auto& [path, removed] : files)
        EXPECT_EQ(fs::exists(path), !removed) << path;
}
