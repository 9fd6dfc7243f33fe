#include "engine/DirtyRects.h"
#include "engine/DrawKernels.h"
#include "engine/SpriteFixture.h"
#include "platform/Random.h"

#include <set>

using namespace corvelle_test;

namespace {

using Rects = std::vector<DirtyRect>;
using Sprites = std::vector<CSprite*>;

int g_screenId = -1;

class RenderTest : public SpriteTest
{
protected:
    void SetUp() override
    {
        SpriteTest::SetUp();
        // Every look at the clock is a frame time later: the frame end never
        // waits.
        setTickSourceForTesting([this] { return now_ += 40; });
        g_screenId = -1;
        CRender::setControllerIdSource([] { return g_screenId; });
        wall_ = std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, KIND_BACKGROUND, 0, false, 1, 1);
        wall_->addFrame("wall.tga");
        wall_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }

    void TearDown() override
    {
        wall_.reset();
        CRender::setControllerIdSource(nullptr);
        SpriteTest::TearDown();
    }

    static std::unique_ptr<CSprite> sprite(const char* image, int type, int x, int y)
    {
        auto s = std::make_unique<CSprite>(SPRITE_ORIGIN_BIAS_X, SPRITE_ORIGIN_BIAS_Y, type, 0, false, 1, 1);
        s->addFrame(image);
        s->setLocation(x, y, false);
        s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        return s;
    }

    // One frame of the main loop: render, then the frame end.
    static void frame()
    {
        CRender::Render(true);
        CDraw::present(true, false);
    }

    static Rgba at(int x, int y) { return pixelAt(CDraw::getScreen(), x, y); }

    // Every pixel of the area shows the colour.
    static int pixelsOtherThan(Rgba colour, int x, int y, int w, int h)
    {
        int other = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                other += !(at(i, j) == colour);
        return other;
    }

    std::unique_ptr<CSprite> wall_;
};

} // namespace

TEST_F(RenderTest, AMovingSpriteLeavesNoTrail)
{
    auto s = sprite("red.tga", 30, 100, 100);
    frame();
    EXPECT_EQ(pixelsOtherThan(kGrey, 0, 0, 800, 100), 0);
    EXPECT_EQ(pixelsOtherThan(kRed, 100, 100, 24, 24), 0);

    for (int step = 1; step <= 12; ++step) {
        s->setLocation(100 + 7 * step, 100 + 3 * step, false);
        frame();
    }
    s->setLocation(600, 400, false);
    frame();
    EXPECT_EQ(pixelsOtherThan(kRed, 600, 400, 24, 24), 0);
    EXPECT_EQ(pixelsOtherThan(kGrey, 90, 90, 500, 300), 0) << "no trail";

    s->hide();
    frame();
    EXPECT_EQ(pixelsOtherThan(kGrey, 600, 400, 24, 24), 0);
}

TEST_F(RenderTest, OverlappingSpritesAreDrawnInDepthOrder)
{
    // The professor's 66 is in front of a device on the same tile, whatever
    // the order of creation.
    auto front = sprite("big.tga", 66, 96, 72);
    auto back = sprite("red.tga", 30, 100, 80);
    frame();
    EXPECT_EQ(pixelsOtherThan(kBlue, 96, 72, 48, 48), 0);

    front->setType(30);
    back->setType(66);
    back->invalidate();
    frame();
    EXPECT_EQ(pixelsOtherThan(kRed, 100, 80, 24, 24), 0);
    EXPECT_EQ(at(97, 73), kBlue);
}

TEST_F(RenderTest, DrawingStaysInsideTheDirtyRectangle)
{
    auto s = sprite("big.tga", 30, 200, 200);
    frame();
    SDL_FillRect(CDraw::getScreen(), nullptr, 0);
    CRender::AddDirtyRect(210, 220, 10, 5);
    CRender::Render(false);
    EXPECT_EQ(pixelsOtherThan(kBlue, 210, 220, 10, 5), 0);
    EXPECT_EQ(at(209, 220).b, 0);
    EXPECT_EQ(at(220, 220).b, 0);
    EXPECT_EQ(at(215, 225).b, 0);

    // A clipped sprite shows the part of its image from the clip offset on.
    SDL_FillRect(CDraw::getScreen(), nullptr, 0);
    auto series = sprite("walk1.tga", 30, 400, 300);
    series->addFrame("walk2.tga");
    series->setFrame(1);
    series->setClipX(4);
    series->setWidth(10);
    frame();
    EXPECT_EQ(pixelsOtherThan(kGreen, 400, 300, 10, 24), 0);
    EXPECT_EQ(at(410, 310).g, kGrey.g);
}

