// The depth order of overlapping sprites. It is not a sort by one key but a
// hand-made partial order over sprite types and tile positions: in the side
// view of the board things stand on their tile and reach upward, ladders
// hang downward, and the professor, bots and shots pass in front of or
// behind their neighbours depending on where they are heading.
//
// Sprite types used below (set by their owners):
//   10 ladder (hangs down)   11 ladder platform      12, 13 tube parts
//   20-24 terrain kinds      30-33 device kinds      40, 41 object kinds
//   53 power-up item         60-62, 65, 66 professor  64, 67 teleport passage
//   70, 71 bots              73 gate top             80 shot
//   1307-1310 editor layers  1100, 1101, 1103 background and swap image
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

bool isBackdrop(int type) { return is(type, {SPRITE_SWAP_IMAGE, SPRITE_BACKGROUND, SPRITE_BACKGROUND_GRID}); }

bool isForeground(int type)
{
    return is(type, {12, 22, 42, 50, 51, 52, 54, 55, 56, 66, 72, 90, 91, 92, 93, 1102, 1200, 1450, 1500}) ||
           (type >= 1300 && type <= 1306) || (type >= 1410 && type <= 1415) || (type >= 1420 && type <= 1423) ||
           (type >= 1430 && type <= 1434);
}

// The professor's kinds: beside them, sharing an edge column still counts.
bool isProfessor(int type) { return is(type, {60, 61, 62, 65, 66}); }

// Front-most first.
constexpr int kForegroundPrecedence[] = {
    1305, 1102, 1450, 1434, 1433, 1432, 1431, 1430, 1423, 1422, 1421, 1420, 1415, 1414, 1413, 1412,
    1411, 1410, 1407, 1406, 1405, 1404, 1403, 1402, 1401, 1400, 1408, 1500, 1303, 1304, 1302, 1301,
    1300, 1200, 1306, 55,   54,   66,   72,   93,   92,   91,   90,   56,   52,   50,   51,   42};

constexpr int kMaxRankedType = 1500;

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
    for (int type : {SPRITE_SWAP_IMAGE, SPRITE_BACKGROUND, SPRITE_BACKGROUND_GRID}) {
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

// Ladders against the professor and the editor's layers: hanging and
// standing things meeting at a column edge.
int ladderPairOrder(const DepthKey& a, const DepthKey& b, int standing, int hanging)
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
    if (int r = ladderPairOrder(a, b, 1309, 1308))
        return r;
    bool columns = columnsOverlap(a, b);
    if (a.type == 1309 && columns)
        return 1;
    if (b.type == 1309 && columns)
        return -1;
    if (a.type == 1307 && b.type == 1308 && columns && above(a, b))
        return 1;
    if (a.type == 1308 && b.type == 1307 && columns && below(a, b))
        return -1;
    if (a.type == 1307)
        return -1;
    if (b.type == 1307)
        return 1;
    if (above(a, b))
        return 1;
    return rightOf(a, b, false) ? 1 : -1;
}

bool isEditorLayer(int type) { return type >= 1307 && type <= 1310; }

// Kinds that pass through other sprites' tiles: items, the teleport passage,
// bots and shots.
bool isPassing(int type) { return is(type, {53, 64, 67, 70, 71, 80}); }

// Order on one tile when neither sprite is passing through.
int sameTileFixedOrder(const DepthKey& a, const DepthKey& b)
{
    for (int type : {30, 33, 32, 31, 40, 12, 73, 41, 13}) {
        if (a.type == type)
            return -1;
        if (b.type == type)
            return 1;
    }
    for (int type : {66, 60, 61, 65, 22, 21, 10, 62, 20, 24}) {
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
        if (still.type == 60)
            return 1;
        if (still.type == 62)
            return -1;
    }
    if (is(still.type, {10, 53, 67, 70, 71, 80}))
        return passing.type == 53 ? -1 : 1;
    if (is(still.type, {12, 20, 23, 24, 30, 33, 40, 41, 62}))
        return -1;
    if (is(still.type, {13, 21, 22, 31, 32, 60, 61, 65, 66}))
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
    return (a.type == 64 || b.type == 64) && tilesOverlap(a, b, true);
}

