// The level file reader: levels come from other players and from forums.
// A level that loads must also write itself back and load again unchanged.

#include "fuzz/FuzzSupport.h"
#include "levels/Level.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    CLevel level;
    if (!level.LoadBytes("fuzz", data, size))
        return 0;
    std::vector<unsigned char> bytes = level.ToBytes(0);
    CLevel again;
    if (!again.LoadBytes("fuzz", bytes.data(), bytes.size()) || again.ToBytes(0) != bytes)
        abort();
    return 0;
}
