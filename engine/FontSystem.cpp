#include "engine/FontSystem.h"

#include "engine/Log.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string g_fontFolder;
TextTable g_table;

// Style switches flipped by the markup; they outlive each call on purpose.
bool g_bold = false;
bool g_italic = false;
bool g_underline = false;

int g_lastTextEndX = 0;
int g_lastLineY = 0;

// The masks of the font library's blended surfaces.
constexpr Uint32 RED_MASK = 0x00FF0000;
constexpr Uint32 GREEN_MASK = 0x0000FF00;
constexpr Uint32 BLUE_MASK = 0x000000FF;
constexpr Uint32 ALPHA_MASK = 0xFF000000;

struct RenderedWord {
    SDL_Surface* surface;
    int line;
    // The advance of a space the word ends with: it takes room on the line
    // but shows nothing, so it does not count where the ink ends.
    int trailingSpace;
};

SDL_Surface* transparentBox(int width, int height)
{
    SDL_Surface* box = SDL_CreateRGBSurface(SDL_SWSURFACE, width > 0 ? width : 0, height > 0 ? height : 0, 32,
                                            RED_MASK, GREEN_MASK, BLUE_MASK, ALPHA_MASK);
    if (box)
        SDL_FillRect(box, nullptr, 0);
    return box;
}

TTF_Font* openFont(const char* fontFile, int size)
{
    std::string path = g_fontFolder + (fontFile ? fontFile : "");
    TTF_Font* font = TTF_OpenFont(path.c_str(), size);
    if (!font) {
        logError(false, "FONTSYSTEM: Attempted to load font file '%s'\n", path.c_str());
        logError(true, "FONTSYSTEM: SDL_ttf font loading error: %s\n", TTF_GetError());
    }
    return font;
}

int styleFlags()
{
    return (g_bold ? TTF_STYLE_BOLD : 0) | (g_italic ? TTF_STYLE_ITALIC : 0) |
           (g_underline ? TTF_STYLE_UNDERLINE : 0);
}

// The markup switches, kept aside while a text is only tried for size.
struct StyleSwitches {
    bool bold = g_bold, italic = g_italic, underline = g_underline;
    void restore() const
    {
        g_bold = bold;
        g_italic = italic;
        g_underline = underline;
    }
};

// The font library reads U+FEFF and U+FFFE as byte-order marks and would
// byte-swap the rest of the word after U+FFFE; neither is printable, so
// they are left out. The word ends at a U+0000, as the library reads it.
SDL_Surface* renderWord(TTF_Font* font, const CFontString& word, SDL_Color colour)
{
    std::vector<Uint16> units;
    for (size_t i = 0; i < word.length() && word[i] != 0; ++i) {
        if (word[i] != UNICODE_BOM_NATIVE && word[i] != UNICODE_BOM_SWAPPED)
            units.push_back(word[i]);
    }
    if (units.empty())
        return nullptr;
    units.push_back(0);
    TTF_SetFontStyle(font, styleFlags());
    return TTF_RenderUNICODE_Blended(font, units.data(), colour);
}

int trailingSpaceWidth(TTF_Font* font, const CFontString& word)
{
    int advance = 0;
    if (word.length() > 0 && word[word.length() - 1] == ' ' && TTF_GlyphMetrics(font, ' ', nullptr, nullptr,
                                                                                   nullptr, nullptr, &advance) != 0)
        advance = 0;
    return advance;
}

// Renders every word and assigns it a line; markup flips the switches and
// breaks lines on the way.
std::vector<RenderedWord> renderWords(TTF_Font* font, const std::vector<TextPiece>& pieces, SDL_Color colour,
                                      TextLineFiller& filler)
{
    std::vector<RenderedWord> words;
    for (const TextPiece& piece : pieces) {
        switch (piece.kind) {
        case TextPiece::BOLD: g_bold = !g_bold; break;
        case TextPiece::ITALIC: g_italic = !g_italic; break;
        case TextPiece::UNDERLINE: g_underline = !g_underline; break;
        case TextPiece::LINE_BREAK: filler.breakLine(); break;
        case TextPiece::WORD: {
            SDL_Surface* surface = renderWord(font, piece.word, colour);
            // A word the library cannot render takes no room and is skipped.
            if (surface)
                words.push_back({surface, filler.place(surface->w), trailingSpaceWidth(font, piece.word)});
            break;
        }
        }
    }
    filler.finish();
    return words;
}

// The first and one past the last row of a word's picture that hold ink.
std::pair<int, int> inkRows(SDL_Surface* surface)
{
    int first = surface->h, last = 0;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                            y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            if ((row[x] & surface->format->Amask) != 0) {
                first = std::min(first, y);
                last = y + 1;
                break;
            }
        }
    }
    SDL_UnlockSurface(surface);
    return {first, std::max(first, last)};
}

struct PlacedWord {
    SDL_Surface* surface;
    SDL_Rect place;
};

