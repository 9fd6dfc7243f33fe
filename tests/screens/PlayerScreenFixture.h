#pragma once

#include "levels/Profile.h"
#include "levels/ProfileTestSupport.h"
#include "screens/DialogFixture.h"
#include "screens/InstructionPages.h"

#include <memory>
#include <set>
#include <string>

namespace corvelle_test {

// Stand-ins for the pictures of the player's own screens, at the sizes of
// the real ones, so buttons land where players click them.
inline void registerPlayerScreenPictures()
{
    registerDialogPictures();
    const Rgba grey{90, 90, 90, 255};
    registerPicture("parchment.png", 686, 554, grey);
    for (const char* look : {"defaulttext", "controlstext", "passwordtext", "backmenutext", "savetext", "canceltext"})
        registerPicture((std::string("krvl_button_") + look + ".png").c_str(), 186, 28, grey);
    for (const char* part : {"shadow", "frame", "value"})
        registerPicture((std::string("slider_") + part + ".png").c_str(), 112, 18, grey);
    registerPicture("slider_greyout.png", 152, 20, grey);
    for (const char* sign : {"minus", "plus"})
        for (const char* look : {"base", "shadow", "rollover"})
            registerPicture((std::string("slider_button_") + sign + look + ".png").c_str(), 17, 18, grey);
    for (const char* look : {"base", "rollover", "basecheck", "rollovercheck"})
        registerPicture((std::string("checkbox_") + look + ".png").c_str(), 24, 24, grey);
    for (const char* look : {"base", "shadow", "rollover"})
        registerPicture((std::string("optionscontrolsinput") + look + ".png").c_str(), 130, 30, grey);
    registerPicture("optionscontrolscursor.png", 3, 18, grey);
    registerPicture("password_entry.png", 170, 36, grey);
    registerPicture("profilenternamecursor.png", 2, 19, grey);
    for (int n = 0; n <= 5; ++n)
        registerPicture(("options_password_invalid" + std::to_string(n) + ".png").c_str(), 136, 30, grey);
    registerPicture("profile_select_main.png", 236, 290, grey);
    for (int n = 0; n < 18; ++n)
        registerPicture(("krvl_button_class" + std::to_string(n) + "text.png").c_str(), 186, 28, grey);
    std::set<std::string> pagePictures = {"parchment_tutorial.png"};
    for (int page = FIRST_COMPOSED_INSTRUCTION_PAGE; page <= LAST_INSTRUCTION_PAGE; ++page) {
        InstructionPage layout = instructionPage(page);
        for (int i = 0; i < layout.pictureCount; ++i)
            pagePictures.insert(layout.pictures[i].name);
    }
    for (const std::string& name : pagePictures)
        registerPicture(name.c_str(), 20, 20, grey);
    registerPicture("mainmenu_background.jpg", 800, 600, grey);
    registerPicture("mainmenu_smoke2.png", 100, 100, grey);
    registerPicture("mainmenu_volcanofront.png", 100, 100, grey);
    registerPicture("levelmanager_main.png", 790, 578, grey);
    registerPicture("levelmanager_listbox.jpg", 413, 446, grey);
    registerPicture("levelmanager_selector.png", 405, 19, grey);
    for (const char* part : {"namebase", "namerollover", "datebase", "daterollover", "dateshadow", "arrow1base",
                             "arrow1rollover", "arrow2base", "arrow2rollover", "arrowshadow", "playbase",
                             "playrollover", "playshadow", "removebase", "removerollover", "morelevelsbase",
                             "morelevelsrollover", "resetbase", "resetrollover", "resetshadow", "mapbase",
                             "maprollover", "mainmenubase", "mainmenurollover"})
        registerPicture((std::string("levelmanager_button_") + part + ".png").c_str(), 110, 34, grey);
    for (const char* word : {"prev", "next", "done"})
        for (const char* look : {"base", "shadow", "rollover", "fade"})
            registerPicture((std::string("story_button") + word + look + ".png").c_str(), 100, 36, grey);
    registerPicture("profile_select_listbox.png", 166, 100, grey);
    registerPicture("profile_select_selector.png", 161, 21, grey);
    for (const char* word : {"up", "down", "select", "delete", "rename", "add"})
        for (const char* look : {"base", "shadow", "rollover"})
            registerPicture((std::string("profile_button_") + word + look + ".png").c_str(), 80, 32, grey);
}

// A widget test with the player's profile handed to the screens.
class PlayerScreenTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerPlayerScreenPictures();
        // Each test starts with the first-run profile "PLAYER 1".
        profile_test::removeProfileFiles();
        profile = std::make_unique<CProfile>();
        CController::SetProfile(profile.get());
    }

    void TearDown() override
    {
        CController::SetProfile(nullptr);
        profile.reset();
        WidgetTest::TearDown();
    }

    // Opens the screen over the recording screen, as a parent would.
    template <class Screen, class... Args>
    std::unique_ptr<Screen> open(Args&&... args)
    {
        auto child = std::make_unique<Screen>(std::forward<Args>(args)...);
        screen.LoadController(child.get());
        return child;
    }

    // A key press and its release, through the screen's own handler.
    static void press(CController& target, int key)
    {
        target.InputKey(false, key);
        target.InputKey(true, key);
    }

    std::unique_ptr<CProfile> profile;
};

} // namespace corvelle_test
