#include "screens/GuiButton.h"
#include "screens/WidgetFixture.h"

#include <string>

using namespace corvelle_test;

namespace {

const char* const BASE = "GUI Button Base";
const char* const ROLLOVER = "GUI Button Rollover";
const char* const CLICK = "GUI Button Click";
const char* const SHADOW = "GUI Button Shadow";
const char* const TEXT = "GUI Button Text";
const char* const DISABLE = "GUI Button Disable";

class GuiButtonTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerPicture("b_base.png", 80, 30, {20, 60, 230, 255});
        registerPicture("b_roll.png", 80, 30, {30, 200, 60, 255});
        registerPicture("b_click.png", 80, 30, {220, 40, 30, 255});
        registerPicture("b_shadow.png", 80, 30, {0, 0, 0, 128});
        registerPicture("b_text.png", 40, 10, {240, 220, 20, 255});
        registerPicture("b_off.png", 80, 30, {90, 90, 90, 200});
    }

    // One frame: the button's state reported, then the widgets updated.
    static void frame(int x, int y, bool down)
    {
        pointAt(x, y);
        CGuiButtonBase::SetMouseButton(!down, true);
        CGuiButtonBase::UpdateAll();
    }

    static std::pair<int, int> at(const char* name)
    {
        CSprite& s = spriteNamed(name);
        return {s.getX(false), s.getY(false)};
    }
};

} // namespace

TEST_F(GuiButtonTest, LooksFollowThePointerAndTheLeftButton)
{
    for (bool withClickImage : {false, true}) {
        SCOPED_TRACE(withClickImage ? "with a click image" : "without a click image");
        sounds.clear();
        screen.callbacks.clear();
        CGuiButton button(100, 100, 5, &screen, "b_base.png", "b_shadow.png", "b_roll.png",
                          withClickImage ? "b_click.png" : nullptr, false, 2, 2);
        button.SetText("b_text.png", 10, 5, 1, 0, 2, 2);
        EXPECT_EQ(at(SHADOW), std::make_pair(102, 102));

        const int pressedAt = withClickImage ? 100 : 102;
        struct Step {
            const char* name;
            int x, y;
            bool down;
            bool base, rollover, click;
            int rolloverAt; // x and y of the rollover while it shows
            std::pair<int, int> text;
            int rolloverSounds, clicks;
        } steps[] = {
            {"away", 0, 0, false, true, false, false, 0, {110, 105}, 0, 0},
            {"over", 120, 110, false, false, true, false, 100, {111, 105}, 1, 0},
            {"still over", 179, 129, false, false, true, false, 100, {111, 105}, 1, 0},
            {"pressed", 150, 110, true, false, !withClickImage, withClickImage, pressedAt, {112, 107}, 1, 0},
            {"released", 150, 110, false, false, true, false, 100, {111, 105}, 1, 1},
            {"away again", 300, 300, false, true, false, false, 0, {110, 105}, 1, 1},
            {"pressed away", 300, 300, true, true, false, false, 0, {110, 105}, 1, 1},
            {"slides on pressed", 150, 110, true, false, !withClickImage, withClickImage, pressedAt, {112, 107}, 2, 1},
            {"released on it", 150, 110, false, false, true, false, 100, {111, 105}, 2, 2},
            {"pressed on it", 150, 110, true, false, !withClickImage, withClickImage, pressedAt, {112, 107}, 2, 2},
            {"slides off", 300, 300, true, true, false, false, 0, {110, 105}, 2, 2},
            {"released away", 300, 300, false, true, false, false, 0, {110, 105}, 2, 2},
        };
        for (const Step& s : steps) {
            SCOPED_TRACE(s.name);
            frame(s.x, s.y, s.down);
            EXPECT_EQ(shown(BASE), s.base);
            EXPECT_EQ(shown(ROLLOVER), s.rollover);
            if (withClickImage) {
                EXPECT_EQ(shown(CLICK), s.click);
            }
            if (s.rollover) {
                EXPECT_EQ(at(ROLLOVER), std::make_pair(s.rolloverAt, s.rolloverAt));
            }
            EXPECT_TRUE(shown(SHADOW));
            EXPECT_EQ(at(TEXT), s.text);
            EXPECT_EQ(countSounds(InterfaceSound::Rollover), s.rolloverSounds);
            EXPECT_EQ(static_cast<int>(screen.callbacks.size()), s.clicks);
            EXPECT_EQ(countSounds(InterfaceSound::Click), s.clicks);
            EXPECT_EQ(CGuiButtonBase::GetHotButton() == &button, !s.base);
        }
        EXPECT_EQ(screen.callbacks.back(), std::make_tuple(5, 0, false));
    }
}

