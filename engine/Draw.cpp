#include "engine/Draw.h"

#include "engine/ImageDecoder.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "platform/Clock.h"
#include "platform/System.h"


#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kCaption = "Corvelle";
const char* const kIconFile = "resource7.dat";
const char* const kLoadingPictureFile = "resource0.dat";
const char* const kLoadingBarFile = "resource1.dat";
constexpr int kScreenDepth = 32;
constexpr uint32_t kDefaultFrameDelay = 33;
const uint32_t kFrameDelayBySpeed[] = {66, 60, 55, 50, 45, 40, 33, 30, 25, 20, 15, 10};

struct DisplayState {
    SDL_Surface* screen = nullptr;
    SDL_Surface* icon = nullptr;
    SDL_Surface* barImage = nullptr;
    int64_t barAllowance = 0;
    int64_t barTotal = 0;
    int64_t barProgress = 0;
    int barDrawnWidth = 0;
    bool fullscreen = false;
    bool newSystem = false;
    std::function<bool()> fullscreenWanted;
    uint32_t frameDelay = kDefaultFrameDelay;
    bool fpsLock = true;
    bool fpsOutput = false;
    bool presentDisabled = false;
    bool developerMode = true;
    uint32_t lastFrameTime = 0;
    uint32_t frameCounter = 0;
    uint32_t fpsTime = 0;
    uint32_t framesAtFpsTime = 0;
    int fps = 0;
    CDraw::DirtyRectList dirtyRects = nullptr;
    void (*clearDirtyRects)() = nullptr;
    std::function<void(const std::vector<SDL_Rect>&)> updateObserver;
};

DisplayState g;

bool profileWantsFullscreen() { return g.fullscreenWanted && g.fullscreenWanted(); }

SDL_Surface* openScreen(bool fullscreen)
{
    Uint32 flags = SDL_SWSURFACE | (fullscreen ? SDL_FULLSCREEN : 0);
    if (fullscreen && SDL_VideoModeOK(SCREEN_WIDTH, SCREEN_HEIGHT, kScreenDepth, flags) == 0)
        return nullptr;
    return SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, kScreenDepth, flags);
}

// Decodes a start-up picture from a file of the working folder; fatal when
// that fails, since the loading screen cannot be shown without it.
SDL_Surface* loadStartupPicture(const char* file, const char* type)
{
    std::string failure;
    SDL_Surface* picture = readPictureFile(file, type, failure);
    if (!picture)
        logError(true, "Unable to load image: %s: %s\n", file, failure.c_str());
    return picture;
}

// Sleeps to the frame's deadline in one go: the thread stays asleep for the
// whole wait instead of polling the clock, so an idle game costs next to no
// CPU. A sleep that ends early is simply continued.
void sleepUntilNextFrame()
{
    uint32_t wait = g.fpsLock ? g.frameDelay : 0;
    for (uint32_t elapsed = tickCount() - g.lastFrameTime; elapsed < wait;
         elapsed = tickCount() - g.lastFrameTime)
        sleepMilliseconds(wait - elapsed);
}

void countFramesPerSecond(uint32_t now)
{
    if (now - g.fpsTime < 1000)
        return;
    g.fpsTime = now;
    g.fps = static_cast<int>(g.frameCounter - g.framesAtFpsTime);
    g.framesAtFpsTime = g.frameCounter;
    if (g.fpsOutput)
        printf("FPS %i   (TICK=%i  FRAME=%i)\n", g.fps, static_cast<int>(g.fpsTime),
               static_cast<int>(g.frameCounter));
}

SDL_Rect toSdlRect(const DirtyRect& r)
{
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(r.x);
    rect.y = static_cast<Sint16>(r.y);
    rect.w = static_cast<Uint16>(r.w);
    rect.h = static_cast<Uint16>(r.h);
    return rect;
}

} // namespace

