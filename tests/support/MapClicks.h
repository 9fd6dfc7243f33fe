#pragma once

#include "screens/GuiButtonMapDot.h"
#include "screens/MapDotPositions.h"
#include "support/Clicks.h"

#include <string>

namespace corvelle_test {

// The script line that clicks the dot of a level where the map puts it; a
// tutorial level's dot is a star above its place.
inline std::string clickMapDot(int set, int level, bool star = false)
{
    const MapDotPosition& place = mapDotPositions(set).rows[level];
    return clickOn(CGuiButtonMapDot::HitPlace(place.x, place.y, star));
}

} // namespace corvelle_test
