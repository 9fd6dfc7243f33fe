#pragma once

// The board and the world's own numbering of elements. These numbers are not
// the level file's element codes (levels/ElementCodes.h): the game screen's
// factory maps those onto element constructors.

constexpr int BOARD_COLUMNS = 32;
constexpr int BOARD_ROWS = 24;
constexpr int BOARD_CELLS = BOARD_COLUMNS * BOARD_ROWS;
constexpr int CELL_SIZE = 24; // pixels

// Steps the player can take back.
constexpr int UNDO_STEPS = 5;

// An element falling off the board stops at this row.
constexpr int FALL_LIMIT_ROW = 26;

// Cell index of the class-wide grids: column-major.
constexpr int cellIndex(int column, int row) { return column * BOARD_ROWS + row; }
constexpr bool isOnBoard(int column, int row)
{
    return column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
}

// Field `type`.
enum ElementType {
    ELEMENT_NULL = 0,
    ELEMENT_TERRAIN = 2,
    ELEMENT_LADDER = 3,
    ELEMENT_DEVICE = 4,
    ELEMENT_OBJECT = 5,
    ELEMENT_AI = 6,
    ELEMENT_TUTORIAL = 8,
};

// Field `typeTerrain`.
enum TerrainKind {
    TERRAIN_GRASS = 1,
    TERRAIN_ICE = 2,
    TERRAIN_SAND = 3,
    TERRAIN_BRIDGE = 4,
};

// Field `typeDevice`. A gunshot is a frost or heat shot in flight.
enum DeviceKind {
    DEVICE_GUNSHOT = 1,
    DEVICE_GATE = 2,
    DEVICE_BUTTON = 3,
    DEVICE_TRAMPOLINE = 4,
    DEVICE_TUBE = 5,
    DEVICE_TELEPORT = 6,
    DEVICE_POWERUP = 7,
};

// Field `typeObject`.
enum ObjectKind {
    OBJECT_CRATE = 1,
    OBJECT_BARREL = 2,
    OBJECT_MAGNET = 3,
};

// Field `typeAI`.
enum AIKind {
    AI_PROFESSOR = 1,
    AI_BOT = 2,
};
