// levellab: replays, records, solves and shows levels headless, on the
// game's own world and level building. See README "Designing a level".
#include "LabJudge.h"
#include "LabPlay.h"
#include "LabSolver.h"

#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/LevelSource.h"
#include "levels/Profile.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr long DEFAULT_MAX_STATES = 20000;
constexpr int DEFAULT_MAX_MOVES = 200;

int usage()
{
    std::cerr << "usage:\n"
                 "  levellab check FILES...            replay each level's solution (sources, .lvl files)\n"
                 "  levellab check --built-in [ARCHIVE] [--require-solutions SET,...]\n"
                 "                                     every level of the built-in archive (resource4.dat); in the\n"
                 "                                     sets named (regular, advanced, kids), a level without a\n"
                 "                                     solution fails too\n"
                 "  levellab record SOURCE MOVES...    record a move script (L R U D A 1..9 'wait N') into SOURCE\n"
                 "  levellab solve LEVEL [--max-states N] [--max-moves M]\n"
                 "                                     the fewest steps, then the fewest moves\n"
                 "  levellab show LEVEL [--frame N]    the board at a frame of the solution\n"
                 "  levellab judge [--checks idea,walk,copies,difficulty] [--max-states N] [--max-moves M]\n"
                 "                 [--archive ARCHIVE] [--known-failures FILE] LEVELS...\n"
                 "                                     whether each level needs its idea, is more than a walk,\n"
                 "                                     is no near-copy of a built-in level, and how hard it is;\n"
                 "                                     with FILE, fails only on a level whose listing is wrong\n";
    return 2;
}

bool endsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// A level's name from its path: no folder, no extension.
std::string levelName(const std::string& path)
{
    const std::string file = path.substr(path.find_last_of('/') + 1);
    return file.substr(0, file.find_last_of('.'));
}

bool readFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

// A level source, or a level file when the name ends in ".lvl".
bool loadLevel(const std::string& path, CLevel& level, std::string& error)
{
    std::string text;
    if (!readFile(path, text)) {
        error = path + ": cannot be read";
        return false;
    }
    if (endsWith(path, ".lvl")) {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        if (!level.LoadBytes(name.c_str(), reinterpret_cast<const unsigned char*>(text.data()), text.size())) {
            error = path + ": not a level file, or a damaged one";
            return false;
        }
        return true;
    }
    std::vector<std::string> errors, warnings;
    if (!compileLevelSource(text, path, level, errors, &warnings)) {
        error.clear();
        for (const std::string& e : errors)
            error += (error.empty() ? "" : "\n") + e;
        return false;
    }
    for (const std::string& w : warnings)
        std::cerr << "warning: " << w << '\n';
    return true;
}

// ---- check

struct CheckRow {
    std::string name;
    std::string outcome;
    int frame = 0;
    int steps = 0;
    std::string verdict; // "ok", "no solution", "FAIL"
    std::string note;
};

CheckRow checkOne(const std::string& name, CLevel& level, CProfile& profile)
{
    CheckRow row;
    row.name = name;
    if (level.GetSolution().empty()) {
        row.outcome = "-";
        row.verdict = "no solution";
        return row;
    }
    const LabResult result = replaySolution(level, profile);
    row.outcome = runOutcomeName(result.outcome);
    row.frame = result.frame;
    row.steps = result.steps;
    if (result.outcome == RunOutcome::Exited) {
        row.verdict = "ok";
    } else {
        row.verdict = "FAIL";
        row.note = result.outcome == RunOutcome::Running
                       ? "the solution stops short: still running at frame " + std::to_string(result.frame) +
                             " (last key at frame " + std::to_string(result.lastKeyFrame) + ")"
                       : std::string("the professor is ") + row.outcome + " at frame " + std::to_string(result.frame);
    }
    return row;
}

int printTable(const std::vector<CheckRow>& rows)
{
    int failed = 0, unsolved = 0, passed = 0;
    std::printf("%-28s %-15s %8s %7s  %s\n", "level", "outcome", "frame", "steps", "result");
    for (const CheckRow& row : rows) {
        std::printf("%-28s %-15s %8d %7d  %s\n", row.name.c_str(), row.outcome.c_str(), row.frame, row.steps,
                    row.verdict.c_str());
        if (row.verdict == "FAIL")
            ++failed;
        else if (row.verdict == "no solution")
            ++unsolved;
        else if (row.verdict == "ok")
            ++passed;
    }
    for (const CheckRow& row : rows)
        if (!row.note.empty())
            std::printf("%s: %s: %s\n", row.name.c_str(), row.verdict.c_str(), row.note.c_str());
    std::printf("%d exited, %d without a solution, %d failed\n", passed, unsolved, failed);
    return failed == 0 ? 0 : 1;
}

