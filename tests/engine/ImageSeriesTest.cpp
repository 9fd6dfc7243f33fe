#include "engine/DisplayFixture.h"

using namespace corvelle_test;

namespace {

using ImageSeriesTest = DisplayTest;

// A made image of one colour under a name.
int makeImage(const char* name, int width, int height, Rgba c)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, c.r, c.g, c.b, c.a));
    return CDraw::LoadSurface(surface, name);
}

Rgba pixelOf(const std::string& name, int x, int y)
{
    return pixelAt(CDraw::getImageSurface(CDraw::findImageId(name.c_str())), x, y);
}

} // namespace

TEST_F(ImageSeriesTest, FadeSeriesShiftsEachMemberOneStepMore)
{
    struct Case {
        const char* name;
        Uint8 alpha;
        int count;
        int step;
        std::vector<int> alphas; // member 0 first
    } cases[] = {
        // The highest member loses one step, member 0 all six: fully clear.
        {"password_invalid.png", 255, 6, -45, {0, 30, 75, 120, 165, 210}},
        {"hint.tga", 100, 3, 50, {250, 200, 150}},
        {"none.png", 255, 0, -45, {}},
        {"nothing.png", 255, -2, -45, {}},
    };
    for (const Case& c : cases) {
        makeImage(c.name, 3, 2, {200, 120, 40, c.alpha});
        CDraw::createFadeSeries(c.name, c.count, c.step);
        for (int k = 0; k < static_cast<int>(c.alphas.size()); ++k) {
            std::string member = fadeSeriesName(c.name, k);
            EXPECT_EQ(pixelOf(member, 2, 1), (Rgba{200, 120, 40, static_cast<Uint8>(c.alphas[k])})) << member;
        }
        EXPECT_EQ(CDraw::findImageId(fadeSeriesName(c.name, static_cast<int>(c.alphas.size())).c_str()), -1) << c.name;
        EXPECT_EQ(pixelOf(c.name, 0, 0).a, c.alpha) << "the source keeps its alpha";
    }
    EXPECT_EQ(fadeSeriesName("password_invalid.png", 5), "password_invalid5.png");
}

TEST_F(ImageSeriesTest, AcquiredAndCopiedSeries)
{
    const Rgba colours[] = {{10, 20, 30, 255}, {40, 50, 60, 200}, {70, 80, 90, 150}, {100, 110, 120, 100}};
    std::vector<ArchiveEntry> entries;
    for (int n = 0; n < 4; ++n)
        entries.push_back({imageSeriesName("spin", n, ".tga"), tgaBytes(2, 2, colours[n])});
    preload(entries);

    int last = CDraw::getImageSeriesNames("spin", 1, 3, ".tga");
    EXPECT_EQ(last, CDraw::findImageId("spin3.tga"));
    EXPECT_EQ(CDraw::findImageId("spin0.tga"), -1) << "outside the range: not decoded";
    EXPECT_EQ(CDraw::getImageSeriesNames("spin", 5, 4, ".tga"), 0);
    int first = CDraw::getImageSeriesNames("spin", 0, 0, ".tga");
    EXPECT_EQ(first, CDraw::findImageId("spin0.tga"));

    CDraw::copyImageSeries("spin", "spin_faint", 1, 2, ".tga", -100);
    EXPECT_EQ(pixelOf("spin_faint1.tga", 0, 0), (Rgba{40, 50, 60, 100}));
    EXPECT_EQ(pixelOf("spin_faint2.tga", 1, 1), (Rgba{70, 80, 90, 50}));
    EXPECT_EQ(CDraw::findImageId("spin_faint0.tga"), -1);
    EXPECT_EQ(CDraw::findImageId("spin_faint3.tga"), -1);

    // Copying takes no lasting reference on the source: releasing what the
    // series acquired frees it.
    CDraw::releaseImage("spin1.tga");
    EXPECT_EQ(CDraw::findImageId("spin1.tga"), -1);
    EXPECT_NE(CDraw::findImageId("spin_faint1.tga"), -1);
}

TEST_F(ImageSeriesTest, PaddedCopyPutsTheSourceInsideClearMargins)
{
    // A 2 x 2 source of four colours, so that a misplaced pixel shows.
    SDL_Surface* tile = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    const Rgba colours[2][2] = {{{255, 0, 0, 255}, {0, 255, 0, 200}}, {{0, 0, 255, 150}, {9, 9, 9, 100}}};
    SDL_LockSurface(tile);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            const Rgba& c = colours[y][x];
            CDraw::putPixel(tile, x, y, SDL_MapRGBA(tile->format, c.r, c.g, c.b, c.a));
        }
    SDL_UnlockSurface(tile);
    int source = CDraw::LoadSurface(tile, "tile.png");

    struct Case {
        const char* name;
        int left, right, top, bottom;
    } cases[] = {{"same.png", 0, 0, 0, 0}, {"shifted.png", 2, 0, 3, 0}, {"framed.png", 1, 2, 3, 4}};
    for (const Case& c : cases) {
        int id = CDraw::padImage("tile.png", c.name, c.left, c.right, c.top, c.bottom);
        EXPECT_EQ(CDraw::findImageId(c.name), id);
        SDL_Surface* padded = CDraw::getImageSurface(id);
        ASSERT_EQ(padded->w, 2 + c.left + c.right) << c.name;
        ASSERT_EQ(padded->h, 2 + c.top + c.bottom) << c.name;
        for (int y = 0; y < padded->h; ++y) {
            for (int x = 0; x < padded->w; ++x) {
                int sx = x - c.left;
                int sy = y - c.top;
                bool inside = sx >= 0 && sx < 2 && sy >= 0 && sy < 2;
                if (inside)
                    EXPECT_EQ(pixelAt(padded, x, y), colours[sy][sx]) << c.name << " at " << x << ", " << y;
                else
                    EXPECT_EQ(CDraw::getPixel(padded, x, y), 0u) << c.name << " at " << x << ", " << y;
            }
        }
    }
    // The source's reference went back: its one reference still frees it.
    CDraw::unloadImage(source);
    EXPECT_EQ(CDraw::findImageId("tile.png"), -1);
}
