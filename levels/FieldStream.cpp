#include "levels/FieldStream.h"

#include "engine/ByteOrder.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <vector>

// The position is counted as fields are read: asking the stream for it
// costs a system call, once per field of a list of a million entries.
FieldReader::FieldReader(FILE* stream) : stream_(stream)
{
    struct stat info;
    if (fstat(fileno(stream), &info) == 0)
        size_ = static_cast<long>(info.st_size);
    position_ = ftell(stream);
}

long FieldReader::remaining() const
{
    return position_ < 0 || position_ > size_ ? 0 : size_ - position_;
}

int32_t FieldReader::readI32()
{
    return static_cast<int32_t>(readU32());
}

template <typename Value>
Value FieldReader::readField(bool (*read)(Value*, FILE*))
{
    Value value = 0;
    if (ok_ && !read(&value, stream_)) {
        ok_ = false;
        value = 0;
    }
    if (ok_)
        position_ += static_cast<long>(sizeof value);
    return value;
}

uint32_t FieldReader::readU32()
{
    return readField(&ByteOrder::readU32);
}

float FieldReader::readFloat()
{
    uint32_t bits = readU32();
    float value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

uint8_t FieldReader::readU8()
{
    return readField(&ByteOrder::readU8);
}

bool FieldReader::readFlag()
{
    return readU8() != 0;
}

std::string FieldReader::readFixedText(size_t size)
{
    std::string field = readBytes(size);
    return field.substr(0, field.find('\0'));
}

std::string FieldReader::readBytes(size_t size)
{
    if (!ok_ || size > static_cast<size_t>(remaining())) {
        ok_ = false;
        return std::string();
    }
    std::string bytes(size, '\0');
    if (size > 0 && fread(&bytes[0], 1, size, stream_) != size) {
        ok_ = false;
        return std::string();
    }
    position_ += static_cast<long>(size);
    return bytes;
}

void writeFloat(float value, FILE* stream)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    ByteOrder::writeU32(bits, stream);
}

void writeFlag(bool value, FILE* stream)
{
    ByteOrder::writeU8(value ? 1 : 0, stream);
}

void writeFixedText(const std::string& text, size_t size, FILE* stream)
{
    std::vector<char> field(size, '\0');
    memcpy(field.data(), text.data(), std::min(text.size(), size));
    fwrite(field.data(), 1, size, stream);
}
