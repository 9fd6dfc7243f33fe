#include "screens/GuiButtonMapDot.h"
#include "screens/WidgetFixture.h"

#include <string>

using namespace corvelle_test;

namespace {

const char* const DOT = "GUI Map Dot";
constexpr int OPEN_X = 100, OPEN_Y = 100;

class GuiButtonMapDotTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        const Rgba colour{200, 120, 40, 255};
        for (const char* name : {"mapdotregularlockedbase.png", "mapdotregularlockedghosted.png",
                                 "mapdotregularcompletedbase.png", "mapdotregularcompletedrollover.png",
                                 "mapdotregularincompletebase.png", "mapdotregularincompleterollover.png"})
            registerPicture(name, 18, 18, colour);
        for (const char* series : {"mapdotregularlockedshrink", "mapdotregularlockedghostedshrink",
                                   "mapdotregularcompletedshrink", "mapdotregularincompleteshrink"})
            for (int n = 1; n <= 3; ++n)
                registerPicture((series + std::to_string(n) + ".png").c_str(), 18, 18, colour);
        for (int n = 0; n <= 5; ++n)
            registerPicture(("mapdotregularselectedpulse" + std::to_string(n) + ".png").c_str(), 18, 18, colour);
        for (int n = 0; n < 60; ++n) {
            registerPicture(("star_base" + std::to_string(n) + ".png").c_str(), 20, 28, colour);
            registerPicture(("star_pulse" + std::to_string(n) + ".png").c_str(), 28, 28, colour);
        }
        for (int n = 0; n <= 13; ++n)
            registerPicture(("star_appear" + std::to_string(n) + ".png").c_str(), 20, 28, colour);
    }

    // One frame as the map runs it: the pointer and the left button as
    // given, then the widgets and the sprites' animations.
    static void frame(int x, int y, bool down)
    {
        pointAt(x, y);
        CGuiButtonBase::SetMouseButton(!down, true);
        CGuiButtonBase::UpdateAll();
        CSprite::updateAll();
    }

    // A press and release on (x, y), then `idle` frames with the button up.
    static void clickAt(int x, int y, int idle)
    {
        frame(x, y, false);
        frame(x, y, true);
        frame(x, y, false);
        for (int i = 0; i < idle; ++i)
            frame(x, y, false);
    }

    std::unique_ptr<CGuiButtonMapDot> dot(int x, int y, int index, int state, int mode = 0, int delay = -1,
                                          bool star = false)
    {
        return std::make_unique<CGuiButtonMapDot>(x, y, index, &screen, star, state, mode, delay, false);
    }

    // The visible dot sprites.
    static int shownDots()
    {
        int n = 0;
        for (CSprite* sprite : spritesNamed(DOT))
            n += !sprite->isHidden();
        return n;
    }
};

} // namespace

// A second press within 15 frames plays the level; a slower one is another
// single click with its own sound.
TEST_F(GuiButtonMapDotTest, SecondPressWithinFifteenFramesIsADoubleClick)
{
    for (int gap : {10, 20}) {
        SCOPED_TRACE("presses " + std::to_string(gap) + " frames apart");
        screen.callbacks.clear();
        sounds.clear();
        auto open = dot(OPEN_X, OPEN_Y, 4, CGuiButtonMapDot::OPEN);
        clickAt(OPEN_X + 9, OPEN_Y + 9, gap - 2);
        clickAt(OPEN_X + 9, OPEN_Y + 9, 0);
        bool doubled = gap < CGuiButtonMapDot::DOUBLE_CLICK_FRAMES;
        ASSERT_EQ(screen.callbacks.size(), 2u);
        EXPECT_EQ(screen.callbacks[0], std::make_tuple(4, 0, false));
        EXPECT_EQ(screen.callbacks[1], std::make_tuple(4, 0, doubled));
        EXPECT_EQ(countSounds(InterfaceSound::Click), doubled ? 1 : 2);
        EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), 4);
    }
}

