#include "LabJudge.h"

#include "levels/ElementCodes.h"
#include "levels/LevelSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// ---- What a need may name, and what taking it away leaves.

constexpr int MAX_SHIFT_COLUMNS = 4;
constexpr int MAX_SHIFT_ROWS = 6;
constexpr int KIDS_WALK_EXEMPT = 10; // the first kids levels

enum class Layer { Tile, Modifier, Teleport };

struct NeedKind {
    const char* word;
    Layer layer;
    std::vector<int> codes; // what the cell holds (tile codes, or the modifier)
    int leaves;             // what it holds once taken away
};

const std::vector<NeedKind>& needKinds()
{
    static const std::vector<NeedKind> kinds = {
        {"grass", Layer::Tile, {EC_TERRAIN_GRASS}, EC_NONE},
        {"sand", Layer::Tile, {EC_TERRAIN_SAND}, EC_TERRAIN_GRASS},
        {"ice", Layer::Tile, {EC_TERRAIN_ICE}, EC_TERRAIN_GRASS},
        {"bridge", Layer::Tile, {EC_TERRAIN_BRIDGE}, EC_TERRAIN_GRASS},
        {"ladder", Layer::Tile, {}, EC_NONE}, // the ladder layer, below
        {"crate", Layer::Tile, {EC_OBJECT_WCRATE, EC_OBJECT_MCRATE}, EC_NONE},
        {"barrel", Layer::Tile, {EC_OBJECT_WBARREL, EC_OBJECT_MBARREL}, EC_NONE},
        {"magnet", Layer::Tile, {EC_OBJECT_LMAGNET, EC_OBJECT_RMAGNET}, EC_NONE},
        {"gate", Layer::Tile, {EC_DEVICE_GATE_B, EC_DEVICE_GATE_Y, EC_DEVICE_GATE_R}, EC_NONE},
        {"button", Layer::Tile, {EC_DEVICE_BUTTON_B, EC_DEVICE_BUTTON_Y, EC_DEVICE_BUTTON_R}, EC_NONE},
        {"trampoline", Layer::Tile, {EC_DEVICE_TRAMPOLINE}, EC_NONE},
        {"bot", Layer::Tile, {EC_BOT_HANG, EC_BOT_LEFT, EC_BOT_RIGHT}, EC_NONE},
        {"crate-power-up", Layer::Tile, {EC_POWERUP_CRATE}, EC_NONE},
        {"barrel-power-up", Layer::Tile, {EC_POWERUP_BARREL}, EC_NONE},
        {"magnet-power-up", Layer::Tile, {EC_POWERUP_MAGNET}, EC_NONE},
        {"emp", Layer::Tile, {EC_POWERUP_EMP}, EC_NONE},
        {"frost-gun", Layer::Tile, {EC_POWERUP_FROSTGUN}, EC_NONE},
        {"heat-gun", Layer::Tile, {EC_POWERUP_HEATGUN}, EC_NONE},
        {"bridge-power-up", Layer::Tile, {EC_POWERUP_BRIDGE}, EC_NONE},
        {"whistle", Layer::Tile, {EC_POWERUP_WHISTLE}, EC_NONE},
        {"teleport-power-up", Layer::Tile, {EC_POWERUP_TELEPORT}, EC_NONE},
        {"frozen", Layer::Modifier, {MODIFIER_FROZEN}, MODIFIER_NONE},
        {"heated", Layer::Modifier, {MODIFIER_HEATED}, MODIFIER_NONE},
        {"teleport", Layer::Teleport, {}, 0},
    };
    return kinds;
}

const NeedKind* findKind(const std::string& word)
{
    for (const NeedKind& kind : needKinds())
        if (word == kind.word)
            return &kind;
    return nullptr;
}

std::string cellText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

bool readCell(const std::string& word, std::pair<int, int>& cell)
{
    int x = 0, y = 0;
    char comma = 0, extra = 0;
    if (std::sscanf(word.c_str(), "%d%c%d%c", &x, &comma, &y, &extra) != 3 || comma != ',')
        return false;
    cell = {x, y};
    return true;
}

// Whether the cell holds the kind, and taking it away.
bool holds(const CLevel& level, const NeedKind& kind, int x, int y)
{
    switch (kind.layer) {
    case Layer::Teleport: return level.FindTeleport(x, y) >= 0;
    case Layer::Modifier: return isOnBoard(x, y) && level.GetModifier(x, y) == kind.codes[0];
    case Layer::Tile: break;
    }
    if (kind.codes.empty())
        return level.IsLadder(x, y);
    return std::find(kind.codes.begin(), kind.codes.end(), level.GetTile(x, y)) != kind.codes.end();
}