// Terrain, tubes and ladders among themselves.
int terrainOrder(const DepthKey& a, const DepthKey& b)
{
    bool right = rightOf(a, b, false);
    bool left = leftOf(a, b, false);
    bool columns = columnsOverlap(a, b);
    if ((a.type == 10 && b.type == 12) || (a.type == 12 && b.type == 10)) {
        if (columns)
            return below(a, b) ? -1 : 1;
        if (right)
            return 1;
        if (left)
            return -1;
    }
    if (a.type == 12 && b.type == 12) {
        if (right)
            return 1;
        if (left)
            return -1;
        return below(a, b) ? 1 : -1;
    }
    if (a.type == 12)
        return -1;
    if (b.type == 12)
        return 1;
    if (a.type == 22)
        return 1;
    if (b.type == 22)
        return -1;
    bool groundA = a.type == 20 || a.type == 24;
    bool groundB = b.type == 20 || b.type == 24;
    if ((a.type == 21 && b.type == 21) || (groundA && b.type == 10) || (a.type == 10 && groundB)) {
        if (columns)
            return a.tiles.bottom >= b.tiles.top ? -1 : 1;
        return right ? 1 : -1;
    }
    if (a.type == 21)
        return 1;
    if (b.type == 21)
        return -1;
    if (groundA && groundB) {
        if (columns)
            return above(a, b) ? 1 : -1;
        return right ? 1 : -1;
    }
    if (a.type == 20 && above(a, b) && right)
        return 1;
    if (b.type == 20 && below(a, b) && left)
        return -1;
    if (a.type == 24 && a.tiles.top <= b.tiles.bottom && !left)
        return 1;
    if (b.type == 24 && a.tiles.bottom >= b.tiles.top && !right)
        return -1;
    if (groundA)
        return -1;
    if (groundB)
        return 1;
    return 0;
}

