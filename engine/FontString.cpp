#include "engine/FontString.h"

CFontString::CFontString(const uint16_t* text)
{
    if (!text)
        return;
    while (*text)
        text_.push_back(static_cast<char16_t>(*text++));
}

namespace {

constexpr char16_t REPLACEMENT = 0xFFFD;

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at `text` (1 to 4), or 0.
// The second byte's range rules out overlong forms, surrogates and code
// points beyond U+10FFFF.
size_t sequenceLength(const unsigned char* text)
{
    unsigned char lead = text[0];
    unsigned char low = 0x80, high = 0xBF;
    size_t length;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text[1] < low || text[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (!continuation(text[i]))
            return 0;
    return length;
}

} // namespace

CFontString::CFontString(const char* narrow)
{
    if (!narrow)
        return;
    const auto* text = reinterpret_cast<const unsigned char*>(narrow);
    while (*text) {
        size_t length = sequenceLength(text);
        if (length == 0) {
            text_.push_back(static_cast<char16_t>(*text++));
            continue;
        }
        char32_t code = length == 1 ? text[0] : text[0] & (0x7F >> length);
        for (size_t i = 1; i < length; ++i)
            code = (code << 6) | (text[i] & 0x3F);
        text_.push_back(code > 0xFFFF ? REPLACEMENT : static_cast<char16_t>(code));
        text += length;
    }
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
