#pragma once

#include "engine/DrawKernels.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

// How a picture with per-pixel alpha is drawn, worked out once: each row as
// runs of solid pixels, copied from the picture, and of translucent ones,
// blended from a premultiplied copy of them kept here; clear pixels are
// skipped. Most of a sprite is solid or clear, so most of drawing it is
// copying.
class BlitPlan
{
public:
    // The picture: 32 bits a pixel, alpha in the high byte.
    explicit BlitPlan(const SDL_Surface& picture);
    // Still the plan of this picture (same pixels, size and layout).
    bool fits(const SDL_Surface& picture) const;
    // Draws the part (x, y, w, h) of the picture, already cut to it, at
    // `target` (the target pixel for the part's top-left corner).
    void draw(const SDL_Surface& picture, int x, int y, int w, int h, uint32_t* target, int targetPitch) const;

private:
    const void* pixels_;
    int width_, height_, pitch_;
    // Row y's runs are runs_[rowStart_[y]] up to runs_[rowStart_[y + 1]].
    std::vector<uint32_t> rowStart_;
    std::vector<AlphaRun> runs_;
    std::vector<uint32_t> premultiplied_;
};

// Whether the display's blitter draws this picture onto this target: both
// 32 bits a pixel with red, green and blue in the same bytes, the target
// without alpha (the screen and pictures in its format), the picture with
// alpha in the high byte or none, no colour key and no run-length encoding,
// at most 65535 pixels wide.
// Anything else goes through SDL.
bool blitsDirectly(const SDL_Surface& picture, const SDL_Surface& target);

// Draws the picture's part `source` at `at` as SDL_BlitSurface would: the
// part cut to the picture (moving the place along), then to the target's
// clip rectangle. A picture with alpha blends by its alpha (any alpha of
// the whole picture is ignored, as SDL does); one without copies, or blends
// by the picture's alpha while it has one below 255. `plan` is the
// picture's plan when it has alpha.
void blitDirectly(const SDL_Surface& picture, const BlitPlan* plan, const SDL_Rect& source, SDL_Surface& target,
                  const SDL_Rect& at);
