#include "screens/GuiButtonPowerup.h"
#include "screens/WidgetFixture.h"

using namespace corvelle_test;

namespace {

class GuiButtonPowerupTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        for (int n = 0; n < 3; ++n)
            registerPicture(("pu" + std::to_string(n) + ".png").c_str(), 30, 30, {90, 160, 40, 255});
    }

    // A sprite playing the three test frames once, a frame per update.
    static CSprite* animated()
    {
        auto* sprite = new CSprite(KIND_WIDGET_BASE, 1, false);
        sprite->addFrames("pu", 0, 2, ".png", 1);
        return sprite;
    }

    static void frame(int x, int y, bool down)
    {
        pointAt(x, y);
        CGuiButtonBase::SetMouseButton(!down, true);
        CGuiButtonBase::UpdateAll();
        CSprite::updateAll();
    }
};

} // namespace

// Armed, the button shows its rollover only once the base has played; a
// press sends the armed value once, plays the click and then the button
// lets go of its sprites. Unarmed it is never hot.
TEST_F(GuiButtonPowerupTest, OneClickSendsTheArmedValueAndDisarms)
{
    CGuiButtonPowerup button(100, 100, 9, &screen);
    frame(110, 110, false);
    EXPECT_EQ(CGuiButtonBase::GetHotId(), -1) << "unarmed";

    button.Arm(animated(), animated(), animated(), animated(), 4);
    EXPECT_TRUE(shown("GUI Powerup Button Base"));
    EXPECT_TRUE(shown("GUI Powerup Button Text"));
    EXPECT_FALSE(shown("GUI Powerup Button Rollover"));
    frame(110, 110, false);
    EXPECT_EQ(CGuiButtonBase::GetHotButton(), &button);
    EXPECT_FALSE(shown("GUI Powerup Button Rollover")) << "the base still plays";
    for (int i = 0; i < 8; ++i)
        frame(110, 110, false);
    EXPECT_TRUE(shown("GUI Powerup Button Rollover"));
    EXPECT_EQ(countSounds(InterfaceSound::Rollover), 1);

    frame(110, 110, true);
    frame(110, 110, false);
    frame(110, 110, true);
    ASSERT_EQ(screen.callbacks.size(), 1u);
    EXPECT_EQ(screen.callbacks[0], std::make_tuple(9, 4, false));
    EXPECT_TRUE(shown("GUI Powerup Button Click"));
    EXPECT_FALSE(shown("GUI Powerup Button Text"));
    for (int i = 0; i < 8; ++i)
        frame(110, 110, false);
    EXPECT_FALSE(button.IsArmed());
    EXPECT_TRUE(spritesNamed("GUI Powerup Button Click").empty());
    EXPECT_TRUE(spritesNamed("GUI Powerup Button Base").empty());
}