// The sets named in a comma-separated list ("regular,kids"); false on a
// name that is not a set's.
bool readSetNames(const std::string& list, bool (&named)[LEVEL_SET_COUNT])
{
    static const char* const NAMES[LEVEL_SET_COUNT] = {"regular", "advanced", "kids"};
    std::istringstream in(list);
    for (std::string word; std::getline(in, word, ',');) {
        const auto found = std::find(std::begin(NAMES), std::end(NAMES), word);
        if (found == std::end(NAMES))
            return false;
        named[found - std::begin(NAMES)] = true;
    }
    return true;
}

int checkBuiltIn(const std::string& archive, const bool (&solutionRequired)[LEVEL_SET_COUNT], CProfile& profile)
{
    std::string error;
    if (!CLevelSet::readArchive(archive, error)) {
        std::cerr << archive << ": " << error << '\n';
        return 1;
    }
    std::vector<CheckRow> rows;
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        CLevelSet* levels = CLevelSet::getSet(set);
        for (int i = 0; levels && i < levels->getLevelCount(); ++i) {
            CLevel& level = *levels->selectLevel(i);
            rows.push_back(checkOne(level.GetFilename(), level, profile));
            if (solutionRequired[set] && rows.back().verdict == "no solution") {
                rows.back().verdict = "FAIL";
                rows.back().note = "a built-in level of this set must carry a recorded solution";
            }
        }
    }
    CLevelSet::freeAll();
    return printTable(rows);
}

int check(const std::vector<std::string>& args, CProfile& profile)
{
    if (args.empty())
        return usage();
    if (args[0] == "--built-in") {
        std::string archive = LEVEL_ARCHIVE_NAME;
        bool solutionRequired[LEVEL_SET_COUNT] = {};
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--require-solutions") {
                if (++i >= args.size() || !readSetNames(args[i], solutionRequired))
                    return usage();
            } else {
                archive = args[i];
            }
        }
        return checkBuiltIn(archive, solutionRequired, profile);
    }
    std::vector<CheckRow> rows;
    bool unreadable = false;
    for (const std::string& path : args) {
        CLevel level;
        std::string error;
        if (!loadLevel(path, level, error)) {
            std::cerr << error << '\n';
            rows.push_back({path, "-", 0, 0, "FAIL", "cannot be read"});
            unreadable = true;
            continue;
        }
        rows.push_back(checkOne(path, level, profile));
    }
    const int status = printTable(rows);
    return unreadable ? 1 : status;
}

// ---- record

// The source with its key lines replaced by the new ones, after a comment
// with the move script they came from.
std::string withSolution(const std::string& source, const std::string& moves, const std::vector<ReplayKey>& keys)
{
    std::istringstream in(source);
    std::string line, out;
    while (std::getline(in, line)) {
        const size_t start = line.find_first_not_of(" \t");
        const std::string body = start == std::string::npos ? "" : line.substr(start);
        if (body.rfind("key ", 0) == 0 || body.rfind("# moves:", 0) == 0)
            continue;
        out += line + '\n';
    }
    while (endsWith(out, "\n\n"))
        out.pop_back();
    out += "# moves: " + moves + '\n';
    for (const ReplayKey& key : keys) {
        out += "key " + std::to_string(key.frame) + " ";
        switch (key.key) {
        case 273: out += "up"; break;
        case 274: out += "down"; break;
        case 275: out += "right"; break;
        case 276: out += "left"; break;
        case 102: out += "f"; break;
        default: out += std::to_string(key.key); break;
        }
        out += key.released ? " release\n" : " press\n";
    }
    return out;
}

