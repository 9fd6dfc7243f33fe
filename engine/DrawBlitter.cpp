#include "engine/DrawBlitter.h"

#include "engine/DrawKernels.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr Uint32 kRed = 0x00FF0000, kGreen = 0x0000FF00, kBlue = 0x000000FF, kAlpha = 0xFF000000;

const uint32_t* pixelRow(const SDL_Surface& surface, int y)
{
    return reinterpret_cast<const uint32_t*>(static_cast<const Uint8*>(surface.pixels) + y * surface.pitch);
}

bool hasDisplayColours(const SDL_PixelFormat& f)
{
    return f.BytesPerPixel == 4 && f.Rmask == kRed && f.Gmask == kGreen && f.Bmask == kBlue;
}

// A part of a picture and where it lands, both cut.
struct Placement {
    int x, y, w, h;
    int targetX, targetY;
};

// SDL_BlitSurface's cutting: the part to the picture, moving the place
// along, then the place to the target's clip rectangle.
bool place(const SDL_Surface& picture, const SDL_Rect& source, const SDL_Surface& target, const SDL_Rect& at,
           Placement& p)
{
    p = {source.x, source.y, source.w, source.h, at.x, at.y};
    if (p.x < 0) {
        p.w += p.x;
        p.targetX -= p.x;
        p.x = 0;
    }
    if (p.y < 0) {
        p.h += p.y;
        p.targetY -= p.y;
        p.y = 0;
    }
    p.w = std::min(p.w, picture.w - p.x);
    p.h = std::min(p.h, picture.h - p.y);
    const SDL_Rect& clip = target.clip_rect;
    if (int cut = clip.x - p.targetX; cut > 0) {
        p.w -= cut;
        p.targetX += cut;
        p.x += cut;
    }
    p.w = std::min(p.w, clip.x + clip.w - p.targetX);
    if (int cut = clip.y - p.targetY; cut > 0) {
        p.h -= cut;
        p.targetY += cut;
        p.y += cut;
    }
    p.h = std::min(p.h, clip.y + clip.h - p.targetY);
    return p.w > 0 && p.h > 0;
}

// A picture without alpha: copied, or blended by its own alpha.
void drawWithoutAlpha(const SDL_Surface& picture, const Placement& p, uint32_t* target, int targetPitch)
{
    const bool blended = (picture.flags & SDL_SRCALPHA) && picture.format->alpha != SDL_ALPHA_OPAQUE;
    const Uint8 alpha = picture.format->alpha;
    const DrawKernels& kernels = drawKernels();
    for (int row = 0; row < p.h; ++row) {
        const uint32_t* from = pixelRow(picture, p.y + row) + p.x;
        uint32_t* to = target + row * targetPitch;
        if (!blended)
            memcpy(to, from, static_cast<size_t>(p.w) * 4);
        else if (alpha != 0)
            kernels.constantAlpha(to, from, p.w, alpha);
    }
}

} // namespace

BlitPlan::BlitPlan(const SDL_Surface& picture)
    : pixels_(picture.pixels), width_(picture.w), height_(picture.h), pitch_(picture.pitch)
{
    rowStart_.reserve(static_cast<size_t>(height_) + 1);
    for (int y = 0; y < height_; ++y) {
        rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
        const uint32_t* row = pixelRow(picture, y);
        for (int x = 0; x < width_;) {
            uint32_t alpha = row[x] >> 24;
            int end = x + 1;
            if (alpha == 0) {
                while (end < width_ && (row[end] >> 24) == 0)
                    ++end;
            } else if (alpha == 255) {
                while (end < width_ && (row[end] >> 24) == 255)
                    ++end;
                runs_.push_back({static_cast<uint16_t>(x), static_cast<uint16_t>(end), AlphaRun::kSolid});
            } else {
                auto translucent = [](uint32_t pixel) { return (pixel >> 24) != 0 && (pixel >> 24) != 255; };
                while (end < width_ && translucent(row[end]))
                    ++end;
                runs_.push_back(
                    {static_cast<uint16_t>(x), static_cast<uint16_t>(end), static_cast<uint32_t>(premultiplied_.size())});
                for (int i = x; i < end; ++i)
                    premultiplied_.push_back(premultiplyPixel(row[i]));
            }
            x = end;
        }
    }
    rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
}

bool BlitPlan::fits(const SDL_Surface& picture) const
{
    return picture.pixels == pixels_ && picture.w == width_ && picture.h == height_ && picture.pitch == pitch_;
}

void BlitPlan::draw(const SDL_Surface& picture, int x, int y, int w, int h, uint32_t* target, int targetPitch) const
{
    drawKernels().planned({static_cast<const unsigned char*>(picture.pixels), picture.pitch, rowStart_.data(),
                           runs_.data(), premultiplied_.data(), x, y, w, h, target, targetPitch});
}

bool blitsDirectly(const SDL_Surface& picture, const SDL_Surface& target)
{
    const SDL_PixelFormat& f = *picture.format;
    const Uint32 encoded = SDL_RLEACCEL | SDL_RLEACCELOK;
    if (!hasDisplayColours(f) || !hasDisplayColours(*target.format) || target.format->Amask != 0)
        return false;
    // Runs keep their columns in 16 bits.
    if (picture.w > UINT16_MAX)
        return false;
    if ((picture.flags & (SDL_SRCCOLORKEY | encoded)) || (target.flags & encoded))
        return false;
    // A picture with alpha blends only while asked to; copying it is SDL's.
    return f.Amask == 0 || (f.Amask == kAlpha && (picture.flags & SDL_SRCALPHA));
}

void blitDirectly(const SDL_Surface& picture, const BlitPlan* plan, const SDL_Rect& source, SDL_Surface& target,
                  const SDL_Rect& at)
{
    Placement p;
    if (!place(picture, source, target, at, p))
        return;
    SDL_Surface* surface = &target;
    const bool lock = SDL_MUSTLOCK(surface);
    if (lock && SDL_LockSurface(&target) != 0)
        return;
    const int pitch = target.pitch / 4;
    uint32_t* corner = static_cast<uint32_t*>(target.pixels) + p.targetY * pitch + p.targetX;
    if (picture.format->Amask && plan)
        plan->draw(picture, p.x, p.y, p.w, p.h, corner, pitch);
    else if (!picture.format->Amask)
        drawWithoutAlpha(picture, p, corner, pitch);
    if (lock)
        SDL_UnlockSurface(&target);
}
