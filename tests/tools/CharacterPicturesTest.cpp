// A sprite takes its size from a frame image, so every picture that one
// sprite of the professor, a bot or the power-up bar shows must have the
// same size. These sprites mix pictures of several series (the tube frames
// also the tube's body, drawn by another family); this checks them in the
// built archive.
#include "engine/ResourceArchive.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

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
