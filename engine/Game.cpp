#include "engine/Game.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Parameters.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/SpriteReport.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "online/ScoreServer.h"
#include "platform/Folders.h"
#include "platform/Random.h"
#include "world/Element.h"

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
    CElement::SetProfile(profile);
    CInput::SetProfile(profile);
    CDraw::setProfile(profile);
    CDraw::setFullscreenReader([](CProfileBase* p) { return p->IsFullscreen(); });
}

// A sprite's text frame: the entry filled with the text, or the entry's own
// text when there is none.
SDL_Surface* renderSpriteText(int width, int height, int align, int stringNumber, const char* text)
{
    if (text)
        return CFontSystem::RenderStringWrapped(width, height, align, stringNumber, text);
    return CFontSystem::RenderStringEx(width, height, align, stringNumber);
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
    services.input = std::make_unique<CInput>();
}

// Start-up after the window is open: the logged loading phases.
void loadResources(Services& services)
{
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
    services.pointer = std::make_unique<CMousePointer>();
    startScoreClient();
    logMessage(LOG_MILESTONE, "ID_003:  INIT:  Miscellaneous Load Completed\n");
}

// Until the screens take over the events, closing the window is the one
// way to stop.
bool quitRequested()
{
    SDL_Event event;
    bool quit = false;
    while (SDL_PollEvent(&event))
        quit = quit || event.type == SDL_QUIT;
    return quit;
}

void runMainLoop()
{
    const long maxFrames = maxFramesFromEnvironment();
    for (long frames = 1; !quitRequested(); ++frames) {
        CMousePointer::Update();
        CSound::update();
        CRender::Render(true);
        CDraw::present(true, true);
        if (frames == maxFrames)
            break;
    }
}

void shutDown(Services& services)
{
    CLevelSet::freeAll();
    CFontSystem::Shutdown();
    // Every sprite but the mouse pointer's should be gone with its owner by now.
    reportLiveSprites(LOG_DEBUG, "main()", false);
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    services.pointer.reset();
    services.input.reset();
    services.renderer.reset();
    services.display.reset();
    services.profile.reset();
}

} // namespace

int runCorvelle(int argc, char** argv)
{
    Services services;
    startUp(argc, argv, services);
    loadResources(services);
    runMainLoop();
    shutDown(services);
    return 0;
}