TEST_F(RenderTest, TheDirtyListReachesTheDisplayOnce)
{
    frame();
    watchDisplayUpdates();
    auto s = sprite("red.tga", 30, 100, 100);
    CRender::AddDirtyRect(700, 10, 5, 5);
    frame();
    EXPECT_EQ(updates_, (Rects{{700, 10, 5, 5}, {100, 100, 24, 24}}));
    EXPECT_TRUE(CRender::GetDirtyRects().empty());
    updates_.clear();
    frame();
    EXPECT_TRUE(updates_.empty());
}

TEST_F(RenderTest, FullRepaintByScreen)
{
    struct Case {
        int screen;
        size_t rects;
    } cases[] = {{-1, 1}, {3, 1}, {CONTROLLER_ID_GAME, 625}, {CONTROLLER_ID_EDITOR, 625}};
    auto s = sprite("big.tga", 30, 390, 290);
    for (const Case& c : cases) {
        g_screenId = c.screen;
        SDL_FillRect(CDraw::getScreen(), nullptr, 0);
        CRender::InvalidateAll();
        CRender::Render(false);
        EXPECT_EQ(CRender::GetDirtyRects().size(), c.rects) << c.screen;
        EXPECT_EQ(pixelsOtherThan(kGrey, 0, 0, 800, 290), 0) << c.screen;
        EXPECT_EQ(pixelsOtherThan(kBlue, 390, 290, 48, 48), 0) << c.screen;
        CRender::Clear();
    }
}

TEST_F(RenderTest, FullRepaintInCellsDrawsTheSamePictureAsCellByCell)
{
    // The full screen's cells draw the backdrop once for the whole screen,
    // and neighbouring cells over the same sprites together; the same cells
    // drawn one frame each draw it, and their sprites, themselves.
    g_screenId = CONTROLLER_ID_GAME;
    const int types[] = {KIND_TERRAIN,
                         KIND_LADDER,
                         KIND_LADDER_PLATFORM,
                         KIND_GATE_BACK,
                         KIND_GATE_FRONT,
                         KIND_BUTTON,
                         KIND_TRAMPOLINE_BACK,
                         KIND_TRAMPOLINE_FRONT,
                         KIND_TUBE,
                         KIND_SHOT,
                         KIND_BOARD_SPARE_55,
                         KIND_TELEPORT_FRONT,
                         KIND_TELEPORT_PORTAL,
                         KIND_TELEPORT_BACK,
                         KIND_TELEPORT_GLOW_RIGHT,
                         KIND_BOT,
                         KIND_OBJECT,
                         KIND_POINTER,
                         KIND_SCENE_CLOUD};
    const char* images[] = {"red.tga", "big.tga", "walk2.tga", "walk3.tga"};
    gameSrand(11);
    std::vector<std::unique_ptr<CSprite>> scene;
    for (int i = 0; i < 150; ++i) {
        int type = types[gameRand() % (sizeof types / sizeof types[0])];
        scene.push_back(sprite(images[gameRand() % 4], type, gameRand() % 820 - 10, gameRand() % 620 - 10));
    }
    frame();
    auto screenPixels = [] {
        SDL_Surface* screen = CDraw::getScreen();
        std::vector<Uint32> pixels;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                pixels.push_back(CDraw::getPixel(screen, x, y));
        return pixels;
    };

    SDL_FillRect(CDraw::getScreen(), nullptr, 0);
    for (int x = 0; x < 800; x += 32)
        for (int y = 0; y < 600; y += 24) {
            CRender::AddDirtyRect(x, y, 32, 24);
            CRender::Render(false);
            CRender::Clear();
        }
    std::vector<Uint32> oneByOne = screenPixels();

    SDL_FillRect(CDraw::getScreen(), nullptr, 0);
    CRender::InvalidateAll();
    CRender::Render(false);
    EXPECT_EQ(CRender::GetDirtyRects().size(), 625u);
    EXPECT_TRUE(screenPixels() == oneByOne);
}

