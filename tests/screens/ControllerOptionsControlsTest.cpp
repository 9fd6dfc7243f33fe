#include "screens/ControllerOptionsControls.h"
#include "screens/KeyNames.h"
#include "screens/PlayerScreenFixture.h"

using namespace corvelle_test;

namespace {

using Controls = CControllerOptionsControls;

class ControllerOptionsControlsTest : public PlayerScreenTest
{
};

} // namespace

TEST(KeyNamesTest, EveryKindOfKeyHasItsName)
{
    struct Case {
        int key;
        const char* name;
    } cases[] = {
        {'0', "0"},           {'9', "9"},          {'a', "A"},          {'z', "Z"},
        {256, "Numpad 0"},    {265, "Numpad 9"},   {282, "F1"},         {296, "F15"},
        {27, "Escape"},       {13, "Return"},      {9, "Tab"},          {32, "Spacebar"},
        {273, "Up Arrow"},    {276, "Lft Arrow"},  {304, "Lft Shift"},  {322, "Undo"},
        {0, "UNKNOWN"},       {160, "UNKNOWN"},    {-5, "UNKNOWN"},     {'A', "UNKNOWN"},
        {297, "UNKNOWN"},     {323, "UNKNOWN"},    {127, "Delete"},     {266, "NP Period"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyName(c.key), c.name) << c.key;
}

TEST_F(ControllerOptionsControlsTest, ACapturedKeyIsTakenFromTheBindingThatHeldIt)
{
    auto controls = open<Controls>();
    EXPECT_EQ(controls->GetBinding(0), 'r');
    EXPECT_EQ(controls->GetBinding(1), 'u');

    // Binding 0 takes "u", the undo key: undo is left unbound.
    controls->GUICallback(0, 0, false);
    EXPECT_EQ(controls->GetWaiting(), 0);
    press(*controls, 'u');
    EXPECT_EQ(controls->GetBinding(0), 'u');
    EXPECT_EQ(controls->GetBinding(1), 0);
    EXPECT_EQ(controls->GetWaiting(), Controls::NO_BINDING);

    // Escape and Return are keys like any other while a field waits; the
    // screen stays open.
    controls->GUICallback(2, 0, false);
    press(*controls, SDLK_ESCAPE);
    EXPECT_EQ(controls->GetBinding(2), SDLK_ESCAPE);
    EXPECT_EQ(controls->GetExitCode(), 0);
    controls->GUICallback(3, 0, false);
    press(*controls, SDLK_RETURN);
    EXPECT_EQ(controls->GetBinding(3), SDLK_RETURN);

    // A key without a name is bound all the same.
    controls->GUICallback(15, 0, false);
    press(*controls, 160);
    EXPECT_EQ(controls->GetBinding(15), 160);

    // Clicking a second field while one waits: the second waits instead.
    controls->GUICallback(4, 0, false);
    controls->GUICallback(5, 0, false);
    EXPECT_EQ(controls->GetWaiting(), 5);
    EXPECT_EQ(controls->GetBinding(4), SDLK_UP);

    // Nothing reached the profile before Save.
    EXPECT_EQ(profile->GetKey(0), 'r');
    controls->GUICallback(101, 0, false);
    EXPECT_EQ(controls->GetExitCode(), 1);
    EXPECT_EQ(profile->GetKey(0), 'u');
    EXPECT_EQ(profile->GetKey(1), 0);
    EXPECT_EQ(profile->GetKey(2), SDLK_ESCAPE);
    EXPECT_EQ(profile->GetKey(5), SDLK_DOWN) << "the waiting field kept its key";
}

TEST_F(ControllerOptionsControlsTest, CancelAndEscapeDropTheChangesDefaultsActAtOnce)
{
    profile->SetKey(2, 'a');
    {
        auto controls = open<Controls>();
        controls->GUICallback(0, 0, false);
        press(*controls, 'x');
        press(*controls, SDLK_ESCAPE);
        EXPECT_EQ(controls->GetExitCode(), 1);
    }
    EXPECT_EQ(profile->GetKey(0), 'r');
    {
        auto controls = open<Controls>();
        EXPECT_EQ(controls->GetBinding(2), 'a');
        controls->GUICallback(100, 0, false);
        EXPECT_EQ(controls->GetBinding(2), SDLK_LEFT);
        controls->GUICallback(102, 0, false);
    }
    EXPECT_EQ(profile->GetKey(2), SDLK_LEFT) << "Cancel does not undo Defaults";
}

TEST_F(ControllerOptionsControlsTest, TheCursorBlinksOnTheWaitingField)
{
    auto controls = open<Controls>();
    controls->Pump();
    EXPECT_FALSE(controls->IsCursorShown());
    controls->GUICallback(9, 0, false);
    std::string pattern;
    for (int frame = 0; frame < 25; ++frame) {
        controls->Pump();
        pattern += controls->IsCursorShown() ? '#' : '.';
    }
    EXPECT_EQ(pattern, "#######.........########.");
}
