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
    std::vector<std::string> listed(const CControllerProfiles& profiles) const
    {
        std::vector<std::string> names;
        for (int row = 0; row < profiles.GetList()->GetRowCount(); ++row)
            names.push_back(profiles.GetList()->GetText(row, 0));
        return names;
    }
};

} // namespace

TEST_F(ControllerProfilesTest, NamesAreListedInOrderWhateverTheirCase)
{
    for (const char* name : {"bob", "Alice", "Carl", "alice", "Bob"})
        ASSERT_TRUE(profile->AddProfile(name)) << name;
    auto profiles = open<CControllerProfiles>();
    // Names equal but for case keep the order they were made in.
    EXPECT_EQ(listed(*profiles), (std::vector<std::string>{"Alice", "alice", "bob", "Bob", "Carl", "PLAYER 1"}));
    // The list opens on the current player, the one added last.
    EXPECT_EQ(profiles->GetList()->GetSelectedIndex(), 3);
    EXPECT_EQ(profiles->GetSelectedNumber(), profile->GetCurrentProfileNumber());
}

TEST_F(ControllerProfilesTest, TheSelectedNumberFollowsTheListAndChoosingClosesTheScreen)
{
    for (const char* name : {"bob", "Alice", "Carl", "Dora", "Eve"})
        profile->AddProfile(name);
    auto profiles = open<CControllerProfiles>();
    press(*profiles, SDLK_HOME);
    EXPECT_EQ(profiles->GetSelectedNumber(), profile->FindProfileNumber("Alice"));
    press(*profiles, SDLK_PAGEDOWN);
    EXPECT_EQ(profiles->GetSelectedNumber(), profile->FindProfileNumber("Eve"));
    press(*profiles, SDLK_UP);
    profiles->GUICallback(CControllerProfiles::BUTTON_DOWN, 0, false);
    profiles->GUICallback(CControllerProfiles::BUTTON_UP, 0, false);
    EXPECT_EQ(profiles->GetSelectedNumber(), profile->FindProfileNumber("Dora"));
    press(*profiles, SDLK_END);
    EXPECT_EQ(profiles->GetList()->GetText(profiles->GetList()->GetSelectedIndex(), 0), "PLAYER 1");
    EXPECT_EQ(profiles->GetExitCode(), 0) << "Escape and moving never close the screen";
    press(*profiles, SDLK_ESCAPE);
    EXPECT_EQ(profiles->GetExitCode(), 0);

    // A double click on a row chooses that player.
    profiles->GUICallback(CControllerProfiles::LIST, profile->FindProfileNumber("bob"), true);
    EXPECT_EQ(profiles->GetExitCode(), 1);
    EXPECT_STREQ(profile->GetProfileNameByNumber(-1), "bob");
}

TEST_F(ControllerProfilesTest, ThePanelIsDrawnOnACopyAndOnlyTheCopyIsReleased)
{
    int panel = CDraw::findImageId("profile_select_main.png");
    ASSERT_GE(panel, 0);
    SDL_Surface* before = SDL_ConvertSurface(CDraw::getImageSurface(panel), CDraw::getImageSurface(panel)->format, 0);
    {
        auto profiles = open<CControllerProfiles>();
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
