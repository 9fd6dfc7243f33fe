#include "screens/MapDotPlan.h"

#include "engine/Log.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "screens/GuiButtonMapDot.h"
#include "screens/MapDotPositions.h"

#include <algorithm>

int mapDotCount(int set, int places, int levels)
{
    int count = std::min({places, levels, MAP_DOT_LIMIT});
    if (places != levels || count != places)
        logMessage(LOG_WARNING,
                   "MAP:  Level set %i has %i levels and %i dot places (room for %i): showing %i dots\n", set, levels,
                   places, MAP_DOT_LIMIT, std::max(count, 0));
    return std::max(count, 0);
}

int mapDotState(const CProfile& profile, int set, int level)
{
    if (profile.IsLevelCompleted(set, level))
        return CGuiButtonMapDot::COMPLETED;
    if (!profile.IsLevelLocked(set, level))
        return CGuiButtonMapDot::OPEN;
    return CGuiButtonMapDot::LOCKED;
}

std::vector<MapDotPlan> planMapDots(int set, int levels, const CProfile& profile, const MapDotEntrance& entrance)
{
    MapDotTable table = mapDotPositions(set);
    int count = mapDotCount(set, table.count, levels);
    std::vector<MapDotPlan> plan;
    plan.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index) {
        MapDotPlan dot{table.rows[index].x, table.rows[index].y, CLevelSet::isTutorialLevel(set, index),
                       mapDotState(profile, set, index), CGuiButtonMapDot::IDLE, -1};
        if (index == entrance.selected) {
            if (entrance.selectedAtOnce) {
                dot.mode = CGuiButtonMapDot::SELECTED;
            } else {
                dot.mode = CGuiButtonMapDot::APPEARING;
                dot.delay = entrance.animate ? index : 10;
            }
        } else if (entrance.animate) {
            dot.mode = CGuiButtonMapDot::GROWING;
            dot.delay = index / 2;
        }
        plan.push_back(dot);
    }
    return plan;
}