bool clipRectToScreen(DirtyRect& rect)
{
    if (rect.x >= SCREEN_WIDTH || rect.y >= SCREEN_HEIGHT)
        return false;
    int64_t x = rect.x, y = rect.y, w = rect.w, h = rect.h;
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    w = std::min<int64_t>(w, SCREEN_WIDTH - x);
    h = std::min<int64_t>(h, SCREEN_HEIGHT - y);
    if (w <= 0 || h <= 0)
        return false;
    rect = {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(w), static_cast<int32_t>(h)};
    return true;
}

CDraw::CDraw()
{
    logMessage(LOG_DRAW, "Initializing SDL...\n");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0)
        logError(true, "Unable to initialize SDL: %s\n", SDL_GetError());
    static bool exitHandlerRegistered = false;
    if (!exitHandlerRegistered) {
        atexit(SDL_Quit);
        // A fatal error ends the program through quick_exit.
        at_quick_exit(SDL_Quit);
        exitHandlerRegistered = true;
    }
    setCaptionAndIcon();
    logMessage(LOG_DRAW, "Hiding cursor...\n");
    SDL_ShowCursor(SDL_DISABLE);
    setVideoMode();
    showLoadingScreen();
}

CDraw::~CDraw()
{
    logMessage(LOG_DRAW, "Releasing ptrScreen surface...\n");
    g.screen = nullptr; // the video surface belongs to the video system
    logMessage(LOG_DRAW, "Releasing ptrIcon surface...\n");
    SDL_FreeSurface(g.barImage);
    g.barImage = nullptr;
    g.barTotal = g.barProgress = 0;
    g.barDrawnWidth = 0;
    logMessage(LOG_DRAW, "Releasing ptrIcon surface...\n");
    SDL_FreeSurface(g.icon);
    g.icon = nullptr;
    releaseImageStore();
    logMessage(LOG_DRAW, "Showing cursor...\n");
    SDL_ShowCursor(SDL_ENABLE);
}

void CDraw::setFullscreenSource(std::function<bool()> wanted) { g.fullscreenWanted = std::move(wanted); }

void CDraw::setCaptionAndIcon()
{
    SDL_WM_SetCaption(kCaption, kCaption);
    logMessage(LOG_DEBUG, "Loading ICON_URL:  %s\n", kIconFile);
    SDL_FreeSurface(g.icon);
    std::string failure;
    g.icon = readPictureFile(kIconFile, "bmp", failure);
    if (!g.icon) {
        logMessage(LOG_WARNING, "No window icon: %s: %s\n", kIconFile, failure.c_str());
        return;
    }
    // Magenta marks the icon's transparent pixels.
    SDL_SetColorKey(g.icon, SDL_SRCCOLORKEY, SDL_MapRGB(g.icon->format, 255, 0, 255));
    SDL_WM_SetIcon(g.icon, nullptr);
}

void CDraw::setVideoMode()
{
    g.newSystem = isVistaOrLater();
    bool fullscreen = profileWantsFullscreen();
    logMessage(LOG_DRAW, "Checking video mode...\n");
    logMessage(LOG_DRAW, "Setting video mode...\n");
    // The image code assumes 32-bit pixels, whatever depth the platform would
    // prefer. A refused full-screen mode falls back to a window.
    SDL_Surface* screen = openScreen(fullscreen);
    if (!screen && fullscreen) {
        logMessage(LOG_WARNING, "Full-screen mode refused (%s); using a window\n", SDL_GetError());
        fullscreen = false;
        screen = openScreen(false);
    }
    if (!screen)
        logError(true, "Unable to set video mode: %s\n", SDL_GetError());
    g.screen = screen;
    g.fullscreen = fullscreen;
    SDL_SetClipRect(g.screen, nullptr);
}

void CDraw::showLoadingScreen()
{
    logMessage(LOG_DEBUG, "Loading LOAD1_URL:  %s\n", kLoadingPictureFile);
    SDL_Surface* picture = loadStartupPicture(kLoadingPictureFile, "JPG");
    SDL_BlitSurface(picture, nullptr, g.screen, nullptr);
    showWholeScreen();
    SDL_FreeSurface(picture);
}

