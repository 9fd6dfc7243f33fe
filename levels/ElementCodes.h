#pragma once

#include <cstdint>
#include <string>

// The level element code: the integer stored per cell in a level's tile and
// ladder layers. It is the one vocabulary of the level file, the level
// sources, the editor's palette and the element factory, so every code and
// its name lives here and nowhere else.
using ElementCode = int32_t;

enum : ElementCode {
    // Commands and brushes of the editor's palette; never stored in a level.
    EC_CTRL_HELP = 0,
    EC_FREEZE_MODE = 1,
    EC_HEAT_MODE = 2,
    EC_CTRL_NEW = 6,
    EC_CTRL_LOAD = 12,
    EC_CTRL_SAVE = 18,
    EC_CTRL_SAVE_AS = 24,
    EC_CTRL_TEST = 30,
    EC_CTRL_RECORD = 36,
    EC_CTRL_PLAY = 42,
    EC_CTRL_EXIT = 48,
    // The palette's bot cell; the editor turns it into one of the three bots.
    EC_PALETTE_BOT = 16,

    EC_TUTORIAL = 3,
    EC_DEVICE_TUBE_START = 4,
    EC_NONE = 5,
    EC_POWERUP_FROSTGUN = 7,
    EC_POWERUP_HEATGUN = 8,
    EC_POWERUP_WHISTLE = 9, // has no name of its own
    EC_DEVICE_TUBE_END = 10,
    EC_POWERUP_TELEPORT = 13,
    EC_POWERUP_BRIDGE = 14,
    EC_POWERUP_EMP = 15,
    EC_POWERUP_CRATE = 19,
    EC_POWERUP_BARREL = 20,
    EC_POWERUP_MAGNET = 21,
    EC_TERRAIN_GRASS = 22,
    EC_OBJECT_WCRATE = 25,
    EC_OBJECT_WBARREL = 26,
    EC_OBJECT_LMAGNET = 27,
    EC_TERRAIN_SAND = 28,
    EC_OBJECT_MCRATE = 31,
    EC_OBJECT_MBARREL = 32,
    EC_OBJECT_RMAGNET = 33,
    EC_TERRAIN_ICE = 34,
    EC_DEVICE_GATE_B = 37,
    EC_DEVICE_GATE_Y = 38,
    EC_DEVICE_GATE_R = 39,
    EC_TERRAIN_BRIDGE = 40,
    EC_DEVICE_BUTTON_B = 43,
    EC_DEVICE_BUTTON_Y = 44,
    EC_DEVICE_BUTTON_R = 45,
    EC_LADDER = 46, // ladder layer only
    EC_DEVICE_LTELEPORT_B = 49,
    EC_DEVICE_LTELEPORT_Y = 50,
    EC_DEVICE_LTELEPORT_R = 51,
    EC_DEVICE_TRAMPOLINE = 52,
    EC_PLATFORM = 400, // tile layer only: the ladder piece here carries a platform
    EC_BOT_HANG = 450,
    EC_BOT_LEFT = 451,
    EC_BOT_RIGHT = 452,
};

// The palette's background cells are 11, 17, ..., 53: background (code - 11) / 6.
constexpr ElementCode EC_FIRST_BACKGROUND_CELL = 11;
constexpr ElementCode EC_BACKGROUND_CELL_STEP = 6;

// Cell modifiers, added to the tile code in the level file.
constexpr int32_t MODIFIER_NONE = 0;
constexpr int32_t MODIFIER_FROZEN = 1024;
constexpr int32_t MODIFIER_HEATED = 2048;

// The name of a code ("TERRAIN_GRASS"), or "***Unknown***".
const char* elementCodeName(ElementCode code);

// The code of a name; false when no code has that name.
bool elementCodeFromName(const std::string& name, ElementCode& code);

bool isTerrainCode(ElementCode code);
bool isGateCode(ElementCode code);
bool isButtonCode(ElementCode code);
bool isBotCode(ElementCode code);
bool isTubeCode(ElementCode code);
bool isObjectCode(ElementCode code); // crates, barrels, magnets

// Teleport colours: 0 blue, 1 yellow, 2 red. -1 for a code that is no teleport.
int teleportColourOfCode(ElementCode code);
ElementCode teleportCodeOfColour(int colour);

// Small elements may share their cell with a ladder piece.
bool isSmallElement(ElementCode code);
bool isFreezable(ElementCode code);
bool isHeatable(ElementCode code);
