// The game with one of the player's own screens opened straight over its
// root screen, named by CORVELLE_PROBE_SCREEN ("options", "controls",
// "profiles", "instructions", "manager",
// "credits"). Whole-program tests drive it with input scripts until the
// menus that open these screens are there.
#include "game/Game.h"
#include "engine/Log.h"
#include "screens/ControllerCredits.h"
#include "screens/ControllerInstructions.h"
#include "screens/ControllerIntro.h"
#include "screens/ControllerManager.h"
#include "screens/ControllerOptions.h"
#include "screens/ControllerOptionsControls.h"
#include "screens/ControllerProfiles.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CController> makeScreen(const std::string& name)
{
    if (name == "options")
        return std::make_unique<CControllerOptions>();
    if (name == "controls")
        return std::make_unique<CControllerOptionsControls>();
    if (name == "profiles")
        return std::make_unique<CControllerProfiles>();
    if (name == "instructions")
        return std::make_unique<CControllerInstructions>(0);
    if (name == "manager")
        return std::make_unique<CControllerManager>();
    if (name == "credits")
        return std::make_unique<CControllerCredits>();
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    return runCorvelle(argc, argv, [](CControllerIntro& root) {
        const char* name = getenv("CORVELLE_PROBE_SCREEN");
        std::unique_ptr<CController> screen = makeScreen(name ? name : "");
        if (!screen) {
            logMessage(LOG_ERROR, "No probe screen named '%s'\n", name ? name : "");
            return;
        }
        root.OpenChild(std::move(screen), name);
    });
}
