// The level lab: the whole-world snapshot, solution checks through the
// levellab program, recording and the solver on small levels whose answers
// are known by hand.

#include "LabPlay.h"
#include "engine/ResourceArchive.h"
#include "levels/LevelSource.h"
#include "levels/Profile.h"
#include "screens/SolutionKeys.h"
#include "platform/Folders.h"
#include "support/GameRun.h"
#include "support/TestEnvironment.h"
#include "world/ElementAIProfessor.h"
#include "world/WorldSnapshot.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <cstdio>
#include <sys/wait.h>
#include <string>
#include <vector>

using namespace corvelle_test;

namespace {

// A level source from its bottom rows (the rows above are empty).
std::string source(const std::vector<std::string>& bottom, const std::string& extra = "")
{
    std::string text = "heading \"Fixture\"\ngrid\n";
    for (size_t row = 0; row < 24; ++row) {
        const size_t first = 24 - bottom.size();
        std::string line = row < first ? "" : bottom[row - first];
        line.resize(32, '.');
        text += line + "\n";
    }
    return text + extra;
}

const std::string FLOOR = std::string(32, '#');

CLevel compile(const std::string& text)
{
    CLevel level;
    std::vector<std::string> errors, warnings;
    EXPECT_TRUE(compileLevelSource(text, "fixture.txt", level, errors, &warnings)) << (errors.empty() ? "" : errors[0]);
    return level;
}

std::string writeFixture(const std::string& name, const std::string& text)
{
    const std::string path = TemporaryHome::path() + "/" + name;
    writeFile(path, text);
    return path;
}

struct Program {
    int status;
    std::string output;
};

Program runLab(const std::string& arguments)
{
    Program result{-1, ""};
    FILE* pipe = popen((std::string(CORVELLE_LEVELLAB) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe))
        result.output += buffer.data();
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class LevelLabTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { prepareHeadlessWorld(); }
    static void TearDownTestSuite() { releaseHeadlessWorld(); }
    CProfile profile_{CProfile::InMemory{}};
};

// ---- The snapshot: running on from a restored snapshot repeats the run.

// What a frame of the world shows: every element's place and state, and the
// outcome flags.
std::string boardSignature(const CLevelRun& run)
{
    std::string signature = std::to_string(static_cast<int>(run.GetOutcome())) + ":" + std::to_string(run.GetSteps());
    for (const CElement* e : CElement::GetAllElements())
        signature += "|" + std::to_string(e->type) + "," + std::to_string(e->x) + "," + std::to_string(e->y) + "," +
                     std::to_string(e->pixelX) + "," + std::to_string(e->pixelY) + "," + std::to_string(e->state) +
                     (e->destroyed ? "d" : "") + (e->frozen ? "f" : "") + (e->heated ? "h" : "") +
                     (e->moving ? "m" : "");
    return signature;
}

// The keys of a restless player: right, then now and then up, left, the
// action key and the first power-up slot.
void restlessKeys(CLevelRun& run)
{
    const int frame = run.GetFrame();
    static const int keys[] = {SOLUTION_KEY_RIGHT, SOLUTION_KEY_UP, SOLUTION_KEY_RIGHT, SOLUTION_KEY_LEFT,
                               SOLUTION_KEY_POWERUP_FIRST, SOLUTION_KEY_RIGHT, SOLUTION_KEY_ACTION};
    const int key = keys[(frame / 30) % 7];
    if (frame % 30 == 0)
        run.QueueKey(key, false);
    else if (frame % 30 == 20)
        run.QueueKey(key, true);
}

std::vector<std::string> runFrames(CLevelRun& run, int frames)
{
    std::vector<std::string> seen;
    for (int i = 0; i < frames; ++i) {
        restlessKeys(run);
        run.Step();
        seen.push_back(boardSignature(run) + "#" + std::to_string(WorldSnapshot::HashWorld()));
    }
    return seen;
}

struct KindCase {
    const char* name;
    std::vector<std::string> rows;
    std::string extra;
};

class SnapshotTest : public LevelLabTest, public testing::WithParamInterface<KindCase>
{
};

TEST_P(SnapshotTest, RunningOnFromARestoredSnapshotRepeatsTheRun)
{
    CLevel level = compile(source(GetParam().rows, GetParam().extra));
    CLevelRun run(level, profile_, false);
    for (int at = 0; at < 6; ++at) {
        runFrames(run, 37);
        CLevelRun::Snapshot snapshot;
        run.Save(snapshot);
        const std::vector<std::string> first = runFrames(run, 60);
        run.Restore(snapshot);
        const std::vector<std::string> second = runFrames(run, 60);
        ASSERT_EQ(first, second) << "snapshot taken at frame " << snapshot.frame;
    }
}

const KindCase KIND_CASES[] = {
    {"CratesAndBarrels", {"...S.c.C.o.O...E", FLOOR, FLOOR}, ""},
    {"Magnets", {"......<.........", "...S.c.....>.E", FLOOR, FLOOR}, ""},
    {"BotsChase", {"...S......]....E", FLOOR, FLOOR}, ""},
    {"HangingBot", {"........U.......", "........#.......", "...S...........E", FLOOR, FLOOR}, ""},
    {"ButtonsAndGates", {"...Sc.b..B.....E", FLOOR, FLOOR}, ""},
    {"Trampoline", {"...S..Z.........E", FLOOR, FLOOR}, ""},
    {"Teleports", {"...S.............E", FLOOR, FLOOR}, "teleport blue 5,21\nteleport blue 12,21\n"},
    {"PowerupsAndShots", {"...S1.5.c..6.C..E", FLOOR, FLOOR}, ""},
    {"IceSandBridgeLadder", {"..........E", "....H...####", "...SH~~::--...", FLOOR, FLOOR}, ""},
    {"FrozenAndHeated", {"...S.F.M......E", FLOOR, FLOOR},
     "legend F OBJECT_WCRATE frozen\nlegend M OBJECT_MCRATE heated\n"},
    {"TutorialMarker", {"...S.?.........E", FLOOR, FLOOR}, "tutorial 5,21 \"Walk on.\"\n"},
};

INSTANTIATE_TEST_SUITE_P(EveryKind, SnapshotTest, testing::ValuesIn(KIND_CASES),
                         [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

// ---- levellab check

const std::vector<std::string> WALK = {"..S...E", FLOOR, FLOOR};

TEST_F(LevelLabTest, CheckReportsEachLevelsOutcomeAndFailsOnlyOnBadSolutions)
{
    const std::string exits = writeFixture("exits.txt", source(WALK, "key 60 right press\n"));
    const std::string unsolved = writeFixture("unsolved.txt", source(WALK));
    Program ok = runLab("check " + exits + " " + unsolved);
    EXPECT_EQ(ok.status, 0) << ok.output;
    EXPECT_NE(ok.output.find("exited"), std::string::npos) << ok.output;
    EXPECT_NE(ok.output.find("no solution"), std::string::npos) << ok.output;

    const std::string caught =
        writeFixture("caught.txt", source({"..S....]....E", FLOOR, FLOOR}, "key 60 right press\n"));
    Program bad = runLab("check " + caught);
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find("caught"), std::string::npos) << bad.output;

    const std::string shortOne =
        writeFixture("short.txt", source(WALK, "key 60 right press\nkey 62 right release\n"));
    Program stops = runLab("check " + shortOne);
    EXPECT_EQ(stops.status, 1);
    EXPECT_NE(stops.output.find(shortOne + ": FAIL: the solution stops short: still running at frame"),
              std::string::npos)
        << stops.output;
}

TEST_F(LevelLabTest, BuiltInLevelsWithoutASolutionFailOnlyInTheSetsThatRequireOne)
{
    const CLevel solved = compile(source(WALK, "key 60 right press\n"));
    const CLevel unsolved = compile(source(WALK));
    const std::vector<unsigned char> bytes =
        packResourceArchive({{"reg001.lvl", solved.ToBytes(0)}, {"kid001.lvl", unsolved.ToBytes(0)}});
    const std::string archive = writeFixture("resource4.dat", std::string(bytes.begin(), bytes.end()));

    const struct {
        const char* option;
        int status;
    } cases[] = {{"", 0}, {" --require-solutions regular,advanced", 0}, {" --require-solutions kids", 1},
                 {" --require-solutions regular,kids", 1}, {" --require-solutions toys", 2}};
    for (const auto& c : cases) {
        Program result = runLab("check --built-in " + archive + c.option);
        EXPECT_EQ(result.status, c.status) << c.option << "\n" << result.output;
        if (c.status == 1) {
            EXPECT_NE(result.output.find("kid001: FAIL: a built-in level of this set must carry a recorded solution"),
                      std::string::npos)
                << result.output;
        }
    }
}

TEST_F(LevelLabTest, DamagedLevelsGiveAClearErrorAndAFailure)
{
    const std::string garbage = writeFixture("garbage.lvl", std::string("\x01\x02garbage", 9));
    const std::string broken = writeFixture("broken.txt", "heading \"Broken\"\ngrid\n####\n");
    for (const std::string& path : {garbage, broken, TemporaryHome::path() + "/missing.txt"}) {
        Program result = runLab("check " + path);
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_NE(result.output.find(path), std::string::npos) << result.output;
    }
    EXPECT_EQ(runLab("solve").status, 2);
    EXPECT_EQ(runLab("solve " + broken).status, 1);
    EXPECT_EQ(runLab("record " + garbage + " R").status, 1);
}

// ---- record

TEST_F(LevelLabTest, RecordWritesKeysThatReplayToTheExit)
{
    const std::string path = writeFixture("record.txt", source(WALK));
    Program recorded = runLab("record " + path + " R R R R");
    ASSERT_EQ(recorded.status, 0) << recorded.output;
    const std::string text = readFile(path);
    EXPECT_NE(text.find("# moves: R R R R"), std::string::npos);
    EXPECT_NE(text.find("right press"), std::string::npos);
    Program checked = runLab("check " + path);
    EXPECT_EQ(checked.status, 0) << checked.output;
    // A move that cannot be made is refused and the source stays.
    Program refused = runLab("record " + path + " L L L L");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(readFile(path), text);
}

TEST_F(LevelLabTest, ShowDrawsMagnetsByTheirFacingAndNoPowerupOnceCollected)
{
    const std::string path = writeFixture("show.txt", source({"..S1..E.<...>", FLOOR, FLOOR}));
    ASSERT_EQ(runLab("record " + path + " R R R R").status, 0);
    Program start = runLab("show " + path);
    ASSERT_EQ(start.status, 0) << start.output;
    EXPECT_NE(start.output.find("\n..@$..T.<...>"), std::string::npos) << start.output;
    Program end = runLab("show " + path + " --frame 100000");
    ASSERT_EQ(end.status, 0) << end.output;
    EXPECT_EQ(end.output.find('$'), std::string::npos) << end.output;
    EXPECT_NE(end.output.find(".<...>"), std::string::npos) << end.output;
}

TEST_F(LevelLabTest, SolvePrintsTheMovesOrNoSolution)
{
    const std::string walk = writeFixture("walk.txt", source(WALK));
    Program solved = runLab("solve " + walk);
    EXPECT_EQ(solved.status, 0);
    EXPECT_NE(solved.output.find("moves: R R R R\n4 moves, 4 steps, "), std::string::npos) << solved.output;
    Program limited = runLab("solve " + walk + " --max-states 2");
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.output.find("no solution within 2 states"), std::string::npos) << limited.output;
    const std::string gap =
        writeFixture("gap.txt", source({"..S.......E", "#####...########", "#####...########"}));
    Program none = runLab("solve " + gap);
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.output.find("no solution"), std::string::npos) << none.output;
}

