// The dialog base on a dialog of two boxes, OK and Cancel: the focus ring
// and its wrap, Tab and the arrows, Return and Escape, key repeat and the
// pointer's part in the focus.
#include "engine/FontSystem.h"
#include "screens/ControllerDialog.h"
#include "screens/GuiButton.h"
#include "screens/GuiTextbox.h"
#include "screens/WidgetFixture.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

using namespace corvelle_test;

namespace {

constexpr int BOX_X = 100, FIRST_BOX_Y = 100, SECOND_BOX_Y = 160;
constexpr int OK_X = 100, CANCEL_X = 300, BUTTON_Y = 300;
// The stops of the ring, in order; NOWHERE is no box and no button.
enum Stop { FIRST_BOX, SECOND_BOX, OK, CANCEL, NOWHERE = -1 };

class TwoBoxDialog : public CControllerDialog
{
public:
    TwoBoxDialog(ReturnKey returnKey, bool okIsDefault) : CControllerDialog(CONTROLLER_TEXT_ENTRY)
    {
        for (int y : {FIRST_BOX_Y, SECOND_BOX_Y})
            boxes_.push_back(std::make_unique<CGuiTextbox>(20, BOX_X, y, 6, 4, "dialog_box.png", "dialog_cursor.png",
                                                           true, true, false));
        ok_ = std::make_unique<CGuiButton>(OK_X, BUTTON_Y, BUTTON_OK, this, "dialog_button.png", nullptr,
                                           "dialog_button.png", nullptr, okIsDefault, 0, 0);
        cancel_ = std::make_unique<CGuiButton>(CANCEL_X, BUTTON_Y, BUTTON_CANCEL, this, "dialog_button.png", nullptr,
                                               "dialog_button.png", nullptr, false, 0, 0);
        SetRing({boxes_[0].get(), boxes_[1].get()}, {ok_.get(), cancel_.get()}, returnKey);
        FocusStop(FIRST_BOX);
    }
    ~TwoBoxDialog() override { ClearRing(); }

    void GUICallback(int index, int, bool) override { answers.push_back(index); }

    int stop() const { return GetFocusStop(); }
    std::string text(int box) const { return boxes_[box]->GetText(); }
    void stopRepeat() { StopKeyRepeat(); }

    std::vector<int> answers;

private:
    std::vector<std::unique_ptr<CGuiTextbox>> boxes_;
    std::unique_ptr<CGuiButton> ok_, cancel_;
};

class ControllerDialogTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
        registerPicture("dialog_box.png", 180, 28, {255, 255, 255, 255});
        registerPicture("dialog_cursor.png", 2, 19, {0, 0, 0, 255});
        registerPicture("dialog_button.png", 76, 32, {40, 160, 40, 255});
    }
    void TearDown() override
    {
        dialog.reset();
        CFontSystem::Shutdown();
        WidgetTest::TearDown();
    }

    TwoBoxDialog& open(CControllerDialog::ReturnKey returnKey = CControllerDialog::ReturnKey::NextStop,
                       bool okIsDefault = false)
    {
        dialog.reset();
        dialog = std::make_unique<TwoBoxDialog>(returnKey, okIsDefault);
        screen.LoadController(dialog.get());
        dialog->Pump();
        return *dialog;
    }

    void press(int key, bool shift = false)
    {
        if (shift)
            dialog->InputModKey(false, SDLK_LSHIFT);
        dialog->InputKey(false, key);
        dialog->InputKey(true, key);
        if (shift)
            dialog->InputModKey(true, SDLK_LSHIFT);
        dialog->Pump();
    }

    // The pointer moved onto (x, y), as the game reports it.
    void moveTo(int x, int y)
    {
        pointAt(x, y);
        dialog->Pump();
        dialog->InputMouseMotion(x, y);
    }

    std::unique_ptr<TwoBoxDialog> dialog;
};

} // namespace

TEST_F(ControllerDialogTest, TabAndTheArrowsGoRoundTheBoxesThenTheButtons)
{
    struct Step {
        int key;
        bool shift;
        int stop;
    };
    const Step steps[] = {
        {SDLK_TAB, false, SECOND_BOX}, {SDLK_DOWN, false, OK},   {SDLK_RIGHT, false, CANCEL},
        {SDLK_TAB, false, FIRST_BOX},  {SDLK_UP, false, CANCEL}, {SDLK_LEFT, false, OK},
        {SDLK_TAB, true, SECOND_BOX},  {SDLK_TAB, true, FIRST_BOX}, {SDLK_TAB, true, CANCEL},
    };
    TwoBoxDialog& d = open();
    ASSERT_EQ(d.stop(), FIRST_BOX);
    for (const Step& step : steps) {
        press(step.key, step.shift);
        EXPECT_EQ(d.stop(), step.stop) << "key " << step.key << (step.shift ? " with Shift" : "");
    }
    EXPECT_EQ(d.text(FIRST_BOX) + d.text(SECOND_BOX), "") << "focus keys type nothing";
    EXPECT_TRUE(d.answers.empty());
}

