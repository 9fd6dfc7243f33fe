// The depth order of overlapping sprites. It is not a sort by one key but a
// hand-made partial order over sprite kinds (engine/SpriteKinds.h) and tile
// positions: in the side view of the board things stand on their tile and
// reach upward, terrain hangs downward, and the professor, bots, objects and
// shots pass in front of or behind their neighbours depending on where they
// are heading.
#include "engine/DepthOrder.h"

#include "engine/Log.h"
#include "engine/Sprite.h"

#include <array>
#include <initializer_list>
#include <string>

namespace {

bool is(int type, std::initializer_list<int> types)
{
    for (int t : types)
        if (type == t)
            return true;
    return false;
}

bool isBackdrop(int type) { return is(type, {KIND_SWAP_IMAGE, KIND_BACKGROUND, KIND_BACKGROUND_GRID}); }

bool isForeground(int type)
{
    return is(type, {KIND_LADDER, KIND_GATE_LIGHTS, KIND_TUBE_ARROW, KIND_POWERUP_ITEM, KIND_POWERUP_HALO,
                     KIND_POWERUP_TEXT, KIND_BOARD_SPARE_54, KIND_BOARD_SPARE_55, KIND_TUTORIAL_ICON,
                     KIND_TELEPORT_GLOW_RIGHT, KIND_BOARD_SPARE_72, KIND_GLOW, KIND_BOARD_SPARE_91, KIND_HEAT_BURST,
                     KIND_FROST_BURST, KIND_FLASH, KIND_PALETTE_DIMMER, KIND_COUNTER_FRAME, KIND_SCENE_CLOUD}) ||
           (type >= KIND_PALETTE_SHADOW && type <= KIND_EDITOR_CURSOR) ||
           (type >= KIND_SCREEN_DIMMER && type <= KIND_SCREEN_TOP) ||
           (type >= KIND_WIDGET_SHADOW && type <= KIND_WIDGET_OVERLAY) ||
           (type >= KIND_OVERLAY_BACK && type <= KIND_OVERLAY_FRONT);
}

// A teleport's parts: beside them, sharing an edge column still counts.
bool isTeleportPart(int type)
{
    return is(type, {KIND_TELEPORT_FRONT, KIND_TELEPORT_PORTAL, KIND_TELEPORT_BACK, KIND_TELEPORT_GLOW_LEFT,
                     KIND_TELEPORT_GLOW_RIGHT});
}

// Front-most first.
constexpr int kForegroundPrecedence[] = {
    KIND_POINTER, KIND_FLASH, KIND_COUNTER_FRAME,
    KIND_OVERLAY_FRONT, KIND_OVERLAY_HIGH, KIND_OVERLAY_MIDDLE, KIND_OVERLAY_LOW, KIND_OVERLAY_BACK,
    KIND_WIDGET_OVERLAY, KIND_WIDGET_ROLLOVER, KIND_WIDGET_BASE, KIND_WIDGET_SHADOW,
    KIND_SCREEN_TOP, KIND_SCREEN_FRONT, KIND_SCREEN_OVERLAY, KIND_SCREEN_PANEL, KIND_SCREEN_BACKGROUND,
    KIND_SCREEN_DIMMER,
    KIND_SCENE_LEAVES, KIND_SCENE_RIGHT_ARM, KIND_SCENE_BODY, KIND_SCENE_HEAD, KIND_SCENE_LEFT_ARM,
    KIND_SCENE_VOLCANO_FRONT, KIND_SCENE_VOLCANO_SMOKE, KIND_SCENE_VOLCANO_GLOW, KIND_SCENE_PROFILE_PLATE,
    KIND_SCENE_CLOUD,
    KIND_PALETTE_SPARE_1303, KIND_PALETTE_SPARE_1304, KIND_PALETTE_SELECTOR, KIND_PALETTE_TOOLBOX,
    KIND_PALETTE_SHADOW, KIND_PALETTE_DIMMER, KIND_EDITOR_CURSOR,
    KIND_BOARD_SPARE_55, KIND_BOARD_SPARE_54, KIND_TELEPORT_GLOW_RIGHT, KIND_BOARD_SPARE_72, KIND_FROST_BURST,
    KIND_HEAT_BURST, KIND_BOARD_SPARE_91, KIND_GLOW, KIND_TUTORIAL_ICON, KIND_POWERUP_TEXT, KIND_POWERUP_ITEM,
    KIND_POWERUP_HALO, KIND_TUBE_ARROW};

constexpr int kMaxRankedType = KIND_SCENE_CLOUD;

// Rank of each type in the precedence (0 front-most), -1 for none.
const std::array<int8_t, kMaxRankedType + 1>& precedenceRanks()
{
    static const std::array<int8_t, kMaxRankedType + 1> ranks = [] {
        std::array<int8_t, kMaxRankedType + 1> table;
        table.fill(-1);
        int8_t rank = 0;
        for (int type : kForegroundPrecedence)
            table[type] = rank++;
        return table;
    }();
    return ranks;
}

int precedenceRank(int type)
{
    return type >= 0 && type <= kMaxRankedType ? precedenceRanks()[type] : -1;
}

const TileSpan& span(const DepthKey& k, bool previous) { return previous ? k.prevTiles : k.tiles; }

bool columnsOverlap(const DepthKey& a, const DepthKey& b, bool previous = false)
{
    const TileSpan& p = span(a, previous);
    const TileSpan& q = span(b, previous);
    return p.left <= q.right && q.left <= p.right;
}

bool rowsOverlap(const DepthKey& a, const DepthKey& b, bool previous = false)
{
    const TileSpan& p = span(a, previous);
    const TileSpan& q = span(b, previous);
    return p.top <= q.bottom && q.top <= p.bottom;
}

bool tilesOverlap(const DepthKey& a, const DepthKey& b, bool previous = false)
{
    return columnsOverlap(a, b, previous) && rowsOverlap(a, b, previous);
}

// b's tiles grown by one on every side meet a's.
bool touches(const DepthKey& a, const DepthKey& b)
{
    return a.tiles.left <= b.tiles.right + 1 && b.tiles.left - 1 <= a.tiles.right &&
           a.tiles.top <= b.tiles.bottom + 1 && b.tiles.top - 1 <= a.tiles.bottom;
}

bool below(const DepthKey& a, const DepthKey& b) { return a.tiles.top > b.tiles.bottom; }
bool above(const DepthKey& a, const DepthKey& b) { return a.tiles.bottom < b.tiles.top; }

// The column just right of a's left edge lies within b's columns.
bool holdsNextColumn(const DepthKey& holder, const DepthKey& other)
{
    int column = other.tiles.left + 1;
    return holder.tiles.left <= column && column <= holder.tiles.right;
}

bool boxesOverlap(const DepthKey& a, const DepthKey& b) { return rectsOverlap(a.box, b.box); }
bool isMoving(const DepthKey& k) { return k.movingLeft || k.movingRight || k.movingUp || k.movingDown; }
bool movingSideways(const DepthKey& k) { return k.movingLeft || k.movingRight; }

int backdropOrder(const DepthKey& a, const DepthKey& b)
{
    for (int type : {KIND_SWAP_IMAGE, KIND_BACKGROUND, KIND_BACKGROUND_GRID}) {
        if (a.type == type)
            return -1;
        if (b.type == type)
            return 1;
    }
    return 0;
}

// Far-apart pairs ordered by where they stand, for a forced answer.
int forcedApartOrder(const DepthKey& a, const DepthKey& b, int back)
{
    bool aLeft = leftOf(a, b, false);
    bool aRight = rightOf(a, b, false);
    if (below(a, b) && aLeft)
        return back;
    if (below(a, b) && aRight)
        return 1;
    if (above(a, b) && (aLeft || aRight))
        return 1;
    if (below(a, b) && columnsOverlap(a, b))
        return back;
    if (aLeft && rowsOverlap(a, b))
        return back;
    if (aRight && rowsOverlap(a, b))
        return 1;
    if (a.tiles.bottom >= b.tiles.top)
        return back;
    if (!columnsOverlap(a, b))
        return back;
    return 1;
}

// A standing and a hanging kind meeting at a column edge: a teleport's front
// against terrain, and the editor's teleports against its terrain.
int standingHangingOrder(const DepthKey& a, const DepthKey& b, int standing, int hanging)
{
    if (a.type == standing && b.type == hanging) {
        if (a.tiles.top <= b.tiles.bottom)
            return 1;
        return holdsNextColumn(b, a) ? -1 : 1;
    }
    if (a.type == hanging && b.type == standing) {
        if (a.tiles.bottom >= b.tiles.top)
            return -1;
        return holdsNextColumn(a, b) ? 1 : -1;
    }
    return 0;
}

int editorLayerOrder(const DepthKey& a, const DepthKey& b)
{
    if (int r = standingHangingOrder(a, b, KIND_EDITOR_TELEPORT, KIND_EDITOR_TERRAIN))
        return r;
    bool columns = columnsOverlap(a, b);
    if (a.type == KIND_EDITOR_TELEPORT && columns)
        return 1;
    if (b.type == KIND_EDITOR_TELEPORT && columns)
        return -1;
    if (a.type == KIND_EDITOR_LADDER && b.type == KIND_EDITOR_TERRAIN && columns && above(a, b))
        return 1;
    if (a.type == KIND_EDITOR_TERRAIN && b.type == KIND_EDITOR_LADDER && columns && below(a, b))
        return -1;
    if (a.type == KIND_EDITOR_LADDER)
        return -1;
    if (b.type == KIND_EDITOR_LADDER)
        return 1;
    if (above(a, b))
        return 1;
    return rightOf(a, b, false) ? 1 : -1;
}

bool isEditorLayer(int type) { return type >= KIND_EDITOR_LADDER && type <= KIND_EDITOR_ELEMENT; }

// Kinds that pass through other sprites' tiles: shots, both halves of a
// teleport passage, bots, the professor and objects.
bool isPassing(int type) { return is(type, {KIND_SHOT, KIND_TELEPORT_GHOST, KIND_TELEPORT_EMERGING, KIND_BOT, KIND_PROFESSOR, KIND_OBJECT}); }

// Order on one tile when neither sprite is passing through.
int sameTileFixedOrder(const DepthKey& a, const DepthKey& b)
{
    for (int type : {KIND_TRAMPOLINE_BACK, KIND_TRAMPOLINE_CANVAS, KIND_TRAMPOLINE_CANVAS_LEFT, KIND_TRAMPOLINE_FRONT, KIND_TUBE, KIND_LADDER, KIND_PROFESSOR_IN_TUBE, KIND_TUBE_EXIT_LIGHTS, KIND_LADDER_PLATFORM}) {
        if (a.type == type)
            return -1;
        if (b.type == type)
            return 1;
    }
    for (int type : {KIND_TELEPORT_GLOW_RIGHT, KIND_TELEPORT_FRONT, KIND_TELEPORT_PORTAL, KIND_TELEPORT_GLOW_LEFT, KIND_GATE_LIGHTS, KIND_GATE_FRONT, KIND_TERRAIN, KIND_TELEPORT_BACK, KIND_GATE_BACK, KIND_GATE_BACK_CLOSING}) {
        if (a.type == type)
            return 1;
        if (b.type == type)
            return -1;
    }
    logMessage(LOG_RENDER_SORTING, "   SAME-TILE-C:  No order found (N=%i, R=%i)\n", a.type, b.type);
    return 0;
}

// Where `still` stands against a passing sprite on its tile: 1 when `still`
// is drawn in front. 0 for kinds without a rule.
int sameTileAgainstPassing(const DepthKey& still, const DepthKey& passing)
{
    if (movingSideways(passing)) {
        if (still.type == KIND_TELEPORT_FRONT)
            return 1;
        if (still.type == KIND_TELEPORT_BACK)
            return -1;
    }
    if (is(still.type, {KIND_TERRAIN, KIND_SHOT, KIND_TELEPORT_EMERGING, KIND_BOT, KIND_PROFESSOR, KIND_OBJECT}))
        return passing.type == KIND_SHOT ? -1 : 1;
    if (is(still.type, {KIND_LADDER, KIND_GATE_BACK, KIND_BUTTON, KIND_GATE_BACK_CLOSING, KIND_TRAMPOLINE_BACK, KIND_TRAMPOLINE_CANVAS, KIND_TUBE, KIND_TUBE_EXIT_LIGHTS, KIND_TELEPORT_BACK}))
        return -1;
    if (is(still.type, {KIND_LADDER_PLATFORM, KIND_GATE_FRONT, KIND_GATE_LIGHTS, KIND_TRAMPOLINE_FRONT, KIND_TRAMPOLINE_CANVAS_LEFT, KIND_TELEPORT_FRONT, KIND_TELEPORT_PORTAL, KIND_TELEPORT_GLOW_LEFT, KIND_TELEPORT_GLOW_RIGHT}))
        return 1;
    return 0;
}

int sameTileOrder(const DepthKey& a, const DepthKey& b)
{
    bool passingA = isPassing(a.type);
    bool passingB = isPassing(b.type);
    if (!passingA && !passingB)
        return sameTileFixedOrder(a, b);
    if (!passingA) {
        int r = sameTileAgainstPassing(a, b);
        if (r == 0)
            logMessage(LOG_RENDER_SORTING_RV, "   SAME-TILE-B:  No order found (N=%i, R=%i)\n", a.type, b.type);
        return r;
    }
    int r = -sameTileAgainstPassing(b, a);
    if (r == 0)
        logMessage(LOG_RENDER_SORTING_RV, "   SAME-TILE-A:  No sort order found (N=%i, R=%i)\n", a.type, b.type);
    return r;
}

bool onSameTile(const DepthKey& a, const DepthKey& b)
{
    if (tilesOverlap(a, b))
        return true;
    return (a.type == KIND_TELEPORT_GHOST || b.type == KIND_TELEPORT_GHOST) && tilesOverlap(a, b, true);
}

// Terrain, ladders and gates among themselves.
int terrainOrder(const DepthKey& a, const DepthKey& b)
{
    bool right = rightOf(a, b, false);
    bool left = leftOf(a, b, false);
    bool columns = columnsOverlap(a, b);
    if ((a.type == KIND_TERRAIN && b.type == KIND_LADDER) || (a.type == KIND_LADDER && b.type == KIND_TERRAIN)) {
        if (columns)
            return below(a, b) ? -1 : 1;
        if (right)
            return 1;
        if (left)
            return -1;
    }
    if (a.type == KIND_LADDER && b.type == KIND_LADDER) {
        if (right)
            return 1;
        if (left)
            return -1;
        return below(a, b) ? 1 : -1;
    }
    if (a.type == KIND_LADDER)
        return -1;
    if (b.type == KIND_LADDER)
        return 1;
    if (a.type == KIND_GATE_LIGHTS)
        return 1;
    if (b.type == KIND_GATE_LIGHTS)
        return -1;
    bool groundA = a.type == KIND_GATE_BACK || a.type == KIND_GATE_BACK_CLOSING;
    bool groundB = b.type == KIND_GATE_BACK || b.type == KIND_GATE_BACK_CLOSING;
    if ((a.type == KIND_GATE_FRONT && b.type == KIND_GATE_FRONT) || (groundA && b.type == KIND_TERRAIN) || (a.type == KIND_TERRAIN && groundB)) {
        if (columns)
            return a.tiles.bottom >= b.tiles.top ? -1 : 1;
        return right ? 1 : -1;
    }
    if (a.type == KIND_GATE_FRONT)
        return 1;
    if (b.type == KIND_GATE_FRONT)
        return -1;
    if (groundA && groundB) {
        if (columns)
            return above(a, b) ? 1 : -1;
        return right ? 1 : -1;
    }
    if (a.type == KIND_GATE_BACK && above(a, b) && right)
        return 1;
    if (b.type == KIND_GATE_BACK && below(a, b) && left)
        return -1;
    if (a.type == KIND_GATE_BACK_CLOSING && a.tiles.top <= b.tiles.bottom && !left)
        return 1;
    if (b.type == KIND_GATE_BACK_CLOSING && a.tiles.bottom >= b.tiles.top && !right)
        return -1;
    if (groundA)
        return -1;
    if (groundB)
        return 1;
    return 0;
}

// A teleport's front against anything: by side, then by who is moving where.
int teleportFrontOrder(const DepthKey& a, const DepthKey& b)
{
    if (a.type == KIND_TELEPORT_FRONT) {
        if (rightOf(a, b, false))
            return 1;
        if (b.movingLeft && columnsOverlap(a, b))
            return 1;
        if (columnsOverlap(a, b, true) && b.movingRight)
            return below(a, b) ? -1 : 1;
        if (leftOf(a, b, false) && boxesOverlap(a, b))
            return -1;
        return above(a, b) ? 1 : -1;
    }
    if (b.type == KIND_TELEPORT_FRONT) {
        if (leftOf(a, b, false))
            return -1;
        if (a.movingLeft && columnsOverlap(a, b))
            return -1;
        if (columnsOverlap(a, b, true) && a.movingRight)
            return above(a, b) ? 1 : -1;
        if (rightOf(a, b, false) && boxesOverlap(a, b))
            return 1;
        return below(a, b) ? -1 : 1;
    }
    return 0;
}

// A teleport's other parts: its portal, its back and its two glows.
int teleportPartsOrder(const DepthKey& a, const DepthKey& b)
{
    if (a.type == KIND_TELEPORT_GLOW_RIGHT)
        return 1;
    if (b.type == KIND_TELEPORT_GLOW_RIGHT)
        return -1;
    bool boxes = boxesOverlap(a, b);
    if (boxes) {
        if (a.type == KIND_TELEPORT_PORTAL && b.type == KIND_TELEPORT_GHOST)
            return b.movingRight ? 1 : -1;
        if (a.type == KIND_TELEPORT_GHOST && b.type == KIND_TELEPORT_PORTAL)
            return a.movingRight ? -1 : 1;
        if (a.type == KIND_TELEPORT_PORTAL && b.type == KIND_TELEPORT_EMERGING)
            return b.movingLeft ? 1 : -1;
        if (a.type == KIND_TELEPORT_EMERGING && b.type == KIND_TELEPORT_PORTAL)
            return a.movingLeft ? -1 : 1;
    }
    if (a.type == KIND_TELEPORT_GLOW_LEFT && rightOf(a, b, false))
        return 1;
    if (b.type == KIND_TELEPORT_GLOW_LEFT && leftOf(a, b, false))
        return -1;
    if (a.type == KIND_TELEPORT_PORTAL && b.type == KIND_TERRAIN) {
        if (!holdsNextColumn(b, a))
            return 1;
        return a.tiles.bottom >= b.tiles.top ? -1 : 1;
    }
    if (a.type == KIND_TERRAIN && b.type == KIND_TELEPORT_PORTAL) {
        if (!holdsNextColumn(a, b))
            return -1;
        return a.tiles.top <= b.tiles.bottom ? 1 : -1;
    }
    if (a.type == KIND_TELEPORT_PORTAL || b.type == KIND_TELEPORT_PORTAL) {
        if (rightOf(a, b, false))
            return 1;
        if (columnsOverlap(a, b) && boxes)
            return a.type == KIND_TELEPORT_PORTAL ? 1 : -1;
        return above(a, b) ? 1 : -1;
    }
    if (a.type == KIND_TELEPORT_BACK) {
        if (b.type != KIND_TERRAIN || a.tiles.bottom >= b.tiles.top)
            return -1;
        if (columnsOverlap(a, b) || holdsNextColumn(b, a))
            return 1;
        return -1;
    }
    if (b.type == KIND_TELEPORT_BACK) {
        if (a.type != KIND_TERRAIN || a.tiles.top <= b.tiles.bottom)
            return 1;
        if (columnsOverlap(a, b) || holdsNextColumn(a, b))
            return -1;
        return 1;
    }
    return 0;
}

// Pairs where one of the two is on its way from one tile to the next.
int movementOrder(const DepthKey& a, const DepthKey& b)
{
    bool prevTiles = tilesOverlap(a, b, true);
    bool prevColumns = columnsOverlap(a, b, true);
    if (a.type == KIND_LADDER_PLATFORM && prevTiles)
        return 1;
    if (b.type == KIND_LADDER_PLATFORM && prevTiles)
        return -1;
    if (a.type == KIND_TERRAIN && b.movingUp && rightOf(a, b, true))
        return 1;
    if (b.type == KIND_TERRAIN && a.movingUp && leftOf(a, b, true))
        return -1;
    if (a.type == KIND_TERRAIN && b.movingRight && above(a, b) && !leftOf(a, b, true))
        return 1;
    if (b.type == KIND_TERRAIN && a.movingRight && below(a, b) && !rightOf(a, b, true))
        return -1;
    if (a.type == KIND_TRAMPOLINE_FRONT && b.movingRight && prevTiles)
        return 1;
    if (b.type == KIND_TRAMPOLINE_FRONT && a.movingRight && prevTiles)
        return -1;
    for (int type : {KIND_BUTTON, KIND_TUBE}) {
        if (a.type == type && b.movingLeft && prevColumns)
            return -1;
        if (b.type == type && a.movingLeft && prevColumns)
            return 1;
    }
    if (a.type == KIND_TELEPORT_FRONT && b.movingLeft && tilesOverlap(a, b))
        return 1;
    if (b.type == KIND_TELEPORT_FRONT && a.movingLeft && tilesOverlap(a, b))
        return -1;
    if (a.type == KIND_TELEPORT_FRONT && b.movingRight && prevTiles)
        return 1;
    if (b.type == KIND_TELEPORT_FRONT && a.movingRight && prevTiles)
        return -1;
    if (!is(b.type, {KIND_BOT, KIND_PROFESSOR}) && b.movingRight && prevColumns && a.prevTiles.bottom < b.prevTiles.top)
        return 1;
    if (!is(a.type, {KIND_BOT, KIND_PROFESSOR}) && a.movingRight && prevColumns && a.prevTiles.top > b.prevTiles.bottom)
        return -1;
    if (a.type == KIND_OBJECT && !isMoving(a) && below(a, b) && movingSideways(b))
        return -1;
    if (b.type == KIND_OBJECT && !isMoving(b) && above(a, b) && movingSideways(a))
        return 1;
    if (!rowsOverlap(a, b, true) && !prevColumns)
        return 0;
    if (a.movingLeft && rightOf(a, b, true))
        return 1;
    if (b.movingLeft && leftOf(a, b, true))
        return -1;
    if (a.movingLeft && a.prevTiles.bottom < b.prevTiles.top)
        return 1;
    if (b.movingLeft && a.prevTiles.top > b.prevTiles.bottom)
        return -1;
    return 0;
}

int generalOrder(const DepthKey& a, const DepthKey& b)
{
    bool right = rightOf(a, b, false);
    bool left = leftOf(a, b, false);
    if (a.type == KIND_TERRAIN && below(a, b) && !b.movingUp && !b.movingDown)
        return -1;
    if (b.type == KIND_TERRAIN && above(a, b) && !a.movingUp && !a.movingDown)
        return 1;
    if (right && a.tiles.top <= b.tiles.bottom)
        return 1;
    if (left && a.tiles.bottom >= b.tiles.top)
        return -1;
    if (below(a, b) && !right)
        return -1;
    if (above(a, b) && !left)
        return 1;
    if (right)
        return 1;
    if (left)
        return -1;
    if (below(a, b))
        return -1;
    if (above(a, b))
        return 1;
    const std::string stars(60, '*');
    logMessage(LOG_RENDER_SORTING, "%s\n%s\n*  FALLOUT CASE:  SHOULD NOT GET TO THIS POINT!!!          *\n%s\n%s\n",
               stars.c_str(), stars.c_str(), stars.c_str(), stars.c_str());
    return 1;
}

// Sprites whose boxes overlap or touch (or anything in the editor).
int closeOrder(const DepthKey& a, const DepthKey& b, bool force)
{
    if (int r = compareForeground(a, b))
        return r;
    if (int r = standingHangingOrder(a, b, KIND_TELEPORT_FRONT, KIND_TERRAIN))
        return r;
    if (isEditorLayer(a.type) || isEditorLayer(b.type))
        return editorLayerOrder(a, b);
    if (!force && ((a.type == KIND_BOT && !touches(a, b)) || (b.type == KIND_BOT && !touches(b, a))))
        return 0;
    if (a.type == KIND_BRIDGE_COLLAPSING)
        return leftOf(a, b, false) || a.tiles.top > b.tiles.bottom ? -1 : 1;
    if (b.type == KIND_BRIDGE_COLLAPSING)
        return rightOf(a, b, false) || a.tiles.bottom < b.tiles.top ? 1 : -1;
    if (onSameTile(a, b))
        if (int r = sameTileOrder(a, b))
            return r;
    if (a.type == KIND_TELEPORT_EMERGING && a.movingRight && tilesOverlap(a, b, true))
        return b.type == KIND_TELEPORT_GLOW_RIGHT || b.type == KIND_TELEPORT_FRONT ? -1 : 1;
    if (b.type == KIND_TELEPORT_EMERGING && b.movingRight && tilesOverlap(a, b, true))
        return a.type == KIND_TELEPORT_GLOW_RIGHT || a.type == KIND_TELEPORT_FRONT ? 1 : -1;
    if (int r = terrainOrder(a, b))
        return r;
    if (rowsOverlap(a, b) && boxesOverlap(a, b)) {
        if (is(a.type, {KIND_BUTTON, KIND_TUBE, KIND_TUBE_EXIT_LIGHTS}) && b.type != KIND_TERRAIN && !b.movingDown)
            return -1;
        if (is(b.type, {KIND_BUTTON, KIND_TUBE, KIND_TUBE_EXIT_LIGHTS}) && a.type != KIND_TERRAIN && !a.movingDown)
            return 1;
    }
    bool columns = columnsOverlap(a, b);
    if (a.type >= KIND_TELEPORT_FRONT && a.type <= KIND_TELEPORT_BACK && below(a, b) && columns && b.movingLeft)
        return -1;
    if (b.type >= KIND_TELEPORT_FRONT && b.type <= KIND_TELEPORT_BACK && above(a, b) && columns && a.movingLeft)
        return 1;
    if (b.type == KIND_TELEPORT_GHOST && b.movingRight && a.type == KIND_TELEPORT_FRONT && holdsNextColumn(b, a))
        return 1;
    if (a.type == KIND_TELEPORT_GHOST && a.movingRight && b.type == KIND_TELEPORT_FRONT && holdsNextColumn(a, b))
        return -1;
    if (int r = teleportFrontOrder(a, b))
        return r;
    if (int r = teleportPartsOrder(a, b))
        return r;
    if (isMoving(a) || isMoving(b))
        if (int r = movementOrder(a, b))
            return r;
    return generalOrder(a, b);
}

} // namespace

