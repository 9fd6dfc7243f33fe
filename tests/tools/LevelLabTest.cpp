// The level lab: the whole-world snapshot, solution checks through the
// levellab program, recording and the solver on small levels whose answers
// are known by hand.

#include "LabJudge.h"
#include "LabPlay.h"
#include "LabSolver.h"
#include "engine/ResourceArchive.h"
#include "engine/Sprite.h"
#include "levels/LevelSource.h"
#include "levels/Profile.h"
#include "screens/SolutionKeys.h"
#include "platform/Folders.h"
#include "support/GameRun.h"
#include "support/TestEnvironment.h"
#include "world/ElementAIProfessor.h"
#include "world/WorldSnapshot.h"

#include <gtest/gtest.h>

#include <regex>
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

using Program = CommandRun;

Program runLab(const std::string& arguments) { return runCommand(std::string(CORVELLE_LEVELLAB) + " " + arguments); }

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
                         [](const testing::TestParamInfo<KindCase>& run) { return std::string(run.param.name); });

// What a search does all the time: back to a world from before a power-up,
// the power-up used again, and on to the world it made. The elements made on
// the way are set aside each time; their sprites must leave the list every
// frame walks, and the world that holds one must still run on as before.
TEST_F(LevelLabTest, ConjuringAgainAndAgainFromOneSnapshotNeitherGrowsTheSpriteListNorChangesTheRun)
{
    CLevel level = compile(source({"...S1..........E", FLOOR, FLOOR}));
    CLevelRun run(level, profile_, false);
    ASSERT_TRUE(stepUntilReady(run));
    ASSERT_TRUE(takeMove(run, SOLUTION_KEY_RIGHT, nullptr));
    ASSERT_TRUE(stepUntilReady(run));
    CLevelRun::Snapshot before;
    run.Save(before);
    const size_t elementsBefore = CElement::GetAllElements().size();
    const auto conjure = [&run]() {
        EXPECT_TRUE(takeMove(run, SOLUTION_KEY_POWERUP_FIRST, nullptr));
        EXPECT_TRUE(stepUntilReady(run));
    };
    conjure();
    ASSERT_GT(CElement::GetAllElements().size(), elementsBefore) << "the power-up made nothing";
    CLevelRun::Snapshot after;
    run.Save(after);
    const std::vector<std::string> firstRun = runFrames(run, 40);
    run.Restore(before);
    conjure();
    const size_t sprites = CSprite::getAllSprites().size();
    for (int again = 0; again < 30; ++again) {
        run.Restore(before);
        conjure();
        run.Restore(before);
    }
    run.Restore(before);
    conjure();
    EXPECT_EQ(CSprite::getAllSprites().size(), sprites);
    run.Restore(after);
    EXPECT_EQ(runFrames(run, 40), firstRun);
}

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

TEST_F(LevelLabTest, RecordOfAScriptThatMissesTheExitShowsWhereItStoppedAndKeepsTheSource)
{
    const std::string path = writeFixture("short.txt", source(WALK));
    const std::string before = readFile(path);
    Program recorded = runLab("record " + path + " R R");
    EXPECT_EQ(recorded.status, 1);
    EXPECT_NE(recorded.output.find("the moves do not reach the exit (running; last key at frame"), std::string::npos)
        << recorded.output;
    EXPECT_NE(recorded.output.find(", running, 2 steps\n"), std::string::npos) << recorded.output;
    EXPECT_NE(recorded.output.find("\n..S.@.E"), std::string::npos) << recorded.output;
    EXPECT_EQ(readFile(path), before);
}

TEST_F(LevelLabTest, ShowDrawsMagnetsByTheirFacingAndNoPowerupOnceCollected)
{
    const std::string path = writeFixture("show.txt", source({"..S1..E.<...>", FLOOR, FLOOR}));
    ASSERT_EQ(runLab("record " + path + " R R R R").status, 0);
    Program start = runLab("show " + path);
    ASSERT_EQ(start.status, 0) << start.output;
    EXPECT_NE(start.output.find("\n..@1..E.<...>"), std::string::npos) << start.output;
    Program end = runLab("show " + path + " --frame 100000");
    ASSERT_EQ(end.status, 0) << end.output;
    EXPECT_EQ(end.output.find('1', end.output.find('\n')), std::string::npos) << end.output;
    EXPECT_NE(end.output.find(".<...>"), std::string::npos) << end.output;
}

