// Start-up, memory and idle benchmark of the real program, each against a
// baseline taken in the same run:
//   start-up: exec to exit with one frame, against reading the image
//             archive and decoding every picture in it with SDL_image
//             (BaselineDecode.h), once on one thread and once on as many
//             threads as the game decodes with (cores - 1); then both again
//             pinned to one core. Beside it, the moment the game's log
//             (its milestones, read through a pipe) says loading is done,
//             right before the first frame: exec to exit also holds the
//             shut-down;
//   memory:   the game's peak resident size at the main menu once
//             everything is loaded (sound effects decoded, 300 frames in),
//             and after playing the first level's solution, against the
//             decoded pixels of every picture plus the image archive;
//   idle:     the running game's CPU at the main menu, per thread, read
//             from /proc over a steady window (30 s by default) that starts
//             once the menu has settled (10 s after start), as a share of
//             one core.
//
//   StartupBench [--runs N] [--silent] [--game DIR] [--window SECONDS]
//                [--skip-level]
//
// The game runs headless (SDL's dummy drivers) in a fresh temporary HOME.
// --silent starts it without sound (mask 2); sound is on by default, as a
// player has it, so the idle figure includes the music's decoding. --game
// measures the game folder DIR instead of this build's (an older build's
// copy, say, to compare two builds on one machine at one time).
// --skip-level leaves out the memory after a level (it plays in real time,
// about 75 s).
#include "BaselineDecode.h"
#include "engine/ImageDecoder.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerInGame.h"
#include "screens/ControllerMain.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerSetSelect.h"
#include "screens/ControllerStory.h"
#include "support/MapClicks.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
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
bool g_silent = false;

void pinToOneCore()
{
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(0, &one);
    sched_setaffinity(0, sizeof one, &one);
}

struct GameRunSpec {
    long frames = 1;
    std::string script;
    bool pinned = false;
    // The write end of a pipe for the game's output, with its start-up
    // milestones switched on; -1 for none.
    int milestones = -1;
};