TEST_F(GuiButtonTest, MovingStraightOntoAnotherButtonPlaysItsRolloverOnce)
{
    CGuiButton left(100, 100, 1, &screen, "b_base.png", nullptr, "b_roll.png", nullptr, false, 0, 0);
    CGuiButton right(181, 100, 2, &screen, "b_base.png", nullptr, "b_roll.png", nullptr, false, 0, 0);
    frame(150, 110, false);
    frame(200, 110, false);
    frame(210, 110, false);
    EXPECT_EQ(countSounds(InterfaceSound::Rollover), 2);
    EXPECT_EQ(CGuiButtonBase::GetHotButton(), &right);
}

TEST_F(GuiButtonTest, ADisabledButtonIsDrawnButInert)
{
    CGuiButton button(100, 100, 3, &screen, "b_base.png", "b_shadow.png", "b_roll.png", nullptr, true, 2, 2);
    button.SetText("b_text.png", 10, 5, 0, 0, 0, 0);
    button.SetDisableImage("b_off.png", 0, 0);
    EXPECT_FALSE(shown(DISABLE));

    button.Enable(); // never disabled: nothing changes
    EXPECT_FALSE(button.IsHidden());
    EXPECT_FALSE(shown(DISABLE));

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "disabled" : "disabled again");
        button.Disable();
        button.Hide(); // no effect on a disabled button's look
        button.Show(); // nor this: it stays inert
        for (const char* name : {BASE, SHADOW, TEXT, DISABLE})
            EXPECT_TRUE(shown(name)) << name;
        EXPECT_FALSE(shown(ROLLOVER));
        EXPECT_TRUE(button.IsHidden());

        frame(120, 110, false);
        EXPECT_EQ(CGuiButtonBase::GetHotId(), -1);
        CGuiButtonBase::ClickAll(1); // default, but disabled
        CGuiButtonBase::MoveFocus(false);
        EXPECT_EQ(CGuiButtonBase::GetHotId(), -1);
        EXPECT_TRUE(screen.callbacks.empty());

        button.Enable();
        EXPECT_FALSE(button.IsHidden());
        EXPECT_FALSE(shown(DISABLE));
        frame(120, 110, false);
        EXPECT_EQ(CGuiButtonBase::GetHotButton(), &button);
        pointAt(0, 0);
    }
}

TEST_F(GuiButtonTest, MovingAndReplacingImagesKeepsTheOffsets)
{
    CGuiButton button(100, 100, 3, &screen, "b_base.png", "b_shadow.png", "b_roll.png", "b_click.png", false, 4, 3);
    button.SetText("b_text.png", 10, 5, 1, 1, 2, 2);
    button.SetDisableImage("b_off.png", -5, -6);
    button.SetPosition(300, 200);
    EXPECT_EQ(at(BASE), std::make_pair(300, 200));
    EXPECT_EQ(at(ROLLOVER), std::make_pair(300, 200));
    EXPECT_EQ(at(CLICK), std::make_pair(300, 200));
    EXPECT_EQ(at(SHADOW), std::make_pair(304, 203));
    EXPECT_EQ(at(TEXT), std::make_pair(310, 205));
    EXPECT_EQ(at(DISABLE), std::make_pair(295, 194));
    EXPECT_EQ(button.GetCenterX(), 340);
    EXPECT_EQ(button.GetCenterY(), 215);

    button.SetBaseImage("b_click.png");
    button.SetRolloverImage("b_base.png");
    EXPECT_EQ(at(BASE), std::make_pair(300, 200));
    EXPECT_TRUE(shown(BASE));
    EXPECT_FALSE(shown(ROLLOVER));
    EXPECT_EQ(CDraw::getImageName(spriteNamed(BASE).getFrameSurface(0)), std::string("b_click.png"));

    button.SetText(nullptr, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(spritesNamed(TEXT).empty());
}

TEST_F(GuiButtonTest, KeyboardFocusPutsThePointerOnTheButton)
{
    CGuiButton first(100, 100, 1, &screen, "b_base.png", nullptr, "b_roll.png", nullptr, false, 0, 0);
    CGuiButton second(300, 400, 2, &screen, "b_base.png", nullptr, "b_roll.png", nullptr, false, 0, 0);
    frame(140, 115, false);
    SDL_Event drop;
    while (SDL_PollEvent(&drop)) {
    }

    CController::InputGuiKey(&screen, false, SDLK_DOWN, false, false);
    CController::InputGuiKey(&screen, false, SDLK_RETURN, false, false);
    ASSERT_EQ(screen.callbacks.size(), 1u) << "Return right after an arrow clicks the newly focused button";
    EXPECT_EQ(std::get<0>(screen.callbacks[0]), 2);

    CInput::ProcessEvents(&screen);
    EXPECT_EQ(CInput::GetMouseX(), 340);
    EXPECT_EQ(CInput::GetMouseY(), 415);
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetHotButton(), &second);
}
