#pragma once

#include <string>
#include <vector>

class CLevel;

// Something in a level that the editor's placement rules would never let
// stand: a tube in the air, a ladder through a gate, an unpaired teleport.
struct LayoutProblem {
    enum Where { LEVEL, CELL, TELEPORT };
    Where where = LEVEL;
    int x = -1; // CELL: the cell
    int y = -1;
    int colour = -1; // TELEPORT: the entry of that colour's list
    int index = -1;
    std::string message;
};

// Every problem of the level's layout: the cells row by row, then the
// teleports, then the level as a whole. Empty for a level the editor could have made.
std::vector<LayoutProblem> checkLevelLayout(const CLevel& level);
