// The drawing primitives of the display: images of the table onto the
// screen and into each other. Every source rectangle is cut to its image
// (moving the destination along), so a rectangle reaching past an image's
// edge draws only the part that exists. Pictures in the screen's layout go
// through our own blitter, which draws them as SDL would but copies solid
// runs and blends translucent ones from premultiplied pixels made once per
// picture; anything else goes through SDL.
#include "engine/Draw.h"

#include "engine/DrawBlitter.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

SDL_Rect sdlRect(int x, int y, int w, int h)
{
    auto coordinate = [](int v) { return static_cast<Sint16>(std::clamp(v, -32768, 32767)); };
    auto length = [](int v) { return static_cast<Uint16>(std::clamp(v, 0, 65535)); };
    return SDL_Rect{coordinate(x), coordinate(y), length(w), length(h)};
}

// The plans of the pictures with alpha, by image id, made at a picture's
// first draw and again after anyone was handed its pixels.
std::vector<std::unique_ptr<BlitPlan>> g_plans;

const BlitPlan* planOf(int id, const SDL_Surface& image)
{
    if (!image.format->Amask)
        return nullptr;
    if (static_cast<size_t>(id) >= g_plans.size())
        g_plans.resize(static_cast<size_t>(id) + 1);
    std::unique_ptr<BlitPlan>& plan = g_plans[static_cast<size_t>(id)];
    if (!plan || !plan->fits(image))
        plan = std::make_unique<BlitPlan>(image);
    return plan.get();
}

} // namespace

void CDraw::blitImage(int id, SDL_Rect source, SDL_Surface* destination, SDL_Rect at)
{
    SDL_Surface* image = peekImageSurface(id);
    if (!image || !destination)
        return;
    if (blitsDirectly(*image, *destination))
        blitDirectly(*image, planOf(id, *image), source, *destination, at);
    else
        SDL_BlitSurface(image, &source, destination, &at);
}

void CDraw::forgetBlitPlan(int id)
{
    if (id >= 0 && static_cast<size_t>(id) < g_plans.size())
        g_plans[static_cast<size_t>(id)].reset();
}

void CDraw::forgetBlitPlans() { g_plans.clear(); }

void CDraw::drawImage(int id, int x, int y)
{
    SDL_Surface* image = peekImageSurface(id);
    if (image)
        blitImage(id, sdlRect(0, 0, image->w, image->h), getScreen(), sdlRect(x, y, 0, 0));
}

void CDraw::drawImagePart(int id, int x, int y, int srcX, int srcY, int w, int h)
{
    blitImage(id, sdlRect(srcX, srcY, w, h), getScreen(), sdlRect(x, y, 0, 0));
}

void CDraw::blitImageRect(int id, const SDL_Rect& source, const SDL_Rect& destination)
{
    blitImage(id, source, getScreen(), destination);
}

void CDraw::blitImageToImage(int srcId, SDL_Surface* destination, int dstX, int dstY, int srcX, int srcY, int w,
                             int h)
{
    blitImage(srcId, sdlRect(srcX, srcY, w, h), destination, sdlRect(dstX, dstY, 0, 0));
}

void CDraw::copyImageInto(int srcId, int dstId, int x, int y)
{
    SDL_Surface* image = peekImageSurface(srcId);
    if (image)
        blitImageToImage(srcId, getImageSurface(dstId), x, y, 0, 0, image->w, image->h);
}

void CDraw::setImageAlpha(int id, uint8_t alpha, uint32_t flags)
{
    if (SDL_Surface* image = peekImageSurface(id))
        SDL_SetAlpha(image, flags, alpha);
}

void CDraw::shiftImageAlpha(int id, int delta)
{
    SDL_Surface* image = getImageSurface(id);
    if (!image || delta == 0)
        return;
    const SDL_PixelFormat* format = image->format;
    // Only 32-bit pixels with an alpha channel have alpha to shift.
    if (!format->Amask || format->BytesPerPixel != 4)
        return;
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < image->w; ++x) {
            int alpha = static_cast<int>((row[x] & format->Amask) >> format->Ashift) + delta;
            Uint32 shifted = static_cast<Uint32>(std::clamp(alpha, 0, 255)) << format->Ashift;
            row[x] = (row[x] & ~format->Amask) | (shifted & format->Amask);
        }
    }
    SDL_UnlockSurface(image);
}
