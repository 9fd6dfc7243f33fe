#include "engine/Draw.h"
#include "screens/ControllerProfiles.h"
#include "screens/GuiListbox.h"
#include "screens/PlayerScreenFixture.h"

using namespace corvelle_test;

namespace {

class ControllerProfilesTest : public PlayerScreenTest
{
protected:
    // The names in the order the list shows them.
    std::vector<std::string> listed(const CControllerProfiles& screen) const
    {
        std::vector<std::string> names;
        for (int row = 0; row < screen.GetList()->GetRowCount(); ++row)
            names.push_back(screen.GetList()->GetText(row, 0));
        return names;
    }
};

} // namespace

TEST_F(ControllerProfilesTest, NamesAreListedInOrderWhateverTheirCase)
{
    for (const char* name : {"bob", "Alice", "Carl", "alice", "Bob"})
        ASSERT_TRUE(profile->AddProfile(name)) << name;
    auto screen = open<CControllerProfiles>();
    // Names equal but for case keep the order they were made in.
    EXPECT_EQ(listed(*screen), (std::vector<std::string>{"Alice", "alice", "bob", "Bob", "Carl", "PLAYER 1"}));
    // The list opens on the current player, the one added last.
    EXPECT_EQ(screen->GetList()->GetSelectedIndex(), 3);
    EXPECT_EQ(screen->GetSelectedNumber(), profile->GetCurrentProfileNumber());
}

TEST_F(ControllerProfilesTest, TheSelectedNumberFollowsTheListAndChoosingClosesTheScreen)
{
    for (const char* name : {"bob", "Alice", "Carl", "Dora", "Eve"})
        profile->AddProfile(name);
    auto screen = open<CControllerProfiles>();
    press(*screen, SDLK_HOME);
    EXPECT_EQ(screen->GetSelectedNumber(), profile->FindProfileNumber("Alice"));
    press(*screen, SDLK_PAGEDOWN);
    EXPECT_EQ(screen->GetSelectedNumber(), profile->FindProfileNumber("Eve"));
    press(*screen, SDLK_UP);
    screen->GUICallback(CControllerProfiles::BUTTON_DOWN, 0, false);
    screen->GUICallback(CControllerProfiles::BUTTON_UP, 0, false);
    EXPECT_EQ(screen->GetSelectedNumber(), profile->FindProfileNumber("Dora"));
    press(*screen, SDLK_END);
    EXPECT_EQ(screen->GetList()->GetText(screen->GetList()->GetSelectedIndex(), 0), "PLAYER 1");
    EXPECT_EQ(screen->GetExitCode(), 0) << "Escape and moving never close the screen";
    press(*screen, SDLK_ESCAPE);
    EXPECT_EQ(screen->GetExitCode(), 0);

    // A double click on a row chooses that player.
    screen->GUICallback(CControllerProfiles::LIST, profile->FindProfileNumber("bob"), true);
    EXPECT_EQ(screen->GetExitCode(), 1);
    EXPECT_STREQ(profile->GetProfileNameByNumber(-1), "bob");
}

TEST_F(ControllerProfilesTest, ThePanelIsDrawnOnACopyAndOnlyTheCopyIsReleased)
{
    int panel = CDraw::findImageId("profile_select_main.png");
    ASSERT_GE(panel, 0);
    SDL_Surface* before = SDL_ConvertSurface(CDraw::getImageSurface(panel), CDraw::getImageSurface(panel)->format, 0);
    {
        auto screen = open<CControllerProfiles>();
        EXPECT_GE(CDraw::findImageId("baseProfiles.png"), 0);
    }
    EXPECT_EQ(CDraw::findImageId("baseProfiles.png"), -1);
    // The shared picture is still there, untouched, for the next opening.
    ASSERT_EQ(CDraw::findImageId("profile_select_main.png"), panel);
    SDL_Surface* after = CDraw::getImageSurface(panel);
    ASSERT_EQ(after->h * after->pitch, before->h * before->pitch);
    EXPECT_EQ(memcmp(after->pixels, before->pixels, after->h * after->pitch), 0);
    SDL_FreeSurface(before);
    auto again = open<CControllerProfiles>();
    EXPECT_GE(CDraw::findImageId("baseProfiles.png"), 0);
}
