// The board pictures: devices, objects, terrain, overlays and level
// backgrounds. Looks them up in the built image archive, and runs the
// picture tool to read back what it draws.
#include "support/ArchiveCases.h"
#include "support/TestEnvironment.h"

#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

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

struct Series {
    const char* prefix;
    int first, last;
    const char* suffix;
};

// The board pictures the game acquires at start-up, by series.
const Series kBoardPictures[] = {
    {"buttonblue", 0, 1, ".tga"}, {"buttonred", 0, 1, ".tga"}, {"buttonyellow", 0, 1, ".tga"},
    {"buttonblue_break", 0, 4, ".png"}, {"buttonred_break", 0, 4, ".png"}, {"buttonyellow_break", 0, 4, ".png"},
    {"frostballleft", 0, 11, ".tga"}, {"frostballright", 0, 11, ".tga"}, {"frostexplode", 0, 8, ".tga"},
    {"fireballleft", 0, 11, ".png"}, {"fireballright", 0, 11, ".png"}, {"heatgunimpact", 0, 25, ".png"},
    {"gatebackbreak", 0, 7, ".tga"}, {"gatebackclose", 0, 7, ".tga"}, {"gatebackmagnet", 0, 3, ".tga"},
    {"gatefrontbreak", 0, 11, ".tga"}, {"gatefrontbreakred", 0, 11, ".tga"}, {"gatefrontbreakyellow", 0, 11, ".tga"},
    {"gatefrontclose", 6, 7, ".tga"}, {"gatefrontclose", 0, 0, ".tga"}, {"gatefrontclosered", 0, 0, ".tga"},
    {"gatefrontcloseyellow", 0, 0, ".tga"}, {"gatefrontmagnet", 0, 3, ".tga"}, {"gatefrontmagnetred", 0, 3, ".tga"},
    {"gatefrontmagnetyellow", 0, 3, ".tga"},
    {"powerupbarrel", 0, 23, ".tga"}, {"powerupbridge", 0, 27, ".png"}, {"powerupcrate", 0, 27, ".tga"},
    {"powerupemp", 0, 17, ".tga"}, {"powerupfrostgun", 0, 17, ".tga"}, {"poweruphalo", 0, 0, ".tga"},
    {"powerupmagnet", 0, 23, ".tga"}, {"powerupteleport", 0, 27, ".png"}, {"powerupteleportred", 0, 27, ".png"},
    {"powerupteleportyellow", 0, 27, ".png"}, {"powerupwhistle", 0, 17, ".tga"}, {"powerupheatgun", 0, 17, ".png"},
    {"poweruptextemp", 0, 7, ".tga"}, {"poweruptextfrostgun", 0, 7, ".tga"}, {"poweruptextinflatable", 0, 7, ".tga"},
    {"poweruptextwhistle", 0, 7, ".tga"}, {"poweruptextheatgun", 0, 7, ".tga"},
    {"trampoline", 0, 0, ".tga"}, {"trampolineback", 0, 0, ".tga"}, {"trampolinefront", 0, 0, ".tga"},
    {"trampolinefrontright", 0, 2, ".tga"}, {"trampolinestretchleft", 0, 1, ".tga"},
    {"trampolinestretchright", 0, 2, ".tga"}, {"trampolineunstretchleft", 0, 7, ".tga"},
    {"trampolineunstretchright", 0, 8, ".tga"}, {"trampolinefrontbreak", 0, 3, ".png"},
    {"trampolinebackbreak", 0, 3, ".png"}, {"trampolinerubberbreak", 0, 3, ".png"},
    {"grass", 1, 32, ".png"}, {"grass", 1, 5, "b.png"}, {"sand", 1, 32, ".png"}, {"sand", 1, 5, "b.png"},
    {"ice", 1, 10, ".png"}, {"ice", 1, 2, "b.png"}, {"bridgeinflatable", 0, 10, ".png"}, {"bridgeA", 0, 13, ".png"},
    {"bridgeinflate", 1, 2, ".png"}, {"bridgeinflate", 4, 4, ".png"},
    {"barrel", 0, 7, ".tga"}, {"barrelfrozen", 0, 7, ".tga"}, {"barrelheated", 0, 7, ".tga"},
    {"barrelfall", 0, 7, ".tga"}, {"barrelfallfrozen", 0, 7, ".tga"}, {"barrelfallheated", 0, 7, ".tga"},
    {"barrelinflatable", 0, 7, ".tga"}, {"barrelinflatablefrozen", 0, 7, ".tga"},
    {"barrelinflatableheated", 0, 7, ".tga"}, {"barrelinflatablefall", 0, 7, ".tga"},
    {"barrelinflatablefallfrozen", 0, 7, ".tga"}, {"barrelinflatablefallheated", 0, 7, ".tga"},
    {"barrelinflate", 1, 2, ".tga"}, {"barrelinflate", 4, 4, ".tga"},
    {"metalbarrel", 0, 7, ".png"}, {"metalbarrelfrozen", 0, 7, ".png"}, {"metalbarrelheated", 0, 7, ".png"},
    {"metalbarrelfall", 0, 7, ".png"}, {"metalbarrelfallfrozen", 0, 7, ".png"},
    {"metalbarrelfallheated", 0, 7, ".png"}, {"metalbarrelcooling", 0, 6, ".png"},
    {"metalbarrelcooling0-", 0, 6, ".png"}, {"metalbarrelcooling7-", 0, 6, ".png"},
    {"magnetinflateleft", 0, 2, ".tga"}, {"magnetinflateleft", 4, 4, ".tga"},
    {"magnetinflateright", 0, 2, ".tga"}, {"magnetinflateright", 4, 4, ".tga"},
    {"magnetleftsquash", 0, 1, ".tga"}, {"magnetrightheatedsquash", 4, 4, ".png"},
    {"magnetleftcooling", 0, 6, ".png"}, {"magnetrightcooling", 0, 6, ".png"},
    {"cratesquash", 0, 1, "b.tga"}, {"crateinflate", 1, 4, ".tga"}, {"metalcratecooling", 0, 6, ".png"},
    {"transporttube_break", 0, 5, ".png"}, {"transporttubeB_break", 0, 5, ".png"},
    {"teleportinflatable_blue", 0, 4, ".png"}, {"teleportinflatable_red", 0, 4, ".png"},
    {"teleportinflatable_yellow", 0, 4, ".png"}, {"teleport_frameblue", 0, 4, ".png"},
    {"teleport_framered", 0, 4, ".png"}, {"teleport_frameyellow", 0, 4, ".png"},
    {"teleport_framebackbreak", 0, 6, ".png"}, {"teleport_framebluebreak", 0, 6, ".png"},
    {"teleport_frameyellowbreak", 0, 6, ".png"}, {"teleport_frameredbreak", 0, 6, ".png"},
    {"inflatableteleport_bluebackbreak", 0, 6, ".png"}, {"inflatableteleport_redfrontbreak", 0, 6, ".png"},
    {"inflatableteleport_yellowbackbreak", 0, 6, ".png"},
    {"teleport_spiralblueturnon", 0, 6, ".png"}, {"teleport_spiralredturnon", 0, 6, ".png"},
    {"teleport_spiralyellowturnon", 0, 6, ".png"}, {"teleport_spiralblue", 0, 39, ".png"},
    {"teleport_spiralred", 0, 39, ".png"}, {"teleport_spiralyellow", 0, 39, ".png"},
    {"heatedobjectglow", 3, 9, ".png"}, {"icemeltingsteam", 0, 18, ".png"}, {"magnetemp", 0, 14, ".tga"},
    {"background", 0, 7, ".jpg"},
};

