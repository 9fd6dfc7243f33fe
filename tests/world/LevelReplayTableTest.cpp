// Every built-in level's recorded solution, replayed on the world, ends as the
// table beside this file says: the same outcome at the same frame with the
// same steps. The table was made from the world before it was made faster, so
// any change to how the world runs a level, frame for frame, shows here.
//
// A row carries a hash of its level's bytes (all but the heading). A level
// redesigned since makes its row stale; regenerating rewrites the stale and
// missing rows only, so a row whose level did not change is never rewritten
// to hide a change in the world.

#include "LabPlay.h"
#include "engine/ResourceArchive.h"
#include "levels/Level.h"
#include "levels/Profile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace corvelle_test;

namespace {

const char* const REGENERATE =
    "cmake --build build && CORVELLE_WRITE_REPLAYS=1 build/tests/corvelle_tests --gtest_filter='LevelReplayTable.*'";

struct Row {
    std::string hash;
    std::string outcome;
    int frame = 0;
    int steps = 0;

    bool operator==(const Row& other) const
    {
        return hash == other.hash && outcome == other.outcome && frame == other.frame && steps == other.steps;
    }
};

std::string tablePath() { return sourceDir() + "/tests/world/level_replays.txt"; }

std::string hashOf(const std::vector<unsigned char>& bytes)
{
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : bytes)
        hash = (hash ^ byte) * 0x100000001b3ULL;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::map<std::string, Row> readTable(const std::string& text)
{
    std::map<std::string, Row> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string name;
        Row row;
        if (fields >> name >> row.hash >> row.outcome >> row.frame >> row.steps)
            rows[name] = row;
        else
            ADD_FAILURE() << "unreadable row '" << line << "' in " << tablePath();
    }
    return rows;
}

std::string formatTable(const std::map<std::string, Row>& rows)
{
    std::string text = std::string("# Built-in levels replayed: level, hash of its bytes but the heading, outcome, frame, steps.\n"
                                   "# Rows of changed levels: ") +
                       REGENERATE + "\n";
    for (const auto& [name, row] : rows) {
        char line[128];
        std::snprintf(line, sizeof line, "%-8s %s %-14s %6d %5d\n", name.c_str(), row.hash.c_str(), row.outcome.c_str(),
                      row.frame, row.steps);
        text += line;
    }
    return text;
}

class LevelReplayTable : public testing::Test
{
protected:
    static void SetUpTestSuite() { prepareHeadlessWorld(); }
    static void TearDownTestSuite() { releaseHeadlessWorld(); }
    CProfile profile_{CProfile::InMemory{}};
};

TEST_F(LevelReplayTable, EveryBuiltInSolutionEndsAsTheTableSays)
{
    ResourceArchive archive;
    ASSERT_TRUE(archive.open(resourceDir() + "/resource4.dat")) << archive.error();
    const std::map<std::string, Row> table = readTable(readFile(tablePath()));
    const bool regenerate = std::getenv("CORVELLE_WRITE_REPLAYS") != nullptr;
    std::map<std::string, Row> made;
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        ASSERT_TRUE(archive.entry(i, entry)) << archive.error();
        const std::string name = entry.name.substr(0, entry.name.rfind(".lvl"));
        CLevel level;
        ASSERT_TRUE(level.LoadBytes(entry.name.c_str(), entry.data.data(), entry.data.size())) << name;
        // The heading plays no part in the run: renaming a level keeps its row.
        level.SetHeading("");
        const std::string hash = hashOf(level.ToBytes(0));
        const auto kept = table.find(name);
        const bool current = kept != table.end() && kept->second.hash == hash;
        if (!current && !regenerate) {
            ADD_FAILURE() << name << ": " << (kept == table.end() ? "no row" : "stale") << ": regenerate with "
                          << REGENERATE;
        }
        const LabResult result = replaySolution(level, profile_);
        Row row{hash, runOutcomeName(result.outcome), result.frame, result.steps};
        std::replace(row.outcome.begin(), row.outcome.end(), ' ', '_');
        if (current) {
            EXPECT_EQ(row, kept->second) << name << ": replayed " << row.outcome << " at frame " << row.frame << " in "
                                         << row.steps << " steps; the table says " << kept->second.outcome
                                         << " at frame " << kept->second.frame << " in " << kept->second.steps
                                         << " steps";
        }
        made[name] = current ? kept->second : row;
    }
    for (const auto& [name, row] : table) {
        if (!made.count(name) && !regenerate)
            ADD_FAILURE() << name << ": stale: no longer in the archive: regenerate with " << REGENERATE;
    }
    if (regenerate) {
        std::ofstream out(tablePath(), std::ios::binary | std::ios::trunc);
        ASSERT_TRUE(out << formatTable(made)) << tablePath();
    }
}

} // namespace
