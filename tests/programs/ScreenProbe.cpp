// The game with a probe screen opened over its root screen: one image
// button in the middle of the screen that logs its clicks, and the key "m"
// that opens the map over it, as the main menu's Play does. With
// CORVELLE_PLAY_LEVEL naming a level of the player's level folder, the game
// screen plays that level in its place; with CORVELLE_PLAY_SOLUTION set too,
// the probe screen opens the game screen from its first frame, as the map
// does, to play the level's recorded solution back. With
// CORVELLE_PROBE_STORY=<number> the probe opens that story's screen instead.
// Whole-program tests drive it with input scripts (see support/GameRun.h).
#include "engine/Draw.h"
#include "game/Game.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "levels/Level.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerIntro.h"
#include "screens/ControllerMap.h"
#include "screens/ControllerStory.h"
#include "screens/GuiButton.h"

#include "ProbeButton.h"

#include <cstdlib>
#include <memory>

namespace {

struct Picture {
    const char* name;
    Uint8 r, g, b;
};
const Picture PICTURES[] = {
    {"probe_button.png", 40, 60, 200},
    {"probe_button_rollover.png", 40, 200, 60},
    {"probe_button_click.png", 200, 40, 40},
};

class ProbeScreen : public CController
{
public:
    static constexpr int BUTTON = 7;

    // With a level, the first frame opens the game screen on it, playing its
    // solution back.
    explicit ProbeScreen(CLevel* solutionLevel = nullptr) : CController(900), solutionLevel_(solutionLevel)
    {
        for (const Picture& p : PICTURES) {
            SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, PROBE_BUTTON.size.width, PROBE_BUTTON.size.height,
                                                        32, 0xFF0000, 0xFF00, 0xFF, 0);
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, p.r, p.g, p.b));
            CDraw::LoadSurface(surface, p.name);
        }
        makeButton();
    }

    ~ProbeScreen() override
    {
        game_.reset();
        map_.reset();
        button_.reset();
        for (const Picture& p : PICTURES)
            CDraw::releaseImage(p.name);
    }

    void GUICallback(int index, int, bool) override
    {
        if (index == BUTTON)
            logMessage(LOG_MILESTONE, "Probe screen:  button clicked\n");
    }

    void InputKey(bool released, int key) override
    {
        if (key == SDLK_m && !released) {
            // Like the main menu, the probe leaves the whole screen to the map.
            button_.reset();
            LogLoadingController("Map");
            map_ = std::make_unique<CControllerMap>();
            LoadController(map_.get());
            return;
        }
        if (!InputScreenCapture(released, key))
            InputGuiKey(this, released, key, true, true);
    }

    void Pump() override
    {
        if (solutionLevel_) {
            button_.reset();
            LogLoadingController("Game");
            game_ = std::make_unique<CControllerGame>(solutionLevel_, false, true, false);
            solutionLevel_ = nullptr;
            LoadController(game_.get());
            return;
        }
        if (TakeClosedChildId() == CONTROLLER_MAP) {
            logMessage(LOG_MILESTONE, "Probe screen:  map closed with %i\n", map_->GetReturnValue());
            map_.reset();
            makeButton();
            return;
        }
        ProcessInput();
        CGuiButtonBase::UpdateAll();
        CMousePointer::Tick();
        // A closing screen leaves no sprites behind for the shut-down report.
        if (GetExitCode() != 0)
            button_.reset();
    }

private:
    void makeButton()
    {
        button_ = std::make_unique<CGuiButton>(PROBE_BUTTON.x, PROBE_BUTTON.y, BUTTON, this, PICTURES[0].name, nullptr,
                                               PICTURES[1].name, PICTURES[2].name, false, 0, 0);
    }

    std::unique_ptr<CGuiButton> button_;
    std::unique_ptr<CControllerMap> map_;
    CLevel* solutionLevel_ = nullptr;
    std::unique_ptr<CControllerGame> game_;
};

} // namespace

int main(int argc, char** argv)
{
    // The level outlives the screens: the game screen never owns it.
    CLevel level;
    return runCorvelle(argc, argv, [&level](CControllerIntro& root) {
        const char* levelName = std::getenv("CORVELLE_PLAY_LEVEL");
        const char* story = std::getenv("CORVELLE_PROBE_STORY");
        const bool loaded = levelName && level.LoadFile(levelName);
        if (loaded && std::getenv("CORVELLE_PLAY_SOLUTION"))
            root.OpenChild(std::make_unique<ProbeScreen>(&level), "Probe");
        else if (loaded)
            root.OpenChild(std::make_unique<CControllerGame>(&level, false, false, false), "Game");
        else if (story)
            root.OpenChild(std::make_unique<CControllerStory>(std::atoi(story)), "Story");
        else
            root.OpenChild(std::make_unique<ProbeScreen>(), "Probe");
    });
}
