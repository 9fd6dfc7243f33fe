#include "engine/ByteOrder.h"

namespace ByteOrder {

bool isBigEndian()
{
    const uint16_t probe = 1;
    return *reinterpret_cast<const unsigned char*>(&probe) == 0;
}

uint32_t toLittle32(uint32_t value)
{
    if (!isBigEndian())
        return value;
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

uint16_t toLittle16(uint16_t value)
{
    if (!isBigEndian())
        return value;
    return static_cast<uint16_t>((value >> 8) | (value << 8));
}

uint32_t peekU32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void pokeU32(unsigned char* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

size_t writeU32(uint32_t value, FILE* stream)
{
    unsigned char bytes[4];
    pokeU32(bytes, value);
    return fwrite(bytes, 1, 4, stream);
}

size_t writeI32(int32_t value, FILE* stream)
{
    return writeU32(static_cast<uint32_t>(value), stream);
}

size_t writeU8(uint8_t value, FILE* stream)
{
    return fwrite(&value, 1, 1, stream);
}

bool readU32(uint32_t* out, FILE* stream)
{
    unsigned char bytes[4];
    if (fread(bytes, 1, 4, stream) != 4)
        return false;
    *out = peekU32(bytes);
    return true;
}

bool readI32(int32_t* out, FILE* stream)
{
    uint32_t value;
    if (!readU32(&value, stream))
        return false;
    *out = static_cast<int32_t>(value);
    return true;
}

bool readU8(uint8_t* out, FILE* stream)
{
    return fread(out, 1, 1, stream) == 1;
}

} // namespace ByteOrder
