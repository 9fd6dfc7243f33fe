// Texts drawn onto images of the image store: the panels, parchments and
// buttons that screens compose once and show as sprites.
#include "engine/Draw.h"
#include "engine/FontSystem.h"

namespace {

// The literal texts' style: the game's font, size 23, dark blue, 5 pixels
// between lines.
const char* const LITERAL_FONT = "resource6.dat";
constexpr int LITERAL_SIZE = 23;
constexpr uint8_t LITERAL_RED = 24, LITERAL_GREEN = 34, LITERAL_BLUE = 83;
constexpr int LITERAL_LINE_SPACING = 5;

// Blits the rendered text onto the image and frees it.
void drawOnto(SDL_Surface* text, int image, int x, int y)
{
    if (!text)
        return;
    if (SDL_Surface* target = CDraw::getImageSurface(image)) {
        SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(text, nullptr, target, &at);
    }
    SDL_FreeSurface(text);
}

} // namespace

void CFontSystem::DrawString(int stringNumber, int image, int align, int width, int height, int x, int y,
                             const char* a1, const char* a2, const char* a3, const char* a4, const char* a5,
                             const char* a6)
{
    drawOnto(RenderStringWrapped(width, height, align, stringNumber, a1, a2, a3, a4, a5, a6), image, x, y);
}

void CFontSystem::DrawLiteral(const char* text, int image, int align, int width, int height, int x, int y)
{
    drawOnto(RenderLiteral(width, height, align, LITERAL_LINE_SPACING, LITERAL_FONT, LITERAL_SIZE, LITERAL_RED,
                           LITERAL_GREEN, LITERAL_BLUE, text),
             image, x, y);
}