void remove(CLevel& level, const NeedKind& kind, int x, int y)
{
    switch (kind.layer) {
    case Layer::Teleport: {
        const int colour = level.FindTeleport(x, y);
        const std::vector<TeleportSpot> pair = level.GetTeleports(colour);
        for (const TeleportSpot& spot : pair)
            level.EraseTeleport(spot.x, spot.y);
        return;
    }
    case Layer::Modifier: level.SetModifier(kind.leaves, x, y); return;
    case Layer::Tile: break;
    }
    if (kind.codes.empty()) {
        level.SetLadder(EC_NONE, x, y);
        if (level.GetTile(x, y) == EC_PLATFORM)
            level.SetTile(EC_NONE, x, y);
        return;
    }
    level.SetTile(kind.leaves, x, y);
    if (kind.leaves == EC_NONE)
        level.SetModifier(MODIFIER_NONE, x, y);
}

// ---- The checks.

std::string describeSearch(const LabSolveResult& solved, const LabSearch& search)
{
    if (solved.interrupted)
        return "interrupted after " + std::to_string(solved.statesExplored) + " states, no line under " +
               std::to_string(solved.stepsRuledOut) + " steps";
    if (solved.limitReached)
        return "no solution within " + std::to_string(search.maxStates) + " states (none under " +
               std::to_string(solved.stepsRuledOut) + " steps)";
    return "no solution at all (" + std::to_string(solved.statesExplored) + " states)";
}

std::string describeLine(const LabSolveResult& solved)
{
    return std::to_string(solved.steps) + " steps: " + formatMoves(solved.moves);
}

JudgeVerdict interruptedVerdict(JudgeCheck check, const LabSolveResult& solved, const LabSearch& search)
{
    return {check, false, describeSearch(solved, search)};
}

JudgeVerdict checkIdea(const CLevel& level, const std::string& source, const std::string& fileName,
                       const BuiltInPlace& place, CProfile& profile, const LabSearch& search)
{
    std::vector<LevelNeed> needs;
    std::vector<std::string> errors;
    if (!readNeeds(source, fileName, needs, errors))
        return {JudgeCheck::Idea, false, errors.front()};
    if (needs.empty()) {
        if (isExemptFromIdeaAndWalk(place))
            return {JudgeCheck::Idea, true, "exempt, and names no need"};
        return {JudgeCheck::Idea, false, "names nothing its idea needs (a \"# needs:\" line)"};
    }
    std::string passed;
    for (const LevelNeed& need : needs) {
        CLevel without = level;
        std::string error;
        if (!takeAway(without, need, error))
            return {JudgeCheck::Idea, false, error};
        if (!without.GetSolution().empty()) {
            const LabResult replayed = replaySolution(without, profile);
            if (replayed.outcome == RunOutcome::Exited)
                return {JudgeCheck::Idea, false,
                        "the recorded solution still exits without " + need.text + ", at frame " +
                            std::to_string(replayed.frame) + " in " + std::to_string(replayed.steps) + " steps"};
        }
        const LabSolveResult solved = solveLevel(without, profile, search);
        if (solved.interrupted)
            return interruptedVerdict(JudgeCheck::Idea, solved, search);
        if (solved.found)
            return {JudgeCheck::Idea, false, "solvable without " + need.text + ": " + describeLine(solved)};
        passed += (passed.empty() ? "" : "; ") + std::string("without ") + need.text + ", " +
                  describeSearch(solved, search);
    }
    return {JudgeCheck::Idea, true, passed};
}

JudgeVerdict checkWalk(const CLevel& level, const BuiltInPlace& place, CProfile& profile, LabSearch search)
{
    if (isExemptFromIdeaAndWalk(place))
        return {JudgeCheck::Walk, true, "exempt"};
    search.moveSet = LabMoveSet::Walk;
    CLevel copy = level;
    const LabSolveResult solved = solveLevel(copy, profile, search);
    if (solved.interrupted)
        return interruptedVerdict(JudgeCheck::Walk, solved, search);
    if (solved.found)
        return {JudgeCheck::Walk, false, "solvable with right, action, power-ups and waits: " + describeLine(solved)};
    return {JudgeCheck::Walk, true, "not by right, action, power-ups and waits: " + describeSearch(solved, search)};
}

