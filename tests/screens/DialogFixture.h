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

} // namespace corvelle_test
