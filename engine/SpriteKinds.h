#pragma once

// Every sprite has a kind: the number its owner gives it, which is also its
// drawing layer. The depth order (DepthOrder.h) ranks screen furniture by a
// fixed precedence and orders the board's kinds by hand-made pair rules, so
// a kind says both what a sprite is and what it is drawn in front of. Owners
// take their kinds from here; a number spelled anywhere else would hide a
// layer from the depth order's rules.

// ---- The board: the game world's elements (below KIND_FURNITURE_FIRST).
// Terrain tiles, ice and bridge sections. Its tiles run downward from its
// row where every other kind reaches upward from it.
constexpr int KIND_TERRAIN = 10;
constexpr int KIND_BRIDGE_COLLAPSING = 11;
constexpr int KIND_LADDER = 12;
constexpr int KIND_LADDER_PLATFORM = 13;
constexpr int KIND_GATE_BACK = 20;
constexpr int KIND_GATE_FRONT = 21;
constexpr int KIND_GATE_LIGHTS = 22;
constexpr int KIND_BUTTON = 23;
constexpr int KIND_GATE_BACK_CLOSING = 24;
constexpr int KIND_TRAMPOLINE_BACK = 30;
constexpr int KIND_TRAMPOLINE_FRONT = 31;
constexpr int KIND_TRAMPOLINE_CANVAS_LEFT = 32;
constexpr int KIND_TRAMPOLINE_CANVAS = 33;
// Tube bodies, entrances and their breaking.
constexpr int KIND_TUBE = 40;
constexpr int KIND_TUBE_EXIT_LIGHTS = 41;
constexpr int KIND_TUBE_ARROW = 42;
constexpr int KIND_POWERUP_ITEM = 50;
constexpr int KIND_POWERUP_HALO = 51;
constexpr int KIND_POWERUP_TEXT = 52;
// A frost or heat shot in flight.
constexpr int KIND_SHOT = 53;
constexpr int KIND_TUTORIAL_ICON = 56;
constexpr int KIND_TELEPORT_FRONT = 60;
constexpr int KIND_TELEPORT_PORTAL = 61;
constexpr int KIND_TELEPORT_BACK = 62;
// The two halves of a sprite passing through a teleport: the copy left
// behind and the sprite itself coming out (which counts as moving right
// even while it stands).
constexpr int KIND_TELEPORT_GHOST = 64;
constexpr int KIND_TELEPORT_GLOW_LEFT = 65;
constexpr int KIND_TELEPORT_GLOW_RIGHT = 66;
constexpr int KIND_TELEPORT_EMERGING = 67;
constexpr int KIND_BOT = 70;
constexpr int KIND_PROFESSOR = 71;
constexpr int KIND_PROFESSOR_IN_TUBE = 73;
// Crates, barrels and magnets.
constexpr int KIND_OBJECT = 80;
// The heat glow and the EMP's flash.
constexpr int KIND_GLOW = 90;
constexpr int KIND_HEAT_BURST = 92;
// A frost shot's hit and the steam of heat meeting ice.
constexpr int KIND_FROST_BURST = 93;
// Ranked in front of the board like the kinds around them, but taken by no
// sprite yet.
constexpr int KIND_BOARD_SPARE_54 = 54;
constexpr int KIND_BOARD_SPARE_55 = 55;
constexpr int KIND_BOARD_SPARE_72 = 72;
constexpr int KIND_BOARD_SPARE_91 = 91;

// ---- Screen furniture: this kind and above. `CSprite::show` ignores its
// location arguments for them.
constexpr int KIND_FURNITURE_FIRST = 1000;
// Always behind everything else, the swap picture farthest.
constexpr int KIND_BACKGROUND = 1100;
constexpr int KIND_BACKGROUND_GRID = 1101;
constexpr int KIND_SWAP_IMAGE = 1103;
// An element's flash as it breaks.
constexpr int KIND_FLASH = 1102;

// The editor's toolbox, over the board and under the pointer.
constexpr int KIND_PALETTE_DIMMER = 1200;
constexpr int KIND_PALETTE_SHADOW = 1300;
constexpr int KIND_PALETTE_TOOLBOX = 1301;
constexpr int KIND_PALETTE_SELECTOR = 1302;
constexpr int KIND_PALETTE_SPARE_1303 = 1303;
constexpr int KIND_PALETTE_SPARE_1304 = 1304;
// The mouse pointer, the hourglass and anything drawn as a pointer: in
// front of everything.
constexpr int KIND_POINTER = 1305;

// The level editor's own board: the picture under the pointer and the
// placed pieces, ordered among themselves by the editor's pair rules.
constexpr int KIND_EDITOR_CURSOR = 1306;
constexpr int KIND_EDITOR_LADDER = 1307;
constexpr int KIND_EDITOR_TERRAIN = 1308;
constexpr int KIND_EDITOR_TELEPORT = 1309;
constexpr int KIND_EDITOR_ELEMENT = 1310;

// The main menu's scene, back to front as ranked.
constexpr int KIND_SCENE_VOLCANO_GLOW = 1400;
constexpr int KIND_SCENE_VOLCANO_SMOKE = 1401;
constexpr int KIND_SCENE_VOLCANO_FRONT = 1402;
constexpr int KIND_SCENE_LEFT_ARM = 1403;
constexpr int KIND_SCENE_HEAD = 1404;
constexpr int KIND_SCENE_BODY = 1405;
constexpr int KIND_SCENE_RIGHT_ARM = 1406;
constexpr int KIND_SCENE_LEAVES = 1407;
constexpr int KIND_SCENE_PROFILE_PLATE = 1408;
// Clouds drifting over the scene, the lower edge in front.
constexpr int KIND_SCENE_CLOUD = 1500;

// A screen's pictures and texts, back to front. A screen opened over
// another starts one layer up, so that its dimmer covers the other's.
constexpr int KIND_SCREEN_DIMMER = 1410;
constexpr int KIND_SCREEN_BACKGROUND = 1411;
constexpr int KIND_SCREEN_PANEL = 1412;
constexpr int KIND_SCREEN_OVERLAY = 1413;
constexpr int KIND_SCREEN_FRONT = 1414;
constexpr int KIND_SCREEN_TOP = 1415;
constexpr int KIND_LISTBOX_CONTENT = KIND_SCREEN_OVERLAY;

// Widgets, back to front.
constexpr int KIND_WIDGET_SHADOW = 1420;
constexpr int KIND_WIDGET_BASE = 1421;
// The rollover and the pressed picture.
constexpr int KIND_WIDGET_ROLLOVER = 1422;
// Texts, cursors and everything laid over a widget.
constexpr int KIND_WIDGET_OVERLAY = 1423;

// Pictures over whole screens, back to front: help boxes and arrows, the
// intro's splash pictures.
constexpr int KIND_OVERLAY_BACK = 1430;
constexpr int KIND_OVERLAY_LOW = 1431;
constexpr int KIND_OVERLAY_MIDDLE = 1432;
constexpr int KIND_OVERLAY_HIGH = 1433;
constexpr int KIND_OVERLAY_FRONT = 1434;

// A step counter's frame, in front of the widgets and overlays.
constexpr int KIND_COUNTER_FRAME = 1450;
