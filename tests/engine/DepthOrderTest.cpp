#include "engine/DepthOrder.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A sprite of `type` standing on tile (column, row) and reaching up (terrain
// hangs down) `h` rows, `w` columns wide; its box covers exactly its tiles.
DepthKey at(int type, int column, int row, int w = 1, int h = 1)
{
    DepthKey k{};
    int top = type == KIND_TERRAIN ? row : row - h + 1;
    int bottom = type == KIND_TERRAIN ? row + h - 1 : row;
    k.type = type;
    k.tiles = {column, column + w - 1, top, bottom};
    k.prevTiles = k.tiles;
    k.box = {column * 24, top * 24, w * 24, (bottom - top + 1) * 24};
    k.lowerEdge = k.box.y + k.box.h;
    return k;
}

// The same sprite on its way from (column, row), moving in `direction`.
DepthKey from(DepthKey k, int column, int row, char direction)
{
    int w = k.tiles.right - k.tiles.left;
    int h = k.tiles.bottom - k.tiles.top;
    int top = k.type == KIND_TERRAIN ? row : row - h;
    k.prevTiles = {column, column + w, top, top + h};
    k.movingLeft = direction == 'L';
    k.movingRight = direction == 'R';
    k.movingUp = direction == 'U';
    k.movingDown = direction == 'D';
    return k;
}

struct PairCase {
    const char* what;
    DepthKey a, b;
    bool force;
    int expected;
};

void expectPairs(const std::vector<PairCase>& cases, bool editor = false)
{
    for (const PairCase& c : cases)
        EXPECT_EQ(SortSprites(c.a, c.b, c.force, false, editor), c.expected) << c.what;
}

} // namespace

TEST(DepthOrderTest, BackdropsBehindAndPointerInFront)
{
    for (int backdrop : {KIND_BACKGROUND, KIND_BACKGROUND_GRID, KIND_SWAP_IMAGE})
        for (int other :
             {KIND_TERRAIN, KIND_TELEPORT_FRONT, KIND_TELEPORT_GLOW_RIGHT, KIND_POINTER, KIND_SCENE_CLOUD}) {
            DepthKey back = at(backdrop, 0, 0, 33, 25);
            DepthKey front = at(other, 4, 4);
            EXPECT_EQ(SortSprites(back, front, false, false, false), -1) << backdrop << " vs " << other;
            EXPECT_EQ(SortSprites(front, back, true, true, false), 1) << other << " vs " << backdrop;
            EXPECT_EQ(compareCoarse(back, front), -1) << backdrop << " vs " << other;
            EXPECT_EQ(compareCoarse(front, back), 1) << other << " vs " << backdrop;
        }
    // Among the backdrops the swap picture is the farthest back.
    EXPECT_EQ(SortSprites(at(KIND_SWAP_IMAGE, 0, 0), at(KIND_BACKGROUND, 0, 0), false, false, false), -1);
    EXPECT_EQ(SortSprites(at(KIND_BACKGROUND_GRID, 0, 0), at(KIND_BACKGROUND, 0, 0), false, false, false), 1);
    for (int other : {KIND_TERRAIN, KIND_TUBE_ARROW, KIND_TELEPORT_GLOW_RIGHT, KIND_FLASH, KIND_SCENE_CLOUD,
                      KIND_SCENE_PROFILE_PLATE})
        EXPECT_EQ(SortSprites(at(KIND_POINTER, 4, 4), at(other, 4, 4), false, false, false), 1) << other;
}

