#include "engine/FontString.h"

CFontString::CFontString(const uint16_t* text)
{
    if (!text)
        return;
    while (*text)
        text_.push_back(static_cast<char16_t>(*text++));
}

CFontString::CFontString(const char* narrow)
{
    if (!narrow)
        return;
    while (*narrow)
        text_.push_back(static_cast<char16_t>(static_cast<unsigned char>(*narrow++)));
}

size_t CFontString::find(uint16_t character, size_t from) const
{
    return text_.find(static_cast<char16_t>(character), from);
}

size_t CFontString::find(const CFontString& part, size_t from) const
{
    return text_.find(part.text_, from);
}

CFontString CFontString::substr(size_t position, size_t count) const
{
    if (position >= text_.size())
        return CFontString();
    return CFontString(text_.substr(position, count));
}

std::string CFontString::narrow() const
{
    std::string out;
    out.reserve(text_.size());
    for (char16_t c : text_)
        out.push_back(static_cast<char>(c & 0xFF));
    return out;
}

const uint16_t* CFontString::unicode() const
{
    terminated_.assign(text_.begin(), text_.end());
    terminated_.push_back(0);
    return terminated_.data();
}

CFontString operator+(const CFontString& left, const CFontString& right)
{
    CFontString joined(left);
    joined.append(right);
    return joined;
}