// ---- show: every state an element can be in has its own look.

struct StateCase {
    const char* name;
    std::vector<std::string> rows;
    const char* moves;
    const char* seen; // a board line (or condition line) seen at some frame of the run
};

class ShowStateTest : public LevelLabTest, public testing::WithParamInterface<StateCase>
{
};

TEST_P(ShowStateTest, TheBoardShowsTheStateAtSomeFrameOfTheRun)
{
    CLevel level = compile(source(GetParam().rows));
    std::vector<LabMove> moves;
    std::string error;
    ASSERT_TRUE(parseMoves(GetParam().moves, moves, error)) << error;
    std::vector<ReplayKey> keys;
    LabResult played;
    ASSERT_TRUE(playMoves(level, profile_, moves, keys, played, error)) << error;
    for (const ReplayKey& key : keys)
        level.AddReplayKey(key.frame, key.key, key.released);
    CLevelRun run(level, profile_, true);
    std::string boards;
    while (!run.IsOver() && run.GetFrame() < keys.back().frame + 300) {
        run.Step();
        const std::string board = "\n" + describeRun(run);
        if (board.find(GetParam().seen) != std::string::npos)
            return;
        boards = board;
    }
    ADD_FAILURE() << "never seen: " << GetParam().seen << "\nlast board:" << boards;
}

const StateCase STATE_CASES[] = {
    {"BridgeCollapsing", {"..S......E", "####--####", FLOOR}, "R R R R R R R", "\n####,-####"},
    {"GateOpen", {".b.cS...B.E", FLOOR, FLOOR}, "L L", "\n.c@.S...|.E"},
    {"FrostShotAndFrozenCrate", {"..S5....c...E", FLOOR, FLOOR}, "R 1", "\n..S@.*..c...E"},
    {"FrozenCrate", {"..S5....c...E", FLOOR, FLOOR}, "R 1", "\nfrozen: 8,21\n"},
    {"HeatShot", {"..S6....C...E", FLOOR, FLOOR}, "R 1", "\n..S@.^..C...E"},
    {"HeatedCrate", {"..S6....C...E", FLOOR, FLOOR}, "R 1", "\nheated: 8,21\n"},
    {"BotAwake", {"..S......[...E", FLOOR, FLOOR}, "R", "{"},
    {"InflatableCrate", {"..S1......E", FLOOR, FLOOR}, "R 1", "\n..S@n.....E"},
};

INSTANTIATE_TEST_SUITE_P(States, ShowStateTest, testing::ValuesIn(STATE_CASES),
                         [](const testing::TestParamInfo<StateCase>& run) { return std::string(run.param.name); });

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
    int steps = 0;
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
    EXPECT_EQ(solved.steps, GetParam().steps);
}

const SolveCase SOLVE_CASES[] = {
    {"Walk", WALK, "R R R R", "", 4},
    // The crate must fill the hole before he can cross it.
    {"CrateIntoTheHole", {"...Sc....E", "######.#########", FLOOR}, "R R R R R R", "", 6},
    // The crate goes onto the button, twice pushed, and holds the gate open.
    {"CrateHoldsTheButton", {".b.cS...B.E", FLOOR, FLOOR}, "L L R R R R R R R R", "", 10},
    // Walking into the teleport at the gap's edge comes out beside the exit.
    {"ThroughTheTeleport", {"..S.........E", "#######...######", "#######...######"}, "R R R",
     "teleport blue 4,21\nteleport blue 11,21\n", 3},
    // The barrel rolls off the ledge, back from the trampoline and into the
    // hole by the exit: the fewest steps wait for it on the ledge.
    {"WaitForTheBarrel", {"..S.o......", "######.....", "...........", "E.......Z..", "##.########", FLOOR},
     "R R wait 40 R R L L L L L L", "", 10},
    {"NoWayAcross", {"..S.......E", "#####...########", "#####...########"}, nullptr, ""},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, SolveTest, testing::ValuesIn(SOLVE_CASES),
                         [](const testing::TestParamInfo<SolveCase>& run) { return std::string(run.param.name); });

