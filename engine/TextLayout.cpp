#include "engine/TextLayout.h"

#include <algorithm>

CFontString TextArguments::argument(int index) const
{
    if (index < 0 || index >= 6)
        return CFontString();
    if (wide[index])
        return CFontString(wide[index]);
    return CFontString(narrow[index]);
}

namespace {

bool isStyleLetter(char16_t c) { return c == u'b' || c == u'i' || c == u'u' || c == u'n'; }
bool isArgumentLetter(char16_t c) { return c >= u'1' && c <= u'6'; }

// First markup token at or after `from`, or npos. The text before
// `argumentEnd` came from an argument: there the style and line markup
// counts but an argument's never does (so nothing expands twice), and a
// token must lie wholly inside or wholly outside it.
size_t findMarkup(const std::u16string& text, size_t from, size_t argumentEnd)
{
    for (size_t i = text.find(u'%', from); i != std::u16string::npos; i = text.find(u'%', i + 1)) {
        if (i + 1 >= text.size() || (i < argumentEnd && i + 1 >= argumentEnd))
            continue;
        const char16_t letter = text[i + 1];
        if (isStyleLetter(letter) || (isArgumentLetter(letter) && i >= argumentEnd))
            return i;
    }
    return std::u16string::npos;
}

} // namespace

std::vector<TextPiece> cutText(const CFontString& text, const TextArguments& arguments)
{
    std::vector<TextPiece> pieces;
    std::u16string rest = text.str();
    size_t pos = 0;
    // Characters of `rest` before this index come from an argument.
    size_t argumentEnd = 0;
    while (pos < rest.size()) {
        size_t space = rest.find(u' ', pos);
        size_t markup = findMarkup(rest, pos, argumentEnd);
        if (space == std::u16string::npos && markup == std::u16string::npos) {
            pieces.push_back({TextPiece::WORD, CFontString(rest.substr(pos))});
            break;
        }
        if (space < markup) {
            pieces.push_back({TextPiece::WORD, CFontString(rest.substr(pos, space + 1 - pos))});
            pos = space + 1;
            continue;
        }
        if (markup > pos) {
            pieces.push_back({TextPiece::WORD, CFontString(rest.substr(pos, markup - pos))});
            pos = markup;
            continue;
        }
        char16_t letter = rest[pos + 1];
        pos += 2;
        switch (letter) {
        case u'b': pieces.push_back({TextPiece::BOLD, {}}); break;
        case u'i': pieces.push_back({TextPiece::ITALIC, {}}); break;
        case u'u': pieces.push_back({TextPiece::UNDERLINE, {}}); break;
        case u'n': pieces.push_back({TextPiece::LINE_BREAK, {}}); break;
        default: {
            std::u16string inserted = arguments.argument(letter - u'1').str();
            rest = inserted + rest.substr(pos);
            pos = 0;
            argumentEnd = inserted.size();
        }
        }
    }
    return pieces;
}

int TextLineFiller::place(int wordWidth)
{
    if (lineWidth_ != 0 && lineWidth_ + wordWidth >= boxWidth_) {
        lineWidths_.push_back(lineWidth_);
        ++lineNumber_;
        lineWidth_ = 0;
    }
    lineWidth_ += wordWidth;
    return lineNumber_;
}

void TextLineFiller::breakLine()
{
    lineWidths_.push_back(lineWidth_);
    ++lineNumber_;
    lineWidth_ = 0;
}

void TextLineFiller::finish()
{
    if (lineWidth_ != 0)
        lineWidths_.push_back(lineWidth_);
    lineWidth_ = 0;
}

int textLineX(int align, int boxWidth, int lineWidth)
{
    switch (align) {
    case ALIGN_RIGHT: return boxWidth - lineWidth;
    case ALIGN_CENTRE:
    case ALIGN_CENTRE_MIDDLE: return (boxWidth - lineWidth) / 2;
    default: return 0;
    }
}

int textTop(int align, int boxHeight, int fontHeight, int lineCount, int lineSpacing)
{
    if (align != ALIGN_CENTRE_MIDDLE && align != ALIGN_LEFT_MIDDLE)
        return 0;
    return (boxHeight - (fontHeight * lineCount + (lineCount - 1) * lineSpacing)) / 2;
}
