#include "engine/ImagesCached.h"

namespace {

bool cached[static_cast<int>(ImageClass::Count)] = {};

} // namespace

bool imagesCached(ImageClass imageClass)
{
    int index = static_cast<int>(imageClass);
    return index >= 0 && index < static_cast<int>(ImageClass::Count) && cached[index];
}

void markImagesCached()
{
    for (bool& flag : cached)
        flag = true;
}
