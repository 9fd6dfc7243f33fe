#include "engine/DisplayFixture.h"
#include "engine/Input.h"
#include "platform/Clock.h"

#include <algorithm>
#include <climits>
#include <vector>

using namespace corvelle_test;

namespace {

const std::vector<DirtyRect>* g_dirty = nullptr;
int g_clears = 0;

const std::vector<DirtyRect>& dirtyRects() { return *g_dirty; }
void clearDirtyRects() { ++g_clears; }

class DrawTest : public DisplayTest
{
protected:
    void useDirtyRects(const std::vector<DirtyRect>& rects)
    {
        dirty_ = rects;
        g_dirty = &dirty_;
        g_clears = 0;
        CDraw::setDirtyRectSource(dirtyRects, clearDirtyRects);
    }

    // The bar's drawn width: the columns of its middle row that no longer
    // show the loading picture, each of which must show the bar's own pixel.
    int drawnBarWidth(SDL_Surface* picture, SDL_Surface* bar)
    {
        const int row = bar->h / 2;
        int width = 0;
        while (width < bar->w &&
               !(pixelAt(CDraw::getScreen(), LOAD_BAR_X + width, LOAD_BAR_Y + row) ==
                 pixelAt(picture, LOAD_BAR_X + width, LOAD_BAR_Y + row))) {
            Rgba shown = pixelAt(CDraw::getScreen(), LOAD_BAR_X + width, LOAD_BAR_Y + row);
            Rgba expected = pixelAt(bar, width, row);
            expected.a = shown.a;
            EXPECT_EQ(shown, expected) << "column " << width;
            ++width;
        }
        return width;
    }

    std::vector<DirtyRect> dirty_;
};

} // namespace

TEST_F(DrawTest, WindowHasCaptionAndShowsTheLoadingPicture)
{
    char* title = nullptr;
    char* iconTitle = nullptr;
    SDL_WM_GetCaption(&title, &iconTitle);
    EXPECT_STREQ(title, "Corvelle");
    EXPECT_STREQ(iconTitle, "Corvelle");
    EXPECT_TRUE(CDraw::hasScreen());
    EXPECT_FALSE(CDraw::isFullscreen());
    SDL_Surface* screen = CDraw::getScreen();
    ASSERT_EQ(screen->w, 800);
    ASSERT_EQ(screen->h, 600);
    EXPECT_EQ(screen->format->BitsPerPixel, 32);

    SDL_Surface* picture = decodeFile("resource0.dat");
    ASSERT_NE(picture, nullptr);
    int differing = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            differing += !(pixelAt(screen, x, y) == pixelAt(picture, x, y));
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(picture);
}

TEST_F(DrawTest, LoadingBarGrowsWithProgressAndNeverShrinks)
{
    SDL_Surface* picture = decodeFile("resource0.dat");
    SDL_Surface* bar = decodeFile("resource1.dat");
    ASSERT_NE(bar, nullptr);
    watchDisplayUpdates();
    CDraw::setLoadAllowance(23700);
    CDraw::loadProgressBar(300); // total 24000
    struct Step {
        bool absolute;
        int value;
        int width;
        bool drawn;
    } steps[] = {
        {false, 59, 0, false},       // 59 / 24000 of the bar is under a pixel
        {false, 1, 1, true},         // 60
        {false, 5940, 100, true},    // 6000
        {false, -3000, 100, false},  // 3000: a narrower bar draws nothing
        {true, 12000, 200, true},    // drawn for 12000, progress stays 3000
        {false, 3000, 200, false},   // 6000
        {false, 1000000, 400, true}, // clamped to the total
        {false, 1, 400, false},
    };
    for (const Step& s : steps) {
        updates_.clear();
        if (s.absolute)
            CDraw::setLoadProgress(s.value);
        else
            CDraw::addLoadProgress(s.value);
        EXPECT_EQ(drawnBarWidth(picture, bar), s.width) << s.value;
        if (s.drawn)
            EXPECT_EQ(updates_, (std::vector<DirtyRect>{{LOAD_BAR_X, LOAD_BAR_Y, s.width, bar->h}})) << s.value;
        else
            EXPECT_TRUE(updates_.empty()) << s.value;
    }
    SDL_FreeSurface(picture);
    SDL_FreeSurface(bar);
}

TEST_F(DrawTest, GameSpeedTable)
{
    const int cases[][2] = {{0, 66}, {1, 60}, {5, 40}, {6, 33}, {7, 30}, {11, 10}, {-1, 33}, {12, 33}, {INT_MIN, 33}};
    for (const auto& c : cases) {
        CDraw::setGameSpeed(c[0]);
        EXPECT_EQ(CDraw::getFrameDelay(), static_cast<uint32_t>(c[1])) << c[0];
    }
}

