#pragma once

#include <string>
#include <vector>

class CLevel;

// The readable source of a level, one file per level (see
// assets/levels/README.md for the whole format):
//
//   heading "Across the Yard"
//   background 2
//   legend F OBJECT_WCRATE frozen
//   grid
//   ................................    24 rows of 32 cells, one character
//   ...                                 a cell, looked up in the legend
//   teleport blue 4,20                  per colour, in order
//   tutorial 3,21 "Walk right."
//   key 40 right press                  the recorded solution
//
// Lines starting with '#' (outside the grid) are comments.

// One character of the grid and what it puts into the three layers.
struct LegendEntry {
    char glyph;
    int tile;
    int ladder;
    int modifier;
};

// The characters every source may use without declaring them.
const std::vector<LegendEntry>& defaultLegend();

// Compiles a source into the level (which is reset first). On failure the
// errors read "file:line:column: message" and the level is left reset.
// Breaking the editor's placement rules is an error too, unless
// layoutWarnings is given: then those messages go there instead.
bool compileLevelSource(const std::string& text, const std::string& fileName, CLevel& level,
                        std::vector<std::string>& errors, std::vector<std::string>* layoutWarnings = nullptr);

// Writes a level as a source. False (with the reason) for a level that no
// source can express, such as one with more different cell contents than a
// legend has characters.
bool decompileLevel(const CLevel& level, std::string& text, std::string& error);
