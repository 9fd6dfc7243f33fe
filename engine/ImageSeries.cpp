// Numbered image series and the images derived from them at start-up: faded
// copies, copied series and padded copies. They are made once and drawn like
// any other image, never blended at draw time.
#include "engine/Draw.h"

#include "engine/Log.h"

std::string imageSeriesName(const std::string& prefix, int number, const std::string& suffix)
{
    return prefix + std::to_string(number) + suffix;
}

std::string fadeSeriesName(const std::string& name, int number)
{
    std::string base = name.substr(0, name.size() - 4);
    std::string extension = name.substr(name.size() - 3);
    return base + std::to_string(number) + "." + extension;
}

void CDraw::createFadeSeries(const char* name, int count, int step)
{
    std::string source = name;
    // The rule needs a three-letter extension and its dot.
    if (source.size() < 4) {
        logMessage(LOG_WARNING, "CDraw::createFadeSeries()  No extension in '%s'\n", name);
        return;
    }
    int delta = 0;
    for (int k = 1; k <= count; ++k) {
        delta += step;
        CopyImage(name, fadeSeriesName(source, count - k).c_str(), delta);
    }
}

void CDraw::copyImageSeries(const char* sourcePrefix, const char* newPrefix, int first, int last, const char* suffix,
                            int dA)
{
    for (int n = first; n <= last; ++n)
        CopyImage(imageSeriesName(sourcePrefix, n, suffix).c_str(), imageSeriesName(newPrefix, n, suffix).c_str(), dA);
}

int CDraw::getImageSeriesNames(const char* prefix, int first, int last, const char* suffix)
{
    int id = 0;
    for (int n = first; n <= last; ++n)
        id = getImage(imageSeriesName(prefix, n, suffix).c_str());
    return id;
}

int CDraw::padImage(const char* sourceName, const char* newName, int left, int right, int top, int bottom)
{
    int id = getImage(sourceName);
    SDL_Surface* source = getImageSurface(id);
    const SDL_PixelFormat* f = source->format;
    SDL_Surface* padded = SDL_CreateRGBSurface(source->flags, source->w + left + right, source->h + top + bottom,
                                               f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!padded)
        logError(true, "Could not load image:  %s\n", SDL_GetError());
    if (f->palette)
        SDL_SetColors(padded, f->palette->colors, 0, f->palette->ncolors);
    SDL_LockSurface(source);
    SDL_LockSurface(padded);
    for (int y = 0; y < padded->h; ++y) {
        for (int x = 0; x < padded->w; ++x) {
            bool margin = x < left || x >= left + source->w || y < top || y >= top + source->h;
            putPixel(padded, x, y, margin ? 0 : getPixel(source, x - left, y - top));
        }
    }
    SDL_UnlockSurface(padded);
    SDL_UnlockSurface(source);
    unloadImage(id);
    return LoadSurface(padded, newName);
}
