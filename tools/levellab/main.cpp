// levellab: replays, records, solves and shows levels headless, on the
// game's own world and level building. See README "Designing a level".
#include "LabPlay.h"

#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/LevelSource.h"
#include "levels/Profile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
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
                 "  levellab show LEVEL [--frame N]    the board at a frame of the solution\n";
    return 2;
}

bool endsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
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
        std::cerr << path << ": " << error << '\n';
        return 1;
    }
    // The keys made are replayed as the game replays them before they are kept.
    level.ClearSolution();
    for (const ReplayKey& key : keys)
        level.AddReplayKey(key.frame, key.key, key.released);
    const LabResult replayed = replaySolution(level, profile);
    if (replayed.outcome != RunOutcome::Exited) {
        std::cerr << path << ": the moves do not reach the exit: " << runOutcomeName(replayed.outcome) << " at frame "
                  << replayed.frame << '\n';
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

int solve(const std::vector<std::string>& args, CProfile& profile)
{
    if (args.empty())
        return usage();
    long maxStates = DEFAULT_MAX_STATES, maxMoves = DEFAULT_MAX_MOVES;
    for (size_t i = 1; i < args.size(); i += 2) {
        long* target = args[i] == "--max-states" ? &maxStates : args[i] == "--max-moves" ? &maxMoves : nullptr;
        if (!target || i + 1 >= args.size() || !readNumber(args[i + 1], *target))
            return usage();
    }
    CLevel level;
    std::string error;
    if (!loadLevel(args[0], level, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    const LabSolveResult solved = solveLevel(level, profile, maxStates, static_cast<int>(maxMoves));
    if (!solved.found) {
        if (solved.limitReached)
            std::printf("no solution within %ld states\n", maxStates);
        else
            std::printf("no solution: all %ld reachable states explored\n", solved.statesExplored);
        return 1;
    }
    std::printf("moves: %s\n", formatMoves(solved.moves).c_str());
    std::printf("%zu moves, %d steps, %ld states explored\n", solved.moves.size(), solved.steps,
                solved.statesExplored);
    return 0;
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
        else if (command == "show")
            status = show(args, profile);
        else
            usage();
    }
    releaseHeadlessWorld();
    return status;
}
