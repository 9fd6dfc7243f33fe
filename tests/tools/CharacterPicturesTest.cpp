// A sprite takes its size from a frame image, so every picture that one
// sprite of the professor, a bot or the power-up bar shows must have the
// same size. These sprites mix pictures of several series (the tube frames
// also the tube's body, drawn by another family); this checks them in the
// built archive.
#include "engine/ResourceArchive.h"
#include "support/TestEnvironment.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Stretch {
    std::string prefix;
    int first, last;
    std::string suffix;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size& other) const { return width == other.width && height == other.height; }
};

std::vector<std::string> names(const std::vector<Stretch>& runs)
{
    std::vector<std::string> out;
    for (const Stretch& run : runs) {
        if (run.first < 0)
            out.push_back(run.prefix + run.suffix);
        for (int n = run.first; n >= 0 && n <= run.last; ++n)
            out.push_back(run.prefix + std::to_string(n) + run.suffix);
    }
    return out;
}

// The sprites whose frames come from more than one series; a run with first
// -1 is a single picture.
std::vector<std::vector<Stretch>> mixedSprites()
{
    std::vector<std::vector<Stretch>> sprites = {
        // The arrival and departure share a sprite with the tube's own body.
        {{"tubeentrance0", -1, 0, ".png"}, {"tube", 0, 21, ".tga"}, {"tubeexit0", -1, 0, ".png"}},
        {{"proftrampflingright", 0, 8, ".tga"}, {"proftrampflingleft", 0, 2, ".tga"}},
        {{"profidleC", 0, 4, ".tga"}, {"profidleC", 9, 12, ".tga"}},
        {{"profidleD", 0, 5, ".tga"}, {"profidleD", 11, 17, ".tga"}},
    };
    for (const char* side : {"left", "right"}) {
        sprites.push_back({{std::string("botheated") + side + "squash", 0, 2, ".png"}, {std::string("botmelting") + side, 4, 4, ".png"}});
        sprites.push_back({{std::string("botcooled") + side + "squash", 0, 2, ".png"}, {std::string("botcooling") + side, 6, 6, ".png"}});
    }
    for (const char* colour : {"blue", "yellow", "red"}) {
        std::vector<Stretch> icon = {{std::string("iconteleport") + colour, 0, 4, ".png"}};
        for (const char* step : {"b", "c", "d", "e"})
            icon.push_back({std::string("iconteleport") + colour + "3" + step, -1, 0, ".png"});
        sprites.push_back(icon);
    }
    for (const char* number : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"})
        sprites.push_back({{std::string("icon") + number, 0, 1, ".tga"}});
    return sprites;
}

// Width and height from a PNG or an uncompressed TGA header.
Size imageSize(const ArchiveEntry& entry)
{
    const std::vector<unsigned char>& d = entry.data;
    Size size;
    if (entry.name.size() > 4 && entry.name.compare(entry.name.size() - 4, 4, ".png") == 0 && d.size() >= 24) {
        size.width = d[16] << 24 | d[17] << 16 | d[18] << 8 | d[19];
        size.height = d[20] << 24 | d[21] << 16 | d[22] << 8 | d[23];
    } else if (d.size() >= 18) {
        size.width = d[12] | d[13] << 8;
        size.height = d[14] | d[15] << 8;
    }
    return size;
}

std::map<std::string, Size> archiveSizes()
{
    ResourceArchive archive;
    std::map<std::string, Size> sizes;
    if (!archive.open(corvelle_test::resourceDir() + "/resource2.dat")) {
        ADD_FAILURE() << archive.error();
        return sizes;
    }
    ArchiveEntry entry;
    for (uint32_t i = 0; i < archive.count(); ++i)
        if (archive.entry(i, entry))
            sizes[entry.name] = imageSize(entry);
    return sizes;
}

} // namespace

TEST(CharacterPicturesTest, FramesOfOneSpriteShareTheirSize)
{
    std::map<std::string, Size> sizes = archiveSizes();
    for (const std::vector<Stretch>& sprite : mixedSprites()) {
        std::vector<std::string> frames = names(sprite);
        ASSERT_TRUE(sizes.count(frames.front())) << frames.front();
        Size first = sizes[frames.front()];
        EXPECT_GT(first.width, 0) << frames.front();
        for (const std::string& frame : frames) {
            ASSERT_TRUE(sizes.count(frame)) << frame << " is not in the archive";
            EXPECT_TRUE(sizes[frame] == first) << frame << " differs in size from " << frames.front();
        }
    }
}

namespace {

// The middle of a picture's opaque columns, in pixels from its left edge.
double inkMiddle(const ArchiveEntry& entry)
{
    SDL_RWops* rw = SDL_RWFromConstMem(entry.data.data(), static_cast<int>(entry.data.size()));
    SDL_Surface* loaded = IMG_LoadTyped_RW(rw, 1, const_cast<char*>("TGA"));
    if (!loaded)
        return -1000;
    SDL_Surface* image = SDL_ConvertSurface(loaded, loaded->format, SDL_SWSURFACE);
    SDL_FreeSurface(loaded);
    int left = image->w, right = -1;
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x) {
            Uint32 pixel = 0;
            memcpy(&pixel, static_cast<Uint8*>(image->pixels) + y * image->pitch + x * image->format->BytesPerPixel,
                   image->format->BytesPerPixel);
            Uint8 r, g, b, a;
            SDL_GetRGBA(pixel, image->format, &r, &g, &b, &a);
            if (a > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    return (left + right) / 2.0;
}

} // namespace

// The professor climbing up and climbing down stays on the ladder: with each
// sprite's origin (the game places a picture's origin point on the cell) the
// figure's middle falls on the same column.
TEST(CharacterPicturesTest, ClimbingUpAndDownDrawTheProfessorOnTheSameColumn)
{
    struct Placed {
        const char* name;
        int originX; // as the professor's sprite for it is made
    } placed[] = {{"profclimbup1.tga", 21}, {"profclimbdown1.tga", 12}};
    ResourceArchive archive;
    ASSERT_TRUE(archive.open(corvelle_test::resourceDir() + "/resource2.dat")) << archive.error();
    std::vector<double> middles;
    ArchiveEntry entry;
    for (const Placed& p : placed) {
        bool found = false;
        for (uint32_t i = 0; i < archive.count() && !found; ++i)
            found = archive.entry(i, entry) && entry.name == p.name;
        ASSERT_TRUE(found) << p.name;
        middles.push_back(inkMiddle(entry) - p.originX);
    }
    EXPECT_NEAR(middles[0], middles[1], 1.0);
}