TEST_F(ControllerDialogTest, WithNoStopFocusedForwardStartsAtTheFirstAndBackAtTheLast)
{
    for (bool backwards : {false, true}) {
        TwoBoxDialog& d = open();
        moveTo(OK_X + 10, BUTTON_Y + 10);
        ASSERT_EQ(d.stop(), OK) << "the pointer took the focus from the boxes";
        moveTo(700, 550);
        ASSERT_EQ(d.stop(), NOWHERE);
        press(SDLK_TAB, backwards);
        EXPECT_EQ(d.stop(), backwards ? CANCEL : FIRST_BOX);
    }
}

TEST_F(ControllerDialogTest, ReturnMovesFromBoxToBoxToOkAndThenClicks)
{
    TwoBoxDialog& d = open();
    press(SDLK_a);
    press(SDLK_RETURN);
    EXPECT_EQ(d.stop(), SECOND_BOX);
    press(SDLK_b);
    press(SDLK_RETURN);
    EXPECT_EQ(d.stop(), OK);
    EXPECT_TRUE(d.answers.empty()) << "reaching OK does not click it";
    EXPECT_EQ(d.text(FIRST_BOX), "a");
    EXPECT_EQ(d.text(SECOND_BOX), "b");
    press(SDLK_RETURN);
    EXPECT_EQ(d.answers, std::vector<int>{CControllerDialog::BUTTON_OK});

    // With the focus on the buttons but the pointer on none, Return only
    // sounds the empty click.
    moveTo(700, 550);
    press(SDLK_RETURN);
    EXPECT_EQ(d.answers.size(), 1u);
    EXPECT_EQ(countSounds(InterfaceSound::EmptyClick), 1);
}

TEST_F(ControllerDialogTest, ADialogWhoseReturnClicksAnswersOkFromItsBox)
{
    TwoBoxDialog& d = open(CControllerDialog::ReturnKey::Click, true);
    press(SDLK_RETURN);
    EXPECT_EQ(d.answers, std::vector<int>{CControllerDialog::BUTTON_OK}) << "the default button";
    EXPECT_EQ(d.stop(), FIRST_BOX);
}

TEST_F(ControllerDialogTest, EscapeAnswersCancelFromEveryStop)
{
    for (int stop : {FIRST_BOX, SECOND_BOX, OK, CANCEL}) {
        TwoBoxDialog& d = open();
        for (int i = 0; i < stop; ++i)
            press(SDLK_TAB);
        press(SDLK_ESCAPE);
        EXPECT_EQ(d.answers, std::vector<int>{CControllerDialog::BUTTON_CANCEL}) << "from stop " << stop;
    }
}

// A held key acts on its press, again on the 11th frame after it and then on
// every third; focus keys repeat as typing does.
TEST_F(ControllerDialogTest, AHeldKeyRepeatsOnTheEleventhFrameAndThenEveryThird)
{
    TwoBoxDialog& d = open();
    dialog->InputKey(false, SDLK_TAB);
    std::string stops;
    for (int frame = 1; frame <= 20; ++frame) {
        dialog->Pump();
        stops += std::to_string(d.stop());
    }
    EXPECT_EQ(stops, "11111111112223330001");
    dialog->InputKey(true, SDLK_TAB);
    for (int frame = 0; frame < 12; ++frame)
        dialog->Pump();
    EXPECT_EQ(d.stop(), SECOND_BOX) << "nothing repeats after the release";

    // A second key held takes over; a repeat stopped by the dialog stays
    // stopped although the key is still down.
    dialog->InputKey(false, SDLK_x);
    dialog->InputKey(false, SDLK_y);
    for (int frame = 0; frame < 11; ++frame)
        dialog->Pump();
    EXPECT_EQ(d.text(SECOND_BOX), "xyy");
    d.stopRepeat();
    for (int frame = 0; frame < 12; ++frame)
        dialog->Pump();
    EXPECT_EQ(d.text(SECOND_BOX), "xyy");
}

TEST_F(ControllerDialogTest, ThePointerOverABoxGivesItTheFocusAndOverAButtonTakesIt)
{
    TwoBoxDialog& d = open();
    moveTo(BOX_X + 10, SECOND_BOX_Y + 10);
    EXPECT_EQ(d.stop(), SECOND_BOX);
    press(SDLK_q);
    moveTo(CANCEL_X + 10, BUTTON_Y + 10);
    EXPECT_EQ(d.stop(), CANCEL);
    press(SDLK_w);
    EXPECT_EQ(d.text(FIRST_BOX), "");
    EXPECT_EQ(d.text(SECOND_BOX), "q") << "no box types while the focus is on a button";
    press(SDLK_RETURN);
    EXPECT_EQ(d.answers, std::vector<int>{CControllerDialog::BUTTON_CANCEL});
}
