#pragma once

#include <string>
#include <vector>

// Every sound the game asks for by name: the effects of the elements and the
// screens, and the six music tracks. The sound archive must hold exactly
// these (a test compares the built archive against this list).
const std::vector<std::string>& gameSoundNames();
