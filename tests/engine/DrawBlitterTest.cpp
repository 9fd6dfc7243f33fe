// The display's own blitter: its SIMD and plain loops agree pixel for pixel,
// it blends as the arithmetic says, and it cuts and places a picture as
// SDL_BlitSurface does.
#include "engine/DisplayFixture.h"
#include "engine/DrawKernels.h"
#include "platform/Random.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace corvelle_test;

namespace {

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

// Pixels of every kind: clear, solid and translucent, with colours and
// spare bytes all over the range.
std::vector<uint32_t> randomPixels(size_t count, unsigned seed)
{
    gameSrand(seed);
    std::vector<uint32_t> pixels(count);
    for (uint32_t& p : pixels) {
        uint32_t alpha = gameRand() % 4 == 0 ? 255 * (gameRand() % 2) : gameRand() % 256;
        p = argb(alpha, gameRand() % 256, gameRand() % 256, gameRand() % 256);
    }
    return pixels;
}

class KernelSetGuard
{
public:
    KernelSetGuard() : kept_(selectedKernelSet()) {}
    ~KernelSetGuard() { selectKernelSet(kept_); }

private:
    KernelSet kept_;
};

// Runs one loop of a kernel set over the same pixels at every length up to
// 40 and from every offset in 8, so that whole steps, the masked last
// step and runs shorter than one step all count; returns every result.
template <typename Loop>
std::vector<uint32_t> runWith(KernelSet set, Loop loop)
{
    KernelSetGuard guard;
    selectKernelSet(set);
    std::vector<uint32_t> source = randomPixels(64, 7), results;
    for (uint32_t& p : source)
        p = premultiplyPixel(p);
    for (int offset = 0; offset < 8; ++offset)
        for (int length = 0; length <= 40; ++length) {
            std::vector<uint32_t> target = randomPixels(64, 100 + length);
            loop(drawKernels(), target.data() + offset, source.data() + offset, length);
            results.insert(results.end(), target.begin(), target.end());
        }
    return results;
}

} // namespace

TEST(DrawKernelsTest, SimdAndPlainLoopsGiveTheSamePixels)
{
    struct Case {
        const char* loop;
        std::function<void(const DrawKernels&, uint32_t*, const uint32_t*, int)> run;
    };
    const Case cases[] = {
        {"premultiplied", [](const DrawKernels& k, uint32_t* t, const uint32_t* s, int n) { k.premultiplied(t, s, n); }},
        {"alpha 1", [](const DrawKernels& k, uint32_t* t, const uint32_t* s, int n) { k.constantAlpha(t, s, n, 1); }},
        {"alpha 128", [](const DrawKernels& k, uint32_t* t, const uint32_t* s, int n) { k.constantAlpha(t, s, n, 128); }},
        {"alpha 254", [](const DrawKernels& k, uint32_t* t, const uint32_t* s, int n) { k.constantAlpha(t, s, n, 254); }},
    };
    bool anySimd = false;
    for (KernelSet set : {KernelSet::Sse2, KernelSet::Avx2}) {
        if (!kernelSetAvailable(set))
            continue;
        anySimd = true;
        for (const Case& c : cases)
            EXPECT_TRUE(runWith(set, c.run) == runWith(KernelSet::Plain, c.run)) << kernelSetName(set) << " " << c.loop;
    }
    if (!anySimd)
        GTEST_SKIP() << "this processor has no SIMD set";
}

