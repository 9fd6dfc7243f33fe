#pragma once

#include "LabSolver.h"

#include <array>
#include <string>
#include <vector>

// What a level's idea rests on, named by a "# needs:" line of its source:
//   # needs: KIND COLUMN,ROW [COLUMN,ROW...]
// The judge takes the cells' KIND away together (sand and ice become
// grass, a bridge grass, frozen and heated cells plain, anything else is
// removed; a teleport takes its partner along), and the level must then
// have no solution. The kinds are listed in assets/levels/README.md.
struct LevelNeed {
    int line = 0; // in the source
    std::string kind;
    std::vector<std::pair<int, int>> cells;
    std::string text; // "sand 14,22", for the reports
};

// Every "# needs:" line of a source; false (with "file:line: reason" errors)
// on a line that cannot be read.
bool readNeeds(const std::string& source, const std::string& fileName, std::vector<LevelNeed>& needs,
               std::vector<std::string>& errors);

// Takes what the need names out of the level; false (with the reason) when
// a cell does not hold that kind.
bool takeAway(CLevel& level, const LevelNeed& need, std::string& error);

// Where a built-in level belongs, from its name ("reg020": the regular set,
// index 19); set -1 for any other name.
struct BuiltInPlace {
    int set = -1;
    int index = -1;
};
BuiltInPlace builtInPlaceOf(const std::string& name);
// Tutorials and the first ten kids levels need not hold an idea of their own
// and may be walked.
bool isExemptFromIdeaAndWalk(const BuiltInPlace& place);

// A level's cells as the near-copy check compares them (tile, ladder and
// modifier in one number, 0 for an empty cell).
struct LevelShape {
    std::string name;
    std::array<int64_t, BOARD_CELLS> cells{};
};
LevelShape shapeOf(const std::string& name, const CLevel& level);
// The other level's cells shifted by up to 4 columns and 6 rows against
// this one's: the least share of cells, of those filled in either, that
// differ, and the shift that gives it.
struct ShapeMatch {
    double differ = 1.0;
    int dx = 0;
    int dy = 0;
};
ShapeMatch compareShapes(const LevelShape& a, const LevelShape& b);
// Levels closer than this are near-copies.
constexpr double NEAR_COPY_SHARE = 0.25;

// ---- The judge.

enum class JudgeCheck { Idea, Walk, Copies, Difficulty };

struct JudgeOptions {
    LabSearch search;                        // the limits of each search
    std::vector<JudgeCheck> checks;          // in this order
    const std::vector<LevelShape>* builtIns; // for near-copies
};

struct JudgeVerdict {
    JudgeCheck check;
    bool passed = true;
    std::string detail;
};

struct JudgeReport {
    std::string name;
    std::vector<JudgeVerdict> verdicts; // one per check made
    bool interrupted = false;           // a stop was requested during the checks
    bool Failed() const;
};

const char* checkName(JudgeCheck check);
// "idea,walk" and the like; false on a name that is not a check's.
bool readCheckNames(const std::string& list, std::vector<JudgeCheck>& checks);

// Judges one level: its name (the file's, without folder and extension),
// the level and its source text ("" for a level file, which has no needs).
JudgeReport judgeLevel(const std::string& name, const CLevel& level, const std::string& source,
                       const std::string& fileName, CProfile& profile, const JudgeOptions& options);
