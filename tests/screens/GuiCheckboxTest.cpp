#include "screens/GuiCheckbox.h"
#include "screens/WidgetFixture.h"

using namespace corvelle_test;

namespace {

const char* const UNCHECKED = "GUI Checkbox Unchecked";
const char* const UNCHECKED_ROLLOVER = "GUI Checkbox Unchecked Rollover";
const char* const CHECKED = "GUI Checkbox Checked";
const char* const CHECKED_ROLLOVER = "GUI Checkbox Checked Rollover";

class GuiCheckboxTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerPicture("checkbox_base.png", 30, 30, {200, 200, 200, 255});
        registerPicture("checkbox_rollover.png", 30, 30, {220, 220, 120, 255});
        registerPicture("checkbox_basecheck.png", 30, 30, {40, 160, 40, 255});
        registerPicture("checkbox_rollovercheck.png", 30, 30, {60, 220, 60, 255});
    }

    // Which of the four sprites show, in the order above.
    static std::vector<bool> looks()
    {
        return {shown(UNCHECKED), shown(UNCHECKED_ROLLOVER), shown(CHECKED), shown(CHECKED_ROLLOVER)};
    }
};

} // namespace

TEST_F(GuiCheckboxTest, ClicksToggleAndReportTheNewState)
{
    CGuiCheckbox box(200, 100, 21, &screen);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(looks(), (std::vector<bool>{false, false, true, false}));

    struct Step {
        const char* name;
        int x, y;
        bool down;
        std::vector<bool> looks;
        int rolloverAt;
        int rolloverSounds;
        std::vector<std::tuple<int, int, bool>> callbacks;
    } steps[] = {
        {"over", 215, 115, false, {false, false, false, true}, 200, 1, {}},
        {"pressed", 215, 115, true, {false, false, false, true}, 202, 1, {}},
        // The click shows the new state's rollover; the pointer never left,
        // so the rollover sound does not play again.
        {"released: unchecked", 215, 115, false, {false, true, false, false}, 200, 1, {{21, 0, false}}},
        {"away", 0, 0, false, {true, false, false, false}, 0, 1, {{21, 0, false}}},
        {"pressed away", 0, 0, true, {true, false, false, false}, 0, 1, {{21, 0, false}}},
        {"slides on", 229, 129, true, {false, true, false, false}, 202, 2, {{21, 0, false}}},
        {"released: checked", 229, 129, false, {false, false, false, true}, 200, 2, {{21, 0, false}, {21, 1, false}}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        pointAt(s.x, s.y);
        CGuiButtonBase::SetMouseButton(!s.down, true);
        CGuiButtonBase::UpdateAll();
        EXPECT_EQ(looks(), s.looks);
        const char* rollover = box.IsChecked() ? CHECKED_ROLLOVER : UNCHECKED_ROLLOVER;
        if (shown(rollover)) {
            EXPECT_EQ(spriteNamed(rollover).getX(false), s.rolloverAt);
            EXPECT_EQ(spriteNamed(rollover).getY(false), s.rolloverAt - 100);
        }
        EXPECT_EQ(countSounds(InterfaceSound::Rollover), s.rolloverSounds);
        EXPECT_EQ(screen.callbacks, s.callbacks);
    }
    EXPECT_EQ(countSounds(InterfaceSound::Click), 2);
}

TEST_F(GuiCheckboxTest, SetCheckedHideShowAndFocus)
{
    CGuiCheckbox box(200, 100, 20, &screen);
    box.SetChecked(false);
    EXPECT_EQ(looks(), (std::vector<bool>{true, false, false, false}));
    EXPECT_TRUE(screen.callbacks.empty());
    EXPECT_TRUE(sounds.empty());

    box.Hide();
    EXPECT_EQ(looks(), (std::vector<bool>{false, false, false, false}));
    box.SetChecked(true);
    EXPECT_EQ(looks(), (std::vector<bool>{false, false, false, false})) << "a hidden box stays hidden";
    pointAt(210, 110);
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetHotId(), -1);
    box.Show();
    EXPECT_EQ(looks(), (std::vector<bool>{false, false, true, false}));

    // Return clicks the focused box.
    pointAt(0, 0);
    CGuiButtonBase::UpdateAll();
    CController::InputGuiKey(&screen, false, SDLK_TAB, false, true);
    CController::InputGuiKey(&screen, false, SDLK_SPACE, false, true);
    EXPECT_EQ(screen.callbacks, (std::vector<std::tuple<int, int, bool>>{{20, 0, false}}));
    CInput::ProcessEvents(&screen);
    EXPECT_EQ(CInput::GetMouseX(), 215);
    EXPECT_EQ(CInput::GetMouseY(), 115);
}