TEST_F(GuiButtonMapDotTest, ACompletedDotSendsOneALockedDotMinusOneAndNoSound)
{
    auto completed = dot(100, 100, 2, CGuiButtonMapDot::COMPLETED);
    auto locked = dot(200, 100, 3, CGuiButtonMapDot::LOCKED);
    clickAt(109, 109, 0);
    clickAt(209, 109, 0);
    ASSERT_EQ(screen.callbacks.size(), 2u);
    EXPECT_EQ(screen.callbacks[0], std::make_tuple(2, 1, false));
    EXPECT_EQ(screen.callbacks[1], std::make_tuple(3, -1, false));
    EXPECT_EQ(countSounds(InterfaceSound::Click), 1);
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), 2) << "a locked dot is never selected";
}

TEST_F(GuiButtonMapDotTest, ASelectedDotPulsesUntilAnotherIsSelected)
{
    auto first = dot(100, 100, 0, CGuiButtonMapDot::OPEN, CGuiButtonMapDot::SELECTED);
    auto second = dot(200, 100, 1, CGuiButtonMapDot::COMPLETED);
    EXPECT_EQ(first->GetMode(), CGuiButtonMapDot::SELECTED);
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), 0);
    clickAt(209, 109, 1);
    EXPECT_EQ(first->GetMode(), CGuiButtonMapDot::IDLE);
    EXPECT_EQ(second->GetMode(), CGuiButtonMapDot::SELECTED);
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), 1);
    EXPECT_EQ(shownDots(), 2) << "one sprite on show per dot";
    second.reset();
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), -1);
}

// A growing dot stays away for its delay, cannot be hovered or clicked
// while it grows, and then stands still in its base look.
TEST_F(GuiButtonMapDotTest, AGrowingDotWaitsItsDelayAndCannotBeClicked)
{
    auto growing = dot(100, 100, 5, CGuiButtonMapDot::OPEN, CGuiButtonMapDot::GROWING, 6);
    for (int i = 0; i < 6; ++i) {
        frame(109, 109, false);
        EXPECT_EQ(shownDots(), 0) << "frame " << i;
    }
    clickAt(109, 109, 0);
    EXPECT_TRUE(screen.callbacks.empty());
    EXPECT_EQ(shownDots(), 1);
    for (int i = 0; i < 12 && growing->GetMode() != CGuiButtonMapDot::ROLLOVER; ++i)
        frame(109, 109, false);
    EXPECT_EQ(growing->GetMode(), CGuiButtonMapDot::ROLLOVER) << "grown, and hovered";
    clickAt(109, 109, 0);
    EXPECT_EQ(screen.callbacks.size(), 1u);
}

// Locked dots are disabled, so the keyboard focus passes them by and
// selects each dot it lands on.
TEST_F(GuiButtonMapDotTest, KeyboardFocusSkipsLockedDotsAndSelects)
{
    auto a = dot(100, 100, 0, CGuiButtonMapDot::COMPLETED);
    auto locked = dot(150, 100, 1, CGuiButtonMapDot::LOCKED);
    auto star = dot(200, 100, 2, CGuiButtonMapDot::OPEN, CGuiButtonMapDot::IDLE, -1, true);
    frame(0, 0, false);
    CGuiButtonBase::MoveFocus(false);
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), 0);
    CGuiButtonBase::MoveFocus(false);
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedValue(), 2);
    EXPECT_EQ(star->GetMode(), CGuiButtonMapDot::SELECTED);
    ASSERT_EQ(screen.callbacks.size(), 2u);
    EXPECT_EQ(screen.callbacks[1], std::make_tuple(2, 0, false)) << "focus selects, it does not play";
    // The star is hit above its place, where it is drawn.
    frame(209, 80, false);
    EXPECT_EQ(CGuiButtonBase::GetHotButton(), star.get());
    frame(209, 109, false);
    EXPECT_NE(CGuiButtonBase::GetHotButton(), star.get());
}