// ---- levellab judge

std::string judgeFixture(const std::string& name)
{
    return std::string(CORVELLE_SOURCE_DIR) + "/tests/tools/levellab/" + name;
}

// A level that needs its crate: it holds the button under the gate open.
std::string crateLevel(const std::string& needs = "# needs: crate 3,21\n")
{
    return source({".b.cS...B.E", FLOOR, FLOOR}, needs);
}
// A crate to push right into the hole, and on to the exit: a walk.
std::string walkLevel() { return source({"...Sc....E", "######.#########", FLOOR}, "# needs: crate 4,21\n"); }

bool has(const Program& program, const std::string& text) { return program.output.find(text) != std::string::npos; }

TEST_F(LevelLabTest, JudgeFailsLevelsThatDoNotNeedTheirIdeaOrAreWalksAndPassesOneThatNeedsItsCrate)
{
    const std::string walk = writeFixture("walk-right.txt", walkLevel());
    Program judged = runLab("judge --checks idea,walk --max-states 4000 " + judgeFixture("reg020.txt") + " " +
                            judgeFixture("reg089.txt") + " " + judgeFixture("kid060.txt") + " " + walk);
    EXPECT_EQ(judged.status, 1);
    for (const char* line : {
             "reg020 idea: FAIL: the recorded solution still exits without sand 14,22, at frame 512 in 31 steps\n",
             "reg089 idea: FAIL: solvable without heat-gun 4,13: 29 steps: ",
             "reg089 walk: FAIL: solvable with right, action, power-ups and waits: 27 steps: ",
             "kid060 idea: FAIL: solvable without crate-power-up 19,16: 26 steps: ",
             "walk-right idea: ok: without crate 4,21, no solution at all",
             "walk-right walk: FAIL: solvable with right, action, power-ups and waits: 6 steps: R R R R R R\n",
             "reg020: FAIL\n", "reg089: FAIL\n", "kid060: FAIL\n", "walk-right: FAIL\n",
             "reg020: fails the judge\n"})
        EXPECT_TRUE(has(judged, line)) << line << "\n" << judged.output;

    const std::string crate = writeFixture("crate.txt", crateLevel());
    Program passed = runLab("judge --checks idea,walk,difficulty " + crate);
    EXPECT_EQ(passed.status, 0) << passed.output;
    for (const char* line : {"crate idea: ok: without crate 3,21, no solution at all",
                             "crate walk: ok: not by right, action, power-ups and waits",
                             "crate difficulty: ok: 10 steps, 2 segments, ", "crate: ok\n"})
        EXPECT_TRUE(has(passed, line)) << line << "\n" << passed.output;
}

TEST_F(LevelLabTest, JudgeExemptsTutorialsAndTheFirstKidsLevelsFromTheIdeaAndWalkChecks)
{
    const struct {
        const char* name;
        bool exempt;
    } cases[] = {{"reg002", true}, {"reg003", false}, {"reg111", false}, {"kid001", true}, {"kid010", true},
                 {"kid011", false}, {"adv001", false}, {"mine", false}};
    for (const auto& c : cases) {
        const std::string path = writeFixture(std::string(c.name) + ".txt", source(WALK));
        Program judged = runLab("judge --checks idea,walk " + path);
        EXPECT_EQ(judged.status, c.exempt ? 0 : 1) << c.name << "\n" << judged.output;
        EXPECT_EQ(has(judged, std::string(c.name) + " walk: ok: exempt\n"), c.exempt) << judged.output;
    }
}

