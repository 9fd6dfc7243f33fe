// The in-game menu: its buttons per variant, its answers to the game screen,
// the screens it closes and the questions it asks first.

#include "levels/Level.h"
#include "levels/Profile.h"
#include "screens/ControllerInGame.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerScoreboard.h"
#include "screens/DialogFixture.h"

#include <SDL.h>

using namespace corvelle_test;

namespace {

using Menu = CControllerInGame;

class InGameTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerDialogPictures();
        CController::SetProfile(&profile_);
        level_.SetHeading("Fixture");
        level_.AddReplayKey(10, SDLK_RIGHT, false);
        level_.SetSolutionRecorded();
    }
    void TearDown() override
    {
        profile_.SetPassword("");
        CController::SetProfile(nullptr);
        WidgetTest::TearDown();
    }

    // The menu's frame as the stack runs it.
    static void frame()
    {
        CController::PumpCurrent();
        CGuiButtonBase::UpdateAll();
    }

    // Opens the menu over the recording screen; its first pump passes.
    void open(Menu& menu)
    {
        screen.LoadController(&menu);
        frame();
    }

    // The message box the menu opened answers; the menu then takes the
    // answer in its next pump.
    static void answer(bool yes)
    {
        ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
        CController::GetCurrent()->GUICallback(yes ? 1 : 0, 0, false);
        frame(); // the box closes
        // The menu takes the answer; its exit code stays to be read.
        CController::GetCurrent()->Pump();
    }

    CProfile profile_;
    CLevel level_;
};

TEST_F(InGameTest, EachVariantStacksItsButtonsWithoutGaps)
{
    struct Case {
        int variant;
        size_t buttons;
        int lastY;
    };
    const Case cases[] = {
        {Menu::VARIANT_SET_LEVEL, 10, 445}, {Menu::VARIANT_TUTORIAL, 9, 415}, {Menu::VARIANT_NO_SET, 9, 415}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        Menu menu(c.variant, &level_);
        std::vector<CSprite*> bases = spritesNamed("GUI Button Base");
        ASSERT_EQ(bases.size(), c.buttons);
        EXPECT_EQ(bases.front()->getY(false), 175);
        EXPECT_EQ(bases.back()->getY(false), c.lastY);
        EXPECT_EQ(Menu::HasButton(c.variant, Menu::BUTTON_SCORES), c.variant == Menu::VARIANT_SET_LEVEL);
        EXPECT_EQ(Menu::HasButton(c.variant, Menu::BUTTON_MANAGER), c.variant == Menu::VARIANT_NO_SET);
    }
    EXPECT_TRUE(spritesNamed("GUI Button Base").empty());
}