TEST_F(DrawTest, PresentWaitsOutTheFrameTimeOnlyWithTheLock)
{
    // The clock stands still: a present that waited would never return.
    setTickSourceForTesting([] { return 5000u; });
    CDraw::toggleFPSLock();
    uint32_t frame = CDraw::getFrame();
    for (int i = 0; i < 3; ++i)
        CDraw::present(true, true);
    EXPECT_EQ(CDraw::getFrame(), frame + 3);
    CDraw::toggleFPSLock();

    // With the lock the frame ends a whole frame time after the last one.
    uint32_t now = 5000;
    setTickSourceForTesting([&] { return now++; });
    CDraw::setGameSpeed(9); // 20 ms
    CDraw::present(true, true);
    uint32_t firstEnd = now;
    CDraw::present(true, true);
    EXPECT_GE(now - firstEnd, 20u);
    EXPECT_LE(now - firstEnd, 24u);
    EXPECT_EQ(CDraw::getFrame(), frame + 5);
    CDraw::setGameSpeed(-1);
}

TEST_F(DrawTest, PresentSleepsOnceToTheFrameDeadline)
{
    // Each frame does some work, then present sleeps the rest of the frame
    // time in one sleep; the frame counter advances once per frame.
    uint32_t now = 10000;
    std::vector<uint32_t> sleeps;
    setTickSourceForTesting([&] { return now; });
    setSleepForTesting([&](uint32_t ms) {
        sleeps.push_back(ms);
        now += ms;
    });
    for (int speed : {6, 0, 11}) {
        CDraw::setGameSpeed(speed);
        const uint32_t delay = CDraw::getFrameDelay();
        CDraw::present(true, true);
        uint32_t frame = CDraw::getFrame();
        for (uint32_t work : {0u, 5u, delay - 1, delay, delay + 7}) {
            sleeps.clear();
            uint32_t start = now;
            now += work;
            CDraw::present(true, true);
            EXPECT_EQ(sleeps, work < delay ? std::vector<uint32_t>{delay - work} : std::vector<uint32_t>{})
                << "speed " << speed << ", work " << work;
            EXPECT_EQ(now - start, std::max(work, delay));
        }
        EXPECT_EQ(CDraw::getFrame(), frame + 5);
    }
    setSleepForTesting(nullptr);
    CDraw::setGameSpeed(-1);
}

// With the real clock and real sleeps: at each speed the player can choose,
// every counted frame end advances the frame counter by exactly one, and no
// frame ends sooner than a frame time after the one before (uncounted frame
// ends are paced alike and leave the counter alone).
TEST_F(DrawTest, RealFramesCountOncePerFrameAtTheChosenSpeed)
{
    for (int speed : {11, 9, 6, 0}) {
        CDraw::setGameSpeed(speed);
        const uint32_t delay = CDraw::getFrameDelay();
        const uint32_t start = tickCount();
        CDraw::present(true, true);
        const uint32_t first = CDraw::getFrame();
        for (int i = 1; i <= 6; ++i) {
            CDraw::present(true, i % 3 != 0);
            EXPECT_EQ(CDraw::getFrame(), first + static_cast<uint32_t>(i - i / 3)) << "speed " << speed;
        }
        // Each frame's deadline is a frame time after the end of the last.
        EXPECT_GE(tickCount() - start, 6 * delay) << "speed " << speed;
    }
    CDraw::setGameSpeed(-1);
}

TEST_F(DrawTest, PresentShowsClippedDirtyRectanglesAndClearsThem)
{
    setTickSourceForTesting([] { return 7000u; });
    CDraw::toggleFPSLock();
    watchDisplayUpdates();
    useDirtyRects({{-10, 590, 30, 30}, {100, 100, 10, 10}, {800, 0, 5, 5}, {0, 0, 0, 9}});
    uint32_t frame = CDraw::getFrame();

    CDraw::present(true, false);
    EXPECT_EQ(CDraw::getFrame(), frame);
    EXPECT_EQ(updates_, (std::vector<DirtyRect>{{0, 590, 20, 10}, {100, 100, 10, 10}}));
    EXPECT_EQ(g_clears, 1);

    updates_.clear();
    CDraw::present(false, true);
    EXPECT_EQ(CDraw::getFrame(), frame + 1);
    EXPECT_EQ(updates_, (std::vector<DirtyRect>{{0, 0, 800, 600}}));
    EXPECT_EQ(g_clears, 2);
    CDraw::toggleFPSLock();
}