// A text cut into words, rendered and placed in its box, with where its ink
// reaches; owns the word pictures.
class LaidOutText
{
public:
    LaidOutText(int width, int height, int align, int lineSpacing, const char* fontFile, int size,
                SDL_Color colour, const CFontString& text, const TextArguments& arguments)
    {
        TTF_Font* font = openFont(fontFile, size);
        TextLineFiller filler(width);
        std::vector<RenderedWord> words = renderWords(font, cutText(text, arguments), colour, filler);
        const std::vector<int>& lineWidths = filler.lineWidths();
        const int fontHeight = TTF_FontHeight(font);
        const int top = textTop(align, height, fontHeight, static_cast<int>(lineWidths.size()), lineSpacing);
        extent_ = {width, height, 0, 0, size};
        int x = 0;
        int line = 0;
        for (const RenderedWord& word : words) {
            if (word.line != line) {
                line = word.line;
                x = textLineX(align, width, lineWidths[line - 1]);
            }
            const int y = top + (fontHeight + lineSpacing) * (line - 1);
            words_.push_back({word.surface, {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0}});
            widen(x, y, word);
            x += word.surface->w;
        }
        lastLineY_ = (fontHeight + lineSpacing) * (filler.lineNumber() - 1) + top;
        lastTextEndX_ = !words.empty() && words.back().line == filler.lineNumber() ? x : 0;
        TTF_CloseFont(font);
    }
    ~LaidOutText()
    {
        for (PlacedWord& word : words_)
            SDL_FreeSurface(word.surface);
    }
    LaidOutText(const LaidOutText&) = delete;
    LaidOutText& operator=(const LaidOutText&) = delete;

    bool empty() const { return words_.empty(); }
    const TextExtent& extent() const { return extent_; }

    // The text drawn into a transparent box of the given size (null when
    // there are no words); keeps the caret offsets of the last text.
    SDL_Surface* compose(int width, int height) const
    {
        if (words_.empty())
            return nullptr;
        const SDL_PixelFormat* format = words_.front().surface->format;
        SDL_Surface* result = SDL_CreateRGBSurface(words_.front().surface->flags, width > 0 ? width : 0,
                                                   height > 0 ? height : 0, format->BitsPerPixel, format->Rmask,
                                                   format->Gmask, format->Bmask, format->Amask);
        if (result) {
            SDL_FillRect(result, nullptr, SDL_MapRGBA(result->format, 0, 0, 0, 0));
            for (const PlacedWord& word : words_) {
                SDL_Rect place = word.place;
                // The word's alpha is copied as it is, not blended.
                SDL_SetAlpha(word.surface, 0, SDL_ALPHA_OPAQUE);
                SDL_BlitSurface(word.surface, nullptr, result, &place);
            }
        }
        g_lastLineY = lastLineY_;
        g_lastTextEndX = lastTextEndX_;
        return result;
    }

private:
    void widen(int x, int y, const RenderedWord& word)
    {
        std::pair<int, int> rows = inkRows(word.surface);
        extent_.left = std::min(extent_.left, x);
        extent_.right = std::max(extent_.right, x + word.surface->w - word.trailingSpace);
        if (rows.first < rows.second) {
            extent_.top = std::min(extent_.top, y + rows.first);
            extent_.bottom = std::max(extent_.bottom, y + rows.second);
        }
    }

    std::vector<PlacedWord> words_;
    TextExtent extent_;
    int lastLineY_ = 0;
    int lastTextEndX_ = 0;
};

// The smallest size a text is shrunk to when it does not fit its box.
constexpr int SMALLEST_FITTED_SIZE = 8;

struct TextStyle {
    const char* fontFile;
    int size;
    int lineSpacing;
    SDL_Color colour;
};

// The text laid out at its own size, or, when it does not fit the box, at
// the largest smaller size of the same font at which it does (down to
// SMALLEST_FITTED_SIZE): a player's name or heading can be longer than a
// box has room for, and is never drawn past it.
std::unique_ptr<LaidOutText> layOutFitted(int width, int height, int align, const TextStyle& style,
                                          const CFontString& text, const TextArguments& arguments)
{
    const StyleSwitches before;
    std::unique_ptr<LaidOutText> laidOut;
    for (int size = style.size;; --size) {
        before.restore();
        laidOut = std::make_unique<LaidOutText>(width, height, align, style.lineSpacing, style.fontFile, size,
                                                style.colour, text, arguments);
        if (laidOut->extent().fits(width, height) || size <= SMALLEST_FITTED_SIZE)
            return laidOut;
    }
}

SDL_Surface* renderFontString(int width, int height, int align, const TextStyle& style, const CFontString& text,
                              const TextArguments& arguments)
{
    LaidOutText laidOut(width, height, align, style.lineSpacing, style.fontFile, style.size, style.colour, text,
                        arguments);
    return laidOut.compose(width, height);
}

const TextEntry* entryOf(const char* caller, int stringNumber)
{
    const TextEntry* entry = CFontSystem::GetEntry(stringNumber);
    if (!entry)
        logMessage(LOG_WARNING, "%s  String #%i is not in the text table\n", caller, stringNumber);
    return entry;
}

