// Real play: the real program (under SDL's dummy drivers, with sound) opens
// the game screen on a built-in level and plays its recorded solution, as
// the level editor's playback does, frame by frame at the game's pace. Each
// frame's rendering (sprite updates, dirty rectangles, drawing) is timed by
// the renderer's own timer; the figures are set against one full-screen
// SDL blit of an opaque picture onto the screen and a memcpy of the screen,
// measured in the same process.
//
//   PlayBench [LEVEL]   (default reg111; the file name of a built-in level)
//
// Prints the frames played, the median, 90th percentile and largest render
// time, and the median of the frames that drew anything; then the median of
// the same blit done once in every frame, after its rendering, which finds
// the caches as the frame does (cooled by the sleep between frames and by
// other work on the machine), and the median frame against it.
#include "engine/Draw.h"
#include "engine/DrawKernels.h"
#include "engine/Render.h"
#include "game/Game.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerIntro.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<double> g_renders;
double g_sdlBlit = 0, g_memcpy = 0;
// The same blit once a frame, right after the frame's rendering, onto a
// surface of its own: with the caches as the game's frame finds them.
SDL_Surface* g_picture = nullptr;
SDL_Surface* g_scratch = nullptr;
std::vector<double> g_frameBlits;

void recordRender(double ms)
{
    g_renders.push_back(ms);
    auto start = std::chrono::steady_clock::now();
    SDL_Rect at = {0, 0, 0, 0};
    SDL_BlitSurface(g_picture, nullptr, g_scratch, &at);
    g_frameBlits.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

CLevel* findBuiltInLevel(const std::string& name)
{
    for (int set = 0; set < LEVEL_SET_COUNT; ++set)
        for (int i = 0; i < CLevelSet::getSet(set)->getLevelCount(); ++i) {
            CLevel* level = CLevelSet::getSet(set)->selectLevel(i);
            if (std::string(level->GetFilename()).find(name) != std::string::npos)
                return level;
        }
    return nullptr;
}

// The best of 200 full-screen copies each way; keeps the picture and a
// scratch surface for the blit of each frame.
void measureBaselines()
{
    SDL_Surface* screen = CDraw::getScreen();
    SDL_Surface* picture = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    g_picture = picture;
    g_scratch = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    auto best = [](auto copy) {
        double kept = 1e9;
        for (int i = 0; i < 200; ++i) {
            auto start = std::chrono::steady_clock::now();
            copy();
            kept = std::min(kept, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                                      .count());
        }
        return kept;
    };
    g_sdlBlit = best([&] {
        SDL_Rect at = {0, 0, 0, 0};
        SDL_BlitSurface(picture, nullptr, screen, &at);
    });
    g_memcpy = best([&] { memcpy(screen->pixels, picture->pixels, static_cast<size_t>(screen->pitch) * screen->h); });
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

} // namespace

int main(int argc, char** argv)
{
    const std::string levelName = argc > 1 ? argv[1] : "reg111";
    if (chdir(CORVELLE_GAME_DIR) != 0) {
        fprintf(stderr, "No game folder at %s\n", CORVELLE_GAME_DIR);
        return 1;
    }
    char pattern[] = "/tmp/corvelle-play-XXXXXX";
    const std::string home = mkdtemp(pattern);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (home + "/documents").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("CORVELLE_SCRIPT");

    bool found = false;
    int solutionFrames = 0;
    char program[] = "corvelle", sound[] = "1";
    char* gameArgs[] = {program, sound, nullptr};
    // The frame limit is read when the main loop starts, after the hook.
    int status = runCorvelle(2, gameArgs, [&](CControllerIntro& root) {
        CLevel* level = findBuiltInLevel(levelName);
        if (!level || level->GetSolution().empty())
            return;
        found = true;
        solutionFrames = level->GetSolution().back().frame;
        setenv("CORVELLE_MAX_FRAMES", std::to_string(solutionFrames + 200).c_str(), 1);
        measureBaselines();
        CRender::setRenderTimerForTesting(recordRender);
        root.OpenChild(std::make_unique<CControllerGame>(level, false, true, false), "Play bench");
    });
    CRender::setRenderTimerForTesting(nullptr);
    SDL_FreeSurface(g_picture);
    SDL_FreeSurface(g_scratch);
    std::string cleanup = "rm -rf '" + home + "'";
    if (system(cleanup.c_str()) != 0 || status != 0 || !found) {
        fprintf(stderr, "%s\n", found ? "the game failed" : "no such built-in level with a solution");
        return 1;
    }
    std::vector<double> drawing;
    for (double ms : g_renders)
        if (ms > 0.02)
            drawing.push_back(ms);
    printf("%s played from its solution (last key at frame %d), %zu frames, blitter loops %s\n", levelName.c_str(),
           solutionFrames, g_renders.size(), kernelSetName(selectedKernelSet()));
    printf("baselines: full-screen SDL blit %.3f ms, memcpy %.3f ms (best of 200)\n", g_sdlBlit, g_memcpy);
    auto report = [&](const char* what, double ms) {
        printf("%-34s %7.3f ms   %5.2f x SDL blit   %5.2f x memcpy\n", what, ms, ms / g_sdlBlit, ms / g_memcpy);
    };
    report("render, median frame", percentile(g_renders, 0.5));
    report("render, 90th percentile", percentile(g_renders, 0.9));
    report("render, largest (a full repaint)", percentile(g_renders, 1.0));
    report("render, median of drawing frames", percentile(drawing, 0.5));
    const double frameBlit = percentile(g_frameBlits, 0.5);
    printf("the same SDL blit once a frame after its rendering: median %.3f ms; median frame %.2f x that\n", frameBlit,
           percentile(g_renders, 0.5) / frameBlit);
    if (getenv("BENCH_VERBOSE"))
        for (size_t i = 0; i < g_renders.size(); ++i)
            if (g_renders[i] > 4 * g_sdlBlit)
                printf("  frame %zu: %.3f ms\n", i + 1, g_renders[i]);
    return 0;
}
