// The dots the map shows for a set: their states from the profile, the
// tutorial stars sharing a place with the level after them, and a dot table
// that disagrees with the level count.
#include "levels/LevelSet.h"
#include "levels/ProfileTestSupport.h"
#include "engine/Log.h"
#include "screens/GuiButtonMapDot.h"
#include "screens/MapDotPlan.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace profile_test;

namespace {

const MapDotEntrance STILL{false, -1, false};

class MapDotPlanTest : public ProfileTest
{
};

std::string warningsOf(const std::function<void()>& action)
{
    initLogChannels(false);
    enableLogChannel(LOG_WARNING);
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

} // namespace

TEST_F(MapDotPlanTest, MapDotsShowEachLevelsStateFromItsScore)
{
    profile = std::make_unique<CProfile>();
    profile->SetScore(CProfile::SCORE_LOCKED, 0, 0);
    profile->SetScore(37, 0, 0);
    profile->SetScore(CProfile::SCORE_OPEN, 0, 1);
    profile->SetScore(12345, 2, 80);
    std::vector<MapDotPlan> regular = planMapDots(0, REGULAR_LEVEL_COUNT, *profile, STILL);
    EXPECT_EQ(regular[0].state, CGuiButtonMapDot::COMPLETED);
    EXPECT_EQ(regular[1].state, CGuiButtonMapDot::OPEN);
    EXPECT_EQ(regular[2].state, CGuiButtonMapDot::LOCKED);
    EXPECT_EQ(regular[110].state, CGuiButtonMapDot::LOCKED);
    std::vector<MapDotPlan> kids = planMapDots(2, KIDS_LEVEL_COUNT, *profile, STILL);
    EXPECT_EQ(kids[80].state, CGuiButtonMapDot::COMPLETED);
    EXPECT_EQ(kids[79].state, CGuiButtonMapDot::LOCKED);
}

// Each tutorial is a star over the place of the level after it; every other
// level has a place of its own, and every set's trail ends at one place.
TEST_F(MapDotPlanTest, MapDotsOfTutorialsShareThePlaceOfTheNextLevel)
{
    profile = std::make_unique<CProfile>();
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        std::vector<MapDotPlan> dots = planMapDots(set, LEVEL_SET_SIZES[set], *profile, STILL);
        ASSERT_EQ(dots.size(), static_cast<size_t>(LEVEL_SET_SIZES[set]));
        int stars = 0;
        for (size_t level = 0; level + 1 < dots.size(); ++level) {
            bool tutorial = CLevelSet::isTutorialLevel(set, static_cast<int>(level));
            EXPECT_EQ(dots[level].star, tutorial) << "set " << set << " level " << level;
            bool shared = dots[level].x == dots[level + 1].x && dots[level].y == dots[level + 1].y;
            EXPECT_EQ(shared, tutorial) << "set " << set << " level " << level;
            stars += tutorial;
        }
        EXPECT_EQ(stars, set == 0 ? TUTORIAL_LEVEL_COUNT : 0);
        EXPECT_FALSE(dots.back().star);
        EXPECT_EQ(std::make_pair(dots.back().x, dots.back().y), std::make_pair(305, 199)) << "set " << set;
    }
}

TEST_F(MapDotPlanTest, MapDotsComeUpAsTheMapAsks)
{
    profile = std::make_unique<CProfile>();
    struct Case {
        MapDotEntrance entrance;
        int selectedMode, selectedDelay, otherMode, otherDelayAt7;
    };
    const Case cases[] = {
        {{true, 6, false}, CGuiButtonMapDot::APPEARING, 6, CGuiButtonMapDot::GROWING, 3},
        {{false, 6, false}, CGuiButtonMapDot::APPEARING, 10, CGuiButtonMapDot::IDLE, -1},
        {{true, 6, true}, CGuiButtonMapDot::SELECTED, -1, CGuiButtonMapDot::GROWING, 3},
    };
    for (const Case& c : cases) {
        std::vector<MapDotPlan> dots = planMapDots(1, ADVANCED_LEVEL_COUNT, *profile, c.entrance);
        EXPECT_EQ(dots[6].mode, c.selectedMode);
        EXPECT_EQ(dots[6].delay, c.selectedDelay);
        EXPECT_EQ(dots[7].mode, c.otherMode);
        EXPECT_EQ(dots[7].delay, c.otherDelayAt7);
    }
}

// A table and a level count that disagree show the smaller number of dots
// (never more than the map has room for) and say so.
TEST_F(MapDotPlanTest, MapDotTableAndLevelCountMismatchIsWarnedAndCut)
{
    profile = std::make_unique<CProfile>();
    struct Case {
        int places, levels, shown;
        bool warned;
    };
    const Case cases[] = {{111, 111, 111, false}, {111, 100, 100, true}, {50, 60, 50, true},
                          {200, 200, MAP_DOT_LIMIT, true}, {0, 5, 0, true}};
    for (const Case& c : cases) {
        int shown = -1;
        std::string log = warningsOf([&] { shown = mapDotCount(1, c.places, c.levels); });
        EXPECT_EQ(shown, c.shown) << c.places << " places, " << c.levels << " levels";
        EXPECT_EQ(log.find("dot places") != std::string::npos, c.warned) << log;
    }
    std::vector<MapDotPlan> dots;
    std::string log = warningsOf([&] { dots = planMapDots(0, 90, *profile, STILL); });
    EXPECT_EQ(dots.size(), 90u);
    EXPECT_NE(log.find("Level set 0 has 90 levels and 111 dot places"), std::string::npos) << log;
    log = warningsOf([&] { dots = planMapDots(2, 100, *profile, STILL); });
    EXPECT_EQ(dots.size(), static_cast<size_t>(KIDS_LEVEL_COUNT));
}