// The professor (60) against anything: by side, then by who is moving where.
int professorOrder(const DepthKey& a, const DepthKey& b)
{
    if (a.type == 60) {
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
    if (b.type == 60) {
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

// The professor's other kinds (61 climbing, 62 on a ladder, 65, 66).
int professorKindsOrder(const DepthKey& a, const DepthKey& b)
{
    if (a.type == 66)
        return 1;
    if (b.type == 66)
        return -1;
    bool boxes = boxesOverlap(a, b);
    if (boxes) {
        if (a.type == 61 && b.type == 64)
            return b.movingRight ? 1 : -1;
        if (a.type == 64 && b.type == 61)
            return a.movingRight ? -1 : 1;
        if (a.type == 61 && b.type == 67)
            return b.movingLeft ? 1 : -1;
        if (a.type == 67 && b.type == 61)
            return a.movingLeft ? -1 : 1;
    }
    if (a.type == 65 && rightOf(a, b, false))
        return 1;
    if (b.type == 65 && leftOf(a, b, false))
        return -1;
    if (a.type == 61 && b.type == 10) {
        if (!holdsNextColumn(b, a))
            return 1;
        return a.tiles.bottom >= b.tiles.top ? -1 : 1;
    }
    if (a.type == 10 && b.type == 61) {
        if (!holdsNextColumn(a, b))
            return -1;
        return a.tiles.top <= b.tiles.bottom ? 1 : -1;
    }
    if (a.type == 61 || b.type == 61) {
        if (rightOf(a, b, false))
            return 1;
        if (columnsOverlap(a, b) && boxes)
            return a.type == 61 ? 1 : -1;
        return above(a, b) ? 1 : -1;
    }
    if (a.type == 62) {
        if (b.type != 10 || a.tiles.bottom >= b.tiles.top)
            return -1;
        if (columnsOverlap(a, b) || holdsNextColumn(b, a))
            return 1;
        return -1;
    }
    if (b.type == 62) {
        if (a.type != 10 || a.tiles.top <= b.tiles.bottom)
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
    if (a.type == 13 && prevTiles)
        return 1;
    if (b.type == 13 && prevTiles)
        return -1;
    if (a.type == 10 && b.movingUp && rightOf(a, b, true))
        return 1;
    if (b.type == 10 && a.movingUp && leftOf(a, b, true))
        return -1;
    if (a.type == 10 && b.movingRight && above(a, b) && !leftOf(a, b, true))
        return 1;
    if (b.type == 10 && a.movingRight && below(a, b) && !rightOf(a, b, true))
        return -1;
    if (a.type == 31 && b.movingRight && prevTiles)
        return 1;
    if (b.type == 31 && a.movingRight && prevTiles)
        return -1;
    for (int type : {23, 40}) {
        if (a.type == type && b.movingLeft && prevColumns)
            return -1;
        if (b.type == type && a.movingLeft && prevColumns)
            return 1;
    }
    if (a.type == 60 && b.movingLeft && tilesOverlap(a, b))
        return 1;
    if (b.type == 60 && a.movingLeft && tilesOverlap(a, b))
        return -1;
    if (a.type == 60 && b.movingRight && prevTiles)
        return 1;
    if (b.type == 60 && a.movingRight && prevTiles)
        return -1;
    if (!is(b.type, {70, 71}) && b.movingRight && prevColumns && a.prevTiles.bottom < b.prevTiles.top)
        return 1;
    if (!is(a.type, {70, 71}) && a.movingRight && prevColumns && a.prevTiles.top > b.prevTiles.bottom)
        return -1;
    if (a.type == 80 && !isMoving(a) && below(a, b) && movingSideways(b))
        return -1;
    if (b.type == 80 && !isMoving(b) && above(a, b) && movingSideways(a))
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
    if (a.type == 10 && below(a, b) && !b.movingUp && !b.movingDown)
        return -1;
    if (b.type == 10 && above(a, b) && !a.movingUp && !a.movingDown)
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
    if (int r = ladderPairOrder(a, b, 60, 10))
        return r;
    if (isEditorLayer(a.type) || isEditorLayer(b.type))
        return editorLayerOrder(a, b);
    if (!force && ((a.type == 70 && !touches(a, b)) || (b.type == 70 && !touches(b, a))))
        return 0;
    if (a.type == 11)
        return leftOf(a, b, false) || a.tiles.top > b.tiles.bottom ? -1 : 1;
    if (b.type == 11)
        return rightOf(a, b, false) || a.tiles.bottom < b.tiles.top ? 1 : -1;
    if (onSameTile(a, b))
        if (int r = sameTileOrder(a, b))
            return r;
    if (a.type == 67 && a.movingRight && tilesOverlap(a, b, true))
        return b.type == 66 || b.type == 60 ? -1 : 1;
    if (b.type == 67 && b.movingRight && tilesOverlap(a, b, true))
        return a.type == 66 || a.type == 60 ? 1 : -1;
    if (int r = terrainOrder(a, b))
        return r;
    if (rowsOverlap(a, b) && boxesOverlap(a, b)) {
        if (is(a.type, {23, 40, 41}) && b.type != 10 && !b.movingDown)
            return -1;
        if (is(b.type, {23, 40, 41}) && a.type != 10 && !a.movingDown)
            return 1;
    }
    bool columns = columnsOverlap(a, b);
    if (a.type >= 60 && a.type <= 62 && below(a, b) && columns && b.movingLeft)
        return -1;
    if (b.type >= 60 && b.type <= 62 && above(a, b) && columns && a.movingLeft)
        return 1;
    if (b.type == 64 && b.movingRight && a.type == 60 && holdsNextColumn(b, a))
        return 1;
    if (a.type == 64 && a.movingRight && b.type == 60 && holdsNextColumn(a, b))
        return -1;
    if (int r = professorOrder(a, b))
        return r;
    if (int r = professorKindsOrder(a, b))
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
    if (isProfessor(a.type) && !isProfessor(b.type))
        return left >= otherRight;
    return left > otherRight;
}

bool leftOf(const DepthKey& a, const DepthKey& b, bool previous)
{
    int right = span(a, previous).right;
    int otherLeft = span(b, previous).left;
    if (isProfessor(b.type) && !isProfessor(a.type))
        return right <= otherLeft;
    return right < otherLeft;
}

int compareCoarse(const DepthKey& a, const DepthKey& b)
{
    if (int r = backdropOrder(a, b))
        return r;
    if (a.type == 12 && b.type == 13 && touches(a, b))
        return -1;
    if (b.type == 12 && a.type == 13 && touches(a, b))
        return 1;
    if (a.type == 12)
        return 1;
    if (b.type == 12)
        return -1;
    if (a.type == 60 && is(b.type, {64, 67}) && touches(a, b))
        return -1;
    if (b.type == 60 && is(a.type, {64, 67}) && touches(a, b))
        return 1;
    if (a.type == 65)
        return 1;
    if (b.type == 65)
        return -1;
    if (tilesOverlap(a, b)) {
        for (int type : {60, 31, 21}) {
            if (a.type == type)
                return -1;
            if (b.type == type)
                return 1;
        }
        if (a.type == 20)
            return 1;
        if (b.type == 20)
            return -1;
    }
    if (touches(a, b)) {
        if (a.type == 23)
            return 1;
        if (b.type == 23)
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
        if (a.type == 1500)
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
        if (a.type == 12 && b.type == 13 && a.tiles.bottom == b.tiles.bottom - 1)
            return -1;
        if (b.type == 12 && a.type == 13 && b.tiles.bottom == a.tiles.bottom - 1)
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
