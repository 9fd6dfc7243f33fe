#include "engine/DirtyRects.h"

#include "engine/DisplayFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using Rects = std::vector<DirtyRect>;

constexpr int kMenuScreen = 3;

Rects merged(Rects rects)
{
    mergeDirtyRects(rects);
    return rects;
}

Rects clipped(Rects rects, int controllerId)
{
    clipDirtyRects(rects, controllerId);
    return rects;
}

} // namespace

TEST(DirtyRectsTest, MergingKeepsThePaintedAreaFromGrowing)
{
    struct Case {
        const char* what;
        Rects in, out;
    } cases[] = {
        {"overlapping halves merge", {{0, 0, 10, 10}, {5, 0, 10, 10}}, {{0, 0, 15, 10}}},
        {"a union larger than both stays apart", {{0, 0, 10, 10}, {8, 8, 10, 10}}, {{0, 0, 10, 10}, {8, 8, 10, 10}}},
        {"touching rectangles stay apart", {{0, 0, 10, 10}, {10, 0, 10, 10}}, {{0, 0, 10, 10}, {10, 0, 10, 10}}},
        {"a bridge joins two in later steps",
         {{0, 0, 10, 10}, {20, 0, 10, 10}, {5, 0, 20, 10}},
         {{0, 0, 30, 10}}},
        {"the whole screen swallows the rest",
         {{10, 10, 5, 5}, {0, 0, 800, 600}, {700, 500, 50, 50}},
         {{0, 0, 800, 600}}},
        {"one rectangle as it is", {{3, 4, 5, 6}}, {{3, 4, 5, 6}}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(merged(c.in), c.out) << c.what;
}

TEST(DirtyRectsTest, ClippingToTheScreen)
{
    struct Case {
        const char* what;
        Rects in, out;
    } cases[] = {
        {"cut at the left and bottom", {{-10, 590, 30, 30}}, {{0, 590, 20, 10}}},
        {"cut at the right", {{790, 0, 20, 10}}, {{790, 0, 10, 10}}},
        {"at x 800: dropped", {{800, 0, 5, 5}}, {}},
        {"at y 600: dropped", {{0, 600, 5, 5}}, {}},
        {"left of the screen: dropped", {{-20, 0, 10, 10}}, {}},
        {"ending on the left edge: nothing left to paint", {{-20, 0, 20, 10}}, {}},
        {"negative size: nothing to paint", {{10, 10, -5, 5}}, {}},
        {"order kept", {{5, 5, 1, 1}, {900, 0, 1, 1}, {1, 1, 2, 2}}, {{5, 5, 1, 1}, {1, 1, 2, 2}}},
        {"huge values do not overflow", {{INT_MAX - 5, 0, 100, 100}, {-100, INT_MIN + 10, 200, 50}}, {}},
        {"a near full screen below the limit", {{0, 0, 800, 500}}, {{0, 0, 800, 500}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clipped(c.in, kMenuScreen), c.out) << c.what;
}

TEST(DirtyRectsTest, AboveTheAreaLimitTheWholeScreenIsRepainted)
{
    Rects before = {{10, 10, 5, 5}, {0, 0, 800, 501}, {20, 20, 5, 5}};
    EXPECT_EQ(clipped(before, kMenuScreen), (Rects{{0, 0, 800, 600}}));
    EXPECT_EQ(clipped(before, -1), (Rects{{0, 0, 800, 600}}));
    // A rectangle reaching off the screen counts by what is left of it.
    EXPECT_EQ(clipped({{-100, -100, 900, 600}}, kMenuScreen), (Rects{{0, 0, 800, 500}}));

    for (int screen : {CONTROLLER_ID_GAME, CONTROLLER_ID_EDITOR}) {
        Rects cells = clipped(before, screen);
        ASSERT_EQ(cells.size(), 625u) << screen;
        // Column by column, top to bottom within a column.
        EXPECT_EQ(cells[0], (DirtyRect{0, 0, 32, 24}));
        EXPECT_EQ(cells[1], (DirtyRect{0, 24, 32, 24}));
        EXPECT_EQ(cells[25], (DirtyRect{32, 0, 32, 24}));
        EXPECT_EQ(cells[624], (DirtyRect{768, 576, 32, 24}));
    }
}

TEST(DirtyRectsTest, LargeRectanglesOnTheGameScreenAreCutIntoCells)
{
    // 600 x 600: cells of 100 grown to 101, the bottom row cut to the screen.
    Rects cells = clipped({{0, 0, 600, 600}}, CONTROLLER_ID_GAME);
    ASSERT_EQ(cells.size(), 36u);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r)
            EXPECT_EQ(cells[c * 6 + r], (DirtyRect{c * 101, r * 101, 101, r == 5 ? 95 : 101})) << c << "," << r;
    EXPECT_EQ(clipped({{0, 0, 600, 600}}, CONTROLLER_ID_EDITOR), (Rects{{0, 0, 600, 600}}));
    EXPECT_EQ(clipped({{0, 0, 600, 600}}, kMenuScreen), (Rects{{0, 0, 600, 600}}));

    struct Case {
        const char* what;
        DirtyRect in;
        Rects out;
    } cases[] = {
        {"100 x 100: 4 x 4 cells of 26",
         {100, 100, 100, 100},
         {{100, 100, 26, 26}, {100, 126, 26, 26}, {100, 152, 26, 26}, {100, 178, 26, 26},
          {126, 100, 26, 26}, {126, 126, 26, 26}, {126, 152, 26, 26}, {126, 178, 26, 26},
          {152, 100, 26, 26}, {152, 126, 26, 26}, {152, 152, 26, 26}, {152, 178, 26, 26},
          {178, 100, 26, 26}, {178, 126, 26, 26}, {178, 152, 26, 26}, {178, 178, 26, 26}}},
        {"5000 pixels: kept whole", {10, 10, 100, 50}, {{10, 10, 100, 50}}},
        {"narrower than a cell: one column",
         {0, 0, 20, 300},
         {{0, 0, 21, 26}, {0, 26, 21, 26}, {0, 52, 21, 26}, {0, 78, 21, 26}, {0, 104, 21, 26}, {0, 130, 21, 26},
          {0, 156, 21, 26}, {0, 182, 21, 26}, {0, 208, 21, 26}, {0, 234, 21, 26}, {0, 260, 21, 26},
          {0, 286, 21, 26}}},
        {"cells at the corner cut to the screen",
         {700, 500, 99, 99},
         {{700, 500, 34, 34}, {700, 534, 34, 34}, {700, 568, 34, 32}, {734, 500, 34, 34}, {734, 534, 34, 34},
          {734, 568, 34, 32}, {768, 500, 32, 34}, {768, 534, 32, 34}, {768, 568, 32, 32}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clipped({c.in}, CONTROLLER_ID_GAME), c.out) << c.what;
}
