// The parameters file ("resource8.dat"): plain text, one key and one value
// per line.

#include "fuzz/FuzzSupport.h"
#include "engine/Parameters.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    ResetParametersForTesting();
    ReadParameters(std::string(reinterpret_cast<const char*>(data), size));
    GetMoreGamesURL();
    GetVendorID();
    return 0;
}