int record(const std::vector<std::string>& args, CProfile& profile)
{
    if (args.size() < 2)
        return usage();
    const std::string& path = args[0];
    if (endsWith(path, ".lvl")) {
        std::cerr << path << ": record writes into a level source; decompile the file with levelc first\n";
        return 1;
    }
    std::string script;
    for (size_t i = 1; i < args.size(); ++i)
        script += (i > 1 ? " " : "") + args[i];
    std::vector<LabMove> moves;
    std::string error, source;
    CLevel level;
    if (!parseMoves(script, moves, error) || !readFile(path, source) || !loadLevel(path, level, error)) {
        std::cerr << (error.empty() ? path + ": cannot be read" : error) << '\n';
        return 1;
    }
    std::vector<ReplayKey> keys;
    LabResult result;
    if (!playMoves(level, profile, moves, keys, result, error)) {
        std::cerr << path << ": " << error;
        return 1;
    }
    if (result.outcome != RunOutcome::Exited) {
        std::cerr << path << ": the moves do not reach the exit (" << runOutcomeName(result.outcome) << "; last key at frame "
                  << result.lastKeyFrame << "); where the run stopped:\n"
                  << result.board;
        return 1;
    }
    // The keys made are replayed as the game replays them before they are kept.
    level.ClearSolution();
    for (const ReplayKey& key : keys)
        level.AddReplayKey(key.frame, key.key, key.released);
    const LabResult replayed = replaySolution(level, profile);
    if (replayed.outcome != RunOutcome::Exited || replayed.frame != result.frame) {
        std::cerr << path << ": the recorded keys replay differently: " << runOutcomeName(replayed.outcome)
                  << " at frame " << replayed.frame << ", played " << runOutcomeName(result.outcome) << " at frame "
                  << result.frame << '\n';
        return 1;
    }
    const std::string updated = withSolution(source, formatMoves(moves), keys);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!(out << updated) || !out.flush()) {
        std::cerr << path << ": cannot be written\n";
        return 1;
    }
    std::printf("%s: recorded %zu key events; exit at frame %d in %d steps\n", path.c_str(), keys.size(),
                replayed.frame, replayed.steps);
    return 0;
}

// ---- solve and show

bool readNumber(const std::string& text, long& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stol(text);
    return true;
}

// The status of a command that a signal stopped, as a shell reports it.
volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal)
{
    stopSignal = signal;
    requestStop();
}

int stoppedStatus() { return 128 + stopSignal; }

// Reads "--max-states N" and "--max-moves M" at args[i]; false when args[i]
// is neither (or its number is bad). `i` moves past what was read.
bool readSearchOption(const std::vector<std::string>& args, size_t& i, LabSearch& search, bool& bad)
{
    long value = 0;
    const bool states = args[i] == "--max-states";
    if (!states && args[i] != "--max-moves")
        return false;
    bad = i + 1 >= args.size() || !readNumber(args[i + 1], value);
    if (states)
        search.maxStates = value;
    else
        search.maxMoves = static_cast<int>(value);
    ++i;
    return true;
}

int solve(const std::vector<std::string>& args, CProfile& profile)
{
    if (args.empty())
        return usage();
    LabSearch search;
    search.maxStates = DEFAULT_MAX_STATES;
    search.maxMoves = DEFAULT_MAX_MOVES;
    for (size_t i = 1; i < args.size(); ++i) {
        bool bad = false;
        if (!readSearchOption(args, i, search, bad) || bad)
            return usage();
    }
    CLevel level;
    std::string error;
    if (!loadLevel(args[0], level, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    const LabSolveResult solved = solveLevel(level, profile, search);
    if (!solved.found) {
        if (solved.interrupted)
            std::printf("interrupted after %ld states: no solution under %d steps\n", solved.statesExplored,
                        solved.stepsRuledOut);
        else if (solved.limitReached)
            std::printf("no solution within %ld states (none under %d steps)\n", search.maxStates,
                        solved.stepsRuledOut);
        else
            std::printf("no solution: all %ld reachable states explored\n", solved.statesExplored);
        return solved.interrupted ? stoppedStatus() : 1;
    }
    std::printf("moves: %s\n", formatMoves(solved.moves).c_str());
    std::printf("%zu moves, %d steps, %d frames, %d segments, %ld states explored%s\n", solved.moves.size(),
                solved.steps, solved.frames, countSegments(solved.moves), solved.statesExplored,
                solved.interrupted     ? " (interrupted: the fewest steps not proven)"
                : solved.limitReached ? " (the state limit was reached: the fewest steps not proven)"
                                      : "");
    return solved.interrupted ? stoppedStatus() : 0;
}

// ---- judge

// A known-failures file: a level name a line, "#" comments. False (with the
// reason) on a line that names no built-in level.
bool readKnownFailures(const std::string& path, std::map<std::string, bool>& listed, std::string& error)
{
    std::string text;
    if (!readFile(path, text)) {
        error = path + ": cannot be read";
        return false;
    }
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string name;
        if (!(words >> name))
            continue;
        if (builtInPlaceOf(name).set < 0) {
            error = path + ":" + std::to_string(number) + ": '" + name + "' is no built-in level";
            return false;
        }
        listed[name] = false;
    }
    return true;
}

// The built-in levels' shapes, for the near-copy check.
bool readShapes(const std::string& archive, std::vector<LevelShape>& shapes, std::string& error)
{
    if (!CLevelSet::readArchive(archive, error)) {
        error = archive + ": " + error;
        return false;
    }
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        CLevelSet* levels = CLevelSet::getSet(set);
        for (int i = 0; levels && i < levels->getLevelCount(); ++i) {
            const CLevel& level = *levels->selectLevel(i);
            shapes.push_back(shapeOf(levelName(level.GetFilename()), level));
        }
    }
    CLevelSet::freeAll();
    return true;
}

