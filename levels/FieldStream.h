#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Reads the fields of a little-endian binary file and remembers whether any
// of them came up short, so a loader checks once, at the end, that the file
// was whole. A short field reads as zero; nothing is ever allocated from a
// length that the file itself claims beyond what the file holds.
class FieldReader
{
public:
    explicit FieldReader(FILE* stream);

    int32_t readI32();
    uint32_t readU32();
    float readFloat();
    uint8_t readU8();
    bool readFlag(); // one byte; any value but 0 is true

    // A fixed-size field of text padded with NUL bytes: the text up to the
    // first NUL (or the whole field when it has none).
    std::string readFixedText(size_t size);

    // Exactly size bytes, or an empty text and a failed reader.
    std::string readBytes(size_t size);

    // Bytes of the file not read yet.
    long remaining() const;

    // Every field so far was read whole.
    bool ok() const { return ok_; }

    // Every field was read whole and nothing follows them.
    bool endsHere() const { return ok_ && remaining() == 0; }

private:
    template <typename Value> Value readField(bool (*read)(Value*, FILE*));

    FILE* stream_;
    long size_ = 0;
    long position_ = 0;
    bool ok_ = true;
};

// Writers; a failed write shows in ferror(stream), which the atomic save
// checks before it replaces the old file.
void writeFloat(float value, FILE* stream);
void writeFlag(bool value, FILE* stream);
// The text in exactly size bytes: cut to size, or padded with NUL bytes.
void writeFixedText(const std::string& text, size_t size, FILE* stream);