TEST_F(LevelLabTest, NeedsLinesThatCannotBeReadOrNameTheWrongThingFailWithTheirLine)
{
    const struct {
        const char* needs;
        const char* error;
    } cases[] = {
        {"# needs: crate\n", "fixture.txt:27: a need names at least one cell (COLUMN,ROW)"},
        {"# needs: lava 3,21\n", "fixture.txt:27: a need starts with what it names, one of: grass sand ice"},
        {"# needs: crate 3;21\n", "fixture.txt:27: '3;21' is not a cell (COLUMN,ROW)"},
        {"# needs: crate 3,21 4\n", "fixture.txt:27: '4' is not a cell (COLUMN,ROW)"},
    };
    for (const auto& c : cases) {
        std::vector<LevelNeed> needs;
        std::vector<std::string> errors;
        EXPECT_FALSE(readNeeds(crateLevel(c.needs), "fixture.txt", needs, errors)) << c.needs;
        ASSERT_FALSE(errors.empty()) << c.needs;
        EXPECT_EQ(errors[0].rfind(c.error, 0), 0u) << errors[0];
    }
    // A need whose cell holds something else is the level's fault, not a pass.
    const std::string wrong = writeFixture("wrong.txt", crateLevel("# needs: sand 3,21\n"));
    Program judged = runLab("judge --checks idea " + wrong);
    EXPECT_EQ(judged.status, 1);
    EXPECT_TRUE(has(judged, "wrong idea: FAIL: line 27: needs sand at 3,21, but the cell holds OBJECT_WCRATE\n"))
        << judged.output;
}

TEST_F(LevelLabTest, TakingANeedAwayLeavesTheLevelWithoutIt)
{
    CLevel level = compile(source({"..S:~-1C.E", "..#HH.....", FLOOR}, "legend F OBJECT_WCRATE frozen\n"));
    const struct {
        const char* need;
        int x, y;
        ElementCode tile;
    } cases[] = {{"sand 3,21", 3, 21, EC_TERRAIN_GRASS}, {"ice 4,21", 4, 21, EC_TERRAIN_GRASS},
                 {"bridge 5,21", 5, 21, EC_TERRAIN_GRASS}, {"crate-power-up 6,21", 6, 21, EC_NONE},
                 {"crate 7,21", 7, 21, EC_NONE}, {"grass 2,22", 2, 22, EC_NONE}};
    for (const auto& c : cases) {
        std::vector<LevelNeed> needs;
        std::vector<std::string> errors;
        ASSERT_TRUE(readNeeds(std::string("# needs: ") + c.need + "\n", "x", needs, errors)) << c.need;
        CLevel without = level;
        std::string error;
        ASSERT_TRUE(takeAway(without, needs[0], error)) << error;
        EXPECT_EQ(without.GetTile(c.x, c.y), c.tile) << c.need;
    }
    std::vector<LevelNeed> needs;
    std::vector<std::string> errors;
    ASSERT_TRUE(readNeeds("# needs: ladder 3,22 4,22  # both pieces\n", "x", needs, errors));
    CLevel without = level;
    std::string error;
    ASSERT_TRUE(takeAway(without, needs[0], error)) << error;
    EXPECT_FALSE(without.IsLadder(3, 22) || without.IsLadder(4, 22));
}

TEST_F(LevelLabTest, AKnownFailuresListMustNameExactlyTheLevelsThatFail)
{
    // reg050 is a walk and fails; reg051 needs its crate and passes.
    const std::string walk = writeFixture("reg050.txt", walkLevel());
    const std::string crate = writeFixture("reg051.txt", crateLevel());
    const struct {
        const char* listed;
        int status;
        const char* says;
    } cases[] = {
        {"reg050  # walk\n", 0, "reg051: ok\n"},
        {"# nothing fails\n", 1, "reg050: fails the judge and is not listed in "},
        {"reg050\nreg051\n", 1, "reg051: passes the judge now: take its line out of "},
        {"reg050\nlevel9\n", 1, ":2: 'level9' is no built-in level"},
    };
    for (const auto& c : cases) {
        const std::string list = writeFixture("known.txt", c.listed);
        Program judged = runLab("judge --checks idea,walk --known-failures " + list + " " + walk + " " + crate);
        EXPECT_EQ(judged.status, c.status) << c.listed << judged.output;
        EXPECT_TRUE(has(judged, c.says)) << c.says << "\n" << judged.output;
    }
}

