#include "engine/DisplayFixture.h"
#include "engine/ImageDecoder.h"
#include "support/ArchiveCases.h"

#include <cstring>

using namespace corvelle_test;

namespace {

using ImageDecoderTest = DisplayTest;

// What the slow route makes of a file: SDL_image's decode, then the
// conversion to the display's format.
SDL_Surface* decodeTheLongWay(const std::vector<unsigned char>& bytes, const std::string& name)
{
    std::string type = name.substr(name.size() - 3);
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return CDraw::toDisplayFormat(IMG_LoadTyped_RW(stream, 1, type.data()), true);
}

SDL_Surface* decodeDirectly(const std::vector<unsigned char>& bytes, const std::string& name)
{
    return decodeToDisplayFormat(bytes.data(), bytes.size(), name.substr(name.size() - 3),
                                 *CDraw::getScreen()->format);
}

// Empty when both surfaces draw alike: the same size, pixel layout, blending
// flags, surface alpha, colour key and bytes of every pixel.
std::string difference(SDL_Surface* a, SDL_Surface* b)
{
    if (!a || !b)
        return a ? "no direct picture" : "no picture the long way";
    const SDL_PixelFormat& fa = *a->format;
    const SDL_PixelFormat& fb = *b->format;
    const Uint32 drawFlags = SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCELOK | SDL_HWSURFACE;
    if (a->w != b->w || a->h != b->h)
        return "size";
    if (fa.BytesPerPixel != fb.BytesPerPixel || fa.Rmask != fb.Rmask || fa.Gmask != fb.Gmask ||
        fa.Bmask != fb.Bmask || fa.Amask != fb.Amask)
        return "pixel layout";
    if ((a->flags & drawFlags) != (b->flags & drawFlags) || fa.alpha != fb.alpha || fa.colorkey != fb.colorkey)
        return "flags " + std::to_string(a->flags) + "/" + std::to_string(b->flags) + ", alpha " +
               std::to_string(fa.alpha) + "/" + std::to_string(fb.alpha);
    for (int y = 0; y < a->h; ++y)
        if (memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                   static_cast<size_t>(a->w) * fa.BytesPerPixel) != 0)
            return "pixels of row " + std::to_string(y);
    return "";
}

// A 24-bit TGA with rows from the bottom up, two colours per row.
std::vector<unsigned char> bottomUpTga(int width, int height)
{
    std::vector<unsigned char> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    out.insert(out.end(), {static_cast<unsigned char>(width), 0, static_cast<unsigned char>(height), 0, 24, 0});
    for (int i = 0; i < width * height; ++i)
        out.insert(out.end(), {static_cast<unsigned char>(i), static_cast<unsigned char>(3 * i), 200});
    return out;
}

} // namespace

// Every picture the game ships goes the direct route at start-up, so every
// one of them must come out exactly as the long route makes it.
TEST_F(ImageDecoderTest, EveryShippedPictureDecodesDirectlyExactlyAsTheLongWay)
{
    ResourceArchive archive;
    ASSERT_TRUE(archive.open(resourceDir() + "/resource2.dat"));
    std::string differing;
    int tried = 0;
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        ASSERT_TRUE(archive.entry(i, entry));
        SDL_Surface* direct = decodeDirectly(entry.data, entry.name);
        SDL_Surface* slow = decodeTheLongWay(entry.data, entry.name);
        std::string why = difference(direct, slow);
        if (!why.empty())
            differing += " " + entry.name + " (" + why + ")";
        tried += direct ? 1 : 0;
        SDL_FreeSurface(direct);
        SDL_FreeSurface(slow);
    }
    EXPECT_EQ(differing, "");
    EXPECT_EQ(tried, static_cast<int>(archive.count()));
}

TEST_F(ImageDecoderTest, MadeUpFilesDecodeDirectlyExactlyAsTheLongWay)
{
    struct Case {
        std::string name;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"rgba.png", pngBytes(5, 3, {10, 20, 30, 40})},
        {"top-down.tga", tgaBytes(4, 2, {200, 100, 50, 25})},
        {"bottom-up.tga", bottomUpTga(3, 4)},
        {"upper.TGA", tgaBytes(2, 2, {1, 2, 3, 4})},
    };
    for (const Case& c : cases) {
        SDL_Surface* direct = decodeDirectly(c.bytes, c.name);
        SDL_Surface* slow = decodeTheLongWay(c.bytes, c.name);
        EXPECT_EQ(difference(direct, slow), "") << c.name;
        SDL_FreeSurface(direct);
        SDL_FreeSurface(slow);
    }
}

// What the direct route does not take, or cannot read, it leaves to the
// long way (which reports damage) instead of guessing.
TEST_F(ImageDecoderTest, DamagedOrForeignFilesAreLeftToTheLongWay)
{
    std::vector<unsigned char> png = pngBytes(6, 6, {1, 2, 3, 4});
    std::vector<unsigned char> tga = tgaBytes(6, 6, {1, 2, 3, 4});
    std::vector<unsigned char> compressedTga = tga;
    compressedTga[2] = 10;
    std::vector<unsigned char> rightToLeft = tga;
    rightToLeft[17] |= 0x10;
    std::vector<unsigned char> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
    const std::pair<std::string, std::vector<unsigned char>> cases[] = {
        {"cut.png", std::vector<unsigned char>(png.begin(), png.begin() + static_cast<long>(png.size()) / 2)},
        {"cut.tga", std::vector<unsigned char>(tga.begin(), tga.end() - 1)},
        {"header.tga", std::vector<unsigned char>(tga.begin(), tga.begin() + 10)},
        {"rle.tga", compressedTga},
        {"mirror.tga", rightToLeft},
        {"cut.jpg", jpeg},
        {"bitmap.png", bmpBytes(2, 2, {1, 2, 3, 255})},
        {"empty.png", {}},
        {"picture.gif", png},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_EQ(decodeDirectly(bytes, name), nullptr) << name;
}

TEST_F(ImageDecoderTest, WorkersHandEachPictureOutOnceInAnyOrder)
{
    std::vector<std::vector<unsigned char>> files;
    for (int i = 1; i <= 12; ++i)
        files.push_back(tgaBytes(i, 2, {static_cast<Uint8>(i), 0, 0, 255}));
    files.push_back({1, 2, 3});
    ImageDecoder decoder;
    for (const auto& file : files)
        decoder.add(file.data(), file.size(), "tga");
    decoder.start(*CDraw::getScreen()->format, 3);
    for (int job : {11, 0, 5, 1, 2, 3, 4, 6, 7, 8, 9, 10}) {
        SDL_Surface* picture = decoder.take(job);
        ASSERT_NE(picture, nullptr) << job;
        EXPECT_EQ(picture->w, job + 1);
        EXPECT_EQ(pixelAt(picture, 0, 1), (Rgba{static_cast<Uint8>(job + 1), 0, 0, 255}));
        SDL_FreeSurface(picture);
    }
    EXPECT_EQ(decoder.take(0), nullptr);  // taken already
    EXPECT_EQ(decoder.take(12), nullptr); // not a picture
    EXPECT_EQ(decoder.take(13), nullptr); // no such job
    decoder.finish();
}