TEST_F(LevelLabTest, MoveScriptsReadAndWriteAlike)
{
    std::vector<LabMove> moves;
    std::string error;
    ASSERT_TRUE(parseMoves("R, r U wait 12 A 3", moves, error)) << error;
    EXPECT_EQ(formatMoves(moves), "R R U wait 12 A 3");
    moves.clear();
    EXPECT_FALSE(parseMoves("R jump", moves, error));
    EXPECT_NE(error.find("jump"), std::string::npos);
    EXPECT_FALSE(parseMoves("wait", moves, error));
}

// ---- solve: the shortest solutions, known by hand.

struct SolveCase {
    const char* name;
    std::vector<std::string> rows;
    const char* moves; // null: no solution
    std::string extra;
};

class SolveTest : public LevelLabTest, public testing::WithParamInterface<SolveCase>
{
};

TEST_P(SolveTest, FindsTheShortestSolutionOrNone)
{
    CLevel level = compile(source(GetParam().rows, GetParam().extra));
    const LabSolveResult solved = solveLevel(level, profile_, 4000, 30);
    if (!GetParam().moves) {
        EXPECT_FALSE(solved.found) << formatMoves(solved.moves);
        EXPECT_FALSE(solved.limitReached) << "every state of the small level is reached";
        return;
    }
    ASSERT_TRUE(solved.found) << solved.statesExplored << " states";
    EXPECT_EQ(formatMoves(solved.moves), GetParam().moves);
}