TEST_F(DrawTest, DisabledPresentDoesNothingAtAll)
{
    // The lock is on and the clock stands still: only doing nothing returns.
    setTickSourceForTesting([] { return 9000u; });
    watchDisplayUpdates();
    useDirtyRects({{0, 0, 10, 10}});
    uint32_t frame = CDraw::getFrame();
    CDraw::setPresentDisabled(true);
    CDraw::present(true, true);
    CDraw::setPresentDisabled(false);
    EXPECT_EQ(CDraw::getFrame(), frame);
    EXPECT_TRUE(updates_.empty());
    EXPECT_EQ(g_clears, 0);
}

TEST_F(DrawTest, UpdateRectIsClippedToTheScreen)
{
    struct Case {
        DirtyRect in;
        std::vector<DirtyRect> shown;
    } cases[] = {
        {{-10, 590, 30, 30}, {{0, 590, 20, 10}}},
        {{790, -5, 20, 10}, {{790, 0, 10, 5}}},
        {{0, 0, 800, 600}, {{0, 0, 800, 600}}},
        {{-100, -100, 1000, 1000}, {{0, 0, 800, 600}}},
        {{799, 599, 1, 1}, {{799, 599, 1, 1}}},
        {{800, 0, 5, 5}, {}},
        {{0, 600, 5, 5}, {}},
        {{-20, 0, 10, 10}, {}},
        {{10, 10, 0, 5}, {}},
        {{10, 10, 5, -5}, {}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {}},
        {{INT_MAX, 0, INT_MAX, 1}, {}},
        {{0, 0, INT_MAX, INT_MAX}, {{0, 0, 800, 600}}},
    };
    watchDisplayUpdates();
    for (const Case& c : cases) {
        updates_.clear();
        CDraw::updateRect(c.in.x, c.in.y, c.in.w, c.in.h);
        EXPECT_EQ(updates_, c.shown) << c.in;
    }
}

TEST_F(DrawTest, FullscreenFollowsTheProfileAndKeepsThePicture)
{
    watchDisplayUpdates();
    CDraw::toggleFullscreen(true, false);
    EXPECT_TRUE(updates_.empty()); // already in a window: not even a flip

    bool wantFullscreen = true;
    CDraw::setFullscreenSource([&wantFullscreen] { return wantFullscreen; });
    CDraw::toggleFullscreen(true, true);
    EXPECT_TRUE(CDraw::isFullscreen());
    EXPECT_EQ(updates_, (std::vector<DirtyRect>{{0, 0, 800, 600}}));
    SDL_Surface* picture = decodeFile("resource0.dat");
    for (int i = 0; i < 600; i += 7)
        EXPECT_EQ(pixelAt(CDraw::getScreen(), i * 4 / 3, i), pixelAt(picture, i * 4 / 3, i));
    SDL_FreeSurface(picture);

    wantFullscreen = false;
    CDraw::toggleFullscreen(true, false);
    EXPECT_FALSE(CDraw::isFullscreen());
    CDraw::setFullscreenSource(nullptr);
}

TEST_F(DrawTest, SwitchingModeKeepsACapturedPointerWhereTheGameHasIt)
{
    CInput::SetRelativeMouse(false); // captured: the system pointer is not the game's
    CInput::SetMouseXf(300);
    CInput::SetMouseYf(200);
    CInput::SetMouseX(300);
    CInput::SetMouseY(200);
    SDL_Event stale;
    while (SDL_PollEvent(&stale)) {
    }
    CDraw::setFullscreenSource([] { return true; });
    CDraw::toggleFullscreen(true, true);
    EXPECT_EQ(CInput::GetMouseX(), 300);
    EXPECT_EQ(CInput::GetMouseY(), 200);
    // Only the one-step nudge that lets the screen see the position again.
    std::vector<std::pair<int, int>> moves;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event.type == SDL_MOUSEMOTION)
            moves.emplace_back(event.motion.xrel, event.motion.yrel);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 1}}));
    CDraw::setFullscreenSource(nullptr);
    CDraw::toggleFullscreen(true, false);
    CInput::SetRelativeMouse(true);
}

TEST_F(DrawTest, ScreenIsSavedAsBitmap)
{
    std::string path = dir_ + "/shot.bmp";
    CDraw::saveScreenBMP(path.c_str());
    SDL_Surface* saved = SDL_LoadBMP(path.c_str());
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->w, 800);
    ASSERT_EQ(saved->h, 600);
    int differing = 0;
    for (int y = 0; y < 600; y += 3)
        for (int x = 0; x < 800; x += 3)
            differing += !(pixelAt(saved, x, y) == pixelAt(CDraw::getScreen(), x, y));
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(saved);
}