bool rightOf(const DepthKey& a, const DepthKey& b, bool previous)
{
    int left = span(a, previous).left;
    int otherRight = span(b, previous).right;
    if (isTeleportPart(a.type) && !isTeleportPart(b.type))
        return left >= otherRight;
    return left > otherRight;
}

bool leftOf(const DepthKey& a, const DepthKey& b, bool previous)
{
    int right = span(a, previous).right;
    int otherLeft = span(b, previous).left;
    if (isTeleportPart(b.type) && !isTeleportPart(a.type))
        return right <= otherLeft;
    return right < otherLeft;
}

int compareCoarse(const DepthKey& a, const DepthKey& b)
{
    if (int r = backdropOrder(a, b))
        return r;
    if (a.type == KIND_LADDER && b.type == KIND_LADDER_PLATFORM && touches(a, b))
        return -1;
    if (b.type == KIND_LADDER && a.type == KIND_LADDER_PLATFORM && touches(a, b))
        return 1;
    if (a.type == KIND_LADDER)
        return 1;
    if (b.type == KIND_LADDER)
        return -1;
    if (a.type == KIND_TELEPORT_FRONT && is(b.type, {KIND_TELEPORT_GHOST, KIND_TELEPORT_EMERGING}) && touches(a, b))
        return -1;
    if (b.type == KIND_TELEPORT_FRONT && is(a.type, {KIND_TELEPORT_GHOST, KIND_TELEPORT_EMERGING}) && touches(a, b))
        return 1;
    if (a.type == KIND_TELEPORT_GLOW_LEFT)
        return 1;
    if (b.type == KIND_TELEPORT_GLOW_LEFT)
        return -1;
    if (tilesOverlap(a, b)) {
        for (int type : {KIND_TELEPORT_FRONT, KIND_TRAMPOLINE_FRONT, KIND_GATE_FRONT}) {
            if (a.type == type)
                return -1;
            if (b.type == type)
                return 1;
        }
        if (a.type == KIND_GATE_BACK)
            return 1;
        if (b.type == KIND_GATE_BACK)
            return -1;
    }
    if (touches(a, b)) {
        if (a.type == KIND_BUTTON)
            return 1;
        if (b.type == KIND_BUTTON)
            return -1;
    }
    if (rightOf(a, b, false))
        return -1;
    if (leftOf(a, b, false))
        return 1;
    if (a.tiles.bottom < b.tiles.top)
        return 1;
    if (a.tiles.top > b.tiles.bottom)
        return -1;
    return 1;
}