TEST_F(RenderTest, SwapKeepsAStillPictureAndRestoresTheSprites)
{
    auto s = sprite("red.tga", 30, 100, 100);
    frame();
    Sprites before = CSprite::getAllSprites();

    CRender::Swap(true);
    EXPECT_TRUE(CRender::IsSwapped());
    ASSERT_EQ(CSprite::getAllSprites().size(), 1u);
    CSprite* still = CSprite::getAllSprites().front();
    EXPECT_STREQ(still->getName(), "Swap Image");
    EXPECT_EQ(still->getType(), KIND_SWAP_IMAGE);

    // The covered screen's sprites are parked: moving one changes nothing,
    // the picture shows it where it was.
    s->setLocation(500, 500, false);
    auto child = sprite("big.tga", 1200, 300, 300);
    CRender::InvalidateAll();
    frame();
    EXPECT_EQ(pixelsOtherThan(kRed, 100, 100, 24, 24), 0);
    EXPECT_EQ(pixelsOtherThan(kGrey, 500, 500, 24, 24), 0);
    EXPECT_EQ(pixelsOtherThan(kBlue, 300, 300, 48, 48), 0);
    child.reset();

    CRender::Swap(true);
    EXPECT_FALSE(CRender::IsSwapped());
    EXPECT_EQ(CSprite::getAllSprites(), before);
    frame();
    EXPECT_EQ(pixelsOtherThan(kRed, 500, 500, 24, 24), 0);
    EXPECT_EQ(pixelsOtherThan(kGrey, 100, 100, 24, 24), 0);
    EXPECT_EQ(pixelsOtherThan(kGrey, 300, 300, 48, 48), 0);

    // Without a picture the sprites are only parked.
    CRender::Swap(false);
    EXPECT_TRUE(CSprite::getAllSprites().empty());
    CRender::Swap(false);
    EXPECT_EQ(CSprite::getAllSprites(), before);
}

TEST_F(RenderTest, ARendererGoingAwayTakesTheSwapPictureWithIt)
{
    frame();
    CRender::Swap(true);
    ASSERT_EQ(CSprite::getAllSprites().size(), 1u);
    render_.reset();
    EXPECT_TRUE(CSprite::getAllSprites().empty());
    EXPECT_FALSE(CRender::IsSwapped());
}

namespace {

// A picture of its own, made for the scene: with an alpha channel, every
// pixel of another colour and translucency; without, plain colours.
int makePicture(const char* name, int w, int h, bool alpha, int seed)
{
    SDL_Surface* surface = alpha ? SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000)
                                 : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Uint8 a = alpha ? static_cast<Uint8>((x * 37 + y * 11 + seed * 5) % 256) : 255;
            // Whole runs of clear and of solid pixels, as real sprites have.
            if (alpha && x < w / 4)
                a = 0;
            if (alpha && y > h - 4)
                a = 255;
            Uint32 pixel = SDL_MapRGBA(surface->format, static_cast<Uint8>(x * 9 + seed), static_cast<Uint8>(y * 7),
                                       static_cast<Uint8>(seed * 31), a);
            CDraw::putPixel(surface, x, y, pixel);
        }
    return CDraw::LoadSurface(surface, name);
}

std::vector<Uint32> screenPixels()
{
    std::vector<Uint32> pixels;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            pixels.push_back(CDraw::getPixel(CDraw::getScreen(), x, y));
    return pixels;
}

// The picture of drawing every visible sprite afresh, in depth order, onto
// an empty screen, with every picture drawn plainly (no run-length
// encoding); the screen is given back as it was.
std::vector<Uint32> everySpriteDrawnAfresh()
{
    SDL_Surface* screen = CDraw::getScreen();
    SDL_Surface* kept = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    struct Blending {
        int id;
        Uint32 flags;
        Uint8 alpha;
    };
    std::vector<Blending> encoded;
    for (int id = 0; id < CDraw::getImageCount(); ++id) {
        SDL_Surface* image = CDraw::getImageSurface(id);
        if (image && (image->flags & (SDL_RLEACCEL | SDL_RLEACCELOK))) {
            const Uint32 blending = SDL_SRCALPHA | SDL_RLEACCEL | SDL_RLEACCELOK;
            encoded.push_back({id, image->flags & blending, image->format->alpha});
            SDL_SetAlpha(image, image->flags & SDL_SRCALPHA, image->format->alpha);
        }
    }
    std::vector<DirtyRect> pending = CRender::GetDirtyRects();
    SDL_FillRect(screen, nullptr, 0);
    CRender::InvalidateAll();
    CRender::OptimizeDirtyRects();
    CRender::DrawDirty();
    std::vector<Uint32> afresh = screenPixels();
    CRender::Clear();
    for (const DirtyRect& r : pending)
        CRender::AddDirtyRect(r.x, r.y, r.w, r.h);
    for (const Blending& b : encoded)
        SDL_SetAlpha(CDraw::getImageSurface(b.id), b.flags, b.alpha);
    SDL_BlitSurface(kept, nullptr, screen, nullptr);
    SDL_FreeSurface(kept);
    return afresh;
}

} // namespace

