// The drawing primitives of the display: images of the table onto the
// screen and into each other. SDL cuts every source rectangle to its image
// (moving the destination along), so a rectangle reaching past an image's
// edge draws only the part that exists.
#include "engine/Draw.h"

#include <algorithm>

namespace {

SDL_Rect sdlRect(int x, int y, int w, int h)
{
    auto coordinate = [](int v) { return static_cast<Sint16>(std::clamp(v, -32768, 32767)); };
    auto length = [](int v) { return static_cast<Uint16>(std::clamp(v, 0, 65535)); };
    return SDL_Rect{coordinate(x), coordinate(y), length(w), length(h)};
}

void blit(SDL_Surface* image, SDL_Rect source, SDL_Surface* destination, SDL_Rect at)
{
    if (image && destination)
        SDL_BlitSurface(image, &source, destination, &at);
}

} // namespace

void CDraw::drawImage(int id, int x, int y)
{
    SDL_Surface* image = getImageSurface(id);
    if (image)
        blit(image, sdlRect(0, 0, image->w, image->h), getScreen(), sdlRect(x, y, 0, 0));
}

void CDraw::drawImagePart(int id, int x, int y, int srcX, int srcY, int w, int h)
{
    blit(getImageSurface(id), sdlRect(srcX, srcY, w, h), getScreen(), sdlRect(x, y, 0, 0));
}

void CDraw::blitImageRect(int id, const SDL_Rect& source, const SDL_Rect& destination)
{
    blit(getImageSurface(id), source, getScreen(), destination);
}

void CDraw::blitImageToImage(int srcId, SDL_Surface* destination, int dstX, int dstY, int srcX, int srcY, int w,
                             int h)
{
    blit(getImageSurface(srcId), sdlRect(srcX, srcY, w, h), destination, sdlRect(dstX, dstY, 0, 0));
}

void CDraw::copyImageInto(int srcId, int dstId, int x, int y)
{
    SDL_Surface* image = getImageSurface(srcId);
    if (image)
        blitImageToImage(srcId, getImageSurface(dstId), x, y, 0, 0, image->w, image->h);
}

void CDraw::setImageAlpha(int id, uint8_t alpha, uint32_t flags)
{
    if (SDL_Surface* image = getImageSurface(id))
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
