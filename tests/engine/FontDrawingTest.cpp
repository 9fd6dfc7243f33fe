#include "engine/DisplayFixture.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"

using namespace corvelle_test;

namespace {

const Rgba kWhite{255, 255, 255, 255};

class FontDrawingTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
        SDL_Surface* white = SDL_CreateRGBSurface(SDL_SWSURFACE, 240, 80, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
        SDL_FillRect(white, nullptr, SDL_MapRGBA(white->format, 255, 255, 255, 255));
        image_ = CDraw::LoadSurface(white, "panel.png");
    }

    void TearDown() override
    {
        CFontSystem::Shutdown();
        DisplayTest::TearDown();
    }

    // The box around every pixel that is no longer white, and the darkest.
    struct Ink {
        int left = 1000, top = 1000, right = -1, bottom = -1;
        Rgba darkest = kWhite;
    };
    Ink ink() const
    {
        Ink found;
        SDL_Surface* surface = CDraw::getImageSurface(image_);
        SDL_LockSurface(surface);
        for (int y = 0; y < surface->h; ++y) {
            for (int x = 0; x < surface->w; ++x) {
                Rgba c = pixelAt(surface, x, y);
                if (c == kWhite)
                    continue;
                found.left = std::min(found.left, x);
                found.top = std::min(found.top, y);
                found.right = std::max(found.right, x);
                found.bottom = std::max(found.bottom, y);
                if (c.r + c.g + c.b < found.darkest.r + found.darkest.g + found.darkest.b)
                    found.darkest = c;
            }
        }
        SDL_UnlockSurface(surface);
        return found;
    }

    int image_ = -1;
};

} // namespace

TEST_F(FontDrawingTest, AnEntryIsDrawnInItsBoxOntoTheImage)
{
    // Entry 300 prints its one argument, right-aligned in a 150 x 30 box.
    CFontSystem::DrawString(300, image_, ALIGN_RIGHT, 150, 30, 40, 20, "Corvelle");
    Ink drawn = ink();
    EXPECT_GE(drawn.left, 40);
    EXPECT_GE(drawn.top, 20);
    EXPECT_LE(drawn.right, 40 + 150 - 1);
    EXPECT_LE(drawn.bottom, 20 + 30 - 1);
    EXPECT_GT(drawn.right, 40 + 150 - 10) << "right-aligned";
    EXPECT_LT(drawn.darkest.r + drawn.darkest.g + drawn.darkest.b, 3 * 128);
}

TEST_F(FontDrawingTest, ALiteralIsDrawnInTheGamesDarkBlue)
{
    CFontSystem::DrawLiteral("Quite a long word", image_, ALIGN_LEFT, 240, 80, 0, 0);
    EXPECT_EQ(ink().darkest, (Rgba{24, 34, 83, 255}));
}

TEST_F(FontDrawingTest, NothingToDrawOrNowhereToDrawLeavesEverythingAsItWas)
{
    initLogChannels(false);
    CFontSystem::DrawString(300, image_, ALIGN_LEFT, 100, 30, 0, 0, "");
    CFontSystem::DrawString(987654, image_, ALIGN_LEFT, 100, 30, 0, 0);
    CFontSystem::DrawLiteral("", image_, ALIGN_LEFT, 100, 30, 0, 0);
    EXPECT_EQ(ink().right, -1);
    CFontSystem::DrawString(300, -1, ALIGN_LEFT, 100, 30, 0, 0, "no image");
    CFontSystem::DrawLiteral("no image", 12345, ALIGN_LEFT, 100, 30, 0, 0);
}
