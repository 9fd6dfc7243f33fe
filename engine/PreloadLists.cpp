#include "engine/PreloadLists.h"

// The lists fill as the screens and the game's elements arrive; until then
// the preload holds nothing beyond the file bytes.
void cacheMain() {}
void cacheMap() {}
void cacheGame() {}
void cacheButtons() {}
void cacheFadedImages() {}
