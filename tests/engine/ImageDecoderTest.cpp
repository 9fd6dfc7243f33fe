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

std::vector<unsigned char> jpegDeclaring(int width, int height)
{
    ResourceArchive archive;
    EXPECT_TRUE(archive.open(resourceDir() + "/resource2.dat"));
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry) || entry.name.size() < 4 || entry.name.substr(entry.name.size() - 4) != ".jpg")
            continue;
        std::vector<unsigned char>& b = entry.data;
        for (size_t at = 2; at + 9 < b.size(); ++at)
            if (b[at] == 0xFF && (b[at + 1] == 0xC0 || b[at + 1] == 0xC2)) {
                b[at + 5] = static_cast<unsigned char>(height >> 8);
                b[at + 6] = static_cast<unsigned char>(height);
                b[at + 7] = static_cast<unsigned char>(width >> 8);
                b[at + 8] = static_cast<unsigned char>(width);
                return b;
            }
    }
    ADD_FAILURE() << "no JPEG in the archive";
    return {};
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
        SDL_Surface* picture = decoder.take(job).surface;
        ASSERT_NE(picture, nullptr) << job;
        EXPECT_EQ(picture->w, job + 1);
        EXPECT_EQ(pixelAt(picture, 0, 1), (Rgba{static_cast<Uint8>(job + 1), 0, 0, 255}));
        SDL_FreeSurface(picture);
    }
    EXPECT_EQ(decoder.take(0).surface, nullptr); // taken already
    DecodedPicture notAPicture = decoder.take(12);
    EXPECT_EQ(notAPicture.surface, nullptr);
    EXPECT_EQ(notAPicture.failure, "the TGA file is shorter than its header");
    EXPECT_EQ(decoder.take(13).surface, nullptr); // no such job
    decoder.finish();
}

// Every PNG is read by our own reader, also the kinds the game does not
// make: each comes out as the long way draws it (a palette, grey and 16-bit
// exactly; a transparency chunk as alpha instead of a colour key).
TEST_F(ImageDecoderTest, PngsOfEveryKindAreReadWithoutSdlImage)
{
    const std::vector<PngChunk> palette = {{"PLTE", {10, 20, 30, 200, 100, 50}}};
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        bool sameAsTheLongWay;
    };
    const Case cases[] = {
        {"palette", pngOfKind(3, 2, 8, 3, {0, 1, 1}, palette), true},
        {"grey", pngOfKind(3, 2, 8, 0, {0, 128, 255}, {}), true},
        {"16-bit RGB", pngOfKind(2, 2, 16, 2, {1, 2, 3, 4, 5, 6, 250, 251, 252, 253, 254, 255}, {}), true},
        {"grey with alpha", pngOfKind(2, 1, 8, 4, {90, 255, 90, 0}, {}), false},
        {"palette with a transparent entry", pngOfKind(3, 2, 8, 3, {0, 1, 1}, {palette[0], {"tRNS", {0}}}), false},
    };
    for (const Case& c : cases) {
        DecodedPicture picture = decodePicture(c.bytes.data(), c.bytes.size(), "png", CDraw::getScreen()->format);
        ASSERT_NE(picture.surface, nullptr) << c.what << ": " << picture.failure;
        EXPECT_TRUE(picture.displayFormat) << c.what;
        if (c.sameAsTheLongWay) {
            SDL_Surface* slow = decodeTheLongWay(c.bytes, "x.png");
            EXPECT_EQ(difference(picture.surface, slow), "") << c.what;
            SDL_FreeSurface(slow);
        }
        SDL_FreeSurface(picture.surface);
    }
    std::vector<unsigned char> keyed = cases[4].bytes;
    SDL_Surface* surface = decodeToDisplayFormat(keyed.data(), keyed.size(), "png", *CDraw::getScreen()->format);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(pixelAt(surface, 0, 0).a, 0);
    EXPECT_EQ(pixelAt(surface, 1, 0), (Rgba{200, 100, 50, 255}));
    SDL_FreeSurface(surface);

    // Before the screen is open (or on a screen of another layout) the
    // picture comes out for the caller to convert.
    DecodedPicture unconverted = decodePicture(cases[0].bytes.data(), cases[0].bytes.size(), "png", nullptr);
    ASSERT_NE(unconverted.surface, nullptr);
    EXPECT_FALSE(unconverted.displayFormat);
    SDL_FreeSurface(unconverted.surface);
}

