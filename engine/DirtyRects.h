#pragma once

#include "engine/Motion.h"

#include <vector>

// Controller ids of the screens whose dirty rectangles are cut into cells.
constexpr int CONTROLLER_ID_GAME = 5;
constexpr int CONTROLLER_ID_EDITOR = 6;

// The cells of the full screen on the game screen and in the editor.
constexpr int FULL_SCREEN_CELL_WIDTH = 32;
constexpr int FULL_SCREEN_CELL_HEIGHT = 24;

// Rectangles above this area (after cutting to the screen) make the whole
// screen dirty.
constexpr long long FULL_SCREEN_AREA_LIMIT = 400000;

// Merges overlapping rectangles wherever the union paints no more than the
// two did, until a pass merges nothing.
void mergeDirtyRects(std::vector<DirtyRect>& rects);

// Cuts the rectangles to the screen and drops those off it. A rectangle
// above the area limit replaces the whole list by the full screen (as 625
// cells of 32 x 24 on the game screen and in the editor). On the game
// screen, rectangles above 5000 pixels are cut into cells of 25, 50 or 100
// pixels, so that each cell collects few sprites. `controllerId` is the
// current screen's id, -1 for none. Returns whether the list became the
// full screen's cells, which tile the screen without overlapping.
bool clipDirtyRects(std::vector<DirtyRect>& rects, int controllerId);

// Logs the list on the dirty-rectangle channel.
void dumpDirtyRects(const std::vector<DirtyRect>& rects);
