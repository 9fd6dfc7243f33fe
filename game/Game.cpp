#include "game/Game.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Input.h"
#include "engine/InputScript.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/PreloadLists.h"
#include "engine/Parameters.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/SpriteReport.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "online/ScoreServer.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Random.h"
#include "screens/ControllerIntro.h"
#include "screens/GuiButtonBase.h"
#include "world/Element.h"
#include "world/ElementTutorial.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>
#include <memory>

int parseStartMask(int argc, char** argv)
{
    if (argc != 2)
        return 0;
    return atoi(argv[1]);
}

long maxFramesFromEnvironment()
{
    const char* value = getenv("CORVELLE_MAX_FRAMES");
    if (!value)
        return 0;
    long frames = atol(value);
    return frames > 0 ? frames : 0;
}

namespace {

void startLogging()
{
    initLogChannels(false);
    enableLogChannel(LOG_NOTE);
    enableLogChannel(LOG_WARNING);
    enableLogChannel(LOG_ERROR);
    applyLogChannelsFromEnvironment();
}

// The service objects that live for the whole run, in order of construction;
// shut-down destroys them in reverse order.
struct Services {
    std::unique_ptr<CProfile> profile;
    std::unique_ptr<CDraw> display;
    std::unique_ptr<CRender> renderer;
    std::unique_ptr<CInput> input;
    std::unique_ptr<CMousePointer> pointer;
    std::unique_ptr<CControllerIntro> intro;
};

// How the profile puts its settings into effect. Each module adds its own
// entry points as it comes up; the pointer grab is SDL's own.
void registerProfileServices()
{
    ProfileServices services;
    services.grabInput = [](bool grab) { SDL_WM_GrabInput(grab ? SDL_GRAB_ON : SDL_GRAB_OFF); };
    services.toggleFullscreen = &CDraw::toggleFullscreen;
    services.hasScreen = &CDraw::hasScreen;
    services.setEffectsVolume = &CSound::setEffectsVolume;
    services.setMusicVolume = &CSound::setMusicVolume;
    services.setRelativeMouse = &CInput::SetRelativeMouse;
    services.setMouseSpeed = &CInput::SetMouseSpeed;
    setProfileServices(services);
}

// Every module that reads the player's settings gets the one profile.
void handOverProfile(CProfile* profile)
{
    CController::SetProfile(profile);
    CElement::SetProfile(profile);
    CInput::SetFullscreenToggle([profile] { profile->ToggleFullscreen(); });
    CDraw::setFullscreenSource([profile] { return profile->IsFullscreen(); });
}

// A sprite's text frame: the entry filled with the text, or the entry's own
// text when there is none.
SDL_Surface* renderSpriteText(int width, int height, int align, int stringNumber, const char* text)
{
    if (text)
        return CFontSystem::RenderStringWrapped(width, height, align, stringNumber, text);
    return CFontSystem::RenderStringEx(width, height, align, stringNumber);
}

// A tutorial box's text goes onto the box picture as any screen draws text.
void drawTutorialText(int stringNumber, int image, int layout, int wrapWidth, int heightLimit, int x, int y,
                      const char* text)
{
    CFontSystem::DrawString(stringNumber, image, layout, wrapWidth, heightLimit, x, y, text);
}

// The text table and its fonts, which lie in the game folder.
void startFonts()
{
    const char* fontFolder = "./";
    const char* stringFile = "resource5.dat";
    logMessage(LOG_DEBUG, "Loading FONT1_URL:  %s\n", fontFolder);
    logMessage(LOG_DEBUG, "Loading FONT2_URL:  %s\n", stringFile);
    CFontSystem::Init(fontFolder, stringFile);
    CSprite::setTextRenderer(renderSpriteText);
    CElementTutorial::SetTextDrawer(drawTutorialText);
}

// The renderer and the depth order treat some screens in their own way.
int currentScreenId()
{
    CController* screen = CController::GetCurrent();
    return screen ? screen->GetID() : -1;
}

// A save cut short by a kill leaves its temporary file behind; start-up
// removes those of our own saves, and nothing else, from the folders we
// save into.
void removeSaveLeftovers()
{
    int removed = AtomicFile::removeLeftovers(getProfileDirectory(), [](const std::string& name) {
        return CProfileBase::IsSavedFileName(name) || CSound::isSettingsFileName(name);
    });
    removed += AtomicFile::removeLeftovers(getLevelsDirectory(), &CLevel::IsLevelFileName);
    if (removed > 0)
        logMessage(LOG_NOTE, "Removed %i temporary files of interrupted saves\n", removed);
}

void startScoreClient()
{
    std::string url = ScoreServer::configuredBaseUrl();
    logMessage(LOG_DEBUG, "Loading SCOREBOARD_URL:  %s\n", url.c_str());
    ScoreServer::setBaseUrl(url);
    ScoreServer::resetTables();
}

// Start-up, in its fixed order, up to the window. Each step names the
// service it brings up.
void startUp(int argc, char** argv, Services& services)
{
    gameSrand(static_cast<unsigned>(time(nullptr)));
    int mask = parseStartMask(argc, argv);
    startLogging();
    CDraw::setDeveloperMode(false);
    CSound::setLoadFromDirectory(false);
    LoadParameters();
    initDirectories();
    removeSaveLeftovers();
    startFonts();
    if (!(mask & MASK_NO_SOUND))
        CSound::init((mask & MASK_ASK_SOUND) != 0);
    registerProfileServices();
    services.profile = std::make_unique<CProfile>();
    handOverProfile(services.profile.get());
    if (mask & MASK_WINDOW)
        services.profile->SetFullscreen(false);
    services.display = std::make_unique<CDraw>();
    services.renderer = std::make_unique<CRender>();
    CRender::setControllerIdSource(&currentScreenId);
    services.input = std::make_unique<CInput>();
    CInput::SetMouseButtonHook(&CGuiButtonBase::SetMouseButton);
    // The saved pointer settings (grab, free or held pointer, speed) need the
    // window and the input module, so they are put into effect only now.
    services.profile->ApplyMouseSettings();
}

// Start-up after the window is open: the logged loading phases, then the
// root screen.
void loadResources(Services& services)
{
    CDraw::setLoadAllowance(preloadListProgress() + CSound::loadProgressToCome() + CLevelSet::loadProgressToCome());
    logMessage(LOG_MILESTONE, "ID_000:  INIT:  Image Load Started\n");
    CDraw::preloadImages();
    logMessage(LOG_MILESTONE, "ID_000:  INIT:  Image Load Completed\n");
    // Both sound loaders return at once while sound is off.
    logMessage(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Started\n");
    CSound::loadAll();
    CSound::createMusicTracks();
    logMessage(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Completed\n");
    logMessage(LOG_MILESTONE, "ID_002:  INIT:  Level Load Started\n");
    CLevelSet::loadAll();
    logMessage(LOG_MILESTONE, "ID_002:  INIT:  Level Load Completed\n");
    logMessage(LOG_MILESTONE, "ID_003:  INIT:  Miscellaneous Load Started\n");
    CController::LoadSounds();
    services.pointer = std::make_unique<CMousePointer>();
    startScoreClient();
    services.intro = std::make_unique<CControllerIntro>();
    services.intro->Activate(nullptr);
    logMessage(LOG_MILESTONE, "ID_003:  INIT:  Miscellaneous Load Completed\n");
}

// Frames a run limited by CORVELLE_MAX_FRAMES may take to close its screens
// after the limit before the loop stops regardless.
constexpr long CLOSING_FRAMES = 100;

void quitAtFrameLimit(long frame, long maxFrames)
{
    if (maxFrames == 0 || frame < maxFrames)
        return;
    if (frame == maxFrames) {
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    } else if (frame == maxFrames + CLOSING_FRAMES) {
        logMessage(LOG_WARNING, "The screens did not close within %li frames of the frame limit\n", CLOSING_FRAMES);
        CController::GetCurrent()->SetExitCode(EXIT_QUIT);
    }
}

void runMainLoop(InputScript* script)
{
    const long maxFrames = maxFramesFromEnvironment();
    for (long frame = 1; CController::IsRunning(); ++frame) {
        if (script)
            script->runFrame();
        quitAtFrameLimit(frame, maxFrames);
        CController::PumpCurrent();
        CMousePointer::Update();
        CSound::update();
        CRender::Render(true);
        CDraw::present(true, true);
    }
}

void shutDown(Services& services)
{
    CController::UnloadSounds();
    CLevelSet::freeAll();
    CFontSystem::Shutdown();
    // Every sprite but the mouse pointer's should be gone with its owner by now.
    reportLiveSprites(LOG_DEBUG, "main()", false);
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    services.intro.reset();
    services.pointer.reset();
    services.input.reset();
    services.renderer.reset();
    services.display.reset();
    services.profile.reset();
}

} // namespace

int runCorvelle(int argc, char** argv, const RootScreenHook& openOverRoot)
{
    Services services;
    startUp(argc, argv, services);
    loadResources(services);
    std::unique_ptr<InputScript> script = InputScript::fromEnvironment();
    if (openOverRoot)
        openOverRoot(*services.intro);
    runMainLoop(script.get());
    shutDown(services);
    return 0;
}