JudgeVerdict checkCopies(const std::string& name, const CLevel& level, const std::vector<LevelShape>* builtIns)
{
    if (!builtIns || builtIns->empty())
        return {JudgeCheck::Copies, false, "no built-in levels to compare with"};
    const LevelShape shape = shapeOf(name, level);
    ShapeMatch closest;
    std::string closestName;
    for (const LevelShape& other : *builtIns) {
        if (other.name == name)
            continue;
        const ShapeMatch match = compareShapes(shape, other);
        if (match.differ < closest.differ) {
            closest = match;
            closestName = other.name;
        }
    }
    char text[160];
    std::snprintf(text, sizeof text, "closest %s shifted %d,%d: %.0f %% of cells differ", closestName.c_str(),
                  closest.dx, closest.dy, 100 * closest.differ);
    return {JudgeCheck::Copies, closest.differ >= NEAR_COPY_SHARE, text};
}

JudgeVerdict checkDifficulty(const CLevel& level, CProfile& profile, const LabSearch& search)
{
    CLevel copy = level;
    const LabSolveResult solved = solveLevel(copy, profile, search);
    if (solved.interrupted || !solved.found)
        return {JudgeCheck::Difficulty, !solved.interrupted && solved.limitReached, describeSearch(solved, search)};
    std::string detail = std::to_string(solved.steps) + " steps, " + std::to_string(countSegments(solved.moves)) +
                         " segments, " + std::to_string(solved.statesExplored) + " states, " +
                         std::to_string(solved.moves.size()) + " moves, " + std::to_string(solved.frames) +
                         " frames: " + formatMoves(solved.moves);
    if (solved.limitReached)
        detail += " (the fewest steps not proven within " + std::to_string(search.maxStates) + " states)";
    return {JudgeCheck::Difficulty, true, detail};
}

} // namespace

bool readNeeds(const std::string& source, const std::string& fileName, std::vector<LevelNeed>& needs,
               std::vector<std::string>& errors)
{
    static const std::string MARK = "# needs:";
    std::istringstream in(source);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, MARK.size(), MARK) != 0)
            continue;
        const std::string body = line.substr(start + MARK.size());
        std::istringstream words(body.substr(0, body.find('#'))); // a note may follow
        LevelNeed need;
        need.line = number;
        const std::string where = fileName + ":" + std::to_string(number) + ": ";
        if (!(words >> need.kind) || !findKind(need.kind)) {
            std::string known;
            for (const NeedKind& kind : needKinds())
                known += std::string(known.empty() ? "" : " ") + kind.word;
            errors.push_back(where + "a need starts with what it names, one of: " + known);
            continue;
        }
        need.text = need.kind;
        for (std::string word; words >> word;) {
            std::pair<int, int> cell;
            if (!readCell(word, cell)) {
                errors.push_back(where + "'" + word + "' is not a cell (COLUMN,ROW)");
                break;
            }
            need.cells.push_back(cell);
            need.text += " " + word;
        }
        if (need.cells.empty())
            errors.push_back(where + "a need names at least one cell (COLUMN,ROW)");
        needs.push_back(need);
    }
    return errors.empty();
}

bool takeAway(CLevel& level, const LevelNeed& need, std::string& error)
{
    const NeedKind* kind = findKind(need.kind);
    for (const auto& [x, y] : need.cells)
        if (!kind || !holds(level, *kind, x, y)) {
            const ElementCode code = level.GetTile(x, y);
            error = "line " + std::to_string(need.line) + ": needs " + need.kind + " at " + cellText(x, y) +
                    ", but the cell holds " + (code == EC_NONE ? "nothing" : elementCodeName(code));
            return false;
        }
    for (const auto& [x, y] : need.cells)
        remove(level, *kind, x, y);
    return true;
}

BuiltInPlace builtInPlaceOf(const std::string& name)
{
    static const char* const PREFIXES[LEVEL_SET_COUNT] = {"reg", "adv", "kid"};
    BuiltInPlace place;
    if (name.size() != 6 || name.find_first_not_of("0123456789", 3) != std::string::npos)
        return place;
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        const int number = std::stoi(name.substr(3));
        if (name.compare(0, 3, PREFIXES[set]) == 0 && number >= 1 && number <= LEVEL_SET_SIZES[set])
            return {set, number - 1};
    }
    return place;
}

bool isExemptFromIdeaAndWalk(const BuiltInPlace& place)
{
    return CLevelSet::isTutorialLevel(place.set, place.index) ||
           (place.set == LEVELSET_KIDS && place.index < KIDS_WALK_EXEMPT);
}

