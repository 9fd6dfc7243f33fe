#include "engine/DisplayFixture.h"

using namespace corvelle_test;

namespace {

const Rgba kRed{220, 40, 30, 200};
const Rgba kBlue{20, 60, 230, 255};

class ImageStoreTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        preload({{"red.tga", tgaBytes(3, 2, kRed)},
                 {"blue.bmp", bmpBytes(2, 2, kBlue)},
                 {"broken.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'}}});
    }

    static Rgba pixelOf(int id, int x, int y) { return pixelAt(CDraw::getImageSurface(id), x, y); }
};

} // namespace

TEST_F(ImageStoreTest, PreloadedImageIsDecodedOnRequestAndCounted)
{
    EXPECT_EQ(CDraw::findImageId("red.tga"), -1); // preloaded, not decoded
    int id = CDraw::getImage("red.tga");
    ASSERT_GE(id, 0);
    EXPECT_EQ(CDraw::getImageWidth(id), 3);
    EXPECT_EQ(CDraw::getImageHeight(id), 2);
    EXPECT_EQ(pixelOf(id, 2, 1), kRed);
    EXPECT_STREQ(CDraw::getImageName(id), "red.tga");
    EXPECT_EQ(CDraw::getImage("red.tga"), id);
    EXPECT_EQ(CDraw::findImageId("red.tga"), id);

    CDraw::releaseImage("red.tga");
    EXPECT_EQ(CDraw::findImageId("red.tga"), id); // one reference left
    CDraw::releaseImage("red.tga");
    EXPECT_EQ(CDraw::findImageId("red.tga"), -1);
    EXPECT_EQ(CDraw::getImageSurface(id), nullptr);
    EXPECT_EQ(CDraw::getImageName(id), nullptr);

    // Decoded again: a new id one past every id so far; the old slot stays empty.
    int again = CDraw::getImage("red.tga");
    EXPECT_EQ(again, CDraw::getImageCount() - 1);
    EXPECT_GT(again, id);
    EXPECT_EQ(CDraw::getImageSurface(id), nullptr);
    EXPECT_EQ(pixelOf(again, 0, 0), kRed);
}

TEST_F(ImageStoreTest, ReleasingWhatIsNotHeldChangesNothing)
{
    int count = CDraw::getImageCount();
    CDraw::releaseImage("red.tga");     // preloaded, not decoded
    CDraw::releaseImage("unknown.png"); // never registered
    CDraw::unloadImage(-1);
    CDraw::unloadImage(count + 5);
    EXPECT_EQ(CDraw::getImageCount(), count);
    EXPECT_EQ(CDraw::findImageId("red.tga"), -1);
    EXPECT_EQ(CDraw::getImageName(-1), nullptr);
    EXPECT_EQ(CDraw::getImageSurface(count + 5), nullptr);
    EXPECT_EQ(CDraw::addImageRef(-1), -1);
    int id = CDraw::getImage("red.tga");
    CDraw::releaseImage("red.tga");
    EXPECT_EQ(CDraw::findImageId("red.tga"), -1);
    CDraw::unloadImage(id); // an empty slot
    EXPECT_EQ(CDraw::getImageCount(), count + 1);
}

TEST_F(ImageStoreTest, MadeImagesAreForgottenWithTheirLastReference)
{
    int canvas = CDraw::createImage(5, 4, "canvas");
    EXPECT_EQ(CDraw::getImageWidth(canvas), 5);
    EXPECT_EQ(CDraw::getImageHeight(canvas), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pixelOf(canvas, x, y).a, 0);
    EXPECT_EQ(CDraw::getImage("canvas"), canvas);
    EXPECT_EQ(CDraw::addImageRef(canvas), canvas);
    CDraw::unloadImage(canvas);
    CDraw::unloadImage(canvas);
    EXPECT_EQ(CDraw::findImageId("canvas"), canvas);
    CDraw::unloadImage(canvas);
    EXPECT_EQ(CDraw::findImageId("canvas"), -1);
    EXPECT_EXIT(CDraw::getImage("canvas"), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine(), "Unable to find preloaded image: canvas\n");
}

TEST_F(ImageStoreTest, UnnamedImagesGoOnTheFirstUnload)
{
    struct Case {
        const char* what;
        int (*make)();
    } cases[] = {
        {"addSurface", [] { return CDraw::addSurface(SDL_CreateRGBSurface(0, 4, 4, 32, 0, 0, 0, 0)); }},
        {"LoadSurface", [] { return CDraw::LoadSurface(SDL_CreateRGBSurface(0, 4, 4, 32, 0, 0, 0, 0), nullptr); }},
        {"copyScreen", [] { return CDraw::copyScreen(nullptr); }},
        {"loadImageFile", [] { return CDraw::loadImageFile("plain.bmp"); }},
    };
    std::filesystem::create_directory(dir_ + "/resource");
    std::vector<unsigned char> bmp = bmpBytes(1, 1, kBlue);
    writeFile(dir_ + "/resource/plain.bmp", std::string(bmp.begin(), bmp.end()));
    for (const Case& c : cases) {
        int id = c.make();
        ASSERT_NE(CDraw::getImageSurface(id), nullptr) << c.what;
        EXPECT_EQ(CDraw::getImageName(id), nullptr) << c.what;
        CDraw::addImageRef(id); // ignored: no record to count on
        CDraw::unloadImage(id);
        EXPECT_EQ(CDraw::getImageSurface(id), nullptr) << c.what;
        CDraw::unloadImage(id);
    }
}

TEST_F(ImageStoreTest, SecondImageUnderALiveNameDoesNotUnbindTheFirst)
{
    int first = CDraw::createImage(1, 1, "twin");
    int second = CDraw::createImage(2, 2, "twin");
    EXPECT_EQ(CDraw::findImageId("twin"), first);
    EXPECT_STREQ(CDraw::getImageName(second), "twin");
    CDraw::unloadImage(second);
    EXPECT_EQ(CDraw::getImageSurface(second), nullptr);
    EXPECT_EQ(CDraw::findImageId("twin"), first);
    EXPECT_EQ(CDraw::getImage("twin"), first);
}

TEST_F(ImageStoreTest, CopyImageShiftsAlphaClampedAndGivesTheSourceBack)
{
    struct Case {
        const char* source;
        int dA;
        Rgba expected;
    } cases[] = {
        {"red.tga", 0, kRed},
        {"red.tga", -50, {kRed.r, kRed.g, kRed.b, 150}},
        {"red.tga", -255, {kRed.r, kRed.g, kRed.b, 0}},
        {"red.tga", 255, {kRed.r, kRed.g, kRed.b, 255}},
        {"blue.bmp", -100, kBlue}, // no alpha channel: left as it is
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "copy" + std::to_string(n++) + ".png";
        int id = CDraw::CopyImage(c.source, name.c_str(), c.dA);
        EXPECT_EQ(CDraw::findImageId(name.c_str()), id);
        for (int y = 0; y < CDraw::getImageHeight(id); ++y)
            for (int x = 0; x < CDraw::getImageWidth(id); ++x)
                ASSERT_EQ(pixelOf(id, x, y), c.expected) << c.source << " " << c.dA;
        EXPECT_EQ(CDraw::findImageId(c.source), -1) << c.source;
    }
}

TEST_F(ImageStoreTest, ImagesAreDrawnOntoImagesAndTheScreen)
{
    int board = CDraw::createImage(4, 4, "board");
    CDraw::drawImageOnto("blue.bmp", board, 1, 1);
    EXPECT_EQ(CDraw::findImageId("blue.bmp"), -1); // borrowed for the draw only
    EXPECT_EQ(pixelOf(board, 0, 0).a, 0);
    Rgba inside = pixelOf(board, 2, 2);
    EXPECT_EQ(inside.b, kBlue.b);
    EXPECT_EQ(inside.r, kBlue.r);

    // A part reaching past the image draws only what the image has.
    int blue = CDraw::getImage("blue.bmp");
    SDL_Surface* screen = CDraw::getScreen();
    Rgba beside = pixelAt(screen, 11, 10);
    Rgba below = pixelAt(screen, 10, 12);
    CDraw::drawImagePart(blue, 10, 10, 1, 0, 5, 5);
    EXPECT_EQ(pixelAt(screen, 10, 10), kBlue);
    EXPECT_EQ(pixelAt(screen, 10, 11), kBlue);
    EXPECT_EQ(pixelAt(screen, 11, 10), beside);
    EXPECT_EQ(pixelAt(screen, 10, 12), below);
    CDraw::drawImage(blue, 798, 598); // cut at the screen's edge
    EXPECT_EQ(pixelAt(screen, 799, 599), kBlue);
    CDraw::drawImage(-1, 0, 0);
    CDraw::drawImage(12345, 0, 0);

    int shot = CDraw::copyScreen("shot");
    EXPECT_EQ(pixelOf(shot, 10, 10), kBlue);
    EXPECT_EQ(pixelOf(shot, 400, 300), pixelAt(screen, 400, 300));
}

TEST_F(ImageStoreTest, ImageThatCannotBeDecodedIsFatal)
{
    EXPECT_EXIT(CDraw::getImage("broken.png"), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine().rfind("Could not load image:  ", 0), 0u);
}

TEST_F(ImageStoreTest, NameNeverPreloadedIsFatal)
{
    EXPECT_EXIT(CDraw::getImage("Red.tga"), testing::ExitedWithCode(1), "");
    EXPECT_EQ(lastErrorLogLine(), "Unable to find preloaded image: Red.tga\n");
}