TEST_F(LevelLabTest, NearCopiesAreFoundUnderShiftsOfUpToFourColumnsAndSixRows)
{
    // Clear of the board's edges, so that no shift pushes a cell off it.
    const std::vector<std::string> rows = {"......S.c.H..b.B..E", "......####H#########", "........#.H....o...",
                                           "......##############"};
    const LevelShape original = shapeOf("a", compile(source(rows)));
    const struct {
        int dx, dy;
        bool found;
    } cases[] = {{0, 0, true}, {4, -6, true}, {-4, -3, true}, {2, 0, true}, {5, 0, false}, {0, -7, false}};
    for (const auto& c : cases) {
        std::vector<std::string> moved(rows.size() + static_cast<size_t>(-c.dy), std::string(32, '.'));
        for (size_t i = 0; i < rows.size(); ++i) {
            std::string row = c.dx >= 0 ? std::string(static_cast<size_t>(c.dx), '.') + rows[i] : rows[i].substr(static_cast<size_t>(-c.dx));
            moved[i] = row.substr(0, 32);
        }
        const LevelShape shifted = shapeOf("b", compile(source(moved)));
        const ShapeMatch match = compareShapes(shifted, original);
        EXPECT_EQ(match.differ < NEAR_COPY_SHARE, c.found) << c.dx << "," << c.dy << ": " << match.differ;
        if (c.found) {
            EXPECT_EQ(match.differ, 0.0) << c.dx << "," << c.dy;
            EXPECT_EQ(std::make_pair(match.dx, match.dy), std::make_pair(c.dx, c.dy));
        }
    }
}

TEST_F(LevelLabTest, JudgeComparesWithEveryBuiltInLevelButItself)
{
    const CLevel crate = compile(crateLevel());
    const CLevel other = compile(source({"..S.......E", "#####.##########", FLOOR}));
    const std::vector<unsigned char> bytes =
        packResourceArchive({{"reg051.lvl", crate.ToBytes(0)}, {"adv007.lvl", crate.ToBytes(0)},
                             {"kid003.lvl", other.ToBytes(0)}});
    const std::string archive = writeFixture("resource4.dat", std::string(bytes.begin(), bytes.end()));
    const std::string path = writeFixture("reg051.txt", crateLevel());
    Program judged = runLab("judge --checks copies --archive " + archive + " " + path);
    EXPECT_EQ(judged.status, 1) << judged.output;
    EXPECT_TRUE(has(judged, "reg051 copies: FAIL: closest adv007 shifted 0,0: 0 % of cells differ")) << judged.output;
}

// A level no search ends soon: barrels to roll between trampolines, so the
// world changes at every wait, and the exit walled in.
std::string endlessLevel()
{
    return source({"#E#", "###", "..........H", "..S.......H.......o........Z....", "###############################.",
                   "Z.o............................Z", FLOOR});
}

TEST_F(LevelLabTest, SolveAndJudgeStopOnSignalsWithTheBestLineSoFar)
{
    const std::string path = writeFixture("endless.txt", endlessLevel());
    const struct {
        const char* command;
        const char* signal;
        int status;
        const char* says;
    } cases[] = {
        {"solve PATH --max-states 100000000", "TERM", 143, "interrupted after "},
        {"solve PATH --max-states 100000000", "INT", 130, "interrupted after "},
        {"judge --checks walk,difficulty --max-states 100000000 PATH", "TERM", 143,
         "FAIL: interrupted after "},
    };
    for (const auto& c : cases) {
        std::string command = c.command;
        command.replace(command.find("PATH"), 4, path);
        // The signal goes once the lab has taken over SIGTERM (bit 15 of
        // SigCgt in /proc) and had two seconds to start searching: a fixed
        // delay from the start raced a slow start-up under the sanitizers.
        Program stopped = runCommand(std::string("bash -c '") + CORVELLE_LEVELLAB + " " + command +
                                     " & lab=$!; for i in $(seq 1200); do"
                                     " caught=$(awk \"/^SigCgt/{print \\$2}\" /proc/$lab/status);"
                                     " (( 0x${caught:-0} & 0x4000 )) && break; sleep 0.05; done;"
                                     " sleep 2; kill -s " + c.signal + " $lab; wait $lab'");
        EXPECT_EQ(stopped.status, c.status) << c.command << c.signal << "\n" << stopped.output;
        EXPECT_TRUE(has(stopped, c.says)) << c.says << "\n" << stopped.output;
    }
}

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
