// The level lab's speed: built-in levels run headless against the game's
// real time (33 ms a frame), and the solver's states per second at two
// depths of its search, on levels where things are conjured (reg047), where
// nothing is (reg074) and with bots awake (reg100, adv049). The solver's
// levels are copies in bench/levels/ of the built-in ones as they stood when
// this was written, so that redesigning a level moves none of the figures.
// Usage: LevelLabBench [ARCHIVE] (default: the build's resource4.dat)
#include "LabSolver.h"

#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/LevelSource.h"
#include "levels/Profile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double FRAME_SECONDS = 0.033;
constexpr int FRAMES_WITHOUT_SOLUTION = 900; // a level without one runs idle this long

constexpr const char* SOLVER_LEVELS[] = {"reg047", "reg074", "reg100", "adv049"};
constexpr long DEPTHS[] = {1000, 8000};
constexpr double GOAL_STATES_PER_SECOND = 8000;
constexpr double GOAL_DEEP_RATIO = 0.8; // the deep rate against the shallow one

// Wall-clock and processor seconds since a start: on a machine shared with
// other work the processor time is the one core's own figure.
struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    double wallSeconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    }
    double cpuSeconds() const { return static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

// The machine's load average over the last minute, as /proc/loadavg gives
// it; empty where there is none.
std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string minute;
    in >> minute;
    return minute;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool loadSource(const std::string& name, CLevel& level)
{
    const std::string path = std::string(CORVELLE_BENCH_LEVELS) + "/" + name + ".txt";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<std::string> errors;
    if (in && compileLevelSource(text.str(), path, level, errors))
        return true;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), errors.empty() ? "cannot be read" : errors.front().c_str());
    return false;
}

void benchReplay(CProfile& profile)
{
    long frames = 0;
    int levels = 0;
    const Clock clock;
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
    std::printf("replay: %d levels, %ld frames in %.2f s (%.2f s processor): %.0fx real time\n", levels, frames,
                clock.wallSeconds(), clock.cpuSeconds(), frames * FRAME_SECONDS / clock.cpuSeconds());
}

// The solver's rates, a row per level and depth; false when a level is
// missing.
bool benchSolver(CProfile& profile)
{
    std::vector<double> rates[std::size(DEPTHS)];
    std::vector<double> ratios;
    for (const char* name : SOLVER_LEVELS) {
        CLevel level;
        if (!loadSource(name, level))
            return false;
        double rate[std::size(DEPTHS)];
        for (size_t d = 0; d < std::size(DEPTHS); ++d) {
            const Clock clock;
            const LabSolveResult solved = solveLevel(level, profile, DEPTHS[d], 200);
            const double cpu = clock.cpuSeconds();
            rate[d] = solved.statesExplored / cpu;
            rates[d].push_back(rate[d]);
            std::printf("solve %s to %ld states: %s, %ld states in %.2f s (%.2f s processor): %.0f states/s\n", name,
                        DEPTHS[d], solved.found ? "solved" : "not solved", solved.statesExplored,
                        clock.wallSeconds(), cpu, rate[d]);
        }
        ratios.push_back(rate[std::size(DEPTHS) - 1] / rate[0]);
    }
    bool met = true;
    for (size_t d = 0; d < std::size(DEPTHS); ++d) {
        const double m = median(rates[d]);
        met = met && m >= GOAL_STATES_PER_SECOND;
        std::printf("median at %ld states: %.0f states/s (goal >= %.0f: %s)\n", DEPTHS[d], m, GOAL_STATES_PER_SECOND,
                    m >= GOAL_STATES_PER_SECOND ? "met" : "not met");
    }
    const double worst = *std::min_element(ratios.begin(), ratios.end());
    std::printf("rate at %ld states against %ld: %.0f %% at worst (goal >= %.0f %%: %s)\n", DEPTHS[1], DEPTHS[0],
                worst * 100, GOAL_DEEP_RATIO * 100, worst >= GOAL_DEEP_RATIO ? "met" : "not met");
    std::printf("goal: %s (load average %s)\n", met && worst >= GOAL_DEEP_RATIO ? "met" : "not met",
                loadAverage().c_str());
    return true;
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
    benchReplay(profile);
    const bool solved = benchSolver(profile);
    CLevelSet::freeAll();
    releaseHeadlessWorld();
    return solved ? 0 : 1;
}
