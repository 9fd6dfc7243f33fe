#include "engine/DepthOrder.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A sprite of `type` standing on tile (column, row) and reaching up (ladders
// hang down) `h` rows, `w` columns wide; its box covers exactly its tiles.
DepthKey at(int type, int column, int row, int w = 1, int h = 1)
{
    DepthKey k{};
    int top = type == 10 ? row : row - h + 1;
    int bottom = type == 10 ? row + h - 1 : row;
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
    int top = k.type == 10 ? row : row - h;
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
    for (int backdrop : {SPRITE_BACKGROUND, SPRITE_BACKGROUND_GRID, SPRITE_SWAP_IMAGE})
        for (int other : {10, 60, 66, 1305, 1500}) {
            DepthKey back = at(backdrop, 0, 0, 33, 25);
            DepthKey front = at(other, 4, 4);
            EXPECT_EQ(SortSprites(back, front, false, false, false), -1) << backdrop << " vs " << other;
            EXPECT_EQ(SortSprites(front, back, true, true, false), 1) << other << " vs " << backdrop;
            EXPECT_EQ(compareCoarse(back, front), -1) << backdrop << " vs " << other;
            EXPECT_EQ(compareCoarse(front, back), 1) << other << " vs " << backdrop;
        }
    // Among the backdrops the swap picture is the farthest back.
    EXPECT_EQ(SortSprites(at(SPRITE_SWAP_IMAGE, 0, 0), at(SPRITE_BACKGROUND, 0, 0), false, false, false), -1);
    EXPECT_EQ(SortSprites(at(SPRITE_BACKGROUND_GRID, 0, 0), at(SPRITE_BACKGROUND, 0, 0), false, false, false), 1);
    for (int other : {10, 42, 66, 1102, 1500, 1408})
        EXPECT_EQ(SortSprites(at(SPRITE_POINTER, 4, 4), at(other, 4, 4), false, false, false), 1) << other;
}

TEST(DepthOrderTest, ForegroundPrecedence)
{
    struct Case {
        DepthKey a, b;
        int expected;
    } cases[] = {
        {at(1305, 0, 0), at(1102, 0, 0), 1},
        {at(1450, 0, 0), at(1102, 0, 0), -1},
        {at(1400, 0, 0), at(1408, 0, 0), 1},
        {at(1500, 0, 0), at(1303, 0, 0), 1},
        {at(42, 0, 0), at(51, 0, 0), -1},
        {at(55, 0, 0), at(30, 0, 0), 1},  // only one of them ranked
        {at(30, 0, 0), at(1200, 0, 0), -1},
        {at(1305, 0, 0), at(1305, 0, 0), 1}, // the same rank: a in front
        {at(1500, 5, 3), at(1500, 0, 8), -1}, // the higher lower edge behind
        {at(1500, 0, 8), at(1500, 5, 3), 1},
        {at(30, 0, 0), at(31, 0, 0), 0},
        {at(12, 0, 0), at(22, 0, 0), 0}, // foreground kinds without a rank
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
        {at(30, 5, 0), at(30, 3, 0), true, false},
        {at(30, 3, 0), at(30, 3, 0), false, false},
        {at(30, 3, 0), at(30, 1, 0, 3, 1), false, false}, // columns 1-3 share column 3
        {at(60, 3, 0), at(30, 1, 0, 3, 1), true, false},  // the professor: an edge column is enough
        {at(60, 3, 0), at(61, 3, 0), false, false},       // between professors it is not
        {at(30, 3, 0), at(65, 3, 0), false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rightOf(c.a, c.b, false), c.right) << c.a.type << " vs " << c.b.type;
        EXPECT_EQ(leftOf(c.a, c.b, false), c.left) << c.a.type << " vs " << c.b.type;
    }
    DepthKey moving = from(at(30, 5, 0), 2, 0, 'R');
    EXPECT_TRUE(rightOf(moving, at(30, 4, 0), false));
    EXPECT_FALSE(rightOf(moving, at(30, 4, 0), true));
    EXPECT_TRUE(leftOf(moving, at(30, 4, 0), true));
}

