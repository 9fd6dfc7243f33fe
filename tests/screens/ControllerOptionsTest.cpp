#include "screens/ControllerOptions.h"
#include "screens/PlayerScreenFixture.h"

using namespace corvelle_test;

namespace {

using Options = CControllerOptions;

// Callback indexes of the minus and plus buttons of a slider row.
int minusOf(int row) { return 2 * row; }
int plusOf(int row) { return 2 * row + 1; }

class ControllerOptionsTest : public PlayerScreenTest
{
};

} // namespace

TEST_F(ControllerOptionsTest, SlidersStopAtBothEndsAndSetTheProfile)
{
    auto options = open<Options>();
    struct Case {
        int row;
        int (CProfile::*read)() const;
    } cases[] = {
        {Options::ROW_GAME_SPEED, &CProfile::GetPlaySpeed},
        {Options::ROW_SOUND, &CProfile::GetSoundVolume},
        {Options::ROW_MUSIC, &CProfile::GetMusicVolume},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        int start = options->GetSliderValue(c.row);
        EXPECT_EQ(start, (profile.get()->*c.read)());
        options->GUICallback(plusOf(c.row), 0, false);
        EXPECT_EQ((profile.get()->*c.read)(), std::min(start + 1, 11));
        for (int i = 0; i < 15; ++i)
            options->GUICallback(plusOf(c.row), 0, false);
        EXPECT_EQ(options->GetSliderValue(c.row), 11);
        EXPECT_EQ((profile.get()->*c.read)(), 11);
        for (int i = 0; i < 15; ++i)
            options->GUICallback(minusOf(c.row), 0, false);
        EXPECT_EQ(options->GetSliderValue(c.row), 0);
        EXPECT_EQ((profile.get()->*c.read)(), 0);
    }
}

TEST_F(ControllerOptionsTest, ThePointerSpeedIsGreyWhileThePointerIsFree)
{
    profile->SetFreeMouse(false);
    profile->SetMouseSpeed(1.4f);
    auto options = open<Options>();
    EXPECT_FALSE(options->IsSliderGreyed(Options::ROW_MOUSE_SPEED));
    EXPECT_EQ(options->GetSliderValue(Options::ROW_MOUSE_SPEED), 8);
    options->GUICallback(plusOf(Options::ROW_MOUSE_SPEED), 0, false);
    EXPECT_FLOAT_EQ(profile->GetMouseSpeed(), 1.7f);

    // The free-pointer box greys the slider; its buttons then do nothing.
    options->GUICallback(20, 1, false);
    EXPECT_TRUE(profile->IsFreeMouse());
    EXPECT_TRUE(options->IsSliderGreyed(Options::ROW_MOUSE_SPEED));
    options->GUICallback(minusOf(Options::ROW_MOUSE_SPEED), 0, false);
    EXPECT_EQ(options->GetSliderValue(Options::ROW_MOUSE_SPEED), 9);

    options->GUICallback(20, 0, false);
    EXPECT_FALSE(options->IsSliderGreyed(Options::ROW_MOUSE_SPEED));
    options->GUICallback(minusOf(Options::ROW_MOUSE_SPEED), 0, false);
    EXPECT_FLOAT_EQ(profile->GetMouseSpeed(), 1.4f);

    // A speed that is no step of the table shows as the first step and
    // stays in force.
    EXPECT_EQ(Options::MouseSpeedStep(1.3f), 0);
    EXPECT_EQ(Options::MouseSpeedStep(3.0f), 11);
}

TEST_F(ControllerOptionsTest, CheckBoxesSetThePlayOptionsAndDefaultsBringThemBack)
{
    auto options = open<Options>();
    struct Case {
        int callback;
        int box;
        bool (CProfile::*read)() const;
    } cases[] = {
        {21, Options::BOX_FULLSCREEN, &CProfile::IsFullscreen},
        {22, Options::BOX_STORY, &CProfile::GetShowStory},
        {23, Options::BOX_STEP_COUNTER, &CProfile::GetShowStepCounter},
        {24, Options::BOX_TUTORIALS, &CProfile::GetPlayTutorials},
    };
    for (const Case& c : cases) {
        options->GUICallback(c.callback, 0, false);
        EXPECT_FALSE((profile.get()->*c.read)()) << c.callback;
    }
    options->GUICallback(20, 0, false);
    options->GUICallback(plusOf(Options::ROW_MUSIC), 0, false);

    options->GUICallback(103, 0, false); // Defaults
    for (const Case& c : cases) {
        EXPECT_TRUE((profile.get()->*c.read)()) << c.callback;
        EXPECT_TRUE(options->IsChecked(c.box)) << c.callback;
    }
    EXPECT_TRUE(options->IsChecked(Options::BOX_FREE_MOUSE));
    EXPECT_EQ(options->GetSliderValue(Options::ROW_MOUSE_SPEED), 5);
    EXPECT_TRUE(options->IsSliderGreyed(Options::ROW_MOUSE_SPEED));
    EXPECT_EQ(options->GetSliderValue(Options::ROW_MUSIC), 6);
    EXPECT_EQ(profile->GetMusicVolume(), 6);
}

TEST_F(ControllerOptionsTest, BackAndEscapeSaveTheProfileAndClose)
{
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "escape" : "back");
        auto options = open<Options>();
        options->GUICallback(plusOf(Options::ROW_GAME_SPEED), 0, false);
        int speed = profile->GetPlaySpeed();
        if (escape)
            press(*options, SDLK_ESCAPE);
        else
            options->GUICallback(102, 0, false);
        EXPECT_EQ(options->GetExitCode(), 1);
        // A fresh profile object reads what was written.
        CController::SetProfile(nullptr);
        profile = std::make_unique<CProfile>();
        CController::SetProfile(profile.get());
        EXPECT_EQ(profile->GetPlaySpeed(), speed);
        profile->SetPlaySpeed(3);
        options.reset();
    }
}
