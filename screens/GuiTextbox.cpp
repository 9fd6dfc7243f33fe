#include "screens/GuiTextbox.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "screens/GuiButtonBase.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <SDL.h>

#include <algorithm>

namespace {

const char* const BOX_NAME = "GUI Textbox";
const char* const CURSOR_NAME = "GUI Textbox Cursor";
const char LINE_BREAK[] = "%n";

// The cursor shows while the counter is above 0, then hides until it falls
// below -8 and starts again at 8.
constexpr int BLINK_START = 8;
constexpr int BLINK_LOW = -8;

// Room enough for the longest text of a one-line box on one line.
constexpr int ONE_LINE_WIDTH = 4096;

// What Shift makes of the digit keys 0..9 on a US keyboard.
const char SHIFTED_DIGITS[] = ")!@#$%^&*(";

// The text as the renderer reads it: line-break markers break lines, and
// every other "%" goes in as an argument, so that typed markup such as "%b"
// or "%1" shows as typed and switches nothing.
CFontString renderedForm(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && text.compare(i, 2, LINE_BREAK) != 0)
            out += "%1";
        else
            out += text[i];
    }
    return CFontString(out.c_str());
}

bool endsWithLineBreak(const std::string& text)
{
    return text.size() >= 2 && text.compare(text.size() - 2, 2, LINE_BREAK) == 0;
}

// A fresh unnamed copy of a picture of the image store.
int copyOfImage(const char* name)
{
    int source = CDraw::getImage(name);
    SDL_Surface* copy = CDraw::toDisplayFormat(CDraw::getImageSurface(source), false);
    CDraw::unloadImage(source);
    return CDraw::addSurface(copy);
}

} // namespace

CGuiTextbox::CGuiTextbox(int maxLength, int x, int y, int textDx, int textDy, const char* backgroundImage,
                         const char* cursorImage, bool spaces, bool punctuation, bool lineBreaks)
    : backgroundImage_(backgroundImage), x_(x), y_(y), textDx_(textDx), textDy_(textDy),
      maxLength_(std::clamp(maxLength, 0, TEXT_CAPACITY)), spaces_(spaces), punctuation_(punctuation),
      lineBreaks_(lineBreaks)
{
    cursor_ = makeWidgetSprite(KIND_WIDGET_OVERLAY, cursorImage, CURSOR_NAME, x + textDx, y + textDy, false);
    Render();
}

CGuiTextbox::~CGuiTextbox() = default;

void CGuiTextbox::HandleKey(int key, bool shift)
{
    if (key == SDLK_BACKSPACE || key == SDLK_DELETE) {
        RemoveLast();
    } else if (key == SDLK_RETURN) {
        if (lineBreaks_ && HasRoom(2))
            text_ += LINE_BREAK;
    } else if (key == SDLK_SPACE) {
        if (spaces_)
            Append(' ');
    } else if (key >= SDLK_a && key <= SDLK_z) {
        Append(static_cast<char>(shift ? key - 'a' + 'A' : key));
    } else if (key >= SDLK_0 && key <= SDLK_9) {
        Append(shift && punctuation_ ? SHIFTED_DIGITS[key - SDLK_0] : static_cast<char>(key));
    } else if (key == SDLK_QUOTE || key == SDLK_SEMICOLON || key == SDLK_SLASH) {
        static const char pairs[][3] = {{'\'', '"'}, {';', ':'}, {'/', '?'}};
        int which = key == SDLK_QUOTE ? 0 : key == SDLK_SEMICOLON ? 1 : 2;
        if (punctuation_)
            Append(pairs[which][shift ? 1 : 0]);
    } else if (key == SDLK_COMMA || key == SDLK_MINUS || key == SDLK_PERIOD || key == SDLK_BACKSLASH ||
               key == SDLK_BACKQUOTE) {
        if (punctuation_)
            Append(static_cast<char>(key));
    } else {
        return;
    }
    Render();
}

void CGuiTextbox::AddChar(char c)
{
    if (c == '\b')
        RemoveLast();
    else if (c == '\n') {
        if (HasRoom(2))
            text_ += LINE_BREAK;
    } else {
        Append(c);
    }
    Render();
}

