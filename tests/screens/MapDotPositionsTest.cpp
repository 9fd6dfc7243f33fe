#include "screens/MapDotPositions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

using Place = std::pair<int, int>;
using Places = std::vector<Place>;

Places rowsOf(int levelSet)
{
    MapDotTable table = mapDotPositions(levelSet);
    Places rows;
    for (int i = 0; i < table.count; ++i)
        rows.push_back({table.rows[i].x, table.rows[i].y});
    return rows;
}

const std::set<int> tutorialLevels = {1,  3,  5,  7,  9,  11, 14, 16, 18, 20, 22, 24, 28,
                                      30, 32, 35, 38, 42, 45, 48, 51, 55, 67, 75, 81, 90};

TEST(MapDotPositions, EachSetHasItsRowsAndFixedEnds)
{
    struct Case {
        int set;
        size_t rows;
        Places first, last;
    };
    const Case cases[] = {
        {0, 111, {{26, 378}, {46, 385}, {46, 385}}, {{343, 207}, {323, 204}, {305, 199}}},
        {1, 50, {{41, 384}, {70, 384}, {98, 378}}, {{360, 208}, {331, 203}, {305, 199}}},
        {2, 81, {{41, 384}, {62, 388}, {83, 385}}, {{343, 207}, {323, 204}, {305, 199}}},
    };
    for (const Case& c : cases) {
        auto rows = rowsOf(c.set);
        ASSERT_EQ(rows.size(), c.rows) << "set " << c.set;
        EXPECT_EQ(Places(rows.begin(), rows.begin() + 3), c.first) << "set " << c.set;
        EXPECT_EQ(Places(rows.end() - 3, rows.end()), c.last) << "set " << c.set;
    }
    EXPECT_EQ(mapDotPositions(3).count, 0);
    EXPECT_EQ(mapDotPositions(-1).count, 0);
}

TEST(MapDotPositions, TutorialLevelsShareThePlaceOfTheNextLevel)
{
    auto rows = rowsOf(0);
    for (size_t level = 0; level + 1 < rows.size(); ++level) {
        if (tutorialLevels.count(static_cast<int>(level)))
            EXPECT_EQ(rows[level], rows[level + 1]) << "tutorial level " << level;
        else
            EXPECT_NE(rows[level], rows[level + 1]) << "level " << level;
    }
    EXPECT_EQ(std::set<Place>(rows.begin(), rows.end()).size(), 85u);
}

TEST(MapDotPositions, KidsEndOnTheRegularTrail)
{
    auto regular = rowsOf(0), kids = rowsOf(2);
    EXPECT_EQ(Places(kids.end() - 14, kids.end()), Places(regular.end() - 14, regular.end()));
}

// Distinct places of a set never overlap (a dot is 18 pixels wide) and stay
// inside the screen.
TEST(MapDotPositions, PlacesStandApartOnTheScreen)
{
    for (int set = 0; set < 3; ++set) {
        auto rows = rowsOf(set);
        std::set<Place> places(rows.begin(), rows.end());
        for (const Place& a : places) {
            EXPECT_TRUE(a.first >= 0 && a.first + 18 <= 800 && a.second >= 0 && a.second + 18 <= 600);
            for (const Place& b : places) {
                if (a < b) {
                    EXPECT_GE(std::hypot(a.first - b.first, a.second - b.second), 15.0)
                        << "set " << set << ": (" << a.first << "," << a.second << ") and (" << b.first << ","
                        << b.second << ")";
                }
            }
        }
    }
}

} // namespace