int compareForeground(const DepthKey& a, const DepthKey& b)
{
    int rankA = precedenceRank(a.type);
    int rankB = precedenceRank(b.type);
    if (rankA < 0 && rankB < 0)
        return 0;
    if (rankA == rankB) {
        if (a.type == KIND_SCENE_CLOUD)
            return a.lowerEdge < b.lowerEdge ? -1 : 1;
        return 1;
    }
    if (rankB < 0 || (rankA >= 0 && rankA < rankB))
        return 1;
    return -1;
}

int SortSprites(const DepthKey& a, const DepthKey& b, bool force, bool foregroundPass, bool editorCurrent)
{
    if (int r = backdropOrder(a, b))
        return r;
    if (columnsOverlap(a, b)) {
        if (a.type == KIND_LADDER && b.type == KIND_LADDER_PLATFORM && a.tiles.bottom == b.tiles.bottom - 1)
            return -1;
        if (b.type == KIND_LADDER && a.type == KIND_LADDER_PLATFORM && b.tiles.bottom == a.tiles.bottom - 1)
            return 1;
    }
    if (!boxesOverlap(a, b) && !touches(a, b) && !editorCurrent) {
        int r = compareForeground(a, b);
        if (r != 0 || !force)
            return r;
        return forcedApartOrder(a, b, foregroundPass ? 0 : -1);
    }
    return closeOrder(a, b, force);
}