const char* const kSingles[] = {
    "flash.jpg", "bridgeinflatable0_trimmed.png", "bridgeinflateleft0.png", "bridgeinflateright0.png",
    "bridgeA0_trimmed.png", "bridgefrozen.png", "ladderiso.tga", "laddertop.tga", "laddermiddle.tga",
    "ladderbottom.tga", "ladderbottomhang.tga", "ladderplatform.tga", "trampolinestretchleftfull.tga",
    "trampolinestretchrightfull.tga", "barrelinflateleft0.tga", "barrelinflateright0.tga",
    "magnetinflatableleftstill0.tga", "magnetinflatablerightrightheated0.tga", "magnetleftheatednormal.png",
    "magnetrightrightfrozen0.tga", "cratestill0b.tga", "crateleftfrozen0.tga", "crateinflatablerightfrozen0.tga",
    "crateinflateleft0.tga", "crateinflateright0.tga", "metalcrateheatedleft.png", "metalcratesquash4.tga",
    "tubeentrance0.png", "tubeexit0.png", "tubeexitlights0.png", "tubearrow0.png",
    "teleportinflatable_blue3back.png", "teleportinflatable_red3front.png", "teleport_frameback.png",
    "teleport_glowblue.png", "teleport_glowred.png", "teleport_glowyellow.png",
};

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

TEST(BoardPicturesTest, EveryBoardPictureIsInTheImageArchive)
{
    std::set<std::string> names = archiveNames(resourceDir() + "/resource2.dat");
    std::vector<std::string> missing;
    for (const Series& s : kBoardPictures)
        for (int n = s.first; n <= s.last; ++n)
            if (!names.count(s.prefix + std::to_string(n) + s.suffix))
                missing.push_back(s.prefix + std::to_string(n) + s.suffix);
    for (const char* name : kSingles)
        if (!names.count(name))
            missing.push_back(name);
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first: " << (missing.empty() ? "" : missing[0]);
}

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