const SolveCase SOLVE_CASES[] = {
    {"Walk", WALK, "R R R R", ""},
    // The crate must fill the hole before he can cross it.
    {"CrateIntoTheHole", {"...Sc....E", "######.#########", FLOOR}, "R R R R R R", ""},
    // The crate goes onto the button, twice pushed, and holds the gate open.
    {"CrateHoldsTheButton", {".b.cS...B.E", FLOOR, FLOOR}, "L L R R R R R R R R", ""},
    // Walking into the teleport at the gap's edge comes out beside the exit.
    {"ThroughTheTeleport", {"..S.........E", "#######...######", "#######...######"}, "R R R",
     "teleport blue 4,21\nteleport blue 11,21\n"},
    {"NoWayAcross", {"..S.......E", "#####...########", "#####...########"}, nullptr, ""},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, SolveTest, testing::ValuesIn(SOLVE_CASES),
                         [](const testing::TestParamInfo<SolveCase>& info) { return std::string(info.param.name); });

// ---- The lab and the game agree.

// The frame and step count of the game's "Level left" line; -1 when none.
std::pair<int, int> levelLeftLine(const std::string& output)
{
    std::smatch match;
    static const std::regex line("Level left at frame (\\d+) in (\\d+) steps");
    if (!std::regex_search(output, match, line))
        return {-1, -1};
    return {std::stoi(match[1]), std::stoi(match[2])};
}