// Starts the game; the caller waits for it.
pid_t startGame(const GameRunSpec& spec)
{
    fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        if (spec.pinned)
            pinToOneCore();
        setenv("HOME", g_home.c_str(), 1);
        setenv("XDG_DATA_HOME", (g_home + "/data").c_str(), 1);
        setenv("XDG_DOCUMENTS_DIR", (g_home + "/documents").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("CORVELLE_MAX_FRAMES", std::to_string(spec.frames).c_str(), 1);
        if (!spec.script.empty())
            setenv("CORVELLE_SCRIPT", spec.script.c_str(), 1);
        if (spec.milestones >= 0) {
            setenv("CORVELLE_LOG", "32", 1);
            if (dup2(spec.milestones, STDOUT_FILENO) < 0)
                _exit(127);
        } else if (!freopen("/dev/null", "w", stdout)) {
            _exit(127);
        }
        execl("./corvelle", "corvelle", g_silent ? "3" : "1", static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

Usage waitForGame(pid_t child, Clock::time_point start)
{
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

Usage runGame(const GameRunSpec& spec)
{
    Clock::time_point start = Clock::now();
    return waitForGame(startGame(spec), start);
}

// Forks so that the decode's memory and CPU stay out of this process.
BaselineDecode decodeInChild(int threads, bool pinned)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        exit(1);
    fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        if (pinned)
            pinToOneCore();
        BaselineDecode d = decodeImageArchive("resource2.dat", threads);
        double sent[4] = {d.ms, d.pixelBytes, d.archiveBytes, static_cast<double>(d.failed.size())};
        if (write(pipeEnds[1], sent, sizeof sent) != static_cast<ssize_t>(sizeof sent))
            _exit(1);
        _exit(0);
    }
    double got[4];
    if (read(pipeEnds[0], got, sizeof got) != static_cast<ssize_t>(sizeof got))
        exit(1);
    waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    if (got[3] > 0) {
        fprintf(stderr, "%.0f pictures of resource2.dat did not decode: the baseline is wrong\n", got[3]);
        exit(1);
    }
    BaselineDecode d;
    d.ms = got[0];
    d.pixelBytes = got[1];
    d.archiveBytes = got[2];
    return d;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string writeScript(const std::string& path, const std::string& text)
{
    FILE* file = fopen(path.c_str(), "w");
    fputs(text.c_str(), file);
    fclose(file);
    return path;
}

// Runs the game to its first frame and exit, and returns the moment its
// log says start-up's loading is done (milliseconds from the start; 0 when
// it never says so). The first frame follows at once; what comes after it
// (the screens closing, shutting down, the process ending) is in the run's
// whole time but not in this moment.
double runGameToLoaded(const GameRunSpec& base, Usage& whole)
{
    int ends[2];
    if (pipe(ends) != 0)
        exit(1);
    GameRunSpec spec = base;
    spec.milestones = ends[1];
    Clock::time_point start = Clock::now();
    pid_t child = startGame(spec);
    close(ends[1]);
    double loaded = 0;
    std::string pending;
    char buffer[4096];
    for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) {
        pending.append(buffer, static_cast<size_t>(got));
        if (loaded == 0 && pending.find("ID_003:  INIT:  Miscellaneous Load Completed") != std::string::npos)
            loaded = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (pending.size() > 256)
            pending.erase(0, pending.size() - 256);
    }
    close(ends[0]);
    whole = waitForGame(child, start);
    return loaded;
}

// Start-up to the first frame against the baseline on `threads` threads.
void measureStartUp(int runs, int threads, bool pinned, const char* what)
{
    std::vector<double> game, loaded, decode, ratio, loadedRatio;
    for (int i = 0; i < runs; ++i) {
        BaselineDecode d = decodeInChild(threads, pinned);
        GameRunSpec spec;
        spec.pinned = pinned;
        Usage u;
        double ready = runGameToLoaded(spec, u);
        game.push_back(u.wallMs);
        loaded.push_back(ready);
        decode.push_back(d.ms);
        ratio.push_back(u.wallMs / d.ms);
        loadedRatio.push_back(ready / d.ms);
    }
    printf("start-up to the first frame   %8.0f ms   bare decode %6.0f ms   %5.2f x   (%s, median of %d)\n",
           median(game), median(decode), median(ratio), what, runs);
    printf("    of it, to loading done    %8.0f ms                          %5.2f x\n", median(loaded),
           median(loadedRatio));
}

// CPU ticks (user + system) of every thread of a process, by thread id.
std::map<int, long> threadTicks(pid_t pid)
{
    std::map<int, long> ticks;
    std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    DIR* list = opendir(taskDir.c_str());
    if (!list)
        return ticks;
    while (dirent* entry = readdir(list)) {
        int tid = atoi(entry->d_name);
        if (tid <= 0)
            continue;
        std::ifstream stat(taskDir + "/" + entry->d_name + "/stat");
        std::string line;
        std::getline(stat, line);
        size_t close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream fields(line.substr(close + 2));
        std::string field;
        long utime = 0, stime = 0;
        // After the name: state is field 3; utime and stime are 14 and 15.
        for (int n = 3; n <= 15 && fields >> field; ++n) {
            if (n == 14)
                utime = atol(field.c_str());
            if (n == 15)
                stime = atol(field.c_str());
        }
        ticks[tid] = utime + stime;
    }
    closedir(list);
    return ticks;
}

struct IdleShares {
    double total = 0;
    double main = 0;
    // The other threads, busiest first.
    std::vector<double> others;
};

IdleShares measureIdleOnce(const std::string& script, int settleSeconds, int windowSeconds)
{
    GameRunSpec spec;
    spec.frames = 1000000;
    spec.script = script;
    Clock::time_point start = Clock::now();
    pid_t game = startGame(spec);
    std::this_thread::sleep_for(std::chrono::seconds(settleSeconds));
    std::map<int, long> before = threadTicks(game);
    Clock::time_point from = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(windowSeconds));
    std::map<int, long> after = threadTicks(game);
    double seconds = std::chrono::duration<double>(Clock::now() - from).count();
    kill(game, SIGTERM);
    waitForGame(game, start);

    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    IdleShares shares;
    for (const auto& [tid, ticks] : after) {
        auto was = before.find(tid);
        double share = 100.0 * static_cast<double>(ticks - (was == before.end() ? 0 : was->second)) /
                       ticksPerSecond / seconds;
        shares.total += share;
        if (tid == game)
            shares.main = share;
        else
            shares.others.push_back(share);
    }
    std::sort(shares.others.rbegin(), shares.others.rend());
    return shares;
}

void measureIdle(int runs, const std::string& script, int windowSeconds)
{
    const int settleSeconds = 10;
    std::vector<double> total, main, busiestOther;
    for (int i = 0; i < runs; ++i) {
        IdleShares s = measureIdleOnce(script, settleSeconds, windowSeconds);
        total.push_back(s.total);
        main.push_back(s.main);
        busiestOther.push_back(s.others.empty() ? 0 : s.others.front());
        if (getenv("BENCH_VERBOSE")) {
            printf("  idle run: %.2f %% (main %.2f %%; others", s.total, s.main);
            for (double o : s.others)
                printf(" %.2f", o);
            printf(")\n");
        }
    }
    std::sort(total.begin(), total.end());
    printf("CPU while idle at the main menu %6.2f %% of a core (min %.2f, max %.2f; main thread %.2f %%, busiest "
           "other thread %.2f %%; %s; /proc over %d s from %d s after start, median of %d)\n",
           median(total), total.front(), total.back(), median(main), median(busiestOther),
           g_silent ? "silent" : "with music", windowSeconds, settleSeconds, runs);
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    int window = 30;
    bool level = true;
    const char* gameDir = CORVELLE_GAME_DIR;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (!strcmp(argv[i], "--silent"))
            g_silent = true;
        else if (!strcmp(argv[i], "--game") && i + 1 < argc)
            gameDir = argv[++i];
        else if (!strcmp(argv[i], "--window") && i + 1 < argc)
            window = std::max(1, atoi(argv[++i]));
        else if (!strcmp(argv[i], "--skip-level"))
            level = false;
    }
    if (chdir(gameDir) != 0) {
        fprintf(stderr, "No game folder at %s\n", gameDir);
        return 1;
    }
    char pattern[] = "/tmp/corvelle-bench-XXXXXX";
    g_home = mkdtemp(pattern);
    const int threads = ImageDecoder::defaultThreads();
    printf("machine: %u cores; the game decodes on %d worker threads\n", std::thread::hardware_concurrency(),
           threads);

    // The first run makes the profile; it is not counted.
    runGame(GameRunSpec());
    measureStartUp(runs, 1, false, "baseline on 1 thread");
    measureStartUp(runs, threads, false, ("baseline on " + std::to_string(threads) + " threads").c_str());
    measureStartUp(runs, 1, true, "both pinned to one core");

    BaselineDecode d = decodeInChild(threads, false);
    const double denominator = d.pixelBytes + d.archiveBytes;
    std::string skip = writeScript(g_home + "/skip.txt", "wait 5\nkey escape\n");
    GameRunSpec menu;
    menu.frames = 300;
    menu.script = skip;
    Usage atMenu = runGame(menu);
    printf("peak memory at the main menu  %8.1f MiB   %5.2f x decoded pixels + archive (%.1f + %.1f MiB)\n",
           atMenu.peakKiB / 1024.0, atMenu.peakKiB * 1024.0 / denominator, d.pixelBytes / 1048576.0,
           d.archiveBytes / 1048576.0);
    if (level) {
        // The first level from a new profile: Play, the regular set, its
        // first dot, the story's two pages, then the in-game menu's
        // solution played to the end. The clicks go where the screens
        // make their widgets.
        using corvelle_test::clickMapDot;
        using corvelle_test::clickOn;
        const WidgetPlace solution =
            CControllerInGame::ButtonPlace(CControllerInGame::VARIANT_SET_LEVEL, CControllerInGame::BUTTON_SOLUTION);
        GameRunSpec play;
        play.frames = 2200;
        play.script = writeScript(
            g_home + "/level.txt",
            "wait 40\nkey space\nwait 10\n" + clickOn(CControllerMain::SlotPlace(CControllerMain::BUTTON_PLAY)) +
                "wait 20\n" + clickOn(CControllerSetSelect::SetPlace(0)) + "wait 70\n" + clickMapDot(0, 0) +
                clickMapDot(0, 0) + "wait 40\n" + clickOn(CControllerStory::NEXT_PAGE) + "wait 20\n" +
                clickOn(CControllerStory::NEXT_PAGE) + "wait 40\n" + clickOn(CControllerGame::MENU_BUTTON) +
                "wait 20\n" + clickOn(solution) + "wait 10\n" + clickOn(CControllerMessage::QUESTION_OK) +
                "wait 1400\nquit\nwait 20\n");
        Usage afterLevel = runGame(play);
        printf("peak memory after a level     %8.1f MiB   %5.2f x decoded pixels + archive\n",
               afterLevel.peakKiB / 1024.0, afterLevel.peakKiB * 1024.0 / denominator);
    }

    measureIdle(std::min(runs, 3), skip, window);
    std::string cleanup = "rm -rf '" + g_home + "'";
    return system(cleanup.c_str()) == 0 ? 0 : 1;
}