// Frame after frame, redrawing only what changed leaves on screen exactly
// what drawing every sprite afresh with plain pictures would: sprites
// stepping and leaping across others, fading in and out over them, and
// sorted by depth where they overlap; with each set of the blitter's loops
// the processor has.
TEST_F(RenderTest, RedrawingOnlyWhatChangedShowsWhatDrawingEverySpriteShows)
{
    g_screenId = CONTROLLER_ID_GAME;
    const int types[] = {KIND_TERRAIN, KIND_LADDER, KIND_GATE_BACK,      KIND_TRAMPOLINE_BACK, KIND_TRAMPOLINE_FRONT,
                         KIND_TUBE,    KIND_SHOT,   KIND_TELEPORT_FRONT, KIND_TELEPORT_PORTAL, KIND_TELEPORT_GLOW_RIGHT,
                         KIND_BOT,     KIND_OBJECT};
    const KernelSet kept = selectedKernelSet();
    for (KernelSet set : {KernelSet::Plain, KernelSet::Sse2, KernelSet::Avx2}) {
        if (!kernelSetAvailable(set))
            continue;
        selectKernelSet(set);
        const std::string loops = kernelSetName(set);
        SCOPED_TRACE(loops + " loops");
        gameSrand(5);
        std::vector<std::unique_ptr<CSprite>> still, moving, fading;
        for (int i = 0; i < 12; ++i) {
            std::string name = loops + "scene" + std::to_string(i) + ".png";
            makePicture(name.c_str(), 16 + 4 * (i % 3), 18 + 3 * (i % 3), i % 3 != 0, i);
        }
        // Still sprites on tiles of their own; the moving ones pass over them.
        std::set<int> taken;
        for (int i = 0; i < 90; ++i) {
            std::string name = loops + "scene" + std::to_string(i % 12) + ".png";
            int type = types[gameRand() % (sizeof types / sizeof types[0])];
            int tile = gameRand() % (30 * 22);
            if (i % 5 != 0 && !taken.insert(tile).second)
                continue;
            auto s = sprite(name.c_str(), type, 24 * (tile % 30), 24 * (tile / 30));
            (i % 5 == 0 ? moving : still).push_back(std::move(s));
        }
        // Fading sprites have pictures of their own, as the game's have.
        for (int i = 0; i < 6; ++i) {
            std::string name = loops + "fade" + std::to_string(i) + ".png";
            makePicture(name.c_str(), 36, 30, i % 2 == 0, 40 + i);
            fading.push_back(sprite(name.c_str(), types[i * 2], 100 + 96 * i, 200 + 24 * (i % 3)));
        }
        CRender::InvalidateAll();
        frame();
        for (int step = 1; step <= 24; ++step) {
            for (size_t i = 0; i < moving.size(); ++i) {
                CSprite& s = *moving[i];
                // Some step a little each frame, some leap clear of where they were.
                int dx = static_cast<int>(i % 3) * 3 - 3, dy = static_cast<int>(i % 2) * 4 - 2;
                if (i % 4 == 3)
                    dx = step % 2 ? 40 : -40;
                s.setLocation(s.getX(false) + dx, s.getY(false) + dy, false);
            }
            if (step == 2)
                for (size_t i = 0; i < fading.size(); ++i)
                    (i % 2 ? fading[i]->SetFadeIn(800, 0, 255) : fading[i]->SetFadeOut(800, 255, 0));
            CRender::Render(true);
            std::vector<Uint32> drawn = screenPixels();
            std::vector<Uint32> afresh = everySpriteDrawnAfresh();
            size_t differing = 0;
            for (size_t i = 0; i < drawn.size(); ++i)
                differing += drawn[i] != afresh[i];
            ASSERT_EQ(differing, 0u) << "frame " << step;
            CDraw::present(true, false);
        }
    }
    selectKernelSet(kept);
}
