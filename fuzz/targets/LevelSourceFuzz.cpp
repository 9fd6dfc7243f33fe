// The level compiler's reader of level sources. A source that compiles must
// decompile to a source that compiles to the same level.

#include "fuzz/FuzzSupport.h"
#include "levels/Level.h"
#include "levels/LevelSource.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    std::string text(reinterpret_cast<const char*>(data), size);
    CLevel level;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    if (!compileLevelSource(text, "fuzz.txt", level, errors, &warnings))
        return 0;
    std::string source;
    std::string error;
    if (!decompileLevel(level, source, error))
        return 0;
    CLevel again;
    errors.clear();
    warnings.clear();
    if (!compileLevelSource(source, "again.txt", again, errors, &warnings) || again.ToBytes(0) != level.ToBytes(0))
        abort();
    return 0;
}
