#pragma once

#include "engine/SpriteKinds.h"
#include "levels/ElementCodes.h"

#include <string>
#include <vector>

// The pictures the editor puts on its board and under its cursor, as data.
// Origins are in the sprites' (29, 20) convention.

struct EditorPicture {
    const char* image = nullptr; // null: no picture of this kind
    int originX = 0;
    int originY = 0;
};

// An element as the editor draws it: the plain picture and, for what can be
// frozen or heated, the pictures of those states.
struct EditorElementPicture {
    ElementCode code;
    EditorPicture normal;
    EditorPicture frozen;
    EditorPicture heated;
    int kind;
};

// The picture of a tile-layer element, or null for a code the editor does
// not draw. Grass and sand name a series ("grass%i.png") by run width.
const EditorElementPicture* editorElementPicture(ElementCode code);
// The picture for a cell's modifier (frozen or heated where the element has
// one, else the plain picture), with the run width filled in for terrain runs.
EditorPicture editorPictureFor(const EditorElementPicture& element, int modifier, int runWidth,
                               std::string& nameStore);

// Ladder pieces, the ladder platform and the teleports.
EditorPicture editorLadderPiece(int index, int height); // index 0 is the top
EditorPicture editorPlatformPicture();
EditorPicture editorTeleportPicture(int colour);

// The cursor pictures, in a fixed order; each has a label for its sprite's
// name ("Editor - Cursor (GRASS)").
enum EditorCursor {
    CURSOR_NONE,
    CURSOR_GRASS,
    CURSOR_SAND,
    CURSOR_ICE,
    CURSOR_BRIDGE,
    CURSOR_LADDER,
    CURSOR_GATE_B,
    CURSOR_GATE_Y,
    CURSOR_GATE_R,
    CURSOR_BUTTON_B,
    CURSOR_BUTTON_Y,
    CURSOR_BUTTON_R,
    CURSOR_TELEPORT_B,
    CURSOR_TELEPORT_Y,
    CURSOR_TELEPORT_R,
    CURSOR_TRAMPOLINE,
    CURSOR_TUBE_START,
    CURSOR_TUBE_END,
    CURSOR_POWERUP_FROSTGUN,
    CURSOR_POWERUP_HEATGUN,
    CURSOR_POWERUP_EMP,
    CURSOR_POWERUP_WHISTLE,
    CURSOR_POWERUP_MAGNET,
    CURSOR_POWERUP_CRATE,
    CURSOR_POWERUP_BARREL,
    CURSOR_POWERUP_TELEPORT,
    CURSOR_POWERUP_BRIDGE,
    CURSOR_WBARREL,
    CURSOR_MBARREL,
    CURSOR_WCRATE,
    CURSOR_MCRATE,
    CURSOR_LMAGNET,
    CURSOR_RMAGNET,
    CURSOR_BOT,
    CURSOR_BOT_HANG,
    CURSOR_BOT_LEFT,
    CURSOR_BOT_RIGHT,
    CURSOR_TUTORIAL,
    CURSOR_FREEZE,
    CURSOR_HEAT,
    CURSOR_ERASE,
    CURSOR_OUTLINE_1X1,
    CURSOR_OUTLINE_0X2,
    CURSOR_OUTLINE_1X2,
    CURSOR_COUNT
};

struct EditorCursorPicture {
    const char* spriteName;
    EditorPicture picture;
};
const EditorCursorPicture& editorCursorPicture(int cursor);

// Every picture name the board and the cursor may show (series expanded), so
// tests and the start-up check can see that each exists.
std::vector<std::string> editorBoardPictureNames();
