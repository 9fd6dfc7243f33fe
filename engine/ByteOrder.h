#pragma once

#include <cstdint>
#include <cstdio>

// Every binary file of the game stores its integers little-endian and is
// read and written field by field through these helpers.
namespace ByteOrder {

bool isBigEndian();
uint32_t toLittle32(uint32_t value);
uint16_t toLittle16(uint16_t value);

// Each writer returns the number of bytes written (4 or 1 when all went well).
size_t writeU32(uint32_t value, FILE* stream);
size_t writeI32(int32_t value, FILE* stream);
size_t writeU8(uint8_t value, FILE* stream);

// Each reader returns true when the whole field was read; on a short read
// the destination is left unchanged.
bool readU32(uint32_t* out, FILE* stream);
bool readI32(int32_t* out, FILE* stream);
bool readU8(uint8_t* out, FILE* stream);

// Little-endian field from a byte buffer (no bounds check: callers check).
uint32_t peekU32(const unsigned char* bytes);
void pokeU32(unsigned char* bytes, uint32_t value);

} // namespace ByteOrder