TEST_F(LevelLabTest, TheGameReplaysALabSolutionToTheSameFrameAndSteps)
{
    initDirectories();
    // Pushing the crate into the hole, then walking over it to the exit.
    CLevel level = compile(source({"...Sc....E", "######.#########", FLOOR}));
    std::vector<LabMove> moves;
    std::string error;
    ASSERT_TRUE(parseMoves("R R A A R R R R", moves, error));
    std::vector<ReplayKey> keys;
    LabResult played;
    ASSERT_TRUE(playMoves(level, profile_, moves, keys, played, error)) << error;
    for (const ReplayKey& key : keys)
        level.AddReplayKey(key.frame, key.key, key.released);
    const LabResult lab = replaySolution(level, profile_);
    ASSERT_EQ(lab.outcome, RunOutcome::Exited);
    EXPECT_EQ(lab.frame, played.frame);
    ASSERT_TRUE(level.SaveAs("lab agreement", "Lab Agreement"));

    GameRun run;
    run.program = probeProgramPath();
    run.logChannels = "4,32";
    run.environment = {{"CORVELLE_PLAY_LEVEL", "lab agreement"}, {"CORVELLE_PLAY_SOLUTION", "1"}};
    run.script = "wait " + std::to_string(lab.frame + 60) + "\nquit\n";
    run.maxFrames = lab.frame + 300;
    GameRunResult result = runGame(run);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_TRUE(result.hasLine("*  --> Professor Successfully Exited                      *")) << result.output;
    EXPECT_EQ(levelLeftLine(result.output), std::make_pair(lab.frame, lab.steps)) << result.output;
}

} // namespace