TEST(DepthOrderTest, ForegroundPrecedence)
{
    struct Case {
        DepthKey a, b;
        int expected;
    } cases[] = {
        {at(KIND_POINTER, 0, 0), at(KIND_FLASH, 0, 0), 1},
        {at(KIND_COUNTER_FRAME, 0, 0), at(KIND_FLASH, 0, 0), -1},
        {at(KIND_SCENE_VOLCANO_GLOW, 0, 0), at(KIND_SCENE_PROFILE_PLATE, 0, 0), 1},
        {at(KIND_SCENE_CLOUD, 0, 0), at(KIND_PALETTE_SPARE_1303, 0, 0), 1},
        {at(KIND_TUBE_ARROW, 0, 0), at(KIND_POWERUP_HALO, 0, 0), -1},
        {at(KIND_BOARD_SPARE_55, 0, 0), at(KIND_TRAMPOLINE_BACK, 0, 0), 1}, // only one of them ranked
        {at(KIND_TRAMPOLINE_BACK, 0, 0), at(KIND_PALETTE_DIMMER, 0, 0), -1},
        {at(KIND_POINTER, 0, 0), at(KIND_POINTER, 0, 0), 1},          // the same rank: a in front
        {at(KIND_SCENE_CLOUD, 5, 3), at(KIND_SCENE_CLOUD, 0, 8), -1}, // the higher lower edge behind
        {at(KIND_SCENE_CLOUD, 0, 8), at(KIND_SCENE_CLOUD, 5, 3), 1},
        {at(KIND_TRAMPOLINE_BACK, 0, 0), at(KIND_TRAMPOLINE_FRONT, 0, 0), 0},
        {at(KIND_LADDER, 0, 0), at(KIND_GATE_LIGHTS, 0, 0), 0}, // foreground kinds without a rank
    };
    for (const Case& c : cases)
        EXPECT_EQ(compareForeground(c.a, c.b), c.expected) << c.a.type << " vs " << c.b.type;
}

TEST(DepthOrderTest, SidesWithTheProfessorsEdgeRule)
{
    struct Case {
        DepthKey a, b;
        bool right, left;
    } cases[] = {
        {at(KIND_TRAMPOLINE_BACK, 5, 0), at(KIND_TRAMPOLINE_BACK, 3, 0), true, false},
        {at(KIND_TRAMPOLINE_BACK, 3, 0), at(KIND_TRAMPOLINE_BACK, 3, 0), false, false},
        {at(KIND_TRAMPOLINE_BACK, 3, 0), at(KIND_TRAMPOLINE_BACK, 1, 0, 3, 1), false,
         false}, // columns 1-3 share column 3
        {at(KIND_TELEPORT_FRONT, 3, 0), at(KIND_TRAMPOLINE_BACK, 1, 0, 3, 1), true,
         false}, // the teleport front: an edge column is enough
        {at(KIND_TELEPORT_FRONT, 3, 0), at(KIND_TELEPORT_PORTAL, 3, 0), false,
         false}, // between teleport parts it is not
        {at(KIND_TRAMPOLINE_BACK, 3, 0), at(KIND_TELEPORT_GLOW_LEFT, 3, 0), false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rightOf(c.a, c.b, false), c.right) << c.a.type << " vs " << c.b.type;
        EXPECT_EQ(leftOf(c.a, c.b, false), c.left) << c.a.type << " vs " << c.b.type;
    }
    DepthKey moving = from(at(KIND_TRAMPOLINE_BACK, 5, 0), 2, 0, 'R');
    EXPECT_TRUE(rightOf(moving, at(KIND_TRAMPOLINE_BACK, 4, 0), false));
    EXPECT_FALSE(rightOf(moving, at(KIND_TRAMPOLINE_BACK, 4, 0), true));
    EXPECT_TRUE(leftOf(moving, at(KIND_TRAMPOLINE_BACK, 4, 0), true));
}