void CDraw::toggleFullscreen(bool onlyIfDifferent, bool wanted)
{
    if (!g.screen || (onlyIfDifferent && g.fullscreen == wanted))
        return;
    // The game's own idea of where the pointer is: a captured pointer's
    // position is not the system pointer's.
    const int mouseX = CInput::GetMouseX(), mouseY = CInput::GetMouseY();
    SDL_Surface* picture = makeScreenSurface(true);
    setVideoMode();
    SDL_BlitSurface(picture, nullptr, g.screen, nullptr);
    showWholeScreen();
    SDL_FreeSurface(picture);
    CMousePointer::WarpMouse(mouseX, mouseY);
}

bool CDraw::isFullscreen() { return g.fullscreen; }
bool CDraw::hasScreen() { return g.screen != nullptr; }
SDL_Surface* CDraw::getScreen() { return g.screen; }
void CDraw::setDeveloperMode(bool on) { g.developerMode = on; }
bool CDraw::isDeveloperMode() { return g.developerMode; }

SDL_Surface* CDraw::makeScreenSurface(bool copyPicture)
{
    if (!g.screen)
        return nullptr;
    const SDL_PixelFormat* f = g.screen->format;
    SDL_Surface* surface = SDL_CreateRGBSurface(g.screen->flags, g.screen->w, g.screen->h, f->BitsPerPixel,
                                                f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (surface && copyPicture)
        SDL_BlitSurface(g.screen, nullptr, surface, nullptr);
    return surface;
}

void CDraw::loadProgressBar(int imageCount)
{
    logMessage(LOG_DEBUG, "Loading LOAD2_URL:  %s\n", kLoadingBarFile);
    SDL_Surface* bar = toDisplayFormat(loadStartupPicture(kLoadingBarFile, "PNG"), true);
    if (!bar)
        logError(true, "Unable to load image: %s\n", SDL_GetError());
    SDL_FreeSurface(g.barImage);
    g.barImage = bar;
    g.barTotal = static_cast<int64_t>(imageCount) + g.barAllowance;
}

void CDraw::setLoadAllowance(int64_t allowance) { g.barAllowance = allowance; }

void CDraw::addLoadProgress(int n)
{
    g.barProgress = std::min(g.barProgress + n, g.barTotal);
    drawLoadBar(g.barProgress);
}

void CDraw::setLoadProgress(int value) { drawLoadBar(std::min<int64_t>(value, g.barTotal)); }

int64_t CDraw::getLoadProgress() { return g.barProgress; }

void CDraw::drawLoadBar(int64_t progress)
{
    if (!g.barImage || !g.screen || g.barTotal <= 0 || progress <= 0)
        return;
    int width = static_cast<int>(static_cast<double>(progress) / static_cast<double>(g.barTotal) * g.barImage->w);
    if (width <= g.barDrawnWidth)
        return;
    g.barDrawnWidth = width;
    SDL_Rect source = {0, 0, static_cast<Uint16>(width), static_cast<Uint16>(g.barImage->h)};
    SDL_Rect destination = {LOAD_BAR_X, LOAD_BAR_Y, 0, 0};
    SDL_BlitSurface(g.barImage, &source, g.screen, &destination);
    updateRect(LOAD_BAR_X, LOAD_BAR_Y, width, g.barImage->h);
}

void CDraw::present(bool useDirtyRects, bool countFrame)
{
    if (g.presentDisabled)
        return;
    sleepUntilNextFrame();
    uint32_t now = tickCount();
    g.lastFrameTime = now;
    if (countFrame)
        ++g.frameCounter;
    countFramesPerSecond(now);
    if (useDirtyRects && !g.newSystem) {
        std::vector<SDL_Rect> rects;
        if (g.dirtyRects)
            for (DirtyRect r : g.dirtyRects())
                if (clipRectToScreen(r))
                    rects.push_back(toSdlRect(r));
        showOnDisplay(rects);
    } else {
        showWholeScreen();
    }
    if (g.clearDirtyRects)
        g.clearDirtyRects();
}

void CDraw::showOnDisplay(std::vector<SDL_Rect>& rects)
{
    if (!g.screen || rects.empty())
        return;
    if (g.updateObserver)
        g.updateObserver(rects);
    SDL_UpdateRects(g.screen, static_cast<int>(rects.size()), rects.data());
}

void CDraw::showWholeScreen()
{
    std::vector<SDL_Rect> whole = {{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}};
    showOnDisplay(whole);
}

void CDraw::setPresentDisabled(bool disabled) { g.presentDisabled = disabled; }
bool CDraw::isPresentDisabled() { return g.presentDisabled; }
uint32_t CDraw::getFrame() { return g.frameCounter; }

void CDraw::setGameSpeed(int level)
{
    bool known = level >= 0 && level < static_cast<int>(sizeof kFrameDelayBySpeed / sizeof kFrameDelayBySpeed[0]);
    g.frameDelay = known ? kFrameDelayBySpeed[level] : kDefaultFrameDelay;
}

uint32_t CDraw::getFrameDelay() { return g.frameDelay; }

void CDraw::toggleFPSOutput()
{
    g.fpsOutput = !g.fpsOutput;
    printf("Setting FPSOutput to %i\n", g.fpsOutput ? 1 : 0);
}

void CDraw::toggleFPSLock()
{
    g.fpsLock = !g.fpsLock;
    printf("Setting FPSLock to %i\n", g.fpsLock ? 1 : 0);
}

void CDraw::updateRect(int x, int y, int w, int h)
{
    DirtyRect rect{x, y, w, h};
    if (!clipRectToScreen(rect))
        return;
    std::vector<SDL_Rect> rects = {toSdlRect(rect)};
    showOnDisplay(rects);
}

void CDraw::setDirtyRectSource(DirtyRectList rects, void (*clear)())
{
    g.dirtyRects = rects;
    g.clearDirtyRects = clear;
}

void CDraw::setDisplayUpdateObserverForTesting(std::function<void(const std::vector<SDL_Rect>&)> observer)
{
    g.updateObserver = std::move(observer);
}

SDL_Surface* CDraw::toDisplayFormat(SDL_Surface* surface, bool freeSource)
{
    if (!surface)
        return nullptr;
    SDL_Surface* converted = surface->format->Amask ? SDL_DisplayFormatAlpha(surface) : SDL_DisplayFormat(surface);
    if (freeSource)
        SDL_FreeSurface(surface);
    return converted;
}

uint32_t CDraw::getPixel(SDL_Surface* surface, int x, int y)
{
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
        return 0;
    int bpp = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return p[0] | p[1] << 8 | p[2] << 16;
    case 4:
        return *reinterpret_cast<const Uint32*>(p);
    default:
        return 0;
    }
}

void CDraw::putPixel(SDL_Surface* surface, int x, int y, uint32_t value)
{
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
        return;
    int bpp = surface->format->BytesPerPixel;
    Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        *p = static_cast<Uint8>(value);
        break;
    case 2:
        *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(value);
        break;
    case 3:
        p[0] = value & 0xFF;
        p[1] = (value >> 8) & 0xFF;
        p[2] = (value >> 16) & 0xFF;
        break;
    case 4:
        *reinterpret_cast<Uint32*>(p) = value;
        break;
    default:
        break;
    }
}

void CDraw::saveScreenBMP(const char* path)
{
    logMessage(LOG_DEBUG, "Screen Surface Saved to BMP:  %s\n", path);
    SDL_Surface* copy = makeScreenSurface(true);
    if (!copy || SDL_SaveBMP(copy, path) != 0)
        logError(false, "Could not save the screen to %s: %s\n", path, SDL_GetError());
    SDL_FreeSurface(copy);
}
