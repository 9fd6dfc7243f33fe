#pragma once

// Where the map screen puts the dot of each level, in level order (the row
// number is the level index). The places lie on the paths painted into
// "map_background.jpg": the picture tool draws those paths through these same
// tables, so picture and dots cannot drift apart.
//
// A tutorial level of the regular set shares its row with the level after it
// (the map draws it as a star above that place); the last 14 rows of the kids
// set are the last 14 of the regular set; every path ends at (305, 199).
struct MapDotPosition {
    int x;
    int y;
};

struct MapDotTable {
    const MapDotPosition* rows;
    int count;
};

// levelSet: 0 regular, 1 advanced, 2 kids; any other gives an empty table.
MapDotTable mapDotPositions(int levelSet);