TEST(DepthOrderTest, CoarsePresortRules)
{
    struct Case {
        const char* what;
        DepthKey a, b;
        int expected;
    } cases[] = {
        {"tube top before the tube below it", at(12, 3, 4), at(13, 3, 5), -1},
        {"tube below after the tube top", at(13, 3, 5), at(12, 3, 4), 1},
        {"tube top apart goes last", at(12, 3, 4), at(13, 9, 9), 1},
        {"anything before a tube top", at(30, 9, 9), at(12, 3, 4), -1},
        {"professor before a touching passage", at(60, 3, 5), at(64, 4, 5), -1},
        {"passage after a touching professor", at(67, 4, 5), at(60, 3, 5), 1},
        {"professor kind 65 last", at(65, 3, 5), at(30, 9, 9), 1},
        {"professor first on a shared tile", at(60, 3, 5), at(30, 3, 5), -1},
        {"device 31 first on a shared tile", at(30, 3, 5), at(31, 3, 5), 1},
        {"terrain 21 first on a shared tile", at(21, 3, 5), at(30, 3, 5), -1},
        {"terrain 20 last on a shared tile", at(20, 3, 5), at(30, 3, 5), 1},
        {"terrain 23 after what it touches", at(23, 3, 5), at(30, 4, 6), 1},
        {"right of it: first", at(30, 6, 5), at(30, 2, 5), -1},
        {"left of it: last", at(30, 2, 5), at(30, 6, 5), 1},
        {"professor beside on an edge column", at(61, 3, 0), at(30, 2, 10, 2, 1), -1},
        {"other kinds on the same column by row", at(31, 3, 0), at(30, 2, 10, 2, 1), 1},
        {"above: last", at(30, 3, 2), at(30, 3, 8), 1},
        {"below: first", at(30, 3, 8), at(30, 3, 2), -1},
        {"same tile, no rule: last", at(30, 3, 5), at(32, 3, 5), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compareCoarse(c.a, c.b), c.expected) << c.what;
}

TEST(DepthOrderTest, FarApartPairsAreOrderedOnlyWhenForced)
{
    DepthKey high = at(30, 4, 2);
    DepthKey low = at(30, 4, 8);
    EXPECT_EQ(SortSprites(high, low, false, false, false), 0);
    EXPECT_EQ(SortSprites(low, high, false, false, false), 0);
    EXPECT_EQ(SortSprites(low, high, true, false, false), -1); // the lower one behind
    EXPECT_EQ(SortSprites(high, low, true, false, false), 1);
    EXPECT_EQ(SortSprites(low, high, true, true, false), 0); // "behind" stays open in the foreground pass
    // A ranked kind answers even without force.
    EXPECT_EQ(SortSprites(at(50, 0, 0), at(30, 10, 10), false, false, false), 1);
    expectPairs({
        {"below and left: behind", at(30, 1, 10), at(30, 5, 2), true, -1},
        {"below and right: in front", at(30, 8, 10), at(30, 2, 2), true, 1},
        {"above and right: in front", at(30, 8, 2), at(30, 2, 10), true, 1},
        {"above and left: in front", at(30, 2, 2), at(30, 8, 10), true, 1},
        {"same rows, left: behind", at(30, 1, 5), at(30, 8, 5), true, -1},
        {"same rows, right: in front", at(30, 8, 5), at(30, 1, 5), true, 1},
    });
    // In the editor every pair is treated as close and always has an order.
    EXPECT_EQ(SortSprites(high, low, false, false, true), 1);
}

TEST(DepthOrderTest, CloseAndOverlappingPairRules)
{
    expectPairs({
        {"tube top above the tube below it", at(12, 2, 3), at(13, 2, 4), false, -1},
        {"tube below under the tube top", at(13, 2, 4), at(12, 2, 3), false, 1},
        {"professor under a ladder's foot", at(60, 3, 5), at(10, 3, 3, 1, 3), false, 1},
        {"professor below a narrow ladder", at(60, 3, 6), at(10, 3, 3, 1, 3), false, 1},
        {"professor below a wide ladder", at(60, 3, 6), at(10, 3, 3, 2, 3), false, -1},
        {"narrow ladder above the professor", at(10, 3, 3, 1, 3), at(60, 3, 6), false, -1},
        {"wide ladder above the professor", at(10, 3, 3, 2, 3), at(60, 3, 6), false, 1},
        {"editor: 1309 over 1308", at(1309, 2, 4), at(1308, 2, 4), false, 1},
        {"editor: 1307 lowest", at(1307, 2, 4), at(1310, 2, 4), false, -1},
        {"editor: against 1309 on its column", at(1310, 2, 4), at(1309, 2, 4), false, -1},
        {"ladder platform left of it", at(11, 3, 4), at(30, 4, 4), false, -1},
        {"ladder platform above it", at(11, 3, 4), at(30, 3, 5), false, 1},
        {"ladder platform below it", at(11, 3, 5), at(30, 3, 4), false, -1},
        {"right of a ladder platform", at(30, 4, 4), at(11, 3, 4), false, 1},
        {"teleport half emerging right", from(at(67, 5, 5), 4, 5, 'R'), at(30, 4, 5), false, 1},
        {"teleport half emerging, professor", from(at(67, 5, 5), 4, 5, 'R'), at(60, 4, 5), false, -1},
        {"ladder above a tube top", at(10, 3, 2, 1, 3), at(12, 3, 5), false, 1},
        {"tube top below a ladder", at(12, 3, 5), at(10, 3, 2, 1, 3), false, -1},
        {"tube tops side by side", at(12, 5, 5), at(12, 4, 5), false, 1},
        {"tube top before others", at(12, 3, 5), at(30, 4, 5), false, -1},
        {"terrain 22 after others", at(22, 3, 5), at(30, 4, 5), false, 1},
        {"terrain 21 beside terrain 21", at(21, 3, 5), at(21, 4, 5), false, -1},
        {"terrain 21 under terrain 21", at(21, 3, 5), at(21, 3, 4), false, -1},
        {"terrain 21 over terrain 21", at(21, 3, 4), at(21, 3, 5), false, 1},
        {"ground below a ladder", at(20, 3, 6), at(10, 3, 3, 1, 3), false, -1},
        {"terrain 21 after others", at(21, 3, 5), at(30, 4, 5), false, 1},
        {"ground over ground", at(20, 3, 4), at(24, 3, 5), false, 1},
        {"ground 20 up and right", at(20, 5, 3), at(30, 4, 4), false, 1},
        {"ground 20 otherwise behind", at(20, 3, 5), at(30, 4, 4), false, -1},
        {"professor right of it", at(60, 4, 5), at(30, 3, 5), false, 1},
        {"professor left of it", at(60, 3, 5), at(30, 4, 5), false, -1},
        {"professor under something sliding left", at(60, 3, 6), from(at(30, 3, 5), 4, 5, 'L'), false, -1},
        {"professor kind 66 in front", at(66, 3, 5), at(30, 4, 5), false, 1},
        {"climbing professor right of it", at(61, 4, 5), at(30, 3, 5), false, 1},
        {"climbing professor beside a ladder", at(61, 4, 5), at(10, 3, 3, 1, 3), false, 1},
        {"professor on a ladder, not a ladder", at(62, 4, 5), at(30, 3, 5), false, -1},
        {"a ladder below the professor on one", at(10, 3, 6, 1, 3), at(62, 3, 5), false, -1},
    });
}

TEST(DepthOrderTest, SameTileTables)
{
    expectPairs({
        {"device 30 before the professor's 66", at(30, 3, 5), at(66, 3, 5), false, -1},
        {"device 33 before tube 13", at(33, 3, 5), at(13, 3, 5), false, -1},
        {"object 40 before tube 13", at(13, 3, 5), at(40, 3, 5), false, 1},
        {"climbing professor after terrain 21", at(61, 3, 5), at(21, 3, 5), false, 1},
        {"terrain 20 before 24", at(24, 3, 5), at(20, 3, 5), false, -1},
        {"terrain 24 after 20", at(20, 3, 5), at(24, 3, 5), false, 1},
        {"kinds without a same-tile rule go on", at(23, 3, 5), at(23, 3, 5), false, -1},
        {"device 30 before a bot", at(30, 3, 5), at(70, 3, 5), false, -1},
        {"device 31 after a bot", at(31, 3, 5), at(70, 3, 5), false, 1},
        {"professor after a shot moving left", at(60, 3, 5), from(at(80, 3, 5), 4, 5, 'L'), false, 1},
        {"professor on a ladder before a shot", at(62, 3, 5), from(at(80, 3, 5), 2, 5, 'R'), false, -1},
        {"ladder before an item", at(10, 3, 5), at(53, 3, 5), false, -1},
        {"ladder after a bot", at(10, 3, 5), at(70, 3, 5), false, 1},
        {"item after a ladder", at(53, 3, 5), at(10, 3, 5), false, 1},
        {"bot before a ladder", at(70, 3, 5), at(10, 3, 5), false, -1},
        {"shot moving left before the professor", from(at(80, 3, 5), 4, 5, 'L'), at(60, 3, 5), false, -1},
        {"bot after device 30", at(70, 3, 5), at(30, 3, 5), false, 1},
        {"teleport ghost by the tiles it left", from(at(64, 5, 5), 4, 5, 'R'), at(31, 4, 5), false, -1},
    });
}

TEST(DepthOrderTest, MovementAndGeneralRules)
{
    expectPairs({
        {"tube 13 over the tile something left", at(13, 3, 5), from(at(30, 4, 5), 3, 5, 'R'), false, 1},
        {"ladder before one climbing past on its right", at(10, 3, 3, 1, 3), from(at(30, 4, 5), 4, 6, 'U'),
         false, -1},
        {"device 40 behind one leaving its column to the left", at(40, 3, 4), from(at(30, 2, 5), 3, 5, 'L'),
         false, -1},
        {"above the tile something leaves to the right", at(30, 3, 4), from(at(30, 4, 5), 3, 5, 'R'), false, 1},
        {"moving left from above it", from(at(30, 3, 4), 4, 4, 'L'), at(30, 4, 5), false, 1},
        {"still shot below one moving sideways", at(80, 3, 6), from(at(30, 4, 5), 3, 5, 'R'), false, -1},
        {"general: ladder below, still neighbour", at(10, 3, 6, 1, 2), at(30, 3, 5), false, -1},
        {"general: right of it, not above", at(30, 4, 5), at(30, 3, 5), false, 1},
        {"general: left of it, not above", at(30, 3, 5), at(30, 4, 5), false, -1},
        {"general: below it", at(30, 3, 6), at(30, 3, 5), false, -1},
        {"general: above it", at(30, 3, 4), at(30, 3, 5), false, 1},
    });
    // A bot that does not touch the other sprite (a wide box reaching over)
    // has no order of its own unless forced.
    DepthKey bot = at(70, 3, 5);
    bot.box = {24, 0, 400, 400};
    EXPECT_EQ(SortSprites(bot, at(30, 9, 9), false, false, false), 0);
    EXPECT_EQ(SortSprites(bot, at(30, 9, 9), true, false, false), -1);
}

TEST(DepthOrderTest, OrderingPlacesEverySpriteOnce)
{
    // Random scenes of mixed kinds, positions and moves: the insertion
    // passes always end, and nothing is lost or drawn twice.
    const int kinds[] = {10, 11, 12, 13, 20, 21, 22, 23, 24, 30, 31, 33, 40, 41, 42, 50, 53, 55, 60,
                         61, 62, 64, 65, 66, 67, 70, 71, 80, 1100, 1200, 1305, 1308, 1309, 1500};
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

    std::vector<DepthKey> single = {named(at(30, 3, 3), 1)};
    order.order(single, false, sorted);
    EXPECT_EQ(sorted, std::vector<CSprite*>{id(1)});

    // Only one sprite that is not foreground: the others are placed around
    // it by the foreground rules.
    std::vector<DepthKey> menu = {named(at(1305, 5, 5), 1), named(at(1200, 5, 5), 2),
                                  named(at(SPRITE_BACKGROUND, 0, 0, 33, 25), 3)};
    order.order(menu, false, sorted);
    EXPECT_EQ(sorted, (std::vector<CSprite*>{id(3), id(2), id(1)}));

    // Pointer over everything, background under everything; on one tile a
    // device before the professor's 66; a row of ground, left to right.
    std::vector<DepthKey> scene = {named(at(1305, 3, 5), 1),
                                   named(at(66, 3, 5), 2),
                                   named(at(20, 4, 6), 3),
                                   named(at(SPRITE_BACKGROUND, 0, 0, 33, 25), 4),
                                   named(at(30, 3, 5), 5),
                                   named(at(20, 3, 6), 6)};
    order.order(scene, false, sorted);
    ASSERT_EQ(sorted.size(), 6u);
    auto position = [&](int n) { return std::find(sorted.begin(), sorted.end(), id(n)) - sorted.begin(); };
    EXPECT_EQ(position(4), 0);
    EXPECT_EQ(position(1), 5);
    EXPECT_LT(position(5), position(2));
    EXPECT_LT(position(6), position(3));
}
