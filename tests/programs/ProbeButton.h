#pragma once

#include "screens/WidgetPlace.h"

// The probe screen's one button, in the middle of the screen: a plain
// picture of its own, made at this size.
constexpr WidgetPlace PROBE_BUTTON{340, 280, {120, 40}};