// Each colour byte rounds to the nearest of 255 steps and the target's
// spare byte stays, in both sets.
TEST(DrawKernelsTest, BlendsRoundToTheNearestShadeAndKeepTheSpareByte)
{
    struct Case {
        const char* what;
        uint32_t source;
        uint32_t target;
        int alpha; // -1: the source's own, premultiplied
        uint32_t expected;
    };
    const Case cases[] = {
        {"solid white over black", argb(255, 255, 255, 255), argb(0x5A, 0, 0, 0), -1, argb(0x5A, 255, 255, 255)},
        {"clear leaves the target", argb(0, 255, 255, 255), argb(0x5A, 10, 20, 30), -1, argb(0x5A, 10, 20, 30)},
        {"half white over black", argb(128, 255, 255, 255), argb(0, 0, 0, 0), -1, argb(0, 128, 128, 128)},
        {"half black over white", argb(128, 0, 0, 0), argb(7, 255, 255, 255), -1, argb(7, 127, 127, 127)},
        {"a quarter of red over blue", argb(64, 255, 0, 0), argb(0, 0, 0, 255), -1, argb(0, 64, 0, 191)},
        {"picture alpha 128", argb(0, 200, 100, 0), argb(9, 0, 100, 200), 128, argb(9, 100, 100, 100)},
        {"picture alpha 0", argb(0, 200, 100, 0), argb(9, 0, 100, 200), 0, argb(9, 0, 100, 200)},
        {"picture alpha 255", argb(0, 200, 100, 0), argb(9, 0, 100, 200), 255, argb(9, 200, 100, 0)},
    };
    KernelSetGuard guard;
    for (KernelSet set : {KernelSet::Plain, KernelSet::Sse2, KernelSet::Avx2}) {
        if (!kernelSetAvailable(set))
            continue;
        selectKernelSet(set);
        for (const Case& c : cases) {
            // Nine pixels: one whole SIMD step and one masked.
            std::vector<uint32_t> target(9, c.target);
            std::vector<uint32_t> source(9, c.alpha < 0 ? premultiplyPixel(c.source) : c.source);
            if (c.alpha < 0)
                drawKernels().premultiplied(target.data(), source.data(), 9);
            else
                drawKernels().constantAlpha(target.data(), source.data(), 9, static_cast<uint8_t>(c.alpha));
            EXPECT_EQ(target, std::vector<uint32_t>(9, c.expected)) << kernelSetName(set) << " " << c.what << std::hex << " got " << target[0];
        }
    }
}

namespace {

class DrawBlitterTest : public DisplayTest
{
protected:
    // A picture of solid and clear pixels (which SDL blends exactly as we
    // do) or, with `soft`, of every alpha.
    static int picture(const char* name, int w, int h, bool alpha, bool soft)
    {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, alpha ? 0xFF000000 : 0);
        std::vector<uint32_t> pixels = randomPixels(static_cast<size_t>(w * h), static_cast<unsigned>(w * 31 + h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t p = pixels[static_cast<size_t>(y * w + x)];
                uint32_t a = p >> 24;
                if (!soft)
                    a = a < 128 ? 0 : 255;
                CDraw::putPixel(s, x, y, alpha ? (p & 0xFFFFFF) | a << 24 : p & 0xFFFFFF);
            }
        return CDraw::LoadSurface(s, name);
    }

    static std::vector<uint32_t> screenPixels()
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                pixels.push_back(CDraw::getPixel(CDraw::getScreen(), x, y) & 0xFFFFFF);
        return pixels;
    }

    static void paintScreen()
    {
        SDL_Surface* screen = CDraw::getScreen();
        std::vector<uint32_t> pixels = randomPixels(SCREEN_WIDTH, 3);
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                CDraw::putPixel(screen, x, y, pixels[static_cast<size_t>((x + y) % SCREEN_WIDTH)] & 0xFFFFFF);
    }
};

struct Placement {
    int x, y, srcX, srcY, w, h;
};

// Parts inside the picture, reaching past each of its edges and past each
// of the screen's, wholly off both, and empty.
const Placement kPlacements[] = {
    {100, 100, 0, 0, 40, 30},    {100, 100, 5, 7, 20, 11},    {100, 100, -6, -4, 30, 30}, {100, 100, 30, 20, 30, 30},
    {-15, -9, 0, 0, 40, 30},     {780, 590, 0, 0, 40, 30},    {-50, 100, 0, 0, 40, 30},   {100, 100, 50, 50, 10, 10},
    {100, 100, 3, 3, 0, 10},     {795, 100, 10, 0, 40, 30},  {0, 0, 0, 0, 1, 1},         {390, 280, 39, 29, 1, 1},
};

} // namespace