void printReport(const JudgeReport& report)
{
    for (const JudgeVerdict& verdict : report.verdicts)
        std::printf("%s %s: %s: %s\n", report.name.c_str(), checkName(verdict.check), verdict.passed ? "ok" : "FAIL",
                    verdict.detail.c_str());
    std::printf("%s: %s\n", report.name.c_str(),
                report.interrupted ? "interrupted" : report.Failed() ? "FAIL" : "ok");
    std::fflush(stdout);
}

int judge(const std::vector<std::string>& args, CProfile& profile)
{
    JudgeOptions options;
    options.search.maxStates = DEFAULT_MAX_STATES;
    options.search.maxMoves = DEFAULT_MAX_MOVES;
    options.checks = {JudgeCheck::Idea, JudgeCheck::Walk, JudgeCheck::Copies, JudgeCheck::Difficulty};
    std::string archive = LEVELLAB_ARCHIVE, knownFailures;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        bool bad = false;
        if (readSearchOption(args, i, options.search, bad)) {
            if (bad)
                return usage();
        } else if (args[i] == "--checks" || args[i] == "--archive" || args[i] == "--known-failures") {
            if (i + 1 >= args.size() || (args[i] == "--checks" && !readCheckNames(args[i + 1], options.checks)))
                return usage();
            if (args[i] == "--archive")
                archive = args[i + 1];
            else if (args[i] == "--known-failures")
                knownFailures = args[i + 1];
            ++i;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.empty())
        return usage();
    std::string error;
    std::map<std::string, bool> listed; // name -> judged
    std::vector<LevelShape> shapes;
    const bool copies = std::find(options.checks.begin(), options.checks.end(), JudgeCheck::Copies) !=
                        options.checks.end();
    if ((!knownFailures.empty() && !readKnownFailures(knownFailures, listed, error)) ||
        (copies && !readShapes(archive, shapes, error))) {
        std::cerr << error << '\n';
        return 1;
    }
    options.builtIns = &shapes;
    std::vector<std::string> unexpected;
    for (const std::string& path : paths) {
        CLevel level;
        std::string source;
        if (!loadLevel(path, level, error)) {
            std::cerr << error << '\n';
            return 1;
        }
        if (!endsWith(path, ".lvl"))
            readFile(path, source);
        const std::string name = levelName(path);
        const JudgeReport report = judgeLevel(name, level, source, path, profile, options);
        printReport(report);
        if (report.interrupted)
            return stoppedStatus();
        const auto known = listed.find(name);
        if (known != listed.end())
            known->second = true;
        if (report.Failed() && known == listed.end())
            unexpected.push_back(name + ": fails the judge" +
                                 (knownFailures.empty() ? "" : " and is not listed in " + knownFailures));
        else if (!report.Failed() && known != listed.end())
            unexpected.push_back(name + ": passes the judge now: take its line out of " + knownFailures);
    }
    for (const std::string& line : unexpected)
        std::printf("%s\n", line.c_str());
    return unexpected.empty() ? 0 : 1;
}

int show(const std::vector<std::string>& args, CProfile& profile)
{
    if (args.empty())
        return usage();
    long frame = 0;
    if (args.size() == 3 && args[1] == "--frame") {
        if (!readNumber(args[2], frame))
            return usage();
    } else if (args.size() != 1) {
        return usage();
    }
    CLevel level;
    std::string error;
    if (!loadLevel(args[0], level, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    std::fputs(showBoard(level, profile, static_cast<int>(frame)).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    struct sigaction stop {};
    stop.sa_handler = onStopSignal;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    prepareHeadlessWorld();
    int status = 2;
    {
        CProfile profile{CProfile::InMemory{}};
        if (command == "check")
            status = check(args, profile);
        else if (command == "record")
            status = record(args, profile);
        else if (command == "solve")
            status = solve(args, profile);
        else if (command == "judge")
            status = judge(args, profile);
        else if (command == "show")
            status = show(args, profile);
        else
            usage();
    }
    releaseHeadlessWorld();
    return status;
}