DepthKey depthKeyOf(CSprite* sprite)
{
    DepthKey key;
    key.sprite = sprite;
    key.type = sprite->getType();
    key.tiles = {sprite->getTileLeft(false), sprite->getTileRight(false), sprite->getTileTop(false),
                 sprite->getTileBottom(false)};
    key.prevTiles = {sprite->getTileLeft(true), sprite->getTileRight(true), sprite->getTileTop(true),
                     sprite->getTileBottom(true)};
    key.box = sprite->getRect(true);
    key.lowerEdge = sprite->getY(false) + sprite->getHeight(false);
    key.movingLeft = sprite->isMovingLeft();
    key.movingRight = sprite->isMovingRight();
    key.movingUp = sprite->isMovingUp();
    key.movingDown = sprite->isMovingDown();
    return key;
}

void DepthOrder::order(std::vector<DepthKey>& keys, bool editorCurrent, std::vector<CSprite*>& sorted)
{
    editor_ = editorCurrent;
    collected_.clear();
    for (const DepthKey& key : keys)
        collected_.push_back(&key);
    presort();
    sortIteratively();
    postsortForeground();
    sorted.clear();
    for (const DepthKey* key : sorted_)
        sorted.push_back(key->sprite);
}

void DepthOrder::presort()
{
    sorted_.clear();
    foreground_.clear();
    if (collected_.size() < 2)
        return;
    for (const DepthKey* s : collected_) {
        if (isForeground(s->type)) {
            foreground_.push_back(s);
            continue;
        }
        auto place = sorted_.begin();
        while (place != sorted_.end() && compareCoarse(*s, **place) != -1)
            ++place;
        sorted_.insert(place, s);
    }
    collected_.swap(sorted_);
}