TextStyle styleOf(const TextEntry& entry)
{
    return {entry.fontFile.c_str(), entry.size, entry.lineSpacing, {entry.red, entry.green, entry.blue, 0}};
}

SDL_Surface* renderEntry(const char* caller, int width, int height, int align, int stringNumber,
                         const TextArguments& arguments)
{
    const TextEntry* entry = entryOf(caller, stringNumber);
    if (!entry)
        return transparentBox(width, height);
    return layOutFitted(width, height, align, styleOf(*entry), entry->text, arguments)->compose(width, height);
}

} // namespace

void CFontSystem::Init(const char* fontFolder, const char* stringFile)
{
    if (TTF_Init() < 0)
        logError(true, "FONTSYSTEM: SDL_ttf initialization error: %s\n", TTF_GetError());
    g_fontFolder = fontFolder ? fontFolder : "";
    LoadStringFile(stringFile);
}

void CFontSystem::LoadStringFile(const char* path)
{
    FILE* file = path ? fopen(path, "rb") : nullptr;
    if (!file)
        logError(true, "FONTSYSTEM: Cannot load string data file.\n");
    std::string bytes;
    char block[4096];
    size_t count;
    while ((count = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, count);
    bool readFailed = ferror(file) != 0;
    fclose(file);
    if (readFailed)
        logError(true, "FONTSYSTEM: Cannot load string data file.\n");

    g_table.clear();
    int badLine = parseTextTable(textUnitsFromBytes(bytes), g_table);
    if (badLine != 0)
        logError(true, "FONTSYSTEM: Unable to parse line number %i\n", badLine);
}

void CFontSystem::Shutdown()
{
    if (TTF_WasInit())
        TTF_Quit();
    g_table.clear();
    g_bold = g_italic = g_underline = false;
    g_lastTextEndX = g_lastLineY = 0;
}

const TextEntry* CFontSystem::GetEntry(int stringNumber)
{
    auto found = g_table.find(stringNumber);
    return found == g_table.end() ? nullptr : &found->second;
}

SDL_Surface* CFontSystem::RenderText(int width, int height, int align, int lineSpacing, const char* fontFile,
                                     int size, uint8_t red, uint8_t green, uint8_t blue, const uint16_t* text,
                                     const TextArguments& arguments)
{
    return renderFontString(width, height, align, {fontFile, size, lineSpacing, {red, green, blue, 0}},
                            CFontString(text), arguments);
}

SDL_Surface* CFontSystem::RenderString(int width, int height, int align, int stringNumber, const uint16_t* a1,
                                       const uint16_t* a2, const uint16_t* a3, const uint16_t* a4,
                                       const uint16_t* a5, const uint16_t* a6)
{
    TextArguments arguments;
    const uint16_t* wide[6] = {a1, a2, a3, a4, a5, a6};
    std::copy(wide, wide + 6, arguments.wide);
    return renderEntry("CFontSystem::RenderString()", width, height, align, stringNumber, arguments);
}

SDL_Surface* CFontSystem::RenderStringWrapped(int width, int height, int align, int stringNumber, const char* a1,
                                              const char* a2, const char* a3, const char* a4, const char* a5,
                                              const char* a6)
{
    TextArguments arguments;
    const char* narrow[6] = {a1, a2, a3, a4, a5, a6};
    std::copy(narrow, narrow + 6, arguments.narrow);
    return renderEntry("CFontSystem::RenderStringWrapped()", width, height, align, stringNumber, arguments);
}

SDL_Surface* CFontSystem::RenderStringEx(int width, int height, int align, int stringNumber,
                                         const TextArguments& arguments)
{
    return renderEntry("CFontSystem::RenderStringEx()", width, height, align, stringNumber, arguments);
}

SDL_Surface* CFontSystem::RenderLiteral(int width, int height, int align, int lineSpacing, const char* fontFile,
                                        int size, uint8_t red, uint8_t green, uint8_t blue, const char* text,
                                        const TextArguments& arguments)
{
    return renderFontString(width, height, align, {fontFile, size, lineSpacing, {red, green, blue, 0}},
                            CFontString(text), arguments);
}

TextExtent CFontSystem::MeasureString(int width, int height, int align, int stringNumber,
                                      const TextArguments& arguments, bool fitted)
{
    const TextEntry* entry = entryOf("CFontSystem::MeasureString()", stringNumber);
    if (!entry)
        return {};
    const StyleSwitches before;
    TextStyle style = styleOf(*entry);
    TextExtent extent;
    if (fitted) {
        extent = layOutFitted(width, height, align, style, entry->text, arguments)->extent();
    } else {
        extent = LaidOutText(width, height, align, style.lineSpacing, style.fontFile, style.size, style.colour,
                             entry->text, arguments)
                     .extent();
    }
    before.restore();
    return extent;
}

int CFontSystem::GetLastTextOffsetY()
{
    return g_lastTextEndX;
}

int CFontSystem::GetLastTextOffsetX()
{
    return g_lastLineY;
}
