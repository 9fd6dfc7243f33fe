// The game with the level editor opened over its root screen, for the
// whole-program tests of the editor (see support/GameRun.h).
#include "editor/ControllerEditor.h"
#include "game/Game.h"
#include "screens/ControllerIntro.h"

#include <memory>

int main(int argc, char** argv)
{
    return runCorvelle(argc, argv, [](CControllerIntro& root) {
        root.OpenChild(std::make_unique<CControllerEditor>(), "Editor");
    });
}
