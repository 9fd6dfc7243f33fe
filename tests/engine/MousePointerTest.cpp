// The pointer and hourglass sprites over a display with two fixture images.
#include "engine/Input.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"

#include "engine/DisplayFixture.h"

#include <algorithm>

using namespace corvelle_test;

namespace {

class RecordingScreen : public CInputTarget
{
public:
    bool IsActive() const override { return true; }
    void SetExitCode(int) override {}
    bool InputModKey(bool, int) override { return false; }
    void InputKey(bool, int) override {}
    void InputMouseMotion(int x, int y) override { moves.push_back({x, y}); }
    void InputMouseButton(bool, bool, bool, bool, bool) override {}

    std::vector<std::pair<int, int>> moves;
};

class MousePointerTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        preload({{"mousepointer.tga", tgaBytes(20, 28, {255, 255, 255, 255})},
                 {"hourglass.tga", tgaBytes(30, 41, {200, 150, 50, 255})}});
        SDL_Event stale;
        while (SDL_PollEvent(&stale)) {
        }
        CInput::SetRelativeMouse(true);
        CInput::SetMouseSpeed(1.0f);
        pointer_ = std::make_unique<CMousePointer>();
        pointerSprite_ = findSprite("Global Mouse Pointer");
        hourglassSprite_ = findSprite("Global Hourglass Pointer");
        ASSERT_NE(pointerSprite_, nullptr);
        ASSERT_NE(hourglassSprite_, nullptr);
    }

    void TearDown() override
    {
        pointer_.reset();
        DisplayTest::TearDown();
    }

    static CSprite* findSprite(const char* name)
    {
        for (CSprite* sprite : CSprite::getAllSprites())
            if (std::string(sprite->getName()) == name)
                return sprite;
        return nullptr;
    }

    // Ticks until the pointer shows again (at most 50).
    int ticksUntilShown()
    {
        for (int ticks = 1; ticks <= 50; ++ticks) {
            CMousePointer::Tick();
            if (!pointerSprite_->isHidden())
                return ticks;
        }
        return -1;
    }

    std::unique_ptr<CMousePointer> pointer_;
    CSprite* pointerSprite_ = nullptr;
    CSprite* hourglassSprite_ = nullptr;
};

} // namespace

TEST_F(MousePointerTest, TwoFrontMostSpritesThatStartHidden)
{
    for (CSprite* sprite : {pointerSprite_, hourglassSprite_}) {
        EXPECT_EQ(sprite->getType(), KIND_POINTER);
        EXPECT_TRUE(sprite->isHidden());
        EXPECT_EQ(sprite->getFrameCount(), 1);
    }
    EXPECT_EQ(CDraw::getImageWidth(hourglassSprite_->getFrameSurface(0)), 30);
    EXPECT_TRUE(CMousePointer::IsHidden());
    pointer_.reset();
    EXPECT_EQ(findSprite("Global Mouse Pointer"), nullptr);
    EXPECT_EQ(findSprite("Global Hourglass Pointer"), nullptr);
}

TEST_F(MousePointerTest, HideCountdown)
{
    struct Case {
        std::vector<int> hides;
        int ticks; // until the pointer shows again
    } cases[] = {
        {{-1}, 1},
        {{0}, 2},
        {{5}, 7},
        {{5, 2}, 7}, // the longer wait stands
        {{2, 5}, 7},
        {{-1, 3, -1}, 5},
    };
    for (const Case& c : cases) {
        for (int frames : c.hides)
            CMousePointer::HideFor(frames);
        EXPECT_TRUE(CMousePointer::IsHidden());
        EXPECT_EQ(ticksUntilShown(), c.ticks) << c.hides.size() << " hides, first " << c.hides.front();
        EXPECT_TRUE(hourglassSprite_->isHidden());
        EXPECT_FALSE(CMousePointer::IsHidden());
    }
}

TEST_F(MousePointerTest, HourglassTakesThePointersPlace)
{
    watchDisplayUpdates();
    CMousePointer::Tick();
    ASSERT_FALSE(pointerSprite_->isHidden());
    CMousePointer::ShowHourglass(true);
    EXPECT_TRUE(pointerSprite_->isHidden());
    EXPECT_FALSE(hourglassSprite_->isHidden());
    EXPECT_EQ(updates_.size(), 1u) << "drawn at once";
    EXPECT_FALSE(CMousePointer::IsHidden());

    // With the pointer already hidden the hourglass shows, but nothing is
    // drawn at once.
    CMousePointer::HideFor(-1);
    updates_.clear();
    CMousePointer::ShowHourglass(true);
    EXPECT_FALSE(hourglassSprite_->isHidden());
    EXPECT_TRUE(updates_.empty());

    CMousePointer::Tick();
    EXPECT_FALSE(pointerSprite_->isHidden());
    EXPECT_TRUE(hourglassSprite_->isHidden());
}

TEST_F(MousePointerTest, SpritesFollowTheInputPosition)
{
    CInput::SetMouseX(100);
    CInput::SetMouseY(200);
    CMousePointer::Update();
    EXPECT_EQ(pointerSprite_->getX(false), 100);
    EXPECT_EQ(pointerSprite_->getY(false), 200);
    EXPECT_EQ(hourglassSprite_->getX(false), 100 - 9);
    EXPECT_EQ(hourglassSprite_->getY(false), 200 - 19);
}

TEST_F(MousePointerTest, WarpClampsAndTellsTheScreen)
{
    RecordingScreen screen;
    CInput::SetMouseX(0);
    CInput::SetMouseY(0);
    CMousePointer::WarpMouse(900, -5);
    CInput::ProcessEvents(&screen);
    // The system may report the warp itself first (within its own screen
    // bounds); the queued event brings the position the game asked for.
    ASSERT_FALSE(screen.moves.empty());
    EXPECT_EQ(screen.moves.back(), std::make_pair(800, 0));
    EXPECT_EQ(CInput::GetMouseX(), 800);
    EXPECT_EQ(CInput::GetMouseY(), 0);

    // The captured pointer is placed at once; the queued step of (1, 1)
    // then moves it by one step of the speed factor.
    screen.moves.clear();
    CInput::SetRelativeMouse(false);
    CInput::SetMouseSpeed(2.0f);
    CMousePointer::WarpMouse(100, 50);
    EXPECT_EQ(CInput::GetMouseX(), 100);
    EXPECT_EQ(CInput::GetMouseY(), 50);
    CInput::ProcessEvents(&screen);
    EXPECT_EQ(screen.moves, (std::vector<std::pair<int, int>>{{102, 52}}));
}

TEST_F(MousePointerTest, StaysOnTopAcrossASpriteListSwap)
{
    CSprite other(KIND_FURNITURE_FIRST, 0, false);
    CSprite::swapLists(false);
    const std::vector<CSprite*>& parked = CSprite::getAllSprites();
    EXPECT_NE(std::find(parked.begin(), parked.end(), pointerSprite_), parked.end());
    EXPECT_EQ(std::find(parked.begin(), parked.end(), &other), parked.end());
    CSprite::swapLists(true);
    const std::vector<CSprite*>& back = CSprite::getAllSprites();
    ASSERT_GE(back.size(), 3u);
    EXPECT_EQ(back[back.size() - 2], pointerSprite_);
    EXPECT_EQ(back.back(), hourglassSprite_);

    CMousePointer::UnregisterSprites();
    EXPECT_EQ(findSprite("Global Mouse Pointer"), nullptr);
    CMousePointer::RegisterSprites();
    EXPECT_EQ(findSprite("Global Mouse Pointer"), pointerSprite_);
}
