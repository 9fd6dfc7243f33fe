#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A growable text of 16-bit characters: the form of the text table's entries
// and of everything the font system renders. Narrow text is read as UTF-8
// (file names are): a character beyond U+FFFF becomes U+FFFD, and a byte
// that starts no well-formed sequence stands for itself, so 0x80..0xFF
// outside UTF-8 become U+0080..U+00FF (Latin-1).
class CFontString
{
public:
    static constexpr size_t npos = std::u16string::npos;

    CFontString() = default;
    // A zero-terminated 16-bit text; null gives an empty string.
    explicit CFontString(const uint16_t* text);
    // A zero-terminated narrow text, as above; null gives an empty string.
    explicit CFontString(const char* narrow);
    explicit CFontString(std::u16string text) : text_(std::move(text)) {}

    void append(uint16_t character) { text_.push_back(static_cast<char16_t>(character)); }
    void append(const CFontString& other) { text_ += other.text_; }

    size_t length() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    uint16_t operator[](size_t index) const { return text_[index]; }

    // Index of the first occurrence at or after `from`, or npos.
    size_t find(uint16_t character, size_t from = 0) const;
    size_t find(const CFontString& part, size_t from = 0) const;
    CFontString substr(size_t position, size_t count = npos) const;

    // The low 8 bits of each character.
    std::string narrow() const;
    // A zero-terminated copy for the font library; valid until the string
    // changes.
    const uint16_t* unicode() const;

    const std::u16string& str() const { return text_; }
    bool operator==(const CFontString& other) const { return text_ == other.text_; }
    bool operator!=(const CFontString& other) const { return text_ != other.text_; }

private:
    std::u16string text_;
    mutable std::vector<uint16_t> terminated_;
};

CFontString operator+(const CFontString& left, const CFontString& right);
