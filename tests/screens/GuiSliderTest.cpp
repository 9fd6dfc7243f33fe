#include "screens/GuiSlider.h"
#include "screens/WidgetFixture.h"

using namespace corvelle_test;

namespace {

constexpr int BAR_WIDTH = 130;

class GuiSliderTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerPicture("slider_shadow.png", 140, 24, {0, 0, 0, 100});
        registerPicture("slider_frame.png", 140, 24, {90, 60, 30, 255});
        registerPicture("slider_value.png", BAR_WIDTH, 20, {40, 160, 40, 255});
        registerPicture("slider_greyout.png", 160, 24, {128, 128, 128, 160});
    }

    static int barWidth() { return spriteNamed("GUI Slider Base").getWidth(false); }
    static bool greyShown() { return shown("GUI Slider Gray"); }
};

} // namespace

TEST_F(GuiSliderTest, TheBarWidthFollowsTheValue)
{
    CGuiSlider slider(395, 200);
    EXPECT_EQ(slider.GetValue(), 11);
    EXPECT_EQ(spriteNamed("GUI Slider Gray").getX(false), 377);
    const int widths[] = {0, 12, 22, 32, 42, 52, 62, 72, 82, 92, 102, BAR_WIDTH};
    for (int v = 0; v <= 11; ++v) {
        slider.SetValue(v);
        EXPECT_EQ(barWidth(), widths[v]) << "value " << v;
    }
}

TEST_F(GuiSliderTest, StepsStayWithinTheRangeAndStopWhileGreyed)
{
    CGuiSlider slider(395, 200);
    struct Step {
        const char* name;
        void (*act)(CGuiSlider&);
        int value;
        bool greyed;
    } steps[] = {
        {"up at the top", [](CGuiSlider& s) { s.Increase(); }, 11, false},
        {"down", [](CGuiSlider& s) { s.Decrease(); }, 10, false},
        {"to the bottom", [](CGuiSlider& s) { s.SetValue(0); }, 0, false},
        {"down at the bottom", [](CGuiSlider& s) { s.Decrease(); }, 0, false},
        {"up", [](CGuiSlider& s) { s.Increase(); }, 1, false},
        {"greyed", [](CGuiSlider& s) { s.SetGreyed(true); }, 1, true},
        {"up while greyed", [](CGuiSlider& s) { s.Increase(); }, 1, true},
        {"down while greyed", [](CGuiSlider& s) { s.Decrease(); }, 1, true},
        {"set while greyed", [](CGuiSlider& s) { s.SetValue(7); }, 7, true},
        {"not greyed", [](CGuiSlider& s) { s.SetGreyed(false); }, 7, false},
        {"set beyond the top", [](CGuiSlider& s) { s.SetValue(15); }, 15, false},
        {"up from beyond", [](CGuiSlider& s) { s.Increase(); }, 11, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.act(slider);
        EXPECT_EQ(slider.GetValue(), s.value);
        EXPECT_EQ(greyShown(), s.greyed);
    }
    EXPECT_EQ(barWidth(), BAR_WIDTH);
}
