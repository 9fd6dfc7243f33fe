#include "screens/ScreenTestSupport.h"

#include <memory>
#include <string>

using namespace corvelle_test;

namespace {

class GuiButtonBaseTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        screen.Activate(nullptr);
    }

    // Makes the widget hot, as the pointer over it would.
    static void hover(FakeWidget& widget)
    {
        widget.pointerOver = true;
        CGuiButtonBase::UpdateAll();
        widget.pointerOver = false;
    }

    RecordingScreen screen{100};
};

} // namespace

TEST_F(GuiButtonBaseTest, MoveFocusWrapsAndSkipsHiddenAndDisabledWidgets)
{
    struct Case {
        const char* name;
        int startHot;
        bool backwards;
        std::vector<int> unavailable; // hidden (even) or disabled (odd) widgets
        int hotAfter;
        int warped; // the widget whose WarpMouseTo ran, -1 for none
    } cases[] = {
        {"forwards", 1, false, {}, 2, 2},
        {"backwards", 1, true, {}, 0, 0},
        {"forwards from none", -1, false, {}, 0, 0},
        {"backwards from none", -1, true, {}, 4, 4},
        {"wraps forwards", 4, false, {}, 0, 0},
        {"wraps backwards", 0, true, {}, 4, 4},
        {"skips hidden", 1, false, {2}, 3, 3},
        {"skips disabled", 1, false, {3, 2}, 4, 4},
        {"skips and wraps", 3, false, {4, 0}, 1, 1},
        {"skips backwards and wraps", 1, true, {0, 4}, 3, 3},
        {"only itself", 2, false, {0, 1, 3, 4}, 2, 2},
        {"nothing focusable", 2, false, {0, 1, 2, 3, 4}, 2, -1},
        {"nothing focusable from none", -1, true, {0, 1, 2, 3, 4}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<FakeWidget>> widgets;
        for (int i = 0; i < 5; ++i)
            widgets.push_back(std::make_unique<FakeWidget>(&screen, i));
        if (c.startHot >= 0)
            hover(*widgets[c.startHot]);
        for (int i : c.unavailable) {
            if (i % 2 == 0)
                widgets[i]->Hide();
            else
                widgets[i]->SetDisabled(true);
        }

        CGuiButtonBase::MoveFocus(c.backwards);
        EXPECT_EQ(CGuiButtonBase::GetHotId(), c.hotAfter);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(widgets[i]->warps, i == c.warped ? 1 : 0) << "widget " << i;
    }
}

TEST_F(GuiButtonBaseTest, MouseClicksReachWidgetsOnTheirOwnEdge)
{
    struct Case {
        const char* name;
        bool clickOnRelease;
        bool press; // else: release after a press elsewhere
        bool clicked;
    } cases[] = {
        {"release-clicker, press", true, true, false},
        {"release-clicker, release", true, false, true},
        {"press-clicker, press", false, true, true},
        {"press-clicker, release", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.callbacks.clear();
        sounds.clear();
        FakeWidget widget(&screen, 7, false, c.clickOnRelease);
        if (!c.press)
            CGuiButtonBase::SetMouseButton(false, false);
        hover(widget);
        CGuiButtonBase::SetMouseButton(!c.press, true);
        EXPECT_EQ(screen.callbacks.size(), c.clicked ? 1u : 0u);
        EXPECT_EQ(countSounds(InterfaceSound::Click), c.clicked ? 1 : 0);
        if (c.clicked) {
            EXPECT_EQ(screen.callbacks[0], std::make_tuple(7, 0, false));
        }
        // A second report of the same edge is ignored.
        CGuiButtonBase::SetMouseButton(!c.press, true);
        EXPECT_EQ(screen.callbacks.size(), c.clicked ? 1u : 0u);
        CGuiButtonBase::SetMouseButton(true, false);
    }
}

TEST_F(GuiButtonBaseTest, ReturnFallsBackToTheFirstVisibleDefaultWidget)
{
    struct Case {
        const char* name;
        bool hoverOther;       // a non-default widget is hot
        bool hideFirstDefault;
        bool hideBothDefaults;
        char key;
        int clickedIndex; // -1: nothing
    } cases[] = {
        {"hot widget first", true, false, false, 1, 1},
        {"default when none is hot", false, false, false, 1, 2},
        {"the next default when the first is hidden", false, true, false, 1, 4},
        {"nothing without a visible default", false, true, true, 1, -1},
        {"the mouse never falls back", false, false, false, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.callbacks.clear();
        sounds.clear();
        FakeWidget other(&screen, 1);
        FakeWidget pressDefault(&screen, 2, true, false);
        FakeWidget plain(&screen, 3);
        FakeWidget secondDefault(&screen, 4, true);
        if (c.hideFirstDefault || c.hideBothDefaults)
            pressDefault.Hide();
        if (c.hideBothDefaults)
            secondDefault.Hide();
        if (c.hoverOther)
            hover(other);
        else
            CGuiButtonBase::UpdateAll();

        CGuiButtonBase::ClickAll(c.key);
        if (c.clickedIndex < 0) {
            EXPECT_TRUE(screen.callbacks.empty());
            EXPECT_TRUE(sounds.empty());
        } else {
            ASSERT_EQ(screen.callbacks.size(), 1u);
            EXPECT_EQ(std::get<0>(screen.callbacks[0]), c.clickedIndex);
            EXPECT_EQ(countSounds(InterfaceSound::Click), 1);
        }
    }
}

TEST_F(GuiButtonBaseTest, OverlappingWidgetsTheFirstRegisteredWins)
{
    FakeWidget below(&screen, 1), above(&screen, 2);
    below.pointerOver = above.pointerOver = true;
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetHotButton(), &below);
    CGuiButtonBase::SetMouseButton(false, true);
    CGuiButtonBase::SetMouseButton(true, true);
    ASSERT_EQ(screen.callbacks.size(), 1u);
    EXPECT_EQ(std::get<0>(screen.callbacks[0]), 1);
}

TEST_F(GuiButtonBaseTest, IdsArePositionsAtCreationAndAreNeverRenumbered)
{
    auto a = std::make_unique<FakeWidget>(&screen, 0);
    auto b = std::make_unique<FakeWidget>(&screen, 1);
    auto c = std::make_unique<FakeWidget>(&screen, 2);
    EXPECT_EQ(std::vector<int>({a->GetId(), b->GetId(), c->GetId()}), std::vector<int>({0, 1, 2}));
    b.reset();
    FakeWidget d(&screen, 3);
    EXPECT_EQ(c->GetId(), 2);
    EXPECT_EQ(d.GetId(), 2);
    // A lookup by the shared id finds the first registered.
    hover(d);
    EXPECT_EQ(CGuiButtonBase::GetHotButton(), c.get());
    // Focus to an id nobody carries moves no pointer.
    c.reset();
    hover(*a);
    CGuiButtonBase::MoveFocus(false);
    EXPECT_EQ(CGuiButtonBase::GetHotId(), 1);
    EXPECT_EQ(a->warps + d.warps, 0);
}
