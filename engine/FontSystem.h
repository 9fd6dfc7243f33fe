#pragma once

#include "engine/TextLayout.h"
#include "engine/TextTable.h"

#include <SDL.h>

#include <cstdint>

// The text table and the text renderer. Texts are drawn by string number:
// each entry of the table carries its font, size, colour and line spacing.
// Rendering turns a text into a new 32-bit surface with per-pixel alpha of
// the asked size, owned by the caller: words wrap at the box width, lines
// are placed by the alignment value (see TextAlign), and the markup of
// cutText ("%b", "%i", "%u", "%n", "%1".."%6") is applied. The bold, italic
// and underline switches persist from one rendered text to the next.
//
// No text goes through printf-style formatting here: arguments are inserted
// by the markup only, so "%n" in a text is always a line break and text from
// a player or a level file is never read as a format.
//
// All state is module-level; main thread only.
class CFontSystem
{
public:
    // Starts the font library (fatal when it cannot), keeps the font folder
    // (font file names of the table are relative to it) and loads the table.
    static void Init(const char* fontFolder, const char* stringFile);
    // Reads a table file in place of the table held. Fatal when the file
    // cannot be read or a line starts with anything but "#", "!" or "@".
    static void LoadStringFile(const char* path);
    // Stops the font library, empties the table and clears the style
    // switches and the last offsets.
    static void Shutdown();

    // The entry of a string number, or null when the table has none.
    static const TextEntry* GetEntry(int stringNumber);

    // Renders a text with an explicit style. Returns null when the text
    // holds no visible word (empty, or markup only); such a call leaves the
    // last offsets as they were. Fatal when the font file cannot be opened.
    static SDL_Surface* RenderText(int width, int height, int align, int lineSpacing, const char* fontFile, int size,
                                   uint8_t red, uint8_t green, uint8_t blue, const uint16_t* text,
                                   const TextArguments& arguments = {});

    // Table entries. A string number missing from the table logs a warning
    // and gives an empty transparent box of the asked size. A text that does
    // not fit its box at its entry's size (a player's name, a level's
    // heading) is drawn at the largest smaller size of the same font at
    // which it does, never past the box.
    static SDL_Surface* RenderString(int width, int height, int align, int stringNumber, const uint16_t* a1 = nullptr,
                                     const uint16_t* a2 = nullptr, const uint16_t* a3 = nullptr,
                                     const uint16_t* a4 = nullptr, const uint16_t* a5 = nullptr,
                                     const uint16_t* a6 = nullptr);
    static SDL_Surface* RenderStringWrapped(int width, int height, int align, int stringNumber,
                                            const char* a1 = nullptr, const char* a2 = nullptr,
                                            const char* a3 = nullptr, const char* a4 = nullptr,
                                            const char* a5 = nullptr, const char* a6 = nullptr);
    static SDL_Surface* RenderStringEx(int width, int height, int align, int stringNumber,
                                       const TextArguments& arguments = {});

    // Where the entry's text reaches when laid out in the box: at the
    // entry's own size, or with fitted set at the size the entry is drawn at.
    // Leaves the style switches and the last offsets as they were.
    static TextExtent MeasureString(int width, int height, int align, int stringNumber,
                                    const TextArguments& arguments = {}, bool fitted = false);

    // A narrow literal text (widened byte by byte) with an explicit style.
    static SDL_Surface* RenderLiteral(int width, int height, int align, int lineSpacing, const char* fontFile,
                                      int size, uint8_t red, uint8_t green, uint8_t blue, const char* text,
                                      const TextArguments& arguments = {});

    // Draw onto image `image` at (x, y) what RenderStringWrapped renders for
    // the entry (DrawString), or a literal text in the game's own font,
    // size 23, dark blue (DrawLiteral). Nothing is drawn when there is no
    // such image or no visible text.
    static void DrawString(int stringNumber, int image, int align, int width, int height, int x, int y,
                           const char* a1 = nullptr, const char* a2 = nullptr, const char* a3 = nullptr,
                           const char* a4 = nullptr, const char* a5 = nullptr, const char* a6 = nullptr);
    static void DrawLiteral(const char* text, int image, int align, int width, int height, int x, int y);

    // Where a caret goes after the last rendered text. Mind the names: they
    // are crossed over. GetLastTextOffsetY returns the x where the last line
    // ended (0 when the text ended with "%n"), GetLastTextOffsetX returns the
    // top y of the last line. Callers add them to the text's position, x
    // first: (GetLastTextOffsetY(), GetLastTextOffsetX()).
    static int GetLastTextOffsetY();
    static int GetLastTextOffsetX();
};
