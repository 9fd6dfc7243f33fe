#include "screens/ControllerIntro.h"

#include "engine/Draw.h"
#include "engine/ImageDecoder.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Parameters.h"
#include "engine/Sprite.h"
#include "screens/ControllerMain.h"

#include <SDL.h>

namespace {

CSprite* keptSplash = nullptr;

constexpr int FADE_IN_MS = 750;
// Each picture stands for three seconds; the logo's eyes close three times.
constexpr int SPLASH1_AT = 3001;
constexpr int SPLASH2_AT = 6001;
constexpr int MENU_AFTER = 8999;
struct Window {
    int from, to;
};
constexpr Window BLINKS[] = {{800, 900}, {1100, 1200}, {1900, 2000}};

struct SplashFile {
    const char* file;
    const char* image;
    const char* logFormat;
    int layer;
    const char* spriteName;
};
const SplashFile SPLASHES[3] = {
    {"resource9.dat", "splash0.jpg", "Loading SPLASH0_URL:  %s\n", KIND_OVERLAY_LOW,
     "Intro Controller (INTRO_LSPRITE_VGLOGO)"},
    {"resource10.dat", "splash1.jpg", "Loading SPLASH1_URL:  %s\n", KIND_OVERLAY_HIGH,
     "Intro Controller (INTRO_LSPRITE_SPLASH1)"},
    {"resource11.dat", "splash2.jpg", "Loading SPLASH2_URL:  %s\n", KIND_OVERLAY_FRONT,
     "Intro Controller (INTRO_LSPRITE_SPLASH2)"},
};

// A splash picture from its file, as a hidden whole-screen sprite; null
// when the file is missing or is no JPG picture.
std::unique_ptr<CSprite> loadSplash(const SplashFile& splash)
{
    std::string failure;
    SDL_Surface* picture = readPictureFile(splash.file, "jpg", failure);
    if (!picture) {
        logMessage(LOG_ERROR, "%s: %s\n", splash.file, failure.c_str());
        return nullptr;
    }
    logMessage(LOG_DEBUG, splash.logFormat, splash.file);
    auto sprite = std::make_unique<CSprite>(splash.layer, 0, false);
    sprite->setName(splash.spriteName);
    sprite->addFrameSurface(CDraw::LoadSurface(picture, splash.image));
    sprite->setLocation(0, 0, false);
    sprite->hide();
    return sprite;
}

bool inBlink(int t)
{
    for (const Window& w : BLINKS)
        if (t >= w.from && t <= w.to)
            return true;
    return false;
}

} // namespace

void SetKeptSplashSprite(CSprite* sprite) { keptSplash = sprite; }
CSprite* GetKeptSplashSprite() { return keptSplash; }

CControllerIntro::CControllerIntro() : CController(CONTROLLER_INTRO)
{
    CMousePointer::HideFor(-1);
    LoadSprites();
}

CControllerIntro::~CControllerIntro()
{
    logMessage(LOG_DESTRUCT, "CControllerIntro:  Destroying CControllerIntro...\n");
    CMousePointer::ShowHourglass(true);
    child_.reset();
    ReleaseSprites(false);
}

void CControllerIntro::LoadSprites()
{
    if (spritesLoaded_)
        return;
    logo_ = loadSplash(SPLASHES[0]);
    if (!logo_)
        logError(true, "Cannot load splash0 file!\n");
    SetKeptSplashSprite(logo_.get());
    eyes_ = std::make_unique<CSprite>(KIND_OVERLAY_MIDDLE, 0, false);
    eyes_->setName("Intro Controller (INTRO_LSPRITE_VGEYES)");
    eyes_->addFrame("logovg-eyes.png");
    eyes_->setLocation(264, 197, false);
    eyes_->hide();
    splash1_ = loadSplash(SPLASHES[1]);
    splash2_ = loadSplash(SPLASHES[2]);
    spritesLoaded_ = true;
}

// The kept splash sprite belongs to the main menu once it exists; until
// then (keepKept false) the intro frees that one too.
void CControllerIntro::ReleaseSprites(bool keepKept)
{
    if (!spritesLoaded_)
        return;
    for (std::unique_ptr<CSprite>* sprite : {&logo_, &eyes_, &splash1_, &splash2_}) {
        if (sprite->get() == GetKeptSplashSprite()) {
            if (keepKept) {
                (void)sprite->release();
                continue;
            }
            SetKeptSplashSprite(nullptr);
        }
        sprite->reset();
    }
    spritesLoaded_ = false;
}

void CControllerIntro::InputKey(bool released, int)
{
    if (released && startTick_ != NOT_STARTED)
        OpenMainMenu();
}

void CControllerIntro::InputMouseButton(bool released, bool, bool, bool, bool)
{
    if (released && startTick_ != NOT_STARTED)
        OpenMainMenu();
}

bool CControllerIntro::bringIn(CSprite* splash)
{
    if (splash->isHidden())
        splash->SetFadeIn(FADE_IN_MS, 0, 255);
    SetKeptSplashSprite(splash);
    return splash->isFading();
}

void CControllerIntro::updateSprites()
{
    if (logo_->isHidden())
        logo_->SetFadeIn(FADE_IN_MS, 0, 255);
    if (logo_->isFading())
        return;
    uint32_t now = SDL_GetTicks();
    if (startTick_ == NOT_STARTED)
        startTick_ = now;
    int t = static_cast<int>(now - startTick_);

    if (UseVGBlink()) {
        if (inBlink(t)) {
            logMessage(LOG_DEBUG, "CControllerIntro::updateSprites()   Blinking Vostrel Eyes at %i\n", t);
            eyes_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        } else {
            eyes_->hide();
        }
    }
    // A missing picture gives its three seconds to the next one.
    if (t >= SPLASH1_AT) {
        if (splash1_) {
            if (bringIn(splash1_.get()))
                return;
        } else if (t < SPLASH2_AT) {
            startTick_ = now - (SPLASH2_AT - 1);
            t = SPLASH2_AT - 1;
        }
    }
    if (t >= SPLASH2_AT) {
        if (splash2_) {
            if (bringIn(splash2_.get()))
                return;
        } else if (t <= MENU_AFTER) {
            startTick_ = now - (MENU_AFTER + 1);
            t = MENU_AFTER + 1;
        }
    }
    if (t > MENU_AFTER)
        OpenMainMenu();
}

void CControllerIntro::OpenMainMenu()
{
    if (child_)
        return;
    CMousePointer::ShowHourglass(true);
    ReleaseSprites(true);
    LogLoadingController("Main Menu");
    child_ = std::make_unique<CControllerMain>();
    LoadController(child_.get());
}

void CControllerIntro::OpenChild(std::unique_ptr<CController> child, const char* displayName)
{
    LogLoadingController(displayName);
    child_ = std::move(child);
    LoadController(child_.get());
}

void CControllerIntro::Pump()
{
    // The first pump settles the stack (as after a closed child) and shows
    // nothing yet.
    int closed = TakeClosedChildId();
    if (closed != CONTROLLER_NONE || !firstPumpDone_) {
        firstPumpDone_ = true;
        if (closed == CONTROLLER_MAIN)
            logMessage(LOG_TICKS, "Removing MAIN\n");
        child_.reset();
        if (closed == CONTROLLER_MAIN)
            logMessage(LOG_TICKS, "MAIN removal completed\n");
    } else {
        ProcessInput();
        if (spritesLoaded_ && !child_)
            updateSprites();
    }
    // Closing the program from the intro leaves nothing on screen.
    if (GetExitCode() != 0)
        ReleaseSprites(false);
}