// libpng's warnings and errors reach the report, with any byte that cannot
// be printed replaced, and nothing reaches standard output or error.
TEST_F(ImageDecoderTest, LibpngsWordsGoToTheReportNotToTheTerminal)
{
    const std::vector<unsigned char> row = {1, 2, 3, 255};
    std::vector<unsigned char> cut = pngOfKind(1, 1, 8, 6, row, {});
    cut.resize(cut.size() - 20);
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        bool decoded;
        const char* warning;
        const char* failure;
    };
    std::vector<Case> cases = {
        {"a note with a spoilt checksum", pngOfKind(1, 1, 8, 6, row, {{"tEXt", {'a', 0, 'b'}, true}}), true,
         "libpng: tEXt: CRC error", ""},
        {"picture data that is not compressed data", pngOfKind(1, 1, 8, 6, row, {{"IDAT", {1, 2, 3}}}), false,
         nullptr, "libpng: IDAT: incorrect header check"},
        {"a cut file", cut, false, nullptr, "libpng: the file ends early"},
        {"a critical chunk of unprintable name", pngOfKind(1, 1, 8, 6, row, {{std::string("\x01\x02" "AB", 4), {}}}),
         false, nullptr, "libpng: [01][02]AB: invalid chunk type"},
    };
    // A chunk that declares 1 GiB in a file of 103 bytes: libpng would
    // allocate it all before finding out.
    const std::string lying = readFile(sourceDir() + "/tests/fuzz-regressions/picture/png-text-chunk-declaring-1-gib");
    cases.push_back({"a text chunk declaring 1 GiB", std::vector<unsigned char>(lying.begin(), lying.end()), false,
                     "libpng: zTXt: chunk data is too large", "libpng: the file ends early"});
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        DecodedPicture picture = decodePicture(c.bytes.data(), c.bytes.size(), "png", CDraw::getScreen()->format);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << c.what;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.what;
        EXPECT_EQ(picture.surface != nullptr, c.decoded) << c.what;
        EXPECT_EQ(picture.failure, c.failure) << c.what;
        if (c.warning) {
            EXPECT_EQ(picture.warnings, std::vector<std::string>{c.warning}) << c.what;
        }
        SDL_FreeSurface(picture.surface);
    }
}

// A picture declaring more than 4096 pixels on a side is refused from its
// header, whichever reader it was meant for, and so is a file of a kind the
// game does not read.
TEST_F(ImageDecoderTest, PicturesLargerThanTheGameTakesAreRefusedFromTheirHeader)
{
    std::vector<unsigned char> wideTga = tgaBytes(2, 2, {1, 2, 3, 4});
    wideTga[12] = 0x88; // 5000 wide, with only four pixels of data
    wideTga[13] = 0x13;
    std::vector<unsigned char> tallBmp = bmpBytes(2, 2, {1, 2, 3, 255});
    tallBmp[22] = 0x01; // 65537 high
    tallBmp[23] = 0x00;
    tallBmp[24] = 0x01;
    const std::string tooLarge = "more than the 4096 x 4096 pixels the game takes";
    struct Case {
        std::string name;
        std::vector<unsigned char> bytes;
        std::string failure;
    };
    const Case cases[] = {
        {"wide.png", pngOfKind(5000, 1, 8, 6, {}, {}), "it declares 5000 x 1 pixels, " + tooLarge},
        {"zero.png", pngOfKind(0, 1, 8, 6, {}, {}), "libpng: Invalid IHDR data"},
        {"tall.jpg", jpegDeclaring(408, 63746), "it declares 408 x 63746 pixels, " + tooLarge},
        {"huge.jpg", jpegDeclaring(65000, 65000), "it declares 65000 x 65000 pixels, " + tooLarge},
        {"wide.tga", wideTga, "it declares 5000 x 2 pixels, " + tooLarge},
        {"tall.bmp", tallBmp, "it declares 2 x 65537 pixels, " + tooLarge},
        {"png named.gif", pngOfKind(4097, 1, 8, 6, {}, {}), "it declares 4097 x 1 pixels, " + tooLarge},
        {"picture.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "it is not a PNG, JPEG, TGA or BMP picture"},
        {"empty.png", {}, "the file is empty"},
    };
    for (const Case& c : cases) {
        std::string type = c.name.substr(c.name.size() - 3);
        DecodedPicture picture = decodePicture(c.bytes.data(), c.bytes.size(), type, CDraw::getScreen()->format);
        EXPECT_EQ(picture.surface, nullptr) << c.name;
        EXPECT_EQ(picture.failure, c.failure) << c.name;
    }
    // The largest picture taken still is.
    std::vector<unsigned char> largest = tgaBytes(4096, 1, {1, 2, 3, 4});
    SDL_Surface* surface = decodeToDisplayFormat(largest.data(), largest.size(), "tga", *CDraw::getScreen()->format);
    EXPECT_NE(surface, nullptr);
    SDL_FreeSurface(surface);
}

// A JPEG cut short is damaged: libjpeg would fill the rest in grey through
// every row its header claims, so the decoding stops where the data does.
// Cut at the end of the file or by an end marker halfway through the data,
// a JPEG is refused where its data stops, not filled in grey through every
// row its header claims.
TEST_F(ImageDecoderTest, AJpegCutShortIsRefusedWhereItsDataEnds)
{
    const std::vector<unsigned char> whole = jpegDeclaring(2000, 1500);
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
    std::vector<unsigned char> ended = cut;
    ended.insert(ended.end(), {0xFF, 0xD9});
    const struct {
        const std::vector<unsigned char>& bytes;
        const char* failure;
    } cases[] = {
        {cut, "libjpeg: Premature end of JPEG file"},
        {ended, "libjpeg: Corrupt JPEG data: premature end of data segment"},
    };
    for (const auto& c : cases) {
        DecodedPicture picture = decodePicture(c.bytes.data(), c.bytes.size(), "jpg", CDraw::getScreen()->format);
        EXPECT_EQ(picture.surface, nullptr) << c.failure;
        EXPECT_EQ(picture.failure, c.failure);
    }
}
