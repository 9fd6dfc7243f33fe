// The level lab's speed: built-in levels run headless against the game's
// real time (33 ms a frame), and the solver's states per second.
// Usage: LevelLabBench [ARCHIVE] (default: the build's resource4.dat)
#include "LabSolver.h"

#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr double FRAME_SECONDS = 0.033;
constexpr int FRAMES_WITHOUT_SOLUTION = 900; // a level without one runs idle this long

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv)
{
    const std::string archive = argc > 1 ? argv[1] : std::string(CORVELLE_GAME_DIR) + "/resource4.dat";
    prepareHeadlessWorld();
    CProfile profile{CProfile::InMemory{}};
    std::string error;
    if (!CLevelSet::readArchive(archive, error)) {
        std::fprintf(stderr, "%s: %s\n", archive.c_str(), error.c_str());
        return 1;
    }
    long frames = 0;
    int levels = 0;
    auto start = std::chrono::steady_clock::now();
    for (int set = 0; set < LEVEL_SET_COUNT; ++set)
        for (int i = 0; i < CLevelSet::getSet(set)->getLevelCount(); ++i) {
            CLevel& level = *CLevelSet::getSet(set)->selectLevel(i);
            CLevelRun run(level, profile, true);
            const int limit = level.GetSolution().empty() ? FRAMES_WITHOUT_SOLUTION
                                                          : level.GetSolution().back().frame + LAB_FRAMES_AFTER_KEYS;
            while (!run.IsOver() && run.GetFrame() < limit)
                run.Step();
            frames += run.GetFrame();
            ++levels;
        }
    const double replay = seconds(start);
    std::printf("replay: %d levels, %ld frames in %.2f s: %.0fx real time\n", levels, frames, replay,
                frames * FRAME_SECONDS / replay);

    CLevel& first = *CLevelSet::getSet(LEVELSET_REGULAR)->selectLevel(0);
    start = std::chrono::steady_clock::now();
    const LabSolveResult solved = solveLevel(first, profile, 20000, 200);
    const double solve = seconds(start);
    std::printf("solve %s: %s, %ld states in %.2f s: %.0f states/s\n", first.GetFilename(),
                solved.found ? "solved" : "not solved", solved.statesExplored, solve, solved.statesExplored / solve);
    CLevelSet::freeAll();
    releaseHeadlessWorld();
    return 0;
}