// Solid and clear pixels show exactly what SDL's blit shows, wherever the
// part lies; a picture without alpha is copied, faded it blends, as SDL's.
TEST_F(DrawBlitterTest, PlacesAndCutsAPartAsSdlDoes)
{
    const int kinds[] = {picture("hard.png", 40, 30, true, false), picture("plain.jpg", 40, 30, false, false)};
    for (int id : kinds)
        for (const Placement& p : kPlacements) {
            paintScreen();
            CDraw::drawImagePart(id, p.x, p.y, p.srcX, p.srcY, p.w, p.h);
            std::vector<uint32_t> ours = screenPixels();
            paintScreen();
            SDL_Rect source = {static_cast<Sint16>(p.srcX), static_cast<Sint16>(p.srcY), static_cast<Uint16>(p.w),
                               static_cast<Uint16>(p.h)};
            SDL_Rect at = {static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), 0, 0};
            SDL_BlitSurface(CDraw::getImageSurface(id), &source, CDraw::getScreen(), &at);
            EXPECT_TRUE(ours == screenPixels()) << CDraw::getImageName(id) << " at " << p.x << "," << p.y << " part "
                                                << p.srcX << "," << p.srcY << " " << p.w << "x" << p.h;
        }
}

// Translucent pixels come within two shades of SDL's (which divides by 256
// and rounds down, where ours rounds each product to nearest), and
// a picture's own alpha fades only a picture without per-pixel alpha.
TEST_F(DrawBlitterTest, BlendsWithinTwoShadesOfSdl)
{
    struct Case {
        const char* what;
        int id;
        int alpha; // the picture's own, -1 for none
    };
    const Case cases[] = {
        {"per-pixel alpha", picture("soft.png", 64, 48, true, true), -1},
        {"per-pixel alpha, picture alpha ignored", picture("soft2.png", 64, 48, true, true), 60},
        {"faded picture", picture("fade.jpg", 64, 48, false, false), 100},
        {"half-faded picture", picture("half.jpg", 64, 48, false, false), 128},
    };
    for (const Case& c : cases) {
        if (c.alpha >= 0)
            CDraw::setImageAlpha(c.id, static_cast<uint8_t>(c.alpha), SDL_SRCALPHA);
        paintScreen();
        CDraw::drawImage(c.id, 33, 21);
        std::vector<uint32_t> ours = screenPixels();
        paintScreen();
        SDL_Rect at = {33, 21, 0, 0};
        SDL_BlitSurface(CDraw::getImageSurface(c.id), nullptr, CDraw::getScreen(), &at);
        std::vector<uint32_t> sdl = screenPixels();
        int worst = 0;
        for (size_t i = 0; i < ours.size(); ++i)
            for (int shift = 0; shift < 24; shift += 8)
                worst = std::max(worst, std::abs(static_cast<int>((ours[i] >> shift) & 0xFF) -
                                                 static_cast<int>((sdl[i] >> shift) & 0xFF)));
        EXPECT_LE(worst, 2) << c.what;
    }
}

// A picture changed by whoever was handed its surface shows its new pixels
// at its next draw.
TEST_F(DrawBlitterTest, APictureChangedAfterItsFirstDrawShowsItsNewPixels)
{
    int id = picture("changing.png", 8, 8, true, false);
    CDraw::drawImage(id, 0, 0);
    SDL_Surface* surface = CDraw::getImageSurface(id);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            CDraw::putPixel(surface, x, y, argb(255, 1, 2, 3));
    CDraw::drawImage(id, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(CDraw::getPixel(CDraw::getScreen(), x, y) & 0xFFFFFF, argb(0, 1, 2, 3)) << x << "," << y;
}