LevelShape shapeOf(const std::string& name, const CLevel& level)
{
    LevelShape shape;
    shape.name = name;
    for (int x = 0; x < BOARD_COLUMNS; ++x)
        for (int y = 0; y < BOARD_ROWS; ++y) {
            const ElementCode tile = level.GetTile(x, y);
            const ElementCode ladder = level.GetLadder(x, y);
            if (tile == EC_NONE && ladder == EC_NONE)
                continue;
            shape.cells[static_cast<size_t>(cellIndex(x, y))] =
                (static_cast<int64_t>(tile) << 32) | (static_cast<int64_t>(ladder) << 16) | level.GetModifier(x, y);
        }
    return shape;
}

ShapeMatch compareShapes(const LevelShape& a, const LevelShape& b)
{
    std::vector<int> filledA, filledB;
    for (int i = 0; i < BOARD_CELLS; ++i) {
        if (a.cells[static_cast<size_t>(i)])
            filledA.push_back(i);
        if (b.cells[static_cast<size_t>(i)])
            filledB.push_back(i);
    }
    ShapeMatch best;
    for (int dx = -MAX_SHIFT_COLUMNS; dx <= MAX_SHIFT_COLUMNS; ++dx)
        for (int dy = -MAX_SHIFT_ROWS; dy <= MAX_SHIFT_ROWS; ++dy) {
            // b's cell (x, y) is compared with a's cell (x + dx, y + dy).
            int same = 0, overlap = 0; // cells filled in both: alike, and alike or not
            for (int i : filledB) {
                const int x = i / BOARD_ROWS + dx, y = i % BOARD_ROWS + dy;
                const int64_t there = isOnBoard(x, y) ? a.cells[static_cast<size_t>(cellIndex(x, y))] : 0;
                overlap += there != 0;
                same += there == b.cells[static_cast<size_t>(i)];
            }
            const int unionSize = static_cast<int>(filledA.size() + filledB.size()) - overlap;
            if (unionSize == 0)
                continue;
            const double differ = static_cast<double>(unionSize - same) / unionSize;
            if (differ < best.differ || (differ == best.differ && std::abs(dx) + std::abs(dy) <
                                                                        std::abs(best.dx) + std::abs(best.dy)))
                best = {differ, dx, dy};
        }
    return best;
}

bool JudgeReport::Failed() const
{
    return interrupted || std::any_of(verdicts.begin(), verdicts.end(), [](const JudgeVerdict& v) { return !v.passed; });
}

const char* checkName(JudgeCheck check)
{
    switch (check) {
    case JudgeCheck::Idea: return "idea";
    case JudgeCheck::Walk: return "walk";
    case JudgeCheck::Copies: return "copies";
    case JudgeCheck::Difficulty: return "difficulty";
    }
    return "";
}

bool readCheckNames(const std::string& list, std::vector<JudgeCheck>& checks)
{
    checks.clear();
    std::istringstream in(list);
    for (std::string word; std::getline(in, word, ',');) {
        bool known = false;
        for (JudgeCheck check : {JudgeCheck::Idea, JudgeCheck::Walk, JudgeCheck::Copies, JudgeCheck::Difficulty})
            if (word == checkName(check)) {
                checks.push_back(check);
                known = true;
            }
        if (!known)
            return false;
    }
    return !checks.empty();
}

JudgeReport judgeLevel(const std::string& name, const CLevel& level, const std::string& source,
                       const std::string& fileName, CProfile& profile, const JudgeOptions& options)
{
    JudgeReport report;
    report.name = name;
    const BuiltInPlace place = builtInPlaceOf(name);
    for (JudgeCheck check : options.checks) {
        if (isStopRequested()) {
            // The check the stop came before is reported as a search cut
            // short at once, so the report always says where it stopped.
            LabSolveResult notStarted;
            notStarted.interrupted = true;
            report.verdicts.push_back(interruptedVerdict(check, notStarted, options.search));
            report.interrupted = true;
            break;
        }
        switch (check) {
        case JudgeCheck::Idea:
            report.verdicts.push_back(checkIdea(level, source, fileName, place, profile, options.search));
            break;
        case JudgeCheck::Walk: report.verdicts.push_back(checkWalk(level, place, profile, options.search)); break;
        case JudgeCheck::Copies: report.verdicts.push_back(checkCopies(name, level, options.builtIns)); break;
        case JudgeCheck::Difficulty: report.verdicts.push_back(checkDifficulty(level, profile, options.search)); break;
        }
        report.interrupted = report.interrupted || isStopRequested();
    }
    return report;
}
