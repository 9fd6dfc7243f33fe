// Start-up, memory and idle benchmark of the real program, each against a
// baseline taken in the same run:
//   start-up: exec to exit with one frame, against a program that only reads
//             the image archive and decodes the same images (this one, with
//             --decode-only);
//   memory:   the game's peak resident size at its first frame, against the
//             decoded pixels plus the image archive;
//   idle:     CPU per paced frame while the main menu waits for input (the
//             difference of two runs that differ only in their idle frames),
//             as a share of one core at the frame rate the game keeps.
//
//   StartupBench [--runs N] [--silent] [--game DIR]
//
// The game runs headless (SDL's dummy drivers) in a fresh temporary HOME.
// --silent starts it without sound (mask 2); sound is on by default, as a
// player has it, so the idle figure includes the music's decoding. --game
// measures the game folder DIR instead of this build's (an older build's
// copy, say, to compare two builds on one machine at one time).
#include "engine/ResourceArchive.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Usage {
    double wallMs = 0;
    double cpuMs = 0;
    long peakKiB = 0;
};

double toMs(const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; }

std::string g_home;

// Runs the game for `frames` frames with an input script; waits for it.
Usage runGame(int frames, const std::string& script, bool silent)
{
    Clock::time_point start = Clock::now();
    fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        setenv("HOME", g_home.c_str(), 1);
        setenv("XDG_DATA_HOME", (g_home + "/data").c_str(), 1);
        setenv("XDG_DOCUMENTS_DIR", (g_home + "/documents").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("CORVELLE_MAX_FRAMES", std::to_string(frames).c_str(), 1);
        if (!script.empty())
            setenv("CORVELLE_SCRIPT", script.c_str(), 1);
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execl("./corvelle", "corvelle", silent ? "3" : "1", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Usage u;
    u.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    u.cpuMs = toMs(usage.ru_utime) + toMs(usage.ru_stime);
    u.peakKiB = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fprintf(stderr, "the game ended with status %d\n", status);
    return u;
}

struct Decoded {
    double ms = 0;
    double pixelBytes = 0;
    double archiveBytes = 0;
};

// What start-up cannot do without: read the image archive and decode every
// picture in it.
Decoded decodeImages()
{
    Clock::time_point start = Clock::now();
    Decoded d;
    ResourceArchive archive;
    if (!archive.open("resource2.dat")) {
        fprintf(stderr, "resource2.dat: %s\n", archive.error().c_str());
        exit(1);
    }
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry))
            exit(1);
        d.archiveBytes += static_cast<double>(entry.data.size());
        SDL_RWops* stream = SDL_RWFromConstMem(entry.data.data(), static_cast<int>(entry.data.size()));
        if (SDL_Surface* picture = IMG_Load_RW(stream, 1)) {
            d.pixelBytes += static_cast<double>(picture->w) * picture->h * 4;
            SDL_FreeSurface(picture);
        }
    }
    d.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return d;
}

// Forks so that the decode's memory and CPU stay out of this process.
Decoded decodeInChild()
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        exit(1);
    fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        Decoded d = decodeImages();
        if (write(pipeEnds[1], &d, sizeof d) != static_cast<ssize_t>(sizeof d))
            _exit(1);
        _exit(0);
    }
    Decoded d;
    if (read(pipeEnds[0], &d, sizeof d) != static_cast<ssize_t>(sizeof d))
        exit(1);
    waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return d;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string writeScript(const std::string& path, const std::string& text)
{
    FILE* file = fopen(path.c_str(), "w");
    fputs(text.c_str(), file);
    fclose(file);
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    bool silent = false;
    const char* gameDir = CORVELLE_GAME_DIR;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (!strcmp(argv[i], "--silent"))
            silent = true;
        else if (!strcmp(argv[i], "--game") && i + 1 < argc)
            gameDir = argv[++i];
    }
    if (chdir(gameDir) != 0) {
        fprintf(stderr, "No game folder at %s\n", gameDir);
        return 1;
    }
    char pattern[] = "/tmp/corvelle-bench-XXXXXX";
    g_home = mkdtemp(pattern);

    // The first run makes the profile; it is not counted.
    runGame(1, "", silent);
    std::vector<double> startRatios, startMs, decodeMs, memoryRatios;
    double peakMiB = 0;
    for (int i = 0; i < runs; ++i) {
        Decoded d = decodeInChild();
        Usage game = runGame(1, "", silent);
        startMs.push_back(game.wallMs);
        decodeMs.push_back(d.ms);
        startRatios.push_back(game.wallMs / d.ms);
        peakMiB = game.peakKiB / 1024.0;
        memoryRatios.push_back(game.peakKiB * 1024.0 / (d.pixelBytes + d.archiveBytes));
    }
    printf("start-up to the first frame   %8.0f ms   bare decode %6.0f ms   %5.2f x (median of %d)\n",
           median(startMs), median(decodeMs), median(startRatios), runs);
    printf("peak memory                   %8.1f MiB                      %5.2f x decoded pixels + archive\n",
           peakMiB, median(memoryRatios));

    // Idle: skip the intro, then let the main menu wait. The two runs differ
    // only by the idle frames at their end.
    const int shortRun = 150, idleFrames = 300;
    std::string script = writeScript(g_home + "/skip.txt", "wait 5\nkey escape\n");
    std::vector<double> idle;
    for (int i = 0; i < std::min(runs, 3); ++i) {
        Usage a = runGame(shortRun, script, silent);
        Usage b = runGame(shortRun + idleFrames, script, silent);
        double cpuPerFrame = (b.cpuMs - a.cpuMs) / idleFrames;
        double msPerFrame = (b.wallMs - a.wallMs) / idleFrames;
        idle.push_back(100.0 * cpuPerFrame / msPerFrame);
        if (getenv("BENCH_VERBOSE"))
            printf("  idle run: %.0f/%.0f ms wall, %.0f/%.0f ms CPU\n", a.wallMs, b.wallMs, a.cpuMs, b.cpuMs);
    }
    printf("CPU while idle                %8.1f %% of a core (%s, median of %zu)\n", median(idle),
           silent ? "silent" : "with music", idle.size());
    std::string cleanup = "rm -rf '" + g_home + "'";
    return system(cleanup.c_str()) == 0 ? 0 : 1;
}