TEST_F(InGameTest, AnswersAndExitCodes)
{
    struct Case {
        const char* what;
        int button; // -1: Escape; -2: the letter r; -3: the letter u
        int exitCode;
        int answer;
    };
    const Case cases[] = {
        {"resume", Menu::BUTTON_RESUME, 1, Menu::ANSWER_RESUME},
        {"escape", -1, 1, Menu::ANSWER_RESUME},
        {"restart", Menu::BUTTON_RESTART, 1, Menu::ANSWER_RESTART},
        {"r", -2, 1, Menu::ANSWER_RESTART},
        {"undo", Menu::BUTTON_UNDO, 1, Menu::ANSWER_UNDO},
        {"u", -3, 1, Menu::ANSWER_UNDO},
        {"map", Menu::BUTTON_MAP, 2, Menu::ANSWER_RESUME},
        {"main menu", Menu::BUTTON_MAIN_MENU, 3, Menu::ANSWER_RESUME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Menu menu(Menu::VARIANT_SET_LEVEL, &level_);
        open(menu);
        const int keys[] = {SDLK_ESCAPE, SDLK_r, SDLK_u};
        if (c.button >= 0)
            menu.GUICallback(c.button, 0, false);
        else
            menu.InputKey(false, keys[-c.button - 1]);
        EXPECT_EQ(menu.GetExitCode(), c.exitCode);
        EXPECT_EQ(menu.GetReturnValue(), c.answer);
    }
}

TEST_F(InGameTest, QuitAskedNoRebuildsTheMenuAndYesEndsTheProgram)
{
    Menu menu(Menu::VARIANT_NO_SET, &level_);
    open(menu);
    menu.GUICallback(Menu::BUTTON_QUIT, 0, false);
    EXPECT_TRUE(spritesNamed("InGame Controller (INGAME_LSPRITE_BACKGROUND)").empty());
    answer(false);
    EXPECT_EQ(CController::GetCurrent(), &menu);
    EXPECT_EQ(menu.GetExitCode(), 0);
    EXPECT_TRUE(shown("InGame Controller (INGAME_LSPRITE_BACKGROUND)"));

    menu.GUICallback(Menu::BUTTON_QUIT, 0, false);
    answer(true);
    EXPECT_EQ(menu.GetExitCode(), EXIT_QUIT);
}

TEST_F(InGameTest, TheSolutionIsAskedForAndFreeWithoutAPasswordOrOnATutorial)
{
    struct Case {
        const char* what;
        int variant;
        const char* password;
    };
    const Case cases[] = {{"no password", Menu::VARIANT_SET_LEVEL, ""},
                          {"tutorial with a password", Menu::VARIANT_TUTORIAL, "secret"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profile_.SetPassword(c.password);
        Menu menu(c.variant, &level_);
        open(menu);
        menu.GUICallback(Menu::BUTTON_SOLUTION, 0, false);
        answer(true);
        EXPECT_EQ(menu.GetExitCode(), 1);
        EXPECT_EQ(menu.GetReturnValue(), Menu::ANSWER_SOLUTION);
        CController::resetStackForTesting();
        screen.Activate(nullptr);
    }
}

// Without a recorded solution there is nothing to show: a notice says so,
// asks no password, and OK sends the player back to the level.
TEST_F(InGameTest, ALevelWithoutASolutionSaysSoAndGoesOn)
{
    profile_.SetPassword("secret");
    CLevel unsolved;
    Menu menu(Menu::VARIANT_SET_LEVEL, &unsolved);
    open(menu);
    menu.GUICallback(Menu::BUTTON_SOLUTION, 0, false);
    auto* notice = dynamic_cast<CControllerMessage*>(CController::GetCurrent());
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->IsQuestion());
    answer(true);
    EXPECT_EQ(menu.GetExitCode(), 1);
    EXPECT_EQ(menu.GetReturnValue(), Menu::ANSWER_RESUME);
}

TEST_F(InGameTest, AGuardedSolutionWantsThePassword)
{
    for (const char* look : {"mainbig", "mainsmall", "textbox"})
        registerPicture((std::string("profile_entername_") + look + ".png").c_str(), 400, 200, {90, 90, 90, 255});
    registerPicture("profilenternamecursor.png", 2, 20, {0, 0, 0, 255});
    for (const char* kind : {"okay", "cancel"})
        for (const char* look : {"base", "shadow", "rollover"})
            registerPicture((std::string("profile_button_") + kind + look + ".png").c_str(), 80, 40,
                            {90, 90, 90, 255});
    for (int n = 0; n <= 5; ++n)
        registerPicture(("password_invalid" + std::to_string(n) + ".png").c_str(), 100, 20, {200, 0, 0, 255});
    profile_.SetPassword("secret");

    for (bool entered : {false, true}) {
        SCOPED_TRACE(entered ? "entered" : "cancelled");
        Menu menu(Menu::VARIANT_SET_LEVEL, &level_);
        open(menu);
        menu.GUICallback(Menu::BUTTON_SOLUTION, 0, false);
        answer(true);
        ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
        CController* entry = CController::GetCurrent();
        if (entered) {
            for (char c : std::string("secret"))
                entry->InputKey(false, c);
            entry->InputKey(false, SDLK_RETURN);
        } else {
            entry->InputKey(false, SDLK_ESCAPE);
        }
        frame(); // the entry closes
        CController::GetCurrent()->Pump();
        EXPECT_EQ(menu.GetExitCode(), entered ? 1 : 0);
        EXPECT_EQ(menu.GetReturnValue(), entered ? Menu::ANSWER_SOLUTION : Menu::ANSWER_RESUME);
        if (!entered) {
            EXPECT_TRUE(shown("InGame Controller (INGAME_LSPRITE_BACKGROUND)"));
        }
        CController::resetStackForTesting();
        screen.Activate(nullptr);
    }
}

TEST_F(InGameTest, HighScoresShowTheLevelsTableAndComeBackToTheMenu)
{
    registerScoreboardPictures();
    Menu menu(Menu::VARIANT_SET_LEVEL, &level_);
    open(menu);
    menu.GUICallback(Menu::BUTTON_SCORES, 0, false);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_SCOREBOARD);
    auto* board = static_cast<CControllerScoreboard*>(CController::GetCurrent());
    EXPECT_EQ(board->GetBoardType(), CControllerScoreboard::BOARD_IN_GAME);
    board->InputKey(false, SDLK_ESCAPE);
    frame(); // the board closes
    frame(); // the menu takes it back
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    EXPECT_EQ(menu.GetExitCode(), 0);
    EXPECT_TRUE(shown("InGame Controller (INGAME_LSPRITE_BACKGROUND)"));
}

} // namespace