void CGuiTextbox::Append(char c)
{
    if (HasRoom(1))
        text_ += c;
}

void CGuiTextbox::RemoveLast()
{
    if (endsWithLineBreak(text_))
        text_.resize(text_.size() - 2);
    else if (!text_.empty())
        text_.pop_back();
}

void CGuiTextbox::SetText(const char* text)
{
    text_ = text ? text : "";
    if (text_.size() > static_cast<size_t>(maxLength_)) {
        logMessage(LOG_DEBUG, "CGuiTextbox::SetText()  Text cut to %i characters\n", maxLength_);
        text_.resize(maxLength_);
        // Never leave half a line-break marker behind.
        if (!text_.empty() && text_.back() == '%')
            text_.pop_back();
    }
    Render();
}

void CGuiTextbox::SetMasked(bool masked)
{
    masked_ = masked;
    Render();
}

void CGuiTextbox::Render()
{
    background_.reset();
    int image = copyOfImage(backgroundImage_.c_str());
    int cursorX = x_ + textDx_, cursorY = y_ + textDy_;
    const TextEntry* entry = CFontSystem::GetEntry(TEXT_TEXTBOX_ENTRY);
    if (!text_.empty() && entry) {
        CFontString shown = masked_ ? CFontString(std::string(text_.size(), '*').c_str()) : renderedForm(text_);
        TextArguments percent;
        percent.narrow[0] = "%";
        const int width = CDraw::getImageWidth(image) - 2 * textDx_;
        const int height = CDraw::getImageHeight(image) - textDy_;
        // A one-line box lays its text out on one line however long, and
        // scrolls it so that its end and the cursor stay in view.
        SDL_Surface* drawn = CFontSystem::RenderText(lineBreaks_ ? width : ONE_LINE_WIDTH, height, ALIGN_LEFT,
                                                     entry->lineSpacing, entry->fontFile.c_str(), entry->size,
                                                     entry->red, entry->green, entry->blue, shown.unicode(),
                                                     percent);
        if (drawn) {
            // The font system's offsets are named the other way round.
            const int endX = CFontSystem::GetLastTextOffsetY();
            const int scroll = lineBreaks_ ? 0 : std::max(0, endX + cursor_->getWidth(true) - width);
            SDL_Rect from = {static_cast<Sint16>(scroll), 0, static_cast<Uint16>(std::max(width, 0)),
                             static_cast<Uint16>(std::max(height, 0))};
            SDL_Rect at = {static_cast<Sint16>(textDx_), static_cast<Sint16>(textDy_), 0, 0};
            SDL_BlitSurface(drawn, &from, CDraw::getImageSurface(image), &at);
            SDL_FreeSurface(drawn);
            cursorX += endX - scroll;
            cursorY += CFontSystem::GetLastTextOffsetX();
        }
    }
    background_ = std::make_unique<CSprite>(KIND_WIDGET_ROLLOVER, 0, false);
    background_->setName(BOX_NAME);
    background_->addFrameSurface(image);
    background_->setLocation(x_, y_, false);
    setSpriteShown(*background_, !hidden_);
    cursor_->setLocation(cursorX, cursorY, false);
}

void CGuiTextbox::BlinkCursor()
{
    --blinkCounter_;
    setSpriteShown(*cursor_, blinkCounter_ > 0 && !hidden_);
    if (blinkCounter_ < BLINK_LOW)
        blinkCounter_ = BLINK_START;
}

void CGuiTextbox::HideCursor() { cursor_->hide(); }

void CGuiTextbox::Hide()
{
    if (hidden_)
        return;
    background_->hide();
    cursor_->hide();
    hidden_ = true;
}

void CGuiTextbox::Show()
{
    showSprite(*background_);
    hidden_ = false;
}

bool CGuiTextbox::IsMouseOver() const { return !hidden_ && pointerOver(*background_); }

void CGuiTextbox::WarpMouseTo() const { warpPointerOnto(*background_); }

bool CGuiTextbox::IsCursorShown() const { return !cursor_->isHidden(); }

int CGuiTextbox::GetCursorX() const { return cursor_->getX(false); }

int CGuiTextbox::GetCursorY() const { return cursor_->getY(false); }
