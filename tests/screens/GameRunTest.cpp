#include "programs/ProbeButton.h"
#include "support/Clicks.h"
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

// One pixel of a BMP file as 0xRRGGBB; -1 when it cannot be read.
long bmpPixel(const std::string& path, int x, int y)
{
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (!picture)
        return -1;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Rect from = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
    SDL_BlitSurface(picture, &from, rgb, nullptr);
    long value = *static_cast<Uint32*>(rgb->pixels) & 0xFFFFFF;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(picture);
    return value;
}

int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(GameRunTest, TheRootScreenRunsUntilTheScriptClosesTheWindow)
{
    std::string shot = TemporaryHome::path() + "/root screen.bmp";
    GameRun run;
    run.script = "wait 3\nshot " + shot + "\nwait 2\nquit\n";
    run.logChannels = "4,11,32";
    run.maxFrames = 400;
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    for (const char* line : {"ID_003:  INIT:  Miscellaneous Load Started",
                             "ID_003:  INIT:  Miscellaneous Load Completed", "ID_900:  SHUTDOWN COMPLETED"})
        EXPECT_TRUE(result.hasLine(line)) << line << "\n" << result.output;
    EXPECT_EQ(result.output.find("frame limit"), std::string::npos) << "the script's quit ended the run";
    EXPECT_EQ(bmpSize(shot), std::make_pair(800, 600));
    EXPECT_TRUE(result.hasLine("CControllerIntro:  Destroying CControllerIntro..."));
    EXPECT_EQ(result.liveSprites(), (std::vector<std::string>{"Global Mouse Pointer", "Global Hourglass Pointer"}))
        << result.output;
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

TEST(GameRunTest, AScriptClicksAButtonOfAScreenOverTheRoot)
{
    // The probe's button: blue, green while hovered, red while held.
    const std::string home = TemporaryHome::path();
    GameRun run;
    run.program = probeProgramPath();
    run.logChannels = "4,32";
    run.script = "wait 2\n" + moveOnto(PROBE_BUTTON) +
                 "wait 2\n"
                 "shot " + home + "/hovered.bmp\n" +
                 clickOn(PROBE_BUTTON) +
                 "wait 2\n"
                 "move 10 10\n"
                 "wait 2\n"
                 "shot " + home + "/away.bmp\n"
                 "# the keyboard: focus onto the button, then Return\n"
                 "key tab\n"
                 "wait 2\n"
                 "key return\n"
                 "wait 2\n"
                 "quit\n";
    GameRunResult result = runGame(run);

    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(countOf(result.output, "Probe screen:  button clicked\n"), 2) << result.output;
    EXPECT_TRUE(result.hasLine("Loading Controller:  Probe"));
    EXPECT_TRUE(result.hasLine("ID_900:  SHUTDOWN COMPLETED"));
    const int insideX = PROBE_BUTTON.x + 10, insideY = PROBE_BUTTON.y + 10;
    EXPECT_EQ(bmpPixel(home + "/hovered.bmp", insideX, insideY), 0x28C83C) << "the rollover look";
    EXPECT_EQ(bmpPixel(home + "/away.bmp", insideX, insideY), 0x283CC8) << "the base look";
    EXPECT_EQ(result.liveSprites(), (std::vector<std::string>{"Global Mouse Pointer", "Global Hourglass Pointer"}))
        << result.output;
}
