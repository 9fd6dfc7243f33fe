#pragma once

#include "screens/WidgetFixture.h"

#include <string>

namespace corvelle_test {

// Stand-ins for the pictures of the dialogs and the in-game menu, at the
// sizes of the real ones, so buttons land where players click them.
inline void registerDialogPictures()
{
    const Rgba grey{90, 90, 90, 255};
    registerPicture("dimmer.png", 800, 600, {0, 0, 0, 120});
    registerPicture("confirmation_parch.png", 500, 424, grey);
    registerPicture("parchment_confirmation.png", 140, 96, grey);
    registerPicture("parchment_professor.png", 686, 554, grey);
    registerPicture("mapstar_explain.png", 402, 290, grey);
    for (const char* kind : {"okay", "cancel"})
        for (const char* look : {"base", "shadow", "roll"})
            registerPicture((std::string("confirmation_button") + kind + look + ".png").c_str(), 80, 40, grey);
    for (const char* look : {"base", "select", "resumetext", "restarttext", "undotext", "solutiontext",
                             "instructionstext", "settingstext", "scorestext", "maptext", "managertext", "maintext",
                             "quittext"})
        registerPicture((std::string("krvl_button_") + look + ".png").c_str(), 186, 28, grey);
    for (int n = 0; n < 60; ++n)
        registerPicture(("star_base" + std::to_string(n) + ".png").c_str(), 20, 28, grey);
}

// Stand-ins for the pictures of the text-entry dialogs (names, password).
inline void registerTextEntryPictures()
{
    registerPicture("dimmer.png", 800, 600, {0, 0, 0, 100});
    registerPicture("profile_entername_mainbig.png", 376, 180, {230, 210, 170, 255});
    registerPicture("profile_entername_mainsmall.png", 234, 122, {230, 210, 170, 255});
    registerPicture("profile_entername_textbox.png", 180, 28, {255, 255, 255, 255});
    registerPicture("profilenternamecursor.png", 2, 19, {0, 0, 0, 255});
    for (const char* button : {"okay", "cancel"})
        for (const char* part : {"base", "shadow", "rollover"})
            registerPicture((std::string("profile_button_") + button + part + ".png").c_str(), 76, 32,
                            {40, 160, 40, 255});
    for (const char* marker : {"scoreboard_user_invalid", "password_invalid"})
        for (int n = 0; n <= 5; ++n)
            registerPicture((marker + std::to_string(n) + ".png").c_str(), 300, 30, {200, 40, 40, 255});
}

// Stand-ins for the pictures of the score boards.
inline void registerScoreboardPictures()
{
    const Rgba paper{240, 220, 180, 255};
    registerPicture("parchment.png", 686, 554, paper);
    for (const char* name : {"title", "headings", "tablebar", "highlighter1", "highlighter2", "arrow1", "arrow2",
                             "textshow"})
        registerPicture((std::string("hiscores_") + name + ".png").c_str(), 40, 20, paper);
    for (const char* button : {"download", "submit", "regular", "advanced", "kids"})
        for (const char* part : {"base", "shadow", "roll", "rollover"})
            registerPicture((std::string("hiscores_button_") + button + part + ".png").c_str(), 90, 40, paper);
    for (const char* name : {"victory", "caught", "singed", "tutorial"})
        registerPicture((std::string("parchment_") + name + ".png").c_str(), 120, 120, paper);
    for (const char* look : {"retrytext", "undotextB", "selecttext", "continuetext", "backmenutext"})
        registerPicture((std::string("krvl_button_") + look + ".png").c_str(), 186, 28, paper);
}

} // namespace corvelle_test
