// The text-entry dialogs: OK and Cancel, Return and Escape, key repeat,
// the focus cycle, the password check and the refusal marker.
#include "engine/FontSystem.h"
#include "engine/Input.h"
#include "screens/ControllerTextEntries.h"
#include "screens/GuiButtonBase.h"
#include "screens/GuiTextbox.h"
#include "screens/DialogFixture.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>

using namespace corvelle_test;

namespace {

class TextEntryTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
        registerTextEntryPictures();
    }
    void TearDown() override
    {
        CFontSystem::Shutdown();
        WidgetTest::TearDown();
    }

    // Opens the dialog over the test's screen.
    void open(CControllerTextEntryBase& dialog) { screen.LoadController(&dialog); }

    static void press(CControllerTextEntryBase& dialog, int key)
    {
        dialog.InputKey(false, key);
        dialog.InputKey(true, key);
    }

    static void typeWord(CControllerTextEntryBase& dialog, const std::string& word)
    {
        for (char c : word)
            press(dialog, c);
    }

    static std::string text(const CControllerTextEntryBase& dialog) { return dialog.GetTextbox()->GetText(); }
};

} // namespace

TEST_F(TextEntryTest, OkNeedsACharacterOtherThanASpace)
{
    CControllerProfileName dialog;
    open(dialog);
    dialog.GUICallback(CControllerTextEntryBase::BUTTON_OK, 0, false);
    press(dialog, SDLK_SPACE);
    press(dialog, SDLK_SPACE);
    press(dialog, SDLK_RETURN); // OK is the default button
    EXPECT_EQ(countSounds(InterfaceSound::EmptyClick), 2);
    EXPECT_EQ(dialog.GetExitCode(), 0);

    press(dialog, SDLK_a);
    press(dialog, SDLK_SPACE);
    press(dialog, SDLK_RETURN);
    EXPECT_EQ(dialog.GetExitCode(), 1);
    EXPECT_EQ(dialog.GetReturnValue(), 1);
    ASSERT_NE(dialog.GetEnteredText(), nullptr);
    EXPECT_EQ(std::string(dialog.GetEnteredText()), "  a ") << "the text as typed";
    EXPECT_FALSE(dialog.WasCancelled());
}

TEST_F(TextEntryTest, EscapeCancelsWhateverWasTyped)
{
    CControllerScoreboardName dialog(false);
    open(dialog);
    dialog.SetText("Ada");
    typeWord(dialog, "bc");
    press(dialog, SDLK_ESCAPE);
    EXPECT_EQ(dialog.GetExitCode(), 1);
    EXPECT_TRUE(dialog.WasCancelled());
    EXPECT_EQ(dialog.GetEnteredText(), nullptr);
    EXPECT_EQ(dialog.GetMarker(), nullptr) << "no refusal to show";
}

TEST_F(TextEntryTest, AHeldKeyRepeatsInTheTenthFrameAndThenEveryThird)
{
    CControllerProfileName dialog;
    open(dialog);
    std::string lengths;
    dialog.InputKey(false, SDLK_x);
    for (int frame = 0; frame <= 20; ++frame) {
        dialog.Pump();
        lengths += std::to_string(text(dialog).size());
    }
    // Frame 0 is the press: repeats in frames 10, 13, 16 and 19.
    EXPECT_EQ(lengths, "111111111122233344455");
    dialog.InputKey(true, SDLK_x);
    for (int frame = 0; frame < 12; ++frame)
        dialog.Pump();
    EXPECT_EQ(text(dialog), "xxxxx") << "nothing repeats after the release";
}

TEST_F(TextEntryTest, TabAndTheArrowsCycleTheBoxOkAndCancel)
{
    CControllerProfileName dialog;
    open(dialog);
    dialog.Pump();
    auto hotX = [&] {
        dialog.Pump();
        CGuiButtonBase* hot = CGuiButtonBase::GetHotButton();
        return hot ? hot->GetX() : -1;
    };
    ASSERT_TRUE(dialog.TextboxHasFocus());
    press(dialog, SDLK_TAB);
    EXPECT_EQ(hotX(), 325) << "OK";
    EXPECT_FALSE(dialog.TextboxHasFocus());
    press(dialog, SDLK_DOWN);
    EXPECT_EQ(hotX(), 407) << "Cancel";
    press(dialog, SDLK_RIGHT);
    EXPECT_EQ(hotX(), -1);
    EXPECT_TRUE(dialog.TextboxHasFocus());

    // Backwards: from the box to Cancel, then OK, then the box.
    dialog.InputModKey(false, SDLK_LSHIFT);
    press(dialog, SDLK_TAB);
    dialog.InputModKey(true, SDLK_LSHIFT);
    EXPECT_EQ(hotX(), 407);
    press(dialog, SDLK_UP);
    EXPECT_EQ(hotX(), 325);
    press(dialog, SDLK_LEFT);
    EXPECT_EQ(hotX(), -1);
    EXPECT_TRUE(dialog.TextboxHasFocus());
    EXPECT_EQ(text(dialog), "") << "focus keys type nothing";
}

TEST_F(TextEntryTest, AWrongPasswordEmptiesTheBoxAndShowsTheWarningUntilItFades)
{
    const char* expected = "Secret1";
    CControllerPassword dialog(expected);
    open(dialog);
    EXPECT_EQ(dialog.GetID(), CONTROLLER_PASSWORD);
    ASSERT_NE(dialog.GetMarker(), nullptr);
    EXPECT_FALSE(dialog.GetMarker()->IsShown());

    typeWord(dialog, "secret1"); // the case differs
    press(dialog, SDLK_RETURN);
    EXPECT_EQ(dialog.GetExitCode(), 0);
    EXPECT_EQ(text(dialog), "");
    EXPECT_TRUE(dialog.GetMarker()->IsShown());
    for (int frame = 0; frame < RefusalMarker::HOLD_FRAMES - 1; ++frame)
        dialog.Pump();
    EXPECT_FALSE(dialog.GetMarker()->IsFading());
    dialog.Pump();
    EXPECT_TRUE(dialog.GetMarker()->IsFading());

    // A second wrong try starts the warning again.
    press(dialog, SDLK_a);
    press(dialog, SDLK_RETURN);
    EXPECT_FALSE(dialog.GetMarker()->IsFading());

    dialog.InputModKey(false, SDLK_LSHIFT);
    press(dialog, SDLK_s);
    dialog.InputModKey(true, SDLK_LSHIFT);
    typeWord(dialog, "ecret1");
    press(dialog, SDLK_RETURN);
    EXPECT_EQ(dialog.GetExitCode(), 1);
    EXPECT_EQ(dialog.GetReturnValue(), 1);
}

TEST_F(TextEntryTest, AnOnlineNameReopenedAfterARefusalShowsTheWarningAtOnce)
{
    CControllerScoreboardName dialog(true);
    open(dialog);
    dialog.SetText("a_suggestion_longer_than_the_box");
    EXPECT_EQ(text(dialog), "a_suggestion_lo");
    ASSERT_NE(dialog.GetMarker(), nullptr);
    EXPECT_TRUE(dialog.GetMarker()->IsShown());
    for (int frame = 0; frame < RefusalMarker::HOLD_FRAMES; ++frame)
        dialog.Pump();
    EXPECT_TRUE(dialog.GetMarker()->IsFading());
}