void DepthOrder::sortIteratively()
{
    if (collected_.size() < 2) {
        sorted_ = collected_;
        return;
    }
    sorted_.clear();
    batch_ = collected_;
    bool force = false;
    for (;;) {
        bool changed = false;
        ignored_.clear();
        placeBatch(force, changed);
        if (ignored_.empty()) {
            batch_.swap(foreground_);
            foreground_.clear();
        } else {
            batch_.swap(ignored_);
        }
        if (changed)
            continue;
        if (batch_.empty())
            return;
        force = true;
    }
}

// One pass: each sprite of the batch goes before the first placed sprite it
// is behind; failing that, after a run of sprites it is in front of (at the
// end, or before the first unordered sprite that follows such a run), or it
// waits for the next pass.
void DepthOrder::placeBatch(bool& force, bool& changed)
{
    for (const DepthKey* s : batch_) {
        bool placed = false;
        bool inFront = false;
        int preInsert = -1;
        int last = 0;
        for (size_t i = 0; i < sorted_.size(); ++i) {
            const DepthKey* t = sorted_[i];
            last = SortSprites(*s, *t, force, false, editor_);
            if (last == -1) {
                sorted_.insert(sorted_.begin() + static_cast<long>(i), s);
                placed = true;
                break;
            }
            if (last == 1 && !isBackdrop(t->type))
                inFront = true;
            else if (last == 0 && inFront) {
                preInsert = static_cast<int>(i);
                inFront = false;
            }
        }
        if (!placed) {
            placed = true;
            if (sorted_.empty() || last == 1)
                sorted_.push_back(s);
            else if (preInsert >= 0)
                sorted_.insert(sorted_.begin() + preInsert, s);
            else
                placed = false;
        }
        if (placed)
            changed = true;
        else
            ignored_.push_back(s);
        force = false;
    }
}

void DepthOrder::postsortForeground()
{
    for (const DepthKey* f : foreground_) {
        auto place = sorted_.begin();
        while (place != sorted_.end() && SortSprites(*f, **place, true, true, editor_) != -1)
            ++place;
        sorted_.insert(place, f);
    }
    foreground_.clear();
}
