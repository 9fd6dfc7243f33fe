#pragma once

#include "screens/WidgetPlace.h"

#include <string>

namespace corvelle_test {

// The script line that clicks the middle of a widget where its screen makes
// it.
inline std::string clickOn(const WidgetPlace& place)
{
    return "click " + std::to_string(place.centreX()) + " " + std::to_string(place.centreY()) + "\n";
}

// The script line that moves the pointer onto the middle of a widget.
inline std::string moveOnto(const WidgetPlace& place)
{
    return "move " + std::to_string(place.centreX()) + " " + std::to_string(place.centreY()) + "\n";
}

} // namespace corvelle_test
