#include "support/GameRun.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

// The size of a BMP file, or (0, 0) when it cannot be read.
std::pair<int, int> bmpSize(const std::string& path)
{
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (!picture)
        return {0, 0};
    std::pair<int, int> size(picture->w, picture->h);
    SDL_FreeSurface(picture);
    return size;
}

} // namespace

TEST(GameRunTest, TheRootScreenRunsUntilTheScriptClosesTheWindow)
{
    std::string shot = TemporaryHome::path() + "/root screen.bmp";
    GameRun run;
    run.script = "wait 3\nshot " + shot + "\nwait 2\nquit\n";
    run.maxFrames = 400;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    for (const char* line : {"ID_003:  INIT:  Miscellaneous Load Started", "ID_003:  INIT:  Miscellaneous Load Completed",
                             "ID_900:  SHUTDOWN COMPLETED"})
        EXPECT_TRUE(result.hasLine(line)) << line << "\n" << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "the script's quit ended the run";
    EXPECT_EQ(bmpSize(shot), std::make_pair(800, 600));
}

TEST(GameRunTest, AScriptWithBadLinesStillRunsAndAMissingOneStopsTheProgram)
{
    GameRun run;
    run.script = "wait 1\nfly away\nquit\n";
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find("line 2: unknown command: 'fly away'"), std::string::npos) << result.output;
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED"));

    run.script.clear();
    run.environment = {{"CORVELLE_SCRIPT", TemporaryHome::path() + "/no such script"}};
    result = runGame(run);
    EXPECT_EQ(result.exitStatus, 1) << result.output;
    EXPECT_NE(result.output.find("Cannot read the input script"), std::string::npos) << result.output;
}
