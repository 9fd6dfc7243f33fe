#include "levels/ProfileTestSupport.h"
#include "screens/ControllerOptionsPassword.h"
#include "screens/GuiTextbox.h"
#include "screens/PlayerScreenFixture.h"

using namespace corvelle_test;

namespace {

using Password = CControllerOptionsPassword;

class ControllerOptionsPasswordTest : public PlayerScreenTest
{
protected:
    static void type(Password& dialog, const std::string& keys)
    {
        for (char c : keys) {
            bool upper = c >= 'A' && c <= 'Z';
            if (upper)
                dialog.InputModKey(false, SDLK_LSHIFT);
            press(dialog, upper ? c - 'A' + 'a' : c);
            if (upper)
                dialog.InputModKey(true, SDLK_LSHIFT);
        }
    }

    // Types the old password, Return to the new box, types the new one, OK.
    std::unique_ptr<Password> change(const std::string& oldText, const std::string& newText)
    {
        auto dialog = open<Password>(profile->GetPassword());
        type(*dialog, oldText);
        press(*dialog, SDLK_RETURN);
        EXPECT_EQ(dialog->GetFocus(), Password::FOCUS_NEW);
        type(*dialog, newText);
        dialog->GUICallback(Password::BUTTON_OK, 0, false);
        return dialog;
    }
};

} // namespace

TEST_F(ControllerOptionsPasswordTest, TheOldPasswordMustMatchExactly)
{
    // Without a password an empty old box is right.
    auto first = change("", "Secret9");
    EXPECT_EQ(first->GetExitCode(), 1);
    EXPECT_EQ(first->GetReturnValue(), 1);
    EXPECT_STREQ(profile->GetPassword(), "Secret9");
    first.reset();
    // Written to the header at once.
    CController::SetProfile(nullptr);
    profile = std::make_unique<CProfile>();
    CController::SetProfile(profile.get());
    EXPECT_STREQ(profile->GetPassword(), "Secret9");

    for (const char* wrong : {"secret9", "SECRET9", "Secret", "", "Secret99"}) {
        SCOPED_TRACE(wrong);
        auto dialog = change(wrong, "other");
        EXPECT_EQ(dialog->GetExitCode(), 0);
        EXPECT_EQ(dialog->GetReturnValue(), 0);
        EXPECT_STREQ(dialog->GetOldBox()->GetText(), "") << "the old box is emptied";
        EXPECT_STREQ(dialog->GetNewBox()->GetText(), "other") << "the new box keeps its text";
        EXPECT_EQ(dialog->GetFocus(), Password::FOCUS_OLD);
        EXPECT_TRUE(dialog->IsWarningShown());
        EXPECT_STREQ(profile->GetPassword(), "Secret9");
    }
    // Nine characters are stored whole (the header's field keeps its
    // terminator); a tenth key is not taken.
    auto last = change("Secret9", "ABCDEFGHIJK");
    EXPECT_STREQ(profile->GetPassword(), "ABCDEFGHI");
}

TEST_F(ControllerOptionsPasswordTest, CancelAndEscapeChangeNothing)
{
    profile->SetPassword("abc");
    for (bool escape : {false, true}) {
        auto dialog = open<Password>(profile->GetPassword());
        type(*dialog, "abc");
        if (escape)
            press(*dialog, SDLK_ESCAPE);
        else
            dialog->GUICallback(Password::BUTTON_CANCEL, 0, false);
        EXPECT_EQ(dialog->GetExitCode(), 1);
        EXPECT_EQ(dialog->GetReturnValue(), 0);
        EXPECT_STREQ(profile->GetPassword(), "abc");
    }
}

TEST_F(ControllerOptionsPasswordTest, TheWarningStandsThenFades)
{
    profile->SetPassword("abc");
    auto dialog = change("x", "y");
    for (int frame = 1; frame < Password::WARNING_FRAMES; ++frame)
        dialog->Pump();
    EXPECT_TRUE(dialog->IsWarningShown());
    // A second wrong try starts the count again.
    dialog->GUICallback(Password::BUTTON_OK, 0, false);
    EXPECT_TRUE(dialog->IsWarningShown());
}
