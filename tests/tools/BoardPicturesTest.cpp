// The board pictures: devices, objects, terrain, overlays and level
// backgrounds, as the picture tool draws them and reads them back. That the
// image archive holds every one the game acquires is StartUpArchiveTest's
// check, derived from the start-up lists themselves.
#include "support/TestEnvironment.h"

#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

using namespace corvelle_test;

namespace {

#ifdef CORVELLE_PICTURETOOL
const char* kTool = CORVELLE_PICTURETOOL;
#else
const char* kTool = nullptr;
#endif

std::string run(const std::string& arguments)
{
    std::string output;
    FILE* pipe = popen((std::string(kTool) + " " + arguments).c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    pclose(pipe);
    return output;
}

// Draws one picture into the temporary home and loads it back.
std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> draw(const std::string& name)
{
    static int count = 0;
    std::string path = makeTempDir("pictures" + std::to_string(count++)) + "/" + name;
    run("--single " + name + " " + path);
    SDL_Surface* loaded = IMG_Load(path.c_str());
    SDL_Surface* pixels = nullptr;
    if (loaded) {
        SDL_PixelFormat format{};
        format.BitsPerPixel = 32;
        format.BytesPerPixel = 4;
        format.Rmask = 0x000000FF, format.Gmask = 0x0000FF00, format.Bmask = 0x00FF0000, format.Amask = 0xFF000000;
        format.Gshift = 8, format.Bshift = 16, format.Ashift = 24;
        pixels = SDL_ConvertSurface(loaded, &format, SDL_SWSURFACE);
        SDL_FreeSurface(loaded);
    }
    return {pixels, SDL_FreeSurface};
}

uint8_t channel(SDL_Surface* s, int x, int y, int c)
{
    return static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x * 4 + c];
}

class PictureToolTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!kTool)
            GTEST_SKIP() << "the picture tool is built by the plain build only";
    }
};

} // namespace

// Buttons, gates and teleports are told apart by colour alone.
TEST_F(PictureToolTest, ColouredDevicesShowTheirColour)
{
    struct Case {
        const char* name;
        char colour; // b, r or y
    } cases[] = {{"buttonblue1.tga", 'b'},        {"buttonred1.tga", 'r'},        {"buttonyellow1.tga", 'y'},
                 {"gatefrontclosered0.tga", 'r'}, {"gatefrontcloseyellow0.tga", 'y'}, {"teleport_frameblue0.png", 'b'},
                 {"teleport_framered0.png", 'r'},  {"teleport_frameyellow0.png", 'y'}};
    for (const Case& c : cases) {
        auto picture = draw(c.name);
        ASSERT_TRUE(picture) << c.name;
        // Average the strongly coloured, opaque pixels.
        double sum[3] = {0, 0, 0};
        int count = 0;
        for (int y = 0; y < picture->h; ++y)
            for (int x = 0; x < picture->w; ++x) {
                int r = channel(picture.get(), x, y, 0), g = channel(picture.get(), x, y, 1);
                int b = channel(picture.get(), x, y, 2), a = channel(picture.get(), x, y, 3);
                int spread = std::max({r, g, b}) - std::min({r, g, b});
                if (a > 200 && spread > 90) {
                    sum[0] += r, sum[1] += g, sum[2] += b;
                    ++count;
                }
            }
        ASSERT_GT(count, 10) << c.name;
        double r = sum[0] / count, g = sum[1] / count, b = sum[2] / count;
        if (c.colour == 'b')
            EXPECT_TRUE(b > r + 60 && b > g) << c.name;
        else if (c.colour == 'r')
            EXPECT_TRUE(r > g + 80 && r > b + 80) << c.name;
        else
            EXPECT_TRUE(r > b + 80 && g > b + 60) << c.name;
    }
}

// Pictures are placed by their sprites' origins; an object must stand on
// the floor of its cell, not float above it or sink into the cell below.
TEST_F(PictureToolTest, ObjectsStandOnTheFloorOfTheirCell)
{
    struct Case {
        const char* name;
        int originX, originY;
    } cases[] = {{"cratestill0.tga", 23, 13},        {"metalcratestill0.tga", 23, 13}, {"crateinflatablestill0.tga", 20, 15},
                 {"barrel0.tga", 19, 15},            {"barrelinflatable0.tga", 20, 16}, {"magnetleftstill0.tga", 16, 12},
                 {"magnetrightstill0.tga", 18, 12},  {"buttonred1.tga", 11, -9},        {"gatebackclose7.tga", 15, 16}};
    for (const Case& c : cases) {
        auto picture = draw(c.name);
        ASSERT_TRUE(picture) << c.name;
        // The cell's top-left corner within the picture.
        int cellX = c.originX - 14, cellY = c.originY - 5;
        auto alphaAt = [&](int x, int y) {
            x += cellX, y += cellY;
            if (x < 0 || y < 0 || x >= picture->w || y >= picture->h)
                return 0;
            return static_cast<int>(channel(picture.get(), x, y, 3));
        };
        bool touchesFloor = false;
        for (int x = 4; x < 20; ++x)
            touchesFloor = touchesFloor || alphaAt(x, 22) > 128;
        EXPECT_TRUE(touchesFloor) << c.name;
        for (int x = 0; x < 24; ++x)
            EXPECT_LT(alphaAt(x, 26), 64) << c.name << " at " << x;
    }
}

TEST_F(PictureToolTest, DrawingIsRepeatable)
{
    for (const char* name : {"grass32.png", "heatgunimpact12.png", "icemeltingsteam9.png", "background5.jpg"}) {
        std::string first = makeTempDir(std::string("first_") + name) + "/" + name;
        std::string second = makeTempDir(std::string("second_") + name) + "/" + name;
        run(std::string("--single ") + name + " " + first);
        run(std::string("--single ") + name + " " + second);
        std::string bytes = readFile(first);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes, readFile(second)) << name;
    }
}