TEST(DepthOrderTest, CoarsePresortRules)
{
    struct Case {
        const char* what;
        DepthKey a, b;
        int expected;
    } cases[] = {
        {"ladder before the ladder platform it", at(KIND_LADDER, 3, 4), at(KIND_LADDER_PLATFORM, 3, 5), -1},
        {"ladder platform after the ladder", at(KIND_LADDER_PLATFORM, 3, 5), at(KIND_LADDER, 3, 4), 1},
        {"ladder apart goes last", at(KIND_LADDER, 3, 4), at(KIND_LADDER_PLATFORM, 9, 9), 1},
        {"anything before a ladder", at(KIND_TRAMPOLINE_BACK, 9, 9), at(KIND_LADDER, 3, 4), -1},
        {"teleport front before a touching passage", at(KIND_TELEPORT_FRONT, 3, 5), at(KIND_TELEPORT_GHOST, 4, 5), -1},
        {"passage after a touching teleport front", at(KIND_TELEPORT_EMERGING, 4, 5), at(KIND_TELEPORT_FRONT, 3, 5), 1},
        {"teleport glow last", at(KIND_TELEPORT_GLOW_LEFT, 3, 5), at(KIND_TRAMPOLINE_BACK, 9, 9), 1},
        {"teleport front first on a shared tile", at(KIND_TELEPORT_FRONT, 3, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), -1},
        {"trampoline front first on a shared tile", at(KIND_TRAMPOLINE_BACK, 3, 5), at(KIND_TRAMPOLINE_FRONT, 3, 5), 1},
        {"gate front first on a shared tile", at(KIND_GATE_FRONT, 3, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), -1},
        {"gate back last on a shared tile", at(KIND_GATE_BACK, 3, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), 1},
        {"button after what it touches", at(KIND_BUTTON, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 6), 1},
        {"right of it: first", at(KIND_TRAMPOLINE_BACK, 6, 5), at(KIND_TRAMPOLINE_BACK, 2, 5), -1},
        {"left of it: last", at(KIND_TRAMPOLINE_BACK, 2, 5), at(KIND_TRAMPOLINE_BACK, 6, 5), 1},
        {"teleport front beside on an edge column", at(KIND_TELEPORT_PORTAL, 3, 0),
         at(KIND_TRAMPOLINE_BACK, 2, 10, 2, 1), -1},
        {"other kinds on the same column by row", at(KIND_TRAMPOLINE_FRONT, 3, 0),
         at(KIND_TRAMPOLINE_BACK, 2, 10, 2, 1), 1},
        {"above: last", at(KIND_TRAMPOLINE_BACK, 3, 2), at(KIND_TRAMPOLINE_BACK, 3, 8), 1},
        {"below: first", at(KIND_TRAMPOLINE_BACK, 3, 8), at(KIND_TRAMPOLINE_BACK, 3, 2), -1},
        {"same tile, no rule: last", at(KIND_TRAMPOLINE_BACK, 3, 5), at(KIND_TRAMPOLINE_CANVAS_LEFT, 3, 5), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compareCoarse(c.a, c.b), c.expected) << c.what;
}

TEST(DepthOrderTest, FarApartPairsAreOrderedOnlyWhenForced)
{
    DepthKey high = at(KIND_TRAMPOLINE_BACK, 4, 2);
    DepthKey low = at(KIND_TRAMPOLINE_BACK, 4, 8);
    EXPECT_EQ(SortSprites(high, low, false, false, false), 0);
    EXPECT_EQ(SortSprites(low, high, false, false, false), 0);
    EXPECT_EQ(SortSprites(low, high, true, false, false), -1); // the lower one behind
    EXPECT_EQ(SortSprites(high, low, true, false, false), 1);
    EXPECT_EQ(SortSprites(low, high, true, true, false), 0); // "behind" stays open in the foreground pass
    // A ranked kind answers even without force.
    EXPECT_EQ(SortSprites(at(KIND_POWERUP_ITEM, 0, 0), at(KIND_TRAMPOLINE_BACK, 10, 10), false, false, false), 1);
    expectPairs({
        {"below and left: behind", at(KIND_TRAMPOLINE_BACK, 1, 10), at(KIND_TRAMPOLINE_BACK, 5, 2), true, -1},
        {"below and right: in front", at(KIND_TRAMPOLINE_BACK, 8, 10), at(KIND_TRAMPOLINE_BACK, 2, 2), true, 1},
        {"above and right: in front", at(KIND_TRAMPOLINE_BACK, 8, 2), at(KIND_TRAMPOLINE_BACK, 2, 10), true, 1},
        {"above and left: in front", at(KIND_TRAMPOLINE_BACK, 2, 2), at(KIND_TRAMPOLINE_BACK, 8, 10), true, 1},
        {"same rows, left: behind", at(KIND_TRAMPOLINE_BACK, 1, 5), at(KIND_TRAMPOLINE_BACK, 8, 5), true, -1},
        {"same rows, right: in front", at(KIND_TRAMPOLINE_BACK, 8, 5), at(KIND_TRAMPOLINE_BACK, 1, 5), true, 1},
    });
    // In the editor every pair is treated as close and always has an order.
    EXPECT_EQ(SortSprites(high, low, false, false, true), 1);
}

TEST(DepthOrderTest, CloseAndOverlappingPairRules)
{
    expectPairs({
        {"ladder above the ladder platform it", at(KIND_LADDER, 2, 3), at(KIND_LADDER_PLATFORM, 2, 4), false, -1},
        {"ladder platform under the ladder", at(KIND_LADDER_PLATFORM, 2, 4), at(KIND_LADDER, 2, 3), false, 1},
        {"teleport front under a terrain's foot", at(KIND_TELEPORT_FRONT, 3, 5), at(KIND_TERRAIN, 3, 3, 1, 3), false,
         1},
        {"teleport front below a narrow terrain", at(KIND_TELEPORT_FRONT, 3, 6), at(KIND_TERRAIN, 3, 3, 1, 3), false,
         1},
        {"teleport front below a wide terrain", at(KIND_TELEPORT_FRONT, 3, 6), at(KIND_TERRAIN, 3, 3, 2, 3), false, -1},
        {"narrow terrain above the teleport front", at(KIND_TERRAIN, 3, 3, 1, 3), at(KIND_TELEPORT_FRONT, 3, 6), false,
         -1},
        {"wide terrain above the teleport front", at(KIND_TERRAIN, 3, 3, 2, 3), at(KIND_TELEPORT_FRONT, 3, 6), false,
         1},
        {"editor: teleport over terrain", at(KIND_EDITOR_TELEPORT, 2, 4), at(KIND_EDITOR_TERRAIN, 2, 4), false, 1},
        {"editor: ladder lowest", at(KIND_EDITOR_LADDER, 2, 4), at(KIND_EDITOR_ELEMENT, 2, 4), false, -1},
        {"editor: against a teleport on its column", at(KIND_EDITOR_ELEMENT, 2, 4), at(KIND_EDITOR_TELEPORT, 2, 4),
         false, -1},
        {"collapsing bridge left of it", at(KIND_BRIDGE_COLLAPSING, 3, 4), at(KIND_TRAMPOLINE_BACK, 4, 4), false, -1},
        {"collapsing bridge above it", at(KIND_BRIDGE_COLLAPSING, 3, 4), at(KIND_TRAMPOLINE_BACK, 3, 5), false, 1},
        {"collapsing bridge below it", at(KIND_BRIDGE_COLLAPSING, 3, 5), at(KIND_TRAMPOLINE_BACK, 3, 4), false, -1},
        {"right of a collapsing bridge", at(KIND_TRAMPOLINE_BACK, 4, 4), at(KIND_BRIDGE_COLLAPSING, 3, 4), false, 1},
        {"teleport half emerging right", from(at(KIND_TELEPORT_EMERGING, 5, 5), 4, 5, 'R'),
         at(KIND_TRAMPOLINE_BACK, 4, 5), false, 1},
        {"teleport half emerging, teleport front", from(at(KIND_TELEPORT_EMERGING, 5, 5), 4, 5, 'R'),
         at(KIND_TELEPORT_FRONT, 4, 5), false, -1},
        {"ladder above terrain", at(KIND_TERRAIN, 3, 2, 1, 3), at(KIND_LADDER, 3, 5), false, 1},
        {"ladder below terrain", at(KIND_LADDER, 3, 5), at(KIND_TERRAIN, 3, 2, 1, 3), false, -1},
        {"ladders side by side", at(KIND_LADDER, 5, 5), at(KIND_LADDER, 4, 5), false, 1},
        {"ladder before others", at(KIND_LADDER, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 5), false, -1},
        {"gate lights after others", at(KIND_GATE_LIGHTS, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 5), false, 1},
        {"gate front beside gate front", at(KIND_GATE_FRONT, 3, 5), at(KIND_GATE_FRONT, 4, 5), false, -1},
        {"gate front under gate front", at(KIND_GATE_FRONT, 3, 5), at(KIND_GATE_FRONT, 3, 4), false, -1},
        {"gate front over gate front", at(KIND_GATE_FRONT, 3, 4), at(KIND_GATE_FRONT, 3, 5), false, 1},
        {"gate back below terrain", at(KIND_GATE_BACK, 3, 6), at(KIND_TERRAIN, 3, 3, 1, 3), false, -1},
        {"gate front after others", at(KIND_GATE_FRONT, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 5), false, 1},
        {"gate backs stacked", at(KIND_GATE_BACK, 3, 4), at(KIND_GATE_BACK_CLOSING, 3, 5), false, 1},
        {"gate back up and right", at(KIND_GATE_BACK, 5, 3), at(KIND_TRAMPOLINE_BACK, 4, 4), false, 1},
        {"gate back otherwise behind", at(KIND_GATE_BACK, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 4), false, -1},
        {"teleport front right of it", at(KIND_TELEPORT_FRONT, 4, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), false, 1},
        {"teleport front left of it", at(KIND_TELEPORT_FRONT, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 5), false, -1},
        {"teleport front under something sliding left", at(KIND_TELEPORT_FRONT, 3, 6),
         from(at(KIND_TRAMPOLINE_BACK, 3, 5), 4, 5, 'L'), false, -1},
        {"teleport right glow in front", at(KIND_TELEPORT_GLOW_RIGHT, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 5), false, 1},
        {"teleport portal right of it", at(KIND_TELEPORT_PORTAL, 4, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), false, 1},
        {"teleport portal beside terrain", at(KIND_TELEPORT_PORTAL, 4, 5), at(KIND_TERRAIN, 3, 3, 1, 3), false, 1},
        {"teleport back, not a ladder", at(KIND_TELEPORT_BACK, 4, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), false, -1},
        {"terrain below a teleport back on it", at(KIND_TERRAIN, 3, 6, 1, 3), at(KIND_TELEPORT_BACK, 3, 5), false, -1},
    });
}

TEST(DepthOrderTest, SameTileTables)
{
    expectPairs({
        {"trampoline back before a teleport's right glow", at(KIND_TRAMPOLINE_BACK, 3, 5),
         at(KIND_TELEPORT_GLOW_RIGHT, 3, 5), false, -1},
        {"trampoline canvas before a ladder platform", at(KIND_TRAMPOLINE_CANVAS, 3, 5), at(KIND_LADDER_PLATFORM, 3, 5),
         false, -1},
        {"tube before a ladder platform", at(KIND_LADDER_PLATFORM, 3, 5), at(KIND_TUBE, 3, 5), false, 1},
        {"teleport portal after gate front", at(KIND_TELEPORT_PORTAL, 3, 5), at(KIND_GATE_FRONT, 3, 5), false, 1},
        {"closing gate back before gate back", at(KIND_GATE_BACK_CLOSING, 3, 5), at(KIND_GATE_BACK, 3, 5), false, -1},
        {"gate back after a closing gate back", at(KIND_GATE_BACK, 3, 5), at(KIND_GATE_BACK_CLOSING, 3, 5), false, 1},
        {"kinds without a same-tile rule go on", at(KIND_BUTTON, 3, 5), at(KIND_BUTTON, 3, 5), false, -1},
        {"trampoline back before a bot", at(KIND_TRAMPOLINE_BACK, 3, 5), at(KIND_BOT, 3, 5), false, -1},
        {"trampoline front after a bot", at(KIND_TRAMPOLINE_FRONT, 3, 5), at(KIND_BOT, 3, 5), false, 1},
        {"teleport front after a object moving left", at(KIND_TELEPORT_FRONT, 3, 5),
         from(at(KIND_OBJECT, 3, 5), 4, 5, 'L'), false, 1},
        {"teleport back before a object", at(KIND_TELEPORT_BACK, 3, 5), from(at(KIND_OBJECT, 3, 5), 2, 5, 'R'), false,
         -1},
        {"terrain before an shot", at(KIND_TERRAIN, 3, 5), at(KIND_SHOT, 3, 5), false, -1},
        {"terrain after a bot", at(KIND_TERRAIN, 3, 5), at(KIND_BOT, 3, 5), false, 1},
        {"shot after terrain", at(KIND_SHOT, 3, 5), at(KIND_TERRAIN, 3, 5), false, 1},
        {"bot before terrain", at(KIND_BOT, 3, 5), at(KIND_TERRAIN, 3, 5), false, -1},
        {"object moving left before the teleport front", from(at(KIND_OBJECT, 3, 5), 4, 5, 'L'),
         at(KIND_TELEPORT_FRONT, 3, 5), false, -1},
        {"bot after trampoline back", at(KIND_BOT, 3, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), false, 1},
        {"teleport ghost by the tiles it left", from(at(KIND_TELEPORT_GHOST, 5, 5), 4, 5, 'R'),
         at(KIND_TRAMPOLINE_FRONT, 4, 5), false, -1},
    });
}

TEST(DepthOrderTest, MovementAndGeneralRules)
{
    expectPairs({
        {"ladder platform over the tile something left", at(KIND_LADDER_PLATFORM, 3, 5),
         from(at(KIND_TRAMPOLINE_BACK, 4, 5), 3, 5, 'R'), false, 1},
        {"terrain before one climbing past on its right", at(KIND_TERRAIN, 3, 3, 1, 3),
         from(at(KIND_TRAMPOLINE_BACK, 4, 5), 4, 6, 'U'), false, -1},
        {"device 40 behind one leaving its column to the left", at(KIND_TUBE, 3, 4),
         from(at(KIND_TRAMPOLINE_BACK, 2, 5), 3, 5, 'L'), false, -1},
        {"above the tile something leaves to the right", at(KIND_TRAMPOLINE_BACK, 3, 4),
         from(at(KIND_TRAMPOLINE_BACK, 4, 5), 3, 5, 'R'), false, 1},
        {"moving left from above it", from(at(KIND_TRAMPOLINE_BACK, 3, 4), 4, 4, 'L'), at(KIND_TRAMPOLINE_BACK, 4, 5),
         false, 1},
        {"still object below one moving sideways", at(KIND_OBJECT, 3, 6),
         from(at(KIND_TRAMPOLINE_BACK, 4, 5), 3, 5, 'R'), false, -1},
        {"general: terrain below, still neighbour", at(KIND_TERRAIN, 3, 6, 1, 2), at(KIND_TRAMPOLINE_BACK, 3, 5), false,
         -1},
        {"general: right of it, not above", at(KIND_TRAMPOLINE_BACK, 4, 5), at(KIND_TRAMPOLINE_BACK, 3, 5), false, 1},
        {"general: left of it, not above", at(KIND_TRAMPOLINE_BACK, 3, 5), at(KIND_TRAMPOLINE_BACK, 4, 5), false, -1},
        {"general: below it", at(KIND_TRAMPOLINE_BACK, 3, 6), at(KIND_TRAMPOLINE_BACK, 3, 5), false, -1},
        {"general: above it", at(KIND_TRAMPOLINE_BACK, 3, 4), at(KIND_TRAMPOLINE_BACK, 3, 5), false, 1},
    });
    // A bot that does not touch the other sprite (a wide box reaching over)
    // has no order of its own unless forced.
    DepthKey bot = at(KIND_BOT, 3, 5);
    bot.box = {24, 0, 400, 400};
    EXPECT_EQ(SortSprites(bot, at(KIND_TRAMPOLINE_BACK, 9, 9), false, false, false), 0);
    EXPECT_EQ(SortSprites(bot, at(KIND_TRAMPOLINE_BACK, 9, 9), true, false, false), -1);
}

TEST(DepthOrderTest, OrderingPlacesEverySpriteOnce)
{
    // Random scenes of mixed kinds, positions and moves: the insertion
    // passes always end, and nothing is lost or drawn twice.
    const int kinds[] = {KIND_TERRAIN,
                         KIND_BRIDGE_COLLAPSING,
                         KIND_LADDER,
                         KIND_LADDER_PLATFORM,
                         KIND_GATE_BACK,
                         KIND_GATE_FRONT,
                         KIND_GATE_LIGHTS,
                         KIND_BUTTON,
                         KIND_GATE_BACK_CLOSING,
                         KIND_TRAMPOLINE_BACK,
                         KIND_TRAMPOLINE_FRONT,
                         KIND_TRAMPOLINE_CANVAS,
                         KIND_TUBE,
                         KIND_TUBE_EXIT_LIGHTS,
                         KIND_TUBE_ARROW,
                         KIND_POWERUP_ITEM,
                         KIND_SHOT,
                         KIND_BOARD_SPARE_55,
                         KIND_TELEPORT_FRONT,
                         KIND_TELEPORT_PORTAL,
                         KIND_TELEPORT_BACK,
                         KIND_TELEPORT_GHOST,
                         KIND_TELEPORT_GLOW_LEFT,
                         KIND_TELEPORT_GLOW_RIGHT,
                         KIND_TELEPORT_EMERGING,
                         KIND_BOT,
                         KIND_PROFESSOR,
                         KIND_OBJECT,
                         KIND_BACKGROUND,
                         KIND_PALETTE_DIMMER,
                         KIND_POINTER,
                         KIND_EDITOR_TERRAIN,
                         KIND_EDITOR_TELEPORT,
                         KIND_SCENE_CLOUD};
    const char directions[] = {' ', 'L', 'R', 'U', 'D'};
    gameSrand(7);
    DepthOrder order;
    std::vector<CSprite*> sorted;
    for (int scene = 0; scene < 400; ++scene) {
        std::vector<DepthKey> keys;
        int count = 1 + gameRand() % 12;
        for (int i = 0; i < count; ++i) {
            int kind = kinds[gameRand() % (sizeof kinds / sizeof kinds[0])];
            int column = gameRand() % 6;
            int row = gameRand() % 6;
            DepthKey k = at(kind, column, row, 1 + gameRand() % 2, 1 + gameRand() % 2);
            char direction = directions[gameRand() % 5];
            if (direction != ' ')
                k = from(k, column + (gameRand() % 3) - 1, row + (gameRand() % 3) - 1, direction);
            k.sprite = reinterpret_cast<CSprite*>(static_cast<uintptr_t>(i + 1) * 16);
            keys.push_back(k);
        }
        order.order(keys, scene % 5 == 0, sorted);
        std::vector<CSprite*> expected;
        for (const DepthKey& k : keys)
            expected.push_back(k.sprite);
        std::vector<CSprite*> got = sorted;
        std::sort(expected.begin(), expected.end());
        std::sort(got.begin(), got.end());
        ASSERT_EQ(got, expected) << "scene " << scene;
    }
}

TEST(DepthOrderTest, OrderingOfAScene)
{
    auto id = [](int n) { return reinterpret_cast<CSprite*>(static_cast<uintptr_t>(n) * 16); };
    auto named = [&](DepthKey k, int n) {
        k.sprite = id(n);
        return k;
    };
    DepthOrder order;
    std::vector<CSprite*> sorted;

    std::vector<DepthKey> single = {named(at(KIND_TRAMPOLINE_BACK, 3, 3), 1)};
    order.order(single, false, sorted);
    EXPECT_EQ(sorted, std::vector<CSprite*>{id(1)});

    // Only one sprite that is not foreground: the others are placed around
    // it by the foreground rules.
    std::vector<DepthKey> menu = {named(at(KIND_POINTER, 5, 5), 1), named(at(KIND_PALETTE_DIMMER, 5, 5), 2),
                                  named(at(KIND_BACKGROUND, 0, 0, 33, 25), 3)};
    order.order(menu, false, sorted);
    EXPECT_EQ(sorted, (std::vector<CSprite*>{id(3), id(2), id(1)}));

    // Pointer over everything, background under everything; on one tile a
    // device before a teleport's right glow; a row of ground, left to right.
    std::vector<DepthKey> scene = {
        named(at(KIND_POINTER, 3, 5), 1),         named(at(KIND_TELEPORT_GLOW_RIGHT, 3, 5), 2),
        named(at(KIND_GATE_BACK, 4, 6), 3),       named(at(KIND_BACKGROUND, 0, 0, 33, 25), 4),
        named(at(KIND_TRAMPOLINE_BACK, 3, 5), 5), named(at(KIND_GATE_BACK, 3, 6), 6)};
    order.order(scene, false, sorted);
    ASSERT_EQ(sorted.size(), 6u);
    auto position = [&](int n) { return std::find(sorted.begin(), sorted.end(), id(n)) - sorted.begin(); };
    EXPECT_EQ(position(4), 0);
    EXPECT_EQ(position(1), 5);
    EXPECT_LT(position(5), position(2));
    EXPECT_LT(position(6), position(3));
}
